#!/usr/bin/env python3
"""A local stand-in for the public price servers, for the update tests.

Serves the files of ROOT with ETags and Last-Modified (answering conditional requests with
304), byte ranges (If-Range honoured) and gzip transfer encoding when asked. ROOT/control.json,
read at every request, makes chosen paths misbehave:
  {"fail": {"/path": [503, 429, ...]}}   statuses answered first, one per request
  "retry_after": "1"                      sent with those answers
  "cut": {"/path": 1000}                  the first full answer stops after 1000 bytes
  "stall": {"/path": 5}                   waits 5 s after the headers before the body
  "redirect": {"/path": "http://..."}     answers 302 to that address
  "endless": ["/path"]                    sends bytes without end
Every request is logged to ROOT/requests.log as "METHOD PATH STATUS BYTES". The literal
@BASE@ in a served file becomes the server's own address. Prints the port, then serves until
killed.
"""
import email.utils
import gzip
import hashlib
import http.server
import json
import os
import ssl
import sys
import threading
import time

ROOT = sys.argv[1]
LOCK = threading.Lock()


def control():
    try:
        with open(os.path.join(ROOT, "control.json")) as f:
            return json.load(f)
    except (OSError, ValueError):
        return {}


def save_control(data):
    with open(os.path.join(ROOT, "control.json"), "w") as f:
        json.dump(data, f)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def log(self, status, size):
        with LOCK, open(os.path.join(ROOT, "requests.log"), "a") as f:
            f.write("GET %s %d %d\n" % (self.path, status, size))

    def finish_headers(self, status, headers, length):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(length))
        self.end_headers()

    def do_GET(self):
        path = self.path.split("?")[0]
        with LOCK:
            rules = control()
            queue = rules.get("fail", {}).get(path)
            status = queue.pop(0) if queue else None
            cut = rules.get("cut", {}).pop(path, None)
            if status is not None or cut is not None:
                save_control(rules)
        if status is not None:
            headers = []
            if rules.get("retry_after"):
                headers.append(("Retry-After", str(rules["retry_after"])))
            self.log(status, 0)
            self.finish_headers(status, headers, 0)
            return
        if path in rules.get("redirect", {}):
            self.log(302, 0)
            self.finish_headers(302, [("Location", rules["redirect"][path])], 0)
            return
        if path in rules.get("endless", []):
            self.send_response(200)
            self.end_headers()
            self.log(200, -1)
            try:
                while True:
                    self.wfile.write(b"0" * 65536)
            except OSError:
                return
        file = os.path.join(ROOT, path.lstrip("/"))
        if not os.path.isfile(file):
            self.log(404, 0)
            self.finish_headers(404, [], 0)
            return
        with open(file, "rb") as f:
            body = f.read()
        base = "%s://127.0.0.1:%d/" % ("https" if HTTPS else "http", PORT)
        body = body.replace(b"@BASE@", base.encode())
        etag = '"%s"' % hashlib.sha256(body).hexdigest()[:16]
        modified = email.utils.formatdate(os.path.getmtime(file), usegmt=True)
        headers = [("ETag", etag), ("Last-Modified", modified), ("Accept-Ranges", "bytes")]
        if self.headers.get("If-None-Match") == etag:
            self.log(304, 0)
            self.finish_headers(304, headers, 0)
            return
        status = 200
        start = 0
        wanted = self.headers.get("Range")
        if wanted and self.headers.get("If-Range", etag) == etag and wanted.startswith("bytes="):
            start = int(wanted[6:].split("-")[0])
            if start >= len(body):
                self.log(416, 0)
                self.finish_headers(416, [("Content-Range", "bytes */%d" % len(body))], 0)
                return
            status = 206
            headers.append(("Content-Range", "bytes %d-%d/%d" % (start, len(body) - 1, len(body))))
        part = body[start:]
        if status == 200 and "gzip" in self.headers.get("Accept-Encoding", ""):
            part = gzip.compress(part, 1)
            headers.append(("Content-Encoding", "gzip"))
        sent = part if cut is None else part[:cut]
        self.log(status, len(sent))
        self.finish_headers(status, headers, len(part))
        stall = rules.get("stall", {}).get(path)
        if stall:
            time.sleep(stall)
        try:
            self.wfile.write(sent)
            self.wfile.flush()
        except OSError:
            pass
        if cut is not None:
            self.close_connection = True


HTTPS = len(sys.argv) > 3
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
PORT = server.server_address[1]
if HTTPS:
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(sys.argv[2], sys.argv[3])
    server.socket = context.wrap_socket(server.socket, server_side=True)
print(PORT, flush=True)
server.serve_forever()

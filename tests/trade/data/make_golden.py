#!/usr/bin/env python3
"""Writes golden.ryn, the trade list file of a known list, byte by byte from the file layout.

Kept apart from the program's own writer so that the test compares it with an independent
account of the format. Run from this folder: python3 make_golden.py
"""
import struct

TYPE_TEXT = b"tamrik ombrine,ryn File"

# key, card id, quantity, name (Windows-1252 bytes), foil, buy, sell, buying mark, selling mark
RECORDS = [
    (77, 77, 3, "J\u00f6tun Grunt".encode("cp1252"), 0, 0.1, 0.2, 0, 0),
    (1234, 1234, 2, b"Aether Vial", 0, 1.5, 2.25, 1, 0),
    (1234 + 16777216, 1234, 1, b"Aether Vial", 1, 10.0, 12.5, 0, 1),
]

header = TYPE_TEXT.ljust(64, b"\0") + struct.pack("<ii", 1, len(RECORDS)) + b"\0" * 40
assert len(header) == 112
body = b""
for key, card_id, quantity, name, foil, buy, sell, bmark, smark in RECORDS:
    record = struct.pack("<iii", key, card_id, quantity) + name.ljust(256, b"\0")
    record += struct.pack("<iffii", foil, buy, sell, bmark, smark)
    assert len(record) == 288
    body += record
with open("golden.ryn", "wb") as out:
    out.write(header + body)

#pragma once

// A price server of the tests' own (price_server.py) serving a folder, and the files of the
// public layout built from the import tests' example files.

#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#ifndef QUORVEL_PRICE_SERVER
#define QUORVEL_PRICE_SERVER QUORVEL_SOURCE_DIR "/tests/update/price_server.py"
#endif

inline void Spill(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteWholeFile(path, text);
}

inline std::string Shell(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, got);
        }
        pclose(pipe);
    }
    return out;
}

/// Runs price_server.py on `root` (HTTPS when given a certificate and key) until destroyed.
class PriceServer {
public:
    explicit PriceServer(const std::string& root, const std::string& cert = {},
                         const std::string& key = {})
        : m_root(root)
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            throw std::runtime_error("no pipe");
        }
        m_pid = fork();
        if (m_pid == 0) {
            dup2(pipeEnds[1], 1);
            close(pipeEnds[0]);
            if (cert.empty()) {
                execlp("python3", "python3", QUORVEL_PRICE_SERVER, root.c_str(), nullptr);
            } else {
                execlp("python3", "python3", QUORVEL_PRICE_SERVER, root.c_str(), cert.c_str(),
                       key.c_str(), nullptr);
            }
            _exit(127);
        }
        close(pipeEnds[1]);
        std::string line;
        char c = 0;
        while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') {
            line += c;
        }
        close(pipeEnds[0]);
        m_port = std::atoi(line.c_str());
        if (m_port <= 0) {
            throw std::runtime_error("the price server did not start");
        }
    }
    ~PriceServer()
    {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    std::string Base(const char* scheme = "http") const
    {
        return std::string(scheme) + "://127.0.0.1:" + std::to_string(m_port) + "/";
    }
    /// The requests since the last call, "GET /path STATUS BYTES" each.
    std::vector<std::string> Requests()
    {
        const std::string log = m_root + "/requests.log";
        std::istringstream lines(ReadWholeFile(log));
        std::filesystem::remove(log);
        std::vector<std::string> requests;
        for (std::string line; std::getline(lines, line);) {
            requests.push_back(line);
        }
        return requests;
    }
    void Control(const std::string& json) { Spill(m_root + "/control.json", json); }

private:
    std::string m_root;
    pid_t m_pid = -1;
    int m_port = 0;
};

/// The MTGJSON layout in `root`: Meta.json, and each file packed with xz beside its .sha256.
inline void PublishMtgjson(const std::string& root, const std::string& date,
                           const std::string& version, const std::string& printings,
                           const std::string& prices)
{
    Spill(root + "/Meta.json", "{\"meta\": {\"date\": \"" + date + "\", \"version\": \"" + version +
                                   "\"}, \"data\": {\"date\": \"" + date + "\", \"version\": \"" +
                                   version + "\"}}");
    for (const auto& [name, text] : {std::pair{std::string("AllPrintings.json"), printings},
                                     std::pair{std::string("AllPricesToday.json"), prices}}) {
        if (text.empty()) {
            continue;
        }
        Spill(root + "/" + name, text);
        Shell("cd '" + root + "' && xz -f " + name + " && sha256sum " + name + ".xz > " + name +
              ".xz.sha256");
    }
}

inline std::string Example(const std::string& name)
{
    return ReadWholeFile(std::string(QUORVEL_SOURCE_DIR) + "/tests/prices/data/" + name);
}

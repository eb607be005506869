#pragma once

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

/// Another program (the sqlite3 shell) holding a database file exclusively locked until
/// Release: nobody else may even read it meanwhile.
class DatabaseLockHolder {
public:
    explicit DatabaseLockHolder(const std::string& database) : m_marker(database + ".held")
    {
        std::filesystem::remove(m_marker);
        m_shell = ::popen(("sqlite3 '" + database + "'").c_str(), "w");
        if (m_shell == nullptr)
            return;
        std::fprintf(m_shell, "BEGIN EXCLUSIVE;\n.shell touch '%s'\n", m_marker.c_str());
        std::fflush(m_shell);
        for (int i = 0; i < 500 && !std::filesystem::exists(m_marker); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ~DatabaseLockHolder() { Release(); }
    DatabaseLockHolder(const DatabaseLockHolder&) = delete;
    DatabaseLockHolder& operator=(const DatabaseLockHolder&) = delete;

    bool Holding() const { return m_shell != nullptr && std::filesystem::exists(m_marker); }
    void Release()
    {
        if (m_shell == nullptr)
            return;
        std::fputs("COMMIT;\n", m_shell);
        ::pclose(m_shell);
        m_shell = nullptr;
        std::filesystem::remove(m_marker);
    }

private:
    std::string m_marker;
    std::FILE* m_shell = nullptr;
};

#pragma once

#include <cstddef>
#include <memory>
#include <string>

/// SHA-256 of a stream of bytes, as the price servers publish it beside each file.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Add(const void* data, std::size_t size);
    /// The digest as 64 lower-case hexadecimal characters; the object starts over.
    std::string Hex();

    /// The digest of a whole file; empty when it cannot be read.
    static std::string OfFile(const std::string& path);
    /// The digest of a `.sha256` file's text ("hex" or "hex  name"), lower case; empty when the
    /// text holds none.
    static std::string FromPublished(const std::string& text);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

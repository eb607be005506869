#include "update/Sha256.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

struct Sha256::State {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    ~State() { EVP_MD_CTX_free(context); }
};

Sha256::Sha256() : m_state(std::make_unique<State>())
{
    EVP_DigestInit_ex(m_state->context, EVP_sha256(), nullptr);
}

Sha256::~Sha256() = default;

void Sha256::Add(const void* data, std::size_t size)
{
    EVP_DigestUpdate(m_state->context, data, size);
}

std::string Sha256::Hex()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(m_state->context, digest, &length);
    EVP_DigestInit_ex(m_state->context, EVP_sha256(), nullptr);
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        hex += kDigits[digest[i] >> 4];
        hex += kDigits[digest[i] & 15];
    }
    return hex;
}

std::string Sha256::OfFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return {};
    }
    Sha256 sha;
    std::vector<char> buffer(1 << 20);
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
        sha.Add(buffer.data(), got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? std::string() : sha.Hex();
}

std::string Sha256::FromPublished(const std::string& text)
{
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos || text.size() - start < 64) {
        return {};
    }
    std::string hex = text.substr(start, 64);
    const bool digits =
        std::all_of(hex.begin(), hex.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
    const bool ends = text.size() - start == 64 ||
                      std::isspace(static_cast<unsigned char>(text[start + 64])) != 0;
    if (!digits || !ends) {
        return {};
    }
    std::transform(hex.begin(), hex.end(), hex.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return hex;
}

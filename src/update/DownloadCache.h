#pragma once

#include <string>

/// The folder that keeps downloaded price files ($XDG_CACHE_HOME/quorvel, else
/// ~/.cache/quorvel), one subfolder per source. Beside each file, `NAME.info` remembers where
/// it came from, its ETag and Last-Modified for the next conditional request, and its SHA-256.
/// A file appears under its name only complete and verified; downloads in progress are
/// `NAME.part`.
class DownloadCache {
public:
    struct Info {
        std::string url;
        std::string etag;
        std::string lastModified;
        std::string sha256;
        std::string version; ///< what the source calls this file's edition (date, version)
    };

    /// `folder` is created when first written to.
    explicit DownloadCache(std::string folder);

    /// $XDG_CACHE_HOME/quorvel, else $HOME/.cache/quorvel.
    static std::string DefaultFolder();

    const std::string& Folder() const { return m_folder; }
    std::string PathOf(const std::string& name) const;
    bool Has(const std::string& name) const;

    Info ReadInfo(const std::string& name) const;
    /// Written to a temporary name and renamed. False (with *error) when it cannot be.
    bool WriteInfo(const std::string& name, const Info& info, std::string* error = nullptr) const;
    /// Stores `text` as the file `name`, the same way.
    bool WriteFile(const std::string& name, const std::string& text,
                   std::string* error = nullptr) const;
    std::string ReadFile(const std::string& name) const;
    /// Removes the file and its info.
    void Remove(const std::string& name) const;
    /// Creates the folder; false (with *error) when it cannot.
    bool Prepare(std::string* error = nullptr) const;

private:
    std::string m_folder;
};

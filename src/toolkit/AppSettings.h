#pragma once

#include <QString>
#include <memory>

class QSettings;

/// The per-user settings store, named by the program's settings key. Only window placements
/// are kept there.
class AppSettings {
public:
    /// The key that names the store ("ZUMI Tamrik's Quorvel").
    static const QString kKey;

    /// Opens the store: the user-scope QSettings of the key, or the file set for tests.
    static std::unique_ptr<QSettings> open();

    /// Test hook: keep settings in this INI file instead of the user's store; an empty path
    /// returns to the user's store.
    static void setFileForTests(const QString& iniPath);
};

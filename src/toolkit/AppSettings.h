#pragma once

#include <QString>
#include <memory>

class QSettings;

/// The per-user settings store, named by the program's settings key. Window placements and the
/// Best Match First option are kept there.
class AppSettings {
public:
    /// The key that names the store ("ZUMI Tamrik's Quorvel").
    static const QString kKey;

    /// Opens the store: the user-scope QSettings of the key, or the file set for tests.
    static std::unique_ptr<QSettings> open();

    /// The Best Match First option as last chosen; false at the very first start and for a
    /// stored value that is not a truth value.
    static bool bestMatchFirst();
    /// Stores the option at once, so that a program that is killed keeps it too.
    static void setBestMatchFirst(bool on);
    /// Whether the user ever chose Best Match First on or off.
    static bool bestMatchFirstChosen();

    /// Where price updates come from: "mtgjson" (the default) or "scryfall", and another base
    /// address for its files (empty: the public one), e.g. a mirror or a proxy cache.
    static QString priceSource();
    static QString priceBaseUrl();
    /// A certificate-authority file trusted besides the system's (empty: none).
    static QString extraCertificates();

    /// "Update prices daily": off until the user turns it on, and nothing goes over the network
    /// by itself before. Stored at once, as Best Match First.
    static bool updatePricesDaily();
    static void setUpdatePricesDaily(bool on);
    /// The day ("YYYY-MM-DD", local time) the last daily update started; empty when none did.
    static QString lastDailyUpdate();
    static void setLastDailyUpdate(const QString& day);
    /// Whether the welcome bar was shown once already (it is never shown again).
    static bool welcomeShown();
    static void setWelcomeShown();

    /// Test hook: keep settings in this INI file instead of the user's store; an empty path
    /// returns to the user's store.
    static void setFileForTests(const QString& iniPath);
};

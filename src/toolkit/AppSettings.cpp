#include "toolkit/AppSettings.h"

#include <QSettings>

const QString AppSettings::kKey = QStringLiteral("ZUMI Tamrik's Quorvel");

namespace {

QString& testFile()
{
    static QString path;
    return path;
}

} // namespace

std::unique_ptr<QSettings> AppSettings::open()
{
    if (!testFile().isEmpty())
        return std::make_unique<QSettings>(testFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kKey,
                                       QStringLiteral("Quorvel"));
}

namespace {

const QString kBestMatchKey = QStringLiteral("Options/BestMatchFirst");
const QString kPriceSourceKey = QStringLiteral("Prices/Source");
const QString kPriceBaseUrlKey = QStringLiteral("Prices/BaseUrl");
const QString kExtraCertificatesKey = QStringLiteral("Prices/ExtraCertificates");
const QString kUpdateDailyKey = QStringLiteral("Prices/UpdateDaily");
const QString kLastDailyUpdateKey = QStringLiteral("Prices/LastDailyUpdate");
const QString kWelcomeShownKey = QStringLiteral("Options/WelcomeShown");

bool truthValue(const QString& key)
{
    const QString value = AppSettings::open()->value(key).toString();
    return value == QLatin1String("true") || value == QLatin1String("1");
}

void store(const QString& key, const QVariant& value)
{
    auto settings = AppSettings::open();
    settings->setValue(key, value);
    settings->sync();
}

} // namespace

bool AppSettings::bestMatchFirst()
{
    return truthValue(kBestMatchKey);
}

void AppSettings::setBestMatchFirst(bool on)
{
    store(kBestMatchKey, on);
}

bool AppSettings::bestMatchFirstChosen()
{
    return open()->contains(kBestMatchKey);
}

bool AppSettings::updatePricesDaily()
{
    return truthValue(kUpdateDailyKey);
}

void AppSettings::setUpdatePricesDaily(bool on)
{
    store(kUpdateDailyKey, on);
}

QString AppSettings::lastDailyUpdate()
{
    return open()->value(kLastDailyUpdateKey).toString().trimmed();
}

void AppSettings::setLastDailyUpdate(const QString& day)
{
    store(kLastDailyUpdateKey, day);
}

bool AppSettings::welcomeShown()
{
    return truthValue(kWelcomeShownKey);
}

void AppSettings::setWelcomeShown()
{
    store(kWelcomeShownKey, true);
}

void AppSettings::setFileForTests(const QString& iniPath)
{
    testFile() = iniPath;
}

QString AppSettings::priceSource()
{
    const QString source = open()->value(kPriceSourceKey).toString().trimmed().toLower();
    return source == QLatin1String("scryfall") ? source : QStringLiteral("mtgjson");
}

QString AppSettings::priceBaseUrl()
{
    return open()->value(kPriceBaseUrlKey).toString().trimmed();
}

QString AppSettings::extraCertificates()
{
    const QString file = open()->value(kExtraCertificatesKey).toString().trimmed();
    return file.isEmpty() ? qEnvironmentVariable("SSL_CERT_FILE") : file;
}

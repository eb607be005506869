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

} // namespace

bool AppSettings::bestMatchFirst()
{
    const QString value = open()->value(kBestMatchKey).toString();
    return value == QLatin1String("true") || value == QLatin1String("1");
}

void AppSettings::setBestMatchFirst(bool on)
{
    auto settings = open();
    settings->setValue(kBestMatchKey, on);
    settings->sync();
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

#include "toolkit/Resources.h"

#include "lookup/CardGridRules.h"
#include "toolkit/ResourceIds.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPalette>

namespace {

const QString kArt = QStringLiteral(":/quorvel/art/");

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QList<QPixmap> cutStrip(const QString& path, int imageWidth)
{
    QList<QPixmap> images;
    const QPixmap strip(path);
    if (strip.isNull())
        return images;
    for (int x = 0; x + imageWidth <= strip.width(); x += imageWidth)
        images << strip.copy(x, 0, imageWidth, strip.height());
    return images;
}

// The same shape in one colour of the palette: an outline-only marker drawn in a fixed grey
// fades out on a dark cell background.
QPixmap inPaletteColour(const QPixmap& image)
{
    const QPalette palette = QApplication::palette();
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    constexpr double kShare = 0.6;
    const QColor colour(int(base.red() + (text.red() - base.red()) * kShare),
                        int(base.green() + (text.green() - base.green()) * kShare),
                        int(base.blue() + (text.blue() - base.blue()) * kShare));
    QPixmap result(image.size());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawPixmap(0, 0, image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), colour);
    return result;
}

QList<QPixmap> cardImagesInPaletteColours()
{
    QList<QPixmap> images = cutStrip(kArt + QStringLiteral("bitmap130.png"), 16);
    if (card_grid::kHotClearImage < images.size())
        images[card_grid::kHotClearImage] = inPaletteColour(images[card_grid::kHotClearImage]);
    return images;
}

} // namespace

QIcon Resources::icon(int iconId)
{
    QIcon result;
    for (int size : {16, 24, 32, 48, 256}) {
        const QString path = kArt + QStringLiteral("icon%1_%2.png").arg(iconId).arg(size);
        if (QFile::exists(path))
            result.addFile(path, QSize(size, size));
    }
    return result;
}

QList<QPixmap> Resources::cardImages()
{
    static const QList<QPixmap> images = cardImagesInPaletteColours();
    return images;
}

QIcon Resources::menuImage(const QString& command)
{
    static const QJsonObject toolbar = readJson(QStringLiteral(":/quorvel/toolbar139.json"));
    static const QList<QPixmap> images = cutStrip(kArt + QStringLiteral("toolbar139.png"), 16);
    const QJsonArray commands = toolbar.value(QLatin1String("commands")).toArray();
    for (qsizetype i = 0; i < commands.size() && i < images.size(); ++i) {
        if (commands[i].toString() == command)
            return QIcon(images[i]);
    }
    return QIcon();
}

QString Resources::string(int stringId)
{
    static const QJsonObject strings = readJson(QStringLiteral(":/quorvel/strings.json"));
    return strings.value(QString::number(stringId)).toString();
}

QString Resources::desktopIconPath(int size)
{
    return kArt + QStringLiteral("icon128_%1.png").arg(size);
}

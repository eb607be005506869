#include "lookup/view/CardSymbol.h"

#include "grid/GridPalette.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QString>

namespace card_symbol {

int RarityClass(std::int32_t rarity)
{
    return rarity == 10 || rarity == 20 || rarity == 40 ? rarity : 30;
}

QColor RarityColour(std::int32_t rarity)
{
    switch (RarityClass(rarity)) {
    case 10:
        return QColor(0x20, 0x20, 0x20);
    case 20:
        return QColor(0xa8, 0xb4, 0xbe);
    case 40:
        return QColor(0xe0, 0x50, 0x1c);
    default:
        return QColor(0xd4, 0xaf, 0x37);
    }
}

QPixmap Symbol(const std::string& setCode, std::int32_t rarity)
{
    const QString code = QString::fromStdString(setCode).left(3).toUpper();
    // The letters take whichever of the palette's text and base colours stands out more from
    // the badge: dark letters on gold and silver, light ones on black, in every scheme.
    const QColor fill = RarityColour(rarity);
    const QPalette palette = QApplication::palette();
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    const QColor letters = grid_palette::Readable(
        grid_palette::Contrast(text, fill) >= grid_palette::Contrast(base, fill) ? text : base,
        fill);
    const QString key = QStringLiteral("quorvel-symbol/") + code + QLatin1Char('/') +
                        QString::number(RarityClass(rarity)) + QLatin1Char('/') + letters.name();
    // Qt's pixmap cache lives and dies with the application, as pixmaps must.
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) {
        return pixmap;
    }
    pixmap = QPixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(fill.darker(160));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kSide - 1.0, kSide - 1.0), 3.0, 3.0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    // Three letters need a narrower font than one or two to stay inside the badge.
    font.setPixelSize(code.size() > 2 ? 6 : 8);
    font.setStretch(code.size() > 2 ? QFont::Condensed : QFont::Unstretched);
    painter.setFont(font);
    painter.setPen(letters);
    painter.drawText(QRect(0, 0, kSide, kSide), Qt::AlignCenter, code);
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace card_symbol

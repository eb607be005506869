// Draws the program's artwork: icons 128 and 133 in several sizes, the menu images of
// toolbar 139 and the 29 card images of bitmap 130. Run at build time; every picture comes
// from the code below, so the artwork is kept and reviewed as source.
//
// Usage: quorvel_artgen <output directory>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>

namespace {

constexpr int kImage = 16;

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The program icon: a trading card with a coin on it. `alternate` swaps the colours for the
// second icon of the tray animation, so the blinking is plain to see.
QImage drawAppIcon(int size, bool alternate)
{
    QImage image = blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);

    const QColor cardColour = alternate ? QColor(0xf2, 0xb8, 0x1c) : QColor(0x1d, 0x3f, 0x8f);
    const QColor edgeColour = alternate ? QColor(0x7a, 0x4a, 0x00) : QColor(0xf2, 0xb8, 0x1c);
    const QColor coinColour = alternate ? QColor(0x1d, 0x3f, 0x8f) : QColor(0xf2, 0xb8, 0x1c);

    // The card, drawn slightly tilted behind a second one for depth.
    p.save();
    p.translate(128, 128);
    p.rotate(-10);
    p.setPen(QPen(QColor(0, 0, 0, 90), 10));
    p.setBrush(QColor(0xdd, 0xdd, 0xdd));
    p.drawRoundedRect(QRectF(-78, -112, 156, 216), 18, 18);
    p.restore();

    p.setPen(QPen(edgeColour, 14));
    p.setBrush(cardColour);
    p.drawRoundedRect(QRectF(44, 14, 168, 228), 20, 20);

    // The coin: a thick ring with a tail, reading as a "Q".
    p.setPen(QPen(coinColour, 30, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(128, 122), 52, 52);
    p.drawLine(QPointF(150, 150), QPointF(186, 192));
    return image;
}

void fillShape(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& edge)
{
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawPath(path);
}

// Menu image: "About" (an i in a blue disc).
QImage drawAbout()
{
    QImage image = blank(kImage, kImage);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    disc.addEllipse(QRectF(0.5, 0.5, 15, 15));
    fillShape(p, disc, QColor(0x2a, 0x6f, 0xd6), QColor(0x12, 0x3c, 0x80));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(7, 3, 2, 2), Qt::white);
    p.fillRect(QRect(7, 6, 2, 7), Qt::white);
    p.fillRect(QRect(6, 12, 4, 1), Qt::white);
    return image;
}

// Menu image: "Exit" (a white cross on a red square).
QImage drawExit()
{
    QImage image = blank(kImage, kImage);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath square;
    square.addRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    fillShape(p, square, QColor(0xd2, 0x2f, 0x27), QColor(0x80, 0x14, 0x10));
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
    return image;
}

// Menu image: "Show Window" (a window with a blue title bar).
QImage drawShowWindow()
{
    QImage image = blank(kImage, kImage);
    QPainter p(&image);
    p.fillRect(QRect(1, 2, 14, 12), QColor(0x33, 0x33, 0x33));
    p.fillRect(QRect(2, 3, 12, 3), QColor(0x2a, 0x6f, 0xd6));
    p.fillRect(QRect(2, 6, 12, 7), Qt::white);
    p.fillRect(QRect(11, 4, 2, 1), Qt::white);
    return image;
}

// A 3 by 5 pixel font for the set numbers 1 to 9.
const char* const kDigits[9][5] = {
    {".#.", "##.", ".#.", ".#.", "###"}, {"###", "..#", "###", "#..", "###"},
    {"###", "..#", "###", "..#", "###"}, {"#.#", "#.#", "###", "..#", "..#"},
    {"###", "#..", "###", "..#", "###"}, {"###", "#..", "###", "#.#", "###"},
    {"###", "..#", "..#", ".#.", ".#."}, {"###", "#.#", "###", "#.#", "###"},
    {"###", "#.#", "###", "..#", "###"},
};

void drawDigit(QPainter& p, int digit, const QColor& colour)
{
    // Each font pixel becomes 2 by 2, centred in the 16 by 16 image.
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (kDigits[digit - 1][row][column] == '#')
                p.fillRect(QRect(5 + 2 * column, 3 + 2 * row, 2, 2), colour);
        }
    }
}

// Set-and-rarity symbol: a disc in the rarity's colour (black common, silver uncommon, gold
// rare) with the set's number (1 for set 10 ... 9 for set 90).
QImage drawSetSymbol(int setNumber, int rarity)
{
    static const QColor fills[3] = {QColor(0x1e, 0x1e, 0x1e), QColor(0xb4, 0xbc, 0xc6),
                                    QColor(0xe0, 0xa9, 0x1a)};
    static const QColor edges[3] = {QColor(0x00, 0x00, 0x00), QColor(0x4a, 0x52, 0x5c),
                                    QColor(0x6e, 0x4c, 0x00)};
    static const QColor digits[3] = {Qt::white, QColor(0x10, 0x10, 0x10), QColor(0x10, 0x10, 0x10)};
    QImage image = blank(kImage, kImage);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    disc.addEllipse(QRectF(0.5, 0.5, 15, 15));
    fillShape(p, disc, fills[rarity], edges[rarity]);
    p.setRenderHint(QPainter::Antialiasing, false);
    drawDigit(p, setNumber, digits[rarity]);
    return image;
}

// The HOT marker: a five-pointed star, red and filled when set, a grey outline when clear.
QImage drawHot(bool set)
{
    QImage image = blank(kImage, kImage);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? 7.5 : 3.2;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(8 + radius * std::cos(angle), 8.4 + radius * std::sin(angle));
    }
    if (set) {
        p.setPen(QPen(QColor(0x8a, 0x10, 0x00), 1));
        p.setBrush(QColor(0xf0, 0x3a, 0x10));
    } else {
        p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
        p.setBrush(Qt::NoBrush);
    }
    p.drawPolygon(star);
    return image;
}

QImage strip(const QList<QImage>& images)
{
    QImage result = blank(kImage * int(images.size()), kImage);
    QPainter p(&result);
    for (int i = 0; i < images.size(); ++i)
        p.drawImage(i * kImage, 0, images[i]);
    return result;
}

bool save(const QImage& image, const QDir& dir, const QString& name)
{
    if (image.save(dir.filePath(name), "PNG"))
        return true;
    std::fprintf(stderr, "quorvel_artgen: cannot write %s\n", qPrintable(dir.filePath(name)));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvel_artgen <output directory>\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "quorvel_artgen: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (int size : {16, 24, 32, 48, 256}) {
        ok &= save(drawAppIcon(size, false), dir, QStringLiteral("icon128_%1.png").arg(size));
        ok &= save(drawAppIcon(size, true), dir, QStringLiteral("icon133_%1.png").arg(size));
    }
    // Same order as the command list of toolbar139.json.
    ok &= save(strip({drawAbout(), drawExit(), drawShowWindow()}), dir,
               QStringLiteral("toolbar139.png"));
    QList<QImage> cards;
    for (int set = 1; set <= 9; ++set) {
        for (int rarity = 0; rarity < 3; ++rarity)
            cards << drawSetSymbol(set, rarity);
    }
    cards << drawHot(true) << drawHot(false);
    ok &= save(strip(cards), dir, QStringLiteral("bitmap130.png"));
    return ok ? 0 : 1;
}

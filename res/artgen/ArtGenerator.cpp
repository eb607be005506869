// Draws the program's artwork: icons 128 and 133 in several sizes (icon 128 also as SVG), the
// menu images of toolbar 139 and the 29 card images of bitmap 130. Run at build time; every picture comes
// from the code below, so the artwork is kept and reviewed as source.
//
// Usage: quorvel_artgen <output directory>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineF>
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

// The program icon: a trading card with a coin on it, on a 256 by 256 canvas. `alternate` swaps
// the colours for the second icon of the tray animation, so the blinking is plain to see. The
// PNG sizes and the scalable SVG are drawn from these same shapes.
struct AppIconShapes {
    QColor card, edge, coin;
    // The grey card behind, tilted for depth.
    QPointF backCentre{128, 128};
    double backAngle = -10;
    QRectF back{-78, -112, 156, 216};
    double backRadius = 18;
    QColor backFill{0xdd, 0xdd, 0xdd};
    QColor backEdge{0, 0, 0, 90};
    double backEdgeWidth = 10;
    // The card in front.
    QRectF front{44, 14, 168, 228};
    double frontRadius = 20;
    double frontEdgeWidth = 14;
    // The coin: a thick ring with a tail, reading as a "Q".
    QPointF coinCentre{128, 122};
    double coinRadius = 52;
    double coinWidth = 30;
    QLineF tail{150, 150, 186, 192};
};

AppIconShapes appIconShapes(bool alternate)
{
    AppIconShapes shapes;
    shapes.card = alternate ? QColor(0xf2, 0xb8, 0x1c) : QColor(0x1d, 0x3f, 0x8f);
    shapes.edge = alternate ? QColor(0x7a, 0x4a, 0x00) : QColor(0xf2, 0xb8, 0x1c);
    shapes.coin = alternate ? QColor(0x1d, 0x3f, 0x8f) : QColor(0xf2, 0xb8, 0x1c);
    return shapes;
}

QImage drawAppIcon(int size, bool alternate)
{
    const AppIconShapes s = appIconShapes(alternate);
    QImage image = blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);

    p.save();
    p.translate(s.backCentre);
    p.rotate(s.backAngle);
    p.setPen(QPen(s.backEdge, s.backEdgeWidth));
    p.setBrush(s.backFill);
    p.drawRoundedRect(s.back, s.backRadius, s.backRadius);
    p.restore();

    p.setPen(QPen(s.edge, s.frontEdgeWidth));
    p.setBrush(s.card);
    p.drawRoundedRect(s.front, s.frontRadius, s.frontRadius);

    p.setPen(QPen(s.coin, s.coinWidth, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(s.coinCentre, s.coinRadius, s.coinRadius);
    p.drawLine(s.tail);
    return image;
}

QString svgColour(const QColor& colour)
{
    return colour.name(QColor::HexRgb);
}

QString svgOpacity(const QColor& colour)
{
    return QString::number(colour.alphaF(), 'f', 3);
}

// The same icon as a scalable picture, for the desktop's scalable icon theme folder.
QString appIconSvg()
{
    const AppIconShapes s = appIconShapes(false);
    const auto n = [](double value) { return QString::number(value); };
    QString svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n";
    svg += QString("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" "
                   "fill=\"%6\" stroke=\"%7\" stroke-opacity=\"%8\" stroke-width=\"%9\" ")
               .arg(n(s.back.x()), n(s.back.y()), n(s.back.width()), n(s.back.height()),
                    n(s.backRadius), svgColour(s.backFill), svgColour(s.backEdge),
                    svgOpacity(s.backEdge), n(s.backEdgeWidth));
    svg += QString("transform=\"translate(%1 %2) rotate(%3)\"/>\n")
               .arg(n(s.backCentre.x()), n(s.backCentre.y()), n(s.backAngle));
    svg += QString("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" "
                   "fill=\"%6\" stroke=\"%7\" stroke-width=\"%8\"/>\n")
               .arg(n(s.front.x()), n(s.front.y()), n(s.front.width()), n(s.front.height()),
                    n(s.frontRadius), svgColour(s.card), svgColour(s.edge), n(s.frontEdgeWidth));
    svg += QString("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"none\" stroke=\"%4\" "
                   "stroke-width=\"%5\"/>\n")
               .arg(n(s.coinCentre.x()), n(s.coinCentre.y()), n(s.coinRadius), svgColour(s.coin),
                    n(s.coinWidth));
    svg += QString("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
                   "stroke-width=\"%6\" stroke-linecap=\"round\"/>\n")
               .arg(n(s.tail.x1()), n(s.tail.y1()), n(s.tail.x2()), n(s.tail.y2()),
                    svgColour(s.coin), n(s.coinWidth));
    svg += "</svg>\n";
    return svg;
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

bool saveText(const QString& text, const QDir& dir, const QString& name)
{
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(text.toUtf8()) == text.toUtf8().size() && file.flush())
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
    // The remaining sizes of the desktop's hicolor icon theme, and the scalable icon.
    for (int size : {22, 64, 128})
        ok &= save(drawAppIcon(size, false), dir, QStringLiteral("icon128_%1.png").arg(size));
    ok &= saveText(appIconSvg(), dir, QStringLiteral("icon128.svg"));
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

#include "toolkit/GroupBox.h"

#include <QPainter>

namespace {

constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

} // namespace

GroupBox::GroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void GroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect frame = rect().adjusted(0, top, -2, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));

    const QString caption = title();
    if (caption.isEmpty())
        return;
    const QRect captionRect(kCaptionIndent, 0,
                            metrics.horizontalAdvance(caption) + 2 * kCaptionPadding,
                            metrics.height());
    painter.fillRect(captionRect, palette().color(QPalette::Window));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(captionRect, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
}

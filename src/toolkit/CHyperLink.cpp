#include "toolkit/CHyperLink.h"

#include "data/ColourContrast.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

CHyperLink::Opener& opener()
{
    static CHyperLink::Opener function;
    return function;
}

} // namespace

CHyperLink::CHyperLink(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setTextFormat(Qt::PlainText);
    applyLook();
}

void CHyperLink::applyLook()
{
    QFont underlined = font();
    underlined.setUnderline(true);
    if (underlined != font())
        setFont(underlined);
    QPalette colours = palette();
    // The palette's link colour, kept readable on the window (some dark schemes keep a dark one).
    const QColor link = colours.color(QPalette::Link);
    const QColor window = colours.color(QPalette::Window);
    const colour_contrast::Rgb readable =
        colour_contrast::Readable({link.red(), link.green(), link.blue()},
                                  {window.red(), window.green(), window.blue()});
    colours.setColor(QPalette::WindowText,
                     QColor(readable.red, readable.green, readable.blue));
    if (colours != palette())
        setPalette(colours);
}

void CHyperLink::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        applyLook();
}

bool CHyperLink::open()
{
    if (m_url.isEmpty())
        return false;
    const bool done = opener() ? opener()(m_url) : QDesktopServices::openUrl(m_url);
    if (done)
        emit opened(m_url);
    return done;
}

void CHyperLink::setOpener(Opener function)
{
    opener() = std::move(function);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        open();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CHyperLink::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        open();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

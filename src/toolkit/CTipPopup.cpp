#include "toolkit/CTipPopup.h"

#include "toolkit/PopupPlacement.h"
#include "toolkit/XInputPressWatcher.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kMargin = 5;
constexpr int kTitleGap = 3;

QFont titleFont(const QFont& base)
{
    QFont bold = base;
    bold.setBold(true);
    return bold;
}

// The click that closed the popup goes on to whatever window of the program lies beneath.
void passClickOn(const QPoint& global, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::widgetAt(global);
    if (!target)
        return;
    const QPointF local = target->mapFromGlobal(QPointF(global));
    QMouseEvent press(QEvent::MouseButtonPress, local, QPointF(global), button, button, modifiers);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, QPointF(global), button, Qt::NoButton,
                        modifiers);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace

CTipPopup::CTipPopup(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("tipPopup"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    m_lifetime.setSingleShot(true);
    connect(&m_lifetime, &QTimer::timeout, this, &CTipPopup::closePopup);
}

CTipPopup::~CTipPopup()
{
    stopWatching();
}

QSize CTipPopup::sizeFor(const QString& title, const QString& text) const
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QFontMetrics body(font());
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, body.horizontalAdvance(line));
    int height = body.lineSpacing() * int(lines.size());
    if (!title.isEmpty()) {
        const QFontMetrics heading(titleFont(font()));
        width = std::max(width, heading.horizontalAdvance(title));
        height += heading.lineSpacing() + kTitleGap;
    }
    return QSize(width + 2 * kMargin, height + 2 * kMargin);
}

void CTipPopup::prepare(const QString& title, const QString& text)
{
    if (isOpen())
        closePopup();
    m_title = title;
    m_lines = text.split(QLatin1Char('\n'));
    setFixedSize(sizeFor(title, text));
}

void CTipPopup::showTip(const QString& title, const QString& text, const QPoint& topLeft,
                        int lifetimeMs)
{
    prepare(title, text);
    move(topLeft);
    show();
    raise();
    announce();
    startWatching();
    if (lifetimeMs > 0)
        m_lifetime.start(lifetimeMs);
}

void CTipPopup::showReport(const QString& text, const QPoint& cursor, int lifetimeMs)
{
    const QRect screen = PopupPlacement::screenGeometryAt(cursor);
    const QRect place = PopupPlacement::forReport(sizeFor(QString(), text), cursor, screen);
    showTip(QString(), text, place.topLeft(), lifetimeMs);
}

void CTipPopup::announce()
{
    // The popup never takes the focus, so a screen reader would not notice it on its own: its
    // first line is spoken as it appears.
    const QString first = !m_title.isEmpty() ? m_title : m_lines.value(0);
    setAccessibleName(first);
    setAccessibleDescription(m_lines.join(QLatin1Char('\n')));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(this, first);
    QAccessible::updateAccessibility(&announcement);
#else
    // Without announcements, a changed name and an alert on the popup are what readers speak;
    // the name is sent even when it equals the last one, as a new report with the same first
    // line is news too.
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
#endif
}

void CTipPopup::closePopup()
{
    m_lifetime.stop();
    stopWatching();
    if (isVisible()) {
        hide();
        emit closed();
    }
}

void CTipPopup::moveTo(const QPoint& topLeft)
{
    move(topLeft);
}

void CTipPopup::startWatching()
{
    if (!m_watching) {
        qApp->installEventFilter(this);
        m_watching = true;
        // The popup never has the focus, so it cannot lose it to another program; a press
        // anywhere else tells that the user turned away. Listening starts now, so no press from
        // before the popup opened can close it.
        m_pressWatcher = new XInputPressWatcher(this);
        connect(m_pressWatcher, &XInputPressWatcher::pressed, this, [this](const QPoint& global) {
            if (isVisible() && !frameGeometry().contains(global))
                closePopup();
        });
    }
}

void CTipPopup::stopWatching()
{
    if (m_watching) {
        qApp->removeEventFilter(this);
        m_watching = false;
        // Later: this may run inside the watcher's own signal.
        if (m_pressWatcher)
            m_pressWatcher->deleteLater();
        m_pressWatcher = nullptr;
    }
}

bool CTipPopup::eventFilter(QObject* watched, QEvent* event)
{
    // A press in another window of the program means the user turned to it; the press itself
    // goes on unchanged.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() != this)
            closePopup();
    }
    return QWidget::eventFilter(watched, event);
}

void CTipPopup::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        closePopup();
    QWidget::changeEvent(event);
}

void CTipPopup::mousePressEvent(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    closePopup();
    passClickOn(global, event->button(), event->modifiers());
    event->accept();
}

void CTipPopup::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::ToolTipBase));
    painter.setPen(colours.color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    int y = kMargin;
    if (!m_title.isEmpty()) {
        painter.setFont(titleFont(font()));
        const QFontMetrics heading(painter.font());
        painter.drawText(kMargin, y + heading.ascent(), m_title);
        y += heading.lineSpacing() + kTitleGap;
    }
    painter.setFont(font());
    const QFontMetrics body(font());
    for (const QString& line : m_lines) {
        painter.drawText(kMargin, y + body.ascent(), line);
        y += body.lineSpacing();
    }
}

#include "toolkit/TrayIcon.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace {

std::optional<bool>& availableOverride()
{
    static std::optional<bool> value;
    return value;
}

} // namespace

TrayIcon::TrayIcon(QObject* parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &TrayIcon::step);
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::isAvailable()
{
    if (availableOverride())
        return *availableOverride();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::setAvailableForTests(std::optional<bool> available)
{
    availableOverride() = available;
}

bool TrayIcon::create(const QString& tooltip, const QIcon& icon, QMenu* menu)
{
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(this);
        connect(m_tray, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    // Desktops differ in what they report for a left click; the default
                    // command only shows the window, so answering both is harmless.
                    if (reason == QSystemTrayIcon::DoubleClick ||
                        reason == QSystemTrayIcon::Trigger)
                        emit defaultCommand();
                });
    }
    m_icon = icon;
    m_tray->setIcon(m_frame >= 0 && m_frame < m_frames.size() ? m_frames[m_frame] : icon);
    m_tray->setToolTip(tooltip);
    m_tray->setContextMenu(menu);
    m_tray->show();
    return isAvailable();
}

void TrayIcon::showMessage(const QString& title, const QString& text)
{
    m_lastMessage = title + QStringLiteral(": ") + text;
    if (m_tray)
        m_tray->showMessage(title, text, m_icon);
}

void TrayIcon::setAnimationIcons(const QList<QIcon>& icons)
{
    m_frames = icons;
    if (m_frame >= m_frames.size())
        m_frame = -1;
}

void TrayIcon::startAnimation(int periodMs)
{
    if (m_frames.isEmpty() || periodMs <= 0)
        return;
    m_timer.start(periodMs);
}

void TrayIcon::stopAnimation()
{
    m_timer.stop();
    m_frame = -1;
    if (m_tray)
        m_tray->setIcon(m_icon);
}

void TrayIcon::step()
{
    if (m_frames.isEmpty())
        return;
    m_frame = (m_frame + 1) % int(m_frames.size());
    if (m_tray)
        m_tray->setIcon(m_frames[m_frame]);
}

QString TrayIcon::toolTip() const
{
    return m_tray ? m_tray->toolTip() : QString();
}

QIcon TrayIcon::currentIcon() const
{
    return m_tray ? m_tray->icon() : QIcon();
}

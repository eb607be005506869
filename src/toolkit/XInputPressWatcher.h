#pragma once

#include <QObject>
#include <QPoint>
#include <memory>

class QSocketNotifier;

/// Tells of every pointer button press anywhere on the X display, also in other programs,
/// without grabbing the pointer: it listens to the XInput 2 raw button events of the root
/// window over a connection of its own. Where there is no X display or no XInput 2 (Wayland,
/// the offscreen platform) it is not available and tells nothing.
class XInputPressWatcher : public QObject {
    Q_OBJECT
public:
    explicit XInputPressWatcher(QObject* parent = nullptr);
    ~XInputPressWatcher() override;

    bool isAvailable() const;

signals:
    /// A button (not a wheel step) went down; `global` is where the pointer was then.
    void pressed(const QPoint& global);

private:
    void readEvents();

    struct Connection;
    std::unique_ptr<Connection> m_connection;
    QSocketNotifier* m_notifier = nullptr;
};

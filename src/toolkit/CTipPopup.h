#pragma once

#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class XInputPressWatcher;

/// The tip-style popup: a topmost window in the tooltip colours with an optional bold title
/// and a text split into lines at each line feed, sized to those lines. It closes itself when
/// its lifetime ends, when it is clicked (the click goes on to the window beneath it), when
/// the user turns to another window of the program (a click or focus elsewhere), and on an X
/// display with XInput 2 when a pointer button is pressed anywhere outside it, also in another
/// program (seen without grabbing the pointer). It never takes
/// the keyboard focus from the program the user is working in, and it is never resized while
/// shown; it can be moved.
class CTipPopup : public QWidget {
    Q_OBJECT
public:
    explicit CTipPopup(QWidget* owner = nullptr);
    ~CTipPopup() override;

    /// Shows the popup with its top-left corner at `topLeft` (global pixels) for `lifetimeMs`
    /// milliseconds (0 or less: until closed). An open popup is closed first.
    void showTip(const QString& title, const QString& text, const QPoint& topLeft, int lifetimeMs);
    /// Shows a value report beside the cursor, placed by PopupPlacement::forReport on the
    /// screen the cursor is on.
    void showReport(const QString& text, const QPoint& cursor, int lifetimeMs);

    bool isOpen() const { return isVisible(); }
    void closePopup();
    void moveTo(const QPoint& topLeft);

    QString title() const { return m_title; }
    QStringList lines() const { return m_lines; }
    /// The size the popup takes for a title and text.
    QSize sizeFor(const QString& title, const QString& text) const;

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void prepare(const QString& title, const QString& text);
    void announce();
    void startWatching();
    void stopWatching();

    QString m_title;
    QStringList m_lines;
    QTimer m_lifetime;
    bool m_watching = false;
    QPointer<XInputPressWatcher> m_pressWatcher;
};

#pragma once

#include <QLabel>
#include <QUrl>
#include <functional>

/// A label that shows its text as a link and opens its target in the user's default handler
/// (browser, mail program) when clicked or when Space or Enter is pressed on it.
class CHyperLink : public QLabel {
    Q_OBJECT
public:
    using Opener = std::function<bool(const QUrl&)>;

    explicit CHyperLink(const QString& text = QString(), QWidget* parent = nullptr);

    void setUrl(const QUrl& url) { m_url = url; }
    QUrl url() const { return m_url; }
    /// Opens the target; false when there is none or the handler refused it.
    bool open();

    /// Test hook: replaces QDesktopServices::openUrl for every link; an empty opener restores it.
    static void setOpener(Opener opener);

signals:
    void opened(const QUrl& url);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyLook();

    QUrl m_url;
};

#pragma once

#include <QObject>
#include <QString>
#include <optional>

/// The system clipboard as the program watches and writes it. The Qt implementation is
/// QtClipboardViewer; tests use FakeClipboardViewer (tests/support).
class ClipboardViewer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~ClipboardViewer() override = default;

    /// The clipboard's text; nothing when the clipboard holds no text at all (a picture, files,
    /// an owner that has gone away). An empty text is a text.
    virtual std::optional<QString> text() = 0;
    /// Puts plain text on the clipboard as the program's own write, which the clipboard
    /// monitor never looks up; false when the clipboard did not take it. The `changed` signal
    /// of this write is emitted before this returns, with ownWrite true. (A grid's Ctrl+C goes
    /// to the clipboard directly and is looked up like any other copy.)
    virtual bool setText(const QString& text) = 0;

signals:
    /// The clipboard's contents changed. `ownWrite` is true exactly for the change that this
    /// program's own setText made.
    void changed(bool ownWrite);
};

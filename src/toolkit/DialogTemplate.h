#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

/// How a control's edges follow the window when it is resized: for each edge, 0 keeps it at its
/// distance from the left (or top) edge, 1 moves it with the right (or bottom) edge; fractions
/// in between move it part of the way.
struct Anchors {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    /// The rectangle of a control laid out at `base` once the window grew by dx, dy.
    QRect apply(const QRect& base, int dx, int dy) const;
    bool operator==(const Anchors&) const = default;
};

/// One control of a dialog template.
struct ControlTemplate {
    enum class Kind { GroupBox, Edit, Button, Static, Icon, Link, Grid };

    int id = 0;
    Kind kind = Kind::Static;
    QString name;    ///< object name of the widget built for it
    QString caption; ///< text; for an icon, the icon resource number
    QRect rect;      ///< in dialog units
    Anchors anchors;
    QStringList flags; ///< "default", "flat", "autoScroll", "readOnly"
    /// What a screen reader calls the control (its caption without the "&" when empty) and
    /// says it does.
    QString accessibleName;
    QString description;

    bool hasFlag(const QString& flag) const { return flags.contains(flag); }
};

/// A dialog template: caption, size in dialog units, font, frame and controls. Templates are
/// kept as data in the program's resources (":/quorvel/dialogs/dialog<id>.json").
struct DialogTemplate {
    int id = 0;
    QString caption;
    QSize size; ///< in dialog units
    QString fontFamily;
    int fontPointSize = 8;
    bool resizable = false;
    bool minimizeBox = false;
    bool maximizeBox = false;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* control(int controlId) const;

    /// The template with this resource number, loaded once. Throws std::runtime_error when it
    /// is missing or damaged: that is a fault of the build, not of the user's data.
    static const DialogTemplate& get(int templateId);
    /// Parses a template from its JSON text; throws std::runtime_error on a damaged one.
    static DialogTemplate parse(const QByteArray& json);
};

#pragma once

#include "toolkit/DialogTemplate.h"
#include "toolkit/DialogUnits.h"
#include "toolkit/WindowPlacement.h"

#include <QDialog>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

/// A dialog window built from a dialog template: it creates the template's controls at their
/// places (dialog units turned into pixels with the template's font), moves and stretches them
/// by their anchors when resized, can host a menu bar above them, and restores and saves its
/// placement under a section of the settings store.
///
/// Controls are found by id (`control`, `controlAs`); a subclass puts its own widget, such as a
/// grid, at a control's place with `replaceControl`. Buttons 1 and 2 accept and reject the
/// dialog. Closing the window hides it; Escape does not close it unless `setCloseOnEscape(true)`
/// (modal boxes such as About want it); a subclass may override `escapePressed`.
class CResizableDialog : public QDialog {
    Q_OBJECT
public:
    explicit CResizableDialog(int templateId, QWidget* parent = nullptr);
    ~CResizableDialog() override;

    const DialogTemplate& dialogTemplate() const { return m_template; }
    const DialogUnits& dialogUnits() const { return m_units; }

    /// The widget of a control, or nullptr for an id the template does not have.
    QWidget* control(int id) const;
    template <class T> T* controlAs(int id) const { return qobject_cast<T*>(control(id)); }
    /// Puts `widget` at the place and with the anchors of control `id`, in place of the widget
    /// built for it (which is deleted). The dialog takes ownership. Returns `widget`, or nullptr
    /// (and deletes nothing) for an unknown id.
    QWidget* replaceControl(int id, QWidget* widget);
    void setAnchors(int id, const Anchors& anchors);
    /// A control's rectangle in pixels at the dialog's template size (below a hosted menu bar).
    QRect baseRect(int id) const;
    /// The dialog's client size in pixels before any resize (menu bar included).
    QSize baseSize() const { return m_baseSize; }

    /// Puts the bar above the controls and makes the window taller by the bar's height, so the
    /// controls keep their places below it. The dialog takes ownership. Call it before
    /// `setPlacementSection`.
    void hostMenuBar(QMenuBar* bar);
    QMenuBar* hostedMenuBar() const { return m_menuBar; }
    /// Puts `line` below the controls, the window's whole width, and makes the window taller
    /// by its height, as hostMenuBar does above them. The dialog takes ownership. Call it
    /// before `setPlacementSection`.
    void hostStatusLine(QWidget* line);
    /// Puts a bar (an information bar) between the menu bar and the controls, making the window
    /// taller by its height, as hostMenuBar does; `removeTopBar` deletes it and gives the room
    /// back. One at a time.
    void hostTopBar(QWidget* bar);
    void removeTopBar();
    QWidget* topBar() const { return m_topBar; }

    /// The size (in dialog units of the template's font, so it grows with the font) and spot
    /// on the screen the window takes when no placement was saved yet, bounded by the screen.
    /// Call it before `setPlacementSection`; without it the template's size is kept.
    void setDefaultPlacement(const QSize& dialogUnits, WindowPlacement::Spot spot);

    /// Restores the placement saved under `section` now (or takes the default placement) and
    /// saves it there when the dialog is destroyed (if it was ever shown or restored).
    void setPlacementSection(const QString& section);
    QString placementSection() const { return m_section; }
    bool restorePlacement();
    void savePlacement() const;

    void setCloseOnEscape(bool on) { m_closeOnEscape = on; }

    /// Adds an item to the window's own window menu, which opens on a right click on the
    /// window's background: desktops here do not let a program extend their title-bar menu.
    /// Items after the first are preceded by a separator when `separatorBefore` is true.
    QAction* appendWindowMenuItem(const QString& text, bool separatorBefore = true);
    /// The window menu; nullptr until an item was added.
    QMenu* windowMenu() const { return m_windowMenu; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    /// Escape reached the dialog (the focused control did not use it).
    virtual void escapePressed();
    /// Places every control for the current size.
    void layoutControls();

private:
    struct Placed {
        int id;
        QWidget* widget;
        QRect base;
        Anchors anchors;
    };

    QWidget* createControl(const ControlTemplate& control);
    Placed* placed(int id);
    const Placed* placed(int id) const;
    void applyDefaultPlacement();
    /// Makes the window and its least size taller by `height` pixels (shorter for a negative
    /// one).
    void growBy(int height);
    /// Moves the controls down by `height` pixels (up for a negative one) and grows the window
    /// and its least size by it.
    void shiftControls(int height);

    const DialogTemplate& m_template;
    DialogUnits m_units;
    std::vector<Placed> m_controls;
    QSize m_baseSize;
    QMenuBar* m_menuBar = nullptr;
    QWidget* m_statusLine = nullptr;
    int m_statusHeight = 0;
    QWidget* m_topBar = nullptr;
    int m_topBarHeight = 0;
    QMenu* m_windowMenu = nullptr;
    QString m_section;
    QSize m_defaultSize;
    WindowPlacement::Spot m_defaultSpot = WindowPlacement::Spot::Centre;
    bool m_placementKnown = false;
    bool m_closeOnEscape = false;
};

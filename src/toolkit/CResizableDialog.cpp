#include "toolkit/CResizableDialog.h"

#include "toolkit/CHyperLink.h"
#include "toolkit/FlatButton.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Resources.h"
#include "toolkit/WindowPlacement.h"

#include <QContextMenuEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

Qt::WindowFlags flagsFor(const DialogTemplate& dialog)
{
    // Resizable templates are the program's top-level windows; fixed ones are its modal boxes.
    Qt::WindowFlags flags = (dialog.resizable ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint |
                            Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (dialog.minimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    if (dialog.maximizeBox)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

} // namespace

CResizableDialog::CResizableDialog(int templateId, QWidget* parent)
    : QDialog(parent), m_template(DialogTemplate::get(templateId)),
      m_units(DialogUnits::fromFont(
          DialogUnits::templateFont(m_template.fontFamily, m_template.fontPointSize)))
{
    setWindowFlags(flagsFor(m_template));
    setWindowTitle(m_template.caption);
    setWindowIcon(Resources::icon(128));
    setFont(DialogUnits::templateFont(m_template.fontFamily, m_template.fontPointSize));
    setObjectName(QStringLiteral("dialog%1").arg(templateId));

    m_baseSize = m_units.toPixels(m_template.size);
    for (const ControlTemplate& control : m_template.controls) {
        QWidget* widget = createControl(control);
        widget->setObjectName(control.name);
        if (!control.accessibleName.isEmpty())
            widget->setAccessibleName(control.accessibleName);
        widget->setAccessibleDescription(control.description);
        m_controls.push_back({control.id, widget, m_units.toPixels(control.rect), control.anchors});
    }
    if (m_template.resizable)
        setMinimumSize(m_baseSize);
    else
        setFixedSize(m_baseSize);
    resize(m_baseSize);
    layoutControls();
}

CResizableDialog::~CResizableDialog()
{
    if (!m_section.isEmpty() && m_placementKnown)
        savePlacement();
}

QWidget* CResizableDialog::createControl(const ControlTemplate& control)
{
    switch (control.kind) {
    case ControlTemplate::Kind::GroupBox:
        return new GroupBox(control.caption, this);
    case ControlTemplate::Kind::Edit: {
        auto* edit = new QLineEdit(control.caption, this);
        edit->setReadOnly(control.hasFlag(QStringLiteral("readOnly")));
        return edit;
    }
    case ControlTemplate::Kind::Button: {
        QPushButton* button = control.hasFlag(QStringLiteral("flat"))
                                  ? new FlatButton(control.caption, this)
                                  : new QPushButton(control.caption, this);
        button->setDefault(control.hasFlag(QStringLiteral("default")));
        if (control.id == 1)
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
        else if (control.id == 2)
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
        return button;
    }
    case ControlTemplate::Kind::Static:
        return new QLabel(control.caption, this);
    case ControlTemplate::Kind::Icon: {
        auto* label = new QLabel(this);
        const QRect pixels = m_units.toPixels(control.rect);
        const int side = std::min(pixels.width(), pixels.height());
        label->setPixmap(Resources::icon(control.caption.toInt()).pixmap(side, side));
        return label;
    }
    case ControlTemplate::Kind::Link:
        return new CHyperLink(control.caption, this);
    case ControlTemplate::Kind::Grid: {
        // Stands in until the window puts its grid here with replaceControl.
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::StyledPanel);
        return frame;
    }
    }
    return new QWidget(this);
}

CResizableDialog::Placed* CResizableDialog::placed(int id)
{
    for (Placed& p : m_controls) {
        if (p.id == id)
            return &p;
    }
    return nullptr;
}

const CResizableDialog::Placed* CResizableDialog::placed(int id) const
{
    return const_cast<CResizableDialog*>(this)->placed(id);
}

QWidget* CResizableDialog::control(int id) const
{
    const Placed* p = placed(id);
    return p ? p->widget : nullptr;
}

QWidget* CResizableDialog::replaceControl(int id, QWidget* widget)
{
    Placed* p = placed(id);
    if (!p || !widget)
        return nullptr;
    if (p->widget == widget)
        return widget;
    QWidget* old = p->widget;
    widget->setParent(this);
    if (widget->objectName().isEmpty())
        widget->setObjectName(old->objectName());
    if (widget->accessibleName().isEmpty())
        widget->setAccessibleName(old->accessibleName());
    if (widget->accessibleDescription().isEmpty())
        widget->setAccessibleDescription(old->accessibleDescription());
    widget->setGeometry(old->geometry());
    widget->setVisible(!old->isHidden());
    p->widget = widget;
    delete old;
    return widget;
}

void CResizableDialog::setAnchors(int id, const Anchors& anchors)
{
    if (Placed* p = placed(id)) {
        p->anchors = anchors;
        layoutControls();
    }
}

QRect CResizableDialog::baseRect(int id) const
{
    const Placed* p = placed(id);
    return p ? p->base : QRect();
}

void CResizableDialog::hostMenuBar(QMenuBar* bar)
{
    if (!bar || m_menuBar)
        return;
    m_menuBar = bar;
    bar->setParent(this);
    bar->setNativeMenuBar(false);
    shiftControls(bar->sizeHint().height());
    bar->show();
    layoutControls();
}

void CResizableDialog::hostTopBar(QWidget* bar)
{
    if (!bar || m_topBar)
        return;
    m_topBar = bar;
    bar->setParent(this);
    m_topBarHeight = bar->sizeHint().height();
    shiftControls(m_topBarHeight);
    bar->show();
    layoutControls();
}

void CResizableDialog::removeTopBar()
{
    if (!m_topBar)
        return;
    m_topBar->hide();
    m_topBar->deleteLater();
    m_topBar = nullptr;
    shiftControls(-m_topBarHeight);
    m_topBarHeight = 0;
    layoutControls();
}

void CResizableDialog::shiftControls(int height)
{
    for (Placed& p : m_controls)
        p.base.translate(0, height);
    growBy(height);
}

void CResizableDialog::hostStatusLine(QWidget* line)
{
    if (!line || m_statusLine)
        return;
    m_statusLine = line;
    line->setParent(this);
    m_statusHeight = line->sizeHint().height();
    growBy(m_statusHeight);
    line->show();
    layoutControls();
}

void CResizableDialog::growBy(int height)
{
    const QSize changed(width(), this->height() + height);
    m_baseSize.rheight() += height;
    if (m_template.resizable)
        setMinimumSize(m_baseSize);
    else
        setFixedSize(m_baseSize);
    resize(changed);
}

void CResizableDialog::layoutControls()
{
    const int dx = width() - m_baseSize.width();
    const int dy = height() - m_baseSize.height();
    const int menuHeight = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    if (m_menuBar)
        m_menuBar->setGeometry(0, 0, width(), menuHeight);
    if (m_topBar)
        m_topBar->setGeometry(0, menuHeight, width(), m_topBarHeight);
    if (m_statusLine)
        m_statusLine->setGeometry(0, height() - m_statusHeight, width(), m_statusHeight);
    for (const Placed& p : m_controls)
        p.widget->setGeometry(p.anchors.apply(p.base, dx, dy));
}

void CResizableDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutControls();
}

void CResizableDialog::showEvent(QShowEvent* event)
{
    m_placementKnown = true;
    QDialog::showEvent(event);
}

void CResizableDialog::setDefaultPlacement(const QSize& dialogUnits, WindowPlacement::Spot spot)
{
    m_defaultSize = m_units.toPixels(dialogUnits);
    m_defaultSpot = spot;
}

void CResizableDialog::setPlacementSection(const QString& section)
{
    m_section = section;
    if (!restorePlacement())
        applyDefaultPlacement();
}

void CResizableDialog::applyDefaultPlacement()
{
    const QList<QRect> screens = WindowPlacement::availableScreens();
    if (m_defaultSize.isEmpty() || screens.isEmpty())
        return;
    // The template's own size is the least the window takes, unless the screen is smaller.
    const QRect place = WindowPlacement::defaultRect(m_defaultSize.expandedTo(m_baseSize),
                                                     m_defaultSpot, screens.front());
    setMinimumSize(minimumSize().boundedTo(place.size()));
    // The window manager places a window of the middle; a pair is placed here, side by side.
    if (m_defaultSpot == WindowPlacement::Spot::Centre)
        resize(place.size());
    else
        setGeometry(place);
    layoutControls();
}

bool CResizableDialog::restorePlacement()
{
    if (m_section.isEmpty() || !WindowPlacement::restore(m_section, *this))
        return false;
    m_placementKnown = true;
    layoutControls();
    return true;
}

void CResizableDialog::savePlacement() const
{
    if (!m_section.isEmpty())
        WindowPlacement::save(m_section, *this);
}

void CResizableDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        escapePressed();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CResizableDialog::escapePressed()
{
    if (m_closeOnEscape)
        reject();
}

QAction* CResizableDialog::appendWindowMenuItem(const QString& text, bool separatorBefore)
{
    if (!m_windowMenu) {
        m_windowMenu = new QMenu(this);
        m_windowMenu->setObjectName(QStringLiteral("windowMenu"));
    } else if (separatorBefore) {
        m_windowMenu->addSeparator();
    }
    return m_windowMenu->addAction(text);
}

void CResizableDialog::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_windowMenu) {
        QDialog::contextMenuEvent(event);
        return;
    }
    m_windowMenu->popup(event->globalPos());
    event->accept();
}

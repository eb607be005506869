#pragma once

#include <QPushButton>

/// A push button drawn flat: a thin outline until the pointer is over it or it has the focus,
/// when it is drawn raised.
class FlatButton : public QPushButton {
    Q_OBJECT
public:
    explicit FlatButton(const QString& text, QWidget* parent = nullptr);

    /// Whether the button is drawn raised now (pointer over it, or focused).
    bool isRaised() const { return !isFlat(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateLook();

    bool m_hovered = false;
};

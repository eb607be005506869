#pragma once

#include <QGroupBox>

/// A group box drawn the way dialog templates lay them out: an etched frame whose top line
/// runs through the middle of the caption, so controls placed just below the caption sit
/// inside the frame. The caption is set and read as for any QGroupBox.
class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit GroupBox(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

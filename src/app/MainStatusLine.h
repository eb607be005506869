#pragma once

#include <QLabel>

class CardCatalogue;

/// The line at the foot of the main window. Until prices are first imported it says that the
/// prices shown are the made-up sample ones; after that it is empty.
class MainStatusLine : public QLabel {
    Q_OBJECT
public:
    explicit MainStatusLine(QWidget* parent = nullptr);

    /// Says what the loaded catalogue's prices are.
    void Update(const CardCatalogue& catalogue);
};

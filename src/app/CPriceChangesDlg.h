#pragma once

#include "trade/PriceChangeReport.h"

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLabel;
class QTreeWidget;

/// The "Price changes" window: the largest risers and fallers since each card's previous
/// price (regular and foil, by absolute change), "Only cards I own", and the collection's
/// worth before and after. A double click on a card asks for its price history chart.
class CPriceChangesDlg : public QDialog {
    Q_OBJECT
public:
    /// Cards listed of each kind (regular risers, foil risers, regular fallers, foil fallers).
    static constexpr std::size_t kListed = 25;

    explicit CPriceChangesDlg(QWidget* parent = nullptr);

    /// Shows a new report; `worth` is the collection's worth before and after its moves.
    void SetReport(PriceChangeReport report, const WorthChange& worth);

    QTreeWidget* Risers() const { return m_risers; }
    QTreeWidget* Fallers() const { return m_fallers; }
    QCheckBox* OnlyOwned() const { return m_onlyOwned; }
    QString WorthText() const;

signals:
    void priceHistoryRequested(std::int32_t cardId);

private:
    QTreeWidget* MakeList(const QString& name);
    void Fill();

    PriceChangeReport m_report;
    QLabel* m_day = nullptr;
    QLabel* m_worth = nullptr;
    QCheckBox* m_onlyOwned = nullptr;
    QTreeWidget* m_risers = nullptr;
    QTreeWidget* m_fallers = nullptr;
};

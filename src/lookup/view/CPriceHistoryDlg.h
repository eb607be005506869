#pragma once

#include "lookup/PriceChartPlan.h"

#include <QDialog>

class QChartView;
class QLabel;
class QLineSeries;

/// The "Price history" window of one card: a line chart of its regular and foil values over
/// time, and of the store's buylist (what its bots pay) where known, dates along the bottom, the value of a point in a tip when the pointer is over it, and
/// a line above the chart when it holds a single point.
class CPriceHistoryDlg : public QDialog {
    Q_OBJECT
public:
    /// `title` names the card ("Wrath of God (Seventh Edition)").
    CPriceHistoryDlg(const QString& title, const PriceChartPlan& plan, QWidget* parent = nullptr);
    ~CPriceHistoryDlg() override;

    QLineSeries* RegularSeries() const { return m_regular; }
    QLineSeries* FoilSeries() const { return m_foil; }
    /// The buylist of the regular and of the foil version: null when no day gives it.
    QLineSeries* BuylistSeries() const { return m_buylist; }
    QLineSeries* FoilBuylistSeries() const { return m_foilBuylist; }
    QString Note() const;
    /// The tip text of the point last hovered; empty once the pointer left it.
    QString HoverText() const { return m_hoverText; }

private:
    void OnHovered(QLineSeries* series, const QPointF& point, bool state);

    PriceChartPlan m_plan;
    QLabel* m_note = nullptr;
    QChartView* m_view = nullptr;
    QLineSeries* m_regular = nullptr;
    QLineSeries* m_foil = nullptr;
    QLineSeries* m_buylist = nullptr;
    QLineSeries* m_foilBuylist = nullptr;
    QString m_hoverText;
};

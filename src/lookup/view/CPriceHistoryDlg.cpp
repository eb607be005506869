#include "lookup/view/CPriceHistoryDlg.h"

#include "data/PriceHistory.h"
#include "grid/GridPalette.h"
#include "lookup/ChartTicks.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDateTime>
#include <QLabel>
#include <QLineSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <QPen>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <vector>

namespace {

QDateTime DayOf(const std::string& date)
{
    // Noon UTC: a day's point stays on its day in every time zone.
    return QDateTime(QDate::fromString(QString::fromStdString(date), Qt::ISODate), QTime(12, 0),
                     Qt::UTC);
}

QDateTime DayOf(int day)
{
    return DayOf(price_history::DateOfDay(day));
}

QLineSeries* MakeSeries(const QString& name, const QColor& colour, QChart* chart)
{
    auto* series = new QLineSeries(chart);
    series->setName(name);
    QPen pen(colour);
    pen.setWidthF(2.0);
    series->setPen(pen);
    // A single day draws no line: its marker must show it.
    series->setPointsVisible(true);
    series->setMarkerSize(7.0);
    return series;
}

} // namespace

CPriceHistoryDlg::CPriceHistoryDlg(const QString& title, const PriceChartPlan& plan,
                                   QWidget* parent)
    : QDialog(parent), m_plan(plan)
{
    setObjectName("priceHistoryWindow");
    setWindowTitle(QStringLiteral("Price history - %1").arg(title));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 400);

    auto* chart = new QChart;
    chart->setTitle(title);
    // Every colour comes from the palette, so the chart reads in light and dark schemes alike:
    // the regular line in the link colour, the foil line in a warm shade, both readable.
    const QPalette palette = QApplication::palette();
    const QColor back = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    chart->setBackgroundBrush(back);
    chart->setBackgroundPen(QPen(grid_palette::LineColour(palette)));
    chart->setTitleBrush(text);
    chart->legend()->setLabelColor(text);
    m_regular =
        MakeSeries(QStringLiteral("Regular"), grid_palette::LinkColour(palette, back), chart);
    m_foil = MakeSeries(QStringLiteral("Foil"),
                        grid_palette::Readable(QColor(0xd0, 0x8a, 0x10), back), chart);
    double top = 0.0;
    for (const PricePoint& point : m_plan.points) {
        const qreal x = qreal(DayOf(point.date).toMSecsSinceEpoch());
        m_regular->append(x, point.reg_value);
        m_foil->append(x, point.foil_value);
        top = std::max({top, point.reg_value, point.foil_value});
        // The buylist line starts on the first day that gives it.
        for (const auto& [value, series, name, colour] :
             {std::tuple{point.buy_value, &m_buylist, "Buylist", QColor(0x2e, 0x8b, 0x57)},
              std::tuple{point.buy_foil_value, &m_foilBuylist, "Foil buylist",
                         QColor(0x8b, 0x45, 0x13)}}) {
            if (!value) {
                continue;
            }
            if (*series == nullptr) {
                *series = MakeSeries(QString::fromLatin1(name), colour, chart);
                (*series)->setPen(QPen(colour, 2.0, Qt::DashLine));
            }
            (*series)->append(x, *value);
            top = std::max(top, *value);
        }
    }
    std::vector<QLineSeries*> lines = {m_regular, m_foil};
    for (QLineSeries* buylist : {m_buylist, m_foilBuylist}) {
        if (buylist != nullptr) {
            lines.push_back(buylist);
        }
    }
    for (QLineSeries* series : lines) {
        chart->addSeries(series);
    }

    // Dates at whole, evenly spaced days (weeks or months for long histories), values at round
    // steps from 0.
    auto* dates = new QCategoryAxis(chart);
    dates->setTitleText(QStringLiteral("Date"));
    dates->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    auto* values = new QValueAxis(chart);
    values->setTitleText(QStringLiteral("Tix"));
    if (!m_plan.points.empty()) {
        const chart_ticks::DateTicks axis =
            chart_ticks::ForDays(price_history::DayNumber(m_plan.points.front().date),
                                 price_history::DayNumber(m_plan.points.back().date));
        dates->setStartValue(qreal(DayOf(axis.first).toMSecsSinceEpoch()));
        for (const chart_ticks::DateTick& tick : axis.ticks) {
            dates->append(QString::fromStdString(tick.label),
                          qreal(DayOf(tick.day).toMSecsSinceEpoch()));
        }
        dates->setRange(qreal(DayOf(axis.first).toMSecsSinceEpoch()),
                        qreal(DayOf(axis.last).toMSecsSinceEpoch()));
    }
    const chart_ticks::ValueTicks ticks = chart_ticks::ForValues(top);
    values->setRange(0.0, ticks.top);
    values->setTickCount(ticks.count);
    values->setLabelFormat(QStringLiteral("%.%1f").arg(ticks.decimals));
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(dates), static_cast<QAbstractAxis*>(values)}) {
        axis->setLabelsBrush(text);
        axis->setTitleBrush(text);
        axis->setLinePenColor(grid_palette::LineColour(palette));
        axis->setGridLineColor(grid_palette::LineColour(palette));
    }
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    for (QLineSeries* series : lines) {
        series->attachAxis(dates);
        series->attachAxis(values);
        connect(
            series, &QLineSeries::hovered, this,
            [this, series](const QPointF& point, bool state) { OnHovered(series, point, state); });
    }

    m_note = new QLabel(QString::fromStdString(m_plan.note), this);
    m_note->setObjectName("priceNote");
    m_note->setWordWrap(true);
    m_note->setVisible(!m_plan.note.empty());
    m_view = new QChartView(chart, this);
    m_view->setObjectName("priceChart");
    m_view->setAccessibleName(QStringLiteral("Price history of %1").arg(title));
    m_view->setAccessibleDescription(
        m_plan.points.empty()
            ? QString()
            : QStringLiteral(
                  "Regular and foil values from %1 to %2; point at a day to hear its value")
                  .arg(QString::fromStdString(m_plan.points.front().date),
                       QString::fromStdString(m_plan.points.back().date)));
    m_view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    layout->addWidget(m_view, 1);
}

CPriceHistoryDlg::~CPriceHistoryDlg() = default;

QString CPriceHistoryDlg::Note() const
{
    return m_note->text();
}

void CPriceHistoryDlg::OnHovered(QLineSeries* series, const QPointF& point, bool state)
{
    if (!state) {
        m_hoverText.clear();
        QToolTip::hideText();
        return;
    }
    // The pointer rarely sits on the point itself: name the day nearest to it.
    const PricePoint* nearest = nullptr;
    qint64 distance = 0;
    for (const PricePoint& candidate : m_plan.points) {
        const qint64 gap =
            std::llabs(DayOf(candidate.date).toMSecsSinceEpoch() - qint64(point.x()));
        if (nearest == nullptr || gap < distance) {
            nearest = &candidate;
            distance = gap;
        }
    }
    if (nearest == nullptr) {
        return;
    }
    std::optional<double> value = nearest->reg_value;
    if (series == m_foil) {
        value = nearest->foil_value;
    } else if (series == m_buylist) {
        value = nearest->buy_value;
    } else if (series == m_foilBuylist) {
        value = nearest->buy_foil_value;
    }
    if (!value) {
        return;
    }
    m_hoverText = QString::fromStdString(
        PricePointText(nearest->date, series->name().toStdString(), *value));
    QToolTip::showText(QCursor::pos(), m_hoverText, m_view);
}

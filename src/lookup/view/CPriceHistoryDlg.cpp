#include "lookup/view/CPriceHistoryDlg.h"

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

#include <QPen>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <vector>

namespace {

constexpr qint64 kDayMs = 24LL * 60 * 60 * 1000;

QDateTime DayOf(const std::string& date)
{
    // Noon UTC: a day's point stays on its day in every time zone.
    return QDateTime(QDate::fromString(QString::fromStdString(date), Qt::ISODate), QTime(12, 0), Qt::UTC);
}

QLineSeries* MakeSeries(const QString& name, const QColor& colour, QChart* chart)
{
    auto* series = new QLineSeries(chart);
    series->setName(name);
    series->setColor(colour);
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
    m_regular = MakeSeries(QStringLiteral("Regular"), QColor(0x1f, 0x6f, 0xb4), chart);
    m_foil = MakeSeries(QStringLiteral("Foil"), QColor(0xd0, 0x8a, 0x10), chart);
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

    auto* dates = new QDateTimeAxis(chart);
    dates->setFormat(QStringLiteral("yyyy-MM-dd"));
    dates->setTitleText(QStringLiteral("Date"));
    auto* values = new QValueAxis(chart);
    values->setTitleText(QStringLiteral("Tix"));
    values->setLabelFormat(QStringLiteral("%.2f"));
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    for (QLineSeries* series : lines) {
        series->attachAxis(dates);
        series->attachAxis(values);
        connect(series, &QLineSeries::hovered, this,
                [this, series](const QPointF& point, bool state) {
                    OnHovered(series, point, state);
                });
    }
    // A single day, or values that never move, would give the axes an empty range.
    if (!m_plan.points.empty()) {
        const QDateTime first = DayOf(m_plan.points.front().date);
        const QDateTime last = DayOf(m_plan.points.back().date);
        dates->setRange(first.addMSecs(first == last ? -kDayMs : 0),
                        last.addMSecs(first == last ? kDayMs : 0));
        dates->setTickCount(first == last ? 3 : std::min<int>(int(m_plan.points.size()), 7));
    }
    values->setRange(0.0, top > 0.0 ? top * 1.1 : 1.0);

    m_note = new QLabel(QString::fromStdString(m_plan.note), this);
    m_note->setObjectName("priceNote");
    m_note->setWordWrap(true);
    m_note->setVisible(!m_plan.note.empty());
    m_view = new QChartView(chart, this);
    m_view->setObjectName("priceChart");
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

#include "StatisticsCharts.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// Markers on every point while they stay apart; a line alone beyond that.
constexpr int MarkedPointsLimit = 60;
constexpr Qt::PenStyle SeatDashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};

QChart* NewChart(const QString& title, bool dark) {
  auto* chart = new QChart;
  chart->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setAnimationOptions(QChart::NoAnimation);
  return chart;
}

QLineSeries* AddLine(QChart* chart, const QString& name, const QList<QPointF>& points,
                     Qt::PenStyle dash, qreal width) {
  auto* line = new QLineSeries;
  line->setName(name);
  line->replace(points);
  chart->addSeries(line);  // the theme gives it its colour
  QPen pen = line->pen();
  pen.setStyle(dash);
  pen.setWidthF(width);
  line->setPen(pen);
  line->setPointsVisible(points.size() <= MarkedPointsLimit);
  return line;
}

// An axis over the range, a little wider than the values so that no line
// runs along the frame.
QValueAxis* NewAxis(const QString& title, double low, double high, bool whole) {
  if (high - low < 1) {
    low -= 1;
    high += 1;
  }
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setRange(low, high);
  axis->setLabelFormat(QStringLiteral("%d"));
  if (whole)
    axis->setTickCount(int(std::min<double>(high - low, 8)) + 1);
  else
    axis->applyNiceNumbers();
  return axis;
}

void AttachAxes(QChart* chart, QValueAxis* x, QValueAxis* y) {
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
}

QChartView* NewView(QChart* chart, const QString& name, const QString& summary, QWidget* parent) {
  auto* view = new QChartView(chart, parent);
  view->setRenderHint(QPainter::Antialiasing);
  view->setAccessibleName(name);
  view->setAccessibleDescription(summary);
  view->setToolTip(summary);
  view->setMinimumSize(360, 260);
  return view;
}

}  // namespace

QChartView* CreateMatchChart(const varlo::TMatchCurve& curve, const QString& title, bool dark,
                             QWidget* parent) {
  QChart* chart = NewChart(title, dark);
  double low = 0, high = 0;
  for (int seat = 0; seat < varlo::SeatCount; ++seat) {
    QList<QPointF> points{{0, 0}};
    for (std::size_t deal = 0; deal < curve.Running.size(); ++deal) {
      const double total = double(curve.Running[deal][seat]);
      points.append({double(deal + 1), total});
      low = std::min(low, total);
      high = std::max(high, total);
    }
    AddLine(chart, QString::fromStdString(curve.Names[seat]), points, SeatDashes[seat],
            seat == 0 ? 3 : 2);
  }
  AttachAxes(chart, NewAxis(QStringLiteral("Deal"), 0, double(curve.Running.size()), true),
             NewAxis(QStringLiteral("Points"), low, high, false));
  return NewView(chart, title + QStringLiteral(": running totals"), MatchSummary(curve), parent);
}

QChartView* CreateTotalsChart(const std::vector<varlo::TTotalPoint>& points, bool dark,
                              QWidget* parent) {
  const QString title = QStringLiteral("Your total in every finished match");
  QChart* chart = NewChart(title, dark);
  QList<QPointF> totals, averages;
  totals.reserve(qsizetype(points.size()));
  averages.reserve(qsizetype(points.size()));
  double low = 0, high = 0;
  for (const varlo::TTotalPoint& p : points) {
    totals.append({double(p.Number), double(p.Total)});
    averages.append({double(p.Number), p.MovingAverage});
    low = std::min(low, double(p.Total));
    high = std::max(high, double(p.Total));
  }
  AddLine(chart, QStringLiteral("Total"), totals, Qt::SolidLine, 1);
  AddLine(chart, QStringLiteral("Average of the last %1").arg(varlo::MovingAverageSpan), averages,
          Qt::DashLine, 3);
  AttachAxes(chart,
             NewAxis(QStringLiteral("Match"), points.empty() ? 0 : 1, double(points.size()), true),
             NewAxis(QStringLiteral("Points"), low, high, false));
  return NewView(chart, title, TotalsSummary(points), parent);
}

QString MatchSummary(const varlo::TMatchCurve& curve) {
  if (curve.Running.empty()) return QStringLiteral("No deal has been played yet.");
  QStringList totals;
  for (int seat = 0; seat < varlo::SeatCount; ++seat)
    totals << QStringLiteral("%1 %2")
                  .arg(QString::fromStdString(curve.Names[seat]))
                  .arg(curve.Running.back()[seat]);
  return QStringLiteral("After %1 of 32 deals: %2.")
      .arg(curve.Running.size())
      .arg(totals.join(QStringLiteral(", ")));
}

QString TotalsSummary(const std::vector<varlo::TTotalPoint>& points) {
  if (points.empty()) return QStringLiteral("No match has been finished yet.");
  const auto [worst, best] = std::minmax_element(
      points.begin(), points.end(), [](const auto& a, const auto& b) { return a.Total < b.Total; });
  return QStringLiteral(
             "%1 finished matches. Your last total %2, the average of the last %3 %4; "
             "best %5, worst %6.")
      .arg(points.size())
      .arg(points.back().Total)
      .arg(varlo::MovingAverageSpan)
      .arg(points.back().MovingAverage, 0, 'f', 1)
      .arg(best->Total)
      .arg(worst->Total);
}

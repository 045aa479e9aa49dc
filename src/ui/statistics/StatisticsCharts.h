// The statistics window's two charts. A chart is a picture to a screen
// reader: each carries an accessible name and a description that sums it
// up, and a table beside it holds the same numbers. Lines differ in their
// dash as well as in their colour.
#pragma once

#include <QString>
#include <vector>

#include "statistics_figures.h"

class QChartView;
class QWidget;

/// The four running totals of one match, deal by deal.
QChartView* CreateMatchChart(const varlo::TMatchCurve& curve, const QString& title, bool dark,
                             QWidget* parent);
/// Every total with its moving average.
QChartView* CreateTotalsChart(const std::vector<varlo::TTotalPoint>& points, bool dark,
                              QWidget* parent);

/// The chart's numbers in a sentence.
QString MatchSummary(const varlo::TMatchCurve& curve);
QString TotalsSummary(const std::vector<varlo::TTotalPoint>& points);

// Info > Statistics: the figures of the statistics log by level of the
// opponents and by contract, and two charts, each beside a table of the
// same numbers: the last match (or the one under way) and every total.
#pragma once

#include <QDialog>

#include "StatisticsView.h"

class QTabWidget;
class QTableView;
class TFiguresModel;

class TfrmStatistics : public QDialog {
  Q_OBJECT

 public:
  TfrmStatistics(const varlo::TStatisticsView& view, QWidget* parent = nullptr);

 private:
  /// The pages of the charts are made when first shown: the window opens
  /// as soon as its summary is ready.
  void FillPage(int index);
  QWidget* CreateSummaryPage();
  QWidget* CreateMatchPage();
  QWidget* CreateTotalsPage();
  /// A read-only table over the model, named for screen readers. A short
  /// one shows all its rows and fills the width; a long one scrolls.
  QTableView* CreateTable(TFiguresModel* model, const char* objectName, const QString& name,
                          bool shortTable = false);

  const varlo::TStatisticsView View;
  /// "This match" while one is under way on the table, else "Last match".
  QString MatchTitle;
  QTabWidget* Tabs = nullptr;
};

#include "StatisticsDialog.h"

#include <QChartView>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <functional>

#include "FiguresModel.h"
#include "StatisticsCharts.h"
#include "ThemeColours.h"

namespace {

using varlo::TLevelFigures;

const QString None = QStringLiteral("\u2013");
const QStringList LevelNames = {QStringLiteral("Classic"), QStringLiteral("Steady"),
                                QStringLiteral("Strong")};

QString Average(double value, int count) {
  return count > 0 ? QString::number(value, 'f', 1) : None;
}

struct TSummaryRow {
  const char* Name;
  std::function<QString(const TLevelFigures&)> Text;
};

const std::vector<TSummaryRow>& SummaryRows() {
  static const std::vector<TSummaryRow> rows = {
      {"Matches finished", [](const TLevelFigures& f) { return QString::number(f.Finished); }},
      {"Matches abandoned", [](const TLevelFigures& f) { return QString::number(f.Abandoned); }},
      {"Finished with help (counted apart)",
       [](const TLevelFigures& f) { return QString::number(f.Assisted); }},
      {"Won (first place)", [](const TLevelFigures& f) { return QString::number(f.Won); }},
      {"Of these, first place shared",
       [](const TLevelFigures& f) { return QString::number(f.SharedWins); }},
      {"Win rate",
       [](const TLevelFigures& f) {
         return f.Finished ? QStringLiteral("%1 %").arg(100 * f.WinRate, 0, 'f', 1) : None;
       }},
      {"Average total", [](const TLevelFigures& f) { return Average(f.AverageTotal, f.Finished); }},
      {"Best total",
       [](const TLevelFigures& f) { return f.Finished ? QString::number(f.BestTotal) : None; }},
      {"Worst total",
       [](const TLevelFigures& f) { return f.Finished ? QString::number(f.WorstTotal) : None; }},
      {"Current winning streak",
       [](const TLevelFigures& f) { return QString::number(f.CurrentStreak); }},
      {"Longest winning streak",
       [](const TLevelFigures& f) { return QString::number(f.LongestStreak); }},
  };
  return rows;
}

QString ContractCell(const varlo::TContractFigures& f, int column) {
  const varlo::TContractSide& side = column < 3 ? f.Chosen : f.Others;
  switch (column % 3) {
    case 0:
      return QString::number(side.Deals);
    case 1:
      return Average(side.You, side.Deals);
    default:
      return Average(side.Computers, side.Deals);
  }
}

// A record's date, read in the player's own time.
QString LocalDate(const std::string& iso) {
  const QDateTime utc = QDateTime::fromString(QString::fromStdString(iso), Qt::ISODate);
  return utc.isValid() ? utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                       : QString::fromStdString(iso);
}

QString RulesText(const varlo::TStatisticsView& view) {
  QString text = QStringLiteral(
      "A tie for first place counts as a win. Matches finished with help (a card taken back) "
      "are counted apart and in no other figure. Abandoned matches are in no average, but "
      "one ends a winning streak. The averages by contract take every deal of the matches "
      "without help, against any opponents.");
  if (view.Damaged > 0)
    text += QStringLiteral(" %1 damaged line(s) of the log were skipped.").arg(view.Damaged);
  if (view.Newer > 0)
    text += QStringLiteral(" %1 line(s) from a newer version of the game were skipped.")
                .arg(view.Newer);
  if (view.Partial)
    text += QStringLiteral(" The log is very large: only its latest part was read.");
  return text;
}

QLabel* WrappedLabel(const QString& text, const char* objectName, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(objectName));
  label->setWordWrap(true);
  return label;
}

}  // namespace

TfrmStatistics::TfrmStatistics(const varlo::TStatisticsView& view, QWidget* parent)
    : QDialog(parent), View(view) {
  setObjectName(QStringLiteral("frmStatistics"));
  setWindowTitle(QStringLiteral("Statistics"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  if (!view.Keeping) {
    layout->addWidget(
        WrappedLabel(QStringLiteral("Statistics are not being kept. To keep them, tick "
                                    "Options > Preferences > Keep statistics."),
                     "lblKeeping", this));
  }
  const bool current =
      view.MatchInWindow && view.Figures.LastMatch && !view.Figures.LastMatch->Finished;
  MatchTitle = current ? QStringLiteral("This match") : QStringLiteral("Last match");
  Tabs = new QTabWidget(this);
  Tabs->setObjectName(QStringLiteral("tabStatistics"));
  Tabs->addTab(CreateSummaryPage(), QStringLiteral("&Summary"));
  Tabs->addTab(new QWidget,
               current ? QStringLiteral("&This match") : QStringLiteral("&Last match"));
  Tabs->addTab(new QWidget, QStringLiteral("&All matches"));
  connect(Tabs, &QTabWidget::currentChanged, this, &TfrmStatistics::FillPage);
  layout->addWidget(Tabs);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("btnClose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(900, 680);
  FitColoursToTheme(this);
}

void TfrmStatistics::FillPage(int index) {
  QWidget* page = Tabs->widget(index);
  if (index == 0 || !page || page->layout()) return;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(index == 1 ? CreateMatchPage() : CreateTotalsPage());
  FitColoursToTheme(page);
}

QTableView* TfrmStatistics::CreateTable(TFiguresModel* model, const char* objectName,
                                        const QString& name, bool shortTable) {
  auto* table = new QTableView(this);
  table->setObjectName(QLatin1String(objectName));
  model->setParent(table);
  table->setModel(model);
  table->setAccessibleName(name);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setTabKeyNavigation(false);
  // Rows as high as their text: a table of every match is long enough.
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  if (!shortTable) {
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
  }
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return table;
}

QWidget* TfrmStatistics::CreateSummaryPage() {
  const varlo::TStatisticsView& view = View;
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  QStringList rowNames;
  for (const auto& row : SummaryRows()) rowNames << QString::fromLatin1(row.Name);
  const auto levels = view.Figures.Levels;
  auto* summary = new TFiguresModel(
      LevelNames, rowNames, int(rowNames.size()), 0, [levels](int row, int column) {
        return SummaryRows()[std::size_t(row)].Text(levels[std::size_t(column)]);
      });
  layout->addWidget(
      CreateTable(summary, "tvSummary", QStringLiteral("Your matches by opponents"), true));

  QStringList contractNames;
  for (const std::string& name : view.ContractNames) contractNames << QString::fromStdString(name);
  const auto contracts = view.Figures.Contracts;
  auto* byContract = new TFiguresModel(
      {QStringLiteral("You chose:\ndeals"), QStringLiteral("You chose:\nyour average"),
       QStringLiteral("You chose:\ncomputers' average"), QStringLiteral("Others chose:\ndeals"),
       QStringLiteral("Others chose:\nyour average"),
       QStringLiteral("Others chose:\ncomputers' average")},
      contractNames, varlo::ContractCount, 0, [contracts](int row, int column) {
        return ContractCell(contracts[std::size_t(row)], column);
      });
  layout->addWidget(CreateTable(
      byContract, "tvContracts",
      QStringLiteral("Points a deal by contract, when you chose it and when others did"), true));
  layout->addWidget(WrappedLabel(RulesText(view), "lblRules", page));
  layout->addStretch();
  return page;
}

QWidget* TfrmStatistics::CreateMatchPage() {
  const QString& title = MatchTitle;
  const varlo::TMatchCurve curve = View.Figures.LastMatch.value_or(varlo::TMatchCurve{});
  auto* page = new QSplitter(Qt::Horizontal, this);
  QString heading = title + QStringLiteral(" against ") + LevelNames.value(int(curve.Opponents));
  if (!curve.Date.empty()) heading += QStringLiteral(", ") + LocalDate(curve.Date);
  QChartView* chart = CreateMatchChart(curve, heading, IsDarkPalette(palette()), page);
  chart->setObjectName(QStringLiteral("chartMatch"));
  QStringList columns = {QStringLiteral("Contract"), QStringLiteral("Chosen by")};
  for (const std::string& name : curve.Names) columns << QString::fromStdString(name);
  const auto names = View.ContractNames;
  auto* model = new TFiguresModel(
      columns, {}, int(curve.Running.size()), 2, [curve, names](int row, int column) {
        const varlo::TDealResult& deal = curve.Deals[std::size_t(row)];
        if (column == 0) return QString::fromStdString(names[std::size_t(deal.Contract)]);
        if (column == 1) return QString::fromStdString(curve.Names[std::size_t(deal.Chooser)]);
        return QString::number(curve.Running[std::size_t(row)][std::size_t(column - 2)]);
      });
  page->addWidget(chart);
  page->addWidget(
      CreateTable(model, "tvMatch", title + QStringLiteral(": running totals after each deal")));
  page->setStretchFactor(0, 3);
  page->setStretchFactor(1, 2);
  return page;
}

QWidget* TfrmStatistics::CreateTotalsPage() {
  const auto& points = View.Figures.Totals;
  auto* page = new QSplitter(Qt::Horizontal, this);
  QChartView* chart = CreateTotalsChart(points, IsDarkPalette(palette()), page);
  chart->setObjectName(QStringLiteral("chartTotals"));
  auto* model = new TFiguresModel(
      {QStringLiteral("Date"), QStringLiteral("Opponents"), QStringLiteral("Total"),
       QStringLiteral("Average of the last %1").arg(varlo::MovingAverageSpan)},
      {}, int(points.size()), 2, [&points](int row, int column) {
        const varlo::TTotalPoint& p = points[std::size_t(row)];
        switch (column) {
          case 0:
            return LocalDate(p.Date);
          case 1:
            return LevelNames.value(int(p.Opponents));
          case 2:
            return QString::number(p.Total);
          default:
            return QString::number(p.MovingAverage, 'f', 1);
        }
      });
  page->addWidget(chart);
  page->addWidget(
      CreateTable(model, "tvTotals", QStringLiteral("Your total in every finished match")));
  page->setStretchFactor(0, 3);
  page->setStretchFactor(1, 2);
  return page;
}

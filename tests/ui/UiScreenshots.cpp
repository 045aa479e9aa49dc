// Pictures of the table and of every dialog, written as PNG files for a
// person to look at (the build folder's "screenshots").
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>

#include "Contrast.h"
#include "GameChooser.h"
#include "HelpWindow.h"
#include "ModalAnswers.h"
#include "Points.h"
#include "Records.h"
#include "PreferencesDialog.h"
#include "TestWindow.h"
#include "match_runner.h"
#include "records.h"
#include "statistics_log.h"

using namespace ui_test;

namespace {

QString ShotPath(const QString& name) {
  return QDir(QStringLiteral(VARLO_SCREENSHOT_DIR)).filePath(name + QStringLiteral(".png"));
}

// Saves the widget's picture and reads it back.
bool Save(QWidget& widget, const QString& name) {
  const QPixmap picture = widget.grab();
  if (picture.isNull() || !picture.save(ShotPath(name))) return false;
  const QImage back(ShotPath(name));
  return back.size() == picture.size();
}

bool SaveShown(QWidget& widget, const QString& name) {
  widget.show();
  if (!QTest::qWaitForWindowExposed(&widget)) return false;
  const bool saved = Save(widget, name);
  widget.hide();
  return saved;
}

void Redraw(TfrmVarlo& window) {
  window.FillWindow();
  window.Match().RequestRepaint();
  Settle(window);
}

// The position of the table-trick picture.
void PrepareTrick(varlo::TMatch& m) {
  TEdit edit(m);
  edit->Deal.Contract = varlo::Total;
  edit->Deal.Players[0].Cards = {0, -1, 9, 14, -1, 21, 27, 31};
  edit->Deal.Trick = {3, 7, 6, 29};
  edit->Table.HandLine = "Hand: Sandra";
  edit->Table.GameLine = "Current Game: Total";
}

}  // namespace

class TUiScreenshots : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(QDir().mkpath(QStringLiteral(VARLO_SCREENSHOT_DIR))); }
  void TableBeforeNew();
  void TableDuringATrick();
  void TableDuringALayoutDeal();
  void ChooserForTheHuman();
  void ChooserForAComputer();
  void ScoreDialog();
  void RecordsDialog();
  void HelpWindow();
  void TableAtTwiceTheSizeAndWithTheKeyboardMark();
  void UnderADarkTheme();
  void TheCoachAndThePreferences();
  void StatisticsWindowUnderALightAndADarkTheme();
};

void TUiScreenshots::TableBeforeNew() {
  TTestWindow window;
  QVERIFY(Save(*window, QStringLiteral("table-before-new")));
}

void TUiScreenshots::TableDuringATrick() {
  TTestWindow window;
  PrepareTrick(window->Match());
  Redraw(*window);
  QVERIFY(Save(*window, QStringLiteral("table-trick")));
}

void TUiScreenshots::TableDuringALayoutDeal() {
  TTestWindow window;
  auto& m = window->Match();
  {
    TEdit edit(m);
    edit->Deal.Contract = varlo::VarloLayout;
    edit->Deal.Players[0].Cards = {-1, 8, -1, 15, 16, -1, 24, -1};
    // Runs out from each jack: all the hearts, spades nine to king, diamonds
    // ten to ace, clubs ten and jack.
    for (int c : {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 19, 20, 21, 22, 23, 27, 28})
      edit->Deal.Layout[c] = true;
    edit->Table.GameLine = "Current Game: Varlo";
  }
  Redraw(*window);
  QVERIFY(Save(*window, QStringLiteral("table-layout")));
}

void TUiScreenshots::ChooserForTheHuman() {
  TTestWindow window;
  auto& m = window->Match();
  {
    TEdit edit(m);
    edit->Deal.Chooser = 0;
    edit->Progress.ContractsChosen[0][1] = edit->Progress.ContractsChosen[0][4] = true;
  }
  varlo::TGameChooser model(m);
  TfrmGameChooser dialog(model, window.get());
  dialog.findChild<QListWidget*>(QStringLiteral("clbGames"))->item(5)->setCheckState(Qt::Checked);
  QVERIFY(SaveShown(dialog, QStringLiteral("chooser-human")));
}

void TUiScreenshots::ChooserForAComputer() {
  TTestWindow window;
  auto& m = window->Match();
  {
    TEdit edit(m);
    edit->Deal.Chooser = 3;
    auto& chosen = edit->Progress.ContractsChosen;
    chosen[3][0] = chosen[3][2] = chosen[3][6] = true;
  }
  varlo::TGameChooser model(m);
  TfrmGameChooser dialog(model, window.get());
  QVERIFY(SaveShown(dialog, QStringLiteral("chooser-computer")));
}

void TUiScreenshots::ScoreDialog() {
  varlo::TPlayers players;
  const char* names[4] = {"You", "Jack", "Sandra", "Ben"};
  const int totals[4] = {120, -350, 40, -1230};
  for (int s = 0; s < 4; ++s) players[s] = {names[s], {}, totals[s]};
  TfrmPoints dialog(varlo::ScoreRows(players));
  QVERIFY(SaveShown(dialog, QStringLiteral("score")));
}

void TUiScreenshots::RecordsDialog() {
  QTemporaryDir dir;
  const auto file = std::filesystem::path(dir.path().toStdString()) / "Varlo.ini";
  QVERIFY(varlo::WriteRecordsFile(
      file, {{"Maximilian Berg", 1450}, {"You", 120}, {"Jack", 0}, {"", -40}, {"Zoë", -350}}));
  TfrmRecords dialog(file);
  QVERIFY(SaveShown(dialog, QStringLiteral("records")));
}

void TUiScreenshots::HelpWindow() {
  THelpWindow help;
  help.setAttribute(Qt::WA_DeleteOnClose, false);
  QVERIFY(SaveShown(help, QStringLiteral("help")));
}

// At twice the size, then with the keyboard's mark on the fourth card.
void TUiScreenshots::TableAtTwiceTheSizeAndWithTheKeyboardMark() {
  TTestWindow window;
  window->resize(window->size() + window->Table()->size());
  QTRY_COMPARE(window->Table()->size(), QSize(1264, 880));
  PrepareTrick(window->Match());
  Redraw(*window);
  QVERIFY(Save(*window, QStringLiteral("table-twice")));
  for (int i = 0; i < 3; ++i) QTest::keyClick(window->Table(), Qt::Key_Right);
  QVERIFY(Save(*window, QStringLiteral("table-keyboard-mark")));
}

void TUiScreenshots::UnderADarkTheme() {
  const QPalette light = QApplication::palette();
  QApplication::setPalette(DarkPalette());
  const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
  TTestWindow window;
  PrepareTrick(window->Match());
  Redraw(*window);
  QVERIFY(Save(*window, QStringLiteral("dark-table")));
  varlo::TGameChooser model(window->Match());
  TfrmGameChooser chooser(model, window.get());
  TfrmPoints score(varlo::ScoreRows(window->Match().Deal().Players));
  THelpWindow help;
  help.setAttribute(Qt::WA_DeleteOnClose, false);
  QVERIFY(SaveShown(chooser, QStringLiteral("dark-chooser")));
  QVERIFY(SaveShown(score, QStringLiteral("dark-score")));
  QVERIFY(SaveShown(help, QStringLiteral("dark-help")));
}

void TUiScreenshots::TheCoachAndThePreferences() {
  TFreshHome home;
  TPreferences preferences;
  preferences.Coach = true;
  preferences.MessagesOnTable = true;
  QVERIFY(SavePreferences(TfrmVarlo::PreferencesPath(), preferences));
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(20 + 74 * 0 + 37, 75));
  Settle(*window);
  QVERIFY(Save(*window, QStringLiteral("table-coach")));
  TfrmPreferences dialog(window->Preferences(), window.get());
  QVERIFY(SaveShown(dialog, QStringLiteral("preferences")));
}

// Eighty matches in the log, the window open on its chart of the last one.
void TUiScreenshots::StatisticsWindowUnderALightAndADarkTheme() {
  TFreshHome home;
  for (const auto level : {varlo::TOpponentLevel::Classic, varlo::TOpponentLevel::Steady}) {
    varlo::TRunOptions run;
    run.Matches = 40;
    run.Seed = 12 + static_cast<int>(level);
    run.Human = varlo::THumanStyle::Steady;
    run.Opponents = level;
    run.StatisticsFile = varlo::StatisticsFile();
    QVERIFY(varlo::RunMatches(run).Failures.empty());
  }
  TTestWindow window;
  const QPalette light = QApplication::palette();
  const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
  for (const char* name : {"statistics", "dark-statistics"}) {
    if (QByteArrayView(name) != "statistics") QApplication::setPalette(DarkPalette());
    bool saved = false;
    AnswerNextModal([&](QWidget* dialog) {
      dialog->findChild<QTabWidget*>(QStringLiteral("tabStatistics"))->setCurrentIndex(1);
      saved = QTest::qWaitForWindowExposed(dialog) && Save(*dialog, QLatin1String(name));
      qobject_cast<QDialog*>(dialog)->reject();
    });
    window->findChild<QAction*>("miStatistics")->trigger();
    QVERIFY2(saved, name);
  }
}

QTEST_MAIN(TUiScreenshots)
#include "UiScreenshots.moc"

// The score dialog, the records dialog, the help window and the About box.
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include "HelpWindow.h"
#include "ModalAnswers.h"
#include "Points.h"
#include "Records.h"
#include "TestWindow.h"
#include "records.h"
#include "varlo_release.h"

using namespace ui_test;

namespace {

struct TLine {
  QString Name, Points;
};

std::array<TLine, 4> LinesOf(QWidget& dialog) {
  const char* names[4] = {"lblFirst", "lblSecond", "lblThird", "lblFourth"};
  const char* points[4] = {"lblPFirst", "lblPSecond", "lblPThird", "lblPFourth"};
  std::array<TLine, 4> lines;
  for (int i = 0; i < 4; ++i)
    lines[i] = {dialog.findChild<QLabel*>(names[i])->text(),
                dialog.findChild<QLabel*>(points[i])->text()};
  return lines;
}

// The score dialog that Info > Score opens, read while it is up.
std::array<TLine, 4> ScoreFromMenu(TfrmVarlo& window) {
  std::array<TLine, 4> lines;
  AnswerNextModal([&](QWidget* modal) {
    lines = LinesOf(*modal);
    ClickOk(modal);
  });
  window.findChild<QAction*>("miScore")->trigger();
  return lines;
}

QList<QStringList> RowsOf(QWidget& dialog) {
  auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lvTop"));
  QList<QStringList> rows;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    rows.append({list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1)});
  return rows;
}

QList<QStringList> TopFromMenu(TfrmVarlo& window) {
  QList<QStringList> rows;
  AnswerNextModal([&](QWidget* modal) {
    rows = RowsOf(*modal);
    modal->close();
  });
  window.findChild<QAction*>("miTop")->trigger();
  return rows;
}

THelpWindow* OpenHelpWindow() {
  THelpWindow* found = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* help = qobject_cast<THelpWindow*>(w); help && help->isVisible()) {
      if (found) return nullptr;  // more than one
      found = help;
    }
  }
  return found;
}

}  // namespace

class TDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void ScoreBeforeTheFirstMatchListsEveryoneAtZero();
  void ScoreListsHighestFirst();
  void ScoreTiesFollowTheExchangeSort();
  void ScoreDialogLooksAsDescribed();
  void RecordsListTheFileInItsOrder();
  void RecordsWithoutAFileShowAnEmptyList();
  void RecordsDialogLooksAsDescribed();
  void HelpOpensOnceAndIsRestored();
  void AboutNamesTheVersion();
};

void TDialogsTest::ScoreBeforeTheFirstMatchListsEveryoneAtZero() {
  TTestWindow window;
  const auto lines = ScoreFromMenu(*window);
  const QStringList names = {"You", "Jack", "Sandra", "Ben"};
  for (int i = 0; i < 4; ++i) {
    QCOMPARE(lines[i].Name, names[i]);
    QCOMPARE(lines[i].Points, QStringLiteral("0"));
  }
}

void TDialogsTest::ScoreListsHighestFirst() {
  TTestWindow window;
  {
    TEdit edit(window->Match());
    auto& players = edit->Deal.Players;
    players[0].Score = 0;
    players[1].Score = -30;
    players[2].Score = 10;
    players[3].Score = -5;
  }
  const auto lines = ScoreFromMenu(*window);
  QCOMPARE(lines[0].Name, QStringLiteral("Sandra"));
  QCOMPARE(lines[0].Points, QStringLiteral("10"));
  QCOMPARE(lines[1].Name, QStringLiteral("You"));
  QCOMPARE(lines[2].Name, QStringLiteral("Ben"));
  QCOMPARE(lines[2].Points, QStringLiteral("-5"));
  QCOMPARE(lines[3].Name, QStringLiteral("Jack"));
  QCOMPARE(lines[3].Points, QStringLiteral("-30"));
}

void TDialogsTest::ScoreTiesFollowTheExchangeSort() {
  TTestWindow window;
  const int totals[4] = {5, 5, 7, 0};
  {
    TEdit edit(window->Match());
    auto& players = edit->Deal.Players;
    players[0].Name = "Abcdefghijklmnopqrst";  // 20 characters
    for (int s = 0; s < 4; ++s) players[s].Score = totals[s];
  }
  const auto lines = ScoreFromMenu(*window);
  QCOMPARE(lines[0].Name, QStringLiteral("Sandra"));
  QCOMPARE(lines[1].Name, QStringLiteral("Jack"));
  QCOMPARE(lines[2].Name, QStringLiteral("Abcdefghijklmno"));
  QCOMPARE(lines[3].Name, QStringLiteral("Ben"));
  QCOMPARE(window->Match().Deal().Players[0].Name, std::string("Abcdefghijklmnopqrst"));
}

void TDialogsTest::ScoreDialogLooksAsDescribed() {
  TfrmPoints dialog(varlo::ScoreRows(varlo::TPlayers{}));
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Score"));
  QCOMPARE(dialog.size(), QSize(208, 216));
  auto* box = dialog.findChild<QGroupBox*>("GroupBox1");
  QCOMPARE(box->geometry(), QRect(20, 8, 164, 153));
  QCOMPARE(box->title(), QStringLiteral("Score"));
  const int tops[4] = {32, 62, 92, 122};
  const char* points[4] = {"lblPFirst", "lblPSecond", "lblPThird", "lblPFourth"};
  const char* names[4] = {"lblFirst", "lblSecond", "lblThird", "lblFourth"};
  for (int i = 0; i < 4; ++i) {
    auto* value = dialog.findChild<QLabel*>(points[i]);
    QCOMPARE(value->parentWidget(), box);
    QCOMPARE(value->geometry(), QRect(91, tops[i], 50, 16));
    QVERIFY(value->alignment() & Qt::AlignRight);
    QCOMPARE(dialog.findChild<QLabel*>(names[i])->pos(), QPoint(16, tops[i]));
  }
  auto* ok = dialog.findChild<QPushButton*>("btnOk");
  QCOMPARE(ok->geometry(), QRect(67, 177, 75, 25));
  QVERIFY(ok->isDefault());
}

void TDialogsTest::RecordsListTheFileInItsOrder() {
  QTemporaryDir dir;
  const auto file = std::filesystem::path(dir.path().toStdString()) / "Varlo.ini";
  QVERIFY(varlo::WriteRecordsFile(file, {{"Ann", 300}, {"", 120}, {"Jack", 0}, {"You", -350}}));
  TTestWindow window(file);
  const QList<QStringList> expected = {{"Ann", "300"}, {"", "120"}, {"Jack", "0"}, {"You", "-350"}};
  QCOMPARE(TopFromMenu(*window), expected);
  // Twice in a row: the same rows.
  QCOMPARE(TopFromMenu(*window), expected);
}

void TDialogsTest::RecordsWithoutAFileShowAnEmptyList() {
  QTemporaryDir dir;
  TfrmRecords dialog(std::filesystem::path(dir.path().toStdString()) / "Varlo.ini");
  QVERIFY(RowsOf(dialog).isEmpty());
}

void TDialogsTest::RecordsDialogLooksAsDescribed() {
  QTemporaryDir dir;
  const auto file = std::filesystem::path(dir.path().toStdString()) / "Varlo.ini";
  QVERIFY(varlo::WriteRecordsFile(file, {{"Jack", 0}}));
  TfrmRecords dialog(file);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Top"));
  QCOMPARE(dialog.size(), QSize(298, 216));
  auto* list = dialog.findChild<QTreeWidget*>("lvTop");
  QCOMPARE(list->geometry(), QRect(8, 12, 281, 197));
  QCOMPARE(list->headerItem()->text(0), QStringLiteral("Name"));
  QCOMPARE(list->headerItem()->text(1), QStringLiteral("Result"));
  QCOMPARE(list->columnWidth(0), 200);
  QCOMPARE(list->columnWidth(1), 77);
  QVERIFY(!list->rootIsDecorated());
  QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
  QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
  QVERIFY(list->topLevelItem(0)->textAlignment(1) & Qt::AlignRight);
  QCOMPARE(list->palette().color(QPalette::Base), QColor(128, 128, 128));
  QCOMPARE(list->palette().color(QPalette::Text), QColor(0, 255, 255));
  QVERIFY(list->font().bold());
}

void TDialogsTest::HelpOpensOnceAndIsRestored() {
  TTestWindow window;
  QAction* contents = window->findChild<QAction*>("miVarloHelp");
  contents->trigger();
  THelpWindow* help = OpenHelpWindow();
  QVERIFY(help);
  QCOMPARE(help->windowTitle(), QStringLiteral("Varlo Help"));
  QCOMPARE(help->Browser()->source(), QUrl(QStringLiteral("qrc:/help/index.html")));
  QVERIFY(!help->Browser()->toPlainText().trimmed().isEmpty());

  help->showMinimized();
  contents->trigger();
  QCOMPARE(OpenHelpWindow(), help);  // the same one, not a second
  QVERIFY(!help->isMinimized());
  help->close();
}

void TDialogsTest::AboutNamesTheVersion() {
  TTestWindow window;
  auto seen = AnswerNextBox(QMessageBox::Ok);
  window->findChild<QAction*>("About1")->trigger();
  QVERIFY(seen->Seen);
  QCOMPARE(seen->Title, QStringLiteral("About"));
  QCOMPARE(seen->Icon, QMessageBox::Information);
  QVERIFY(seen->Text.startsWith(QStringLiteral("Varlo %1 - ").arg(varlo::Version)));
}

QTEST_MAIN(TDialogsTest)
#include "DialogsTest.moc"

// An unfinished match kept across starts: the next start offers it, Yes puts
// the table back exactly as it was and play goes on, No forgets it; a file
// that cannot be continued is said so once and never lost.
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "MatchUser.h"
#include "PreferencesDialog.h"
#include "TestWindow.h"
#include "match_file.h"

using namespace ui_test;

class TResumeTest : public QObject {
  Q_OBJECT

 private slots:
  void YesPutsTheTableBackAndPlayGoesOn();
  void NewAndTurningItOffForgetTheMatch();
  void AFileThatCannotBeContinuedIsSaidSo();
};

namespace {

void KeepMatches() {
  TPreferences preferences;
  preferences.KeepUnfinished = true;
  QVERIFY(SavePreferences(TfrmVarlo::PreferencesPath(), preferences));
}

void PlayCards(TTestWindow& window, int cards) {
  auto& m = window->Match();
  for (int i = 0; i < cards && !m.MatchFinished(); ++i) {
    const int slot = varlo::LowestSlot(m.Deal().LegalSlots(0));
    QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(20 + 74 * slot + 37, 75));
  }
  Settle(*window);
}

std::filesystem::path Kept() { return varlo::UnfinishedMatchFile(); }

}  // namespace

void TResumeTest::YesPutsTheTableBackAndPlayGoesOn() {
  TFreshHome home;
  KeepMatches();
  TUser user;
  varlo::TMatchState left;
  QImage table;
  {
    TTestWindow window;
    window->findChild<QAction*>("miNew")->trigger();
    PlayCards(window, 11);
    window->FlushSaves();
    left = window->Match().State();
    table = window->Table()->Canvas().copy();
  }
  TTestWindow window;
  const auto asked = AnswerNextBox(QMessageBox::Yes);
  window->OfferToContinue();
  QCOMPARE(asked->Text, QStringLiteral("Continue the unfinished match?"));
  Settle(*window);
  QVERIFY(window->Match().State() == left);
  QCOMPARE(window->Table()->Canvas(), table);
  PlayCards(window, 1);
  QVERIFY(!(window->Match().State() == left));
}

// (No at the start forgets it too: see the statistics test, which also
// logs it as left.)
void TResumeTest::NewAndTurningItOffForgetTheMatch() {
  TFreshHome home;
  KeepMatches();
  TUser user;
  TTestWindow window;
  window->findChild<QAction*>("miNew")->trigger();
  window->FlushSaves();
  QVERIFY(std::filesystem::exists(Kept()));
  AnswerNextModal([](QWidget* modal) {
    modal->findChild<QCheckBox*>(QStringLiteral("chkKeepMatch"))->setChecked(false);
    ClickOk(modal);
  });
  window->findChild<QAction*>("miPreferences")->trigger();
  window->FlushSaves();
  QVERIFY(!std::filesystem::exists(Kept()));
}

// What the reader turns away (its own test has every kind) is said once,
// and a damaged file is kept aside.
void TResumeTest::AFileThatCannotBeContinuedIsSaidSo() {
  TFreshHome home;
  KeepMatches();
  std::filesystem::create_directories(Kept().parent_path());
  {
    QFile file(QString::fromStdString(Kept().string()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": 1, \"match\": [");
  }
  TTestWindow window;
  const auto told = AnswerNextBox(QMessageBox::Ok);
  window->OfferToContinue();
  QCOMPARE(told->Text, QStringLiteral("The unfinished match could not be continued."));
  QVERIFY(std::filesystem::exists(Kept().string() + ".bad"));
  QVERIFY(!std::filesystem::exists(Kept()));
  QCOMPARE(window->Match().Deal().Contract, -1);
}

QTEST_MAIN(TResumeTest)
#include "ResumeTest.moc"

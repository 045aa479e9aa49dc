// The contract chooser dialog over the match of a real window.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "GameChooser.h"
#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

const QStringList ContractNames = {"Varlo",  "Whist",      "Levate",  "Total",
                                   "Queens", "Heart King", "Club 10", "Diamonds"};
constexpr int WhistIndex = 1, QueensIndex = 4;

QListWidget* ListOf(QWidget& dialog) {
  return dialog.findChild<QListWidget*>(QStringLiteral("clbGames"));
}
QString LabelText(QWidget& dialog, const char* name) {
  return dialog.findChild<QLabel*>(QLatin1String(name))->text();
}
bool IsChecked(QListWidget* list, int i) { return list->item(i)->checkState() == Qt::Checked; }
bool IsEnabled(QListWidget* list, int i) { return list->item(i)->flags() & Qt::ItemIsEnabled; }

}  // namespace

class TGameChooserTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void DialogLooksAsDescribed();
  void FirstChoiceShowsEveryContractFree();
  void CheckingASecondItemUnchecksTheFirst();
  void SpaceKeyTogglesTheCurrentItem();
  void UncheckingEmptiesTheGameLabel();
  void OkWithNothingCheckedRefusesToClose();
  void OkRecordsTheChoice();
  void CloseBoxBehavesAsOk();
  void EscapeBehavesAsTheCloseBox();
  void EarlierChoicesAreCheckedAndGreyed();
  void ComputerChooserShowsItsDrawnContract();

 private:
  std::unique_ptr<TTestWindow> Window;
};

void TGameChooserTest::init() {
  Window = std::make_unique<TTestWindow>();
  Edit((*Window)->Match())->Deal.Chooser = 0;
}

void TGameChooserTest::cleanup() { Window.reset(); }

void TGameChooserTest::DialogLooksAsDescribed() {
  varlo::TGameChooser model((*Window)->Match());
  TfrmGameChooser dialog(model, Window->get());
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Choose a game"));
  QCOMPARE(dialog.size(), QSize(154, 224));
  QVERIFY(dialog.isModal());
  QCOMPARE(dialog.findChild<QLabel*>("lblPlayer")->pos(), QPoint(17, 9));
  QVERIFY(dialog.findChild<QLabel*>("lblPlayer")->font().underline());
  QCOMPARE(dialog.findChild<QLabel*>("lblGame")->pos(), QPoint(17, 32));
  QCOMPARE(ListOf(dialog)->geometry(), QRect(16, 59, 121, 108));
  auto* ok = dialog.findChild<QPushButton*>("btnOk");
  QCOMPARE(ok->geometry(), QRect(39, 186, 75, 25));
  QCOMPARE(ok->text(), QStringLiteral("OK"));
  QVERIFY(ok->isDefault());
  QVERIFY(!ok->icon().isNull());
}

void TGameChooserTest::FirstChoiceShowsEveryContractFree() {
  varlo::TGameChooser model((*Window)->Match());
  TfrmGameChooser dialog(model, Window->get());
  QListWidget* list = ListOf(dialog);
  QCOMPARE(list->count(), 8);
  for (int i = 0; i < 8; ++i) {
    QCOMPARE(list->item(i)->text(), ContractNames[i]);
    QVERIFY(!IsChecked(list, i));
    QVERIFY(IsEnabled(list, i));
  }
  QVERIFY(list->isEnabled());
  QCOMPARE(LabelText(dialog, "lblPlayer"), QStringLiteral("You"));
  QCOMPARE(LabelText(dialog, "lblGame"), QString());
}

void TGameChooserTest::CheckingASecondItemUnchecksTheFirst() {
  varlo::TGameChooser model((*Window)->Match());
  TfrmGameChooser dialog(model, Window->get());
  QListWidget* list = ListOf(dialog);
  list->item(WhistIndex)->setCheckState(Qt::Checked);
  QCOMPARE(LabelText(dialog, "lblGame"), QStringLiteral("Whist"));
  list->item(QueensIndex)->setCheckState(Qt::Checked);
  QVERIFY(!IsChecked(list, WhistIndex));
  QVERIFY(IsChecked(list, QueensIndex));
  QCOMPARE(LabelText(dialog, "lblGame"), QStringLiteral("Queens"));
}

void TGameChooserTest::SpaceKeyTogglesTheCurrentItem() {
  varlo::TGameChooser model((*Window)->Match());
  TfrmGameChooser dialog(model, Window->get());
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QListWidget* list = ListOf(dialog);
  list->setFocus();
  list->setCurrentRow(3);
  QTest::keyClick(list, Qt::Key_Space);
  QVERIFY(IsChecked(list, 3));
  QCOMPARE(LabelText(dialog, "lblGame"), QStringLiteral("Total"));
  dialog.hide();
}

void TGameChooserTest::UncheckingEmptiesTheGameLabel() {
  varlo::TGameChooser model((*Window)->Match());
  TfrmGameChooser dialog(model, Window->get());
  QListWidget* list = ListOf(dialog);
  list->item(WhistIndex)->setCheckState(Qt::Checked);
  list->item(WhistIndex)->setCheckState(Qt::Unchecked);
  QCOMPARE(LabelText(dialog, "lblGame"), QString());
}

void TGameChooserTest::OkWithNothingCheckedRefusesToClose() {
  varlo::TGameChooser model((*Window)->Match());
  TfrmGameChooser dialog(model, Window->get());
  std::shared_ptr<TBoxSeen> refusal;
  bool stillOpen = false;
  AnswerNextModal([&](QWidget* modal) {
    refusal = AnswerNextBox(QMessageBox::Ok, modal);
    ClickOk(modal);  // returns once the refusal box has been answered
    stillOpen = modal->isVisible();
    CheckFirstFreeItem(modal);
    ClickOk(modal);
  });
  dialog.exec();
  QVERIFY(refusal && refusal->Seen);
  QCOMPARE(refusal->Text, QStringLiteral("Select a game !!!"));
  QCOMPARE(refusal->Title, QStringLiteral("Error"));
  QVERIFY(stillOpen);
  QVERIFY(model.Closed());
}

void TGameChooserTest::OkRecordsTheChoice() {
  auto& m = (*Window)->Match();
  varlo::TGameChooser model(m);
  TfrmGameChooser dialog(model, Window->get());
  AnswerNextModal([](QWidget* modal) {
    ListOf(*modal)->item(WhistIndex)->setCheckState(Qt::Checked);
    ListOf(*modal)->item(QueensIndex)->setCheckState(Qt::Checked);
    ClickOk(modal);
  });
  dialog.exec();
  QCOMPARE(m.Deal().Contract, QueensIndex);
  QVERIFY(m.Progress().ContractsChosen[0][QueensIndex]);
  QVERIFY(!m.Progress().ContractsChosen[0][WhistIndex]);
}

void TGameChooserTest::CloseBoxBehavesAsOk() {
  auto& m = (*Window)->Match();
  varlo::TGameChooser model(m);
  TfrmGameChooser dialog(model, Window->get());
  std::shared_ptr<TBoxSeen> refusal;
  AnswerNextModal([&](QWidget* modal) {
    refusal = AnswerNextBox(QMessageBox::Ok, modal);
    modal->close();  // refused: nothing checked
    ListOf(*modal)->item(6)->setCheckState(Qt::Checked);
    modal->close();
  });
  dialog.exec();
  QVERIFY(refusal && refusal->Seen);
  QCOMPARE(m.Deal().Contract, 6);
  QVERIFY(m.Progress().ContractsChosen[0][6]);
}

void TGameChooserTest::EscapeBehavesAsTheCloseBox() {
  auto& m = (*Window)->Match();
  varlo::TGameChooser model(m);
  TfrmGameChooser dialog(model, Window->get());
  std::shared_ptr<TBoxSeen> refusal;
  AnswerNextModal([&](QWidget* modal) {
    refusal = AnswerNextBox(QMessageBox::Ok, modal);
    QTest::keyClick(modal, Qt::Key_Escape);
    ListOf(*modal)->item(2)->setCheckState(Qt::Checked);
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  dialog.exec();
  QVERIFY(refusal && refusal->Seen);
  QCOMPARE(m.Deal().Contract, 2);
}

void TGameChooserTest::EarlierChoicesAreCheckedAndGreyed() {
  auto& m = (*Window)->Match();
  {
    TEdit edit(m);
    // Only "Heart King" left.
    for (int i = 0; i < 8; ++i) edit->Progress.ContractsChosen[0][i] = i != 5;
  }
  varlo::TGameChooser model(m);
  TfrmGameChooser dialog(model, Window->get());
  QListWidget* list = ListOf(dialog);
  for (int i = 0; i < 8; ++i) {
    QCOMPARE(IsChecked(list, i), i != 5);
    QCOMPARE(IsEnabled(list, i), i == 5);
  }
  // A greyed item cannot be unchecked.
  list->item(0)->setCheckState(Qt::Unchecked);
  QVERIFY(IsChecked(list, 0));
  list->item(5)->setCheckState(Qt::Checked);
  QCOMPARE(LabelText(dialog, "lblGame"), QStringLiteral("Heart King"));
}

void TGameChooserTest::ComputerChooserShowsItsDrawnContract() {
  auto& m = (*Window)->Match();
  {
    TEdit edit(m);
    edit->Deal.Chooser = 2;
    auto& chosen = edit->Progress.ContractsChosen;
    chosen[2][0] = chosen[2][3] = chosen[2][7] = true;
  }
  varlo::TGameChooser model(m);
  TfrmGameChooser dialog(model, Window->get());
  QListWidget* list = ListOf(dialog);
  QVERIFY(!list->isEnabled());
  QCOMPARE(LabelText(dialog, "lblPlayer"), QStringLiteral("Sandra"));
  int drawn = -1;
  for (int i = 0; i < 8; ++i) {
    const bool earlier = i == 0 || i == 3 || i == 7;
    if (earlier) QVERIFY(IsChecked(list, i) && !IsEnabled(list, i));
    if (!earlier && IsChecked(list, i)) {
      QCOMPARE(drawn, -1);
      drawn = i;
      QVERIFY(IsEnabled(list, i));
    }
  }
  QVERIFY(drawn >= 0);
  QCOMPARE(LabelText(dialog, "lblGame"), ContractNames[drawn]);
  // Already marked before the dialog closes.
  QVERIFY(m.Progress().ContractsChosen[2][drawn]);
  AnswerNextModal([](QWidget* modal) { modal->close(); });
  dialog.exec();
  QCOMPARE(m.Deal().Contract, drawn);
}

QTEST_MAIN(TGameChooserTest)
#include "GameChooserTest.moc"

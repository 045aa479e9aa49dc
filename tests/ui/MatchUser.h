// A user who answers whatever modal comes up, for as long as he lives, and
// counts what he saw: the contract choosers, scores, boxes and records.
#pragma once

#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTreeWidget>

#include "GameChooser.h"
#include "ModalAnswers.h"
#include "Points.h"
#include "Records.h"

namespace ui_test {

// Answers whatever modal comes up, for as long as it lives.
class TUser : public QObject {
 public:
  TUser() {
    connect(&Timer, &QTimer::timeout, this, &TUser::Look);
    Timer.start(1);
  }

  int Choosers = 0, ComputerChoosers = 0, Scores = 0, GameOvers = 0, Records = 0;
  int IllegalMoves = 0, Finishes = 0;
  QStringList RecordRows, OtherTexts;

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (qobject_cast<TfrmGameChooser*>(modal)) {
      AnswerChooser(modal);
    } else if (qobject_cast<TfrmPoints*>(modal)) {
      ++Scores;
      ClickOk(modal);
    } else if (qobject_cast<TfrmRecords*>(modal)) {
      ReadRecords(modal);
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      AnswerBox(box);
    }
  }

  void AnswerChooser(QWidget* dialog) {
    ++Choosers;
    if (!dialog->findChild<QListWidget*>("clbGames")->isEnabled()) ++ComputerChoosers;
    CheckFirstFreeItem(dialog);
    ClickOk(dialog);
  }

  void ReadRecords(QWidget* dialog) {
    ++Records;
    auto* list = dialog->findChild<QTreeWidget*>("lvTop");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      RecordRows << list->topLevelItem(i)->text(0) + "=" + list->topLevelItem(i)->text(1);
    dialog->close();
  }

  void AnswerBox(QMessageBox* box) {
    if (box->text() == QStringLiteral("Game Over !!!"))
      ++GameOvers;
    else if (box->text() == QStringLiteral("Illegal move !!!"))
      ++IllegalMoves;
    else if (box->text().endsWith(QStringLiteral(" finished the game")))
      ++Finishes;
    else if (!box->text().endsWith(QStringLiteral(" passed")) &&
             !box->text().endsWith(QStringLiteral(" skipped")))
      OtherTexts << box->text();
    Press(box, QMessageBox::Ok);
  }

  QTimer Timer;
};

}  // namespace ui_test

// The contract chooser dialog: shows the chooser's list and forwards the
// user's checks and close requests to varlo::TGameChooser, which decides.
#pragma once

#include <QDialog>

#include "chooser.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class TfrmGameChooser : public QDialog {
  Q_OBJECT

 public:
  TfrmGameChooser(varlo::TGameChooser& chooser, QWidget* parent = nullptr);

  /// Escape asks to close, as the close box does.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void clbGamesClickCheck(QListWidgetItem* item);
  void btnOkClick();

 private:
  void CreateComponents();
  /// Shows the model's checks, enabled states and labels.
  void Refresh();

  varlo::TGameChooser& Chooser;
  QLabel* lblPlayer = nullptr;
  QLabel* lblGame = nullptr;
  QListWidget* clbGames = nullptr;
  QPushButton* btnOk = nullptr;
  bool Refreshing = false;
};

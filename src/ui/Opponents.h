// Options > Opponents: how Jack, Sandra and Ben play, Classic or Strong.
#pragma once

#include <QDialog>

#include "computer_player.h"

class QPushButton;
class QRadioButton;

class TfrmOpponents : public QDialog {
  Q_OBJECT

 public:
  TfrmOpponents(varlo::TOpponentLevel level, QWidget* parent = nullptr);

  /// The level the buttons show.
  varlo::TOpponentLevel Level() const;

 private:
  void CreateComponents();

  QRadioButton* rbClassic = nullptr;
  QRadioButton* rbStrong = nullptr;
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;
};

// The score dialog: the four players' totals, highest first.
#pragma once

#include <QDialog>
#include <array>

#include "score.h"

class QGroupBox;
class QLabel;
class QPushButton;

class TfrmPoints : public QDialog {
  Q_OBJECT

 public:
  TfrmPoints(const std::array<varlo::TScoreRow, 4>& rows, QWidget* parent = nullptr);

 private:
  void CreateComponents();
  void ShowRows(const std::array<varlo::TScoreRow, 4>& rows);

  QPushButton* btnOk = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* lblFirst = nullptr;
  QLabel* lblSecond = nullptr;
  QLabel* lblThird = nullptr;
  QLabel* lblFourth = nullptr;
  QLabel* lblPFirst = nullptr;
  QLabel* lblPSecond = nullptr;
  QLabel* lblPThird = nullptr;
  QLabel* lblPFourth = nullptr;
};

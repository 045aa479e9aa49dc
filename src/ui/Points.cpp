#include "Points.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "FormTools.h"
#include "ThemeColours.h"

namespace {

constexpr int RowTops[4] = {32, 62, 92, 122};

QLabel* CreateLabel(QWidget* parent, const char* name, const QColor& colour) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setFont(FormFont(13, true));
  SetTextColour(label, colour);
  return label;
}

}  // namespace

TfrmPoints::TfrmPoints(const std::array<varlo::TScoreRow, 4>& rows, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmPoints"));
  setWindowTitle(QStringLiteral("Score"));
  setModal(true);
  CreateComponents();
  FixDialogSize(this, 208, 216);
  ShowRows(rows);
  FitColoursToTheme(this);
}

void TfrmPoints::CreateComponents() {
  btnOk = CreateOkButton(this, 67, 177);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  GroupBox1 = new QGroupBox(QStringLiteral("Score"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(20, 8, 164, 153);
  GroupBox1->setFont(FormFont(13, true));
  SetTextColour(GroupBox1, FormBlue);

  const char* names[4] = {"lblFirst", "lblSecond", "lblThird", "lblFourth"};
  const char* points[4] = {"lblPFirst", "lblPSecond", "lblPThird", "lblPFourth"};
  QLabel** nameLabels[4] = {&lblFirst, &lblSecond, &lblThird, &lblFourth};
  QLabel** pointLabels[4] = {&lblPFirst, &lblPSecond, &lblPThird, &lblPFourth};
  for (int i = 0; i < 4; ++i) {
    *nameLabels[i] = CreateLabel(GroupBox1, names[i], FormBlue);
    (*nameLabels[i])->move(16, RowTops[i]);
    *pointLabels[i] = CreateLabel(GroupBox1, points[i], Qt::black);
    (*pointLabels[i])->setGeometry(91, RowTops[i], 50, 16);
    (*pointLabels[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
}

void TfrmPoints::ShowRows(const std::array<varlo::TScoreRow, 4>& rows) {
  QLabel* names[4] = {lblFirst, lblSecond, lblThird, lblFourth};
  QLabel* points[4] = {lblPFirst, lblPSecond, lblPThird, lblPFourth};
  for (int i = 0; i < 4; ++i) {
    names[i]->setText(QString::fromStdString(rows[i].Name));
    names[i]->adjustSize();
    points[i]->setText(QString::number(rows[i].Points));
  }
}

#include "Opponents.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

TfrmOpponents::TfrmOpponents(varlo::TOpponentLevel level, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmOpponents"));
  setWindowTitle(QStringLiteral("Opponents"));
  setModal(true);
  CreateComponents();
  (level == varlo::TOpponentLevel::Strong ? rbStrong : rbClassic)->setChecked(true);
  setFixedSize(sizeHint());
}

void TfrmOpponents::CreateComponents() {
  auto* group = new QGroupBox(QStringLiteral("Jack, Sandra and Ben play"), this);
  rbClassic = new QRadioButton(QStringLiteral("Classic"), group);
  rbClassic->setObjectName(QStringLiteral("rbClassic"));
  rbClassic->setToolTip(QStringLiteral("The first card the rules allow, and a contract at random"));
  rbStrong = new QRadioButton(QStringLiteral("Strong"), group);
  rbStrong->setObjectName(QStringLiteral("rbStrong"));
  rbStrong->setToolTip(QStringLiteral("They think ahead about the cards they cannot see"));
  auto* choices = new QVBoxLayout(group);
  choices->addWidget(rbClassic);
  choices->addWidget(rbStrong);

  btnOk = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"),
                          this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setDefault(true);
  btnCancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Cancel"), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
}

varlo::TOpponentLevel TfrmOpponents::Level() const {
  return rbStrong->isChecked() ? varlo::TOpponentLevel::Strong : varlo::TOpponentLevel::Classic;
}

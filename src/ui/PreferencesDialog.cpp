#include "PreferencesDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct TLevelChoice {
  varlo::TOpponentLevel Level;
  const char* Text;
  const char* Hint;
};

constexpr TLevelChoice LevelChoices[] = {
    {varlo::TOpponentLevel::Classic, "&Classic", "The first card the rules allow, and a contract at random"},
    {varlo::TOpponentLevel::Steady, "Stea&dy", "They play as a careful club player does"},
    {varlo::TOpponentLevel::Strong, "&Strong", "They think ahead about the cards they cannot see"},
};

const char* PauseText(int ms) {
  switch (ms) {
    case varlo::TrickPauseMs: return "3 seconds";
    case 1500: return "1.5 seconds";
    case 500: return "0.5 seconds";
    default: return "Until I click";
  }
}

}  // namespace

TfrmPreferences::TfrmPreferences(const TPreferences& shown, QWidget* parent)
    : QDialog(parent), Opened(shown) {
  setObjectName(QStringLiteral("frmPreferences"));
  setWindowTitle(QStringLiteral("Preferences"));
  setModal(true);
  CreateComponents();
  Show(shown);
  setFixedSize(sizeHint());
}

void TfrmPreferences::CreateComponents() {
  auto* opponents = new QGroupBox(QStringLiteral("Jack, Sandra and Ben play"), this);
  auto* levels = new QVBoxLayout(opponents);
  grpOpponents = new QButtonGroup(this);
  for (const TLevelChoice& choice : LevelChoices) {
    auto* button = new QRadioButton(QString::fromLatin1(choice.Text), opponents);
    button->setObjectName(QStringLiteral("rb") +
                          QString::fromLatin1(varlo::OpponentLevelId(choice.Level)));
    button->setToolTip(QString::fromLatin1(choice.Hint));
    button->setAccessibleDescription(button->toolTip());
    grpOpponents->addButton(button, static_cast<int>(choice.Level));
    levels->addWidget(button);
  }

  cbPause = new QComboBox(this);
  cbPause->setObjectName(QStringLiteral("cbPause"));
  for (int ms : PauseChoices) cbPause->addItem(QString::fromLatin1(PauseText(ms)), ms);
  cbMessages = new QComboBox(this);
  cbMessages->setObjectName(QStringLiteral("cbMessages"));
  cbMessages->addItem(QStringLiteral("In message boxes"), false);
  cbMessages->addItem(QStringLiteral("On the table"), true);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Pause after a trick:"), cbPause);
  form->addRow(QStringLiteral("&Layout messages:"), cbMessages);

  chkKeepMatch = new QCheckBox(QStringLiteral("&Keep an unfinished match"), this);
  chkKeepMatch->setObjectName(QStringLiteral("chkKeepMatch"));
  chkKeepMatch->setToolTip(QStringLiteral("Closing the game keeps the match; the next start offers to continue it"));
  chkTakeBack = new QCheckBox(QStringLiteral("Allow &taking back a card"), this);
  chkTakeBack->setObjectName(QStringLiteral("chkTakeBack"));
  chkTakeBack->setToolTip(
      QStringLiteral("Game > Take back (Ctrl+Z); a match with a card taken back stays out of the Top ten"));
  chkKeepStatistics = new QCheckBox(QStringLiteral("Keep stat&istics"), this);
  chkKeepStatistics->setObjectName(QStringLiteral("chkKeepStatistics"));
  chkKeepStatistics->setToolTip(
      QStringLiteral("Every match that ends is noted for Info > Statistics"));
  chkRememberLook = new QCheckBox(QStringLiteral("&Remember my name, font and background"), this);
  chkRememberLook->setObjectName(QStringLiteral("chkRememberLook"));
  chkCoach = new QCheckBox(QStringLiteral("Show what each card is &worth"), this);
  chkCoach->setObjectName(QStringLiteral("chkCoach"));
  chkCoach->setToolTip(QStringLiteral(
      "Under each card you may play, the points it is expected to bring you in this deal; "
      "a match played so stays out of the Top ten"));
  for (QCheckBox* box : {chkKeepMatch, chkTakeBack, chkKeepStatistics, chkRememberLook, chkCoach})
    box->setAccessibleDescription(box->toolTip());

  btnBox = new QDialogButtonBox(
      QDialogButtonBox::RestoreDefaults | QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  btnBox->setObjectName(QStringLiteral("btnBox"));
  btnBox->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOk"));
  btnBox->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
  btnBox->button(QDialogButtonBox::RestoreDefaults)->setObjectName(QStringLiteral("btnDefaults"));
  connect(btnBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(btnBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(btnBox->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
          [this] { Show(TPreferences{}); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(opponents);
  layout->addLayout(form);
  layout->addWidget(chkKeepMatch);
  layout->addWidget(chkTakeBack);
  layout->addWidget(chkKeepStatistics);
  layout->addWidget(chkRememberLook);
  layout->addWidget(chkCoach);
  layout->addWidget(btnBox);
}

void TfrmPreferences::Show(const TPreferences& p) {
  if (QAbstractButton* level = grpOpponents->button(static_cast<int>(p.Opponents)))
    level->setChecked(true);
  cbPause->setCurrentIndex(std::max(0, cbPause->findData(p.PauseMs)));
  cbMessages->setCurrentIndex(p.MessagesOnTable ? 1 : 0);
  chkKeepMatch->setChecked(p.KeepUnfinished);
  chkTakeBack->setChecked(p.TakeBack);
  chkKeepStatistics->setChecked(p.KeepStatistics);
  chkRememberLook->setChecked(p.RememberLook);
  chkCoach->setChecked(p.Coach);
}

TPreferences TfrmPreferences::Chosen() const {
  TPreferences p = Opened;
  p.Opponents = static_cast<varlo::TOpponentLevel>(std::max(0, grpOpponents->checkedId()));
  p.PauseMs = cbPause->currentData().toInt();
  p.MessagesOnTable = cbMessages->currentData().toBool();
  p.KeepUnfinished = chkKeepMatch->isChecked();
  p.TakeBack = chkTakeBack->isChecked();
  p.KeepStatistics = chkKeepStatistics->isChecked();
  p.RememberLook = chkRememberLook->isChecked();
  p.Coach = chkCoach->isChecked();
  return p;
}

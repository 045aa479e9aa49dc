#include "GameChooser.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "FormTools.h"
#include "ThemeColours.h"

TfrmGameChooser::TfrmGameChooser(varlo::TGameChooser& chooser, QWidget* parent)
    : QDialog(parent), Chooser(chooser) {
  setObjectName(QStringLiteral("frmGameChooser"));
  setWindowTitle(QStringLiteral("Choose a game"));
  setModal(true);
  CreateComponents();
  FixDialogSize(this, 154, 224);
  Refresh();
  FitColoursToTheme(this);
}

void TfrmGameChooser::CreateComponents() {
  lblPlayer = new QLabel(this);
  lblPlayer->setObjectName(QStringLiteral("lblPlayer"));
  QFont playerFont = FormFont(13, true);
  playerFont.setUnderline(true);
  lblPlayer->setFont(playerFont);
  lblPlayer->setGeometry(17, 9, 130, 16);

  lblGame = new QLabel(this);
  lblGame->setObjectName(QStringLiteral("lblGame"));
  lblGame->setFont(FormFont(13, true));
  lblGame->setGeometry(17, 32, 130, 16);
  for (QLabel* label : {lblPlayer, lblGame}) SetTextColour(label, FormBlue);

  clbGames = new QListWidget(this);
  clbGames->setObjectName(QStringLiteral("clbGames"));
  clbGames->setAccessibleName(QStringLiteral("Games"));
  clbGames->setGeometry(16, 59, 121, 108);
  clbGames->setFont(FormFont(11, true));
  SetTextColour(clbGames, FormBlue);
  clbGames->setUniformItemSizes(true);
  for (int i = 0; i < varlo::ContractCount; ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(varlo::TGameChooser::ItemText(i)));
    // Rows 13 pixels high: all eight fit without a scroll bar.
    item->setSizeHint(QSize(100, 13));
    clbGames->addItem(item);
  }
  connect(clbGames, &QListWidget::itemChanged, this, &TfrmGameChooser::clbGamesClickCheck);

  btnOk = CreateOkButton(this, 39, 186);
  connect(btnOk, &QPushButton::clicked, this, &TfrmGameChooser::btnOkClick);
  setTabOrder(btnOk, clbGames);
  btnOk->setFocus();
}

void TfrmGameChooser::Refresh() {
  Refreshing = true;
  const auto& items = Chooser.Items();
  for (int i = 0; i < clbGames->count(); ++i) {
    QListWidgetItem* item = clbGames->item(i);
    Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
    if (items[i].Enabled) flags |= Qt::ItemIsEnabled;
    item->setFlags(flags);
    item->setCheckState(items[i].Checked ? Qt::Checked : Qt::Unchecked);
  }
  clbGames->setEnabled(Chooser.ListEnabled());
  lblPlayer->setText(QString::fromStdString(Chooser.PlayerLabel()));
  lblGame->setText(QString::fromStdString(Chooser.GameLabel()));
  Refreshing = false;
}

void TfrmGameChooser::clbGamesClickCheck(QListWidgetItem* item) {
  if (Refreshing) return;
  const int k = clbGames->row(item);
  // Only a change of the check mark is the user's toggle.
  if ((item->checkState() == Qt::Checked) != Chooser.Items()[k].Checked) Chooser.ToggleItem(k);
  Refresh();
}

void TfrmGameChooser::btnOkClick() { close(); }

void TfrmGameChooser::reject() { close(); }

void TfrmGameChooser::closeEvent(QCloseEvent* event) {
  if (!Chooser.TryClose()) {
    event->ignore();
    return;
  }
  event->accept();
  done(QDialog::Accepted);
}

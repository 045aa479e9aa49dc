// The Options, Info and Help commands of the main window.
#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "HelpWindow.h"
#include "MainForm.h"
#include "Opponents.h"
#include "TableView.h"
#include "score.h"
#include "strong_player.h"

void TfrmVarlo::miPlayerNameClick() {
  QInputDialog input(this);
  input.setWindowTitle(QStringLiteral("Player Name"));
  input.setLabelText(QStringLiteral("Enter your name:"));
  input.setInputMode(QInputDialog::TextInput);
  input.setTextValue(QString::fromStdString(MatchState.Players[0].Name));
  if (auto* edit = input.findChild<QLineEdit*>()) edit->setMaxLength(255);
  // Taken as typed: an empty name is a name too.
  if (input.exec() == QDialog::Accepted)
    MatchState.Players[0].Name = input.textValue().toStdString();
  MatchState.RequestRepaint();
}

void TfrmVarlo::miFontClick() {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, FontChoice.value_or(font()), this);
  if (!ok) return;
  FontChoice = chosen;
  // The chosen font replaces the table font as a whole; Qt's dialog offers
  // no colour, so the text takes the window's ordinary text colour.
  TextFont = chosen;
  TextPen = palette().color(QPalette::WindowText);
  TableView->Fill();
  MatchState.RequestRepaint();
}

void TfrmVarlo::miBackgroundClick() {
  const QColor chosen = QColorDialog::getColor(ColourChoice, this);
  if (!chosen.isValid()) return;
  ColourChoice = chosen;
  TableView->SetBackground(chosen);
  TableView->Fill();
  MatchState.RequestRepaint();
}

void TfrmVarlo::miOpponentsClick() {
  TfrmOpponents dialog(Opponents, this);
  if (dialog.exec() != QDialog::Accepted) return;
  Opponents = dialog.Level();
  // Seeded once, when first asked for; it draws from no generator of the
  // match, so the deals stay what the clock makes them.
  if (Opponents == varlo::TOpponentLevel::Strong && !StrongPlayer)
    StrongPlayer = std::make_unique<varlo::TStrongPlayer>(SeedClock->Read());
  MatchState.SetOpponents(Opponents == varlo::TOpponentLevel::Strong ? StrongPlayer.get()
                                                                     : nullptr);
}

void TfrmVarlo::miScoreClick() { ShowScore(varlo::ScoreRows(MatchState.Players)); }

void TfrmVarlo::miTopClick() { ShowRecords(MatchState.RecordsFile); }

void TfrmVarlo::miVarloHelpClick() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->windowTitle() == THelpWindow::Title) {
      window->showNormal();
      window->raise();
      window->activateWindow();
      return;
    }
  }
  auto* help = new THelpWindow;
  help->show();
}

void TfrmVarlo::About1Click() {
  QMessageBox box(QMessageBox::Information, QStringLiteral("About"),
                  QStringLiteral("Varlo 1.22 - a card game for one player against Jack, "
                                 "Sandra and Ben. Made by the Varlo team."),
                  QMessageBox::Ok, this);
  box.exec();
}

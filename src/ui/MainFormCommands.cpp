// The Options, Info and Help commands of the main window.
#include <QApplication>
#include <QColorDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "FontChoice.h"
#include "FormTools.h"
#include "HelpWindow.h"
#include "MainForm.h"
#include "TableView.h"
#include "score.h"
#include "strong_player.h"
#include "varlo_release.h"

void TfrmVarlo::miPlayerNameClick() {
  QInputDialog input(this);
  input.setWindowTitle(QStringLiteral("Player Name"));
  input.setLabelText(QStringLiteral("Enter your name:"));
  input.setInputMode(QInputDialog::TextInput);
  input.setTextValue(QString::fromStdString(MatchState.Deal().Players[0].Name));
  if (auto* edit = input.findChild<QLineEdit*>()) edit->setMaxLength(255);
  // Taken as typed: an empty name is a name too.
  if (ShowModalTo(input, this) == QDialog::Accepted)
    MatchState.SetHumanName(input.textValue().toStdString());
  else
    MatchState.RequestRepaint();
  RememberLook();
  SaveUnfinishedMatch();
}

void TfrmVarlo::miFontClick() {
  // It opens at the window's font and text colour, then at the last choice.
  TFontChoice dialog(FontChoice.value_or(font()),
                     FontColourChoice.value_or(palette().color(QPalette::WindowText)), this);
  if (ShowModalTo(dialog, this) != QDialog::Accepted) return;
  FontChoice = dialog.selectedFont();
  FontColourChoice = dialog.SelectedColour();
  // The chosen font and colour replace the table font as a whole.
  TextFont = *FontChoice;
  TextPen = *FontColourChoice;
  TableView->Fill();
  MatchState.RequestRepaint();
  RememberLook();
}

void TfrmVarlo::miBackgroundClick() {
  QColorDialog dialog(ColourChoice, this);
  if (ShowModalTo(dialog, this) != QDialog::Accepted) return;
  const QColor chosen = dialog.selectedColor();
  if (!chosen.isValid()) return;
  ColourChoice = chosen;
  TableView->SetBackground(chosen);
  TableView->Fill();
  MatchState.RequestRepaint();
  RememberLook();
}

void TfrmVarlo::miScoreClick() { ShowScore(varlo::ScoreRows(MatchState.Deal().Players)); }

void TfrmVarlo::miTopClick() { ShowRecords(MatchState.Config().RecordsFile); }

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
                  QStringLiteral("Varlo %1 - a card game for one player against Jack, "
                                 "Sandra and Ben. Made by the Varlo team.")
                      .arg(QLatin1String(varlo::Version)),
                  QMessageBox::Ok, this);
  ShowModalTo(box, this);
}

// Options > Font: Qt's own font dialog with the colour list that classic
// font dialogs carry under their effects: the sixteen basic colours.
#pragma once

#include <QColor>
#include <QFontDialog>

class QComboBox;

class TFontChoice : public QFontDialog {
  Q_OBJECT

 public:
  /// Opens at the font and the colour; a colour that is not one of the
  /// sixteen is listed first as "Custom".
  TFontChoice(const QFont& font, const QColor& colour, QWidget* parent = nullptr);

  QColor CurrentColour() const;
  /// The colour of the last accepted choice.
  QColor SelectedColour() const { return Selected; }

  void accept() override;

 private:
  void AddColourList(const QColor& colour);
  void ShowSampleIn(const QColor& colour);

  QComboBox* cbColour = nullptr;
  QColor Selected;
};

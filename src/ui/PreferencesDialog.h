// Options > Preferences: every choice of the player in one dialog, each
// labelled for the keyboard and for screen readers.
#pragma once

#include <QDialog>

#include "Preferences.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;

class TfrmPreferences : public QDialog {
  Q_OBJECT

 public:
  TfrmPreferences(const TPreferences& shown, QWidget* parent = nullptr);

  /// The choices as the dialog shows them; what it does not show (the
  /// remembered look) is kept from the preferences it opened with.
  TPreferences Chosen() const;
  /// Shows the given choices.
  void Show(const TPreferences& preferences);

 private:
  void CreateComponents();

  TPreferences Opened;
  QButtonGroup* grpOpponents = nullptr;
  QComboBox* cbPause = nullptr;
  QComboBox* cbMessages = nullptr;
  QCheckBox* chkKeepMatch = nullptr;
  QCheckBox* chkTakeBack = nullptr;
  QCheckBox* chkKeepStatistics = nullptr;
  QCheckBox* chkRememberLook = nullptr;
  QCheckBox* chkCoach = nullptr;
  QDialogButtonBox* btnBox = nullptr;
};

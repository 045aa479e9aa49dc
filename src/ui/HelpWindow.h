// The help window: the help pages compiled into the program, in a browser
// of their own that stays open beside the game.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  /// An open help window is recognised by this title.
  static const QString Title;

  explicit THelpWindow(QWidget* parent = nullptr);

  QTextBrowser* Browser() const { return Pages; }

 private:
  QTextBrowser* Pages = nullptr;
};

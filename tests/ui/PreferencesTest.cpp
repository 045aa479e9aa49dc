// Options > Preferences: a file that holds anything at all gives each choice
// it gets wrong its default; the dialog works from the keyboard and names
// every control; the look the player asks to keep lasts across starts.
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <sys/stat.h>

#include "ModalAnswers.h"
#include "PreferencesDialog.h"
#include "TestWindow.h"

using namespace ui_test;

class TPreferencesTest : public QObject {
  Q_OBJECT

 private slots:
  void TheFileGivesDefaultsForWhatItGetsWrong();
  void TheDialogWorksFromTheKeyboard();
  void TheLookLastsWhenAskedTo();
};

void TPreferencesTest::TheFileGivesDefaultsForWhatItGetsWrong() {
  TFreshHome home;
  const QString file = TfrmVarlo::PreferencesPath();
  QDir().mkpath(QFileInfo(file).absolutePath());
  const auto write = [&](const QByteArray& text) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
  };
  // Good values stay; an unknown key, a bad value, a wrong type go.
  write("[General]\nopponents=strong\npause_ms=700\nlayout_messages=table\n"
        "keep_unfinished_match=maybe\nallow_take_back=true\nkeep_statistics=true\nfuture_key=1\n");
  bool readable = false;
  TPreferences p = LoadPreferences(file, &readable);
  QVERIFY(readable);
  QCOMPARE(p.Opponents, varlo::TOpponentLevel::Strong);
  QCOMPARE(p.PauseMs, varlo::TrickPauseMs);
  QVERIFY(p.MessagesOnTable && p.TakeBack && p.KeepStatistics && !p.KeepUnfinished);
  write(QByteArray(200000, '\xff'));  // not ours: too large, not replaced
  QVERIFY(LoadPreferences(file, &readable) == TPreferences{});
  QVERIFY(!readable);
  QVERIFY(!SavePreferences(file, p));
  QCOMPARE(QFileInfo(file).size(), 200000);
  QFile::remove(file);
  QCOMPARE(::mkfifo(file.toLocal8Bit().constData(), 0600), 0);  // no hang on a pipe
  QVERIFY(LoadPreferences(file, &readable) == TPreferences{});
  QVERIFY(!readable && !SavePreferences(file, p));
  // The choices then last for this run.
  TTestWindow window;
  AnswerNextModal([](QWidget* modal) {
    modal->findChild<QRadioButton*>(QStringLiteral("rbsteady"))->click();
    ClickOk(modal);
  });
  window->findChild<QAction*>("miPreferences")->trigger();
  QCOMPARE(window->Preferences().Opponents, varlo::TOpponentLevel::Steady);
}

void TPreferencesTest::TheDialogWorksFromTheKeyboard() {
  TPreferences chosen;
  chosen.PauseMs = 500;
  chosen.TakeBack = true;
  TfrmPreferences dialog(chosen);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  // Every control is reached by Tab and has a name a screen reader reads.
  QSet<QWidget*> reached;
  for (int i = 0; i < 20; ++i) {
    QWidget* focus = QApplication::focusWidget();
    if (focus) reached << focus;
    QTest::keyClick(focus ? focus : &dialog, Qt::Key_Tab);
  }
  for (const char* name : {"cbPause", "cbMessages", "chkKeepMatch", "chkTakeBack",
                           "chkKeepStatistics", "chkRememberLook", "btnOk", "btnCancel", "btnDefaults"}) {
    auto* control = dialog.findChild<QWidget*>(QLatin1String(name));
    QVERIFY2(reached.contains(control), name);
    QVERIFY2(!QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty(),
             name);
  }
  dialog.findChild<QPushButton*>(QStringLiteral("btnDefaults"))->click();
  QVERIFY(dialog.Chosen() == TPreferences{});
}

void TPreferencesTest::TheLookLastsWhenAskedTo() {
  TFreshHome home;
  {
    TTestWindow window;
    AnswerNextModal([](QWidget* modal) {
      modal->findChild<QCheckBox*>(QStringLiteral("chkRememberLook"))->setChecked(true);
      ClickOk(modal);
    });
    window->findChild<QAction*>("miPreferences")->trigger();
    AnswerNextModal([](QWidget* modal) {
      qobject_cast<QInputDialog*>(modal)->findChild<QLineEdit*>()->setText(QStringLiteral("Zoë"));
      qobject_cast<QDialog*>(modal)->accept();
    });
    window->findChild<QAction*>("miPlayerName")->trigger();
    AnswerNextModal([](QWidget* modal) {
      qobject_cast<QColorDialog*>(modal)->setCurrentColor(QColor(0, 0, 128));
      qobject_cast<QDialog*>(modal)->accept();
    });
    window->findChild<QAction*>("miBackground")->trigger();
  }
  TTestWindow next;
  QCOMPARE(next->Match().Deal().Players[0].Name, std::string("Zoë"));
  QCOMPARE(next->Table()->Background(), QColor(0, 0, 128));
  QCOMPARE(next->TableFont(), next->Preferences().Look->Font);
}

QTEST_MAIN(TPreferencesTest)
#include "PreferencesTest.moc"

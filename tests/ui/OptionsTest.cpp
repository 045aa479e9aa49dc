// The Options menu: the player's name, the table font and its colour.
#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ModalAnswers.h"
#include "PreferencesDialog.h"
#include "strong_player.h"
#include "TestWindow.h"

using namespace ui_test;

class TOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void PlayerNameTakesTheTypedText();
  void PlayerNameCancelKeepsTheName();
  void BackgroundRepaintsTheTable();
  void FontReplacesTheTableFont();
  void FontChoiceOffersTheSixteenColours();
  void OpponentsLevelHoldsUntilChanged();
};

void TOptionsTest::PlayerNameTakesTheTypedText() {
  TTestWindow window;
  int maxLength = 0;
  QString title, label, initial;
  AnswerNextModal([&](QWidget* modal) {
    auto* input = qobject_cast<QInputDialog*>(modal);
    if (!input) return;
    title = input->windowTitle();
    label = input->labelText();
    initial = input->textValue();
    maxLength = input->findChild<QLineEdit*>()->maxLength();
    input->setTextValue(QStringLiteral("  Zoë "));
    input->accept();
  });
  window->findChild<QAction*>("miPlayerName")->trigger();
  QCOMPARE(title, QStringLiteral("Player Name"));
  QCOMPARE(label, QStringLiteral("Enter your name:"));
  QCOMPARE(initial, QStringLiteral("You"));
  QCOMPARE(maxLength, 255);
  QCOMPARE(window->Match().Deal().Players[0].Name, std::string("  Zo\xC3\xAB "));  // as typed
  QVERIFY(window->Match().Redraw.NeedsRepaint);

  AnswerNextModal([](QWidget* modal) {
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      input->setTextValue(QString());
      input->accept();
    }
  });
  window->findChild<QAction*>("miPlayerName")->trigger();
  QCOMPARE(window->Match().Deal().Players[0].Name, std::string());
}

void TOptionsTest::PlayerNameCancelKeepsTheName() {
  TTestWindow window;
  AnswerNextModal([](QWidget* modal) {
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      input->setTextValue(QStringLiteral("Somebody"));
      input->reject();
    }
  });
  window->findChild<QAction*>("miPlayerName")->trigger();
  QCOMPARE(window->Match().Deal().Players[0].Name, std::string("You"));
  // A redraw was asked for all the same.
  QVERIFY(window->Match().Redraw.NeedsRepaint);
}

void TOptionsTest::BackgroundRepaintsTheTable() {
  TTestWindow window;
  const QColor blue(10, 20, 200);
  QColor first;
  AnswerNextModal([&](QWidget* modal) {
    if (auto* dialog = qobject_cast<QColorDialog*>(modal)) {
      first = dialog->currentColor();
      dialog->setCurrentColor(blue);
      dialog->accept();
    }
  });
  window->findChild<QAction*>("miBackground")->trigger();
  QCOMPARE(first, QColor(Qt::black));
  QCOMPARE(window->Table()->Background(), blue);
  const QImage& canvas = window->Table()->Canvas();
  QCOMPARE(canvas.pixelColor(0, 0), blue);
  QCOMPARE(canvas.pixelColor(canvas.width() - 1, canvas.height() - 1), blue);

  // The next choice starts from the last one; cancelling keeps it.
  QColor second;
  AnswerNextModal([&](QWidget* modal) {
    if (auto* dialog = qobject_cast<QColorDialog*>(modal)) {
      second = dialog->currentColor();
      dialog->reject();
    }
  });
  window->findChild<QAction*>("miBackground")->trigger();
  QCOMPARE(second, blue);
  QCOMPARE(window->Table()->Background(), blue);
}

void TOptionsTest::FontReplacesTheTableFont() {
  TTestWindow window;
  QFont chosen = window->font();
  chosen.setPointSize(14);
  chosen.setItalic(true);
  QFont first;
  AnswerNextModal([&](QWidget* modal) {
    if (auto* dialog = qobject_cast<QFontDialog*>(modal)) {
      first = dialog->currentFont();
      dialog->setCurrentFont(chosen);
      dialog->accept();
    }
  });
  window->findChild<QAction*>("miFont")->trigger();
  QCOMPARE(first.family(), window->font().family());
  QCOMPARE(window->TableFont().pointSize(), 14);
  QVERIFY(window->TableFont().italic());
  QCOMPARE(window->TextColour(), window->palette().color(QPalette::WindowText));
  QVERIFY(window->Match().Redraw.NeedsRepaint);

  // The next choice starts from the last one; cancelling keeps the font.
  QFont second;
  AnswerNextModal([&](QWidget* modal) {
    if (auto* dialog = qobject_cast<QFontDialog*>(modal)) {
      second = dialog->currentFont();
      dialog->reject();
    }
  });
  window->findChild<QAction*>("miFont")->trigger();
  QCOMPARE(second.pointSize(), 14);
  QVERIFY(second.italic());
  QCOMPARE(window->TableFont().pointSize(), 14);
}

// The font choice lists the sixteen basic colours, opening at the window's
// text colour, then at the last confirmed one; the table text takes it.
void TOptionsTest::FontChoiceOffersTheSixteenColours() {
  TTestWindow window;
  QStringList listed, current;
  for (const char* name : {"Navy", "Red"}) {  // chosen, then cancelled
    AnswerNextModal([&, name](QWidget* modal) {
      auto* colours = modal->findChild<QComboBox*>(QStringLiteral("cbColour"));
      for (int i = 0; colours && i < colours->count(); ++i) listed << colours->itemText(i);
      current << (colours ? colours->currentText() : QString());
      if (colours) colours->setCurrentIndex(colours->findText(QLatin1String(name)));
      auto* dialog = qobject_cast<QDialog*>(modal);
      current.size() == 1 ? dialog->accept() : dialog->reject();
    });
    window->findChild<QAction*>("miFont")->trigger();
  }
  QCOMPARE(listed.mid(0, 16), (QStringList{"Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Grey",
                                           "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White"}));
  QCOMPARE(current, (QStringList{"Black", "Navy"}));
  auto& m = window->Match();
  {
    TEdit edit(m);
    edit->Deal.Contract = varlo::Whist;
    edit->Table.GameLine = "Current Game: Whist";
  }
  m.RequestRepaint();
  Settle(*window);
  QVERIFY(CountColour(window->Table()->Canvas(), 20, 410, 200, 430, QColor(0, 0, 128)) > 5);
}

// Options > Preferences opens at the level in force; OK applies it to the
// computer players and keeps it for the next start, Cancel changes nothing.
// No settings file exists before the first OK.
void TOptionsTest::OpponentsLevelHoldsUntilChanged() {
  TFreshHome home;
  TTestWindow window;
  const auto level = [](TTestWindow& w) {
    varlo::TComputerPlayer* player = &w->Match().ComputerPlayer();
    if (player == &w->Match().ClassicPlayer()) return QStringLiteral("classic");
    return QString::fromLatin1(dynamic_cast<varlo::TStrongPlayer*>(player) ? "strong" : "steady");
  };
  QStringList shown;
  const auto choose = [&](const char* radio, const char* button) {
    AnswerNextModal([&shown, radio, button](QWidget* modal) {
      auto* dialog = qobject_cast<TfrmPreferences*>(modal);
      QVERIFY(dialog && dialog->windowTitle() == QStringLiteral("Preferences"));
      shown << QLatin1String(varlo::OpponentLevelId(dialog->Chosen().Opponents));
      dialog->findChild<QRadioButton*>(radio)->click();
      dialog->findChild<QPushButton*>(button)->click();
    });
    window->findChild<QAction*>("miPreferences")->trigger();
    return level(window);
  };
  QCOMPARE(choose("rbstrong", "btnCancel"), QStringLiteral("classic"));
  QVERIFY(home.Files().isEmpty());
  QCOMPARE(choose("rbstrong", "btnOk"), QStringLiteral("strong"));
  QCOMPARE(choose("rbclassic", "btnCancel"), QStringLiteral("strong"));
  QCOMPARE(choose("rbsteady", "btnOk"), QStringLiteral("steady"));
  QCOMPARE(shown, (QStringList{"classic", "classic", "strong", "strong"}));
  QCOMPARE(home.Files(), QStringList{"XDG_CONFIG_HOME/varlo/varlo.conf"});
  TTestWindow next;  // a new start reads the choice
  QCOMPARE(level(next), QStringLiteral("steady"));
}

QTEST_MAIN(TOptionsTest)
#include "OptionsTest.moc"

// The Options menu: the player's name, the table font and its colour.
#include <QAction>
#include <QColorDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>

#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

class TOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void PlayerNameTakesTheTypedText();
  void PlayerNameCancelKeepsTheName();
  void BackgroundRepaintsTheTable();
  void FontReplacesTheTableFont();
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
  QCOMPARE(window->Match().Players[0].Name, std::string("  Zo\xC3\xAB "));  // as typed
  QVERIFY(window->Match().NeedsRepaint);

  AnswerNextModal([](QWidget* modal) {
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      input->setTextValue(QString());
      input->accept();
    }
  });
  window->findChild<QAction*>("miPlayerName")->trigger();
  QCOMPARE(window->Match().Players[0].Name, std::string());
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
  QCOMPARE(window->Match().Players[0].Name, std::string("You"));
  // A redraw was asked for all the same.
  QVERIFY(window->Match().NeedsRepaint);
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
  QVERIFY(window->Match().NeedsRepaint);

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
QTEST_MAIN(TOptionsTest)
#include "OptionsTest.moc"

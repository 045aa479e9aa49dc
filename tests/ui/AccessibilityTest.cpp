// Playing without a mouse, and with a screen reader: the keyboard's focus
// mark (on the screen only, never in the table's picture), Enter and 1 to 8
// playing through the click's own path; the table read in words through
// QAccessible, the mark as its focus. (scripts/atspi plays the chooser from
// the keyboard and reads the table through AT-SPI.)
#include <QAccessible>
#include <QTest>

#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

void Key(TfrmVarlo& window, Qt::Key key) { QTest::keyClick(window.windowHandle(), key); }

QImage OnScreen(TfrmVarlo& window, const QRect& area) {
  return window.Table()->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
}

QStringList Names(QAccessibleInterface* iface) {
  QStringList names;
  for (int i = 0; i < iface->childCount(); ++i) names << iface->child(i)->text(QAccessible::Name);
  return names;
}

QAccessibleInterface* Child(QAccessibleInterface* iface, const QString& name) {
  return iface->child(Names(iface).indexOf(name));
}

}  // namespace

class TAccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void TableIsReadInWordsAndPlayedFromTheKeyboard();
};

void TAccessibilityTest::TableIsReadInWordsAndPlayedFromTheKeyboard() {
  TTestWindow window;
  auto& m = window->Match();
  TTableView* table = window->Table();
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(table);
  QCOMPARE(reader->childCount(), 0);  // before the first match the table is empty
  DealWhistHeartsToHuman(m);
  {
    TEdit edit(m);
    edit->Deal.Players[0].Cards = {13, -1, 2, 10, -1, 5, 12, 26};
    edit->Deal.Leader = 3;
    edit->Deal.Trick = {24, 31, -1, -1};  // clubs led: only the nine of clubs may be played
    edit->Table.HandLine = "Hand: Sandra";
    edit->Table.GameLine = "Current Game: Whist";
  }
  QCOMPARE(Names(reader), (QStringList{"You", "Your hand", "Jack", "Trick", "Ben", "Sandra",
                                       "Hand: Sandra", "Current Game: Whist"}));
  QAccessibleInterface* hand = Child(reader, QStringLiteral("Your hand"));
  QCOMPARE(Names(hand), (QStringList{"Queen of spades", "empty", "Nine of hearts", "Nine of spades",
                                     "empty", "Queen of hearts", "Jack of spades", "Nine of clubs"}));
  for (int slot = 0; slot < 8; ++slot) {
    QCOMPARE(hand->child(slot)->role(), QAccessible::ListItem);
    QCOMPARE(!hand->child(slot)->state().disabled, slot == 7);
    QCOMPARE(hand->child(slot)->rect(),
             QRect(table->mapToGlobal(QPoint(20 + 74 * slot, 25)), QSize(74, 100)));
  }
  QCOMPARE(Names(Child(reader, QStringLiteral("Trick"))), (QStringList{"Seven of clubs", "Ace of clubs"}));

  {
    TEdit edit(m);
    edit->Deal.Contract = varlo::VarloLayout;
    for (int c : {4, 5, 6, 11, 12, 28}) edit->Deal.Layout[c] = true;
    edit->Table.GameLine = "Current Game: Varlo";
  }
  QCOMPARE(Names(reader), (QStringList{"You", "Your hand", "hearts row", "spades row", "diamonds row",
                                       "clubs row", "Current Game: Varlo"}));
  QCOMPARE(Names(Child(reader, QStringLiteral("spades row"))), (QStringList{"Ten of spades", "Jack of spades"}));
  QCOMPARE(Names(Child(reader, QStringLiteral("clubs row"))), QStringList{"Jack of clubs"});
  // A box is named by its title, and its text is read.
  QStringList box;
  AnswerNextModal([&](QWidget* modal) {
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(modal);
    box << read->text(QAccessible::Name) << Names(read);
    Press(modal, QMessageBox::Ok);
  });
  window->ShowMessage(varlo::TBoxKind::Error, "Illegal move !!!");
  QCOMPARE(box.value(0), QStringLiteral("Error"));
  QVERIFY(box.contains(QStringLiteral("Illegal move !!!")));

  // The keyboard's mark: shown by the first key, on the screen only.
  DealWhistHeartsToHuman(m);
  Edit(m)->Deal.Players[0].Cards[0] = -1;
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  const QRect slot1(94, 25, 74, 100), slot2(168, 25, 74, 100);
  QCOMPARE(OnScreen(*window, slot1), table->Canvas().copy(slot1));  // a mouse player's table
  QVERIFY(!reader->focusChild());
  m.DisableInput();  // keys, like clicks, do nothing while the game is busy
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Return, Qt::Key_1}) Key(*window, key);
  QCOMPARE(table->FocusedSlot(), -1);
  Edit(m)->Driver.InputEnabled = true;
  const std::pair<Qt::Key, int> moves[] = {{Qt::Key_Right, 1}, {Qt::Key_Right, 2}, {Qt::Key_End, 7},
                                           {Qt::Key_Right, 7}, {Qt::Key_Home, 1}, {Qt::Key_Left, 1}};
  for (auto [key, slot] : moves) {
    Key(*window, key);
    QCOMPARE(table->FocusedSlot(), slot);
    QCOMPARE(reader->focusChild()->focusChild(), reader->focusChild()->child(slot));
  }
  QVERIFY(reader->focusChild()->child(1)->state().focused);
  QVERIFY(OnScreen(*window, slot1) != table->Canvas().copy(slot1));
  QCOMPARE(OnScreen(*window, slot2), table->Canvas().copy(slot2));
  QTest::mouseClick(table, Qt::LeftButton, {}, QPoint(5, 300));  // a click hides it
  QTRY_COMPARE(OnScreen(*window, slot1), table->Canvas().copy(slot1));
  // Enter plays the marked card, a number its slot, as clicks on them would.
  Key(*window, Qt::Key_End);  // shows the mark where it stood
  Key(*window, Qt::Key_Return);
  QCOMPARE(m.Deal().Players[0].Cards[1], -1);
  QCOMPARE(m.Lines().HandLine, std::string("Hand: You"));
  Key(*window, Qt::Key_8);
  QCOMPARE(m.Deal().Players[0].Cards[7], -1);
  QCOMPARE(table->FocusedSlot(), 6);  // on the card nearest to the one played
}

QTEST_MAIN(TAccessibilityTest)
#include "AccessibilityTest.moc"

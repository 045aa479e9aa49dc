// What a screen reader finds: the table in words through QAccessible, the
// focus mark as the accessible focus, and named dialogs and boxes whose
// texts can be read.
#include <QAccessible>
#include <QAction>
#include <QTest>

#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

QStringList ChildNames(QAccessibleInterface* iface) {
  QStringList names;
  for (int i = 0; i < iface->childCount(); ++i) names << iface->child(i)->text(QAccessible::Name);
  return names;
}

QAccessibleInterface* ChildNamed(QAccessibleInterface* iface, const QString& name) {
  for (int i = 0; i < iface->childCount(); ++i)
    if (iface->child(i)->text(QAccessible::Name) == name) return iface->child(i);
  return nullptr;
}

// Every text a screen reader can reach below the interface.
QStringList AllTexts(QAccessibleInterface* iface) {
  QStringList texts{iface->text(QAccessible::Name)};
  for (int i = 0; i < iface->childCount(); ++i) texts += AllTexts(iface->child(i));
  return texts;
}

}  // namespace

class TAccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void TableIsReadInWords();
  void LayoutIsReadByRows();
  void FocusMarkIsTheAccessibleFocus();
  void DialogsAndBoxesAreNamedAndReadable();
};

void TAccessibilityTest::TableIsReadInWords() {
  TTestWindow window;
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  // Ben led the seven of clubs; the human has spades and hearts only, so
  // every card of his may be played; then he holds a club and must follow.
  m.Players[0].Cards = {13, -1, 2, 10, -1, 5, 12, 8};
  m.Leader = 3;
  m.Trick = {24, -1, -1, -1};
  m.HandLine = "Hand: Sandra";
  m.GameLine = "Current Game: Whist";
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window->Table());
  QVERIFY(table);
  QCOMPARE(table->role(), QAccessible::Canvas);
  QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Card table"));
  QCOMPARE(ChildNames(table), (QStringList{"You", "Your hand", "Jack", "Trick", "Ben", "Sandra",
                                           "Hand: Sandra", "Current Game: Whist"}));
  QAccessibleInterface* hand = ChildNamed(table, QStringLiteral("Your hand"));
  QCOMPARE(hand->role(), QAccessible::List);
  QCOMPARE(ChildNames(hand), (QStringList{"Queen of spades", "empty", "Nine of hearts",
                                          "Nine of spades", "empty", "Queen of hearts",
                                          "Jack of spades", "Seven of spades"}));
  for (int rounds = 0; rounds < 2; ++rounds) {
    for (int slot = 0; slot < 8; ++slot) {
      QAccessibleInterface* item = hand->child(slot);
      QCOMPARE(item->role(), QAccessible::ListItem);
      QCOMPARE(item->parent(), hand);
      QCOMPARE(hand->indexOfChild(item), slot);
      QCOMPARE(bool(item->state().disabled), !m.MayPlaySlot(slot));
      const QRect onScreen(window->Table()->mapToGlobal(QPoint(20 + 74 * slot, 25)), QSize(74, 100));
      QCOMPARE(item->rect(), onScreen);
    }
    m.Players[0].Cards[1] = 26;  // now a club is held: only it may be played
  }
  QVERIFY(!hand->child(1)->state().disabled);
  QVERIFY(hand->child(0)->state().disabled);
  QCOMPARE(hand->child(1)->text(QAccessible::Description), QStringLiteral("may be played"));
  QCOMPARE(ChildNames(ChildNamed(table, QStringLiteral("Trick"))),
           QStringList{"Seven of clubs"});
  m.Trick = {24, 31, 0, -1};
  QCOMPARE(ChildNames(ChildNamed(table, QStringLiteral("Trick"))),
           (QStringList{"Seven of clubs", "Ace of clubs", "Seven of hearts"}));
  m.Contract = -1;  // before the first match the table shows nothing
  QCOMPARE(table->childCount(), 0);
}

void TAccessibilityTest::LayoutIsReadByRows() {
  TTestWindow window;
  auto& m = window->Match();
  m.Contract = varlo::VarloLayout;
  m.Players[0].Cards = {0, 1, 2, 3, -1, -1, -1, -1};
  for (int c : {4, 5, 6, 12, 11, 28}) m.Layout[c] = true;
  m.GameLine = "Current Game: Varlo";
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window->Table());
  QCOMPARE(ChildNames(table), (QStringList{"You", "Your hand", "hearts row", "spades row",
                                           "diamonds row", "clubs row", "Current Game: Varlo"}));
  QCOMPARE(ChildNames(ChildNamed(table, QStringLiteral("hearts row"))),
           (QStringList{"Jack of hearts", "Queen of hearts", "King of hearts"}));
  QCOMPARE(ChildNames(ChildNamed(table, QStringLiteral("spades row"))),
           (QStringList{"Ten of spades", "Jack of spades"}));
  QCOMPARE(ChildNamed(table, QStringLiteral("diamonds row"))->childCount(), 0);
  QCOMPARE(ChildNames(ChildNamed(table, QStringLiteral("clubs row"))), QStringList{"Jack of clubs"});
}

void TAccessibilityTest::FocusMarkIsTheAccessibleFocus() {
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window->Table());
  QVERIFY(!table->focusChild());  // no mark yet: the table itself has the focus
  QTest::keyClick(window->windowHandle(), Qt::Key_Right);
  QCOMPARE(table->focusChild()->focusChild()->text(QAccessible::Name),
           QStringLiteral("Seven of hearts"));
  QTest::keyClick(window->windowHandle(), Qt::Key_Right);
  QAccessibleInterface* hand = table->focusChild();
  QVERIFY(hand);
  QAccessibleInterface* focused = hand->focusChild();
  QVERIFY(focused);
  QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("Eight of hearts"));
  QVERIFY(focused->state().focused);
  QVERIFY(!hand->child(0)->state().focused);
}

void TAccessibilityTest::DialogsAndBoxesAreNamedAndReadable() {
  TTestWindow window;
  struct TRead {
    QString Name;
    QStringList Texts;
  };
  const auto read = [&](const char* action) {
    TRead seen;
    AnswerNextModal([&](QWidget* modal) {
      QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(modal);
      seen = {iface->text(QAccessible::Name), AllTexts(iface)};
      if (auto* box = qobject_cast<QMessageBox*>(modal)) return Press(box, QMessageBox::Ok);
      ClickOk(modal);
      modal->close();
    });
    window->findChild<QAction*>(action)->trigger();
    return seen;
  };
  const TRead about = read("About1");
  QCOMPARE(about.Name, QStringLiteral("About"));
  QVERIFY(about.Texts.join(' ').contains(QStringLiteral("Varlo 1.22 - ")));
  const TRead score = read("miScore");
  QCOMPARE(score.Name, QStringLiteral("Score"));
  for (const char* text : {"You", "Jack", "Sandra", "Ben", "0", "OK"})
    QVERIFY2(score.Texts.contains(QLatin1String(text)), text);
  QCOMPARE(read("miTop").Name, QStringLiteral("Top"));
}

QTEST_MAIN(TAccessibilityTest)
#include "AccessibilityTest.moc"

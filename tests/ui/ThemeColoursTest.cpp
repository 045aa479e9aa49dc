// Every text of the dialogs, the boxes and the help pages against what lies
// behind it: under a dark theme at least 4.6:1, WCAG AA's 4.5:1 with a margin
// for what antialiasing takes off on the screen; under a light theme the
// game's own colours, exactly.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <map>

#include "Contrast.h"
#include "HelpWindow.h"
#include "ModalAnswers.h"
#include "TestWindow.h"
#include "records.h"

using namespace ui_test;

namespace {

struct TSeen {
  std::map<QString, QColor> Colours;  // text colour by widget name, row or page text
  QStringList Unreadable;
  void Check(const QString& what, const QColor& text, const QColor& ground) {
    Colours[what] = text;
    if (Contrast(text, ground) < 4.6)
      Unreadable << QStringLiteral("%1: %2 on %3").arg(what, text.name(), ground.name());
  }
};

// Each text of the dialog in its palette's text role against the role it is
// drawn on; list rows too, the selected one included.
void Measure(QWidget* dialog, TSeen& seen) {
  for (QWidget* w : dialog->findChildren<QWidget*>()) {
    const QPalette& p = w->palette();
    const QString text = w->property("text").toString() + w->property("title").toString();
    if (auto* view = qobject_cast<QAbstractItemView*>(w); view && !view->inherits("QHeaderView")) {
      for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QModelIndex index = view->model()->index(row, 0);
        const auto group = index.flags() & Qt::ItemIsEnabled ? QPalette::Active : QPalette::Disabled;
        const bool selected = view->selectionModel()->isSelected(index);
        seen.Check(index.data().toString(), p.color(group, selected ? QPalette::HighlightedText : QPalette::Text),
                   p.color(group, selected ? QPalette::Highlight : QPalette::Base));
      }
    } else if (!text.isEmpty() && w->isVisibleTo(dialog)) {
      // A check box draws its text on the window, not on its button role.
      const auto ground = w->inherits("QCheckBox") ? QPalette::Window : w->backgroundRole();
      const QString what = w->objectName().isEmpty() ? text : w->objectName();
      seen.Check(what, p.color(w->foregroundRole()), p.color(ground));
    }
  }
}

void MeasurePage(QTextBrowser* page, TSeen& seen) {
  for (QTextBlock block = page->document()->begin(); block.isValid(); block = block.next()) {
    QColor ground = page->palette().color(QPalette::Base);
    if (QTextTable* table = QTextCursor(block).currentTable())
      if (const QBrush cell = table->cellAt(QTextCursor(block)).format().background(); cell.style() != Qt::NoBrush)
        seen.Colours[QStringLiteral("cell")] = ground = cell.color();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QBrush ink = it.fragment().charFormat().foreground();
      const QColor text = ink.style() != Qt::NoBrush ? ink.color() : page->palette().color(QPalette::Text);
      seen.Check(it.fragment().text(), text, ground);
    }
  }
}

// Opens everything the player reads, through the menu, and measures it.
TSeen MeasureEverything() {
  QTemporaryDir dir;
  const auto file = std::filesystem::path(dir.path().toStdString()) / "Varlo.ini";
  varlo::WriteRecordsFile(file, {{"Maximilian", 1450}, {"You", 120}});
  TTestWindow window(file);
  TSeen seen;
  for (const char* action : {"miNew", "miScore", "miTop", "miStatistics", "About1", "miPlayerName"}) {
    AnswerNextModal([&](QWidget* modal) {
      if (auto* list = modal->findChild<QAbstractItemView*>(QStringLiteral("clbGames")))
        list->model()->setData(list->model()->index(varlo::Whist, 0), Qt::Checked, Qt::CheckStateRole);
      for (auto* list : modal->findChildren<QAbstractItemView*>()) list->setCurrentIndex(list->model()->index(1, 0));
      Measure(modal, seen);
      ClickOk(modal);
      modal->close();
    });
    window->findChild<QAction*>(action)->trigger();
  }
  THelpWindow help;
  for (const char* page : {"index", "howtoplay", "contracts", "layout", "records", "statistics"}) {
    help.Browser()->setSource(QUrl(QStringLiteral("qrc:/help/%1.html").arg(page)));
    MeasurePage(help.Browser(), seen);
  }
  return seen;
}

}  // namespace

class TThemeColoursTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadableUnderADarkThemeUnchangedUnderALightOne();
};

void TThemeColoursTest::ReadableUnderADarkThemeUnchangedUnderALightOne() {
  const std::map<QString, QColor> given = {
      {"lblPlayer", Qt::blue}, {"lblGame", Qt::blue}, {"GroupBox1", Qt::blue}, {"lblFirst", Qt::blue},
      {"lblPFirst", Qt::black}, {"Varlo Help", QColor(0x0b5a2a)}, {"hearts", QColor(0xcc1224)},
      {"cell", QColor(0xdfeee3)}};
  TSeen light = MeasureEverything();
  for (const auto& [what, colour] : given) QCOMPARE(light.Colours[what], colour);

  const QPalette before = QApplication::palette();
  QApplication::setPalette(DarkPalette());
  const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
  const TSeen dark = MeasureEverything();
  QVERIFY2(dark.Unreadable.isEmpty(), qPrintable(dark.Unreadable.join(QLatin1Char('\n'))));
  QVERIFY(dark.Colours.size() > 60);
}

QTEST_MAIN(TThemeColoursTest)
#include "ThemeColoursTest.moc"

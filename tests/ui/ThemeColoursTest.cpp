// Every text of the dialogs, the message boxes and the help pages, measured
// against what lies behind it: under a dark theme at least 4.5:1; under a
// light theme the colours stay the ones the game has always used.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <QTreeWidget>
#include <map>

#include "Contrast.h"
#include "HelpWindow.h"
#include "ModalAnswers.h"
#include "TestWindow.h"
#include "records.h"

using namespace ui_test;

namespace {

// A dark theme as many desktops ship it; its own highlight, link and
// disabled colours fall short of 4.5:1 on their grounds.
QPalette DarkPalette() {
  QPalette p;
  const QColor window(53, 53, 53), base(35, 35, 35), text(240, 240, 240);
  for (auto [role, colour] : std::initializer_list<std::pair<QPalette::ColorRole, QColor>>{
           {QPalette::Window, window}, {QPalette::WindowText, text}, {QPalette::Base, base},
           {QPalette::AlternateBase, window}, {QPalette::Text, text}, {QPalette::Button, window},
           {QPalette::ButtonText, text}, {QPalette::Highlight, QColor(42, 130, 218)},
           {QPalette::HighlightedText, Qt::white}, {QPalette::Link, QColor(42, 130, 218)},
           {QPalette::ToolTipBase, window}, {QPalette::ToolTipText, text}})
    p.setColor(role, colour);
  for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
  return p;
}

// What most pixels of the rectangle show: the ground a text is drawn on.
QColor Ground(const QImage& shot, const QRect& area) {
  std::map<QRgb, int> counts;
  const QRect r = area & shot.rect();
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) ++counts[shot.pixel(x, y) | 0xff000000u];
  QRgb best = 0;
  int most = -1;
  for (auto [rgb, n] : counts)
    if (n > most) std::tie(best, most) = std::tie(rgb, n);
  return QColor::fromRgb(best);
}

struct TLegibility {
  int Measured = 0;
  QStringList Failures;
  std::map<QString, QColor> Colours;  // of the named texts, for the light theme

  void Check(const QString& what, const QColor& text, const QColor& ground) {
    ++Measured;
    const double ratio = Contrast(text, ground);
    if (ratio < 4.5)
      Failures << QStringLiteral("%1: %2 on %3 = %4").arg(what, text.name(), ground.name())
                      .arg(ratio, 0, 'f', 2);
  }
};

QPalette::ColorGroup GroupOf(const QWidget* w) {
  if (!w->isEnabled()) return QPalette::Disabled;
  return w->isActiveWindow() ? QPalette::Active : QPalette::Inactive;
}

void MeasureItems(QAbstractItemView* view, const QImage& shot, QWidget* dialog, TLegibility& out) {
  const QAbstractItemModel* model = view->model();
  for (int row = 0; row < model->rowCount(); ++row)
    for (int column = 0; column < model->columnCount(); ++column) {
      const QModelIndex index = model->index(row, column);
      if (model->data(index).toString().isEmpty()) continue;
      const bool selected = view->selectionModel()->isSelected(index);
      const auto group = (model->flags(index) & Qt::ItemIsEnabled) ? GroupOf(view)
                                                                    : QPalette::Disabled;
      const QColor text = view->palette().color(group, selected ? QPalette::HighlightedText
                                                                : QPalette::Text);
      const QRect rect(view->viewport()->mapTo(dialog, view->visualRect(index).topLeft()),
                       view->visualRect(index).size());
      out.Check(view->objectName() + QStringLiteral(" item ") + model->data(index).toString(),
                text, Ground(shot, rect));
    }
}

// Every visible text of the dialog: the text colour it is painted with, on
// the ground the dialog shows behind it.
void Measure(QWidget* dialog, TLegibility& out) {
  const QImage shot = dialog->grab().toImage();
  for (QWidget* w : dialog->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(dialog)) continue;
    const QRect rect(w->mapTo(dialog, QPoint(0, 0)), w->size());
    const QPalette& p = w->palette();
    const auto group = GroupOf(w);
    QString text;
    QPalette::ColorRole role = QPalette::WindowText;
    QRect where = rect;
    if (auto* label = qobject_cast<QLabel*>(w)) {
      text = label->text();
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
      text = box->title();
      where.setHeight(box->fontMetrics().height());
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
      text = check->text();
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
      text = button->text();
      role = QPalette::ButtonText;
      where = rect.adjusted(3, 3, -3, -3);  // inside the frame
    } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
      text = header->model()->headerData(0, header->orientation()).toString();
      role = QPalette::ButtonText;
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
      MeasureItems(view, shot, dialog, out);
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
      text = line->text();
      role = QPalette::Text;
      where = rect.adjusted(3, 3, -3, -3);
    }
    if (text.isEmpty()) continue;
    const QColor colour = p.color(group, role);
    out.Colours[w->objectName()] = colour;
    out.Check(w->metaObject()->className() + QStringLiteral(" ") + text, colour,
              Ground(shot, where));
  }
}

// Every piece of text of the page against its table cell or the page.
void MeasurePage(QTextBrowser* browser, TLegibility& out) {
  const QPalette& p = browser->palette();
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
    QColor ground = p.color(QPalette::Base);
    QTextCursor cursor(block);
    if (QTextTable* table = cursor.currentTable()) {
      const QBrush cell = table->cellAt(cursor).format().background();
      if (cell.style() != Qt::NoBrush) ground = cell.color();
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment piece = it.fragment();
      if (piece.text().trimmed().isEmpty()) continue;
      const QTextCharFormat format = piece.charFormat();
      const QColor text = format.foreground().style() != Qt::NoBrush ? format.foreground().color()
                                                                     : p.color(QPalette::Text);
      const QColor back =
          format.background().style() != Qt::NoBrush ? format.background().color() : ground;
      out.Colours[QStringLiteral("page ") + piece.text().left(20)] = text;
      if (ground != p.color(QPalette::Base))
        out.Colours[QStringLiteral("cell ") + piece.text().left(20)] = ground;
      out.Check(browser->source().fileName() + QStringLiteral(": ") + piece.text().left(30), text,
                back);
    }
  }
}

// Opens everything the player reads and measures it.
TLegibility MeasureEverything() {
  QTemporaryDir dir;
  const auto file = std::filesystem::path(dir.path().toStdString()) / "Varlo.ini";
  varlo::WriteRecordsFile(file, {{"Maximilian", 1450}, {"You", 120}, {"Jack", -40}});
  TTestWindow window(file);
  TLegibility seen;
  const auto measureThen = [&](std::function<void(QWidget*)> close) {
    AnswerNextModal([&seen, close](QWidget* modal) {
      Measure(modal, seen);
      close(modal);
    });
  };
  // The chooser, with its current row showing as selected.
  AnswerNextModal([&](QWidget* modal) {
    auto* list = modal->findChild<QListWidget*>(QStringLiteral("clbGames"));
    list->item(varlo::Whist)->setCheckState(Qt::Checked);
    list->setCurrentRow(3);
    Measure(modal, seen);
    ClickOk(modal);
  });
  window->findChild<QAction*>("miNew")->trigger();
  measureThen([](QWidget* m) { ClickOk(m); });
  window->findChild<QAction*>("miScore")->trigger();
  AnswerNextModal([&](QWidget* modal) {
    auto* list = modal->findChild<QTreeWidget*>(QStringLiteral("lvTop"));
    list->setCurrentItem(list->topLevelItem(0));
    Measure(modal, seen);
    modal->close();
  });
  window->findChild<QAction*>("miTop")->trigger();
  measureThen([](QWidget* m) { Press(m, QMessageBox::Ok); });
  window->ShowMessage(varlo::TBoxKind::Error, "Illegal move !!!");
  measureThen([](QWidget* m) { Press(m, QMessageBox::Ok); });
  window->findChild<QAction*>("About1")->trigger();
  measureThen([](QWidget* m) { qobject_cast<QDialog*>(m)->reject(); });
  window->findChild<QAction*>("miPlayerName")->trigger();

  THelpWindow help;
  help.setAttribute(Qt::WA_DeleteOnClose, false);
  for (const char* page : {"index", "howtoplay", "contracts", "layout", "records"}) {
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
  // Light: the game's own colours, exactly.
  TLegibility light = MeasureEverything();
  const QColor blue(0, 0, 255);
  for (const char* name : {"lblPlayer", "lblGame", "GroupBox1", "lblFirst", "lblFourth"})
    QCOMPARE(light.Colours[QLatin1String(name)], blue);
  QCOMPARE(light.Colours[QStringLiteral("lblPFirst")], QColor(Qt::black));
  QCOMPARE(light.Colours[QStringLiteral("page Varlo Help")], QColor(0x0b, 0x5a, 0x2a));
  QCOMPARE(light.Colours[QStringLiteral("page hearts")], QColor(0xcc, 0x12, 0x24));
  bool paleHeads = false;
  for (const auto& [what, colour] : light.Colours)
    paleHeads = paleHeads || (what.startsWith(QLatin1String("cell ")) &&
                              colour == QColor(0xdf, 0xee, 0xe3));
  QVERIFY(paleHeads);

  // Dark: every text readable.
  const QPalette before = QApplication::palette();
  QApplication::setPalette(DarkPalette());
  const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
  const TLegibility dark = MeasureEverything();
  QVERIFY2(dark.Failures.isEmpty(), qPrintable(dark.Failures.join(QLatin1Char('\n'))));
  QVERIFY2(dark.Measured > 60, qPrintable(QString::number(dark.Measured)));
}

QTEST_MAIN(TThemeColoursTest)
#include "ThemeColoursTest.moc"

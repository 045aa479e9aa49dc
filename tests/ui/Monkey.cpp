#include "Monkey.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

#include "GameChooser.h"
#include "ModalAnswers.h"
#include "PreferencesDialog.h"
#include "Points.h"
#include "Records.h"
#include "TableView.h"
#include "TestWindow.h"

namespace ui_test {

namespace {

// Names a player might type: empty, blank, very long, accented, non-Latin,
// right-to-left, combining marks, symbols outside the basic plane.
QString RandomName(std::mt19937& rng) {
  static const QStringList names = {
      QString(),
      QStringLiteral("   "),
      QStringLiteral("A"),
      QStringLiteral("Ærøskøbing Ølstykke"),
      QStringLiteral("Zoë Łukasiewicz-Müller"),
      QStringLiteral("Дмитрий Иванович"),
      QStringLiteral("张伟张伟张伟张伟"),
      QStringLiteral("محمد عبد الله"),
      QStringLiteral("e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301"),
      QStringLiteral("🂡🂱🃁🃑 Ace"),
      QStringLiteral("Tab\there; \"quoted\" & <b>bold</b>"),
  };
  std::uniform_int_distribution<int> pick(0, static_cast<int>(names.size()));
  const int k = pick(rng);
  if (k < names.size()) return names[k];
  return QString(300, QLatin1Char('W'));
}

}  // namespace

TMonkey::TMonkey(unsigned seed, std::filesystem::path recordsFile)
    : Seed(seed), RecordsFile(std::move(recordsFile)), Rng(seed), Clock(seed) {
  Answerer.setInterval(0);
  connect(&Answerer, &QTimer::timeout, this, &TMonkey::Tick);
  Answerer.start();
}

TMonkey::~TMonkey() = default;

void TMonkey::Run(long events) {
  while (Count.Events < events && Found.isEmpty()) {
    if (!Window || !Window->isVisible()) Launch();
    Act();
    CheckBetweenCalls();
  }
}

void TMonkey::Launch() {
  Window.reset();
  Window = std::make_unique<TfrmVarlo>(&Clock, RecordsFile);
  Window->SetPauseScale(0);
  Window->show();
  if (!QTest::qWaitForWindowExposed(Window.get())) Fail(QStringLiteral("window not shown"));
  ++Count.Launches;
  Started = false;
  Note(QStringLiteral("launch"));
}

// A match the monkey means to finish: no New and no accepted exit until the
// last deal is over, so that whole matches get played.
bool TMonkey::Patient() const { return PatientMatch && Started && !Window->Match().MatchFinished(); }

void TMonkey::Act() {
  ++Count.Events;
  const bool idle = !Started || Window->Match().MatchFinished();
  if (idle && Chance(0.3)) return Trigger("miNew");
  // How often each move comes, for a monkey playing its match out and for
  // one that wanders; "card" clicks within the hand, "table" anywhere.
  struct TMove {
    const char* What;
    double Patient, Restless;
  };
  static const TMove moves[] = {
      {"card", 700, 500},  {"table", 230, 260},       {"miNew", 0, 10},
      {"miScore", 15, 40}, {"miTop", 10, 20},         {"miPlayerName", 10, 50},
      {"miFont", 5, 20},   {"miBackground", 5, 20},   {"miVarloHelp", 3, 10},
      {"About1", 3, 10},   {"miExit", 9, 40},         {"miPreferences", 4, 15},
      {"miTakeBack", 10, 10},  {"miStatistics", 2, 10},
  };
  std::vector<double> odds;
  for (const TMove& move : moves) odds.push_back(Patient() ? move.Patient : move.Restless);
  const TMove& move = moves[std::discrete_distribution<int>(odds.begin(), odds.end())(Rng)];
  const std::string_view what = move.What;
  if (what == "card" || what == "table") return ClickTable(what == "card");
  Trigger(move.What);
}

void TMonkey::ClickTable(bool onACard) {
  static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton,
                                            Qt::RightButton, Qt::MiddleButton};
  const Qt::MouseButton button = buttons[Roll(5)];
  QPoint at;
  if (onACard) {
    at = QPoint(varlo::HandLeft + varlo::CardWidth * Roll(varlo::HandSize) + Roll(varlo::CardWidth),
                varlo::HandTop + Roll(varlo::CardHeight));
  } else {
    const QSize size = Window->Table()->size();
    at = QPoint(Roll(size.width()), Roll(size.height()));
  }
  Note(QStringLiteral("click %1 at %2,%3").arg(button).arg(at.x()).arg(at.y()));
  QTest::mouseClick(Window->Table(), button, {}, at);
}

void TMonkey::Trigger(const char* action) {
  Note(QStringLiteral("menu %1").arg(QLatin1String(action)));
  if (QByteArrayView(action) == "miNew") {
    ++Count.News;
    StartMatchTracking();
  }
  auto* item = Window->findChild<QAction*>(QLatin1String(action));
  if (!item) return Fail(QStringLiteral("no menu item %1").arg(QLatin1String(action)));
  item->trigger();
}

void TMonkey::StartMatchTracking() {
  Started = true;
  PatientMatch = Chance(0.6);
  Seen = {};
  OpenChooser.clear();
  ChooserSeat = -1;
  DealContract = varlo::NoContract;
  PaidOut = 0;
  DealsSeen = 0;
}

// Runs from the event loop, so also inside every modal's own loop. The answer
// itself goes out through a one-off timer: this timer does not fire again
// while its own slot runs, and an answer may open a further box (an empty
// chooser's "Select a game !!!") that must be answered in turn.
void TMonkey::Tick() {
  if (AnswerQueued || !Window) return;
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  AnswerQueued = true;
  QTimer::singleShot(0, this, [this, which = QPointer<QWidget>(modal)] {
    AnswerQueued = false;
    if (which && which == QApplication::activeModalWidget()) Answer(which);
  });
}

void TMonkey::Answer(QWidget* modal) {
  ++Count.Events;
  if (qobject_cast<TfrmGameChooser*>(modal) && OpenChooser != modal) {
    ++Count.Choosers;
    OpenChooser = modal;
    ChooserSeat = M().Deal().Chooser;
  }
  CheckAnyMoment();
  if (!Found.isEmpty()) return GetOut(modal);
  if (qobject_cast<TfrmGameChooser*>(modal)) return AnswerChooser(modal);
  if (qobject_cast<TfrmPoints*>(modal)) return AnswerScore(modal);
  if (qobject_cast<TfrmRecords*>(modal)) return AnswerRecords(modal);
  if (auto* box = qobject_cast<QMessageBox*>(modal)) return AnswerBox(box);
  AnswerOther(modal);
}

void TMonkey::AnswerChooser(QWidget* dialog) {
  auto* list = dialog->findChild<QListWidget*>(QStringLiteral("clbGames"));
  // The user clicks a few check boxes; only enabled ones react to a click.
  for (int toggles = Roll(4); toggles > 0 && list->isEnabled(); --toggles) {
    QListWidgetItem* item = list->item(Roll(list->count()));
    if (!(item->flags() & Qt::ItemIsEnabled)) continue;
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    Note(QStringLiteral("toggle %1").arg(item->text()));
  }
  bool anyChecked = false;
  for (int i = 0; i < list->count(); ++i)
    anyChecked = anyChecked || (list->item(i)->flags() & Qt::ItemIsEnabled &&
                                list->item(i)->checkState() == Qt::Checked);
  if (list->isEnabled() && !anyChecked) ++Count.EmptyChooserCloses;
  Dismiss(dialog);
}

void TMonkey::AnswerScore(QWidget* dialog) {
  CheckScoreRows(dialog);
  Dismiss(dialog);
}

void TMonkey::AnswerRecords(QWidget* dialog) {
  CheckRecordsFile(dialog);
  Dismiss(dialog);
}

void TMonkey::AnswerBox(QMessageBox* box) {
  CheckBoxText(box->text());
  Note(QStringLiteral("box \"%1\"").arg(box->text()));
  if (box->text() == QStringLiteral("Illegal move !!!")) ++Count.IllegalMoves;
  if (box->text().startsWith(QStringLiteral("Game Over !!!"))) ++Count.WholeMatches;
  if (box->button(QMessageBox::Yes)) {
    // Leaving in the middle of a match the monkey means to finish is a No.
    const bool leave = !Patient() && Chance(0.4);
    Note(leave ? QStringLiteral("yes") : QStringLiteral("no"));
    if (leave) ++Count.Exits;
    if (leave || Chance(0.5)) return box->button(leave ? QMessageBox::Yes : QMessageBox::No)->click();
    return QTest::keyClick(box, Qt::Key_Escape);
  }
  Dismiss(box);
}

// Qt's own dialogs: the player's name, the font and the table colour.
void TMonkey::AnswerOther(QWidget* dialog) {
  auto* asked = qobject_cast<QDialog*>(dialog);
  if (!asked) {
    Fail(QStringLiteral("an unknown modal: %1").arg(dialog->metaObject()->className()));
    return GetOut(dialog);
  }
  if (auto* input = qobject_cast<QInputDialog*>(dialog)) {
    const QString name = RandomName(Rng);
    Note(QStringLiteral("name \"%1\"").arg(name.left(40)));
    // Typed into the line, which holds no more than it allows.
    if (auto* line = input->findChild<QLineEdit*>()) line->setText(name);
  } else if (auto* fonts = qobject_cast<QFontDialog*>(dialog)) {
    const QStringList families = QFontDatabase::families();
    if (!families.isEmpty())
      fonts->setCurrentFont(QFont(families[Roll(families.size())], 4 + Roll(40), Roll(2) ? QFont::Bold : QFont::Normal));
  } else if (auto* colours = qobject_cast<QColorDialog*>(dialog)) {
    colours->setCurrentColor(QColor(Roll(256), Roll(256), Roll(256)));
  } else if (qobject_cast<TfrmPreferences*>(dialog)) {
    ChoosePreferences(dialog);
  }
  const bool accept = Chance(0.6);
  Note(accept ? QStringLiteral("accept %1").arg(dialog->metaObject()->className())
              : QStringLiteral("cancel %1").arg(dialog->metaObject()->className()));
  accept ? asked->accept() : asked->reject();
}

// Any level of opponents, the layout messages where they like, taking back
// allowed or not, the match kept or not. The pause stays the blocking one:
// the monkey's checks expect the table back after every click.
void TMonkey::ChoosePreferences(QWidget* dialog) {
  static const char* const levels[] = {"rbclassic", "rbsteady", "rbstrong"};
  const char* level = levels[Roll(3)];
  Note(QStringLiteral("opponents %1").arg(QLatin1String(level)));
  dialog->findChild<QRadioButton*>(QLatin1String(level))->click();
  dialog->findChild<QComboBox*>(QStringLiteral("cbMessages"))->setCurrentIndex(Roll(2));
  for (const char* box : {"chkTakeBack", "chkKeepMatch", "chkKeepStatistics", "chkRememberLook"})
    dialog->findChild<QCheckBox*>(QLatin1String(box))->setChecked(Roll(2));
}

// Once something has gone wrong the driver is only helped back out, so the
// run can stop and report.
void TMonkey::GetOut(QWidget* modal) {
  if (qobject_cast<TfrmGameChooser*>(modal)) CheckFirstFreeItem(modal);
  if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->button(QMessageBox::No))
    return box->button(QMessageBox::No)->click();
  if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && !qobject_cast<TfrmGameChooser*>(modal) &&
                                                     !qobject_cast<QMessageBox*>(modal))
    return dialog->reject();
  Dismiss(modal);
}

// OK, Escape or the window's close box, whichever the monkey fancies.
void TMonkey::Dismiss(QWidget* dialog) {
  const int how = Found.isEmpty() ? Roll(3) : 0;
  if (how == 0) {
    Note(QStringLiteral("ok"));
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
      if (auto* ok = box->button(QMessageBox::Ok)) return ok->click();
    } else if (auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("btnOk"))) {
      return ok->click();
    }
  }
  if (how == 1) {
    Note(QStringLiteral("escape"));
    return QTest::keyClick(dialog, Qt::Key_Escape);
  }
  Note(QStringLiteral("close box"));
  dialog->close();
}

}  // namespace ui_test

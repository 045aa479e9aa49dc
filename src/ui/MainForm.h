// The main window: the table, the menu and the screen the match talks to.
#pragma once

#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "Preferences.h"
#include "OnCores.h"
#include "match.h"
#include "random.h"
#include "screen.h"

namespace varlo {
class TStrongPlayer;
class TSteadyPlayer;
class TMatchSaver;
}

class QAction;
class QMenu;
class QPainter;
class TTablePictures;
class TTableTexts;
class TTableView;

class TfrmVarlo : public QMainWindow, public varlo::TScreen {
  Q_OBJECT

 public:
  /// clock: the source of the deal's seeds (the wall clock when null).
  /// recordsFile: where the ten best results live; by default "Varlo.ini"
  /// beside the executable (or the per-user data folder when that folder is
  /// read-only). An empty path keeps no records.
  explicit TfrmVarlo(varlo::TClock* clock = nullptr,
                     std::optional<std::filesystem::path> recordsFile = std::nullopt);
  ~TfrmVarlo() override;

  varlo::TMatch& Match() { return MatchState; }
  TTableView* Table() const { return TableView; }
  const QFont& TableFont() const { return TextFont; }
  const QColor& TextColour() const { return TextPen; }
  /// Scales the pause after each trick; 0 skips the wait (tests).
  void SetPauseScale(double scale) { PauseScale = scale; }
  /// Who plays Jack, Sandra and Ben (Options > Preferences); Classic at start.
  varlo::TOpponentLevel OpponentLevel() const { return Prefs.Opponents; }
  /// The player's choices as they stand in this run.
  const TPreferences& Preferences() const { return Prefs; }
  /// Where the choices are kept; set before the window reads them.
  static QString PreferencesPath();
  /// At start: offers to continue the unfinished match, when the player
  /// keeps one; says so when it cannot be continued.
  void OfferToContinue();
  /// Waits until the unfinished match's file is written (tests, exit).
  void FlushSaves();
  /// Card pictures on the table are stand-ins whose sharp pictures are
  /// still being drawn (after a resize); a redraw follows their arrival.
  bool CardPicturesPending() const;

  // ---- varlo::TScreen
  void Beep() override;
  void ShowMessage(varlo::TBoxKind kind, const std::string& text) override;
  void RepaintRequested() override;
  void PaintTable() override;
  void Pause(int milliseconds) override;
  void StartPause(int milliseconds) override;
  void FillWindow() override;
  void ShowChooser(varlo::TGameChooser& chooser) override;
  void ShowScore(const std::array<varlo::TScoreRow, 4>& rows) override;
  void ShowRecords(const std::filesystem::path& recordsFile) override;

 public slots:
  void miNewClick();
  void miExitClick();
  void miPlayerNameClick();
  void miFontClick();
  void miBackgroundClick();
  void miPreferencesClick();
  void miTakeBackClick();
  void miScoreClick();
  void miTopClick();
  void miStatisticsClick();
  void miVarloHelpClick();
  void About1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private slots:
  void FormPaint();
  void FormMouseDown(QPoint position);
  void TableSlotPlayed(int slot);
  void PaintTimerTimer();
  /// The waiting pause after a trick is over: the driver goes on.
  void PauseTimerTimer();

 private:
  void CreateMenu();
  QMenu* AddMenu(const char* name, const QString& caption);
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                   const QString& hint = QString());
  void SetUpRecordsFile(std::optional<std::filesystem::path> recordsFile);
  /// Puts the preferences in force: the opponents, the pace, the layout
  /// messages, taking back, the remembered look.
  void ApplyPreferences();
  void ApplyLook(const TLook& look);
  /// The name, font and background as they stand, for remembering.
  TLook CurrentLook() const;
  /// Keeps the changed look when the player wants it remembered.
  void RememberLook();
  void UseOpponents(varlo::TOpponentLevel level, std::optional<std::uint64_t> seed);
  /// After every driver call: the match is saved while the human is to
  /// play, forgotten once it is over; the take-back command follows.
  void AfterDriver();
  void SaveUnfinishedMatch();
  void ForgetUnfinishedMatch();
  /// A match has begun and is not over.
  bool MatchUnderWay() const;
  // ---- statistics (MainFormStatistics.cpp)
  /// Appends the match to the statistics log, when the player keeps one.
  void LogMatch(const varlo::TMatchState& match, varlo::TOpponentLevel opponents);
  /// After every driver call: a match that has just finished is logged.
  void NoteFinishedMatch();
  /// The match under way is left for good: logged as abandoned.
  void NoteAbandonedMatch();
  void CentreOnScreen();
  void CentreFrameOnceKnown();
  /// Runs the turn driver; a close request that arrives meanwhile waits
  /// until it has returned. An exception from the driver is shown in the
  /// error box and leaves the table disabled until New.
  void RunDriver(const std::function<void()>& call);
  void ShowErrorBox(const QString& text);
  /// The table shows a trick in a waiting pause: no command is handled.
  bool PauseWaiting() const { return MatchState.Driver().PauseWaiting; }
  /// Ends a waiting pause at the player's click or key, when he paces it.
  void PauseClicked();

  // ---- the drawing pass
  void DrawTable();
  void DrawHumanHand();
  void DrawOpponents();
  /// Picture n (0 the back, else card n - 1) covering the card's rectangle.
  void DrawCardImage(int n, const varlo::TTableRect& card);
  /// Opaque text with the top-left corner of its cell at the point.
  void DrawText(const std::string& text, varlo::TTablePoint at);
  void FillRect(const varlo::TTableRect& area);
  /// Gets ready the pictures and texts this drawing pass will draw, all at
  /// once.
  void DrawMessageLine(const std::string& text);
  /// The coach's figures in the band below the hand.
  void DrawAdvice();
  /// Asks the coach again when the human is to play; forgets its advice
  /// otherwise. Advice makes the match assisted.
  void UpdateAdvice();
  void PrepareCardImages();
  void PrepareAhead();
  TJobs CollectPreparation();

  std::unique_ptr<varlo::TClock> OwnClock;
  varlo::TMatch MatchState;
  varlo::TClock* SeedClock = nullptr;  // also seeds the Strong player
  TPreferences Prefs;
  std::unique_ptr<varlo::TStrongPlayer> StrongPlayer;
  std::unique_ptr<varlo::TSteadyPlayer> SteadyPlayer;
  std::uint64_t OpponentsSeed = 0;
  std::unique_ptr<varlo::TMatchSaver> Saver;
  TTableView* TableView = nullptr;
  QTimer PaintTimer;
  QTimer PauseTimer;
  QFont TextFont;
  QColor TextPen;
  std::optional<QFont> FontChoice;
  std::optional<QColor> FontColourChoice;
  QColor ColourChoice = Qt::black;
  std::unique_ptr<TTablePictures> Pictures;
  std::unique_ptr<TTableTexts> Texts;
  QPainter* Canvas = nullptr;  // set while a drawing pass runs
  // Set while a pass only notes which pictures (at what size) and texts it
  // would draw.
  std::vector<std::pair<int, QSize>>* WantedImages = nullptr;
  std::vector<std::pair<QPoint, QString>>* WantedTexts = nullptr;
  double PauseScale = 1.0;
  bool DriverRunning = false;
  bool CloseWaiting = false;
  bool FramePending = true;  // the window manager's frame is not known yet
  bool FinishLogged = false;  // the finished match on the table is in the log
  QPoint PlacedAt;

  QMenu* miGame = nullptr;
  QAction* miNew = nullptr;
  QAction* miOpen = nullptr;
  QAction* miSave = nullptr;
  QAction* miTakeBack = nullptr;
  QAction* N1 = nullptr;
  QAction* miExit = nullptr;
  QMenu* miOptions = nullptr;
  QAction* miPlayerName = nullptr;
  QAction* miFont = nullptr;
  QAction* miBackground = nullptr;
  QAction* miPreferences = nullptr;
  QMenu* miInfo = nullptr;
  QAction* miScore = nullptr;
  QAction* miTop = nullptr;
  QAction* miStatistics = nullptr;
  QMenu* miHelp = nullptr;
  QAction* miVarloHelp = nullptr;
  QAction* About1 = nullptr;
};

/// The program's one main window; null once it has been destroyed.
extern TfrmVarlo* frmVarlo;

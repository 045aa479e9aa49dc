// What the game asks of the screen. The game never draws, sleeps or opens a
// window by itself: the window layer implements this, and the headless runner
// and the tests implement it without any window.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace varlo {

class TGameChooser;
struct TScoreRow;

enum class TBoxKind { Information, Error, Confirmation };

class TScreen {
 public:
  virtual ~TScreen() = default;

  /// The system beep.
  virtual void Beep() = 0;
  /// A modal message box with an OK button only.
  virtual void ShowMessage(TBoxKind kind, const std::string& text) = 0;
  /// The match has just set NeedsRepaint. A window whose redraw timer sleeps
  /// while nothing is pending wakes it here; others may ignore it.
  virtual void RepaintRequested() = 0;
  /// Draw the whole table now (the drawing pass of TMatch::RepaintTable).
  virtual void PaintTable() = 0;
  /// Block for the given time with nothing drawn or handled.
  virtual void Pause(int milliseconds) = 0;
  /// The pause after a trick as a waiting state: return at once, and call
  /// TMatch::EndPause once the time is up (0: once the player clicks or
  /// presses Enter or Space). Until then the match takes no clicks.
  virtual void StartPause(int milliseconds) = 0;
  /// Fill the whole window with the table colour, erasing everything drawn.
  virtual void FillWindow() = 0;
  /// Show the contract chooser modally. Returns once chooser.TryClose()
  /// has succeeded (OK or the close box).
  virtual void ShowChooser(TGameChooser& chooser) = 0;
  /// Show the score dialog modally with the four rows, highest first.
  virtual void ShowScore(const std::array<TScoreRow, 4>& rows) = 0;
  /// Show the records dialog modally; it reads the file by itself.
  virtual void ShowRecords(const std::filesystem::path& recordsFile) = 0;
};

}  // namespace varlo

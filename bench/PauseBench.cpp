// The pause after a trick as the player sees it: the window's own Pause
// (3000 ms) timed on the monotonic clock, many times over. Prints
// "pause_ms min=.. median=.. max=.. pauses=N". VARLO_BENCH_PAUSES sets N
// (20 by default: a minute).
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "MainForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int pauses = qEnvironmentVariableIntValue("VARLO_BENCH_PAUSES") > 0
                         ? qEnvironmentVariableIntValue("VARLO_BENCH_PAUSES")
                         : 20;
  TfrmVarlo window(nullptr, std::filesystem::path());
  window.show();
  std::vector<double> lasted;
  for (int i = 0; i < pauses; ++i) {
    const auto start = std::chrono::steady_clock::now();
    window.Pause(varlo::TrickPauseMs);
    lasted.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(lasted.begin(), lasted.end());
  std::printf("pause_ms min=%.1f median=%.1f max=%.1f pauses=%d (asked: %d)\n", lasted.front(),
              lasted[lasted.size() / 2], lasted.back(), pauses, varlo::TrickPauseMs);
  return 0;
}

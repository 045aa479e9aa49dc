// The start-up measurement's probe: with VARLO_BENCH_PAINT set in the
// environment, the first paint of the window writes one line to stderr,
// "first-paint <ns>", read on the monotonic clock, so that a launcher can
// tell how long the window took to appear. Without the variable it costs one
// flag test per paint.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>

inline void ReportFirstPaint() {
  static bool reported = std::getenv("VARLO_BENCH_PAINT") == nullptr;
  if (reported) return;
  reported = true;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::fprintf(stderr, "first-paint %lld\n",
               static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stderr);
}

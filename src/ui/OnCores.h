// Independent jobs 0..count-1 spread over the machine's cores on plain
// threads, rather than Qt's concurrent module, which would be one more
// library to load at every start for a resize that may never come.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>
#include <stop_token>
#include <thread>
#include <vector>

/// Runs job(i) for every i below count, several at a time, leaving
/// `spareCores` of the cores to others; returns once all have run. Nothing
/// is shared between the jobs but the counter that hands out the next one.
/// Once a stop is requested, jobs not begun yet are skipped.
template <typename TJob>
void RunOnCores(std::size_t count, const TJob& job, std::stop_token stop = {},
                unsigned spareCores = 0) {
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; !stop.stop_requested() && (i = next++) < count;) job(i);
  };
  const unsigned all = std::thread::hardware_concurrency();
  const std::size_t cores = all > spareCores + 1 ? all - spareCores : 1;
  std::vector<std::jthread> helpers(std::min(cores, std::max<std::size_t>(count, 1)) - 1);
  for (auto& helper : helpers) helper = std::jthread(work);
  work();
}  // the helpers are joined here

/// Work collected for one run: the longest jobs best come first.
using TJobs = std::vector<std::function<void()>>;

inline void RunOnCores(const TJobs& jobs) {
  RunOnCores(jobs.size(), [&jobs](std::size_t i) { jobs[i](); });
}

#include "match_saver.h"

#include <system_error>

namespace varlo {

TMatchSaver::TMatchSaver(std::filesystem::path file)
    : Path(std::move(file)), Worker([this] { Run(); }) {}

TMatchSaver::~TMatchSaver() {
  {
    std::lock_guard<std::mutex> guard(Lock);
    Stopping = true;
  }
  Wake.notify_one();
  Worker.join();
}

void TMatchSaver::Save(const TSavedMatch& saved) {
  std::string text = EncodeMatch(saved);
  {
    std::lock_guard<std::mutex> guard(Lock);
    Next = TNext::Write;
    Text = std::move(text);
  }
  Wake.notify_one();
}

void TMatchSaver::Remove() {
  {
    std::lock_guard<std::mutex> guard(Lock);
    Next = TNext::Remove;
    Text.clear();
  }
  Wake.notify_one();
}

void TMatchSaver::Flush() {
  std::unique_lock<std::mutex> guard(Lock);
  Done.wait(guard, [this] { return Next == TNext::Nothing && !Busy; });
}

void TMatchSaver::Run() {
  std::unique_lock<std::mutex> guard(Lock);
  for (;;) {
    Wake.wait(guard, [this] { return Stopping || Next != TNext::Nothing; });
    if (Next == TNext::Nothing) return;  // stopping, with nothing left to do
    const TNext what = Next;
    const std::string text = std::move(Text);
    Next = TNext::Nothing;
    Busy = true;
    guard.unlock();
    // A save that fails leaves the last one in place: the match goes on,
    // and the next decision tries again.
    if (what == TNext::Write) {
      WriteMatchFile(Path, text);
    } else {
      std::error_code ec;
      std::filesystem::remove(Path, ec);
    }
    guard.lock();
    Busy = false;
    Done.notify_all();
  }
}

}  // namespace varlo

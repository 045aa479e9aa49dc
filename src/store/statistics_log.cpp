#include "statistics_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <nlohmann/json.hpp>
#include <thread>

#include "records_io.h"
#include "user_folders.h"

namespace varlo {

namespace fs = std::filesystem;

namespace {

using TJson = nlohmann::ordered_json;

// A line holds 32 deals and a name: a few kilobytes at most, even for a
// long name written as \u escapes.
constexpr std::size_t MaxLineBytes = 64 * 1024;
// Below this many lines a log is read on one thread.
constexpr std::size_t LinesForThreads = 512;
// A game that finds the log held by another gives up after a second and
// goes on without the line.
constexpr auto LockWait = std::chrono::seconds(1);

TJson EncodeDeals(const std::vector<TDealResult>& deals) {
  TJson list = TJson::array();
  for (const TDealResult& d : deals)
    list.push_back(
        TJson{{"chooser", d.Chooser}, {"contract", ContractId(d.Contract)}, {"scores", d.Points}});
  return list;
}

// The bytes from `start` to the end of the file (of `size` bytes), cut to
// begin at a line's start: a line begun before `start` is no line here.
std::optional<std::string> ReadWholeLines(int fd, std::uint64_t size, std::uint64_t start) {
  // The byte before the start tells whether a line begins there.
  const std::uint64_t from = start > 0 ? start - 1 : 0;
  std::optional<std::string> bytes =
      records_io::ReadFrom(fd, from, static_cast<std::size_t>(size - from));
  if (!bytes || start == 0) return bytes;
  const std::size_t end = bytes->find('\n');
  bytes->erase(0, end == std::string::npos ? bytes->size() : end + 1);
  return bytes;
}

// The log's lines, each without its line end; what follows the last line
// end is a line cut short (or being written), and counted as damaged.
std::vector<std::string_view> SplitLines(std::string_view bytes, TStatisticsLog& log) {
  std::vector<std::string_view> lines;
  for (std::size_t end = bytes.find('\n'); end != std::string_view::npos; end = bytes.find('\n')) {
    if (end > 0) lines.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 1);
  }
  if (!bytes.empty()) ++log.Damaged;
  return lines;
}

// Every line decoded, in order. The lines are independent of each other, so
// a long log is shared out among the processor's cores.
std::vector<TDecodedLine> DecodeLines(const std::vector<std::string_view>& lines) {
  std::vector<TDecodedLine> decoded(lines.size());
  const auto decodeRange = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
      if (lines[i].size() <= MaxLineBytes) decoded[i] = DecodeRecord(lines[i]);
  };
  const std::size_t n = lines.size();
  const std::size_t threads =
      n < LinesForThreads ? 1 : std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
  const std::size_t share = (n + threads - 1) / threads;
  std::vector<std::thread> helpers;
  for (std::size_t t = 1; t < threads; ++t)
    helpers.emplace_back(decodeRange, std::min(t * share, n), std::min((t + 1) * share, n));
  decodeRange(0, std::min(share, n));
  for (std::thread& helper : helpers) helper.join();
  return decoded;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Whether the file's last byte ends a line; an empty file does.
bool EndsWithLineEnd(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || info.st_size == 0) return true;
  char last = '\n';
  return ::pread(fd, &last, 1, info.st_size - 1) != 1 || last == '\n';
}

// Opens the log for appending (and for reading its last byte), creating it;
// only a regular file. The type is checked before the open too: opening a
// FIFO or a device acts.
records_io::TFd OpenForAppend(const fs::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return {};
  records_io::TFd fd(
      ::open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
  if (!fd || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  return fd;
}

}  // namespace

TMatchRecord MatchRecord(const TMatchState& match, TOpponentLevel opponents, std::string date) {
  TMatchRecord r;
  r.Date = std::move(date);
  r.Name = match.Deal.Players[0].Name;
  r.Opponents = opponents;
  r.Assisted = match.Progress.Assisted;
  r.Finished = match.Progress.DealsPlayed == DealsPerMatch;
  r.Deals = match.Progress.Deals;
  for (int seat = 0; seat < SeatCount; ++seat) r.Totals[seat] = match.Deal.Players[seat].Score;
  return r;
}

std::string NowUtc() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  char text[32] = "";
  if (::gmtime_r(&now, &utc)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::string EncodeRecord(const TMatchRecord& r) {
  const TJson line{{"format", StatisticsFormat},
                   {"date", r.Date},
                   {"name", r.Name},
                   {"opponents", OpponentLevelId(r.Opponents)},
                   {"assisted", r.Assisted},
                   {"finished", r.Finished},
                   {"deals", EncodeDeals(r.Deals)},
                   {"totals", r.Totals}};
  // The name is the player's own text: a byte that is not UTF-8 becomes the
  // replacement character rather than a line that cannot be written.
  return line.dump(-1, ' ', false, TJson::error_handler_t::replace);
}

TStatisticsLog ReadStatisticsLog(const fs::path& file, std::size_t limit) {
  TStatisticsLog log;
  const records_io::TFd fd = records_io::OpenRegular(file, O_RDONLY);
  struct stat info {};
  if (!fd || ::fstat(fd.Get(), &info) != 0) return log;
  const auto size = static_cast<std::uint64_t>(info.st_size);
  log.Partial = size > limit;
  const std::optional<std::string> bytes =
      ReadWholeLines(fd.Get(), size, log.Partial ? size - limit : 0);
  if (!bytes) return log;
  for (TDecodedLine& line : DecodeLines(SplitLines(*bytes, log))) {
    if (line.Kind == TLineKind::Record)
      log.Matches.push_back(std::move(line.Record));
    else if (line.Kind == TLineKind::Newer)
      ++log.Newer;
    else
      ++log.Damaged;
  }
  return log;
}

bool AppendStatistics(const fs::path& file, const TMatchRecord& record) {
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  const records_io::TFd fd = OpenForAppend(file);
  if (!fd || !records_io::LockBefore(fd.Get(), std::chrono::steady_clock::now() + LockWait))
    return false;
  std::string line = EndsWithLineEnd(fd.Get()) ? "" : "\n";
  line += EncodeRecord(record);
  line += '\n';
  return WriteAll(fd.Get(), line) && ::fsync(fd.Get()) == 0;
}

fs::path StatisticsFile() { return UserFolder(TUserFolder::Data) / StatisticsFileName; }

}  // namespace varlo

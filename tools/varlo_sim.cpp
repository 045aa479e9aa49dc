// varlo-sim: plays whole matches without a window and checks the rules'
// invariants after every event.
//
//   varlo-sim [--matches N] [--seed S] [--name TEXT]
//             [--human first|random|chaos|steady|strong|coach]
//             [--opponents classic|steady|strong]
//             [--records-dir DIR | --game-records] [--transcript FILE]
//             [--resume-every-move | --resume-from FILE] [--statistics FILE]
//   varlo-sim --version | --help
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "match_runner.h"
#include "records.h"
#include "varlo_release.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "usage: varlo-sim [--matches N] [--seed S] [--name TEXT]\n"
      << "                 [--human first|random|chaos|steady|strong|coach]\n"
      << "                 [--opponents classic|steady|strong]\n"
      << "                 [--records-dir DIR | --game-records] [--transcript FILE]\n"
      << "                 [--resume-every-move | --resume-from FILE] [--statistics FILE]\n"
      << "       varlo-sim --version | --help\n";
}

int Usage(const std::string& problem) {
  std::cerr << "varlo-sim: " << problem << "\n";
  PrintUsage(std::cerr);
  return 2;
}

bool ParseNumber(const std::string& text, unsigned long long& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  value = std::strtoull(text.c_str(), nullptr, 10);
  return errno == 0;
}

// A temporary folder of our own, removed with its contents at the end.
class TTempFolder {
 public:
  bool Create() {
    std::error_code ec;
    std::string pattern =
        (std::filesystem::temp_directory_path(ec) / "varlo-sim-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return false;
    Path = pattern;
    return true;
  }
  ~TTempFolder() {
    std::error_code ec;
    if (!Path.empty()) std::filesystem::remove_all(Path, ec);
  }
  std::filesystem::path Path;
};

// A saved match to go on from. Exits with status 2 and one line saying why
// when it cannot be continued; a damaged file is set aside as FILE.bad.
int LoadResumeFrom(const std::string& file, varlo::TRunOptions& options) {
  varlo::TLoadResult loaded = varlo::LoadMatchFile(file);
  if (loaded.Status == varlo::TLoadStatus::Loaded) {
    options.ResumeFrom = std::move(loaded.Saved);
    return 0;
  }
  std::string why = loaded.Reason;
  if (loaded.Status == varlo::TLoadStatus::Newer) why = "it was saved by a newer Varlo";
  else if (loaded.Status == varlo::TLoadStatus::Corrupt && varlo::SetAsideMatchFile(file))
    why += "; set aside as " + file + ".bad";
  std::cerr << "varlo-sim: cannot continue " << file << ": " << why << "\n";
  return 2;
}

// The file the game itself keeps its records in, found as the game finds it
// from the folder of its program: varlo-sim is installed beside it.
std::filesystem::path GameRecordsFile() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return varlo::LocateRecordsFile(ec ? std::filesystem::path() : self.parent_path());
}

}  // namespace

int main(int argc, char** argv) {
  varlo::TRunOptions options;
  std::string transcriptPath;
  std::string recordsDir;
  bool gameRecords = false;
  bool resumeEveryMove = false;
  std::string resumeFrom;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--version") {
      std::cout << "varlo-sim " << varlo::Version << "\n";
      return 0;
    }
    if (arg == "--help") {
      PrintUsage(std::cout);
      return 0;
    }
    if (arg == "--game-records") {
      gameRecords = true;
      continue;
    }
    if (arg == "--resume-every-move") {
      resumeEveryMove = true;
      continue;
    }
    if (i + 1 >= argc) return Usage("missing value after " + arg);
    const std::string value = argv[++i];
    unsigned long long number = 0;
    if (arg == "--matches") {
      if (!ParseNumber(value, number) || number > 100000000) return Usage("bad --matches");
      options.Matches = static_cast<int>(number);
    } else if (arg == "--seed") {
      if (!ParseNumber(value, number)) return Usage("bad --seed");
      options.Seed = number;
    } else if (arg == "--name") {
      options.Name = value;
    } else if (arg == "--human") {
      if (!varlo::ParseHumanStyle(value, options.Human)) return Usage("bad --human");
    } else if (arg == "--opponents") {
      if (!varlo::OpponentLevelOfId(value, options.Opponents)) return Usage("bad --opponents");
    } else if (arg == "--records-dir") {
      recordsDir = value;
    } else if (arg == "--transcript") {
      transcriptPath = value;
    } else if (arg == "--resume-from") {
      resumeFrom = value;
    } else if (arg == "--statistics") {
      options.StatisticsFile = value;
    } else {
      return Usage("unknown option " + arg);
    }
  }

  std::error_code ec;
  TTempFolder records, saves;
  if (resumeEveryMove && !resumeFrom.empty())
    return Usage("--resume-every-move and --resume-from exclude each other");
  if (gameRecords) {
    if (!recordsDir.empty()) return Usage("--records-dir and --game-records exclude each other");
    options.RecordsFile = GameRecordsFile();
  } else if (recordsDir.empty()) {
    if (!records.Create()) return Usage("cannot create a temporary folder");
    options.RecordsDir = records.Path;
  } else {
    options.RecordsDir = recordsDir;
    std::filesystem::create_directories(options.RecordsDir, ec);
  }

  if (resumeEveryMove) {
    if (!saves.Create()) return Usage("cannot create a temporary folder");
    options.ResumeEveryMoveDir = saves.Path;
  }
  if (!resumeFrom.empty()) {
    if (const int status = LoadResumeFrom(resumeFrom, options)) return status;
  }

  std::ofstream transcript;
  if (!transcriptPath.empty()) {
    transcript.open(transcriptPath, std::ios::binary | std::ios::trunc);
    if (!transcript) return Usage("cannot write " + transcriptPath);
    options.Transcript = &transcript;
  }

  const varlo::TRunSummary summary = varlo::RunMatches(options);
  for (const auto& failure : summary.Failures) std::cerr << "check failed: " << failure << "\n";
  std::cout << varlo::SummaryLine(summary) << std::endl;
  return summary.Failures.empty() ? 0 : 1;
}

// varlo-sim: plays whole matches without a window and checks the rules'
// invariants after every event.
//
//   varlo-sim [--matches N] [--seed S] [--name TEXT]
//             [--human first|random|chaos|steady|strong]
//             [--opponents classic|steady|strong]
//             [--records-dir DIR | --game-records] [--transcript FILE]
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
      << "                 [--human first|random|chaos|steady|strong]\n"
      << "                 [--opponents classic|steady|strong]\n"
      << "                 [--records-dir DIR | --game-records] [--transcript FILE]\n"
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
      if (value == "classic") options.Opponents = varlo::TOpponentLevel::Classic;
      else if (value == "steady") options.Opponents = varlo::TOpponentLevel::Steady;
      else if (value == "strong") options.Opponents = varlo::TOpponentLevel::Strong;
      else return Usage("bad --opponents");
    } else if (arg == "--records-dir") {
      recordsDir = value;
    } else if (arg == "--transcript") {
      transcriptPath = value;
    } else {
      return Usage("unknown option " + arg);
    }
  }

  std::error_code ec;
  std::filesystem::path tempDir;
  if (gameRecords) {
    if (!recordsDir.empty()) return Usage("--records-dir and --game-records exclude each other");
    options.RecordsFile = GameRecordsFile();
  } else if (recordsDir.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "varlo-sim-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return Usage("cannot create a temporary folder");
    tempDir = pattern;
    options.RecordsDir = tempDir;
  } else {
    options.RecordsDir = recordsDir;
    std::filesystem::create_directories(options.RecordsDir, ec);
  }

  std::ofstream transcript;
  if (!transcriptPath.empty()) {
    transcript.open(transcriptPath, std::ios::binary | std::ios::trunc);
    if (!transcript) return Usage("cannot write " + transcriptPath);
    options.Transcript = &transcript;
  }

  const varlo::TRunSummary summary = varlo::RunMatches(options);
  if (!tempDir.empty()) std::filesystem::remove_all(tempDir, ec);
  for (const auto& failure : summary.Failures) std::cerr << "check failed: " << failure << "\n";
  std::cout << varlo::SummaryLine(summary) << std::endl;
  return summary.Failures.empty() ? 0 : 1;
}

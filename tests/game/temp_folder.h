// File helpers shared by the records tests: a fresh folder per test, and
// whole-file reads and writes.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <system_error>

#include "records.h"

namespace varlo_test {

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// One entry as the file stores it: length byte, name padded with zero bytes
// to 15, score as four little-endian bytes of its two's complement.
inline std::string Entry(std::string_view name, std::int32_t score) {
  std::string bytes(1, static_cast<char>(name.size()));
  bytes += name;
  bytes.resize(1 + varlo::TopNameBytes, '\0');
  const auto bits = static_cast<std::uint32_t>(score);
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((bits >> shift) & 0xFF);
  return bytes;
}

// Owner, group, mode and inode; all zero when the path does not exist.
inline struct stat FileInfo(const std::filesystem::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info;
}

inline std::set<std::string> FolderNames(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(dir))
    names.insert(item.path().filename().string());
  return names;
}

// A fresh folder per test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varlo-records-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    namespace fs = std::filesystem;
    if (path_.empty()) return;
    std::error_code ec;
    // Folders a test made read-only must become writable again to be removed.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_directory(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path File() const { return path_ / varlo::RecordsFileName; }

 private:
  std::filesystem::path path_;
};

}  // namespace varlo_test

// Arbitrary bytes as the content of a records file: reading them, the dialog's
// loader and the end-of-match update must agree with the file's rules and
// leave a well-formed file of at most ten entries behind.
#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "records.h"
#include "text.h"

namespace {

namespace fs = std::filesystem;
using varlo::TTopEntry;

void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "records property violated: %s\n", property);
  std::abort();
}

// One folder per process, so parallel fuzzing jobs never share a file.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "varlo-fuzz-XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr, "a temporary folder can be made");
    path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& Folder() {
  static const TempFolder folder;
  return folder.Path();
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Check(static_cast<bool>(out.flush()), "the input can be written to the file");
}

std::int32_t LittleEndian(std::string_view four) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < four.size(); ++i)
    value |= std::uint32_t{static_cast<unsigned char>(four[i])} << (8 * i);
  return static_cast<std::int32_t>(value);
}

// A second opinion on UTF-8, by the decoded values: no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool WellFormedUtf8(std::string_view text) {
  static constexpr std::uint32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
    if (length == 0 || text.size() - i < length) return false;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < Smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

// Undoes the Latin-1 reading of 8-bit names: only U+0000..U+00FF can occur.
bool BackToLatin1(std::string_view utf8, std::string& latin1) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      latin1 += static_cast<char>(lead);
      continue;
    }
    if ((lead != 0xC2 && lead != 0xC3) || i + 1 == utf8.size()) return false;
    const auto next = static_cast<unsigned char>(utf8[++i]);
    if ((next & 0xC0) != 0x80) return false;
    latin1 += static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F));
  }
  return true;
}

void CheckDecoded(std::string_view bytes, const std::vector<TTopEntry>& entries) {
  Check(entries.size() == bytes.size() / varlo::TopEntrySize, "one entry per whole 20 bytes");
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string_view raw = bytes.substr(i * varlo::TopEntrySize, varlo::TopEntrySize);
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(raw[0]), varlo::TopNameBytes);
    const std::string_view name = raw.substr(1, length);
    const TTopEntry& entry = entries[i];
    Check(WellFormedUtf8(entry.Name), "every name is valid UTF-8");
    std::string latin1;
    const bool asItStands = entry.Name == name && WellFormedUtf8(name);
    const bool asLatin1 =
        !WellFormedUtf8(name) && BackToLatin1(entry.Name, latin1) && latin1 == name;
    Check(asItStands || asLatin1, "a name is its at most 15 bytes, as UTF-8 or Latin-1");
    Check(entry.Score == LittleEndian(raw.substr(16, 4)), "the score is little-endian");
  }
}

// The player's name from the first bytes (up to 40, so often too long and
// often not ASCII), the total from the last four.
TTopEntry NewEntry(std::string_view bytes) {
  const std::size_t length = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % 41;
  const std::string_view raw = bytes.substr(std::min<std::size_t>(1, bytes.size()), length);
  TTopEntry entry;
  entry.Name = varlo::IsValidUtf8(raw) ? std::string(raw) : varlo::Latin1ToUtf8(raw);
  entry.Score = LittleEndian(bytes.substr(bytes.size() - std::min<std::size_t>(4, bytes.size())));
  return entry;
}

// The table as the file can hold it: names cut to at most 15 bytes, before
// the character that would not fit whole.
std::vector<TTopEntry> AsStored(std::vector<TTopEntry> table) {
  for (TTopEntry& entry : table) {
    std::size_t cut = std::min(entry.Name.size(), varlo::TopNameBytes);
    while (cut < entry.Name.size() && cut > 0 &&
           (static_cast<unsigned char>(entry.Name[cut]) & 0xC0) == 0x80)
      --cut;
    entry.Name.resize(cut);
  }
  return table;
}

bool SameEntries(std::vector<TTopEntry> a, std::vector<TTopEntry> b) {
  const auto order = [](const TTopEntry& x, const TTopEntry& y) {
    return x.Score != y.Score ? x.Score < y.Score : x.Name < y.Name;
  };
  std::sort(a.begin(), a.end(), order);
  std::sort(b.begin(), b.end(), order);
  return a == b;
}

void CheckUpdated(const std::vector<TTopEntry>& before, const TTopEntry& entry,
                  const std::string& bytes) {
  const std::vector<TTopEntry> after = varlo::DecodeRecords(bytes);
  const std::size_t taken = std::min(before.size(), varlo::MaxRecords);
  Check(bytes.size() == after.size() * varlo::TopEntrySize, "the file holds whole entries only");
  Check(after.size() == std::min(taken + 1, varlo::MaxRecords), "at most ten entries");
  const auto higher = [](const TTopEntry& a, const TTopEntry& b) { return a.Score > b.Score; };
  Check(std::is_sorted(after.begin(), after.end(), higher), "sorted from the highest score");
  // The new entry goes behind every earlier one that scores as much or more.
  const auto ahead = std::count_if(before.begin(), before.begin() + static_cast<long>(taken),
                                   [&](const TTopEntry& old) { return old.Score >= entry.Score; });
  const auto place = static_cast<std::size_t>(ahead);
  if (place < varlo::MaxRecords) {
    Check(after[place] == AsStored({entry})[0], "the new entry stands behind its betters");
  } else {
    const std::vector<TTopEntry> ten(before.begin(), before.begin() + static_cast<long>(taken));
    Check(SameEntries(after, ten), "a result below the tenth is not entered");
  }
  // Only the new name is cut to fit; the older ones come back exactly as
  // they were read, even a Latin-1 name that takes more than 15 bytes as
  // UTF-8.
  Check(after == varlo::InsertRecord(before, AsStored({entry})[0]), "the file holds the new table");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const fs::path file = Folder() / varlo::RecordsFileName;

  const std::vector<TTopEntry> decoded = varlo::DecodeRecords(bytes);
  CheckDecoded(bytes, decoded);

  WriteBytes(file, bytes);
  const std::vector<TTopEntry> firstTen(
      decoded.begin(), decoded.begin() + static_cast<long>(std::min(decoded.size(), varlo::MaxRecords)));
  Check(varlo::ReadRecordsFile(file) == firstTen, "the dialog's loader reads the first ten entries");
  Check(varlo::EnsureRecordsFile(file, nullptr), "an existing file counts as created");
  Check(ReadBytes(file) == bytes, "the start-up leaves an existing file as it is");

  const TTopEntry entry = NewEntry(bytes);
  Check(varlo::UpdateRecordsFile(file, entry), "the update succeeds in a writable folder");
  CheckUpdated(decoded, entry, ReadBytes(file));
  Check(std::distance(fs::directory_iterator(Folder()), fs::directory_iterator()) == 1,
        "no temporary file is left beside the records file");
  return 0;
}

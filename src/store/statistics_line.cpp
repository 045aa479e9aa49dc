// Reading one line of the statistics log. A log holds thousands of lines and
// the window waits for them all: the line is read as a stream of parser
// events straight into its record, with no JSON tree built in between,
// and every value checked as it comes.
#include <algorithm>
#include <climits>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "statistics_log.h"

namespace varlo {

namespace {

using TJson = nlohmann::json;

// Far beyond any name or date the game writes, far below what could hurt.
constexpr std::size_t MaxTextBytes = 4096;
// The record is three levels deep; a line nested deeper is none of ours.
constexpr std::size_t MaxNesting = 8;

// Where the parser is: in the record, its list of deals, one deal, a deal's
// scores or the totals; or in a value of no interest, which is passed over.
enum class TWhere { Record, Deals, Deal, Scores, Totals, Other };

// The record's fields and a deal's, one bit each: every one must come, and
// as its kind.
enum TField : unsigned {
  FormatField = 1 << 0,
  DateField = 1 << 1,
  NameField = 1 << 2,
  OpponentsField = 1 << 3,
  AssistedField = 1 << 4,
  FinishedField = 1 << 5,
  DealsField = 1 << 6,
  TotalsField = 1 << 7,
  AllRecordFields = (1 << 8) - 1,
};
enum TDealField : unsigned {
  ChooserField = 1 << 0,
  ContractField = 1 << 1,
  ScoresField = 1 << 2,
  AllDealFields = (1 << 3) - 1,
};

class TLineReader final : public nlohmann::json_sax<TJson> {
 public:
  TDecodedLine Result() {
    TDecodedLine line;
    if (!(Seen & FormatField)) return line;
    if (Format > StatisticsFormat) {
      line.Kind = TLineKind::Newer;
      return line;
    }
    if (Wrong || Seen != AllRecordFields) return line;
    if (Record.Finished && Record.Deals.size() != DealsPerMatch) return line;
    line.Kind = TLineKind::Record;
    line.Record = std::move(Record);
    return line;
  }

  bool null() override { return Other(); }
  bool boolean(bool value) override {
    if (InRecord() && Key == "assisted") {
      Take(AssistedField, Record.Assisted, value);
    } else if (InRecord() && Key == "finished") {
      Take(FinishedField, Record.Finished, value);
    } else {
      Other();
    }
    return true;
  }
  bool number_integer(number_integer_t value) override { return Integer(value); }
  bool number_unsigned(number_unsigned_t value) override {
    return Integer(value > std::uint64_t(INT64_MAX) ? INT64_MAX : std::int64_t(value));
  }
  bool number_float(number_float_t, const string_t&) override { return Other(); }
  bool binary(binary_t&) override { return Other(); }
  bool string(string_t& value) override {
    if (!Known() || value.size() > MaxTextBytes) return Other();
    if (Where() == TWhere::Deal && Key == "contract") {
      Record.Deals.back().Contract = ContractOfId(value);
      if (Record.Deals.back().Contract >= 0) DealSeen |= ContractField;
    } else if (Key == "date") {
      Take(DateField, Record.Date, std::move(value));
    } else if (Key == "name") {
      Take(NameField, Record.Name, std::move(value));
    } else if (Key == "opponents") {
      if (OpponentLevelOfId(value, Record.Opponents)) Seen |= OpponentsField;
    } else {
      Mistaken();
    }
    return true;
  }

  bool start_object(std::size_t) override {
    if (Stack.empty()) return Enter(TWhere::Record);
    if (Where() == TWhere::Deals) {
      if (Record.Deals.size() == DealsPerMatch) Mistaken();
      Record.Deals.emplace_back();
      DealSeen = 0;
      return Enter(TWhere::Deal);
    }
    Other();
    return Enter(TWhere::Other);
  }
  bool end_object() override {
    if (Where() == TWhere::Deal && DealSeen != AllDealFields) Mistaken();
    return Leave();
  }
  bool start_array(std::size_t) override {
    if (Where() == TWhere::Record && Key == "deals") {
      Seen |= DealsField;
      return Enter(TWhere::Deals);
    }
    if (Where() == TWhere::Record && Key == "totals") {
      Index = 0;
      return Enter(TWhere::Totals);
    }
    if (Where() == TWhere::Deal && Key == "scores") {
      Index = 0;
      return Enter(TWhere::Scores);
    }
    Other();
    return Enter(TWhere::Other);
  }
  bool end_array() override {
    if (Where() == TWhere::Totals && Index == SeatCount) Seen |= TotalsField;
    if (Where() == TWhere::Scores && Index == SeatCount) DealSeen |= ScoresField;
    return Leave();
  }
  bool key(string_t& name) override {
    if (Where() == TWhere::Record || Where() == TWhere::Deal) Key = std::move(name);
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  TWhere Where() const { return Stack.empty() ? TWhere::Other : Stack.back(); }

  bool Enter(TWhere where) {
    Stack.push_back(where);
    return Stack.size() <= MaxNesting;
  }
  bool Leave() {
    if (!Stack.empty()) Stack.pop_back();
    // Back in the record or a deal, the next value comes with its own key.
    Key.clear();
    return true;
  }
  bool Mistaken() {
    Wrong = true;
    return true;
  }
  // Whether the key names a field where the parser is.
  bool Known() const {
    static const std::string record[] = {"format",   "date",     "name",  "opponents",
                                         "assisted", "finished", "deals", "totals"};
    static const std::string deal[] = {"chooser", "contract", "scores"};
    if (Where() == TWhere::Record)
      return std::find(std::begin(record), std::end(record), Key) != std::end(record);
    return Where() == TWhere::Deal &&
           std::find(std::begin(deal), std::end(deal), Key) != std::end(deal);
  }
  // A value that is not what the place wants: wrong for a field of ours and
  // in a list of ours, of no interest under any other key (a newer
  // program's addition) or inside such a value.
  bool Other() {
    const TWhere where = Where();
    if (Known() || where == TWhere::Deals || where == TWhere::Scores || where == TWhere::Totals)
      Mistaken();
    return true;
  }
  bool InRecord() const { return Where() == TWhere::Record; }
  template <typename T, typename V>
  void Take(TField field, T& target, V&& value) {
    target = std::forward<V>(value);
    Seen |= field;
  }

  bool Integer(std::int64_t value) {
    const TWhere where = Where();
    if (where == TWhere::Scores || where == TWhere::Totals) {
      if (Index >= SeatCount || value < INT32_MIN || value > INT32_MAX) return Mistaken();
      auto& scores = where == TWhere::Totals ? Record.Totals : Record.Deals.back().Points;
      scores[Index++] = static_cast<std::int32_t>(value);
      return true;
    }
    if (where == TWhere::Record && Key == "format" && value >= 1) {
      Format = value;
      Seen |= FormatField;
    } else if (where == TWhere::Deal && Key == "chooser" && value >= 0 && value < SeatCount) {
      Record.Deals.back().Chooser = static_cast<std::int32_t>(value);
      DealSeen |= ChooserField;
    } else {
      Other();
    }
    return true;
  }

  TMatchRecord Record;
  std::vector<TWhere> Stack;
  std::string Key;
  std::int64_t Format = 0;
  unsigned Seen = 0, DealSeen = 0;
  int Index = 0;
  bool Wrong = false;
};

}  // namespace

TDecodedLine DecodeRecord(std::string_view text) {
  TLineReader reader;
  if (!TJson::sax_parse(text, &reader)) return {};
  return reader.Result();
}

}  // namespace varlo

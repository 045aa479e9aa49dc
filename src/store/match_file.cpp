#include "match_file.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <system_error>

#include "records_io.h"
#include "user_folders.h"

namespace varlo {

namespace fs = std::filesystem;
using TJson = nlohmann::ordered_json;

namespace {

// Far beyond anything the game writes, far below what could hurt.
constexpr std::size_t MaxNameBytes = 4096;
constexpr std::size_t MaxTakeBackPoints = 64;
constexpr int MaxNesting = 16;

// A field that is not what a saved match holds.
struct TBadField : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Bad(const std::string& what) { throw TBadField(what); }

// ---- writing

TJson CardList(TCardSet cards) {
  TJson list = TJson::array();
  for (TCard c = 0; c < DeckSize; ++c)
    if (cards & CardBit(c)) list.push_back(c);
  return list;
}

TJson ContractIds(const TContractRow& row) {
  TJson ids = TJson::array();
  for (int c = 0; c < ContractCount; ++c)
    if (row[c]) ids.push_back(ContractId(c));
  return ids;
}

TJson EncodeDeal(const TDealState& d) {
  TJson players = TJson::array();
  for (const TCards& p : d.Players)
    players.push_back(TJson{{"name", p.Name}, {"cards", p.Cards}, {"score", p.Score}});
  TCardSet layout = 0;
  for (TCard c = 0; c < DeckSize; ++c)
    if (d.Layout[c]) layout |= CardBit(c);
  TJson excluded = TJson::array();
  for (TCardSet cards : d.Excluded) excluded.push_back(CardList(cards));
  TJson out = TJson::array();
  for (int place = 0; place < d.OutCount; ++place) out.push_back(d.OutSeats[place]);
  return TJson{{"players", players},   {"trick", d.Trick},
               {"layout", CardList(layout)}, {"leader", d.Leader},
               {"chooser", d.Chooser}, {"contract", ContractId(d.Contract)},
               {"skip", d.SkipNext},   {"played", CardList(d.Played)},
               {"excluded", excluded}, {"out", out}};
}

TJson EncodeState(const TMatchState& s) {
  TJson chosen = TJson::array();
  for (const TContractRow& row : s.Progress.ContractsChosen) chosen.push_back(ContractIds(row));
  TJson deals = TJson::array();
  for (const TDealResult& r : s.Progress.Deals)
    deals.push_back(
        TJson{{"chooser", r.Chooser}, {"contract", ContractId(r.Contract)}, {"points", r.Points}});
  return TJson{
      {"deal", EncodeDeal(s.Deal)},
      {"progress",
       {{"chosen", chosen},
        {"deals_played", s.Progress.DealsPlayed},
        {"finish_order", s.Progress.FinishOrder},
        {"assisted", s.Progress.Assisted},
        {"deals", deals}}},
      {"table", {{"game_line", s.Table.GameLine}, {"hand_line", s.Table.HandLine}}},
      {"driver",
       {{"choose_pending", s.Driver.ChoosePending},
        {"choice_waiting", s.Driver.ChoiceWaiting},
        {"pause_waiting", s.Driver.PauseWaiting},
        {"input_enabled", s.Driver.InputEnabled}}},
      {"random", s.Random.State()}};
}

// ---- reading: every accessor checks the type and the range it needs

const TJson& Field(const TJson& object, const char* name) {
  if (!object.is_object()) Bad(std::string("not an object around \"") + name + "\"");
  const auto it = object.find(name);
  if (it == object.end()) Bad(std::string("no \"") + name + "\"");
  return *it;
}

std::int64_t Integer(const TJson& value, std::int64_t low, std::int64_t high, const char* what) {
  if (!value.is_number_integer()) Bad(std::string(what) + " is not a whole number");
  const std::int64_t n = value.is_number_unsigned() && value.get<std::uint64_t>() > INT64_MAX
                             ? high + 1
                             : value.get<std::int64_t>();
  if (n < low || n > high) Bad(std::string(what) + " out of range");
  return n;
}

std::uint64_t Unsigned64(const TJson& value, const char* what) {
  if (!value.is_number_unsigned()) Bad(std::string(what) + " is not a 64-bit number");
  return value.get<std::uint64_t>();
}

bool Boolean(const TJson& value, const char* what) {
  if (!value.is_boolean()) Bad(std::string(what) + " is not true or false");
  return value.get<bool>();
}

std::string Text(const TJson& value, const char* what) {
  if (!value.is_string()) Bad(std::string(what) + " is not a text");
  std::string text = value.get<std::string>();
  if (text.size() > MaxNameBytes) Bad(std::string(what) + " is too long");
  return text;
}

const TJson& Array(const TJson& value, std::size_t low, std::size_t high, const char* what) {
  if (!value.is_array() || value.size() < low || value.size() > high)
    Bad(std::string(what) + " is not a list of the right length");
  return value;
}

std::int32_t Contract(const TJson& value) {
  const std::int32_t c = ContractOfId(Text(value, "a contract"));
  if (c < 0) Bad("an unknown contract");
  return c;
}

TCardSet Cards(const TJson& value, const char* what) {
  TCardSet cards = 0;
  for (const TJson& c : Array(value, 0, DeckSize, what)) {
    const TCardSet bit = CardBit(static_cast<TCard>(Integer(c, 0, DeckSize - 1, "a card")));
    if (cards & bit) Bad(std::string("a card twice in ") + what);
    cards |= bit;
  }
  return cards;
}

TCard Slot(const TJson& value) { return static_cast<TCard>(Integer(value, NoCard, DeckSize - 1, "a card")); }

void DecodePlayers(const TJson& list, TDealState& d) {
  Array(list, SeatCount, SeatCount, "the players");
  for (int seat = 0; seat < SeatCount; ++seat) {
    const TJson& p = list[seat];
    TCards& player = d.Players[seat];
    player.Name = Text(Field(p, "name"), "a name");
    // The computer players are known by their names in the rules.
    if (seat > 0 && player.Name != ComputerName(seat)) Bad("a computer player renamed");
    const TJson& cards = Array(Field(p, "cards"), HandSize, HandSize, "a hand");
    for (int slot = 0; slot < HandSize; ++slot) player.Cards[slot] = Slot(cards[slot]);
    player.Score = static_cast<std::int32_t>(Integer(Field(p, "score"), INT32_MIN, INT32_MAX, "a score"));
  }
}

// Every card lies in one place at most, and what is seen agrees with it.
void CheckCardsAgree(const TDealState& d) {
  TCardSet where = 0;
  const auto place = [&](TCard c) {
    if (c == NoCard) return;
    if (where & CardBit(c)) Bad("a card in two places");
    where |= CardBit(c);
  };
  for (const TCards& p : d.Players) {
    for (TCard c : p.Cards) {
      place(c);
      if (c != NoCard && (d.Played & CardBit(c))) Bad("a card both played and held");
    }
  }
  for (TCard c : d.Trick) {
    place(c);
    if (c != NoCard && !(d.Played & CardBit(c))) Bad("a trick card not played");
  }
  for (TCard c = 0; c < DeckSize; ++c) {
    if (!d.Layout[c]) continue;
    place(c);
    if (!(d.Played & CardBit(c))) Bad("a layout card not played");
  }
}

TDealState DecodeDeal(const TJson& j) {
  TDealState d;
  DecodePlayers(Field(j, "players"), d);
  const TJson& trick = Array(Field(j, "trick"), SeatCount, SeatCount, "the trick");
  for (int p = 0; p < SeatCount; ++p) d.Trick[p] = Slot(trick[p]);
  const TCardSet layout = Cards(Field(j, "layout"), "the layout");
  for (TCard c = 0; c < DeckSize; ++c) d.Layout[c] = (layout & CardBit(c)) != 0;
  d.Leader = static_cast<std::int32_t>(Integer(Field(j, "leader"), 0, SeatCount - 1, "the leader"));
  d.Chooser = static_cast<std::int32_t>(Integer(Field(j, "chooser"), 0, SeatCount - 1, "the chooser"));
  d.Contract = Contract(Field(j, "contract"));
  d.SkipNext = Boolean(Field(j, "skip"), "the skip");
  d.Played = Cards(Field(j, "played"), "the played cards");
  const TJson& excluded = Array(Field(j, "excluded"), SeatCount, SeatCount, "the voids");
  for (int seat = 0; seat < SeatCount; ++seat) d.Excluded[seat] = Cards(excluded[seat], "a void");
  const TJson& out = Array(Field(j, "out"), 0, SeatCount, "the players out");
  for (const TJson& seat : out) {
    const auto s = static_cast<std::int8_t>(Integer(seat, 0, SeatCount - 1, "a seat out"));
    if (d.PlaceOf(s) >= 0) Bad("a seat out twice");
    d.OutSeats[d.OutCount++] = s;
  }
  CheckCardsAgree(d);
  return d;
}

TMatchProgress DecodeProgress(const TJson& j) {
  TMatchProgress p;
  const TJson& chosen = Array(Field(j, "chosen"), SeatCount, SeatCount, "the chosen contracts");
  for (int seat = 0; seat < SeatCount; ++seat) {
    for (const TJson& id : Array(chosen[seat], 0, ContractCount, "a seat's contracts")) {
      const std::int32_t c = Contract(id);
      if (p.ContractsChosen[seat][c]) Bad("a contract chosen twice");
      p.ContractsChosen[seat][c] = true;
    }
  }
  // A finished match is never saved: it has nothing left to go on with.
  p.DealsPlayed = static_cast<std::int32_t>(
      Integer(Field(j, "deals_played"), 0, DealsPerMatch - 1, "the deals played"));
  for (const TJson& name : Array(Field(j, "finish_order"), 0, SeatCount, "the finishing order"))
    p.FinishOrder.push_back(Text(name, "a finishing name"));
  p.Assisted = Boolean(Field(j, "assisted"), "the help flag");
  const TJson& deals = Array(Field(j, "deals"), 0, DealsPerMatch, "the deals");
  if (deals.size() != static_cast<std::size_t>(p.DealsPlayed)) Bad("the deals do not add up");
  for (const TJson& r : deals) {
    TDealResult result;
    result.Chooser = static_cast<std::int32_t>(Integer(Field(r, "chooser"), 0, SeatCount - 1, "a chooser"));
    result.Contract = Contract(Field(r, "contract"));
    const TJson& points = Array(Field(r, "points"), SeatCount, SeatCount, "a deal's points");
    for (int seat = 0; seat < SeatCount; ++seat)
      result.Points[seat] = static_cast<std::int32_t>(Integer(points[seat], INT32_MIN, INT32_MAX, "points"));
    p.Deals.push_back(result);
  }
  return p;
}

TMatchState DecodeState(const TJson& j) {
  TMatchState s;
  s.Deal = DecodeDeal(Field(j, "deal"));
  s.Progress = DecodeProgress(Field(j, "progress"));
  const TJson& table = Field(j, "table");
  s.Table.GameLine = Text(Field(table, "game_line"), "the game line");
  s.Table.HandLine = Text(Field(table, "hand_line"), "the hand line");
  const TJson& driver = Field(j, "driver");
  s.Driver.ChoosePending = Boolean(Field(driver, "choose_pending"), "a driver flag");
  s.Driver.ChoiceWaiting = Boolean(Field(driver, "choice_waiting"), "a driver flag");
  s.Driver.PauseWaiting = Boolean(Field(driver, "pause_waiting"), "a driver flag");
  s.Driver.InputEnabled = Boolean(Field(driver, "input_enabled"), "a driver flag");
  s.Random.SetState(Unsigned64(Field(j, "random"), "the generator"));
  return s;
}

// The parser keeps nesting on its own stack, but a value nested thousands
// deep is no saved match and costs a recursion to free: it is turned away
// before parsing.
bool NestedTooDeep(std::string_view text) {
  int depth = 0;
  bool inString = false, escaped = false;
  for (char c : text) {
    if (inString) {
      if (escaped) escaped = false;
      else if (c == '\\') escaped = true;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > MaxNesting) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

TLoadResult Failed(TLoadStatus status, std::string reason) {
  TLoadResult result;
  result.Status = status;
  result.Reason = std::move(reason);
  return result;
}

}  // namespace

std::string EncodeMatch(const TSavedMatch& saved) {
  TJson points = TJson::array();
  for (const TMatchState& point : saved.TakeBackPoints) points.push_back(EncodeState(point));
  const TJson file{{"format", MatchFileFormat},
                   {"opponents", OpponentLevelId(saved.Opponents)},
                   {"opponents_seed", saved.OpponentsSeed},
                   {"match", EncodeState(saved.Match)},
                   {"take_back", points}};
  // Names are the player's own text: a byte that is not UTF-8 becomes the
  // replacement character rather than a file that cannot be written.
  return file.dump(1, ' ', false, TJson::error_handler_t::replace) + "\n";
}

TLoadResult DecodeMatch(std::string_view text) {
  if (NestedTooDeep(text)) return Failed(TLoadStatus::Corrupt, "nested too deep");
  const TJson file = TJson::parse(text, nullptr, false);
  if (file.is_discarded()) return Failed(TLoadStatus::Corrupt, "not JSON");
  try {
    const std::int64_t format = Integer(Field(file, "format"), 1, INT32_MAX, "the format");
    if (format > MatchFileFormat) return Failed(TLoadStatus::Newer, "a newer format");
    TLoadResult result;
    result.Status = TLoadStatus::Loaded;
    TSavedMatch& saved = result.Saved;
    if (!OpponentLevelOfId(Text(Field(file, "opponents"), "the opponents"), saved.Opponents))
      Bad("unknown opponents");
    saved.OpponentsSeed = Unsigned64(Field(file, "opponents_seed"), "the opponents' seed");
    saved.Match = DecodeState(Field(file, "match"));
    for (const TJson& point : Array(Field(file, "take_back"), 0, MaxTakeBackPoints, "the points"))
      saved.TakeBackPoints.push_back(DecodeState(point));
    return result;
  } catch (const std::exception& e) {
    return Failed(TLoadStatus::Corrupt, e.what());
  }
}

TLoadResult LoadMatchFile(const fs::path& file) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(file, ec);
  if (ec || status.type() == fs::file_type::not_found) return Failed(TLoadStatus::Missing, "no file");
  const records_io::TFd fd = records_io::OpenRegular(file, O_RDONLY);
  if (!fd) {
    if (errno == ENOENT) return Failed(TLoadStatus::Missing, "no file");
    if (errno == EISDIR || errno == EINVAL) return Failed(TLoadStatus::NotAFile, "not a file");
    return Failed(TLoadStatus::Corrupt, std::generic_category().message(errno));
  }
  // One byte more than allowed tells a file that is too large.
  const auto bytes = records_io::ReadStart(fd.Get(), MatchFileLimit + 1);
  if (!bytes) return Failed(TLoadStatus::Corrupt, "unreadable");
  if (bytes->size() > MatchFileLimit) return Failed(TLoadStatus::Corrupt, "too large");
  return DecodeMatch(*bytes);
}

bool SaveMatchFile(const fs::path& file, const TSavedMatch& saved) {
  return WriteMatchFile(file, EncodeMatch(saved));
}

bool WriteMatchFile(const fs::path& file, std::string_view text) {
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  if (ec) return false;
  records_io::RemoveLeftovers(file);
  return records_io::ReplaceFile(file, text, -1, ec);
}

bool SetAsideMatchFile(const fs::path& file) {
  std::error_code ec;
  if (fs::symlink_status(file, ec).type() != fs::file_type::regular) return false;
  fs::path aside = file;
  aside += ".bad";
  fs::rename(file, aside, ec);
  return !ec;
}

fs::path UnfinishedMatchFile() { return UserFolder(TUserFolder::State) / MatchFileName; }

}  // namespace varlo

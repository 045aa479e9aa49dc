#include "transcript.h"

#include <nlohmann/json.hpp>

#include "match.h"

namespace varlo {

namespace {

using TJson = nlohmann::ordered_json;

const char* EventName(TEventKind kind) {
  switch (kind) {
    case TEventKind::New: return "new";
    case TEventKind::Resume: return "resume";
    case TEventKind::Click: return "click";
    case TEventKind::Beep: return "beep";
    case TEventKind::Box: return "box";
    case TEventKind::Chooser: return "chooser";
    case TEventKind::Score: return "score";
    case TEventKind::Records: return "records";
    case TEventKind::Pause: return "pause";
    case TEventKind::Fill: return "fill";
    case TEventKind::Match: return "match";
  }
  return "";
}

const char* BoxName(TBoxKind kind) {
  switch (kind) {
    case TBoxKind::Information: return "information";
    case TBoxKind::Error: return "error";
    case TBoxKind::Confirmation: return "confirmation";
  }
  return "";
}

TJson Scores(const TMatch& m) {
  TJson scores = TJson::array();
  for (const auto& p : m.Deal().Players) scores.push_back(p.Score);
  return scores;
}

TJson State(const TMatch& m) {
  TJson st;
  TJson hands = TJson::array();
  for (const auto& p : m.Deal().Players) hands.push_back(p.Cards);
  st["hands"] = hands;
  st["trick"] = m.Deal().Trick;
  TJson layout = TJson::array();
  for (int c = 0; c < DeckSize; ++c)
    if (m.Deal().Layout[c]) layout.push_back(c);
  st["layout"] = layout;
  st["scores"] = Scores(m);
  st["leader"] = m.Deal().Leader;
  st["chooser"] = m.Deal().Chooser;
  st["contract"] = m.Deal().Contract;
  st["deals"] = m.Progress().DealsPlayed;
  st["skip"] = m.Deal().SkipNext;
  st["finish"] = m.Progress().FinishOrder;
  st["hand_line"] = m.Lines().HandLine;
  st["game_line"] = m.Lines().GameLine;
  TJson chosen = TJson::array();
  for (const auto& row : m.Progress().ContractsChosen) {
    int bits = 0;
    for (int i = 0; i < ContractCount; ++i) bits |= row[i] ? 1 << i : 0;
    chosen.push_back(bits);
  }
  st["chosen"] = chosen;
  st["input"] = m.InputEnabled();
  return st;
}

void AddFields(TJson& line, const TMatch& m, const TEventRecord& e) {
  switch (e.Kind) {
    case TEventKind::Click:
      line["x"] = e.X;
      line["y"] = e.Y;
      break;
    case TEventKind::Box:
      line["kind"] = BoxName(e.Box);
      line["text"] = std::string(e.Text);
      break;
    case TEventKind::Chooser:
      line["seat"] = e.Seat;
      line["contract"] = e.Contract;
      break;
    case TEventKind::Score: {
      TJson rows = TJson::array();
      for (const auto& r : *e.Score) rows.push_back(TJson::array({r.Name, r.Points}));
      line["rows"] = rows;
      break;
    }
    case TEventKind::Records: {
      TJson rows = TJson::array();
      for (const auto& r : *e.Records) rows.push_back(TJson::array({r.Name, r.Score}));
      line["rows"] = rows;
      break;
    }
    case TEventKind::Pause: line["ms"] = e.Ms; break;
    case TEventKind::Match: line["scores"] = Scores(m); break;
    default: break;
  }
}

}  // namespace

void TTranscript::OnEvent(const TMatch& match, const TEventRecord& event) {
  TJson line;
  line["ev"] = EventName(event.Kind);
  AddFields(line, match, event);
  line["st"] = State(match);
  // Names are user text: replace invalid UTF-8 rather than abort the run.
  Out << line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace varlo

#include "table_game.h"

#include "apply_move.h"
#include "deal_record.h"
#include "engine.h"
#include "tour_records.h"

namespace varnok::tour {

namespace {

// A phase as the copy at `own` numbers it: the seats of the bidding and of
// the play are relative, the other phases the same everywhere.
int PhaseFor(int phase, int own) {
  if (phase >= phBid1 && phase <= phBid3) return net::RelativeSeat(phase, own);
  if (phase >= phPlay1 && phase <= phPlay3) return 10 + net::RelativeSeat(phase - 10, own);
  return phase;
}

varnok::Move Renumbered(varnok::Move move, int from_own, int to_own) {
  if (move.kind == varnok::Move::Kind::Bid || move.kind == varnok::Move::Kind::Pass ||
      move.kind == varnok::Move::Kind::Card)
    move.seat = net::RelativeSeat(net::AbsoluteSeat(move.seat, from_own), to_own);
  return move;
}

// Records held for one seat at most (a copy sends a handful per step).
constexpr std::size_t kMostHeld = 16;
// Records without a step one seat may send between two steps.
constexpr int kMostStepless = 6;

enum StepKind { kBid = 1, kPass, kOpenWidow, kTakeWidow, kGive, kGivingDone, kTrump, kContract, kCard, kCollect };

}  // namespace

// One seat's copy of the game: its engine numbers the table from that seat.
struct TableGame::Mirror {
  explicit Mirror(int position) : own(position), engine(state, ui) {
    TableMode mode;
    mode.ProfileSlot = 8;
    mode.TourGame = true;
    mode.TourPos = position;
    engine.SetMode(mode);
    engine.SetMoveListener([this](const varnok::Move& m) { applied.push_back(m); });
  }
  int own;
  GameState state;
  Presenter ui;
  Engine engine;
  net::NetButtons buttons;
  std::vector<varnok::Move> applied;
};

TableGame::TableGame(Random random, int refused_limit) : random_(std::move(random)), refused_limit_(refused_limit) {
  for (int p = 1; p <= 3; ++p) mirrors_[static_cast<std::size_t>(p)] = std::make_unique<Mirror>(p);
}

TableGame::~TableGame() = default;

const TableGame::Mirror& TableGame::Table() const { return *mirrors_[3]; }

int TableGame::Round() const { return Table().state.RoundNo; }

std::array<int, 3> TableGame::Counts() const {
  const PerSeat<int> counts = GeneralCount(Table().state.Scores);
  return {counts[1], counts[2], counts[3]};
}

std::array<int, 3> TableGame::Scores() const {
  const auto& s = Table().state.Scores;
  return {s[1], s[2], s[3]};
}

int TableGame::Turn() const {
  if (!Running()) return 0;
  const GameState& s = Table().state;
  const int p = s.Phase;
  if (p >= phBid1 && p <= phBid3) return p;
  if (p == phBidDone) return net::SoleBidder(s);
  if (p >= phWidowOpen && p <= phOrdered) return net::IsSeat(s.Declarer) ? s.Declarer : 0;
  if (p >= phPlay1 && p <= phPlay3) return p - 10;
  if (p == phTrickFull) return s.Leader;
  if (p == phNextRound) return 1;  // position 1 asks for the next deal
  return 0;
}

void TableGame::Start(std::vector<Send>& out) {
  if (started_) return;
  started_ = true;
  Deal(true, out);
}

void TableGame::Deal(bool new_game, std::vector<Send>& out) {
  // A uniform permutation of the 24 cards (Fisher-Yates over the random source).
  DeckOrder order{};
  for (int i = 0; i < 24; ++i) order[static_cast<std::size_t>(i)] = i + 1;
  for (std::uint32_t i = 23; i > 0; --i) std::swap(order[i], order[random_(i + 1)]);
  GameState& s = mirrors_[3]->state;
  FillDeck(order, s.Deck, s.DeckOrder, s.DeckPoints);
  const std::optional<std::string> record = net::BuildDeal(s, false, true);
  if (!record) return;
  for (int p = 1; p <= 3; ++p) {
    Mirror& m = *mirrors_[static_cast<std::size_t>(p)];
    net::ApplyDeal(*record, m.state, {p, true});
    m.buttons = {};
    m.engine.Apply(new_game ? varnok::Move::NewGame() : varnok::Move::NextRound(), MoveSource::Record);
    m.applied.clear();
    out.push_back({p, *record});
  }
  ++steps_;
}

Verdict TableGame::Refuse(int from, std::string why) {
  Verdict v{false, std::move(why), false};
  if (net::IsSeat(from) && ++refused_[static_cast<std::size_t>(from)] > refused_limit_) v.disconnect = true;
  return v;
}

std::optional<TableGame::Step> TableGame::StepOf(const net::MoveFields& f, int receiver, int* steps) {
  std::optional<Step> step;
  *steps = 0;
  const auto take = [&](Step s) {
    ++*steps;
    if (!step) step = s;
  };
  for (int rel = 1; rel <= 3; ++rel) {
    const net::SeatCell& cell = f.Cell(rel);
    const int seat = net::AbsoluteSeat(rel, receiver);
    if (cell.kind == net::SeatCell::Kind::Bid) take({kBid, seat, cell.bid});
    if (cell.kind == net::SeatCell::Kind::Pass) take({kPass, seat});
  }
  if (f.open_widow) take({kOpenWidow});
  if (f.take_widow) take({kTakeWidow});
  if (f.given) take({kGive, 0, f.given->first, f.given->second});
  if (f.giving_done) take({kGivingDone});
  if (f.trump) take({kTrump, 0, *f.trump});
  if (f.contract) take({kContract, 0, *f.contract});
  if (f.card) {
    const int rel = f.card_player;
    const int marriage = net::IsSeat(rel) ? static_cast<int>(f.Cell(rel).kind) : 0;
    take({kCard, net::AbsoluteSeat(rel, receiver), *f.card, 0, marriage});
  }
  if (f.next_trick) take({kCollect});
  return step;
}

Verdict TableGame::Receive(int from, const net::Received& record, std::vector<Send>& out) {
  if (!net::IsSeat(from)) return Refuse(from, "no seat");
  if (record.seat != from) return Refuse(from, "framed for another position");
  // After the end only the result means anything: the records a copy had on
  // their way when the game ended are no fault of its own.
  if (ending_ != Ending::None && record.kind != net::RecordKind::Control) return Verdict{false, "", false};
  switch (record.kind) {
    case net::RecordKind::Move: return Move(from, record, out);
    case net::RecordKind::Chat:
      if (!started_) return Refuse(from, "a chat line before the game");
      for (int p = 1; p <= 3; ++p)
        if (p != from) out.push_back({p, record.wire});
      return {};
    case net::RecordKind::Control: return ControlRecord(from, record, out);
    default: return Refuse(from, "not a record of a seat");
  }
}

Verdict TableGame::Move(int from, const net::Received& record, std::vector<Send>& out) {
  if (!Running()) return Refuse(from, "no game under way");
  const std::string& body = record.body;
  if (body.size() != net::kMoveLength || body[1] != static_cast<char>('0' + from))
    return Refuse(from, "a move for another seat");
  const int to = body[37] - '0';
  if (!net::IsSeat(to) || to == from) return Refuse(from, "a move addressed to no other seat");
  const auto decoded = net::DecodeMove(body);
  if (!decoded.ok()) return Refuse(from, "not a move record");
  if (!decoded.value->skipped.empty()) return Refuse(from, "a field holds a character of no meaning");
  const net::MoveFields& f = decoded.value->fields;
  int count = 0;
  const std::optional<Step> step = StepOf(f, to, &count);
  if (count > 1) return Refuse(from, "more than one step in a record");
  Mirror& receiver = *mirrors_[static_cast<std::size_t>(to)];
  std::optional<Pending>& pending = pending_[static_cast<std::size_t>(from)];

  if (pending && pending->owed_to == to) {
    // The second record of a step: the same step, leading where the first led.
    if (!step || !(*step == pending->step)) return Refuse(from, "not the step told to the other seat");
    if (f.phase && *f.phase != PhaseFor(pending->phase, to)) return Refuse(from, "a phase the step does not lead to");
    if (f.action_caption == 2 && (!f.next_bid || *f.next_bid - kBidStep != pending->bid))
      return Refuse(from, "a next bid the step does not lead to");
    pending.reset();
    out.push_back({to, record.wire});
    Release(to, out);
    FinishIfOver(out);
    return {};
  }
  if (!step) {
    // Buttons and a phase only: the phase must be where the game stands.
    if (f.phase && *f.phase != receiver.state.Phase) return Refuse(from, "a phase the game is not in");
    if (f.action_caption == 2 && (!f.next_bid || *f.next_bid - kBidStep != receiver.state.CurrentBid))
      return Refuse(from, "a next bid the game is not at");
    if (held_[static_cast<std::size_t>(to)].size() >= kMostHeld) return Refuse(from, "too many records held");
    // A copy sends a few such records per step, never a stream of them.
    if (++stepless_[static_cast<std::size_t>(from)] > kMostStepless) return Refuse(from, "records without a step, again and again");
    Emit(from, to, record.wire, out);
    return {};
  }
  if (pending) return Refuse(from, "a new step before the last one was told to both seats");
  if (held_[static_cast<std::size_t>(to)].size() >= kMostHeld) return Refuse(from, "too many records held");
  // A new step: checked and taken as the addressed seat's copy takes it.
  receiver.applied.clear();
  const net::MoveApplied applied = net::ApplyMove(body, {receiver.state, receiver.engine, receiver.ui, receiver.buttons});
  if (!applied.applied()) {
    receiver.applied.clear();
    std::string why = "a step that breaks the rules";
    if (!applied.skipped.empty()) {
      why += " (position " + std::to_string(applied.skipped.back().position) + ": " +
             std::string(net::ErrorText(applied.skipped.back().error)) + ")";
    }
    return Refuse(from, why);
  }
  // The same moves on the other two engines, in their own numbering.
  for (int p = 1; p <= 3; ++p) {
    if (p == to) continue;
    Mirror& other = *mirrors_[static_cast<std::size_t>(p)];
    for (const varnok::Move& m : receiver.applied) other.engine.Apply(Renumbered(m, to, p), MoveSource::Record);
    other.applied.clear();
  }
  receiver.applied.clear();
  ++steps_;
  stepless_ = {};
  const int third = 6 - from - to;
  pending = Pending{*step, third, Table().state.Phase, Table().state.CurrentBid};
  Emit(from, to, record.wire, out);
  FinishIfOver(out);
  return {};
}

bool TableGame::OwedBy(int to, int except) const {
  for (int w = 1; w <= 3; ++w)
    if (w != except && pending_[static_cast<std::size_t>(w)] && pending_[static_cast<std::size_t>(w)]->owed_to == to)
      return true;
  return false;
}

void TableGame::Emit(int from, int to, const std::string& wire, std::vector<Send>& out) {
  auto& held = held_[static_cast<std::size_t>(to)];
  if (!held.empty() || OwedBy(to, from)) {
    held.push_back({from, wire});
    return;
  }
  out.push_back({to, wire});
}

void TableGame::Release(int to, std::vector<Send>& out) {
  auto& held = held_[static_cast<std::size_t>(to)];
  std::size_t n = 0;
  while (n < held.size() && !OwedBy(to, held[n].from)) {
    out.push_back({to, held[n].wire});
    ++n;
  }
  held.erase(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(n));
}

void TableGame::FinishIfOver(std::vector<Send>& out) {
  if (!Table().state.GameOver || ending_ != Ending::None) return;
  for (const auto& p : pending_)
    if (p) return;  // the last step is still to be told
  ending_ = Ending::Finished;
  for (int p = 1; p <= 3; ++p) out.push_back({p, net::BuildGameEnded()});
}

Verdict TableGame::ControlRecord(int from, const net::Received& record, std::vector<Send>& out) {
  const auto control = net::ParseControl(record.wire);
  if (!control.ok()) return Refuse(from, "not a control record");
  switch (control.value->kind) {
    case net::ControlKind::Connect: return Refuse(from, "a second \"connect\"");
    case net::ControlKind::NextRound: {
      if (ending_ != Ending::None) return Verdict{false, "", false};
      if (!Running() || from != 1 || Table().state.Phase != phNextRound)
        return Refuse(from, "\"bnext\" out of turn");
      for (const auto& p : pending_)
        if (p) return Refuse(from, "\"bnext\" before the round was told to every seat");
      Deal(false, out);
      return {};
    }
    case net::ControlKind::TimeOut:
      if (!Running()) return {};
      End(Ending::TimedOut, from, out);
      return {};
    case net::ControlKind::Leave:
      if (!started_) return {};
      End(Ending::Left, from, out);
      return {};
    case net::ControlKind::Result: {
      // The table's own result counts; a copy's claim is only compared with it, once.
      const std::array<int, 3> counts = Counts();
      if (ending_ == Ending::None) return Refuse(from, "a result before the game ended");
      if (results_told_[static_cast<std::size_t>(from)]++ > 0) return Refuse(from, "a result told again");
      if (control.value->result != counts) {
        return Verdict{false,
                       "a result that disagrees with the game (" + std::to_string(control.value->result[0]) + " " +
                           std::to_string(control.value->result[1]) + " " + std::to_string(control.value->result[2]) +
                           " against " + std::to_string(counts[0]) + " " + std::to_string(counts[1]) + " " +
                           std::to_string(counts[2]) + ")",
                       false};
      }
      return {};
    }
  }
  return Refuse(from, "not a control record");
}

void TableGame::End(Ending how, int who, std::vector<Send>& out) {
  if (!Running() || !net::IsSeat(who)) return;
  ending_ = how;
  offender_ = who;
  const std::optional<std::string> notice = how == Ending::TimedOut ? net::BuildTimeUp(who) : net::BuildPlayerLeft(who);
  for (int p = 1; p <= 3; ++p)
    if (p != who && notice) out.push_back({p, *notice});
}

}  // namespace varnok::tour

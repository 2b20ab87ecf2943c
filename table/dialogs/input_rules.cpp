#include "input_rules.h"

#include "words.h"

namespace varnok {

namespace {

using i18n::Text;
using i18n::WordsGames;
using i18n::WordsMain;

constexpr int kRowCurrentGame = 6;      // games table, "Current game"
constexpr int kRowGame = 7;             // games table, "Game"
constexpr int kRowGeneralNumber = 84;   // main table, "General number of game:"
constexpr int kRowRoundInCycle = 85;    // main table, "Number of round in a current cycle:"
constexpr int kRowRoundInSession = 86;  // main table, "Number of round in a current session:"

constexpr int kAccountSlot = 7;

bool IsSeat(int seat) { return seat >= 1 && seat <= 3; }

bool HoldsCard(const GameState& s, int seat, int slot) {
  return IsSeat(seat) && slot >= 1 && slot <= s.HandCount[seat] && slot <= kHandRange && s.Hands[seat][slot].IsReal();
}

std::optional<TCard> RealCard(TCard card) {
  if (!card.IsReal()) return std::nullopt;
  return card;
}

}  // namespace

CursorKind HandCursor(const Engine& engine, int slot) {
  const GameState& s = engine.State();
  if (slot < 1 || slot > s.HandCount[3]) return CursorKind::Arrow;
  switch (s.Phase) {
    case phGive:
      return s.Declarer == 3 ? CursorKind::Hand : CursorKind::Arrow;
    case phGiveChosen:
      return s.Declarer == 3 && (slot == s.GiveIdx1 || slot == s.GiveIdx2) ? CursorKind::Hand : CursorKind::Arrow;
    case phPlay3:
      if (s.TrickPos == 1) return CursorKind::Hand;
      return engine.IsIllegalHumanCard(slot) ? CursorKind::Arrow : CursorKind::Hand;
    default:
      return CursorKind::Arrow;
  }
}

int BidWinner(const GameState& s) {
  int left = 0;
  int count = 0;
  for (int seat = 1; seat <= 3; ++seat) {
    if (s.InBidding[seat]) {
      left = seat;
      ++count;
    }
  }
  if (count == 1) return left;
  return IsSeat(s.Declarer) ? s.Declarer : 0;
}

int ScorePanelHintRow(const GameState& s, int seat, QPoint p, const LayoutState& layout) {
  if (!IsSeat(seat)) return 0;
  if (p.y() < ScaleLen(layout, 38)) return kHintRoundPoints;
  if (p.y() < ScaleLen(layout, 41)) return 0;
  if (p.x() >= ScaleLen(layout, 46) && p.x() <= ScaleLen(layout, 94)) return kHintNumbers;
  if (p.x() >= ScaleLen(layout, 96)) {
    const bool ordered_shown = s.Phase >= phBidDone && s.Phase <= phTrickFull;
    return ordered_shown && BidWinner(s) == seat ? kHintOrdered : 0;
  }
  return 0;
}

QString ScorePanelHint(const GameState& s, int seat, QPoint p, const LayoutState& layout) {
  const int row = ScorePanelHintRow(s, seat, p, layout);
  return row == 0 ? QString() : Text(WordsGames, row);
}

QString RoundPanelHint(int kon_no, int cycle) {
  return Text(WordsGames, kRowGame) + QStringLiteral(": ") + QString::number(kon_no) + QStringLiteral(" / ") +
         QString::number(cycle);
}

BalloonKind BalloonKindOf(const TableMode& mode) {
  if (mode.TourGame) return BalloonKind::Tournament;
  if (mode.NetGame || mode.ProfileSlot == kAccountSlot) return BalloonKind::AccountOrNetwork;
  return BalloonKind::Local;
}

int RoundInCycle(int games) {
  if (games < 1) games = 1;
  const int c = games % kGamesPerCycle;
  return c == 0 ? kGamesPerCycle : c;
}

std::optional<RoundBalloon> RoundBalloonFor(const TableMode& mode, int kon_no, int account_games,
                                            bool client_waiting_for_deal) {
  if (client_waiting_for_deal) return std::nullopt;
  const auto line = [](int row, const QString& value) { return Text(WordsMain, row) + QLatin1Char(' ') + value; };
  const QString general = line(kRowGeneralNumber, QString::number(kon_no));
  const QString session = line(kRowRoundInSession, QStringLiteral("1 / 1"));
  const bool on_account = mode.ProfileSlot == kAccountSlot && !mode.NetGame && !mode.TourGame;
  const int cycle = RoundInCycle(on_account ? account_games + 1 : kon_no);
  const QString in_cycle = line(kRowRoundInCycle, QString::number(cycle) + QStringLiteral(" / ") +
                                                      QString::number(kGamesPerCycle));

  RoundBalloon balloon;
  balloon.title = Text(WordsGames, kRowCurrentGame);
  switch (BalloonKindOf(mode)) {
    case BalloonKind::Local:
      balloon.lines = {general, in_cycle};
      break;
    case BalloonKind::AccountOrNetwork:
      balloon.lines = {general, in_cycle, session};
      break;
    case BalloonKind::Tournament:
      balloon.lines = {general, session};
      break;
  }
  return balloon;
}

std::optional<TCard> SpokenHandCard(const GameState& s, bool show_cards_at_end, int seat, int slot) {
  if (s.Phase == phNone || !HoldsCard(s, seat, slot)) return std::nullopt;
  if (seat == 3) return s.Hands[3][slot];
  const bool open_at_end = show_cards_at_end && (s.Phase == phNextRound || s.Phase == phGameOver);
  if (!open_at_end) return std::nullopt;
  return s.Hands[seat][slot];
}

int SeatOfTableSlot(int leader, int stol_slot) {
  if (!IsSeat(leader) || stol_slot < 1 || stol_slot > 3) return 0;
  int seat = leader;
  for (int i = 1; i < stol_slot; ++i) seat = NextSeat(seat);
  return seat;
}

int TableSlotOfSeat(int leader, int seat) {
  if (!IsSeat(leader) || !IsSeat(seat)) return 0;
  return (seat - leader + 3) % 3 + 1;
}

std::optional<TCard> SpokenTableCard(const GameState& s, QPoint p, const LayoutState& layout, const CardSize& card,
                                     int margin) {
  switch (s.Phase) {
    case phWidowOpen:
      for (int index = 1; index <= 3; ++index) {
        if (WidowCardPlace(layout, card, margin, index).contains(p)) return RealCard(s.Widow[index]);
      }
      return std::nullopt;
    case phGiven: {
      if (!IsSeat(s.Declarer)) return std::nullopt;
      const int first_receiver = NextSeat(s.Declarer);
      const int receivers[3] = {0, first_receiver, NextSeat(first_receiver)};
      for (int which = 1; which <= 2; ++which) {
        if (TrickCardPlace(layout, card, margin, receivers[which]).contains(p)) return RealCard(s.GivenCards[which]);
      }
      return std::nullopt;
    }
    case phPlay1:
    case phPlay2:
    case phPlay3:
    case phTrickFull:
      for (int seat = 1; seat <= 3; ++seat) {
        if (!TrickCardPlace(layout, card, margin, seat).contains(p)) continue;
        const int slot = TableSlotOfSeat(s.LastTrickLeader, seat);
        return slot == 0 ? std::nullopt : RealCard(s.Stol[slot]);
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

bool PopupMenuAttached(MouseArea area) { return area == MouseArea::Elsewhere; }

bool DebugKeyBuffer::KeyTyped(const QString& text) {
  if (text.isEmpty()) return false;
  buffer_ += text;
  if (buffer_.size() > kMaxLength) {
    buffer_.clear();
    return false;
  }
  // The whole buffer must be a decimal number (leading zeros allowed).
  bool ok = !buffer_.isEmpty();
  for (const QChar c : buffer_) ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
  if (!ok) return false;
  int value = 0;
  for (const QChar c : buffer_) {
    value = value * 10 + (c.unicode() - '0');
    if (value > kSecret) return false;  // no overflow on long digit runs
  }
  if (value != kSecret) return false;
  buffer_.clear();
  return true;
}

}  // namespace varnok

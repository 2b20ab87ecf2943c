// The input rules of the table: the cursor over the bottom hand (checked
// against what a click really does), the score panel and round panel hints,
// the balloon of the three kinds of game, the card a right click speaks, the
// popup menu over the table, and the hidden diagnostic key sequence.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "engine.h"
#include "input_rules.h"
#include "presenter.h"
#include "words.h"

namespace varnok {
namespace {

TCard C(const char* name) { return CardFromName(name); }

void SetHand(GameState& s, int seat, std::initializer_list<const char*> cards) {
  s.Hands[seat] = EmptyCardList();
  int slot = 0;
  for (const char* name : cards) {
    ++slot;
    const TCard card = C(name);
    s.Hands[seat][slot] = card;
    s.HandOrder[seat][slot] = static_cast<std::uint8_t>(RankOrder(card.rank));
    s.HandPoints[seat][slot] = static_cast<std::uint8_t>(RankPoints(card.rank));
  }
  s.HandCount[seat] = static_cast<std::uint8_t>(slot);
}

// A game in play: seat 3 holds two hearts, a diamond, two clubs and three
// spades; clubs are trumps.
GameState PlayState() {
  GameState s;
  s.InGame = true;
  s.Declarer = 1;
  s.Trump = kClubs;
  SetHand(s, 1, {"9h", "Jh", "Qd", "Kd", "Ac", "9s", "Js", "Qs"});
  SetHand(s, 2, {"Kh", "10h", "9d", "Jd", "9c", "Jc", "Ks", "10s"});
  SetHand(s, 3, {"Qh", "Ah", "10d", "Qc", "Kc", "As", "Jd", "Ad"});
  s.Names = {"", "West", "East", "Player"};
  s.LastTrickLeader = 1;
  s.Leader = 1;
  return s;
}

struct CursorCase {
  const char* what;
  std::uint8_t phase;
  int declarer;
  int give1, give2;
  int trick_pos;
  const char* led;  // the card on the table when seat 3 follows, "" when leading
  int slot;
  CursorKind cursor;
};

GameState StateFor(const CursorCase& c) {
  GameState s = PlayState();
  s.Phase = c.phase;
  s.Declarer = static_cast<std::uint8_t>(c.declarer);
  s.GiveIdx1 = static_cast<std::uint8_t>(c.give1);
  s.GiveIdx2 = static_cast<std::uint8_t>(c.give2);
  s.TrickPos = static_cast<std::uint8_t>(c.trick_pos);
  if (*c.led != '\0') {
    s.Stol[1] = C(c.led);
    s.StolOrder[1] = static_cast<std::uint8_t>(RankOrder(s.Stol[1].rank));
    s.StolPoints[1] = static_cast<std::uint8_t>(RankPoints(s.Stol[1].rank));
    s.LedSuit = s.Stol[1].suit;
    s.LastTrickLeader = 1;
    s.Leader = 1;
    if (c.trick_pos == 3) {
      s.Stol[2] = C("9d");
      s.StolOrder[2] = 1;
      s.StolPoints[2] = 0;
    }
  }
  return s;
}

const CursorCase kCursorCases[] = {
    {"declarer picks a gift", phGive, 3, 0, 0, 1, "", 4, CursorKind::Hand},
    {"declarer picks the second gift", phGive, 3, 2, 0, 1, "", 2, CursorKind::Hand},
    {"beside the cards", phGive, 3, 0, 0, 1, "", 0, CursorKind::Arrow},
    {"a computer is the declarer", phGive, 1, 0, 0, 1, "", 4, CursorKind::Arrow},
    {"first chosen card", phGiveChosen, 3, 2, 5, 1, "", 2, CursorKind::Hand},
    {"second chosen card", phGiveChosen, 3, 2, 5, 1, "", 5, CursorKind::Hand},
    {"a card not chosen", phGiveChosen, 3, 2, 5, 1, "", 3, CursorKind::Arrow},
    {"leading", phPlay3, 1, 0, 0, 1, "", 6, CursorKind::Hand},
    {"following suit", phPlay3, 1, 0, 0, 2, "9h", 1, CursorKind::Hand},
    {"breaking the follow-suit rule", phPlay3, 1, 0, 0, 2, "9h", 6, CursorKind::Arrow},
    {"a trump while holding the suit", phPlay3, 1, 0, 0, 3, "9h", 4, CursorKind::Arrow},
    {"a trump while holding the led spade", phPlay3, 1, 0, 0, 3, "Js", 4, CursorKind::Arrow},
    {"the spade held", phPlay3, 1, 0, 0, 3, "Js", 6, CursorKind::Hand},
    {"beyond the last card", phPlay3, 1, 0, 0, 1, "", 9, CursorKind::Arrow},
    {"another seat's turn", phPlay1, 1, 0, 0, 1, "", 2, CursorKind::Arrow},
    {"bidding", phBid3, 0, 0, 0, 1, "", 2, CursorKind::Arrow},
    {"trick full", phTrickFull, 1, 0, 0, 1, "", 2, CursorKind::Arrow},
};

TEST(InputRules, CursorOverTheBottomHand) {
  for (const CursorCase& c : kCursorCases) {
    SCOPED_TRACE(c.what);
    GameState s = StateFor(c);
    Presenter presenter;
    Engine engine(s, presenter);
    EXPECT_EQ(HandCursor(engine, c.slot), c.cursor);
  }
}

// A hand without the led suit (spades) must play a trump (clubs): only the
// two clubs get the hand cursor.
TEST(InputRules, CursorFollowsTheRulesOfPlay) {
  GameState s = PlayState();
  SetHand(s, 3, {"Qh", "Ah", "10d", "Qc", "Kc", "Ad", "Jd", "9d"});  // no spades
  s.Phase = phPlay3;
  s.TrickPos = 2;
  s.Stol[1] = C("Js");
  s.LedSuit = kSpades;
  Presenter presenter;
  Engine engine(s, presenter);
  const CursorKind expected[] = {CursorKind::Arrow, CursorKind::Arrow, CursorKind::Arrow, CursorKind::Hand,
                                 CursorKind::Hand,  CursorKind::Arrow, CursorKind::Arrow, CursorKind::Arrow};
  for (int slot = 1; slot <= 8; ++slot) EXPECT_EQ(HandCursor(engine, slot), expected[slot - 1]) << slot;
}

// The hand cursor shows exactly where a left click does something.
TEST(InputRules, TheHandCursorIsWhereAClickActs) {
  for (const CursorCase& c : kCursorCases) {
    for (int slot = 0; slot <= 9; ++slot) {
      SCOPED_TRACE(::testing::Message() << c.what << ", slot " << slot);
      GameState shown = StateFor(c);
      Presenter presenter;
      Engine looking(shown, presenter);
      const CursorKind cursor = HandCursor(looking, slot);
      GameState clicked = StateFor(c);
      Engine acting(clicked, presenter);
      const bool changed = acting.ClickCard(slot);
      EXPECT_EQ(cursor == CursorKind::Hand, changed);
      if (!changed) {
        EXPECT_EQ(clicked, StateFor(c)) << "a refused click changed the state";
      }
    }
  }
}

TEST(InputRules, ScorePanelHints) {
  struct Case {
    int mode;
    std::uint8_t phase;
    int seat;
    QPoint p;
    int row;
  };
  // Seat 2 is the one left in the bidding; in phase 8 it is the declarer.
  const Case cases[] = {
      {1, phGiven, 2, {10, 10}, kHintRoundPoints}, {1, phGiven, 2, {150, 37}, kHintRoundPoints},
      {1, phGiven, 2, {10, 38}, 0},                {1, phGiven, 2, {50, 40}, 0},
      {1, phGiven, 2, {46, 41}, kHintNumbers},     {1, phGiven, 2, {94, 90}, kHintNumbers},
      {1, phGiven, 2, {45, 60}, 0},                {1, phGiven, 2, {95, 60}, 0},
      {1, phGiven, 2, {96, 60}, kHintOrdered},     {1, phGiven, 2, {154, 94}, kHintOrdered},
      {1, phGiven, 1, {120, 60}, 0},               {1, phGiven, 3, {120, 60}, 0},
      {1, phBidDone, 2, {120, 60}, kHintOrdered},  {1, phTrickFull, 2, {120, 60}, kHintOrdered},
      {1, phBid3, 2, {120, 60}, 0},                {1, phRoundOver, 2, {120, 60}, 0},
      {1, phNextRound, 2, {120, 60}, 0},           {1, phRoundOver, 2, {60, 60}, kHintNumbers},
      // Twice the size: the borders move with the panel.
      {5, phGiven, 2, {10, 75}, kHintRoundPoints}, {5, phGiven, 2, {10, 76}, 0},
      {5, phGiven, 2, {92, 82}, kHintNumbers},     {5, phGiven, 2, {188, 82}, kHintNumbers},
      {5, phGiven, 2, {190, 82}, 0},               {5, phGiven, 2, {192, 82}, kHintOrdered},
      {1, phGiven, 0, {10, 10}, 0},                {1, phGiven, 4, {10, 10}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " phase " << int(c.phase) << " seat " << c.seat
                                      << " at " << c.p.x() << ", " << c.p.y());
    GameState s;
    s.Phase = c.phase;
    s.InBidding = {false, false, true, false};
    if (c.phase >= phGive) s.Declarer = 2;
    EXPECT_EQ(ScorePanelHintRow(s, c.seat, c.p, LayoutForMode(c.mode)), c.row);
  }
  GameState s;
  s.Phase = phGiven;
  s.Declarer = 2;
  EXPECT_EQ(ScorePanelHint(s, 2, QPoint(120, 60), LayoutForMode(1)), "The ordered game");
  EXPECT_EQ(ScorePanelHint(s, 1, QPoint(10, 10), LayoutForMode(1)), "Points of a current Round");
  EXPECT_EQ(ScorePanelHint(s, 1, QPoint(50, 60), LayoutForMode(1)), "Numbers");
  EXPECT_EQ(ScorePanelHint(s, 1, QPoint(120, 60), LayoutForMode(1)), "");
}

TEST(InputRules, TheWinnerOfTheBidding) {
  GameState s;
  s.InBidding = {false, true, true, true};
  EXPECT_EQ(BidWinner(s), 0);
  s.InBidding = {false, false, false, true};
  EXPECT_EQ(BidWinner(s), 3);
  s.InBidding = {false, true, true, false};
  s.Declarer = 1;
  EXPECT_EQ(BidWinner(s), 1);
}

TEST(InputRules, RoundPanelHint) {
  EXPECT_EQ(RoundPanelHint(7), "Game: 7 / 25");
  EXPECT_EQ(RoundPanelHint(130, 25), "Game: 130 / 25");
}

TEST(InputRules, RoundBalloonOfTheThreeKindsOfGame) {
  TableMode guest;
  guest.ProfileSlot = 6;
  TableMode club;
  club.ProfileSlot = 2;
  TableMode account;
  account.ProfileSlot = 7;
  TableMode network;
  network.NetGame = true;
  network.ProfileSlot = 3;
  TableMode tournament;
  tournament.TourGame = true;
  tournament.ProfileSlot = 8;
  struct Case {
    const char* what;
    TableMode mode;
    int kon_no;
    int account_games;
    std::vector<QString> lines;
  };
  const Case cases[] = {
      {"guest", guest, 30, 0,
       {"General number of game: 30", "Number of round in a current cycle: 5 / 25"}},
      {"club, end of a cycle", club, 50, 0,
       {"General number of game: 50", "Number of round in a current cycle: 25 / 25"}},
      {"club, first game", club, 1, 0, {"General number of game: 1", "Number of round in a current cycle: 1 / 25"}},
      {"online account: its own counter + 1", account, 3, 24,
       {"General number of game: 3", "Number of round in a current cycle: 25 / 25",
        "Number of round in a current session: 1 / 1"}},
      {"network", network, 27, 99,
       {"General number of game: 27", "Number of round in a current cycle: 2 / 25",
        "Number of round in a current session: 1 / 1"}},
      {"tournament", tournament, 12, 0,
       {"General number of game: 12", "Number of round in a current session: 1 / 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<RoundBalloon> balloon = RoundBalloonFor(c.mode, c.kon_no, c.account_games, false);
    ASSERT_TRUE(balloon.has_value());
    EXPECT_EQ(balloon->title, "Current game");
    EXPECT_EQ(std::vector<QString>(balloon->lines.begin(), balloon->lines.end()), c.lines);
  }
  EXPECT_FALSE(RoundBalloonFor(network, 27, 0, true).has_value()) << "a client waiting for the deal";
  EXPECT_EQ(BalloonKindOf(guest), BalloonKind::Local);
  EXPECT_EQ(BalloonKindOf(account), BalloonKind::AccountOrNetwork);
  EXPECT_EQ(BalloonKindOf(tournament), BalloonKind::Tournament);
}

TEST(InputRules, RoundInCycle) {
  const int cases[][2] = {{1, 1}, {24, 24}, {25, 25}, {26, 1}, {50, 25}, {51, 1}, {0, 1}, {-3, 1}};
  for (const auto& c : cases) EXPECT_EQ(RoundInCycle(c[0]), c[1]) << c[0];
}

std::string Spoken(const std::optional<TCard>& card) { return card ? CardName(*card) : "nothing"; }

TEST(InputRules, RightClickOnAHand) {
  struct Case {
    std::uint8_t phase;
    bool open_at_end;
    int seat;
    int slot;
    const char* spoken;
  };
  const Case cases[] = {
      {phBid1, false, 3, 2, "Ah"},     {phPlay1, false, 3, 8, "Ad"},   {phNextRound, false, 3, 1, "Qh"},
      {phPlay1, false, 3, 9, "nothing"}, {phPlay1, false, 3, 0, "nothing"},
      {phPlay1, false, 1, 2, "nothing"}, {phPlay3, true, 2, 2, "nothing"},  // backs during play
      {phNextRound, true, 1, 2, "Jh"}, {phGameOver, true, 2, 8, "10s"},
      {phNextRound, false, 1, 2, "nothing"}, {phRoundOver, true, 1, 2, "nothing"},
      {phNone, false, 3, 2, "nothing"}, {phPlay1, false, 4, 2, "nothing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "phase " << int(c.phase) << " seat " << c.seat << " slot " << c.slot);
    GameState s = PlayState();
    s.Phase = c.phase;
    EXPECT_EQ(Spoken(SpokenHandCard(s, c.open_at_end, c.seat, c.slot)), c.spoken);
  }
}

TEST(InputRules, RightClickOnTheTable) {
  const LayoutState layout = LayoutForMode(kSmallWindow);
  const CardSize card = CardSizeFor(layout, true);
  const auto centre = [&](QRect r) { return r.center(); };
  const QPoint widow1 = centre(WidowCardPlace(layout, card, 0, 1));
  const QPoint widow3 = centre(WidowCardPlace(layout, card, 0, 3));
  const QPoint at1 = centre(TrickCardPlace(layout, card, 0, 1));
  const QPoint at2 = centre(TrickCardPlace(layout, card, 0, 2));
  const QPoint at3 = centre(TrickCardPlace(layout, card, 0, 3));
  const QPoint corner(219, 199);  // a corner of the table no card covers

  GameState base = PlayState();
  base.Widow = {TCard::Empty(), C("9h"), C("10c"), C("Ks")};
  base.Declarer = 3;
  base.GivenCards = {TCard::Empty(), C("Jd"), C("Qs")};  // to seat 1, then seat 2

  struct Case {
    const char* what;
    std::uint8_t phase;
    int leader;
    int on_table;  // cards of the trick on the table
    QPoint p;
    const char* spoken;
  };
  // The trick led by seat 2: Stol 1 lies at seat 2's place, 2 at seat 3's, 3 at seat 1's.
  const Case cases[] = {
      {"widow card 1", phWidowOpen, 1, 0, widow1, "9h"},
      {"widow card 3", phWidowOpen, 1, 0, widow3, "Ks"},
      {"widow, beside the cards", phWidowOpen, 1, 0, corner, "nothing"},
      {"widow after it was taken", phGive, 1, 0, widow1, "nothing"},
      {"first given card, before seat 1", phGiven, 1, 0, at1, "Jd"},
      {"second given card, before seat 2", phGiven, 1, 0, at2, "Qs"},
      {"no given card before seat 3", phGiven, 1, 0, at3, "nothing"},
      {"the lead at the leader's place", phPlay3, 2, 2, at2, "Ac"},
      {"the second card at seat 3's place", phTrickFull, 2, 3, at3, "Kh"},
      {"the third card at seat 1's place", phTrickFull, 2, 3, at1, "9s"},
      {"a place still empty", phPlay1, 2, 2, at1, "nothing"},
      {"the table between tricks", phPlay1, 2, 0, at2, "nothing"},
      {"the table between tricks", phPlay3, 3, 0, at3, "nothing"},
      {"after the order", phOrdered, 2, 3, at2, "nothing"},
      {"a damaged leader", phPlay2, 0, 3, at2, "nothing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameState s = base;
    s.Phase = c.phase;
    s.LastTrickLeader = static_cast<std::uint8_t>(c.leader);
    const TCard trick[] = {C("Ac"), C("Kh"), C("9s")};
    for (int i = 1; i <= c.on_table; ++i) s.Stol[i] = trick[i - 1];
    EXPECT_EQ(Spoken(SpokenTableCard(s, c.p, layout, card, 0)), c.spoken);
  }
}

TEST(InputRules, TablePlacesOfATrick) {
  // seat of Stol slot p = p - 1 seats after the leader, and back again.
  const int seat_of[4][4] = {{0, 0, 0, 0}, {0, 1, 2, 3}, {0, 2, 3, 1}, {0, 3, 1, 2}};
  for (int leader = 1; leader <= 3; ++leader) {
    for (int slot = 1; slot <= 3; ++slot) {
      EXPECT_EQ(SeatOfTableSlot(leader, slot), seat_of[leader][slot]);
      EXPECT_EQ(TableSlotOfSeat(leader, seat_of[leader][slot]), slot);
    }
  }
  EXPECT_EQ(SeatOfTableSlot(0, 1), 0);
  EXPECT_EQ(SeatOfTableSlot(1, 4), 0);
  EXPECT_EQ(TableSlotOfSeat(2, 0), 0);
}

TEST(InputRules, ARightClickOnTheTableOrAHandNeverOpensThePopupMenu) {
  EXPECT_FALSE(PopupMenuAttached(MouseArea::Hand1));
  EXPECT_FALSE(PopupMenuAttached(MouseArea::Hand2));
  EXPECT_FALSE(PopupMenuAttached(MouseArea::Hand3));
  EXPECT_FALSE(PopupMenuAttached(MouseArea::Table));
  EXPECT_TRUE(PopupMenuAttached(MouseArea::Elsewhere));
}

// Types `keys` one character at a time; returns the positions in `keys` (from
// 1) after which the view toggled.
std::vector<int> Type(DebugKeyBuffer& buffer, const QString& keys) {
  std::vector<int> toggles;
  for (int i = 0; i < keys.size(); ++i) {
    if (keys[i] == QLatin1Char('|')) {
      buffer.FocusChanged();
      continue;
    }
    if (buffer.KeyTyped(QString(keys[i]))) toggles.push_back(i + 1);
  }
  return toggles;
}

TEST(InputRules, TheHiddenKeySequence) {
  struct Case {
    const char* keys;  // '|' = the send button gains or loses the focus
    std::vector<int> toggles;
    const char* left;
  };
  const Case cases[] = {
      {"48317", {5}, ""},
      {"4831748317", {5, 10}, ""},  // on, then off again
      {"048317", {6}, ""},          // reads as the same number
      {"448317", {}, "448317"},
      {"a48317", {}, "a48317"},
      {"483|17", {}, "17"},
      {"12|48317", {8}, ""},
      {"4831", {}, "4831"},
      {"99999999999999999999", {}, "99999999999999999999"},  // no overflow
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    DebugKeyBuffer buffer;
    EXPECT_EQ(Type(buffer, QString::fromLatin1(c.keys)), c.toggles);
    EXPECT_EQ(buffer.Buffer(), QString::fromLatin1(c.left));
  }
}

TEST(InputRules, TheKeyBufferStaysSmall) {
  DebugKeyBuffer buffer;
  for (int i = 0; i < 1000; ++i) buffer.KeyTyped(QStringLiteral("x"));
  EXPECT_LE(buffer.Buffer().size(), DebugKeyBuffer::kMaxLength);
  EXPECT_FALSE(buffer.KeyTyped(QString())) << "keys without text (shift, arrows) add nothing";
  buffer.FocusChanged();
  EXPECT_EQ(Type(buffer, QStringLiteral("48317")), std::vector<int>{5});
}

}  // namespace
}  // namespace varnok

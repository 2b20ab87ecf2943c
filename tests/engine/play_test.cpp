// Card play outside a full round: legality, marriages, trick winners, the
// refusal of a card that may not be played, and the replacement of a seat's
// faulty card request with its diagnostic record.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "table_fixture.h"

namespace varnok {
namespace {

using testing::ScriptedTable;
using testing::SetHand;

// A table in the middle of play: hands as given, `leader` to lead unless
// `table` names cards already played to this trick.
void SetUpTrick(ScriptedTable& t, const std::string& h1, const std::string& h2, const std::string& h3,
                std::uint8_t trump, int leader, const std::vector<std::string>& table = {}) {
  GameState& s = t.s;
  s.InGame = true;
  SetHand(s, 1, h1);
  SetHand(s, 2, h2);
  SetHand(s, 3, h3);
  s.Names = {"", "PC", "PC", "Anna"};
  s.Trump = trump;
  s.Declarer = 1;
  s.Leader = static_cast<std::uint8_t>(leader);
  s.LastTrickLeader = s.Leader;
  s.TrickPos = 1;
  s.Phase = static_cast<std::uint8_t>(10 + leader);
  int seat = leader;
  for (const std::string& name : table) {
    ASSERT_TRUE(t.engine.Apply(Move::Card(seat, t.Slot(seat, name)))) << name;
    seat = NextSeat(seat);
  }
}

TEST(Legality, FollowSuitElseTrumpElseAnything) {
  struct Row {
    const char* hand3;
    const char* card;
    bool illegal;
  };
  // Hearts led by seat 1, spades trump; seat 2 follows with a heart.
  const Row rows[] = {
      {"9h Ac As", "Ac", true},    // holds the led suit
      {"9h Ac As", "As", true},    // a trump is no excuse either
      {"9h Ac As", "9h", false},   // any card of the led suit, however low
      {"Kc Ac As", "Ac", true},    // no hearts but a trump: must trump
      {"Kc Ac As", "As", false},
      {"Kc Ac Ad", "Ad", false},   // neither: anything goes
      {"Kc Ac Ad", "Kc", false},
  };
  for (const Row& r : rows) {
    ScriptedTable t;
    SetUpTrick(t, "Ah 9d 9c", "10h Jd Jc", r.hand3, kSpades, 1, {"Ah", "10h"});
    ASSERT_EQ(t.s.Phase, phPlay3);
    EXPECT_EQ(t.engine.IsIllegalHumanCard(t.Slot(3, r.card)), r.illegal) << r.hand3 << " / " << r.card;
  }
}

TEST(Legality, AnIllegalClickOnlySoundsAndChangesNothing) {
  ScriptedTable t;
  SetUpTrick(t, "Ah 9d 9c", "10h Jd Jc", "9h Ac As", kSpades, 1, {"Ah", "10h"});
  const GameState before = t.s;
  EXPECT_FALSE(t.engine.ClickCard(t.Slot(3, "Ac")));
  EXPECT_EQ(before, t.s);
  EXPECT_EQ(t.ui.sounds.back(), "WWrongs");
  EXPECT_EQ(t.Diagnostic(), "");
  // A click beside the cards does nothing at all.
  EXPECT_FALSE(t.engine.ClickCard(4));
  EXPECT_EQ(before, t.s);
}

TEST(TrickWinner, HighestTrumpElseHighestOfTheLedSuit) {
  struct Row {
    int leader;
    std::vector<std::string> cards;
    std::uint8_t trump;
    int winner;
    int points;
  };
  const Row rows[] = {
      {1, {"9h", "Ad", "Jh"}, kSpades, 3, 13},    // the ace of another suit never wins
      {1, {"Kh", "9s", "10s"}, kSpades, 3, 14},   // ten of trumps over the nine of trumps
      {2, {"Ks", "10s", "Qs"}, kSpades, 3, 17},   // seat 2 leads; 10 beats K
      {2, {"Kc", "Qc", "Ac"}, kHearts, 1, 18},    // seat 1 plays third and wins
      {3, {"Jd", "9d", "Qd"}, kHearts, 2, 5},
  };
  for (const Row& r : rows) {
    ScriptedTable t;
    // Each seat holds exactly the card it plays plus one spare of another suit.
    std::array<std::string, 4> hands;
    int seat = r.leader;
    for (const auto& c : r.cards) {
      hands[static_cast<std::size_t>(seat)] = c;
      seat = NextSeat(seat);
    }
    SetUpTrick(t, hands[1], hands[2], hands[3], r.trump, r.leader, r.cards);
    EXPECT_EQ(t.s.Phase, phTrickFull);
    EXPECT_EQ(t.s.Leader, r.winner) << r.cards[0];
    EXPECT_EQ(t.s.PrevLeader, r.leader);
    EXPECT_EQ(t.s.RoundPoints[r.winner], r.points);
    EXPECT_EQ(t.s.CardPoints[r.winner], r.points);
    t.engine.Apply(Move::Collect());
    EXPECT_EQ(t.s.Phase, phRoundOver);  // one-card hands: the round is over
    EXPECT_EQ(t.s.LastTrickLeader, r.winner);
    EXPECT_EQ(t.s.PlayedCount, 4);
  }
}

TEST(TrickWinner, NextPhaseFollowsTheWinner) {
  ScriptedTable t;
  SetUpTrick(t, "Ac 9h", "Kc 9d", "Qc 9s", kHearts, 2, {"Kc", "Qc", "Ac"});
  EXPECT_EQ(t.s.Leader, 1);
  ASSERT_TRUE(t.engine.Apply(Move::Collect()));
  EXPECT_EQ(t.s.Phase, phPlay1);
  EXPECT_EQ(t.s.TrickPos, 1);
  EXPECT_EQ(t.s.LedSuit, kNoSuit);
  EXPECT_EQ(testing::Names(t.s.PlayedCards, 3), "Kc Qc Ac");
  EXPECT_EQ(testing::Names(t.s.Stol, 3), "## ## ##");
}

TEST(Marriages, OnlyTheLeadOfAHeldPairCounts) {
  struct Row {
    int leader;
    std::vector<std::string> cards;  // cards played this trick
    const char* leader_hand;
    int points;      // added to the leader's round points by the lead
    int marriage;    // MarriageNow
    bool decl_forty, decl_twenty;
  };
  const Row rows[] = {
      {2, {"Qs"}, "Qs Ks 9h", 40, 2, false, false},  // queen of trumps with its king, by a defender
      {1, {"Kd"}, "Kd Qd 9h", 20, 1, false, true},   // the declarer's twenty
      {1, {"Qs"}, "Qs Ks 9h", 40, 2, true, false},
      {3, {"Kc"}, "Kc Qd 9h", 0, 0, false, false},   // king without its queen
  };
  for (const Row& r : rows) {
    ScriptedTable t;
    std::array<std::string, 4> hands = {"", "Ah Ac Ad", "10h 10c 10d", "Jh Jc Jd"};
    hands[static_cast<std::size_t>(r.leader)] = r.leader_hand;
    SetUpTrick(t, hands[1], hands[2], hands[3], kSpades, r.leader, r.cards);
    EXPECT_EQ(t.s.RoundPoints[r.leader], r.points) << r.leader_hand;
    EXPECT_EQ(t.s.MarriageNow, r.marriage) << r.leader_hand;
    EXPECT_EQ(t.s.DeclForty, r.decl_forty) << r.leader_hand;
    EXPECT_EQ(t.s.DeclTwenty, r.decl_twenty) << r.leader_hand;
    EXPECT_EQ(t.ui.CountSounds(r.marriage == 2 ? "WSays40" : r.marriage == 1 ? "WSays20" : "WHodsDo"), 1u);
  }
  // A king played second to a trick announces nothing, even with its queen in hand.
  ScriptedTable t;
  SetUpTrick(t, "9c 9h", "Kc Qc", "Ac 9d", kSpades, 1, {"9c", "Kc"});
  EXPECT_EQ(t.s.RoundPoints[2], 0);
  EXPECT_EQ(t.s.MarriageNow, 0);
}

struct FaultyCase {
  const char* name;
  std::vector<std::string> table;  // cards already on the table (seat 1 leads)
  const char* hand2;
  int slot;            // the faulty request of seat 2 (or seat 1 when the table is empty)
  const char* played;  // the replacement card
  const char* requested;
};

// A seat's controller asks for `slot`; the engine's answer applied as the timer applies it.
bool PlayRequested(ScriptedTable& t, int seat, int slot) {
  t.ai.slots[seat] = {slot};
  const std::optional<Move> move = t.engine.ComputerMove(seat);
  return move.has_value() && t.engine.Apply(*move);
}

TEST(FaultyRequest, IsReplacedByTheRuleOfItsPosition) {
  const FaultyCase cases[] = {
      {"lead, slot 9", {}, "9d Jd", 9, "As", "##"},
      {"lead, slot 0", {}, "9d Jd", 0, "As", "##"},
      {"lead, slot 70", {}, "9d Jd", 70, "As", "##"},
      {"follow: lowest of the led suit", {"Kc"}, "Ad Jc 9h Qc", 1, "Jc", "Ad"},
      {"no led suit: lowest trump", {"Kc"}, "Ad Kh 9d Qh", 1, "Qh", "Ad"},
      {"neither: lowest card", {"Kc"}, "Ad Ks 10d Js", 5, "Js", "##"},
      {"an empty slot", {"Kc"}, "Ad Jc", 3, "Jc", "##"},
  };
  for (const FaultyCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedTable t;
    SetUpTrick(t, "9c Kc As Ah", c.hand2, "Ac 10c", kHearts, 1, c.table);
    const int seat = c.table.empty() ? 1 : 2;
    // Applied as it stands, the faulty card is refused and changes nothing.
    const GameState before = t.s;
    EXPECT_FALSE(t.engine.Apply(Move::Card(seat, c.slot)));
    EXPECT_EQ(before, t.s);
    EXPECT_EQ(t.engine.FaultyRequests(), 0);
    // Asked of the seat's controller, the rules' card is played instead.
    ASSERT_TRUE(PlayRequested(t, seat, c.slot));
    EXPECT_EQ(CardName(t.s.Stol[static_cast<int>(c.table.size()) + 1]), c.played);
    EXPECT_EQ(t.engine.FaultyRequests(), 1);
    const std::string record = t.Diagnostic();
    ASSERT_EQ(record.size(), 64u);
    EXPECT_EQ(record.substr(62), CardFromName(c.requested).Bytes());
    EXPECT_EQ(static_cast<std::uint8_t>(record[60]), kHearts);
  }
}

TEST(FaultyRequest, TheListenerHearsTheCardReallyPlayed) {
  // The timer asks seat 1's computer controller, which names an empty slot:
  // the move reported is the replacement, its own step.
  ScriptedTable t;
  SetUpTrick(t, "9c As", "9d 9s", "Jc Ks", kHearts, 1);
  std::vector<Move> heard;
  t.engine.SetMoveListener([&](const Move& m) { heard.push_back(m); });
  t.ai.slots[1] = {7};
  t.engine.Tick();
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], Move::Card(1, 2));  // the ace of spades, the highest card on a lead
  EXPECT_EQ(CardName(t.s.Stol[1]), "As");
  EXPECT_EQ(t.diagnostics, 1);
  // Replayed from what the listener heard, a fresh table comes to the same state.
  ScriptedTable replay;
  SetUpTrick(replay, "9c As", "9d 9s", "Jc Ks", kHearts, 1);
  for (const Move& m : heard) ASSERT_TRUE(replay.engine.Apply(m)) << ToText(m);
  EXPECT_EQ(replay.s, t.s);
  EXPECT_EQ(replay.engine.FaultyRequests(), 0);
}

TEST(FaultyRequest, DiagnosticRecordLayoutIsExact) {
  ScriptedTable t;
  SetUpTrick(t, "9c Qs 10s As Qh Kh 10h Ah", "9d Jd Qd Kd 10d Ad 9s Jh", "Jc Qc Kc 10c Ac Js Ks 9h", kHearts, 1,
             {"As"});
  // Seat 2 asks for the nine of diamonds on a spade lead while holding a spade.
  ASSERT_TRUE(PlayRequested(t, 2, 1));
  EXPECT_EQ(CardName(t.s.Stol[2]), "9s");
  auto bytes = [](const std::string& names) {
    std::string out;
    std::istringstream in(names);
    for (std::string n; in >> n;) out += CardFromName(n).Bytes();
    return out;
  };
  const std::string expected = bytes("9c Qs 10s Qh Kh 10h Ah ##") + "\x0A\x0D" +
                               bytes("9d Jd Qd Kd 10d Ad 9s Jh") + "\x0A\x0D" +
                               bytes("Jc Qc Kc 10c Ac Js Ks 9h") + "\x0A\x0D" + bytes("As ## ##") +
                               std::string(1, static_cast<char>(0xF7)) + " " + bytes("9d");
  EXPECT_EQ(expected.size(), 64u);
  EXPECT_EQ(t.Diagnostic(), expected);

  // A later faulty request is reported anew: the caller keeps the last one.
  ASSERT_TRUE(PlayRequested(t, 3, 9));
  const std::string second = t.Diagnostic();
  ASSERT_EQ(second.size(), 64u);
  EXPECT_EQ(second.substr(54, 6), bytes("As 9s ##"));
  EXPECT_EQ(t.diagnostics, 2);
}

TEST(FaultyRequest, PlayGoesOnWithNobodyListening) {
  ScriptedTable t;
  t.engine.SetFaultListener({});
  SetUpTrick(t, "9c As", "9d 9s", "Jc Ks", kHearts, 1);
  ASSERT_TRUE(PlayRequested(t, 1, 5));
  EXPECT_EQ(CardName(t.s.Stol[1]), "As");
  EXPECT_EQ(t.s.Phase, phPlay2);
  EXPECT_EQ(t.engine.FaultyRequests(), 1);
}

TEST(FaultyRequest, ACodeOfLengthZeroShortensTheRecord) {
  ScriptedTable t;
  SetUpTrick(t, "9c As", "9d 9s", "Jc Ks", kHearts, 1);
  t.s.Hands[2][3] = TCard{0, 0, 0};
  EXPECT_EQ(DiagnosticRecord(t.s, TCard{0, 0, 0}).size(), 60u);
}

}  // namespace
}  // namespace varnok

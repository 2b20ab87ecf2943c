// Applying move records to a game: what the receiver shows and does, two
// copies kept in step by records alone, and records that must not harm it.
#include <gtest/gtest.h>

#include <algorithm>

#include "apply_move.h"
#include "deal_record.h"
#include "recorder.h"
#include "table_fixture.h"

namespace varnok::net {
namespace {

using varnok::testing::RecordingPresenter;
using varnok::testing::ScriptedTable;

DeckOrder FixedDeck() {
  DeckOrder order{};
  for (int j = 0; j < 24; ++j) order[static_cast<std::size_t>(j)] = (j * 7) % 24 + 1;  // 7 and 24 are coprime
  return order;
}

// One copy of a network game, sitting at NetSeat `own`.
struct NetCopy : ScriptedTable {
  NetButtons buttons;
  int own;

  explicit NetCopy(int own_seat, bool tournament = false) : own(own_seat) {
    TableMode mode;
    mode.NetGame = !tournament;
    mode.TourGame = tournament;
    mode.NetPos = own_seat;
    mode.TourPos = own_seat;
    mode.NetThreeHumans = true;
    engine.SetMode(mode);
  }
  MoveApplied Apply(const std::string& record) { return ApplyMove(record, MoveTarget{s, engine, ui, buttons}); }
  // The copy's relative seat of absolute seat `seat`.
  int Rel(int seat) const { return RelativeSeat(seat, own); }
};

// A client (seat 2) with a dealt round, bidding begun.
struct DealtClient : NetCopy {
  DealtClient() : NetCopy(2) {
    DealData deal;
    FillDeck(FixedDeck(), deal.deck, deal.order, deal.points);
    EXPECT_TRUE(ApplyDeal(*BuildDeal(deal.deck, deal.order, deal.points, false), s, DealSeating{2, false}).ok());
    engine.Apply(Move::NewGame(), MoveSource::Record);
    ui.Take();
  }
};

std::string From(int sender, bool to_next, const MoveShape& shape, bool tournament = false) {
  return BuildMove(shape, Addressee{sender, to_next, tournament}).value_or("");
}

TEST(ApplyMoveTest, TurnToBidShowsTheBidAndOffersTheNext) {
  DealtClient c;  // seat 2; seat 1 (the server) bids 60 and hands the turn on
  c.s.Phase = static_cast<std::uint8_t>(c.Rel(1));  // the server opens the bidding
  const MoveApplied applied = c.Apply(From(1, true, MoveShape::TurnToBid(65, 1, SeatCell::Bid(60))));
  ASSERT_TRUE(applied.ok());
  EXPECT_TRUE(applied.skipped.empty());
  EXPECT_EQ(applied.sender, 1);
  const std::vector<std::string> expected = {
      "enable 7 on",
      "enable 8 on",
      "button 7 on G26+ 65",  // the words, a blank and the number: two blanks between them
      "bubble 2 announce G26+ 60",
      "sound WDiPlay wait",
  };
  EXPECT_EQ(c.ui.Take(), expected);
  EXPECT_EQ(c.s.CurrentBid, 60);
  EXPECT_EQ(c.s.Phase, phBid3);
  EXPECT_EQ(c.s.BidState, 2);
  EXPECT_TRUE(c.buttons.action_enabled);
}

TEST(ApplyMoveTest, TheSecondPassEndsTheBidding) {
  DealtClient c;
  c.s.CurrentBid = 70;
  c.s.Phase = static_cast<std::uint8_t>(c.Rel(3));  // seat 3's turn
  c.Apply(From(3, false, MoveShape::BidReport(3, SeatCell::Pass())));  // seat 3 is c's relative seat 1
  EXPECT_FALSE(c.s.InBidding[1]);
  EXPECT_FALSE(c.ui.Saw("button 7 off G27"));
  c.Apply(From(1, true, MoveShape::BiddingWon(true, 1)));  // the server's pass: c has won
  EXPECT_FALSE(c.s.InBidding[2]);
  EXPECT_TRUE(c.s.InBidding[3]);
  EXPECT_TRUE(c.ui.Saw("bubble 2 pass G11"));
  EXPECT_TRUE(c.ui.Saw("panel 3 on 70 keep 0"));  // the winning bid at the remaining bidder
  EXPECT_EQ(c.ui.buttons[7].caption, "G27");
  EXPECT_TRUE(c.ui.buttons[7].enabled);
  EXPECT_EQ(c.s.Phase, phBidDone);
}

TEST(ApplyMoveTest, CaptionCodes) {
  const std::pair<int, std::string> action[] = {{1, "G9"}, {3, "G27"}, {4, "'Ok'"}, {5, "G12"}, {6, "G30"}};
  for (const auto& [code, caption] : action) {
    DealtClient c;
    MoveFields f;
    f.sender = 1;
    f.destination = '2';
    f.action_caption = code;
    f.pass_caption = code % 2 + 1;
    c.Apply(*EncodeMove(f));
    EXPECT_EQ(c.ui.buttons[7].caption, caption) << code;
    EXPECT_EQ(c.ui.buttons[8].caption, code % 2 ? "M21" : "G11") << code;
  }
}

TEST(ApplyMoveTest, UnexpectedCharactersLeaveTheRestOfTheRecord) {
  DealtClient c;
  c.s.CurrentBid = 70;
  c.s.Phase = static_cast<std::uint8_t>(c.Rel(3));  // seat 3's turn
  std::string record = From(3, false, MoveShape::BidReport(3, SeatCell::Bid(75)));
  record[28] = 'Q';             // trump
  record.replace(35, 2, "77");  // phase
  record[2] = 'x';              // leaves Button7
  const MoveApplied applied = c.Apply(record);
  ASSERT_TRUE(applied.ok());
  EXPECT_EQ(applied.skipped, (std::vector<FieldIssue>{{29, NetError::BadSuit}, {36, NetError::BadPhase}}));
  EXPECT_EQ(c.s.CurrentBid, 75);
  EXPECT_EQ(c.s.Trump, kNoSuit);
  EXPECT_EQ(c.s.Phase, c.Rel(1));  // the turn passed on to the server, not to phase 77
  EXPECT_FALSE(c.ui.Saw("enable 7 on"));
}

TEST(ApplyMoveTest, HostileRecordsChangeNothing) {
  const std::string card_8 = From(1, true, MoveShape::CardPlayed(1, 8));
  std::string no_seat = card_8;
  no_seat[1] = '4';
  std::string bad_phase = From(1, true, MoveShape::Empty());
  bad_phase.replace(35, 2, "16");
  struct Case {
    const char* name;
    std::string record;
    NetError whole;
    std::vector<FieldIssue> skipped;
  };
  const Case cases[] = {
      {"card beyond the hand", card_8, NetError::None, {{33, NetError::NotNow}}},
      {"card before any declarer", From(1, true, MoveShape::CardPlayed(1, 2)), NetError::None, {{33, NetError::NotNow}}},
      {"phase 16", bad_phase, NetError::None, {{36, NetError::BadPhase}}},
      {"no such seat", no_seat, NetError::BadSeat, {}},
      {"gift before the widow", From(1, true, MoveShape::CardsGiven(1, 2)), NetError::None, {{24, NetError::NotNow}}},
      {"widow while three still bid", From(1, true, MoveShape::WidowOpened()), NetError::None, {{22, NetError::NotNow}}},
      {"widow taken before", From(1, true, MoveShape::WidowTaken()), NetError::None, {{23, NetError::NotNow}}},
      {"giving done before", From(1, true, MoveShape::GivingDone()), NetError::None, {{28, NetError::NotNow}}},
      {"contract without declarer", From(1, true, MoveShape::ContractAnnounced(100)), NetError::None, {{30, NetError::NotNow}}},
      {"trick not full", From(1, true, MoveShape::TrickCollected()), NetError::None, {{35, NetError::NotNow}}},
      {"not a move", "s2hello", NetError::WrongKind, {}},
      {"cut short", card_8.substr(0, 30), NetError::WrongLength, {}},
  };
  for (const Case& c : cases) {
    DealtClient client;
    client.s.BidState = 2;
    const GameState before = client.s;
    const MoveApplied applied = client.Apply(c.record);
    EXPECT_EQ(applied.error, c.whole) << c.name;
    EXPECT_EQ(applied.skipped, c.skipped) << c.name;
    EXPECT_EQ(client.s, before) << c.name;
  }
  NetCopy idle(2);  // no game on the table
  EXPECT_EQ(idle.Apply(From(1, true, MoveShape::TrickCollected())).error, NetError::NoGame);
}

TEST(ApplyMoveTest, TournamentClocksRestartOnGameSteps) {
  DealtClient c;
  c.s.Phase = static_cast<std::uint8_t>(c.Rel(1));  // the server opens the bidding
  EXPECT_TRUE(c.Apply(From(1, true, MoveShape::BidReport(1, SeatCell::Bid(60)))).restart_clocks);
  EXPECT_FALSE(c.Apply(From(1, true, MoveShape::TrickToReceiver())).restart_clocks);
  EXPECT_FALSE(c.Apply(From(1, true, MoveShape::TrickCollected())).restart_clocks);  // refused: no trick
}

// Two copies: the server plays its declarer's round locally and sends every
// step; the client applies the records and ends up with the same table.
TEST(ApplyMoveTest, ServerAndClientStayInStep) {
  for (int give_seed = 0; give_seed < 4; ++give_seed) {
    NetCopy server(1), client(2);
    server.engine.SetNextDeck(FixedDeck());
    server.NewGame();
    const auto deal = BuildDeal(server.s, false);
    ASSERT_TRUE(deal);
    ASSERT_TRUE(ApplyDeal(*deal, client.s, DealSeating{2, false}).ok());
    client.engine.Apply(Move::NewGame(), MoveSource::Record);

    auto same_table = [&](const char* step) {
      for (int seat = 1; seat <= 3; ++seat) {
        const int on_server = server.Rel(seat), on_client = client.Rel(seat);
        EXPECT_EQ(server.Hand(on_server), client.Hand(on_client)) << step << " seat " << seat;
      }
      EXPECT_EQ(server.s.Stol, client.s.Stol) << step;
      EXPECT_EQ(server.s.Trump, client.s.Trump) << step;
    };
    same_table("deal");

    // The bidding is over: the server's player (NetSeat 1) won at 60.
    for (NetCopy* copy : {&server, &client}) {
      copy->s.BidState = 2;
      copy->s.CurrentBid = 60;
      for (int seat = 1; seat <= 3; ++seat) copy->s.InBidding[copy->Rel(seat)] = seat == 1;
      copy->s.Phase = phBidDone;
    }
    auto send = [&](const MoveShape& shape) {
      const auto applied = client.Apply(From(1, true, shape));
      EXPECT_TRUE(applied.ok());
      EXPECT_TRUE(applied.skipped.empty()) << static_cast<int>(shape.kind);
    };

    ASSERT_TRUE(server.engine.Apply(Move::OpenWidow()));
    send(MoveShape::WidowOpened());
    EXPECT_EQ(client.s.Declarer, client.Rel(1));
    ASSERT_TRUE(server.engine.Apply(Move::TakeWidow()));
    send(MoveShape::WidowTaken());
    same_table("widow");
    const int a = 1 + give_seed, b = 10 - give_seed;
    ASSERT_TRUE(server.engine.Apply(Move::Give(a, b)));
    send(MoveShape::CardsGiven(a, b));
    same_table("given");
    ASSERT_TRUE(server.engine.Apply(Move::ShowGiven()));
    send(MoveShape::GivingDone());
    ASSERT_TRUE(server.engine.Apply(Move::Trump(kClubs)));
    send(MoveShape::TrumpChosen(kClubs));
    ASSERT_TRUE(server.engine.Apply(Move::Order(95)));
    send(MoveShape::ContractAnnounced(95));
    EXPECT_EQ(client.s.Zakaz, 95);
    EXPECT_EQ(client.s.Phase, phOrdered);
    same_table("ordered");

    // The server leads; the client (its next seat) is to play after it.
    ASSERT_TRUE(server.engine.Apply(Move::StartPlay()));
    client.s.Phase = static_cast<std::uint8_t>(10 + client.Rel(1));
    ASSERT_TRUE(server.engine.Apply(Move::Card(3, 2)));
    send(MoveShape::CardPlayedReceiverToPlay(1, 2));
    EXPECT_EQ(client.s.Phase, phPlay3);
    EXPECT_EQ(client.s.TrickPos, 2);
    same_table("first card");

    // A card position beyond the server's seven remaining cards is refused and changes nothing.
    const GameState before = client.s;
    const auto refused = client.Apply(From(1, true, MoveShape::CardPlayed(1, 8)));
    EXPECT_EQ(refused.skipped, (std::vector<FieldIssue>{{33, NetError::NotNow}}));
    EXPECT_EQ(client.s, before);
  }
}

// The server (seat 1) has won at 70, taken the widow, given two cards and
// named clubs; the client (seat 2) has followed every step by records.
void UpToTheTrump(NetCopy& server, NetCopy& client, int lead_deck) {
  DeckOrder order = FixedDeck();
  std::rotate(order.begin(), order.begin() + lead_deck, order.end());
  server.engine.SetNextDeck(order);
  server.NewGame();
  ASSERT_TRUE(ApplyDeal(*BuildDeal(server.s, false), client.s, DealSeating{2, false}).ok());
  client.engine.Apply(Move::NewGame(), MoveSource::Record);
  for (NetCopy* copy : {&server, &client}) {
    copy->s.BidState = 2;
    copy->s.CurrentBid = 70;
    for (int seat = 1; seat <= 3; ++seat) copy->s.InBidding[copy->Rel(seat)] = seat == 1;
    copy->s.Phase = phBidDone;
  }
  auto send = [&](const MoveShape& shape) { ASSERT_TRUE(client.Apply(From(1, true, shape)).applied()); };
  ASSERT_TRUE(server.engine.Apply(Move::OpenWidow()));
  send(MoveShape::WidowOpened());
  ASSERT_TRUE(server.engine.Apply(Move::TakeWidow()));
  send(MoveShape::WidowTaken());
  ASSERT_TRUE(server.engine.Apply(Move::Give(1, 2)));
  send(MoveShape::CardsGiven(1, 2));
  ASSERT_TRUE(server.engine.Apply(Move::ShowGiven()));
  send(MoveShape::GivingDone());
  ASSERT_TRUE(server.engine.Apply(Move::Trump(kClubs)));
  send(MoveShape::TrumpChosen(kClubs));
}

TEST(ApplyMoveTest, StepsOfThePlayThatBreakTheRulesAreRefusedWhole) {
  bool seen_a_card_that_may_not_be_played = false;
  for (int lead_deck = 0; lead_deck < 24 && !seen_a_card_that_may_not_be_played; ++lead_deck) {
    NetCopy server(1), client(2);
    UpToTheTrump(server, client, lead_deck);
    auto refused = [&](int sender, bool to_next, const MoveShape& shape, FieldIssue issue, const char* what) {
      const GameState before = client.s;
      const int faulty = client.engine.FaultyRequests();
      const MoveApplied applied = client.Apply(From(sender, to_next, shape));
      EXPECT_TRUE(applied.refused) << what;
      EXPECT_EQ(applied.skipped, std::vector<FieldIssue>{issue}) << what;
      EXPECT_EQ(client.s, before) << what;
      EXPECT_EQ(client.engine.FaultyRequests(), faulty) << what << ": no card is replaced";
    };
    refused(1, true, MoveShape::ContractAnnounced(65), {30, NetError::NotNow}, "an order below the winning bid");
    refused(3, false, MoveShape::ContractAnnounced(100), {30, NetError::BadSeat}, "an order from a seat that did not win");
    ASSERT_TRUE(client.Apply(From(1, true, MoveShape::ContractAnnounced(95))).applied());
    ASSERT_TRUE(server.engine.Apply(Move::Order(95)));
    ASSERT_TRUE(server.engine.Apply(Move::StartPlay()));

    // The server leads; the client (its next seat) plays second.
    ASSERT_TRUE(server.engine.Apply(Move::Card(3, 1)));
    refused(3, false, MoveShape::CardPlayed(3, 1), {33, NetError::NotNow}, "seat 3 leads in the server's place");
    ASSERT_TRUE(client.Apply(From(1, true, MoveShape::CardPlayedReceiverToPlay(1, 1))).applied());
    EXPECT_EQ(client.s.Phase, phPlay3);
    refused(1, true, MoveShape::CardPlayed(1, 1), {33, NetError::NotNow}, "a second card of the server");
    refused(1, true, MoveShape::TrickCollected(), {35, NetError::NotNow}, "a trick collected before it is full");
    int own = 1;
    while (client.engine.IsIllegalHumanCard(own)) ++own;
    ASSERT_TRUE(client.engine.Apply(Move::Card(3, own)));

    // Seat 3 (the client's relative seat 1) completes the trick.
    const int third = client.Rel(3);
    int illegal = 0, legal = 0;
    for (int slot = 1; slot <= client.s.HandCount[third]; ++slot) {
      if (client.engine.IsIllegalCard(third, slot)) illegal = illegal ? illegal : slot;
      else legal = legal ? legal : slot;
    }
    ASSERT_NE(legal, 0);
    refused(1, true, MoveShape::CardPlayed(3, legal), {33, NetError::BadSeat}, "the server plays seat 3's card");
    if (illegal != 0) {
      seen_a_card_that_may_not_be_played = true;
      refused(3, false, MoveShape::CardPlayed(3, illegal), {33, NetError::NotNow}, "a card that does not follow suit");
    }
    const TCard card = client.s.Hands[third][legal];
    ASSERT_TRUE(client.Apply(From(3, false, MoveShape::CardPlayed(3, legal))).applied());
    EXPECT_EQ(client.s.Stol[3], card) << "the card named is the card played";
    EXPECT_EQ(client.s.Phase, phTrickFull);
  }
  EXPECT_TRUE(seen_a_card_that_may_not_be_played);
}

}  // namespace
}  // namespace varnok::net

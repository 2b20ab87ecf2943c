// Move records, chat lines, connection records and the tournament framing,
// character by character.
#include <gtest/gtest.h>

#include "cards.h"
#include "records.h"

namespace varnok::net {
namespace {

constexpr char kHeartsLetter = '\xF7';

std::string Record(const MoveShape& shape, int sender, bool to_next, bool tournament = false) {
  const auto record = BuildMove(shape, Addressee{sender, to_next, tournament});
  EXPECT_TRUE(record.has_value());
  return record.value_or("");
}

TEST(SeatsTest, RelativeSeatsFromEveryPointOfView) {
  // own seat -> relative seat of absolute seats 1, 2, 3
  const int expected[4][4] = {{}, {0, 3, 1, 2}, {0, 2, 3, 1}, {0, 1, 2, 3}};
  for (int own = 1; own <= 3; ++own) {
    for (int seat = 1; seat <= 3; ++seat) {
      EXPECT_EQ(RelativeSeat(seat, own), expected[own][seat]) << own << " sees " << seat;
      EXPECT_EQ(AbsoluteSeat(RelativeSeat(seat, own), own), seat);
    }
  }
  EXPECT_EQ(RelativeSeat(4, 1), 0);
  EXPECT_EQ(RelativeSeat(1, 0), 0);
  EXPECT_EQ(AbsoluteSeat(-7, 2), 0);
}

TEST(SeatsTest, DestinationCodes) {
  struct Case {
    int sender;
    bool to_next;
    bool tournament;
    char code;
  };
  const Case cases[] = {
      {1, false, false, '2'}, {1, true, false, '2'}, {2, false, false, '1'}, {2, true, false, '3'},
      {3, false, false, '3'}, {3, true, false, '1'}, {1, false, true, '3'},  {1, true, true, '2'},
      {2, false, true, '1'},  {2, true, true, '3'},  {3, false, true, '2'},  {3, true, true, '1'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DestinationCode(Addressee{c.sender, c.to_next, c.tournament}), c.code)
        << c.sender << (c.to_next ? " next" : " previous") << (c.tournament ? " tournament" : "");
  }
  EXPECT_EQ(DestinationCode(Addressee{0, true, false}), 0);
}

TEST(SeatsTest, RoutingOnTheLocalNetwork) {
  EXPECT_TRUE(RouteOnServer('1', 2, true).apply);
  EXPECT_EQ(RouteOnServer('3', 2, true).forward_connection, 1);
  EXPECT_EQ(RouteOnServer('3', 2, false).forward_connection, -1);  // seat 3 is the computer
  EXPECT_EQ(RouteOnServer('3', 3, true).forward_connection, 0);
  EXPECT_FALSE(RouteOnServer('2', 2, true).apply);
  EXPECT_TRUE(RouteOnClient('2').apply);
  EXPECT_TRUE(RouteOnClient('3').apply);
  EXPECT_FALSE(RouteOnClient('1').apply);
  EXPECT_TRUE(RouteInTournament('2', 2).apply);
  EXPECT_FALSE(RouteInTournament('3', 2).apply);
}

TEST(MoveRecordTest, ShapesCharacterByCharacter) {
  struct Case {
    const char* name;
    MoveShape shape;
    int sender;
    bool to_next;
    std::string expected;
  };
  const std::string tail16(16, 'i');
  const Case cases[] = {
      {"empty", MoveShape::Empty(), 2, false, "h2iiiiiii" "i###i###i###" + tail16 + "1"},
      {"bid report", MoveShape::BidReport(2, SeatCell::Bid(60)), 2, false,
       "h2iiiiiii" "p060i###i###" + tail16 + "1"},
      {"pass to next", MoveShape::BidReport(3, SeatCell::Pass()), 3, true,
       "h3iiiiiii" "i###a###i###" + tail16 + "1"},
      {"turn to bid", MoveShape::TurnToBid(65, 2, SeatCell::Bid(60)), 2, true,
       "h2ee2065i" "i###p060i###" + std::string(14, 'i') + "03" "3"},
      {"bidding won", MoveShape::BiddingWon(true, 1), 1, true,
       "h1ei3iiii" "i###a###i###" + std::string(14, 'i') + "04" "2"},
      {"bidding won, no caption", MoveShape::BiddingWon(), 1, true,
       "h1eiiiiii" "i###i###i###" + std::string(14, 'i') + "04" "2"},
      {"computer opens", MoveShape::ComputerOpeningBid(3), 1, true,
       "h1iiiiiii" "p060i###i###" + tail16 + "2"},
      {"widow opened", MoveShape::WidowOpened(), 3, false,
       "h3iiiiiii" "n###n###n###" "+" + std::string(15, 'i') + "3"},
      {"widow taken", MoveShape::WidowTaken(), 3, false,
       "h3iiiiiii" "i###i###i###" "i+" + std::string(14, 'i') + "3"},
      {"cards given", MoveShape::CardsGiven(3, 10), 1, false,
       "h1iiiiiii" "i###i###i###" "ii0310" + std::string(10, 'i') + "2"},
      {"giving done", MoveShape::GivingDone(), 1, false,
       "h1iiiiiii" "i###i###i###" "iiiiii+" + std::string(9, 'i') + "2"},
      {"trump", MoveShape::TrumpChosen(varnok::kHearts), 1, false,
       "h1iiiiiii" "i###i###i###" "iiiiiii" + std::string(1, kHeartsLetter) + std::string(8, 'i') + "2"},
      {"contract", MoveShape::ContractAnnounced(105), 2, true,
       "h2iiiiiii" "i###i###i###" "iiiiiiii" "105" "iiiii" "3"},
      {"card with forty", MoveShape::CardPlayed(1, 5, SeatCell::Forty()), 1, false,
       "h1iiiiiii" "40##i###i###" + std::string(11, 'i') + "51iii" "2"},
      {"card, receiver to play", MoveShape::CardPlayedReceiverToPlay(2, 8, SeatCell::Twenty()), 2, true,
       "h2iiiiiii" "i###20##i###" + std::string(11, 'i') + "82i13" "3"},
      {"trick to receiver", MoveShape::TrickToReceiver(), 3, true,
       "h3eiiiiii" "i###i###i###" + std::string(14, 'i') + "14" "1"},
      {"trick to receiver with card", MoveShape::TrickToReceiver(3, 1), 3, true,
       "h3eiiiiii" "i###i###i###" + std::string(11, 'i') + "12i14" "1"},
      {"trick collected", MoveShape::TrickCollected(), 2, false,
       "h2iiiiiii" "i###i###i###" + std::string(13, 'i') + "+ii" "1"},
  };
  for (const Case& c : cases) {
    const std::string record = Record(c.shape, c.sender, c.to_next);
    EXPECT_EQ(record, c.expected) << c.name;
    EXPECT_EQ(record.size(), kMoveLength) << c.name;
  }
}

TEST(MoveRecordTest, BidEncodings) {
  const MoveShape shapes[] = {MoveShape::BidReport(1, SeatCell::Bid(60)), MoveShape::BidReport(1, SeatCell::Bid(105)),
                              MoveShape::BidReport(1, SeatCell::Bid(180))};
  const char* cells[] = {"p060", "p105", "p180"};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Record(shapes[i], 1, true).substr(13, 4), cells[i]);

  // Bids that no seat can make are never written.
  for (int bid : {55, 62, 185, 1000, -5})
    EXPECT_FALSE(BuildMove(MoveShape::BidReport(1, SeatCell::Bid(bid)), Addressee{1, true, false})) << bid;

  const auto decoded = DecodeMove(Record(MoveShape::TurnToBid(65), 1, true));
  ASSERT_TRUE(decoded.ok());
  EXPECT_EQ(decoded.value->fields.next_bid, 65);
  EXPECT_EQ(decoded.value->fields.action_caption, 2);
}

TEST(MoveRecordTest, ShapeRefusesTheReceiversOwnSeat) {
  // A record about seat 2 cannot go to seat 2.
  EXPECT_FALSE(BuildMove(MoveShape::BidReport(2, SeatCell::Pass()), Addressee{1, true, false}));
  EXPECT_FALSE(BuildMove(MoveShape::CardPlayed(3, 1), Addressee{2, true, false}));
  EXPECT_FALSE(BuildMove(MoveShape::CardPlayed(1, 9), Addressee{1, true, false}));
  EXPECT_FALSE(BuildMove(MoveShape::Empty(), Addressee{4, true, false}));
}

TEST(MoveRecordTest, EveryShapeDecodesToItsFields) {
  const MoveShape shapes[] = {
      MoveShape::BidReport(1, SeatCell::Bid(75)), MoveShape::TurnToBid(80, 1, SeatCell::Pass()),
      MoveShape::BiddingWon(true, 1),             MoveShape::WidowOpened(),
      MoveShape::WidowTaken(),                    MoveShape::CardsGiven(10, 1),
      MoveShape::GivingDone(),                    MoveShape::TrumpChosen(varnok::kSpades),
      MoveShape::ContractAnnounced(180),          MoveShape::CardPlayed(1, 7, SeatCell::Twenty()),
      MoveShape::CardPlayedReceiverToPlay(1, 2),  MoveShape::TrickToReceiver(1, 3),
      MoveShape::TrickCollected(),
  };
  for (bool tournament : {false, true}) {
    for (const MoveShape& shape : shapes) {
      const Addressee to{1, true, tournament};
      const auto fields = ShapeFields(shape, to);
      ASSERT_TRUE(fields.has_value());
      const auto decoded = DecodeMove(*BuildMove(shape, to));
      ASSERT_TRUE(decoded.ok());
      EXPECT_TRUE(decoded.value->skipped.empty());
      EXPECT_EQ(decoded.value->fields, *fields) << static_cast<int>(shape.kind);
    }
  }
}

TEST(MoveRecordTest, UnexpectedCharactersSkipOnlyTheirField) {
  std::string record = Record(MoveShape::CardPlayed(1, 4), 1, true);
  record[21] = 'x';          // open widow
  record[28] = 'Q';          // trump
  record[29] = '9';          // contract "9ii"
  record.replace(35, 2, "99");  // a phase that does not exist
  record[9] = '?';           // cell of relative seat 1
  const auto decoded = DecodeMove(record);
  ASSERT_TRUE(decoded.ok());
  const MoveFields& f = decoded.value->fields;
  EXPECT_EQ(f.card, 4);
  EXPECT_EQ(f.card_player, 2);
  EXPECT_FALSE(f.open_widow);
  EXPECT_FALSE(f.trump);
  EXPECT_FALSE(f.contract);
  EXPECT_FALSE(f.phase);
  const std::vector<FieldIssue> expected = {{10, NetError::BadCell},
                                            {22, NetError::UnexpectedChar},
                                            {29, NetError::BadSuit},
                                            {30, NetError::BadNumber},
                                            {36, NetError::BadPhase}};
  EXPECT_EQ(decoded.value->skipped, expected);
}

TEST(MoveRecordTest, FieldsThatNameNothingAreRefused) {
  const std::string good = Record(MoveShape::CardPlayed(1, 4), 1, true);
  struct Case {
    std::size_t at;
    std::string with;
    int position;
    NetError error;
  };
  const Case cases[] = {
      {32, "9", 33, NetError::BadNumber},  // hand position 9
      {32, "0", 33, NetError::BadNumber},
      {33, "3", 33, NetError::BadSeat},    // the receiver plays no card of its own on the wire
      {23, "0011", 24, NetError::BadNumber},  // given positions 0 and 11
      {23, "0303", 24, NetError::BadNumber},  // the same card twice
      {29, "999", 30, NetError::BadNumber},
      {13, "p999", 14, NetError::BadNumber},
      {13, "p06x", 14, NetError::BadNumber},
  };
  for (const Case& c : cases) {
    std::string record = good;
    record.replace(c.at, c.with.size(), c.with);
    const auto decoded = DecodeMove(record);
    ASSERT_TRUE(decoded.ok()) << record;
    ASSERT_EQ(decoded.value->skipped.size(), 1u) << record;
    EXPECT_EQ(decoded.value->skipped[0], (FieldIssue{c.position, c.error})) << record;
  }
}

TEST(MoveRecordTest, WholeRecordRefusals) {
  const std::string good = Record(MoveShape::TrickCollected(), 2, true);
  struct Case {
    std::string record;
    NetError error;
  };
  std::string bad_sender = good, bad_destination = good, zero_sender = good;
  bad_sender[1] = '4';
  zero_sender[1] = '0';
  bad_destination[37] = '#';
  const Case cases[] = {
      {"", NetError::WrongKind},
      {"x" + good.substr(1), NetError::WrongKind},
      {good.substr(0, 37), NetError::WrongLength},
      {good + "h", NetError::WrongLength},
      {bad_sender, NetError::BadSeat},
      {zero_sender, NetError::BadSeat},
      {bad_destination, NetError::BadDestination},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeMove(c.record).error, c.error) << c.record;
}

TEST(ChatTest, LocalChatKeepsEveryCharacter) {
  const auto record = BuildChat(2, "a#b c");
  ASSERT_TRUE(record);
  EXPECT_EQ(*record, "s2a#b c");
  EXPECT_EQ(ParseChat(*record).value, (ChatLine{2, "a#b c"}));
  EXPECT_EQ(BuildChat(1, "fifteen chars!!").value_or(""), "s1fifteen chars!!");
  EXPECT_FALSE(BuildChat(1, "sixteen chars!!!"));
  EXPECT_FALSE(BuildChat(4, "hi"));
  EXPECT_EQ(ParseChat("s4hi").error, NetError::BadSeat);
  EXPECT_EQ(ParseChat("h1hi").error, NetError::WrongKind);
}

TEST(ChatTest, TournamentChatEndsAtTheFirstHash) {
  const auto framed = BuildTourChat("a#b", 3);
  ASSERT_TRUE(framed);
  EXPECT_EQ(framed->size(), kRelayLength);
  EXPECT_EQ(*framed, "sa#b" + std::string(45, '#') + "3");
  const auto unwrapped = UnwrapFramed(*framed);
  ASSERT_TRUE(unwrapped.ok());
  EXPECT_EQ(unwrapped.value->body, "sa");
  EXPECT_EQ(unwrapped.value->seat, 3);
}

TEST(FramingTest, RelayAndControlRecords) {
  const std::string move = Record(MoveShape::TrickCollected(), 2, false, true);
  const auto relay = WrapRelay(move, 2);
  ASSERT_TRUE(relay);
  EXPECT_EQ(*relay, move + std::string(11, '#') + "2");
  EXPECT_EQ(UnwrapFramed(*relay).value, (Unwrapped{move, 2}));

  EXPECT_EQ(WrapControl("connect2", 2).value_or(""), "connect2###########2");
  EXPECT_EQ(UnwrapFramed("bnext##############1").value, (Unwrapped{"bnext", 1}));
  EXPECT_FALSE(WrapControl(std::string(20, 'x'), 1));
  EXPECT_FALSE(WrapRelay("hi", 0));
  EXPECT_EQ(UnwrapFramed("short").error, NetError::WrongLength);
}

TEST(ConnectionRecordTest, JoinRequest) {
  const std::string join = BuildJoinRequest("Ann");
  EXPECT_EQ(join, "zub0925connect1Ann   ");
  EXPECT_EQ(join.size(), kJoinLength);
  EXPECT_EQ(ParseJoinRequest(join).value, "Ann   ");
  EXPECT_EQ(BuildJoinRequest("Alexander"), "zub0925connect1Alexan");

  const std::pair<std::string, NetError> refused[] = {
      {"zub0825connect1Ann   ", NetError::BadHeader},  // another game
      {"zub0926connect1Ann   ", NetError::BadHeader},
      {"zub0925connect2Ann   ", NetError::BadHeader},
      {"zub0925connect1Ann", NetError::WrongLength},
      {"bub0925connect1Ann   ", NetError::WrongKind},
  };
  for (const auto& [record, error] : refused) EXPECT_EQ(ParseJoinRequest(record).error, error) << record;
}

TEST(ConnectionRecordTest, SeatGrantAndThirdSeatNotice) {
  const SeatGrant grant{3, {"Boris ", "Ann   ", "Cleo  "}};
  const auto record = BuildSeatGrant(grant);
  ASSERT_TRUE(record);
  EXPECT_EQ(*record, "connect2+3Boris Ann   Cleo  ");
  EXPECT_EQ(record->size(), kSeatGrantLength);
  EXPECT_EQ(ParseSeatGrant(*record).value, grant);
  EXPECT_FALSE(BuildSeatGrant(SeatGrant{1, {}}));
  EXPECT_EQ(ParseSeatGrant("connect2+4Boris Ann   Cleo  ").error, NetError::BadSeat);
  // The "+" is not examined.
  EXPECT_TRUE(ParseSeatGrant("connect2?2Boris Ann   PC    ").ok());

  const ThirdSeatNotice notice{{"Boris ", "Ann   ", "Cleo  "}};
  EXPECT_EQ(BuildThirdSeatNotice(notice), "connect3+Boris Ann   Cleo  ");
  EXPECT_EQ(ParseThirdSeatNotice(BuildThirdSeatNotice(notice)).value, notice);
  EXPECT_EQ(ParseThirdSeatNotice("connect3+Boris").error, NetError::WrongLength);

  EXPECT_EQ(BuildAbortNotice(), "abort");
  EXPECT_TRUE(IsAbortNotice("abort"));
  EXPECT_FALSE(IsAbortNotice("abor"));
  EXPECT_EQ(PadName(""), "      ");
  EXPECT_EQ(kComputerName, "PC    ");
}

}  // namespace
}  // namespace varnok::net

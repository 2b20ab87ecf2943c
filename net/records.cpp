#include "records.h"

#include "cards.h"
#include "game_state.h"

namespace varnok::net {

namespace {

constexpr char kEmpty = 'i';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal digits of `text`, or nothing when any character is no digit.
std::optional<int> Digits(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// `value` zero-padded to `width` digits; nothing when it does not fit.
std::optional<std::string> Padded(int value, std::size_t width) {
  if (value < 0) return std::nullopt;
  std::string text = std::to_string(value);
  if (text.size() > width) return std::nullopt;
  return std::string(width - text.size(), '0') + text;
}

bool IsBid(int value) { return value >= kLowestBid && value <= kHighestBid && value % 5 == 0; }
// The next bid offered: the highest bid so far (55 before the first) plus 5.
bool IsNextBid(int value) { return value >= kLowestBid && value <= kHighestBid + 5 && value % 5 == 0; }
bool IsContract(int value) { return value >= kLowestBid && value <= kHighestContract; }
bool IsSuitLetter(std::uint8_t c) { return SuitIndex(c) >= 0; }
bool IsHandPosition(int value) { return value >= 1 && value <= 10; }

std::optional<std::string> EncodeCell(const SeatCell& cell) {
  switch (cell.kind) {
    case SeatCell::Kind::Empty: return std::string("i###");
    case SeatCell::Kind::Bid: {
      if (!IsBid(cell.bid)) return std::nullopt;
      return "p" + *Padded(cell.bid, 3);
    }
    case SeatCell::Kind::Pass: return std::string("a###");
    case SeatCell::Kind::Name: return std::string("n###");
    case SeatCell::Kind::Clear: return std::string("d###");
    case SeatCell::Kind::Twenty: return std::string("20##");
    case SeatCell::Kind::Forty: return std::string("40##");
  }
  return std::nullopt;
}

Parsed<SeatCell> DecodeCell(std::string_view cell) {
  switch (cell[0]) {
    case 'i': return {SeatCell::Empty()};
    case 'a': return {SeatCell::Pass()};
    case 'n': return {SeatCell::Name()};
    case 'd': return {SeatCell::Clear()};
    case '2': return {SeatCell::Twenty()};
    case '4': return {SeatCell::Forty()};
    case 'p': {
      const auto bid = Digits(cell.substr(1, 3));
      if (!bid || !IsBid(*bid)) return {std::nullopt, NetError::BadNumber};
      return {SeatCell::Bid(*bid)};
    }
    default: return {std::nullopt, NetError::BadCell};
  }
}

char Flag(bool set) { return set ? '+' : kEmpty; }

// A "+" field: set, left, or an unexpected character (listed, then skipped).
bool ReadFlag(char c, int position, std::vector<FieldIssue>& skipped) {
  if (c == '+') return true;
  if (c != kEmpty) skipped.push_back({position, NetError::UnexpectedChar});
  return false;
}

}  // namespace

std::string PadName(std::string_view name) {
  std::string padded(name.substr(0, kNameLength));
  padded.resize(kNameLength, ' ');
  return padded;
}

std::optional<std::string> EncodeMove(const MoveFields& f) {
  if (!IsSeat(f.sender) || !IsSeatDigit(f.destination)) return std::nullopt;
  std::string r(kMoveLength, kEmpty);
  r[0] = 'h';
  r[1] = static_cast<char>('0' + f.sender);
  if (f.action_enabled) r[2] = *f.action_enabled ? 'e' : 'd';
  if (f.pass_enabled) r[3] = *f.pass_enabled ? 'e' : 'd';
  if (f.action_caption != 0) {
    if (f.action_caption < 1 || f.action_caption > 6) return std::nullopt;
    r[4] = static_cast<char>('0' + f.action_caption);
  }
  if (f.next_bid) {
    if (!IsNextBid(*f.next_bid)) return std::nullopt;
    r.replace(5, 3, *Padded(*f.next_bid, 3));
  }
  if (f.pass_caption != 0) {
    if (f.pass_caption != 1 && f.pass_caption != 2) return std::nullopt;
    r[8] = static_cast<char>('0' + f.pass_caption);
  }
  for (std::size_t i = 0; i < 3; ++i) {
    const auto cell = EncodeCell(f.cells[i]);
    if (!cell) return std::nullopt;
    r.replace(9 + 4 * i, 4, *cell);
  }
  r[21] = Flag(f.open_widow);
  r[22] = Flag(f.take_widow);
  if (f.given) {
    const auto [a, b] = *f.given;
    if (!IsHandPosition(a) || !IsHandPosition(b)) return std::nullopt;
    r.replace(23, 2, *Padded(a, 2));
    r.replace(25, 2, *Padded(b, 2));
  }
  r[27] = Flag(f.giving_done);
  if (f.trump) {
    if (!IsSuitLetter(*f.trump)) return std::nullopt;
    r[28] = static_cast<char>(*f.trump);
  }
  if (f.contract) {
    if (!IsContract(*f.contract)) return std::nullopt;
    r.replace(29, 3, *Padded(*f.contract, 3));
  }
  if (f.card) {
    if (*f.card < 1 || *f.card > 8 || (f.card_player != 1 && f.card_player != 2)) return std::nullopt;
    r[32] = static_cast<char>('0' + *f.card);
    r[33] = static_cast<char>('0' + f.card_player);
  }
  r[34] = Flag(f.next_trick);
  if (f.phase) {
    if (!IsValidPhase(*f.phase)) return std::nullopt;
    r.replace(35, 2, *Padded(*f.phase, 2));
  }
  r[37] = f.destination;
  return r;
}

Parsed<DecodedMove> DecodeMove(std::string_view r) {
  if (r.empty() || r[0] != 'h') return {std::nullopt, NetError::WrongKind};
  if (r.size() != kMoveLength) return {std::nullopt, NetError::WrongLength};
  if (!IsSeatDigit(r[1])) return {std::nullopt, NetError::BadSeat};
  if (!IsSeatDigit(r[37])) return {std::nullopt, NetError::BadDestination};

  DecodedMove out;
  MoveFields& f = out.fields;
  auto& skipped = out.skipped;
  f.sender = r[1] - '0';
  f.destination = r[37];

  // Buttons and captions: any character other than the codes leaves them.
  if (r[2] == 'e' || r[2] == 'd') f.action_enabled = r[2] == 'e';
  if (r[3] == 'e' || r[3] == 'd') f.pass_enabled = r[3] == 'e';
  if (r[4] >= '1' && r[4] <= '6') {
    if (r[4] == '2') {
      const auto bid = Digits(r.substr(5, 3));
      if (bid && IsNextBid(*bid)) {
        f.action_caption = 2;
        f.next_bid = bid;
      } else {
        skipped.push_back({6, NetError::BadNumber});
      }
    } else {
      f.action_caption = r[4] - '0';
    }
  }
  if (r[8] == '1' || r[8] == '2') f.pass_caption = r[8] - '0';

  for (int i = 0; i < 3; ++i) {
    const auto cell = DecodeCell(r.substr(static_cast<std::size_t>(9 + 4 * i), 4));
    if (cell.ok()) f.cells[static_cast<std::size_t>(i)] = *cell.value;
    else skipped.push_back({10 + 4 * i, cell.error});
  }

  f.open_widow = ReadFlag(r[21], 22, skipped);
  f.take_widow = ReadFlag(r[22], 23, skipped);
  if (r[23] != kEmpty) {
    const auto a = Digits(r.substr(23, 2));
    const auto b = Digits(r.substr(25, 2));
    if (a && b && IsHandPosition(*a) && IsHandPosition(*b) && *a != *b) f.given = std::make_pair(*a, *b);
    else skipped.push_back({24, NetError::BadNumber});
  }
  f.giving_done = ReadFlag(r[27], 28, skipped);
  if (r[28] != kEmpty) {
    const auto suit = static_cast<std::uint8_t>(r[28]);
    if (IsSuitLetter(suit)) f.trump = suit;
    else skipped.push_back({29, NetError::BadSuit});
  }
  if (r[29] != kEmpty) {
    const auto value = Digits(r.substr(29, 3));
    if (value && IsContract(*value)) f.contract = value;
    else skipped.push_back({30, NetError::BadNumber});
  }
  if (r[32] != kEmpty) {
    if (r[32] >= '1' && r[32] <= '8' && (r[33] == '1' || r[33] == '2')) {
      f.card = r[32] - '0';
      f.card_player = r[33] - '0';
    } else {
      skipped.push_back({33, r[32] >= '1' && r[32] <= '8' ? NetError::BadSeat : NetError::BadNumber});
    }
  }
  f.next_trick = ReadFlag(r[34], 35, skipped);
  if (r.substr(35, 2) != "ii") {
    const auto phase = Digits(r.substr(35, 2));
    if (phase && IsValidPhase(*phase)) f.phase = phase;
    else skipped.push_back({36, NetError::BadPhase});
  }
  return {std::move(out)};
}

// --- shapes ------------------------------------------------------------------

MoveShape MoveShape::BidReport(int seat, SeatCell bid_or_pass) {
  return {.kind = Kind::BidReport, .seat = seat, .cell = bid_or_pass};
}

MoveShape MoveShape::TurnToBid(int next_bid, int seat, SeatCell cell) {
  return {.kind = Kind::TurnToBid, .seat = seat, .cell = cell, .next_bid = next_bid};
}

MoveShape MoveShape::BiddingWon(bool open_caption, int passed_seat) {
  return {.kind = Kind::BiddingWon,
          .seat = passed_seat,
          .cell = passed_seat != 0 ? SeatCell::Pass() : SeatCell::Empty(),
          .open_caption = open_caption};
}

MoveShape MoveShape::ComputerOpeningBid(int computer_seat) {
  return {.kind = Kind::ComputerOpeningBid, .seat = computer_seat, .cell = SeatCell::Bid(kLowestBid)};
}

MoveShape MoveShape::WidowOpened() { return {.kind = Kind::WidowOpened}; }
MoveShape MoveShape::WidowTaken() { return {.kind = Kind::WidowTaken}; }

MoveShape MoveShape::CardsGiven(int slot1, int slot2) {
  return {.kind = Kind::CardsGiven, .give1 = slot1, .give2 = slot2};
}

MoveShape MoveShape::GivingDone() { return {.kind = Kind::GivingDone}; }
MoveShape MoveShape::TrumpChosen(std::uint8_t suit) { return {.kind = Kind::TrumpChosen, .trump = suit}; }
MoveShape MoveShape::ContractAnnounced(int value) { return {.kind = Kind::ContractAnnounced, .contract = value}; }

MoveShape MoveShape::CardPlayed(int player, int position, SeatCell marriage) {
  return {.kind = Kind::CardPlayed, .seat = player, .cell = marriage, .card = position};
}

MoveShape MoveShape::CardPlayedReceiverToPlay(int player, int position, SeatCell marriage) {
  return {.kind = Kind::CardPlayedReceiverToPlay, .seat = player, .cell = marriage, .card = position};
}

MoveShape MoveShape::TrickToReceiver(int player, int position) {
  return {.kind = Kind::TrickToReceiver, .seat = player, .card = player != 0 ? position : 0};
}

MoveShape MoveShape::TrickCollected() { return {.kind = Kind::TrickCollected}; }

std::optional<MoveFields> ShapeFields(const MoveShape& shape, const Addressee& to) {
  const char destination = DestinationCode(to);
  if (destination == 0) return std::nullopt;
  const int receiver = to.Receiver();
  MoveFields f;
  f.sender = to.sender;
  f.destination = destination;

  // The cell (and the player) of the seat concerned, in the receiver's numbering.
  int relative = 0;
  if (shape.seat != 0) {
    relative = RelativeSeat(shape.seat, receiver);
    if (relative != 1 && relative != 2) return std::nullopt;
  }
  auto set_cell = [&] {
    if (relative != 0) f.Cell(relative) = shape.cell;
  };
  auto set_card = [&]() -> bool {
    if (relative == 0 || shape.card < 1 || shape.card > 8) return false;
    f.card = shape.card;
    f.card_player = relative;
    return true;
  };

  using K = MoveShape::Kind;
  switch (shape.kind) {
    case K::Empty: break;
    case K::BidReport:
    case K::ComputerOpeningBid:
      if (relative == 0) return std::nullopt;
      set_cell();
      break;
    case K::TurnToBid:
      f.action_enabled = true;
      f.pass_enabled = true;
      f.action_caption = 2;
      f.next_bid = shape.next_bid;
      f.phase = phBid3;
      set_cell();
      break;
    case K::BiddingWon:
      f.action_enabled = true;
      if (shape.open_caption) f.action_caption = 3;
      f.phase = phBidDone;
      set_cell();
      break;
    case K::WidowOpened:
      f.cells = {SeatCell::Name(), SeatCell::Name(), SeatCell::Name()};
      f.open_widow = true;
      break;
    case K::WidowTaken: f.take_widow = true; break;
    case K::CardsGiven: f.given = std::make_pair(shape.give1, shape.give2); break;
    case K::GivingDone: f.giving_done = true; break;
    case K::TrumpChosen: f.trump = shape.trump; break;
    case K::ContractAnnounced: f.contract = shape.contract; break;
    case K::CardPlayed:
    case K::CardPlayedReceiverToPlay:
      if (!set_card()) return std::nullopt;
      set_cell();
      if (shape.kind == K::CardPlayedReceiverToPlay) f.phase = phPlay3;
      break;
    case K::TrickToReceiver:
      f.action_enabled = true;
      f.phase = phTrickFull;
      if (shape.seat != 0 && !set_card()) return std::nullopt;
      break;
    case K::TrickCollected: f.next_trick = true; break;
  }
  return f;
}

std::optional<std::string> BuildMove(const MoveShape& shape, const Addressee& to) {
  const auto fields = ShapeFields(shape, to);
  if (!fields) return std::nullopt;
  return EncodeMove(*fields);
}

// --- chat ----------------------------------------------------------------------

std::optional<std::string> BuildChat(int seat, std::string_view text) {
  if (!IsSeat(seat) || text.size() > kChatTextMax) return std::nullopt;
  std::string record = "s";
  record += static_cast<char>('0' + seat);
  record += text;
  return record;
}

Parsed<ChatLine> ParseChat(std::string_view record) {
  if (record.empty() || record[0] != 's') return {std::nullopt, NetError::WrongKind};
  if (record.size() < 2 || !IsSeatDigit(record[1])) return {std::nullopt, NetError::BadSeat};
  if (record.size() > kChatMax) return {std::nullopt, NetError::TooLong};
  return {ChatLine{record[1] - '0', std::string(record.substr(2))}};
}

// --- connection records -----------------------------------------------------------

std::string BuildJoinRequest(std::string_view name) {
  return "zub" + std::string(kGameCode) + std::string(kJoinNumber) + "connect1" + PadName(name);
}

Parsed<std::string> ParseJoinRequest(std::string_view r) {
  if (r.substr(0, 3) != "zub") return {std::nullopt, NetError::WrongKind};
  if (r.size() != kJoinLength) return {std::nullopt, NetError::WrongLength};
  if (r.substr(3, 2) != kGameCode || r.substr(5, 2) != kJoinNumber || r.substr(7, 8) != "connect1")
    return {std::nullopt, NetError::BadHeader};
  return {std::string(r.substr(15))};
}

std::optional<std::string> BuildSeatGrant(const SeatGrant& grant) {
  if (grant.seat != 2 && grant.seat != 3) return std::nullopt;
  std::string r = "connect2+";
  r += static_cast<char>('0' + grant.seat);
  for (const auto& name : grant.names) r += PadName(name);
  return r;
}

Parsed<SeatGrant> ParseSeatGrant(std::string_view r) {
  if (r.substr(0, 8) != "connect2") return {std::nullopt, NetError::WrongKind};
  if (r.size() != kSeatGrantLength) return {std::nullopt, NetError::WrongLength};
  if (r[9] != '2' && r[9] != '3') return {std::nullopt, NetError::BadSeat};
  SeatGrant grant;
  grant.seat = r[9] - '0';
  for (std::size_t i = 0; i < 3; ++i) grant.names[i] = std::string(r.substr(10 + kNameLength * i, kNameLength));
  return {grant};
}

std::string BuildThirdSeatNotice(const ThirdSeatNotice& notice) {
  std::string r = "connect3+";
  for (const auto& name : notice.names) r += PadName(name);
  return r;
}

Parsed<ThirdSeatNotice> ParseThirdSeatNotice(std::string_view r) {
  if (r.substr(0, 8) != "connect3") return {std::nullopt, NetError::WrongKind};
  if (r.size() != kThirdSeatLength) return {std::nullopt, NetError::WrongLength};
  ThirdSeatNotice notice;
  for (std::size_t i = 0; i < 3; ++i) notice.names[i] = std::string(r.substr(9 + kNameLength * i, kNameLength));
  return {notice};
}

std::string BuildAbortNotice() { return std::string(kAbortNotice); }

bool IsAbortNotice(std::string_view record) { return record.substr(0, kAbortLength) == kAbortNotice; }

// --- tournament framing ------------------------------------------------------------

namespace {

std::optional<std::string> Frame(std::string_view record, int seat, std::size_t width) {
  if (!IsSeat(seat) || record.size() >= width) return std::nullopt;
  std::string framed(record);
  framed.resize(width - 1, '#');
  framed += static_cast<char>('0' + seat);
  return framed;
}

}  // namespace

std::optional<std::string> WrapRelay(std::string_view record, int seat) { return Frame(record, seat, kRelayLength); }

std::optional<std::string> WrapControl(std::string_view record, int seat) {
  return Frame(record, seat, kControlLength);
}

Parsed<Unwrapped> UnwrapFramed(std::string_view framed) {
  if (framed.size() != kRelayLength && framed.size() != kControlLength) return {std::nullopt, NetError::WrongLength};
  Unwrapped out;
  const char last = framed.back();
  out.seat = IsSeatDigit(last) ? last - '0' : 0;
  std::string_view body = framed.substr(0, framed.size() - 1);
  if (!body.empty() && body[0] == 'h' && body.size() >= kMoveLength) {
    body = body.substr(0, kMoveLength);
  } else if (!body.empty() && body[0] == 's') {
    body = body.substr(0, body.find('#'));
  } else {
    while (!body.empty() && body.back() == '#') body.remove_suffix(1);
  }
  out.body = std::string(body);
  return {std::move(out)};
}

std::optional<std::string> BuildTourChat(std::string_view text, int seat) {
  if (text.size() > kChatTextMax) return std::nullopt;
  return WrapRelay("s" + std::string(text), seat);
}

}  // namespace varnok::net

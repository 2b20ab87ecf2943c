// The game records that copies exchange: the move record of 38 characters,
// the chat line, the connection records of the local network and the
// fixed-width framing of the tournament connection. All records are 8-bit
// text in code page 1251, without length prefix or terminator.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "net_error.h"
#include "seats.h"

namespace varnok::net {

inline constexpr std::size_t kMoveLength = 38;
inline constexpr std::size_t kNameLength = 6;
inline constexpr std::size_t kChatTextMax = 15;  // the chat entry field
inline constexpr std::size_t kChatMax = 2 + kChatTextMax;
inline constexpr std::size_t kJoinLength = 21;
inline constexpr std::size_t kSeatGrantLength = 28;
inline constexpr std::size_t kThirdSeatLength = 27;
inline constexpr std::size_t kAbortLength = 5;
inline constexpr std::size_t kRelayLength = 50;    // moves and chat lines to the tournament relay
inline constexpr std::size_t kControlLength = 20;  // the tournament's control records

inline constexpr int kLowestBid = 60;
inline constexpr int kHighestBid = 180;
inline constexpr int kHighestContract = 220;  // all card points and every marriage

inline constexpr std::string_view kGameCode = "09";
inline constexpr std::string_view kJoinNumber = "25";
inline constexpr std::string_view kAbortNotice = "abort";
// "PC" and four blanks: the computer seat of a two-person game.
inline constexpr std::string_view kComputerName = "PC    ";

// A name as the records carry it: exactly six characters, cut or padded with blanks.
std::string PadName(std::string_view name);

// ---------------------------------------------------------------------------
// Move records.

// A seat cell (four characters, the first one decides).
struct SeatCell {
  enum class Kind { Empty, Bid, Pass, Name, Clear, Twenty, Forty };
  Kind kind = Kind::Empty;
  int bid = 0;  // with Bid

  static SeatCell Empty() { return {}; }
  static SeatCell Bid(int value) { return {Kind::Bid, value}; }
  static SeatCell Pass() { return {Kind::Pass, 0}; }
  static SeatCell Name() { return {Kind::Name, 0}; }
  static SeatCell Clear() { return {Kind::Clear, 0}; }
  static SeatCell Twenty() { return {Kind::Twenty, 0}; }
  static SeatCell Forty() { return {Kind::Forty, 0}; }
  friend bool operator==(const SeatCell&, const SeatCell&) = default;
};

// The fields of a move record, as values. Absent fields are empty.
struct MoveFields {
  int sender = 1;          // position 2
  char destination = '1';  // position 38
  std::optional<bool> action_enabled;  // position 3: Button7
  std::optional<bool> pass_enabled;    // position 4: Button8
  int action_caption = 0;              // position 5: 1..6, 0 leaves the caption
  std::optional<int> next_bid;         // positions 6-8, with action caption 2
  int pass_caption = 0;                // position 9: 1 "Pass", 2 "Exit to menu", 0 leaves it
  std::array<SeatCell, 3> cells{};     // relative seats 1, 2, 3 (positions 10-21)
  bool open_widow = false;             // position 22
  bool take_widow = false;             // position 23
  std::optional<std::pair<int, int>> given;  // positions 24-27: two hand positions
  bool giving_done = false;            // position 28
  std::optional<std::uint8_t> trump;   // position 29: a suit letter
  std::optional<int> contract;         // positions 30-32
  std::optional<int> card;             // position 33: hand position 1..8
  int card_player = 0;                 // position 34: relative seat 1 or 2
  bool next_trick = false;             // position 35
  std::optional<int> phase;            // positions 36-37

  SeatCell& Cell(int relative) { return cells[static_cast<std::size_t>(relative - 1)]; }
  const SeatCell& Cell(int relative) const { return cells[static_cast<std::size_t>(relative - 1)]; }
  friend bool operator==(const MoveFields&, const MoveFields&) = default;
};

// The 38 characters of a record; nothing when a value cannot be written
// (a seat or destination that does not exist, a number out of its range,
// a phase that does not exist, a card player other than 1 or 2).
std::optional<std::string> EncodeMove(const MoveFields& fields);

// A field that was skipped while reading a record: its first position and why.
struct FieldIssue {
  int position = 0;
  NetError error = NetError::None;
  friend bool operator==(const FieldIssue&, const FieldIssue&) = default;
};

struct DecodedMove {
  MoveFields fields;
  std::vector<FieldIssue> skipped;  // fields holding unexpected characters
};

template <typename T>
struct Parsed {
  std::optional<T> value;
  NetError error = NetError::None;
  bool ok() const { return value.has_value(); }
};

// Reads a move record. The whole record is refused when it does not start
// with "h", is not 38 characters long, or names no sender or destination;
// any other field holding an unexpected character is skipped and listed.
Parsed<DecodedMove> DecodeMove(std::string_view record);

// The record shapes: which fields a sender sets after each step.
struct MoveShape {
  enum class Kind {
    Empty,
    BidReport,
    TurnToBid,
    BiddingWon,
    ComputerOpeningBid,
    WidowOpened,
    WidowTaken,
    CardsGiven,
    GivingDone,
    TrumpChosen,
    ContractAnnounced,
    CardPlayed,
    CardPlayedReceiverToPlay,
    TrickToReceiver,
    TrickCollected,
  };
  Kind kind = Kind::Empty;
  int seat = 0;     // absolute seat whose cell is set (0: no cell); the player of a card
  SeatCell cell{};  // what goes into that cell
  int next_bid = 0;            // TurnToBid
  bool open_caption = false;   // BiddingWon: action caption "3"
  int give1 = 0, give2 = 0;    // CardsGiven
  std::uint8_t trump = 0;      // TrumpChosen
  int contract = 0;            // ContractAnnounced
  int card = 0;                // hand position of a card played (0: none, for TrickToReceiver)

  static MoveShape Empty() { return {}; }
  static MoveShape BidReport(int seat, SeatCell bid_or_pass);
  // The receiver bids next; the cell carries the bid or pass just made (seat 0: no cell).
  static MoveShape TurnToBid(int next_bid, int seat = 0, SeatCell cell = {});
  // The receiver has won the bidding; with the caption "To open cards" and the pass that ended it.
  static MoveShape BiddingWon(bool open_caption = false, int passed_seat = 0);
  static MoveShape ComputerOpeningBid(int computer_seat);
  static MoveShape WidowOpened();
  static MoveShape WidowTaken();
  static MoveShape CardsGiven(int slot1, int slot2);
  static MoveShape GivingDone();
  static MoveShape TrumpChosen(std::uint8_t suit);
  static MoveShape ContractAnnounced(int value);
  // `marriage` is SeatCell::Twenty(), Forty() or Empty().
  static MoveShape CardPlayed(int player, int position, SeatCell marriage = {});
  static MoveShape CardPlayedReceiverToPlay(int player, int position, SeatCell marriage = {});
  // Optionally with the card that completed the trick (player 0: without it).
  static MoveShape TrickToReceiver(int player = 0, int position = 0);
  static MoveShape TrickCollected();
};

// The fields of a shape for one receiver: the seat cell and the player in
// the receiver's relative numbering, the sender, the destination code.
// Nothing when the shape names a seat that is the receiver itself or no seat.
std::optional<MoveFields> ShapeFields(const MoveShape& shape, const Addressee& to);
// The record of a shape for one receiver.
std::optional<std::string> BuildMove(const MoveShape& shape, const Addressee& to);

// ---------------------------------------------------------------------------
// Chat lines: "s", the writer's seat digit, then the text.

struct ChatLine {
  int seat = 0;
  std::string text;
  friend bool operator==(const ChatLine&, const ChatLine&) = default;
};
std::optional<std::string> BuildChat(int seat, std::string_view text);
Parsed<ChatLine> ParseChat(std::string_view record);

// ---------------------------------------------------------------------------
// Connection records of the local network.

std::string BuildJoinRequest(std::string_view name);
// The joining client's name when the tag, game code, number and "connect1" match.
Parsed<std::string> ParseJoinRequest(std::string_view record);

struct SeatGrant {
  int seat = 0;                       // 2 or 3: the seat granted
  std::array<std::string, 3> names;   // of seats 1, 2, 3, six characters each
  friend bool operator==(const SeatGrant&, const SeatGrant&) = default;
};
std::optional<std::string> BuildSeatGrant(const SeatGrant& grant);
Parsed<SeatGrant> ParseSeatGrant(std::string_view record);

struct ThirdSeatNotice {
  std::array<std::string, 3> names;  // of seats 1, 2, 3
  friend bool operator==(const ThirdSeatNotice&, const ThirdSeatNotice&) = default;
};
std::string BuildThirdSeatNotice(const ThirdSeatNotice& notice);
Parsed<ThirdSeatNotice> ParseThirdSeatNotice(std::string_view record);

std::string BuildAbortNotice();
bool IsAbortNotice(std::string_view record);

// ---------------------------------------------------------------------------
// Tournament framing: a move record or chat line padded with "#" to 50
// characters whose 50th character is the sender's table position; control
// records likewise to 20 characters.

std::optional<std::string> WrapRelay(std::string_view record, int seat);
std::optional<std::string> WrapControl(std::string_view record, int seat);

struct Unwrapped {
  std::string body;  // a move record (38), a chat line "s" and its text, or the padded contents
  int seat = 0;      // the last character's digit, 0 when it is no seat digit
  friend bool operator==(const Unwrapped&, const Unwrapped&) = default;
};
// Takes a 50- or 20-character framed record apart. A chat text ends before
// its first "#"; other contents lose their trailing "#".
Parsed<Unwrapped> UnwrapFramed(std::string_view framed);
// The tournament chat line "s" and the text (the writer is the frame's seat).
std::optional<std::string> BuildTourChat(std::string_view text, int seat);

}  // namespace varnok::net

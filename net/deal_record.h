// The deal record: the dealer sends all 24 cards of the shuffled deck with
// their rank orders and points, so that every copy holds every hand.
//
//   1        "b"
//   2-49     the 24 cards in deck order, two letters each
//   50-73    the rank order of each card, one digit
//   74-121   the points of each card, two digits
//   122      "И" (code page 1251) when the rule option "keep after 100" is
//            on, "Л" when it is off; the tournament relay omits it
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cards.h"
#include "game_state.h"
#include "net_error.h"
#include "records.h"

namespace varnok::net {

inline constexpr std::size_t kDealLength = 122;
inline constexpr std::size_t kTourDealLength = 121;
inline constexpr char kRuleOptionOn = '\xC8';   // Cyrillic capital I
inline constexpr char kRuleOptionOff = '\xCB';  // Cyrillic capital El

// The deal as data: deck slots 1..24 with their companions.
struct DealData {
  TCardList deck = EmptyCardList();
  TByteList order = EmptyCompanions();
  TByteList points = EmptyCompanions();
  bool keep_after_100 = false;
  friend bool operator==(const DealData&, const DealData&) = default;
};

// The 122-character record (121 without the rule option letter for the
// tournament). Nothing when the deck is not the 24 cards of the game once
// each with their own rank orders and points: a broken deal is never sent.
std::optional<std::string> BuildDeal(const TCardList& deck, const TByteList& order, const TByteList& points,
                                     bool keep_after_100, bool tournament = false);
std::optional<std::string> BuildDeal(const GameState& state, bool keep_after_100, bool tournament = false);

// Reads a deal record of either length. Refused: a wrong head or length, a
// letter that is no card, a card dealt twice (so another is missing), rank
// orders or points that do not belong to their card, an unknown option letter.
Parsed<DealData> ParseDeal(std::string_view record);

// Which cards are whose: on the local network cards 1-7 belong to seat 2,
// 8-14 to seat 3 and 15-21 to the server (seat 1); in the tournament seat s
// holds cards 7s-6 to 7s. Cards 22-24 are the widow. The first deck slot of
// absolute seat `seat`.
int FirstCardOfSeat(int seat, bool tournament);

struct DealSeating {
  int own_seat = 1;         // this copy's NetSeat (table position in the tournament)
  bool tournament = false;
};

// Stores a received deal for the copy sitting at `seating`: the deck with its
// companions, each relative seat's seven cards in deck order as hand
// positions 1..7 (the rest of every hand and the played cards emptied), the
// widow, seven cards in every hand. Returns the rule option (always off in
// the tournament); the state is left untouched when the record is refused.
Parsed<bool> ApplyDeal(std::string_view record, GameState& state, const DealSeating& seating);

}  // namespace varnok::net

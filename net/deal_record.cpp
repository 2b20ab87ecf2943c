#include "deal_record.h"

#include <array>

namespace varnok::net {

namespace {

bool IsRankLetter(std::uint8_t c) { return RankOrder(c) > 0; }

// The deck holds the 24 cards once each, with their own companions.
NetError CheckDeck(const TCardList& deck, const TByteList& order, const TByteList& points) {
  std::array<bool, 25> seen{};
  for (int j = 1; j <= 24; ++j) {
    const TCard card = deck[j];
    const int index = CardIndex(card);
    if (card.len != 2 || index == 0) return NetError::BadCard;
    if (seen[static_cast<std::size_t>(index)]) return NetError::DuplicateCard;
    seen[static_cast<std::size_t>(index)] = true;
    if (order[j] != RankOrder(card.rank) || points[j] != RankPoints(card.rank)) return NetError::BadCompanion;
  }
  return NetError::None;
}

}  // namespace

std::optional<std::string> BuildDeal(const TCardList& deck, const TByteList& order, const TByteList& points,
                                     bool keep_after_100, bool tournament) {
  if (CheckDeck(deck, order, points) != NetError::None) return std::nullopt;
  std::string r = "b";
  for (int j = 1; j <= 24; ++j) {
    r += static_cast<char>(deck[j].rank);
    r += static_cast<char>(deck[j].suit);
  }
  for (int j = 1; j <= 24; ++j) r += static_cast<char>('0' + order[j]);
  for (int j = 1; j <= 24; ++j) {
    r += static_cast<char>('0' + points[j] / 10);
    r += static_cast<char>('0' + points[j] % 10);
  }
  if (!tournament) r += keep_after_100 ? kRuleOptionOn : kRuleOptionOff;
  return r;
}

std::optional<std::string> BuildDeal(const GameState& state, bool keep_after_100, bool tournament) {
  return BuildDeal(state.Deck, state.DeckOrder, state.DeckPoints, keep_after_100, tournament);
}

Parsed<DealData> ParseDeal(std::string_view r) {
  if (r.empty() || r[0] != 'b') return {std::nullopt, NetError::WrongKind};
  if (r.size() != kDealLength && r.size() != kTourDealLength) return {std::nullopt, NetError::WrongLength};
  DealData deal;
  for (int j = 1; j <= 24; ++j) {
    const auto rank = static_cast<std::uint8_t>(r[static_cast<std::size_t>(2 * j - 1)]);
    const auto suit = static_cast<std::uint8_t>(r[static_cast<std::size_t>(2 * j)]);
    if (!IsRankLetter(rank) || SuitIndex(suit) < 0) return {std::nullopt, NetError::BadCard};
    deal.deck[j] = TCard::Make(rank, suit);
    const char o = r[static_cast<std::size_t>(48 + j)];
    const char p1 = r[static_cast<std::size_t>(71 + 2 * j)];
    const char p2 = r[static_cast<std::size_t>(72 + 2 * j)];
    if (o < '0' || o > '9' || p1 < '0' || p1 > '9' || p2 < '0' || p2 > '9') return {std::nullopt, NetError::BadNumber};
    deal.order[j] = static_cast<std::uint8_t>(o - '0');
    deal.points[j] = static_cast<std::uint8_t>((p1 - '0') * 10 + (p2 - '0'));
  }
  if (const NetError error = CheckDeck(deal.deck, deal.order, deal.points); error != NetError::None)
    return {std::nullopt, error};
  if (r.size() == kDealLength) {
    if (r[121] != kRuleOptionOn && r[121] != kRuleOptionOff) return {std::nullopt, NetError::BadRuleOption};
    deal.keep_after_100 = r[121] == kRuleOptionOn;
  }
  return {deal};
}

int FirstCardOfSeat(int seat, bool tournament) {
  if (!IsSeat(seat)) return 0;
  if (tournament) return 7 * seat - 6;
  // Seat 2 holds cards 1-7, seat 3 cards 8-14, the server cards 15-21.
  return seat == 1 ? 15 : 7 * seat - 13;
}

Parsed<bool> ApplyDeal(std::string_view record, GameState& s, const DealSeating& seating) {
  if (!IsSeat(seating.own_seat)) return {std::nullopt, NetError::BadSeat};
  const auto parsed = ParseDeal(record);
  if (!parsed.ok()) return {std::nullopt, parsed.error};
  const DealData& deal = *parsed.value;
  // The local network always sends the rule option; the tournament relay
  // leaves it out, and there the option is off.
  if (!seating.tournament && record.size() != kDealLength) return {std::nullopt, NetError::WrongLength};

  s.Deck = deal.deck;
  s.DeckOrder = deal.order;
  s.DeckPoints = deal.points;
  for (int relative = 1; relative <= 3; ++relative) {
    s.Hands[relative] = EmptyCardList();
    s.HandOrder[relative] = EmptyCompanions();
    s.HandPoints[relative] = EmptyCompanions();
    const int first = FirstCardOfSeat(AbsoluteSeat(relative, seating.own_seat), seating.tournament);
    for (int i = 1; i <= 7; ++i) {
      s.Hands[relative][i] = deal.deck[first + i - 1];
      s.HandOrder[relative][i] = deal.order[first + i - 1];
      s.HandPoints[relative][i] = deal.points[first + i - 1];
    }
    s.HandCount[relative] = 7;
  }
  for (int w = 1; w <= 3; ++w) s.Widow[static_cast<std::size_t>(w)] = deal.deck[21 + w];
  s.PlayedCards = EmptyCardList();
  return {!seating.tournament && deal.keep_after_100};
}

}  // namespace varnok::net

// Builds the state a computer seat sees when it chooses a card: its hand,
// the trick on the table, the collected cards and what it knows, all from
// short card names ("Ah 10h Kc").
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "card_play.h"
#include "cards.h"
#include "game_state.h"
#include "knowledge.h"

namespace varnok::ai::testing {

inline std::vector<TCard> Cards(std::string_view names) {
  std::vector<TCard> cards;
  std::istringstream in{std::string(names)};
  std::string name;
  while (in >> name) {
    const TCard card = CardFromName(name);
    EXPECT_TRUE(card.IsReal()) << "bad card name " << name;
    cards.push_back(card);
  }
  return cards;
}

inline CardSet SetOf(std::string_view names) {
  CardSet set = 0;
  for (TCard card : Cards(names)) set |= CardBitOf(card);
  return set;
}

inline std::uint8_t Suit(char letter) { return SuitFromName(std::string_view(&letter, 1)); }

// One seat's view of a round in play.
struct View {
  GameState s;
  SeatKnowledge know;
  int seat;

  // `trump` is one of 'h', 'd', 'c', 's'.
  View(int seat_, int declarer, char trump) : seat(seat_) {
    s.Declarer = static_cast<std::uint8_t>(declarer);
    s.Trump = Suit(trump);
    s.Leader = static_cast<std::uint8_t>(seat_);
    s.Zakaz = 100;
  }

  // The seat's hand, sorted as the engine keeps it.
  View& Hand(std::string_view names) {
    TCardList& hand = s.Hands[static_cast<std::size_t>(seat)];
    TByteList& order = s.HandOrder[static_cast<std::size_t>(seat)];
    TByteList& points = s.HandPoints[static_cast<std::size_t>(seat)];
    hand = EmptyCardList();
    order = EmptyCompanions();
    points = EmptyCompanions();
    int i = 0;
    for (TCard card : Cards(names)) {
      ++i;
      hand[i] = card;
      order[i] = static_cast<std::uint8_t>(RankOrder(card.rank));
      points[i] = static_cast<std::uint8_t>(RankPoints(card.rank));
    }
    s.HandCount[static_cast<std::size_t>(seat)] =
        static_cast<std::uint8_t>(SortHand(hand, order, points, s.Trump));
    return *this;
  }

  // Cards of collected tricks.
  View& Played(std::string_view names) {
    s.PlayedCards = EmptyCardList();
    int i = 0;
    for (TCard card : Cards(names)) s.PlayedCards[++i] = card;
    s.PlayedCount = static_cast<std::uint8_t>(i + 1);
    return *this;
  }

  // The cards already on the table, in play order; the leader is the seat
  // that many places before this one.
  View& Trick(std::string_view names) {
    int n = 0;
    for (TCard card : Cards(names)) {
      ++n;
      s.Stol[n] = card;
      s.StolOrder[n] = static_cast<std::uint8_t>(RankOrder(card.rank));
      s.StolPoints[n] = static_cast<std::uint8_t>(RankPoints(card.rank));
    }
    s.TrickPos = static_cast<std::uint8_t>(n + 1);
    s.LedSuit = n ? s.Stol[1].suit : kNoSuit;
    s.Leader = static_cast<std::uint8_t>((seat - 1 - n + 3) % 3 + 1);
    return *this;
  }

  View& Order(int zakaz, bool twenty = false, bool forty = false) {
    s.Zakaz = zakaz;
    s.DeclTwenty = twenty;
    s.DeclForty = forty;
    return *this;
  }

  View& Points(int seat1, int seat2, int seat3) {
    s.CardPoints = {0, seat1, seat2, seat3};
    return *this;
  }

  View& Inside(std::string_view names) {
    know.KnownDeclCards = SetOf(names);
    return *this;
  }
  View& Outside(std::string_view names) {
    know.KnownNotDeclCards = SetOf(names);
    return *this;
  }
  // Suit letters as 'h', 'd', 'c', 's' or '#', e.g. "c##".
  View& Ruffed(std::string_view letters) {
    for (std::size_t i = 0; i < 3; ++i) know.RuffedSuits[i] = Suit(letters[i]);
    return *this;
  }

  int Choose() const { return ChooseCard(s, seat, know); }
  // The name of the card chosen, "##" for no choice.
  std::string Pick() const {
    const int slot = Choose();
    if (slot < 1 || slot > 10) return "slot " + std::to_string(slot);
    return CardName(s.Hands[static_cast<std::size_t>(seat)][slot]);
  }
  PlayContext Context() const { return MakePlayContext(s, seat, know); }
  std::string NameAt(int slot) const {
    return slot ? CardName(s.Hands[static_cast<std::size_t>(seat)][slot]) : "none";
  }
};

}  // namespace varnok::ai::testing

// The state of the game on the table: one record, owned by whoever drives
// the table (the main window, a test, the simulator). Per-seat arrays are
// indexed 1..3; index 0 is unused.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cards.h"

namespace varnok {

// Phase codes. The numbers travel in game records, so they are fixed;
// 10 and 16 to 19 are never used.
enum Phase : std::uint8_t {
  phNone = 0,
  phBid1 = 1,
  phBid2 = 2,
  phBid3 = 3,
  phBidDone = 4,
  phWidowOpen = 5,
  phGive = 6,
  phGiveChosen = 7,
  phGiven = 8,
  phOrdered = 9,
  phPlay1 = 11,
  phPlay2 = 12,
  phPlay3 = 13,
  phTrickFull = 14,
  phRoundOver = 15,
  phNextRound = 20,
  phGameOver = 21,
};

bool IsValidPhase(int code);

inline constexpr int kStartScore = 501;
inline constexpr int kOpeningBidBase = 55;  // the bid before the first bid
inline constexpr int kBidStep = 5;
inline constexpr int kMaxOrder = 180;
inline constexpr int kGamesPerCycle = 25;

// The seat that plays after `seat` (1 -> 2 -> 3 -> 1).
constexpr int NextSeat(int seat) { return seat % 3 + 1; }

template <typename T>
using PerSeat = std::array<T, 4>;  // indexes 1..3

struct GameState {
  bool InGame = false;
  bool GameOver = false;
  std::uint8_t Phase = phNone;
  std::uint8_t RoundNo = 0;
  PerSeat<int> Scores{};
  PerSeat<int> RoundPoints{};
  PerSeat<int> CardPoints{};

  TCardList Deck = EmptyCardList();
  TByteList DeckOrder = EmptyCompanions();
  TByteList DeckPoints = EmptyCompanions();
  std::array<TCard, 4> Widow{};  // 1..3, copies of deck slots 22..24

  PerSeat<TCardList> Hands{EmptyCardList(), EmptyCardList(), EmptyCardList(), EmptyCardList()};
  PerSeat<TByteList> HandOrder{EmptyCompanions(), EmptyCompanions(), EmptyCompanions(), EmptyCompanions()};
  PerSeat<TByteList> HandPoints{EmptyCompanions(), EmptyCompanions(), EmptyCompanions(), EmptyCompanions()};
  PerSeat<std::uint8_t> HandCount{};

  PerSeat<TCardList> SavedHands{EmptyCardList(), EmptyCardList(), EmptyCardList(), EmptyCardList()};
  PerSeat<TByteList> SavedOrder{EmptyCompanions(), EmptyCompanions(), EmptyCompanions(), EmptyCompanions()};
  PerSeat<TByteList> SavedPoints{EmptyCompanions(), EmptyCompanions(), EmptyCompanions(), EmptyCompanions()};

  std::uint8_t BidState = 1;  // 1 dealt, bidding not begun; 2 bidding begun
  int CurrentBid = kOpeningBidBase;
  PerSeat<bool> InBidding{};
  std::array<int, 3> MaxBid{};  // 1..2, the computer seats' limits

  std::uint8_t Declarer = 0;
  std::uint8_t GiveIdx1 = 0;
  std::uint8_t GiveIdx2 = 0;
  std::array<TCard, 3> GivenCards{};  // 1..2

  std::uint8_t Trump = kNoSuit;
  int Zakaz = 0;

  std::uint8_t Leader = 0;
  std::uint8_t PrevLeader = 0;
  std::uint8_t LastTrickLeader = 0;

  TCardList Stol = EmptyCardList();  // the trick on the table, slots 1..3
  TByteList StolOrder = EmptyCompanions();
  TByteList StolPoints = EmptyCompanions();
  std::uint8_t LedSuit = kNoSuit;
  std::uint8_t TrickPos = 1;
  std::uint8_t TrickNo = 1;
  std::uint8_t MarriageNow = 0;  // 0, 1 twenty, 2 forty
  bool DeclTwenty = false;
  bool DeclForty = false;

  TCardList PlayedCards = EmptyCardList();  // three per collected trick, in play order
  std::uint8_t PlayedCount = 1;

  PerSeat<std::string> Names{};
  int KonNo = 1;
  int ProfileScore = 0;
  int HumanResult = 0;
  int ProfileScoreAfter = 0;

  friend bool operator==(const GameState&, const GameState&) = default;
};

// Who plays and how this copy meets the others; owned outside the engine.
struct TableMode {
  int ProfileSlot = 6;  // 1..5 club profile, 6 guest, 7 online account, 8 tournament seat
  bool NetGame = false;
  int NetPos = 1;  // 1 server, 2 and 3 clients
  bool NetThreeHumans = true;
  bool TourGame = false;
  int TourPos = 1;
};

// Options the engine reads.
struct EngineOptions {
  bool AnimateCards = false;
  bool KeepAfter100 = false;
  bool ShowCardsAtEnd = false;
};

// The seat that opens the bidding of round `round_no` as seen by this copy.
int FirstBidder(int round_no, const TableMode& mode);

// General counts of the three seats: the other two scores minus twice one's own.
PerSeat<int> GeneralCount(const PerSeat<int>& scores);

}  // namespace varnok

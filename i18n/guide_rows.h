// The rows of the `WordsGuide` table.
#pragma once

namespace varnok::i18n::guide {

inline constexpr int kNameAllowed = 0;      // what a name may hold
inline constexpr int kNotAllowed = 1;       // "Not allowed: " and the refused characters
inline constexpr int kBidOrPass = 2;
inline constexpr int kLeadAny = 3;
inline constexpr int kFollow = 4;           // %1 the led suit
inline constexpr int kTrumpIn = 5;          // %1 the led suit, %2 the trump
inline constexpr int kPlayAny = 6;
inline constexpr int kChooseGift = 7;
inline constexpr int kGiveChosen = 8;       // %1 the button's caption
inline constexpr int kCollectTrick = 9;     // %1 the button's caption
inline constexpr int kPressToContinue = 10; // %1 the button's caption
inline constexpr int kSeatPlaying = 11;     // %1 a seat's name
inline constexpr int kContract = 12;        // %1 declarer, %2 order, %3 trump
inline constexpr int kRefusedFollow = 13;   // %1 the led suit
inline constexpr int kRefusedTrump = 14;    // %1 the trump
inline constexpr int kAutoContinue = 15;    // the option
inline constexpr int kScoreSheet = 16;
inline constexpr int kRound = 17;
inline constexpr int kDeclarer = 18;
inline constexpr int kBid = 19;
inline constexpr int kOrder = 20;
inline constexpr int kMade = 21;
inline constexpr int kSet = 22;
inline constexpr int kMarriages = 23;
inline constexpr int kPointsAndScore = 24;
inline constexpr int kCountExplained = 25;
inline constexpr int kResumeOffer = 26;     // %1 the player, %2 the round
inline constexpr int kKeepOffer = 27;
inline constexpr int kKeptUnreadable = 28;
inline constexpr int kPassed = 29;

// Game records and their viewer.
inline constexpr int kSaveRecord = 30;
inline constexpr int kOpenRecord = 31;
inline constexpr int kKeepRecords = 32;
inline constexpr int kRecordCaption = 33;
inline constexpr int kDealAgain = 34;
inline constexpr int kAllCardsOpen = 35;
inline constexpr int kRoundOf = 36;         // %1 the round, %2 the rounds
inline constexpr int kTrickNo = 37;         // %1 the trick
inline constexpr int kPrevRound = 38;
inline constexpr int kNextRound = 39;
inline constexpr int kPrevTrick = 40;
inline constexpr int kNextTrick = 41;
inline constexpr int kPrevStep = 42;
inline constexpr int kNextStep = 43;
inline constexpr int kRecordSaved = 44;
inline constexpr int kRecordNotSaved = 45;
inline constexpr int kRecordOtherVersion = 46;
inline constexpr int kRecordDamaged = 47;
inline constexpr int kWidowCards = 48;
inline constexpr int kSeatBids = 49;        // %1 a seat's name, %2 the bid
inline constexpr int kSeatPasses = 50;      // %1 a seat's name
inline constexpr int kSeatPlays = 51;       // %1 a seat's name, %2 the card
inline constexpr int kSeatTakesTrick = 52;  // %1 a seat's name
inline constexpr int kTrumpIs = 53;         // %1 the suit
inline constexpr int kOrderIs = 54;         // %1 the points
inline constexpr int kRoundOver = 55;       // %1 the scores
inline constexpr int kRoundDealt = 56;      // %1 the round
inline constexpr int kWidowOpened = 57;
inline constexpr int kWidowTaken = 58;      // %1 the declarer
inline constexpr int kPlayersView = 59;
// The table for a screen reader.
inline constexpr int kHandOf = 60;          // %1 a seat's name
inline constexpr int kTableCards = 61;
inline constexpr int kPanelValue = 62;      // %1 the score, %2 the round's points
inline constexpr int kCardsDown = 63;       // %1 how many
inline constexpr int kRoundNo = 64;         // %1 the round
inline constexpr int kAnnouncements = 65;

}  // namespace varnok::i18n::guide

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
// The online club.
inline constexpr int kServerAnswering = 30;   // "please wait" while a rated call is pending
inline constexpr int kRatedGame = 31;         // the table's mark of a rated game
inline constexpr int kRatedSlot = 32;         // the signed-in fifth slot
inline constexpr int kRatedLeave = 33;        // leaving an announced rated game
inline constexpr int kProfileSaved = 34;
inline constexpr int kProfileRefused = 35;
inline constexpr int kPhotoSaved = 36;
inline constexpr int kPhotoRefused = 37;
inline constexpr int kChoosePhoto = 38;
inline constexpr int kPasswordLimit = 39;     // %1 the number of characters
inline constexpr int kLeaveGame = 40;         // the quit question
inline constexpr int kGoesOnByItself = 41;    // the status while "Ok" steps go on by themselves

// Game records and their viewer.
inline constexpr int kSaveRecord = 42;
inline constexpr int kOpenRecord = 43;
inline constexpr int kKeepRecords = 44;
inline constexpr int kRecordCaption = 45;
inline constexpr int kDealAgain = 46;
inline constexpr int kAllCardsOpen = 47;
inline constexpr int kRoundOf = 48;         // %1 the round, %2 the rounds
inline constexpr int kTrickNo = 49;         // %1 the trick
inline constexpr int kPrevRound = 50;
inline constexpr int kNextRound = 51;
inline constexpr int kPrevTrick = 52;
inline constexpr int kNextTrick = 53;
inline constexpr int kPrevStep = 54;
inline constexpr int kNextStep = 55;
inline constexpr int kRecordSaved = 56;
inline constexpr int kRecordNotSaved = 57;
inline constexpr int kRecordOtherVersion = 58;
inline constexpr int kRecordDamaged = 59;
inline constexpr int kWidowCards = 60;
inline constexpr int kSeatBids = 61;        // %1 a seat's name, %2 the bid
inline constexpr int kSeatPasses = 62;      // %1 a seat's name
inline constexpr int kSeatPlays = 63;       // %1 a seat's name, %2 the card
inline constexpr int kSeatTakesTrick = 64;  // %1 a seat's name
inline constexpr int kTrumpIs = 65;         // %1 the suit
inline constexpr int kOrderIs = 66;         // %1 the points
inline constexpr int kRoundOver = 67;       // %1 the scores
inline constexpr int kRoundDealt = 68;      // %1 the round
inline constexpr int kWidowOpened = 69;
inline constexpr int kWidowTaken = 70;      // %1 the declarer
inline constexpr int kPlayersView = 71;
// The table for a screen reader.
inline constexpr int kHandOf = 72;          // %1 a seat's name
inline constexpr int kTableCards = 73;
inline constexpr int kPanelValue = 74;      // %1 the score, %2 the round's points
inline constexpr int kCardsDown = 75;       // %1 how many
inline constexpr int kRoundNo = 76;         // %1 the round
inline constexpr int kAnnouncements = 77;

}  // namespace varnok::i18n::guide

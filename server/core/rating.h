// The rated-game record of an account and the changes one game may make to it.
//
// A rated game is announced before it is played: the record counts one more
// game worth -2000 points and its cycle position is cleared. When the game
// ends its result takes the 2000 points back and adds the game's count, and
// either moves the cycle on by one game or closes the cycle of 25 games. The
// server accepts a saved record only when it is one of these steps from what
// it holds (or the record unchanged), and stores the rating it computes
// itself; any other jump is refused.
#pragma once

#include <cstdint>
#include <string>

#include "club/rating.h"

namespace varnok::server {

using club::AnnounceRating;
using club::kAnnouncePenalty;
using club::kCycleLength;
using club::kMaxCycleScore;
using club::kMaxGameResult;
using club::kRatedGameCount;
using club::kRatingDivisor;
using club::ResultRating;

struct RatedRecord {
  std::int32_t kon = 0;       // rated games played
  std::int32_t best = 0;      // best cycle score
  double rating = 0;
  std::int32_t sessions = 0;  // completed cycles
  std::int32_t konl = 0;      // games of the current cycle, 0 to 24
  std::int32_t score = 0;     // score of the current cycle
  std::int32_t r1 = 0;
  std::string r2 = "#";
};

// What the server holds: the record, and while a game is announced the cycle
// position and score it had before the announcement.
struct StoredRated {
  RatedRecord record;
  bool announced = false;
  std::int32_t pre_konl = 0;
  std::int32_t pre_score = 0;
};

enum class RatedStep { kUnchanged, kAnnouncement, kResult, kCycleEnd, kRefused };

struct RatedJudgement {
  RatedStep step = RatedStep::kRefused;
  StoredRated next;  // what to store (the server's own rating)
};

// Judges a record the program saves against what the server holds.
RatedJudgement JudgeSavedRecord(const StoredRated& stored, const RatedRecord& proposed);

}  // namespace varnok::server

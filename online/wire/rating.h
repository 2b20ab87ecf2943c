// The global rating of club members: the club's formulas (club/rating.h)
// under the program's names.
#pragma once

#include "club/rating.h"

namespace varnok::online {

using club::AnnounceRating;
using club::kAnnouncePenalty;
using club::kCycleLength;
using club::kRatedGameCount;
using club::kRatingDivisor;
using club::ResultRating;

}  // namespace varnok::online

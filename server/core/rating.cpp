#include "rating.h"

#include <algorithm>
#include <cmath>

namespace varnok::server {

namespace {

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b)); }

bool SameCounters(const RatedRecord& a, const RatedRecord& b) {
  return a.kon == b.kon && a.best == b.best && a.sessions == b.sessions && a.konl == b.konl && a.score == b.score;
}

}  // namespace

RatedJudgement JudgeSavedRecord(const StoredRated& stored, const RatedRecord& proposed) {
  const RatedRecord& held = stored.record;
  RatedJudgement judgement;
  judgement.next = stored;
  judgement.next.record.r1 = proposed.r1;
  judgement.next.record.r2 = proposed.r2;

  if (SameCounters(held, proposed) && Near(proposed.rating, held.rating)) {
    judgement.step = RatedStep::kUnchanged;
    return judgement;
  }

  // Announcement: one more game worth -2000, the cycle position cleared.
  if (held.kon < INT32_MAX && proposed.kon == held.kon + kRatedGameCount && proposed.konl == 0 &&
      proposed.score == 0 && proposed.best == held.best && proposed.sessions == held.sessions) {
    const double rating = AnnounceRating(proposed.kon, kRatedGameCount, kAnnouncePenalty, kRatingDivisor, held.rating);
    if (Near(proposed.rating, rating)) {
      judgement.step = RatedStep::kAnnouncement;
      judgement.next.announced = true;
      judgement.next.pre_konl = held.konl;
      judgement.next.pre_score = held.score;
      RatedRecord& next = judgement.next.record;
      next.kon = proposed.kon;
      next.rating = rating;
      next.konl = 0;
      next.score = 0;
      return judgement;
    }
  }

  // Result of the announced game: the 2000 points back plus the game's count.
  if (stored.announced && held.kon > 0 && proposed.kon == held.kon) {
    const double n = held.kon;
    const double p_exact = n * (proposed.rating - held.rating) - kAnnouncePenalty;
    const double p = std::round(p_exact);
    if (std::fabs(p_exact - p) > 0.01 || std::fabs(p) > kMaxGameResult) return judgement;
    const auto result = static_cast<std::int64_t>(p);
    const std::int64_t cycle_score = static_cast<std::int64_t>(stored.pre_score) + result;
    if (std::llabs(cycle_score) > kMaxCycleScore) return judgement;
    RatedRecord next = held;
    next.rating = ResultRating(held.kon, p, kAnnouncePenalty, kRatingDivisor, held.rating);
    next.r1 = proposed.r1;
    next.r2 = proposed.r2;
    if (stored.pre_konl + kRatedGameCount > kCycleLength - 1) {
      next.best = static_cast<std::int32_t>(std::max<std::int64_t>(held.best, cycle_score));
      next.sessions = held.sessions + 1;
      next.konl = 0;
      next.score = 0;
      judgement.step = RatedStep::kCycleEnd;
    } else {
      next.konl = stored.pre_konl + kRatedGameCount;
      next.score = static_cast<std::int32_t>(cycle_score);
      judgement.step = RatedStep::kResult;
    }
    if (!SameCounters(next, proposed)) {
      judgement.step = RatedStep::kRefused;
      return judgement;
    }
    judgement.next.record = next;
    judgement.next.announced = false;
    judgement.next.pre_konl = 0;
    judgement.next.pre_score = 0;
    return judgement;
  }
  return judgement;
}

}  // namespace varnok::server

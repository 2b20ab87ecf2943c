#include "online_club.h"

#include <QTimer>
#include <memory>

#include "account_file.h"
#include "account_rules.h"
#include "rating.h"

namespace varnok::online {

OnlineClub::OnlineClub(OnlineClient& client, std::filesystem::path program_folder, QObject* parent)
    : QObject(parent), client_(client), program_folder_(std::move(program_folder)) {}

void OnlineClub::SetAccountState(int state) {
  if (state < kLoggedOut || state > kRatedNext) state = kLoggedOut;
  if (state == state_) return;
  state_ = state;
  Q_EMIT AccountChanged();
}

void OnlineClub::AutoLogin(std::function<void()> done) {
  SetAccountState(kLoggedOut);
  account_file_saved_ = false;
  const auto saved = ReadAccountFile(program_folder_);
  if (!saved) {
    if (done) done();
    return;
  }
  account_file_saved_ = true;
  client_.Run(LoginAccount{saved->Nick, saved->Pw}, this, [this, done = std::move(done)](LoginResult result) {
    // The returned record becomes the user's whatever the outcome.
    const TInfo14 info = data_.User.Info;
    data_.User = result.User;
    data_.User.Info = info;
    data_.User.PwC = ScramblePassword(data_.User.Pw);
    if (result.Ok) SetAccountState(kLoggedIn);
    Q_EMIT AccountChanged();
    if (done) done();
  });
}

void OnlineClub::CountLaunch(bool unique_start_counted, std::function<void(bool)> done) {
  const SendLaunch launch{kGameCode, 1, unique_start_counted ? 0 : 1};
  client_.Run(launch, this, [unique_start_counted, done = std::move(done)](bool ok) {
    if (done) done(unique_start_counted || ok);
  });
}

void OnlineClub::Login(std::function<void(bool)> done) {
  client_.Run(LoginAccount{data_.User.Nick, data_.User.Pw}, this, [this, done = std::move(done)](LoginResult result) {
    if (!result.Ok) {
      data_.GameRead = false;
      data_.MembersRead = false;
      if (done) done(false);
      return;
    }
    const TInfo14 info = data_.User.Info;
    data_.User = result.User;
    data_.User.Info = info;
    data_.User.PwC = ScramblePassword(data_.User.Pw);
    SetAccountState(kLoggedIn);
    if (done) done(true);
  });
}

void OnlineClub::RefreshResults(std::function<void()> done) {
  if (state_ <= kLoggedOut) {
    if (done) done();
    return;
  }
  client_.Run(ReadBest{data_.User.Nick, data_.User.Pw}, this, [this, done = std::move(done)](BestResult best) mutable {
    data_.GameRead = best.Ok;
    if (best.Ok) data_.Game = best.Game;
    client_.Run(ReadPlace{data_.Game.Rating}, this, [this, done = std::move(done)](NumberResult place) {
      if (place.Ok) data_.Game.Place = place.Value;
      if (done) done();
    });
  });
}

std::function<void()> OnlineClub::RatedCallBegins() {
  if (++rated_calls_ == 1) Q_EMIT RatedBusyChanged(true);
  auto ended = std::make_shared<bool>(false);
  return [this, ended] {
    if (*ended) return;
    *ended = true;
    if (--rated_calls_ == 0) Q_EMIT RatedBusyChanged(false);
  };
}

void OnlineClub::AnnounceRatedGame(std::function<void()> wrong_sound, std::function<void(bool)> done) {
  // The busy mark ends before the caller hears the outcome, so that the game it starts is not held.
  done = [end = RatedCallBegins(), done = std::move(done)](bool announced) {
    end();
    if (done) done(announced);
  };
  client_.Run(ReadBest{data_.User.Nick, data_.User.Pw}, this,
              [this, wrong_sound = std::move(wrong_sound), done = std::move(done)](BestResult best) mutable {
                data_.GameRead = best.Ok;
                if (!best.Ok) {
                  if (done) done(false);
                  return;
                }
                data_.Game = best.Game;
                kept_konl_ = best.Game.KonL;
                TZubGame announced = best.Game;
                announced.Kon += kRatedGameCount;
                announced.Rating = AnnounceRating(announced.Kon, kRatedGameCount, kAnnouncePenalty, kRatingDivisor,
                                                  best.Game.Rating);
                announced.KonL = 0;
                announced.Score = 0;
                // The memory keeps the record as it was read.
                client_.Run(SaveResult{data_.User.Nick, data_.User.Pw, announced}, this,
                            [this, as_read = best.Game, wrong_sound = std::move(wrong_sound),
                             done = std::move(done)](bool saved) mutable {
                              if (saved) {
                                if (done) done(true);
                                return;
                              }
                              SaveBack(as_read, 0, std::move(wrong_sound), [done = std::move(done)](bool) {
                                if (done) done(false);
                              });
                            });
              });
}

void OnlineClub::SaveBack(const TZubGame& as_read, int attempt, std::function<void()> wrong_sound,
                          std::function<void(bool)> done) {
  if (wrong_sound) wrong_sound();
  if (attempt >= 2) {
    if (done) done(false);
    return;
  }
  QTimer::singleShot(retry_pauses_[static_cast<std::size_t>(attempt)], this,
                     [this, as_read, attempt, wrong_sound = std::move(wrong_sound), done = std::move(done)]() mutable {
                       client_.Run(SaveResult{data_.User.Nick, data_.User.Pw, as_read}, this,
                                   [this, as_read, attempt, wrong_sound = std::move(wrong_sound),
                                    done = std::move(done)](bool saved) mutable {
                                     if (saved) {
                                       if (done) done(true);
                                       return;
                                     }
                                     SaveBack(as_read, attempt + 1, std::move(wrong_sound), std::move(done));
                                   });
                     });
}

void OnlineClub::SaveRatedResult(const FinishedRatedGame& game,
                                 std::function<void(bool saved, bool cycle_end)> done) {
  done = [end = RatedCallBegins(), done = std::move(done)](bool saved, bool cycle_end) {
    end();
    if (done) done(saved, cycle_end);
  };
  const int kept_konl = kept_konl_;
  client_.Run(ReadBest{data_.User.Nick, data_.User.Pw}, this,
              [this, game, kept_konl, done = std::move(done)](BestResult best) mutable {
                // The record must count the announced game: a rating over no games cannot be computed.
                if (!best.Ok || best.Game.Kon < kRatedGameCount) {
                  if (done) done(false, false);
                  return;
                }
                const TZubGame copy = data_.Game;
                TZubGame next = best.Game;
                next.Rating = ResultRating(next.Kon, game.HumanResult, kAnnouncePenalty, kRatingDivisor, next.Rating);
                const bool cycle_end = kept_konl + kRatedGameCount > kCycleLength - 1;
                if (cycle_end) {
                  if (game.ProfileScoreAfter > next.Best) next.Best = game.ProfileScoreAfter;
                  next.Sessions += 1;
                  next.KonL = 0;
                  next.Score = 0;
                } else {
                  next.KonL = kept_konl + kRatedGameCount;
                  next.Score = game.ProfileScoreAfter;
                }
                client_.Run(SaveResult{data_.User.Nick, data_.User.Pw, next}, this,
                            [this, next, copy, kept_konl, cycle_end, done = std::move(done)](bool saved) {
                              if (saved) {
                                data_.Game = next;
                                kept_konl_ = next.KonL;
                              } else {
                                data_.Game = copy;
                                kept_konl_ = kept_konl;
                              }
                              if (done) done(saved, saved && cycle_end);
                            });
              });
}

void OnlineClub::WriteCycleEntry(int score, std::function<void(std::optional<int>)> done) {
  const TZubUser& user = data_.User;
  const WriteTableEntry entry{kAccountTable, user.Nick, user.City, user.Country1, score, std::string(1, user.Sex),
                              "#", "#"};
  client_.Run(entry, this, [done = std::move(done)](NumberResult place) {
    if (done) done(place.Ok ? std::optional<int>(place.Value) : std::nullopt);
  });
}

}  // namespace varnok::online

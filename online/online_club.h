// The signed-in club account of the running program and the calls around
// it: the automatic login at start, the launch count, the announcement of a
// rated game and its result, the end of a rated cycle in table 309 and the
// game statistics. Every call runs on the event loop and ends in its
// continuation; none shows a message (the windows do).
#pragma once

#include <QImage>
#include <QObject>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "online_client.h"
#include "online_types.h"

namespace varnok::online {

// 1 not logged in, 2 logged in, 3 logged in and the next game is rated.
enum AccountStateValue { kLoggedOut = 1, kLoggedIn = 2, kRatedNext = 3 };

// The engine's profile slot of a game played for the rating.
inline constexpr int kRatedProfileSlot = 7;

struct ClubData {
  TZubUser User;
  TZubGame Game;
  bool GameRead = false;  // the last ReadBest succeeded
  std::int32_t Members = 0;
  bool MembersRead = false;
  std::array<TZubTop10, 10> TopTen;
  bool TopTenRead = false;
  TInfo14 PresidentInfo;
  std::optional<QImage> OwnPhoto;        // slot 1
  std::optional<QImage> PresidentPhoto;  // slot 2
};

// What the engine hands over at the end of a rated game.
struct FinishedRatedGame {
  int HumanResult = 0;
  int ProfileScoreAfter = 0;
};

class OnlineClub : public QObject {
  Q_OBJECT

 public:
  OnlineClub(OnlineClient& client, std::filesystem::path program_folder, QObject* parent = nullptr);

  OnlineClient& Client() { return client_; }
  int AccountState() const { return state_; }
  void SetAccountState(int state);
  ClubData& Data() { return data_; }
  const ClubData& Data() const { return data_; }
  bool AccountFileSaved() const { return account_file_saved_; }
  void SetAccountFileSaved(bool saved) { account_file_saved_ = saved; }
  const std::filesystem::path& ProgramFolder() const { return program_folder_; }
  // A rated game's announcement or result is on its way to the server: game
  // starts and the rated choice wait until it has ended.
  bool RatedBusy() const { return rated_calls_ > 0; }

  // The saved account logs in by itself; `done` follows in every case.
  void AutoLogin(std::function<void()> done);

  // Counts this start on the statistics service: a unique start until one
  // such count has succeeded. `done` gets the new value of the flag.
  void CountLaunch(bool unique_start_counted, std::function<void(bool)> done);

  // Logs in with the user record's nick and password; on success the state
  // is 2 and the reply's record is the user's. `done` gets the result.
  void Login(std::function<void(bool)> done);

  // Announces a rated game: the record read from the server counts one more
  // game worth the penalty. On a failed save the record as it was read is
  // saved back (after 2 and 3 seconds, each failure with `wrong_sound`).
  // `done` gets whether the game was announced.
  void AnnounceRatedGame(std::function<void()> wrong_sound, std::function<void(bool)> done);

  // One try at saving the result of the announced game; the memory keeps the
  // record as it was before the try when it fails. `done` gets whether it
  // was saved, and whether the cycle of 25 games is complete.
  void SaveRatedResult(const FinishedRatedGame& game, std::function<void(bool saved, bool cycle_end)> done);

  // The end of a rated cycle in table 309: `done` gets the place (nothing on failure).
  void WriteCycleEntry(int score, std::function<void(std::optional<int>)> done);

  // Reads the rated record and its place; `done` follows.
  void RefreshResults(std::function<void()> done);

  // Timings of the retries after a failed announcement (tests shorten them).
  void SetRetryPausesForTests(int first_ms, int second_ms) { retry_pauses_ = {first_ms, second_ms}; }

 Q_SIGNALS:
  // The state or the nick changed: the indicator and the menu redraw.
  void AccountChanged();
  // RatedBusy() changed.
  void RatedBusyChanged(bool busy);

 private:
  void SaveBack(const TZubGame& as_read, int attempt, std::function<void()> wrong_sound,
                std::function<void(bool)> done);
  // Counts a rated call in; the returned function counts it out (once).
  std::function<void()> RatedCallBegins();

  OnlineClient& client_;
  std::filesystem::path program_folder_;
  int state_ = kLoggedOut;
  bool account_file_saved_ = false;
  ClubData data_;
  std::array<int, 2> retry_pauses_{2000, 3000};
  int kept_konl_ = 0;
  int rated_calls_ = 0;
};

}  // namespace varnok::online

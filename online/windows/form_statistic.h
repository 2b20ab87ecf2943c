// TFormStatistic: the world statistics of the game ("WORLD STATS"): starts,
// unique starts, likes, the last like and the games counted by the server,
// filled when the server answers ("No Connect" when it does not), and the
// button "I like this game!" that counts one like per player.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "dialog_look.h"
#include "online_client.h"

class QLabel;

namespace varnok {
class TZubCardsButton;
}

namespace varnok::online {

struct LikeState {
  bool LikeSent = false;          // the settings' flag
  std::string PassportNick;       // "Incognito" until the player names himself
};

class TFormStatistic : public TBaizeDialog {
  Q_OBJECT

 public:
  // `ask_nick` asks for a nick while the passport nick is "Incognito"
  // (nothing when the player cancels); `liked` is told of a counted like (the
  // caller sets the flag, keeps the nick in the passport and saves the settings).
  TFormStatistic(OnlineClient& client, LikeState like, std::function<std::optional<std::string>()> ask_nick,
                 std::function<void(const std::string& nick)> liked, QWidget* parent = nullptr);

  bool Reading() const { return reading_; }
  void Like();

 private:
  void Fill(const StatsResult& stats);

  OnlineClient& client_;
  LikeState like_;
  std::function<std::optional<std::string>()> ask_nick_;
  std::function<void(const std::string&)> liked_;
  std::array<QLabel*, 10> values_{};
  TZubCardsButton* like_button_ = nullptr;
  StatsResult stats_;
  bool reading_ = true;
};

}  // namespace varnok::online

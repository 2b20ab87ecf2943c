// TFormWorldTop: the world top ten window with its seven views:
//   1 "ACCOUNT. RATING. ALL GAMES"        the account top ten by rating
//   2 "ACCOUNT. SCORE. GAMES IN CYCLE"    table 309
//   3 "WINDOWS. SCORE. GAMES IN CYCLE"    table 9
//   4 "ANDROID. SCORE. GAMES IN CYCLE"    table 109
//   5 "WINDOWS. ONLINE TOURNAMENT"        the tournament's top ten by score, rating or games
//   6 "WINDOWS. LOCAL GAMES WITH PC"      the local club file's top ten
//   7 "WINDOWS. NET GAMES"                the network club file's top ten
// The score tables add the number of their entries and the rows around the
// player. Every part fills when its reply arrives; "No Connect" stands where
// a read failed.
#pragma once

#include <QStringList>
#include <array>
#include <filesystem>

#include "dialog_look.h"
#include "online_client.h"
#include "settings.h"

class QGridLayout;
class QLabel;

namespace varnok::online {

class TFormWorldTop : public TBaizeDialog {
  Q_OBJECT

 public:
  struct Player {
    std::string Nick, City;  // whose rows are looked up around
  };
  TFormWorldTop(OnlineClient& client, Settings& passport, Player account, std::filesystem::path program_folder,
                int view, QWidget* parent = nullptr);

  void ShowView(int view, char tournament_kind = 's');
  int View() const { return view_; }
  int PendingReads() const { return pending_; }
  // The texts of the top rows and the rows near the player, as shown.
  QStringList TopLines() const;
  QStringList NearLines() const;
  QString CountLine() const;

  static constexpr int kViewCount = 7;

 private:
  void ClearRows();
  void ShowTable(int gid, const std::string& nick, const std::string& city, bool flags);
  void ShowRecordFile(const char* file);
  // One line: place, flag, face, nick, city or country, value.
  struct RowLabels {
    QLabel* Place = nullptr;
    QLabel* Flag = nullptr;
    QLabel* Face = nullptr;
    QLabel* Nick = nullptr;
    QLabel* Where = nullptr;
    QLabel* Value = nullptr;
  };
  using Rows = std::array<RowLabels, 10>;
  static void SetRow(RowLabels& row, const QString& place, const QPixmap& flag, char sex, const QString& nick,
                     const QString& where, const QString& value);
  static QString LineOf(const RowLabels& row);

  OnlineClient& client_;
  Settings& passport_;
  Player account_;
  std::filesystem::path program_folder_;
  int view_ = 3;
  int generation_ = 0;  // replies of an earlier view are dropped
  int pending_ = 0;
  QLabel* caption_ = nullptr;
  QLabel* count_ = nullptr;
  Rows top_{};
  Rows near_{};
};

}  // namespace varnok::online

// The records that the club's server fills: the account, its profile, the
// rated-game record of this game, the rows of the account top ten and of the
// results tables, the players and tables of the tournament, and the world
// statistics. Texts are UTF-8 in memory; the wire carries code page 1251.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace varnok::online {

// The game's number among the club's games, and the tables derived from it.
inline constexpr int kGameCode = 9;
inline constexpr int kPhoneTable = kGameCode + 100;   // 109: the phone version's cycles
inline constexpr int kAccountTable = kGameCode + 300;  // 309: account players' cycles
inline constexpr int kChatTable = 100;                 // the chat board, shared by all games
// The rated-game record of this game is sent with this prefix before its field names.
inline constexpr const char* kGamePrefix = "crdVarnok";
inline constexpr const char* kVersionText = "5.7f";

// The profile: fourteen short texts, in this order.
struct TInfo14 {
  std::string Name1, Name2, About, Telephone, EMailO, Skype, WebSite, OK, VK, Telegram, FaceBook, Twitter,
      Instagramm, YouTube;
  friend bool operator==(const TInfo14&, const TInfo14&) = default;
};

// An account; the signed-in user is one of these.
struct TZubUser {
  std::string Nick;      // 2 to 12 characters
  std::string Pw;        // 4 to 12 characters, in clear while the program runs
  std::string City;      // up to 15 characters
  std::string Country1;  // the country's short name
  std::string Country2;  // continent digit, "-", three digits ("1-001")
  char Sex = 'M';        // 'M' or 'W'
  std::string EMail;     // up to 30 characters
  std::string DateR = "00.00.0000";
  std::string R01 = "#", R02 = "#", R03 = "#";
  std::int32_t R04 = 0, R05 = 0, R06 = 0;
  std::string PwC;  // the scrambled password of the saved-account file
  TInfo14 Info;
  friend bool operator==(const TZubUser&, const TZubUser&) = default;
};

// The account's rated-game record of this game.
struct TZubGame {
  std::int32_t Kon = 0;       // games played for the rating
  std::int32_t Score = 0;     // score in the current cycle of 25 games
  std::int32_t Sessions = 0;  // completed cycles
  double Rating = 0.0;
  char PlayNow = 'N';
  std::int32_t R1 = 0;
  std::string R2 = "#";
  std::int32_t Place = 0;
  std::int32_t Best = 0;  // best cycle score
  std::int32_t KonL = 0;  // games of the current cycle, 0 to 24
  friend bool operator==(const TZubGame&, const TZubGame&) = default;
};

// One row of the account top ten.
struct TZubTop10 {
  std::string Nick, City, Country;  // Country holds the country code
  char Sex = 'M';
  double Rating = 0.0;
  friend bool operator==(const TZubTop10&, const TZubTop10&) = default;
};

// One row of a results table.
struct TZubRecord {
  std::int32_t RID = 0;
  std::int32_t GID = 0;
  std::int32_t Score = 0;
  std::string Nick = "#", Country = "#", City = "#", R07 = "#", R08 = "#", R09 = "#", R10 = "#*";
  std::int32_t Place = 0;
  friend bool operator==(const TZubRecord&, const TZubRecord&) = default;
};

// A tournament player.
struct TZubClient {
  std::string Nick;
  std::int32_t Score = 0, Kon = 0, Rating = 0;
  std::string Country, City;
  char Sex = 'M';
  std::string IP;
  friend bool operator==(const TZubClient&, const TZubClient&) = default;
};

// A tournament table with three seats.
struct TZubSeat {
  std::string Nick = "X";
  std::int32_t Score = 0, Kon = 0, Rating = 0;
  std::string Country = "X", City = "X";
  std::string Sex = "M";
  std::string IP = "X";
  friend bool operator==(const TZubSeat&, const TZubSeat&) = default;
};

struct TZubTable_3 {
  std::string IP = "0.0.0.0";  // the tournament game server
  std::int32_t Port = 0;
  std::string Free = "X";
  std::int32_t R1 = 0;
  std::string R2 = "X";
  std::array<TZubSeat, 3> Seats;
  friend bool operator==(const TZubTable_3&, const TZubTable_3&) = default;
};

// World statistics of a game.
struct TZubStat {
  std::int32_t GID = 0;
  std::int32_t Stat1 = 0, Stat2 = 0, Stat3 = 0;
  std::string Stat4;
  std::array<std::int32_t, 12> StatX{};
  std::int32_t StatY = 0;
  std::string StatZ;
  friend bool operator==(const TZubStat&, const TZubStat&) = default;
};

}  // namespace varnok::online

// Every operation of the club's server as a plain value: the request it
// sends (service, body style, fields in order) and how its reply is read into
// its results. A reader is given the reply's bytes, or nothing when the
// request failed (no connection, time-out, an HTTP error status); it starts
// from the operation's failure results and never fails itself.
//
// The Qt side (online_client.h) posts the request and hands the reply in.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "form_body.h"
#include "online_types.h"

namespace varnok::online {

enum class Service { Account, Results, Stats, Tour };

struct Request {
  Service Target = Service::Account;
  BodyStyle Style = BodyStyle::RawForm;
  FormFields Fields;
  bool ShortTimeout = false;  // sets the client's read time-out to 3000 ms
};

using Reply = std::optional<std::string_view>;

// ---- Account service -------------------------------------------------------

struct RegisterAccount {
  TZubUser User;
  using Result = int;  // 0 created, 1 nick taken, 2 failed
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct LoginResult {
  TZubUser User;
  bool Ok = false;
  bool Reached = false;  // a reply came: a failure with it is a refusal, without it the server was not reached
};
struct LoginAccount {
  std::string Nick, Pw;
  using Result = LoginResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct TopTenResult {
  std::array<TZubTop10, 10> Rows;
  bool Ok = false;
};
struct ReadTopTen {
  using Result = TopTenResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct NumberResult {
  std::int32_t Value = -1;
  bool Ok = false;
};
struct ReadPlace {
  double Rating = 0.0;
  using Result = NumberResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};
struct ReadMembers {
  using Result = NumberResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct BestResult {
  TZubGame Game;
  bool Ok = false;
};
struct ReadBest {
  std::string Nick, Pw;
  using Result = BestResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct SaveResult {
  std::string Nick, Pw;
  TZubGame Game;
  using Result = bool;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct InfoResult {
  TInfo14 Info;
  bool Ok = false;  // a profile record was read
};
struct ReadInfo {
  std::string Nick;
  using Result = InfoResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

// The password is sent too, so that nobody but the account's owner can
// change its profile.
struct SaveInfo {
  std::string Nick, Pw;
  TInfo14 Info;
  using Result = bool;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

// ---- Results service (world tables and the chat board) -------------------

struct ReadTableCount {
  std::int32_t Gid = kGameCode;
  using Result = NumberResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct TableResult {
  std::array<TZubRecord, 10> Rows;
  bool Ok = false;
};
struct ReadTable {
  std::int32_t Gid = kGameCode;
  using Result = TableResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};
struct ReadTableNear {
  std::int32_t Gid = kGameCode;
  std::string Nick, City;
  using Result = TableResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct WriteTableEntry {
  std::int32_t Gid = kGameCode;
  std::string Nick, City, Country;
  std::int32_t Score = 0;
  std::string R7, R9, R10;
  using Result = NumberResult;  // the place the entry took
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

// ---- Statistics service ----------------------------------------------------

struct StatsResult {
  TZubStat Stat;
  bool Ok = false;
};
struct ReadStats {
  std::int32_t Gid = kGameCode;
  using Result = StatsResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};
struct SendLaunch {
  std::int32_t Gid = kGameCode;
  std::int32_t Stat1 = 0, Stat2 = 0;
  using Result = bool;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};
struct SendLike {
  std::int32_t Gid = kGameCode;
  std::int32_t Stat3 = 0;
  std::string Text;
  using Result = bool;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};
struct SendGameStats {
  std::int32_t Gid = kGameCode;
  std::array<std::int32_t, 12> R{};
  using Result = bool;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

// ---- Tournament service ----------------------------------------------------

struct TablesResult {
  std::array<TZubTable_3, 10> Tables;  // tables 1 to 10
  bool Ok = false;
};
struct ReadTables {
  std::int32_t Gid = kGameCode;
  using Result = TablesResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct SeatResult {
  int Code = 1;  // 0 done, 2 refused (seat taken), 1 no answer
  bool Ok = false;
};
struct SetSeat {
  std::int32_t Gid = kGameCode;
  int Table = 1, Seat = 1;
  int Action = 1;  // 1 take the seat, 2 leave it, 0 clear it after a failure
  TZubClient Client;
  // The account's password: only its owner seats an account.
  std::string Pw;
  using Result = SeatResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct ClientResult {
  TZubClient Client;
  bool Ok = false;
};
struct ReadClient {
  std::int32_t Gid = kGameCode;
  int Table = 1, Seat = 1;
  using Result = ClientResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct ServerInfoResult {
  char State = 'X';  // 'Y': the tournament's game server runs
  std::string Text;  // "_" stands for blanks
  bool Ok = false;
};
struct ReadServerInfo {
  std::int32_t Gid = kGameCode;
  using Result = ServerInfoResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct TourRatingResult {
  std::int32_t Score = -1, Kon = 0, Rating = 0;
  bool Ok = false;
};
struct ReadTourRating {
  std::int32_t Gid = kGameCode;
  std::string Nick;
  using Result = TourRatingResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct ReadTourTop10 {
  std::int32_t Gid = kGameCode;
  char Kind = 's';  // 's' by score, 'r' by rating, 'k' by games
  using Result = TableResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

struct SendTourPlace {
  std::int32_t Gid = kGameCode;
  char Kind = 's';
  std::int32_t Value = 0;
  using Result = NumberResult;
  Request MakeRequest() const;
  Result Read(Reply reply) const;
};

// ---- Plain documents -------------------------------------------------------

// The lines of the caller's address as the echo gives them, each followed by a
// line break; empty when the fetch failed.
std::string ExternalIpText(Reply reply);

}  // namespace varnok::online

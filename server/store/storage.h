// Everything the server keeps, behind one small interface on Qt SQL: an
// SQLite file (the default, WAL, made on first start) or a PostgreSQL
// database shared by several server processes. The schema is made and moved
// on by numbered migrations at start; every statement binds its values.
//
// A Storage belongs to the thread that opened it.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/rating.h"

namespace varnok::server {

struct StorageConfig {
  // Empty or "sqlite:PATH" or a plain file path: SQLite. "postgresql://..." or
  // "postgres://..." or a libpq key=value text ("host=... dbname=..."):
  // PostgreSQL.
  QString database;
  QString data_folder;  // where the SQLite file goes when `database` is empty
  // SQLite: true syncs the log at every commit (an acknowledged write survives
  // a power cut); false syncs at checkpoints only (it survives a crash of the
  // server, not of the machine), for many more writes a second.
  bool sqlite_full_sync = true;
};

struct Account {
  std::int64_t id = 0;
  std::string nick;
  std::string pw_hash;
  std::string city, country1, country2, sex, email, dater, r01, r02, r03;
  std::int64_t r04 = 0, r05 = 0, r06 = 0;
};

using Profile = std::array<std::string, 14>;  // Name1 ... YouTube, in the record's order

struct TopRow {
  std::string nick, city, country1, country2, sex;
  double rating = 0;
};

struct TableEntry {
  std::int64_t id = 0;
  std::int64_t gid = 0;
  std::int64_t score = 0;
  std::string nick, country, city, r07, r08, r09, r10;
  std::int64_t place = 0;
};

struct GameStats {
  std::int64_t gid = 0;
  std::int64_t stat1 = 0, stat2 = 0, stat3 = 0;
  std::string stat4 = "#";
  std::array<std::int64_t, 12> x{};
  std::int64_t staty = 0;
  std::string statz = "#";
};

struct Seat {
  std::string nick = "X", country = "X", city = "X", sex = "M", ip = "X";
  std::int64_t score = 0, kon = 0, rating = 0;
  std::string holder_address;
  bool Free() const { return nick == "X"; }
};

struct TourStanding {
  std::string nick, city, country, sex;
  std::int64_t score = 0, kon = 0, rating = 0;
};

struct NewsItem {
  std::int64_t id = 0;
  std::int64_t posted_at = 0;
  std::string body;
};

enum class CreateResult { kCreated, kTaken, kFailed };
enum class SeatResult { kDone, kTaken, kRefused, kFailed };

class Storage {
 public:
  ~Storage();
  Storage(const Storage&) = delete;
  Storage& operator=(const Storage&) = delete;

  // Opens (and on first start makes) the database and runs the migrations.
  static std::unique_ptr<Storage> Open(const StorageConfig& config, QString* error);
  bool IsPostgres() const { return postgres_; }
  int SchemaVersion();
  QString Describe() const;  // "SQLite FILE" or "PostgreSQL host/db", without password

  // Accounts. Nicks are looked up without regard to the case of Latin letters.
  std::optional<Account> FindAccount(const std::string& nick, bool* failed = nullptr);
  CreateResult CreateAccount(const Account& account);
  std::optional<std::int64_t> CountAccounts();
  std::vector<Account> ListAccounts();
  bool RemoveAccount(const std::string& nick);
  std::optional<Profile> ReadProfile(std::int64_t account_id);
  bool SaveProfile(std::int64_t account_id, const Profile& profile);

  // Rated-game records per game prefix.
  std::optional<StoredRated> ReadRated(std::int64_t account_id, const std::string& prefix);
  // Judges and stores a saved record in one transaction; nothing on a
  // storage failure.
  std::optional<RatedStep> SaveRated(std::int64_t account_id, const std::string& prefix, const RatedRecord& proposed);
  std::optional<std::vector<TopRow>> TopTen(const std::string& prefix);
  std::optional<std::int64_t> RatingPlace(const std::string& prefix, double rating);

  // Results tables (world tables by gid, the chat board).
  std::optional<std::vector<TableEntry>> ReadTable(std::int64_t gid, std::int64_t offset, int limit);
  std::optional<std::int64_t> CountTable(std::int64_t gid);
  // The place of the best entry of that nick and city; 0 when there is none.
  std::optional<std::int64_t> PlaceOf(std::int64_t gid, const std::string& nick, const std::string& city);
  // Adds an entry and gives its place. A board entry (`numbered`) takes the
  // next number of its table as its score, in the same transaction, whatever
  // number it claimed.
  std::optional<TableEntry> WriteEntry(TableEntry entry, bool numbered);
  bool ClearTable(std::int64_t gid);

  // World statistics per game.
  std::optional<GameStats> ReadStats(std::int64_t gid);
  bool AddStats(std::int64_t gid, std::int64_t stat1, std::int64_t stat2, std::int64_t stat3,
                const std::optional<std::string>& last_like, const std::array<std::int64_t, 12>& x);

  // Tournament seats and standings.
  std::optional<std::map<int, Seat>> ReadSeats(std::int64_t gid, int table);  // seats 1..3
  // Takes a free seat (kTaken when someone holds it).
  SeatResult TakeSeat(std::int64_t gid, int table, int seat, const Seat& who);
  // Frees a seat; `address` must be the holder's unless empty (administrator).
  SeatResult FreeSeat(std::int64_t gid, int table, int seat, const std::string& address);
  bool ClearTourTable(std::int64_t gid, int table);
  // The game connection of a seat: once, from the address that took it, no
  // earlier than `taken_since` (seconds) after it was taken.
  SeatResult ClaimSeat(std::int64_t gid, int table, int seat, const std::string& address, std::int64_t taken_since);
  // Frees the seats of game `gid` taken before `taken_before` without a game connection.
  bool FreeUnclaimedSeats(std::int64_t gid, std::int64_t taken_before);
  // Seats of game `gid` held from an address.
  std::optional<std::int64_t> SeatsHeldFrom(std::int64_t gid, const std::string& address);
  std::optional<TourStanding> ReadStanding(std::int64_t gid, const std::string& nick);
  bool AddTourResult(std::int64_t gid, const TourStanding& who, std::int64_t points);
  // kind 's' score, 'r' rating, 'k' games.
  std::optional<std::vector<TourStanding>> TourTop(std::int64_t gid, char kind);
  std::optional<std::int64_t> TourPlace(std::int64_t gid, char kind, std::int64_t value);

  // News, server flags, photos.
  std::optional<std::vector<NewsItem>> ReadNews(int limit);
  std::optional<std::int64_t> PostNews(const std::string& body);
  std::optional<std::string> Flag(const std::string& name);
  bool SetFlag(const std::string& name, const std::string& value);
  std::optional<std::string> ReadPhoto(const std::string& nick, bool* failed = nullptr);
  bool SavePhoto(const std::string& nick, const std::string& jpeg);

 private:
  Storage() = default;
  bool Migrate(QString* error);
  QSqlQuery& Prepared(const char* sql);
  bool Run(QSqlQuery& query);
  bool Begin();
  bool Commit();
  void Rollback();
  QString Dialect(QString sql) const;

  QString connection_;
  QSqlDatabase db_;
  bool postgres_ = false;
  QString description_;
  std::map<const char*, std::unique_ptr<QSqlQuery>> prepared_;
};

// Lower-case form of a nick for lookups (Latin letters only).
std::string NickKey(const std::string& nick);
std::int64_t NowSeconds();

}  // namespace varnok::server

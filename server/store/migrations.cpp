#include "migrations.h"

namespace varnok::server {

const std::vector<Migration>& Migrations() {
  static const std::vector<Migration> migrations = {
      {1,
       {
           "CREATE TABLE accounts (id {ID}, nick TEXT NOT NULL, nick_key TEXT NOT NULL UNIQUE, pw_hash TEXT NOT NULL, "
           "city TEXT NOT NULL, country1 TEXT NOT NULL, country2 TEXT NOT NULL, sex TEXT NOT NULL, "
           "email TEXT NOT NULL, dater TEXT NOT NULL, r01 TEXT NOT NULL, r02 TEXT NOT NULL, r03 TEXT NOT NULL, "
           "r04 BIGINT NOT NULL, r05 BIGINT NOT NULL, r06 BIGINT NOT NULL, created_at BIGINT NOT NULL)",
           "CREATE TABLE profiles (account_id BIGINT PRIMARY KEY REFERENCES accounts (id) ON DELETE CASCADE, "
           "name1 TEXT NOT NULL, name2 TEXT NOT NULL, about TEXT NOT NULL, telephone TEXT NOT NULL, "
           "emailo TEXT NOT NULL, skype TEXT NOT NULL, website TEXT NOT NULL, ok TEXT NOT NULL, vk TEXT NOT NULL, "
           "telegram TEXT NOT NULL, facebook TEXT NOT NULL, twitter TEXT NOT NULL, instagramm TEXT NOT NULL, "
           "youtube TEXT NOT NULL)",
           "CREATE TABLE rated (account_id BIGINT NOT NULL REFERENCES accounts (id) ON DELETE CASCADE, "
           "prefix TEXT NOT NULL, kon BIGINT NOT NULL, best BIGINT NOT NULL, rating DOUBLE PRECISION NOT NULL, "
           "ses BIGINT NOT NULL, konl BIGINT NOT NULL, score BIGINT NOT NULL, r1 BIGINT NOT NULL, r2 TEXT NOT NULL, "
           "announced INTEGER NOT NULL, pre_konl BIGINT NOT NULL, pre_score BIGINT NOT NULL, "
           "PRIMARY KEY (account_id, prefix))",
           "CREATE INDEX rated_by_rating ON rated (prefix, rating)",
           "CREATE TABLE results (id {ID}, gid BIGINT NOT NULL, score BIGINT NOT NULL, nick TEXT NOT NULL, "
           "country TEXT NOT NULL, city TEXT NOT NULL, r07 TEXT NOT NULL, r08 TEXT NOT NULL, r09 TEXT NOT NULL, "
           "r10 TEXT NOT NULL, created_at BIGINT NOT NULL)",
           "CREATE INDEX results_by_rank ON results (gid, score DESC, id)",
           "CREATE INDEX results_by_nick ON results (gid, nick, city)",
           "CREATE TABLE table_counters (gid BIGINT PRIMARY KEY, last_number BIGINT NOT NULL)",
           "CREATE TABLE stats (gid BIGINT PRIMARY KEY, stat1 BIGINT NOT NULL, stat2 BIGINT NOT NULL, "
           "stat3 BIGINT NOT NULL, stat4 TEXT NOT NULL, x1 BIGINT NOT NULL, x2 BIGINT NOT NULL, x3 BIGINT NOT NULL, "
           "x4 BIGINT NOT NULL, x5 BIGINT NOT NULL, x6 BIGINT NOT NULL, x7 BIGINT NOT NULL, x8 BIGINT NOT NULL, "
           "x9 BIGINT NOT NULL, x10 BIGINT NOT NULL, x11 BIGINT NOT NULL, x12 BIGINT NOT NULL, "
           "staty BIGINT NOT NULL, statz TEXT NOT NULL)",
           "CREATE TABLE tour_seats (gid BIGINT NOT NULL, num BIGINT NOT NULL, seat BIGINT NOT NULL, "
           "nick TEXT NOT NULL, nick_key TEXT NOT NULL, country TEXT NOT NULL, city TEXT NOT NULL, "
           "sex TEXT NOT NULL, ip TEXT NOT NULL, holder_address TEXT NOT NULL, taken_at BIGINT NOT NULL, "
           "PRIMARY KEY (gid, num, seat))",
           "CREATE TABLE tour_ratings (gid BIGINT NOT NULL, nick_key TEXT NOT NULL, nick TEXT NOT NULL, "
           "city TEXT NOT NULL, country TEXT NOT NULL, sex TEXT NOT NULL, score BIGINT NOT NULL, "
           "kon BIGINT NOT NULL, rating BIGINT NOT NULL, PRIMARY KEY (gid, nick_key))",
           "CREATE TABLE news (id {ID}, posted_at BIGINT NOT NULL, body TEXT NOT NULL)",
           "CREATE TABLE flags (name TEXT PRIMARY KEY, value TEXT NOT NULL)",
           "CREATE TABLE photos (nick_key TEXT PRIMARY KEY, jpeg {BLOB} NOT NULL, updated_at BIGINT NOT NULL)",
       }},
      // A tournament seat remembers when its game connection came: a seat
      // without one is freed after a while.
      {2,
       {
           "ALTER TABLE tour_seats ADD COLUMN connected_at BIGINT NOT NULL DEFAULT 0",
           "CREATE INDEX tour_seats_by_holder ON tour_seats (gid, holder_address)",
       }},
  };
  return migrations;
}

}  // namespace varnok::server

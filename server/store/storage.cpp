#include "storage.h"

#include <QDateTime>
#include <QDir>
#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>
#include <QVariant>
#include <QtGlobal>
#include <atomic>
#include <cctype>
#include <initializer_list>

#include "migrations.h"

namespace varnok::server {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QVariant& value) { return value.toString().toStdString(); }

void Bind(QSqlQuery& query, std::initializer_list<QVariant> values) {
  int i = 0;
  for (const QVariant& value : values) query.bindValue(i++, value);
}

QVariant V(const std::string& text) { return QVariant(Q(text)); }
QVariant V(std::int64_t n) { return QVariant(static_cast<qlonglong>(n)); }
QVariant V(int n) { return QVariant(static_cast<qlonglong>(n)); }
QVariant V(double x) { return QVariant(x); }

std::atomic<int> connection_counter{0};

// "host=a port=5 dbname=b user=c password=d" into the database's fields.
void ApplyLibpqSpec(QSqlDatabase& db, const QString& spec, QString* description) {
  QStringList options;
  QString host = "(default)";
  QString name;
  for (const QString& part : spec.split(' ', Qt::SkipEmptyParts)) {
    const qsizetype eq = part.indexOf('=');
    if (eq <= 0) continue;
    const QString key = part.left(eq);
    const QString value = part.mid(eq + 1);
    if (key == "host" || key == "hostaddr") {
      db.setHostName(value);
      host = value;
    } else if (key == "port") {
      db.setPort(value.toInt());
    } else if (key == "dbname") {
      db.setDatabaseName(value);
      name = value;
    } else if (key == "user") {
      db.setUserName(value);
    } else if (key == "password") {
      db.setPassword(value);
    } else {
      options << part;
    }
  }
  if (!options.isEmpty()) db.setConnectOptions(options.join(';'));
  *description = "PostgreSQL " + host + "/" + name;
}

}  // namespace

std::string NickKey(const std::string& nick) {
  std::string key = nick;
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

std::int64_t NowSeconds() { return QDateTime::currentSecsSinceEpoch(); }

Storage::~Storage() {
  prepared_.clear();
  db_.close();
  db_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(connection_);
}

std::unique_ptr<Storage> Storage::Open(const StorageConfig& config, QString* error) {
  std::unique_ptr<Storage> storage(new Storage());
  storage->connection_ = QString("varnok-%1").arg(connection_counter.fetch_add(1));
  const QString spec = config.database.trimmed();
  const bool postgres = spec.startsWith("postgresql:") || spec.startsWith("postgres:") || spec.contains('=');
  storage->postgres_ = postgres;
  if (postgres) {
    if (!QSqlDatabase::isDriverAvailable("QPSQL")) {
      *error = "the PostgreSQL driver of Qt SQL (libqt6sql6-psql) is not installed";
      return nullptr;
    }
    storage->db_ = QSqlDatabase::addDatabase("QPSQL", storage->connection_);
    if (spec.contains("://")) {
      const QUrl url(spec);
      if (!url.host().isEmpty()) storage->db_.setHostName(url.host());
      if (url.port() > 0) storage->db_.setPort(url.port());
      if (!url.userName().isEmpty()) storage->db_.setUserName(url.userName());
      if (!url.password().isEmpty()) storage->db_.setPassword(url.password());
      const QString name = url.path().mid(1);
      if (!name.isEmpty()) storage->db_.setDatabaseName(name);
      QStringList options;
      const QUrlQuery query(url);
      for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == "host") storage->db_.setHostName(value);  // a socket folder
        else options << key + "=" + value;
      }
      if (!options.isEmpty()) storage->db_.setConnectOptions(options.join(';'));
      storage->description_ = "PostgreSQL " + (storage->db_.hostName().isEmpty() ? QString("(default)") : storage->db_.hostName()) +
                              "/" + name;
    } else if (spec == "postgresql:" || spec == "postgres:") {
      storage->description_ = "PostgreSQL (from the PG environment)";
    } else {
      ApplyLibpqSpec(storage->db_, spec, &storage->description_);
    }
  } else {
    QString path = spec;
    if (path.startsWith("sqlite:")) path = path.mid(7);
    if (path.isEmpty()) {
      QDir().mkpath(config.data_folder);
      path = QDir(config.data_folder).filePath("varnok.sqlite");
    }
    storage->db_ = QSqlDatabase::addDatabase("QSQLITE", storage->connection_);
    storage->db_.setDatabaseName(path);
    storage->db_.setConnectOptions("QSQLITE_BUSY_TIMEOUT=10000");
    storage->description_ = "SQLite " + path;
  }
  if (!storage->db_.open()) {
    *error = "cannot open the database (" + storage->description_ + "): " + storage->db_.lastError().text();
    return nullptr;
  }
  if (postgres) {
    QSqlQuery quiet(storage->db_);
    quiet.exec("SET client_min_messages TO warning");
  } else {
    QSqlQuery pragma(storage->db_);
    // Every acknowledged write is on disk: the write-ahead log, synced at each commit.
    const char* sync = config.sqlite_full_sync ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL";
    for (const char* sql : {"PRAGMA journal_mode=WAL", sync, "PRAGMA foreign_keys=ON"}) {
      if (!pragma.exec(sql)) {
        *error = QString("cannot set up the SQLite file: ") + pragma.lastError().text();
        return nullptr;
      }
    }
  }
  if (!storage->Migrate(error)) return nullptr;
  return storage;
}

QString Storage::Describe() const { return description_; }

QString Storage::Dialect(QString sql) const {
  sql.replace("{ID}", postgres_ ? "BIGSERIAL PRIMARY KEY" : "INTEGER PRIMARY KEY AUTOINCREMENT");
  sql.replace("{BLOB}", postgres_ ? "BYTEA" : "BLOB");
  return sql;
}

bool Storage::Migrate(QString* error) {
  QSqlQuery query(db_);
  if (!query.exec("CREATE TABLE IF NOT EXISTS schema_migrations (version BIGINT PRIMARY KEY, applied_at BIGINT NOT NULL)")) {
    *error = "cannot make the migrations table: " + query.lastError().text();
    return false;
  }
  for (const Migration& migration : Migrations()) {
    if (!Begin()) {
      *error = "cannot start a migration: " + db_.lastError().text();
      return false;
    }
    // Several processes may start at once on one database: one migrates, the others wait.
    if (postgres_ && !query.exec("SELECT pg_advisory_xact_lock(8466)")) {
      *error = "cannot lock the schema: " + query.lastError().text();
      Rollback();
      return false;
    }
    query.prepare("SELECT COUNT(*) FROM schema_migrations WHERE version = ?");
    query.bindValue(0, migration.version);
    if (!query.exec() || !query.next()) {
      *error = "cannot read the schema version: " + query.lastError().text();
      Rollback();
      return false;
    }
    const bool applied = query.value(0).toLongLong() > 0;
    query.finish();
    if (applied) {
      Commit();
      continue;
    }
    for (const char* statement : migration.statements) {
      if (!query.exec(Dialect(statement))) {
        *error = QString("migration %1 failed: %2").arg(migration.version).arg(query.lastError().text());
        Rollback();
        return false;
      }
    }
    query.prepare("INSERT INTO schema_migrations (version, applied_at) VALUES (?, ?)");
    query.bindValue(0, migration.version);
    query.bindValue(1, static_cast<qlonglong>(NowSeconds()));
    if (!query.exec() || !Commit()) {
      *error = "cannot record migration: " + query.lastError().text();
      Rollback();
      return false;
    }
  }
  return true;
}

int Storage::SchemaVersion() {
  QSqlQuery query(db_);
  if (!query.exec("SELECT MAX(version) FROM schema_migrations") || !query.next()) return -1;
  return query.value(0).toInt();
}

QSqlQuery& Storage::Prepared(const char* sql) {
  auto it = prepared_.find(sql);
  if (it == prepared_.end()) {
    auto query = std::make_unique<QSqlQuery>(db_);
    if (!query->prepare(QString::fromUtf8(sql))) {
      qWarning("storage: cannot prepare a statement: %s", qPrintable(query->lastError().text()));
    }
    it = prepared_.emplace(sql, std::move(query)).first;
  }
  return *it->second;
}

bool Storage::Run(QSqlQuery& query) {
  if (!query.exec()) {
    qWarning("storage: statement failed: %s", qPrintable(query.lastError().text()));
    return false;
  }
  return true;
}

bool Storage::Begin() {
  QSqlQuery query(db_);
  // SQLite takes the write lock at once, so a transaction never fails halfway on another writer.
  return query.exec(postgres_ ? "BEGIN" : "BEGIN IMMEDIATE");
}

bool Storage::Commit() {
  QSqlQuery query(db_);
  if (!query.exec("COMMIT")) {
    qWarning("storage: commit failed: %s", qPrintable(query.lastError().text()));
    return false;
  }
  return true;
}

void Storage::Rollback() {
  QSqlQuery query(db_);
  query.exec("ROLLBACK");
}

// ---------------------------------------------------------------- accounts

namespace {

Account AccountFrom(const QSqlQuery& q) {
  Account a;
  a.id = q.value(0).toLongLong();
  a.nick = S(q.value(1));
  a.pw_hash = S(q.value(2));
  a.city = S(q.value(3));
  a.country1 = S(q.value(4));
  a.country2 = S(q.value(5));
  a.sex = S(q.value(6));
  a.email = S(q.value(7));
  a.dater = S(q.value(8));
  a.r01 = S(q.value(9));
  a.r02 = S(q.value(10));
  a.r03 = S(q.value(11));
  a.r04 = q.value(12).toLongLong();
  a.r05 = q.value(13).toLongLong();
  a.r06 = q.value(14).toLongLong();
  return a;
}

}  // namespace

std::optional<Account> Storage::FindAccount(const std::string& nick, bool* failed) {
  QSqlQuery& q = Prepared(
      "SELECT id, nick, pw_hash, city, country1, country2, sex, email, dater, r01, r02, r03, r04, r05, r06 "
      "FROM accounts WHERE nick_key = ?");
  Bind(q, {V(NickKey(nick))});
  if (failed) *failed = false;
  if (!Run(q)) {
    if (failed) *failed = true;
    return std::nullopt;
  }
  std::optional<Account> account;
  if (q.next()) account = AccountFrom(q);
  q.finish();
  return account;
}

CreateResult Storage::CreateAccount(const Account& a) {
  if (!Begin()) return CreateResult::kFailed;
  QSqlQuery& exists = Prepared("SELECT COUNT(*) FROM accounts WHERE nick_key = ?");
  Bind(exists, {V(NickKey(a.nick))});
  if (!Run(exists) || !exists.next()) {
    Rollback();
    return CreateResult::kFailed;
  }
  const bool taken = exists.value(0).toLongLong() > 0;
  exists.finish();
  if (taken) {
    Rollback();
    return CreateResult::kTaken;
  }
  QSqlQuery& q = Prepared(
      "INSERT INTO accounts (nick, nick_key, pw_hash, city, country1, country2, sex, email, dater, "
      "r01, r02, r03, r04, r05, r06, created_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  Bind(q, {V(a.nick), V(NickKey(a.nick)), V(a.pw_hash), V(a.city), V(a.country1), V(a.country2), V(a.sex),
           V(a.email), V(a.dater), V(a.r01), V(a.r02), V(a.r03), V(a.r04), V(a.r05), V(a.r06), V(NowSeconds())});
  if (!Run(q)) {
    Rollback();
    // A second process may have taken the nick between the look and the insert.
    return FindAccount(a.nick) ? CreateResult::kTaken : CreateResult::kFailed;
  }
  q.finish();
  return Commit() ? CreateResult::kCreated : CreateResult::kFailed;
}

std::optional<std::int64_t> Storage::CountAccounts() {
  QSqlQuery& q = Prepared("SELECT COUNT(*) FROM accounts");
  if (!Run(q) || !q.next()) return std::nullopt;
  const std::int64_t n = q.value(0).toLongLong();
  q.finish();
  return n;
}

std::vector<Account> Storage::ListAccounts() {
  std::vector<Account> accounts;
  QSqlQuery& q = Prepared(
      "SELECT id, nick, pw_hash, city, country1, country2, sex, email, dater, r01, r02, r03, r04, r05, r06 "
      "FROM accounts ORDER BY nick_key");
  if (!Run(q)) return accounts;
  while (q.next()) accounts.push_back(AccountFrom(q));
  q.finish();
  return accounts;
}

bool Storage::RemoveAccount(const std::string& nick) {
  const std::optional<Account> account = FindAccount(nick);
  if (!account) return false;
  if (!Begin()) return false;
  QSqlQuery& rated = Prepared("DELETE FROM rated WHERE account_id = ?");
  Bind(rated, {V(account->id)});
  QSqlQuery& profile = Prepared("DELETE FROM profiles WHERE account_id = ?");
  QSqlQuery& photo = Prepared("DELETE FROM photos WHERE nick_key = ?");
  QSqlQuery& q = Prepared("DELETE FROM accounts WHERE id = ?");
  bool ok = Run(rated);
  Bind(profile, {V(account->id)});
  ok = ok && Run(profile);
  Bind(photo, {V(NickKey(nick))});
  ok = ok && Run(photo);
  Bind(q, {V(account->id)});
  ok = ok && Run(q);
  if (!ok) {
    Rollback();
    return false;
  }
  return Commit();
}

std::optional<Profile> Storage::ReadProfile(std::int64_t account_id) {
  QSqlQuery& q = Prepared(
      "SELECT name1, name2, about, telephone, emailo, skype, website, ok, vk, telegram, facebook, twitter, "
      "instagramm, youtube FROM profiles WHERE account_id = ?");
  Bind(q, {V(account_id)});
  if (!Run(q)) return std::nullopt;
  Profile profile;
  if (q.next()) {
    for (int i = 0; i < 14; ++i) profile[static_cast<std::size_t>(i)] = S(q.value(i));
  }
  q.finish();
  return profile;
}

bool Storage::SaveProfile(std::int64_t account_id, const Profile& p) {
  QSqlQuery& q = Prepared(
      "INSERT INTO profiles (account_id, name1, name2, about, telephone, emailo, skype, website, ok, vk, telegram, "
      "facebook, twitter, instagramm, youtube) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
      "ON CONFLICT (account_id) DO UPDATE SET name1 = excluded.name1, name2 = excluded.name2, "
      "about = excluded.about, telephone = excluded.telephone, emailo = excluded.emailo, skype = excluded.skype, "
      "website = excluded.website, ok = excluded.ok, vk = excluded.vk, telegram = excluded.telegram, "
      "facebook = excluded.facebook, twitter = excluded.twitter, instagramm = excluded.instagramm, "
      "youtube = excluded.youtube");
  Bind(q, {V(account_id), V(p[0]), V(p[1]), V(p[2]), V(p[3]), V(p[4]), V(p[5]), V(p[6]), V(p[7]), V(p[8]),
           V(p[9]), V(p[10]), V(p[11]), V(p[12]), V(p[13])});
  const bool ok = Run(q);
  q.finish();
  return ok;
}

// ---------------------------------------------------------------- rated records

std::optional<StoredRated> Storage::ReadRated(std::int64_t account_id, const std::string& prefix) {
  QSqlQuery& q = Prepared(
      "SELECT kon, best, rating, ses, konl, score, r1, r2, announced, pre_konl, pre_score FROM rated "
      "WHERE account_id = ? AND prefix = ?");
  Bind(q, {V(account_id), V(prefix)});
  if (!Run(q)) return std::nullopt;
  StoredRated stored;
  if (q.next()) {
    RatedRecord& r = stored.record;
    r.kon = q.value(0).toInt();
    r.best = q.value(1).toInt();
    r.rating = q.value(2).toDouble();
    r.sessions = q.value(3).toInt();
    r.konl = q.value(4).toInt();
    r.score = q.value(5).toInt();
    r.r1 = q.value(6).toInt();
    r.r2 = S(q.value(7));
    stored.announced = q.value(8).toInt() != 0;
    stored.pre_konl = q.value(9).toInt();
    stored.pre_score = q.value(10).toInt();
  }
  q.finish();
  return stored;
}

std::optional<RatedStep> Storage::SaveRated(std::int64_t account_id, const std::string& prefix,
                                            const RatedRecord& proposed) {
  if (!Begin()) return std::nullopt;
  if (postgres_) {
    // Two saves of one record are judged one after the other.
    QSqlQuery& lock = Prepared("SELECT pg_advisory_xact_lock(?)");
    Bind(lock, {V(account_id)});
    if (!Run(lock)) {
      Rollback();
      return std::nullopt;
    }
    lock.finish();
  }
  const std::optional<StoredRated> stored = ReadRated(account_id, prefix);
  if (!stored) {
    Rollback();
    return std::nullopt;
  }
  const RatedJudgement judgement = JudgeSavedRecord(*stored, proposed);
  if (judgement.step == RatedStep::kRefused || judgement.step == RatedStep::kUnchanged) {
    Rollback();
    return judgement.step;
  }
  const StoredRated& n = judgement.next;
  QSqlQuery& q = Prepared(
      "INSERT INTO rated (account_id, prefix, kon, best, rating, ses, konl, score, r1, r2, announced, pre_konl, "
      "pre_score) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (account_id, prefix) DO UPDATE SET "
      "kon = excluded.kon, best = excluded.best, rating = excluded.rating, ses = excluded.ses, "
      "konl = excluded.konl, score = excluded.score, r1 = excluded.r1, r2 = excluded.r2, "
      "announced = excluded.announced, pre_konl = excluded.pre_konl, pre_score = excluded.pre_score");
  Bind(q, {V(account_id), V(prefix), V(n.record.kon), V(n.record.best), V(n.record.rating), V(n.record.sessions),
           V(n.record.konl), V(n.record.score), V(n.record.r1), V(n.record.r2), V(n.announced ? 1 : 0),
           V(n.pre_konl), V(n.pre_score)});
  if (!Run(q)) {
    Rollback();
    return std::nullopt;
  }
  q.finish();
  if (!Commit()) return std::nullopt;
  return judgement.step;
}

std::optional<std::vector<TopRow>> Storage::TopTen(const std::string& prefix) {
  QSqlQuery& q = Prepared(
      "SELECT a.nick, a.city, a.country1, a.country2, a.sex, r.rating FROM rated r JOIN accounts a "
      "ON a.id = r.account_id WHERE r.prefix = ? AND r.kon > 0 ORDER BY r.rating DESC, a.nick_key ASC LIMIT 10");
  Bind(q, {V(prefix)});
  if (!Run(q)) return std::nullopt;
  std::vector<TopRow> rows;
  while (q.next()) {
    rows.push_back({S(q.value(0)), S(q.value(1)), S(q.value(2)), S(q.value(3)), S(q.value(4)), q.value(5).toDouble()});
  }
  q.finish();
  return rows;
}

std::optional<std::int64_t> Storage::RatingPlace(const std::string& prefix, double rating) {
  QSqlQuery& q = Prepared("SELECT COUNT(*) FROM rated WHERE prefix = ? AND kon > 0 AND rating > ?");
  Bind(q, {V(prefix), V(rating)});
  if (!Run(q) || !q.next()) return std::nullopt;
  const std::int64_t above = q.value(0).toLongLong();
  q.finish();
  return above + 1;
}

// ---------------------------------------------------------------- results tables

namespace {

TableEntry EntryFrom(const QSqlQuery& q) {
  TableEntry e;
  e.id = q.value(0).toLongLong();
  e.gid = q.value(1).toLongLong();
  e.score = q.value(2).toLongLong();
  e.nick = S(q.value(3));
  e.country = S(q.value(4));
  e.city = S(q.value(5));
  e.r07 = S(q.value(6));
  e.r08 = S(q.value(7));
  e.r09 = S(q.value(8));
  e.r10 = S(q.value(9));
  return e;
}

}  // namespace

std::optional<std::vector<TableEntry>> Storage::ReadTable(std::int64_t gid, std::int64_t offset, int limit) {
  QSqlQuery& q = Prepared(
      "SELECT id, gid, score, nick, country, city, r07, r08, r09, r10 FROM results WHERE gid = ? "
      "ORDER BY score DESC, id ASC LIMIT ? OFFSET ?");
  Bind(q, {V(gid), V(limit), V(offset)});
  if (!Run(q)) return std::nullopt;
  std::vector<TableEntry> rows;
  std::int64_t place = offset;
  while (q.next()) {
    rows.push_back(EntryFrom(q));
    rows.back().place = ++place;
  }
  q.finish();
  return rows;
}

std::optional<std::int64_t> Storage::CountTable(std::int64_t gid) {
  QSqlQuery& q = Prepared("SELECT COUNT(*) FROM results WHERE gid = ?");
  Bind(q, {V(gid)});
  if (!Run(q) || !q.next()) return std::nullopt;
  const std::int64_t n = q.value(0).toLongLong();
  q.finish();
  return n;
}

namespace {

const char* const kPlaceSql = "SELECT COUNT(*) FROM results WHERE gid = ? AND (score > ? OR (score = ? AND id < ?))";

}  // namespace

std::optional<std::int64_t> Storage::PlaceOf(std::int64_t gid, const std::string& nick, const std::string& city) {
  QSqlQuery& q = Prepared(
      "SELECT id, score FROM results WHERE gid = ? AND nick = ? AND city = ? ORDER BY score DESC, id ASC LIMIT 1");
  Bind(q, {V(gid), V(nick), V(city)});
  if (!Run(q)) return std::nullopt;
  if (!q.next()) {
    q.finish();
    return 0;
  }
  const std::int64_t id = q.value(0).toLongLong();
  const std::int64_t score = q.value(1).toLongLong();
  q.finish();
  QSqlQuery& p = Prepared(kPlaceSql);
  Bind(p, {V(gid), V(score), V(score), V(id)});
  if (!Run(p) || !p.next()) return std::nullopt;
  const std::int64_t above = p.value(0).toLongLong();
  p.finish();
  return above + 1;
}

std::optional<TableEntry> Storage::WriteEntry(TableEntry e, bool numbered) {
  if (!Begin()) return std::nullopt;
  auto fail = [this]() -> std::optional<TableEntry> {
    Rollback();
    return std::nullopt;
  };
  if (numbered) {
    QSqlQuery& seed = Prepared(
        "INSERT INTO table_counters (gid, last_number) SELECT ?, COALESCE(MAX(score), 0) FROM results WHERE gid = ? "
        "ON CONFLICT (gid) DO NOTHING");
    Bind(seed, {V(e.gid), V(e.gid)});
    if (!Run(seed)) return fail();
    seed.finish();
    QSqlQuery& next = Prepared(
        "UPDATE table_counters SET last_number = last_number + 1 WHERE gid = ? RETURNING last_number");
    Bind(next, {V(e.gid)});
    if (!Run(next) || !next.next()) return fail();
    e.score = next.value(0).toLongLong();
    next.finish();
  }
  QSqlQuery& q = Prepared(
      "INSERT INTO results (gid, score, nick, country, city, r07, r08, r09, r10, created_at) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id");
  Bind(q, {V(e.gid), V(e.score), V(e.nick), V(e.country), V(e.city), V(e.r07), V(e.r08), V(e.r09), V(e.r10),
           V(NowSeconds())});
  if (!Run(q) || !q.next()) return fail();
  e.id = q.value(0).toLongLong();
  q.finish();
  QSqlQuery& p = Prepared(kPlaceSql);
  Bind(p, {V(e.gid), V(e.score), V(e.score), V(e.id)});
  if (!Run(p) || !p.next()) return fail();
  e.place = p.value(0).toLongLong() + 1;
  p.finish();
  if (!Commit()) return std::nullopt;
  return e;
}

bool Storage::ClearTable(std::int64_t gid) {
  QSqlQuery& q = Prepared("DELETE FROM results WHERE gid = ?");
  Bind(q, {V(gid)});
  return Run(q);
}

// ---------------------------------------------------------------- statistics

std::optional<GameStats> Storage::ReadStats(std::int64_t gid) {
  QSqlQuery& q = Prepared(
      "SELECT stat1, stat2, stat3, stat4, x1, x2, x3, x4, x5, x6, x7, x8, x9, x10, x11, x12, staty, statz "
      "FROM stats WHERE gid = ?");
  Bind(q, {V(gid)});
  if (!Run(q)) return std::nullopt;
  GameStats s;
  s.gid = gid;
  if (q.next()) {
    s.stat1 = q.value(0).toLongLong();
    s.stat2 = q.value(1).toLongLong();
    s.stat3 = q.value(2).toLongLong();
    s.stat4 = S(q.value(3));
    for (int i = 0; i < 12; ++i) s.x[static_cast<std::size_t>(i)] = q.value(4 + i).toLongLong();
    s.staty = q.value(16).toLongLong();
    s.statz = S(q.value(17));
  }
  q.finish();
  return s;
}

bool Storage::AddStats(std::int64_t gid, std::int64_t stat1, std::int64_t stat2, std::int64_t stat3,
                       const std::optional<std::string>& last_like, const std::array<std::int64_t, 12>& x) {
  QSqlQuery& q = Prepared(
      "INSERT INTO stats (gid, stat1, stat2, stat3, stat4, x1, x2, x3, x4, x5, x6, x7, x8, x9, x10, x11, x12, staty, "
      "statz) VALUES (?, ?, ?, ?, COALESCE(?, '#'), ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, '#') "
      "ON CONFLICT (gid) DO UPDATE SET stat1 = stats.stat1 + excluded.stat1, stat2 = stats.stat2 + excluded.stat2, "
      "stat3 = stats.stat3 + excluded.stat3, stat4 = COALESCE(?, stats.stat4), x1 = stats.x1 + excluded.x1, "
      "x2 = stats.x2 + excluded.x2, x3 = stats.x3 + excluded.x3, x4 = stats.x4 + excluded.x4, "
      "x5 = stats.x5 + excluded.x5, x6 = stats.x6 + excluded.x6, x7 = stats.x7 + excluded.x7, "
      "x8 = stats.x8 + excluded.x8, x9 = stats.x9 + excluded.x9, x10 = stats.x10 + excluded.x10, "
      "x11 = stats.x11 + excluded.x11, x12 = stats.x12 + excluded.x12");
  const QVariant like = last_like ? V(*last_like) : QVariant(QMetaType::fromType<QString>());
  Bind(q, {V(gid), V(stat1), V(stat2), V(stat3), like, V(x[0]), V(x[1]), V(x[2]), V(x[3]), V(x[4]), V(x[5]),
           V(x[6]), V(x[7]), V(x[8]), V(x[9]), V(x[10]), V(x[11]), like});
  const bool ok = Run(q);
  q.finish();
  return ok;
}

// ---------------------------------------------------------------- tournament

std::optional<std::map<int, Seat>> Storage::ReadSeats(std::int64_t gid, int table) {
  QSqlQuery& q = Prepared(
      "SELECT s.seat, s.nick, s.country, s.city, s.sex, s.ip, s.holder_address, "
      "COALESCE(t.score, 0), COALESCE(t.kon, 0), COALESCE(t.rating, 0) FROM tour_seats s "
      "LEFT JOIN tour_ratings t ON t.gid = s.gid AND t.nick_key = s.nick_key WHERE s.gid = ? AND s.num = ?");
  Bind(q, {V(gid), V(table)});
  if (!Run(q)) return std::nullopt;
  std::map<int, Seat> seats = {{1, Seat()}, {2, Seat()}, {3, Seat()}};
  while (q.next()) {
    const int n = q.value(0).toInt();
    if (n < 1 || n > 3) continue;
    Seat& s = seats[n];
    s.nick = S(q.value(1));
    s.country = S(q.value(2));
    s.city = S(q.value(3));
    s.sex = S(q.value(4));
    s.ip = S(q.value(5));
    s.holder_address = S(q.value(6));
    s.score = q.value(7).toLongLong();
    s.kon = q.value(8).toLongLong();
    s.rating = q.value(9).toLongLong();
  }
  q.finish();
  return seats;
}

SeatResult Storage::TakeSeat(std::int64_t gid, int table, int seat, const Seat& who) {
  QSqlQuery& q = Prepared(
      "INSERT INTO tour_seats (gid, num, seat, nick, nick_key, country, city, sex, ip, holder_address, taken_at) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (gid, num, seat) DO NOTHING");
  Bind(q, {V(gid), V(table), V(seat), V(who.nick), V(NickKey(who.nick)), V(who.country), V(who.city), V(who.sex),
           V(who.ip), V(who.holder_address), V(NowSeconds())});
  if (!Run(q)) return SeatResult::kFailed;
  const int rows = q.numRowsAffected();
  q.finish();
  return rows == 1 ? SeatResult::kDone : SeatResult::kTaken;
}

SeatResult Storage::FreeSeat(std::int64_t gid, int table, int seat, const std::string& address) {
  QSqlQuery& q = Prepared(
      "DELETE FROM tour_seats WHERE gid = ? AND num = ? AND seat = ? AND (? = '' OR holder_address = ?)");
  Bind(q, {V(gid), V(table), V(seat), V(address), V(address)});
  if (!Run(q)) return SeatResult::kFailed;
  const int rows = q.numRowsAffected();
  q.finish();
  if (rows == 1) return SeatResult::kDone;
  // Nothing removed: the seat was free already (done) or another's (refused).
  const std::optional<std::map<int, Seat>> seats = ReadSeats(gid, table);
  if (!seats) return SeatResult::kFailed;
  return seats->at(seat).Free() ? SeatResult::kDone : SeatResult::kRefused;
}

bool Storage::ClearTourTable(std::int64_t gid, int table) {
  QSqlQuery& q = Prepared("DELETE FROM tour_seats WHERE gid = ? AND (? = 0 OR num = ?)");
  Bind(q, {V(gid), V(table), V(table)});
  const bool ok = Run(q);
  q.finish();
  return ok;
}

SeatResult Storage::ClaimSeat(std::int64_t gid, int table, int seat, const std::string& address,
                               std::int64_t taken_since) {
  QSqlQuery& q = Prepared(
      "UPDATE tour_seats SET connected_at = ? WHERE gid = ? AND num = ? AND seat = ? AND connected_at = 0 "
      "AND holder_address = ? AND taken_at >= ?");
  Bind(q, {V(NowSeconds()), V(gid), V(table), V(seat), V(address), V(taken_since)});
  if (!Run(q)) return SeatResult::kFailed;
  const int rows = q.numRowsAffected();
  q.finish();
  return rows == 1 ? SeatResult::kDone : SeatResult::kRefused;
}

bool Storage::FreeUnclaimedSeats(std::int64_t gid, std::int64_t taken_before) {
  QSqlQuery& q = Prepared("DELETE FROM tour_seats WHERE gid = ? AND connected_at = 0 AND taken_at < ?");
  Bind(q, {V(gid), V(taken_before)});
  const bool ok = Run(q);
  q.finish();
  return ok;
}

std::optional<std::int64_t> Storage::SeatsHeldFrom(std::int64_t gid, const std::string& address) {
  QSqlQuery& q = Prepared("SELECT COUNT(*) FROM tour_seats WHERE gid = ? AND holder_address = ?");
  Bind(q, {V(gid), V(address)});
  if (!Run(q) || !q.next()) return std::nullopt;
  const std::int64_t n = q.value(0).toLongLong();
  q.finish();
  return n;
}

std::optional<TourStanding> Storage::ReadStanding(std::int64_t gid, const std::string& nick) {
  QSqlQuery& q = Prepared(
      "SELECT nick, city, country, sex, score, kon, rating FROM tour_ratings WHERE gid = ? AND nick_key = ?");
  Bind(q, {V(gid), V(NickKey(nick))});
  if (!Run(q)) return std::nullopt;
  TourStanding t;
  t.nick = nick;
  if (q.next()) {
    t = {S(q.value(0)), S(q.value(1)), S(q.value(2)), S(q.value(3)), q.value(4).toLongLong(), q.value(5).toLongLong(),
         q.value(6).toLongLong()};
  }
  q.finish();
  return t;
}

bool Storage::AddTourResult(std::int64_t gid, const TourStanding& who, std::int64_t points) {
  // The tournament rating is the average result per game, in whole points.
  QSqlQuery& q = Prepared(
      "INSERT INTO tour_ratings (gid, nick_key, nick, city, country, sex, score, kon, rating) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, 1, ?) ON CONFLICT (gid, nick_key) DO UPDATE SET "
      "nick = excluded.nick, city = excluded.city, country = excluded.country, sex = excluded.sex, "
      "score = tour_ratings.score + excluded.score, kon = tour_ratings.kon + 1, "
      "rating = (tour_ratings.score + excluded.score) / (tour_ratings.kon + 1)");
  Bind(q, {V(gid), V(NickKey(who.nick)), V(who.nick), V(who.city), V(who.country), V(who.sex), V(points), V(points)});
  const bool ok = Run(q);
  q.finish();
  return ok;
}

std::optional<std::vector<TourStanding>> Storage::TourTop(std::int64_t gid, char kind) {
  const char* sql =
      kind == 'r' ? "SELECT nick, city, country, sex, score, kon, rating FROM tour_ratings WHERE gid = ? "
                    "ORDER BY rating DESC, nick_key LIMIT 10"
      : kind == 'k' ? "SELECT nick, city, country, sex, score, kon, rating FROM tour_ratings WHERE gid = ? "
                      "ORDER BY kon DESC, nick_key LIMIT 10"
                    : "SELECT nick, city, country, sex, score, kon, rating FROM tour_ratings WHERE gid = ? "
                      "ORDER BY score DESC, nick_key LIMIT 10";
  QSqlQuery& q = Prepared(sql);
  Bind(q, {V(gid)});
  if (!Run(q)) return std::nullopt;
  std::vector<TourStanding> rows;
  while (q.next()) {
    rows.push_back({S(q.value(0)), S(q.value(1)), S(q.value(2)), S(q.value(3)), q.value(4).toLongLong(),
                    q.value(5).toLongLong(), q.value(6).toLongLong()});
  }
  q.finish();
  return rows;
}

std::optional<std::int64_t> Storage::TourPlace(std::int64_t gid, char kind, std::int64_t value) {
  const char* sql = kind == 'r'   ? "SELECT COUNT(*) FROM tour_ratings WHERE gid = ? AND rating > ?"
                    : kind == 'k' ? "SELECT COUNT(*) FROM tour_ratings WHERE gid = ? AND kon > ?"
                                  : "SELECT COUNT(*) FROM tour_ratings WHERE gid = ? AND score > ?";
  QSqlQuery& q = Prepared(sql);
  Bind(q, {V(gid), V(value)});
  if (!Run(q) || !q.next()) return std::nullopt;
  const std::int64_t above = q.value(0).toLongLong();
  q.finish();
  return above + 1;
}

// ---------------------------------------------------------------- news, flags, photos

std::optional<std::vector<NewsItem>> Storage::ReadNews(int limit) {
  QSqlQuery& q = Prepared("SELECT id, posted_at, body FROM news ORDER BY id DESC LIMIT ?");
  Bind(q, {V(limit)});
  if (!Run(q)) return std::nullopt;
  std::vector<NewsItem> items;
  while (q.next()) items.push_back({q.value(0).toLongLong(), q.value(1).toLongLong(), S(q.value(2))});
  q.finish();
  return items;
}

std::optional<std::int64_t> Storage::PostNews(const std::string& body) {
  QSqlQuery& q = Prepared("INSERT INTO news (posted_at, body) VALUES (?, ?) RETURNING id");
  Bind(q, {V(NowSeconds()), V(body)});
  if (!Run(q) || !q.next()) return std::nullopt;
  const std::int64_t id = q.value(0).toLongLong();
  q.finish();
  return id;
}

std::optional<std::string> Storage::Flag(const std::string& name) {
  QSqlQuery& q = Prepared("SELECT value FROM flags WHERE name = ?");
  Bind(q, {V(name)});
  if (!Run(q)) return std::nullopt;
  std::string value;
  if (q.next()) value = S(q.value(0));
  q.finish();
  return value;
}

bool Storage::SetFlag(const std::string& name, const std::string& value) {
  QSqlQuery& q = Prepared(
      "INSERT INTO flags (name, value) VALUES (?, ?) ON CONFLICT (name) DO UPDATE SET value = excluded.value");
  Bind(q, {V(name), V(value)});
  const bool ok = Run(q);
  q.finish();
  return ok;
}

std::optional<std::string> Storage::ReadPhoto(const std::string& nick, bool* failed) {
  QSqlQuery& q = Prepared("SELECT jpeg FROM photos WHERE nick_key = ?");
  Bind(q, {V(NickKey(nick))});
  if (failed) *failed = false;
  if (!Run(q)) {
    if (failed) *failed = true;
    return std::nullopt;
  }
  std::optional<std::string> jpeg;
  if (q.next()) jpeg = q.value(0).toByteArray().toStdString();
  q.finish();
  return jpeg;
}

bool Storage::SavePhoto(const std::string& nick, const std::string& jpeg) {
  QSqlQuery& q = Prepared(
      "INSERT INTO photos (nick_key, jpeg, updated_at) VALUES (?, ?, ?) ON CONFLICT (nick_key) DO UPDATE SET "
      "jpeg = excluded.jpeg, updated_at = excluded.updated_at");
  Bind(q, {V(NickKey(nick)), QVariant(QByteArray::fromStdString(jpeg)), V(NowSeconds())});
  const bool ok = Run(q);
  q.finish();
  return ok;
}

}  // namespace varnok::server

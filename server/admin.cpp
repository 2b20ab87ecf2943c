#include "admin.h"

#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

#include "service/credentials.h"
#include "store/storage.h"

namespace varnok::server {

namespace {

constexpr const char* kCommands =
    "Commands:\n"
    "  pause results|chat          refuse new world-table entries or chat messages; the directory says so\n"
    "  resume results|chat         accept them again\n"
    "  news TEXT                   post a news item (the news number goes up by one)\n"
    "  accounts                    list the accounts\n"
    "  remove-account NICK         remove an account with its records, profile and photo\n"
    "  clear-tour-table GID [N]    free every seat of tournament table N (1-10) of game GID, or of all tables\n"
    "  tour-state Y|N [STATUS]     tell the lobby whether the tournament game server runs, with a status text\n"
    "  clear-results GID           remove every entry of a results table (100 is the chat board)\n"
    "  add-accounts PREFIX N PW    make accounts PREFIX1..PREFIXN with password PW (load tests; one hash)\n"
    "  schema                      print the schema version\n";

int Fail(const char* message) {
  std::fprintf(stderr, "varnok-server admin: %s\n", message);
  return 1;
}

}  // namespace

int RunAdmin(QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString("Administration of a Varnok server's database.\n\n") + kCommands);
  parser.addHelpOption();
  const QCommandLineOption data_option({"d", "data"}, "Data folder of the SQLite file (default ./varnok-data).",
                                       "folder", "varnok-data");
  const QCommandLineOption database_option("database", "Database, as for the server.", "url");
  parser.addOptions({data_option, database_option});
  parser.addPositionalArgument("admin", "The word admin.");
  parser.addPositionalArgument("command", "What to do (see above).");
  parser.process(app);
  QStringList args = parser.positionalArguments();
  if (!args.isEmpty() && args.front() == "admin") args.pop_front();
  if (args.isEmpty()) {
    std::fprintf(stderr, "%s", kCommands);
    return 2;
  }

  StorageConfig config;
  config.database = parser.value(database_option);
  config.data_folder = QDir(parser.value(data_option)).absolutePath();
  QString error;
  std::unique_ptr<Storage> storage = Storage::Open(config, &error);
  if (!storage) return Fail(qPrintable(error));

  const QString command = args.front();
  const QStringList rest = args.mid(1);
  if ((command == "pause" || command == "resume") && rest.size() == 1 &&
      (rest[0] == "results" || rest[0] == "chat")) {
    const std::string flag = rest[0] == "results" ? "results_paused" : "chat_paused";
    if (!storage->SetFlag(flag, command == "pause" ? "1" : "0")) return Fail("cannot write the flag");
    std::printf("%s %s\n", qPrintable(rest[0]), command == "pause" ? "paused" : "resumed");
    return 0;
  }
  if (command == "news" && !rest.isEmpty()) {
    const auto id = storage->PostNews(rest.join(' ').toStdString());
    if (!id) return Fail("cannot post the news");
    std::printf("news %lld posted\n", static_cast<long long>(*id));
    return 0;
  }
  if (command == "accounts" && rest.isEmpty()) {
    for (const Account& a : storage->ListAccounts()) {
      std::printf("%s\t%s\t%s\t%s\t%s\n", a.nick.c_str(), a.city.c_str(), a.country1.c_str(), a.email.c_str(),
                  a.dater.c_str());
    }
    return 0;
  }
  if (command == "remove-account" && rest.size() == 1) {
    if (!storage->RemoveAccount(rest[0].toStdString())) return Fail("no such account, or it could not be removed");
    std::printf("account %s removed\n", qPrintable(rest[0]));
    return 0;
  }
  if (command == "clear-tour-table" && (rest.size() == 1 || rest.size() == 2)) {
    bool ok_gid = false;
    bool ok_table = true;
    const qlonglong gid = rest[0].toLongLong(&ok_gid);
    const int table = rest.size() == 2 ? rest[1].toInt(&ok_table) : 0;
    if (!ok_gid || !ok_table || table < 0 || table > 10) return Fail("clear-tour-table GID [1-10]");
    if (!storage->ClearTourTable(gid, table)) return Fail("cannot clear the table");
    std::printf("tournament seats cleared\n");
    return 0;
  }
  if (command == "tour-state" && !rest.isEmpty() && (rest[0] == "Y" || rest[0] == "N")) {
    if (!storage->SetFlag("tour_state", rest[0].toStdString()) ||
        !storage->SetFlag("tour_status", rest.mid(1).join(' ').toStdString())) {
      return Fail("cannot write the state");
    }
    std::printf("tournament state %s\n", qPrintable(rest[0]));
    return 0;
  }
  if (command == "clear-results" && rest.size() == 1) {
    bool ok = false;
    const qlonglong gid = rest[0].toLongLong(&ok);
    if (!ok || !storage->ClearTable(gid)) return Fail("clear-results GID");
    std::printf("table %lld cleared\n", gid);
    return 0;
  }
  if (command == "add-accounts" && rest.size() == 3) {
    bool ok = false;
    const int count = rest[1].toInt(&ok);
    if (!ok || count < 1 || count > 100000) return Fail("add-accounts PREFIX N PASSWORD");
    const std::optional<std::string> hash = Credentials::Hash(rest[2].toStdString());
    if (!hash) return Fail("cannot hash the password");
    int made = 0;
    for (int i = 1; i <= count; ++i) {
      Account a;
      a.nick = rest[0].toStdString() + std::to_string(i);
      a.pw_hash = *hash;
      a.city = "Omsk";
      a.country1 = "Russia";
      a.country2 = "1-001";
      a.sex = "M";
      a.email = "load@example.org";
      a.dater = "01.01.2026";
      a.r01 = a.r02 = a.r03 = "xxx";
      if (storage->CreateAccount(a) == CreateResult::kCreated) ++made;
    }
    std::printf("%d accounts made\n", made);
    return 0;
  }
  if (command == "schema" && rest.isEmpty()) {
    std::printf("schema version %d (%s)\n", storage->SchemaVersion(), qPrintable(storage->Describe()));
    return 0;
  }
  std::fprintf(stderr, "%s", kCommands);
  return 2;
}

}  // namespace varnok::server

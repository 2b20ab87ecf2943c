// The server's storage on SQLite, and on PostgreSQL when VARNOK_TEST_DATABASE
// names one (scripts/test runs this program a second time inside a throwaway
// cluster made by pg_virtualenv).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdlib>
#include <filesystem>

#include "store/migrations.h"
#include "store/storage.h"

namespace varnok::server {
namespace {

class StorageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "storage-test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
  }

  void SetUp() override {
    const char* database = std::getenv("VARNOK_TEST_DATABASE");
    config_.database = database ? database : "";
    std::string pattern = (std::filesystem::temp_directory_path() / "varnok-store-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    config_.data_folder = QString::fromStdString(folder_);
    if (!config_.database.isEmpty()) DropEverything();
    storage_ = Open();
    ASSERT_NE(storage_, nullptr);
  }

  void TearDown() override {
    storage_.reset();
    std::filesystem::remove_all(folder_);
  }

  std::unique_ptr<Storage> Open() {
    QString error;
    std::unique_ptr<Storage> storage = Storage::Open(config_, &error);
    EXPECT_NE(storage, nullptr) << error.toStdString();
    return storage;
  }

  // A fresh schema on the shared PostgreSQL database for every test.
  void DropEverything() {
    {
      QString error;
      std::unique_ptr<Storage> storage = Storage::Open(config_, &error);
      ASSERT_NE(storage, nullptr) << error.toStdString();
    }
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "drop");
    db.setConnectOptions();
    ASSERT_TRUE(db.open());
    QSqlQuery query(db);
    query.exec("SET client_min_messages TO warning");
    ASSERT_TRUE(query.exec("DROP SCHEMA public CASCADE"));
    ASSERT_TRUE(query.exec("CREATE SCHEMA public"));
    query.finish();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("drop");
  }

  static Account Member(const std::string& nick) {
    Account a;
    a.nick = nick;
    a.pw_hash = "$argon2id$stand-in";
    a.city = "Omsk";
    a.country1 = "Russia";
    a.country2 = "1-001";
    a.sex = "M";
    a.email = "a@b.c";
    a.dater = "01.02.2015";
    a.r01 = a.r02 = a.r03 = "xxx";
    return a;
  }

  StorageConfig config_;
  std::string folder_;
  std::unique_ptr<Storage> storage_;
};

TEST_F(StorageTest, MigrationsRunOnceAndAgainOnEveryStart) {
  // Every migration ran once, the newest last.
  const int newest = Migrations().back().version;
  EXPECT_EQ(newest, static_cast<int>(Migrations().size()));
  EXPECT_EQ(storage_->SchemaVersion(), newest);
  storage_.reset();
  storage_ = Open();
  ASSERT_NE(storage_, nullptr);
  EXPECT_EQ(storage_->SchemaVersion(), newest);
  if (!storage_->IsPostgres()) {
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder_) / "varnok.sqlite"));
  }
}

TEST_F(StorageTest, AccountsAreUniqueWithoutRegardToCase) {
  EXPECT_EQ(storage_->CreateAccount(Member("Ivan")), CreateResult::kCreated);
  EXPECT_EQ(storage_->CreateAccount(Member("IVAN")), CreateResult::kTaken);
  EXPECT_EQ(storage_->CreateAccount(Member("Olga")), CreateResult::kCreated);
  EXPECT_EQ(storage_->CountAccounts(), 2);
  const std::optional<Account> found = storage_->FindAccount("ivan");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->nick, "Ivan");
  EXPECT_TRUE(storage_->RemoveAccount("Ivan"));
  EXPECT_FALSE(storage_->FindAccount("Ivan"));
  EXPECT_EQ(storage_->CountAccounts(), 1);
}

TEST_F(StorageTest, TextsWithQuotesAndSqlTravelAsValues) {
  Account a = Member("Quote");
  a.city = "O'Brien\"; DROP TABLE accounts; --";
  ASSERT_EQ(storage_->CreateAccount(a), CreateResult::kCreated);
  Profile profile;
  profile[2] = "Robert'); DROP TABLE profiles;--";
  const std::optional<Account> found = storage_->FindAccount("Quote");
  ASSERT_TRUE(found);
  ASSERT_TRUE(storage_->SaveProfile(found->id, profile));
  EXPECT_EQ(storage_->FindAccount("Quote")->city, a.city);
  EXPECT_EQ((*storage_->ReadProfile(found->id))[2], profile[2]);
  EXPECT_FALSE(storage_->FindAccount("x' OR '1'='1"));
}

TEST_F(StorageTest, RatedRecordsTakeOnlyTheStepsOfAGame) {
  ASSERT_EQ(storage_->CreateAccount(Member("Rated")), CreateResult::kCreated);
  const std::int64_t id = storage_->FindAccount("Rated")->id;
  RatedRecord announce{1, 0, -1999.96, 0, 0, 0, 0, "#"};
  EXPECT_EQ(storage_->SaveRated(id, "crdVarnok", announce), RatedStep::kAnnouncement);
  RatedRecord jump{3, 0, -1999.96, 0, 0, 0, 0, "#"};
  EXPECT_EQ(storage_->SaveRated(id, "crdVarnok", jump), RatedStep::kRefused);
  RatedRecord result{1, 0, 60.04, 0, 1, 60, 0, "#"};
  EXPECT_EQ(storage_->SaveRated(id, "crdVarnok", result), RatedStep::kResult);
  const std::optional<StoredRated> stored = storage_->ReadRated(id, "crdVarnok");
  ASSERT_TRUE(stored);
  EXPECT_NEAR(stored->record.rating, 60.04, 1e-9);
  EXPECT_EQ(stored->record.konl, 1);
  EXPECT_FALSE(stored->announced);
  EXPECT_EQ(storage_->ReadRated(id, "crdOther")->record.kon, 0) << "each game prefix has its own record";
  auto top = storage_->TopTen("crdVarnok");
  ASSERT_TRUE(top);
  ASSERT_EQ(top->size(), 1u);
  EXPECT_EQ(storage_->RatingPlace("crdVarnok", 60.0), 2);
  EXPECT_EQ(storage_->RatingPlace("crdVarnok", 61.0), 1);
}

TEST_F(StorageTest, BoardEntriesOfTwoConnectionsGetConsecutiveNumbers) {
  // Two connections stand for two server processes on one database.
  std::unique_ptr<Storage> other = Open();
  ASSERT_NE(other, nullptr);
  TableEntry post;
  post.gid = 100;
  post.score = 1;  // both claim number 1
  post.nick = "Chatter";
  post.city = "Omsk";
  post.country = "1-001";
  post.r07 = "M";
  post.r08 = "5.7f";
  post.r09 = "stamp";
  post.r10 = "one";
  const auto first = storage_->WriteEntry(post, true);
  post.r10 = "two";
  const auto second = other->WriteEntry(post, true);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->score, 1);
  EXPECT_EQ(second->score, 2);
  const auto board = storage_->ReadTable(100, 0, 10);
  ASSERT_TRUE(board);
  ASSERT_EQ(board->size(), 2u);
  EXPECT_EQ((*board)[0].r10, "two");
}

TEST_F(StorageTest, TablesRankByScoreThenByArrival) {
  TableEntry e;
  e.gid = 9;
  e.city = "Omsk";
  e.country = "1-001";
  e.r07 = "M";
  e.r08 = "5.7f";
  e.r09 = e.r10 = "#";
  const int scores[] = {50, 70, 50, 90};
  for (int i = 0; i < 4; ++i) {
    e.nick = "P" + std::to_string(i);
    e.score = scores[i];
    ASSERT_TRUE(storage_->WriteEntry(e, false));
  }
  const auto rows = storage_->ReadTable(9, 0, 10);
  ASSERT_TRUE(rows);
  std::vector<std::string> order;
  for (const TableEntry& r : *rows) order.push_back(r.nick);
  EXPECT_EQ(order, (std::vector<std::string>{"P3", "P1", "P0", "P2"}));
  EXPECT_EQ(storage_->PlaceOf(9, "P2", "Omsk"), 4);
  EXPECT_EQ(storage_->PlaceOf(9, "P2", "Tver"), 0);
  EXPECT_EQ(storage_->CountTable(9), 4);
}

TEST_F(StorageTest, SeatsAreTakenOnceAndFreedByTheirHolder) {
  Seat who;
  who.nick = "Holder";
  who.holder_address = "10.0.0.1";
  EXPECT_EQ(storage_->TakeSeat(9, 1, 1, who), SeatResult::kDone);
  EXPECT_EQ(storage_->TakeSeat(9, 1, 1, who), SeatResult::kTaken);
  EXPECT_EQ(storage_->FreeSeat(9, 1, 1, "10.0.0.2"), SeatResult::kRefused);
  EXPECT_EQ(storage_->FreeSeat(9, 1, 1, "10.0.0.1"), SeatResult::kDone);
  EXPECT_EQ(storage_->FreeSeat(9, 1, 1, "10.0.0.1"), SeatResult::kDone) << "a free seat stays free";
  TourStanding standing{"Holder", "Omsk", "Russia", "M", 0, 0, 0};
  ASSERT_TRUE(storage_->AddTourResult(9, standing, 180));
  ASSERT_TRUE(storage_->AddTourResult(9, standing, -60));
  const auto read = storage_->ReadStanding(9, "holder");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->score, 120);
  EXPECT_EQ(read->kon, 2);
  EXPECT_EQ(read->rating, 60);
  EXPECT_EQ(storage_->TourPlace(9, 's', 121), 1);
  EXPECT_EQ(storage_->TourPlace(9, 's', 100), 2);
}

TEST_F(StorageTest, StatisticsFlagsNewsAndPhotosPersist) {
  std::array<std::int64_t, 12> x{};
  x[0] = 1;
  ASSERT_TRUE(storage_->AddStats(9, 1, 1, 0, std::nullopt, x));
  ASSERT_TRUE(storage_->AddStats(9, 1, 0, 1, std::string("Liker"), x));
  ASSERT_TRUE(storage_->SetFlag("chat_paused", "1"));
  ASSERT_TRUE(storage_->PostNews("first"));
  ASSERT_TRUE(storage_->SavePhoto("Face", std::string("\xFF\xD8\x00\x01", 4)));
  storage_.reset();
  storage_ = Open();
  const auto stats = storage_->ReadStats(9);
  ASSERT_TRUE(stats);
  EXPECT_EQ(stats->stat1, 2);
  EXPECT_EQ(stats->stat2, 1);
  EXPECT_EQ(stats->stat4, "Liker");
  EXPECT_EQ(stats->x[0], 2);
  EXPECT_EQ(storage_->Flag("chat_paused"), "1");
  EXPECT_EQ(storage_->ReadNews(10)->size(), 1u);
  EXPECT_EQ(storage_->ReadPhoto("face"), std::string("\xFF\xD8\x00\x01", 4));
}

}  // namespace
}  // namespace varnok::server

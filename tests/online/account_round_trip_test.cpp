// The account service end to end: the program's own HTTP layer against the
// real server: registration, login, the rated record with the rating
// formulas, the top ten and places, the club's size, the profile and photos.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <functional>

#include "rating.h"
#include "server_fixture.h"

namespace varnok::online {
namespace {

using testing::ServerTest;

using AccountRoundTrip = ServerTest;

TEST_F(AccountRoundTrip, RegistrationAndLogin) {
  EXPECT_EQ(Call(RegisterAccount{Member("Ivan")}), 0);
  EXPECT_EQ(Call(RegisterAccount{Member("Ivan")}), 1) << "the nick is taken";
  TZubUser bad = Member("Iv an");  // a blank is not allowed in a nick
  EXPECT_EQ(Call(RegisterAccount{bad}), 2);
  bad = Member("Petr");
  bad.Pw = "abc";  // too short
  EXPECT_EQ(Call(RegisterAccount{bad}), 2);

  const LoginResult good = Call(LoginAccount{"Ivan", "secret1"});
  EXPECT_TRUE(good.Ok);
  EXPECT_EQ(good.User.City, "Omsk");
  EXPECT_EQ(good.User.Country1, "Russia");
  EXPECT_EQ(good.User.Country2, "1-001");
  EXPECT_EQ(good.User.EMail, "Ivan@example.org");
  EXPECT_EQ(good.User.DateR, "10.12.2026");
  EXPECT_EQ(good.User.R01, "xxx");

  EXPECT_FALSE(Call(LoginAccount{"Ivan", "wrong12"}).Ok);
  EXPECT_FALSE(Call(LoginAccount{"Nobody", "secret1"}).Ok);

  // Letters "no" in a member's data do not read as a refusal.
  TZubUser novosibirsk = Member("Nina", "Novosibirsk");
  novosibirsk.EMail = "nobody@no.ru";
  ASSERT_EQ(Call(RegisterAccount{novosibirsk}), 0);
  const LoginResult nina = Call(LoginAccount{"Nina", "secret1"});
  EXPECT_TRUE(nina.Ok);
  EXPECT_EQ(nina.User.City, "Novosibirsk");

  // A Cyrillic city travels as code page 1251 both ways.
  ASSERT_EQ(Call(RegisterAccount{Member("Olga", "Омск")}), 0);
  EXPECT_EQ(Call(LoginAccount{"Olga", "secret1"}).User.City, "Омск");

  const NumberResult members = Call(ReadMembers{});
  EXPECT_TRUE(members.Ok);
  EXPECT_EQ(members.Value, 3);
}

// One rated game as the program plays it: announced with the penalty, then
// its result replaces the penalty.
// The cycle's score after the game is the score before it plus the result.
double PlayRatedGame(const std::string& nick, int result,
                     const std::function<BestResult(const ReadBest&)>& read,
                     const std::function<bool(const SaveResult&)>& save) {
  BestResult best = read(ReadBest{nick, "secret1"});
  EXPECT_TRUE(best.Ok);
  const int kept_konl = best.Game.KonL;  // the program keeps the record as it was read
  const int score_after = best.Game.Score + result;
  TZubGame announced = best.Game;
  announced.Kon += kRatedGameCount;
  announced.Rating = AnnounceRating(announced.Kon, kRatedGameCount, kAnnouncePenalty, kRatingDivisor,
                                    best.Game.Rating);
  announced.KonL = 0;
  announced.Score = 0;
  EXPECT_TRUE(save(SaveResult{nick, "secret1", announced}));

  best = read(ReadBest{nick, "secret1"});
  EXPECT_EQ(best.Game.Kon, announced.Kon);
  TZubGame finished = best.Game;
  finished.Rating = ResultRating(finished.Kon, result, kAnnouncePenalty, kRatingDivisor, finished.Rating);
  finished.KonL = kept_konl + kRatedGameCount;
  finished.Score = score_after;
  EXPECT_TRUE(save(SaveResult{nick, "secret1", finished}));
  return finished.Rating;
}

TEST_F(AccountRoundTrip, RatedResultsFollowTheRatingFormula) {
  ASSERT_EQ(Call(RegisterAccount{Member("Ivan")}), 0);
  const BestResult fresh = Call(ReadBest{"Ivan", "secret1"});
  EXPECT_TRUE(fresh.Ok);
  EXPECT_EQ(fresh.Game.Kon, 0);
  EXPECT_DOUBLE_EQ(fresh.Game.Rating, 0.0);

  auto read = [this](const ReadBest& op) { return Call(op); };
  auto save = [this](const SaveResult& op) { return Call(op); };
  PlayRatedGame("Ivan", 120, read, save);
  const double expected = PlayRatedGame("Ivan", -40, read, save);

  const BestResult after = Call(ReadBest{"Ivan", "secret1"});
  EXPECT_EQ(after.Game.Kon, 2);
  EXPECT_EQ(after.Game.KonL, 2);
  EXPECT_EQ(after.Game.Score, 120 - 40);
  EXPECT_NEAR(after.Game.Rating, (120 - 40) / 2.0 + 2.0 / 25.0, 1e-9);
  EXPECT_NEAR(after.Game.Rating, expected, 1e-9);

  // A forged record that jumps anywhere else is refused and changes nothing.
  TZubGame forged = after.Game;
  forged.Rating = 9999.0;
  EXPECT_FALSE(Call(SaveResult{"Ivan", "secret1", forged}));
  forged = after.Game;
  forged.Kon += 50;
  EXPECT_FALSE(Call(SaveResult{"Ivan", "secret1", forged}));
  EXPECT_NEAR(Call(ReadBest{"Ivan", "secret1"}).Game.Rating, after.Game.Rating, 1e-9);
  // Nor does a wrong password save anything.
  EXPECT_FALSE(Call(SaveResult{"Ivan", "wrong12", after.Game}));
}

TEST_F(AccountRoundTrip, TopTenIsOrderedByRatingAndPlacesCountFromIt) {
  auto read = [this](const ReadBest& op) { return Call(op); };
  auto save = [this](const SaveResult& op) { return Call(op); };
  const struct {
    const char* nick;
    int result;
  } players[] = {{"Anna", 50}, {"Boris", 150}, {"Vera", 100}};
  for (const auto& p : players) {
    ASSERT_EQ(Call(RegisterAccount{Member(p.nick)}), 0);
    PlayRatedGame(p.nick, p.result, read, save);
  }
  const TopTenResult top = Call(ReadTopTen{});
  EXPECT_TRUE(top.Ok);
  EXPECT_EQ(top.Rows[0].Nick, "Boris");
  EXPECT_EQ(top.Rows[1].Nick, "Vera");
  EXPECT_EQ(top.Rows[2].Nick, "Anna");
  EXPECT_EQ(top.Rows[0].Country, "1-001");
  EXPECT_EQ(top.Rows[0].City, "Omsk");
  EXPECT_NEAR(top.Rows[0].Rating, 150.04, 1e-9);
  EXPECT_EQ(top.Rows[3].Nick, "");

  EXPECT_EQ(Call(ReadPlace{200.0}).Value, 1);
  EXPECT_EQ(Call(ReadPlace{150.04}).Value, 1);
  EXPECT_EQ(Call(ReadPlace{120.0}).Value, 2);
  EXPECT_EQ(Call(ReadPlace{-5.0}).Value, 4);
}

TEST_F(AccountRoundTrip, ProfileNeedsTheOwnersPasswordAndKeepsItsMarks) {
  ASSERT_EQ(Call(RegisterAccount{Member("Ivan")}), 0);
  TInfo14 info;
  info.Name1 = "Ivan";
  info.Name2 = "Petrov";
  info.About = "cards & chess = 100% fun, not dice";
  info.WebSite = "site.example.org";
  info.Skype = "ivan.p";
  info.YouTube = "ivan";
  EXPECT_TRUE(Call(SaveInfo{"Ivan", "secret1", info}));
  const InfoResult read = Call(ReadInfo{"Ivan"});
  EXPECT_TRUE(read.Ok);
  EXPECT_EQ(read.Info, info);

  TInfo14 vandal = info;
  vandal.About = "hacked";
  EXPECT_FALSE(Call(SaveInfo{"Ivan", "wrong12", vandal}));
  EXPECT_EQ(Call(ReadInfo{"Ivan"}).Info.About, info.About);
  EXPECT_FALSE(Call(ReadInfo{"Nobody"}).Ok);
}

QByteArray Jpeg(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(40, 120, 200));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 85);
  return bytes;
}

TEST_F(AccountRoundTrip, PhotoUploadTakesOnlyTheOwnersJpegOf200By250) {
  ASSERT_EQ(Call(RegisterAccount{Member("Ivan")}), 0);
  auto upload = [this](const QByteArray& jpeg, const QString& password) {
    std::optional<bool> done;
    client_.UploadPhoto(jpeg, QStringLiteral("Ivan"), password, nullptr, [&](bool ok) { done = ok; });
    Wait([&] { return done.has_value(); });
    return done.value_or(false);
  };
  auto load = [this](const QString& nick) {
    std::optional<std::optional<QImage>> done;
    client_.LoadPhoto(nick, nullptr, [&](std::optional<QImage> image) { done = std::move(image); });
    Wait([&] { return done.has_value(); });
    return done.value_or(std::nullopt);
  };
  EXPECT_FALSE(load(QStringLiteral("Ivan"))) << "no photo yet";
  EXPECT_FALSE(upload(Jpeg(100, 100), QStringLiteral("secret1")));
  EXPECT_FALSE(upload(Jpeg(200, 250), QStringLiteral("wrong12")));
  EXPECT_FALSE(upload(QByteArray("not a picture"), QStringLiteral("secret1")));
  EXPECT_TRUE(upload(Jpeg(200, 250), QStringLiteral("secret1")));
  const auto photo = load(QStringLiteral("Ivan"));
  ASSERT_TRUE(photo);
  EXPECT_EQ(photo->size(), QSize(200, 250));
}

}  // namespace
}  // namespace varnok::online

// The passport, the "World Top Ten" result window and the world top ten
// window against the real server: a cycle's score sent under the passport
// appears in view 3 with the number of games and the rows around the player.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "form_passport.h"
#include "form_world_top.h"
#include "server_fixture.h"
#include "zub_cards_button.h"

namespace varnok::online {
namespace {

using WorldWindows = testing::ServerTest;

TEST_F(WorldWindows, PassportKeepsOnlyAcceptableNamesAndStaysWhileRed) {
  Settings settings;
  settings.Nick = "Incognito";
  settings.City = "Omsk";
  TFormPassport passport(settings);
  passport.show();
  auto* nick = passport.findChild<QLineEdit*>(QStringLiteral("Nick"));
  auto* ok = passport.findChild<TZubCardsButton*>(QStringLiteral("Ok"));
  nick->clear();
  QTest::keyClicks(nick, QStringLiteral("a b"));
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_EQ(settings.Nick, "Incognito") << "a red nick is not kept";
  passport.close();
  EXPECT_TRUE(passport.isVisible()) << "the window stays while a field is red";
  nick->clear();
  QTest::keyClicks(nick, QStringLiteral("Olga"));
  EXPECT_TRUE(ok->isEnabled());
  EXPECT_EQ(settings.Nick, "Olga");
  passport.close();
  EXPECT_FALSE(passport.isVisible());
}

TEST_F(WorldWindows, ACycleSentUnderThePassportShowsInViewThree) {
  for (int i = 1; i <= 12; ++i)
    ASSERT_TRUE(Call(WriteTableEntry{9, "P" + std::to_string(i), "Riga", "1-026", 1000 - 50 * i, "M", "#", "#"}).Ok);
  Settings settings;
  settings.Nick = "Incognito";
  settings.City = "Kiev";
  settings.Country = "1-046";
  settings.Sex = "W";

  // The first opening of a run asks for the passport of a nameless player.
  QTimer passport_pilot;
  int passports = 0;
  QObject::connect(&passport_pilot, &QTimer::timeout, [&] {
    auto* passport = qobject_cast<TFormPassport*>(QApplication::activeModalWidget());
    if (passport == nullptr) return;
    ++passports;
    auto* nick = passport->findChild<QLineEdit*>(QStringLiteral("Nick"));
    nick->clear();
    QTest::keyClicks(nick, QStringLiteral("Olga"));
    QTest::mouseClick(passport->findChild<TZubCardsButton*>(QStringLiteral("Ok")), Qt::LeftButton);
  });
  passport_pilot.start(20);
  TFormWorldResult result(client_, settings, 620, true);
  result.show();
  Wait([&] { return passports == 1; });
  passport_pilot.stop();
  EXPECT_EQ(settings.Nick, "Olga");
  EXPECT_EQ(result.findChild<QLabel*>(QStringLiteral("Nick"))->text(), "Olga");
  auto* send = result.findChild<TZubCardsButton*>(QStringLiteral("Send"));
  ASSERT_TRUE(send->isEnabled());
  QTest::mouseClick(send, Qt::LeftButton);
  Wait([&] { return !result.Sending(); });
  EXPECT_TRUE(result.Sent());
  EXPECT_EQ(result.findChild<QLabel*>(QStringLiteral("Place"))->text(), "Your place: 8");
  EXPECT_FALSE(send->isEnabled()) << "one cycle, one entry";

  QTemporaryDir program;
  TFormWorldTop top(client_, settings, {"", ""}, program.path().toStdString(), 3);
  Wait([&] { return top.PendingReads() == 0; });
  const QStringList lines = top.TopLines();
  EXPECT_EQ(lines[0], "1. P1 950");
  EXPECT_EQ(lines[7], "8. Olga 620");
  EXPECT_EQ(top.CountLine(), "Number of games: 13");
  EXPECT_TRUE(top.NearLines().contains("8. Olga 620"));
  EXPECT_TRUE(top.NearLines().contains("13. P12 400")) << top.NearLines().join(" | ").toStdString();
  if (const QByteArray shots = qgetenv("VARNOK_ONLINE_SHOT_DIR"); !shots.isEmpty()) {
    top.show();
    QApplication::processEvents();
    top.grab().save(QString::fromUtf8(shots) + QStringLiteral("/world_top_view3.png"));
  }

  // View 1 is the account top ten; with no rated member it is empty, not "No Connect".
  top.ShowView(1);
  Wait([&] { return top.PendingReads() == 0; });
  EXPECT_EQ(top.TopLines()[0], "");
  // A dead server: "No Connect" in the rows and the count.
  server_.Stop();
  top.ShowView(4);
  Wait([&] { return top.PendingReads() == 0; });
  EXPECT_EQ(top.TopLines()[0], "No Connect");
  EXPECT_EQ(top.CountLine(), "Number of games: No Connect");
}

}  // namespace
}  // namespace varnok::online

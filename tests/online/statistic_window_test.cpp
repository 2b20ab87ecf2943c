// The world statistics window and the online panel's items against the real
// server.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "form_statistic.h"
#include "online_panel.h"
#include "server_fixture.h"
#include "zub_cards_button.h"

namespace varnok::online {
namespace {

using StatisticWindow = testing::ServerTest;

TEST_F(StatisticWindow, CountsThisRunAndTakesOneLike) {
  ASSERT_TRUE(Call(SendLaunch{9, 1, 1}));
  int asked = 0;
  std::string liked;
  TFormStatistic window(
      client_, LikeState{false, "Incognito"},
      [&]() -> std::optional<std::string> {
        // A red nick is asked again; the second is taken.
        return ++asked == 1 ? std::optional<std::string>("a b") : std::optional<std::string>("Olga");
      },
      [&](const std::string& nick) { liked = nick; });
  window.show();
  Wait([&] { return !window.Reading(); });
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Stat1"))->text(), "1");
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Stat2"))->text(), "1");
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Stat3"))->text(), "0");

  auto* like = window.findChild<TZubCardsButton*>(QStringLiteral("Like"));
  ASSERT_TRUE(like->isEnabled());
  QTest::mouseClick(like, Qt::LeftButton);
  Wait([&] { return !window.Reading(); });
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(liked, "Olga");
  EXPECT_FALSE(like->isEnabled()) << "one like a player";
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Stat3"))->text(), "1");
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Stat4"))->text(), "Olga");
  EXPECT_EQ(Call(ReadStats{9}).Stat.Stat3, 1);

  // A player who liked before (the settings' flag) finds the button disabled.
  TFormStatistic again(client_, LikeState{true, "Olga"}, {}, {});
  EXPECT_FALSE(again.findChild<TZubCardsButton*>(QStringLiteral("Like"))->isEnabled());
}

TEST_F(StatisticWindow, NoConnectWhenTheServerIsGone) {
  server_.Stop();
  TFormStatistic window(client_, LikeState{}, {}, {});
  Wait([&] { return !window.Reading(); });
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Stat1"))->text(), "No Connect");
}

TEST(OnlinePanel, NumbersOfTheItems) {
  EXPECT_EQ(DynamicIq(0, 0), 0);
  EXPECT_EQ(DynamicIq(1, 1), 50);
  EXPECT_EQ(DynamicIq(1, 2), 67);
  EXPECT_EQ(DynamicIq(7, 1), 12);  // 12.5 to the even neighbour
  const std::pair<QString, QChar> cases[] = {
      CountWithSuffix(999), CountWithSuffix(1000), CountWithSuffix(999999), CountWithSuffix(1000000),
      CountWithSuffix(2500000000LL)};
  EXPECT_EQ(cases[0], std::make_pair(QStringLiteral("999"), QChar()));
  EXPECT_EQ(cases[1], std::make_pair(QStringLiteral("1"), QChar('K')));
  EXPECT_EQ(cases[2], std::make_pair(QStringLiteral("999"), QChar('K')));
  EXPECT_EQ(cases[3], std::make_pair(QStringLiteral("1"), QChar('M')));
  EXPECT_EQ(cases[4], std::make_pair(QStringLiteral("2"), QChar('G')));
}

TEST_F(StatisticWindow, OnlinePanelItemsFromTheServer) {
  ASSERT_TRUE(Call(WriteTableEntry{9, "Ivan", "Omsk", "1-001", 480, "M", "#", "#"}).Ok);
  SendGameStats games;
  games.R = {1, 0, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_TRUE(Call(games));
  games.R = {1, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_TRUE(Call(games));
  auto fetch = [this](int item) {
    std::optional<OnlineItem> shown;
    FetchOnlineItem(client_, item, 0, nullptr, [&](OnlineItem i) { shown = i; });
    Wait([&] { return shown.has_value(); });
    return shown.value_or(OnlineItem{});
  };
  EXPECT_EQ(fetch(1).Value, "25");  // 10 lost of 40
  EXPECT_EQ(fetch(2).Value, "2");
  const OnlineItem best = fetch(3);
  EXPECT_EQ(best.Value, "480");
  EXPECT_TRUE(best.Hint.endsWith("Ivan"));
  EXPECT_EQ(best.FlagPicture, "Flag1_001");
  const OnlineItem phone = fetch(4);
  EXPECT_EQ(phone.Value, "00");
  EXPECT_TRUE(phone.Hint.endsWith("No"));
  EXPECT_EQ(fetch(6).Item, 7);
  server_.Stop();
  const OnlineItem gone = fetch(2);
  EXPECT_EQ(gone.Value, "00");
  EXPECT_TRUE(gone.Hint.endsWith(": NO CONNECT"));
}

}  // namespace
}  // namespace varnok::online

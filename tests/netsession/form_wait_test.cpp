// The wait window: what it shows while the server waits for its clients and
// the client for its seat, and how "Ok" and "Cancel" end the waiting.
#include <QLabel>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <gtest/gtest.h>

#include "copies.h"
#include "form_wait.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok::netsession::testing {
namespace {

QString Row(int row) { return i18n::Text(i18n::WordsMain, row); }

TEST(FormWaitTest, TheServerWaitsForItsClientsAndOkBeginsTheGame) {
  Table table(3);
  ASSERT_TRUE(table[0].session.StartServer(0));
  TFormWait form(table[0].session);
  form.Begin();
  form.show();
  EXPECT_EQ(form.windowTitle(), Row(394));
  EXPECT_EQ(form.Label1()->text(), Row(395));
  EXPECT_TRUE(form.Label2()->isHidden());
  EXPECT_TRUE(form.Label3()->isHidden());
  EXPECT_TRUE(form.Label4()->isHidden());
  EXPECT_FALSE(form.Button1()->isEnabled());
  EXPECT_TRUE(form.Button2()->isEnabled());
  EXPECT_TRUE(form.AddressLabel()->text().endsWith("127.0.0.1"));

  const int expected_label3_hidden[] = {1, 0};
  for (std::size_t i = 1; i <= 2; ++i) {
    QSignalSpy joined(&table[0].session, &NetSession::PlayersChanged);
    table[i].session.StartClient("127.0.0.1", table[0].session.ServerPort());
    ASSERT_TRUE(joined.wait(3000));
    EXPECT_FALSE(form.Label2()->isHidden());
    EXPECT_EQ(form.Label3()->isHidden(), expected_label3_hidden[i - 1] == 1) << i;
    EXPECT_TRUE(form.Label4()->isHidden());
    EXPECT_TRUE(form.Button1()->isEnabled());
    EXPECT_FALSE(form.Button2()->isEnabled());  // once a client has joined only "Ok" remains
  }
  QSignalSpy begun(&form, &TFormWait::GameBegun);
  QTest::mouseClick(form.Button1(), Qt::LeftButton);
  EXPECT_EQ(begun.count(), 1);
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(table[0].session.GameRunning());
  EXPECT_EQ(table[0].session.Link(), LinkState::Dealing);
}

TEST(FormWaitTest, AClientThatLeavesFreesItsLabelAndCancelReturnsWithNobodyLeft) {
  Table table(3);
  ASSERT_TRUE(table[0].session.StartServer(0));
  TFormWait form(table[0].session);
  form.Begin();
  form.show();
  for (std::size_t i = 1; i <= 2; ++i) {
    QSignalSpy begins(&table[i].session, &NetSession::GameBegins);
    table[i].session.StartClient("127.0.0.1", table[0].session.ServerPort());
    ASSERT_TRUE(begins.wait(3000));
  }
  ASSERT_TRUE(WaitUntil([&] { return !form.Label3()->isHidden(); }));
  struct Step {
    std::size_t leaver;
    bool label2_hidden, label3_hidden, ok_enabled, cancel_enabled;
  };
  const Step steps[] = {{1, false, true, true, false}, {2, true, true, false, true}};
  for (const Step& step : steps) {
    const int joined_before = table[0].session.ClientsJoined();
    table[step.leaver].session.Leave();
    ASSERT_TRUE(WaitUntil([&] { return table[0].session.ClientsJoined() == joined_before - 1; })) << step.leaver;
    EXPECT_EQ(form.Label2()->isHidden(), step.label2_hidden) << step.leaver;
    EXPECT_EQ(form.Label3()->isHidden(), step.label3_hidden) << step.leaver;
    EXPECT_EQ(form.Button1()->isEnabled(), step.ok_enabled) << step.leaver;
    EXPECT_EQ(form.Button2()->isEnabled(), step.cancel_enabled) << step.leaver;
  }
  QSignalSpy cancelled(&form, &TFormWait::Cancelled);
  QTest::mouseClick(form.Button2(), Qt::LeftButton);
  EXPECT_EQ(cancelled.count(), 1);
}

TEST(FormWaitTest, CancelClosesTheServer) {
  Table table(1);
  ASSERT_TRUE(table[0].session.StartServer(0));
  const quint16 port = table[0].session.ServerPort();
  TFormWait form(table[0].session);
  form.Begin();
  form.show();
  QSignalSpy cancelled(&form, &TFormWait::Cancelled);
  QTest::mouseClick(form.Button2(), Qt::LeftButton);
  EXPECT_EQ(cancelled.count(), 1);
  EXPECT_EQ(table[0].session.Link(), LinkState::Idle);
  QTcpServer again;  // the port is free again
  EXPECT_TRUE(again.listen(QHostAddress::Any, port));
}

TEST(FormWaitTest, TheClientClosesOnItsSeatOrReadsThatThereAreNoGames) {
  Table table(2);
  ASSERT_TRUE(table[0].session.StartServer(0));
  table[1].session.StartClient("127.0.0.1", table[0].session.ServerPort());
  TFormWait form(table[1].session);
  form.Begin();
  form.show();
  EXPECT_EQ(form.Label1()->text(), Row(396));
  QSignalSpy begun(&form, &TFormWait::GameBegun);
  ASSERT_TRUE(begun.wait(3000));
  EXPECT_FALSE(form.isVisible());

  Table lonely(1);
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
  const quint16 port = closed.serverPort();
  closed.close();
  lonely[0].session.StartClient("127.0.0.1", port);
  TFormWait waiting(lonely[0].session);
  waiting.Begin();
  waiting.show();
  for (int i = 0; i < 300 && waiting.Label1()->text() != Row(400); ++i) QTest::qWait(10);
  EXPECT_EQ(waiting.Label1()->text(), Row(400));
}

}  // namespace
}  // namespace varnok::netsession::testing

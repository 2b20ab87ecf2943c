// Two copies of the main window play over the loopback network like two
// people: each starts in network mode, gives a name in the player window, one
// creates the game and the other joins it through the wait windows, and the
// computer takes the third seat. They play a whole game to "Exit to menu";
// and when one copy closes in the middle of a game, the other shows that the
// game was interrupted and is back on the menu within a second.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "chat_bar.h"
#include "club_file.h"
#include "form_mast.h"
#include "form_message.h"
#include "form_password.h"
#include "form_score.h"
#include "form_wait.h"
#include "form_zakaz.h"
#include "main_window.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok {
namespace {

using namespace varnok::testing;

// A port nobody listens on now (the system's pick).
quint16 TestPort() {
  QTcpServer probe;
  if (!probe.listen(QHostAddress::LocalHost, 0)) return 42000;
  const quint16 port = probe.serverPort();
  probe.close();
  return port;
}

void WriteNetworkOptions(const QString& folder, quint16 port) {
  Settings settings;
  settings.NetworkMode = true;
  settings.FlyingCards = false;
  settings.Music = false;
  settings.Sound = false;
  settings.ServerAddress = "127.0.0.1";
  settings.ServerPort = std::to_string(port);
  std::ofstream out((folder + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary);
  out << FormatSettings(settings);
}

// Answers the modal windows of both copies: the player windows (the server
// creates the game, the client joins it), the server's wait window once the
// client has come, and the dialogs of the game.
class TwoSeatPilot : public QObject {
 public:
  TwoSeatPilot(MainWindow& server, MainWindow& client) : server_(server), client_(client) {
    clock_.start();
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start();
  }
  int interruptions = 0;
  int confirms = 0;
  QStringList strangers;

 private:
  static void Later(QWidget* widget, const char* name) {
    QPointer<QAbstractButton> button = widget->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button) return;
    // Posted, so that a window opened by the click runs its own loop outside this look.
    QTimer::singleShot(0, [button] {
      if (button) QTest::mouseClick(button, Qt::LeftButton);
    });
  }
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && clock_.elapsed() > 20000 && (qobject_cast<netsession::TFormWait*>(modal) != nullptr ||
                                                         qobject_cast<TFormPassword*>(modal) != nullptr)) {
      // The copies never met: give up instead of waiting for ever.
      if (!gave_up_) ADD_FAILURE() << "the two copies did not get together";
      gave_up_ = true;
      QPointer<QWidget> stuck = modal;
      QTimer::singleShot(0, [stuck] {
        if (stuck) QTest::keyClick(stuck, Qt::Key_Escape);
      });
      Later(modal, "Button2");
      return;
    }
    if (modal == nullptr || modal == handled_) return;
    const bool of_server = modal->window()->parentWidget() == &server_ || modal->parentWidget() == &server_;
    if (auto* player = qobject_cast<TFormPassword*>(modal)) {
      handled_ = modal;
      auto* name = player->findChild<QLineEdit*>(QStringLiteral("Edit1"));
      name->clear();
      QTest::keyClicks(name, of_server ? QStringLiteral("Anna") : QStringLiteral("Boris"));
      QTest::keyClicks(player->findChild<QLineEdit*>(QStringLiteral("Edit2")), QStringLiteral("pw"));
      QTest::keyClicks(player->findChild<QLineEdit*>(QStringLiteral("Edit3")), QStringLiteral("pw"));
      QTest::mouseClick(player->findChild<QRadioButton*>(of_server ? QStringLiteral("RadioServer")
                                                                   : QStringLiteral("RadioClient")),
                        Qt::LeftButton);
      Later(player, "Button1");
    } else if (qobject_cast<netsession::TFormWait*>(modal) != nullptr) {
      if (!of_server) return;
      if (!client_started_) {
        // The game is created: the second person starts the other copy and joins.
        client_started_ = true;
        QTimer::singleShot(0, [this] {
          QTest::mouseClick(client_.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
          QTest::mouseClick(MenuButton(client_, "Button6"), Qt::LeftButton);
        });
        return;
      }
      auto* ok = modal->findChild<QAbstractButton*>(QStringLiteral("Button1"));
      if (ok != nullptr && ok->isEnabled()) {
        handled_ = modal;
        Later(modal, "Button1");
      }
    } else if (qobject_cast<TFormMast*>(modal) != nullptr) {
      handled_ = modal;
      Later(modal, "SuitClubs");
    } else if (qobject_cast<TFormZakaz*>(modal) != nullptr || qobject_cast<TFormScore*>(modal) != nullptr) {
      handled_ = modal;
      Later(modal, "Ok");
    } else if (auto* box = qobject_cast<TFormMessage*>(modal)) {
      handled_ = modal;
      if (box->objectName() == QLatin1String("Interrupted")) ++interruptions;
      if (box->objectName() == QLatin1String("ConfirmLeave")) {
        ++confirms;
        Later(box, "Yes");
      } else {
        if (box->objectName() != QLatin1String("Interrupted")) strangers << box->Text();
        Later(box, "Ok");
      }
    } else {
      handled_ = modal;
      strangers << modal->metaObject()->className();
      QTimer::singleShot(0, [modal] { modal->close(); });
    }
  }

  MainWindow& server_;
  MainWindow& client_;
  QTimer timer_;
  QPointer<QWidget> handled_;
  bool client_started_ = false;
  QElapsedTimer clock_;
  bool gave_up_ = false;
};

class NetworkGame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  void SetUp() override {
    ASSERT_TRUE(server_folder_.isValid() && client_folder_.isValid());
    const quint16 port = TestPort();
    for (QTemporaryDir* folder : {&server_folder_, &client_folder_}) {
      WriteNetworkOptions(folder->path(), port);
      WriteClubFiles(folder->path());
    }
  }
  // Both copies on the table of one game: the server's player window
  // returns once the game has begun.
  void StartBoth(MainWindow& server, MainWindow& client) {
    StartWindow(server);
    StartWindow(client);
    QTest::mouseClick(server.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
    QTest::mouseClick(MenuButton(server, "Button6"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.State().InGame && client.State().InGame; }, 10000));
    EXPECT_TRUE(server.State().InGame);
    EXPECT_TRUE(client.State().InGame);
  }
  QTemporaryDir server_folder_;
  QTemporaryDir client_folder_;
};

TEST_F(NetworkGame, TwoPeopleAndTheComputerPlayAWholeGame) {
  MainWindow server(TestWindowOptions(server_folder_.path()));
  MainWindow client(TestWindowOptions(client_folder_.path()));
  TwoSeatPilot pilot(server, client);
  StartBoth(server, client);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());

  PlayerRobot at_server, at_client;
  bool over = false;
  for (int guard = 0; guard < 200000 && !over; ++guard) {
    const bool acted = at_server.Step(server) | at_client.Step(client);
    over = !server.State().InGame && !client.State().InGame;
    if (!acted) QTest::qWait(1);
  }
  ASSERT_TRUE(over) << "round " << server.State().RoundNo << " phase " << int(server.State().Phase) << " / "
                    << int(client.State().Phase);
  std::printf("rounds %d, cards %d + %d, gifts %d + %d\n", server.State().RoundNo, at_server.stats.cards_played,
              at_client.stats.cards_played, at_server.stats.declared, at_client.stats.declared);
  EXPECT_TRUE(server.State().GameOver);
  EXPECT_TRUE(client.State().GameOver);
  EXPECT_EQ(server.State().RoundNo, client.State().RoundNo);
  // Both copies end with the same three scores, each seen from its own seat.
  std::vector<int> a{server.State().Scores[1], server.State().Scores[2], server.State().Scores[3]};
  std::vector<int> b{client.State().Scores[1], client.State().Scores[2], client.State().Scores[3]};
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  EXPECT_EQ(a, b);
  EXPECT_GT(at_server.stats.cards_played + at_client.stats.cards_played, 16);
  EXPECT_EQ(pilot.interruptions, 0);
  EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
  EXPECT_TRUE(server.MenuShown());
  EXPECT_TRUE(client.MenuShown());
  // Each copy keeps its player in its network club file.
  const auto anna = ReadMember(std::filesystem::path(server_folder_.path().toStdString()) / "Varnok.net", 1);
  ASSERT_TRUE(anna.has_value());
  EXPECT_EQ(anna->Name, "Anna");
  EXPECT_EQ(anna->Games, 1);
  server.close();
  client.close();
}

TEST_F(NetworkGame, ClosingOneCopyMidGameSendsTheOtherBackToTheMenuWithinASecond) {
  MainWindow server(TestWindowOptions(server_folder_.path()));
  auto client = std::make_unique<MainWindow>(TestWindowOptions(client_folder_.path()));
  TwoSeatPilot pilot(server, *client);
  StartBoth(server, *client);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());

  // A chat line typed at the client reaches the server's chat picture.
  ASSERT_TRUE(client->Chat()->Shown());
  ASSERT_TRUE(QTest::qWaitFor([&] { return client->Chat()->Edit1()->isEnabled(); }, 2000));
  client->Chat()->Edit1()->setFocus();
  QTest::keyClicks(client->Chat()->Edit1(), QStringLiteral("hi #1"));
  QTest::keyClick(client->Chat()->Edit1(), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !server.Chat()->Lines().isEmpty(); }, 2000)) << "the line arrives";
  EXPECT_EQ(server.Chat()->Lines().last().text, QStringLiteral("hi #1"));

  // Play into the first tricks.
  PlayerRobot at_server, at_client;
  for (int guard = 0; guard < 20000 && server.State().TrickNo < 3; ++guard) {
    const bool acted = at_server.Step(server) | at_client.Step(*client);
    if (!acted) QTest::qWait(1);
  }
  ASSERT_TRUE(server.State().InGame);

  QElapsedTimer clock;
  clock.start();
  client->close();  // asks first; the pilot says yes
  client.reset();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !server.State().InGame && server.MenuShown(); }, 1000))
      << "still on the table after " << clock.elapsed() << " ms";
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_TRUE(QTest::qWaitFor([&] { return pilot.interruptions == 1; }, 1000)) << "the message is shown";
  // The partner's leaving does not cost the server's player his place.
  EXPECT_EQ(pilot.confirms, 1);
  server.close();
}

}  // namespace
}  // namespace varnok

namespace varnok {
namespace {

// With the table's pauses and the session's own pauses between records, as a
// player sees it: the first round is played to its end on both copies.
TEST_F(NetworkGame, ARoundAtThePaceAPlayerSees) {
  WindowOptions paced = TestWindowOptions(server_folder_.path());
  paced.skip_pauses = false;
  MainWindow server(paced);
  paced.program_folder = client_folder_.path();
  MainWindow client(paced);
  TwoSeatPilot pilot(server, client);
  StartBoth(server, client);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());

  PlayerRobot at_server, at_client;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 60000 && (server.State().RoundNo < 2 || client.State().RoundNo < 2)) {
    const bool acted = at_server.Step(server) | at_client.Step(client);
    if (!acted) QTest::qWait(5);
  }
  EXPECT_GE(server.State().RoundNo, 2) << "phase " << int(server.State().Phase);
  EXPECT_GE(client.State().RoundNo, 2) << "phase " << int(client.State().Phase);
  EXPECT_EQ(pilot.interruptions, 0);
  EXPECT_TRUE(pilot.strangers.isEmpty()) << pilot.strangers.join(QStringLiteral("; ")).toStdString();
  server.close();
  client.close();
}

}  // namespace
}  // namespace varnok

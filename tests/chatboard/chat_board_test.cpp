// The chat board through the real windows, offscreen, against a real
// varnok-server: two program instances posting at once, the badge of the
// background check, the board's lines and marks, posting and its failures,
// the marker files, and the news badge.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTest>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QUrl>
#include <fstream>
#include <set>

#include "chat_fixture.h"
#include "chat_markers.h"
#include "form_message.h"
#include "menu_screen.h"
#include "online_club.h"
#include "table_canvas.h"
#include "text_file.h"
#include "window_driver.h"
#include "zub_cards_button.h"

namespace varnok::testing {
namespace {

std::string FileOf(const QString& folder, const char* name) {
  return ReadFileBytes((folder + QLatin1Char('/') + QLatin1String(name)).toStdString(), 4096).value_or("<missing>");
}

// The line of the board that shows message `number`, or nothing.
const ChatBoardMessage* LineOf(TFormChat* chat, int number) {
  for (const auto& line : chat->Board()->Lines())
    if (line && line->Number == number) return &*line;
  return nullptr;
}

bool BadgeShown(MainWindow& w, const char* name) {
  auto* badge = w.Canvas()->findChild<QLabel*>(QLatin1String(name));
  return badge != nullptr && badge->isVisible();
}

using ChatBoard = ChatBoardFixture;

TEST_F(ChatBoard, TwoInstancesPostAtOnceAndTheOtherBadgeRises) {
  Instance a = Start(QStringLiteral("a"), Passport{"Alice", "Omsk", "1-001", "W"});
  Instance b = Start(QStringLiteral("b"), Passport{"Bob", "Berlin", "1-016", "M"});
  EnterMenu(a);
  EnterMenu(b);
  TFormChat* chatA = OpenChat(a);
  TFormChat* chatB = OpenChat(b);
  ASSERT_TRUE(chatA && chatB);
  EXPECT_TRUE(chatA->Board()->Lines()[0] == std::nullopt) << "the board starts empty";

  // Both press Enter in the same moment: both read the same newest number.
  int doneA = 0, doneB = 0;
  QObject::connect(chatA, &TFormChat::PostFinished, [&](bool ok) { doneA = ok ? 1 : -1; });
  QObject::connect(chatB, &TFormChat::PostFinished, [&](bool ok) { doneB = ok ? 1 : -1; });
  QTest::keyClicks(chatA->Edit(), QStringLiteral("Hi from A"));
  QTest::keyClicks(chatB->Edit(), QStringLiteral("Hi from B"));
  QTest::keyClick(chatA->Edit(), Qt::Key_Return);
  QTest::keyClick(chatB->Edit(), Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return doneA != 0 && doneB != 0; }));
  EXPECT_EQ(doneA, 1);
  EXPECT_EQ(doneB, 1);

  const online::TableResult board = Board();
  ASSERT_TRUE(board.Ok);
  std::set<int> numbers;
  std::set<std::string> authors;
  for (const online::TZubRecord& row : board.Rows) {
    if (row.Nick == "#") continue;
    numbers.insert(row.Score);
    authors.insert(row.Nick + ":" + row.R10);
  }
  EXPECT_EQ(numbers, (std::set<int>{1, 2}));
  EXPECT_EQ(authors, (std::set<std::string>{"Alice:Hi_from_A", "Bob:Hi_from_B"}));

  // Each window drew the board after its own post, perhaps before the other
  // message came: the refresh pictures show both.
  for (TFormChat* chat : {chatA, chatB}) {
    ASSERT_TRUE(WaitFor([&] { return chat->RefreshPicture()->isVisible() && !chat->Posting(); }));
    const int draws = chat->Draws();
    QTest::mouseClick(chat->RefreshPicture(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return chat->Draws() > draws; }));
    ASSERT_NE(LineOf(chat, 2), nullptr);
    ASSERT_NE(LineOf(chat, 1), nullptr);
  }
  // Both close their windows; then A writes again, and B's badge rises on
  // its own check (ninety ticks of the shortened calendar) while A's stays down.
  chatA->CloseButton()->click();
  chatB->CloseButton()->click();
  ASSERT_TRUE(WaitFor([&] { return a.ChatWindow() == nullptr && b.ChatWindow() == nullptr; }));
  EXPECT_FALSE(b.Chat().ChatFlag());
  EXPECT_EQ(ParseChatMarkers(FileOf(b.Markers, "ZubChatZub.ini")).LastSeen, 2);
  chatA = OpenChat(a);
  ASSERT_TRUE(chatA);
  QTest::keyClicks(chatA->Edit(), QStringLiteral("Anyone here?"));
  doneA = 0;
  QObject::connect(chatA, &TFormChat::PostFinished, [&](bool ok) { doneA = ok ? 1 : -1; });
  QTest::keyClick(chatA->Edit(), Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return doneA != 0; }));
  chatA->CloseButton()->click();
  ASSERT_TRUE(WaitFor([&] { return a.ChatWindow() == nullptr; }));
  const int checksOfA = a.Chat().ChatChecks();
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(WaitFor([&] { return b.Chat().ChatFlag(); }, 15000)) << "B's badge never rose";
  EXPECT_LE(clock.elapsed(), 90 * 20 + 5000);
  EXPECT_TRUE(BadgeShown(*b.Window, "RxGIFAnChat"));
  EXPECT_EQ(b.Chat().State().Newest, 3);
  // A's own message raises nothing at A.
  ASSERT_TRUE(WaitFor([&] { return a.Chat().ChatChecks() > checksOfA; }, 15000));
  EXPECT_FALSE(a.Chat().ChatFlag());
  EXPECT_FALSE(BadgeShown(*a.Window, "RxGIFAnChat"));
  a.Window->close();
  b.Window->close();
}

TEST_F(ChatBoard, TheBoardsEdgeCases) {
  Instance a = Start(QStringLiteral("a"), Passport{"Alice", "Omsk", "1-001", "W"});
  // A missing marker file is created with 1, 0, 0 by the first check.
  EXPECT_EQ(FileOf(a.Markers, "ZubChatZub.ini"), "<missing>");
  // On the title the calendar does not run yet and "Chat" is off.
  EXPECT_FALSE(a.Chat().Calendar().isActive());
  EXPECT_FALSE(a.Window->ChatAction()->isEnabled());
  EnterMenu(a);
  EXPECT_TRUE(a.Chat().Calendar().isActive());
  EXPECT_TRUE(a.Window->ChatAction()->isEnabled());
  EXPECT_EQ(a.Window->ChatAction()->text(), QStringLiteral("Chat"));
  ASSERT_TRUE(WaitFor([&] { return a.Chat().ChatChecks() > 0; }));
  EXPECT_EQ(FileOf(a.Markers, "ZubChatZub.ini"), "1\r\n0\r\n0\r\n");

  PostAsStranger("Zed", "first");
  PostAsStranger("Zed", "second");
  TFormChat* chat = OpenChat(a);
  ASSERT_TRUE(chat);
  ASSERT_NE(LineOf(chat, 2), nullptr);
  EXPECT_TRUE(LineOf(chat, 2)->Fresh) << "a message newer than the one seen carries the mark";
  EXPECT_FALSE(LineOf(chat, 1)->Fresh) << "message 1 counts as seen (the file's number)";
  EXPECT_EQ(chat->Board()->Lines()[0]->Number, 2) << "the newest on top";

  // Typed with blanks and an ampersand: sent with "_", shown with blanks.
  bool posted = false;
  QObject::connect(chat, &TFormChat::PostFinished, [&](bool ok) { posted = ok; });
  const int draws = chat->Draws();
  QTest::keyClicks(chat->Edit(), QStringLiteral("Hello, world & co"));
  QTest::keyClick(chat->Edit(), Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return posted && chat->Draws() > draws; }));
  const online::TableResult board = Board();
  ASSERT_TRUE(board.Ok);
  EXPECT_EQ(board.Rows[0].Nick, "Alice");
  EXPECT_EQ(board.Rows[0].R10, "Hello,_world___co");
  EXPECT_EQ(board.Rows[0].City, "Omsk");
  EXPECT_EQ(board.Rows[0].Country, "1-001");
  EXPECT_EQ(board.Rows[0].R07, "W");
  EXPECT_EQ(board.Rows[0].R08, "5.7f");
  EXPECT_NE(board.Rows[0].R09.find("_Varnok"), std::string::npos) << board.Rows[0].R09;
  ASSERT_NE(LineOf(chat, 3), nullptr);
  EXPECT_EQ(LineOf(chat, 3)->Text, QStringLiteral("Hello, world   co"));
  EXPECT_TRUE(LineOf(chat, 3)->Woman);
  EXPECT_TRUE(LineOf(chat, 3)->Header.endsWith(QStringLiteral(" 5.7f : Alice")));
  // One's own message carries no mark.
  EXPECT_FALSE(LineOf(chat, 3)->Fresh);
  // The field is cleared and rests, with the send picture, until the window's tick.
  EXPECT_TRUE(chat->Edit()->text().isEmpty());
  EXPECT_FALSE(chat->Edit()->isEnabled());
  EXPECT_TRUE(chat->SendPicture()->isHidden());
  EXPECT_EQ(ParseChatMarkers(FileOf(a.Markers, "ZubChatZub.ini")).LastSeen, 3);

  // "Last message at the bottom": the newest (row 1) on line 10.
  const int before = chat->Draws();
  chat->BottomBox()->click();
  ASSERT_TRUE(WaitFor([&] { return chat->Draws() > before; }));
  const auto& lines = chat->Board()->Lines();
  ASSERT_TRUE(lines[9].has_value());
  EXPECT_EQ(lines[9]->Number, 3);
  EXPECT_EQ(lines[8]->Number, 2);
  EXPECT_EQ(lines[7]->Number, 1);
  EXPECT_FALSE(lines[0].has_value());
  EXPECT_FALSE(chat->BottomBox()->isEnabled()) << "the box rests until the next tick";
  EXPECT_EQ(FileOf(a.Markers, "ZubChatZub.ini"), "3\r\n1\r\n0\r\n");
  chat->AutoOpenBox()->click();
  EXPECT_EQ(FileOf(a.Markers, "ZubChatZub.ini"), "3\r\n1\r\n1\r\n");
  a.Window->close();
}

TEST_F(ChatBoard, PostingWhenTheBoardCannotBeReadSendsNothing) {
  Instance a = Start(QStringLiteral("a"), Passport{"Alice", "Omsk", "1-001", "W"});
  EnterMenu(a);
  TFormChat* chat = OpenChat(a);
  ASSERT_TRUE(chat);
  // The results service goes away: nothing listens at its new address.
  QTcpServer nobody;
  ASSERT_TRUE(nobody.listen(QHostAddress::LocalHost, 0));
  const QString dead = QStringLiteral("http://127.0.0.1:%1/").arg(nobody.serverPort());
  nobody.close();
  a.Window->Online().Addresses().Results = online::testing::StoredAddress(dead + "results.php");
  int result = 0;
  QObject::connect(chat, &TFormChat::PostFinished, [&](bool ok) { result = ok ? 1 : -1; });
  QTest::keyClicks(chat->Edit(), QStringLiteral("lost words"));
  QTest::keyClick(chat->Edit(), Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return result != 0; }));
  EXPECT_EQ(result, -1);
  auto* box = chat->findChild<TFormMessage*>(QStringLiteral("ChatSendFailed"));
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->Text(), QStringLiteral("Unable to send a message!"));
  EXPECT_EQ(chat->Edit()->text(), QStringLiteral("lost words")) << "the text stays for another try";
  box->OkButton()->click();
  // The server got nothing.
  const online::TableResult board = Board();
  ASSERT_TRUE(board.Ok);
  EXPECT_EQ(board.Rows[0].Nick, "#");
  a.Window->close();
}

TEST_F(ChatBoard, ADeadOrSilentServerCostsTheWindowOnlyItsTimeOutWhileItPaints) {
  Instance a = Start(QStringLiteral("a"), Passport{"Alice", "Omsk", "1-001", "W"});
  EnterMenu(a);
  // A server that takes the connection and never answers.
  QTcpServer silent;
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
  a.Window->Online().Addresses().Results =
      online::testing::StoredAddress(QStringLiteral("http://127.0.0.1:%1/results.php").arg(silent.serverPort()));
  // The menu's lights go on painting while the window waits.
  QWidget* lamp = a.Window->Canvas()->findChild<QWidget*>(QStringLiteral("MenuLamp1"));
  ASSERT_NE(lamp, nullptr);
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  lamp->installEventFilter(&counter);
  QElapsedTimer clock;
  clock.start();
  a.Window->ChatAction()->trigger();
  TFormChat* chat = a.ChatWindow();
  ASSERT_NE(chat, nullptr);
  EXPECT_TRUE(chat->isVisible()) << "the window opens at once";
  EXPECT_LT(clock.elapsed(), 1000);
  ASSERT_TRUE(WaitFor([&] { return chat->Draws() > 0; }, 8000));
  EXPECT_TRUE(chat->Board()->NoConnect());
  EXPECT_LE(clock.elapsed(), online::kShortReadTimeoutMs + 1500);
  EXPECT_GT(counter.paints, 20) << "the menu stood still while the board was read";
  chat->CloseButton()->click();

  // The server stopped: the window opens and says "No Connect" at once.
  server_.Stop();
  PointAt(a.Window->Online(), server_.Base());
  clock.restart();
  chat = OpenChat(a);
  ASSERT_TRUE(chat);
  EXPECT_TRUE(chat->Board()->NoConnect());
  EXPECT_LT(clock.elapsed(), online::kShortReadTimeoutMs);
  chat->CloseButton()->click();
  lamp->removeEventFilter(&counter);
  a.Window->close();
}

TEST_F(ChatBoard, APausedChatRefusesTheWindowWithItsMessage) {
  ASSERT_TRUE(server_.Admin({QStringLiteral("pause"), QStringLiteral("chat")}));
  Instance a = Start(QStringLiteral("a"), Passport{"Alice", "Omsk", "1-001", "W"});
  EnterMenu(a);
  EXPECT_FALSE(a.Window->Online().ChatAvailable());
  a.Window->ChatAction()->trigger();
  EXPECT_EQ(a.ChatWindow(), nullptr);
  auto* box = a.Window->findChild<TFormMessage*>(QStringLiteral("ChatUnavailable"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text(), QStringLiteral("Chat is temporarily unavailable!"));
  box->OkButton()->click();
  a.Window->close();
}

TEST_F(ChatBoard, ANewMessageOpensTheWindowDuringAGameWhenAsked) {
  // Seen up to message 0, automatic opening on.
  Setup setup;
  setup.passport = Passport{"Bob", "Berlin", "1-016", "M"};
  setup.chat_markers = "0\r\n0\r\n1\r\n";
  Instance b = Start(QStringLiteral("b"), setup);
  EnterMenu(b);
  ASSERT_TRUE(WaitFor([&] { return b.Chat().ChatChecks() > 0; }));
  {
    // The pilot fills in the player window (it would close any other window).
    DialogPilot pilot;
    QTest::mouseClick(MenuButton(*b.Window, "Button6"), Qt::LeftButton);
    ASSERT_TRUE(b.Window->State().InGame);
  }
  EXPECT_EQ(b.ChatWindow(), nullptr);
  EXPECT_TRUE(b.Chat().Calendar().isActive()) << "the checks go on during the game";
  PostAsStranger("Zed", "Good_game!");
  ASSERT_TRUE(WaitFor([&] { return b.ChatWindow() != nullptr; }, 15000)) << "the window did not open";
  TFormChat* chat = b.ChatWindow();
  EXPECT_TRUE(chat->isVisible());
  ASSERT_TRUE(WaitFor([&] { return chat->Draws() > 0; }));
  ASSERT_NE(LineOf(chat, 1), nullptr);
  EXPECT_TRUE(LineOf(chat, 1)->Fresh);
  EXPECT_EQ(LineOf(chat, 1)->Text, QStringLiteral("Good game!"));
  EXPECT_TRUE(b.Window->State().InGame);
  chat->CloseButton()->click();
  ASSERT_TRUE(WaitFor([&] { return b.ChatWindow() == nullptr; }));
  EXPECT_EQ(b.Chat().State().LastSeen, 1);
  EXPECT_FALSE(b.Chat().ChatFlag());
  DialogPilot pilot;  // "Yes" to leaving the game
  b.Window->close();
}

TEST_F(ChatBoard, OnlyAnAcceptablePassportMayWrite) {
  Instance a = Start(QStringLiteral("a"), Passport{"Alice", "New York", "3-001", "W"});
  EnterMenu(a);
  TFormChat* chat = OpenChat(a);
  ASSERT_TRUE(chat);
  EXPECT_FALSE(chat->Edit()->isEnabled()) << "a blank is no letter of a city";
  QTest::mouseClick(chat->SendPicture(), Qt::LeftButton);
  EXPECT_FALSE(chat->Posting());
  chat->CloseButton()->click();
  // A Cyrillic nick and city are acceptable.
  Instance b = Start(QStringLiteral("b"), Passport{"\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "\xD0\x9E\xD0\xBC\xD1\x81\xD0\xBA", "1-001", "M"});
  EnterMenu(b);
  chat = OpenChat(b);
  ASSERT_TRUE(chat);
  EXPECT_TRUE(chat->Edit()->isEnabled());
  bool posted = false;
  QObject::connect(chat, &TFormChat::PostFinished, [&](bool ok) { posted = ok; });
  // Pasted: Qt's test keyboard types only ASCII.
  chat->Edit()->insert(QString::fromUtf8("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82!"));
  QTest::mouseClick(chat->SendPicture(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return posted; }));
  EXPECT_EQ(Board().Rows[0].R10, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82!");
  a.Window->close();
  b.Window->close();
}

// Opens the news document's address through the desktop services.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public Q_SLOTS:
  void Open(const QUrl& url) { opened.push_back(url); }
};

TEST_F(ChatBoard, TheNewsBadgeOpensTheNewsAndRemembersIt) {
  ASSERT_TRUE(server_.Admin({QStringLiteral("news"), QStringLiteral("Varnok"), QStringLiteral("5.7f")}));
  Instance a = Start(QStringLiteral("a"), Passport{"Alice", "Omsk", "1-001", "W"});
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
  EnterMenu(a);
  ASSERT_TRUE(WaitFor([&] { return a.Chat().NewsFlag(); })) << "no news badge";
  auto* badge = a.Window->Canvas()->findChild<QLabel*>(QStringLiteral("RxGIFAnNews"));
  ASSERT_NE(badge, nullptr);
  ASSERT_TRUE(badge->isVisible());
  QTest::mouseClick(badge, Qt::LeftButton);
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  ASSERT_EQ(catcher.opened.size(), 1);
  EXPECT_EQ(catcher.opened[0].toString(), server_.Base() + QStringLiteral("news.html"));
  EXPECT_FALSE(a.Chat().NewsFlag());
  EXPECT_FALSE(badge->isVisible());
  EXPECT_EQ(FileOf(a.Markers, "ZubNewsZub.ini"), "1\r\n");
  // Read news stays read: the next checks on the menu raise nothing.
  const int checks = a.Chat().NewsChecks();
  ASSERT_TRUE(WaitFor([&] { return a.Chat().NewsChecks() > checks + 1; }));
  EXPECT_FALSE(a.Chat().NewsFlag());
  a.Window->close();

  // The board's badge of a large menu is there before any news was read:
  // opening the news then keeps the number already read.
  ASSERT_TRUE(QDir().mkpath(root_.path() + QStringLiteral("/b")));
  std::ofstream((root_.path() + QStringLiteral("/b/ZubNewsZub.ini")).toStdString(), std::ios::binary) << "7\r\n";
  Instance b = Start(QStringLiteral("b"), Passport{"Bob", "Berlin", "1-016", "M"});
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
  b.Chat().OpenNews();
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  EXPECT_EQ(catcher.opened.size(), 2);
  EXPECT_EQ(FileOf(b.Markers, "ZubNewsZub.ini"), "7\r\n");
  b.Window->close();
}

// The chat window at window size 5 on a real display, for a person to look
// at: VARNOK_CHAT_SHOT=chat.png under Xvfb (README, "Screenshots").
TEST_F(ChatBoard, ScreenshotAtWindowSize5) {
  const QString out = qEnvironmentVariable("VARNOK_CHAT_SHOT");
  if (out.isEmpty()) GTEST_SKIP() << "VARNOK_CHAT_SHOT names no picture";
  PostAsStranger("Zed", "Good_evening,_everybody!");
  PostAsStranger("Marie", "Bonsoir!_Qui_joue_au_Varnok_ce_soir_", "Lyon", "1-015", "W");
  PostAsStranger("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82_\xD0\xB2\xD1\x81\xD0\xB5\xD0\xBC!",
                 "\xD0\x9E\xD0\xBC\xD1\x81\xD0\xBA", "1-001", "M");
  PostAsStranger("Kate", "I_played_25_games_today", "Sydney", "5-001", "W");
  Setup setup;
  setup.passport = Passport{"Alice", "Toronto", "3-002", "W"};
  setup.window_mode = 5;
  setup.chat_refresh_ms = 400;  // the field is free again soon after the post
  setup.chat_markers = "2\r\n0\r\n0\r\n";
  Instance a = Start(QStringLiteral("a"), setup);
  EnterMenu(a);
  TFormChat* chat = OpenChat(a);
  ASSERT_TRUE(chat);
  bool posted = false;
  QObject::connect(chat, &TFormChat::PostFinished, [&](bool ok) { posted = ok; });
  const int draws = chat->Draws();
  QTest::keyClicks(chat->Edit(), QStringLiteral("Hello, world & co"));
  QTest::keyClick(chat->Edit(), Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return posted && chat->Draws() > draws; }));
  // An answer comes, new to the player: the refresh picture shows it.
  PostAsStranger("Zed", "Welcome,_Alice!_Join_my_table");
  ASSERT_TRUE(WaitFor([&] { return chat->RefreshPicture()->isVisible(); }));
  const int shown = chat->Draws();
  QTest::mouseClick(chat->RefreshPicture(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return chat->Draws() > shown; }));
  EXPECT_TRUE(LineOf(chat, 6) && LineOf(chat, 6)->Fresh);
  EXPECT_FALSE(LineOf(chat, 5)->Fresh);
  ASSERT_TRUE(WaitFor([&] { return chat->Edit()->isEnabled(); }));
  QTest::keyClicks(chat->Edit(), QStringLiteral("Who is next?"));
  QTest::qWait(300);
  const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
  ASSERT_TRUE(screen.save(out)) << out.toStdString();
  a.Window->close();
}

}  // namespace
}  // namespace varnok::testing

#include "chat_board_test.moc"

namespace varnok::testing {
namespace {

using ChatRefresh = ChatBoardFixture;

// With the chat window open, what another copy posts appears within one
// refresh of the window's own timer, marked new, without a click.
TEST_F(ChatRefresh, APostOfAnotherCopyAppearsInAnOpenWindowWithinOneRefresh) {
  constexpr int kRefreshMs = 400;
  Setup setup_a;
  setup_a.passport = Passport{"Alice", "Omsk", "1-001", "W"};
  setup_a.chat_refresh_ms = kRefreshMs;
  setup_a.calendar_ms = 600000;  // no background check: only the window's own refresh reads the board
  Instance a = Start(QStringLiteral("a"), setup_a);
  Instance b = Start(QStringLiteral("b"), Passport{"Bob", "Berlin", "1-016", "M"});
  EnterMenu(a);
  EnterMenu(b);
  // Message 1 is already there (a fresh copy counts the first message as seen).
  PostAsStranger("Zed", "Earlier");
  TFormChat* chatA = OpenChat(a);
  ASSERT_NE(chatA, nullptr);
  ASSERT_NE(LineOf(chatA, 1), nullptr);
  ASSERT_EQ(LineOf(chatA, 2), nullptr);

  // B writes through its own window.
  TFormChat* chatB = OpenChat(b);
  ASSERT_NE(chatB, nullptr);
  int doneB = 0;
  QObject::connect(chatB, &TFormChat::PostFinished, [&](bool ok) { doneB = ok ? 1 : -1; });
  QTest::keyClicks(chatB->Edit(), QStringLiteral("Hello Alice"));
  QTest::keyClick(chatB->Edit(), Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return doneB != 0; }));
  ASSERT_EQ(doneB, 1);

  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(WaitFor([&] { return LineOf(chatA, 2) != nullptr; }, 5000)) << "A's window never read the board";
  EXPECT_LE(clock.elapsed(), 2 * kRefreshMs + 1000) << "within one refresh";
  EXPECT_TRUE(LineOf(chatA, 2)->Text.contains(QStringLiteral("Hello"))) << LineOf(chatA, 2)->Text.toStdString();
  EXPECT_TRUE(LineOf(chatA, 2)->Fresh) << "another member's line is marked new";
  EXPECT_FALSE(LineOf(chatA, 1)->Fresh);
  // The refresh goes on while the window is open: a stranger's post follows.
  PostAsStranger("Carl", "Second");
  ASSERT_TRUE(WaitFor([&] { return LineOf(chatA, 3) != nullptr; }, 5000));
  EXPECT_TRUE(LineOf(chatA, 3)->Fresh);
  a.Window->close();
  b.Window->close();
}

}  // namespace
}  // namespace varnok::testing

namespace varnok::testing {
namespace {

using AccountPassport = ChatBoardFixture;

// A signed-in member whose passport is still "Incognito" is shown the
// passport window filled in from his account when the chat opens, and then
// posts under his own nick.
TEST_F(AccountPassport, ASignedInMemberPostsUnderHisAccountNotAsAStranger) {
  {
    online::OnlineClient client;
    PointAt(client, server_.Base());
    ASSERT_EQ(online::testing::RegisterOnServer(client, online::testing::TestMember("Ivan")), 0);
  }
  Setup setup;
  setup.passport = Passport{"Incognito", "Moscow", "1-001", "M"};
  setup.account_nick = "Ivan";
  setup.account_password = "secret1";
  Instance a = Start(QStringLiteral("a"), setup);
  ASSERT_TRUE(WaitFor([&] { return a.Window->Club().AccountState() == online::kLoggedIn; }));
  EnterMenu(a);
  TFormChat* chat = OpenChat(a);
  ASSERT_NE(chat, nullptr);
  auto* passport = chat->findChild<QDialog*>(QStringLiteral("AccountPassport"));
  ASSERT_NE(passport, nullptr) << "the passport window opens over the chat";
  EXPECT_TRUE(passport->isVisible());
  EXPECT_EQ(passport->findChild<QLineEdit*>(QStringLiteral("Nick"))->text(), QStringLiteral("Ivan"));
  EXPECT_EQ(passport->findChild<QLineEdit*>(QStringLiteral("City"))->text(), QStringLiteral("Omsk"));
  passport->accept();
  EXPECT_EQ(a.Window->Options().Nick, "Ivan");
  ASSERT_TRUE(WaitFor([&] { return chat->Edit()->isEnabled(); }));
  int done = 0;
  QObject::connect(chat, &TFormChat::PostFinished, [&](bool ok) { done = ok ? 1 : -1; });
  QTest::keyClicks(chat->Edit(), QStringLiteral("Hello"));
  QTest::keyClick(chat->Edit(), Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return done != 0; }));
  ASSERT_EQ(done, 1);
  const online::TableResult board = Board();
  ASSERT_TRUE(board.Ok);
  EXPECT_EQ(board.Rows[0].Nick, "Ivan");
  EXPECT_EQ(board.Rows[0].City, "Omsk");
  a.Window->close();
}

}  // namespace
}  // namespace varnok::testing

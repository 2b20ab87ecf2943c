#include "chat_fixture.h"

#include <QAction>
#include <QDir>
#include <QTest>
#include <fstream>

#include "account_file.h"
#include "address_cipher.h"
#include "settings.h"
#include "table_canvas.h"
#include "window_driver.h"

namespace varnok::testing {

void ChatBoardFixture::SetUp() {
  EnsureApplication();
  ASSERT_TRUE(root_.isValid());
  ASSERT_TRUE(server_.Start()) << server_.Error().constData();
}

void ChatBoardFixture::TearDown() { server_.Stop(); }

void ChatBoardFixture::PointAt(online::OnlineClient& client, const QString& base) {
  online::testing::PointClientAt(client.Addresses(), base);
}

Instance ChatBoardFixture::Start(const QString& name, const Setup& setup) {
  Instance instance;
  instance.Markers = root_.path() + QLatin1Char('/') + name;
  instance.Folder = instance.Markers + QStringLiteral("/Varnok");
  EXPECT_TRUE(QDir().mkpath(instance.Folder));
  Settings settings;
  SetBuiltInWorldTopTen(settings);
  settings.PlayerName = "Tester";
  settings.Nick = setup.passport.Nick;
  settings.City = setup.passport.City;
  settings.Country = setup.passport.Country;
  settings.Sex = setup.passport.Sex;
  settings.WindowMode = setup.window_mode;
  settings.FlyingCards = false;
  settings.CardSpeed = 6;
  settings.Music = false;
  settings.Sound = false;
  {
    std::ofstream out((instance.Folder + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary);
    out << FormatSettings(settings);
  }
  if (!setup.chat_markers.empty()) {
    std::ofstream out((instance.Markers + QStringLiteral("/ZubChatZub.ini")).toStdString(), std::ios::binary);
    out << setup.chat_markers;
  }
  WriteClubFiles(instance.Folder);
  if (!setup.account_nick.empty()) {
    EXPECT_TRUE(online::WriteAccountFile(instance.Folder.toStdString(), setup.account_nick, setup.account_password));
  }
  WindowOptions options = TestWindowOptions(instance.Folder);
  options.marker_folder.clear();  // the real place: the folder above the program's
  options.calendar_timer_ms = setup.calendar_ms;
  options.chat_refresh_ms = setup.chat_refresh_ms;
  instance.Window = std::make_unique<MainWindow>(options);
  PointAt(instance.Window->Online(), server_.Base());
  StartWindow(*instance.Window);
  // The start-up took the results address from the options; the server's
  // directory gives it back.
  const std::string results = (server_.Base() + QStringLiteral("results.php")).toStdString();
  EXPECT_TRUE(WaitFor([&] { return DecipherAddress(instance.Window->Online().Addresses().Results) == results; }))
      << "the directory step did not finish";
  return instance;
}

void ChatBoardFixture::EnterMenu(Instance& instance) {
  QTest::keyClick(instance.Window->Canvas(), Qt::Key_Space);
  ASSERT_TRUE(instance.Window->MenuShown());
}

TFormChat* ChatBoardFixture::OpenChat(Instance& instance) {
  instance.Window->ChatAction()->trigger();
  TFormChat* chat = instance.ChatWindow();
  if (chat == nullptr) {
    ADD_FAILURE() << "no chat window";
    return nullptr;
  }
  EXPECT_TRUE(WaitFor([&] { return chat->Draws() > 0; })) << "the board was never drawn";
  return chat;
}

online::TableResult ChatBoardFixture::Board() {
  online::OnlineClient client;
  PointAt(client, server_.Base());
  std::optional<online::TableResult> result;
  client.Run(online::ReadTable{online::kChatTable}, nullptr, [&](online::TableResult r) { result = r; });
  EXPECT_TRUE(WaitFor([&] { return result.has_value(); }));
  return result.value_or(online::TableResult{});
}

void ChatBoardFixture::PostAsStranger(const std::string& nick, const std::string& text, const std::string& city,
                                      const std::string& country, const std::string& sex) {
  online::OnlineClient client;
  PointAt(client, server_.Base());
  online::WriteTableEntry entry;
  entry.Gid = online::kChatTable;
  entry.Nick = nick;
  entry.City = city;
  entry.Country = country;
  entry.Score = 1;
  entry.R7 = sex;
  entry.R9 = "12_00_00_01.01.26_Varnok";
  entry.R10 = text;
  std::optional<online::NumberResult> result;
  client.Run(entry, nullptr, [&](online::NumberResult r) { result = r; });
  ASSERT_TRUE(WaitFor([&] { return result.has_value(); }));
  ASSERT_TRUE(result->Ok) << "the server refused the stranger's message";
}

}  // namespace varnok::testing

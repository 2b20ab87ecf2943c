// Program instances for the chat board's window tests: each a main window
// over a program folder of its own ("<root>/<name>/Varnok", so that its
// marker files lie in "<root>/<name>"), with a passport in its options, its
// HTTP layer pointed at a real varnok-server on a free port of 127.0.0.1,
// and the calendar timer shortened through the window's test hook.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <memory>

#include "chat_news.h"
#include "main_window.h"
#include "server_fixture.h"

namespace varnok::testing {

struct Passport {
  std::string Nick = "Alice";
  std::string City = "Omsk";
  std::string Country = "1-001";
  std::string Sex = "W";
};

struct Instance {
  QString Folder;   // the program's folder
  QString Markers;  // the folder above it, with the marker files
  std::unique_ptr<MainWindow> Window;
  ChatNews& Chat() { return Window->ChatAndNews(); }
  TFormChat* ChatWindow() { return Window->ChatAndNews().ChatWindow(); }
};

// Waits on the event loop until `ready` (at most `limit_ms`); true when it came.
template <class Ready>
bool WaitFor(Ready ready, int limit_ms = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!ready()) {
    if (clock.elapsed() > limit_ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

class ChatBoardFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  struct Setup {
    Passport passport;
    int window_mode = 1;
    int calendar_ms = 20;
    int chat_refresh_ms = 0;
    std::string chat_markers;  // the contents of "ZubChatZub.ini" ("" = no file)
    // A saved login ("ZubUser.zub") that signs in at start ("" = none).
    std::string account_nick, account_password;
  };
  // A started window on the title screen, its directory step done.
  Instance Start(const QString& name, const Setup& setup);
  Instance Start(const QString& name, const Passport& passport) {
    Setup setup;
    setup.passport = passport;
    return Start(name, setup);
  }
  // Leaves the title for the menu like a person (a key).
  void EnterMenu(Instance& instance);
  // Opens the chat window through the popup entry and waits for its first drawing.
  TFormChat* OpenChat(Instance& instance);
  void PointAt(online::OnlineClient& client, const QString& base);
  // The board as the server has it, read by a client of the test's own.
  online::TableResult Board();
  // A message written straight to the board by another player.
  void PostAsStranger(const std::string& nick, const std::string& text, const std::string& city = "Berlin",
                      const std::string& country = "1-016", const std::string& sex = "M");

  online::testing::ServerProcess server_;
  QTemporaryDir root_;
};

}  // namespace varnok::testing

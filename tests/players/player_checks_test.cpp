// The player window's rules as tables: the opening name, typing in the
// address and port fields, the address and port checks, what a confirmed
// window hands over for a member and for a new player, and the own-address
// fields.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "../table/widget_test.h"
#include "player_checks.h"
#include "words.h"

namespace varnok {
namespace {

class PlayerChecks : public testing::WidgetTest {};

ClubMember Member(const std::string& name, const std::string& password) {
  ClubMember member;
  member.Empty = false;
  member.Name = name;
  member.Password = password;
  member.Rating = 1.5;
  member.Games = 12;
  member.CycleScore = -40;
  return member;
}

TEST_F(PlayerChecks, OpeningNameBySlotModeAndLastName) {
  struct Case {
    int slot;
    bool network;
    bool renaming;
    const char* member;
    const char* last;
    const char* current;
    const char* expected;
  };
  const Case cases[] = {
      {3, false, false, "Olga Petrovna Ivanova-Sidorova", "Bob", "", "Olga Petrovna Ivanov"},
      {6, false, false, "", "  Bob  ", "", "Bob"},
      {6, false, false, "", "A name of twenty one", "", "A name of twenty one"},
      {6, false, false, "", "A name of twenty-one!", "", "Mr.X"},
      {6, true, false, "", "Sasha", "", "Sasha"},
      {6, true, false, "", "Sashka", "", "Sashka"},
      {6, true, false, "", "Sashenka", "", "Mr.X"},
      {6, false, false, "", "", "", ""},
      {6, false, true, "", "Bob", "Kate                ", "Kate"},
  };
  for (const Case& c : cases) {
    NameOpening opening;
    opening.slot = c.slot;
    opening.network = c.network;
    opening.renaming = c.renaming;
    opening.memberName = QString::fromUtf8(c.member);
    opening.lastName = QString::fromUtf8(c.last);
    opening.currentName = QString::fromUtf8(c.current);
    EXPECT_EQ(OpeningName(opening), QString::fromUtf8(c.expected)) << c.last << " / " << c.member;
  }
}

TEST_F(PlayerChecks, TypingInTheAddressField) {
  struct Case {
    const char* typed;
    const char* last;
    const char* field;
  };
  const Case cases[] = {
      {"192.168.", "10.0.0.1", "192.168."},
      {"192.168.x", "10.0.0.1", "10.0.0.1"},
      {"192 168", "10.0.0.1", "10.0.0.1"},
      {"", "10.0.0.1", ""},
      // A remembered address that is no typed address is not put back.
      {"1a", "localhost", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AddressAfterTyping(QString::fromUtf8(c.typed), QString::fromUtf8(c.last)), QString::fromUtf8(c.field))
        << c.typed;
  // Only a client's non-empty field becomes the last address.
  EXPECT_EQ(LastAddressAfterTyping(true, QStringLiteral("10.1"), QStringLiteral("9.9.9.9")), QStringLiteral("10.1"));
  EXPECT_EQ(LastAddressAfterTyping(true, QString(), QStringLiteral("9.9.9.9")), QStringLiteral("9.9.9.9"));
  EXPECT_EQ(LastAddressAfterTyping(false, QStringLiteral("10.1"), QStringLiteral("9.9.9.9")),
            QStringLiteral("9.9.9.9"));
}

TEST_F(PlayerChecks, TypingInThePortFieldPutsBackThePreviousPort) {
  EXPECT_EQ(PortAfterTyping(QStringLiteral("2566a"), QStringLiteral("25666")), QStringLiteral("25666"));
  EXPECT_EQ(PortAfterTyping(QStringLiteral("80"), QStringLiteral("25666")), QStringLiteral("80"));
  EXPECT_EQ(PortAfterTyping(QStringLiteral("-1"), QStringLiteral("25666")), QStringLiteral("25666"));
  // An emptied field keeps the remembered port: the settings file needs one.
  EXPECT_EQ(LastPortAfterTyping(QString(), QStringLiteral("25666")), QStringLiteral("25666"));
  EXPECT_EQ(LastPortAfterTyping(QStringLiteral("8080"), QStringLiteral("25666")), QStringLiteral("8080"));
}

TEST_F(PlayerChecks, AddressShapes) {
  struct Case {
    const char* address;
    bool ok;
  };
  const Case cases[] = {
      {"192.168.1.10", true}, {"a.b.c.d", true},      {"1.2.3.4", true},      {"192.168.1.", false},
      {"192.168..1", false},  {"1921.168.1.1", false}, {"192.168.1", false},   {".1.2.3", false},
      {"1.2.3.4.5", false},   {"", false},            {"255.255.255.2555", false},
  };
  for (const Case& c : cases) EXPECT_EQ(AddressWellFormed(QString::fromUtf8(c.address)), c.ok) << c.address;
}

TEST_F(PlayerChecks, PortRange) {
  struct Case {
    const char* port;
    bool ok;
  };
  const Case cases[] = {{"25666", true}, {"1", true},     {"65535", true}, {"", false},
                        {"0", false},    {"65536", false}, {"99999", false}, {"12a", false}};
  for (const Case& c : cases) EXPECT_EQ(PortValid(QString::fromUtf8(c.port)), c.ok) << c.port;
}

TEST_F(PlayerChecks, ConnectionChecksAddressThenPort) {
  struct Case {
    int net_pos;
    const char* address;
    const char* port;
    bool ok;
    int row;
    PlayerField focus;
    bool server;
  };
  const Case cases[] = {
      {1, "", "25666", true, -1, PlayerField::None, true},
      {1, "", "", false, kRowIncorrectPort, PlayerField::Port, true},
      {2, "192.168.1.10", "25666", true, -1, PlayerField::None, false},
      {2, "192.168.1", "25666", false, kRowIncorrectAddress, PlayerField::Address, false},
      {2, "192.168.1", "", false, kRowIncorrectAddress, PlayerField::Address, false},
      {3, "10.0.0.1", "0", false, kRowIncorrectPort, PlayerField::Port, false},
  };
  for (const Case& c : cases) {
    const ConnectionCheck check = CheckConnection(c.net_pos, QString::fromUtf8(c.address), QString::fromUtf8(c.port));
    EXPECT_EQ(check.ok, c.ok) << c.address << ":" << c.port;
    EXPECT_EQ(check.messageRow, c.row) << c.address << ":" << c.port;
    EXPECT_EQ(check.focus, c.focus) << c.address << ":" << c.port;
    EXPECT_EQ(check.server, c.server) << c.net_pos;
  }
}

TEST_F(PlayerChecks, StatusTextsAreTheWordTableRows) {
  const struct {
    int row;
    const char* english;
  } rows[] = {{kRowIncorrectName, "Incorrect name!"},
              {kRowPasswordsDiffer, "The passwords do not coincide!"},
              {kRowWrongPassword, "The incorrect password!"},
              {kRowIncorrectAddress, "Incorrect IP-address!"},
              {kRowIncorrectPort, "Incorrect Port!"},
              {kRowWelcome, "Welcome!"}};
  for (const auto& r : rows) EXPECT_EQ(WordText(r.row), QString::fromUtf8(r.english)) << r.row;
}

TEST_F(PlayerChecks, DecisionsForMembersAndNewPlayers) {
  const ClubMember olga = Member("Olga", "abc  ");
  struct Case {
    int slot;
    const char* name;
    const char* password;
    const char* again;
    bool ok;
    int row;
    PlayerField focus;
    bool remembers;
  };
  const Case cases[] = {
      {2, "Olga", "abc", "", true, -1, PlayerField::None, true},
      {2, "Olga", "abc  ", "", true, -1, PlayerField::None, true},
      {2, "Olga", "abd", "", false, kRowWrongPassword, PlayerField::Password, true},
      {2, "Olga", "", "", false, kRowWrongPassword, PlayerField::Password, true},
      {6, "Kate", "x1", "x1", true, -1, PlayerField::None, true},
      {6, "Kate", "", "", true, -1, PlayerField::None, true},
      {6, "Kate", "x1", "x2", false, kRowPasswordsDiffer, PlayerField::Password, true},
      {6, "", "x1", "x1", false, kRowIncorrectName, PlayerField::Name, false},
      {6, "   ", "", "", false, kRowIncorrectName, PlayerField::Name, false},
      // A name the club file cannot hold.
      {6, "\xe7\x8e\x8b", "", "", false, kRowIncorrectName, PlayerField::Name, false},
      {6, "Kate", "\xe7\x8e\x8b", "\xe7\x8e\x8b", false, kRowWrongPassword, PlayerField::Password, true},
  };
  for (const Case& c : cases) {
    PlayerEntry entry;
    entry.slot = c.slot;
    entry.name = QString::fromUtf8(c.name);
    entry.password = QString::fromUtf8(c.password);
    entry.passwordAgain = QString::fromUtf8(c.again);
    entry.member = olga;
    const PlayerDecision decision = DecidePlayer(entry, false);
    EXPECT_EQ(decision.ok, c.ok) << c.slot << " " << c.name << " " << c.password;
    EXPECT_EQ(decision.messageRow, c.row) << c.name << " " << c.password;
    EXPECT_EQ(decision.focus, c.focus) << c.name << " " << c.password;
    EXPECT_EQ(decision.rememberName, c.remembers) << c.name;
  }
}

TEST_F(PlayerChecks, WhatIsHandedOver) {
  PlayerEntry member_entry;
  member_entry.slot = 4;
  member_entry.name = QStringLiteral("Olga");
  member_entry.password = QStringLiteral("abc");
  member_entry.member = Member("Olga", "abc  ");
  const PlayerDecision member = DecidePlayer(member_entry, false);
  ASSERT_TRUE(member.ok);
  EXPECT_EQ(member.identity, member_entry.member);  // rating, games, cycle score as the file has them

  PlayerEntry new_entry;
  new_entry.slot = 6;
  new_entry.name = QStringLiteral("  Katerina ");
  new_entry.password = QStringLiteral("");
  new_entry.passwordAgain = QStringLiteral("");
  const PlayerDecision player = DecidePlayer(new_entry, false);
  ASSERT_TRUE(player.ok);
  EXPECT_EQ(player.lastName, QStringLiteral("  Katerina "));
  EXPECT_EQ(player.identity.Name, "Katerina");
  EXPECT_EQ(player.identity.Password, "     ");  // an empty password is five blanks
  EXPECT_EQ(EncodePassword(player.identity.Password), "266266266266266");
  EXPECT_EQ(player.identity.Games, 0);
  EXPECT_EQ(player.identity.CycleScore, 0);
  const std::string line = FormatMemberLine(player.identity);
  EXPECT_EQ(line.substr(0, 20), "Katerina            ");
  EXPECT_EQ(line.substr(30, 7), "      0");
  EXPECT_EQ(line.substr(38, 6), "     0");

  // In a network game the name others see has six characters at most.
  const PlayerDecision net = DecidePlayer(new_entry, true);
  ASSERT_TRUE(net.ok);
  EXPECT_EQ(net.identity.Name, "Kateri");
}

TEST_F(PlayerChecks, OwnAddressFields) {
  const auto addresses = [](int n) {
    std::vector<InterfaceAddress> list;
    for (int i = 1; i <= n; ++i) list.push_back({QStringLiteral("10.0.0.%1").arg(i), QStringLiteral("eth%1").arg(i)});
    return list;
  };
  const QString maker = QString::fromLatin1(kMakerWebAddress);
  struct Case {
    int interfaces;
    std::vector<const char*> texts;  // the six fields, "-" for an unfilled one
  };
  const Case cases[] = {
      {0, {"", "127.0.0.1", "-", "-", "-", "-"}},
      {2, {"10.0.0.1", "10.0.0.2", "", "127.0.0.1", "-", "-"}},
      {4, {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "", "127.0.0.1"}},
      {5, {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "10.0.0.5", "127.0.0.1"}},
      {8, {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "10.0.0.5", "127.0.0.1"}},
  };
  for (const Case& c : cases) {
    const auto fields = OwnAddressFields(addresses(c.interfaces), QString());
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const std::string expected = c.texts[i];
      EXPECT_EQ(fields[i].filled, expected != "-") << c.interfaces << " field " << i + 1;
      if (expected != "-") {
        EXPECT_EQ(fields[i].text.toStdString(), expected) << c.interfaces << " field " << i + 1;
      }
    }
  }
  const auto two = OwnAddressFields(addresses(2), QStringLiteral("203.0.113.7"));
  EXPECT_EQ(two[0].hint, QStringLiteral("eth1"));
  EXPECT_EQ(two[2], (OwnAddressField{true, QStringLiteral("203.0.113.7"), maker}));
  EXPECT_EQ(two[3], (OwnAddressField{true, QStringLiteral("127.0.0.1"), QStringLiteral("Loop")}));
}

TEST_F(PlayerChecks, ExternalAddressShownOnlyWhenTheReplyIsOneAddress) {
  const struct {
    const char* reply;
    const char* shown;
  } cases[] = {
      {"203.0.113.7\n", "203.0.113.7"},
      {"  198.51.100.20\r\n", "198.51.100.20"},
      {"2001:db8::5\n", "2001:db8::5"},
      {"", ""},
      {"<html><body>500 Internal Server Error</body></html>\n", ""},
      {"203.0.113.7\n198.51.100.20\n", ""},
      {"999.1.1.1\n", ""},
      {"203.0.113.7; rm -rf /\n", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExternalAddressShown(QString::fromLatin1(c.reply)), QString::fromLatin1(c.shown)) << c.reply;
}

TEST_F(PlayerChecks, MachineAddressesAreIpv4WithoutLoopBack) {
  for (const InterfaceAddress& found : MachineIpv4Addresses()) {
    EXPECT_EQ(found.address.count(QLatin1Char('.')), 3) << found.address.toStdString();
    EXPECT_FALSE(found.address.startsWith(QStringLiteral("127."))) << found.address.toStdString();
  }
}

}  // namespace
}  // namespace varnok

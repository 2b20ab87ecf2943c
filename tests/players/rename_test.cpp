// "To change a name": a member's club line gets the new name and password
// in one safe write and keeps rating, games and cycle score; a cancelled
// window, a new player and a file that cannot be written leave the club file
// as it was.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include "../table/widget_test.h"
#include "form_password.h"
#include "loader.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

ClubMember Member(const char* name, double rating, int games, int cycle, const char* password) {
  ClubMember member;
  member.Empty = false;
  member.Name = name;
  member.Rating = rating;
  member.Games = games;
  member.CycleScore = cycle;
  member.Password = password;
  return member;
}

class Rename : public testing::WidgetTest {
 protected:
  void SetUp() override {
    SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
    ASSERT_TRUE(folder_.isValid());
    club_ = std::filesystem::path(folder_.path().toStdString()) / "Varnok.clb";
    ClubLines lines = EmptyClubLines();
    for (const ClubMember& m : members_) ASSERT_TRUE(InsertMemberLine(lines, FormatMemberLine(m)));
    ASSERT_TRUE(SaveClubFile(club_, lines));
  }
  void TearDown() override { SetProgramFolder(QString()); }

  QByteArray FileBytes() const {
    QFile file(QString::fromStdString(club_.string()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }

  // Slot 1 Anna (3.0), slot 2 Boris (1.0), slot 3 Clara (-0.5).
  std::vector<ClubMember> members_ = {Member("Anna", 3.0, 30, 120, "a1   "), Member("Boris", 1.0, 10, 40, "b2   "),
                                      Member("Clara", -0.5, 4, -30, "     ")};
  QTemporaryDir folder_;
  std::filesystem::path club_;
};

TEST_F(Rename, MemberLineGetsTheNewNameAndPassword) {
  RenameSetup setup;
  setup.slot = 2;
  setup.member = members_[1];
  setup.clubFile = club_;
  setup.currentName = "Boris";
  PlayerWindowResult confirmed;
  confirmed.confirmed = true;
  confirmed.name = "Borislav";
  confirmed.password = "new  ";

  const RenameOutcome outcome = ApplyRename(setup, confirmed);
  ASSERT_TRUE(outcome.changed);
  EXPECT_EQ(outcome.name, "Borislav");
  EXPECT_EQ(outcome.message, QStringLiteral("Your name and/or the password were successfully changed!\nNew name: Borislav"));
  const std::vector<ClubMember> after = ReadMembers(club_);
  ASSERT_EQ(after.size(), 5u);
  EXPECT_EQ(after[0], members_[0]);
  EXPECT_EQ(after[1], Member("Borislav", 1.0, 10, 40, "new  "));
  EXPECT_EQ(after[2], members_[2]);
  EXPECT_TRUE(after[3].Empty);
  EXPECT_EQ(outcome.player, after[1]);  // the game's copy, found again at the end of the game
}

TEST_F(Rename, NothingChangesWithoutAWritableMemberLine) {
  const QByteArray before = FileBytes();
  PlayerWindowResult confirmed;
  confirmed.confirmed = true;
  confirmed.name = "Zed";
  confirmed.password = "z    ";
  struct Case {
    const char* what;
    int slot;
    bool confirmed;
    bool writable;
    bool changed;
    const char* message;
  };
  const Case cases[] = {
      {"cancelled", 1, false, true, false, ""},
      {"new player", 6, true, true, true, "Your name and/or the password were successfully changed!\nNew name: Zed"},
      {"protected file", 1, true, false, false, "Error of disk writing!"},
  };
  for (const Case& c : cases) {
    RenameSetup setup;
    setup.slot = c.slot;
    setup.member = c.slot == 6 ? Member("Guest", 0, 0, 0, "     ") : members_[0];
    setup.clubFile = club_;
    setup.clubWritable = c.writable;
    setup.currentName = setup.member.Name;
    PlayerWindowResult window = confirmed;
    window.confirmed = c.confirmed;
    const RenameOutcome outcome = ApplyRename(setup, window);
    EXPECT_EQ(outcome.changed, c.changed) << c.what;
    EXPECT_EQ(outcome.message, QString::fromUtf8(c.message)) << c.what;
    EXPECT_EQ(outcome.name, c.changed ? "Zed" : setup.currentName) << c.what;
    EXPECT_EQ(FileBytes(), before) << c.what;
  }
}

TEST_F(Rename, FailedWriteKeepsTheFileAndTheName) {
  const QByteArray before = FileBytes();
  ClubWriteOptions options;
  options.Write = [](const std::filesystem::path&, std::string_view) { return false; };
  const RenameResult result =
      RenameMember(club_, 1, members_[0], QStringLiteral("Annushka"), QStringLiteral("q"), options);
  EXPECT_FALSE(result.changed);
  EXPECT_EQ(result.update, ClubUpdate::WriteFailed);
  EXPECT_EQ(result.messageRow, kRowDiskWriting);
  EXPECT_EQ(result.member, members_[0]);
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(Rename, MovedSlotsStillFindTheMember) {
  // Clara as read at the start of the game, now one slot higher.
  ClubLines lines = *LoadClubFile(club_);
  RemoveMemberLine(lines, 1);
  ASSERT_TRUE(SaveClubFile(club_, lines));
  const RenameResult result = RenameMember(club_, 3, members_[2], QStringLiteral("Clarissa"), QString());
  ASSERT_TRUE(result.changed);
  const std::vector<ClubMember> after = ReadMembers(club_);
  EXPECT_EQ(after[0], members_[1]);
  EXPECT_EQ(after[1], Member("Clarissa", -0.5, 4, -30, "     "));
  EXPECT_TRUE(after[2].Empty);
}

TEST_F(Rename, TheWindowOpensAsForANewPlayerWithTheCurrentName) {
  RenameSetup setup;
  setup.slot = 1;
  setup.member = members_[0];
  setup.clubFile = club_;
  setup.currentName = "Anna                ";
  QString shown_name;
  bool name_enabled = false;
  QTimer::singleShot(0, [&shown_name, &name_enabled] {
    auto* window = qobject_cast<TFormPassword*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    auto* name = window->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    shown_name = name->text();
    name_enabled = name->isEnabled();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Anya"));
    QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("Edit2")), QStringLiteral("pw"));
    QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("Edit3")), QStringLiteral("pw"));
    QTest::mouseClick(window->findChild<TZubCardsButton*>(QStringLiteral("Button1")), Qt::LeftButton);
  });
  QString informed;
  const RenameOutcome outcome =
      RenamePlayer(nullptr, setup, {}, [&informed](const QString& message) { informed = message; });
  EXPECT_EQ(shown_name, QStringLiteral("Anna"));
  EXPECT_TRUE(name_enabled);
  ASSERT_TRUE(outcome.changed);
  EXPECT_EQ(informed, QStringLiteral("Your name and/or the password were successfully changed!\nNew name: Anya"));
  EXPECT_EQ(ReadMembers(club_)[0], Member("Anya", 3.0, 30, 120, "pw   "));
}

}  // namespace
}  // namespace varnok

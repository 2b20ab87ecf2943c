// The table as a screen reader sees it: Qt's accessible interfaces of the
// real main window during a round, walked from the canvas down. The hand's
// cards are found by name, the bubbles by their texts, the table buttons
// with their captions and states, and every step of the game is announced.
// Under Xvfb with the accessibility bus (VARNOK_ATSPI_SCRIPT set, see
// tests/window/atspi_table.sh) the same tree is read from outside the
// process through AT-SPI with python3-pyatspi.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <iostream>

#include "form_game_record.h"
#include "game_controller.h"
#include "guide_rows.h"
#include "main_window.h"
#include "table_access.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "window_driver.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

using namespace varnok::testing;

struct Node {
  QAccessible::Role role;
  QString name;
  QString value;
  QAccessible::State state;
  int children = 0;
  QString path;  // names from the canvas down
};

// Walks the tree under `iface`, checking that every child names its parent.
void Walk(QAccessibleInterface* iface, const QString& path, std::vector<Node>& out, int depth = 0) {
  ASSERT_LT(depth, 8);
  const int count = iface->childCount();
  out.push_back({iface->role(), iface->text(QAccessible::Name), iface->text(QAccessible::Value), iface->state(), count, path});
  for (int i = 0; i < count; ++i) {
    QAccessibleInterface* child = iface->child(i);
    ASSERT_NE(child, nullptr) << path.toStdString() << " child " << i;
    EXPECT_EQ(child->parent(), iface) << path.toStdString() << " child " << i;
    EXPECT_EQ(iface->indexOfChild(child), i) << path.toStdString();
    Walk(child, path + QLatin1Char('/') + child->text(QAccessible::Name), out, depth + 1);
  }
}

const Node* Named(const std::vector<Node>& nodes, const QString& name) {
  for (const Node& n : nodes)
    if (n.name == name) return &n;
  return nullptr;
}

class TableAccessibility : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  // A game against the computer, played up to the player's first card of a trick.
  void PlayUntilOwnCard(MainWindow& window, PlayerRobot& robot) {
    for (int guard = 0; guard < 200000; ++guard) {
      if (window.State().Phase == phPlay3 && !window.Busy() && window.State().TrickPos > 1) return;
      if (!robot.Step(window)) QTest::qWait(1);
    }
    FAIL() << "the player's card in the middle of a trick never came";
  }
};

TEST_F(TableAccessibility, TheTreeNamesTheCardsTheBubblesAndTheButtonsAndEveryStepIsAnnounced) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteOptions(folder.path(), 3, false);
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  DialogPilot pilot;
  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);  // "New Player"
  ASSERT_TRUE(window.State().InGame);
  PlayerRobot robot;
  PlayUntilOwnCard(window, robot);

  QAccessibleInterface* canvas = QAccessible::queryAccessibleInterface(window.Canvas());
  ASSERT_NE(canvas, nullptr);
  std::vector<Node> nodes;
  Walk(canvas, QStringLiteral("table"), nodes);

  const GameState& s = window.Game().ViewState();
  const auto guide = [](int row) { return i18n::Text(i18n::WordsGuide, row); };
  // The player's hand: every card by name, in the hand's order.
  const Node* hand = Named(nodes, guide(i18n::guide::kHandOf).arg(QStringLiteral("Tester")));
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(hand->role, QAccessible::List);
  ASSERT_EQ(hand->children, s.HandCount[3]);
  for (int slot = 1; slot <= s.HandCount[3]; ++slot) {
    const Node* card = Named(nodes, CardText(s.Hands[3][slot]));
    ASSERT_NE(card, nullptr) << slot;
    EXPECT_EQ(card->role, QAccessible::ListItem);
    EXPECT_TRUE(card->path.startsWith(QStringLiteral("table/") + hand->name)) << card->path.toStdString();
  }
  // The computer's hands are backs: counted, never named.
  const Node* left = Named(nodes, guide(i18n::guide::kHandOf).arg(QString::fromStdString(s.Names[1]).trimmed()));
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(left->children, 0);
  EXPECT_EQ(left->value, guide(i18n::guide::kCardsDown).arg(s.HandCount[1]));
  // The cards on the table, with who played them.
  const Node* trick = Named(nodes, guide(i18n::guide::kTableCards));
  ASSERT_NE(trick, nullptr);
  EXPECT_EQ(trick->children, s.TrickPos - 1);
  // Every bubble by its text; the score panels with their values.
  int bubbles = 0;
  for (int seat = 1; seat <= 3; ++seat) {
    const QString text = window.Presenter().BubbleText(seat);
    if (text.isEmpty()) continue;
    ++bubbles;
    EXPECT_NE(Named(nodes, text), nullptr) << text.toStdString();
  }
  EXPECT_GT(bubbles, 0);
  const Node* panel = nullptr;
  for (const Node& n : nodes)
    if (n.value.startsWith(guide(i18n::guide::kPanelValue).arg(s.Scores[3]).arg(s.RoundPoints[3]))) panel = &n;
  EXPECT_NE(panel, nullptr);
  // The owner-drawn buttons: caption, role and state as they are.
  int buttons = 0;
  for (TZubCardsButton* button : {window.Button7(), window.Button8()}) {
    if (!button->isVisible()) continue;
    const QString caption = button->text().remove(QLatin1Char('&'));
    for (const Node& n : nodes) {
      if (n.role != QAccessible::Button || QString(n.name).remove(QLatin1Char('&')) != caption) continue;
      ++buttons;
      EXPECT_EQ(n.state.disabled, !button->isEnabled()) << caption.toStdString();
    }
  }
  EXPECT_GT(buttons, 0);

  // The announcements: the player's card, the computer's steps, the won trick.
  const int before = static_cast<int>(window.TableAccessibility()->Announced().size());
  for (int guard = 0; guard < 20000 && window.State().TrickPos != 1; ++guard)
    if (!robot.Step(window)) QTest::qWait(1);
  WaitIdle(window);
  const QStringList announced = window.TableAccessibility()->Announced().mid(before);
  const QString plays = guide(i18n::guide::kSeatPlays).arg(QStringLiteral("Tester"), QString()).trimmed();
  EXPECT_TRUE(std::any_of(announced.begin(), announced.end(), [&](const QString& a) { return a.startsWith(plays); }))
      << announced.join(QStringLiteral(" | ")).toStdString();
  EXPECT_TRUE(std::any_of(announced.begin(), announced.end(), [&](const QString& a) {
    return a == guide(i18n::guide::kSeatTakesTrick).arg(QString::fromStdString(window.State().Names[window.State().Leader]).trimmed());
  })) << announced.join(QStringLiteral(" | ")).toStdString();
  nodes.clear();
  Walk(canvas, QStringLiteral("table"), nodes);
  const Node* status = Named(nodes, guide(i18n::guide::kAnnouncements));
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->role, QAccessible::StatusBar);
  EXPECT_EQ(status->value, window.TableAccessibility()->LastAnnouncement());

  // From outside the process: the same tree over the accessibility bus.
  const QByteArray script = qgetenv("VARNOK_ATSPI_SCRIPT");
  if (script.isEmpty()) return;
  PlayUntilOwnCard(window, robot);
  QProcess reader;
  const QByteArray python = qgetenv("VARNOK_ATSPI_PYTHON");
  reader.start(python.isEmpty() ? QStringLiteral("/usr/bin/python3") : QString::fromLocal8Bit(python), {QString::fromLocal8Bit(script), QString::number(QCoreApplication::applicationPid())});
  ASSERT_TRUE(reader.waitForStarted(5000));
  // The program answers the reader on its own event loop while it waits.
  for (int waited = 0; waited < 30000 && reader.state() != QProcess::NotRunning; waited += 20) QTest::qWait(20);
  ASSERT_EQ(reader.exitStatus(), QProcess::NormalExit);
  const QByteArray out = reader.readAllStandardOutput();
  ASSERT_EQ(reader.exitCode(), 0) << out.toStdString() << reader.readAllStandardError().toStdString();
  const QJsonArray seen = QJsonDocument::fromJson(out).array();
  std::cout << "AT-SPI: " << seen.size() << " objects read from outside the process\n";
  QStringList names;
  for (const auto& v : seen) names << v.toObject().value(QStringLiteral("name")).toString();
  const GameState& now = window.Game().ViewState();
  EXPECT_TRUE(names.contains(guide(i18n::guide::kHandOf).arg(QStringLiteral("Tester")))) << out.toStdString();
  for (int slot = 1; slot <= now.HandCount[3]; ++slot)
    EXPECT_TRUE(names.contains(CardText(now.Hands[3][slot]))) << CardText(now.Hands[3][slot]).toStdString();
  for (int seat = 1; seat <= 3; ++seat) {
    const QString text = window.Presenter().BubbleText(seat);
    if (!text.isEmpty()) {
      EXPECT_TRUE(names.contains(text)) << text.toStdString();
    }
  }
  bool next_seen = false;
  for (const auto& v : seen) {
    const QJsonObject o = v.toObject();
    if (o.value(QStringLiteral("role")).toString() == QLatin1String("push button") &&
        o.value(QStringLiteral("name")).toString() == window.Button7()->text().remove(QLatin1Char('&'))) {
      next_seen = true;
      EXPECT_EQ(o.value(QStringLiteral("enabled")).toBool(), window.Button7()->isEnabled());
    }
  }
  EXPECT_TRUE(next_seen || !window.Button7()->isVisible()) << out.toStdString();
}

}  // namespace
}  // namespace varnok

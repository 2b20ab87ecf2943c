// The player window driven like a person: typing into its fields, clicking
// its buttons and pressing Enter and Escape, outside and in network mode.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest/QTest>
#include <memory>

#include "../table/widget_test.h"
#include "form_message.h"
#include "form_password.h"
#include "help_window.h"
#include "player_checks.h"
#include "loader.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

class PlayerWindow : public testing::WidgetTest {
 protected:
  void SetUp() override {
    SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
    ASSERT_TRUE(folder_.isValid());
    club_ = std::filesystem::path(folder_.path().toStdString()) / "Varnok.clb";
    ClubLines lines = EmptyClubLines();
    olga_.Empty = false;
    olga_.Name = "Olga";
    olga_.Password = "abc  ";
    olga_.Rating = 2.25;
    olga_.Games = 7;
    olga_.CycleScore = 90;
    ASSERT_TRUE(InsertMemberLine(lines, FormatMemberLine(olga_)));
    ASSERT_TRUE(SaveClubFile(club_, lines));
  }
  void TearDown() override { SetProgramFolder(QString()); }

  std::unique_ptr<TFormPassword> Open(PlayerWindowSetup setup) {
    auto window = std::make_unique<TFormPassword>(setup);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    return window;
  }

  PlayerWindowSetup MemberSetup() const {
    PlayerWindowSetup setup;
    setup.slot = 1;
    setup.member = olga_;
    setup.clubFile = club_;
    return setup;
  }

  template <typename W = QLineEdit>
  static W* Find(QWidget& window, const char* name) {
    auto* widget = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  static void Click(QWidget& window, const char* button) {
    QTest::mouseClick(Find<TZubCardsButton>(window, button), Qt::LeftButton);
  }
  static void Type(QWidget& window, const char* field, const QString& text) {
    QLineEdit* edit = Find(window, field);
    edit->setFocus();
    QTest::keyClicks(edit, text);
  }
  static QString Status(QWidget& window) {
    QLabel* status = Find<QLabel>(window, "Label4");
    return status->isVisible() ? status->text() : QString();
  }

  QTemporaryDir folder_;
  std::filesystem::path club_;
  ClubMember olga_;
};

TEST_F(PlayerWindow, MemberWithTheRightPasswordIsConfirmed) {
  auto window = Open(MemberSetup());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Welcome!"));
  EXPECT_EQ(Find(*window, "Edit1")->text(), QStringLiteral("Olga"));
  EXPECT_FALSE(Find(*window, "Edit1")->isEnabled());
  EXPECT_FALSE(Find(*window, "Edit3")->isEnabled());
  EXPECT_EQ(window->focusWidget(), Find(*window, "Edit2"));
  EXPECT_EQ(Find(*window, "Edit2")->echoMode(), QLineEdit::Password);
  EXPECT_FALSE(Find<QLabel>(*window, "Label4")->isVisible());
  EXPECT_EQ(window->height(), 295);

  Type(*window, "Edit2", QStringLiteral("abc"));
  QTest::keyClick(Find(*window, "Edit2"), Qt::Key_Return);
  EXPECT_FALSE(window->isVisible());
  const PlayerWindowResult result = window->Result();
  EXPECT_TRUE(result.confirmed);
  EXPECT_EQ(result.slot, 1);
  EXPECT_EQ(result.name, "Olga");
  EXPECT_EQ(result.password, "abc  ");
  EXPECT_EQ(result.player, olga_);
  EXPECT_EQ(result.lastName, "Olga");
}

TEST_F(PlayerWindow, WrongPasswordIsRefusedAndTheWindowStaysOpen) {
  auto window = Open(MemberSetup());
  for (const char* typed : {"abd", "", "ab"}) {
    Find(*window, "Edit2")->clear();
    Type(*window, "Edit2", QString::fromLatin1(typed));
    Click(*window, "Button1");
    EXPECT_TRUE(window->isVisible()) << typed;
    EXPECT_EQ(Status(*window), QStringLiteral("The incorrect password!")) << typed;
    EXPECT_EQ(window->focusWidget(), Find(*window, "Edit2")) << typed;
    EXPECT_FALSE(window->Result().confirmed);
  }
}

TEST_F(PlayerWindow, NewPlayerIsConfirmedWithTheNameHandedOver) {
  PlayerWindowSetup setup;
  setup.lastName = "Bob";
  auto window = Open(setup);
  QLineEdit* name = Find(*window, "Edit1");
  EXPECT_EQ(name->text(), QStringLiteral("Bob"));
  EXPECT_TRUE(name->isEnabled());
  EXPECT_EQ(window->focusWidget(), name);
  EXPECT_EQ(name->maxLength(), 20);

  name->selectAll();
  QTest::keyClicks(name, QStringLiteral("Katerina"));
  Type(*window, "Edit2", QStringLiteral("k1"));
  Type(*window, "Edit3", QStringLiteral("k2"));
  Click(*window, "Button1");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Status(*window), QStringLiteral("The passwords do not coincide!"));
  EXPECT_EQ(window->Result().lastName, "Katerina");  // remembered although refused

  Find(*window, "Edit3")->clear();
  Type(*window, "Edit3", QStringLiteral("k1"));
  QTest::keyClick(Find(*window, "Edit3"), Qt::Key_Enter);
  EXPECT_FALSE(window->isVisible());
  const PlayerWindowResult result = window->Result();
  EXPECT_TRUE(result.confirmed);
  EXPECT_EQ(result.slot, 6);
  EXPECT_EQ(result.name, "Katerina");
  EXPECT_EQ(result.password, "k1   ");
  EXPECT_EQ(result.player.Games, 0);
  EXPECT_EQ(result.player.CycleScore, 0);
}

TEST_F(PlayerWindow, EmptyNameIsRefused) {
  auto window = Open(PlayerWindowSetup{});
  Find(*window, "Edit1")->clear();
  Click(*window, "Button1");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Status(*window), QStringLiteral("Incorrect name!"));
  EXPECT_EQ(window->focusWidget(), Find(*window, "Edit1"));
  EXPECT_FALSE(window->Result().confirmed);
}

// The club file stores code page 1251: "Иван" fits, "Müller" and "王" do not.
// A refused name says which characters broke the rule and which a name may hold.
TEST_F(PlayerWindow, ANameTheClubFileCannotHoldIsRefusedWithTheRule) {
  const struct {
    const char* name;
    bool accepted;
    const char* refused;
  } cases[] = {{"Иван", true, ""}, {"Müller", false, "ü"}, {"王 Wang", false, "王"}, {"Zoë & Åse", false, "ë Å"}};
  for (const auto& c : cases) {
    auto window = Open(PlayerWindowSetup{});
    // Typed as an input method would: the test keyboard has only ASCII keys.
    Find(*window, "Edit1")->setText(QString::fromUtf8(c.name));
    Type(*window, "Edit2", QStringLiteral("pw"));
    Type(*window, "Edit3", QStringLiteral("pw"));
    QString told;
    QTimer::singleShot(0, [&told] {
      if (auto* box = qobject_cast<TFormMessage*>(QApplication::activeModalWidget())) {
        EXPECT_EQ(box->objectName(), QStringLiteral("NameRules"));
        told = box->Text();
        QTest::mouseClick(box->OkButton(), Qt::LeftButton);
      }
    });
    Click(*window, "Button1");
    QTest::qWait(10);
    EXPECT_EQ(window->Result().confirmed, c.accepted) << c.name;
    if (c.accepted) {
      EXPECT_TRUE(told.isEmpty());
      continue;
    }
    EXPECT_EQ(Status(*window), QStringLiteral("Incorrect name!"));
    EXPECT_TRUE(told.startsWith(QStringLiteral("Incorrect name!\nA name may hold Latin or Cyrillic letters"))) << told.toStdString();
    EXPECT_TRUE(told.endsWith(QStringLiteral("Not allowed: ") + QString::fromUtf8(c.refused))) << told.toStdString();
    EXPECT_EQ(CharactersOutsideCodePage(QString::fromUtf8(c.name)), QString::fromUtf8(c.refused).remove(u' '));
  }
}

TEST_F(PlayerWindow, CancelAndEscapeCloseUnconfirmed) {
  for (const bool escape : {false, true}) {
    auto window = Open(MemberSetup());
    Type(*window, "Edit2", QStringLiteral("abc"));
    if (escape) QTest::keyClick(Find(*window, "Edit2"), Qt::Key_Escape);
    else Click(*window, "Button2");
    EXPECT_FALSE(window->isVisible()) << escape;
    EXPECT_FALSE(window->Result().confirmed) << escape;
  }
}

TEST_F(PlayerWindow, NetworkControlsOnlyInNetworkMode) {
  auto local = Open(PlayerWindowSetup{});
  for (const char* name : {"Edit4", "Edit5", "Button3", "Button4", "RadioGroup1", "SpinEdit1"})
    EXPECT_FALSE(Find<QWidget>(*local, name)->isVisible()) << name;

  PlayerWindowSetup setup;
  setup.network = true;
  setup.lastName = "Sashenka";
  setup.lastPort = "25667";
  auto window = Open(setup);
  EXPECT_EQ(window->height(), 455);
  for (const char* name : {"Edit4", "Edit5", "Button3", "Button4", "RadioGroup1", "SpinEdit1"})
    EXPECT_TRUE(Find<QWidget>(*window, name)->isVisible()) << name;
  EXPECT_EQ(Find(*window, "Edit1")->text(), QStringLiteral("Mr.X"));
  EXPECT_EQ(Find(*window, "Edit1")->maxLength(), 6);
  EXPECT_TRUE(Find<QRadioButton>(*window, "RadioServer")->isChecked());
  EXPECT_EQ(window->NetPos(), 1);
  EXPECT_FALSE(Find(*window, "Edit4")->isEnabled());
  EXPECT_TRUE(Find(*window, "Edit4")->text().isEmpty());
  EXPECT_EQ(Find(*window, "Edit5")->text(), QStringLiteral("25667"));
  EXPECT_FALSE(Find<QSpinBox>(*window, "SpinEdit1")->isEnabled());
  EXPECT_EQ(Find<QSpinBox>(*window, "SpinEdit1")->value(), 1);
  for (int i = 1; i <= 6; ++i)
    EXPECT_FALSE(Find(*window, QStringLiteral("EditIP%1").arg(i).toLatin1().constData())->isVisible());
}

TEST_F(PlayerWindow, NetworkAddressAndPortChecks) {
  std::vector<NetworkChoice> started;
  bool begins = false;
  PlayerWindowSetup setup;
  setup.network = true;
  setup.lastName = "Ivan";
  setup.lastAddress = "10.0.0.5";
  setup.lastPort = "25666";
  setup.startNetwork = [&started, &begins](const NetworkChoice& choice) {
    started.push_back(choice);
    return begins;
  };
  auto window = Open(setup);
  QTest::mouseClick(Find<QRadioButton>(*window, "RadioClient"), Qt::LeftButton);
  EXPECT_EQ(window->NetPos(), 2);
  QLineEdit* address = Find(*window, "Edit4");
  EXPECT_TRUE(address->isEnabled());
  EXPECT_EQ(address->text(), QStringLiteral("10.0.0.5"));

  // A letter puts back the last address; a bad shape is refused on Ok.
  QTest::keyClick(address, Qt::Key_End);
  QTest::keyClicks(address, QStringLiteral("x"));
  EXPECT_EQ(address->text(), QStringLiteral("10.0.0.5"));
  address->clear();
  QTest::keyClicks(address, QStringLiteral("192.168.1."));
  Click(*window, "Button1");
  EXPECT_EQ(Status(*window), QStringLiteral("Incorrect IP-address!"));
  EXPECT_EQ(window->focusWidget(), address);
  EXPECT_TRUE(started.empty());

  QTest::keyClicks(address, QStringLiteral("10"));
  EXPECT_FALSE(Find<QLabel>(*window, "Label4")->isVisible());  // typing hides the status line
  QLineEdit* port = Find(*window, "Edit5");
  port->setFocus();
  QTest::keyClicks(port, QStringLiteral("z"));
  EXPECT_EQ(port->text(), QStringLiteral("25666"));
  port->clear();
  Click(*window, "Button1");
  EXPECT_EQ(Status(*window), QStringLiteral("Incorrect Port!"));
  EXPECT_EQ(window->focusWidget(), port);
  QTest::keyClicks(port, QStringLiteral("99999"));
  Click(*window, "Button1");
  EXPECT_EQ(Status(*window), QStringLiteral("Incorrect Port!"));

  // The wait is cancelled: the window stays open for another choice.
  port->clear();
  QTest::keyClicks(port, QStringLiteral("4000"));
  Click(*window, "Button1");
  ASSERT_EQ(started.size(), 1u);
  EXPECT_FALSE(started[0].server);
  EXPECT_EQ(started[0].address, "192.168.1.10");
  EXPECT_EQ(started[0].port, "4000");
  EXPECT_EQ(started[0].name, "Ivan");
  EXPECT_EQ(started[0].games, 1);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Result().lastAddress, "192.168.1.10");
  EXPECT_EQ(window->Result().lastPort, "4000");

  // The game begins: the window closes confirmed.
  begins = true;
  Click(*window, "Button1");
  EXPECT_FALSE(window->isVisible());
  const PlayerWindowResult result = window->Result();
  EXPECT_TRUE(result.confirmed);
  EXPECT_FALSE(result.server);
  EXPECT_EQ(result.address, "192.168.1.10");
  EXPECT_EQ(result.port, "4000");
}

TEST_F(PlayerWindow, ServerNeedsNoAddress) {
  NetworkChoice given;
  PlayerWindowSetup setup = MemberSetup();
  setup.network = true;
  setup.startNetwork = [&given](const NetworkChoice& choice) {
    given = choice;
    return true;
  };
  auto window = Open(setup);
  Type(*window, "Edit2", QStringLiteral("abc"));
  Click(*window, "Button1");
  EXPECT_TRUE(window->Result().confirmed);
  EXPECT_TRUE(given.server);
  EXPECT_TRUE(given.address.empty());
  EXPECT_EQ(given.port, "25666");
  EXPECT_EQ(given.player, olga_);
}

TEST_F(PlayerWindow, Button3FillsTheOwnAddresses) {
  PlayerWindowSetup setup;
  setup.network = true;
  setup.ownAddresses = [] {
    return std::vector<InterfaceAddress>{{QStringLiteral("192.168.0.4"), QStringLiteral("wlan0")},
                                         {QStringLiteral("10.8.0.2"), QStringLiteral("tun0")}};
  };
  auto window = Open(setup);
  Click(*window, "Button3");
  const char* expected[] = {"192.168.0.4", "10.8.0.2", "", "127.0.0.1"};
  for (int i = 0; i < 6; ++i) {
    QLineEdit* field = Find(*window, QStringLiteral("EditIP%1").arg(i + 1).toLatin1().constData());
    EXPECT_EQ(field->isVisible(), i < 4) << i + 1;
    EXPECT_TRUE(field->isReadOnly());
    if (i < 4) {
      EXPECT_EQ(field->text(), QString::fromLatin1(expected[i])) << i + 1;
    }
  }
  EXPECT_EQ(Find(*window, "EditIP1")->toolTip(), QStringLiteral("wlan0"));
  EXPECT_EQ(Find(*window, "EditIP4")->toolTip(), QStringLiteral("Loop"));

  // The machine's own list ends with the loop address as well.
  PlayerWindowSetup machine;
  machine.network = true;
  auto real = Open(machine);
  Click(*real, "Button3");
  QString last;
  for (int i = 1; i <= 6; ++i) {
    QLineEdit* field = Find(*real, QStringLiteral("EditIP%1").arg(i).toLatin1().constData());
    if (field->isVisible()) last = field->text();
  }
  EXPECT_EQ(last, QStringLiteral("127.0.0.1"));
}

TEST_F(PlayerWindow, TheExternalAddressArrivesOnTheEventLoop) {
  PlayerWindowSetup setup;
  setup.network = true;
  setup.ownAddresses = [] {
    return std::vector<InterfaceAddress>{{QStringLiteral("192.168.0.4"), QStringLiteral("wlan0")}};
  };
  int asked = 0;
  setup.readExternalIp = [&asked](QObject* context, std::function<void(QString)> done) {
    ++asked;
    // The answer comes later, as the server's would.
    QTimer::singleShot(30, context, [done] { done(QStringLiteral("203.0.113.7\n")); });
  };
  auto window = Open(setup);
  Click(*window, "Button3");
  EXPECT_EQ(asked, 1);
  // At once: the machine's address, the empty external field and the loop address.
  EXPECT_EQ(Find(*window, "EditIP2")->text(), QString());
  EXPECT_EQ(Find(*window, "EditIP3")->text(), QStringLiteral("127.0.0.1"));
  QTRY_COMPARE(Find(*window, "EditIP2")->text(), QStringLiteral("203.0.113.7"));
  EXPECT_EQ(Find(*window, "EditIP2")->toolTip(), QString::fromLatin1(kMakerWebAddress));
  EXPECT_EQ(Find(*window, "EditIP3")->text(), QStringLiteral("127.0.0.1"));

  // A reply that is no address leaves the field empty.
  setup.readExternalIp = [](QObject* context, std::function<void(QString)> done) {
    QTimer::singleShot(10, context, [done] { done(QStringLiteral("<html>busy</html>")); });
  };
  auto other = Open(setup);
  Click(*other, "Button3");
  QTest::qWait(60);
  EXPECT_EQ(Find(*other, "EditIP2")->text(), QString());
}

TEST_F(PlayerWindow, Button4OpensTheRouterHelp) {
  QString opened;
  PlayerWindowSetup setup;
  setup.network = true;
  setup.openUrl = [&opened](const QString& url) { opened = url; };
  auto window = Open(setup);
  Click(*window, "Button4");
  EXPECT_EQ(opened, QString::fromLatin1(kRouterHelpAddress));
  EXPECT_TRUE(window->isVisible());

  // Without a hook the page that comes with the program opens in the help window.
  PlayerWindowSetup plain;
  plain.network = true;
  auto own = Open(plain);
  Click(*own, "Button4");
  TFormHelp* help = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* found = qobject_cast<TFormHelp*>(top); found != nullptr && found->isVisible()) help = found;
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->Page(), QUrl(QString::fromLatin1(kRouterHelpAddress)));
  EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("Port forwarding")));
  help->close();
}

TEST_F(PlayerWindow, OpenPlaysTheOpeningSound) {
  QStringList played;
  QTimer::singleShot(0, [] {
    if (auto* open = qobject_cast<TFormPassword*>(QApplication::activeModalWidget())) open->reject();
  });
  const PlayerWindowResult result =
      TFormPassword::Open(nullptr, PlayerWindowSetup{}, [&played](const QString& name) { played << name; });
  EXPECT_EQ(played, QStringList{QStringLiteral("WOpenFo")});
  EXPECT_FALSE(result.confirmed);
}

TEST_F(PlayerWindow, MissingPurpleBackgroundFallsBackToGray) {
  SetProgramFolder(folder_.path());  // no graphics library here
  PlayerWindowSetup setup;
  setup.purple = true;
  auto window = Open(setup);
  EXPECT_EQ(window->Design(), PlayerWindowDesign::GrayAristocratic);
  EXPECT_TRUE(window->Result().designFellBack);

  QStringList notices;
  PlayerWindowSetup concise;
  concise.grayDesign = 1;
  concise.notice = [&notices](const QString& text) { notices << text; };
  auto gray = Open(concise);
  QTest::qWait(20);
  EXPECT_EQ(gray->Design(), PlayerWindowDesign::GrayAristocratic);
  EXPECT_EQ(notices, QStringList{QStringLiteral("Can`t find the file ZubCGraph1.dll")});
}

}  // namespace
}  // namespace varnok

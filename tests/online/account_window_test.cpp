// The account window through its widgets against the real server: a member
// registers, sees his lamps and registration date, signs out and in, saves
// his login for the next start, edits his profile and photo, and finds both
// on "About me" and, as the club's best, on "President".
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "account_file.h"
#include "account_rules.h"
#include "form_account.h"
#include "form_message.h"
#include "form_profile.h"
#include "server_fixture.h"
#include "zub_cards_button.h"

namespace varnok::online {
namespace {

// Answers every message window that opens, keeping its text.
class MessageCatcher {
 public:
  MessageCatcher() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* message = qobject_cast<TFormMessage*>(QApplication::activeModalWidget())) {
        texts_ << message->Text();
        message->accept();
      }
    });
    timer_.start();
  }
  QStringList Take() { return std::exchange(texts_, {}); }

 private:
  QTimer timer_;
  QStringList texts_;
};

// Types text key by key, as a keyboard of any layout would.
void Type(QWidget* field, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &release);
  }
}

class AccountWindowTest : public testing::ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    program_ = std::filesystem::path(root_.path().toStdString()) / "Varnok";
    std::filesystem::create_directories(program_);
    club_ = std::make_unique<OnlineClub>(client_, program_);
  }

  std::unique_ptr<TFormAccount> OpenWindow(bool rated_choice = false) {
    auto window = std::make_unique<TFormAccount>(*club_, rated_choice, SoundHook{});
    window->show();
    Settle(*window);
    return window;
  }
  void Settle(TFormAccount& window) {
    Wait([&] { return window.PendingReads() == 0; });
  }
  template <class W = QWidget>
  static W* Find(QWidget& window, const char* name) {
    W* widget = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  static int Lamp(QWidget& window, const char* name) { return Find<QLabel>(window, name)->property("lamp").toInt(); }

  QTemporaryDir root_;
  std::filesystem::path program_;
  std::unique_ptr<OnlineClub> club_;
  MessageCatcher messages_;
};

TEST_F(AccountWindowTest, RegisterSignOutLogInAndSaveTheLogin) {
  auto window = OpenWindow();
  EXPECT_EQ(Find<QLineEdit>(*window, "Registration")->text(), "00.00.0000");
  Type(Find<QLineEdit>(*window, "Nick"), QStringLiteral("Iv an_7"));  // the blank is dropped
  Type(Find<QLineEdit>(*window, "Password"), QStringLiteral("secret1"));
  Type(Find<QLineEdit>(*window, "City"), QStringLiteral("Омск"));
  Type(Find<QLineEdit>(*window, "EMail"), QStringLiteral("ivan@ex ample.org"));
  EXPECT_EQ(Find<QLineEdit>(*window, "Nick")->text(), "Ivan_7");
  EXPECT_EQ(Find<QLineEdit>(*window, "EMail")->text(), "ivan@example.org");
  EXPECT_EQ(Lamp(*window, "NickLamp"), kGreen);
  EXPECT_EQ(Lamp(*window, "PasswordLamp"), kGreen);
  EXPECT_EQ(Lamp(*window, "CityLamp"), kYellow);
  EXPECT_EQ(Lamp(*window, "EMailLamp"), kGreen);
  auto* create = Find<TZubCardsButton>(*window, "Create");
  ASSERT_TRUE(create->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(*window, "PlayGlobalRating")->isEnabled());

  QTest::mouseClick(create, Qt::LeftButton);
  Wait([&] { return club_->AccountState() == kLoggedIn && window->PendingReads() == 0; });
  Settle(*window);
  EXPECT_EQ(messages_.Take(), QStringList{"Your account has been successfully created!"});
  EXPECT_EQ(club_->AccountState(), kLoggedIn);
  EXPECT_NE(Find<QLineEdit>(*window, "Registration")->text(), "00.00.0000");
  EXPECT_TRUE(Find<QLineEdit>(*window, "Nick")->isReadOnly());
  EXPECT_EQ(Find<QLabel>(*window, "Members")->text(), "Club members: 1");
  EXPECT_EQ(Find<QLabel>(*window, "Result2")->text(), "Ivan_7");
  EXPECT_EQ(Find<QLabel>(*window, "Result3")->text(), "0,000");
  EXPECT_EQ(Lamp(*window, "StatePicture"), kLoggedIn);

  // Sign out: nothing is asked of the server; the results say "No Connect".
  auto* login = Find<TZubCardsButton>(*window, "Login");
  EXPECT_EQ(login->text(), "Sign out");
  QTest::mouseClick(login, Qt::LeftButton);
  EXPECT_EQ(club_->AccountState(), kLoggedOut);
  EXPECT_EQ(login->text(), "Login to account");
  EXPECT_EQ(Find<QLabel>(*window, "Result2")->text(), "No Connect");
  // And in again.
  QTest::mouseClick(login, Qt::LeftButton);
  Wait([&] { return club_->AccountState() == kLoggedIn; });
  Settle(*window);
  EXPECT_EQ(Find<QLabel>(*window, "Result2")->text(), "Ivan_7");

  // Save the login; the next start logs in by itself.
  auto* save = Find<TZubCardsButton>(*window, "Save");
  ASSERT_TRUE(save->isEnabled());
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_TRUE(AccountFileExists(program_));
  EXPECT_FALSE(save->isEnabled());
  EXPECT_TRUE(Find<TZubCardsButton>(*window, "Delete")->isEnabled());
  window.reset();

  OnlineClient other_client;
  other_client.Addresses() = client_.Addresses();
  OnlineClub next_start(other_client, program_);
  bool logged = false;
  next_start.AutoLogin([&] { logged = true; });
  Wait([&] { return logged; });
  EXPECT_EQ(next_start.AccountState(), kLoggedIn);
  EXPECT_EQ(next_start.Data().User.Nick, "Ivan_7");
  EXPECT_EQ(next_start.Data().User.City, "Омск");
}

TEST_F(AccountWindowTest, WrongLoginIsTold) {
  auto window = OpenWindow();
  Type(Find<QLineEdit>(*window, "Nick"), QStringLiteral("Nobody"));
  Type(Find<QLineEdit>(*window, "Password"), QStringLiteral("secret1"));
  QTest::mouseClick(Find<TZubCardsButton>(*window, "Login"), Qt::LeftButton);
  Wait([&] { return window->PendingReads() == 0 && !messages_.Take().isEmpty(); });
  EXPECT_EQ(club_->AccountState(), kLoggedOut);
}

QString PhotoFile(const QTemporaryDir& folder, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(QColor(200, 80, 40));
  const QString path = folder.filePath(QStringLiteral("photo_%1x%2.jpg").arg(size.width()).arg(size.height()));
  image.save(path, "JPEG", 90);
  return path;
}

TEST_F(AccountWindowTest, ProfileAndPhotoShowOnAboutMeAndPresident) {
  ASSERT_EQ(Call(RegisterAccount{Member("Ivan")}), 0);
  club_->Data().User = Member("Ivan");
  bool logged = false;
  club_->Login([&](bool) { logged = true; });
  Wait([&] { return logged; });
  ASSERT_EQ(club_->AccountState(), kLoggedIn);
  // One rated game makes him the best-rated member.
  std::optional<bool> announced;
  club_->AnnounceRatedGame({}, [&](bool ok) { announced = ok; });
  Wait([&] { return announced.has_value(); });
  ASSERT_TRUE(announced.value_or(false));
  std::optional<bool> scored;
  club_->SaveRatedResult({50, 50}, [&](bool saved, bool) { scored = saved; });
  Wait([&] { return scored.has_value(); });
  ASSERT_TRUE(scored.value_or(false));

  {
    TFormProfile profile(*club_);
    profile.show();
    Find<QLineEdit>(profile, "Field1")->setText(QStringLiteral("Ivan"));
    Type(Find<QLineEdit>(profile, "Field3"), QStringLiteral("Cards & chess, 100% $fun"));
    EXPECT_EQ(Find<QLabel>(profile, "PhotoHint")->text(),
              QStringLiteral("Click the picture to choose a JPEG photo of 200 x 250 pixels"));
    QTest::mouseClick(Find<TZubCardsButton>(profile, "UpdateInfo"), Qt::LeftButton);
    Wait([&] { return !profile.Busy(); });
    EXPECT_EQ(club_->Data().User.Info.About, "Cards & chess, 100%  fun");
    EXPECT_EQ(profile.StatusText(), QStringLiteral("Profile saved"));
    // The file dialog opens without waiting, in dark letters on a light ground whatever the design.
    QFileDialog* files = profile.OpenPhotoDialog();
    ASSERT_NE(files, nullptr);
    EXPECT_TRUE(files->isVisible());
    const QPalette colours = files->findChild<QLineEdit*>()->palette();
    EXPECT_LT(colours.color(QPalette::Text).lightness(), 80);
    EXPECT_GT(colours.color(QPalette::Base).lightness(), 200);
    files->reject();

    EXPECT_FALSE(profile.ChoosePhotoFile(PhotoFile(root_, QSize(100, 100))));
    EXPECT_EQ(messages_.Take(), QStringList{"The photo must be in jpg format 200x250 pixels in size!"});
    ASSERT_TRUE(profile.ChoosePhotoFile(PhotoFile(root_, QSize(200, 250))));
    QTest::mouseClick(Find<TZubCardsButton>(profile, "RefreshPhoto"), Qt::LeftButton);
    Wait([&] { return !profile.Busy(); });
    ASSERT_TRUE(club_->Data().OwnPhoto);
    EXPECT_EQ(club_->Data().OwnPhoto->size(), QSize(200, 250));
    EXPECT_EQ(profile.StatusText(), QStringLiteral("Photo saved"));
    // A refused save is said as such.
    const std::string password = club_->Data().User.Pw;
    club_->Data().User.Pw = "wrong12";
    Find<QLineEdit>(profile, "Field2")->setText(QStringLiteral("Petrov"));
    Find<TZubCardsButton>(profile, "UpdateInfo")->setEnabled(true);
    QTest::mouseClick(Find<TZubCardsButton>(profile, "UpdateInfo"), Qt::LeftButton);
    Wait([&] { return !profile.Busy(); });
    EXPECT_EQ(profile.StatusText(), QStringLiteral("The server did not take the profile"));
    club_->Data().User.Pw = password;
  }

  auto window = OpenWindow();
  // Pictures of the five tabs for a person to look at, when a folder is named.
  if (const QByteArray shots = qgetenv("VARNOK_ONLINE_SHOT_DIR"); !shots.isEmpty()) {
    for (int tab = 0; tab < window->Tabs()->count(); ++tab) {
      window->Tabs()->setCurrentIndex(tab);
      QApplication::processEvents();
      window->grab().save(QStringLiteral("%1/account_tab%2.png").arg(QString::fromUtf8(shots)).arg(tab + 1));
    }
  }
  EXPECT_EQ(Find<QLabel>(*window, "About3")->text(), "Cards & chess, 100%  fun");
  EXPECT_EQ(Find<QLabel>(*window, "About1")->text(), "Ivan");
  // The only rated member heads the top ten and is the club's president.
  EXPECT_EQ(Find<QLabel>(*window, "President1")->text(), "Cards & chess, 100%  fun");
  const QPixmap photo = Find<QLabel>(*window, "PresidentPhoto")->pixmap();
  ASSERT_FALSE(photo.isNull());
  EXPECT_LT(qAbs(qRed(photo.toImage().pixel(50, 60)) - 200), 16) << "the uploaded photo, not a drawn face";
}

TEST_F(AccountWindowTest, AnEditedLoginMayReplaceTheSavedOneAtOnce) {
  ASSERT_EQ(Call(RegisterAccount{Member("Ivan")}), 0);
  ASSERT_TRUE(WriteAccountFile(program_, "Ivan", "wrong12"));
  club_->SetAccountFileSaved(true);
  auto window = OpenWindow();
  auto* save = Find<TZubCardsButton>(*window, "Save");
  EXPECT_FALSE(save->isEnabled()) << "nothing typed yet";
  Type(Find<QLineEdit>(*window, "Nick"), QStringLiteral("Ivan"));
  Type(Find<QLineEdit>(*window, "Password"), QStringLiteral("secret1"));
  ASSERT_TRUE(save->isEnabled()) << "no need to press \"Delete\" first";
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_FALSE(save->isEnabled());
  const auto saved = ReadAccountFile(program_);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->Nick, "Ivan");
  EXPECT_EQ(saved->Pw, "secret1");
}

TEST_F(AccountWindowTest, WhileARatedCallIsPendingTheRatedChoiceWaits) {
  ASSERT_EQ(Call(RegisterAccount{Member("Ivan")}), 0);
  club_->Data().User = Member("Ivan");
  club_->SetAccountState(kRatedNext);
  std::optional<bool> announced;
  club_->AnnounceRatedGame({}, [&](bool ok) { announced = ok; });
  ASSERT_TRUE(club_->RatedBusy());
  TFormAccount window(*club_, true, SoundHook{});
  window.show();
  auto* rated = Find<QCheckBox>(window, "PlayGlobalRating");
  auto* note = Find<QLabel>(window, "RatedWaitNote");
  EXPECT_FALSE(rated->isEnabled());
  EXPECT_FALSE(Find<TZubCardsButton>(window, "Login")->isEnabled()) << "no signing out under a pending call";
  EXPECT_TRUE(note->isVisible());
  EXPECT_EQ(note->text(), QStringLiteral("Please wait: the club's server is answering"));
  Wait([&] { return announced.has_value(); });
  ASSERT_TRUE(announced.value_or(false));
  EXPECT_FALSE(club_->RatedBusy());
  EXPECT_TRUE(rated->isEnabled());
  EXPECT_FALSE(note->isVisible());
}

TEST_F(AccountWindowTest, ALoginThatCannotReachTheServerSaysSo) {
  server_.Stop();
  auto window = OpenWindow();
  Type(Find<QLineEdit>(*window, "Nick"), QStringLiteral("Ivan"));
  Type(Find<QLineEdit>(*window, "Password"), QStringLiteral("secret1"));
  QTest::mouseClick(Find<TZubCardsButton>(*window, "Login"), Qt::LeftButton);
  QStringList told;
  Wait([&] {
    told += messages_.Take();
    return !told.isEmpty();
  });
  EXPECT_EQ(told, QStringList{"Could not connect to server!"});
  EXPECT_FALSE(client_.ServerAnswering());
}

TEST_F(AccountWindowTest, ADeadServerShowsNoConnectWithinTheTimeOut) {
  server_.Stop();
  club_->Client().SetDefaultTimeoutForTests(2000);
  QElapsedTimer clock;
  clock.start();
  auto window = OpenWindow();
  EXPECT_LT(clock.elapsed(), 8000);
  EXPECT_EQ(Find<QLabel>(*window, "Top1")->text(), "No Connect");
  EXPECT_EQ(Find<QLabel>(*window, "Result1")->text(), "No Connect");
  EXPECT_EQ(Find<QLabel>(*window, "Members")->text(), "Club members: ");
}

}  // namespace
}  // namespace varnok::online

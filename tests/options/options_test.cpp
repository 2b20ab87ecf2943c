// The options window driven like a person: every control changes its
// setting at once and calls the one listener hook that applies it; the card
// and background previews follow the choices and fall back to the built-in
// designs when a library is missing; a new language re-captions the window;
// typed numbers out of range are clamped or refused with a message.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "../table/widget_test.h"
#include "fonts.h"
#include "form_options.h"
#include "loader.h"
#include "speed_window.h"
#include "words.h"
#include "zub_cards_button.h"

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace varnok {
namespace {

// Records every hook, by name.
struct Hooks : OptionsListener {
  std::vector<std::string> calls;
  bool fetch_succeeds = false;
  std::vector<QString> fetched;
  void LanguageChanged() override { calls.push_back("Language"); }
  void WindowSizeChanged() override { calls.push_back("WindowSize"); }
  void CardsChanged() override { calls.push_back("Cards"); }
  void FontsChanged() override { calls.push_back("Fonts"); }
  void BackgroundChanged() override { calls.push_back("Background"); }
  void SoundChanged() override { calls.push_back("Sound"); }
  void MusicChanged() override { calls.push_back("Music"); }
  void SpeedChanged() override { calls.push_back("Speed"); }
  void OtherChanged() override { calls.push_back("Other"); }
  void PassportRequested(QWidget*) override { calls.push_back("Passport"); }
  void FetchLibrary(const QString& file, std::function<void(int)>, std::function<void(bool)> done) override {
    fetched.push_back(file);
    done(fetch_succeeds);
  }
};

using Strings = std::vector<std::string>;

class OptionsTest : public testing::WidgetTest {
 protected:
  void SetUp() override {
    SetProgramFolder(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR));
    i18n::SetLanguage(i18n::kEnglish);
    i18n::SetFontSettings(i18n::DefaultFontSettings());
  }
  void TearDown() override {
    while (QWidget* open = QApplication::activeModalWidget()) {
      if (auto* dialog = qobject_cast<QDialog*>(open)) dialog->done(QDialog::Rejected);
      QApplication::processEvents();
    }
    SetProgramFolder(QString());
    i18n::SetLanguage(i18n::kEnglish);
    i18n::SetFontSettings(i18n::DefaultFontSettings());
    SetDialogNata(false);
  }

  std::unique_ptr<TFormOptions> Window() {
    auto window = std::make_unique<TFormOptions>(settings, hooks, [this](QString name) {
      sounds.push_back(name.toStdString());
    });
    hooks.calls.clear();
    sounds.clear();
    return window;
  }

  Settings settings;
  Hooks hooks;
  Strings sounds;
};

template <typename T>
T* Find(QWidget& window, const QString& name) {
  auto* control = window.findChild<T*>(name);
  EXPECT_NE(control, nullptr) << name.toStdString();
  return control;
}

// Types `text` into a field and ends the editing with Enter.
void Type(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Return);
}

// --- every control -------------------------------------------------------------

TEST_F(OptionsTest, EachControlChangesItsSettingAtOnceAndCallsItsHook) {
  struct Case {
    const char* control;
    std::function<void(TFormOptions&)> act;
    std::function<void(Settings&)> expect;  // applied to the defaults
    Strings hooks;
  };
  const auto check = [](const char* name) {
    return [name](TFormOptions& w) { Find<QAbstractButton>(w, QString::fromLatin1(name))->click(); };
  };
  const auto row = [](const char* name, int r) {
    return [name, r](TFormOptions& w) { Find<QListWidget>(w, QString::fromLatin1(name))->setCurrentRow(r); };
  };
  const auto pick = [](const char* name, int i) {
    return [name, i](TFormOptions& w) { Find<QComboBox>(w, QString::fromLatin1(name))->setCurrentIndex(i); };
  };
  const auto type = [](const char* name, const char* text) {
    return [name, text](TFormOptions& w) {
      Type(Find<QLineEdit>(w, QString::fromLatin1(name)), QString::fromLatin1(text));
    };
  };
  const Case cases[] = {
      {"Sound", check("Sound"), [](Settings& s) { s.Sound = false; }, {"Sound"}},
      {"Music", check("Music"), [](Settings& s) { s.Music = false; }, {"Music"}},
      {"GifAnimation", check("GifAnimation"), [](Settings& s) { s.GifAnimation = false; }, {"Other"}},
      {"FlyingCards", check("FlyingCards"), [](Settings& s) { s.FlyingCards = false; }, {"Other"}},
      {"RedCursor", check("RedCursor"), [](Settings& s) { s.RedCursor = false; }, {"Other"}},
      {"NewButtons", check("NewButtons"), [](Settings& s) { s.NewButtons = true; }, {"Other"}},
      {"Multiplayer", check("Multiplayer"), [](Settings& s) { s.NetworkMode = true; }, {"Other"}},
      {"Passport", check("Passport"), [](Settings&) {}, {"Passport"}},
      {"WindowSize", row("WindowSize", 3), [](Settings& s) { s.WindowMode = 4; }, {"WindowSize"}},
      {"Language", row("Language", 2), [](Settings& s) { s.LanguageIndex = 2; }, {"Language"}},
      {"CardDesign", row("CardDesign", 40), [](Settings& s) { s.CardDesign = 40; }, {"Cards"}},
      {"BackDesign", row("BackDesign", 3), [](Settings& s) { s.BackDesign = 3; }, {"Cards"}},
      {"BackDesignRandom", row("BackDesign", 9),
       [](Settings& s) {
         s.BackDesign = 9;
         s.Backs = BackChoice::Random;
       },
       {"Cards"}},
      {"AlwaysOne", check("AlwaysOne"), [](Settings& s) { s.Backs = BackChoice::AlwaysOne; }, {"Cards"}},
      {"KeepAfter100", check("KeepAfter100"), [](Settings& s) { s.KeepAfter100 = true; }, {"Other"}},
      {"ShowCardsAtEnd", check("ShowCardsAtEnd"), [](Settings& s) { s.ShowCardsAtEnd = false; }, {"Other"}},
      {"FontName",
       [](TFormOptions& w) {
         Find<QListWidget>(w, QStringLiteral("FontKind"))->setCurrentRow(1);
         auto* names = Find<QListWidget>(w, QStringLiteral("FontName"));
         names->setCurrentItem(names->findItems(QStringLiteral("Courier New"), Qt::MatchExactly).front());
       },
       [](Settings& s) { s.Fonts[Settings::kSmallFont].Name = "Courier New"; },
       {"Fonts"}},
      {"FontScale",
       [](TFormOptions& w) {
         Find<QListWidget>(w, QStringLiteral("FontKind"))->setCurrentRow(3);
         Type(Find<QLineEdit>(w, QStringLiteral("FontScale")), QStringLiteral("120"));
       },
       [](Settings& s) { s.Fonts[Settings::kSpecialFont2].Scale = 120; },
       {"Fonts"}},
      {"BackgroundPicture", pick("BackgroundPicture", 4), [](Settings& s) { s.BackgroundPicture = 5; },
       {"Background"}},
      {"BackgroundColour", pick("BackgroundColour", 3), [](Settings& s) { s.BackgroundColour = 3; },
       {"Background"}},
      {"SaveGames", check("SaveGames"), [](Settings& s) { s.SaveGames = true; }, {"Other"}},
      {"GifCapture", pick("GifCapture", 1), [](Settings& s) { s.GifCapture = 2; }, {"Other"}},
      {"GifDelay", type("GifDelay", "25"), [](Settings& s) { s.GifDelay = 25; }, {"Other"}},
      {"MenuDesign", pick("MenuDesign", 1), [](Settings& s) { s.MenuDesign = 1; }, {"Other"}},
      {"TableDesign", pick("TableDesign", 1), [](Settings& s) { s.TableDesign = 1; }, {"Background"}},
      {"AuxConcise", pick("AuxWindowDesign", 1), [](Settings& s) { s.AuxWindowDesign = 1; }, {"Other"}},
      {"AuxRibbons", pick("AuxWindowDesign", 2), [](Settings& s) { s.AuxWindowDesign = 3; }, {"Other"}},
      {"AuxPurple", pick("AuxWindowDesign", 3), [](Settings& s) { s.PurpleWindows = true; }, {"Other"}},
      {"SaluteButtons", check("SaluteButtons"), [](Settings& s) { s.SaluteButtons = true; }, {"Other"}},
      {"SaluteCards", check("SaluteCards"), [](Settings& s) { s.SaluteCards = true; }, {"Other"}},
      {"RadioFromDisk", check("RadioFromDisk"), [](Settings& s) { s.RadioListFromServer = false; }, {"Other"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    settings = Settings();
    auto window = Window();
    window->show();
    c.act(*window);
    Settings expected;
    c.expect(expected);
    EXPECT_EQ(settings, expected) << "only the control's own setting changes";
    EXPECT_EQ(hooks.calls, c.hooks);
    EXPECT_EQ(window->StatusText(), QString()) << "no complaint about a valid choice";
    i18n::SetLanguage(i18n::kEnglish);
  }
}

TEST_F(OptionsTest, ControlsShowTheSettingsTheWindowOpensWith) {
  settings.Sound = false;
  settings.NetworkMode = true;
  settings.WindowMode = 5;
  settings.LanguageIndex = 7;
  settings.CardDesign = 12;
  settings.BackDesign = 4;
  settings.Backs = BackChoice::AlwaysOne;
  settings.BackgroundPicture = 7;
  settings.BackgroundColour = 6;
  settings.GifCapture = 2;
  settings.GifDelay = 350;
  settings.AuxWindowDesign = 3;
  settings.RadioListFromServer = false;
  settings.Fonts[Settings::kLargeFont] = {"DejaVu Sans", 80};
  const Settings opened = settings;
  auto window = Window();
  EXPECT_FALSE(Find<QCheckBox>(*window, QStringLiteral("Sound"))->isChecked());
  EXPECT_TRUE(Find<QCheckBox>(*window, QStringLiteral("Multiplayer"))->isChecked());
  EXPECT_EQ(Find<QListWidget>(*window, QStringLiteral("WindowSize"))->currentRow(), 4);
  EXPECT_EQ(Find<QLabel>(*window, QStringLiteral("WindowSizeHint"))->text(), "1520 x 1000 px");
  EXPECT_EQ(Find<QListWidget>(*window, QStringLiteral("Language"))->currentRow(), 7);
  EXPECT_EQ(Find<QListWidget>(*window, QStringLiteral("CardDesign"))->currentRow(), 12);
  EXPECT_EQ(Find<QListWidget>(*window, QStringLiteral("BackDesign"))->currentRow(), 4);
  EXPECT_TRUE(Find<QRadioButton>(*window, QStringLiteral("AlwaysOne"))->isChecked());
  EXPECT_FALSE(Find<QRadioButton>(*window, QStringLiteral("Random"))->isEnabled());
  EXPECT_EQ(Find<QComboBox>(*window, QStringLiteral("BackgroundPicture"))->currentIndex(), 6);
  EXPECT_EQ(Find<QComboBox>(*window, QStringLiteral("BackgroundColour"))->currentIndex(), 6);
  EXPECT_EQ(Find<QComboBox>(*window, QStringLiteral("GifCapture"))->currentIndex(), 1);
  EXPECT_EQ(Find<QLineEdit>(*window, QStringLiteral("GifDelay"))->text(), "350");
  EXPECT_EQ(Find<QComboBox>(*window, QStringLiteral("AuxWindowDesign"))->currentIndex(), 2);
  EXPECT_TRUE(Find<QRadioButton>(*window, QStringLiteral("RadioFromDisk"))->isChecked());
  EXPECT_EQ(Find<QListWidget>(*window, QStringLiteral("FontName"))->currentItem()->text(), "DejaVu Sans");
  EXPECT_EQ(Find<QLineEdit>(*window, QStringLiteral("FontScale"))->text(), "80");
  EXPECT_EQ(settings, opened) << "opening changes nothing";
  EXPECT_TRUE(hooks.calls.empty());
}

TEST_F(OptionsTest, SpeedButtonOpensTheSpeedWindowWhoseSliderSetsTheSpeedAtOnce) {
  auto window = Window();
  window->show();
  int seen_while_open = 0;
  QTimer::singleShot(0, [&] {
    auto* speed = qobject_cast<TFormSpeed*>(QApplication::activeModalWidget());
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->Speed(), 4) << "placed at the current speed";
    speed->Slider()->setValue(6);
    seen_while_open = settings.CardSpeed;
    QTest::mouseClick(speed->OkButton(), Qt::LeftButton);
  });
  QTest::mouseClick(Find<TZubCardsButton>(*window, QStringLiteral("Speed")), Qt::LeftButton);
  EXPECT_EQ(seen_while_open, 6);
  EXPECT_EQ(settings.CardSpeed, 6);
  EXPECT_EQ(hooks.calls, Strings{"Speed"});
}

TEST_F(OptionsTest, DefaultRestoresTheFourFontsAndScales) {
  for (FontSetting& font : settings.Fonts) font = {"DejaVu Serif", 140};
  auto window = Window();
  QTest::mouseClick(Find<TZubCardsButton>(*window, QStringLiteral("FontDefault")), Qt::LeftButton);
  EXPECT_EQ(settings.Fonts, Settings().Fonts);
  EXPECT_EQ(hooks.calls, Strings{"Fonts"});
  EXPECT_EQ(i18n::CurrentFontSettings(), i18n::DefaultFontSettings()) << "the text sizes follow at once";
  EXPECT_EQ(Find<QLineEdit>(*window, QStringLiteral("FontScale"))->text(), "100");
}

// --- previews and fallbacks ------------------------------------------------------

TEST_F(OptionsTest, CardPreviewFollowsTheDesignChoice) {
  auto window = Window();
  auto* faces = Find<QListWidget>(*window, QStringLiteral("CardDesign"));
  auto* backs = Find<QListWidget>(*window, QStringLiteral("BackDesign"));
  std::vector<QImage> seen{window->CardPreview()};
  const struct {
    int face, back;
  } choices[] = {{1, 0}, {40, 0}, {40, 2}, {9, 11}};
  for (const auto& c : choices) {
    faces->setCurrentRow(c.face);
    backs->setCurrentRow(c.back);
    EXPECT_EQ(window->PreviewFace(), c.face);
    EXPECT_EQ(window->PreviewBack(), c.back);
    const QImage preview = window->CardPreview();
    ASSERT_FALSE(preview.isNull());
    for (const QImage& earlier : seen) EXPECT_NE(preview, earlier) << c.face << "/" << c.back;
    seen.push_back(preview);
  }
}

TEST_F(OptionsTest, BackgroundPreviewFollowsTheChoice) {
  auto window = Window();
  QImage builtin;
  ASSERT_TRUE(LoadJpeg(QStringLiteral("FonG"), QString(), builtin));
  EXPECT_EQ(window->BackgroundPreview(), builtin);
  Find<QComboBox>(*window, QStringLiteral("BackgroundPicture"))->setCurrentIndex(6);
  Find<QComboBox>(*window, QStringLiteral("BackgroundColour"))->setCurrentIndex(4);
  QImage chosen;
  ASSERT_TRUE(LoadJpeg(QStringLiteral("Fon07B1"), QStringLiteral("ZubBackG03.dll"), chosen));
  EXPECT_EQ(window->BackgroundPreview(), chosen);
}

class OptionsWithoutLibrariesTest : public OptionsTest {
 protected:
  void SetUp() override {
    OptionsTest::SetUp();
    ASSERT_TRUE(root_.isValid());
    ASSERT_TRUE(QDir(root_.path()).mkpath(QStringLiteral("top/program")));
    SetProgramFolder(root_.filePath(QStringLiteral("top/program")));
  }
  QTemporaryDir root_;
};

TEST_F(OptionsWithoutLibrariesTest, UnavailableDesignsFallBackToTheBuiltInOnesWithTheFileNamed) {
  struct Case {
    const char* what;
    std::function<void(TFormOptions&)> choose;
    const char* file;
    std::function<void(TFormOptions&)> check;
  };
  const Case cases[] = {
      {"face design 12", [](TFormOptions& w) { Find<QListWidget>(w, QStringLiteral("CardDesign"))->setCurrentRow(12); },
       "ZubCards06A.dll",
       [](TFormOptions& w) {
         EXPECT_EQ(Find<QListWidget>(w, QStringLiteral("CardDesign"))->currentRow(), 0);
         EXPECT_EQ(w.PreviewFace(), 0);
       }},
      {"face design 44", [](TFormOptions& w) { Find<QListWidget>(w, QStringLiteral("CardDesign"))->setCurrentRow(44); },
       "ZubCards06C.dll", [](TFormOptions& w) { EXPECT_EQ(w.PreviewFace(), 0); }},
      {"back design 5", [](TFormOptions& w) { Find<QListWidget>(w, QStringLiteral("BackDesign"))->setCurrentRow(5); },
       "ZubCards06B.dll",
       [](TFormOptions& w) {
         EXPECT_EQ(Find<QListWidget>(w, QStringLiteral("BackDesign"))->currentRow(), 0);
         EXPECT_EQ(w.PreviewBack(), 0);
       }},
      {"background 5", [](TFormOptions& w) { Find<QComboBox>(w, QStringLiteral("BackgroundPicture"))->setCurrentIndex(4); },
       "ZubBackG03.dll",
       [](TFormOptions& w) {
         EXPECT_EQ(Find<QComboBox>(w, QStringLiteral("BackgroundPicture"))->currentIndex(), 1);
         QImage builtin;
         ASSERT_TRUE(LoadJpeg(QStringLiteral("FonG"), QString(), builtin));
         EXPECT_EQ(w.BackgroundPreview(), builtin);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings = Settings();
    auto window = Window();
    const QImage before = window->CardPreview();
    c.choose(*window);
    EXPECT_EQ(settings, Settings()) << "the settings stay at the built-in designs";
    EXPECT_TRUE(hooks.calls.empty()) << "nothing changed for the main window";
    EXPECT_EQ(window->StatusText(), QStringLiteral("Can`t find the file ") + QString::fromLatin1(c.file));
    EXPECT_EQ(sounds, Strings{"WWrongs"});
    EXPECT_EQ(window->CardPreview(), before) << "the preview shows the built-in cards";
    c.check(*window);
  }
}

TEST_F(OptionsWithoutLibrariesTest, MissingLibrariesEnableTheirFetchButtonsAndClearTheSalute) {
  settings.SaluteButtons = true;
  settings.SaluteCards = true;
  auto window = std::make_unique<TFormOptions>(settings, hooks, [this](QString n) { sounds.push_back(n.toStdString()); });
  EXPECT_FALSE(settings.SaluteButtons);
  EXPECT_FALSE(settings.SaluteCards);
  EXPECT_FALSE(Find<QCheckBox>(*window, QStringLiteral("SaluteCards"))->isEnabled());
  for (int n = 1; n <= 9; ++n) {
    auto* button = Find<TZubCardsButton>(*window, QStringLiteral("Fetch%1").arg(n));
    EXPECT_TRUE(button->isEnabled()) << n;
    EXPECT_EQ(button->KLightSB(), 0) << n;
  }
  // A fetch that fails sounds so; one that succeeds sounds so and disables its button.
  sounds.clear();
  QTest::mouseClick(Find<TZubCardsButton>(*window, QStringLiteral("Fetch2")), Qt::LeftButton);
  EXPECT_EQ(hooks.fetched, std::vector<QString>{"ZubCards06B.dll"});
  EXPECT_EQ(sounds, Strings{"WWrongs"});
  hooks.fetch_succeeds = true;
  QFile placed(root_.filePath(QStringLiteral("top/ZubCGraph1.dll")));  // the parent folder
  ASSERT_TRUE(placed.open(QIODevice::WriteOnly));
  placed.close();
  QTest::mouseClick(Find<TZubCardsButton>(*window, QStringLiteral("Fetch9")), Qt::LeftButton);
  EXPECT_EQ(sounds, (Strings{"WWrongs", "WToMenK"}));
  EXPECT_FALSE(Find<TZubCardsButton>(*window, QStringLiteral("Fetch9"))->isEnabled());
  EXPECT_EQ(Find<TZubCardsButton>(*window, QStringLiteral("Fetch9"))->KLightSB(), 50);
  EXPECT_TRUE(Find<QCheckBox>(*window, QStringLiteral("SaluteCards"))->isEnabled());
}

TEST_F(OptionsTest, PresentLibrariesDisableTheirFetchButtons) {
  auto window = Window();
  for (int n = 1; n <= 9; ++n) {
    const QString file = TFormOptions::FetchableLibraries()[static_cast<std::size_t>(n - 1)];
    auto* button = Find<TZubCardsButton>(*window, QStringLiteral("Fetch%1").arg(n));
    EXPECT_EQ(button->text(), file);
    EXPECT_EQ(button->isEnabled(), !LibraryPresent(file)) << file.toStdString();
  }
}

// --- language ------------------------------------------------------------------

TEST_F(OptionsTest, LanguageSwitchRecaptionsTheWindowAtOnce) {
  auto window = Window();
  EXPECT_EQ(window->windowTitle(), "Options");
  EXPECT_EQ(window->Tabs()->tabText(0), "General");
  for (int language : {i18n::kRussian, i18n::kJapanese, i18n::kEnglish}) {
    SCOPED_TRACE(language);
    Find<QListWidget>(*window, QStringLiteral("Language"))->setCurrentRow(language);
    EXPECT_EQ(settings.LanguageIndex, language);
    EXPECT_EQ(i18n::LanguageIndex(), language);
    EXPECT_EQ(window->windowTitle(), i18n::Text(i18n::WordsMain, 2, language));
    EXPECT_EQ(window->Tabs()->tabText(3), i18n::Text(i18n::WordsGames, 111, language));
    EXPECT_EQ(window->Tabs()->tabText(5), i18n::Text(i18n::WordsMain, 362, language));
    EXPECT_EQ(Find<QCheckBox>(*window, QStringLiteral("Sound"))->text(), i18n::Text(i18n::WordsMain, 33, language));
    EXPECT_EQ(Find<TZubCardsButton>(*window, QStringLiteral("Close"))->text(),
              i18n::Text(i18n::WordsMain, 159, language));
    EXPECT_EQ(Find<QListWidget>(*window, QStringLiteral("CardDesign"))->item(5)->text(),
              i18n::Text(i18n::WordsMain, 309, language));
    EXPECT_EQ(Find<QComboBox>(*window, QStringLiteral("BackgroundColour"))->itemText(6),
              i18n::Text(i18n::WordsMain, 378, language));
    QImage flag;
    ASSERT_TRUE(LoadPng(i18n::FlagName(language), QString(), flag));
    EXPECT_EQ(window->FlagPicture().copy(0, 0, flag.width(), flag.height()).convertToFormat(QImage::Format_ARGB32),
              flag.convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(window->HasTitlePicture()) << "the title picture of the language (English for Japanese)";
  }
  EXPECT_EQ(hooks.calls, (Strings{"Language", "Language", "Language"}));
}

// --- typed values ----------------------------------------------------------------

TEST_F(OptionsTest, TypedNumbersOutOfRangeAreClampedAndTextsRefused) {
  struct Case {
    const char* field;
    const char* typed;
    int expected;
    std::function<int(const Settings&)> value;
    const char* message;
  };
  const auto delay = [](const Settings& s) { return s.GifDelay; };
  const auto scale = [](const Settings& s) { return s.Fonts[0].Scale; };
  const Case cases[] = {
      {"GifDelay", "3", 10, delay, "3 \u2192 10. Delay between frames, msec.: 10 - 5000"},
      {"GifDelay", "99999", 5000, delay, "99999 \u2192 5000. Delay between frames, msec.: 10 - 5000"},
      {"GifDelay", "-20", 10, delay, "-20 \u2192 10. Delay between frames, msec.: 10 - 5000"},
      {"GifDelay", "fast", 1000, delay, "\"fast\"? Delay between frames, msec.: 10 - 5000"},
      {"GifDelay", "", 1000, delay, "\"\"? Delay between frames, msec.: 10 - 5000"},
      {"FontScale", "200", 150, scale, "200 \u2192 150. Scale, %: 50 - 150"},
      {"FontScale", "20", 50, scale, "20 \u2192 50. Scale, %: 50 - 150"},
      {"FontScale", "1e2", 100, scale, "\"1e2\"? Scale, %: 50 - 150"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    settings = Settings();
    auto window = Window();
    window->show();
    auto* field = Find<QLineEdit>(*window, QString::fromLatin1(c.field));
    Type(field, QString::fromUtf8(c.typed));
    EXPECT_EQ(c.value(settings), c.expected);
    EXPECT_EQ(field->text(), QString::number(c.expected)) << "the field shows the value in force";
    EXPECT_EQ(window->StatusText(), QString::fromUtf8(c.message));
    EXPECT_EQ(sounds, Strings{"WWrongs"});
  }
}

// --- pictures of the tabs ----------------------------------------------------------

// Each tab drawn into "options_shots/" beside the test program, to be looked at.
TEST_F(OptionsTest, EveryTabDrawsItsOwnPage) {
  settings.CardDesign = 14;
  settings.BackDesign = 3;
  settings.BackgroundPicture = 5;
  settings.BackgroundColour = 4;
  auto window = Window();
  window->show();
  const QDir shots(QCoreApplication::applicationDirPath() + QStringLiteral("/options_shots"));
  ASSERT_TRUE(shots.mkpath(QStringLiteral(".")));
  std::vector<QImage> pages;
  for (int tab = 0; tab < window->Tabs()->count(); ++tab) {
    window->Tabs()->setCurrentIndex(tab);
    QApplication::processEvents();
    const QImage shot = window->grab().toImage();
    ASSERT_EQ(shot.size(), window->size());
    EXPECT_TRUE(shot.save(shots.filePath(QStringLiteral("tab%1.png").arg(tab))));
    const QRect page = window->Tabs()->currentWidget()->geometry().translated(window->Tabs()->pos());
    const QImage content = shot.copy(page);
    for (const QImage& other : pages) EXPECT_NE(content, other) << "tab " << tab;
    pages.push_back(content);
  }
  EXPECT_EQ(pages.size(), 9u);
  // The first tab once more, in Russian.
  window->Tabs()->setCurrentIndex(0);
  Find<QListWidget>(*window, QStringLiteral("Language"))->setCurrentRow(i18n::kRussian);
  QApplication::processEvents();
  const QImage russian = window->grab().toImage();
  EXPECT_TRUE(russian.save(shots.filePath(QStringLiteral("tab0_rus.png"))));
  const QRect page = window->Tabs()->currentWidget()->geometry().translated(window->Tabs()->pos());
  EXPECT_NE(russian.copy(page), pages.front()) << "the captions changed";
}

}  // namespace
}  // namespace varnok

#include <gtest/gtest.h>

// The engine's headers come before Qt's: its card lists have a member named
// "slots", which Qt's keyword macro would rewrite.
#include "presenter.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui_text.h"
#include "words.h"

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace varnok::i18n {
namespace {

struct Quoted {
  int row;
  const char* english;
};

// Every WordsMain row the program shows whose English text is quoted in full,
// exactly as quoted (odd spellings and blanks included).
const Quoted kMainQuoted[] = {
      {0, "New Player"},
      {2, "Options"},
      {3, "Top Ten"},
      {4, "Exit"},
      {5, "History"},
      {6, "Mode"},
      {7, " The members of club    Games    Score "},
      {19, "Score"},
      {21, "Exit to menu"},
      {22, "You want to leave in the main menu?"},
      {23, "All datas for want of it will be lost!"},
      {24, "You want to leave from game?"},
      {25, "General score"},
      {26, "To change a name"},
      {27, "Help"},
      {28, "Comment"},
      {29, "About"},
      {30, "General"},
      {32, "Multimedia"},
      {33, "Sound"},
      {34, "Music"},
      {38, "Cards"},
      {39, "Decks"},
      {40, "Fonts"},
      {42, "Main"},
      {43, "Minor"},
      {44, "Small window"},
      {45, "Average window 1"},
      {46, "Average window 2"},
      {47, "Large window"},
      {48, "Full screen"},
      {49, "The completion of game"},
      {50, "CONGRATULATIONS!!!"},
      {51, "Your result - the best!"},
      {53, "Good result!"},
      {54, "You have hitted in top ten players!"},
      {55, "Our regrets..."},
      {56, "Your result keeps to wish best"},
      {57, "You have not hitted in ten best players..."},
      {58, "Result: "},
      {59, "Place: "},
      {61, "You become the Vice-President of the order!"},
      {65, "You become a Master of the Order!"},
      {66, "You become a Bachelor of the Order!"},
      {67, "Incorrect name!"},
      {68, "The passwords do not coincide!"},
      {69, "The incorrect password!"},
      {70, "Welcome!"},
      {71, "Enter Your name:"},
      {72, "Enter Your password:"},
      {73, "And once again for check..."},
      {74, "Mr.X"},
      {75, "Cancel"},
      {76, "Your name and/or the password were successfully changed!\n\rNew name: "},
      {77, "Incorrect IP-address!"},
      {78, "Incorrect Port!"},
      {79, "Player"},
      {80, "Information about game"},
      {81, "The current score:"},
      {82, "The initial score:"},
      {83, "The general score:"},
      {84, "General number of game:"},
      {85, "Number of round in a current cycle:"},
      {86, "Number of round in a current session:"},
      {87, "The initial rating:"},
      {88, "The current rating:"},
      {89, "Games in cycle"},
      {92, "The incorrect file"},
      {93, "Can`t find the file"},
      {96, "Can`t save options!"},
      {97, "Error of disk writing!"},
      {98, "Can`t create music file!"},
      {101, "has interrupted game!"},
      {102, "Press OK for exit to the main menu..."},
      {103, "Expectation of the server..."},
      {104, "Multiplayer"},
      {105, "Enter IP of server:"},
      {106, "Enter Port of server:"},
      {107, "Number games:"},
      {108, "Server / Client"},
      {109, "Server create the game"},
      {110, "Client enters to game"},
      {111, "To receive the IP-addresses"},
      {112, "One of player"},
      {153, "Please, wait..."},
      {154, "World Top Ten Tournament is temporarily unavailable!"},
      {155, "Chat is temporarily unavailable!"},
      {156, "Unable to write the result of the game!"},
      {157, "Unable to send a message!"},
      {158, "Send"},
      {159, "Close"},
      {160, "Your score"},
      {161, "Your place"},
      {162, "Number of games"},
      {163, "Passport"},
      {164, "Nick"},
      {165, "Country"},
      {166, "City"},
      {167, "Sex"},
      {168, "Europe"},
      {169, "Asia"},
      {170, "North America"},
      {171, "South America"},
      {172, "Oceania"},
      {173, "Africa"},
      {174, "Male"},
      {175, "Female"},
      {178, "Chat"},
      {179, "Zub Games Chat"},
      {180, "Last message at the bottom"},
      {181, "Open this window when a new message"},
      {182, "Statistics"},
      {183, "Number of starts"},
      {184, "Number of unique starts"},
      {185, "Likes"},
      {186, "Last Like"},
      {187, "I like this game!"},
      {188, "Could not connect to server!"},
      {189, "Repeat?"},
      {190, "There is a game on the rating!"},
      {193, "You are not logged in to your account!"},
      {194, "You are logged in to your account!"},
      {196, "My account"},
      {197, "My results"},
      {198, "Login to account"},
      {199, "Sign out"},
      {200, "Your account information"},
      {201, "Nick"},
      {202, "Password"},
      {203, "Country"},
      {204, "City"},
      {205, "Sex"},
      {206, "Registration"},
      {207, "Hide password"},
      {208, "Play global rating"},
      {209, "Club members: "},
      {210, "Your account has been successfully created!"},
      {211, "The club already has a player with the same Nick!"},
      {212, "Could not create account!"},
      {213, "Login failed!"},
      {214, "Information about your games"},
      {215, "Game"},
      {216, "Player"},
      {217, "Rating"},
      {218, "Place"},
      {219, "Played games"},
      {220, "My best score"},
      {221, "Top 10 best rated players"},
      {222, "Create an account"},
      {223, "Save"},
      {224, "Delete"},
      {225, "Played cycles"},
      {226, "Current Deal"},
      {227, "Current Score"},
      {251, "About me"},
      {253, "President"},
      {254, "Refresh"},
      {255, "Copied to clipboard!"},
      {257, "President of the Order"},
      {258, "Your name"},
      {259, "Your last name"},
      {260, "Brief information about you"},
      {261, "Your phone number"},
      {262, "Your e-mail"},
      {263, "Your web site"},
      {264, "Your skype"},
      {265, "Your OK"},
      {266, "Your VK"},
      {267, "Your Telegram"},
      {268, "Your Facebook"},
      {269, "Your Twitter"},
      {270, "Your Instagram"},
      {271, "Your YouTube"},
      {272, "The photo must be in jpg format 200x250 pixels in size!"},
      {273, "Failed to upload photo to server!"},
      {274, "This information may be visible to other club members."},
      {275, "Update info"},
      {276, "Refresh photo"},
      {277, "Close"},
      {278, "Modification"},
      {279, "To change decks"},
      {280, "Always one"},
      {281, "Random"},
      {282, "Gif-animation"},
      {284, "Red mouse cursor"},
      {285, "New buttons"},
      {286, "Large font"},
      {287, "Small font"},
      {288, "Special font"},
      {289, "Scale, %"},
      {290, "Default"},
      {291, "Attention!\n\rThese installations should be changed only in case of incorrect map of fonts!"},
      {292, "Save games"},
      {293, "Save games as GIFs"},
      {294, "Save contents of only the main window"},
      {295, "Save screen contents"},
      {296, "Delay between frames, msec."},
      {297, "Creating a GIF..."},
      {298, "Speed"},
      {299, "Choice of speed"},
      {300, "Select a flight speed of cards:"},
      {301, "Reading the list of radio stations"},
      {302, "From the server"},
      {303, "From disk"},
      {362, "BG"},
      {363, "Background"},
      {382, "Design"},
      {383, "Main Menu Design"},
      {384, "Game Table Design"},
      {385, "Auxiliary Window Design"},
      {386, "Customizable"},
      {387, "Purple"},
      {388, "Gray concise"},
      {389, "Gray aristocratic"},
      {390, "Gray with red ribbons"},
      {391, "Salute"},
      {392, "Buttons"},
      {393, "Cards"},
      {394, "Please, wait..."},
      {395, "Expectation of connection of other players..."},
      {396, "Expectation of game..."},
      {397, "The second player was connected..."},
      {398, "The third player was connected..."},
      {399, "The fourth player was connected..."},
      {400, "There are no accessible games"},
      {401, "History of games"},
      {402, "Time"},
      {403, "Date"},
      {404, "Player"},
      {8, " The members of club    Games   Rating "},
      {90, "The file \""},
      {91, "\" has incorrect attributes!\n\rThe work of the program will be incorrect!"},
      {195, "CLUB \"VELMAR GAMES\""},
      {283, "\"Fly\" cards"},
      {304, "Classical-1"},
      {361, "Knightly"},
      {365, "Sun"},
      {374, "Ornament"},
      {381, "Dark Blue"},
};

// Every WordsGames row the program shows.
const Quoted kGamesQuoted[] = {
      {0, "Games"},
      {1, "Result"},
      {2, "Rating"},
      {3, "Type"},
      {6, "Current game"},
      {7, "Game"},
      {8, "To Begin"},
      {9, "To Begin of Round"},
      {10, "Round:"},
      {11, "Pass"},
      {12, "Next Round"},
      {21, "Trump:"},
      {23, "Points of a current Round"},
      {24, "Numbers"},
      {25, "The ordered game"},
      {26, "I play on "},
      {27, "To open cards"},
      {28, "Twenty"},
      {29, "Forty"},
      {30, "To distribute cards"},
      {31, "Select suit:"},
      {32, "Choice suit"},
      {33, "Select trump:"},
      {34, "Choice trump"},
      {35, "Order game:"},
      {36, "The order of game"},
      {37, "To not write off a taken after 100 numbers"},
      {111, "Game"},
      {235, "Yes"},
      {236, "No"},
      {430, "Show cards at end of game"},
      {444, "Rules"},
      {611, "Radio"},
      {612, "Zub Internet-Radio"},
      {613, "Can`t find "},
      {614, "This statistic is maintained since version 5.2"},
      {615, "Games played with PC"},
      {616, "Cycles played with PC"},
      {617, "Winning people (game with PC)"},
      {618, "Loss of people (game with PC)"},
      {619, "Games played Net"},
      {620, "Games played Online"},
      {626, "Dynamic IQ for Windows (percent)"},
      {627, "Games played with PC"},
      {628, "Best Windows Player: "},
      {629, "Best Android Player: "},
      {630, "The best player of games from under the account: "},
      {631, "No"},
      {632, "Lost connection with the server!"},
      {633, "Player"},
      {634, "interrupted the game!"},
      {635, "You won!"},
      {636, "You lose!"},
      {637, "Player"},
      {638, "time is up!"},
      {639, "Log in to your account!"},
      {640, "Your time is up!"},
      {641, "Take the place of"},
      {642, "Free"},
      {643, "Server connection error!"},
      {645, "This table is already occupied by a player with your IP!"},
      {646, "Online-Tournament"},
      {647, "Table"},
      {648, "Log off"},
      {649, "Score"},
      {650, "Rating"},
      {651, "Games"},
      {652, "No Options"},
};

// The rows the program shows: the quoted ones, the names of the card designs
// (304 to 361) and of the table backgrounds and colours (365 to 381).
std::set<int> ShownRows(WordTable table) {
  std::set<int> rows;
  if (table == WordsMain) {
    for (const Quoted& q : kMainQuoted) rows.insert(q.row);
    for (int row = 304; row <= 361; ++row) rows.insert(row);
    for (int row = 365; row <= 381; ++row) rows.insert(row);
  } else {
    for (const Quoted& q : kGamesQuoted) rows.insert(q.row);
  }
  return rows;
}

struct TableCase {
  WordTable table;
  const char* name;
};
const TableCase kTables[] = {{WordsMain, "WordsMain"}, {WordsGames, "WordsGames"}};

// Restores English after every test that changes the language.
class Words : public ::testing::Test {
 protected:
  void TearDown() override { SetLanguage(kEnglish); }
};

TEST_F(Words, TheBuiltInTablesAreSound) {
  EXPECT_TRUE(TableProblems().isEmpty()) << TableProblems().join(u'\n').toStdString();
  EXPECT_EQ(RowCount(WordsMain), 405);
  EXPECT_EQ(RowCount(WordsGames), 653);
}

TEST_F(Words, TheTablesCarryExactlyTheRowsTheProgramShows) {
  for (const TableCase& t : kTables) {
    const std::vector<int> listed = ListedRows(t.table);
    const std::set<int> expected = ShownRows(t.table);
    EXPECT_EQ(std::set<int>(listed.begin(), listed.end()), expected) << t.name;
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end())) << t.name;
  }
  EXPECT_EQ(ListedRows(WordsMain).size(), 309u);
  EXPECT_EQ(ListedRows(WordsGames).size(), 68u);
}

TEST_F(Words, EnglishTextsAreExactlyAsQuoted) {
  for (const Quoted& q : kMainQuoted) {
    EXPECT_EQ(Text(WordsMain, q.row, kEnglish), QString::fromUtf8(q.english)) << "WordsMain row " << q.row;
  }
  for (const Quoted& q : kGamesQuoted) {
    EXPECT_EQ(Text(WordsGames, q.row, kEnglish), QString::fromUtf8(q.english)) << "WordsGames row " << q.row;
  }
}

TEST_F(Words, EveryShownRowHasAllTenTextsButKorean404) {
  for (const TableCase& t : kTables) {
    for (const int row : ShownRows(t.table)) {
      for (int language = 0; language < kLanguageCount; ++language) {
        const bool korean_404 = t.table == WordsMain && row == 404 && language == kKorean;
        EXPECT_EQ(Text(t.table, row, language).isEmpty(), korean_404)
            << t.name << " row " << row << " language " << language;
      }
    }
  }
  SetLanguage(kKorean);
  EXPECT_TRUE(Text(WordsMain, 404).isEmpty());
  EXPECT_EQ(Text(WordsMain, 79), QStringLiteral("플레이어"));  // the same word elsewhere is there
}

TEST_F(Words, TheEnginesButtonsAndBubblesReadTheirRows) {
  struct Case {
    UiText text;
    const char* english;
    const char* russian;
  };
  const Case cases[] = {
      {UiText::Games(words::games::kToBegin), "To Begin", "Начать"},
      {UiText::Games(words::games::kPass), "Pass", "Пас"},
      {UiText::Games(words::games::kNextRound), "Next Round", "Следующий раунд"},
      {UiText::Games(words::games::kIPlayOn, "65"), "I play on 65", "Играю на 65"},
      {UiText::Games(words::games::kIPlayOn, " 65"), "I play on  65", "Играю на  65"},
      {UiText::Games(words::games::kToOpenCards), "To open cards", "Открыть карты"},
      {UiText::Games(words::games::kTwenty), "Twenty", "Двадцать"},
      {UiText::Games(words::games::kForty), "Forty", "Сорок"},
      {UiText::Games(words::games::kToDistributeCards), "To distribute cards", "Раздать карты"},
      {UiText::Main(words::main::kExitToMenu), "Exit to menu", "Выход в меню"},
      {UiText::Plain("Ok"), "Ok", "Ok"},
      {UiText::Plain("Иван"), "Иван", "Иван"},
  };
  for (const Case& c : cases) {
    SetLanguage(kEnglish);
    EXPECT_EQ(Caption(c.text), QString::fromUtf8(c.english)) << c.english;
    SetLanguage(kRussian);
    EXPECT_EQ(Caption(c.text), QString::fromUtf8(c.russian)) << c.english;
  }
}

TEST_F(Words, GeneratedRowNamesReadTheirOwnEnglishText) {
  // Each name is made from its row's English text; a text that two rows of
  // one table share names both rows with their numbers.
  struct Case {
    WordTable table;
    int row;
    const char* english;
  };
  const Case cases[] = {
      {WordsGames, words::games::kToBeginOfRound, "To Begin of Round"},
      {WordsGames, words::games::kGamesRow0, "Games"},
      {WordsGames, words::games::kGamesRow651, "Games"},
      {WordsGames, words::games::kCantFind, "Can`t find "},
      {WordsMain, words::main::kOneOfPlayer, "One of player"},
      {WordsMain, words::main::kPleaseWaitRow153, "Please, wait..."},
      {WordsMain, words::main::kPleaseWaitRow394, "Please, wait..."},
      {WordsGuide, words::guide::kYourTurnPlayAnyCard, "Your turn: play any card"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(c.table, c.row, kEnglish), QString::fromUtf8(c.english)) << c.english;
  EXPECT_NE(words::games::kGamesRow0, words::games::kGamesRow651);
}

TEST_F(Words, RowsWithDifferentEnglishNeverShareATranslation) {
  for (int language = 1; language < kLanguageCount; ++language) {
    std::map<QString, std::pair<const char*, int>> first;  // text -> where it was seen first
    for (const TableCase& t : kTables) {
      for (const int row : ListedRows(t.table)) {
        const QString text = Text(t.table, row, language);
        if (text.isEmpty()) continue;
        const auto [it, fresh] = first.emplace(text, std::make_pair(t.name, row));
        if (fresh) continue;
        const WordTable other = std::string_view(it->second.first) == "WordsMain" ? WordsMain : WordsGames;
        EXPECT_EQ(Text(other, it->second.second, kEnglish), Text(t.table, row, kEnglish))
            << "language " << language << ": " << it->second.first << " row " << it->second.second << " and "
            << t.name << " row " << row << " both read \"" << text.toStdString() << "\"";
      }
    }
  }
}

TEST_F(Words, TranslationsKeepWhatTheirCompositionsNeed) {
  for (const TableCase& t : kTables) {
    for (const int row : ListedRows(t.table)) {
      const QString english = Text(t.table, row, kEnglish);
      for (int language = 1; language < kLanguageCount; ++language) {
        const QString text = Text(t.table, row, language);
        if (text.isEmpty()) continue;
        const std::string where = std::string(t.name) + " row " + std::to_string(row) + " language " +
                                  std::to_string(language) + ": \"" + text.toStdString() + "\"";
        // A label followed by a number or a name keeps its colon or blank
        // (a full-width colon does both in Chinese and Japanese).
        if (english.endsWith(u' ')) {
          EXPECT_TRUE(text.endsWith(u' ') || text.endsWith(u'：')) << where;
        }
        if (english.endsWith(u':')) {
          EXPECT_TRUE(text.endsWith(u':') || text.endsWith(u'：')) << where;
        }
        EXPECT_EQ(english.contains(QStringLiteral("\n\r")), text.contains(QStringLiteral("\n\r"))) << where;
        // Escapes are decoded: no escape sequence and no tab is left in a text.
        EXPECT_FALSE(text.contains(QStringLiteral("\\n")) || text.contains(QStringLiteral("\\r")) ||
                     text.contains(u'\t'))
            << where;
      }
    }
  }
  // Rows 90 and 91 put a file name between double-quote marks.
  for (int language = 0; language < kLanguageCount; ++language) {
    EXPECT_TRUE(Text(WordsMain, 90, language).endsWith(u'"')) << language;
    EXPECT_TRUE(Text(WordsMain, 91, language).startsWith(u'"')) << language;
  }
}

TEST_F(Words, LineBreaksAreTheTwoControlCharacters) {
  struct Case {
    int row;
    int language;
    const char* text;
  };
  const Case cases[] = {
      {76, kRussian, "Ваше имя и/или пароль успешно изменены!\n\rНовое имя: "},
      {91, kGerman, "\" hat ungültige Attribute!\n\rDas Programm wird nicht korrekt arbeiten!"},
      {291, kJapanese, "注意！\n\rフォントが正しく表示されない場合にのみ、これらの設定を変更してください！"},
  };
  for (const Case& c : cases) {
    const QString text = Text(WordsMain, c.row, c.language);
    EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.row;
    EXPECT_EQ(text.count(u'\n'), 1) << c.row;
    EXPECT_EQ(text.count(u'\r'), 1) << c.row;
  }
}

TEST_F(Words, RowsThatAreNotThereGiveAnEmptyText) {
  struct Case {
    WordTable table;
    int row;
  };
  const Case cases[] = {
      {WordsMain, -1},  {WordsMain, 1},   {WordsMain, 364},   {WordsMain, 405},      {WordsMain, 1 << 30},
      {WordsGames, -5}, {WordsGames, 4},  {WordsGames, 644},  {WordsGames, 653},     {WordsGames, 100000},
  };
  for (const Case& c : cases) {
    for (int language : {kEnglish, kRussian, kKorean}) {
      SetLanguage(language);
      EXPECT_TRUE(Text(c.table, c.row).isEmpty()) << c.row;
      EXPECT_TRUE(Text(c.table, c.row).isEmpty()) << c.row;  // asked again: still empty, warned once
    }
  }
}

TEST_F(Words, SetLanguageTakesTheTenIndicesAndFallsBackToEnglish) {
  struct Case {
    int index;
    int language;
    const char* graphic;
    const char* voice;
    const char* flag;
    const char* new_player;  // WordsMain row 0 in that language
  };
  const Case cases[] = {
      {0, 0, "Eng", "Eng", "FlagOEng", "New Player"},   {1, 1, "Rus", "Rus", "FlagORus", "Новый игрок"},
      {2, 2, "Deu", "Deu", "FlagODeu", "Neuer Spieler"}, {3, 3, "Fra", "Fra", "FlagOFra", "Nouveau joueur"},
      {4, 4, "Spa", "Spa", "FlagOSpa", "Nuevo jugador"}, {5, 5, "Chi", "Chi", "FlagOChi", "新玩家"},
      {6, 6, "Ita", "Ita", "FlagOIta", "Nuovo giocatore"}, {7, 7, "Cze", "Cze", "FlagOCze", "Nový hráč"},
      {8, 8, "Eng", "Jap", "FlagOJap", "新しいプレイヤー"}, {9, 9, "Eng", "Kor", "FlagOKor", "새 플레이어"},
      {-1, 0, "Eng", "Eng", "FlagOEng", "New Player"},  {10, 0, "Eng", "Eng", "FlagOEng", "New Player"},
      {20, 0, "Eng", "Eng", "FlagOEng", "New Player"},  {255, 0, "Eng", "Eng", "FlagOEng", "New Player"},
  };
  for (const Case& c : cases) {
    SetLanguage(kCzech);  // something else first, so that a fall-back is seen
    SetLanguage(c.index);
    EXPECT_EQ(LanguageIndex(), c.language) << c.index;
    EXPECT_EQ(GraphicCode(), QLatin1String(c.graphic)) << c.index;
    EXPECT_EQ(VoiceCode(), QLatin1String(c.voice)) << c.index;
    EXPECT_EQ(FlagName(), QLatin1String(c.flag)) << c.index;
    EXPECT_EQ(Text(WordsMain, 0), QString::fromUtf8(c.new_player)) << c.index;
  }
}

TEST_F(Words, TheLanguageListAndItsFlags) {
  const QStringList items{QStringLiteral("English"), QStringLiteral("Русский"),  QStringLiteral("Deutsche"),
                          QStringLiteral("Français"), QStringLiteral("Español"), QStringLiteral("中文"),
                          QStringLiteral("Italiano"), QStringLiteral("Čeština"), QStringLiteral("日本"),
                          QStringLiteral("한국인")};
  EXPECT_EQ(LanguageItems(), items);
  const char* flags[] = {"FlagOEng", "FlagORus", "FlagODeu", "FlagOFra", "FlagOSpa",
                         "FlagOChi", "FlagOIta", "FlagOCze", "FlagOJap", "FlagOKor"};
  for (int i = 0; i < kLanguageCount; ++i) {
    EXPECT_EQ(LanguageItem(i), items[i]) << i;
    EXPECT_EQ(FlagName(i), QLatin1String(flags[i])) << i;
  }
  EXPECT_TRUE(LanguageItem(10).isEmpty());
  EXPECT_TRUE(FlagName(-1).isEmpty());
}

TEST_F(Words, AnUnknownLanguageColumnReadsEnglish) {
  for (int language : {-1, 10, 99}) {
    EXPECT_EQ(Text(WordsGames, 26, language), QStringLiteral("I play on ")) << language;
  }
  EXPECT_EQ(Text(WordsGames, 26, kFrench), QStringLiteral("Je joue pour "));
}

}  // namespace
}  // namespace varnok::i18n

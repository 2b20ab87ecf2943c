// The two word tables and the current language. Every text the player reads
// is a row of `WordsMain` (general texts: menus, options, records, accounts,
// network, files, errors) or of `WordsGames` (card-game vocabulary,
// statistics and tournament texts), shown in the column of `LanguageIndex`.
//
// The tables are built into the program as resources and read once, on first
// use. Everything here runs on the main window's thread.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "word_table_file.h"

namespace varnok::i18n {

// `WordsGuide` holds the texts that guide a newcomer: the table's status
// line, the name rules, the score sheet, going on without "Ok" and the kept
// game. Its rows are named in guide_rows.h.
enum class WordTable { WordsMain, WordsGames, WordsGuide };
inline constexpr WordTable WordsMain = WordTable::WordsMain;
inline constexpr WordTable WordsGames = WordTable::WordsGames;
inline constexpr WordTable WordsGuide = WordTable::WordsGuide;

inline constexpr int kWordsMainRows = 405;
inline constexpr int kWordsGamesRows = 653;
inline constexpr int kWordsGuideRows = 78;

// The program's title, the same in every language; also the main window's caption.
inline constexpr char kProgramTitle[] = "Varnok";

// Language indices, in column order.
enum Language : int {
  kEnglish = 0,
  kRussian = 1,
  kGerman = 2,
  kFrench = 3,
  kSpanish = 4,
  kChinese = 5,
  kItalian = 6,
  kCzech = 7,
  kJapanese = 8,
  kKorean = 9,
};

int RowCount(WordTable table);

// The entry of `row` in the current language. A row outside the table, or
// one that the tables do not carry, gives an empty text and a warning in the
// log (once per row). An empty entry is shown empty, without falling back to
// another language.
QString Text(WordTable table, int row);
// The same in a given language (0..9; anything else is English).
QString Text(WordTable table, int row, int language);

// The rows the tables carry, in rising order.
std::vector<int> ListedRows(WordTable table);

// Messages about malformed lines of the built-in tables (empty when they are
// sound); each was logged when the tables were read.
QStringList TableProblems();

// The current language, 0..9; 0 (English) until SetLanguage is called.
int LanguageIndex();
// Picks a language by its item index in the options list; an index outside
// 0..9 picks English. Also puts the fonts of the language's script first
// among the font substitutes (InstallFontSubstitutions).
void SetLanguage(int index);

// The code that picture names carry for the current language ("Eng", "Rus",
// ...); Japanese and Korean show the English pictures.
QString GraphicCode();
// The code of the spoken card names for the current language ("Eng", ... "Jap", "Kor").
QString VoiceCode();
// The item of the language list in the options window ("English", "Русский", ...).
QString LanguageItem(int index);
QStringList LanguageItems();
// The flag picture of a language ("FlagOEng", ... "FlagOJap", "FlagOKor").
QString FlagName(int index);
// The same for the current language.
QString FlagName();

}  // namespace varnok::i18n

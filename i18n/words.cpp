#include "words.h"

#include <QFile>
#include <QtGlobal>
#include <array>
#include <set>
#include <utility>

#include "fonts.h"

namespace varnok::i18n {
namespace {

struct LanguageInfo {
  const char* item;  // UTF-8
  const char* graphic;
  const char* voice;
  const char* flag;
};

constexpr std::array<LanguageInfo, kLanguageCount> kLanguages = {{
    {"English", "Eng", "Eng", "FlagOEng"},
    {"Русский", "Rus", "Rus", "FlagORus"},
    {"Deutsche", "Deu", "Deu", "FlagODeu"},
    {"Français", "Fra", "Fra", "FlagOFra"},
    {"Español", "Spa", "Spa", "FlagOSpa"},
    {"中文", "Chi", "Chi", "FlagOChi"},
    {"Italiano", "Ita", "Ita", "FlagOIta"},
    {"Čeština", "Cze", "Cze", "FlagOCze"},
    {"日本", "Eng", "Jap", "FlagOJap"},
    {"한국인", "Eng", "Kor", "FlagOKor"},
}};

int g_language = kEnglish;

bool IsLanguage(int index) { return index >= 0 && index < kLanguageCount; }

const LanguageInfo& Info(int index) { return kLanguages[static_cast<std::size_t>(IsLanguage(index) ? index : 0)]; }

const char* FileName(WordTable table) {
  switch (table) {
    case WordsMain: return "words_main.tsv";
    case WordsGames: return "words_games.tsv";
    default: return "words_guide.tsv";
  }
}

WordTableData Load(WordTable table) {
  const QString path = QStringLiteral(":/i18n/") + QLatin1String(FileName(table));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    WordTableData empty;
    empty.rows.resize(static_cast<std::size_t>(RowCount(table)));
    empty.problems.append(QStringLiteral("%1: cannot be read").arg(path));
    qWarning("Word table %s cannot be read", qUtf8Printable(path));
    return empty;
  }
  WordTableData data = ParseWordTable(file.readAll(), RowCount(table));
  for (QString& problem : data.problems) {
    problem.prepend(path + QStringLiteral(": "));
    qWarning("Word table %s", qUtf8Printable(problem));
  }
  return data;
}

struct Tables {
  WordTableData main = Load(WordsMain);
  WordTableData games = Load(WordsGames);
  WordTableData guide = Load(WordsGuide);
};

const WordTableData& Data(WordTable table) {
  static const Tables tables;
  switch (table) {
    case WordsMain: return tables.main;
    case WordsGames: return tables.games;
    default: return tables.guide;
  }
}

void WarnOnce(WordTable table, int row) {
  static std::set<std::pair<int, int>> warned;
  if (warned.emplace(static_cast<int>(table), row).second) {
    qWarning("Word table %s has no row %d", FileName(table), row);
  }
}

}  // namespace

int RowCount(WordTable table) {
  switch (table) {
    case WordsMain: return kWordsMainRows;
    case WordsGames: return kWordsGamesRows;
    default: return kWordsGuideRows;
  }
}

QString Text(WordTable table, int row) { return Text(table, row, g_language); }

QString Text(WordTable table, int row, int language) {
  const WordTableData& data = Data(table);
  if (row < 0 || row >= static_cast<int>(data.rows.size()) || !data.rows[static_cast<std::size_t>(row)]) {
    WarnOnce(table, row);
    return {};
  }
  return (*data.rows[static_cast<std::size_t>(row)])[static_cast<std::size_t>(IsLanguage(language) ? language : 0)];
}

std::vector<int> ListedRows(WordTable table) {
  const WordTableData& data = Data(table);
  std::vector<int> rows;
  for (std::size_t row = 0; row < data.rows.size(); ++row) {
    if (data.rows[row]) rows.push_back(static_cast<int>(row));
  }
  return rows;
}

QStringList TableProblems() {
  return Data(WordsMain).problems + Data(WordsGames).problems + Data(WordsGuide).problems;
}

int LanguageIndex() { return g_language; }

void SetLanguage(int index) {
  g_language = IsLanguage(index) ? index : kEnglish;
  InstallFontSubstitutions(g_language);
}

QString GraphicCode() { return QLatin1String(Info(g_language).graphic); }

QString VoiceCode() { return QLatin1String(Info(g_language).voice); }

QString LanguageItem(int index) { return IsLanguage(index) ? QString::fromUtf8(Info(index).item) : QString(); }

QStringList LanguageItems() {
  QStringList items;
  for (int i = 0; i < kLanguageCount; ++i) items.append(LanguageItem(i));
  return items;
}

QString FlagName(int index) { return IsLanguage(index) ? QLatin1String(Info(index).flag) : QString(); }

QString FlagName() { return FlagName(g_language); }

}  // namespace varnok::i18n

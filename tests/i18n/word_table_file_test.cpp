#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

#include "word_table_file.h"

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace varnok::i18n {
namespace {

// One file line: the row field, then ten texts (already escaped as in a file).
QByteArray Line(const QString& row, const QStringList& texts) {
  return (QStringList{row} + texts).join(u'\t').toUtf8();
}

QStringList Ten(const QString& english) {
  QStringList texts{english};
  for (int i = 1; i < kLanguageCount; ++i) texts.append(QStringLiteral("t%1").arg(i));
  return texts;
}

TEST(WordTableEscapes, DecodeToTheCharactersTheyName) {
  struct Case {
    const char* field;
    const char* text;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"I play on ", "I play on "},
      {"a\\nb", "a\nb"},
      {"Excuse!\\n\\rNext line", "Excuse!\n\rNext line"},
      {"\\t", "\t"},
      {"\\\\", "\\"},
      {"\\\\n", "\\n"},  // an escaped backslash, then a plain n
      {"end\\r", "end\r"},
      {"Can`t find ", "Can`t find "},
  };
  for (const Case& c : cases) {
    const std::optional<QString> text = UnescapeField(QString::fromUtf8(c.field));
    ASSERT_TRUE(text.has_value()) << c.field;
    EXPECT_EQ(*text, QString::fromUtf8(c.text)) << c.field;
  }
}

TEST(WordTableEscapes, RefuseUnknownAndUnfinishedEscapes) {
  for (const char* field : {"\\", "text\\", "\\x", "a\\Nb", "\\ ", "\\\"", "\\\\\\"}) {
    EXPECT_FALSE(UnescapeField(QString::fromUtf8(field)).has_value()) << field;
  }
}

TEST(WordTableEscapes, EscapingIsUndoneByUnescaping) {
  const char* texts[] = {"", "plain", "two\nlines", "\n\r", "tab\there", "back\\slash", "\\n", "Новый игрок\n\r新玩家",
                         " trailing  "};
  for (const char* t : texts) {
    const QString text = QString::fromUtf8(t);
    const QString field = EscapeField(text);
    EXPECT_FALSE(field.contains(u'\n') || field.contains(u'\r') || field.contains(u'\t')) << t;
    const std::optional<QString> back = UnescapeField(field);
    ASSERT_TRUE(back.has_value()) << t;
    EXPECT_EQ(*back, text) << t;
  }
}

TEST(WordTableFile, ReadsRowsAndLeavesTheOthersAbsent) {
  const QByteArray file = Line("0", Ten("New Player")) + "\n" +
                          Line("7", Ten(QStringLiteral(" The members of club    Games    Score "))) + "\n" +
                          Line("4", Ten(QStringLiteral("Result: \\n\\rNew name: "))) + "\n";
  const WordTableData data = ParseWordTable(file, 10);
  EXPECT_TRUE(data.problems.isEmpty()) << data.problems.join(u'\n').toStdString();
  ASSERT_EQ(data.rows.size(), 10u);
  for (int row = 0; row < 10; ++row) {
    EXPECT_EQ(data.rows[static_cast<std::size_t>(row)].has_value(), row == 0 || row == 4 || row == 7) << row;
  }
  EXPECT_EQ((*data.rows[0])[0], QStringLiteral("New Player"));
  EXPECT_EQ((*data.rows[0])[9], QStringLiteral("t9"));
  EXPECT_EQ((*data.rows[7])[0], QStringLiteral(" The members of club    Games    Score "));
  EXPECT_EQ((*data.rows[4])[0], QStringLiteral("Result: \n\rNew name: "));
}

TEST(WordTableFile, KeepsEmptyTextsAndUnicode) {
  QStringList texts = Ten(QStringLiteral("Player"));
  texts[1] = QStringLiteral("Игрок");
  texts[5] = QStringLiteral("玩家");
  texts[9] = QString();  // the last field empty: the line ends with a tab
  const WordTableData data = ParseWordTable(Line("404", texts), 405);
  ASSERT_TRUE(data.problems.isEmpty()) << data.problems.join(u'\n').toStdString();
  ASSERT_TRUE(data.rows[404].has_value());
  EXPECT_EQ((*data.rows[404])[1], QStringLiteral("Игрок"));
  EXPECT_EQ((*data.rows[404])[5], QStringLiteral("玩家"));
  EXPECT_TRUE((*data.rows[404])[9].isEmpty());
}

TEST(WordTableFile, ToleratesCarriageReturnLineEnds) {
  const QByteArray file = Line("1", Ten("Result")) + "\r\n" + Line("2", Ten("Rating")) + "\r\n";
  const WordTableData data = ParseWordTable(file, 3);
  EXPECT_TRUE(data.problems.isEmpty());
  ASSERT_TRUE(data.rows[1] && data.rows[2]);
  EXPECT_EQ((*data.rows[1])[9], QStringLiteral("t9"));  // no carriage return left on the last text
  EXPECT_EQ((*data.rows[2])[0], QStringLiteral("Rating"));
}

TEST(WordTableFile, RefusesMalformedLinesAndKeepsTheRest) {
  struct Case {
    QByteArray line;
    const char* why;
  };
  QStringList nine = Ten("x");
  nine.removeLast();
  const Case cases[] = {
      {Line("1", nine), "fields instead of"},
      {Line("1", Ten("x") + QStringList{"extra"}), "fields instead of"},
      {Line("x1", Ten("x")), "bad row number"},
      {Line("-1", Ten("x")), "bad row number"},
      {Line(" 1", Ten("x")), "bad row number"},
      {Line("", Ten("x")), "bad row number"},
      {Line("5", Ten("x")), "bad row number"},  // a table of five rows ends at 4
      {Line("99999999999", Ten("x")), "bad row number"},
      {Line("1", Ten("bad\\q")), "bad escape in column 1"},
      {QByteArray("1\t\xff\xfe") + Line("", Ten("x").mid(1)), "not UTF-8"},
      {QByteArray(), "fields instead of"},  // an empty line that is not the last
  };
  for (const Case& c : cases) {
    const QByteArray file = Line("0", Ten("first")) + "\n" + c.line + "\n" + Line("4", Ten("last")) + "\n";
    const WordTableData data = ParseWordTable(file, 5);
    ASSERT_EQ(data.problems.size(), 1) << c.line.toStdString();
    EXPECT_TRUE(data.problems[0].startsWith(QStringLiteral("line 2: "))) << data.problems[0].toStdString();
    EXPECT_TRUE(data.problems[0].contains(QLatin1String(c.why))) << data.problems[0].toStdString();
    EXPECT_TRUE(data.rows[0] && data.rows[4]) << c.line.toStdString();
    EXPECT_FALSE(data.rows[1] || data.rows[2] || data.rows[3]) << c.line.toStdString();
  }
}

TEST(WordTableFile, ARowGivenTwiceKeepsItsFirstLine) {
  const QByteArray file = Line("3", Ten("first")) + "\n" + Line("3", Ten("second")) + "\n";
  const WordTableData data = ParseWordTable(file, 5);
  ASSERT_EQ(data.problems.size(), 1);
  EXPECT_EQ(data.problems[0], QStringLiteral("line 2: row 3 given twice"));
  ASSERT_TRUE(data.rows[3]);
  EXPECT_EQ((*data.rows[3])[0], QStringLiteral("first"));
}

TEST(WordTableFile, AnEmptyFileGivesNoRows) {
  const WordTableData data = ParseWordTable(QByteArray(), 4);
  EXPECT_TRUE(data.problems.isEmpty());
  ASSERT_EQ(data.rows.size(), 4u);
  for (const auto& row : data.rows) EXPECT_FALSE(row.has_value());
}

}  // namespace
}  // namespace varnok::i18n

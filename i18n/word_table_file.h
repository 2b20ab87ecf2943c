// The word-table data files. A file is UTF-8 text with one table row per
// line: the row number, then the ten texts of the row in column order
// (English, Russian, German, French, Spanish, Chinese, Italian, Czech,
// Japanese, Korean), separated by tabs. A text writes a line feed as \n, a
// carriage return as \r, a tab as \t and a backslash as \\. Rows that no line
// gives are absent; a line whose text is empty gives an empty text.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

namespace varnok::i18n {

inline constexpr int kLanguageCount = 10;

using RowTexts = std::array<QString, kLanguageCount>;

struct WordTableData {
  // Indexed by row number; an absent row holds std::nullopt.
  std::vector<std::optional<RowTexts>> rows;
  // One message per refused line ("line 12: ..."); a refused line gives no row.
  QStringList problems;
};

// The text of one field with its escapes resolved; nullopt for an unknown
// escape or a backslash at the end of the field.
std::optional<QString> UnescapeField(QStringView field);

// The field as a file writes it: the inverse of UnescapeField.
QString EscapeField(QStringView text);

// Reads a whole file for a table of `row_count` rows. A line is refused when
// it does not have eleven fields, when its row number is not a decimal number
// below row_count, when the row came already, when a field has a bad escape,
// or when the line is not valid UTF-8. A trailing carriage return of a line
// is ignored, and so is an empty last line.
WordTableData ParseWordTable(const QByteArray& utf8, int row_count);

}  // namespace varnok::i18n

#include "word_table_file.h"

#include <QStringDecoder>

namespace varnok::i18n {

std::optional<QString> UnescapeField(QStringView field) {
  QString out;
  out.reserve(field.size());
  for (qsizetype i = 0; i < field.size(); ++i) {
    const QChar c = field[i];
    if (c != u'\\') {
      out.append(c);
      continue;
    }
    if (++i == field.size()) return std::nullopt;
    switch (field[i].unicode()) {
      case u'n': out.append(u'\n'); break;
      case u'r': out.append(u'\r'); break;
      case u't': out.append(u'\t'); break;
      case u'\\': out.append(u'\\'); break;
      default: return std::nullopt;
    }
  }
  return out;
}

QString EscapeField(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'\n': out.append(QLatin1String("\\n")); break;
      case u'\r': out.append(QLatin1String("\\r")); break;
      case u'\t': out.append(QLatin1String("\\t")); break;
      case u'\\': out.append(QLatin1String("\\\\")); break;
      default: out.append(c);
    }
  }
  return out;
}

namespace {

// The row number of a line: plain decimal digits, below row_count.
std::optional<int> RowNumber(QStringView field, int row_count) {
  if (field.isEmpty() || field.size() > 9) return std::nullopt;
  int n = 0;
  for (const QChar c : field) {
    if (c < u'0' || c > u'9') return std::nullopt;
    n = n * 10 + (c.unicode() - u'0');
  }
  if (n >= row_count) return std::nullopt;
  return n;
}

}  // namespace

WordTableData ParseWordTable(const QByteArray& utf8, int row_count) {
  WordTableData data;
  data.rows.resize(static_cast<std::size_t>(row_count > 0 ? row_count : 0));
  QList<QByteArray> lines = utf8.split('\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();

  int line_no = 0;
  for (QByteArray& bytes : lines) {
    ++line_no;
    const auto refuse = [&](const QString& why) {
      data.problems.append(QStringLiteral("line %1: %2").arg(line_no).arg(why));
    };
    if (bytes.endsWith('\r')) bytes.chop(1);
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString line = decode(bytes);
    if (decode.hasError()) {
      refuse(QStringLiteral("not UTF-8"));
      continue;
    }
    const QList<QStringView> fields = QStringView(line).split(u'\t');
    if (fields.size() != kLanguageCount + 1) {
      refuse(QStringLiteral("%1 fields instead of %2").arg(fields.size()).arg(kLanguageCount + 1));
      continue;
    }
    const std::optional<int> row = RowNumber(fields[0], row_count);
    if (!row) {
      refuse(QStringLiteral("bad row number \"%1\"").arg(fields[0]));
      continue;
    }
    auto& slot = data.rows[static_cast<std::size_t>(*row)];
    if (slot) {
      refuse(QStringLiteral("row %1 given twice").arg(*row));
      continue;
    }
    RowTexts texts;
    bool good = true;
    for (int column = 0; column < kLanguageCount && good; ++column) {
      std::optional<QString> text = UnescapeField(fields[column + 1]);
      if (!text) {
        refuse(QStringLiteral("bad escape in column %1").arg(column + 1));
        good = false;
      } else {
        texts[static_cast<std::size_t>(column)] = std::move(*text);
      }
    }
    if (good) slot = std::move(texts);
  }
  return data;
}

}  // namespace varnok::i18n

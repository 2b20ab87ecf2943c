#include "club_list.h"

#include <QFontMetrics>
#include <QLoggingCategory>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "club_file.h"
#include "cp1251.h"
#include "fonts.h"
#include "layout.h"
#include "words.h"

Q_LOGGING_CATEGORY(lcClubList, "varnok.menu.clublist")

namespace varnok {

namespace {

// Characters `from` (counted from 1) to `to` of a line, padded with blanks
// when the line is shorter.
QString Field(const QString& line, int from, int to) {
  const int length = to - from + 1;
  return line.mid(from - 1, length).leftJustified(length, QLatin1Char(' '));
}

std::optional<int> FieldNumber(const QString& field) {
  bool ok = false;
  const int value = field.trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return value;
}

}  // namespace

QString ClubHeaderText(int view, int language) {
  return i18n::Text(i18n::WordsMain, view == 2 ? 8 : 7, language);
}

bool ClubSlotEmpty(const QString& memberLine) {
  return memberLine.size() < 30 || memberLine.at(29) == QLatin1Char('#');
}

QString ClubRatingText(const QString& memberLine) {
  if (ClubSlotEmpty(memberLine)) return QString(6, QLatin1Char('#'));
  const std::optional<double> rating = ParseRating(Field(memberLine, 21, 30).toStdString());
  if (!rating) qCWarning(lcClubList) << "a member's rating holds no number:" << Field(memberLine, 21, 30);
  const int hundredths = RoundHalfEven(rating.value_or(0.0) * 100.0);
  const int whole = std::abs(hundredths);
  const QString text = QStringLiteral("%1%2,%3")
                           .arg(hundredths < 0 ? QStringLiteral("-") : QString())
                           .arg(whole / 100)
                           .arg(whole % 100, 2, 10, QLatin1Char('0'));
  return text.rightJustified(6, QLatin1Char(' '));
}

QString ClubCycleGamesText(const QString& memberLine) {
  const std::optional<int> games = ClubSlotEmpty(memberLine) ? std::nullopt : FieldNumber(Field(memberLine, 31, 37));
  if (!games || *games < 0) return QStringLiteral("###");
  return QString::number(*games % 25).rightJustified(3, QLatin1Char(' '));
}

QString ClubRowText(int view, const QString& memberLine) {
  const QString name = Field(memberLine, 1, 20);
  if (view == 2) {
    return name + QStringLiteral("  ") + Field(memberLine, 31, 37) + QStringLiteral("  ") + ClubRatingText(memberLine);
  }
  return name + QStringLiteral("    ") + ClubCycleGamesText(memberLine) + QStringLiteral("    ") +
         Field(memberLine, 39, 44);
}

TextMeasure ClubListMeasure() {
  const QFontMetrics metrics(i18n::KindFont(i18n::FontKind::Fixed, 11));
  return [metrics](const QString& text) { return metrics.horizontalAdvance(text); };
}

QString FitClubRow(const QString& row, const TextMeasure& width) {
  QString fitted = row;
  int position = std::min(kClubRowCutFrom, static_cast<int>(fitted.size()));
  bool lostText = false;
  while (position > kClubRowCutStop && width(fitted) >= kClubRowWidthLimit) {
    const QChar removed = fitted.at(position - 1);
    if (removed != QLatin1Char(' ') && removed != QLatin1Char('#')) lostText = true;
    fitted.remove(position - 1, 1);
    --position;
  }
  // `position` is now the last character before the cut.
  if (lostText) fitted.replace(position - 3, 3, QStringLiteral("..."));
  return fitted;
}

ClubList ReadClubList(int view, const QString& path, int language, const TextMeasure& width) {
  ClubList list;
  list.header = ClubHeaderText(view, language);
  const std::optional<ClubLines> lines = LoadClubFile(path.toStdString());
  list.readable = lines.has_value();
  if (!lines) qCWarning(lcClubList) << "the club file cannot be read; the list shows empty slots:" << path;
  for (std::size_t i = 0; i < list.rows.size(); ++i) {
    const QString line = lines ? QString::fromStdString(Cp1251ToUtf8((*lines)[i])) : QString::fromStdString(EmptyMemberLine());
    list.empty[i] = ClubSlotEmpty(line);
    list.rows[i] = FitClubRow(ClubRowText(view, line), width);
  }
  return list;
}

}  // namespace varnok

#include "online_panel.h"

#include <cmath>

#include "countries.h"
#include "words.h"

namespace varnok::online {

namespace {

QString Games(int row, int language) { return i18n::Text(i18n::WordsGames, row, language); }
QString Main(int row, int language) { return i18n::Text(i18n::WordsMain, row, language); }
QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

std::pair<QString, QChar> CountWithSuffix(std::int64_t count) {
  if (count <= 999) return {QString::number(count), QChar()};
  if (count <= 999999) return {QString::number(count / 1000), QLatin1Char('K')};
  if (count <= 999999999) return {QString::number(count / 1000000), QLatin1Char('M')};
  return {QString::number(count / 1000000000), QLatin1Char('G')};
}

int DynamicIq(std::int64_t wins, std::int64_t losses) {
  const std::int64_t sum = wins + losses;
  if (sum <= 0) return 0;
  return static_cast<int>(std::nearbyint(100.0 * static_cast<double>(losses) / static_cast<double>(sum)));
}

void FetchOnlineItem(OnlineClient& client, int item, int language, QObject* context,
                     std::function<void(OnlineItem)> done) {
  if (item < 1 || item > 7) item = 1;
  OnlineItem start;
  start.Item = item;
  switch (item) {
    case 1:
    case 2:
      client.Run(ReadStats{kGameCode}, context, [item, language, start, done = std::move(done)](StatsResult stats) {
        OnlineItem shown = start;
        shown.Hint = Games(item == 1 ? 626 : 627, language);
        if (!stats.Ok) {
          shown.Hint += QStringLiteral(": NO CONNECT");
        } else if (item == 1) {
          shown.Value = QString::number(DynamicIq(stats.Stat.StatX[2], stats.Stat.StatX[3]));
          shown.Read = true;
        } else {
          const auto [value, suffix] = CountWithSuffix(stats.Stat.StatX[0]);
          shown.Value = value;
          shown.Suffix = suffix;
          shown.Read = true;
        }
        done(shown);
      });
      return;
    case 3:
    case 4:
    case 5: {
      const int table = item == 3 ? kGameCode : item == 4 ? kPhoneTable : kAccountTable;
      client.Run(ReadTable{table}, context, [item, language, start, done = std::move(done)](TableResult rows) {
        OnlineItem shown = start;
        shown.Hint = Games(item == 3 ? 628 : item == 4 ? 629 : 630, language);
        const TZubRecord& best = rows.Rows[0];
        if (!rows.Ok) {
          shown.Hint += QStringLiteral("NO CONNECT");
        } else if (best.Nick == "#" || best.Nick.empty()) {
          shown.Hint += Games(631, language);
          shown.Read = true;
        } else {
          shown.Hint += Utf8(best.Nick);
          shown.Value = QString::number(best.Score);
          shown.Read = true;
          if (item == 3 && CountryOfCode(best.Country) != nullptr)
            shown.FlagPicture = QStringLiteral("Flag%1_%2").arg(QChar::fromLatin1(best.Country[0]),
                                                                 QString::fromStdString(best.Country.substr(2)));
        }
        done(shown);
      });
      return;
    }
    default:
      client.Run(ReadMembers{}, context, [language, start, done = std::move(done)](NumberResult members) {
        OnlineItem shown = start;
        shown.Item = 7;
        shown.Hint = Main(209, language);
        if (members.Ok) {
          shown.Value = QString::number(members.Value);
          shown.Read = true;
        } else {
          shown.Hint += QStringLiteral(" NO CONNECT");
        }
        done(shown);
      });
      return;
  }
}

}  // namespace varnok::online

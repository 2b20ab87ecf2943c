#include "station_list.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <utility>

namespace varnok::server {

namespace {

const std::pair<const char*, const char*> kCountries[] = {
    {"RUS", "Russian Federation"}, {"UA0", "Ukraine"},     {"BEL", "Belarus"},        {"MOL", "Moldova"},
    {"EST", "Estonia"},            {"LAT", "Latvia"},      {"LIT", "Lithuania"},      {"ARM", "Armenia"},
    {"GEO", "Georgia"},            {"AZE", "Azerbaijan"},  {"KZ0", "Kazakhstan"},     {"UZ0", "Uzbekistan"},
    {"USA", "USA"},                {"CAN", "Canada"},      {"UK0", "United Kingdom"}, {"AUS", "Australia"},
    {"DE0", "Deutschland"},        {"FRA", "France"},      {"ITA", "Italy"},          {"NED", "Netherlands"},
    {"SWE", "Sweden"},             {"CZ0", "Czech Republic"}, {"ESP", "Spain"},       {"BRA", "Brazil"},
    {"IND", "India"},              {"CHI", "China"},       {"JAP", "Japan"},          {"SK0", "South Korea"},
};

constexpr const char* kClubKey = "CLUB001";

}  // namespace

QString CountryName(const QString& key) {
  for (const auto& [k, name] : kCountries) {
    if (key == QLatin1String(k)) return QString::fromLatin1(name);
  }
  return {};
}

QByteArray ClubStationLine(const QString& public_base, const QString& country_key) {
  const QString base = public_base.endsWith('/') ? public_base : public_base + '/';
  return (country_key + '#' + kClubKey + "#Varnok Club Radio#" + CountryName(country_key) + '#' + base +
          "radio/club#RRADIO_LOGO_CLUB")
      .toUtf8();
}

QByteArray StationList(const QByteArray& shipped, const QString& public_base, const QString& country_key) {
  QByteArray text = shipped;
  if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
  text.replace("\r", "");
  QByteArray out = ClubStationLine(public_base, country_key) + '\n';
  const QList<QByteArray> lines = text.split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QByteArray& line = lines[i];
    if (i == lines.size() - 1 && line.isEmpty()) break;  // the end of the last line
    if (!line.startsWith('#') && line.mid(4, 7) == kClubKey) continue;
    out += line + '\n';
  }
  return out;
}

bool WriteStationList(const QString& data_folder, const QString& public_base, const QString& country_key,
                      QString* error) {
  const QDir data(data_folder);
  QFile own(data.filePath("ZubRadio.rad"));
  QFile built_in(":/radio/ZubRadio.rad");
  QFile& source = own.exists() ? own : built_in;
  if (!source.open(QIODevice::ReadOnly)) {
    *error = "cannot read the station list " + source.fileName();
    return false;
  }
  QSaveFile target(data.filePath("download/ZubRadio.ser"));
  if (!target.open(QIODevice::WriteOnly) ||
      target.write(StationList(source.readAll(), public_base, country_key)) < 0 || !target.commit()) {
    *error = "cannot write " + target.fileName() + ": " + target.errorString();
    return false;
  }
  return true;
}

}  // namespace varnok::server

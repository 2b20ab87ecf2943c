#include "station_list.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <unistd.h>

#include <cstdio>
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
  const QByteArray list = StationList(source.readAll(), public_base, country_key);
  // Written whole into a file beside it, read back, synced and only then put
  // in its place: a full disk leaves the list the program has as it was.
  const QString path = data.filePath("download/ZubRadio.ser");
  const QString temporary = path + ".new";
  QFile target(temporary);
  const auto fail = [&](const QString& what) {
    *error = "cannot write " + path + " (" + what + ": " + target.errorString() + "); " +
             (QFile::exists(path) ? "the previous list stays" : "the radio has no station list to offer");
    target.close();
    QFile::remove(temporary);
    return false;
  };
  if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return fail("open");
  if (target.write(list) != list.size()) return fail("write");
  if (!target.flush()) return fail("flush");
  if (::fsync(target.handle()) != 0) return fail("sync");
  target.close();
  if (target.error() != QFileDevice::NoError) return fail("close");
  QFile check(temporary);
  if (!check.open(QIODevice::ReadOnly) || check.readAll() != list) return fail("read back");
  check.close();
  if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
    return fail("rename");
  }
  return true;
}

}  // namespace varnok::server

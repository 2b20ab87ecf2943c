#include "media_rules.h"

#include <QRandomGenerator>
#include <QUrl>
#include <algorithm>

namespace varnok::media {

namespace {

// Blanks are written "_" in the playlist.
QString Unfold(QString text) { return text.replace(QLatin1Char('_'), QLatin1Char(' ')).trimmed(); }

}  // namespace

std::vector<Song> ParsePlaylist(const QString& text, const QString& folder_address) {
  std::vector<Song> songs;
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (QString line : lines) {
    line = line.trimmed();  // a "\r\n" line end or stray blanks
    const qsizetype tilde = line.indexOf(QLatin1Char('~'));
    if (tilde <= 0) continue;
    Song song;
    // The server decodes %XX in paths: every character outside the
    // unreserved set is sent encoded, so a "#" or "?" in a name stays a name.
    song.Address = folder_address + QString::fromLatin1(QUrl::toPercentEncoding(line, "~"));
    song.Performer = Unfold(line.left(tilde));
    QString title = line.mid(tilde + 1);
    const qsizetype mp3 = title.indexOf(QLatin1String(".mp3"), 0, Qt::CaseInsensitive);
    if (mp3 >= 0) title.truncate(mp3);
    song.Title = Unfold(title);
    songs.push_back(std::move(song));
  }
  return songs;
}

bool PlayerAvailable(std::size_t songs) { return songs >= static_cast<std::size_t>(kMinPlaylistSongs); }

int VolumeAfterClick(int volume, int x) {
  volume = std::clamp(volume, 0, 100);
  if (x > 34) return std::min(volume + 5, 100);
  if (x >= 1 && x <= 25) return std::max(volume - 5, 0);
  return volume;
}

int NextSong(int count, const RandomSource& random) {
  if (count <= 0) return 0;
  const int drawn = random ? random(count) : 1;
  // A source that strays out of range is held to it.
  return std::clamp(drawn, 1, count);
}

RandomSource SystemRandom() {
  return [](int count) { return 1 + static_cast<int>(QRandomGenerator::global()->bounded(count)); };
}

QString SongHint(const Song& song) { return song.Performer + QStringLiteral("  :  ") + song.Title; }

const std::array<Country, kCountryCount>& Countries() {
  static const std::array<Country, kCountryCount> list{{
      {"Russian Federation", "RUS", "Flag1_001"}, {"Ukraine", "UA0", "Flag1_046"},
      {"Belarus", "BEL", "Flag1_005"},            {"Moldova", "MOL", "Flag1_032"},
      {"Estonia", "EST", "Flag1_012"},            {"Latvia", "LAT", "Flag1_026"},
      {"Lithuania", "LIT", "Flag1_028"},          {"Armenia", "ARM", "Flag2_002"},
      {"Georgia", "GEO", "Flag2_013"},            {"Azerbaijan", "AZE", "Flag2_003"},
      {"Kazakhstan", "KZ0", "Flag2_022"},         {"Uzbekistan", "UZ0", "Flag2_049"},
      {"USA", "USA", "Flag3_034"},                {"Canada", "CAN", "Flag3_009"},
      {"United Kingdom", "UK0", "Flag1_048"},     {"Australia", "AUS", "Flag5_002"},
      {"Deutschland", "DE0", "Flag1_016"},        {"France", "FRA", "Flag1_015"},
      {"Italy", "ITA", "Flag1_024"},              {"Netherlands", "NED", "Flag1_034"},
      {"Sweden", "SWE", "Flag1_044"},             {"Czech Republic", "CZ0", "Flag1_010"},
      {"Spain", "ESP", "Flag1_043"},              {"Brazil", "BRA", "Flag4_003"},
      {"India", "IND", "Flag2_015"},              {"China", "CHI", "Flag2_010"},
      {"Japan", "JAP", "Flag2_020"},              {"South Korea", "SK0", "Flag2_040"},
  }};
  return list;
}

int CountryIndexOfKey(const QString& key) {
  const auto& list = Countries();
  for (int i = 0; i < kCountryCount; ++i)
    if (key == QLatin1String(list[static_cast<std::size_t>(i)].Key)) return i;
  return -1;
}

std::vector<Station> ParseStationList(const QString& text) {
  std::vector<Station> stations;
  for (QString line : text.split(QLatin1Char('\n'))) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.startsWith(QLatin1Char('#')) || line.size() < 11) continue;
    Station station;
    station.CountryKey = line.left(3);
    station.Key = line.mid(4, 7);
    const QStringList fields = line.split(QLatin1Char('#'));
    const auto field = [&fields](int i) { return i < fields.size() ? fields[i].trimmed() : QString(); };
    station.Name = field(2);
    station.Country = field(3);
    station.Address = field(4);
    station.Logo = field(5);
    stations.push_back(std::move(station));
  }
  return stations;
}

std::vector<Station> StationsOfCountry(const std::vector<Station>& all, int country_index) {
  std::vector<Station> out;
  if (country_index < 0 || country_index >= kCountryCount) return out;
  const QLatin1String key(Countries()[static_cast<std::size_t>(country_index)].Key);
  for (const Station& s : all)
    if (s.CountryKey == key) out.push_back(s);
  return out;
}

std::optional<Station> FindStation(const std::vector<Station>& all, const QString& key) {
  for (const Station& s : all)
    if (s.Key == key) return s;
  return std::nullopt;
}

RadioState RadioState::Defaults() {
  RadioState s;
  s.Station = QStringLiteral("Авторадио Moscow");
  s.Address = QStringLiteral("http://ic7.101.ru:8000/v3_1");
  s.Country = QStringLiteral("Russian Federation");
  s.Logo = QStringLiteral("RRADIO_LOGO_AVTORADIO");
  s.On = false;
  s.Volume = 30;
  s.CountryIndex = 0;
  return s;
}

RadioState ReadRadioStateLines(const QStringList& lines) {
  RadioState s = RadioState::Defaults();
  const auto line = [&lines](int i) -> std::optional<QString> {
    if (i >= lines.size()) return std::nullopt;
    QString text = lines[i];
    if (text.endsWith(QLatin1Char('\r'))) text.chop(1);
    return text;
  };
  if (auto v = line(0)) s.Station = *v;
  if (auto v = line(1)) s.Address = *v;
  if (auto v = line(2)) s.Country = *v;
  if (auto v = line(3)) s.Logo = *v;
  if (auto v = line(4)) s.On = v->trimmed() == QLatin1String("1");
  if (auto v = line(5)) {
    bool ok = false;
    const int volume = v->trimmed().toInt(&ok);
    if (ok && volume >= 0 && volume <= 100) s.Volume = (volume + 5) / 10 * 10;
  }
  if (auto v = line(6)) {
    bool ok = false;
    const int index = v->trimmed().toInt(&ok);
    if (ok && index >= 0 && index < kCountryCount) s.CountryIndex = index;
  }
  return s;
}

QStringList RadioStateLines(const RadioState& state) {
  const bool incomplete =
      state.Station.isEmpty() || state.Address.isEmpty() || state.Country.isEmpty() || state.Logo.isEmpty();
  const RadioState& s = incomplete ? RadioState::Defaults() : state;
  // A line end inside a value would shift every later line.
  const auto one_line = [](QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  };
  return {one_line(s.Station),
          one_line(s.Address),
          one_line(s.Country),
          one_line(s.Logo),
          s.On ? QStringLiteral("1") : QStringLiteral("0"),
          QString::number(std::clamp(s.Volume, 0, 100)),
          QString::number(std::clamp(s.CountryIndex, 0, kCountryCount - 1))};
}

QString VolumePictureName(int volume) {
  volume = std::clamp(volume, 0, 100);
  const int step = (volume + 9) / 10;  // 0 -> 0, 1..10 -> 1, ..., 91..100 -> 10
  return QStringLiteral("RRADIO_VOLUME%1").arg(step, 2, 10, QLatin1Char('0'));
}

int RadioVolumeStep(int volume, bool up) { return std::clamp(volume + (up ? 10 : -10), 0, 100); }

QString RadioHint(const QString& caption, const QString& station) { return caption + QStringLiteral(": ") + station; }

}  // namespace varnok::media

// The plain rules of the music player and the internet radio: the playlist
// document, the volume steps, the choice of the next song, the station list,
// the radio's state lines and the names of the volume pictures. No player,
// no window and no file here, so that every rule can be checked on its own.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace varnok::media {

// --- music player -----------------------------------------------------------

struct Song {
  QString Address;    // the music folder's address + the playlist line
  QString Performer;  // before "~", "_" as blanks
  QString Title;      // after "~" up to ".mp3", "_" as blanks
};

// The songs of a playlist document: one line per song, "Performer~Title.mp3".
// Blank lines and lines without "~" are skipped; the address is the folder
// address followed by the line, percent-encoded where a URL needs it.
std::vector<Song> ParsePlaylist(const QString& text, const QString& folder_address);

// The player is offered only with more than four songs.
inline constexpr int kMinPlaylistSongs = 5;
bool PlayerAvailable(std::size_t songs);

// The volume after a click on the volume button at x (0..60): right of
// x = 34 it rises by 5 up to 100, at x = 1 to 25 it falls by 5 down to 0;
// x = 0 and the middle change nothing.
int VolumeAfterClick(int volume, int x);

// A random number from 1 to `count` inclusive (the injectable random source).
using RandomSource = std::function<int(int count)>;
// The next song, 1-based: any of them, the same one included. 0 when there is none.
int NextSong(int count, const RandomSource& random);
// The program's random source (Qt's global generator).
RandomSource SystemRandom();

// The balloon of the play button: performer, "  :  ", title.
QString SongHint(const Song& song);

// --- internet radio ---------------------------------------------------------

struct Country {
  const char* Name;
  const char* Key;
  const char* FlagPicture;  // the country picker's flag (16 x 11)
};
inline constexpr int kCountryCount = 28;
const std::array<Country, kCountryCount>& Countries();
// The index of a country key in the list, or -1.
int CountryIndexOfKey(const QString& key);

struct Station {
  QString CountryKey;  // characters 1-3
  QString Key;         // characters 5-11
  QString Name;        // field 2
  QString Country;     // field 3
  QString Address;     // field 4 (empty when the line has none)
  QString Logo;        // field 5 (empty when the line has none)
};

// Every station line of a list document; comment lines ("#" first), blank
// lines and lines too short for a country and a station key are skipped.
std::vector<Station> ParseStationList(const QString& text);
// The stations of one country, in list order.
std::vector<Station> StationsOfCountry(const std::vector<Station>& all, int country_index);
// The station with the key, if any.
std::optional<Station> FindStation(const std::vector<Station>& all, const QString& key);

// The radio's state, kept between runs as seven lines.
struct RadioState {
  QString Station;
  QString Address;
  QString Country;
  QString Logo;
  bool On = false;
  int Volume = 30;       // 0..100 in steps of 10
  int CountryIndex = 0;  // into Countries()

  static RadioState Defaults();
  bool operator==(const RadioState&) const = default;
};

// The state read from the lines of the state file over the defaults: a
// missing line keeps its default; a volume or country index that is no
// number or out of range keeps its default too (a volume between the steps
// goes to the nearest step).
RadioState ReadRadioStateLines(const QStringList& lines);
// The seven lines written at close; when any of lines 1 to 4 is empty the
// defaults are written instead.
QStringList RadioStateLines(const RadioState& state);

// The volume picture: "RRADIO_VOLUME" + "00" for 0, "01" for 1 to 10, ...,
// "10" for 91 to 100.
QString VolumePictureName(int volume);
// The radio volume after "+" (up) or "-": by 10 within 0 and 100.
int RadioVolumeStep(int volume, bool up);

// The hint of the main window's radio badge: "Zub Internet-Radio: <station>".
QString RadioHint(const QString& caption, const QString& station);

}  // namespace varnok::media

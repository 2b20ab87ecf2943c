// The internet radio: whether it is available, its state kept between runs
// in "ZubRadio.ini", the station list, and the stream of the chosen station.
// The owner decides where the files are (RadioFiles) and fetches the
// server's station list before calling Init.
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "audio_stream.h"
#include "media_rules.h"

namespace varnok::media {

inline constexpr const char* kRadioLibrary = "ZubRadio02.dll";
inline constexpr const char* kRadioDiskList = "ZubRadio.rad";
inline constexpr const char* kRadioServerList = "ZubRadio.ser";
inline constexpr const char* kRadioStateFile = "ZubRadio.ini";

struct RadioFiles {
  QString ProgramFolder;
  QString StateFolder;  // where "ZubRadio.ini" and "ZubRadio.ser" live (the parent folder)
  bool FromServer = true;
  bool ServerListFetched = false;  // "ZubRadio.ser" was fetched in this run
};

// The station list file to read: with the server's list the fetched
// "ZubRadio.ser" in the state folder, else "ZubRadio.rad" from the program's
// folder or its parent. Empty when there is none.
QString StationListPath(const RadioFiles& files);
// "ZubRadio02.dll" is in the program's folder or its parent.
bool RadioLibraryFound(const QString& program_folder);

// The state file's lines over the defaults (a missing or unreadable file keeps them).
RadioState ReadRadioStateFile(const QString& path);
// Writes the seven lines through a temporary file renamed into place; false
// (and the old file kept) when that fails.
bool WriteRadioStateFile(const QString& path, const RadioState& state);

class Radio : public QObject {
  Q_OBJECT

 public:
  explicit Radio(QObject* parent = nullptr);

  // Decides availability and, when available, reads the state file; when
  // not, the radio is off. A playing stream stops when the radio becomes
  // unavailable.
  void Init(const RadioFiles& files);
  bool Available() const { return available_; }
  const RadioState& State() const { return state_; }
  const RadioFiles& Files() const { return files_; }
  QString StatePath() const;
  QString ListPath() const { return list_path_; }
  // A station is chosen (the stored one counts).
  bool StationChosen() const { return !state_.Station.isEmpty(); }
  bool On() const { return state_.On; }
  AudioStream& Stream() { return stream_; }

  // The whole list as read now; nothing when the file cannot be read.
  std::optional<std::vector<Station>> ReadStations() const;

  // Switches on (opens and plays the station at the stored volume) or off.
  // False when the radio is unavailable (the caller shows the notice).
  bool Toggle();
  // Plays the stored station when the radio is on (leaving the title screen).
  void StartIfOn();
  // Stops the stream without switching the radio off (the program closes,
  // or the music player takes over).
  void Silence();
  // Takes a station of the list: stops the stream and, when on, plays the new one.
  void ChooseStation(const Station& station);
  void SetCountryIndex(int index);
  // "+" or "-".
  void StepVolume(bool up);
  // Writes the state file; false when it could not be written.
  bool Save() const;

 Q_SIGNALS:
  void Changed();
  // A stream starts: whatever else plays must stop.
  void Starting();

 private:
  void PlayStored();

  AudioStream stream_;
  RadioFiles files_;
  QString list_path_;
  RadioState state_ = RadioState::Defaults();
  bool available_ = false;
};

}  // namespace varnok::media

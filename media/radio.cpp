#include "radio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <string>

#include "cp1251.h"

namespace varnok::media {

namespace {

constexpr qint64 kMaxListBytes = 1 << 20;

QString InProgramOrParent(const QString& program_folder, const QString& name) {
  const QDir folder(program_folder);
  const QString here = folder.filePath(name);
  if (QFileInfo(here).isFile()) return here;
  const QString parent = QDir(folder.absoluteFilePath(QStringLiteral(".."))).filePath(name);
  if (QFileInfo(parent).isFile()) return QDir::cleanPath(parent);
  return {};
}

}  // namespace

QString StationListPath(const RadioFiles& files) {
  if (files.FromServer) {
    if (!files.ServerListFetched) return {};
    const QString path = QDir(files.StateFolder).filePath(QString::fromLatin1(kRadioServerList));
    return QFileInfo(path).isFile() ? path : QString();
  }
  return InProgramOrParent(files.ProgramFolder, QString::fromLatin1(kRadioDiskList));
}

bool RadioLibraryFound(const QString& program_folder) {
  return !InProgramOrParent(program_folder, QString::fromLatin1(kRadioLibrary)).isEmpty();
}

RadioState ReadRadioStateFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return RadioState::Defaults();
  const QByteArray data = file.read(64 * 1024);
  // Code page 1251 like the club's other files; a file of earlier builds in
  // UTF-8 is still read as such (real code page 1251 text is no valid UTF-8).
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(data);
  if (utf8.hasError()) {
    const std::string converted = Cp1251ToUtf8(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
    text = QString::fromUtf8(converted.data(), static_cast<qsizetype>(converted.size()));
  }
  text.remove(QLatin1Char('\r'));
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();  // the last line end
  return ReadRadioStateLines(lines);
}

bool WriteRadioStateFile(const QString& path, const RadioState& state) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // Code page 1251 with CR LF, as the club's other programs read it; a
  // character the code page lacks is written as "?".
  const std::string lines = RadioStateLines(state).join(QStringLiteral("\r\n")).append(QStringLiteral("\r\n")).toStdString();
  const std::string bytes = Utf8ToCp1251Lossy(lines);
  const QByteArray text(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (file.write(text) != text.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

Radio::Radio(QObject* parent) : QObject(parent), stream_(this) {}

QString Radio::StatePath() const {
  return QDir(files_.StateFolder).filePath(QString::fromLatin1(kRadioStateFile));
}

void Radio::Init(const RadioFiles& files) {
  files_ = files;
  list_path_ = StationListPath(files);
  available_ = RadioLibraryFound(files.ProgramFolder) && !list_path_.isEmpty();
  const bool was_playing = stream_.Playing();
  if (available_) {
    state_ = ReadRadioStateFile(StatePath());
    stream_.SetVolume(state_.Volume);
    if (was_playing && !state_.On) stream_.Close();
  } else {
    state_.On = false;
    stream_.Close();
  }
  Q_EMIT Changed();
}

std::optional<std::vector<Station>> Radio::ReadStations() const {
  if (list_path_.isEmpty()) return std::nullopt;
  QFile file(list_path_);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return ParseStationList(QString::fromUtf8(file.read(kMaxListBytes)));
}

void Radio::PlayStored() {
  Q_EMIT Starting();
  stream_.Open(state_.Address);
  stream_.SetVolume(state_.Volume);
  stream_.Play();
}

bool Radio::Toggle() {
  if (!available_) return false;
  state_.On = !state_.On;
  if (state_.On) {
    PlayStored();
  } else {
    stream_.Close();  // a station is endless: its connection goes too
  }
  Q_EMIT Changed();
  return true;
}

void Radio::StartIfOn() {
  if (available_ && state_.On && !stream_.Playing()) PlayStored();
}

void Radio::Silence() { stream_.Close(); }

void Radio::ChooseStation(const Station& station) {
  state_.Station = station.Name;
  state_.Country = station.Country;
  state_.Address = station.Address;
  state_.Logo = station.Logo;
  stream_.Close();
  if (available_ && state_.On) PlayStored();
  Q_EMIT Changed();
}

void Radio::SetCountryIndex(int index) {
  if (index < 0 || index >= kCountryCount) return;
  state_.CountryIndex = index;
}

void Radio::StepVolume(bool up) {
  state_.Volume = RadioVolumeStep(state_.Volume, up);
  stream_.SetVolume(state_.Volume);
  Q_EMIT Changed();
}

bool Radio::Save() const { return WriteRadioStateFile(StatePath(), state_); }

}  // namespace varnok::media

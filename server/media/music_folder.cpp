#include "music_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace varnok::server {

namespace {

constexpr const char* kPlaylistName = "_playlist.html";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

QStringList Mp3Files(const QString& folder) {
  QStringList names = QDir(folder).entryList(QDir::Files | QDir::Readable, QDir::Name);
  names.removeIf([](const QString& n) { return !n.endsWith(".mp3"); });
  return names;
}

}  // namespace

bool MusicFolder::IsSongName(const QString& name) {
  if (name.size() < 7 || name.size() > 200 || !name.endsWith(".mp3") || name.startsWith('.')) return false;
  if (name.count('~') != 1 || name.startsWith('~') || name.endsWith("~.mp3")) return false;
  for (const QChar c : name) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == ' ' || c == '/' || c == '\\') return false;
  }
  return true;
}

QStringList MusicFolder::Songs() const {
  QStringList songs = Mp3Files(folder_);
  songs.removeIf([](const QString& n) { return !IsSongName(n); });
  return songs;
}

QStringList MusicFolder::Misnamed() const {
  QStringList names = Mp3Files(folder_);
  names.removeIf([](const QString& n) { return IsSongName(n); });
  return names;
}

QByteArray MusicFolder::Playlist() const {
  QFile own(QDir(folder_).filePath(kPlaylistName));
  if (own.open(QIODevice::ReadOnly)) return own.readAll();
  QByteArray text;
  for (const QString& song : Songs()) text += song.toUtf8() + '\n';
  return text;
}

MusicFolder::Lookup MusicFolder::Resolve(const QByteArray& encoded_name) const {
  // %XX decoded by hand: a "%" without two hex digits, an encoded "/" or "\",
  // a NUL or any other control character refuses the request as malformed.
  QByteArray name;
  for (qsizetype i = 0; i < encoded_name.size(); ++i) {
    char c = encoded_name[i];
    if (c == '%') {
      if (i + 2 >= encoded_name.size()) return {400, {}};
      const int high = HexValue(encoded_name[i + 1]);
      const int low = HexValue(encoded_name[i + 2]);
      if (high < 0 || low < 0) return {400, {}};
      c = static_cast<char>(high * 16 + low);
      if (c == '/' || c == '\\') return {400, {}};
      i += 2;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return {400, {}};
    name += c;
  }
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(name);
  if (utf8.hasError()) return {400, {}};
  // No folder part, no hidden file, no way up: only a song or the playlist.
  if (text.isEmpty() || text.contains('/') || text.contains('\\') || text.startsWith('.')) return {404, {}};
  if (text != kPlaylistName && !IsSongName(text)) return {404, {}};
  const QFileInfo info(QDir(folder_).filePath(text));
  if (!info.isFile() || !info.isReadable()) return {404, {}};
  return {200, info.filePath()};
}

}  // namespace varnok::server

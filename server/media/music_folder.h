// The club's music folder DATA/music/: its songs, the playlist document the
// program reads, and the files a request may name. A song is a file
// "Performer_Name~Song_Title.mp3": one "~", blanks written "_", no folder
// part, no control characters.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace varnok::server {

class MusicFolder {
 public:
  explicit MusicFolder(QString folder) : folder_(std::move(folder)) {}

  const QString& path() const { return folder_; }

  static bool IsSongName(const QString& name);
  // The songs' file names in name order.
  QStringList Songs() const;
  // The files ending in ".mp3" whose names do not have the song form (left
  // out of the playlist and the radio).
  QStringList Misnamed() const;

  // The administrator's own "_playlist.html" when he put one there,
  // otherwise one line per song, each ended by "\n".
  QByteArray Playlist() const;

  // The file a request names by the part of its path after "music/", still
  // percent-encoded: the file's full path, or the refusal's status (400 for
  // a malformed or encoded-slash name, 404 for anything that is no song of
  // the folder).
  struct Lookup {
    int status = 200;
    QString file;
  };
  Lookup Resolve(const QByteArray& encoded_name) const;

 private:
  QString folder_;
};

}  // namespace varnok::server

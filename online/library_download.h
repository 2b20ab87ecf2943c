// Fetching a file of the club server's download location (a resource
// library, the radio's station list) into a folder of the player's machine.
//
// The server publishes each file's SHA-256 beside it (file + ".sha256", in
// sha256sum's form). The file is streamed into a temporary file beside the
// target and renamed into place only when it arrived whole, its digest is the
// published one and, for a library (".dll"), it opens as a resource bundle. A
// failed, cut or forged download leaves no file behind and the folder as it
// was. Everything runs on the event loop.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "online_client.h"

namespace varnok::online {

struct DownloadResult {
  bool Ok = false;
  QString Why;  // for the log when it failed
};

// The largest file taken.
inline constexpr qint64 kMaxDownloadBytes = 256ll << 20;

// Fetches `file` from the download location into `folder`. `progress` gets
// the percentage as the file arrives (may be empty); `done` the result.
void FetchDownload(OnlineClient& client, const QString& file, const QString& folder, QObject* context,
                   std::function<void(int percent)> progress, std::function<void(DownloadResult)> done);

// The digest of a ".sha256" text: the first 64 hexadecimal digits, or
// nothing when it holds none.
QByteArray PublishedDigest(const QByteArray& text);

}  // namespace varnok::online

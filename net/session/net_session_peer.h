// What the session keeps of one connection, and the small helpers its files
// share. Private to the session.
#pragma once

#include <QHostAddress>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <string>

#include "cp1251.h"
#include "net_error.h"
#include "net_session.h"
#include "receive_buffer.h"

namespace varnok::netsession {

inline QString Cp1251Text(const std::string& bytes) { return QString::fromStdString(Cp1251ToUtf8(bytes)); }

inline std::string Cp1251Bytes(const QString& text) { return Utf8ToCp1251Lossy(text.toStdString()); }

inline QString Why(net::NetError error) {
  const std::string_view text = net::ErrorText(error);
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

struct NetSession::Peer {
  QTcpSocket* socket = nullptr;
  net::ReceiveBuffer buffer{net::Link::Local};
  QTimer quiet;
  QTimer join;  // server: a connection that has not joined in time is closed
  QTimer more;  // what arrived beyond one turn's share is read on the next turn
  int connection = -1;  // server: 0 or 1 once joined
  bool alive = true;
  int queued = 0;   // its records waiting in the inbox
  int ignored = 0;  // records ignored while it held no seat
  int refused = 0;  // records that broke the rules
  // For the log: where the peer writes from.
  QString Address() const {
    return socket ? QString("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort()) : QString("a peer");
  }
};

}  // namespace varnok::netsession

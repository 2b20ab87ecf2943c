// The radio station list the server offers the program at
// download/ZubRadio.ser: the shipped list "ZubRadio.rad" (built into the
// server, or the administrator's DATA/ZubRadio.rad) with the club station,
// at this server's public address, as its first line.
#pragma once

#include <QByteArray>
#include <QString>

namespace varnok::server {

// The English country name of a key of the program's country list
// ("RUS" -> "Russian Federation"); empty for an unknown key.
QString CountryName(const QString& key);

// "KEY#CLUB001#Varnok Club Radio#COUNTRY#BASEradio/club#RRADIO_LOGO_CLUB".
QByteArray ClubStationLine(const QString& public_base, const QString& country_key);

// The club line, then the shipped list without its own club line (station
// key "CLUB001"), "\r" and a byte-order mark dropped, every line ended by "\n".
QByteArray StationList(const QByteArray& shipped, const QString& public_base, const QString& country_key);

// Writes DATA/download/ZubRadio.ser from DATA/ZubRadio.rad or the built-in
// list through a temporary file that replaces it only once written whole
// (never half written, never emptied). False with the reason on failure;
// the previous list, if any, is then left as it was.
bool WriteStationList(const QString& data_folder, const QString& public_base, const QString& country_key,
                      QString* error);

}  // namespace varnok::server

// Small pictures the club's windows share: the lamps of the field checks and
// of the account state, a country's flag, and the default faces shown where
// no photo could be read.
#pragma once

#include <QImage>
#include <QPixmap>
#include <string_view>

namespace varnok::online {

// "LampR24", "LampY24" or "LampG24" for lamp 1, 2 or 3 (any other value is red).
QPixmap LampPicture(int lamp);
// The 16 x 11 flag of a country code ("1-001"); an empty picture for a bad code.
QPixmap FlagPicture(std::string_view code);
// A drawn face for a player without a photo: 'M' a man, otherwise a woman.
QImage DefaultFace(char sex, QSize size);

}  // namespace varnok::online

// The rotating online panel of the menu screen: item k (1 to 7) is one
// number with a hint, fetched from the club's server when its minute comes.
//   1 the players' "dynamic IQ": 100 x losses / (wins + losses) of people
//     against the computer, in percent
//   2 games played against the computer (999, then 1K, 1M, 1G)
//   3 the best Windows player (table 9) with his flag
//   4 the best phone player (table 109)
//   5 the best account player (table 309)
//   6 and 7 the club's size
// Each item starts with "00", which stays when its read fails.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "online_client.h"

namespace varnok::online {

struct OnlineItem {
  int Item = 1;
  QString Value = QStringLiteral("00");
  QChar Suffix;          // "K", "M" or "G" for item 2
  QString Hint;
  QString FlagPicture;   // item 3: "Flag1_001"
  bool Read = false;
};

// The value of item 2: the count as it is up to 999, else cut to thousands,
// millions or milliards with its letter.
std::pair<QString, QChar> CountWithSuffix(std::int64_t count);

// The value of item 1: round(100 x losses / (wins + losses)), halves to the
// even neighbour; 0 when nobody played.
int DynamicIq(std::int64_t wins, std::int64_t losses);

// Fetches item `item` (6 shows as 7); `done` gets it.
void FetchOnlineItem(OnlineClient& client, int item, int language, QObject* context,
                     std::function<void(OnlineItem)> done);

}  // namespace varnok::online

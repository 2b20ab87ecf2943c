// The way the table waited before it ran on the event loop: sleeping on the
// main thread between the steps of a flight and at its pauses. Only the
// measurements use it, to compare the table with that way.
#pragma once

#include <string_view>

#include "card_pictures.h"
#include "flight_window.h"

namespace varnok {

// Sleeps `ms` milliseconds to within a small fraction of a millisecond.
void PreciseSleep(int ms);

// One card's flight taken to its end inside the call, sleeping between its steps.
void FlyCardSleeping(FlightWindow& window, CardPictures& pictures, int x0, int y0, int x1, int y1, bool eraseAtEnd,
                     std::string_view code, int speed);

// While on, the table's flights and pauses sleep inside the call.
void SetTableSleeping(bool on);

}  // namespace varnok

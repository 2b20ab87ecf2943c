#include "sleeping_flight.h"

#include <chrono>
#include <thread>

#include "sprite.h"

namespace varnok {

void PreciseSleep(int ms) {
  if (ms <= 0) return;
  // Linux timers keep to well under a millisecond; no timer resolution needs
  // setting as it does elsewhere.
  std::this_thread::sleep_until(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
}

void FlyCardSleeping(FlightWindow& window, CardPictures& pictures, int x0, int y0, int x1, int y1, bool eraseAtEnd,
                     std::string_view code, int speed) {
  const auto flight = CardFlight(window, pictures, x0, y0, x1, y1, eraseAtEnd, code, speed);
  RunFlight(*flight, PreciseSleep);
}

void SetTableSleeping(bool on) { SetWaitForMeasurement(on ? MeasurementWait(PreciseSleep) : MeasurementWait()); }

}  // namespace varnok

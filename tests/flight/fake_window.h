// A window for flights that records what it was asked to show: every
// rectangle, whether a card was flying then, and the screen it would show
// (each rectangle copied from the flight's buffer as it is shown).
#pragma once

#include <QImage>
#include <QRect>
#include <string>
#include <string_view>
#include <vector>

#include "card_pictures.h"
#include "flight_window.h"
#include "sprite.h"

namespace varnok::testing {

// A window picture with a different colour at every pixel near each other.
inline QImage PatternPicture(QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) picture.setPixel(x, y, qRgb(x % 251, y % 241, (x + 3 * y) % 239));
  return picture;
}

class FakeWindow : public FlightWindow {
 public:
  explicit FakeWindow(QImage shown) : screen(std::move(shown)), before(screen) {}

  QSize ClientSize() const override { return screen.size(); }
  QImage GrabClient() override { return screen; }
  void BeginFlight(const QImage* flight) override {
    buffer = flight;
    ++begins;
  }
  void ShowRect(const QRect& rect) override {
    rects.push_back(rect);
    flying_at_every_show = flying_at_every_show && CardFlying() && buffer != nullptr;
    if (buffer != nullptr) {
      CopyWindowRect(*buffer, screen, rect);
      last_buffer = *buffer;
      last_buffer.detach();
    }
  }
  void EndFlight() override {
    buffer = nullptr;
    ++ends;
  }

  QImage screen;                  // what the window shows
  QImage before;                  // what it showed before the flight
  QImage last_buffer;             // the buffer at the last repaint
  const QImage* buffer = nullptr;
  std::vector<QRect> rects;
  int begins = 0;
  int ends = 0;
  bool flying_at_every_show = true;
};

// Adds up the waits of the flights below while it lives (the latest one made).
class WaitRecorder {
 public:
  WaitRecorder() : previous_(Current()) { Current() = this; }
  ~WaitRecorder() { Current() = previous_; }
  WaitRecorder(const WaitRecorder&) = delete;
  WaitRecorder& operator=(const WaitRecorder&) = delete;

  static void Record(int ms) {
    if (WaitRecorder* recorder = Current()) {
      recorder->total += ms;
      ++recorder->count;
    }
  }

  int total = 0;
  int count = 0;

 private:
  static WaitRecorder*& Current() {
    static WaitRecorder* current = nullptr;
    return current;
  }
  WaitRecorder* previous_;
};

// The flights taken to their end inside the call, each wait recorded.
inline void FlyCard(FlightWindow& window, CardPictures& pictures, int x0, int y0, int x1, int y1, bool eraseAtEnd,
                    std::string_view code, int speed) {
  RunFlight(*CardFlight(window, pictures, x0, y0, x1, y1, eraseAtEnd, code, speed), WaitRecorder::Record);
}

inline void FlyCards(FlightWindow& window, CardPictures& pictures, const std::vector<QPoint>& from,
                     const std::vector<QPoint>& to, const std::vector<std::string>& codes, int speed,
                     bool eraseAtEnd = false) {
  RunFlight(*GroupFlight(window, pictures, from, to, codes, speed, eraseAtEnd), WaitRecorder::Record);
}

inline void TurnCard(FlightWindow& window, QRect place, const QImage& back, const QImage& face, double scaleK,
                     int speed) {
  RunFlight(*TurnFlight(window, place, back, face, scaleK, speed), WaitRecorder::Record);
}

}  // namespace varnok::testing

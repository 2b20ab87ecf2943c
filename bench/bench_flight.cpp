// Card flights in the large window (1520 x 1000, large cards 146 x 198): the
// cost of one step, the sprite's move in the composition buffer plus the
// repaint of the update rectangle, here a copy of that rectangle into a
// window-sized picture as a widget's repaint would do.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>

#include "card_pictures.h"
#include "flight_window.h"
#include "sleeping_flight.h"
#include "sprite.h"

namespace {

constexpr QSize kLargeWindow(1520, 1000);
constexpr QSize kLargeCard(146, 198);

void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "varnok-bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

QImage TablePicture() {
  QImage picture(kLargeWindow, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(20 + x % 60, 90 + y % 80, 40));
  return picture;
}

// A window whose repaint copies the rectangle from the flight's buffer.
class CopyingWindow : public varnok::FlightWindow {
 public:
  CopyingWindow() : screen_(TablePicture()) {}
  QSize ClientSize() const override { return screen_.size(); }
  QImage GrabClient() override { return screen_; }
  void BeginFlight(const QImage* buffer) override { buffer_ = buffer; }
  void ShowRect(const QRect& rect) override {
    if (buffer_ != nullptr) varnok::CopyWindowRect(*buffer_, screen_, rect);
  }
  void EndFlight() override { buffer_ = nullptr; }
  const QImage& Screen() const { return screen_; }

 private:
  QImage screen_;
  const QImage* buffer_ = nullptr;
};

std::unique_ptr<varnok::CardPictures> LargePictures() {
  EnsureApplication();
  return std::make_unique<varnok::CardPictures>(0, 0, 2, kLargeCard, false, 3);
}

// One step: the sprite moves a pixel in the buffer and the window repaints
// the widened rectangle of its previous place.
void BM_FlightStepLarge(benchmark::State& state) {
  auto pictures = LargePictures();
  CopyingWindow window;
  const QImage background = window.GrabClient();
  QImage buffer = background.copy();
  window.BeginFlight(&buffer);
  const std::string code = varnok::CardFromName("Qs").Bytes();
  varnok::TSprite sprite(100, 400, 100 + kLargeCard.width(), 400 + kLargeCard.height(), pictures->ForCode(code),
                         false);
  sprite.Draw(buffer);
  int x = 100;
  int direction = 1;
  for (auto _ : state) {
    if (x >= 1300 || x <= 100) direction = -direction;
    x += direction;
    window.ShowRect(sprite.MoveTo(buffer, background, x, 400 + (x % 7 == 0 ? 1 : 0)));
    benchmark::ClobberMemory();
  }
  window.EndFlight();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FlightStepLarge)->Unit(benchmark::kMicrosecond);

// A whole flight of 1200 steps at the fastest speed without waits: the grab
// of the window and the buffers at the start included.
void BM_FlyCardLarge(benchmark::State& state) {
  auto pictures = LargePictures();
  CopyingWindow window;
  const std::string code = varnok::CardFromName("Ah").Bytes();
  for (auto _ : state) {
    varnok::FlyCardSleeping(window, *pictures, 50, 100, 1250, 700, true, code, 5);
    benchmark::DoNotOptimize(window.Screen().constBits());
  }
  state.SetItemsProcessed(state.iterations() * 1200);
}
BENCHMARK(BM_FlyCardLarge)->Unit(benchmark::kMillisecond);

}  // namespace

// The salute at the end of a won game: sparks bursting around the two
// table buttons ("Buttons") and the player's cards thrown up from the middle
// of the table and falling back ("Cards"). Both choices of the options'
// "Salute" group are offered only while the graphics library is beside the
// program; a game is won when the player's general count is above 0.
#pragma once

#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace varnok {

struct SaluteChoice {
  bool buttons = false;
  bool cards = false;
  bool Any() const { return buttons || cards; }
  bool operator==(const SaluteChoice&) const = default;
};

// Which salute a finished game gets: none unless it was won (general count
// above 0) and the graphics library is present.
SaluteChoice SaluteFor(int human_count, bool salute_buttons, bool salute_cards, bool graphics_present);

// The salute drawn over the table: a transparent child of the table's
// canvas that lets the mouse through, runs `frames` steps of 50 ms and then
// deletes itself.
class SaluteOverlay : public QWidget {
 public:
  static constexpr int kFrameMs = 50;
  static constexpr int kFrames = 60;

  SaluteOverlay(QWidget* canvas, SaluteChoice choice, std::vector<QRect> buttons, std::vector<QImage> cards,
                int frames = kFrames);
  SaluteChoice Choice() const { return choice_; }
  int Frame() const { return frame_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Step();
  void DrawSparks(QPainter& painter, QPointF centre, int age, int seed) const;

  SaluteChoice choice_;
  std::vector<QRect> buttons_;
  std::vector<QImage> cards_;
  int frames_;
  int frame_ = 0;
  QTimer timer_;
};

}  // namespace varnok

// The table's drawing surface: the background picture with the image layers
// of the table over it (hands, the centre of the table, score panels,
// bubbles, the round panel). Every layer has a picture of its own; a redraw
// paints into that picture and then refreshes the layer, which copies it into
// the window's picture and repaints just that rectangle.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "flight_window.h"
#include "layout.h"

namespace varnok {

class TableCanvas : public QWidget, public FlightWindow {
  Q_OBJECT

 public:
  explicit TableCanvas(QWidget* parent = nullptr);

  // Sets the window size and places the layers; every layer's picture is
  // made again with the background under it, and every layer is hidden.
  // The bottom hand's layer reaches `handLift` pixels higher than its card
  // row, so that a chosen card can be raised out of the hand.
  void ApplyLayout(const LayoutState& layout, int cardH, int handLift = 0);
  const LayoutState& Layout() const { return layout_; }

  // The background picture, at the window's size (scaled by the caller).
  void SetBackground(const QImage& background);
  const QImage& Background() const { return background_; }

  QRect LayerRect(Layer layer) const { return rects_[Index(layer)]; }
  // The layer's picture, made at the layer's size with the background under
  // it when first asked for.
  QImage& LayerImage(Layer layer);
  bool LayerVisible(Layer layer) const { return visible_[Index(layer)]; }

  // Draws the background under the layer into its picture.
  void RestoreLayer(Layer layer);
  // Shows a layer (its picture) or hides it (the background shows there).
  void ShowLayer(Layer layer, bool visible);
  void HideAllLayers();
  // Copies a layer's picture into the window and repaints its rectangle.
  void RefreshLayer(Layer layer);

  // A picture drawn straight onto the window over the background (the
  // title); an empty picture removes it.
  void SetOverlay(const QImage& picture, QPoint at);

  // What the window shows now (background, visible layers, overlay).
  const QImage& Screen() const { return screen_; }

  // Flights.
  QSize ClientSize() const override { return screen_.size(); }
  QImage GrabClient() override { return screen_; }
  void BeginFlight(const QImage* buffer) override;
  void ShowRect(const QRect& rect) override;
  void EndFlight() override;
  bool Flying() const { return flight_ != nullptr; }
  // How many flight steps were shown since the canvas was made.
  long FlightSteps() const { return flight_steps_; }
  // Called after every flight step is shown, with the count of steps (screenshots).
  void SetStepObserver(std::function<void(long)> observer) { step_observer_ = std::move(observer); }

 Q_SIGNALS:
  void LeftClicked(QPoint at);
  void RightClicked(QPoint at);
  void MouseMoved(QPoint at);
  void KeyPressed();
  // The first frame of the window was painted.
  void FirstPainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  static std::size_t Index(Layer layer) { return static_cast<std::size_t>(layer); }
  void ComposeScreen();
  void ComposeRect(const QRect& rect);

  LayoutState layout_;
  QImage background_;
  QImage screen_;
  QImage overlay_;
  QPoint overlay_at_;
  std::array<QRect, kLayerCount> rects_{};
  std::array<QImage, kLayerCount> images_{};
  std::array<bool, kLayerCount> visible_{};
  const QImage* flight_ = nullptr;
  long flight_steps_ = 0;
  bool painted_ = false;
  std::function<void(long)> step_observer_;
};

}  // namespace varnok

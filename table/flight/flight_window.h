// The window a card flies over. The table widget of the main window
// implements it: while a card flies the window shows a composition buffer
// (the frozen table with the card drawn into it) instead of its own layers,
// and repaints the rectangles it is told to at once.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace varnok {

class FlightWindow {
 public:
  virtual ~FlightWindow() = default;
  // The client size in pixels (WindowW x WindowH).
  virtual QSize ClientSize() const = 0;
  // A copy of what the window shows now.
  virtual QImage GrabClient() = 0;
  // From now on paint from this buffer (it lives until EndFlight).
  virtual void BeginFlight(const QImage* buffer) = 0;
  // Repaint this rectangle from the buffer now (synchronously).
  virtual void ShowRect(const QRect& rect) = 0;
  // Back to painting the window's own layers.
  virtual void EndFlight() = 0;
};

}  // namespace varnok

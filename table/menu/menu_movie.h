// An animated picture of the menu (the side animations) stepped by the
// menu's 20 ms tick instead of a timer of its own, so that a new frame is
// painted in the same pass as the side lights.
//
// The frames are laid once over the table's background under the picture:
// the picture is opaque, so nothing beneath it is painted again, and a new
// frame repaints only the rectangle where it differs from the frame before.
// Each frame stays on screen for its own delay from the GIF, as a QMovie
// would show it.
#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

namespace varnok {

class MenuMovie : public QWidget {
 public:
  MenuMovie(const QString& name, QWidget* parent);

  // Reads the frames and their delays of a GIF of the built-in resources;
  // false (and no frames) when it is missing or unreadable.
  bool Load(const QString& gifName);
  // Reads the frames from GIF data.
  bool LoadData(const QByteArray& gif);
  int FrameCount() const { return static_cast<int>(frames_.size()); }

  // Lays the frames over `background` (the picture of the whole window the
  // movie lies on; a null picture leaves the frames transparent) at the
  // widget's place, and shows frame 0.
  void Prepare(const QImage& background);

  // A running movie moves on with the ticks; a stopped one shows frame 0.
  void SetRunning(bool running);
  bool Running() const { return running_; }
  // `ms` milliseconds have passed: the frame whose delay is over gives way
  // to the next (more than one when the ticks came late).
  void Advance(int ms);
  int Frame() const { return frame_; }
  // The frame as it is painted (over the background).
  const QImage& FramePicture(int frame) const { return shown_[static_cast<std::size_t>(frame)]; }
  // Where frame `to` differs from the frame before it, in widget coordinates.
  QRect ChangeRect(int to) const { return changes_[static_cast<std::size_t>(to)]; }

  void SetClick(std::function<void()> click);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::vector<QImage> frames_;  // as read, ARGB32 premultiplied
  std::vector<int> delays_;     // milliseconds
  std::vector<QImage> shown_;   // laid over the background, at the widget's size
  std::vector<QRect> changes_;  // changes_[i]: frame i-1 -> frame i
  int frame_ = 0;
  int elapsed_ = 0;  // milliseconds the current frame has been shown
  bool running_ = false;
  std::function<void()> click_;
};

}  // namespace varnok

// Animated GIF pictures: a folder of numbered SVG frames and an "anim.txt"
// that says how they play, rendered at one size and written by the shared GIF
// writer (gif_writer.h) with one palette for all frames.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace varnok::builder {

// How an animation plays (the lines of anim.txt).
struct AnimationTiming {
  int delay_ms = 100;  // "delay MS": the display time of every frame
  int last_ms = -1;    // "last MS": the last frame's time (-1: as the others)
  int loops = 0;       // "loop forever" (0), "loop once" (-1) or "loop N" (N repeats)
};

// Reads anim.txt; false with *error on a line it does not understand.
bool ReadAnimationTiming(const QString& path, AnimationTiming& timing, QString* error);

// Renders the animation described by the anim.txt at `path`: its frames are
// the *.svg files of the same folder in name order. An invalid `size` renders
// at the drawings' own size; a valid one must match their proportions.
bool RenderAnimation(const QString& path, QSize size, QList<QImage>& frames, AnimationTiming& timing,
                     QString* error);

// Encodes frames (all of one size) as an animated GIF with one shared
// palette, timed as anim.txt says. Pixels under half opacity become the
// transparent colour; the rest are opaque.
bool EncodeGif(const QList<QImage>& frames, const AnimationTiming& timing, QByteArray& gif, QString* error);

}  // namespace varnok::builder

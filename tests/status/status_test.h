// Helpers of the status drawing tests (the application for the fonts is made
// in gui_application.cpp): a table background with a pattern that no picture
// repeats, layers placed by the layout, and pixel comparisons.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <cstdlib>
#include <functional>
#include <optional>

#include "fonts.h"
#include "layout.h"
#include "status_drawing.h"

namespace varnok::testing {

// A background of the window's size whose every pixel depends on its place.
inline QImage PatternBackground(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      image.setPixel(x, y, qRgb((x * 7 + y) % 200 + 20, (y * 5 + x * 3) % 180 + 30, (x + y * 11) % 160 + 40));
    }
  }
  return image;
}

// One layer of a table in a window mode, with its picture and the background.
struct TestLayer {
  LayoutState layout;
  QImage background;
  QImage image;
  QRect rect;

  TestLayer(int mode, Layer layer) : layout(LayoutForMode(mode)) {
    background = PatternBackground(QSize(layout.WindowW, layout.WindowH));
    rect = PlaceLayer(layout, layer, 96);
  }
  TestLayer(int mode, QRect place) : layout(LayoutForMode(mode)), rect(place) {
    background = PatternBackground(QSize(layout.WindowW, layout.WindowH));
  }
  LayerCanvas Canvas() { return {image, rect, background}; }
  // The background piece the layer covers.
  QImage Under() const { return background.copy(rect).convertToFormat(QImage::Format_ARGB32_Premultiplied); }
};

inline bool SamePixels(const QImage& a, const QImage& b, QRect area) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
    }
  }
  return true;
}

// The smallest rectangle holding every pixel where the two pictures differ;
// empty when they are equal.
inline QRect DifferenceBox(const QImage& a, const QImage& b) {
  QRect box;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// The smallest rectangle of pixels of exactly one colour inside `area`, and
// how many there are.
struct Ink {
  QRect box;
  int count = 0;
};
inline Ink InkOf(const QImage& image, QRect area, QColor colour) {
  Ink ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if ((image.pixel(x, y) & 0x00ffffffU) == (colour.rgb() & 0x00ffffffU)) {
        ink.box |= QRect(x, y, 1, 1);
        ++ink.count;
      }
    }
  }
  return ink;
}

// How many pixels inside `area` are close to `colour` (each channel within
// `tolerance`): antialiased small text has few pixels of the exact colour.
inline int NearInk(const QImage& image, QRect area, QColor colour, int tolerance) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance &&
          std::abs(c.blue() - colour.blue()) <= tolerance) {
        ++count;
      }
    }
  }
  return count;
}

class StatusTest : public ::testing::Test {
 protected:
  void TearDown() override { i18n::SetFontSettings(i18n::DefaultFontSettings()); }
};

}  // namespace varnok::testing

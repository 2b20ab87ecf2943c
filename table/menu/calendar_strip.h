// The calendar strip of the menu screen: a band along the top of the window
// with today's date on the left and, on the right, in turn the day's sign of
// the zodiac and each of its holidays, in the chosen language. With the
// calendar library beside the program the sign and the holidays have their
// pictures; without it the strip is plain text.
//
// The strip does not keep time itself: the main window's ten-second calendar
// tick (the one the chat and news checks ride on) calls Turn.
#pragma once

#include <QDate>
#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "layout.h"

namespace varnok {

// Where the strip lies: across the top of the menu, from the left side
// picture's design place to the right one's, clear of the account lamp.
QRect CalendarStripRect(const LayoutState& s);

class CalendarStrip : public QWidget {
 public:
  explicit CalendarStrip(QWidget* parent);

  // The date comes from `today` (tests give their own); by default the clock.
  void SetClock(std::function<QDate()> today);
  // Language 0..9 and the window's scale; reads the date, the items and the
  // pictures again and shows the first item.
  void Prepare(int language, const LayoutState& layout);
  // The calendar tick: a new day starts over; otherwise the next item.
  void Turn();

  QDate Date() const { return date_; }
  QString DateText() const { return date_text_; }
  // The item on show: the sign of the zodiac, or a holiday.
  QString ItemText() const;
  QString ItemPicture() const;
  int ItemCount() const { return static_cast<int>(items_.size()); }
  int ItemIndex() const { return index_; }
  int Turns() const { return turns_; }
  // True when the pictures come from the calendar library.
  bool Illustrated() const { return illustrated_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Item {
    QString text;
    QString picture;
    QImage image;
  };
  void Read();

  std::function<QDate()> today_;
  int language_ = 0;
  double scale_ = 1.0;
  QDate date_;
  QString date_text_;
  QImage sign_image_;
  std::vector<Item> items_;
  int index_ = 0;
  int turns_ = 0;
  bool illustrated_ = false;
};

}  // namespace varnok

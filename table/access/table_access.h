// The table for a screen reader. The table is drawn by the program itself
// (one canvas with picture layers), so Qt cannot see the hands, the trick,
// the widow, the panels and the bubbles; this gives the canvas an accessible
// interface whose children are those parts, read afresh from a source each
// time a reader asks, beside the canvas's real child widgets (the table
// buttons). An "Announcements" status part carries the last step of the game
// ("Anna plays K♥") and tells the reader each time it changes.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace varnok::access {

// One part of the table: `id` names it for as long as the table shows it
// ("Hand3", "Hand3.2", "Trick", "Panel1"); `rect` is in the canvas's pixels.
struct Item {
  QString id;
  QAccessible::Role role = QAccessible::StaticText;
  QString name;
  QString value;
  QRect rect;
  std::vector<Item> children;
};
using Source = std::function<std::vector<Item>()>;

class TableAccess : public QObject {
  Q_OBJECT

 public:
  // Gives `canvas` its accessible interface; make it before anything asks
  // for the canvas's interface (right after the canvas is made).
  TableAccess(QWidget* canvas, Source source, QString announcements_name);
  ~TableAccess() override;

  // The parts as they stand now, the announcement part last.
  std::vector<Item> Items() const;
  void SetAnnouncementsName(const QString& name) { announcements_name_ = name; }
  // A step of the game to be read out.
  void Announce(const QString& text);
  QString LastAnnouncement() const { return announcement_; }
  // The last announcements, oldest first (at most 64).
  const QStringList& Announced() const { return announced_; }
  // The table was drawn anew: readers that follow it read it again.
  void TableChanged();
  QWidget* Canvas() const { return canvas_; }

 private:
  QWidget* canvas_;
  Source source_;
  QString announcements_name_;
  QString announcement_;
  QStringList announced_;
};

// The accessible interface of the part `id` of `canvas`'s table (nullptr
// when the table has no such part now or the canvas has no table access).
QAccessibleInterface* PartInterface(QWidget* canvas, const QString& id);

}  // namespace varnok::access

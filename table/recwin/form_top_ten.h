// TFormTopTen: the local top ten of cycle scores ("Top Ten"), opened from the
// menu's "Top Ten" button, and TFormEndMatch's sibling. The ten places are
// drawn on a picture 450 pixels wide: the title of the club file, the maroon
// headings, the places with their names and scores (1 to 3 red, the others
// navy), the cup and the club's emblem, all on the paper of the scroll
// between its rollers. The window grows with the table's scale and is never
// larger than the main window. Escape or "Ok" closes it.
#pragma once

#include <QDialog>
#include <QImage>
#include <filesystem>
#include <vector>

#include "dialog_look.h"
#include "settings.h"
#include "top_ten.h"

class QPushButton;

namespace varnok {

class AnimatedPicture;
struct DrawnText;

class TFormTopTen : public QDialog {
  Q_OBJECT

 public:
  TFormTopTen(const TopTenView& view, const Settings& look, QWidget* parent = nullptr);

  // Plays "WOpenFo", reads the top ten of the club file in use (a file that
  // cannot be read shows ten empty places) and shows the window modally.
  static void Open(QWidget* parent, const std::filesystem::path& clubFile, const Settings& look, SoundHook sound);

  const TopTenView& View() const { return view_; }
  QPushButton* OkButton() const { return ok_; }  // object name "Ok"
  // The picture of the places as drawn (450 wide, at the design scale).
  QImage Picture() const;
  // The texts of the picture and the paper they are written on, in the
  // picture's design pixels.
  std::vector<DrawnText> Texts() const;
  static QRect Paper();
  // The window's scale: its size over its design size.
  double Scale() const { return scale_; }

  static constexpr int kPictureHeight = 530;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Draw(QPainter& painter, const QRect& all) const;

  TopTenView view_;
  bool purple_ = false;
  double scale_ = 1.0;
  QImage scroll_;
  QPushButton* ok_ = nullptr;
};

}  // namespace varnok

// TFormProfile: the profile editor of the signed-in account: fourteen short
// texts with their limits, "Update info", and a photo (a JPEG of exactly
// 200 x 250 pixels) chosen by a click on its frame and sent with "Refresh
// photo". Calls run on the event loop; the window never waits on them.
#pragma once

#include <QByteArray>
#include <QImage>
#include <array>

#include "dialog_look.h"
#include "online_club.h"

class QFileDialog;
class QLabel;
class QLineEdit;

namespace varnok {
class TZubCardsButton;
}

namespace varnok::online {

class TFormProfile : public TBaizeDialog {
  Q_OBJECT

 public:
  TFormProfile(OnlineClub& club, QWidget* parent = nullptr);
  static void Open(QWidget* parent, OnlineClub& club);

  // Takes a picture file as the photo to send, as the file dialog does;
  // false (with the message) when it is no JPEG of 200 x 250.
  bool ChoosePhotoFile(const QString& path);
  bool Busy() const { return busy_ > 0; }
  // Opens the file dialog for the photo (without waiting); it deletes itself when closed.
  QFileDialog* OpenPhotoDialog();
  // What became of the last save of the profile or the photo ("" before any).
  QString StatusText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateInfo();
  void RefreshPhoto();
  void Say(const QString& text);

  OnlineClub& club_;
  std::array<QLineEdit*, 14> fields_{};
  QLabel* photo_ = nullptr;
  QLabel* status_ = nullptr;
  TZubCardsButton* update_ = nullptr;
  TZubCardsButton* refresh_photo_ = nullptr;
  QString photo_file_;
  int busy_ = 0;
};

}  // namespace varnok::online

// TFormAbout: the about window, with the product title, the version and the
// licence, and an "Ok" button.
#pragma once

#include "dialog_look.h"

namespace varnok {

class TZubCardsButton;

inline constexpr char kVersionText[] = "V 5.7f";
inline constexpr char kLicenceText[] = "Free software under the GNU General Public License, version 3 (GPL-3).";

class TFormAbout : public TBaizeDialog {
  Q_OBJECT

 public:
  explicit TFormAbout(QWidget* parent = nullptr);

  // Shows the window modally over `parent`.
  static void Open(QWidget* parent);

  TZubCardsButton* OkButton() const { return ok_; }  // object name "Ok"

 private:
  TZubCardsButton* ok_ = nullptr;
};

}  // namespace varnok

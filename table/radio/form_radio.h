// TFormRadio: the window "Zub Internet-Radio". The country list (with
// flags), the stations of the chosen country, the on/off switch, "-" and
// "+" with the volume picture, and the station's logo in its frame. Choosing
// a station plays it when the radio is on; "Ok" or Escape closes the window
// and the radio keeps playing.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "dialog_look.h"
#include "media_rules.h"

class QLabel;
class QListWidget;

namespace varnok {

namespace media {
class Radio;
}

class RadioPicture;

struct RadioWindowSetup {
  media::Radio* Radio = nullptr;
  int Language = 0;
  // The radio's state changed (switch, station): the main window's badge is drawn again.
  std::function<void()> BadgeChanged;
  SoundHook Sound;
};

class TFormRadio : public TBaizeDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 340;
  static constexpr int kHeight = 320;

  explicit TFormRadio(RadioWindowSetup setup, QWidget* parent = nullptr);

  // The radio window's lists: the stations of country `index`, then the
  // stored station selected (or the first one chosen and played).
  void ListStations(int index);
  // Plays the station of the selected entry.
  void PlayStation();

 private:
  void DrawSwitch();
  void DrawVolume();
  void DrawLogo();

  RadioWindowSetup setup_;
  QListWidget* countries_ = nullptr;
  QListWidget* stations_ = nullptr;
  RadioPicture* switch_ = nullptr;
  QLabel* volume_ = nullptr;
  QLabel* logo_ = nullptr;
  std::vector<QString> keys_;  // the station key of each entry of the station list
  bool filling_ = false;
};

}  // namespace varnok

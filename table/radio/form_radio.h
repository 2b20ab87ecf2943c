// TFormRadio: the window "Zub Internet-Radio". The country list (with
// flags), the stations of the chosen country, the on/off switch, "-" and
// "+" with the volume picture, and the station's logo in its frame. Choosing
// a station plays it when the radio is on; "Ok" or Escape closes the window
// and the radio keeps playing.
//
// The window takes the auxiliary window design of the options, as the other
// small windows do: the gray designs on the button-face colour with the
// header band "Radio" (concise), the cap "GCap300" with the word "RADIO"
// (aristocratic) or the ribbon "GLenta280x090" with "GFormRadioL" (red
// ribbons); the purple design on the purple picture "BGLilu" with yellow
// texts. The header makes the window taller; the purple one keeps 340 x 320.
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

class ClickPicture;
class TZubCardsButton;

// The auxiliary window designs, as the options number them.
enum class RadioDesign { GrayConcise = 1, GrayAristocratic = 2, GrayRibbons = 3, Purple = 4 };

// The options' choice of the auxiliary window design.
struct RadioLook {
  bool Purple = false;
  int GrayDesign = 2;  // 1 concise, 2 aristocratic, 3 red ribbons
  bool NewButtons = false;
};

struct RadioWindowSetup {
  media::Radio* Radio = nullptr;
  int Language = 0;
  // The radio's state changed (switch, station): the main window's badge is drawn again.
  std::function<void()> BadgeChanged;
  SoundHook Sound;
  RadioLook Look;
  // The design's pictures are missing (the purple background, or the whole
  // graphics library for the concise header): the window shows the gray
  // aristocratic design and the options are told to take it too.
  std::function<void()> FallBackToGrayAristocratic;
  // Shows a notice ("Can`t find the file ZubCGraph1.dll"); none: ShowNotice.
  std::function<void(const QString&)> Notice;
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

  // Takes another design (the options changed while the window is open).
  void SetLook(const RadioLook& look);
  RadioDesign Design() const { return design_; }
  // The height of the band above the lists in the design shown.
  int HeaderHeight() const { return header_height_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void DrawSwitch();
  void DrawVolume();
  void DrawLogo();
  void ChooseDesign();
  void ApplyDesign();
  QImage DrawBackground() const;
  // The notice of the missing graphics library, once, after the window is up.
  void TellMissingLibrary();

  RadioWindowSetup setup_;
  QListWidget* countries_ = nullptr;
  QListWidget* stations_ = nullptr;
  ClickPicture* switch_ = nullptr;
  QLabel* volume_ = nullptr;
  QLabel* logo_ = nullptr;
  QLabel* title_ = nullptr;
  std::vector<TZubCardsButton*> buttons_;  // "Ok", "-", "+"
  RadioDesign design_ = RadioDesign::GrayAristocratic;
  int header_height_ = 0;
  bool library_missing_ = false;  // the notice is due once the window is shown
  QImage background_;
  std::vector<QString> keys_;  // the station key of each entry of the station list
  bool filling_ = false;
};

}  // namespace varnok

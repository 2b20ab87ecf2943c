// The music player's three picture buttons (61 x 61) on the main window:
// play/pause ("MP_Play" while stopped, "MP_Pause" while playing), next song
// ("MP_Next") and the volume ("MP_Volume" with the volume in yellow). A
// button is drawn pressed while the mouse is down and acts when it is let go.
#pragma once

#include <QObject>
#include <QString>
#include <array>

class QWidget;

namespace varnok::media {

class MusicPlayer;
class PlayerButton;

inline constexpr int kPlayerButtonSize = 61;
inline constexpr std::array<int, 3> kPlayerButtonX{10, 75, 140};
inline constexpr int kPlayerButtonsAboveBottom = 70;
inline constexpr int kPlayerButtonGap = kPlayerButtonX[1] - kPlayerButtonX[0] - kPlayerButtonSize;
inline constexpr int kPlayerBalloonMs = 5000;

// The picture of button 1..3 for the player's state.
QString PlayerButtonPicture(int button, bool playing);
// The buttons are shown only when the player is available, the layout
// scale is at least 1.5 and the title screen is not shown.
bool PlayerButtonsShown(bool available, double scale, bool title_shown);

class MusicPlayerButtons : public QObject {
  Q_OBJECT

 public:
  MusicPlayerButtons(MusicPlayer& player, QWidget* parent);

  // Places the buttons 70 pixels above the bottom of a client area of
  // `client_height` and shows or hides them.
  void Place(int client_height, bool shown);
  // Places the buttons one above the other at `left`, the lowest ending at
  // `bottom` (the table, where the row would cover its buttons), and shows
  // or hides them.
  void PlaceColumn(int left, int bottom, bool shown);
  // Button 1..3 (object names "PlayerButton1" to "PlayerButton3").
  QWidget* Button(int n) const;
  void Redraw();

 private:
  MusicPlayer& player_;
  std::array<PlayerButton*, 3> buttons_{};
};

}  // namespace varnok::media

// The menu screen: the program's home screen between games. Its controls are
// child widgets of the main window's canvas, drawn over the table's
// background: the title and caption pictures, the club list (header and five
// member buttons), the buttons that open the other windows, the side
// animations and pictures with their lights, and in large windows the digital
// clock, the online counter panel, the radio badge and the news board.
//
// The window owns the timer and the other windows: it calls Show when the
// menu is to be seen, Tick on every 20 ms tick while it is shown, Hide when a
// game starts, and answers the signals (each button's action).
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QTime>
#include <array>
#include <functional>
#include <vector>

#include "layout.h"

class QLabel;
class QMovie;
class QWidget;

namespace varnok {

class TZubCardsButton;
class MenuPicture;
class MenuMovie;
class CalendarStrip;

// What the menu screen is built from.
struct MenuInputs {
  LayoutState layout;
  int clubView = 1;        // 1 or 2 (settings flag character 5)
  int titleColour = 1;     // colour variant of the captions, 1..7 (character 13)
  int menuDesign = 0;      // 0 customizable, 1 purple (character 17)
  bool animated = true;    // animated pictures on (character 3)
  bool networkMode = false;
  QString clubFile;        // full path of the club file in use
  int language = 0;        // 0..9
  bool calendarShown = false;
};

// The caption pictures recoloured to a colour variant 1..7: variant 1 is the
// picture as drawn, variant v turns every hue by (v - 1) x 360 / 7 degrees.
// Greys, lightness, saturation and transparency stay. A variant out of 1..7
// counts as 1.
QImage RecolourCaption(const QImage& picture, int variant);

// The caption's colour variant after a click: 1 -> 2 -> ... -> 7 -> 1.
int NextTitleColour(int variant);

// The graphic code of a language for picture names ("Eng", "Rus", ...;
// Japanese and Korean show the English pictures).
QString GraphicCodeOf(int language);

// The hint of the online counter panel's item 1..7 while the online service
// cannot be reached: the item's hint with the not-connected mark.
QString OfflineOnlineHint(int item, int language);

class MenuScreen : public QObject {
  Q_OBJECT

 public:
  // `canvas` is the main window's drawing surface (a TableCanvas, whose
  // background shows under the controls); `sound` plays a named sound.
  MenuScreen(QWidget* canvas, std::function<void(QString)> sound);
  ~MenuScreen() override;

  // Builds and shows the menu screen.
  void Show(const MenuInputs& inputs);
  // Hides every control of the menu and stops its animations.
  void Hide();
  bool Shown() const { return shown_; }

  // One animation step (the window's 20 ms timer): the side lights, the
  // side animations, and in large windows the digital clock and the online
  // panel's turn. Each step repaints only what changed in it.
  void Tick();
  static constexpr int kTickMs = 20;

  // Fills the header and the five member buttons of a view (1 or 2) from the
  // club file at `clubFile`.
  void ShowClubList(int view, const QString& clubFile);

  // The news and chat badges: each runs (or, in small windows, shows at all)
  // only while its flag is up.
  void ShowBadges(bool news, bool chat);
  // The radio badge: the radio's state picture ("GRadioB" no station,
  // "GRadioR" off, "GRadioG" on) and its hint.
  void ShowRadioBadge();
  enum class RadioBadge { NoStation, Off, On };
  void SetRadioBadge(RadioBadge state, const QString& hint);
  RadioBadge RadioBadgeState() const { return radio_state_; }
  // The calendar strip (shown while `calendarShown`): the calendar tick
  // turns it.
  void TurnCalendar();
  CalendarStrip* Calendar() const { return calendar_; }

  int TitleColour() const { return title_colour_; }
  int ClubView() const { return view_; }
  // Whether club slot 1..5 holds nobody (its button opens nothing).
  bool SlotEmpty(int slot) const;
  // While the online account is signed in (and not in network mode) the
  // fifth slot starts a rated game, empty or not; its caption and hint say so.
  void SetRatedSlot(bool rated);
  bool RatedSlot() const { return rated_slot_; }

  // An item of the online panel as the club's server gave it.
  struct OnlinePanelItem {
    int Item = 1;
    QString Value;
    QChar Suffix;
    QString Hint;
    QString FlagPicture;
  };
  // Where the panel's items come from: asked for item 1..7, answers later
  // (without one the items keep "00" and their offline hints).
  using OnlineSource = std::function<void(int item, std::function<void(const OnlinePanelItem&)>)>;
  void SetOnlineSource(OnlineSource source) { online_source_ = std::move(source); }
  // The item the panel shows, its value and hint.
  int OnlineItemShown() const { return online_item_; }
  QString OnlineValueShown() const { return online_value_; }
  // The frame 0..5 of the side lights.
  int LampFrame() const { return lamp_frame_; }

  // The clock the menu reads (the local time by default).
  void SetClock(std::function<QTime()> clock);

 Q_SIGNALS:
  void MemberClicked(int slot);
  void NewPlayerClicked();
  void TopTenClicked();
  void OptionsClicked();
  void ExitClicked();
  void HistoryClicked();
  void ViewToggled(int view);
  void TitleColourChanged(int colour);
  void RadioClicked();
  void RadioRightClicked();
  void NewsClicked();
  void ChatClicked();
  // The online counter panel: the world statistics.
  void OnlinePanelClicked();

 private:
  bool rated_slot_ = false;
  OnlineSource online_source_;
  QString online_value_ = QStringLiteral("00");
  void Build();
  TZubCardsButton* MakeButton(const QString& name);
  void PlaceControls();
  void ColourButtons();
  void DrawCaptions();
  void DrawPictures();
  void ShowClocks();
  void DrawOnlineItem(int item);
  // The side lights of the current frame; without `all` only those that changed.
  void DrawLamps(bool all);
  void StartAnimations();
  void PlaySound();
  void OnMember(int slot);
  void OnMode();
  void OnCaption();
  const QImage& Background() const;

  QWidget* canvas_;
  std::function<void(QString)> sound_;
  std::function<QTime()> clock_;
  MenuInputs in_;
  bool shown_ = false;
  int title_colour_ = 1;
  int view_ = 1;
  QString club_file_;
  std::array<bool, 5> empty_{};
  QString fifth_row_;  // the club list's fifth row, shown when the slot is no rated one
  int lamp_frame_ = 0;
  int online_item_ = 1;
  bool online_fetched_ = false;
  bool news_ = false;
  bool chat_ = false;
  QImage no_background_;
  std::vector<QWidget*> controls_;  // every control of the menu

  MenuPicture* title_ = nullptr;
  MenuPicture* caption_ = nullptr;
  MenuPicture* elite_ = nullptr;
  MenuPicture* side_left_ = nullptr;
  MenuPicture* side_right_ = nullptr;
  MenuPicture* clock1_ = nullptr;
  MenuPicture* clock2_ = nullptr;
  MenuPicture* radio_ = nullptr;
  RadioBadge radio_state_ = RadioBadge::NoStation;
  QString radio_hint_;
  MenuPicture* news_board_ = nullptr;
  CalendarStrip* calendar_ = nullptr;
  std::array<MenuPicture*, 6> lamps_{};
  std::array<QImage, 6> lamp_pictures_{};
  // Each lamp's picture dim (0) and lit (1), and which one it shows (-1: none yet).
  std::array<std::array<QImage, 2>, 6> lamp_faces_{};
  std::array<int, 6> lamp_drawn_{-1, -1, -1, -1, -1, -1};
  int clock_shown_ = -1;  // the second of the day the clock shows
  TZubCardsButton* members_header_ = nullptr;
  std::array<TZubCardsButton*, 5> members_{};
  TZubCardsButton* new_player_button_ = nullptr;
  TZubCardsButton* top_ten_button_ = nullptr;
  TZubCardsButton* options_button_ = nullptr;
  TZubCardsButton* exit_button_ = nullptr;
  TZubCardsButton* history_ = nullptr;
  TZubCardsButton* mode_ = nullptr;
  MenuMovie* gif1_ = nullptr;
  MenuMovie* gif2_ = nullptr;
  QLabel* news_badge_ = nullptr;
  QLabel* chat_badge_ = nullptr;
  QMovie* news_movie_ = nullptr;
  QMovie* chat_movie_ = nullptr;
};

}  // namespace varnok

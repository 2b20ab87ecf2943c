// Card flights: a card picture glides in a straight line, one pixel a step,
// over a frozen copy of the window, and the window is repainted only around
// the card. CardFlight moves one card, GroupFlight up to twelve together,
// TurnFlight shows a widow card turning face up. The table plays their steps
// on the event loop through a FlightPlayer; RunFlight takes them to their
// end inside one call (tests, and bench/ for its comparison). Nothing here
// sleeps.
//
// The step arithmetic (the next point of a line, the wait of a step, the
// update rectangles, the turning card's steps and bend) is kept in small
// functions of its own.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <memory>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "card_pictures.h"
#include "flight_window.h"

namespace varnok {

// ---- Step arithmetic ------------------------------------------------------

// p / q rounded to the nearest integer, halves to the even neighbour (q != 0).
long long RoundQuotientHalfEven(long long p, long long q);
// value rounded to the nearest integer, halves to the even neighbour; a value
// within 1e-9 of a half counts as the half (5 * 1.3 gives 6).
int RoundRealHalfEven(double value);

// The point after `current` on the flight from `start` to `end`. With
// dx = end.x - start.x and dy = end.y - start.y: when |dx| >= |dy| x moves one
// pixel toward end.x and y = round(start.y + dy * (x - start.x) / dx); else y
// moves one pixel toward end.y and x = round(start.x + dx * (y - start.y) / dy).
// A flight that starts at its end stays there.
QPoint NextFlightPoint(QPoint start, QPoint end, QPoint current);

// The points of every step of a flight, the last one `end`. One step for a
// flight that starts at its end; otherwise max(|dx|, |dy|) steps.
std::vector<QPoint> FlightPath(QPoint start, QPoint end);

// The flight speeds 1..6 (a speed out of range counts as the nearest one).
inline constexpr int kSlowestSpeed = 1;
inline constexpr int kFastestSpeed = 6;
inline constexpr int kDefaultSpeed = 4;
int ClampSpeed(int speed);

// The wait in milliseconds after a step, given the step counter after it was
// counted: speed 1 2 ms, speed 2 1 ms, speed 3 1 ms on every second count,
// speed 4 1 ms on every third, speeds 5 and 6 none.
int StepWaitMs(int speed, long long stepCounter);

// The waits of `steps` steps taken from a step counter of `counterBefore`.
int StepWaitsTotalMs(int speed, long long counterBefore, long long steps);

// The window rectangle repainted after a step: the sprite's previous place
// widened by 2 pixels on every side. Steps are one pixel long (two after the
// first step skipped at speed 6), so it covers the new place too.
QRect StepUpdateRect(const QRect& previous);

// The window rectangle repainted when a sprite is erased at the end of a
// flight: (left - 2, top - 2, width + 2, height + 2).
QRect EraseUpdateRect(const QRect& sprite);

// The window rectangle repainted after a step of several cards: from the
// smallest left and top of the previous and new positions to the largest
// left and top plus the card's width and height.
QRect GroupUpdateRect(const std::vector<QPoint>& previous, const std::vector<QPoint>& next, QSize card);

// The turning card: the moving edge advances round(5 * scaleK) pixels a
// step, round(6 * scaleK) when scaleK is 1.8 or more.
int TurnStep(double scaleK);
// How far the top and bottom edges bend outwards at horizontal distance d
// from the card's middle, g being half the card's width:
// round(0.3 * g * sqrt(|1 - d² / g²|)).
int TurnBend(int d, int g);
// The positions of the moving edge, measured from the card's left, of every
// drawn step of a turn: width - step, width - 2 * step, ... while above 0.
std::vector<int> TurnEdges(int width, int step);
// The wait after each drawn step of a turn: 16, 12, 9, 6, 3 and 0 ms for the
// speeds 1 to 6.
int TurnFrameWaitMs(int speed);

// ---- The sprite -----------------------------------------------------------

// The key colour of the scaled-size pictures: pixels of this colour are not drawn.
inline constexpr QRgb kSpriteKeyColour = 0xFF010203;  // RGB 1, 2, 3

// A moving card picture. Window pictures (background, buffer) are 32-bit
// RGB images; parts of the card outside them are left out.
class TSprite {
 public:
  // x_, y_, z_, t_: left, top, right and bottom of the card. With the normal
  // card size `picture` is the 69 x 94 picture (drawn at (1, 1) of a black
  // card with rounded corners); with a scaled size it is drawn stretched to
  // the card's size over the key colour. A null picture gives a white card.
  TSprite(int x_, int y_, int z_, int t_, const QImage& picture, bool normalSize);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  QRect Rect() const { return QRect(FLeft, FTop, FWidth, FHeight); }
  bool NormalSize() const { return normal_; }
  // The pictures of the mode in use: the mask and colour pictures of the
  // normal size, the work and key-colour pictures of the scaled sizes.
  const QImage& AndImage() const { return FAndImage; }
  const QImage& OrImage() const { return FOrImage; }
  const QImage& WorkImage() const { return ImBMP1; }
  const QImage& KeyImage() const { return ImBMP2; }

  // Draws the card into the buffer at its place.
  void Draw(QImage& buffer);
  // Puts the background back under the card's place in the buffer.
  void Erase(QImage& buffer, const QImage& background) const;
  // Sets the card's place without drawing.
  void Place(int x, int y) {
    FLeft = x;
    FTop = y;
  }
  // One step: erases the card, moves it to (x, y) and draws it there.
  // Returns the window rectangle to repaint (StepUpdateRect of the old place).
  QRect MoveTo(QImage& buffer, const QImage& background, int x, int y);

 private:
  int FWidth;
  int FHeight;
  int FLeft;
  int FTop;
  bool normal_;
  QImage FAndImage;
  QImage FOrImage;
  QImage ImBMP1;
  QImage ImBMP2;
};

// Copies `rect` of one window picture into the same place of another (both
// 32-bit RGB and of one size), clipped to the pictures.
void CopyWindowRect(const QImage& from, QImage& to, const QRect& rect);

// ---- Flights --------------------------------------------------------------

// True while a card flies; the window's repaint reads it.
bool CardFlying();

// The step counter of speeds 3 and 4; it runs on across flights.
long long FlightStepCounter();
void SetFlightStepCounter(long long counter);

// The most cards that fly together.
inline constexpr int kMaxFlyingCards = 12;

// ---- Flights step by step ---------------------------------------------------

// One flight taken a step at a time. Begin freezes the window and draws the
// cards at their start (false: nothing flies, the window has no size or no
// card was given); each Step moves on and returns the wait that follows it;
// Finish ends the flight, erasing the cards when that was asked, and gives
// the window its layers back. The FlightPlayer runs the steps on the event
// loop; RunFlight runs them inside one call.
class FlightSteps {
 public:
  virtual ~FlightSteps() = default;
  virtual bool Begin() = 0;
  virtual bool Arrived() const = 0;
  virtual int Step() = 0;
  virtual void Finish() = 0;
};

// The card `code` (a card's two letters, "00" for the back, "No", "##" or
// "--" for a blank card) from (x0, y0) to (x1, y1), the card's top left
// corners in window pixels, at the card size of `pictures`. With `eraseAtEnd`
// the card is taken off the window at the end; the caller then draws it into
// its destination layer.
std::unique_ptr<FlightSteps> CardFlight(FlightWindow& window, CardPictures& pictures, int x0, int y0, int x1, int y1,
                                        bool eraseAtEnd, std::string_view code, int speed);
// Up to twelve cards together, each on its own line; a step is taken for
// every card not yet arrived, and the window is repainted over the bounding
// box of all cards. Lists of unequal length fly the common part.
std::unique_ptr<FlightSteps> GroupFlight(FlightWindow& window, CardPictures& pictures, const std::vector<QPoint>& from,
                                         const std::vector<QPoint>& to, const std::vector<std::string>& codes,
                                         int speed, bool eraseAtEnd = false);
// A card at `place` (window pixels) turning about its vertical middle from
// `back` to `face` (both drawn stretched to the place's size), leaving the
// face drawn flat at the place. The window must not show the card at the
// place when the flight begins (the caller erases the place first).
std::unique_ptr<FlightSteps> TurnFlight(FlightWindow& window, QRect place, const QImage& back, const QImage& face,
                                        double scaleK, int speed);

// Takes `flight` to its end inside the call; each wait between its steps
// (the milliseconds, when above zero) goes to `wait`, which decides how it
// is spent: the tests add the waits up, bench/ sleeps them.
void RunFlight(FlightSteps& flight, const std::function<void(int ms)>& wait);

// The measurements of bench/ compare the table with the way it waited
// before, on the main thread: given a wait, a FlightPlayer runs its flight
// inside Play through RunFlight, and the table's pauses call it too. The
// program never gives one (it waits on the event loop); empty turns it off.
using MeasurementWait = std::function<void(int ms)>;
void SetWaitForMeasurement(MeasurementWait wait);
const MeasurementWait& WaitForMeasurement();

// Plays a flight on the event loop: a precise timer takes each step when its
// deadline has come. The deadlines add up the drawing of every step and the
// waits between them from the flight's start, so a late timer does not make
// the flight longer; steps without a wait run in slices of a few
// milliseconds, and the event loop runs between the slices.
class FlightPlayer {
 public:
  FlightPlayer();
  ~FlightPlayer();
  FlightPlayer(const FlightPlayer&) = delete;
  FlightPlayer& operator=(const FlightPlayer&) = delete;

  // Starts `flight`; `done` is called when it has ended (at once when
  // nothing flies).
  void Play(std::unique_ptr<FlightSteps> flight, std::function<void()> done);
  bool Playing() const { return flight_ != nullptr; }
  // Ends the flight where it is, without calling its `done`.
  void Stop();

 private:
  static constexpr qint64 kSliceNs = 6'000'000;
  static constexpr int kStepsPerRead = 24;
  void Run();

  std::unique_ptr<FlightSteps> flight_;
  std::function<void()> done_;
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 due_ns_ = 0;
};

}  // namespace varnok

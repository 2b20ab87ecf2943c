// What the record windows share: the animated pictures (running, once,
// repeating or still), the pictures of the graphics library, the "Ok"
// button, the gray and purple looks of the auxiliary windows and the
// program's cursor.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QString>
#include <functional>

#include "names.h"

class QDialog;
class QMovie;
class QPainter;
class QPushButton;

namespace varnok {

struct Settings;

// The window graphics library is names.h's kGraphicsLibrary.

// A picture from the graphics library, else from the program's own
// resources; a null picture when neither has it.
QImage RecordPicture(const QString& name);
// A picture from the graphics library only (null when the library or the
// name is missing).
QImage LibraryPicture(const QString& name);

// An animated picture (a GIF of the program or of the graphics library).
class AnimatedPicture : public QLabel {
  Q_OBJECT

 public:
  enum class Mode {
    Repeat,  // runs for as long as it is shown
    Once,    // runs once and stays on its last frame
    Still,   // shows one frame and never moves
  };

  // `still_frame` is the frame shown in Still mode (the last frame when the
  // animation is shorter). `size` scales the frames; an empty size keeps theirs.
  AnimatedPicture(const QString& name, Mode mode, int still_frame, QSize size, QWidget* parent);

  bool Loaded() const { return movie_ != nullptr; }
  QString Name() const { return name_; }
  Mode AnimationMode() const { return mode_; }
  bool Running() const;
  // Stops the animation where it is.
  void Stop();

 private:
  QString name_;
  Mode mode_;
  QMovie* movie_ = nullptr;
};

// Still for an animation that moves only when animated pictures are on.
AnimatedPicture::Mode MoveWhenAnimated(bool gif_animation, AnimatedPicture::Mode moving);

// Gray designs: the button-face colour with dark texts; purple: black with
// yellow texts.
inline const QColor kButtonFace{240, 240, 240};
inline const QColor kPurpleText{255, 255, 0};
inline const QColor kMaroonText{128, 0, 0};
inline const QColor kWindowText{0, 0, 0};

// The "Ok" button of a record window: a TZubCardsButton in the large font at
// FontSize(20, "decor") (times `scale`), bold, object name "Ok", closing `window`.
QPushButton* MakeOkButton(QDialog* window, const Settings& look, bool purple, double scale = 1.0);

// A label at a position in the window, sized to its text.
QLabel* PlacedLabel(QWidget* parent, const QString& object_name, const QString& text, const QFont& font,
                    const QColor& colour, QPoint at);

// The program's own arrow cursor when the settings ask for it: the window
// hands the choice to the function the main window has set (none set: the
// system's cursor).
using CursorSource = std::function<QCursor(bool own)>;
void SetRecordCursorSource(CursorSource source);
void ApplyRecordCursor(QWidget* window, const Settings& look);

// The backdrop of the top-ten and end-of-match pictures: the scroll
// "GSvitok" stretched over `area` on the window's colour (gray designs) or on
// a dark purple (the purple design); a drawn parchment when it is missing.
// `scroll` is the loaded "GSvitok" (null: the parchment is drawn).
void PaintScrollBackdrop(QPainter& painter, const QRect& window, const QRect& area, bool purple,
                         const QImage& scroll);

// The part of the scroll that can be written on when the scroll is stretched
// over `area`: between the two rollers and inside the paper's edges.
QRect ScrollPaper(const QRect& area);

// A text a window draws itself, where it draws it.
struct DrawnText {
  QString Text;
  QFont Font;
  QRect Box;  // the box handed to drawText
  int Flags = 0;
  QColor Colour;
  // The rectangle the text's letters take inside the box.
  QRect Extent() const;
};

// A soft text shadow of half the colour's brightness, one pixel right and down.
void DrawShadowedText(QPainter& painter, const QRect& box, int flags, const QString& text, const QColor& colour);

}  // namespace varnok

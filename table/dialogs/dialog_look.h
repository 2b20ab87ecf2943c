// The look the game's small dialogs share: the baize background picture of
// the graphics library (or a drawn stand-in when the library is missing),
// cream captions in the large font, and the placement centred on the window
// that opens them.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QString>
#include <functional>
#include <utility>

class QPainter;
class QWidget;

namespace varnok {

// Plays a named sound ("WOpenFo"); the dialogs are given one by the window.
using SoundHook = std::function<void(QString)>;

// The sound a dialog plays as it opens.
inline constexpr char kOpenSound[] = "WOpenFo";

// Colours of the dialogs' texts on the baize.
inline const QColor kDialogText{255, 244, 214};
inline const QColor kDialogGold{236, 200, 96};

// The background picture `name` ("GFormMast", "GFormVarnok") from the
// graphics library, or a drawn baize of `size` when the library is missing.
QImage DialogBackground(const QString& name, QSize size);

// A drawn baize of `size` in the house colours.
QImage DrawnBaize(QSize size);

// Draws `background` over the whole of `widget` with a thin gold rim.
void PaintDialog(QPainter& painter, const QWidget& widget, const QImage& background);

// A dialog of this look: its background picture painted with the gold rim,
// and centred on the window that opens it each time it is shown.
class TBaizeDialog : public QDialog {
  Q_OBJECT

 public:
  using QDialog::QDialog;

 protected:
  void SetBackground(QImage background) { background_ = std::move(background); }
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QImage background_;
};

// The large font at a pixel height, optionally bold.
QFont DialogFont(int pixels, bool bold = false);

// A soft dark shadow under a text, so that it stands off the baize.
void CastShadow(QWidget* text);

// Moves `dialog` so that its frame is centred on `parent`'s frame (or on the
// screen when there is no parent).
void CentreOn(QDialog& dialog, const QWidget* parent);

// The "New buttons" setting: the picture style of the dialogs' buttons,
// applied to every button of a dialog as it is made. Off until set.
void SetDialogNata(bool nata);
bool DialogNata();

// The game's dialogs grow with the window size: the uniform scale of the
// table (1 at 760 x 500, 2 at 1520 x 1000), held within 1 to 2.
void SetDialogScale(double scale);
double DialogScale();
// A design length of a dialog at the scale in force.
int DialogLen(int design);
// The scale of a window designed at `design` client pixels: the dialogs'
// scale, made smaller where the window would not fit into the client area of
// `parent`'s main window (of the screen when there is no parent). A record
// window is never larger than the main window.
double FittedDialogScale(QSize design, const QWidget* parent);
// round(design * scale).
int ScaledLen(int design, double scale);

class TZubCardsButton;
enum class TColorSB : int;

// An owner-drawn button of a dialog: `caption` in white bold dialog font of
// `pixels`, in the colours of `scheme`, in the "New buttons" style when set.
TZubCardsButton* MakeDialogButton(QWidget* parent, const QString& caption, const QString& name, TColorSB scheme,
                                  int pixels = 16);
// A dialog's "Ok" (object name "Ok"): the default button, accepting the dialog.
TZubCardsButton* MakeDialogOk(QDialog* dialog, TColorSB scheme, int pixels = 16);

// Plays the opening sound through `sound` when there is one.
void PlayOpenSound(const SoundHook& sound);

}  // namespace varnok

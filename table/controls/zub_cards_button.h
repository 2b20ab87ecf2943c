// TZubCardsButton: the owner-drawn push button of every window and of the
// table. Its face is built from a left cap, a right cap and a middle (at the
// three standard heights of the old style the middle is a drawn gradient),
// recoloured at draw time into one of eight colour schemes and optionally
// lightened; an optional glyph sits beside the caption, and a focus mark shows
// the keyboard focus.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QRect>

#include "button_colours.h"
#include "button_geometry.h"

class QPainter;

namespace varnok {

// The three heights `HeightSB` sets.
enum class THeightSB : int { D30, D45, D60 };

class TZubCardsButton : public QPushButton {
  Q_OBJECT

 public:
  // What Draw is asked to show, besides the hover state the button keeps.
  enum DrawState : int { Pressed = 1, Disabled = 2, Focused = 4 };
  Q_DECLARE_FLAGS(DrawStates, DrawState)

  explicit TZubCardsButton(QWidget* parent = nullptr);
  TZubCardsButton(const QString& caption, QWidget* parent = nullptr);

  TColorSB ColorSB() const { return color_sb_; }
  void SetColorSB(TColorSB scheme);
  // Caption colour while hovered, with `LightFont`.
  QColor ColorMouse() const { return color_mouse_; }
  void SetColorMouse(const QColor& colour);
  bool LightFont() const { return light_font_; }
  void SetLightFont(bool on);
  // A disabled caption is silver instead of the font colour.
  bool GrayDis() const { return gray_dis_; }
  void SetGrayDis(bool on);
  THeightSB HeightSB() const { return height_sb_; }
  // Sets the button's height to 30, 45 or 60.
  void SetHeightSB(THeightSB height);
  // Lightening of the whole face toward white, in percent.
  int KLightSB() const { return k_light_sb_; }
  void SetKLightSB(int percent);
  // Draw the focus mark.
  bool Kontur() const { return kontur_; }
  void SetKontur(bool on);
  // Resample the face smoothly at heights other than 30, 45 and 60.
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool on);
  // The second picture style ("New buttons").
  bool Nata() const { return nata_; }
  void SetNata(bool on);

  // The glyph: a small picture beside the caption, placed by `Layout`.
  QPixmap Glyph() const { return glyph_; }
  void SetGlyph(const QPixmap& glyph);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  // -1 (the default): the caption is centred; otherwise it is aligned next to
  // the glyph.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  // The caption's colour (the palette's button text).
  QColor FontColor() const;
  void SetFontColor(const QColor& colour);

  bool Hovered() const { return hovered_; }

  // Draws the whole button into `rect` of the painter: the face, the glyph,
  // the caption, then OnDrawButton, then the focus mark.
  void Draw(QPainter& painter, const QRect& rect, DrawStates states);
  // The states the button is in now.
  DrawStates CurrentStates() const;
  // The face (caps and middle, no glyph) of a button of `size`, as drawn.
  QImage Face(QSize size);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 Q_SIGNALS:
  void OnMouseEnter();
  void OnMouseLeave();
  // After the caption is drawn; a handler may draw more with the painter.
  void OnDrawButton(TZubCardsButton* button, QPainter* painter, const QRect& rect,
                    TZubCardsButton::DrawStates states);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Changed();
  void DrawFocusMark(QPainter& painter, QSize size);

  TColorSB color_sb_ = TColorSB::DRed;
  QColor color_mouse_ = QColor(255, 255, 255);
  bool light_font_ = false;
  bool gray_dis_ = false;
  THeightSB height_sb_ = THeightSB::D30;
  int k_light_sb_ = 0;
  bool kontur_ = true;
  bool smooth_ = true;
  bool nata_ = false;
  QPixmap glyph_;
  TButtonLayout layout_ = TButtonLayout::GlyphLeft;
  int margin_ = -1;
  bool hovered_ = false;

  // The last face drawn and what it was drawn for.
  struct FaceKey {
    QSize size;
    TColorSB scheme = TColorSB::DRed;
    int k = 0;
    bool nata = false;
    bool smooth = true;
    bool operator==(const FaceKey&) const = default;
  };
  FaceKey face_key_;
  QImage face_;
};

// Sets the picture style of every owner-drawn button in a window (the "New
// buttons" setting, applied when a window opens).
// Sets `caption` in `base` font, fitted to the button: on one line made at
// most a fifth smaller, else on two lines broken at a blank, made smaller
// until both fit the width and the height.
void FitCaptionToButton(TZubCardsButton* button, const QFont& base, const QString& caption);

void ApplyNata(QWidget* window, bool nata);

// The built-in face picture of a name ("R29_L" ...), loaded once; a null
// picture when it is missing.
const QImage& FacePicture(const QString& name);

}  // namespace varnok

Q_DECLARE_OPERATORS_FOR_FLAGS(varnok::TZubCardsButton::DrawStates)

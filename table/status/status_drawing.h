// The status pictures of the table: the seats' score panels and speech
// bubbles and the round panel with the bid progress strip. Every routine
// paints into the picture of one layer and knows nothing of widgets: the
// window hands over the layer's picture, where the layer sits in the window
// and the table's background at window size, and refreshes the layer after
// the call.
//
// Positions are given in design pixels of the 760 x 500 table and converted
// with ScaleLen unless said otherwise. Pictures come from the program's own
// resources; a missing picture is logged once and left out.
#pragma once

#include <optional>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>

#include "layout.h"
#include "presenter.h"

class QPainter;

namespace varnok {

// One layer of the table: its picture, where it is in the window, and the
// table's background picture at window size. A picture whose size differs
// from the layer's is made anew at the layer's size before drawing.
struct LayerCanvas {
  QImage& image;
  QRect rect;
  const QImage& background;
};

// The text colours of the status pictures.
inline const QColor kFuchsia{255, 0, 255};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kNavy{0, 0, 128};
inline const QColor kGreen{0, 128, 0};
inline const QColor kYellow{255, 255, 0};
inline const QColor kAqua{0, 255, 255};
inline const QColor kWhite{255, 255, 255};
// The window's own colour, shown where the background does not reach.
inline const QColor kSilver{192, 192, 192};

// Makes the layer's picture at the layer's size when it is not; false for a
// layer with no size (nothing is drawn then).
bool PrepareCanvas(LayerCanvas& canvas);

// Draws the table's background onto the layer at (-left, -top), so that the
// layer shows exactly the piece of background it covers.
void RestoreBackground(LayerCanvas& canvas);

// The picture resampled to `size` with its transparency kept. Only RGB and
// RGB-with-alpha pictures can be resampled; for any other (palette, grey,
// mono) the result is nothing. When the picture or the target is 1 pixel or
// less in either direction the picture comes back unchanged, as does an
// empty picture.
std::optional<QImage> Resample(const QImage& picture, QSize size);

// Resample for drawing: a picture that Resample refuses is logged and
// converted to RGB with alpha first, so a drawing never fails on it.
QImage FitPicture(const QImage& picture, QSize size);

// Draws `text` with the painter's font and pen at x = x1 + trunc((x2 - x1 -
// width) / 2); y is the top of the text. The background stays clear.
void CentreText(QPainter& painter, int x1, int x2, int y, const QString& text);
// The width of `text` in the painter's font.
int TextWidth(QPainter& painter, const QString& text);

// A picture of the program's resources (PNG or bitmap) by name, from the
// built-in resources or from `library`; loaded once and kept. An empty picture
// when it cannot be found (logged once per name).
QImage StatusPicture(const QString& name, const QString& library = QString());

// StatusPicture of the built-in resources brought to `size` with FitPicture;
// each size of a picture is resampled once and kept.
QImage FittedStatusPicture(const QString& name, QSize size);

// The frame of a layer drawn at (0, 0): `smallName` as stored in the small
// window, otherwise `bigName` stretched to `size`.
void DrawLayerFrame(QPainter& painter, const LayoutState& layout, const QString& smallName, const QString& bigName,
                    QSize size);

// The four boxes of a score panel, in design pixels inside the 155 x 95 panel.
inline constexpr QRect kPointsBoxDesign{15, 15, 125, 31};
inline constexpr QRect kMarkerBoxDesign{15, 50, 35, 31};
inline constexpr QRect kScoreBoxDesign{55, 50, 45, 31};
inline constexpr QRect kOrderBoxDesign{105, 50, 35, 31};
inline constexpr QSize kScorePanelDesign{155, 95};

// A design box converted with ScaleLen (left, top, width and height each).
QRect ScaledBox(const LayoutState& layout, QRect design);

// Where the turn marker of `seat` is drawn: the 20 x 30 hand at (22, 49)
// (seats 1 and 2) or (22, 50) (seat 3) in window mode 1, else the rectangle
// (ScaleLen(23), ScaleLen(49)) of ScaleLen(20) x ScaleLen(30).
QRect MarkerRect(const LayoutState& layout, int seat);

// The text of the points field: the number in decimal, with a leading "+" for
// a positive general count at the end of a game.
QString PointsText(int value, bool finalCount);

// Redraws a score panel. Each field is drawn, kept or blanked (the box shows
// the pristine panel background again). `gameOverRed` is true in phase 15
// when a score has fallen below 1: the points then hold the general count,
// drawn in red with a "+" when positive (as is `update.final_counts`).
// The turn marker is drawn inside its box, so that blanking the box always
// takes it away completely; the texts are likewise confined to their boxes.
void DrawScorePanel(LayerCanvas& canvas, const LayoutState& layout, int seat, const PanelUpdate& update,
                    bool gameOverRed);

// The bubble picture of a style ("SPBlue", "SPGreen", "SPYellow"; "" for
// Empty); with `big` the big variant ("SPBlueB", ...).
QString BubblePictureName(BubbleStyle style, bool big);

// The pixel height of a bubble text: FontSize(ScaleLen(18), "serif"), or 16,
// or 14 when the text measured in bold is wider than ScaleLen(150).
int BubbleTextHeight(const LayoutState& layout, const QString& text);

// Shows a text in a seat's bubble, or clears the bubble for an empty text (or
// one of blanks only) or the Empty style. Trailing blanks are not drawn.
void ShowBubble(LayerCanvas& canvas, const LayoutState& layout, const QString& text, BubbleStyle style);

// Redraws the round panel: the frame, "Round:" and the round number, and when
// a trump is chosen (`trump` not '#') "Trump:" with the suit sign of the face
// design in use (the built-in sign when the design's library is missing).
void DrawRoundPanel(LayerCanvas& canvas, const LayoutState& layout, int roundNo, std::uint8_t trump,
                    int faceDesign);

// The bid progress strip inside the round panel: 80 x 15 (scaled), centred
// across the panel, 45 above its lower edge.
QRect BidProgressRect(const LayoutState& layout);
// The strip's text for a progress of 0..80: "0%" .. "100%".
QString BidProgressText(int value);
// Draws the strip for a progress of 0..80 (values outside are held to the
// range); -1 takes the strip away and shows the frame underneath again.
void DrawBidProgress(LayerCanvas& roundPanel, const LayoutState& layout, int value);

}  // namespace varnok

// The look of the options window: its style sheet over the baize, the check
// boxes and lists in the house colours, the small flags of the language list
// and the owner-drawn items of that list.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStyledItemDelegate>

class QCheckBox;
class QLabel;
class QRadioButton;
class QWidget;

namespace varnok {

// The style sheet of the whole window (tabs, lists, boxes, fields).
QString OptionsStyleSheet();

// A check box or radio button with an object name, in the window's font.
QCheckBox* OptionsCheck(const char* name, QWidget* parent);
QRadioButton* OptionsRadio(const char* name, QWidget* parent);

// A small flag (16 x 11) for the language list: the country flag of the
// language, or a drawn grey plate when the picture is missing.
QPixmap LanguageListFlag(int language);

// The language list's items drawn by hand: the small flag at (left + 2,
// top + 2), the text 20 pixels right of the item's left edge.
class LanguageItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// A picture shown in a sunken gold frame, scaled to fit and centred.
void ShowPicture(QLabel* box, const QImage& picture);

// The title of the window drawn as text on a ribbon when the graphics
// library's title picture is missing.
QImage DrawnTitle(const QString& text, QSize size);

}  // namespace varnok

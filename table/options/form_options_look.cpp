#include "form_options_look.h"

#include <QCheckBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>

#include "dialog_look.h"
#include "loader.h"

namespace varnok {

namespace {

// The country flag (continent digit, index) that stands for each language.
const char* const kLanguageFlags[10] = {"Flag1_048", "Flag1_001", "Flag1_016", "Flag1_015", "Flag1_043",
                                        "Flag2_010", "Flag1_024", "Flag1_010", "Flag2_020", "Flag2_040"};

}  // namespace

QString OptionsStyleSheet() {
  return QStringLiteral(
      "QWidget { color: #fff4d6; }"
      "QTabWidget::pane { border: 1px solid #c99a2e; border-radius: 6px; top: -1px;"
      "  background: rgba(8, 36, 20, 150); }"
      "QTabBar::tab { color: #f6e29b; padding: 4px 9px; margin-right: 2px;"
      "  border: 1px solid #7a5612; border-bottom: none; border-top-left-radius: 6px;"
      "  border-top-right-radius: 6px;"
      "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8c1c24, stop:1 #4a0c12); }"
      "QTabBar::tab:selected { color: #2a1804;"
      "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff0b0, stop:0.5 #ecc860, stop:1 #b8892a); }"
      "QTabBar::tab:hover:!selected { color: #ffffff; }"
      "QGroupBox { border: 1px solid #a8802a; border-radius: 6px; margin-top: 10px; padding-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: #ecc860; }"
      "QListWidget, QComboBox, QLineEdit { background: rgba(6, 26, 14, 210); border: 1px solid #a8802a;"
      "  border-radius: 4px; selection-background-color: #ecc860; selection-color: #2a1804; }"
      "QListWidget::item { padding: 1px 2px; }"
      "QListWidget::item:selected { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
      "  stop:0 #fff0b0, stop:1 #d8a940); color: #2a1804; }"
      "QListWidget::item:disabled { color: #8a8a7a; }"
      "QComboBox { padding: 2px 8px; min-height: 22px; }"
      "QComboBox QAbstractItemView { background: #0c2a16; border: 1px solid #a8802a; }"
      "QComboBox:disabled, QLineEdit:disabled { color: #8a8a7a; }"
      "QLineEdit { padding: 2px 6px; }"
      "QLineEdit:focus { border: 1px solid #fff0b0; }"
      "QCheckBox, QRadioButton { spacing: 7px; }"
      "QCheckBox:disabled, QRadioButton:disabled, QLabel:disabled { color: #8a8a7a; }"
      "QCheckBox::indicator, QRadioButton::indicator { width: 14px; height: 14px;"
      "  border: 1px solid #c99a2e; background: rgba(6, 26, 14, 220); }"
      "QCheckBox::indicator { border-radius: 3px; }"
      "QRadioButton::indicator { border-radius: 8px; }"
      "QCheckBox::indicator:checked, QRadioButton::indicator:checked {"
      "  background: qradialgradient(cx:0.5, cy:0.5, radius:0.6, fx:0.4, fy:0.35,"
      "  stop:0 #fff6d0, stop:0.55 #ecc860, stop:0.56 #ecc860, stop:1 #8a6218); }"
      "QCheckBox::indicator:disabled, QRadioButton::indicator:disabled { border-color: #5a5a4a; }"
      "QScrollBar:vertical { background: rgba(0, 0, 0, 60); width: 12px; margin: 0; }"
      "QScrollBar::handle:vertical { background: #a8802a; border-radius: 5px; min-height: 20px; margin: 1px; }"
      "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }"
      "QToolTip { color: #2a1804; background: #fff0b0; border: 1px solid #7a5612; }");
}

QCheckBox* OptionsCheck(const char* name, QWidget* parent) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QRadioButton* OptionsRadio(const char* name, QWidget* parent) {
  auto* button = new QRadioButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QPixmap LanguageListFlag(int language) {
  QImage flag;
  if (language >= 0 && language < 10 && LoadPng(QString::fromLatin1(kLanguageFlags[language]), QString(), flag) &&
      !flag.isNull()) {
    return QPixmap::fromImage(flag.scaled(16, 11, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  QImage plate(16, 11, QImage::Format_RGB32);
  plate.fill(QColor(150, 150, 150));
  return QPixmap::fromImage(plate);
}

void LanguageItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  painter->save();
  const QRect r = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  if (selected) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, QColor(0xff, 0xf0, 0xb0));
    fill.setColorAt(1.0, QColor(0xd8, 0xa9, 0x40));
    painter->fillRect(r, fill);
  }
  const QPixmap flag = LanguageListFlag(index.row());
  painter->drawPixmap(r.left() + 2, r.top() + 2 + (r.height() - 4 - flag.height()) / 2, flag);
  painter->setFont(option.font);
  painter->setPen(selected ? QColor(0x2a, 0x18, 0x04) : kDialogText);
  painter->drawText(r.adjusted(20, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                    index.data(Qt::DisplayRole).toString());
  painter->restore();
}

QSize LanguageItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setHeight(std::max(size.height(), 17));
  size.setWidth(size.width() + 20);
  return size;
}

void ShowPicture(QLabel* box, const QImage& picture) {
  if (box == nullptr) return;
  const QSize area = box->size().isEmpty() ? box->minimumSize() : box->size();
  QImage shown(area, QImage::Format_ARGB32_Premultiplied);
  shown.fill(Qt::transparent);
  QPainter painter(&shown);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRectF frame = QRectF(shown.rect()).adjusted(1, 1, -1, -1);
  painter.setPen(QPen(QColor(0xa8, 0x80, 0x2a), 1.5));
  painter.setBrush(QColor(0, 0, 0, 90));
  painter.drawRoundedRect(frame, 6, 6);
  if (!picture.isNull()) {
    const QSize fit = picture.size().scaled(area - QSize(12, 12), Qt::KeepAspectRatio);
    const QRect target(QPoint((area.width() - fit.width()) / 2, (area.height() - fit.height()) / 2), fit);
    painter.drawImage(target, picture);
  }
  painter.end();
  box->setPixmap(QPixmap::fromImage(shown));
}

QImage DrawnTitle(const QString& text, QSize size) {
  QImage title(size, QImage::Format_ARGB32_Premultiplied);
  title.fill(Qt::transparent);
  QPainter painter(&title);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF band = QRectF(title.rect()).adjusted(4, 6, -4, -6);
  QPainterPath ribbon;
  ribbon.addRoundedRect(band, 10, 10);
  QLinearGradient fill(band.topLeft(), band.bottomLeft());
  fill.setColorAt(0.0, QColor(0x9c, 0x22, 0x2c));
  fill.setColorAt(1.0, QColor(0x4a, 0x0c, 0x12));
  painter.fillPath(ribbon, fill);
  painter.setPen(QPen(QColor(0xec, 0xc8, 0x60), 2.0));
  painter.drawPath(ribbon);
  painter.setFont(DialogFont(static_cast<int>(band.height() * 0.55), true));
  painter.setPen(kDialogGold);
  painter.drawText(band, Qt::AlignCenter, text);
  return title;
}

}  // namespace varnok

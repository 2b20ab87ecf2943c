#include "form_message.h"
#include "form_score.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

#include "fonts.h"
#include "loader.h"
#include "recwin_look.h"
#include "guide_rows.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowPlayer = 79;   // "Player"
constexpr int kRowHeading = 80;  // "Information about game"
constexpr int kRowCantFind = 93;  // "Can`t find the file"

// The labels of the seven values, in the order of TCount.
constexpr std::array<int, 7> kLabelRows = {84, 85, 82, 81, 83, 87, 88};
constexpr std::array<const char*, 7> kFieldNames = {"KonAll", "KonCur", "ScoBeg", "ScoCur",
                                                    "ScoAll", "ReiBeg", "ReiCur"};
constexpr int kInitialScoreIndex = 2;  // its label is always in Comic Sans MS

const QColor kRedStrip{200, 0, 0};
// The scroll under the rows of the gray designs.
constexpr QSize kBackdrop{315, 400};

// Every length of the layout times `scale`.
ScoreLayout ScaledScoreLayout(ScoreLayout layout, double scale) {
  const auto len = [scale](int& n) { n = ScaledLen(n, scale); };
  for (int* n : {&layout.Width, &layout.Height, &layout.HeaderHeight, &layout.HeadingX, &layout.HeadingY,
                 &layout.LabelX, &layout.ValueX, &layout.TopAnimationX, &layout.TopAnimationY, &layout.EmblemY,
                 &layout.EmblemWidth, &layout.EmblemHeight, &layout.OkY, &layout.OkHeight, &layout.AccountX,
                 &layout.AccountY})
    len(*n);
  for (int& n : layout.LabelY) len(n);
  for (int& n : layout.ValueY) len(n);
  for (int& n : layout.EmblemX) len(n);
  return layout;
}
const QColor kValueColour{0, 0, 128};

std::array<const std::string*, 7> Fields(const TCount& count) {
  return {&count.Count_KonAll, &count.Count_KonCur, &count.Count_ScoBeg, &count.Count_ScoCur,
          &count.Count_ScoAll, &count.Count_ReiBeg, &count.Count_ReiCur};
}

// A label's font made to fit `width`: the text keeps its size while it fits
// and is made smaller (down to 10 pixels) when it does not.
QFont FittedFont(QFont font, const QString& text, int width) {
  while (font.pixelSize() > 10 && QFontMetrics(font).horizontalAdvance(text) > width) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

// A drawn cap for a missing "GCap300": a dark red plate with a gold rim.
QImage DrawnCap(QSize size) {
  QImage cap(size, QImage::Format_ARGB32_Premultiplied);
  cap.fill(Qt::transparent);
  QPainter painter(&cap);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 0, size.height());
  fill.setColorAt(0.0, QColor(150, 20, 28));
  fill.setColorAt(1.0, QColor(70, 6, 12));
  painter.setBrush(fill);
  painter.setPen(QPen(QColor(222, 186, 90), 2));
  painter.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 12, 12);
  return cap;
}

}  // namespace

TFormScore::TFormScore(const ScoreWindowData& data, const Settings& look, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFormScore"));
  // A single border and only the system menu in the caption.
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setWindowTitle(i18n::Text(i18n::WordsMain, kRowPlayer) + QStringLiteral(":  ") + data.PlayerName);
  ChooseDesign(data, look);
  // The window grows with the table and stays inside the main window.
  scale_ = FittedDialogScale(QSize(design_.Width, design_.Height), parent);
  layout_ = ScaledScoreLayout(design_, scale_);
  setFixedSize(layout_.Width, layout_.Height);
  const bool purple = layout_.Design == ScoreDesign::Purple;
  BuildRows(data, purple);
  BuildPictures(data, look, purple);

  ok_ = MakeOkButton(this, look, purple, scale_);
  ok_->setGeometry(Len(8), layout_.OkY, layout_.Width - Len(16), layout_.OkHeight);
  disconnect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(ok_, &QPushButton::clicked, this, [this] {
    if (top_ != nullptr) top_->Stop();
    accept();
  });
  ApplyRecordCursor(this, look);
}

void TFormScore::ChooseDesign(const ScoreWindowData& data, const Settings& look) {
  ScoreDesign design = ScoreDesignOf(look.PurpleWindows, look.AuxWindowDesign);
  const auto fall_back = [&] {
    design = ScoreDesign::GrayAristocratic;
    if (data.FallBackToGrayAristocratic) data.FallBackToGrayAristocratic();
  };
  if (design == ScoreDesign::Purple) {
    background_ = LibraryPicture(QStringLiteral("GFormCount"));
    if (background_.isNull()) fall_back();
  }
  if (design == ScoreDesign::GrayConcise) {
    header_ = LibraryPicture(QStringLiteral("CountInfo"));
    if (header_.isNull() && !LibraryPresent(QString::fromLatin1(kGraphicsLibrary))) {
      fall_back();
      const QString message = i18n::Text(i18n::WordsMain, kRowCantFind) + QStringLiteral(" ") +
                              QString::fromLatin1(kGraphicsLibrary);
      if (data.Notice) {
        data.Notice(message);
      } else {
        TFormMessage::Tell(parentWidget(), MessageKind::Warning, message, QStringLiteral("Attention"));
      }
    }
  }
  design_ = ScoreLayoutFor(design);
  layout_ = design_;
  if (design == ScoreDesign::GrayAristocratic) {
    header_ = LibraryPicture(QStringLiteral("GCap300"));
    if (header_.isNull()) header_ = DrawnCap(QSize(300, 64));
  } else if (design == ScoreDesign::GrayRibbons) {
    header_ = LibraryPicture(QStringLiteral("GLenta200x100"));
    header_label_ = LibraryPicture(QStringLiteral("GFormCountL"));
  }
  if (design != ScoreDesign::Purple) {
    background_ = RecordPicture(QStringLiteral("GSvitok"));
    if (!background_.isNull()) background_ = background_.scaled(kBackdrop, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
}

void TFormScore::PlaceLabel(const QString& name, const QString& text, QFont font, const QColor& colour, int y,
                            int gap) {
  // A label that runs into its value starts further left; when it still
  // does not fit it takes two lines where the row below leaves room, and
  // only then gets smaller.
  const int right = layout_.ValueX - Len(6);
  // Labels keep to the paper of the scroll.
  const int leftmost = std::max(layout_.HeadingX + Len(2), Paper().left() + Len(6));
  const int wide = QFontMetrics(font).horizontalAdvance(text);
  if (wide <= right - layout_.LabelX) {
    PlacedLabel(this, name, text, font, colour, QPoint(layout_.LabelX, y));
    return;
  }
  if (wide <= right - leftmost) {
    PlacedLabel(this, name, text, font, colour, QPoint(right - wide, y));
    return;
  }
  const int room = right - leftmost;
  for (QFont wrapped = font; wrapped.pixelSize() >= Len(12); wrapped.setPixelSize(wrapped.pixelSize() - 1)) {
    const QFontMetrics metrics(wrapped);
    const QRect box = metrics.boundingRect(QRect(0, 0, room, 1000), Qt::TextWordWrap, text);
    if (box.width() > room || box.height() > 2 * metrics.lineSpacing()) continue;
    if (box.height() > gap + Len(6)) break;
    QLabel* label = PlacedLabel(this, name, text, wrapped, colour, QPoint(right - box.width(), y - Len(3)));
    label->setWordWrap(true);
    label->setFixedSize(box.width() + 1, box.height());
    return;
  }
  font = FittedFont(font, text, room);
  // A smaller font sits lower, so that it keeps its line.
  const int drop = std::max(0, i18n::FontSize(Len(16), i18n::FontKind::Serif) - font.pixelSize()) / 2;
  PlacedLabel(this, name, text, font, colour, QPoint(leftmost, y + drop));
}

void TFormScore::BuildRows(const ScoreWindowData& data, bool purple) {
  const QColor heading_colour = purple ? kPurpleText : kMaroonText;
  const QColor label_colour = purple ? kPurpleText : kWindowText;
  const QColor value_colour = purple ? kPurpleText : kValueColour;

  QLabel* heading = PlacedLabel(this, QStringLiteral("Heading"), i18n::Text(i18n::WordsMain, kRowHeading),
                                i18n::KindFont(i18n::FontKind::Serif, Len(20)), heading_colour,
                                QPoint(layout_.HeadingX, layout_.HeadingY));
  heading->setFixedWidth(layout_.Width - 2 * layout_.HeadingX);
  heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  heading->setFont(FittedFont(heading->font(), heading->text(), std::min(heading->width(), Paper().width() - Len(12))));
  heading->adjustSize();
  heading->setFixedWidth(layout_.Width - 2 * layout_.HeadingX);

  const auto fields = Fields(data.Count);
  QFont value_font = i18n::KindFont(i18n::FontKind::Serif, Len(24));
  for (int i = 0; i < 7; ++i) {
    const auto index = static_cast<std::size_t>(i);
    QFont label_font = i18n::KindFont(i18n::FontKind::Serif, Len(16));
    if (i == kInitialScoreIndex) {
      const int pixels = label_font.pixelSize();
      label_font = i18n::FaceFont(QStringLiteral("Comic Sans MS"));
      label_font.setPixelSize(pixels);
    }
    const QString text = i18n::Text(i18n::WordsMain, kLabelRows[index]);
    const int gap = i + 1 < 7 ? layout_.LabelY[index + 1] - layout_.LabelY[index] : Len(30);
    PlaceLabel(QStringLiteral("Label_") + QString::fromLatin1(kFieldNames[index]), text, label_font, label_colour,
               layout_.LabelY[index], gap);

    QLabel* value = PlacedLabel(this, QStringLiteral("Count_") + QString::fromLatin1(kFieldNames[index]),
                                QString::fromStdString(*fields[index]), value_font, value_colour,
                                QPoint(layout_.ValueX, layout_.ValueY[index] - value_font.pixelSize() / 4));
    value->setTextFormat(Qt::PlainText);
    value->adjustSize();
    values_[index] = value;
  }
  // The hint explains how the general count and the rating come about.
  const QString explained = i18n::Text(i18n::WordsGuide, i18n::guide::kCountExplained);
  setToolTip(explained);
  for (QLabel* label : findChildren<QLabel*>()) label->setToolTip(explained);
}

void TFormScore::BuildPictures(const ScoreWindowData& data, const Settings& look, bool purple) {
  top_ = new AnimatedPicture(QStringLiteral("GGenCount"),
                             MoveWhenAnimated(look.GifAnimation, AnimatedPicture::Mode::Repeat), 14,
                             QSize(Len(100), Len(90)),
                             this);
  top_->move(layout_.TopAnimationX, layout_.TopAnimationY);

  const ScoreEmblems emblems = EmblemsFor(data.Kind, purple);
  // In the gray designs the emblems always move; in the purple one only
  // when animated pictures are on.
  const AnimatedPicture::Mode emblem_mode =
      purple ? MoveWhenAnimated(look.GifAnimation, AnimatedPicture::Mode::Repeat) : AnimatedPicture::Mode::Repeat;
  const std::array<std::string, 2> names = {emblems.Left, emblems.Right};
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].empty()) continue;
    auto* emblem = new AnimatedPicture(QString::fromStdString(names[i]), emblem_mode, 0,
                                       QSize(layout_.EmblemWidth, layout_.EmblemHeight), this);
    emblem->move(layout_.EmblemX[i], layout_.EmblemY);
  }
  if (purple) {
    auto* icon = new AnimatedPicture(QStringLiteral("GIcon48COunt"), AnimatedPicture::Mode::Repeat, 0, QSize(), this);
    icon->move(Len(9), Len(22));
  }
  account_ = RecordPicture(QStringLiteral("Account48"));
  lamp_ = RecordPicture(QString::fromStdString(LampFor(data.AccountState)));
}

QLabel* TFormScore::Value(int index) const {
  if (index < 0 || index >= 7) return nullptr;
  return values_[static_cast<std::size_t>(index)];
}

QRect TFormScore::BackdropArea() const {
  // In the middle of the room between the strip and the "Ok" button.
  const int top = design_.HeaderHeight + 3;
  const int room = design_.OkY - top;
  return QRect(5, top + std::max(1, (room - kBackdrop.height()) / 2), kBackdrop.width(), kBackdrop.height());
}

QRect TFormScore::Paper() const {
  if (design_.Design == ScoreDesign::Purple) return rect();
  const QRect paper = ScrollPaper(BackdropArea());
  return QRect(QPoint(Len(paper.left()), Len(paper.top())), QPoint(Len(paper.right()), Len(paper.bottom())));
}

void TFormScore::PaintGray(QPainter& painter) {
  const int header = design_.HeaderHeight;
  painter.fillRect(QRect(0, 0, design_.Width, design_.Height), kButtonFace);
  // The backdrop under the rows.
  // The backdrop under the rows, in the middle of the room between the
  // strip and the "Ok" button.
  if (!background_.isNull()) painter.drawImage(BackdropArea(), background_);
  switch (design_.Design) {
    case ScoreDesign::GrayConcise:
      if (!header_.isNull()) {
        painter.drawImage(QRect(0, 0, design_.Width, header), header_);
      } else {
        QLinearGradient fill(0, 0, 0, header);
        fill.setColorAt(0.0, QColor(120, 16, 24));
        fill.setColorAt(1.0, QColor(60, 4, 10));
        painter.fillRect(QRect(0, 0, design_.Width, header), fill);
      }
      break;
    case ScoreDesign::GrayAristocratic: {
      painter.drawImage(QPoint((design_.Width - header_.width()) / 2, 0), header_);
      QFont font = i18n::KindFont(i18n::FontKind::Serif, 40);
      font.setBold(true);
      painter.setFont(font);
      DrawShadowedText(painter, QRect(0, 10, design_.Width, header - 10), Qt::AlignHCenter | Qt::AlignTop,
                       QStringLiteral("INFO"), kPurpleText);
      break;
    }
    case ScoreDesign::GrayRibbons:
      if (!header_.isNull()) painter.drawImage(QPoint(50, 0), header_);
      if (!header_label_.isNull()) painter.drawImage(QPoint(50, -7), header_label_);
      break;
    case ScoreDesign::Purple: break;
  }
  painter.fillRect(QRect(0, header, design_.Width, 3), kRedStrip);
}

void TFormScore::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.scale(scale_, scale_);
  const QRect all(0, 0, design_.Width, design_.Height);
  if (design_.Design == ScoreDesign::Purple) {
    painter.fillRect(all, Qt::black);
    if (!background_.isNull()) painter.drawImage(all, background_);
  } else {
    PaintGray(painter);
  }
  // The account picture with its lamp.
  if (!account_.isNull()) {
    painter.drawImage(QPoint(design_.AccountX, design_.AccountY), account_);
    if (!lamp_.isNull()) painter.drawImage(QPoint(design_.AccountX + 48, design_.AccountY + 24), lamp_);
  }
}

void TFormScore::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOn(*this, parentWidget());
}

void TFormScore::Open(QWidget* parent, const ScoreWindowData& data, const Settings& look, SoundHook sound) {
  PlayOpenSound(sound);
  TFormScore window(data, look, parent);
  window.exec();
}

}  // namespace varnok

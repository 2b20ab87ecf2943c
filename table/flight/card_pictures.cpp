#include "card_pictures.h"

#include <QDate>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QtDebug>
#include <algorithm>

#include "face_ellipse.h"
#include "loader.h"
#include "names.h"

namespace varnok {

namespace {

constexpr QSize kNormalPicture{69, 94};
constexpr int kLargeHeight = 198;
constexpr int kLargeWidthFull = 146;
constexpr int kLargeWidthNarrow = 126;

QString Q(const std::string& text) { return QString::fromStdString(text); }

int TodayBackNumber(int backDesign, bool alwaysOne) {
  const int weekday = QDate::currentDate().dayOfWeek();
  const int random = QRandomGenerator::global()->bounded(1, 11);
  return BackNumberOfTheDay(backDesign, alwaysOne, weekday, random);
}

bool ReadPicture(const ResourceLibrary& library, const QString& name, QImage& picture) {
  QByteArray data;
  if (!library.Data(name, data)) return false;
  QImage image;
  if (!image.loadFromData(data) || image.isNull()) return false;
  picture = image;
  return true;
}

// The set 1 pictures are 69 x 94; anything else is brought to that size.
QImage Normalised(QImage picture, int cardSet) {
  if (cardSet == kCardSetNormal && picture.size() != kNormalPicture)
    picture = picture.scaled(kNormalPicture, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

bool IsBackCode(std::string_view code) { return code == "00"; }

bool IsBlankCode(std::string_view code) { return code == "No" || code == "##" || code == "--"; }

std::array<QPoint, 12> RoundedCornerPixels(QSize card) {
  const int r = card.width() - 1;
  const int b = card.height() - 1;
  return {QPoint(0, 0), QPoint(1, 0),     QPoint(0, 1),     QPoint(r - 1, 0), QPoint(r, 0),     QPoint(r, 1),
          QPoint(0, b), QPoint(1, b),     QPoint(0, b - 1), QPoint(r - 1, b), QPoint(r, b),     QPoint(r, b - 1)};
}

QImage PlainCard(QSize size, const QString& label) {
  QImage card(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  card.fill(Qt::transparent);
  QPainter painter(&card);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  const qreal radius = std::max(2, card.width() / 14);
  painter.drawRoundedRect(QRectF(0.5, 0.5, card.width() - 1, card.height() - 1), radius, radius);
  // Text needs the fonts of a running application; without one the card stays plain.
  if (!label.isEmpty() && QGuiApplication::instance() != nullptr) {
    QFont font = painter.font();
    font.setPixelSize(std::max(6, card.height() / 6));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(card.rect(), Qt::AlignCenter, label);
  }
  return card;
}

CardPictures::CardPictures(int faceDesign, int backDesign, int cardSet, QSize cardSize, bool alwaysOne,
                           int backNumber)
    : chosen_face_(faceDesign),
      chosen_back_(backDesign),
      card_set_(cardSet),
      card_size_(cardSize),
      always_one_(alwaysOne) {
  if (chosen_face_ < 0 || chosen_face_ >= kFaceDesigns) {
    qWarning("Card face design %d does not exist; design 0 is used", chosen_face_);
    chosen_face_ = 0;
  }
  if (chosen_back_ < 0 || chosen_back_ >= kBackDesigns) {
    qWarning("Card back design %d does not exist; design 0 is used", chosen_back_);
    chosen_back_ = 0;
  }
  face_design_ = chosen_face_;
  back_design_ = chosen_back_;
  SetCardSize(cardSet, cardSize);
  back_number_ = (backNumber >= 1 && backNumber <= 10) ? backNumber : TodayBackNumber(chosen_back_, alwaysOne);
}

void CardPictures::SetCardSize(int cardSet, QSize cardSize) {
  if (cardSet != kCardSetNormal && cardSet != kCardSetStretched && cardSet != kCardSetLarge) {
    qWarning("Card picture set %d does not exist; set 1 is used", cardSet);
    cardSet = kCardSetNormal;
  }
  if (cardSize.width() < 1 || cardSize.height() < 1) {
    qWarning("Card size %dx%d is empty; 71x96 is used", cardSize.width(), cardSize.height());
    cardSize = QSize(71, 96);
  }
  card_set_ = cardSet;
  card_size_ = cardSize;
  // Every change of size reads the libraries again for the chosen designs.
  face_design_ = chosen_face_;
  back_design_ = chosen_back_;
  fell_back_ = false;
  faces_loaded_ = false;
  back_loaded_ = false;
  sized_faces_.clear();
  sized_back_ = QImage();
  sized_blank_ = QImage();
  back_ = QImage();
}

void CardPictures::PickBackOfTheDay(int isoWeekday, int random1to10) {
  back_number_ = BackNumberOfTheDay(chosen_back_, always_one_, isoWeekday, random1to10);
  if (back_number_ < 1 || back_number_ > 10) back_number_ = 7;
  back_loaded_ = false;
  sized_back_ = QImage();
}

int CardPictures::FaceDesign() {
  LoadBack();
  return face_design_;
}

int CardPictures::BackDesign() {
  LoadBack();
  return back_design_;
}

bool CardPictures::FellBack() {
  LoadBack();
  return fell_back_;
}

bool CardPictures::FullWidth() {
  LoadBack();
  return IsFullWidthDesign(face_design_);
}

QSize CardPictures::PictureSize() const {
  if (card_set_ == kCardSetNormal) return kNormalPicture;
  return QSize(IsFullWidthDesign(face_design_) ? kLargeWidthFull : kLargeWidthNarrow, kLargeHeight);
}

QImage CardPictures::StandIn(const QString& label) const {
  if (card_set_ == kCardSetNormal && label.isEmpty()) {
    QImage white(kNormalPicture, QImage::Format_ARGB32_Premultiplied);
    white.fill(Qt::white);
    return white;
  }
  return PlainCard(PictureSize(), label);
}

void CardPictures::LogOnce(const QString& key, const QString& text) {
  if (logged_.contains(key)) return;
  logged_.insert(key, true);
  qWarning("%s", qUtf8Printable(text));
}

void CardPictures::LoadFaces() {
  if (faces_loaded_) return;
  faces_loaded_ = true;
  sized_faces_.clear();
  int design = face_design_;
  if (design != 0) {
    const QString library = Q(FaceLibrary(design));
    const ResourceLibrary probe(library);
    bool complete = probe.IsOpen();
    for (const std::string& name : FaceResourceNames(design, card_set_)) complete = complete && probe.Contains(Q(name));
    if (!complete) {
      LogOnce(QStringLiteral("faces %1/%2").arg(design).arg(card_set_),
              QStringLiteral("Card face design %1: %2 %3; design 0 is used")
                  .arg(design)
                  .arg(library, probe.IsOpen() ? QStringLiteral("lacks the pictures of card set %1").arg(card_set_)
                                               : QStringLiteral("was not found")));
      fell_back_ = true;
      design = 0;
    }
  }
  face_design_ = design;
  const ResourceLibrary library(Q(FaceLibrary(design)));
  const bool fullWidth = IsFullWidthDesign(design);
  int missing = 0;
  QString firstMissing;
  for (int ordinal = 1; ordinal <= 24; ++ordinal) {
    const TCard card = CardOfIndex(ordinal);
    const QString name = Q(FaceResourceName(card, design, card_set_));
    QImage picture;
    if (ReadPicture(library, name, picture)) {
      // Library faces are stored inverted inside the face ellipse.
      if (design > 0) InvertFaceEllipse(picture, card_set_, fullWidth);
      picture = Normalised(picture, card_set_);
    } else {
      if (missing++ == 0) firstMissing = name;
      picture = StandIn(Q(CardName(card)));
    }
    faces_[static_cast<std::size_t>(ordinal - 1)] = picture;
  }
  if (missing > 0)
    LogOnce(QStringLiteral("face pictures %1/%2").arg(design).arg(card_set_),
            QStringLiteral("%1 card face picture(s) of design %2 could not be read (first: \"%3\"); "
                           "plain cards are drawn")
                .arg(missing)
                .arg(design)
                .arg(firstMissing));
}

void CardPictures::LoadBack() {
  LoadFaces();  // the width class of the faces picks the back's size
  if (back_loaded_) return;
  back_loaded_ = true;
  sized_back_ = QImage();
  for (;;) {
    const bool fullWidth = IsFullWidthDesign(face_design_);
    const int count = BackCount(back_design_);
    const int number = (back_number_ - 1) % count + 1;  // a random back 8..10 of a design with seven
    const QString name = Q(BackResourceName(number, back_design_, card_set_, fullWidth));
    const QString libraryName = Q(BackLibrary(back_design_, card_set_, fullWidth));
    const ResourceLibrary library(libraryName);
    if (library.IsOpen() && library.Contains(name)) {
      QImage picture;
      if (ReadPicture(library, name, picture)) {
        back_ = Normalised(picture, card_set_);
      } else {
        LogOnce(QStringLiteral("back ") + name,
                QStringLiteral("Card back \"%1\" could not be read; a plain card is drawn").arg(name));
        back_ = StandIn(QString());
      }
      return;
    }
    if (libraryName.isEmpty()) {  // the program's own resources lack it
      LogOnce(QStringLiteral("back ") + name,
              QStringLiteral("Card back \"%1\" is missing; a plain card is drawn").arg(name));
      back_ = StandIn(QString());
      return;
    }
    LogOnce(QStringLiteral("backs %1/%2/%3").arg(back_design_).arg(card_set_).arg(face_design_),
            QStringLiteral("Card back design %1: %2 %3; design 0 is used")
                .arg(back_design_)
                .arg(libraryName, library.IsOpen() ? QStringLiteral("lacks \"%1\"").arg(name)
                                                   : QStringLiteral("was not found")));
    fell_back_ = true;
    if (back_design_ != 0) {
      back_design_ = 0;
    } else {
      // The narrow large backs of design 0 live in the library too: without
      // it the faces go back to design 0 as well, which is full width.
      face_design_ = 0;
      faces_loaded_ = false;
      LoadFaces();
    }
  }
}

QImage CardPictures::Framed(const QImage& picture) const {
  QImage card(card_size_, QImage::Format_ARGB32_Premultiplied);
  card.fill(Qt::black);
  {
    QPainter painter(&card);
    const QRect inner(1, 1, card_size_.width() - 2, card_size_.height() - 2);
    if (picture.size() == inner.size()) {
      painter.drawImage(inner.topLeft(), picture);
    } else {
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(inner, picture);
    }
  }
  for (const QPoint& p : RoundedCornerPixels(card_size_))
    if (card.rect().contains(p)) card.setPixel(p, 0);
  return card;
}

QImage CardPictures::AtCardSize(const QImage& picture) const {
  if (card_set_ == kCardSetNormal) return Framed(picture);
  if (picture.size() == card_size_) return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return picture.scaled(card_size_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage CardPictures::FacePicture(TCard card) {
  LoadBack();
  const int ordinal = CardIndex(card);
  if (ordinal < 1 || ordinal > 24) {
    const std::string bytes = card.Bytes();
    TCard unused;
    CardOfCode(bytes, unused);  // logs the code once
    return BlankPicture();
  }
  return faces_[static_cast<std::size_t>(ordinal - 1)];
}

QImage CardPictures::Face(TCard card) {
  LoadBack();
  const int ordinal = CardIndex(card);
  if (ordinal < 1 || ordinal > 24) {
    FacePicture(card);  // logs the code once
    return Blank();
  }
  auto found = sized_faces_.constFind(ordinal);
  if (found != sized_faces_.constEnd()) return *found;
  const QImage sized = AtCardSize(faces_[static_cast<std::size_t>(ordinal - 1)]);
  sized_faces_.insert(ordinal, sized);
  return sized;
}

QImage CardPictures::BackPicture() {
  LoadBack();
  return back_;
}

QImage CardPictures::Back() {
  LoadBack();
  if (sized_back_.isNull()) sized_back_ = AtCardSize(back_);
  return sized_back_;
}

QImage CardPictures::BlankPicture() const { return StandIn(QString()); }

QImage CardPictures::Blank() {
  if (sized_blank_.isNull())
    sized_blank_ = card_set_ == kCardSetNormal ? Framed(BlankPicture()) : PlainCard(card_size_);
  return sized_blank_;
}

bool CardPictures::CardOfCode(std::string_view code, TCard& card) {
  if (code.size() == 2) {
    card = TCard::Make(static_cast<std::uint8_t>(code[0]), static_cast<std::uint8_t>(code[1]));
    if (card.IsReal()) return true;
  }
  const QString hex = QString::fromLatin1(QByteArray(code.data(), static_cast<qsizetype>(code.size())).toHex());
  LogOnce(QStringLiteral("code ") + hex,
          QStringLiteral("No picture for card code \"%1\" (hex); a plain card is drawn").arg(hex));
  return false;
}

QImage CardPictures::PictureForCode(std::string_view code) {
  if (IsBackCode(code)) return BackPicture();
  TCard card;
  if (IsBlankCode(code) || !CardOfCode(code, card)) return BlankPicture();
  return FacePicture(card);
}

QImage CardPictures::ForCode(std::string_view code) {
  if (IsBackCode(code)) return Back();
  TCard card;
  if (IsBlankCode(code) || !CardOfCode(code, card)) return Blank();
  return Face(card);
}

}  // namespace varnok

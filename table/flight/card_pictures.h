// The card pictures of the table: faces of the chosen design, the back of the
// day and the blank card, each at the current card size.
//
// Pictures come from the program's own resources (design 0) or from the card
// libraries beside the program. A deck is read on first use and kept. When
// the chosen design's library is missing, or lacks the pictures of the card
// set in use, design 0 is taken instead and FellBack() says so; the caller
// puts its options back to the first design. A single picture that cannot be
// read becomes a plain white card with the card's name, with one log line.
//
// The card size comes as the layout's CardSize, or as a set number and a
// pixel size.
#pragma once

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <string_view>

#include "cards.h"
#include "layout.h"

namespace varnok {

// The special card codes of a picture: "00" is the current back; "No", "##"
// and "--" show no face (a blank card).
bool IsBackCode(std::string_view code);
bool IsBlankCode(std::string_view code);

// The twelve pixels of a normal-size card that fall outside its rounded
// corners: (0,0), (1,0), (0,1) and their mirrors at the other three corners.
std::array<QPoint, 12> RoundedCornerPixels(QSize card);

// A plain white card with a black edge and rounded corners, with `label`
// written in its middle when not empty: the blank card, and the stand-in for
// a picture that could not be read.
QImage PlainCard(QSize size, const QString& label = QString());

class CardPictures {
 public:
  // faceDesign 0..47, backDesign 0..12 (anything else is taken as 0, with a
  // log line); cardSet 1 normal, 0 stretched, 2 large; cardSize CardW x CardH.
  // The back of the day is chosen now: with backNumber 1..10 that one,
  // otherwise from today's weekday ("Always one": 7; designs 8 to 11 at random).
  CardPictures(int faceDesign, int backDesign, int cardSet, QSize cardSize, bool alwaysOne = false,
               int backNumber = 0);
  CardPictures(int faceDesign, int backDesign, const varnok::CardSize& size, bool alwaysOne = false,
               int backNumber = 0)
      : CardPictures(faceDesign, backDesign, size.CardSet, QSize(size.CardW, size.CardH), alwaysOne, backNumber) {}

  // A new card size (window size change): the pictures are read again on
  // first use, for the same choices and the same back of the day.
  void SetCardSize(int cardSet, QSize cardSize);
  void SetCardSize(const varnok::CardSize& size) { SetCardSize(size.CardSet, QSize(size.CardW, size.CardH)); }
  int CardSet() const { return card_set_; }
  QSize CardSize() const { return card_size_; }

  // Chooses the back of the day again (at a deal): iso weekday 1..7 and a
  // number 1..10 for the designs drawn at random; "Always one" gives 7.
  void PickBackOfTheDay(int isoWeekday, int random1to10);
  // The "Always one" choice, for the next pick.
  void SetAlwaysOne(bool alwaysOne) { always_one_ = alwaysOne; }
  bool AlwaysOne() const { return always_one_; }
  int BackNumber() const { return back_number_; }

  // The designs in use: the chosen ones, or 0 after a fallback. Asking reads
  // the faces and the back of the day (the fallback is found by reading).
  int FaceDesign();
  int BackDesign();
  // True when a chosen design's library was missing or lacked the pictures
  // of the card set, and design 0 was taken instead.
  bool FellBack();
  // The width class of the face design in use (a fallback to design 0 makes
  // a narrow design full width, and the caller's card size changes with it).
  bool FullWidth();

  // Pictures at the current card size. Set 1: the 69 x 94 picture inside a
  // black 71 x 96 frame whose corner pixels are transparent, as a card is
  // drawn on the table; set 0: the large picture stretched to CardW x CardH;
  // set 2: the large picture.
  QImage Face(TCard card);
  QImage Back();
  QImage Blank();
  // "00" the back, "No" / "##" / "--" the blank card, otherwise the face of
  // the code (two letters of code page 1251, as TCard::Bytes() gives).
  QImage ForCode(std::string_view code);

  // The pictures as read: 69 x 94 for set 1, the large picture otherwise.
  QImage FacePicture(TCard card);
  QImage BackPicture();
  QImage BlankPicture() const;
  QImage PictureForCode(std::string_view code);

 private:
  void LoadFaces();
  void LoadBack();
  QImage Framed(const QImage& picture) const;
  QImage AtCardSize(const QImage& picture) const;
  QSize PictureSize() const;
  QImage StandIn(const QString& label) const;
  void LogOnce(const QString& key, const QString& text);
  // The card of a two-letter code; false (logged once) for anything else.
  bool CardOfCode(std::string_view code, TCard& card);

  int chosen_face_;
  int chosen_back_;
  int face_design_;
  int back_design_;
  int card_set_;
  QSize card_size_;
  int back_number_;
  bool always_one_ = false;
  bool fell_back_ = false;
  bool faces_loaded_ = false;
  bool back_loaded_ = false;
  std::array<QImage, 24> faces_{};  // by card ordinal - 1
  QImage back_;
  QHash<int, QImage> sized_faces_;  // card ordinal -> picture at the card size
  QImage sized_back_;
  QImage sized_blank_;
  QHash<QString, bool> logged_;
};

}  // namespace varnok

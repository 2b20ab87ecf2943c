#include "card_names.h"

#include <QRegularExpression>

#include "names.h"

namespace varnok::builder {

namespace {

const char* const kSuitParts[] = {"Ch", "Bu", "Kr", "Pi"};
const char* const kSignParts[] = {"Cher", "Bubi", "Kres", "Piki"};
const char* const kRankParts[] = {"", "09", "2J", "3Q", "4K", "10", "5A"};

int IndexOf(const char* const* list, int count, const QString& word) {
  for (int i = 0; i < count; ++i) {
    if (word == QLatin1String(list[i])) return i;
  }
  return -1;
}

// The face design of a place whose own code, plus "" or "B", is the rest of the name.
bool FindFaceDesign(const QString& rest, const QString& library, int& design, bool& large) {
  for (int d = 0; d < kFaceDesigns; ++d) {
    if (QString::fromStdString(FaceLibrary(d)) != library) continue;
    const QString code = QString::fromStdString(FaceDesignCode(d));
    if (rest == code || rest == code + QLatin1Char('B')) {
      design = d;
      large = rest != code;
      return true;
    }
  }
  return false;
}

}  // namespace

QSize CardPictureSize(bool large, bool full_width) {
  if (!large) return QSize(69, 94);
  return full_width ? QSize(146, 198) : QSize(126, 198);
}

bool ParseCardPicture(const QString& name, const QString& library, QSize size, CardPicture& picture, QString* error) {
  static const QRegularExpression face(QStringLiteral("^(Ch|Bu|Kr|Pi)(09|10|2J|3Q|4K|5A)(.*)$"));
  static const QRegularExpression sign(QStringLiteral("^(Cher|Bubi|Kres|Piki)(.*)$"));
  static const QRegularExpression back(QStringLiteral("^(Ob(?:01Mo|02Tu|03We|04Th|05Fr|06Su|07Su|08XX|09XX|10XX))(.*)$"));
  auto fail = [&](const QString& why) {
    if (error) *error = QStringLiteral("\"%1\" (%2): %3").arg(name, library.isEmpty() ? QStringLiteral("builtin") : library, why);
    return false;
  };
  picture = CardPicture{};
  if (const auto m = sign.match(name); m.hasMatch()) {
    picture.type = CardPicture::Type::kSign;
    picture.suit = IndexOf(kSignParts, 4, m.captured(1));
    if (!FindFaceDesign(m.captured(2), library, picture.design, picture.large)) {
      return fail(QStringLiteral("no face design of this place has the code of this suit sign"));
    }
    if (size.width() != size.height() || size.width() <= 0) return fail(QStringLiteral("a suit sign must be square"));
    return true;
  }
  if (const auto m = face.match(name); m.hasMatch()) {
    picture.type = CardPicture::Type::kFace;
    picture.suit = IndexOf(kSuitParts, 4, m.captured(1));
    picture.rank_order = IndexOf(kRankParts, 7, m.captured(2));
    if (!FindFaceDesign(m.captured(3), library, picture.design, picture.large)) {
      return fail(QStringLiteral("no face design of this place has this code"));
    }
    picture.full_width = IsFullWidthDesign(picture.design);
  } else if (const auto m = back.match(name); m.hasMatch()) {
    picture.type = CardPicture::Type::kBack;
    picture.back_number = m.captured(1).mid(2, 2).toInt();
    const QString rest = m.captured(2);
    bool found = false;
    for (int b = 0; b < kBackDesigns && !found; ++b) {
      const QString code = QString::fromStdString(BackDesignCode(b));
      for (const char* suffix : {"", "B", "U"}) {
        if (rest == code + QLatin1String(suffix)) {
          picture.design = b;
          picture.large = *suffix != '\0';
          picture.full_width = *suffix != 'U';
          found = true;
          break;
        }
      }
    }
    if (!found) return fail(QStringLiteral("no back design has this code"));
    if (picture.back_number > BackCount(picture.design)) return fail(QStringLiteral("the back design has fewer backs"));
  } else {
    return fail(QStringLiteral("not a card face, suit sign or back name"));
  }
  const QSize expected = CardPictureSize(picture.large, picture.full_width);
  if (size != expected) {
    return fail(QStringLiteral("the size must be %1x%2").arg(expected.width()).arg(expected.height()));
  }
  return true;
}

}  // namespace varnok::builder

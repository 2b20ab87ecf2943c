// Reading a card picture's resource name back into what it shows: which face
// design, card, sign or back, and at which size. The manifest lists the names;
// the builder needs to know what to draw for each.
#pragma once

#include <QSize>
#include <QString>

namespace varnok::builder {

struct CardPicture {
  enum class Type { kFace, kSign, kBack } type = Type::kFace;
  int design = 0;      // face design (faces, signs) or back design (backs)
  int suit = 0;        // 0..3, faces and signs
  int rank_order = 0;  // 1..6 (9, J, Q, K, 10, A), faces
  int back_number = 0; // 1..10, backs
  bool large = false;  // large set ("B"/"U" suffix)
  bool full_width = true;
};

// Reads a face, suit sign or back name of a place ("" = built in). The size
// the manifest gives must be the one the name implies: 69 x 94 or the large
// 146 x 198 / 126 x 198 for faces and backs, any square for signs.
bool ParseCardPicture(const QString& name, const QString& library, QSize size, CardPicture& picture, QString* error);

// The size a card picture must have: 69 x 94 for set 1, else 146 x 198 when
// full width and 126 x 198 when narrow.
QSize CardPictureSize(bool large, bool full_width);

}  // namespace varnok::builder

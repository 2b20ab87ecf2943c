// The card table (resources/cards/decks.txt): which free SVG deck each face
// design is drawn from, with what variation, and what each back design's
// seven or ten backs are made of.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace varnok::builder {

struct DeckSource {
  QString id;        // short name used by the face and back lines
  QString file;      // the SVG (or SVGZ) file
  QString package;   // the Debian package that ships it
  QString licence;   // licence identifier, e.g. "GPL-3+"
  QString title;     // the deck's name and origin, for the licence notes
  double inset = 0.015;  // part of the card width cut off each edge (the deck's own border)
};

struct FaceDesignSource {
  int design = 0;
  QString deck;            // DeckSource id
  bool ivory = false;      // warm ivory paper instead of white
  bool four_colour = false;  // blue diamonds and green clubs
};

struct BackDesignSource {
  int design = 0;
  QStringList backs;  // one source per back number: "deck:ID[/cover]" or "PATTERN:COLOUR[:COLOUR]"
};

struct DeckTable {
  QHash<QString, DeckSource> decks;
  QHash<int, FaceDesignSource> faces;
  QHash<int, BackDesignSource> backs;
  QStringList errors;

  const DeckSource* DeckOfFace(int design) const;
};

DeckTable ReadDeckTable(const QString& path);

}  // namespace varnok::builder

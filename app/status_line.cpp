#include "status_line.h"

#include "guide_rows.h"
#include "words.h"

namespace varnok {

namespace {

QString Guide(int row) { return i18n::Text(i18n::WordsGuide, row); }

QString Name(const GameState& s, int seat) {
  return seat >= 1 && seat <= 3 ? QString::fromStdString(s.Names[static_cast<std::size_t>(seat)]).trimmed() : QString();
}

bool Playing(std::uint8_t phase) { return phase == phPlay1 || phase == phPlay2 || phase == phPlay3; }

// The turn of a seat while the trick or the bidding goes round.
int SeatOnTurn(const GameState& s) {
  if (s.Phase == phBid1 || s.Phase == phPlay1) return 1;
  if (s.Phase == phBid2 || s.Phase == phPlay2) return 2;
  return 3;
}

}  // namespace

QString SuitSign(std::uint8_t suit) {
  switch (suit) {
    case kHearts: return QStringLiteral("\u2665");
    case kDiamonds: return QStringLiteral("\u2666");
    case kClubs: return QStringLiteral("\u2663");
    case kSpades: return QStringLiteral("\u2660");
    default: return {};
  }
}

QString KeepSignsWithWords(const QString& text) {
  QString glued = text;
  for (qsizetype i = 1; i < glued.size(); ++i) {
    const char16_t c = glued[i].unicode();
    const bool sign = c == 0x2665 || c == 0x2666 || c == 0x2663 || c == 0x2660;
    if (sign && glued[i - 1] == QLatin1Char(' ')) glued[i - 1] = QChar(QChar::Nbsp);
  }
  return glued;
}

QString TurnText(const GameState& s, const StatusButtons& buttons) {
  if (!s.InGame) return {};
  const QString press_next = Guide(i18n::guide::kPressToContinue).arg(buttons.next_caption);
  if (s.GameOver) return buttons.pass_usable ? Guide(i18n::guide::kPressToContinue).arg(buttons.pass_caption) : QString();
  if (s.BidState == 1) return buttons.next_usable ? press_next : QString();
  switch (s.Phase) {
    case phBid1:
    case phBid2:
      return Guide(i18n::guide::kSeatPlaying).arg(Name(s, SeatOnTurn(s)));
    case phBid3:
      if (s.InBidding[3] && (buttons.next_usable || buttons.pass_usable)) return Guide(i18n::guide::kBidOrPass);
      break;
    case phGive:
      if (s.Declarer == 3) return Guide(i18n::guide::kChooseGift);
      break;
    case phGiveChosen:
      if (s.Declarer == 3) return Guide(i18n::guide::kGiveChosen).arg(buttons.next_caption);
      break;
    case phGiven:
      // The given cards have reached their seats: the player chooses trump
      // and order in the dialogs, which say so themselves.
      if (s.Declarer == 3 && s.HandCount[1] == 8 && s.HandCount[2] == 8) return {};
      break;
    case phPlay3: {
      const TCardList& hand = s.Hands[3];
      if (s.TrickPos == 1) return Guide(i18n::guide::kLeadAny);
      if (HasSuit(hand, s.LedSuit)) return Guide(i18n::guide::kFollow).arg(SuitSign(s.LedSuit));
      if (s.Trump != kNoSuit && HasSuit(hand, s.Trump))
        return Guide(i18n::guide::kTrumpIn).arg(SuitSign(s.LedSuit), SuitSign(s.Trump));
      return Guide(i18n::guide::kPlayAny);
    }
    case phTrickFull:
      if (buttons.next_usable) return Guide(i18n::guide::kCollectTrick).arg(buttons.next_caption);
      break;
    default:
      break;
  }
  if (Playing(s.Phase)) return Guide(i18n::guide::kSeatPlaying).arg(Name(s, SeatOnTurn(s)));
  return buttons.next_usable ? press_next : QString();
}

QString ContractText(const GameState& s) {
  if (!s.InGame || s.Declarer < 1 || s.Declarer > 3 || s.Phase < phOrdered || s.Phase > phRoundOver || s.Zakaz <= 0)
    return {};
  return Guide(i18n::guide::kContract)
      .arg(Name(s, s.Declarer), QString::number(s.Zakaz), s.Trump == kNoSuit ? QStringLiteral("-") : SuitSign(s.Trump));
}

QString RefusalText(const GameState& s, int slot) {
  if (!s.InGame || s.Phase != phPlay3 || s.TrickPos == 1 || slot < 1 || slot > 8) return {};
  const TCardList& hand = s.Hands[3];
  const TCard card = hand[slot];
  if (card.IsEmpty()) return {};
  if (HasSuit(hand, s.LedSuit)) {
    return card.suit == s.LedSuit ? QString() : Guide(i18n::guide::kRefusedFollow).arg(SuitSign(s.LedSuit));
  }
  if (s.Trump != kNoSuit && HasSuit(hand, s.Trump))
    return card.suit == s.Trump ? QString() : Guide(i18n::guide::kRefusedTrump).arg(SuitSign(s.Trump));
  return {};
}

}  // namespace varnok

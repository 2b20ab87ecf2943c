// The table for a screen reader: what the canvas's accessible parts say
// (the hands, the trick, the widow, the score panels, the bubbles, the round
// panel), read from the game as the table shows it, and the announcement of
// every bid, pass, card, won trick and finished round.
#include "form_game_record.h"
#include "game_controller.h"
#include "guide_rows.h"
#include "layout.h"
#include "main_window.h"
#include <QLabel>
#include "table_access.h"
#include "table_canvas.h"
#include "table_presenter.h"
#include "words.h"

namespace varnok {

namespace {

QString Guide(int row) { return i18n::Text(i18n::WordsGuide, row); }

QString SeatName(const GameState& s, int seat) { return QString::fromStdString(s.Names[seat]).trimmed(); }

bool WidowShown(const GameState& s) {
  return s.Phase == phBid1 || s.Phase == phBid2 || s.Phase == phBid3 || s.Phase == phBidDone ||
         s.Phase == phWidowOpen;
}

}  // namespace

void MainWindow::WireTableAccess() {
  table_access_ = new access::TableAccess(
      canvas_, [this] { return AccessItems(); }, Guide(i18n::guide::kAnnouncements));
}

std::vector<access::Item> MainWindow::AccessItems() const {
  std::vector<access::Item> items;
  const GameState& s = game_->ViewState();
  if (!s.InGame || title_shown_ || MenuShown()) return items;
  const auto layer = [this](Layer l) { return canvas_->LayerRect(l); };
  for (int seat = 1; seat <= 3; ++seat) {
    access::Item hand;
    hand.id = QStringLiteral("Hand%1").arg(seat);
    hand.role = QAccessible::List;
    hand.name = Guide(i18n::guide::kHandOf).arg(SeatName(s, seat));
    hand.rect = layer(seat == 1 ? Layer::ImageCards1 : seat == 2 ? Layer::ImageCards2 : Layer::ImageCards3);
    const bool open = seat == 3 || presenter_->DebugView();
    if (open) {
      for (int slot = 1; slot <= s.HandCount[seat]; ++slot) {
        access::Item card;
        card.id = QStringLiteral("Hand%1.%2").arg(seat).arg(slot);
        card.role = QAccessible::ListItem;
        card.name = CardText(s.Hands[seat][slot]);
        card.rect = presenter_->HandCardInWindow(seat, s.HandCount[seat], slot);
        hand.children.push_back(std::move(card));
      }
    } else {
      hand.value = Guide(i18n::guide::kCardsDown).arg(s.HandCount[seat]);
    }
    items.push_back(std::move(hand));
  }
  access::Item trick;
  trick.id = QStringLiteral("Trick");
  trick.role = QAccessible::List;
  trick.name = Guide(i18n::guide::kTableCards);
  trick.rect = layer(Layer::ImageStol);
  const int leader = s.Phase == phTrickFull ? s.PrevLeader : s.Leader;
  for (int pos = 1; pos <= 3; ++pos) {
    if (!s.Stol[pos].IsReal() || leader < 1 || leader > 3) continue;
    const int seat = (leader - 1 + pos - 1) % 3 + 1;
    access::Item card;
    card.id = QStringLiteral("Trick.%1").arg(pos);
    card.role = QAccessible::ListItem;
    card.name = SeatName(s, seat) + QStringLiteral(": ") + CardText(s.Stol[pos]);
    card.rect = presenter_->TrickPlaceInWindow(seat);
    trick.children.push_back(std::move(card));
  }
  items.push_back(std::move(trick));
  if (WidowShown(s)) {
    access::Item widow;
    widow.id = QStringLiteral("Widow");
    widow.role = QAccessible::List;
    widow.name = Guide(i18n::guide::kWidowCards);
    widow.rect = presenter_->WidowPlaceInWindow(1).united(presenter_->WidowPlaceInWindow(3));
    if (s.Phase == phWidowOpen) {
      for (int w = 1; w <= 3; ++w) {
        access::Item card;
        card.id = QStringLiteral("Widow.%1").arg(w);
        card.role = QAccessible::ListItem;
        card.name = CardText(s.Widow[static_cast<std::size_t>(w)]);
        card.rect = presenter_->WidowPlaceInWindow(w);
        widow.children.push_back(std::move(card));
      }
    } else {
      widow.value = Guide(i18n::guide::kCardsDown).arg(3);
    }
    items.push_back(std::move(widow));
  }
  for (int seat = 1; seat <= 3; ++seat) {
    access::Item panel;
    panel.id = QStringLiteral("Panel%1").arg(seat);
    panel.role = QAccessible::StaticText;
    panel.name = SeatName(s, seat);
    panel.value = Guide(i18n::guide::kPanelValue).arg(s.Scores[seat]).arg(s.RoundPoints[seat]);
    if (seat == s.Declarer && s.Zakaz > 0) panel.value += QStringLiteral(", ") + Guide(i18n::guide::kOrderIs).arg(s.Zakaz);
    panel.rect = layer(seat == 1 ? Layer::ImageTab1 : seat == 2 ? Layer::ImageTab2 : Layer::ImageTab3);
    items.push_back(std::move(panel));
    const QString bubble_text = presenter_->BubbleText(seat);
    if (bubble_text.isEmpty()) continue;
    access::Item bubble;
    bubble.id = QStringLiteral("Bubble%1").arg(seat);
    bubble.role = QAccessible::StaticText;
    bubble.name = bubble_text;
    bubble.rect = layer(seat == 1 ? Layer::ImageSay1 : seat == 2 ? Layer::ImageSay2 : Layer::ImageSay3);
    items.push_back(std::move(bubble));
  }
  access::Item round;
  round.id = QStringLiteral("Round");
  round.role = QAccessible::StaticText;
  round.name = Guide(i18n::guide::kRoundNo).arg(s.RoundNo);
  if (s.Trump != kNoSuit) round.value = Guide(i18n::guide::kTrumpIs).arg(CardText(TCard::Make(kRankA, s.Trump)).mid(1));
  round.rect = layer(Layer::ImageKon);
  items.push_back(std::move(round));
  // The status line and the table buttons are widgets of the canvas: Qt reads them itself.
  return items;
}

void MainWindow::AnnounceMove(const Move& move) {
  switch (move.kind) {
    case Move::Kind::Card:
    case Move::Kind::Bid:
    case Move::Kind::Pass:
    case Move::Kind::Collect:
    case Move::Kind::Score:
    case Move::Kind::NewGame:
    case Move::Kind::NextRound:
      if (table_access_ != nullptr) table_access_->Announce(DescribeStep(ReplayStep{0, move, state_}, &announce_before_));
      break;
    default: break;
  }
  announce_before_ = state_;
}

}  // namespace varnok

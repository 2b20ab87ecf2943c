// What a copy sends after each step of its player, and the computer seat's
// moves in a game of two people: the client answers for the computer after
// its own bid or card, the server makes its leads and its declarer's steps.
#include "deal_record.h"
#include "net_session.h"

namespace varnok::netsession {

namespace {

using net::MoveShape;
using net::SeatCell;

}  // namespace

net::SeatCell NetSession::MarriageCell() const {
  if (s_.MarriageNow == 2) return SeatCell::Forty();
  if (s_.MarriageNow == 1) return SeatCell::Twenty();
  return SeatCell::Empty();
}

// --- sending ------------------------------------------------------------------------

void NetSession::SendShape(const MoveShape& shape, bool to_next) {
  const net::Addressee to{net_pos_, to_next, false};
  const int receiver = to.Receiver();
  std::string record;
  if (Human(receiver)) {
    if (const auto built = net::BuildMove(shape, to)) record = *built;
    else Log(QString("no record for step %1 to seat %2").arg(static_cast<int>(shape.kind)).arg(receiver));
  }
  // Seat 2 of a game of three writes both its records to the server. The one
  // for seat 3 goes first: the server passes it on as it arrives, so that its
  // own answer to the record for the server can never reach seat 3 before it.
  if (!to_next && net_pos_ == 2 && ThreeHumans()) {
    held_.push_back(std::move(record));
    return;
  }
  // The server writes to seat 2 on connection 0 and to seat 3 on connection 1.
  if (!record.empty()) Queue(IsServer() ? receiver - 2 : 0, std::move(record));
  QueuePause(pauses_.between_sends_ms);
  if (to_next) SendHeld();
}

void NetSession::SendHeld() {
  std::vector<std::string> held = std::move(held_);
  held_.clear();
  for (auto& record : held) {
    if (!record.empty()) Queue(0, std::move(record));
    QueuePause(pauses_.between_sends_ms);
  }
}

void NetSession::SendToPrevious(const MoveShape& shape) { SendShape(shape, false); }
void NetSession::SendToNext(const MoveShape& shape) { SendShape(shape, true); }
void NetSession::SendToBoth(const MoveShape& shape) {
  SendToPrevious(shape);
  SendToNext(shape);
}

void NetSession::SendDeal() {
  const auto record = net::BuildDeal(s_, keep_after_100_);
  if (!record) {
    Log("the deal could not be written");
    return;
  }
  Queue(0, *record);
  if (ThreeHumans()) Queue(1, *record);
}

void NetSession::DealOnTable(bool keep_after_100, bool new_game) {
  EngineOptions options = engine_.Options();
  options.KeepAfter100 = keep_after_100;
  engine_.SetOptions(options);
  game_running_ = true;
  buttons_ = {};
  // The server deals itself; a client takes the deal the server sent.
  ApplyOwn(new_game ? Move::NewGame() : Move::NextRound(), IsServer() ? MoveSource::Here : MoveSource::Record);
}

bool NetSession::ApplyOwn(const Move& move, MoveSource source) {
  ++applying_;
  const bool applied = engine_.Apply(move, source);
  --applying_;
  return applied;
}

bool NetSession::BeginGame() {
  if (!IsServer() || link_ != LinkState::Waiting || clients_joined_ < 0) return false;
  link_ = LinkState::Dealing;
  SetTableMode();
  DealOnTable(keep_after_100_, true);
  SendDeal();
  Q_EMIT GameBegins();
  Q_EMIT Dealt(true);
  return true;
}

// --- the local player's steps -----------------------------------------------------

void NetSession::LocalMove(const Move& move) {
  // The steps the session applies itself (records, deals, the computer seat) are sent where they are made.
  if (applying_ > 0) return;
  if (!game_running_ || interrupted_ || net_pos_ == 0) return;
  using K = Move::Kind;
  switch (move.kind) {
    case K::NewGame:
    case K::Pick:
    case K::Unpick: break;  // the gift is told once it is given
    case K::Begin:
      // A computer seat this copy plays (the server's, in a game of two) opens with 60 at once.
      if (engine_.KindOf(s_.Leader) == SeatKind::Computer && s_.CurrentBid == kOpeningBidBase &&
          ApplyOwn(Move::Bid(s_.Leader))) {
        SendToNext(MoveShape::ComputerOpeningBid(3));
        buttons_ = {true, true};
      }
      break;
    case K::Bid:
    case K::Pass:
      if (move.seat == 3) AfterBid(move.kind == K::Bid);
      break;
    case K::OpenWidow:
      SendToBoth(MoveShape::WidowOpened());
      QueuePause(pauses_.after_widow_ms);
      break;
    case K::TakeWidow:
    case K::Give:
    case K::ShowGiven:
    case K::Trump:
    case K::Order: AfterDeclarerStep(move); break;
    case K::StartPlay: ComputerLeadIfDue(); break;
    case K::Card:
      if (move.seat == 3) {
        // The table enables "Ok" for the player who won the trick with his own card.
        if (s_.Phase == phTrickFull && s_.Leader == 3) buttons_.action_enabled = true;
        AfterCard(move);
      }
      break;
    case K::Collect:
      buttons_.action_enabled = false;
      SendToBoth(MoveShape::TrickCollected());
      // Across the network the round is scored as soon as its last trick is collected.
      if (s_.Phase == phRoundOver) engine_.Apply(Move::Score());
      else ComputerLeadIfDue();
      break;
    case K::Score: break;
    case K::NextRound:
      if (IsServer()) {
        buttons_ = {};
        SendDeal();
        Q_EMIT ChatEnabled(true);
        Q_EMIT Dealt(false);
      }
      break;
  }
  SendHeld();
  AdjustButtons();
}

void NetSession::AfterDeclarerStep(const Move& move) {
  using K = Move::Kind;
  const bool computer_declarer = engine_.KindOf(s_.Declarer) == SeatKind::Computer;
  switch (move.kind) {
    case K::TakeWidow:
      SendToBoth(MoveShape::WidowTaken());
      break;
    case K::Give:
      SendToBoth(MoveShape::CardsGiven(move.a, move.b));
      if (computer_declarer) QueuePause(pauses_.computer_step_ms);
      break;
    case K::ShowGiven:
      SendToBoth(MoveShape::GivingDone());
      break;
    case K::Trump:
      SendToBoth(MoveShape::TrumpChosen(static_cast<std::uint8_t>(move.a)));
      break;
    case K::Order:
      if (computer_declarer) {
        // The computer chose its trump together with its gift.
        QueuePause(pauses_.computer_step_ms);
        SendToBoth(MoveShape::TrumpChosen(s_.Trump));
        QueuePause(pauses_.computer_step_ms);
      }
      SendToBoth(MoveShape::ContractAnnounced(move.a));
      break;
    default: break;
  }
}

// --- bidding --------------------------------------------------------------------

void NetSession::ComputerMaxBid() {
  const auto seat = static_cast<std::size_t>(ComputerRel());
  if (s_.MaxBid[seat] == 0 && computer_) s_.MaxBid[seat] = computer_->MaxBid(static_cast<int>(seat), s_);
}

bool NetSession::ComputerBids(int seat) {
  // The seat's limit is worked out once a deal, when it first bids; the
  // engine's computer controller then bids or passes as at a local table.
  ComputerMaxBid();
  const std::optional<Move> move = engine_.ComputerMove(seat);
  if (!move || !ApplyOwn(*move)) {
    Log(QString("the computer seat %1 has no bid to make").arg(seat));
    return false;
  }
  return move->kind == Move::Kind::Bid;
}

void NetSession::AfterBid(bool bid) {
  if (ThreeHumans()) AfterBidThree(bid);
  else if (IsServer()) AfterBidServer(bid);
  else AfterBidClient(bid);
  // What the buttons now show, for the captions that records set later.
  if (s_.Phase == phBid3) buttons_ = {s_.CurrentBid + kBidStep <= kMaxOrder, true};
  else if (s_.Phase != phBidDone) buttons_ = {};
}

void NetSession::AfterBidThree(bool bid) {
  const SeatCell own = bid ? SeatCell::Bid(s_.CurrentBid) : SeatCell::Pass();
  const bool next_bids = s_.InBidding[1];
  const bool previous_bids = s_.InBidding[2];
  const int next_bid = s_.CurrentBid + kBidStep;
  if (next_bids) SendToPrevious(MoveShape::BidReport(net_pos_, own));
  else if (bid) SendToPrevious(MoveShape::TurnToBid(next_bid, net_pos_, own));
  else SendToPrevious(MoveShape::BiddingWon(true, net_pos_));

  if (!next_bids) SendToNext(MoveShape::BidReport(net_pos_, own));
  else if (bid || previous_bids) SendToNext(MoveShape::TurnToBid(next_bid, net_pos_, own));
  else SendToNext(MoveShape::BiddingWon(true, net_pos_));
}

// The client of a game of two: its next seat is the computer (relative seat 1).
void NetSession::AfterBidClient(bool bid) {
  SendToPrevious(MoveShape::BidReport(net_pos_, bid ? SeatCell::Bid(s_.CurrentBid) : SeatCell::Pass()));
  const bool computer_bids = s_.InBidding[1];
  const bool server_bids = s_.InBidding[2];
  if (computer_bids && (server_bids || bid)) {
    const bool raise = ComputerBids(1);
    const SeatCell answer = raise ? SeatCell::Bid(s_.CurrentBid) : SeatCell::Pass();
    if (!server_bids) SendToPrevious(MoveShape::BidReport(3, answer));
    else if (raise || bid) SendToPrevious(MoveShape::TurnToBid(s_.CurrentBid + kBidStep, 3, answer));
    else SendToPrevious(MoveShape::BiddingWon(true, 3));
  } else if (computer_bids) {
    // The computer alone still bids: the server's player acts for it from here on.
    SendToPrevious(MoveShape::BiddingWon());
  } else if (server_bids) {
    if (bid) SendToPrevious(MoveShape::TurnToBid(s_.CurrentBid + kBidStep));
    else SendToPrevious(MoveShape::BiddingWon());
  }
}

// The server of a game of two: its next seat is the client, its previous the computer.
void NetSession::AfterBidServer(bool bid) {
  SendToNext(MoveShape::BidReport(net_pos_, bid ? SeatCell::Bid(s_.CurrentBid) : SeatCell::Pass()));
  const bool client_bids = s_.InBidding[1];
  const bool computer_bids = s_.InBidding[2];
  if (client_bids) {
    if (bid || computer_bids) SendToNext(MoveShape::TurnToBid(s_.CurrentBid + kBidStep));
    else SendToNext(MoveShape::BiddingWon());
  } else if (computer_bids) {
    if (bid) {
      const bool raise = ComputerBids(2);
      SendToNext(MoveShape::BidReport(3, raise ? SeatCell::Bid(s_.CurrentBid) : SeatCell::Pass()));
    } else {
      // The computer has won; the client hears of the pass once more.
      SendToNext(MoveShape::BidReport(net_pos_, SeatCell::Pass()));
    }
  }
}

// --- cards ----------------------------------------------------------------------

int NetSession::PlayComputerCard(int seat) {
  // The engine asks the computer players and plays the rules' card for a faulty request.
  const std::optional<Move> move = engine_.ComputerMove(seat);
  if (!move || move->kind != Move::Kind::Card || !ApplyOwn(*move)) {
    Log(QString("the computer seat %1 has no card to play").arg(seat));
    return 0;
  }
  return move->a;
}

void NetSession::AfterCard(const Move& move) {
  const int position = s_.TrickPos - 1;  // where the card lies in the trick
  if (ThreeHumans()) AfterCardThree(move, position);
  else if (IsServer()) AfterCardServer(move, position);
  else AfterCardClient(move, position);
}

void NetSession::AfterCardThree(const Move& move, int position) {
  const SeatCell marriage = MarriageCell();
  SendToPrevious(MoveShape::CardPlayed(net_pos_, move.a, marriage));
  if (position < 3) {
    SendToNext(MoveShape::CardPlayedReceiverToPlay(net_pos_, move.a, marriage));
    return;
  }
  SendToNext(MoveShape::CardPlayed(net_pos_, move.a, marriage));
  // The winner of the trick collects it.
  if (s_.Leader == 1) SendToNext(MoveShape::TrickToReceiver());
  else if (s_.Leader == 2) SendToPrevious(MoveShape::TrickToReceiver());
}

// The client of a game of two: the server is its previous seat, the computer its next.
void NetSession::AfterCardClient(const Move& move, int position) {
  SendToPrevious(MoveShape::CardPlayed(net_pos_, move.a, MarriageCell()));
  if (position == 1) {
    const int slot = PlayComputerCard(1);
    if (slot) SendToPrevious(MoveShape::CardPlayedReceiverToPlay(3, slot));
  } else if (position == 2) {
    const int slot = PlayComputerCard(1);
    if (slot == 0) return;
    if (s_.Leader == 3) {
      SetNextEnabled(true);
      SendToPrevious(MoveShape::CardPlayed(3, slot));
    } else {
      SendToPrevious(MoveShape::TrickToReceiver(3, slot));
    }
  } else if (s_.Leader == 3) {
    SetNextEnabled(true);
    SendToPrevious(MoveShape::Empty());
  } else {
    SendToPrevious(MoveShape::TrickToReceiver());
  }
}

// The server of a game of two: the client is its next seat.
void NetSession::AfterCardServer(const Move& move, int position) {
  const SeatCell marriage = MarriageCell();
  if (position < 3) {
    SendToNext(MoveShape::CardPlayedReceiverToPlay(net_pos_, move.a, marriage));
    return;
  }
  // The client led and this card completes the trick.
  if (s_.Leader == 1) {
    SendToNext(MoveShape::TrickToReceiver(net_pos_, move.a));
  } else {
    SetNextEnabled(true);
    SendToNext(MoveShape::CardPlayed(net_pos_, move.a, marriage));
  }
}

void NetSession::ComputerLeadIfDue() {
  if (s_.Phase < phPlay1 || s_.Phase > phPlay3 || s_.TrickPos != 1) return;
  const int seat = s_.Phase - 10;
  if (s_.Leader != seat || engine_.KindOf(seat) != SeatKind::Computer) return;
  const int slot = PlayComputerCard(seat);
  if (slot) SendToNext(MoveShape::CardPlayed(3, slot, MarriageCell()));
}

// --- the table buttons ------------------------------------------------------------

void NetSession::SetNextEnabled(bool enabled) {
  buttons_.action_enabled = enabled;
  ui_.EnableButton(TableButton::Next, enabled);
}

// Only the copy whose seat acts may press "Ok": the declarer's copy through
// the widow, the gift and the order, the winner's copy for a full trick (the
// server's for the computer seat's steps). The engine's steps enable the
// button on every copy, so the others are switched off here.
void NetSession::AdjustButtons() {
  if (!s_.InGame || s_.BidState == 1) return;
  int actor = 0;
  switch (s_.Phase) {
    case phBid1:
    case phBid2:
      buttons_ = {};
      ui_.EnableButton(TableButton::Next, false);
      ui_.EnableButton(TableButton::Pass, false);
      return;
    case phBidDone:
    case phWidowOpen: actor = net::SoleBidder(s_); break;
    case phGive:
      if (s_.Declarer == 3) return;  // the player picks two cards first
      actor = s_.Declarer;
      break;
    case phGiven:
    case phOrdered: actor = s_.Declarer; break;
    case phTrickFull:
      // The winner's copy collects once it has been told so (a record's "e"
      // or its own last card); the card alone may arrive first.
      SetNextEnabled(buttons_.action_enabled && engine_.KindOf(s_.Leader) != SeatKind::Remote);
      return;
    case phPlay1:
    case phPlay2:
    case phPlay3: buttons_.action_enabled = false; return;
    default: return;
  }
  SetNextEnabled(actor != 0 && engine_.KindOf(actor) != SeatKind::Remote);
}

}  // namespace varnok::netsession

// Who makes each seat's moves. A seat is played by the local player (the
// mouse, the keyboard and the two dialogs), by a computer player, or by a
// remote copy whose moves arrive as records. The engine asks the controller
// of the seat whose turn it is; only a computer controller answers with a
// move, the others' moves come to Engine::Apply by input or by record.
#pragma once

#include <optional>

#include "game_state.h"
#include "move.h"
#include "players.h"

namespace varnok {

enum class SeatKind { Local, Computer, Remote };

class SeatController {
 public:
  virtual ~SeatController() = default;
  virtual SeatKind Kind() const = 0;
  // The seat's move when it is its turn to bid or to play a card in
  // `state`; nothing when its moves arrive some other way.
  virtual std::optional<Move> NextMove(int /*seat*/, const GameState& /*state*/) { return std::nullopt; }
  // The computer players behind the seat, if it has any (a computer declarer plans its gift with them).
  virtual ComputerPlayers* Players() const { return nullptr; }
};

class LocalController : public SeatController {
 public:
  SeatKind Kind() const override { return SeatKind::Local; }
};

class RemoteController : public SeatController {
 public:
  SeatKind Kind() const override { return SeatKind::Remote; }
};

class ComputerController : public SeatController {
 public:
  explicit ComputerController(ComputerPlayers* players = nullptr) : players_(players) {}
  void SetPlayers(ComputerPlayers* players) { players_ = players; }

  SeatKind Kind() const override { return SeatKind::Computer; }
  // A bid while the seat's limit (GameState::MaxBid) is above the bid and a
  // raise stays within the highest order, else a pass; a card from the
  // computer players (nothing without them).
  std::optional<Move> NextMove(int seat, const GameState& state) override;
  ComputerPlayers* Players() const override { return players_; }

 private:
  ComputerPlayers* players_;
};

// Who sits where at a table of this mode, as this copy sees it. Seat 3 is
// always the local player. At a local table seats 1 and 2 are computer
// players; at a tournament table both are remote. In a network game of
// three people both are remote; in a game of two people the computer seat
// is played by the server's copy (seat 2 there) and is remote on the
// client's copy, whose steps for it are answers the exchange asks of it.
PerSeat<SeatKind> SeatKindsFor(const TableMode& mode);

}  // namespace varnok

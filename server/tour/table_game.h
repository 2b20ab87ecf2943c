// One game at a tournament table as the relay referees it. Plain C++: the
// sockets, clocks and storage belong to the relay (relay.h).
//
// The table keeps the game as each seat's copy keeps it: three engines, one
// in each seat's own numbering, always in the same state. A seat's step
// arrives as two move records, one for each of the other seats. The first of
// them is checked against the addressed seat's engine exactly as that
// seat's copy checks it (CheckMoveRules: the step must be one the engine
// takes now, from the seat that sent it, with the phase and the next bid it
// leads to); when it passes, the step is taken on all three engines. The
// second record must tell the other seat the same step. Until it has, the
// sender takes no new step. A record that fails is refused and never
// relayed; a seat that keeps sending them is to be disconnected.
//
// The deal comes from the table (its random source), the result from the
// engines: the game's general counts when it ends normally.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "receive_buffer.h"
#include "records.h"

namespace varnok::tour {

// Bytes for table position `to` (1 to 3).
struct Send {
  int to = 0;
  std::string bytes;
  friend bool operator==(const Send&, const Send&) = default;
};

enum class Ending { None, Finished, Left, TimedOut };

struct Verdict {
  bool accepted = true;
  std::string why;          // what was wrong with a refused record (or a result that disagreed)
  bool disconnect = false;  // the sender has sent more refused records than any copy would
};

class TableGame {
 public:
  // A uniform number in [0, bound): the deal's random source.
  using Random = std::function<std::uint32_t(std::uint32_t bound)>;

  explicit TableGame(Random random, int refused_limit = 3);
  ~TableGame();
  TableGame(const TableGame&) = delete;
  TableGame& operator=(const TableGame&) = delete;

  // The three seats are there: the first deal, for all three.
  void Start(std::vector<Send>& out);
  // One record from position `from` as the receive buffer cut it.
  Verdict Receive(int from, const net::Received& record, std::vector<Send>& out);
  // Position `who` left the table or ran out of time: the others are told.
  void End(Ending how, int who, std::vector<Send>& out);

  bool Started() const { return started_; }
  bool Running() const { return started_ && ending_ == Ending::None; }
  Ending ending() const { return ending_; }
  int Offender() const { return offender_; }
  // The position that must act now (0: none).
  int Turn() const;
  // Grows with every step and deal: the move clock starts again.
  std::uint64_t Steps() const { return steps_; }
  int Round() const;
  // The general counts of positions 1, 2, 3 now (the other two scores minus
  // twice one's own).
  std::array<int, 3> Counts() const;
  // The game scores of positions 1, 2, 3.
  std::array<int, 3> Scores() const;

 private:
  struct Mirror;
  struct Step {
    int kind = 0;
    int seat = 0;
    int a = 0, b = 0, c = 0;
    friend bool operator==(const Step&, const Step&) = default;
  };
  struct Pending {
    Step step;
    int owed_to = 0;
    int phase = 0;  // after the step, in table positions
    int bid = 0;
  };

  Verdict Refuse(int from, std::string why);
  Verdict Move(int from, const net::Received& record, std::vector<Send>& out);
  Verdict ControlRecord(int from, const net::Received& record, std::vector<Send>& out);
  void Deal(bool new_game, std::vector<Send>& out);
  void FinishIfOver(std::vector<Send>& out);
  // Sends a checked record on, or holds it while the seat it goes to has not
  // yet been told another seat's step (its copy takes the steps in order).
  void Emit(int from, int to, const std::string& wire, std::vector<Send>& out);
  bool OwedBy(int to, int except) const;
  void Release(int to, std::vector<Send>& out);
  static std::optional<Step> StepOf(const net::MoveFields& fields, int receiver, int* steps);
  const Mirror& Table() const;  // the engine numbered as the table (position 3's)

  Random random_;
  int refused_limit_;
  std::array<std::unique_ptr<Mirror>, 4> mirrors_;  // 1..3
  std::array<std::optional<Pending>, 4> pending_;
  struct Held {
    int from = 0;
    std::string wire;
  };
  std::array<std::vector<Held>, 4> held_;
  std::array<int, 4> refused_{};
  std::array<int, 4> stepless_{};
  std::array<int, 4> results_told_{};
  bool started_ = false;
  Ending ending_ = Ending::None;
  int offender_ = 0;
  std::uint64_t steps_ = 0;
};

}  // namespace varnok::tour

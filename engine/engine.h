// The rules engine: the operations of a round and the machine that drives
// them (timer tick, "next" button, "pass" button). It changes the GameState
// it is given and reports everything visible through a Presenter.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "game_state.h"
#include "move.h"
#include "players.h"
#include "presenter.h"
#include "seat_controller.h"
#include "shuffle.h"

namespace varnok {

inline constexpr int kTimerMenuMs = 20;
inline constexpr int kTimerBidMs = 200;
inline constexpr int kTimerPlayMs = 300;

class Engine {
 public:
  Engine(GameState& state, Presenter& presenter);
  // The seat table points into the engine itself.
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // --- wiring -------------------------------------------------------------
  // The computer players: the engine's computer controller plays with
  // them, and they hear of every round, whoever plays the seats.
  void SetComputerPlayers(ComputerPlayers* players);
  // The mode also places the seats' controllers (SeatKindsFor).
  void SetMode(const TableMode& mode);
  // Hands `seat` to another controller until the next SetMode (a null
  // controller gives it back to the one the mode places there).
  void SetSeatController(int seat, SeatController* controller);
  void SetOptions(const EngineOptions& options) { options_ = options; }
  void SetPlayerName(std::string name) { player_name_ = std::move(name); }
  // Game number and score of the profile that plays (a guest: 1 and 0).
  void SetProfile(int kon_no, int profile_score);
  // Seeds the next shuffles; without a seed every shuffle is seeded from the clock.
  void SetShuffleSeed(std::optional<std::uint64_t> seed);
  // The next deal uses this deck order instead of a shuffle (once).
  void SetNextDeck(const DeckOrder& deck) { next_deck_ = deck; }
  // The next new game goes on with a kept one: it starts at round `round`
  // with these scores (once).
  void SetResume(int round, const PerSeat<int>& scores) { resume_ = ResumePoint{round, scores}; }
  // Hears the diagnostic record (DiagnosticRecord) of every faulty card
  // request a seat's controller made; the caller keeps it where it wants.
  void SetFaultListener(std::function<void(const std::string&)> listener) { fault_listener_ = std::move(listener); }
  // Called after every move that was applied, with the move as it was played.
  void SetMoveListener(std::function<void(const Move&)> listener) { listener_ = std::move(listener); }

  const GameState& State() const { return s_; }
  const TableMode& Mode() const { return mode_; }
  const EngineOptions& Options() const { return options_; }
  int TimerInterval() const { return timer_ms_; }
  bool TimerRunning() const { return timer_running_; }
  // The number of faulty card requests replaced since the engine was made.
  int FaultyRequests() const { return faulty_requests_; }

  // --- the machine --------------------------------------------------------
  void Tick();       // Timer1
  void PressNext();  // Button7
  void PressPass();  // Button8
  // A left click on seat 3's hand slot: picking or unpicking one of the two
  // cards to give as declarer (phases 6 and 7) or playing a card (phase 13),
  // each a move. A card that may not be played only sounds "WWrongs".
  // Returns whether anything changed.
  bool ClickCard(int slot);
  // Leaves the table (after a finished game, or early after confirmation).
  void LeaveTable();

  // The one way to change a round: every step, whoever takes it, is applied
  // here and then reported to the move listener. Returns false, changing
  // nothing, when the step does not fit the state (wrong phase, wrong seat,
  // a card the seat may not play).
  bool Apply(const Move& move, MoveSource source = MoveSource::Here);
  // Whether Apply would take `move` now: the same check, changing nothing.
  bool Allows(const Move& move, MoveSource source = MoveSource::Here) const { return Valid(move, source); }

  // What the computer players would do for `seat` now (a bid, a pass or a
  // card), whoever plays the seat on this copy: the client of a game of two
  // answers for the server's computer seat. A card the seat may not play is
  // a faulty request: it is counted and reported to the fault listener, and
  // the card the rules give instead (ReplacementSlot) comes back as the move.
  // Nothing when the seat has no move to make now.
  std::optional<Move> ComputerMove(int seat);

  // What the local player must answer in a dialog now: as declarer, once the
  // given cards are shown, the trump and then the order. The answer is a
  // Trump or an Order move.
  enum class Question { None, Trump, Order };
  Question LocalQuestion() const;

  // --- questions about the table (they change nothing) --------------------
  bool IsIllegalHumanCard(int slot) const;
  PerSeat<int> GeneralCount() const { return varnok::GeneralCount(s_.Scores); }
  // True when `slot` of `seat`'s hand may not be played now.
  bool IsIllegalCard(int seat, int slot) const;
  // Whether `slot` of `seat`'s hand holds a card that may be played now; a
  // card step asking for any other is refused.
  bool CardPlayable(int seat, int slot) const;
  // The card the rules play for `seat` instead of a faulty request: the
  // highest card on a lead, else the lowest of the led suit, else the lowest
  // trump, else the lowest card (0 for an empty hand).
  int ReplacementSlot(int seat) const;
  // Who makes `seat`'s moves on this copy.
  // A seat number outside 1..3 names no seat this copy plays: remote.
  const SeatController& Controller(int seat) const;
  SeatKind KindOf(int seat) const { return Controller(seat).Kind(); }
  // Whether some seat's moves arrive as records from another copy.
  bool HasRemoteSeat() const;
  // Draws the winning bid at the remaining bidder's panel (only the panels).
  void ShowFinalBids();

 private:
  // --- the operations behind Apply ---------------------------------------
  void Deal(bool new_game);
  void Shuffle();
  void ComputerBidStep(int seat, bool raise);
  void HumanBid();
  void HumanPass();
  // A bid or a pass told by another copy: the state only, its record shows it.
  void ToldBidStep(int seat, bool raise);
  void OpenWidow();
  void TakeWidow();
  void ShowGiven();
  void ResortHands();
  void AnnounceOrder();
  void AnnounceMarriage(int seat, int slot);
  void PickGift(int slot);
  void UnpickGift(int slot);
  void PlayCard(int seat, int slot);
  void TrickWinner();
  void CollectTrick();
  void ScoreRound();

  // Gives GiveIdx1 and GiveIdx2; asked, the computer players choose the
  // gift, the trump and the order first.
  void GiveCardsAs(bool ask_computer);
  void BeginBidding();
  void PassBidTurn(int from_seat);
  void OfferBidToSeat3();
  void DrawSortedHand(int seat, bool face_up);
  void RemoveFromHand(int seat, int slot);
  void GiveOne(int which, int slot, int receiver);
  void EndGame();
  void SetTimer(int interval_ms, bool running);
  void Button(TableButton button, bool visible, bool enabled, const UiText& caption);
  // Counts and reports a faulty card request; the move the rules play instead.
  std::optional<Move> ReplaceFaulty(const Move& move);
  bool Valid(const Move& move, MoveSource source) const;
  // Whether this copy shuffles and deals (else the deal comes from the dealer's copy).
  bool DealsHere() const;
  bool SeatFaceUp(int seat) const;
  // The computer players that decide for `seat` on this copy, if any.
  ComputerPlayers* ComputerFor(int seat) const;
  void PlaceSeats(const PerSeat<SeatKind>& kinds);
  SeatController* ControllerOfKind(SeatKind kind);

  GameState& s_;
  Presenter& ui_;
  ComputerPlayers* computer_ = nullptr;
  TableMode mode_;
  LocalController local_seat_;
  ComputerController computer_seat_;
  RemoteController remote_seat_;
  PerSeat<SeatController*> seats_{};
  EngineOptions options_;
  std::string player_name_ = "Player";
  int profile_kon_no_ = 1;
  int profile_score_ = 0;
  DeckShuffler shuffler_;
  std::optional<DeckOrder> next_deck_;
  struct ResumePoint {
    int round = 1;
    PerSeat<int> scores{};
  };
  std::optional<ResumePoint> resume_;
  std::function<void(const std::string&)> fault_listener_;
  std::function<void(const Move&)> listener_;
  int timer_ms_ = kTimerMenuMs;
  bool timer_running_ = true;
  int faulty_requests_ = 0;
};

// The most points a declarer could take (all cards and every marriage): no
// order above it is accepted from any source.
inline constexpr int kMostPoints = 220;

// Whether hand slots slot1 and slot2 name two different real cards.
bool GiftIsValid(const TCardList& hand, int slot1, int slot2);

// Name of the diagnostic file of a faulty card request (the program keeps
// the last record there).
inline constexpr const char* kDiagnosticFile = "ErrorVarnok.txt";

// The 64-byte diagnostic record (hands of seats 1..3 slots 1..8, the table,
// the trump and the requested card), as the diagnostic file holds it.
std::string DiagnosticRecord(const GameState& state, TCard requested);

}  // namespace varnok

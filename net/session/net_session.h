// A game on the local network: one copy is the server (it listens, deals
// every deal and passes records on between its two clients), the others are
// clients. The session owns the sockets, turns what the local player did into
// move records for the other copies, applies the records that arrive to the
// engine, plays the computer seat's share in a game of two people, carries
// the chat line and reports when a partner leaves.
//
// Wiring into the main window:
//
//   NetSession session(state, engine, presenter, &computer_seats);
//   engine.SetComputerPlayers(&computer_seats);
//   engine.SetMoveListener([&](const Move& m) { session.LocalMove(m); });
//   // player window: session.SetPlayerName(name); session.StartServer(port)
//   //   or session.StartClient(address, port); then show TFormWait(session).
//   // TFormWait::GameBegun -> show the table (the server has dealt already;
//   //   a client draws "Expectation of the server..." until Dealt arrives).
//   // Dealt(new_game)       -> redraw the table, enable the chat controls.
//   // ChatLine(seat, text)  -> ShowChatLine; the send button calls SendChat.
//   // Interrupted(message)  -> message box with `message`, engine.LeaveTable(),
//   //   back to the menu.
//   // Leaving the table ("Exit to menu", closing the window) -> session.Leave().
//
// The buttons, clicks and dialogs of the table keep driving the engine
// (PressNext, PressPass, ClickCard); the move listener hands every step the
// engine applied to LocalMove, which sends the local player's steps and makes
// the computer seat's moves that follow. The steps of records, deals and the
// computer seat go through the same Engine::Apply, so a listener sees every
// step of the game; LocalMove knows them as the session's own and skips them. Everything runs on the main thread and is event driven:
// the pauses between sends are timers, never waits.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "apply_move.h"
#include "engine.h"
#include "receive_buffer.h"
#include "records.h"

class QTcpServer;
class QTcpSocket;

namespace varnok::netsession {

inline constexpr quint16 kDefaultPort = 25666;

// The pauses between the copy's own sends and between the records of one read.
struct SessionPauses {
  int between_sends_ms = 50;
  int between_records_ms = 100;
  int computer_step_ms = 500;  // around the computer declarer's gift and trump
  int after_widow_ms = 1000;
};

// What one peer may cost the copy. A game produces a few records per step
// and never keeps more than a handful waiting; a peer beyond these bounds is
// a flood or a stranger and is disconnected.
struct SessionLimits {
  int join_ms = 5000;              // a connection that has not joined by then is closed
  int most_strangers = 4;          // connections at once that have not joined; more are closed at once
  int stranger_records = 8;        // records ignored from a peer (a connection without a seat) before it is closed
  int refused_records = 3;         // records that break the rules before their peer is disconnected
  int queued_records = 64;         // records waiting from one peer: more is a flood
  int records_per_turn = 16;       // records handled per turn of the event loop
  qint64 read_per_turn = 4096;     // bytes read from one peer per turn of the event loop
  qint64 socket_buffer = 16384;    // bytes a socket keeps unread (the rest waits in the system)
};

enum class LinkState { Idle = 0, Waiting = 1, Joined = 2, Dealing = 3 };

class NetSession : public QObject {
  Q_OBJECT

 public:
  // `computer` plays the computer seat of a game of two people (the same
  // object the engine was given); it may be null in a game of three.
  NetSession(GameState& state, Engine& engine, Presenter& ui, ComputerPlayers* computer, QObject* parent = nullptr);
  ~NetSession() override;

  void SetPauses(const SessionPauses& pauses) { pauses_ = pauses; }
  void SetLimits(const SessionLimits& limits) { limits_ = limits; }
  // The player's name; the records carry its first six characters.
  void SetPlayerName(const std::string& name) { player_name_ = net::PadName(name); }
  // The server's rule option "To not write off a taken after 100 numbers", sent with every deal.
  void SetKeepAfter100(bool on) { keep_after_100_ = on; }
  // Writes every record in pieces of `bytes` bytes, a millisecond apart (0: whole).
  void SetWritePieces(int bytes) { write_pieces_ = bytes; }

  // --- starting and leaving --------------------------------------------------
  // Listens on `port` (0: any free port). False, with the reason in
  // ErrorText(), when the port cannot be used.
  bool StartServer(quint16 port);
  void StartClient(const QString& address, quint16 port);
  // "Cancel" of the wait window: closes the sockets, link state idle.
  void Cancel();
  // "Ok" of the server's wait window: the game begins with the first deal.
  // False when no client has joined.
  bool BeginGame();
  // The player leaves the table: the sockets close and the others see it.
  void Leave();

  // --- what the local player did ----------------------------------------------
  // Every step the engine applied for this copy (Engine::SetMoveListener).
  void LocalMove(const Move& move);
  // A chat line typed by the player (at most 15 characters are sent; empty sends nothing).
  void SendChat(const QString& text);

  // --- state ----------------------------------------------------------------
  bool IsServer() const { return net_pos_ == 1; }
  int NetPos() const { return net_pos_; }
  // Server: -1 before any client, 0 after the first, 1 after the second.
  // Client: 0 a game of two people, 1 of three.
  int ClientsJoined() const { return clients_joined_; }
  bool ThreeHumans() const { return clients_joined_ == 1; }
  LinkState Link() const { return link_; }
  bool GameRunning() const { return game_running_; }
  bool NoGames() const { return no_games_; }
  bool WaitingFirstDeal() const { return waiting_first_deal_; }
  quint16 ServerPort() const;
  QString ErrorText() const { return error_text_; }
  // Records received and not yet handled, from every peer.
  std::size_t Waiting() const { return inbox_.size(); }
  // Connections held: the joined peers and those still to join (server), or
  // the one to the server; a closed one is forgotten on the next turn of the event loop.
  int Connections() const;
  // Names of relative seats 1..3, six characters each.
  const std::array<std::string, 4>& SeatNames() const { return names_; }

  // "One of player has interrupted game!" and "Press OK for exit to the main menu...".
  static QString InterruptionText();

 Q_SIGNALS:
  // Server: a client joined (clients joined 0 or 1). Client: the third player came.
  void PlayersChanged(int clients_joined);
  // The waiting is over: the client got its seat, or the server dealt the first deal.
  void GameBegins();
  // A deal was made (server) or arrived (client) and is on the table.
  void Dealt(bool new_game);
  void ChatLine(int seat, const QString& text);
  void ChatEnabled(bool enabled);
  // A partner left in the middle of the game; the game is over for this copy.
  void Interrupted(const QString& message);
  // A client could not reach a game ("There are no accessible games").
  void NoAccessibleGames();
  // Records refused or dropped, peers turned away: one line each.
  void Logged(const QString& line);

 private:
  struct Peer;
  struct Outgoing {
    int connection = 0;  // server: 0 or 1; client: ignored
    std::string bytes;   // empty: a pause
    int pause_ms = 0;
  };

  // connections
  void OnNewConnection();
  void OnClientConnected();
  void OnClientError();
  void OnPeerDisconnected(Peer* peer);
  void OnReadyRead(Peer* peer);
  void OnQuiet(Peer* peer);
  void OnJoinTimeout(Peer* peer);
  // Reads at most one turn's share of what the peer sent.
  void ReadSome(Peer* peer);
  // Keeps a socket as a peer and reads from it.
  Peer* AddPeer(QTcpSocket* socket);
  // A client's peer (the server), or a server's peer that has joined.
  bool IsPartner(const Peer* peer) const;
  void TakeRecords(Peer* peer, net::ReceiveBuffer::FeedResult result);
  // A peer broke the bounds: it is disconnected and, when it is a partner, the game ends.
  void Disconnect(Peer* peer, const QString& why);
  void DropPeer(Peer* peer);
  // Forgets the peers that were dropped.
  void Purge();
  // Server: a client left before the game began; its seat is free again.
  void FreeSeat(int connection);
  Peer* PeerAt(int connection) const;
  void CloseAll();
  void Interrupt();
  void Log(const QString& line);

  // records that arrived
  void ProcessInbox();
  void Handle(Peer* peer, const net::Received& record);
  void HandleJoin(Peer* peer, const std::string& record);
  void HandleSeatGrant(const std::string& record);
  void HandleThirdSeat(const std::string& record);
  void HandleDeal(const std::string& record);
  void HandleMove(Peer* peer, const std::string& record);
  void HandleChat(Peer* peer, const std::string& record);
  void ApplyRecord(Peer* peer, const std::string& record);
  // A record that was refused: logged with the peer; a peer that keeps sending them is disconnected.
  void Refused(Peer* peer, const std::string& record, const QString& why);

  // sending
  void Queue(int connection, std::string bytes);
  void QueuePause(int ms);
  void Drain();
  void SendToPrevious(const net::MoveShape& shape);
  void SendToNext(const net::MoveShape& shape);
  void SendToBoth(const net::MoveShape& shape);  // the previous seat first
  void SendShape(const net::MoveShape& shape, bool to_next);
  // Sends the records held back for the previous seat (see SendShape).
  void SendHeld();
  void SendDeal();
  // The engine's rule option, a clean set of buttons and the deal on the table.
  void DealOnTable(bool keep_after_100, bool new_game);
  // Applies a step the session makes itself: a deal, a record's step, the
  // computer seat's bid or card. LocalMove, which hears of it from the move
  // listener, leaves it alone: the session sends what follows it itself.
  bool ApplyOwn(const Move& move, MoveSource source = MoveSource::Here);
  void SetTableMode();
  // Takes the names of seats 1, 2, 3 into the relative seats first.
  void SetTableMode(const std::array<std::string, 3>& absolute_names);

  // the steps after a local action
  void AfterBid(bool bid);
  void AfterBidThree(bool bid);
  void AfterBidClient(bool bid);
  void AfterBidServer(bool bid);
  void AfterCard(const Move& move);
  void AfterCardThree(const Move& move, int position);
  void AfterCardClient(const Move& move, int position);
  void AfterCardServer(const Move& move, int position);
  void AfterDeclarerStep(const Move& move);
  void ComputerLeadIfDue();
  // Works out the computer seat's bid limit for this deal, once.
  void ComputerMaxBid();
  // Applies the computer seat's bid or pass at relative seat `seat`; true for a bid.
  bool ComputerBids(int seat);
  // Plays the computer seat's card at relative seat `seat`; returns the hand
  // position played (before it left the hand), 0 when none was played.
  int PlayComputerCard(int seat);
  void AdjustButtons();
  void SetNextEnabled(bool enabled);

  int Rel(int seat) const;   // relative seat of an absolute seat
  int Abs(int relative) const;
  bool Human(int seat) const { return ThreeHumans() || seat != 3; }
  int ComputerRel() const { return Rel(3); }
  net::SeatCell MarriageCell() const;

  GameState& s_;
  Engine& engine_;
  Presenter& ui_;
  ComputerPlayers* computer_;
  net::NetButtons buttons_;

  SessionPauses pauses_;
  SessionLimits limits_;
  std::string player_name_ = net::PadName("Mr.X");
  bool keep_after_100_ = false;
  int write_pieces_ = 0;

  int net_pos_ = 0;
  int clients_joined_ = -1;
  LinkState link_ = LinkState::Idle;
  bool game_running_ = false;
  bool no_games_ = false;
  bool waiting_first_deal_ = false;
  bool interrupted_ = false;
  QString error_text_;
  std::array<std::string, 4> names_{};

  QTcpServer* server_ = nullptr;
  std::vector<std::unique_ptr<Peer>> peers_;  // server: every accepted socket; client: the one to the server
  std::array<Peer*, 2> joined_{};              // server: connection 0 (seat 2) and 1 (seat 3)

  std::deque<Outgoing> outbox_;
  std::vector<std::string> held_;  // records for the previous seat, sent after the one for the next
  QTimer send_timer_;
  struct Incoming {
    Peer* peer = nullptr;
    net::Received record;
  };
  std::deque<Incoming> inbox_;
  QTimer inbox_timer_;
  bool purge_due_ = false;
  int applying_ = 0;  // steps the session is applying itself (see ApplyOwn)
};

}  // namespace varnok::netsession

// Copies of the game in one process, each a whole stack of its own (game
// state, engine, computer players, a presenter that keeps the buttons,
// session and sockets), meeting over loopback; and a scripted player for
// each that bids, gives, names trump, orders and plays legal cards.
#pragma once

#include <QTcpSocket>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "computer_players.h"
#include "deal_record.h"
#include "engine.h"
#include "game_record.h"
#include "net_session.h"

namespace varnok::netsession::testing {

void EnsureApplication();

// Keeps what the table shows of the two buttons, and counts the sounds.
class ButtonsPresenter : public Presenter {
 public:
  bool next_enabled = false;
  bool pass_enabled = false;
  int wrong_sounds = 0;
  int chat_sounds = 0;
  void SetButton(TableButton button, bool, bool enabled, const UiText&) override { Set(button, enabled); }
  void EnableButton(TableButton button, bool enabled) override { Set(button, enabled); }
  void PlaySound(const std::string& name, bool) override {
    if (name == "WWrongs") ++wrong_sounds;
    if (name == "WToMenK") ++chat_sounds;
  }

 private:
  void Set(TableButton button, bool enabled) {
    (button == TableButton::Next ? next_enabled : pass_enabled) = enabled;
  }
};

// The player's trump is the suit it holds most of; the order is the winning bid.
std::uint8_t LongestSuit(const GameState& state);

struct Copy {
  GameState s;
  ButtonsPresenter ui;
  ai::ComputerSeats computer;
  Engine engine{s, ui};
  NetSession session{s, engine, ui, &computer};
  std::mt19937 rng;
  int interruptions = 0;
  QString last_interruption;
  std::vector<std::pair<int, QString>> chat;
  QStringList log;
  // Hands as dealt, by absolute seat (1..3), one entry per deal.
  std::vector<std::array<std::string, 4>> deals;
  // Every step the engine applied, as its move listener heard it.
  std::vector<Move> moves;
  // The deck of every deal as this copy holds it, one entry per deal.
  std::vector<net::DealData> decks;
  // The game record this copy writes, as the program's window does.
  GameRecorder recorder;

  Copy(const std::string& name, unsigned seed);
  int Rel(int seat) const;
  int Abs(int relative) const;
  // One step of the scripted player, when it is this copy's turn; false when it has nothing to do.
  bool Act();

 private:
  int limit_ = 0;  // the bid limit of the deal on the table
  int limit_round_ = -1;
};

// Waits until `done` holds, for at most `ms` milliseconds of event loop.
bool WaitUntil(const std::function<bool()>& done, int ms = 2000);

// A peer that writes raw bytes over loopback, as a stranger or a faulty copy would.
class RawPeer {
 public:
  bool Connect(quint16 port);
  void Write(const std::string& bytes);
  // Everything read so far.
  const QByteArray& Got();
  // Sends a join request and waits for the seat; 0 when none came.
  int Join(const std::string& name);
  bool Closed() const { return socket_.state() == QAbstractSocket::UnconnectedState; }
  QTcpSocket& Socket() { return socket_; }

 private:
  QTcpSocket socket_;
  QByteArray got_;
};

// Three (or two) copies: copy 0 is the server.
class Table {
 public:
  explicit Table(int people, int write_pieces = 0);
  Copy& operator[](std::size_t i) { return *copies_[i]; }
  std::size_t size() const { return copies_.size(); }
  // Joins the clients and begins the game; false when the joining failed.
  bool Start();
  // Plays until every copy has finished `rounds` rounds (0: until the game is
  // over); after every round the copies are compared. False when the play stopped.
  bool Play(int rounds);
  // Plays until `done` holds (at most `ms` milliseconds of quiet).
  bool PlayUntil(const std::function<bool()>& done, int quiet_ms = 3000);
  // Every difference between the copies at the end of a round, as text.
  std::vector<std::string> Differences();
  // Where every copy stands, for a failure message.
  std::string Dump();
  int rounds_compared = 0;

 private:
  std::vector<std::unique_ptr<Copy>> copies_;
};

}  // namespace varnok::netsession::testing

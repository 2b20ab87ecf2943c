#include "copies.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "recorder.h"
#include "records.h"
#include "seats.h"

namespace varnok::netsession::testing {

void EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "varnok_netsession_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

std::uint8_t LongestSuit(const GameState& state) {
  std::uint8_t best = kSpades;
  int most = -1;
  for (std::uint8_t suit : {kSpades, kClubs, kDiamonds, kHearts}) {
    int count = 0;
    for (int i = 1; i <= state.HandCount[3]; ++i) count += state.Hands[3][i].suit == suit ? 1 : 0;
    if (count > most) {
      most = count;
      best = suit;
    }
  }
  return best;
}

Copy::Copy(const std::string& name, unsigned seed) : rng(seed) {
  engine.SetComputerPlayers(&computer);
  engine.SetFaultListener([this](const std::string&) { log << "faulty card request"; });
  engine.SetMoveListener([this](const Move& m) {
    moves.push_back(m);
    recorder.Observe(m, s, engine.Mode(), engine.Options(), "2026-12-11 10:00");
    session.LocalMove(m);
  });
  session.SetPlayerName(name);
  session.SetPauses(SessionPauses{0, 0, 0, 0});
  QObject::connect(&session, &NetSession::Interrupted, [this](const QString& text) {
    ++interruptions;
    last_interruption = text;
  });
  QObject::connect(&session, &NetSession::Logged, [this](const QString& line) { log << line; });
  QObject::connect(&session, &NetSession::ChatLine, [this](int seat, const QString& text) { chat.emplace_back(seat, text); });
  QObject::connect(&session, &NetSession::Dealt, [this](bool) {
    std::array<std::string, 4> hands{};
    for (int seat = 1; seat <= 3; ++seat)
      hands[static_cast<std::size_t>(seat)] = ::varnok::testing::Names(s.Hands[static_cast<std::size_t>(Rel(seat))], 7);
    deals.push_back(hands);
    decks.push_back(net::DealData{s.Deck, s.DeckOrder, s.DeckPoints, engine.Options().KeepAfter100});
  });
}

int Copy::Rel(int seat) const { return net::RelativeSeat(seat, session.NetPos()); }
int Copy::Abs(int relative) const { return net::AbsoluteSeat(relative, session.NetPos()); }

bool Copy::Act() {
  if (!s.InGame || !session.GameRunning()) return false;
  if (limit_round_ != s.RoundNo) {
    limit_round_ = s.RoundNo;
    limit_ = 60 + 5 * std::uniform_int_distribution<int>(0, 8)(rng);
  }
  if (s.BidState == 1) {
    if (!ui.next_enabled) return false;
    engine.PressNext();
    return true;
  }
  switch (s.Phase) {
    case phBid3:
      if (!s.InBidding[3]) return false;
      if (ui.next_enabled && (s.CurrentBid == kOpeningBidBase || s.CurrentBid + kBidStep <= limit_)) {
        engine.PressNext();
        return true;
      }
      if (ui.pass_enabled) {
        engine.PressPass();
        return true;
      }
      return false;
    case phGive:
      if (s.Declarer == 3) {
        engine.ClickCard(1);
        engine.ClickCard(2);
        return true;
      }
      [[fallthrough]];
    case phGiven:
      // The trump and order dialogs of the declarer, answered as the table's dialogs answer.
      if (engine.LocalQuestion() == Engine::Question::Trump) return engine.Apply(Move::Trump(LongestSuit(s)));
      if (engine.LocalQuestion() == Engine::Question::Order) return engine.Apply(Move::Order(s.Zakaz));
      [[fallthrough]];
    case phBidDone:
    case phWidowOpen:
    case phGiveChosen:
    case phOrdered:
    case phTrickFull:
    case phNextRound:
      if (!ui.next_enabled) return false;
      engine.PressNext();
      return true;
    case phPlay3:
      for (int slot = 1; slot <= s.HandCount[3]; ++slot) {
        if (!engine.IsIllegalHumanCard(slot)) return engine.ClickCard(slot);
      }
      return false;
    default: return false;
  }
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
  for (int waited = 0; waited < ms && !done(); waited += 5) QTest::qWait(5);
  return done();
}

bool RawPeer::Connect(quint16 port) {
  EnsureApplication();
  socket_.connectToHost("127.0.0.1", port);
  return socket_.waitForConnected(3000);
}

void RawPeer::Write(const std::string& bytes) {
  socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
  socket_.flush();
}

const QByteArray& RawPeer::Got() {
  got_ += socket_.readAll();
  return got_;
}

int RawPeer::Join(const std::string& name) {
  Write(net::BuildJoinRequest(name));
  if (!WaitUntil([&] { return Got().contains("connect2+"); }, 3000)) return 0;
  const qsizetype at = got_.indexOf("connect2+") + 9;
  return at < got_.size() ? got_[at] - '0' : 0;
}

Table::Table(int people, int write_pieces) {
  EnsureApplication();
  const char* names[] = {"Anna", "Boris", "Clara"};
  for (int i = 0; i < people; ++i) {
    copies_.push_back(std::make_unique<Copy>(names[i], 17u + static_cast<unsigned>(i)));
    copies_.back()->session.SetWritePieces(write_pieces);
  }
}

bool Table::Start() {
  Copy& server = *copies_[0];
  if (!server.session.StartServer(0)) return false;
  for (std::size_t i = 1; i < copies_.size(); ++i) {
    QSignalSpy begins(&copies_[i]->session, &NetSession::GameBegins);
    copies_[i]->session.StartClient("127.0.0.1", server.session.ServerPort());
    if (!begins.wait(5000)) return false;
  }
  if (copies_.size() == 3) {
    // The first client hears of the third player before the first deal.
    for (int i = 0; i < 200 && !copies_[1]->session.ThreeHumans(); ++i) QTest::qWait(5);
    if (!copies_[1]->session.ThreeHumans()) return false;
  }
  if (!server.session.BeginGame()) return false;
  for (std::size_t i = 1; i < copies_.size(); ++i) {
    for (int k = 0; k < 400 && copies_[i]->deals.empty(); ++k) QTest::qWait(5);
    if (copies_[i]->deals.empty()) return false;
  }
  return true;
}

bool Table::PlayUntil(const std::function<bool()>& done, int quiet_ms) {
  QElapsedTimer quiet;
  quiet.start();
  int compared_round = 0;
  while (true) {
    bool scored = true;
    for (auto& c : copies_)
      scored = scored && (c->s.Phase == phNextRound || c->s.Phase == phGameOver) && c->s.RoundNo == copies_[0]->s.RoundNo;
    if (scored && copies_[0]->s.RoundNo > compared_round) {
      compared_round = copies_[0]->s.RoundNo;
      for (const std::string& difference : Differences()) ADD_FAILURE() << "round " << compared_round << ": " << difference;
      ++rounds_compared;
    }
    if (done()) return true;
    bool acted = false;
    for (auto& c : copies_) {
      // The next round is dealt only once every copy has scored this one.
      if (c->s.Phase == phNextRound && !scored) continue;
      acted = c->Act() || acted;
    }
    QCoreApplication::processEvents();
    if (acted) {
      quiet.restart();
    } else {
      QTest::qWait(1);
      if (quiet.elapsed() > quiet_ms) return false;
    }
  }
}

bool Table::Play(int rounds) {
  return PlayUntil([&] {
    bool over = true;
    for (auto& c : copies_) over = over && c->s.Phase == phGameOver;
    return (over && rounds_compared > 0) || (rounds > 0 && rounds_compared >= rounds);
  });
}

std::string Table::Dump() {
  std::string out;
  for (std::size_t i = 0; i < copies_.size(); ++i) {
    const Copy& c = *copies_[i];
    out += "\ncopy " + std::to_string(i) + " seat " + std::to_string(c.session.NetPos()) + " round " +
           std::to_string(c.s.RoundNo) + " phase " + std::to_string(c.s.Phase) + " leader " + std::to_string(c.s.Leader) +
           " trickpos " + std::to_string(c.s.TrickPos) + " declarer " + std::to_string(c.s.Declarer) + " next " +
           std::to_string(c.ui.next_enabled) + " pass " + std::to_string(c.ui.pass_enabled) + " bid " +
           std::to_string(c.s.CurrentBid) + " log: " + c.log.join(" | ").toStdString();
  }
  return out;
}

std::vector<std::string> Table::Differences() {
  std::vector<std::string> out;
  const Copy& ref = *copies_[0];
  using ::varnok::testing::Names;
  for (std::size_t i = 1; i < copies_.size(); ++i) {
    const Copy& c = *copies_[i];
    const std::string who = "copy " + std::to_string(i) + " ";
    auto expect = [&](bool same, const std::string& what) {
      if (!same) out.push_back(who + what);
    };
    expect(c.s.RoundNo == ref.s.RoundNo, "round number");
    expect(c.deals == ref.deals, "dealt hands");
    expect(c.s.Trump == ref.s.Trump, "trump");
    expect(c.s.Zakaz == ref.s.Zakaz, "order");
    expect(c.Abs(c.s.Declarer) == ref.Abs(ref.s.Declarer), "declarer");
    expect(Names(c.s.PlayedCards, 24) == Names(ref.s.PlayedCards, 24), "tricks: " + Names(c.s.PlayedCards, 24) + " / " + Names(ref.s.PlayedCards, 24));
    for (int seat = 1; seat <= 3; ++seat) {
      const auto r = static_cast<std::size_t>(ref.Rel(seat)), o = static_cast<std::size_t>(c.Rel(seat));
      const std::string at = " of seat " + std::to_string(seat);
      expect(c.s.Scores[o] == ref.s.Scores[r], "score" + at);
      expect(c.s.RoundPoints[o] == ref.s.RoundPoints[r], "round points" + at);
      expect(Names(c.s.SavedHands[o], 8) == Names(ref.s.SavedHands[r], 8), "hand in play" + at);
    }
  }
  return out;
}

}  // namespace varnok::netsession::testing

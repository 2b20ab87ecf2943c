#include "recorder.h"

#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

namespace varnok::testing {

std::string Describe(const UiText& text) {
  switch (text.table) {
    case UiText::Table::Main: return "M" + std::to_string(text.row) + (text.tail.empty() ? "" : "+" + text.tail);
    case UiText::Table::Games: return "G" + std::to_string(text.row) + (text.tail.empty() ? "" : "+" + text.tail);
    case UiText::Table::Literal: return "'" + text.tail + "'";
  }
  return "?";
}

namespace {

std::string Field(const PanelField& f) {
  switch (f.kind) {
    case PanelField::Kind::Keep: return "keep";
    case PanelField::Kind::Blank: return "blank";
    case PanelField::Kind::Value: return std::to_string(f.value);
  }
  return "?";
}

const char* Style(BubbleStyle s) {
  switch (s) {
    case BubbleStyle::Announce: return "announce";
    case BubbleStyle::Pass: return "pass";
    case BubbleStyle::Name: return "name";
    case BubbleStyle::Empty: return "empty";
  }
  return "?";
}

}  // namespace

void RecordingPresenter::Log(std::string event) { events.push_back(std::move(event)); }

std::vector<std::string> RecordingPresenter::Take() {
  std::vector<std::string> out(events.begin() + static_cast<std::ptrdiff_t>(taken_), events.end());
  taken_ = events.size();
  return out;
}

bool RecordingPresenter::Saw(const std::string& event) const {
  return std::find(events.begin(), events.end(), event) != events.end();
}

std::size_t RecordingPresenter::CountSounds(const std::string& name) const {
  return static_cast<std::size_t>(std::count_if(sounds.begin(), sounds.end(), [&](const std::string& s) {
    return s == name || s == name + "+wait";
  }));
}

void RecordingPresenter::ClearTable() { Log("clear"); }
void RecordingPresenter::DrawHand(int seat, bool face_up) {
  Log("hand " + std::to_string(seat) + (face_up ? " up" : " down"));
}
void RecordingPresenter::ShowBubble(int seat, BubbleStyle style, const UiText& text) {
  bubbles[seat] = Describe(text);
  Log("bubble " + std::to_string(seat) + " " + Style(style) + " " + Describe(text));
}
void RecordingPresenter::DrawScorePanel(int seat, const PanelUpdate& u) {
  last_panel[seat] = u;
  Log("panel " + std::to_string(seat) + (u.marker ? " on" : " off") + (u.reset ? " reset" : "") + " " +
      Field(u.ordered) + " " + Field(u.score) + " " + Field(u.points) + (u.final_counts ? " final" : ""));
}
void RecordingPresenter::DrawRoundPanel() { Log("roundpanel"); }
void RecordingPresenter::SetRoundHint(int kon_no, int cycle) {
  Log("hint " + std::to_string(kon_no) + "/" + std::to_string(cycle));
}
void RecordingPresenter::DrawWidowDown() { Log("widow down"); }
void RecordingPresenter::TurnWidowCard(int index, bool animate) {
  Log("widow up " + std::to_string(index) + (animate ? " animated" : ""));
}
void RecordingPresenter::WidowToHand(int declarer, bool) { Log("widow to " + std::to_string(declarer)); }
void RecordingPresenter::GiveToTable(int which, int from, int receiver, bool) {
  Log("give " + std::to_string(which) + " " + std::to_string(from) + "->" + std::to_string(receiver));
}
void RecordingPresenter::GivenToHands(bool) { Log("given to hands"); }
void RecordingPresenter::CardToTable(int seat, int hand_slot, int trick_pos, bool) {
  Log("card " + std::to_string(seat) + " slot " + std::to_string(hand_slot) + " at " + std::to_string(trick_pos));
}
void RecordingPresenter::CollectTrickCards(int leader, int winner, bool) {
  Log("collect " + std::to_string(leader) + "->" + std::to_string(winner));
}
void RecordingPresenter::Pause(int ms) { Log("pause " + std::to_string(ms)); }
void RecordingPresenter::PlaySound(const std::string& name, bool wait) {
  sounds.push_back(wait ? name + "+wait" : name);
  Log("sound " + name + (wait ? " wait" : ""));
}
void RecordingPresenter::SetButton(TableButton button, bool visible, bool enabled, const UiText& caption) {
  buttons[static_cast<int>(button)] = ButtonState{visible, enabled, Describe(caption)};
  Log("button " + std::to_string(static_cast<int>(button)) + (enabled ? " on " : " off ") + Describe(caption));
}
void RecordingPresenter::EnableButton(TableButton button, bool enabled) {
  buttons[static_cast<int>(button)].enabled = enabled;
  Log("enable " + std::to_string(static_cast<int>(button)) + (enabled ? " on" : " off"));
}
void RecordingPresenter::SetTimer(int interval_ms, bool running) {
  timer_ms = interval_ms;
  timer_running = running;
  Log("timer " + std::to_string(interval_ms) + (running ? " run" : " stop"));
}
void RecordingPresenter::EnableGameMenu(bool enabled) { Log(enabled ? "menu on" : "menu off"); }
void RecordingPresenter::ShowScoreWindow() {
  ++score_windows;
  Log("score window");
}
void RecordingPresenter::RoundStarted() { ++rounds_started; }
void RecordingPresenter::RoundFinished() { ++rounds_finished; }
void RecordingPresenter::TableLeft(bool finished) { Log(finished ? "left finished" : "left early"); }

int ScriptedPlayers::MaxBid(int seat, const GameState&) {
  auto it = max_bid.find(seat);
  if (it == max_bid.end()) {
    ADD_FAILURE() << "no MaxBid scripted for seat " << seat;
    return 65;
  }
  return it->second;
}

DeclarerPlan ScriptedPlayers::PlanDeclarer(int seat, const GameState& state) {
  auto it = plans.find(seat);
  if (it == plans.end()) {
    ADD_FAILURE() << "no declarer plan scripted for seat " << seat;
    return {};
  }
  const Plan& p = it->second;
  return DeclarerPlan{CardPos24(CardFromName(p.give1), state.Hands[seat]),
                      CardPos24(CardFromName(p.give2), state.Hands[seat]), p.trump, p.estimate};
}

int ScriptedHuman::Answer(Engine& engine) {
  int answered = 0;
  for (;;) {
    const Engine::Question question = engine.LocalQuestion();
    if (question == Engine::Question::Trump) {
      ++trump_asked;
      if (!engine.Apply(Move::Trump(trump))) break;
    } else if (question == Engine::Question::Order) {
      ++order_asked;
      if (!engine.Apply(Move::Order(order ? order : engine.State().Zakaz))) break;
    } else {
      break;
    }
    ++answered;
  }
  return answered;
}

int ScriptedPlayers::ChooseCard(int seat, const GameState& state) {
  if (auto& asked = slots[seat]; !asked.empty()) {
    const int slot = asked.front();
    asked.pop_front();
    return slot;
  }
  auto& queue = cards[seat];
  if (queue.empty()) {
    ADD_FAILURE() << "no card scripted for seat " << seat;
    return 1;
  }
  const std::string name = queue.front();
  queue.pop_front();
  const int slot = CardPos24(CardFromName(name), state.Hands[seat]);
  if (slot == 0) ADD_FAILURE() << "seat " << seat << " does not hold " << name;
  return slot;
}

DeckOrder DeckFromNames(const std::string& names) {
  std::istringstream in(names);
  DeckOrder deck{};
  std::string name;
  for (std::size_t i = 0; i < deck.size() && in >> name; ++i) deck[i] = CardIndex(CardFromName(name));
  return deck;
}

void SetHand(GameState& s, int seat, const std::string& names) {
  s.Hands[seat] = EmptyCardList();
  s.HandOrder[seat] = EmptyCompanions();
  s.HandPoints[seat] = EmptyCompanions();
  std::istringstream in(names);
  std::string name;
  int n = 0;
  while (in >> name) {
    ++n;
    const TCard c = CardFromName(name);
    s.Hands[seat][n] = c;
    const bool real = c.IsReal();
    s.HandOrder[seat][n] = real ? static_cast<std::uint8_t>(RankOrder(c.rank)) : kEmptyCompanion;
    s.HandPoints[seat][n] = real ? static_cast<std::uint8_t>(RankPoints(c.rank)) : kEmptyCompanion;
  }
  s.HandCount[seat] = static_cast<std::uint8_t>(n);
}

std::string Names(const TCardList& list, int n) {
  std::string out;
  for (int i = 1; i <= n; ++i) {
    if (i > 1) out += ' ';
    out += CardName(list[i]);
  }
  return out;
}

}  // namespace varnok::testing

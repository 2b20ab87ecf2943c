#include "game_replay.h"

#include "engine.h"

namespace varnok {

namespace {

// A copy that did not deal holds the deal it received: the hands as it saw them.
void PlaceDeal(const RecordedRound& round, GameState& s) {
  FillDeck(round.Deal, s.Deck, s.DeckOrder, s.DeckPoints);
  for (int seat = 1; seat <= 3; ++seat) {
    s.Hands[seat] = EmptyCardList();
    s.HandOrder[seat] = EmptyCompanions();
    s.HandPoints[seat] = EmptyCompanions();
    for (int i = 1; i <= 7; ++i) {
      const int j = (seat - 1) * 7 + i;
      s.Hands[seat][i] = s.Deck[j];
      s.HandOrder[seat][i] = s.DeckOrder[j];
      s.HandPoints[seat][i] = s.DeckPoints[j];
    }
    s.HandCount[seat] = 7;
  }
  for (int w = 1; w <= 3; ++w) s.Widow[static_cast<std::size_t>(w)] = s.Deck[21 + w];
  s.PlayedCards = EmptyCardList();
}

}  // namespace

TableMode RecordedMode(const GameRecord& record) {
  TableMode mode;
  if (record.NetPos >= 1 && record.NetPos <= 3) {
    mode.NetGame = true;
    mode.NetPos = record.NetPos;
    mode.NetThreeHumans = record.People != 2;
  }
  return mode;
}

ReplayResult ReplayGameRecord(const GameRecord& record, bool keep_states) {
  ReplayResult result;
  if (keep_states) {
    std::size_t steps = 0;
    for (const RecordedRound& round : record.Rounds) steps += round.Moves.size();
    if (steps > static_cast<std::size_t>(kReplayMaxSteps)) {
      result.Problem = "the record is too long: " + std::to_string(steps) + " steps";
      return result;
    }
    result.Steps.reserve(steps);
  }
  GameState state;
  Presenter quiet;  // draws nothing
  Engine engine(state, quiet);
  const TableMode mode = RecordedMode(record);
  engine.SetMode(mode);
  EngineOptions options;
  options.KeepAfter100 = record.KeepAfter100;
  engine.SetOptions(options);
  engine.SetPlayerName(record.Names[2]);
  engine.SetProfile(record.KonNo, record.ProfileScore);
  const bool deals_here = !mode.NetGame || mode.NetPos == 1;
  for (std::size_t r = 0; r < record.Rounds.size(); ++r) {
    const RecordedRound& round = record.Rounds[r];
    for (std::size_t i = 0; i < round.Moves.size(); ++i) {
      const Move& m = round.Moves[i];
      const std::string where = "round " + std::to_string(round.Number) + " step " + std::to_string(i + 1) + " \"" +
                                ToText(m) + "\"";
      MoveSource source = MoveSource::Here;
      if (m.kind == Move::Kind::NewGame || m.kind == Move::Kind::NextRound) {
        if (m.kind == Move::Kind::NewGame) {
          PerSeat<int> scores{0, record.StartScores[0], record.StartScores[1], record.StartScores[2]};
          engine.SetResume(record.StartRound, scores);
        }
        if (deals_here) {
          engine.SetNextDeck(round.Deal);
        } else {
          PlaceDeal(round, state);
          source = MoveSource::Record;
        }
        for (int seat = 1; seat <= 3; ++seat) state.Names[seat] = record.Names[static_cast<std::size_t>(seat - 1)];
      }
      // A card that may not be played is refused here: the engine would put
      // another in its place.
      if ((m.kind == Move::Kind::Card && !engine.Allows(m, source)) ||
          (m.kind == Move::Kind::Card && !engine.CardPlayable(m.seat, m.a)) || !engine.Apply(m, source)) {
        result.Problem = where + " does not fit the game";
        return result;
      }
      if ((m.kind == Move::Kind::NewGame || m.kind == Move::Kind::NextRound) && state.RoundNo != round.Number) {
        result.Problem = where + ": the round's number";
        return result;
      }
      if (engine.FaultyRequests() > 0) {
        result.Problem = where + " plays a card that may not be played";
        return result;
      }
      if (m.kind == Move::Kind::Score && round.Scores &&
          (state.Scores[1] != (*round.Scores)[0] || state.Scores[2] != (*round.Scores)[1] ||
           state.Scores[3] != (*round.Scores)[2])) {
        result.Problem = "round " + std::to_string(round.Number) + " ends on other scores";
        return result;
      }
      if (keep_states || result.Steps.empty()) result.Steps.push_back({static_cast<int>(r), m, state});
      else result.Steps.back() = {static_cast<int>(r), m, state};
    }
  }
  if (state.Scores[1] != record.Scores[0] || state.Scores[2] != record.Scores[1] || state.Scores[3] != record.Scores[2]) {
    result.Problem = "the game ends on other scores";
    return result;
  }
  result.Ok = true;
  return result;
}

}  // namespace varnok

#include "table_fixture.h"

namespace varnok::testing {

ScriptedTable::ScriptedTable() {
  engine.SetComputerPlayers(&ai);
  engine.SetPlayerName("Anna");
  engine.SetFaultListener([this](const std::string& record) {
    last_diagnostic = record;
    ++diagnostics;
  });
}

void ScriptedTable::NextDeal() {
  s.InGame = true;
  s.Phase = phNextRound;
  engine.Apply(Move::NextRound());
}

int ScriptedTable::Slot(int seat, const std::string& name) const {
  for (int i = 1; i <= 10; ++i)
    if (s.Hands[seat][i] == CardFromName(name)) return i;
  return 0;
}

}  // namespace varnok::testing

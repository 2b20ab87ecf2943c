#include "table_fixture.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace varnok::testing {

ScriptedTable::ScriptedTable() {
  static std::atomic<int> counter{0};
  folder = std::filesystem::temp_directory_path() /
           ("varnok-table-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(folder);
  engine.SetComputerPlayers(&ai);
  engine.SetHumanChoices(&human);
  engine.SetPlayerName("Anna");
  engine.SetDiagnosticFolder(folder.string());
}

ScriptedTable::~ScriptedTable() {
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
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

std::string ScriptedTable::Diagnostic() const {
  std::ifstream in(DiagnosticPath(), std::ios::binary);
  if (!in) return {};
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace varnok::testing

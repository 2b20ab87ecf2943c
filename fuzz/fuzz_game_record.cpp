// Fuzz target of the game-record reader: arbitrary bytes are read as a saved
// game record, and whatever the reader takes is played again on a fresh
// engine, as the record viewer does. Neither may crash, hang or read out of
// bounds; a record the reader takes must also write back to the same text.
//
// Input: the whole file. A first byte of 0xFF instead asks for the check
// line to be put right (the rest, with "check" and its FNV-1a appended), so
// that the fuzzer reaches past the check into the lines and the replay.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game_record.h"
#include "game_replay.h"

namespace {

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001b3ULL;
  }
  return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  if (!text.empty() && static_cast<unsigned char>(text[0]) == 0xFF) {
    text.erase(0, 1);
    char check[40];
    std::snprintf(check, sizeof check, "check %016llx\n", static_cast<unsigned long long>(Fnv1a(text)));
    text += check;
  }
  const varnok::RecordRead read = varnok::ParseGameRecord(text);
  if (!read.Record) return 0;
  // A record taken is written back as the same record.
  const varnok::RecordRead again = varnok::ParseGameRecord(varnok::FormatGameRecord(*read.Record));
  if (!again.Record || !(*again.Record == *read.Record)) std::abort();
  (void)varnok::ReplayGameRecord(*read.Record, false);
  return 0;
}

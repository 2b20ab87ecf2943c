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
#include <cstdlib>
#include <string>
#include <string_view>

#include "game_record.h"
#include "game_replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  if (!text.empty() && static_cast<unsigned char>(text[0]) == 0xFF) {
    text.erase(0, 1);
    text += varnok::RecordCheckLine(text);
  }
  const varnok::RecordRead read = varnok::ParseGameRecord(text);
  if (!read.Record) return 0;
  // A record taken is written back as the same record.
  const varnok::RecordRead again = varnok::ParseGameRecord(varnok::FormatGameRecord(*read.Record));
  if (!again.Record || !(*again.Record == *read.Record)) std::abort();
  (void)varnok::ReplayGameRecord(*read.Record, false);
  return 0;
}

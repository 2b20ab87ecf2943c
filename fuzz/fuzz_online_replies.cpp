// Fuzz target of the online replies: arbitrary bytes arrive as the reply of
// every server operation and of the plain documents; each reader must take
// them without a crash and without reading outside the reply.
//
// Input: the whole input is the reply. It is handed to every reader as a
// buffer of its own exact size, so that a read past its end is caught.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "operations.h"
#include "reply_scans.h"

namespace {

using namespace varnok::online;

template <class Operation>
void Feed(const Operation& operation, std::string_view reply) {
  (void)operation.Read(reply);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes: the sanitizer sees any read beyond it.
  std::unique_ptr<char[]> copy(new char[size == 0 ? 1 : size]);
  if (size > 0) std::memcpy(copy.get(), data, size);
  const std::string_view reply(copy.get(), size);

  Feed(RegisterAccount{}, reply);
  Feed(LoginAccount{"Ivan", "secret"}, reply);
  Feed(ReadTopTen{}, reply);
  Feed(ReadPlace{}, reply);
  Feed(ReadMembers{}, reply);
  Feed(ReadBest{}, reply);
  Feed(SaveResult{}, reply);
  Feed(ReadInfo{}, reply);
  Feed(SaveInfo{}, reply);
  Feed(ReadTableCount{}, reply);
  Feed(ReadTable{}, reply);
  Feed(ReadTableNear{}, reply);
  Feed(WriteTableEntry{}, reply);
  Feed(ReadStats{}, reply);
  Feed(SendLaunch{}, reply);
  Feed(SendLike{}, reply);
  Feed(SendGameStats{}, reply);
  Feed(ReadTables{}, reply);
  Feed(SetSeat{}, reply);
  Feed(ReadClient{}, reply);
  Feed(ReadServerInfo{}, reply);
  Feed(ReadTourRating{}, reply);
  Feed(ReadTourTop10{}, reply);
  Feed(SendTourPlace{}, reply);
  (void)ExternalIpText(reply);
  (void)NewsNumber(reply);
  (void)DirectoryValue(reply, "WTGamesPatt");
  (void)DirectoryValue(reply, "AccPath");
  (void)FirstRecord(reply, '~');
  (void)WireToFloat(reply);
  (void)RatingText(WireToFloat(reply));
  (void)FloatToWire(WireToFloat(reply));
  return 0;
}

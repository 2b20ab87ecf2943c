// Fuzz target of the game server's request parsing: the two form body
// styles, the checks every field goes through, the reply values made of what
// was stored, the numbers of a saved rated record, and the JPEG header of a
// photo upload; the MP3 frames a song of the music folder is played by.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/form.h"
#include "core/jpeg.h"
#include "core/mp3.h"
#include "core/rating.h"
#include "core/reply.h"
#include "core/text_rules.h"

namespace {

using namespace varnok::server;

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckValue(const std::string& value) {
  for (int kind = 1; kind <= 4; ++kind) {
    const int lamp = CheckField(value, static_cast<FieldKind>(kind));
    Require(lamp >= 1 && lamp <= 3);
  }
  IsPassportNick(value);
  IsChatText(value, 100);
  IsCountryCode(value);
  IsCountryName(value);
  IsPlainText(value, 60);
  IsAddressText(value);
  IsGamePrefix(value);
  const std::string wire = WireValue(value);
  Require(!wire.empty());
  Require(wire.find_first_of(" $*~") == std::string::npos);
  Require(ProfileValue(value).find_first_of("$*~") == std::string::npos);
  ToWire(wire);
  if (const auto n = ParseInt32(value)) Require(ParseInt32(std::to_string(*n)) == n);
  if (const auto x = ParseReal(value)) {
    const std::string text = FloatToWire(*x);
    Require(text.find_first_of("eE,") == std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  const std::vector<FormPair> pairs = SplitForm(body);
  for (const FormPair& pair : pairs) Require(!pair.name.empty());
  for (BodyStyle style : {BodyStyle::kRaw, BodyStyle::kList}) {
    const std::optional<Form> form = Form::Decode(pairs, style);
    if (!form) continue;
    for (const auto& [name, value] : form->Fields()) {
      Require(IsValidUtf8(value));
      CheckValue(value);
    }
  }

  // A saved rated record made of the first eight numbers of the body.
  if (const std::optional<Form> form = Form::Decode(pairs, BodyStyle::kRaw); form && form->Fields().size() >= 8) {
    const auto& f = form->Fields();
    const auto number = [&](std::size_t i) { return ParseInt32(f[i].second).value_or(0); };
    RatedRecord proposed{number(0), number(1), ParseReal(f[2].second).value_or(0), number(3), number(4), number(5),
                         0, "#"};
    StoredRated held;
    held.record = {number(6), 0, ParseReal(f[7].second).value_or(0), 0, number(4) % 25, number(5), 0, "#"};
    held.announced = number(6) % 2 == 0;
    JudgeSavedRecord(held, proposed);
  }

  if (const auto picture = JpegSize(body)) Require(picture->width >= 0 && picture->height >= 0);

  // Frames lie inside the data, one after the other, and play for a while.
  if (const auto audio = ScanMp3(body)) {
    std::size_t end = 0;
    for (const Mp3Frame& frame : audio->frames) {
      Require(frame.offset >= end && frame.length >= 4 && frame.offset + frame.length <= size);
      end = frame.offset + frame.length;
    }
    Require(audio->FrameNanoseconds() > 0);
  }
  return 0;
}

// The fixed tables of the card player: the declarer's beating card, the
// discard passes and the two follow tables of a defender playing last.
// Ranks are rank orders 1..6 (9, J, Q, K, 10, A); sets of ranks are rank
// masks (bit 0 = nine ... bit 5 = ace), as HoldingPatternOfMask takes them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace varnok::ai {

inline constexpr int kOrder9 = 1;
inline constexpr int kOrderJ = 2;
inline constexpr int kOrderQ = 3;
inline constexpr int kOrderK = 4;
inline constexpr int kOrder10 = 5;
inline constexpr int kOrderA = 6;

constexpr unsigned RankBit(int order) { return order >= 1 && order <= 6 ? 1u << (order - 1) : 0u; }

// Rank mask of a text such as "A 10 K" or "9, J" (unknown letters ignored).
constexpr unsigned RankMaskOfText(std::string_view text) {
  unsigned mask = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    switch (text[i]) {
      case '9': mask |= RankBit(kOrder9); break;
      case 'J': mask |= RankBit(kOrderJ); break;
      case 'Q': mask |= RankBit(kOrderQ); break;
      case 'K': mask |= RankBit(kOrderK); break;
      case '1': mask |= RankBit(kOrder10); break;  // the "0" of "10" is skipped below
      case 'A': mask |= RankBit(kOrderA); break;
      default: break;
    }
  }
  return mask;
}

// Rank order of a single-rank text ("10", "Q"); 0 when it names no rank.
constexpr int RankOrderOfText(std::string_view text) {
  const unsigned mask = RankMaskOfText(text);
  for (int o = 1; o <= 6; ++o)
    if (mask == RankBit(o)) return o;
  return 0;
}

// --- BeatChoice ------------------------------------------------------------

// One row: the held cards that beat (as a holding pattern and its ranks)
// and the card the declarer plays; `play_ace_played` differs from `play`
// only where the choice depends on the suit's ace being played.
struct BeatRow {
  std::uint8_t pattern;
  std::uint8_t cards;  // rank mask of the pattern
  std::uint8_t play;
  std::uint8_t play_ace_played;
};

std::span<const BeatRow> BeatRows();
// The rank order the declarer plays from the beating set `pattern` (1..63);
// 0 for pattern 64 or a number out of range.
int BeatChoiceRank(int pattern, bool ace_played);

// --- ChooseDiscard ---------------------------------------------------------

inline constexpr int kDiscardPassCount = 10;

enum class DiscardCond : std::uint8_t {
  Always,
  AnyOutside,       // one of `ranks` is known outside the declarer's hand
  AllOutside,       // every one of `ranks` is known outside
  UnlessAllInside,  // not every one of `ranks` is known inside
  AllGone,          // every one of `ranks` is played or on the table
};

struct DiscardRule {
  std::uint8_t pass;     // 1..10
  std::uint8_t pattern;  // the suit's holding pattern
  std::uint8_t cards;    // rank mask of that pattern
  DiscardCond cond;
  std::uint8_t ranks;  // the ranks the condition names
};

struct DiscardPass {
  std::uint8_t rank;   // the rank proposed
  std::uint8_t limit;  // the points of that rank
};

std::span<const DiscardRule> DiscardRules();
// Pass 1..10.
DiscardPass DiscardPassOf(int pass);
// The rule of `pass` for a suit of holding `pattern`, or nullptr.
const DiscardRule* DiscardRuleFor(int pass, int pattern);

// --- Defender last, the declarer led a side suit ---------------------------

// What a follow row plays.
inline constexpr std::uint8_t kPlayLowest = 0;   // LowestOf the led suit
inline constexpr std::uint8_t kPlayHighest = 7;  // HighestOf the led suit

// The partner followed the declarer's lead. Rows are tried in order.
struct FollowRow {
  std::uint8_t decl_rank;     // rank the declarer led, 0 = any table
  std::uint8_t partner_rank;  // rank the partner played, 0 = any
  bool either_order;          // the two table ranks may be the other way round
  std::uint8_t pattern;       // the seat's holding pattern of the suit, 0 = any
  std::uint8_t held;          // ranks that must be held
  std::uint8_t not_held;      // ranks that must not be held
  std::uint8_t inside_any;    // one of these must be known inside (0 = no test)
  bool ten_unseen;            // the 10 is neither on the table nor played
  std::uint8_t play;          // a rank order, kPlayLowest or kPlayHighest
};

std::span<const FollowRow> FollowRows();

// The partner did not follow the declarer's lead. A row applies to the
// declarer's rank and the number of the suit's cards already played, when
// every `inside` card is known inside and every `held` card is held.
struct VoidPartnerRow {
  std::uint8_t decl_rank;
  std::uint8_t played;
  std::uint8_t inside;
  std::uint8_t held;
  std::uint8_t play;
};

std::span<const VoidPartnerRow> VoidPartnerRows();

}  // namespace varnok::ai

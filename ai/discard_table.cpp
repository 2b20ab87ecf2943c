// The ten discard passes: by the holding of a side suit, which card of it a
// defender throws away and on what it depends. The cheap cards come first;
// a pass offers its rank of a suit when what is known of the declarer's
// hand says that card cannot be missed.
#include "play_tables.h"

namespace varnok::ai {

namespace {

using enum DiscardCond;

struct DiscardText {
  int pass;
  int pattern;
  std::string_view cards;  // the ranks of the pattern
  DiscardCond cond;
  std::string_view ranks;  // the ranks the condition names
};

// clang-format off
constexpr DiscardText kDiscardText[] = {
    // Pass 1: a nine.
    {1, 1, "10 9 J Q K A", Always, ""}, {1, 2, "10 9 J Q K", Always, ""}, {1, 3, "9 J Q K A", Always, ""},
    {1, 4, "10 9 J Q A", Always, ""},   {1, 5, "10 9 J K A", Always, ""}, {1, 6, "10 9 Q K A", Always, ""},
    {1, 8, "9 J Q K", Always, ""},      {1, 9, "9 J Q A", Always, ""},    {1, 10, "10 9 J A", Always, ""},
    {1, 11, "10 9 K A", Always, ""},    {1, 13, "10 9 J Q", Always, ""},  {1, 14, "10 9 J K", Always, ""},
    {1, 15, "10 9 Q K", Always, ""},    {1, 17, "9 J K A", Always, ""},   {1, 18, "9 Q K A", Always, ""},
    {1, 20, "10 9 Q A", Always, ""},    {1, 26, "10 9 A", Always, ""},    {1, 42, "9 J Q", Always, ""},
    {1, 54, "9 K", Always, ""},         {1, 56, "9 Q", Always, ""},       {1, 57, "9 J", Always, ""},
    {1, 63, "9", Always, ""},
    {1, 29, "A K 9", AnyOutside, "10"},
    {1, 31, "A Q 9", AnyOutside, "10 K"},
    {1, 32, "A J 9", AnyOutside, "10 K Q"},
    {1, 35, "10 K 9", AnyOutside, "A"},
    {1, 37, "10 Q 9", AnyOutside, "A"},
    {1, 38, "10 J 9", AnyOutside, "A"},
    {1, 40, "K Q 9", AnyOutside, "J"},
    {1, 41, "K J 9", AnyOutside, "Q"},
    {1, 43, "A 9", AnyOutside, "10"},
    {1, 51, "10 9", AnyOutside, "A"},
    // Pass 2: a jack.
    {2, 7, "10 J Q K A", Always, ""}, {2, 16, "10 J Q K", Always, ""}, {2, 19, "J Q K A", Always, ""},
    {2, 21, "10 J Q A", Always, ""},  {2, 22, "10 J K A", Always, ""}, {2, 25, "10 J A", Always, ""},
    {2, 39, "J Q K", Always, ""},     {2, 55, "J Q", Always, ""},      {2, 62, "J", Always, ""},
    {2, 28, "A K J", AnyOutside, "10"},
    {2, 30, "A Q J", AnyOutside, "10 K"},
    {2, 34, "10 K J", AnyOutside, "A Q 9"},
    {2, 36, "10 Q J", AnyOutside, "A K 9"},
    {2, 44, "A J", AnyOutside, "10"},
    {2, 50, "10 J", AnyOutside, "A"},
    {2, 53, "K J", AnyOutside, "A 10"},
    // Pass 3: a queen.
    {3, 12, "10 Q K A", Always, ""}, {3, 52, "Q K", Always, ""}, {3, 61, "Q", Always, ""},
    {3, 24, "A 10 Q", AnyOutside, "K J 9"},
    {3, 45, "A Q", AnyOutside, "10"},
    {3, 49, "10 Q", AnyOutside, "A"},
    // Pass 4: a king.
    {4, 23, "A 10 K", AnyOutside, "Q J 9"},
    {4, 46, "A K", AnyOutside, "10"},
    {4, 48, "10 K", AnyOutside, "A"},
    {4, 60, "K", AllOutside, "Q J 9"},
    // Pass 5: a nine, unless the cards that would fall to it are all inside.
    {5, 29, "A K 9", UnlessAllInside, "10 Q J"},
    {5, 31, "A Q 9", UnlessAllInside, "10 K J"},
    {5, 32, "A J 9", UnlessAllInside, "10 K Q"},
    {5, 35, "10 K 9", UnlessAllInside, "A Q J"},
    {5, 37, "10 Q 9", UnlessAllInside, "A K J"},
    {5, 38, "10 J 9", UnlessAllInside, "A K Q"},
    {5, 40, "K Q 9", UnlessAllInside, "J"},
    {5, 41, "K J 9", UnlessAllInside, "Q"},
    {5, 43, "A 9", UnlessAllInside, "10"},
    {5, 51, "10 9", UnlessAllInside, "A"},
    // Pass 6: a jack.
    {6, 28, "A K J", UnlessAllInside, "10 Q 9"},
    {6, 30, "A Q J", UnlessAllInside, "10 K 9"},
    {6, 34, "10 K J", UnlessAllInside, "A Q 9"},
    {6, 36, "10 Q J", UnlessAllInside, "A K 9"},
    {6, 44, "A J", UnlessAllInside, "10"},
    {6, 50, "10 J", UnlessAllInside, "A"},
    {6, 53, "K J", Always, ""},
    // Pass 7: a queen.
    {7, 24, "A 10 Q", UnlessAllInside, "K J 9"},
    {7, 27, "A K Q", UnlessAllInside, "10 J 9"},
    {7, 33, "10 K Q", UnlessAllInside, "A J 9"},
    {7, 45, "A Q", UnlessAllInside, "10"},
    {7, 49, "10 Q", UnlessAllInside, "A"},
    // Pass 8: a king.
    {8, 23, "A 10 K", UnlessAllInside, "Q J 9"},
    {8, 46, "A K", UnlessAllInside, "10"},
    {8, 48, "10 K", UnlessAllInside, "A"},
    // Pass 9: a ten.
    {9, 59, "10", Always, ""},
    {9, 47, "A 10", UnlessAllInside, "K Q J 9"},
    // Pass 10: a bare ace once every other card of its suit is gone.
    {10, 58, "A", AllGone, "10 K Q J 9"},
};
// clang-format on

constexpr std::size_t kRuleCount = std::size(kDiscardText);

constexpr std::array<DiscardPass, kDiscardPassCount + 1> kPasses = {{
    {0, 0},
    {kOrder9, 0},
    {kOrderJ, 2},
    {kOrderQ, 3},
    {kOrderK, 4},
    {kOrder9, 0},
    {kOrderJ, 2},
    {kOrderQ, 3},
    {kOrderK, 4},
    {kOrder10, 10},
    {kOrderA, 11},
}};

constexpr std::array<DiscardRule, kRuleCount> MakeRules() {
  std::array<DiscardRule, kRuleCount> rules{};
  for (std::size_t i = 0; i < kRuleCount; ++i) {
    const DiscardText& t = kDiscardText[i];
    rules[i] = DiscardRule{static_cast<std::uint8_t>(t.pass), static_cast<std::uint8_t>(t.pattern),
                           static_cast<std::uint8_t>(RankMaskOfText(t.cards)), t.cond,
                           static_cast<std::uint8_t>(RankMaskOfText(t.ranks))};
  }
  return rules;
}

constexpr std::array<DiscardRule, kRuleCount> kRules = MakeRules();

// Rule index + 1 by pass and pattern (0 = the pass has no rule for it).
using RuleIndex = std::array<std::array<std::uint8_t, 65>, kDiscardPassCount + 1>;

constexpr RuleIndex MakeRuleIndex() {
  RuleIndex index{};
  for (std::size_t i = 0; i < kRuleCount; ++i)
    index[kRules[i].pass][kRules[i].pattern] = static_cast<std::uint8_t>(i + 1);
  return index;
}

constexpr RuleIndex kRuleIndex = MakeRuleIndex();

constexpr bool RulesSound() {
  for (std::size_t i = 0; i < kRuleCount; ++i) {
    const DiscardRule& r = kRules[i];
    if (r.pass < 1 || r.pass > kDiscardPassCount || r.pattern < 1 || r.pattern > 64) return false;
    // The proposed card must be part of the holding, and each pattern has one rule per pass.
    if ((r.cards & RankBit(kPasses[r.pass].rank)) == 0) return false;
    if (kRuleIndex[r.pass][r.pattern] != i + 1) return false;
    if ((r.cond == Always) != (r.ranks == 0)) return false;
  }
  return true;
}
static_assert(RulesSound(), "discard rules must propose a held card, once per pass and pattern");

}  // namespace

std::span<const DiscardRule> DiscardRules() { return kRules; }

DiscardPass DiscardPassOf(int pass) {
  if (pass < 1 || pass > kDiscardPassCount) return DiscardPass{0, 0};
  return kPasses[static_cast<std::size_t>(pass)];
}

const DiscardRule* DiscardRuleFor(int pass, int pattern) {
  if (pass < 1 || pass > kDiscardPassCount || pattern < 1 || pattern > 64) return nullptr;
  const int i = kRuleIndex[static_cast<std::size_t>(pass)][static_cast<std::size_t>(pattern)];
  return i ? &kRules[static_cast<std::size_t>(i - 1)] : nullptr;
}

}  // namespace varnok::ai

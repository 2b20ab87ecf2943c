// A defender playing last to the declarer's lead of a side suit: which card
// of the suit to give when the partner followed, and when the partner could
// not (the declarer then holds every unseen card of the suit).
#include "play_tables.h"

namespace varnok::ai {

namespace {

struct FollowText {
  std::string_view decl;     // declarer's rank, "" = any table
  std::string_view partner;  // partner's rank, "" = any
  bool either_order;
  int pattern;  // 0 = any holding
  std::string_view held;
  std::string_view not_held;
  std::string_view inside_any;
  bool ten_unseen;
  std::string_view play;  // a rank, "low" or "high"
};

// clang-format off
constexpr FollowText kFollowText[] = {
    {"9", "J", true, 27, "", "", "10", false, "K"},
    {"9", "J", true, 45, "", "", "10 K", false, "Q"},
    {"9", "J", true, 46, "", "", "10", false, "K"},
    {"9", "Q", true, 28, "", "", "10", false, "K"},
    {"9", "Q", true, 44, "", "", "10 K", false, "J"},
    {"9", "Q", true, 46, "", "", "10", false, "K"},
    {"9", "K", true, 30, "", "", "10", false, "J"},
    {"9", "K", true, 44, "", "", "10", false, "J"},
    {"9", "K", true, 45, "", "", "10", false, "Q"},
    {"9", "10", false, 0, "", "", "K Q J", false, "low"},
    {"J", "Q", true, 29, "", "", "10", false, "K"},
    {"J", "Q", true, 43, "", "", "10 K", false, "9"},
    {"J", "Q", true, 46, "", "", "10", false, "K"},
    {"J", "K", true, 31, "", "", "10", false, "9"},
    {"J", "K", true, 43, "", "", "10", false, "9"},
    {"J", "K", true, 45, "", "", "10", false, "Q"},
    {"J", "10", false, 0, "", "", "K Q 9", false, "low"},
    {"Q", "K", true, 32, "", "", "10", false, "9"},
    {"Q", "K", true, 43, "", "", "10", false, "9"},
    {"Q", "K", true, 44, "", "", "10", false, "J"},
    {"Q", "10", false, 0, "", "", "K J 9", false, "low"},
    {"K", "10", false, 0, "", "", "Q J 9", false, "low"},
    {"", "", false, 0, "10", "A", "", false, "10"},
    {"", "", false, 0, "K", "", "", true, "K"},
    {"", "", false, 0, "", "10", "", true, "low"},
    {"", "", false, 0, "", "", "", false, "high"},
};

struct VoidText {
  std::string_view decl;
  int played;
  std::string_view inside;
  std::string_view held;
  std::string_view play;
};

constexpr VoidText kVoidText[] = {
    {"9", 0, "J Q 10", "K A", "K"},   {"9", 0, "J K 10", "Q A", "Q"},   {"9", 0, "J K", "Q 10 A", "Q"},
    {"9", 0, "J 10", "Q K A", "K"},   {"9", 0, "Q K", "J 10 A", "J"},   {"9", 0, "Q 10", "J K A", "J"},
    {"9", 0, "K 10", "J Q A", "Q"},   {"9", 0, "10", "J Q K A", "J"},
    {"9", 1, "J K", "Q A", "Q"},      {"9", 1, "J 10", "Q A", "Q"},     {"9", 1, "J 10", "K A", "K"},
    {"9", 1, "Q 10", "J A", "J"},     {"9", 1, "Q 10", "K A", "K"},     {"9", 1, "K 10", "J A", "J"},
    {"9", 1, "K 10", "Q A", "Q"},     {"9", 1, "K", "J Q A", "Q"},      {"9", 1, "10", "J Q A", "Q"},
    {"9", 1, "10", "J K A", "K"},     {"9", 1, "10", "Q K A", "K"},
    {"9", 2, "10", "J A", "J"},       {"9", 2, "10", "Q A", "Q"},       {"9", 2, "10", "K A", "K"},
    {"J", 0, "10", "9 Q K A", "K"},   {"J", 0, "9 10", "Q K A", "K"},   {"J", 0, "Q 10", "9 K A", "9"},
    {"J", 0, "K 10", "9 Q A", "Q"},   {"J", 0, "9 Q 10", "K A", "K"},   {"J", 0, "9 K 10", "Q A", "Q"},
    {"J", 1, "10", "Q K A", "K"},     {"J", 1, "10", "9 K A", "K"},     {"J", 1, "10", "9 Q A", "Q"},
    {"J", 1, "K", "9 Q A", "Q"},      {"J", 1, "9 K", "Q A", "Q"},      {"J", 1, "9 10", "Q A", "Q"},
    {"J", 1, "9 10", "K A", "K"},
    {"J", 2, "10", "9 A", "9"},       {"J", 2, "10", "Q A", "Q"},       {"J", 2, "10", "K A", "K"},
    {"J", 2, "K", "Q A", "Q"},        {"J", 2, "K", "9 A", "9"},
    {"Q", 0, "10", "9 J K A", "K"},   {"Q", 0, "9 10", "J K A", "K"},   {"Q", 0, "J 10", "9 K A", "K"},
    {"Q", 0, "K 10", "9 J A", "9"},   {"Q", 0, "9 J 10", "K A", "K"},
    {"Q", 1, "10", "9 J A", "9"},     {"Q", 1, "10", "9 K A", "K"},     {"Q", 1, "10", "J K A", "K"},
    {"Q", 1, "9 10", "K A", "K"},     {"Q", 1, "J 10", "K A", "K"},
    {"Q", 2, "10", "K A", "K"},       {"Q", 2, "10", "9 A", "9"},
    {"K", 0, "10", "9 J Q A", "9"},   {"K", 0, "9 10", "J Q A", "J"},   {"K", 0, "J 10", "9 Q A", "9"},
    {"K", 0, "Q 10", "9 J A", "9"},
    {"K", 1, "10", "9 J A", "9"},     {"K", 1, "10", "9 Q A", "9"},     {"K", 1, "10", "J Q A", "J"},
    {"K", 2, "10", "9 A", "9"},       {"K", 2, "10", "J A", "J"},       {"K", 2, "10", "Q A", "Q"},
};
// clang-format on

constexpr std::uint8_t PlayOfText(std::string_view play) {
  if (play == "low") return kPlayLowest;
  if (play == "high") return kPlayHighest;
  return static_cast<std::uint8_t>(RankOrderOfText(play));
}

constexpr std::size_t kFollowCount = std::size(kFollowText);
constexpr std::size_t kVoidCount = std::size(kVoidText);

constexpr std::array<FollowRow, kFollowCount> MakeFollowRows() {
  std::array<FollowRow, kFollowCount> rows{};
  for (std::size_t i = 0; i < kFollowCount; ++i) {
    const FollowText& t = kFollowText[i];
    rows[i] = FollowRow{static_cast<std::uint8_t>(RankOrderOfText(t.decl)),
                        static_cast<std::uint8_t>(RankOrderOfText(t.partner)),
                        t.either_order,
                        static_cast<std::uint8_t>(t.pattern),
                        static_cast<std::uint8_t>(RankMaskOfText(t.held)),
                        static_cast<std::uint8_t>(RankMaskOfText(t.not_held)),
                        static_cast<std::uint8_t>(RankMaskOfText(t.inside_any)),
                        t.ten_unseen,
                        PlayOfText(t.play)};
  }
  return rows;
}

constexpr std::array<VoidPartnerRow, kVoidCount> MakeVoidRows() {
  std::array<VoidPartnerRow, kVoidCount> rows{};
  for (std::size_t i = 0; i < kVoidCount; ++i) {
    const VoidText& t = kVoidText[i];
    rows[i] = VoidPartnerRow{static_cast<std::uint8_t>(RankOrderOfText(t.decl)), static_cast<std::uint8_t>(t.played),
                             static_cast<std::uint8_t>(RankMaskOfText(t.inside)),
                             static_cast<std::uint8_t>(RankMaskOfText(t.held)), PlayOfText(t.play)};
  }
  return rows;
}

constexpr std::array<FollowRow, kFollowCount> kFollowRows = MakeFollowRows();
constexpr std::array<VoidPartnerRow, kVoidCount> kVoidRows = MakeVoidRows();

constexpr bool VoidRowsSound() {
  for (const VoidPartnerRow& r : kVoidRows) {
    // The card played is one the row requires the seat to hold, and no card
    // is both held and inside, nor the declarer's own card.
    if ((r.held & RankBit(r.play)) == 0 || (r.held & r.inside) != 0) return false;
    if (((r.held | r.inside) & RankBit(r.decl_rank)) != 0 || r.played > 2) return false;
  }
  return true;
}
static_assert(kVoidCount == 62 && VoidRowsSound(), "void-partner rows must play a held card");

}  // namespace

std::span<const FollowRow> FollowRows() { return kFollowRows; }
std::span<const VoidPartnerRow> VoidPartnerRows() { return kVoidRows; }

}  // namespace varnok::ai

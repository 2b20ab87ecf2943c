// The card the declarer plays to win a trick, by the set of its cards of the
// suit that beat the card to beat (or, when it trumps, all its trumps).
#include "play_tables.h"

namespace varnok::ai {

namespace {

struct BeatText {
  int pattern;
  std::string_view cards;
  std::string_view play;
  std::string_view play_ace_played;  // empty: the same as `play`
};

// clang-format off
constexpr std::array<BeatText, 63> kBeatText = {{
    {1, "A 10 K Q J 9", "A", ""},  {2, "10 K Q J 9", "10", ""}, {3, "A K Q J 9", "J", ""},
    {4, "A 10 Q J 9", "A", ""},    {5, "A 10 K J 9", "A", ""},  {6, "A 10 K Q 9", "A", ""},
    {7, "A 10 K Q J", "A", ""},    {8, "K Q J 9", "J", ""},     {9, "A Q J 9", "Q", ""},
    {10, "A 10 J 9", "J", ""},     {11, "A 10 K 9", "A", ""},   {12, "A 10 K Q", "A", ""},
    {13, "10 Q J 9", "Q", ""},     {14, "10 K J 9", "10", ""},  {15, "10 K Q 9", "10", ""},
    {16, "10 K Q J", "10", ""},    {17, "A K J 9", "K", ""},    {18, "A K Q 9", "9", ""},
    {19, "A K Q J", "J", ""},      {20, "A 10 Q 9", "Q", ""},   {21, "A 10 Q J", "Q", ""},
    {22, "A 10 K J", "A", ""},     {23, "A 10 K", "A", ""},     {24, "A 10 Q", "Q", ""},
    {25, "A 10 J", "J", ""},       {26, "A 10 9", "9", ""},     {27, "A K Q", "A", ""},
    {28, "A K J", "K", ""},        {29, "A K 9", "K", ""},      {30, "A Q J", "Q", ""},
    {31, "A Q 9", "Q", ""},        {32, "A J 9", "J", ""},      {33, "10 K Q", "10", ""},
    {34, "10 K J", "J", ""},       {35, "10 K 9", "9", ""},     {36, "10 Q J", "Q", ""},
    {37, "10 Q 9", "Q", ""},       {38, "10 J 9", "J", ""},     {39, "K Q J", "J", ""},
    {40, "K Q 9", "9", ""},        {41, "K J 9", "J", ""},      {42, "Q J 9", "Q", ""},
    {43, "A 9", "9", ""},          {44, "A J", "J", ""},        {45, "A Q", "Q", ""},
    {46, "A K", "K", ""},          {47, "A 10", "A", ""},       {48, "10 K", "10", ""},
    {49, "10 Q", "10", "Q"},       {50, "10 J", "10", "J"},     {51, "10 9", "10", "9"},
    {52, "K Q", "K", ""},          {53, "K J", "K", ""},        {54, "K 9", "K", ""},
    {55, "Q J", "Q", ""},          {56, "Q 9", "Q", ""},        {57, "J 9", "J", ""},
    {58, "A", "A", ""},            {59, "10", "10", ""},        {60, "K", "K", ""},
    {61, "Q", "Q", ""},            {62, "J", "J", ""},          {63, "9", "9", ""},
}};
// clang-format on

constexpr std::array<BeatRow, 63> MakeBeatRows() {
  std::array<BeatRow, 63> rows{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const BeatText& t = kBeatText[i];
    const int play = RankOrderOfText(t.play);
    const int alt = t.play_ace_played.empty() ? play : RankOrderOfText(t.play_ace_played);
    rows[i] = BeatRow{static_cast<std::uint8_t>(t.pattern), static_cast<std::uint8_t>(RankMaskOfText(t.cards)),
                      static_cast<std::uint8_t>(play), static_cast<std::uint8_t>(alt)};
  }
  return rows;
}

constexpr std::array<BeatRow, 63> kBeatRows = MakeBeatRows();

constexpr bool BeatRowsSound() {
  for (std::size_t i = 0; i < kBeatRows.size(); ++i) {
    const BeatRow& r = kBeatRows[i];
    if (r.pattern != i + 1) return false;  // rows are in pattern order
    if ((r.cards & RankBit(r.play)) == 0 || (r.cards & RankBit(r.play_ace_played)) == 0) return false;
  }
  return true;
}
static_assert(BeatRowsSound(), "every beating card must be one of the cards that beat");

}  // namespace

std::span<const BeatRow> BeatRows() { return kBeatRows; }

int BeatChoiceRank(int pattern, bool ace_played) {
  if (pattern < 1 || pattern > 63) return 0;
  const BeatRow& r = kBeatRows[static_cast<std::size_t>(pattern - 1)];
  return ace_played ? r.play_ace_played : r.play;
}

}  // namespace varnok::ai

#include "move.h"

#include <array>
#include <charconv>
#include <sstream>
#include <vector>

#include "cards.h"

namespace varnok {

namespace {

struct KindName {
  Move::Kind kind;
  std::string_view name;
  int numbers;  // how many numbers follow the word (a suit counts as one)
};

constexpr std::array<KindName, 17> kKinds = {{
    {Move::Kind::Begin, "begin", 0},
    {Move::Kind::Bid, "bid", 1},
    {Move::Kind::Pass, "pass", 1},
    {Move::Kind::OpenWidow, "open", 0},
    {Move::Kind::TakeWidow, "take", 0},
    {Move::Kind::Give, "give", 2},
    {Move::Kind::ShowGiven, "show", 0},
    {Move::Kind::Trump, "trump", 1},
    {Move::Kind::Order, "order", 1},
    {Move::Kind::StartPlay, "start", 0},
    {Move::Kind::Card, "card", 2},
    {Move::Kind::Collect, "collect", 0},
    {Move::Kind::Score, "score", 0},
    {Move::Kind::NextRound, "next", 0},
    {Move::Kind::NewGame, "new", 0},
    {Move::Kind::Pick, "pick", 1},
    {Move::Kind::Unpick, "unpick", 1},
}};

std::optional<int> ToInt(std::string_view word) {
  int v = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
  if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return v;
}

}  // namespace

std::string ToText(const Move& move) {
  for (const auto& k : kKinds) {
    if (k.kind != move.kind) continue;
    std::string text(k.name);
    switch (move.kind) {
      case Move::Kind::Bid:
      case Move::Kind::Pass: return text + " " + std::to_string(move.seat);
      case Move::Kind::Give:
        text += " " + std::to_string(move.a) + " " + std::to_string(move.b);
        return move.c ? text + " " + SuitName(static_cast<std::uint8_t>(move.c)) : text;
      case Move::Kind::Trump: return text + " " + SuitName(static_cast<std::uint8_t>(move.a));
      case Move::Kind::Order:
      case Move::Kind::Pick:
      case Move::Kind::Unpick: return text + " " + std::to_string(move.a);
      case Move::Kind::Card: return text + " " + std::to_string(move.seat) + " " + std::to_string(move.a);
      default: return text;
    }
  }
  return "?";
}

std::optional<Move> ParseMove(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) ++i;
    std::size_t j = i;
    while (j < text.size() && text[j] != ' ' && text[j] != '\t' && text[j] != '\r' && text[j] != '\n') ++j;
    if (j > i) words.push_back(text.substr(i, j - i));
    i = j;
  }
  if (words.empty()) return std::nullopt;
  for (const auto& k : kKinds) {
    if (k.name != words[0]) continue;
    Move m{k.kind};
    if (k.kind == Move::Kind::Give && words.size() == 4) {
      // A computer declarer's gift carries its trump.
      const std::uint8_t suit = SuitFromName(words[3]);
      if (suit == 0 || suit == kNoSuit) return std::nullopt;
      m.c = suit;
      words.pop_back();
    }
    if (static_cast<int>(words.size()) != 1 + k.numbers) return std::nullopt;
    if (k.kind == Move::Kind::Trump) {
      const std::uint8_t suit = SuitFromName(words[1]);
      if (suit == 0 || suit == kNoSuit) return std::nullopt;
      m.a = suit;
      return m;
    }
    std::array<int, 2> n{};
    for (int w = 0; w < k.numbers; ++w) {
      auto v = ToInt(words[static_cast<std::size_t>(w + 1)]);
      if (!v) return std::nullopt;
      n[static_cast<std::size_t>(w)] = *v;
    }
    switch (k.kind) {
      case Move::Kind::Bid:
      case Move::Kind::Pass: m.seat = n[0]; break;
      case Move::Kind::Give: m.a = n[0]; m.b = n[1]; break;
      case Move::Kind::Order:
      case Move::Kind::Pick:
      case Move::Kind::Unpick: m.a = n[0]; break;
      case Move::Kind::Card: m.seat = n[0]; m.a = n[1]; break;
      default: break;
    }
    return m;
  }
  return std::nullopt;
}

}  // namespace varnok

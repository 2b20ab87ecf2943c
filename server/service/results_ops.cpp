// The results script (world tables by gid and the chat board, table 100) and
// the statistics script.
#include <algorithm>

#include "core/rating.h"
#include "core/reply.h"
#include "core/text_rules.h"
#include "service.h"

namespace varnok::server {

namespace {

constexpr std::int64_t kChatBoard = 100;
constexpr int kRows = 10;

std::optional<std::int64_t> ParseGid(const std::string& text) {
  const std::optional<std::int32_t> gid = ParseInt32(text);
  if (!gid || *gid < 1 || *gid > 999999) return std::nullopt;
  return *gid;
}

std::string Rows(const std::vector<TableEntry>& rows) {
  std::string text;
  for (const TableEntry& e : rows) {
    text += ListEntry({std::to_string(e.place), std::to_string(e.id), std::to_string(e.score), WireValue(e.nick),
                       WireValue(e.country), WireValue(e.city), WireValue(e.r07), WireValue(e.r08),
                       WireValue(e.r09), WireValue(e.r10)});
  }
  return text;
}

}  // namespace

Reply Service::ResultsScript(const Request& request) {
  if (request.body.size() > static_cast<std::size_t>(config_.max_form_bytes)) return Refusal(413);
  const std::vector<FormPair> pairs = SplitForm(request.body);
  std::optional<Form> form;
  const std::string key = "results:" + request.body;
  if (HasName(pairs, "rgid")) {
    if (auto cached = Remembered(key)) return *cached;
    if ((form = Form::Decode(pairs, BodyStyle::kList))) return Remember(key, TableCount(*form));
  } else if (HasName(pairs, "score")) {
    ForgetReads();
    if ((form = Form::Decode(pairs, BodyStyle::kRaw))) return WriteEntry(*form);
  } else if (HasName(pairs, "gid") && HasName(pairs, "nick")) {
    if ((form = Form::Decode(pairs, BodyStyle::kRaw))) return ReadTableNear(*form);
  } else if (HasName(pairs, "gid")) {
    if (auto cached = Remembered(key)) return *cached;
    if ((form = Form::Decode(pairs, BodyStyle::kList))) return Remember(key, ReadTable(*form));
  } else {
    return Refusal(400);
  }
  return Refusal();
}

Reply Service::TableCount(const Form& f) {
  const auto gid = ParseGid(f.Get("rgid"));
  if (!gid) return Refusal();
  const auto count = storage_.CountTable(*gid);
  if (!count) return Refusal(503);
  return Text(NumberReply(*count));
}

Reply Service::ReadTable(const Form& f) {
  const auto gid = ParseGid(f.Get("gid"));
  if (!gid) return Refusal();
  const auto rows = storage_.ReadTable(*gid, 0, kRows);
  if (!rows) return Refusal(503);
  return Text(Rows(*rows));
}

Reply Service::ReadTableNear(const Form& f) {
  const auto gid = ParseGid(f.Get("gid"));
  if (!gid) return Refusal();
  const auto place = storage_.PlaceOf(*gid, f.Get("nick"), f.Get("city"));
  if (!place) return Refusal(503);
  if (*place == 0) return Text("");
  // The entry in the middle of its ten rows where the table allows.
  const std::int64_t offset = std::max<std::int64_t>(0, *place - kRows / 2);
  const auto rows = storage_.ReadTable(*gid, offset, kRows);
  if (!rows) return Refusal(503);
  return Text(Rows(*rows));
}

Reply Service::WriteEntry(const Form& f) {
  const auto gid = ParseGid(f.Get("gid"));
  const auto score = ParseInt32(f.Get("score"));
  TableEntry e;
  e.nick = f.Get("nick");
  e.city = f.Get("city");
  e.country = f.Get("country");
  e.r07 = f.Get("R7");
  e.r08 = f.Get("R8");
  e.r09 = f.Get("R9", "#");
  e.r10 = f.Get("R10", "#");
  if (!e.r10.empty() && e.r10.back() == '*') e.r10.pop_back();  // the body ends with "*"
  const auto note = [](const std::string& text) { return text == "#" || IsChatText(text, 100); };
  const bool valid = gid && score && IsPassportNick(e.nick) && IsCity(e.city) &&
                     (IsCountryCode(e.country) || IsCountryName(e.country)) && IsSex(e.r07) &&
                     IsChatText(e.r08, 10) && note(e.r09) && note(e.r10);
  if (!valid) return Refusal();
  e.gid = *gid;
  e.score = *score;
  const bool board = e.gid == kChatBoard;
  if (!board && (e.score > kMaxCycleScore || e.score < -kMaxCycleScore)) return Refusal();
  if (Paused(board ? "chat_paused" : "results_paused")) return Refusal();
  const std::optional<TableEntry> written = storage_.WriteEntry(e, board);
  if (!written) return Refusal(503);
  return Text(NumberReply(written->place));
}

// ---------------------------------------------------------------- statistics

Reply Service::StatsScript(const Request& request) {
  if (request.body.size() > static_cast<std::size_t>(config_.max_form_bytes)) return Refusal(413);
  const std::vector<FormPair> pairs = SplitForm(request.body);
  const bool write = HasName(pairs, "stat1") || HasName(pairs, "stat3") || HasName(pairs, "R1");
  const std::string key = "stats:" + request.body;
  if (write) {
    ForgetReads();
  } else if (auto cached = Remembered(key)) {
    return *cached;
  }
  const std::optional<Form> form = Form::Decode(pairs, write ? BodyStyle::kRaw : BodyStyle::kList);
  if (!form) return Text(StatusReply(false));
  const auto gid = ParseGid(form->Get("gid"));
  if (!gid) return write ? Text(StatusReply(false)) : Refusal();
  std::array<std::int64_t, 12> x{};
  const auto in = [](std::optional<std::int32_t> v, std::int64_t low, std::int64_t high) {
    return v && *v >= low && *v <= high;
  };
  if (HasName(pairs, "stat1")) {
    const auto a = ParseInt32(form->Get("stat1"));
    const auto b = ParseInt32(form->Get("stat2", "0"));
    if (!in(a, 0, 1) || !in(b, 0, 1)) return Text(StatusReply(false));
    return Text(StatusReply(storage_.AddStats(*gid, *a, *b, 0, std::nullopt, x)));
  }
  if (HasName(pairs, "stat3")) {
    const auto a = ParseInt32(form->Get("stat3"));
    const std::string nick = form->Get("stat4");
    if (!in(a, 0, 1) || !IsPassportNick(nick)) return Text(StatusReply(false));
    return Text(StatusReply(storage_.AddStats(*gid, 0, 0, *a, nick, x)));
  }
  if (HasName(pairs, "R1")) {
    // What one finished game can add: a game, a cycle, its count won or lost,
    // a network or tournament game.
    constexpr std::int64_t kHigh[12] = {1, 1, kMaxGameResult, kMaxGameResult, 1, 1, 1, 1, 1, 1, 1, 1};
    for (std::size_t i = 0; i < 12; ++i) {
      const auto v = ParseInt32(form->Get("R" + std::to_string(i + 1), "0"));
      if (!in(v, 0, kHigh[i])) return Text(StatusReply(false));
      x[i] = *v;
    }
    return Text(StatusReply(storage_.AddStats(*gid, 0, 0, 0, std::nullopt, x)));
  }
  const std::optional<GameStats> s = storage_.ReadStats(*gid);
  if (!s) return Refusal(503);
  std::vector<std::string> fields = {std::to_string(s->stat1), std::to_string(s->stat2), std::to_string(s->stat3),
                                     WireValue(s->stat4)};
  for (std::int64_t v : s->x) fields.push_back(std::to_string(v));
  fields.push_back(std::to_string(s->staty));
  fields.push_back(WireValue(s->statz));
  return Remember(key, Text(ListEntry(fields)));
}

}  // namespace varnok::server

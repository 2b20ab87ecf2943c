// The tournament script: the ten tables of three seats, taking and leaving a
// seat, the players at a table, the tournament server's state, and the
// tournament standings.
#include <cctype>

#include "core/reply.h"
#include "core/text_rules.h"
#include "service.h"

namespace varnok::server {

namespace {

constexpr int kTables = 10;

std::optional<std::int64_t> Gid(const std::string& text) {
  const std::optional<std::int32_t> gid = ParseInt32(text);
  if (!gid || *gid < 1 || *gid > 999999) return std::nullopt;
  return *gid;
}

std::vector<std::string> SeatFields(const Seat& s) {
  return {WireValue(s.nick), std::to_string(s.score), std::to_string(s.kon), std::to_string(s.rating),
          WireValue(s.country), WireValue(s.city), WireValue(s.sex), WireValue(s.ip)};
}

bool Loopback(const std::string& address) { return address.rfind("127.", 0) == 0 || address == "::1"; }

// The digit at the end of a field name ("client3on2" -> 2), 0 when none.
int TrailingDigit(const std::string& name) {
  return !name.empty() && name.back() >= '1' && name.back() <= '3' ? name.back() - '0' : 0;
}

}  // namespace

Reply Service::TourScript(const Request& request) {
  if (request.body.size() > static_cast<std::size_t>(config_.max_form_bytes)) return Refusal(413);
  const std::vector<FormPair> pairs = SplitForm(request.body);
  const auto raw = [&]() { return Form::Decode(pairs, BodyStyle::kRaw); };
  const auto list = [&]() { return Form::Decode(pairs, BodyStyle::kList); };
  std::optional<Form> form;
  if (const auto name = NameStartingWith(pairs, "client3on")) {
    const int seat = name->size() == 10 ? TrailingDigit(*name) : 0;
    if (seat == 0) return Refusal();
    if ((form = raw())) return SetSeat(*form, seat, request);
  } else if (NameStartingWith(pairs, "readtable")) {
    if ((form = list())) return ReadTables(*form);
  } else if (const auto client = NameStartingWith(pairs, "readclient")) {
    const int seat = client->size() == 11 ? TrailingDigit(*client) : 0;
    if (seat == 0) return Refusal();
    if ((form = list())) return ReadClient(*form, seat);
  } else if (HasName(pairs, "serverinforead")) {
    return ServerInfo();
  } else if (NameStartingWith(pairs, "readrating")) {
    if ((form = raw())) return TourRating(*form);
  } else if (const auto top = NameStartingWith(pairs, "top10")) {
    // "top10" + kind + gid
    if (top->size() < 7) return Refusal();
    const auto gid = Gid(top->substr(6));
    const char kind = (*top)[5];
    if (!gid || (kind != 's' && kind != 'r' && kind != 'k')) return Refusal();
    return TourTop(kind, *gid);
  } else if (const auto place = NameStartingWith(pairs, "place")) {
    if (place->size() < 7) return Refusal();
    const auto gid = Gid(place->substr(6));
    const char kind = (*place)[5];
    if (!gid || (kind != 's' && kind != 'r' && kind != 'k')) return Refusal();
    if ((form = raw())) return TourPlace(*form, kind, *gid);
  } else {
    return Refusal(400);
  }
  return Refusal();
}

bool Service::FreeUnclaimedSeats(std::int64_t gid) {
  return storage_.FreeUnclaimedSeats(gid, NowSeconds() - config_.tour_connect_seconds);
}

Reply Service::ReadTables(const Form& f) {
  const auto gid = Gid(f.Get("gid"));
  if (!gid) return Refusal();
  if (!FreeUnclaimedSeats(*gid)) return Refusal(503);
  std::string text;
  // The first record is table 10, the last table 1.
  for (int t = kTables; t >= 1; --t) {
    const auto seats = storage_.ReadSeats(*gid, t);
    if (!seats) return Refusal(503);
    bool free = false;
    for (const auto& [n, s] : *seats) free = free || s.Free();
    std::vector<std::string> fields = {std::to_string(t), WireValue(config_.tour_host.toStdString()),
                                       std::to_string(config_.tour_base_port + t), free ? "Y" : "N", "0", "X"};
    for (int n = 1; n <= 3; ++n) {
      for (std::string& field : SeatFields(seats->at(n))) fields.push_back(std::move(field));
    }
    text += ListEntry(fields);
  }
  return Text(text);
}

Reply Service::SetSeat(const Form& f, int seat, const Request& request) {
  const auto gid = Gid(f.Get("gid"));
  const auto table = ParseInt32(f.Get("num"));
  const auto action = ParseInt32(f.Get("can"));
  if (!gid || !table || *table < 1 || *table > config_.tour_tables || !action || *action < 0 || *action > 2)
    return Refusal();
  if (!FreeUnclaimedSeats(*gid)) return Refusal(503);
  const std::string n = std::to_string(seat);
  const auto seats = storage_.ReadSeats(*gid, *table);
  if (!seats) return Refusal(503);
  if (*action == 1) {
    Seat who;
    who.nick = f.Get("nick" + n);
    who.country = f.Get("country" + n);
    who.city = f.Get("city" + n);
    who.sex = f.Get("sex" + n);
    who.ip = f.Get("ip" + n);
    who.holder_address = request.address;
    const bool valid = IsAccountNick(who.nick) && IsCountryName(who.country) && IsCity(who.city) &&
                       IsSex(who.sex) && IsAddressText(who.ip) && ParseInt32(f.Get("score" + n)) &&
                       ParseInt32(f.Get("kon" + n)) && ParseInt32(f.Get("rating" + n));
    if (!valid) return Refusal();
    // Only the account's owner seats it: the password, as every write of an account needs.
    bool failed = false;
    const std::optional<Account> account = Authenticate(who.nick, f.Get("pw"), request.address, &failed);
    if (failed) return Refusal(503);
    if (!account) return Refusal();
    who.nick = account->nick;
    // Seats fill in order: b only after a, c only after b.
    if (seat > 1 && seats->at(seat - 1).Free()) return Text("is");
    // One seat per account, and a few per address (a household behind one router).
    for (int t = 1; t <= config_.tour_tables; ++t) {
      const auto other = storage_.ReadSeats(*gid, t);
      if (!other) return Refusal(503);
      for (const auto& [k, s] : *other) {
        if (!s.Free() && NickKey(s.nick) == NickKey(who.nick)) return Text("is");
      }
    }
    if (config_.tour_limit_loopback || !Loopback(request.address)) {
      const auto held = storage_.SeatsHeldFrom(*gid, request.address);
      if (!held) return Refusal(503);
      if (*held >= config_.tour_seats_per_address) return Text("is");
    }
    switch (storage_.TakeSeat(*gid, *table, seat, who)) {
      case SeatResult::kDone: return Text("ok");
      case SeatResult::kTaken:
      case SeatResult::kRefused: return Text("is");
      case SeatResult::kFailed: break;
    }
    return Refusal(503);
  }
  // Leaving or clearing: the holder's own address, or a seat whose seat
  // before it is free (the seats after a left one go with it).
  const bool orphaned = seat > 1 && seats->at(seat - 1).Free();
  switch (storage_.FreeSeat(*gid, *table, seat, orphaned ? std::string() : request.address)) {
    case SeatResult::kDone: return Text("ok");
    case SeatResult::kTaken:
    case SeatResult::kRefused: return Text("is");
    case SeatResult::kFailed: break;
  }
  return Refusal(503);
}

Reply Service::ReadClient(const Form& f, int seat) {
  const auto gid = Gid(f.Get("gid"));
  const auto table = ParseInt32(f.Get("num"));
  if (!gid || !table || *table < 1 || *table > config_.tour_tables) return Refusal();
  if (!FreeUnclaimedSeats(*gid)) return Refusal(503);
  const auto seats = storage_.ReadSeats(*gid, *table);
  if (!seats) return Refusal(503);
  return Text(Record(SeatFields(seats->at(seat))));
}

Reply Service::ServerInfo() {
  const std::optional<std::string> state = storage_.Flag("tour_state");
  const std::optional<std::string> status = storage_.Flag("tour_status");
  if (!state || !status) return Refusal(503);
  const std::string s = state->empty() ? "N" : state->substr(0, 1);
  const std::string text = status->empty() ? (s == "Y" ? "Tournament server is running" : "Tournament server is off")
                                           : *status;
  return Text(Record({s, WireValue(text)}));
}

Reply Service::TourRating(const Form& f) {
  std::optional<std::int64_t> gid;
  for (const auto& [name, value] : f.Fields()) {
    if (name.rfind("readrating", 0) == 0) gid = Gid(name.substr(10));
  }
  const std::string nick = f.Get("nick");
  if (!gid || nick.empty() || nick.size() > 64) return Refusal();
  const auto standing = storage_.ReadStanding(*gid, nick);
  if (!standing) return Refusal(503);
  return Text(Record({std::to_string(standing->score), std::to_string(standing->kon),
                      std::to_string(standing->rating)}));
}

Reply Service::TourTop(char kind, std::int64_t gid) {
  const auto rows = storage_.TourTop(gid, kind);
  if (!rows) return Refusal(503);
  std::string text;
  int place = 0;
  for (const TourStanding& t : *rows) {
    const std::int64_t value = kind == 'r' ? t.rating : kind == 'k' ? t.kon : t.score;
    text += ListEntry({std::to_string(++place), WireValue(t.nick), WireValue(t.city), WireValue(t.country),
                       WireValue(t.sex), std::to_string(value)});
  }
  return Text(text);
}

Reply Service::TourPlace(const Form& f, char kind, std::int64_t gid) {
  const char* field = kind == 'r' ? "rating1" : kind == 'k' ? "kon1" : "score1";
  const auto value = ParseInt32(f.Get(field));
  if (!value) return Refusal();
  const auto place = storage_.TourPlace(gid, kind, *value);
  if (!place) return Refusal(503);
  return Text(NumberReply(*place));
}

}  // namespace varnok::server

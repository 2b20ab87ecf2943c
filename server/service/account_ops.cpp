// The account script: registration, login, rated-game records, the account
// top ten and places, club size, profiles and the photo upload.
#include "core/jpeg.h"
#include "core/reply.h"
#include "core/text_rules.h"
#include "photo_check.h"
#include "service.h"

namespace varnok::server {

namespace {

// The profile fields as SaveInfo names them, with their lengths, in the order
// the profile record keeps them (Name1 ... YouTube).
struct ProfileField {
  const char* name;
  std::size_t max;
};
constexpr ProfileField kProfileFields[14] = {
    {"namei", 20},    {"name2", 20},   {"about", 50},    {"telephone", 20}, {"emailo", 50},
    {"skype", 50},    {"website", 50}, {"ok", 50},       {"vk", 50},        {"telegram", 50},
    {"facebook", 60}, {"twitter", 50}, {"instagramm", 50}, {"youtube", 50},
};

std::optional<Form> DecodeAs(const std::vector<FormPair>& pairs, BodyStyle style) { return Form::Decode(pairs, style); }

std::string ProfileText(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c == '$' || c == '~') c = ' ';
  }
  return out;
}

}  // namespace

Reply Service::AccountScript(const Request& request) {
  if (request.body.size() > static_cast<std::size_t>(config_.max_form_bytes)) return Refusal(413);
  const std::vector<FormPair> pairs = SplitForm(request.body);
  const auto raw = [&]() { return DecodeAs(pairs, BodyStyle::kRaw); };
  const auto list = [&]() { return DecodeAs(pairs, BodyStyle::kList); };
  std::optional<Form> form;
  if (HasName(pairs, "labelinfosave")) {
    if ((form = raw())) return SaveInfo(*form, request);
  } else if (HasName(pairs, "labelinforead")) {
    if ((form = list())) return ReadInfo(*form);
  } else if (HasName(pairs, "label1")) {
    return Members();
  } else if (HasName(pairs, "label0")) {
    if ((form = list())) return Login(*form, request);
  } else if (HasName(pairs, "country1") || HasName(pairs, "dater")) {
    if ((form = raw())) return Register(*form, request);
    return Text("error");
  } else if (const auto name = NameEndingWith(pairs, "konl")) {
    const std::string prefix = name->substr(0, name->size() - 4);
    if (!IsGamePrefix(prefix)) return Refusal();
    ForgetReads();
    if ((form = raw())) return SaveResult(*form, prefix, request);
  } else if (const auto best = NameEndingWith(pairs, "best"); best && HasName(pairs, "nick")) {
    const std::string prefix = best->substr(0, best->size() - 4);
    if (!IsGamePrefix(prefix)) return Refusal();
    if ((form = list())) return ReadBest(*form, prefix, request);
  } else if (const auto rating = NameEndingWith(pairs, "rating")) {
    const std::string prefix = rating->substr(0, rating->size() - 6);
    if (!IsGamePrefix(prefix)) return Refusal();
    if ((form = raw())) return Place(prefix, *form);
  } else if (const auto kon = NameEndingWith(pairs, "kon")) {
    const std::string prefix = kon->substr(0, kon->size() - 3);
    if (!IsGamePrefix(prefix)) return Refusal();
    const std::string key = "topten:" + prefix;
    if (auto cached = Remembered(key)) return *cached;
    return Remember(key, TopTen(prefix));
  } else {
    return Refusal(400);
  }
  return Refusal();  // a value that does not decode
}

Reply Service::Register(const Form& f, const Request& request) {
  // A hash made for this request on a worker thread is used once, whatever the outcome.
  const std::optional<std::pair<std::string, std::string>> provided = std::move(provided_hash_);
  provided_hash_.reset();
  Account a;
  a.nick = f.Get("nick");
  const std::string password = f.Get("pw");
  a.city = f.Get("city");
  a.country1 = f.Get("country1");
  a.country2 = f.Get("country2");
  a.sex = f.Get("sex");
  a.email = f.Get("email");
  a.dater = f.Get("dater");
  a.r01 = f.Get("R01", "#");
  a.r02 = f.Get("R02", "#");
  a.r03 = f.Get("R03", "#");
  const auto r04 = ParseInt32(f.Get("R04", "0"));
  const auto r05 = ParseInt32(f.Get("R05", "0"));
  const auto r06 = ParseInt32(f.Get("R06", "0"));
  const bool valid = IsAccountNick(a.nick) && IsAccountPassword(password) && IsCity(a.city) &&
                     IsCountryName(a.country1) && IsCountryCode(a.country2) && IsSex(a.sex) &&
                     IsAccountEmail(a.email) && !a.dater.empty() && IsPlainText(a.dater, 20) &&
                     IsPlainText(a.r01, 20) && IsPlainText(a.r02, 20) && IsPlainText(a.r03, 20) && r04 && r05 && r06;
  if (!valid) return Text("error");
  a.r04 = *r04;
  a.r05 = *r05;
  a.r06 = *r06;
  // A taken nick is answered before the password is hashed.
  bool failed = false;
  if (storage_.FindAccount(a.nick, &failed)) return Text("is");
  if (failed) return Text("error", 503);
  std::optional<std::string> hash;
  if (provided && provided->first == password) {
    // The re-run after the hash was made on a worker thread (counted then).
    if (!provided->second.empty()) hash = provided->second;
  } else {
    if (!credentials_.AllowRegistration(request.address)) {
      hold_reply_ = true;
      return Text("error");
    }
    if (defer_hash_checks_) {
      if (credentials_.BeginHash(NickKey(a.nick), password, request.address, true) !=
          Credentials::Start::kStarted) {
        hold_reply_ = true;
        return Text("error");  // too many hashes waiting for this nick or address
      }
      hash_check_ = HashCheck{NickKey(a.nick), password, std::string(), request.address, true, false};
      return Text("error");  // not sent: the request runs again with the hash
    }
    hash = Credentials::Hash(password);
  }
  if (!hash) return Text("error", 503);
  a.pw_hash = *hash;
  switch (storage_.CreateAccount(a)) {
    case CreateResult::kCreated: return Text("ok");
    case CreateResult::kTaken: return Text("is");
    case CreateResult::kFailed: break;
  }
  return Text("error", 503);
}

Reply Service::Login(const Form& f, const Request& request) {
  bool failed = false;
  const std::optional<Account> a = Authenticate(f.Get("nick"), f.Get("pw"), request.address, &failed);
  if (failed) return Refusal(503);
  if (!a) return Refusal();
  return Text(Record({WireValue(a->city), WireValue(a->country1), WireValue(a->country2), WireValue(a->sex),
                      WireValue(a->email), WireValue(a->dater), WireValue(a->r01), WireValue(a->r02),
                      WireValue(a->r03), std::to_string(a->r04), std::to_string(a->r05), std::to_string(a->r06)}));
}

Reply Service::TopTen(const std::string& prefix) {
  const auto rows = storage_.TopTen(prefix);
  if (!rows) return Refusal(503);
  std::string text;
  int place = 0;
  for (const TopRow& row : *rows) {
    text += ListEntry({std::to_string(++place), WireValue(row.nick), WireValue(row.city), WireValue(row.country1),
                       WireValue(row.country2), WireValue(row.sex), FloatToWire(row.rating)});
  }
  return Text(text);
}

Reply Service::Place(const std::string& prefix, const Form& f) {
  const std::optional<double> rating = ParseReal(f.Get(prefix + "rating"));
  if (!rating) return Refusal();
  const auto place = storage_.RatingPlace(prefix, *rating);
  if (!place) return Refusal(503);
  return Text(NumberReply(*place));
}

Reply Service::Members() {
  const auto count = storage_.CountAccounts();
  if (!count) return Refusal(503);
  return Text(NumberReply(*count));
}

Reply Service::ReadBest(const Form& f, const std::string& prefix, const Request& request) {
  bool failed = false;
  const std::optional<Account> a = Authenticate(f.Get("nick"), f.Get("pw"), request.address, &failed);
  if (failed) return Refusal(503);
  if (!a) return Refusal();
  const std::optional<StoredRated> stored = storage_.ReadRated(a->id, prefix);
  if (!stored) return Refusal(503);
  const RatedRecord& r = stored->record;
  return Text(Record({std::to_string(r.kon), std::to_string(r.best), FloatToWire(r.rating),
                      std::to_string(r.sessions), std::to_string(r.konl), std::to_string(r.score),
                      std::to_string(r.r1), WireValue(r.r2)}));
}

Reply Service::SaveResult(const Form& f, const std::string& prefix, const Request& request) {
  RatedRecord proposed;
  const auto kon = ParseInt32(f.Get(prefix + "kon"));
  const auto best = ParseInt32(f.Get(prefix + "best"));
  const auto rating = ParseReal(f.Get(prefix + "rating"));
  const auto ses = ParseInt32(f.Get(prefix + "ses"));
  const auto konl = ParseInt32(f.Get(prefix + "konl"));
  const auto score = ParseInt32(f.Get(prefix + "score"));
  const auto r1 = ParseInt32(f.Get(prefix + "R1", "0"));
  const std::string r2 = f.Get(prefix + "R2", "#");
  if (!kon || !best || !rating || !ses || !konl || !score || !r1 || !IsPlainText(r2, 20)) return Refusal();
  proposed = {*kon, *best, *rating, *ses, *konl, *score, *r1, r2.empty() ? "#" : r2};
  bool failed = false;
  const std::optional<Account> a = Authenticate(f.Get("nick"), f.Get("pw"), request.address, &failed);
  if (failed) return Refusal(503);
  if (!a) return Refusal();
  const std::optional<RatedStep> step = storage_.SaveRated(a->id, prefix, proposed);
  if (!step) return Refusal(503);
  if (*step == RatedStep::kRefused) return Refusal();
  return Text("ok");
}

Reply Service::ReadInfo(const Form& f) {
  bool failed = false;
  const std::optional<Account> a = storage_.FindAccount(f.Get("nick"), &failed);
  if (failed) return Refusal(503);
  if (!a) return Refusal();
  const std::optional<Profile> p = storage_.ReadProfile(a->id);
  if (!p) return Refusal(503);
  // The reply puts WebSite before Skype.
  const std::size_t order[14] = {0, 1, 2, 3, 4, 6, 5, 7, 8, 9, 10, 11, 12, 13};
  std::string text = "$";
  for (std::size_t i = 0; i < 14; ++i) {
    if (i) text += '~';
    text += ProfileValue((*p)[order[i]]);
  }
  text += '$';
  return Text(text);
}

Reply Service::SaveInfo(const Form& f, const Request& request) {
  Profile profile;
  for (std::size_t i = 0; i < 14; ++i) {
    const std::string text = ProfileText(f.Get(kProfileFields[i].name));
    if (!IsPlainText(text, kProfileFields[i].max)) return Text("refused");
    profile[i] = text;
  }
  bool failed = false;
  const std::optional<Account> a = Authenticate(f.Get("nick"), f.Get("pw"), request.address, &failed);
  if (failed) return Refusal(503);
  if (!a) return Text("refused");
  if (!storage_.SaveProfile(a->id, profile)) return Refusal(503);
  return Text("ok");
}

Reply Service::PhotoUpload(const Request& request) {
  const auto refused = [](const char* reason) { return Text(std::string("refused: ") + reason); };
  const std::optional<std::string> nick = DecodeListValue(request.nick_header);
  const std::optional<std::string> password = DecodeListValue(request.password_header);
  if (!nick || !password) return refused("wrong nick or password");
  if (request.body.size() > static_cast<std::size_t>(config_.max_photo_bytes)) return refused("photo too large");
  // Only the frame header is read before the sender is known; the picture is
  // decoded for members only, beside the event loop.
  const std::optional<PictureSize> size = JpegSize(request.body);
  if (!size || size->width != 200 || size->height != 250) return refused("not a 200 x 250 JPEG");
  bool failed = false;
  const std::optional<Account> a = Authenticate(*nick, *password, request.address, &failed, false);
  if (failed) return Text("refused: service unavailable", 503);
  if (!a) return refused("wrong nick or password");
  if (!defer_hash_checks_) {
    return FinishPhoto(PhotoCheck{a->nick, request.body}, JpegDecodes(request.body, 200, 250, JpegBounds()));
  }
  photo_check_ = PhotoCheck{a->nick, request.body};
  return refused("service unavailable");  // not sent: the answer follows the decoding
}

Reply Service::FinishPhoto(const PhotoCheck& check, bool picture) {
  if (!picture) return Text("refused: not a 200 x 250 JPEG");
  if (!storage_.SavePhoto(check.nick, check.jpeg)) return Text("refused: service unavailable", 503);
  return Text("ok");
}

}  // namespace varnok::server

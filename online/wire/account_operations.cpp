// The account service: registration, login, the rated-game record, the
// account top ten, places, the club's size and the profile.
#include "operation_fields.h"
#include "operations.h"

namespace varnok::online {

using detail::Decimal;
using detail::ReadLastNumber;
using detail::TakeChar;
using detail::TakeInt;
using detail::TakeReal;
using detail::TakeText;

namespace {

std::string Prefixed(const char* name) { return std::string(kGamePrefix) + name; }

}  // namespace

Request RegisterAccount::MakeRequest() const {
  return {Service::Account,
          BodyStyle::RawForm,
          {{"nick", User.Nick},
           {"pw", User.Pw},
           {"city", User.City},
           {"country1", User.Country1},
           {"country2", User.Country2},
           {"sex", std::string(1, User.Sex)},
           {"email", User.EMail},
           {"dater", User.DateR},
           {"R01", User.R01},
           {"R02", User.R02},
           {"R03", User.R03},
           {"R04", Decimal(User.R04)},
           {"R05", Decimal(User.R05)},
           {"R06", Decimal(User.R06)}}};
}

RegisterAccount::Result RegisterAccount::Read(Reply reply) const {
  if (!reply) return 2;
  int result = 2;
  if (ContainsToken(*reply, "ok")) result = 0;
  if (ContainsToken(*reply, "is")) result = 1;
  return result;
}

Request LoginAccount::MakeRequest() const {
  return {Service::Account, BodyStyle::ListForm, {{"nick", Nick}, {"pw", Pw}, {"label0", "0"}}};
}

LoginAccount::Result LoginAccount::Read(Reply reply) const {
  LoginResult result;
  TZubUser& user = result.User;
  user.Nick = Nick;
  user.Pw = Pw;
  user.City = user.Country1 = user.Country2 = user.EMail = "#";
  user.R01 = user.R02 = user.R03 = "#";
  user.Sex = '#';
  user.DateR = "00.00.0000";
  result.Reached = reply.has_value();
  if (!reply || ContainsTokenOutsideRecord(*reply, "no")) return result;
  const auto fields = FirstRecord(*reply);
  if (!fields) return result;
  TakeText(*fields, 1, user.City);
  TakeText(*fields, 2, user.Country1);
  TakeText(*fields, 3, user.Country2);
  TakeChar(*fields, 4, user.Sex);
  TakeText(*fields, 5, user.EMail);
  TakeText(*fields, 6, user.DateR);
  TakeText(*fields, 7, user.R01);
  TakeText(*fields, 8, user.R02);
  TakeText(*fields, 9, user.R03);
  result.Ok = TakeInt(*fields, 10, user.R04) & TakeInt(*fields, 11, user.R05) & TakeInt(*fields, 12, user.R06);
  return result;
}

Request ReadTopTen::MakeRequest() const {
  return {Service::Account, BodyStyle::ListForm, {{Prefixed("kon"), "0"}}};
}

ReadTopTen::Result ReadTopTen::Read(Reply reply) const {
  TopTenResult result;
  if (!reply) return result;
  const auto records = RecordList(*reply);
  for (std::size_t i = 0; i < records.size(); ++i) {
    TZubTop10& row = result.Rows[i];
    TakeText(records[i], 2, row.Nick);
    TakeText(records[i], 3, row.City);
    TakeText(records[i], 4, row.Country);  // the country's name, overwritten by its code
    TakeText(records[i], 5, row.Country);
    TakeChar(records[i], 6, row.Sex);
    TakeReal(records[i], 7, row.Rating);
  }
  result.Ok = true;
  return result;
}

namespace {


}  // namespace

Request ReadPlace::MakeRequest() const {
  return {Service::Account, BodyStyle::RawForm, {{Prefixed("rating"), FloatToWire(Rating)}}};
}
ReadPlace::Result ReadPlace::Read(Reply reply) const { return ReadLastNumber(reply); }

Request ReadMembers::MakeRequest() const { return {Service::Account, BodyStyle::RawForm, {{"label1", "0"}}}; }
ReadMembers::Result ReadMembers::Read(Reply reply) const { return ReadLastNumber(reply); }

Request ReadBest::MakeRequest() const {
  return {Service::Account, BodyStyle::ListForm, {{"nick", Nick}, {"pw", Pw}, {Prefixed("best"), "0"}}};
}

ReadBest::Result ReadBest::Read(Reply reply) const {
  BestResult result;
  if (!reply) return result;
  const auto fields = FirstRecord(*reply);
  // A refusal (a wrong password, an unknown account) is a failed read, never
  // an all-zero record.
  if (!fields) {
    result.Ok = !ContainsToken(*reply, "no");
    return result;
  }
  result.Ok = true;
  TZubGame& game = result.Game;
  result.Ok = TakeInt(*fields, 1, game.Kon) & TakeInt(*fields, 2, game.Best);
  TakeReal(*fields, 3, game.Rating);
  result.Ok = (result.Ok ? 1u : 0u) & TakeInt(*fields, 4, game.Sessions) & TakeInt(*fields, 5, game.KonL) &
              TakeInt(*fields, 6, game.Score) & TakeInt(*fields, 7, game.R1);
  TakeText(*fields, 8, game.R2);
  return result;
}

Request SaveResult::MakeRequest() const {
  return {Service::Account,
          BodyStyle::RawForm,
          {{"nick", Nick},
           {"pw", Pw},
           {Prefixed("kon"), Decimal(Game.Kon)},
           {Prefixed("best"), Decimal(Game.Best)},
           {Prefixed("rating"), FloatToWire(Game.Rating)},
           {Prefixed("ses"), Decimal(Game.Sessions)},
           {Prefixed("konl"), Decimal(Game.KonL)},
           {Prefixed("score"), Decimal(Game.Score)},
           {Prefixed("R1"), Decimal(Game.R1)},
           {Prefixed("R2"), Game.R2}}};
}

SaveResult::Result SaveResult::Read(Reply reply) const { return reply && ContainsToken(*reply, "ok"); }

Request ReadInfo::MakeRequest() const {
  return {Service::Account, BodyStyle::ListForm, {{"nick", Nick}, {"labelinforead", "0"}}};
}

ReadInfo::Result ReadInfo::Read(Reply reply) const {
  InfoResult result;
  if (!reply || ContainsTokenOutsideRecord(*reply, "no")) return result;
  const auto fields = FirstRecord(*reply, '~');
  if (!fields) return result;
  TInfo14& info = result.Info;
  std::string* const order[] = {&info.Name1,   &info.Name2,    &info.About, &info.Telephone, &info.EMailO,
                                &info.WebSite, &info.Skype,    &info.OK,    &info.VK,        &info.Telegram,
                                &info.FaceBook, &info.Twitter, &info.Instagramm, &info.YouTube};
  for (std::size_t i = 0; i < std::size(order); ++i) TakeText(*fields, i + 1, *order[i]);
  result.Ok = true;
  return result;
}

Request SaveInfo::MakeRequest() const {
  return {Service::Account,
          BodyStyle::RawForm,
          {{"nick", Nick},
           {"labelinfosave", "0"},
           {"namei", Info.Name1},
           {"name2", Info.Name2},
           {"about", Info.About},
           {"telephone", Info.Telephone},
           {"emailo", Info.EMailO},
           {"website", Info.WebSite},
           {"skype", Info.Skype},
           {"ok", Info.OK},
           {"vk", Info.VK},
           {"telegram", Info.Telegram},
           {"facebook", Info.FaceBook},
           {"twitter", Info.Twitter},
           {"instagramm", Info.Instagramm},
           {"youtube", Info.YouTube},
           {"pw", Pw}}};
}

SaveInfo::Result SaveInfo::Read(Reply reply) const { return reply && ContainsToken(*reply, "ok"); }

}  // namespace varnok::online

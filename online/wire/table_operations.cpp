// The results service (world tables and the chat board), the statistics
// service and the tournament's seat service.
#include "operation_fields.h"
#include "operations.h"

namespace varnok::online {

using detail::Decimal;
using detail::ReadLastNumber;
using detail::TakeChar;
using detail::TakeInt;
using detail::TakeText;

namespace {


TableResult EmptyTable(std::int32_t gid) {
  TableResult result;
  for (TZubRecord& row : result.Rows) row.GID = gid;
  return result;
}

// The rows of a world table: place, (unused), score, nick, country, city and
// the four free fields.
TableResult ReadResultsRows(std::int32_t gid, Reply reply) {
  TableResult result = EmptyTable(gid);
  if (!reply) return result;
  result.Ok = true;
  const auto records = RecordList(*reply);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const RecordFields& fields = records[i];
    TZubRecord& row = result.Rows[i];
    result.Ok = (result.Ok ? 1u : 0u) & TakeInt(fields, 1, row.Place) & TakeInt(fields, 3, row.Score);
    TakeText(fields, 4, row.Nick);
    TakeText(fields, 5, row.Country);
    TakeText(fields, 6, row.City);
    TakeText(fields, 7, row.R07);
    TakeText(fields, 8, row.R08);
    TakeText(fields, 9, row.R09);
    TakeText(fields, 10, row.R10);
  }
  return result;
}

}  // namespace

Request ReadTableCount::MakeRequest() const {
  return {Service::Results, BodyStyle::ListForm, {{"rgid", Decimal(Gid)}}};
}
ReadTableCount::Result ReadTableCount::Read(Reply reply) const { return ReadLastNumber(reply); }

Request ReadTable::MakeRequest() const {
  return {Service::Results, BodyStyle::ListForm, {{"gid", Decimal(Gid)}}, true};
}
ReadTable::Result ReadTable::Read(Reply reply) const { return ReadResultsRows(Gid, reply); }

Request ReadTableNear::MakeRequest() const {
  return {Service::Results, BodyStyle::RawForm, {{"gid", Decimal(Gid)}, {"nick", Nick}, {"city", City}}, true};
}
ReadTableNear::Result ReadTableNear::Read(Reply reply) const { return ReadResultsRows(Gid, reply); }

Request WriteTableEntry::MakeRequest() const {
  return {Service::Results,
          BodyStyle::RawForm,
          {{"gid", Decimal(Gid)},
           {"nick", Nick},
           {"city", City},
           {"country", Country},
           {"score", Decimal(Score)},
           {"R7", R7},
           {"R8", kVersionText},
           {"R9", R9},
           {"R10", R10 + "*"}}};
}
WriteTableEntry::Result WriteTableEntry::Read(Reply reply) const { return ReadLastNumber(reply); }

Request ReadStats::MakeRequest() const {
  return {Service::Stats, BodyStyle::ListForm, {{"gid", Decimal(Gid)}}, true};
}

ReadStats::Result ReadStats::Read(Reply reply) const {
  StatsResult result;
  result.Stat.GID = Gid;
  if (!reply) return result;
  result.Ok = true;
  const auto records = RecordList(*reply, 1);
  if (records.empty()) return result;
  const RecordFields& fields = records.front();
  TZubStat& stat = result.Stat;
  bool numbers = TakeInt(fields, 1, stat.Stat1) & TakeInt(fields, 2, stat.Stat2) & TakeInt(fields, 3, stat.Stat3);
  TakeText(fields, 4, stat.Stat4);
  for (std::size_t i = 0; i < stat.StatX.size(); ++i) numbers = (numbers ? 1u : 0u) & TakeInt(fields, 5 + i, stat.StatX[i]);
  numbers = (numbers ? 1u : 0u) & TakeInt(fields, 17, stat.StatY);
  TakeText(fields, 18, stat.StatZ);
  result.Ok = numbers;
  return result;
}

Request SendLaunch::MakeRequest() const {
  return {Service::Stats,
          BodyStyle::RawForm,
          {{"gid", Decimal(Gid)}, {"stat1", Decimal(Stat1)}, {"stat2", Decimal(Stat2)}}};
}
SendLaunch::Result SendLaunch::Read(Reply reply) const { return reply && StatusReply(*reply); }

Request SendLike::MakeRequest() const {
  return {Service::Stats, BodyStyle::RawForm, {{"gid", Decimal(Gid)}, {"stat3", Decimal(Stat3)}, {"stat4", Text}}};
}
SendLike::Result SendLike::Read(Reply reply) const { return reply && StatusReply(*reply); }

Request SendGameStats::MakeRequest() const {
  Request request{Service::Stats, BodyStyle::RawForm, {{"gid", Decimal(Gid)}}};
  for (std::size_t i = 0; i < R.size(); ++i) request.Fields.push_back({"R" + Decimal(i + 1), Decimal(R[i])});
  return request;
}
SendGameStats::Result SendGameStats::Read(Reply reply) const { return reply && StatusReply(*reply); }

Request ReadTables::MakeRequest() const {
  return {Service::Tour, BodyStyle::ListForm, {{"readtable310", Decimal(Gid)}, {"gid", Decimal(Gid)}}, true};
}

ReadTables::Result ReadTables::Read(Reply reply) const {
  TablesResult result;
  if (!reply) return result;
  result.Ok = true;
  const auto records = RecordList(*reply);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const RecordFields& fields = records[i];
    TZubTable_3& table = result.Tables[9 - i];  // the first record is table 10
    TakeText(fields, 2, table.IP);
    bool numbers = TakeInt(fields, 3, table.Port);
    TakeText(fields, 4, table.Free);
    numbers = (numbers ? 1u : 0u) & TakeInt(fields, 5, table.R1);
    TakeText(fields, 6, table.R2);
    for (std::size_t s = 0; s < table.Seats.size(); ++s) {
      TZubSeat& seat = table.Seats[s];
      const std::size_t first = 7 + 8 * s;
      TakeText(fields, first, seat.Nick);
      numbers = (numbers ? 1u : 0u) & TakeInt(fields, first + 1, seat.Score) & TakeInt(fields, first + 2, seat.Kon) &
                TakeInt(fields, first + 3, seat.Rating);
      TakeText(fields, first + 4, seat.Country);
      TakeText(fields, first + 5, seat.City);
      TakeText(fields, first + 6, seat.Sex);
      TakeText(fields, first + 7, seat.IP);
    }
    result.Ok = result.Ok && numbers;
  }
  return result;
}

Request SetSeat::MakeRequest() const {
  const std::string s = Decimal(Seat);
  return {Service::Tour,
          BodyStyle::RawForm,
          {{"client3on" + s, "0"},
           {"gid", Decimal(Gid)},
           {"num", Decimal(Table)},
           {"can", Decimal(Action)},
           {"nick" + s, Client.Nick},
           {"score" + s, Decimal(Client.Score)},
           {"kon" + s, Decimal(Client.Kon)},
           {"rating" + s, Decimal(Client.Rating)},
           {"country" + s, Client.Country},
           {"city" + s, Client.City},
           {"sex" + s, std::string(1, Client.Sex)},
           {"ip" + s, Client.IP},
           {"pw", Pw}}};
}

SetSeat::Result SetSeat::Read(Reply reply) const {
  SeatResult result;
  if (!reply) return result;
  if (ContainsToken(*reply, "ok")) result = {0, true};
  if (ContainsToken(*reply, "is")) result = {2, true};
  return result;
}

Request ReadClient::MakeRequest() const {
  return {Service::Tour,
          BodyStyle::ListForm,
          {{"readclient" + Decimal(Seat), "0"}, {"gid", Decimal(Gid)}, {"num", Decimal(Table)}}};
}

ReadClient::Result ReadClient::Read(Reply reply) const {
  ClientResult result;
  if (!reply) return result;
  const auto fields = FirstRecord(*reply);
  if (!fields) return result;
  TZubClient& client = result.Client;
  TakeText(*fields, 1, client.Nick);
  result.Ok = TakeInt(*fields, 2, client.Score) & TakeInt(*fields, 3, client.Kon) & TakeInt(*fields, 4, client.Rating);
  TakeText(*fields, 5, client.Country);
  TakeText(*fields, 6, client.City);
  TakeChar(*fields, 7, client.Sex);
  TakeText(*fields, 8, client.IP);
  return result;
}

Request ReadServerInfo::MakeRequest() const {
  return {Service::Tour, BodyStyle::ListForm, {{"serverinforead", "0"}, {"gid", Decimal(Gid)}}};
}

ReadServerInfo::Result ReadServerInfo::Read(Reply reply) const {
  ServerInfoResult result;
  if (!reply) return result;
  result.Ok = true;
  if (const auto fields = FirstRecord(*reply)) {
    TakeChar(*fields, 1, result.State);
    TakeText(*fields, 2, result.Text);
  }
  return result;
}

Request ReadTourRating::MakeRequest() const {
  return {Service::Tour, BodyStyle::RawForm, {{"readrating" + Decimal(Gid), "0"}, {"nick", Nick}}};
}

ReadTourRating::Result ReadTourRating::Read(Reply reply) const {
  TourRatingResult result;
  if (!reply) return result;
  const auto fields = FirstRecord(*reply);
  if (!fields) return result;
  TourRatingResult read;
  read.Ok = TakeInt(*fields, 1, read.Score) & TakeInt(*fields, 2, read.Kon) & TakeInt(*fields, 3, read.Rating);
  return read.Ok ? read : result;
}

Request ReadTourTop10::MakeRequest() const {
  return {Service::Tour,
          BodyStyle::ListForm,
          {{"top10" + std::string(1, Kind) + Decimal(Gid), "0"}, {"nick", "z"}}};
}

ReadTourTop10::Result ReadTourTop10::Read(Reply reply) const {
  TableResult result = EmptyTable(Gid);
  if (!reply) return result;
  result.Ok = true;
  const auto records = RecordList(*reply);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const RecordFields& fields = records[i];
    TZubRecord& row = result.Rows[i];
    result.Ok = (result.Ok ? 1u : 0u) & TakeInt(fields, 1, row.Place);
    TakeText(fields, 2, row.Nick);
    TakeText(fields, 3, row.City);
    TakeText(fields, 4, row.Country);
    TakeText(fields, 5, row.R07);
    result.Ok = (result.Ok ? 1u : 0u) & TakeInt(fields, 6, row.Score);
  }
  return result;
}

Request SendTourPlace::MakeRequest() const {
  const char* value_name = Kind == 'r' ? "rating1" : Kind == 'k' ? "kon1" : "score1";
  return {Service::Tour,
          BodyStyle::RawForm,
          {{"place" + std::string(1, Kind) + Decimal(Gid), "0"}, {value_name, Decimal(Value)}}};
}
SendTourPlace::Result SendTourPlace::Read(Reply reply) const { return ReadLastNumber(reply); }

std::string ExternalIpText(Reply reply) {
  if (!reply) return {};
  std::string text;
  std::string_view rest = *reply;
  while (!rest.empty()) {
    const auto end = rest.find_first_of("\r\n");
    text.append(rest.substr(0, end));
    text += "\r\n";
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + (rest.substr(end, 2) == "\r\n" ? 2 : 1));
  }
  return text;
}

}  // namespace varnok::online

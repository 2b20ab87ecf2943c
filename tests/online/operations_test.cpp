// The requests of the server operations and the readers of their replies.
#include <gtest/gtest.h>

#include <string>

#include "cp1251.h"
#include "operations.h"

namespace varnok::online {
namespace {

std::string Body(const Request& request) { return FormBody(request.Style, request.Fields); }

TEST(FormBodies, RawFormEscapesOnlyTheMarksThatSplitAFieldAndSendsCodePage1251) {
  const std::string body = RawFormBody({{"nick", "Иван"}, {"about", "a&b=c 50%"}, {"R10", "x*"}});
  EXPECT_EQ(body, Utf8ToCp1251Lossy("nick=Иван&about=a%26b%3Dc 50%25&R10=x*"));
  EXPECT_EQ(RawFormBody({}), "");
}

TEST(FormBodies, ListFormPercentEncodesUtf8) {
  EXPECT_EQ(ListFormBody({{"nick", "Ив an"}, {"pw", "a+b&c"}, {"label0", "0"}}),
            "nick=%D0%98%D0%B2%20an&pw=a%2Bb%26c&label0=0");
}

TEST(Operations, RequestsNameTheirFieldsInOrder) {
  TZubUser user;
  user.Nick = "Ivan";
  user.Pw = "secret";
  user.City = "Omsk";
  user.Country1 = "Russia";
  user.Country2 = "1-001";
  user.EMail = "i@x.ru";
  user.R01 = user.R02 = user.R03 = "xxx";
  EXPECT_EQ(Body(RegisterAccount{user}.MakeRequest()),
            "nick=Ivan&pw=secret&city=Omsk&country1=Russia&country2=1-001&sex=M&email=i@x.ru&dater=00.00.0000"
            "&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0");
  EXPECT_EQ(Body(LoginAccount{"Ivan", "secret"}.MakeRequest()), "nick=Ivan&pw=secret&label0=0");
  EXPECT_EQ(Body(ReadTopTen{}.MakeRequest()), "crdVarnokkon=0");
  EXPECT_EQ(Body(ReadPlace{12.5}.MakeRequest()), "crdVarnokrating=12.5");
  EXPECT_EQ(Body(ReadBest{"Ivan", "secret"}.MakeRequest()), "nick=Ivan&pw=secret&crdVarnokbest=0");
  TZubGame game;
  game.Kon = 3;
  game.Best = 250;
  game.Rating = 1.5;
  game.Sessions = 1;
  game.KonL = 2;
  game.Score = 40;
  EXPECT_EQ(Body(SaveResult{"Ivan", "secret", game}.MakeRequest()),
            "nick=Ivan&pw=secret&crdVarnokkon=3&crdVarnokbest=250&crdVarnokrating=1.5&crdVarnokses=1"
            "&crdVarnokkonl=2&crdVarnokscore=40&crdVarnokR1=0&crdVarnokR2=#");
  EXPECT_EQ(Body(WriteTableEntry{9, "Ivan", "Omsk", "1-001", 120, "M", "a", "b"}.MakeRequest()),
            "gid=9&nick=Ivan&city=Omsk&country=1-001&score=120&R7=M&R8=5.7f&R9=a&R10=b*");
  EXPECT_EQ(Body(SetSeat{9, 4, 2, 1, {"Ivan", 10, 3, 7, "1-001", "Omsk", 'M', "1.2.3.4"}, "secret"}.MakeRequest()),
            "client3on2=0&gid=9&num=4&can=1&nick2=Ivan&score2=10&kon2=3&rating2=7&country2=1-001&city2=Omsk"
            "&sex2=M&ip2=1.2.3.4&pw=secret");
  EXPECT_EQ(Body(ReadTourTop10{9, 'r'}.MakeRequest()), "top10r9=0&nick=z");
  EXPECT_EQ(Body(SendTourPlace{9, 'k', 31}.MakeRequest()), "placek9=0&kon1=31");
  EXPECT_EQ(Body(ReadTables{}.MakeRequest()), "readtable310=9&gid=9");
  SendGameStats stats;
  stats.R[11] = 5;
  EXPECT_EQ(Body(stats.MakeRequest()), "gid=9&R1=0&R2=0&R3=0&R4=0&R5=0&R6=0&R7=0&R8=0&R9=0&R10=0&R11=0&R12=5");
  // The window-refreshing reads shorten the client's time-out; the others do not.
  EXPECT_TRUE(ReadTable{}.MakeRequest().ShortTimeout);
  EXPECT_TRUE(ReadTableNear{}.MakeRequest().ShortTimeout);
  EXPECT_TRUE(ReadStats{}.MakeRequest().ShortTimeout);
  EXPECT_TRUE(ReadTables{}.MakeRequest().ShortTimeout);
  EXPECT_FALSE(LoginAccount{}.MakeRequest().ShortTimeout);
  // The profile is saved only with the owner's password.
  const Request info = SaveInfo{"Ivan", "secret", {}}.MakeRequest();
  EXPECT_EQ(info.Fields.back(), (FormField{"pw", "secret"}));
  EXPECT_EQ(info.Fields[7].Name, "website");
}

TEST(Operations, RegistrationResult) {
  const RegisterAccount op;
  EXPECT_EQ(op.Read(std::nullopt), 2);
  EXPECT_EQ(op.Read("ok"), 0);
  EXPECT_EQ(op.Read("is"), 1);
  EXPECT_EQ(op.Read("ok is"), 1);  // "is" overrides "ok"
  EXPECT_EQ(op.Read("error"), 2);
  EXPECT_EQ(op.Read(""), 2);
}

TEST(Operations, LoginReadsTheRecordAndRefusesOnlyTheBareNo) {
  const LoginAccount op{"Ivan", "secret"};
  const auto good = op.Read("$Omsk Russia 1-001 W mail@x 01.02.2015 xxx yyy zzz 4 5 6$");
  EXPECT_TRUE(good.Ok);
  EXPECT_EQ(good.User.City, "Omsk");
  EXPECT_EQ(good.User.Country2, "1-001");
  EXPECT_EQ(good.User.Sex, 'W');
  EXPECT_EQ(good.User.DateR, "01.02.2015");
  EXPECT_EQ(good.User.R03, "zzz");
  EXPECT_EQ(good.User.R06, 6);
  EXPECT_EQ(good.User.Pw, "secret");

  for (const char* refusal : {"no", "no$", "error: no"}) {
    const auto refused = op.Read(refusal);
    EXPECT_FALSE(refused.Ok) << refusal;
    EXPECT_EQ(refused.User.City, "#");
    EXPECT_EQ(refused.User.Sex, '#');
    EXPECT_EQ(refused.User.DateR, "00.00.0000");
  }
  EXPECT_FALSE(op.Read(std::nullopt).Ok);
  // A city or e-mail holding the letters "no" is data, not a refusal.
  const auto novosibirsk = op.Read("$Novosibirsk Russia 1-001 M nobody@no.ru 01.02.2015 xxx xxx xxx 0 0 0$");
  EXPECT_TRUE(novosibirsk.Ok);
  EXPECT_EQ(novosibirsk.User.EMail, "nobody@no.ru");
  // Cyrillic comes as code page 1251.
  const auto omsk = op.Read(Utf8ToCp1251Lossy("$Омск Russia 1-001 M m@x 01.02.2015 xxx xxx xxx 0 0 0$"));
  EXPECT_EQ(omsk.User.City, "Омск");
  // A number that does not parse fails the call.
  EXPECT_FALSE(op.Read("$Omsk Russia 1-001 M m@x 01.02.2015 xxx xxx xxx 0 zero 0$").Ok);
}

TEST(Operations, RatedRecordAndTopTen) {
  const auto best = ReadBest{}.Read("$12 340 5.25 1 3 77 0 #$");
  EXPECT_TRUE(best.Ok);
  EXPECT_EQ(best.Game.Kon, 12);
  EXPECT_EQ(best.Game.Best, 340);
  EXPECT_DOUBLE_EQ(best.Game.Rating, 5.25);
  EXPECT_EQ(best.Game.Sessions, 1);
  EXPECT_EQ(best.Game.KonL, 3);
  EXPECT_EQ(best.Game.Score, 77);
  EXPECT_EQ(best.Game.R2, "#");
  // No record: the flag holds, the record keeps its start values.
  const auto empty = ReadBest{}.Read("");
  EXPECT_TRUE(empty.Ok);
  EXPECT_EQ(empty.Game, TZubGame{});
  EXPECT_FALSE(ReadBest{}.Read(std::nullopt).Ok);
  // A refusal is a failed read, not a record of zeros.
  for (const char* refusal : {"no", "no\r\n", " no "}) EXPECT_FALSE(ReadBest{}.Read(refusal).Ok) << refusal;

  const auto top = ReadTopTen{}.Read("$1 Ivan Omsk Russia 1-001 M 12.5*$2 Olga Kiev Ukraine 1-046 W 7*");
  EXPECT_TRUE(top.Ok);
  EXPECT_EQ(top.Rows[0].Nick, "Ivan");
  EXPECT_EQ(top.Rows[0].Country, "1-001");  // the code overwrites the name
  EXPECT_DOUBLE_EQ(top.Rows[0].Rating, 12.5);
  EXPECT_EQ(top.Rows[1].Sex, 'W');
  EXPECT_EQ(top.Rows[2], TZubTop10{});

  EXPECT_EQ(ReadPlace{}.Read("$17$").Value, 17);
  EXPECT_FALSE(ReadPlace{}.Read("$x$").Ok);
  EXPECT_EQ(ReadMembers{}.Read(std::nullopt).Value, -1);
  EXPECT_TRUE(SaveResult{}.Read("ok"));
  EXPECT_FALSE(SaveResult{}.Read("refused"));
}

TEST(Operations, ProfileIsCutAtTildes) {
  const auto info = ReadInfo{"Ivan"}.Read("$Ivan~Petrov~I like cards, not chess~+7~o@x~site.ru~sk~ok~vk~tg~fb~tw~in~yt$");
  EXPECT_TRUE(info.Ok);
  EXPECT_EQ(info.Info.About, "I like cards, not chess");
  EXPECT_EQ(info.Info.WebSite, "site.ru");  // the website comes before skype on the wire
  EXPECT_EQ(info.Info.Skype, "sk");
  EXPECT_EQ(info.Info.YouTube, "yt");
  EXPECT_FALSE(ReadInfo{}.Read("no").Ok);
  const auto short_reply = ReadInfo{}.Read("$Ivan~Petrov$");
  EXPECT_EQ(short_reply.Info.Name2, "Petrov");
  EXPECT_EQ(short_reply.Info.YouTube, "");
}

TEST(Operations, ResultsTables) {
  const auto table = ReadTable{9}.Read("$1 x 500 Ivan 1-001 Omsk M 5.7f a b*$2 x 450 Olga 1-046 Kiev W 5.7f c d*");
  EXPECT_TRUE(table.Ok);
  EXPECT_EQ(table.Rows[0].Place, 1);
  EXPECT_EQ(table.Rows[0].Score, 500);
  EXPECT_EQ(table.Rows[1].City, "Kiev");
  EXPECT_EQ(table.Rows[1].R10, "d");
  EXPECT_EQ(table.Rows[2].Nick, "#");
  EXPECT_EQ(table.Rows[2].R10, "#*");
  EXPECT_EQ(table.Rows[2].GID, 9);
  EXPECT_FALSE(ReadTable{9}.Read("$one x 500 Ivan*").Ok);
  EXPECT_FALSE(ReadTable{9}.Read(std::nullopt).Ok);
  EXPECT_EQ(WriteTableEntry{}.Read("$4$").Value, 4);

  const auto tour = ReadTourTop10{9, 's'}.Read("$1 Ivan Omsk 1-001 M 31*");
  EXPECT_EQ(tour.Rows[0].Score, 31);
  EXPECT_EQ(tour.Rows[0].R07, "M");
}

TEST(Operations, StatisticsReplies) {
  const auto stats = ReadStats{9}.Read("$10 20 30 text 1 2 3 4 5 6 7 8 9 10 11 12 99 end*");
  EXPECT_TRUE(stats.Ok);
  EXPECT_EQ(stats.Stat.Stat3, 30);
  EXPECT_EQ(stats.Stat.Stat4, "text");
  EXPECT_EQ(stats.Stat.StatX[11], 12);
  EXPECT_EQ(stats.Stat.StatY, 99);
  EXPECT_EQ(stats.Stat.StatZ, "end");
  EXPECT_TRUE(SendLaunch{}.Read("$1ok#"));
  EXPECT_FALSE(SendLaunch{}.Read("ok"));
  EXPECT_FALSE(SendLike{}.Read(std::nullopt));
}

TEST(Operations, TournamentTablesFillFromTableTenDown) {
  std::string reply;
  for (int t = 0; t < 3; ++t)
    reply += "$x 10.0.0." + std::to_string(t) + " 2566" + std::to_string(t) +
             " Y 0 r Ivan 10 3 7 1-001 Omsk M 1.1.1.1 X 0 0 0 X X M X Olga 5 2 1 1-046 Kiev W 2.2.2.2*";
  const auto tables = ReadTables{}.Read(reply);
  EXPECT_TRUE(tables.Ok);
  EXPECT_EQ(tables.Tables[9].IP, "10.0.0.0");
  EXPECT_EQ(tables.Tables[8].Port, 25661);
  EXPECT_EQ(tables.Tables[7].Seats[2].Nick, "Olga");
  EXPECT_EQ(tables.Tables[7].Seats[0].Rating, 7);
  for (int t = 0; t < 7; ++t) {
    EXPECT_EQ(tables.Tables[t].IP, "0.0.0.0");
    EXPECT_EQ(tables.Tables[t].Free, "X");
  }

  const SetSeat seat;
  EXPECT_EQ(seat.Read(std::nullopt).Code, 1);
  EXPECT_EQ(seat.Read("ok").Code, 0);
  EXPECT_EQ(seat.Read("is").Code, 2);
  EXPECT_TRUE(seat.Read("is").Ok);
  EXPECT_FALSE(seat.Read("busy").Ok);

  EXPECT_EQ(ReadTourRating{}.Read("$5 3 2$").Score, 5);
  EXPECT_EQ(ReadTourRating{}.Read("nothing").Score, -1);
  const auto info = ReadServerInfo{}.Read("$Y Server_is_running$");
  EXPECT_EQ(info.State, 'Y');
  EXPECT_EQ(info.Text, "Server_is_running");
  EXPECT_EQ(ReadServerInfo{}.Read(std::nullopt).State, 'X');
  const auto client = ReadClient{}.Read("$Ivan 10 3 7 1-001 Omsk M 1.1.1.1$");
  EXPECT_TRUE(client.Ok);
  EXPECT_EQ(client.Client.IP, "1.1.1.1");
}

TEST(Operations, ExternalAddressLinesEndWithLineBreaks) {
  EXPECT_EQ(ExternalIpText("1.2.3.4"), "1.2.3.4\r\n");
  EXPECT_EQ(ExternalIpText("1.2.3.4\n"), "1.2.3.4\r\n");
  EXPECT_EQ(ExternalIpText("a\r\nb"), "a\r\nb\r\n");
  EXPECT_EQ(ExternalIpText(std::nullopt), "");
}

}  // namespace
}  // namespace varnok::online

// The calendar's plain rules: the sign of the zodiac of a date, the
// holidays of a date, and their names in the ten languages.
#include <gtest/gtest.h>

#include <QDate>
#include <set>

#include "calendar_days.h"

namespace varnok {
namespace {

TEST(CalendarDays, ZodiacSignAtEveryBoundary) {
  const struct {
    int month;
    int day;
    const char* sign;
  } cases[] = {
      {1, 1, "Capricorn"},    {1, 19, "Capricorn"},   {1, 20, "Aquarius"},  {2, 18, "Aquarius"},
      {2, 19, "Pisces"},      {2, 29, "Pisces"},      {3, 20, "Pisces"},    {3, 21, "Aries"},
      {4, 19, "Aries"},       {4, 20, "Taurus"},      {5, 20, "Taurus"},    {5, 21, "Gemini"},
      {6, 20, "Gemini"},      {6, 21, "Cancer"},      {7, 22, "Cancer"},    {7, 23, "Leo"},
      {8, 22, "Leo"},         {8, 23, "Virgo"},       {9, 22, "Virgo"},     {9, 23, "Libra"},
      {10, 22, "Libra"},      {10, 23, "Scorpio"},    {11, 21, "Scorpio"},  {11, 22, "Sagittarius"},
      {12, 10, "Sagittarius"}, {12, 21, "Sagittarius"}, {12, 22, "Capricorn"}, {12, 31, "Capricorn"},
  };
  for (const auto& c : cases) {
    const QDate date(2024, c.month, c.day);  // a leap year, for 29 February
    const int sign = ZodiacSignOf(date);
    EXPECT_EQ(ZodiacName(sign, 0), QString::fromLatin1(c.sign)) << c.month << "-" << c.day;
  }
  EXPECT_EQ(ZodiacSignOf(QDate()), -1);
  EXPECT_EQ(ZodiacName(-1, 0), QString());
  EXPECT_EQ(ZodiacPicture(0), QStringLiteral("CalZod01"));
  EXPECT_EQ(ZodiacPicture(11), QStringLiteral("CalZod12"));
  EXPECT_EQ(ZodiacPicture(12), QString());
}

TEST(CalendarDays, HolidaysOfADate) {
  const struct {
    int month;
    int day;
    std::vector<const char*> names;  // English
  } cases[] = {
      {1, 1, {"New Year's Day"}},
      {1, 7, {"Orthodox Christmas"}},
      {2, 14, {"Valentine's Day"}},
      {3, 8, {"International Women's Day"}},
      {5, 1, {"Labour Day"}},
      {5, 9, {"Victory Day"}},
      {6, 12, {"Russia Day"}},
      {7, 14, {"Bastille Day (France)"}},
      {10, 3, {"German Unity Day", "National Foundation Day (Korea)"}},  // two on one day
      {12, 25, {"Christmas"}},
      {12, 10, {}},
      {2, 29, {}},
  };
  for (const auto& c : cases) {
    const auto found = HolidaysOf(QDate(2024, c.month, c.day));
    ASSERT_EQ(found.size(), c.names.size()) << c.month << "-" << c.day;
    for (std::size_t i = 0; i < found.size(); ++i)
      EXPECT_EQ(HolidayName(*found[i], 0), QString::fromLatin1(c.names[i]));
  }
  EXPECT_TRUE(HolidaysOf(QDate()).empty());
}

TEST(CalendarDays, EveryNameInEveryLanguageAndEveryPictureNamed) {
  const std::set<std::string> pictures = {"CalNewYear", "CalChristmas", "CalHeart", "CalFlower", "CalStar", "CalFlag"};
  for (const Holiday& holiday : Holidays()) {
    EXPECT_TRUE(QDate(2024, holiday.month, holiday.day).isValid());
    EXPECT_EQ(pictures.count(holiday.picture), 1u) << holiday.picture;
    std::set<QString> seen;
    for (int language = 0; language < 10; ++language) {
      const QString name = HolidayName(holiday, language);
      EXPECT_FALSE(name.isEmpty()) << holiday.names[0] << " " << language;
      seen.insert(name);
    }
    EXPECT_GE(seen.size(), 8u) << holiday.names[0];  // translated, not copied
  }
  for (int sign = 0; sign < 12; ++sign)
    for (int language = 0; language < 10; ++language) EXPECT_FALSE(ZodiacName(sign, language).isEmpty());
  EXPECT_EQ(ZodiacName(0, 1), QStringLiteral("Овен"));
  EXPECT_EQ(ZodiacName(0, 42), QStringLiteral("Aries"));  // unknown language: English
}

TEST(CalendarDays, DateTextInTheChosenLanguage) {
  const QDate date(2026, 12, 10);
  EXPECT_EQ(CalendarDateText(date, 0), QStringLiteral("Thursday, 10 December 2026"));
  EXPECT_TRUE(CalendarDateText(date, 1).contains(QStringLiteral("декабря"))) << CalendarDateText(date, 1).toStdString();
  EXPECT_TRUE(CalendarDateText(date, 2).contains(QStringLiteral("Dezember")));
  EXPECT_TRUE(CalendarDateText(date, 5).contains(QStringLiteral("12月")));
  EXPECT_EQ(CalendarDateText(QDate(), 0), QString());
}

}  // namespace
}  // namespace varnok

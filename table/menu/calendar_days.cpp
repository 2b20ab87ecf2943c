#include "calendar_days.h"

#include <QLocale>
#include <array>

namespace varnok {

namespace {

int Language(int language) { return language >= 0 && language < 10 ? language : 0; }

// The first day of each sign, from Aries on.
struct SignStart {
  int month;
  int day;
};
constexpr std::array<SignStart, 12> kSignStarts = {{{3, 21},
                                                    {4, 20},
                                                    {5, 21},
                                                    {6, 21},
                                                    {7, 23},
                                                    {8, 23},
                                                    {9, 23},
                                                    {10, 23},
                                                    {11, 22},
                                                    {12, 22},
                                                    {1, 20},
                                                    {2, 19}}};

const char* const kSignNames[12][10] = {
    {"Aries", "Овен", "Widder", "Bélier", "Aries", "白羊座", "Ariete", "Beran", "おひつじ座", "양자리"},
    {"Taurus", "Телец", "Stier", "Taureau", "Tauro", "金牛座", "Toro", "Býk", "おうし座", "황소자리"},
    {"Gemini", "Близнецы", "Zwillinge", "Gémeaux", "Géminis", "双子座", "Gemelli", "Blíženci", "ふたご座", "쌍둥이자리"},
    {"Cancer", "Рак", "Krebs", "Cancer", "Cáncer", "巨蟹座", "Cancro", "Rak", "かに座", "게자리"},
    {"Leo", "Лев", "Löwe", "Lion", "Leo", "狮子座", "Leone", "Lev", "しし座", "사자자리"},
    {"Virgo", "Дева", "Jungfrau", "Vierge", "Virgo", "处女座", "Vergine", "Panna", "おとめ座", "처녀자리"},
    {"Libra", "Весы", "Waage", "Balance", "Libra", "天秤座", "Bilancia", "Váhy", "てんびん座", "천칭자리"},
    {"Scorpio", "Скорпион", "Skorpion", "Scorpion", "Escorpio", "天蝎座", "Scorpione", "Štír", "さそり座", "전갈자리"},
    {"Sagittarius", "Стрелец", "Schütze", "Sagittaire", "Sagitario", "射手座", "Sagittario", "Střelec", "いて座",
     "궁수자리"},
    {"Capricorn", "Козерог", "Steinbock", "Capricorne", "Capricornio", "摩羯座", "Capricorno", "Kozoroh", "やぎ座",
     "염소자리"},
    {"Aquarius", "Водолей", "Wassermann", "Verseau", "Acuario", "水瓶座", "Acquario", "Vodnář", "みずがめ座",
     "물병자리"},
    {"Pisces", "Рыбы", "Fische", "Poissons", "Piscis", "双鱼座", "Pesci", "Ryby", "うお座", "물고기자리"},
};

const char* const kLocales[10] = {"en_GB", "ru_RU", "de_DE", "fr_FR", "es_ES", "zh_CN", "it_IT", "cs_CZ", "ja_JP", "ko_KR"};

}  // namespace

int ZodiacSignOf(const QDate& date) {
  if (!date.isValid()) return -1;
  const int key = date.month() * 100 + date.day();
  // The sign whose start is the latest one not after the date; before 20
  // January it is still Capricorn.
  int found = 9;  // Capricorn
  int best = -1;
  for (int sign = 0; sign < 12; ++sign) {
    const int start = kSignStarts[static_cast<std::size_t>(sign)].month * 100 +
                      kSignStarts[static_cast<std::size_t>(sign)].day;
    if (start <= key && start > best) {
      best = start;
      found = sign;
    }
  }
  return found;
}

QString ZodiacName(int sign, int language) {
  if (sign < 0 || sign >= 12) return QString();
  return QString::fromUtf8(kSignNames[sign][Language(language)]);
}

QString ZodiacPicture(int sign) {
  if (sign < 0 || sign >= 12) return QString();
  return QStringLiteral("CalZod%1").arg(sign + 1, 2, 10, QLatin1Char('0'));
}

const std::vector<Holiday>& Holidays() {
  static const std::vector<Holiday> table = {
      {1, 1, "CalNewYear",
       {"New Year's Day", "Новый год", "Neujahr", "Jour de l'An", "Año Nuevo", "元旦", "Capodanno", "Nový rok",
        "元日", "새해 첫날"}},
      {1, 7, "CalChristmas",
       {"Orthodox Christmas", "Рождество Христово", "Orthodoxes Weihnachten", "Noël orthodoxe",
        "Navidad ortodoxa", "东正教圣诞节", "Natale ortodosso", "Pravoslavné Vánoce", "正教会のクリスマス",
        "정교회 성탄절"}},
      {2, 11, "CalFlag",
       {"National Foundation Day (Japan)", "День основания государства (Япония)",
        "Reichsgründungstag (Japan)", "Fête de la fondation de l'État (Japon)",
        "Día de la Fundación Nacional (Japón)", "建国纪念日（日本）", "Festa della fondazione (Giappone)",
        "Den založení státu (Japonsko)", "建国記念の日", "건국기념일 (일본)"}},
      {2, 14, "CalHeart",
       {"Valentine's Day", "День святого Валентина", "Valentinstag", "Saint-Valentin", "San Valentín", "情人节",
        "San Valentino", "Svatý Valentýn", "バレンタインデー", "밸런타인데이"}},
      {3, 8, "CalFlower",
       {"International Women's Day", "Международный женский день", "Internationaler Frauentag",
        "Journée internationale des femmes", "Día Internacional de la Mujer", "国际妇女节",
        "Giornata internazionale della donna", "Mezinárodní den žen", "国際女性デー", "세계 여성의 날"}},
      {5, 1, "CalFlower",
       {"Labour Day", "Праздник Весны и Труда", "Tag der Arbeit", "Fête du Travail", "Día del Trabajo",
        "劳动节", "Festa dei lavoratori", "Svátek práce", "メーデー", "노동절"}},
      {5, 9, "CalStar",
       {"Victory Day", "День Победы", "Tag des Sieges", "Jour de la Victoire", "Día de la Victoria", "胜利日",
        "Giorno della Vittoria", "Den vítězství", "戦勝記念日", "전승 기념일"}},
      {6, 2, "CalFlag",
       {"Republic Day (Italy)", "День Республики (Италия)", "Tag der Republik (Italien)",
        "Fête de la République (Italie)", "Fiesta de la República (Italia)", "共和国日（意大利）",
        "Festa della Repubblica", "Den republiky (Itálie)", "共和国記念日（イタリア）", "공화국의 날 (이탈리아)"}},
      {6, 12, "CalFlag",
       {"Russia Day", "День России", "Tag Russlands", "Jour de la Russie", "Día de Rusia", "俄罗斯日",
        "Giornata della Russia", "Den Ruska", "ロシアの日", "러시아의 날"}},
      {7, 4, "CalFlag",
       {"Independence Day (USA)", "День независимости США", "Unabhängigkeitstag (USA)",
        "Fête de l'Indépendance (États-Unis)", "Día de la Independencia (EE. UU.)", "美国独立日",
        "Giorno dell'Indipendenza (USA)", "Den nezávislosti (USA)", "アメリカ独立記念日", "미국 독립기념일"}},
      {7, 14, "CalFlag",
       {"Bastille Day (France)", "День взятия Бастилии (Франция)", "Französischer Nationalfeiertag",
        "Fête nationale", "Fiesta Nacional de Francia", "法国国庆日", "Festa nazionale francese",
        "Den dobytí Bastily (Francie)", "フランス革命記念日", "프랑스 혁명 기념일"}},
      {10, 1, "CalFlag",
       {"National Day (China)", "День образования КНР", "Nationalfeiertag (China)", "Fête nationale (Chine)",
        "Día Nacional (China)", "国庆节", "Festa nazionale (Cina)", "Státní svátek (Čína)", "国慶節（中国）",
        "국경절 (중국)"}},
      {10, 3, "CalFlag",
       {"German Unity Day", "День германского единства", "Tag der Deutschen Einheit",
        "Jour de l'unité allemande", "Día de la Unidad Alemana", "德国统一日", "Giorno dell'unità tedesca",
        "Den německé jednoty", "ドイツ統一の日", "독일 통일의 날"}},
      {10, 3, "CalFlag",
       {"National Foundation Day (Korea)", "День основания государства (Корея)", "Tag der Staatsgründung (Korea)",
        "Fête de la fondation nationale (Corée)", "Día de la Fundación Nacional (Corea)", "开天节（韩国）",
        "Festa della fondazione nazionale (Corea)", "Den založení státu (Korea)", "開天節（韓国）", "개천절"}},
      {10, 12, "CalFlag",
       {"National Day of Spain", "Национальный праздник Испании", "Spanischer Nationalfeiertag",
        "Fête nationale espagnole", "Fiesta Nacional de España", "西班牙国庆日", "Festa nazionale spagnola",
        "Státní svátek Španělska", "スペイン建国記念日", "스페인 국경일"}},
      {10, 28, "CalFlag",
       {"Independent Czechoslovak State Day", "День образования Чехословакии",
        "Tag der Gründung der Tschechoslowakei", "Fête de la fondation de la Tchécoslovaquie",
        "Día de la fundación de Checoslovaquia", "捷克斯洛伐克独立日", "Festa della fondazione della Cecoslovacchia",
        "Den vzniku samostatného československého státu", "チェコスロバキア独立記念日", "체코슬로바키아 독립 기념일"}},
      {12, 24, "CalChristmas",
       {"Christmas Eve", "Сочельник", "Heiligabend", "Réveillon de Noël", "Nochebuena", "平安夜", "Vigilia di Natale",
        "Štědrý den", "クリスマス・イブ", "크리스마스이브"}},
      {12, 25, "CalChristmas",
       {"Christmas", "Католическое Рождество", "Weihnachten", "Noël", "Navidad", "圣诞节", "Natale", "Boží hod vánoční",
        "クリスマス", "크리스마스"}},
      {12, 31, "CalNewYear",
       {"New Year's Eve", "Канун Нового года", "Silvester", "Saint-Sylvestre", "Nochevieja", "新年前夜",
        "San Silvestro", "Silvestr", "大晦日", "새해 전야"}},
  };
  return table;
}

std::vector<const Holiday*> HolidaysOf(const QDate& date) {
  std::vector<const Holiday*> found;
  if (!date.isValid()) return found;
  for (const Holiday& holiday : Holidays())
    if (holiday.month == date.month() && holiday.day == date.day()) found.push_back(&holiday);
  return found;
}

QString HolidayName(const Holiday& holiday, int language) {
  return QString::fromUtf8(holiday.names[Language(language)]);
}

QString CalendarDateText(const QDate& date, int language) {
  if (!date.isValid()) return QString();
  const QLocale locale(QString::fromLatin1(kLocales[Language(language)]));
  return locale.toString(date, QLocale::LongFormat);
}

}  // namespace varnok

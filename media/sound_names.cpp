#include "sound_names.h"

#include <array>

#include "names.h"

namespace varnok {
namespace {

constexpr std::array<const char*, 10> kVoiceCodes = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                                     "Chi", "Ita", "Cze", "Jap", "Kor"};

}  // namespace

const QStringList& EffectNames() {
  static const QStringList names = {
      // The table.
      QStringLiteral("WTasoKo"), QStringLiteral("WDiPlay"), QStringLiteral("WDiPass"),
      QStringLiteral("WPrik_1"), QStringLiteral("WPrik_2"), QStringLiteral("WPrik_3"),
      QStringLiteral("WHodsDo"), QStringLiteral("WSays20"), QStringLiteral("WSays40"),
      QStringLiteral("WPlMore"), QStringLiteral("WDing_1"), QStringLiteral("WKoGutX"),
      QStringLiteral("WKoBadX"), QStringLiteral("WKoGood"), QStringLiteral("WKoBads"),
      // The windows.
      QStringLiteral("WOpenFo"), QStringLiteral("WWrongs"), QStringLiteral("WToMenK"),
      QStringLiteral("WFiBest"), QStringLiteral("WFiGood"), QStringLiteral("WFiBads"),
      // The tournament move clock.
      QStringLiteral("STimerA"), QStringLiteral("STimerB")};
  return names;
}

QString VoiceLanguageCode(int language) {
  if (language < 0 || language >= int(kVoiceCodes.size())) language = 0;
  return QLatin1String(kVoiceCodes[std::size_t(language)]);
}

QString VoiceResourceName(TCard card, int language) {
  // Design 0 in the normal set has neither a design code nor a size suffix.
  const std::string face = FaceResourceName(card, 0, kCardSetNormal);
  if (face.empty()) return QString();
  return QString::fromStdString(face) + QStringLiteral("Voice") + VoiceLanguageCode(language);
}

}  // namespace varnok

#include "fonts.h"

#include "words.h"

namespace varnok::i18n {
namespace {

constexpr std::array<const char*, kFontKindCount> kKindKeys = {"decor", "serif", "fixed", "conew"};
constexpr std::array<const char*, kFontKindCount> kDefaultFaces = {"Comic Sans MS", "Comic Sans MS", "FixedSys",
                                                                    "Courier New"};

// The stand-ins from Debian's packages: fonts-comic-neue, fonts-liberation2,
// fonts-terminus-otb (a bitmap font close to FixedSys) and fonts-dejavu-core,
// with fonts-noto-cjk for Chinese, Japanese and Korean. Comic Neue has no
// Cyrillic letters, so Russian texts in the Comic faces come from DejaVu Sans.
// Qt offers Terminus at one size only, 12 pixels, whatever height is asked
// for; FixedSys itself is a bitmap font of one size, too.
const QString kComicNeue = QStringLiteral("Comic Neue");
const QString kLiberationMono = QStringLiteral("Liberation Mono");
const QString kTerminus = QStringLiteral("Terminus");
const QString kDejaVuSans = QStringLiteral("DejaVu Sans");
const QString kDejaVuSansMono = QStringLiteral("DejaVu Sans Mono");

// The CJK families in the order that suits the language: the language's own
// glyph forms first, Simplified Chinese forms first for every other language.
QStringList CjkFamilies(int language, bool mono) {
  const QString prefix = mono ? QStringLiteral("Noto Sans Mono CJK ") : QStringLiteral("Noto Sans CJK ");
  QStringList regions;
  switch (language) {
    case kJapanese: regions = {QStringLiteral("JP"), QStringLiteral("SC"), QStringLiteral("KR")}; break;
    case kKorean: regions = {QStringLiteral("KR"), QStringLiteral("SC"), QStringLiteral("JP")}; break;
    default: regions = {QStringLiteral("SC"), QStringLiteral("JP"), QStringLiteral("KR")}; break;
  }
  QStringList families;
  for (const QString& region : regions) families.append(prefix + region);
  return families;
}

// The stand-ins of a face in the order of their looks.
QStringList StandIns(const QString& face, int language) {
  const QString name = face.trimmed();
  if (name.compare(QLatin1String("Comic Sans MS"), Qt::CaseInsensitive) == 0) {
    return QStringList{kComicNeue, kDejaVuSans} + CjkFamilies(language, false);
  }
  if (name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0) {
    return QStringList{kLiberationMono, kDejaVuSansMono} + CjkFamilies(language, true);
  }
  if (name.compare(QLatin1String("FixedSys"), Qt::CaseInsensitive) == 0) {
    return QStringList{kTerminus, kDejaVuSansMono} + CjkFamilies(language, true);
  }
  if (name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
    return QStringList{kDejaVuSans} + CjkFamilies(language, false);
  }
  return {};
}

int KindIndex(FontKind kind) { return static_cast<int>(kind); }

// The letters a language's texts are written in.
enum class Script { Latin, Cyrillic, Cjk };

Script ScriptOf(int language) {
  switch (language) {
    case kRussian: return Script::Cyrillic;
    case kChinese:
    case kJapanese:
    case kKorean: return Script::Cjk;
    default: return Script::Latin;
  }
}

// Whether a stand-in has every letter of a script: Comic Neue has the Latin
// letters only, the CJK fonts have everything, the others Latin and Cyrillic.
bool Covers(const QString& family, Script script) {
  if (family.startsWith(QLatin1String("Noto Sans"))) return true;
  if (family == kComicNeue) return script == Script::Latin;
  return script != Script::Cjk;
}

// A label is drawn in one font: the first stand-in that has every letter of
// the language moves to the front, so that Qt never takes a word's letters
// from one font and the rest from another.
QStringList FirstCovering(QStringList chain, int language) {
  const Script script = ScriptOf(language);
  for (qsizetype i = 0; i < chain.size(); ++i) {
    if (Covers(chain[i], script)) {
      chain.move(i, 0);
      break;
    }
  }
  return chain;
}

FontSettings& Settings() {
  static FontSettings settings = DefaultFontSettings();
  return settings;
}

}  // namespace

QString FontKindKey(FontKind kind) { return QLatin1String(kKindKeys[static_cast<std::size_t>(KindIndex(kind))]); }

std::optional<FontKind> FontKindFromKey(QAnyStringView key) {
  for (int i = 0; i < kFontKindCount; ++i) {
    if (QAnyStringView::compare(key, QLatin1String(kKindKeys[static_cast<std::size_t>(i)])) == 0) {
      return static_cast<FontKind>(i);
    }
  }
  return std::nullopt;
}

QString DefaultFontFace(FontKind kind) {
  return QLatin1String(kDefaultFaces[static_cast<std::size_t>(KindIndex(kind))]);
}

FontSettings DefaultFontSettings() {
  FontSettings settings;
  for (int i = 0; i < kFontKindCount; ++i) {
    settings[static_cast<std::size_t>(i)] = {DefaultFontFace(static_cast<FontKind>(i)), 100};
  }
  return settings;
}

const FontSettings& CurrentFontSettings() { return Settings(); }

void SetFontSettings(const FontSettings& settings) { Settings() = settings; }

int ScaleFontSize(int size, int scale) {
  const long long product = static_cast<long long>(size) * scale;
  long long quotient = product / 100;
  long long remainder = product % 100;
  if (remainder < 0) {  // floor division, so that the remainder lies in 0..99
    remainder += 100;
    --quotient;
  }
  if (remainder > 50 || (remainder == 50 && quotient % 2 != 0)) ++quotient;
  return static_cast<int>(quotient);
}

int FontSize(int size, FontKind kind) {
  return ScaleFontSize(size, Settings()[static_cast<std::size_t>(KindIndex(kind))].scale);
}

int FontSize(int size, QAnyStringView kind) {
  const std::optional<FontKind> known = FontKindFromKey(kind);
  return known ? FontSize(size, *known) : size;
}

QFont FaceFont(const QString& face) {
  QFont font(face);
  // The stand-ins of the language in force travel with the font: a font made
  // after a change of language is a different font from one made before it,
  // so that no text keeps the letters of the language before.
  const QStringList stand_ins = FontSubstitutes(face, LanguageIndex());
  if (!stand_ins.isEmpty()) font.setFamilies(QStringList{face} + stand_ins);
  return font;
}

QFont KindFont(FontKind kind, int size) {
  QFont font = FaceFont(Settings()[static_cast<std::size_t>(KindIndex(kind))].face);
  font.setPixelSize(qMax(1, FontSize(size, kind)));
  if (kind == FontKind::Fixed || kind == FontKind::Conew) font.setFixedPitch(true);
  return font;
}

QStringList SubstitutedFaces() {
  return {QStringLiteral("Comic Sans MS"), QStringLiteral("Courier New"), QStringLiteral("FixedSys"),
          QStringLiteral("MS Sans Serif")};
}

QStringList FontSubstitutes(const QString& face, int language) {
  return FirstCovering(StandIns(face, language), language);
}

void InstallFontSubstitutions(int language) {
  for (const QString& face : SubstitutedFaces()) {
    QFont::removeSubstitutions(face);
    QFont::insertSubstitutions(face, FontSubstitutes(face, language));
  }
}

}  // namespace varnok::i18n

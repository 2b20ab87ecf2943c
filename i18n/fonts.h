// The four configurable fonts and their text sizes. The settings name four
// faces, each with a scale in percent, and every drawing routine asks for a
// text height by a kind key:
//
//   "decor"  the large font      default "Comic Sans MS"
//   "serif"  the small font      default "Comic Sans MS" (also chat, bubbles, clocks)
//   "fixed"  special font 1      default "FixedSys" (the club list of the main menu)
//   "conew"  special font 2      default "Courier New"
//
// The face names stay as the settings write them; Qt's font substitution
// maps them to look-alikes installed from Debian packages, followed by fonts
// that carry Cyrillic, Chinese, Japanese and Korean.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QAnyStringView>
#include <array>
#include <optional>

namespace varnok::i18n {

enum class FontKind { Decor, Serif, Fixed, Conew };
inline constexpr int kFontKindCount = 4;

// "decor", "serif", "fixed", "conew".
QString FontKindKey(FontKind kind);
std::optional<FontKind> FontKindFromKey(QAnyStringView key);

struct FontSetting {
  QString face;
  int scale = 100;  // percent
  friend bool operator==(const FontSetting&, const FontSetting&) = default;
};
// Indexed by FontKind.
using FontSettings = std::array<FontSetting, kFontKindCount>;

QString DefaultFontFace(FontKind kind);
FontSettings DefaultFontSettings();

// The settings in force; the defaults until the settings file is read.
const FontSettings& CurrentFontSettings();
void SetFontSettings(const FontSettings& settings);

// round(size * scale / 100), halves to the even neighbour.
int ScaleFontSize(int size, int scale);

// A text height for one kind: `size` scaled by the kind's percent setting.
// Callers pass sizes already scaled with the window where the text grows
// with it. An unknown kind key leaves the size as it is.
int FontSize(int size, FontKind kind);
int FontSize(int size, QAnyStringView kind);  // FontSize(20, "decor")

// A font of a face name that draws a text in the current language in one
// font: its stand-ins in the order of the language follow the name.
QFont FaceFont(const QString& face);

// The kind's face (as FaceFont) with the pixel height FontSize(size, kind).
QFont KindFont(FontKind kind, int size);

// The installed families that stand in for a face name, in the order they
// are tried for each character; empty for a face that needs no stand-in.
// The CJK fonts of the given language come first among the CJK fonts.
QStringList FontSubstitutes(const QString& face, int language);

// The face names that get stand-ins: "Comic Sans MS", "Courier New",
// "FixedSys", "MS Sans Serif".
QStringList SubstitutedFaces();

// Installs FontSubstitutes for every substituted face into QFont. SetLanguage
// calls it; the program calls it once at start.
void InstallFontSubstitutions(int language);

}  // namespace varnok::i18n

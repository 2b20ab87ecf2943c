// Resource names of the card pictures, backs, suit signs and table
// backgrounds, and the library file that holds each of them. Every name is
// composed from a few choices (face design, back design, card picture set,
// window size mode), so these functions are the one place that knows the
// composition; the loader, the table and the resource builder all use them.
#pragma once

#include <string>
#include <vector>

#include "cards.h"

namespace varnok {

// Resource library files, looked for beside the program and in its parent folder.
inline constexpr const char* kCardsLibraryA = "ZubCards06A.dll";  // face designs 1..31
inline constexpr const char* kCardsLibraryB = "ZubCards06B.dll";  // face designs 32..39, backs 1..12
inline constexpr const char* kCardsLibraryC = "ZubCards06C.dll";  // face designs 40..47
inline constexpr const char* kBackgroundLibrary = "ZubBackG03.dll";
inline constexpr const char* kGraphicsLibrary = "ZubCGraph1.dll";
inline constexpr const char* kVoiceLibrary = "ZubCVoice3.dll";
inline constexpr const char* kRadioLibrary = "ZubRadio02.dll";
inline constexpr const char* kCalendarLibrary = "ZubCalendar01.dll";

// The eight resource library files, in the order above.
const std::vector<std::string>& ResourceLibraryFiles();

inline constexpr int kFaceDesigns = 48;  // face designs 0..47; 0 is built in
inline constexpr int kBackDesigns = 13;  // back designs 0..12; 0 is built in

// Card picture sets: 1 normal (69 x 94), 0 stretched and 2 large (the large pictures).
inline constexpr int kCardSetStretched = 0;
inline constexpr int kCardSetNormal = 1;
inline constexpr int kCardSetLarge = 2;

// Full-width flag W: designs below 28 and designs 40 and 45 are full width,
// the others narrow.
bool IsFullWidthDesign(int face_design);

// Three-letter code of a face design; "" for the built-in design 0 and for a
// number outside 0..47.
std::string FaceDesignCode(int face_design);
// The code used for the nines, tens and, for most designs, the suit signs.
std::string NumberCode(int face_design);
// The code used for the aces.
std::string AceCode(int face_design);
// The code used for the suit signs (design 11 borrows them from "Mod").
std::string SuitSignCode(int face_design);

// "" for set 1, "B" for sets 0 and 2.
std::string FaceSizeSuffix(int card_set);

// Resource name of a card face: suit part + rank part + code + size suffix,
// e.g. "Pi3QMed" for the queen of spades of design 1 in set 1. "" for a code
// that has no face (the empty slot or an unknown letter).
std::string FaceResourceName(TCard card, int face_design, int card_set);
// The 24 face names of a design and set, in card ordinal order (hearts 9..A,
// diamonds, clubs, spades).
std::vector<std::string> FaceResourceNames(int face_design, int card_set);

// Suit signs: "Cher", "Bubi", "Kres", "Piki" + suit sign code, + "B" for the
// large sign. suit_index 0..3 (hearts, diamonds, clubs, spades); "" otherwise.
std::string SuitSignName(int suit_index, int face_design, bool large);

// The library that holds a face design's pictures; "" for the built-in design 0
// (and for a number outside 0..47).
std::string FaceLibrary(int face_design);

// Three-letter code of a back design; "" for the built-in design 0.
std::string BackDesignCode(int back_design);
// Number of backs of a design: 10 for designs 8 to 11, 7 for the others.
int BackCount(int back_design);
// "Ob01Mo" .. "Ob07Su", "Ob08XX" .. "Ob10XX" for back numbers 1..10; "" otherwise.
std::string BackDayName(int back_number);
// "" for set 1; otherwise "B" when full width and "U" when narrow.
std::string BackSizeSuffix(int card_set, bool full_width);
// Day name + back code + size suffix, e.g. "Ob03WeCl1B".
std::string BackResourceName(int back_number, int back_design, int card_set, bool full_width);
// "" (built in) when the design is 0 and either set 1 or full width; otherwise "ZubCards06B.dll".
std::string BackLibrary(int back_design, int card_set, bool full_width);
// The back shown at a deal: the ISO day of the week (Monday 1 .. Sunday 7),
// or 7 with "Always one"; designs 8 to 11 take random_1_to_10 whatever the flag.
int BackNumberOfTheDay(int back_design, bool always_one, int iso_weekday, int random_1_to_10);

// Two-letter code of a table colour 0..6: "Gr", "Re", "Or", "Ye", "B1", "B2", "Fi".
std::string BackgroundColourCode(int colour);
// "Fon" + picture as two digits + colour code + ("" in window mode 1, "B"
// otherwise); picture 2 in colour 0 is the built-in "FonG" / "FonGB".
// "" for picture 0 (no background) or numbers out of range.
std::string BackgroundName(int picture, int colour, int window_mode);
// "" for the built-in background, "ZubBackG03.dll" for the others.
std::string BackgroundLibrary(int picture, int colour);

}  // namespace varnok

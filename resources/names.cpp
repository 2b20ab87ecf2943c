#include "names.h"

#include <array>
#include <cstdio>

namespace varnok {

namespace {

constexpr std::array<const char*, kFaceDesigns> kFaceCodes = {
    "",    "Med", "Mod", "Anc", "Bar", "Cel", "Cor", "Cro", "Eng", "Fra", "His", "Nat",
    "Old", "Par", "Roy", "Sha", "Big", "004", "Lon", "Cl2", "Hea", "Sea", "Rhi", "Me2",
    "Doo", "Boy", "Epi", "USR", "Pla", "SkN", "SkT", "SkF", "Bel", "Dia", "Kny", "Pas",
    "Rus", "Sla", "May", "Lub", "Fra", "Mus", "BS1", "BS2", "BS3", "Chi", "BIt", "Cze"};

constexpr std::array<const char*, kBackDesigns> kBackCodes = {
    "", "Cl1", "Cl2", "Car", "Cro", "Che", "Dia", "Kni", "Ani", "Flo", "Pla", "Oth", "Rus"};

constexpr std::array<const char*, 10> kBackDays = {"Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr",
                                                   "Ob06Su", "Ob07Su", "Ob08XX", "Ob09XX", "Ob10XX"};

constexpr std::array<const char*, 4> kSuitParts = {"Ch", "Bu", "Kr", "Pi"};
constexpr std::array<const char*, 4> kSuitSigns = {"Cher", "Bubi", "Kres", "Piki"};
constexpr std::array<const char*, 7> kColourCodes = {"Gr", "Re", "Or", "Ye", "B1", "B2", "Fi"};

bool ValidFaceDesign(int design) { return design >= 0 && design < kFaceDesigns; }

// Rank part by rank order 1..6 (9, J, Q, K, 10, A).
const char* RankPart(int rank_order) {
  switch (rank_order) {
    case 1: return "09";
    case 2: return "2J";
    case 3: return "3Q";
    case 4: return "4K";
    case 5: return "10";
    case 6: return "5A";
    default: return "";
  }
}

}  // namespace

const std::vector<std::string>& ResourceLibraryFiles() {
  static const std::vector<std::string> files = {kCardsLibraryA,     kCardsLibraryB,    kCardsLibraryC,
                                                 kBackgroundLibrary, kGraphicsLibrary,  kVoiceLibrary,
                                                 kRadioLibrary,      kCalendarLibrary};
  return files;
}

bool IsFullWidthDesign(int face_design) { return face_design < 28 || face_design == 40 || face_design == 45; }

std::string FaceDesignCode(int face_design) {
  return ValidFaceDesign(face_design) ? kFaceCodes[static_cast<std::size_t>(face_design)] : "";
}

std::string NumberCode(int face_design) {
  switch (face_design) {
    case 6:
    case 7:
    case 10:
    case 13: return "Mod";
    case 19:
    case 20: return "Sea";
    case 25: return "Rhi";
    case 27: return "Big";
    default: return FaceDesignCode(face_design);
  }
}

std::string AceCode(int face_design) {
  switch (face_design) {
    case 7:
    case 10:
    case 13: return "Mod";
    case 19:
    case 20: return "Sea";
    default: return FaceDesignCode(face_design);
  }
}

std::string SuitSignCode(int face_design) { return face_design == 11 ? "Mod" : NumberCode(face_design); }

std::string FaceSizeSuffix(int card_set) { return card_set == kCardSetNormal ? "" : "B"; }

std::string FaceResourceName(TCard card, int face_design, int card_set) {
  if (card.len != 2 || !ValidFaceDesign(face_design)) return "";
  const int suit = SuitIndex(card.suit);
  const int order = RankOrder(card.rank);
  if (suit < 0 || order == 0) return "";
  std::string code;
  if (order == 1 || order == 5) {
    code = NumberCode(face_design);
  } else if (order == 6) {
    code = AceCode(face_design);
  } else {
    code = FaceDesignCode(face_design);
  }
  return std::string(kSuitParts[static_cast<std::size_t>(suit)]) + RankPart(order) + code + FaceSizeSuffix(card_set);
}

std::vector<std::string> FaceResourceNames(int face_design, int card_set) {
  std::vector<std::string> names;
  if (!ValidFaceDesign(face_design)) return names;
  for (std::uint8_t suit : kSuits) {
    for (int order = 1; order <= 6; ++order) {
      names.push_back(FaceResourceName(TCard::Make(kRankByOrder[static_cast<std::size_t>(order)], suit),
                                       face_design, card_set));
    }
  }
  return names;
}

std::string SuitSignName(int suit_index, int face_design, bool large) {
  if (suit_index < 0 || suit_index > 3 || !ValidFaceDesign(face_design)) return "";
  return std::string(kSuitSigns[static_cast<std::size_t>(suit_index)]) + SuitSignCode(face_design) +
         (large ? "B" : "");
}

std::string FaceLibrary(int face_design) {
  if (face_design >= 1 && face_design <= 31) return kCardsLibraryA;
  if (face_design >= 32 && face_design <= 39) return kCardsLibraryB;
  if (face_design >= 40 && face_design <= 47) return kCardsLibraryC;
  return "";
}

std::string BackDesignCode(int back_design) {
  return back_design >= 0 && back_design < kBackDesigns ? kBackCodes[static_cast<std::size_t>(back_design)] : "";
}

int BackCount(int back_design) { return back_design >= 8 && back_design <= 11 ? 10 : 7; }

std::string BackDayName(int back_number) {
  return back_number >= 1 && back_number <= 10 ? kBackDays[static_cast<std::size_t>(back_number - 1)] : "";
}

std::string BackSizeSuffix(int card_set, bool full_width) {
  if (card_set == kCardSetNormal) return "";
  return full_width ? "B" : "U";
}

std::string BackResourceName(int back_number, int back_design, int card_set, bool full_width) {
  const std::string day = BackDayName(back_number);
  if (day.empty() || back_design < 0 || back_design >= kBackDesigns || back_number > BackCount(back_design)) {
    return "";
  }
  return day + BackDesignCode(back_design) + BackSizeSuffix(card_set, full_width);
}

std::string BackLibrary(int back_design, int card_set, bool full_width) {
  if (back_design == 0 && (card_set == kCardSetNormal || full_width)) return "";
  return kCardsLibraryB;
}

int BackNumberOfTheDay(int back_design, bool always_one, int iso_weekday, int random_1_to_10) {
  if (back_design >= 8 && back_design <= 11) return random_1_to_10;
  if (always_one) return 7;
  return iso_weekday;
}

std::string BackgroundColourCode(int colour) {
  return colour >= 0 && colour < static_cast<int>(kColourCodes.size()) ? kColourCodes[static_cast<std::size_t>(colour)]
                                                                        : "";
}

std::string BackgroundName(int picture, int colour, int window_mode) {
  if (picture < 1 || picture > 10) return "";
  const std::string colour_code = BackgroundColourCode(colour);
  if (colour_code.empty()) return "";
  const std::string suffix = window_mode == 1 ? "" : "B";
  if (picture == 2 && colour == 0) return "FonG" + suffix;
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02d", picture);
  return "Fon" + std::string(digits) + colour_code + suffix;
}

std::string BackgroundLibrary(int picture, int colour) {
  if (BackgroundName(picture, colour, 1).empty() || (picture == 2 && colour == 0)) return "";
  return kBackgroundLibrary;
}

}  // namespace varnok

// Names of the program's sounds: the built-in sound effects, the spoken card
// names of the voice library and the menu song.
#pragma once

#include <QString>
#include <QStringList>

#include "cards.h"

namespace varnok {

// The voice library: one spoken card name per card and language.
inline constexpr char kVoiceLibraryFile[] = "ZubCVoice3.dll";
// The built-in menu song (a standard MIDI file).
inline constexpr char kMenuSongName[] = "MidiSong";
// The temporary file the menu song is played from, in the system's folder
// for temporary files: "temp" + game code 9 + "_25.mid".
inline constexpr char kMusicFileName[] = "temp9_25.mid";

// Every sound effect the program plays: the table's effects (dealing,
// bidding, the widow, cards, marriages, orders, round and game results), the
// window effects (a window opens, a refusal, a success or arrival, the end of
// a match) and the two ticks of the tournament move clock.
const QStringList& EffectNames();

// The voice code of a language 0..9: "Eng", "Rus", "Deu", "Fra", "Spa",
// "Chi", "Ita", "Cze", "Jap", "Kor"; English for anything else.
QString VoiceLanguageCode(int language);

// The spoken name of a card: the card's face name without a design code,
// "Voice" and the language's voice code, e.g. "Ch10VoiceRus" for the ten of
// hearts in Russian. "" for a code that is not a card.
QString VoiceResourceName(TCard card, int language);

}  // namespace varnok

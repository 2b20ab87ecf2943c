#!/usr/bin/env bash
# Renders one song of the club's music folder from its ABC notation:
# abc2midi makes the MIDI file, FluidSynth plays it through the General MIDI
# sound font of fluid-soundfont-gm, sox levels it to -1 dBFS and fades the
# reverb's tail, and lame encodes it at a constant 128 kbit/s, 44.1 kHz.
#
#   render.sh SONG.abc OUT.mp3
#
# The same notation gives the same bytes: none of the tools writes a date or
# a path into its output, and sox runs in repeatable mode (-R).
set -euo pipefail
export LC_ALL=C

abc=${1:?usage: render.sh SONG.abc OUT.mp3}
out=${2:?usage: render.sh SONG.abc OUT.mp3}
font=${VARNOK_SOUND_FONT:-/usr/share/sounds/sf2/FluidR3_GM.sf2}

for tool in abc2midi fluidsynth sox lame; do
  command -v "$tool" >/dev/null || { echo "render.sh: $tool is missing (scripts/setup installs it)" >&2; exit 1; }
done
[ -r "$font" ] || { echo "render.sh: no sound font at $font (fluid-soundfont-gm)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# abc2midi reports faults on its output and still exits with 0: any message
# at all fails the build.
messages=$(abc2midi "$abc" 1 -silent -o "$work/song.mid" 2>&1)
if [ -n "$messages" ] || [ ! -s "$work/song.mid" ]; then
  printf 'render.sh: abc2midi %s: %s\n' "$abc" "$messages" >&2
  exit 1
fi

# No audio driver, no MIDI input, no shell: write the whole song to a file
# as fast as the machine goes.
fluidsynth -n -i -q -g 0.5 -r 44100 -F "$work/song.wav" "$font" "$work/song.mid" >/dev/null

# Performer and title from the file name "Performer_Name~Song_Title".
name=$(basename "$abc" .abc)
performer=${name%%~*}
title=${name#*~}

# Levelled, the silence before the first note and after the tail cut, a
# short fade at the end.
sox -R -V1 "$work/song.wav" "$work/trim.wav" silence 1 0.01 -60d reverse silence 1 0.01 -60d reverse
sox -R -V1 "$work/trim.wav" "$work/level.wav" gain -n -1 fade t 0 -0 1.5

lame --quiet --cbr -b 128 --resample 44.1 -q 2 --id3v2-only \
  --ta "${performer//_/ }" --tt "${title//_/ }" --tc "Varnok project, CC BY-SA 4.0" \
  "$work/level.wav" "$work/song.mp3"
mv "$work/song.mp3" "$out"

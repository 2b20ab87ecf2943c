#!/usr/bin/env bash
# Compiles the menu song from its ABC notation into a General MIDI file.
#
#   music.sh OUTDIR       writes OUTDIR/MidiSong.mid from menu-song.abc
#
# abc2midi writes no dates or paths into the file: the same tune gives the
# same bytes.
set -euo pipefail
export LC_ALL=C

out=${1:?usage: music.sh OUTDIR}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# abc2midi reports faults on its output and still exits with 0: any message
# at all fails the build.
messages=$(abc2midi "$here/menu-song.abc" 1 -silent -o "$out/MidiSong.mid" 2>&1)
if [ -n "$messages" ] || [ ! -s "$out/MidiSong.mid" ]; then
  printf 'music.sh: abc2midi: %s\n' "$messages" >&2
  exit 1
fi

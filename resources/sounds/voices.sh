#!/usr/bin/env bash
# Speaks the card names listed in voice-words.txt with espeak-ng.
#
#   voices.sh OUTDIR      writes OUTDIR/NAME.wav for every card name there
#
# Each file is 22050 Hz, mono, 16-bit PCM: the phrase with its silence trimmed
# to a short margin, normalised to a peak of -1 dBFS. espeak-ng and sox (in
# repeatable mode) give the same bytes for the same words every time. The
# phrases are spoken in parallel, one process pair per phrase.
set -euo pipefail
export LC_ALL=C.UTF-8

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# One phrase (the script calls itself through xargs):
#   voices.sh --one OUTDIR NAME ESPEAK-VOICE TEXT
if [ "${1:-}" = "--one" ]; then
  out=$2 name=$3 voice=$4 text=$5
  spoken="$out/$name.espeak.wav"
  espeak-ng -v "$voice" -s 145 -w "$spoken" "$text"
  sox -R -V1 "$spoken" -r 22050 -c 1 -b 16 -e signed-integer "$out/$name.wav" \
    silence 1 0.005 -55d reverse silence 1 0.005 -55d reverse \
    pad 0.03 0.06 gain -n -1
  rm -f "$spoken"
  exit 0
fi

out=${1:?usage: voices.sh OUTDIR}
words="$here/voice-words.txt"

declare -A voices=()
jobs=()
while IFS= read -r line || [ -n "$line" ]; do
  line=${line%%#*}
  read -r first rest <<<"$line" || true
  [ -z "${first:-}" ] && continue
  if [ "$first" = "voice" ]; then
    read -r code voice <<<"$rest"
    voices[$code]=$voice
    continue
  fi
  code=${first##*Voice}
  voice=${voices[$code]:-}
  if [ -z "$voice" ]; then
    echo "voices.sh: no voice for \"$first\" (language code \"$code\")" >&2
    exit 1
  fi
  text=$rest
  case $rest in *"|"*) text=${rest#*|} ;; esac
  read -r text <<<"$text"   # trims the blanks at both ends
  jobs+=("$out" "$first" "$voice" "$text")
done <"$words"

printf '%s\0' "${jobs[@]}" | xargs -0 -n 4 -P "$(nproc)" bash "${BASH_SOURCE[0]}" --one

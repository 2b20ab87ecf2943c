#!/usr/bin/env bash
# Synthesises the table's sound effects with sox: card slaps, a riffle
# shuffle, chimes, fanfares, falling tones and clock ticks.
#
#   effects.sh OUTDIR     writes OUTDIR/NAME.wav for every effect below
#
# Every file is 44100 Hz, mono, 16-bit PCM, normalised to a peak of -1 dBFS.
# The instruments are in synth.sh. sox runs in repeatable mode (-R): the noise
# and the dither are seeded, so the same script gives the same bytes every
# time.
set -euo pipefail
export LC_ALL=C

out=${1:?usage: effects.sh OUTDIR}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=synth.sh
source "$here/synth.sh"

# --- Dealing and play -------------------------------------------------------

# A round is dealt: a riffle shuffle speeding up, the bridge falling back into
# a pile, three cards slapped down.
effect WTasoKo \
  "$(part 0 "synth 0.72 whitenoise synth 0.72 exp amod 28/90 0 0 3 30 sinc 1000-9000 fade h 0.18 0.72 0.22")" \
  "$(part 0.012 "synth 0.7 whitenoise synth 0.7 exp amod 33/100 0 0 3 30 sinc 1500-8000 fade h 0.2 0.7 0.2 vol 0.6")" \
  "$(part 0.66 "synth 0.26 pinknoise sinc 300-4500 fade h 0.06 0.26 0.2 vol 0.55")" \
  "$(slap 1.00 6500 0.09 0.8)" "$(slap 1.13 6000 0.09 0.75)" "$(slap 1.26 7000 0.09 0.8)" \
  -- "${room[@]}"

# A seat bids: a confident upward pair of plucked notes over a tap.
effect WDiPlay "$(tock 900 0 0.03 0.5)" "$(pluck 783.99 0 0.3 0.8)" "$(pluck 1174.66 0.085 0.32 0.9)" \
  -- "${room[@]}"

# A seat passes: a soft low pair falling back.
effect WDiPass "$(pluck 329.63 0 0.28 0.9)" "$(pluck 261.63 0.1 0.32 0.8)" -- lowpass 1800 "${room[@]}"

# The widow's cards are turned up: a flick and a slap, a little brighter each time.
effect WPrik_1 "$(flick 0 0.02 0.5)" "$(slap 0.035 5000 0.1 0.9)" -- "${room[@]}"
effect WPrik_2 "$(flick 0 0.02 0.5)" "$(slap 0.035 5800 0.1 0.9)" -- "${room[@]}"
effect WPrik_3 "$(flick 0 0.02 0.5)" "$(slap 0.035 6600 0.1 0.9)" -- "${room[@]}"

# A card is played or given away: a firm slap on the cloth.
effect WHodsDo "$(flick 0 0.012 0.4)" "$(slap 0.004 6500 0.12 1)" -- "${room[@]}"

# Marriages: twenty a rising pair of bells, forty a whole arpeggio.
effect WSays20 "$(bell 1046.50 0 0.55 0.8)" "$(bell 1318.51 0.12 0.6 0.8)" -- "${hall[@]}"
effect WSays40 "$(bell 1046.50 0 0.5 0.7)" "$(bell 1318.51 0.08 0.5 0.7)" "$(bell 1567.98 0.16 0.5 0.7)" \
  "$(bell 2093.00 0.24 0.6 0.8)" -- "${hall[@]}"

# The declarer orders more than his bid: a bold rising brass call.
effect WPlMore "$(brass 392.00 0 0.1 0.7)" "$(brass 523.25 0.1 0.1 0.7)" "$(brass 659.26 0.2 0.3 0.8)" \
  -- "${hall[@]}"

# The declarer orders exactly his bid: one clear ding.
effect WDing_1 "$(bell 880.00 0 1.8 1)" -- "${hall[@]}"

# --- Results ----------------------------------------------------------------

# The declarer made his order (the game goes on): a bright plucked arpeggio.
effect WKoGutX "$(pluck 523.25 0 0.5 0.8)" "$(pluck 659.26 0.07 0.5 0.8)" "$(pluck 783.99 0.14 0.5 0.8)" \
  "$(pluck 1046.50 0.21 0.6 0.9)" -- "${hall[@]}"

# The declarer lost his order (the game goes on): two muted notes falling.
effect WKoBadX "$(horn 392.00 370.00 0 0.3 0.8)" "$(horn 311.13 277.18 0.3 0.45 0.8)" -- "${hall[@]}"

# The game is over and the player is not behind: a chime of bells and marimba.
effect WKoGood "$(marimba 523.25 0 0.4 0.7)" "$(marimba 659.26 0.1 0.4 0.7)" "$(marimba 783.99 0.2 0.4 0.7)" \
  "$(bell 1046.50 0.3 1.6 0.7)" "$(bell 1318.51 0.3 1.6 0.5)" "$(bell 1567.98 0.3 1.6 0.5)" -- "${hall[@]}"

# The game is over and the player is behind: a long slide down.
effect WKoBads "$(horn 329.63 196.00 0 1.1 1)" -- "${hall[@]}"

# --- Windows and the network ------------------------------------------------

# A window or dialog opens: a soft whoosh and a small rising blip.
effect WOpenFo "$(part 0 "synth 0.2 pinknoise sinc 500-5000 fade h 0.1 0.2 0.1 vol 0.3")" \
  "$(part 0.07 "synth 0.12 sine 700:1400 fade q 0.005 fade l 0 0.12 0.12 vol 1")" -- "${room[@]}"

# A refused action or a failed connection: two low buzzes.
effect WWrongs "$(part 0 "synth 0.16 sawtooth 155 lowpass 700 lowpass 900 fade q 0.004 fade l 0 0.16 0.16")" \
  "$(part 0.15 "synth 0.22 sawtooth 146.83 lowpass 700 lowpass 900 fade q 0.004 fade l 0 0.22 0.22")" -- "${room[@]}"

# A download finished or a partner arrived: a friendly rising marimba call.
effect WToMenK "$(marimba 783.99 0 0.35 0.8)" "$(marimba 1046.50 0.11 0.5 0.9)" -- "${hall[@]}"

# --- The end-of-match window -------------------------------------------------

# The best result: a brass fanfare ending on a full chord with bells.
effect WFiBest "$(brass 392.00 0 0.1 0.7)" "$(brass 392.00 0.13 0.1 0.7)" "$(brass 392.00 0.26 0.1 0.7)" \
  "$(brass 523.25 0.39 0.4 0.8)" "$(brass 392.00 0.82 0.12 0.7)" \
  "$(brass 523.25 0.97 0.75 0.6)" "$(brass 659.26 0.97 0.75 0.55)" "$(brass 783.99 0.97 0.75 0.55)" \
  "$(bell 2093.00 0.97 0.8 0.35)" "$(bell 2637.02 1.05 0.7 0.3)" "$(bell 3135.96 1.13 0.6 0.3)" \
  -- "${hall[@]}" fade 0 1.95 0.1

# A good result: a short brass call up to the octave.
effect WFiGood "$(brass 523.25 0 0.12 0.7)" "$(brass 659.26 0.14 0.12 0.7)" "$(brass 783.99 0.28 0.12 0.7)" \
  "$(brass 1046.50 0.42 0.5 0.8)" -- "${hall[@]}"

# A bad result: a muted horn falling step by step, the last note wavering.
effect WFiBads "$(horn 293.66 293.66 0 0.3 0.9)" "$(horn 277.18 277.18 0.35 0.3 0.9)" \
  "$(horn 261.63 261.63 0.7 0.3 0.9)" "$(horn 246.94 233.08 1.05 0.7 1)" -- "${hall[@]}" fade 0 1.85 0.1

# --- The move clock ----------------------------------------------------------

# Plenty of time: a soft wooden tick.
effect STimerA "$(tock 1200 0 0.11 1)"
# Seven seconds or less: a sharper tick with a short high beep.
effect STimerB "$(tock 2000 0 0.06 1)" "$(part 0.015 "synth 0.12 square 1760 lowpass 4000 fade q 0.002 fade l 0 0.12 0.12 vol 0.3")"

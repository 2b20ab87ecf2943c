# The instruments of the sound effects, for effects.sh to source: sox
# command lines for card slaps, bells, plucked strings, brass and the like,
# and the mixdown that writes one effect.
#
# Every sox runs in repeatable mode (-R): the noise and the dither are seeded.
# effect() writes into the folder named by $out.

rate=44100

# Arithmetic on frequencies and times: x A B -> A*B.
x() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", a * b }'; }

# A voice of a mix: an input "|sox ..." that writes the chain to a pipe,
# delayed by START seconds, on a line of its own.   part START CHAIN...
part() {
  local start=$1
  shift
  printf '|sox -R -V1 -r %s -c 1 -n -p %s pad %s\n' "$rate" "$*" "$start"
}
# The same with CHANNELS synthesised side by side (the chain mixes them).
partc() {
  local start=$1 channels=$2
  shift 2
  printf '|sox -R -V1 -r %s -c %s -n -p %s pad %s\n' "$rate" "$channels" "$*" "$start"
}

# Instruments: each prints its voices, one a line.
#   slap START BRIGHT LEN VOL     a card hitting the table (noise burst and a thump)
slap() {
  part "$1" "synth $3 whitenoise sinc 250-$2 fade q 0.001 fade l 0 $3 $3 vol $4"
  part "$1" "synth 0.07 sine 170:70 fade q 0.002 fade l 0 0.07 0.07 vol $(x "$4" 0.6)"
}
#   flick START LEN VOL           a card edge snapping, short and high
flick() { part "$1" "synth $2 whitenoise sinc 2500-9000 fade q 0.0005 fade l 0 $2 $2 vol $3"; }
#   bell FREQ START DECAY VOL     a struck bell: fundamental and two overtones
bell() {
  partc "$2" 3 "synth $3 sine $1 sine $(x "$1" 2.0) sine $(x "$1" 4.16)" \
    "remix 1v0.70,2v0.18,3v0.07 fade q 0.002 fade l 0 $3 $3 vol $4"
}
#   marimba FREQ START DECAY VOL  a struck bar: quick decay, a soft fourth partial
marimba() {
  partc "$2" 2 "synth $3 sine $1 sine $(x "$1" 3.93)" \
    "remix 1v0.85,2v0.10 fade q 0.001 fade l 0 $3 $3 vol $4"
}
#   pluck FREQ START DECAY VOL    a plucked string
pluck() { part "$2" "synth $3 pluck $1 fade l 0 $3 $3 vol $4"; }
#   brass FREQ START LEN VOL      a bright brass note with a soft attack
brass() {
  partc "$2" 3 "synth $3 sawtooth $1 sawtooth $(x "$1" 1.004) square $(x "$1" 0.998)" \
    "remix 1v0.45,2v0.45,3v0.12 lowpass 2600 lowpass 3200 fade h 0.025 $3 0.06 vol $4"
}
#   horn FROM TO START LEN VOL    a muted horn gliding from one pitch to another
horn() {
  partc "$3" 2 "synth $4 sawtooth $1:$2 sawtooth $(x "$1" 1.005):$(x "$2" 1.005)" \
    "remix 1v0.5,2v0.5 lowpass 900 lowpass 1400 tremolo 5.5 35 fade h 0.04 $4 0.12 vol $5"
}
#   tock FREQ START LEN VOL       a wooden tick
tock() {
  part "$2" "synth $3 sine $1 fade q 0.0008 fade l 0 $3 $3 vol $4"
  part "$2" "synth 0.006 whitenoise sinc 1500-8000 fade l 0 0.006 0.006 vol $(x "$4" 0.5)"
}

# effect NAME VOICES... [-- EFFECT...]: mixes the voices (each argument holds
# one or more lines of them), runs the effects, normalises to -1 dBFS, cuts
# the inaudible end of the tail (the engine waits for some of these) and
# writes OUTDIR/NAME.wav.
effect() {
  local name=$1
  shift
  local voices=() lines
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    mapfile -t lines <<<"$1"
    voices+=("${lines[@]}")
    shift
  done
  [ $# -gt 0 ] && shift
  local inputs=("${voices[@]}")
  [ ${#voices[@]} -gt 1 ] && inputs=(-m "${voices[@]}")
  sox -R -V1 "${inputs[@]}" -r "$rate" -c 1 -b 16 -e signed-integer "$out/$name.wav" "$@" channels 1 gain -n -1 \
    reverse silence 1 0.002 -66d reverse
}

# Rooms for effect: a small one around the table, a little more air for music.
room=(pad 0 0.08 reverb 22 60 25 100 0 -8)
hall=(pad 0 0.25 reverb 35 50 60 100 10 -6)

#!/usr/bin/env bash
# Makes Tallymar's wave files into the folder given (default: the current one):
# the six voice characters' 19 words each, the Sounds dialog's samples, and the
# seven adding machines' key and total sounds. Every file is 22,050 Hz, 16-bit,
# mono. The voices are spoken by Flite and shaped by sox; the machines are made by
# sox alone. Two runs make the same bytes: the noise is seeded (-R) and nothing is
# dithered (-D). The jobs run in parallel, one per processor.
set -euo pipefail
out="${1:-.}"
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rate=22050
format=(-r "$rate" -b 16 -c 1 -e signed-integer)
# Between effects: floating point, so that nothing clips before the last gain.
float=(-r "$rate" -b 32 -c 1 -e floating-point)
sox=(sox -V1 -D -R)

# Character | file prefix | Flite voice and settings | sox effects that make it. The
# effects run on Flite's 16 kHz speech; the rate is brought to 22,050 Hz after them,
# so that a pitch shift's own change of rate is taken up there.
characters=(
  # Low and rough: the diphone voice brought down to a growl, slow, with its bass
  # raised and a little overdrive.
  "Grunk|a|-voice kal16 --setf int_f0_target_mean=62 --setf int_f0_target_stddev=8 --setf duration_stretch=1.15|bass +5 overdrive 6 20"
  # A tin robot: the same voice at its own pitch, through a 12 ms echo that rings like
  # a can, a honk at 1.2 kHz and some grit.
  "Rusty|b|-voice kal16 --setf int_f0_target_mean=104|equalizer 1200 1q +4 overdrive 4 30 echo 0.8 0.7 12 0.3"
  # A woman's voice, a little lower and slower than Flite's own, calm and clear.
  "Vesna|o|-voice slt --setf int_f0_target_mean=160 --setf duration_stretch=1.05|"
  # A plain, dry, deep man's voice.
  "Murph|p|-voice rms|bass +2"
  # A Scottish voice in a room of his own.
  "Dermot|s|-voice awb|reverb 50 40 90 0 20 -2"
  # High and quick.
  "Pippa|t|-voice slt --setf int_f0_target_mean=240 --setf duration_stretch=0.85|treble +2"
)

# Token code | the word said for it.
words=(
  "0|zero" "1|one" "2|two" "3|three" "4|four" "5|five" "6|six" "7|seven" "8|eight" "9|nine"
  "p|point" "m|minus" "+|plus" "t|times" "d|divided by" "n|line" "z|total" "e|equals"
  "q|percent" "f|not found"
)

# The Sounds dialog's test samples: file | character | text.
samples=(
  "o_welcome.wav|Vesna|Welcome to Tally-mar!"
  "o_spank.wav|Vesna|Every penny counts."
  "Tallymar2.wav|Dermot|Tally-mar."
)

# Runs "$@" in the background, at most one job per processor at a time.
jobs_max=$(nproc 2>/dev/null || echo 2)
# Each job runs with "set -e" in force; one that fails fails the whole run at the end.
running=0
failed=0
run() {
  if [ "$running" -ge "$jobs_max" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  "$@" &
  running=$((running + 1))
}

# Every spoken file is evened out a little (quiet sounds raised, loud ones held),
# then cut to the word itself and brought to the common loudness by word_edges.py.
even=(compand 0.01,0.2 -80,-80,-40,-34,-20,-18,0,-10 -3 -90 0.01)
# Each spoken file's loudness (RMS) and its highest peak, in dBFS.
speech_rms=-19
peak_limit=-1.3
edges="$(dirname "$0")/word_edges.py"
# Debian's own interpreter when there is one: it starts at once, where a version
# manager's shim in front of it takes a quarter of a second on each of the 120 words.
python=$(command -v /usr/bin/python3 || command -v python3)

# say FILE "FLITE SETTINGS" "SOX EFFECTS" TEXT: one spoken file, faded in over 2 ms
# and out over its last 10 ms.
say() {
  local file=$1 settings=$2 effects=$3 text=$4 start length gain
  local w="$work/${file##*/}"
  mkdir -p "$w"
  # shellcheck disable=SC2086  # the settings and effects are word lists
  flite $settings -t "$text" -o "$w/raw.wav"
  # shellcheck disable=SC2086
  "${sox[@]}" "$w/raw.wav" "${float[@]}" "$w/shaped.wav" gain -6 $effects rate -v "$rate" "${even[@]}"
  read -r start length gain < <(sox "$w/shaped.wav" -t f32 - | "$python" "$edges" "$rate" "$speech_rms" "$peak_limit")
  "${sox[@]}" "$w/shaped.wav" "${format[@]}" "$w/out.wav" trim "$start" "$length" gain "$gain" fade t 0.002 -0 0.01
  mv "$w/out.wav" "$file"
}

# character PREFIX "FLITE SETTINGS" "SOX EFFECTS": the character's 19 words.
character() {
  local prefix=$1 settings=$2 effects=$3 word
  for word in "${words[@]}"; do
    say "$out/$prefix${word%%|*}.wav" "$settings" "$effects" "${word#*|}"
  done
}

# Machine | key file | total file | clicks in a key | ms between them | the clicks'
# band (Hz) | what rings in a click (Hz) | clicks of the total's ratchet | ms between
# them | how the total ends: a bell struck at the given pitch (Hz), a carriage thump
# as heavy as the given gain (dB), or both. The older and heavier a machine, the darker, slower and longer it sounds;
# "Manual" is hand driven: every key is a pull of the crank, so its one file is the
# crank's ratchet and the thump at its end.
machines=(
  "Burroughs|Burroughs1.wav|Burroughs2.wav|4|24|1000-4500|1870 2950 4130|14|36|thump 4"
  "Canon|Canon1.wav|Canon2.wav|3|15|1800-6000|3150 4420 5870|10|24|bell 2480"
  "Facit|Facit1.wav|Facit2.wav|5|28|1200-5000|2240 3390 4710|12|44|bell 1560"
  "Manual|Manual.wav|Manual.wav|0|0|1000-3800|1330 2270 3310|9|70|thump -2"
  "Olympia|Olympia1.wav|Olympia2.wav|4|19|1500-6000|2610 3720 5160|11|30|bell 1980"
  "Remington|Remington1.wav|Remington2.wav|6|32|1000-3500|1430 2270 3310|16|40|bell 1320 thump 2"
  "Sharp|Sharp1.wav|Sharp2.wav|3|16|2500-6000|3900 5300 6700|8|20|none"
)

# clicks OUT COUNT MS: COUNT clicks about MS apart, a little unevenly, as a key's
# levers fall one after another; the first is the loudest.
clicks() {
  local into=$1 count=$2 ms=$3 i at=0 volume parts=()
  for ((i = 0; i < count; i++)); do
    volume=$(awk -v i="$i" 'BEGIN { print i == 0 ? 1 : 0.55 + 0.15 * ((i * 5) % 4) }')
    parts+=(-v "$volume" "|sox -V1 $w/click$((i % 3)).wav -p pad $at")
    at=$(awk -v at="$at" -v i="$i" -v ms="$ms" 'BEGIN { print at + ms * (0.8 + 0.2 * ((i * 7) % 3)) / 1000 }')
  done
  "${sox[@]}" -m "${parts[@]}" "$into"
}

# machine FILE_KEY FILE_TOTAL CLICKS MS BAND "RING" RATCHET RATCHET_MS "ENDING": a key
# is a burst of clicks, each a crack of noise in the band and the short ring of the
# struck metal; a total is a longer, even ratchet that ends with a bell, a carriage
# thump, or both.
machine() {
  local key=$1 total=$2 count=$3 ms=$4 band=$5 ring=$6 ratchet=$7 ratchet_ms=$8 ending=$9
  local w="$work/${key%.wav}" v f ringing=() bell=() pitch weight
  mkdir -p "$w"
  "${sox[@]}" -n "${float[@]}" "$w/noise.wav" synth 1 whitenoise gain -12
  for f in $ring; do ringing+=(sine "$f"); done
  "${sox[@]}" -c 3 -r "$rate" -n "${float[@]}" "$w/ring.wav" synth 0.06 "${ringing[@]}" \
    remix - gain -30 fade l 0 0.06 0.058
  for v in 0 1 2; do
    "${sox[@]}" "$w/noise.wav" "${float[@]}" "$w/crack$v.wav" trim "0.$((v * 3))" 0.018 \
      sinc "$band" gain -$((v * 2)) fade l 0 0.018 0.0175
    "${sox[@]}" -m "$w/crack$v.wav" "$w/ring.wav" "${float[@]}" "$w/click$v.wav"
  done
  local parts=()
  if [ "$count" -gt 0 ]; then
    clicks "$w/key.wav" "$count" "$ms"
    "${sox[@]}" "$w/key.wav" "${format[@]}" "$out/$key" norm -3 fade t 0 -0 0.01
  fi
  clicks "$w/ratchet.wav" "$ratchet" "$ratchet_ms"
  parts=("$w/ratchet.wav")
  if [[ $ending == *bell* ]]; then
    pitch=${ending#bell }
    pitch=${pitch%% *}
    for f in 1 1.51 2.09 2.76 3.43; do bell+=(sine "$(awk -v p="$pitch" -v f="$f" 'BEGIN { print p * f }')"); done
    "${sox[@]}" -c 5 -r "$rate" -n "${float[@]}" "$w/tone.wav" synth 0.6 "${bell[@]}" \
      remix - gain -26 fade t 0 0.6 0.6
    "${sox[@]}" -m "$w/click0.wav" "$w/tone.wav" "${float[@]}" "$w/bell.wav"
    parts+=("$w/bell.wav")
  fi
  if [[ $ending == *thump* ]]; then
    weight=${ending#*thump }
    "${sox[@]}" "$w/noise.wav" "${float[@]}" "$w/body.wav" trim 0.5 0.16 sinc 50-350 \
      gain "$weight" fade l 0 0.16 0.15
    "${sox[@]}" -m "$w/body.wav" -v 0.7 "$w/click1.wav" "${float[@]}" "$w/thump.wav"
    if [[ $ending == *bell* ]]; then
      # The carriage comes back while the bell still rings.
      "${sox[@]}" -m "$w/bell.wav" "|sox -V1 $w/thump.wav -p pad 0.3" "${float[@]}" "$w/both.wav"
      parts[-1]="$w/both.wav"
    else
      parts+=("$w/thump.wav")
    fi
  fi
  "${sox[@]}" "${parts[@]}" "${format[@]}" "$out/$total" norm -3 fade t 0 -0 0.01
}

for entry in "${characters[@]}"; do
  IFS='|' read -r _ prefix settings effects <<<"$entry"
  run character "$prefix" "$settings" "$effects"
done

for entry in "${samples[@]}"; do
  IFS='|' read -r file character text <<<"$entry"
  for c in "${characters[@]}"; do
    IFS='|' read -r name _ settings effects <<<"$c"
    [ "$name" = "$character" ] && run say "$out/$file" "$settings" "$effects" "$text"
  done
done

for entry in "${machines[@]}"; do
  IFS='|' read -r _ key total count ms band ring ratchet ratchet_ms ending <<<"$entry"
  run machine "$key" "$total" "$count" "$ms" "$band" "$ring" "$ratchet" "$ratchet_ms" "$ending"
done

while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
if [ "$failed" -ne 0 ]; then
  echo "make_sounds.sh: some wave files could not be made" >&2
  exit 1
fi

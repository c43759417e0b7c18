#!/usr/bin/env bash
# Makes Tallymar's wave files into the folder given (default: the current one):
# the six voice characters' 19 words each, the Sounds dialog's samples, and the
# seven adding machines' key and total sounds. Every file is 22,050 Hz, 16-bit,
# mono. The voices are spoken by espeak-ng and shaped by sox; the machines are
# made by sox alone. The jobs run in parallel, one per processor.
set -euo pipefail
out="${1:-.}"
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

format=(-r 22050 -b 16 -c 1 -e signed-integer)

# Character | file prefix | espeak-ng voice and settings | sox effects that make it.
characters=(
  "Grunk|a|-v en-us+m7 -p 10 -s 140|pitch -300 overdrive 10 gain -8 bass +6"
  "Rusty|b|-v en-gb+croak -p 55 -s 150|bass +3"
  "Vesna|o|-v en-029+f4 -p 65 -s 150|"
  "Murph|p|-v en-us+m3 -p 20 -s 165|"
  "Dermot|s|-v en-gb-scotland+m2 -p 75 -s 150|reverb 10"
  "Pippa|t|-v en-us+f5 -p 85 -s 175|"
)

# Token code | the word said for it.
words=(
  "0|zero" "1|one" "2|two" "3|three" "4|four" "5|five" "6|six" "7|seven" "8|eight" "9|nine"
  "p|point" "m|minus" "+|plus" "t|times" "d|divided by" "n|line" "z|total" "e|equals"
  "q|percent"
)

# The Sounds dialog's test samples: file | character | text.
samples=(
  "o_welcome.wav|Vesna|Welcome to Tallymar!"
  "o_spank.wav|Vesna|Every penny counts."
  "Tallymar2.wav|Dermot|Tallymar"
)

# Machine | key sound | total sound | thump (Hz) | key length (s) | ratchet clicks |
# click spacing (s) | click band (Hz). "Manual" is hand driven: every key is a turn of
# the crank, so its one file is the ratchet and crank.
machines=(
  "Burroughs|Burroughs1.wav|Burroughs2.wav|140|0.10|6|0.045|2500"
  "Canon|Canon1.wav|Canon2.wav|220|0.07|4|0.035|4000"
  "Facit|Facit1.wav|Facit2.wav|110|0.12|8|0.050|1800"
  "Manual|Manual.wav|Manual.wav|80|0.16|8|0.060|1300"
  "Olympia|Olympia1.wav|Olympia2.wav|170|0.09|5|0.040|3000"
  "Remington|Remington1.wav|Remington2.wav|95|0.14|7|0.060|1500"
  "Sharp|Sharp1.wav|Sharp2.wav|260|0.06|3|0.030|5000"
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

# The effects every spoken file ends with: trimmed of silence at both ends (so that
# a key's echo starts at once), evened out and brought to the common loudness, with
# a short fade so that it neither clicks in nor out.
finish=(silence 1 0.002 1% reverse silence 1 0.002 1% fade t 0.01 reverse
        compand 0.005,0.2 -80,-80,-40,-22,-20,-17,0,-14 -3 -90 0.005 norm -1 fade t 0.002)

# character PREFIX "ESPEAK SETTINGS" "SOX EFFECTS": the 19 words in one run of
# espeak-ng with a pause between them, cut apart at the pauses (the raw speech has
# true silence there), then each shaped into its file.
character() {
  local prefix=$1 settings=$2 effects=$3 text="<speak>" word
  local w="$work/$prefix"
  mkdir -p "$w"
  for word in "${words[@]}"; do text+="${word#*|}<break time=\"600ms\"/>"; done
  text+="</speak>"
  # shellcheck disable=SC2086  # the settings are a word list
  espeak-ng -m $settings --stdout "$text" |
    sox -V1 -t wav - "$w/word.wav" silence 1 0.001 0.1% 1 0.3 0.1% : newfile : restart
  local i=0 code
  for word in "${words[@]}"; do
    i=$((i + 1))
    code=${word%%|*}
    # shellcheck disable=SC2086  # the effects are a word list
    sox -V1 "$w/$(printf 'word%03d.wav' "$i")" "${format[@]}" "$w/out.wav" $effects "${finish[@]}"
    mv "$w/out.wav" "$out/$prefix$code.wav"
  done
  # One piece more than the words would mean a word was cut in two.
  local extra="$w/$(printf 'word%03d.wav' $((i + 1)))"
  if [ -e "$extra" ] && [ "$(soxi -s "$extra")" -gt 0 ]; then
    echo "make_sounds.sh: the words of \"$prefix\" were cut apart wrongly" >&2
    return 1
  fi
}

# phrase FILE "ESPEAK SETTINGS" "SOX EFFECTS" TEXT: one sample of the Sounds dialog.
phrase() {
  local file=$1 settings=$2 effects=$3 text=$4
  # shellcheck disable=SC2086  # the settings and effects are word lists
  espeak-ng $settings --stdout "$text" |
    sox -V1 -t wav - "${format[@]}" "$work/${file##*/}" $effects "${finish[@]}"
  mv "$work/${file##*/}" "$file"
}

# machine FILE_KEY FILE_TOTAL THUMP KEY_LENGTH CLICKS SPACING BAND: a key is a
# click over a decaying thump; a total is a ratchet of clicks and the crank's
# longer, lower thump. Each machine differs in pitch, length and clicks.
machine() {
  local key=$1 total=$2 thump=$3 length=$4 clicks=$5 spacing=$6 band=$7
  local w="$work/${key%.wav}"
  mkdir -p "$w"
  sox -V1 -n "${format[@]}" "$w/click.wav" synth 0.012 whitenoise gain -3 sinc "$band" fade l 0 0.012 0.011 \
    pad 0 "$(awk -v s="$spacing" 'BEGIN { print s - 0.012 }')"
  sox -V1 -n "${format[@]}" "$w/thump.wav" synth "$length" sine "$thump" fade l 0.001 "$length" "$length"
  sox -V1 -m "$w/click.wav" "$w/thump.wav" "${format[@]}" "$w/key.wav" norm -3
  local crank_length crank_pitch
  crank_length=$(awk -v l="$length" 'BEGIN { print l * 2 }')
  crank_pitch=$(awk -v t="$thump" 'BEGIN { print t * 0.7 }')
  sox -V1 -n "${format[@]}" "$w/crank.wav" synth "$crank_length" sine "$crank_pitch" \
    fade l 0.001 "$crank_length" "$crank_length"
  sox -V1 "$w/click.wav" "${format[@]}" "$w/ratchet.wav" repeat "$((clicks - 1))"
  sox -V1 "$w/ratchet.wav" "$w/crank.wav" "${format[@]}" "$w/total.wav" norm -3
  [ "$key" = "$total" ] || mv "$w/key.wav" "$out/$key"
  mv "$w/total.wav" "$out/$total"
}

for entry in "${characters[@]}"; do
  IFS='|' read -r _ prefix settings effects <<<"$entry"
  run character "$prefix" "$settings" "$effects"
done

for entry in "${samples[@]}"; do
  IFS='|' read -r file character text <<<"$entry"
  for c in "${characters[@]}"; do
    IFS='|' read -r name _ settings effects <<<"$c"
    [ "$name" = "$character" ] && run phrase "$out/$file" "$settings" "$effects" "$text"
  done
done

for entry in "${machines[@]}"; do
  IFS='|' read -r _ key total thump length clicks spacing band <<<"$entry"
  run machine "$key" "$total" "$thump" "$length" "$clicks" "$spacing" "$band"
done

while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
if [ "$failed" -ne 0 ]; then
  echo "make_sounds.sh: some wave files could not be made" >&2
  exit 1
fi

#!/usr/bin/env bash
# Generates the speech snippets the clock speaks the time with: one RIFF WAVE file each,
# PCM, mono, 11025 samples per second, 8 bits per sample, silence trimmed at both ends.
# Build-time only: the results are committed under app/resources/snippets and compiled in,
# so the program never needs a speech synthesiser. Needs espeak-ng and sox.
#
#   tools/snippets/generate.sh [output-folder]      (default: app/resources/snippets)
#
# ESPEAK_VOICE (default en-us) and ESPEAK_SPEED (words per minute, default 150) pick the voice.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="${1:-$here/../../app/resources/snippets}"
voice="${ESPEAK_VOICE:-en-us}"
speed="${ESPEAK_SPEED:-150}"

for tool in espeak-ng sox; do
  command -v "$tool" >/dev/null || { echo "generate.sh: $tool is not installed" >&2; exit 1; }
done
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Resource name, then the words spoken. Zero is said "oh": it is heard mostly between an hour
# and a single-digit minute ("seven oh five"), and "oh thirty" still reads right at midnight.
snippets=(
  "WAVEFILE_0|oh"        "WAVEFILE_1|one"       "WAVEFILE_2|two"       "WAVEFILE_3|three"
  "WAVEFILE_4|four"      "WAVEFILE_5|five"      "WAVEFILE_6|six"       "WAVEFILE_7|seven"
  "WAVEFILE_8|eight"     "WAVEFILE_9|nine"      "WAVEFILE_10|ten"      "WAVEFILE_11|eleven"
  "WAVEFILE_12|twelve"   "WAVEFILE_13|thirteen" "WAVEFILE_14|fourteen" "WAVEFILE_15|fifteen"
  "WAVEFILE_16|sixteen"  "WAVEFILE_17|seventeen" "WAVEFILE_18|eighteen" "WAVEFILE_19|nineteen"
  "WAVEFILE_20|twenty"   "WAVEFILE_30|thirty"   "WAVEFILE_40|forty"    "WAVEFILE_50|fifty"
  "WAVEFILE_OCLOCK|o'clock"
)

for entry in "${snippets[@]}"; do
  name="${entry%%|*}"
  words="${entry#*|}"
  espeak-ng -v "$voice" -s "$speed" -w "$work/$name.wav" "$words"
  # Trim leading and trailing silence, leave a short gap so snippets played back to back do
  # not run together, then resample; -D keeps the 8-bit conversion free of random dither so
  # that a second run gives the same bytes.
  sox -D "$work/$name.wav" -r 11025 -c 1 -b 8 -e unsigned-integer -t wavpcm "$out/$name.wav" \
    silence 1 0.02 1% reverse silence 1 0.02 1% reverse norm -1 pad 0 0.06
  echo "$name: $words"
done

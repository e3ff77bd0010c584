#!/usr/bin/env bash
# Checks a generated data folder with outside tools: ImageMagick reads every
# bitmap, sox every WAV, fluidsynth renders every MIDI file to sound.
# usage: tools/assetgen/verify.sh [DATA_DIR]   (default: build/data)
set -uo pipefail
dir="${1:-build/data}"
sf2="${PELLO_SF2:-/usr/share/sounds/sf2/TimGM6mb.sf2}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
bad=0
while IFS= read -r f; do
    if out=$(identify "$f" 2>&1); then echo "bmp  ok  ${out#"$dir"/}"; else echo "bmp  BAD $f: $out"; bad=1; fi
done < <(find "$dir" -name '*.bmp' | sort)
while IFS= read -r f; do
    if info=$(sox --i "$f" 2>&1); then
        echo "wav  ok  ${f#"$dir"/}: $(sox --i -r "$f") Hz, $(sox --i -c "$f") ch, $(sox --i -d "$f")"
    else echo "wav  BAD $f: $info"; bad=1; fi
done < <(find "$dir" -name '*.wav' | sort)
while IFS= read -r f; do
    fluidsynth -ni -g 1.0 -r 22050 -F "$tmp/m.wav" "$sf2" "$f" >/dev/null 2>&1
    peak=$(sox "$tmp/m.wav" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
    len=$(sox "$tmp/m.wav" -n stat 2>&1 | awk '/Length/ {print $3}')
    if awk -v p="${peak:-0}" 'BEGIN {exit !(p > 0.02)}'; then
        echo "mid  ok  ${f#"$dir"/}: ${len} s, peak ${peak}"
    else echo "mid  BAD ${f#"$dir"/}: silent or unreadable (peak ${peak:-none})"; bad=1; fi
done < <(find "$dir" -name '*.mid' | sort)
for f in "$dir"/men*.dat; do
    [ -e "$f" ] || continue
    size=$(stat -c %s "$f")
    if [ "$size" = 911840 ]; then echo "dat  ok  ${f#"$dir"/}: $size bytes"; else echo "dat  BAD $f: $size bytes"; bad=1; fi
done
exit $bad

#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (with the address and undefined-behaviour
# sanitizers) and runs each on its stored corpus for a short time.
# Usage: run_fuzzers.sh BUILD_DIR SECONDS [TARGET...]
set -euo pipefail
src="$(cd "$(dirname "$0")/../.." && pwd)"
mkdir -p "$1"; out="$(cd "$1" && pwd)"; seconds="$2"; shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(alarm_file ini_file intl_formats key_strings macro_file)
launcher=""; command -v ccache >/dev/null && launcher=ccache
flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$src" -I"$src/macroengine/include" -I"$src/macroengine/src"
       -DKYLOOM_STATIC=1 -fsanitize=address,undefined -fno-sanitize-recover=undefined)
mkdir -p "$out/obj"

# Compiles the sources of one group once; later runs reuse the objects that are newer.
compile() {
  local group="$1"; shift
  mkdir -p "$out/obj/$group"
  for f in "$@"; do
    local rel="${f#"$src"/}"
    local o="$out/obj/$group/${rel//\//_}"; o="${o%.cpp}.o"
    if [ ! -f "$o" ] || [ "$f" -nt "$o" ]; then
      echo "$launcher clang++ ${flags[*]} -fsanitize=fuzzer-no-link -c $f -o $o"
    fi
  done | xargs -r -P2 -I{} bash -c "{}"
}
compile common "$src"/app/common/*.cpp
[[ " ${targets[*]} " == *" alarm_file "* ]] && compile alarms "$src"/app/alarms/*.cpp
if [[ " ${targets[*]} " == *" key_strings "* || " ${targets[*]} " == *" macro_file "* ]]; then
  mapfile -t engine_sources < <(find "$src/macroengine/src" -name '*.cpp' | sort)
  compile engine "${engine_sources[@]}"
fi

link() {
  local name="$1"; shift
  clang++ "${flags[@]}" -fsanitize=fuzzer "$src/tests/fuzz/fuzz_$name.cpp" "$@" -o "$out/fuzz_$name"
}
x11libs=(-lX11 -lXtst -lXext -lXi -lrt -lpthread)
status=0
for t in "${targets[@]}"; do
  case "$t" in
    alarm_file) link "$t" "$out"/obj/alarms/*.o "$out"/obj/common/*.o ;;
    ini_file|intl_formats) link "$t" "$out"/obj/common/*.o ;;
    key_strings|macro_file) link "$t" "$out"/obj/engine/*.o "${x11libs[@]}" ;;
    *) echo "unknown fuzz target $t" >&2; exit 2 ;;
  esac
  # Finds go to the build folder, never into the stored corpus.
  work="$out/corpus-$t"; mkdir -p "$work"
  echo "== fuzz_$t for ${seconds}s"
  if ! (cd "$out" && DISPLAY= "./fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$work" "$src/tests/fuzz/corpus/$t" 2>"$out/fuzz_$t.log"); then
    echo "fuzz_$t found a fault:" >&2; tail -40 "$out/fuzz_$t.log" >&2; status=1
  fi
  grep -E "stat::number_of_executed_units|stat::new_units_added" "$out/fuzz_$t.log" || true
done
exit $status

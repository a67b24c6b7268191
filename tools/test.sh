#!/usr/bin/env bash
# Builds Orvane and every test (installing what the machine lacks) and runs them all: unit and
# widget tests directly, X11 and end-to-end tests under a private Xvfb. Then the unit tests of
# the code that reads outside files and text run once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ (ORVANE_SANITIZER_PASS=all takes every unit test,
# =0 leaves the pass out). Arguments go to both ctest runs (-R NAME, -L x11).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
source tools/build_options.sh
jobs=$(nproc)

cmake -S . -B build "${ORVANE_CMAKE_OPTIONS[@]}" >/dev/null
cmake --build build -j"$jobs"

export SDL_AUDIODRIVER=dummy
export ORVANE_NO_MESSAGE_BOXES=1
# Under this command every X test has its display: one that finds none fails rather than skips.
export ORVANE_REQUIRE_DISPLAY=1
xvfb_run=(xvfb-run -a -s "-screen 0 1280x1024x24")

(cd build && "${xvfb_run[@]}" ctest --output-on-failure --timeout 300 "$@")

pass=${ORVANE_SANITIZER_PASS:-sanitized}
if [ "$pass" != 0 ]; then
  target=orvane_sanitized_tests
  label=(-L sanitized)
  if [ "$pass" = all ]; then
    target=orvane_unit_tests
    label=(-L unit -LE fuzz)
  fi
  # Warnings are not errors here: GCC's sanitizer instrumentation makes it report overflows on
  # paths the instrumented code cannot take (-Wstringop-overflow), and the first build above has
  # already checked the code with -Werror. -O1 without debug information keeps this second build
  # short; the reports still name the functions.
  cmake -S . -B build-asan "${ORVANE_CMAKE_OPTIONS[@]}" -DORVANE_SANITIZE=ON -DORVANE_WERROR=OFF \
    -DORVANE_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS_SANITIZE=-O1 \
    -DCMAKE_C_FLAGS_SANITIZE=-O1 >/dev/null
  cmake --build build-asan -j"$jobs" --target "$target"
  # Leaks are reported too; abort_on_error gives a core-like stop that ctest records as a failure.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  # Leaks inside the system libraries (libdbus, SDL2) are theirs to fix, not Orvane's.
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan_suppressions.txt:print_suppressions=0}
  (cd build-asan && "${xvfb_run[@]}" ctest "${label[@]}" --output-on-failure --timeout 300 "$@")
fi

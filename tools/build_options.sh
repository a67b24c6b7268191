# The one set of CMake options that tools/run.sh and tools/test.sh both configure build/ with.
# Were they to differ, each script would silently flip the other's cached choices (run.sh
# turning the tests and benchmarks off under test.sh's feet); with one set, run.sh simply builds
# fewer targets of the same tree. Sourced by bash, not run.
ORVANE_CMAKE_OPTIONS=(
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
  -DORVANE_BUILD_TESTS=ON
  -DORVANE_BUILD_BENCH=ON
  -DORVANE_WERROR=ON
  -DORVANE_SANITIZE=OFF
)
# ccache, when the machine has it, makes a rebuild after a branch switch cheap.
if command -v ccache >/dev/null 2>&1; then
  ORVANE_CMAKE_OPTIONS+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: a release build (window tests under Xvfb),
# the threaded tests under ThreadSanitizer, and the whole suite under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh --tests
jobs=$(nproc)

step() { printf '\n==== %s ====\n' "$*"; }

step "release build"
cmake --preset release -DKESTROVA_WERROR=ON > /dev/null
cmake --build --preset release -j "$jobs"

step "release tests"
ctest --test-dir build --output-on-failure -j "$jobs" -LE 'display|laptop'
# grep reads the whole list: with -q it could stop early, and under pipefail ctest's broken pipe would
# then skip the window tests.
if ctest --test-dir build -N -L display | grep 'Test *#' > /dev/null; then
    # Each on an X server of its own. A screen the default 1920 × 1080 window fits whole, with room for a
    # title bar and a task bar.
    step "window tests (Xvfb)"
    scripts/withXvfb.sh 2048x1200 ctest --test-dir build --output-on-failure -L display
    step "window tests on a laptop's screen (Xvfb)"
    scripts/withXvfb.sh 1366x768 ctest --test-dir build --output-on-failure -L laptop
fi

step "ThreadSanitizer build"
cmake --preset tsan > /dev/null
cmake --build --preset tsan -j "$jobs" --target kestrova_tests kestrova
step "threaded tests under ThreadSanitizer"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --test-dir build-tsan --output-on-failure -j "$jobs" -R 'Threaded'

step "AddressSanitizer and UBSan build"
cmake --preset asan > /dev/null
cmake --build --preset asan -j "$jobs"
step "all tests under AddressSanitizer and UBSan"
ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE 'display|laptop'

step "all tests passed"

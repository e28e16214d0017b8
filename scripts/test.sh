#!/usr/bin/env bash
# What CI runs. Sets up a fresh Debian machine, then, timing each step:
#   format       the code is formatted as .clang-format says
#   layers       every include under src/ goes to a layer its folder's library links
#   gcc          a g++ Release build with warnings as errors, and every test in it
#   package      the Debian package made from the g++ build and checked (scripts/check-package.sh),
#                then, as root, installed, its programs run from /usr/bin, and removed again
#   nogui        the core and zorvane-cli built without QtWidgets, and checked not to link it
#   clang        a clang build under AddressSanitizer (leak checks on) and UBSan with warnings
#                as errors, with the fuzz targets, and every test in it
#   fuzz         each fuzz target for a minute on its seed inputs, one per core at a time
# Builds run one after another with all cores each. ZORVANE_FUZZ_SECONDS changes the minute.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
fuzzseconds=${ZORVANE_FUZZ_SECONDS:-60}
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Each step's time, and the processor time its commands used: far more than the cores times
# the time means other work shared the machine.
ticks=$(getconf CLK_TCK)
cpuseconds() {
    awk -v ticks="$ticks" '{ printf "%d", ($16 + $17) / ticks }' /proc/$$/stat
}
timings=()
step() {
    local name=$1 start=$SECONDS cpu
    cpu=$(cpuseconds)
    shift
    echo "=== $name"
    "$@"
    timings+=("$(printf '%-16s %5d s  (cpu %5d s)' "$name" $((SECONDS - start)) $(($(cpuseconds) - cpu)))")
    echo "=== ${timings[-1]}"
}
report() {
    echo "--- step times"
    printf '%s\n' "${timings[@]}"
    printf '%-16s %5d s  (cpu %5d s)\n' total "$SECONDS" "$(cpuseconds)"
}
trap report EXIT

format_check() {
    { git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench tools -name '*.cpp' -o -name '*.h'; } |
        xargs clang-format --dry-run -Werror
}

# The widgetless build compiles the same core with the same flags as the g++ build; a cache of
# this run's own compiles spares compiling it twice.
export CCACHE_DIR=$PWD/build/ci-ccache CCACHE_BASEDIR=$PWD
gcc_options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    -DZORVANE_WERROR=ON)

# Configuring the g++ build writes the layers as its link lines make them; nothing is compiled.
layer_check() {
    cmake -S . -B build/ci-gcc "${gcc_options[@]}" >/dev/null
    bash scripts/check-layers.sh build/ci-gcc
}

gcc_build() {
    cmake -S . -B build/ci-gcc "${gcc_options[@]}"
    cmake --build build/ci-gcc -j"$jobs"
}

# Most tests wait on a program or a socket more than they compute: three at a time per core.
run_tests() {
    ctest --test-dir "$1" --output-on-failure -j"$((3 * jobs))"
}

# Only QtCore, QtNetwork and QtSql may be looked for, and nothing built may need a widget or a GUI library.
nogui_build() {
    local dir=build/ci-nogui
    cmake -S . -B $dir "${gcc_options[@]}" -DZORVANE_BUILD_GUI=OFF -DZORVANE_BUILD_TESTS=OFF
    cmake --build $dir -j"$jobs" --target zorvane-cli zorvane-demo-engine
    if grep -E '^Qt6(Widgets|Gui)_DIR:' $dir/CMakeCache.txt; then
        echo "A build without the program looked for QtWidgets or QtGui." >&2
        return 1
    fi
    local program path
    for program in zorvane-cli zorvane-demo-engine; do
        path=$(find $dir -name $program -type f -perm -u+x | head -n1)
        [ -n "$path" ] || { echo "$program was not built." >&2; return 1; }
        if readelf -d "$path" | grep -E 'NEEDED.*libQt6(Widgets|Gui)'; then
            echo "$path links a widget or GUI library." >&2
            return 1
        fi
    done
}

# From the g++ build, without building anything again. Only root can install it here; anyone
# else gets the checks of the package's contents.
package_check() {
    rm -f build/ci-gcc/zorvane_*.deb
    (cd build/ci-gcc && cpack -G DEB)
    local install=()
    [ "$(id -u)" -eq 0 ] && install=(--install)
    bash scripts/check-package.sh "${install[@]}" build/ci-gcc/zorvane_*.deb
}

# One clang build serves the tests and the fuzz targets: everything carries the fuzzer's
# coverage hooks, which cost the tests little. -O1 keeps the fuzz targets' inputs per second up;
# line tables are all the sanitizers' reports need of the debug information.
# The benchmarks are built (with their warnings) in the g++ build only.
clang_build() {
    cmake -S . -B build/ci-clang -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
        -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only -DCMAKE_CXX_COMPILER=clang++ \
        -DZORVANE_WERROR=ON -DZORVANE_SANITIZE=ON -DZORVANE_FUZZ=ON -DZORVANE_BUILD_BENCH=OFF
    cmake --build build/ci-clang -j"$jobs"
}

# New inputs go to build/ci-clang/found/, so the seeds in the repository stay as they are; a
# failing input is saved in build/ci-clang/ as crash-*, leak-* or timeout-*.
fuzz_run() {
    local seeds=$1 name
    name=$(basename "$seeds")
    local program
    program=$(find build/ci-clang -name "$name" -type f -perm -u+x | head -n1)
    [ -n "$program" ] || { echo "No fuzz target $name for $seeds." >&2; return 1; }
    mkdir -p build/ci-clang/found/"$name"
    # The settings target writes files: a memory-backed folder keeps it from waiting on the disk.
    local tmp=${TMPDIR:-/tmp}
    [ -d /dev/shm ] && [ -w /dev/shm ] && tmp=/dev/shm
    TMPDIR=$tmp "$program" -max_total_time="$fuzzseconds" -print_final_stats=1 \
        -artifact_prefix=build/ci-clang/ build/ci-clang/found/"$name" "$seeds"
}

# The fuzz targets run one per core at a time, each for its own minute; each one's output is
# shown when it ends, whole when it failed.
fuzz_all() {
    local seeds name status=0 running=()
    finish() {
        local entry=${running[0]} log
        running=("${running[@]:1}")
        log=build/ci-clang/fuzz-${entry#*:}.log
        if wait "${entry%%:*}"; then
            echo "--- ${entry#*:}: passed"
            grep -E '^stat::' "$log" || true
        else
            echo "--- ${entry#*:}: FAILED"
            cat "$log"
            status=1
        fi
    }
    for seeds in tests/fuzz/corpus/*/; do
        name=$(basename "$seeds")
        fuzz_run "${seeds%/}" >"build/ci-clang/fuzz-$name.log" 2>&1 &
        running+=("$!:$name")
        ((${#running[@]} < jobs)) || finish
    done
    while ((${#running[@]} > 0)); do finish; done
    return $status
}

step setup bash scripts/setup.sh test
step format format_check
step layers layer_check
step gcc-build gcc_build
step gcc-tests run_tests build/ci-gcc
step package package_check
step nogui nogui_build
step clang-build clang_build
step clang-tests run_tests build/ci-clang
step fuzz fuzz_all

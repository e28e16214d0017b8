#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Zorvane and starts it on a demo folder whose searches
# go to the demo search engine on this machine, so SEARCH works without the Internet.
# Extra arguments go to zorvane (e.g. --dir DIR to use another folder).
# Only the program and the demo engine are built here, so the first start is quick;
# scripts/test.sh installs and builds the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
program=build/release/src/app/zorvane
# Configured until a build has succeeded; later starts only bring the two programs up to date
# (the build runs CMake again itself when a CMakeLists.txt changed).
if [ ! -x $program ] || ! grep -qx 'ZORVANE_BUILD_TESTS:BOOL=OFF' build/release/CMakeCache.txt 2>/dev/null; then
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DZORVANE_BUILD_TESTS=OFF -DZORVANE_BUILD_BENCH=OFF
fi
cmake --build build/release -j"$(nproc)" --target zorvane zorvane-demo-engine

demo=${ZORVANE_DEMO_DIR:-build/demo}
mkdir -p "$demo"
log="$demo/demo-engine.log"

# The demo engine takes its usual port, or any free one when that is taken.
start_engine() {
    : >"$log"
    build/release/tools/demo-engine/zorvane-demo-engine --port "$1" --domain example.com \
        ${ZORVANE_DEMO_ANNOUNCE:+--announce "$ZORVANE_DEMO_ANNOUNCE"} >"$log" 2>&1 &
    engine=$!
    for _ in $(seq 50); do
        port=$(sed -n 's/^Demo search engine listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$log")
        [ -n "$port" ] && return 0
        kill -0 "$engine" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
engine=
port=
start_engine 8089 || start_engine 0 || { cat "$log" >&2; echo "The demo search engine did not start." >&2; exit 1; }
trap 'kill "$engine" 2>/dev/null || true' EXIT
echo "Demo search engine on 127.0.0.1:$port (log: $log)"

ini="$demo/zorvane.ini"
if [ ! -f "$ini" ]; then
    # A first start: one demo domain with a few keywords, and the running log shown.
    printf '%s\r\n' "[settings]" "searchhost=127.0.0.1:$port" "apihost=127.0.0.1:$port" "updatehost=127.0.0.1:$port" \
        "showrunning=1" "txturl=example.com" "counturls=1" \
        "[URL1]" "url=example.com" "pagedepth=3" "checkstop=0" "checkfirst=0" "countkeys=6" \
        "keys1=red shoes" "keys2=online marketing" "keys3=search engine ranking" "keys4=used cars" \
        "keys5=blue widgets" "keys6=keyword tracking" >"$ini"
else
    # Later starts keep the user's changes; only a demo engine address follows the new port.
    sed -i -E "s/^(searchhost|apihost|updatehost)=127\.0\.0\.1:[0-9]+/\1=127.0.0.1:$port/" "$ini"
    grep -q '^updatehost=' "$ini" || sed -i "s/^\[settings\]\r\?$/&\nupdatehost=127.0.0.1:$port\r/" "$ini"
fi

$program --dir "$demo" "$@"

#!/usr/bin/env bash
# Takes the guide's pictures of the program: the update message (the demo engine announces a
# newer version) and the about panel, under a virtual X server, and the rank chart of a made-up
# history file. Needs xvfb-run, xdotool and
# ImageMagick. Usage: scripts/guide-screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
out=${2:-docs/guide/img}
mkdir -p "$out"
demo=$(mktemp -d)
trap 'kill "$engine" 2>/dev/null || true; rm -rf "$demo"' EXIT

"$build/tools/demo-engine/zorvane-demo-engine" --port 0 --domain example.com --announce V9.9.9 >"$demo/engine.log" 2>&1 &
engine=$!
port=
for _ in $(seq 50); do
    port=$(sed -n 's/^Demo search engine listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$demo/engine.log")
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { cat "$demo/engine.log" >&2; exit 1; }
printf '%s\r\n' "[settings]" "searchhost=127.0.0.1:$port" "updatehost=127.0.0.1:$port" "showrunning=1" \
    "txturl=example.com" "counturls=1" "[URL1]" "url=example.com" "pagedepth=3" "countkeys=3" \
    "keys1=red shoes" "keys2=online marketing" "keys3=used cars" >"$demo/zorvane.ini"

# shoot UPDATEHOST NAME ACTIONS...: starts the program, waits for the update check's first reply,
# runs each action as xdotool arguments ($win is the window) and takes a picture of the window.
shoot() {
    sed -i "s/^updatehost=.*\r$/updatehost=$1\r/" "$demo/zorvane.ini"
    local name=$2
    shift 2
    ZORVANE=$build/src/app/zorvane DEMO=$demo SHOT=$(realpath "$out")/$name.png \
        xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
        set -euo pipefail
        "$ZORVANE" --dir "$DEMO" &
        app=$!
        win=$(xdotool search --sync --onlyvisible --name "^Zorvane" | head -1)
        sleep 6
        for action in "$@"; do eval "xdotool $action"; sleep 1; done
        import -window "$win" "$SHOT"
        kill "$app"
    ' shoot "$@"
}
shoot "127.0.0.1:$port" update-message
# The about panel: Help > About, with the update check pointed at a closed port.
shoot 127.0.0.1:9 about 'mousemove --window $win 347 8 click 1' 'key Up Return' 
# The guide shows the panels with a little of the window around them, in few colours.
convert "$out/about.png" -crop 400x230+200+225 +repage -colors 64 "PNG8:$out/about.png"
convert "$out/update-message.png" -crop 480x210+160+235 +repage -colors 64 "PNG8:$out/update-message.png"

# The rank chart: twelve weekly saved searches of one search term for two domains, with two
# weeks where example.com was not found, drawn by zorvane-cli.
# record DATE DOMAIN=POSITION...: one record; a position of "-" is not found.
record() {
    printf '%s\r\n' "----------$1" "TXTURL: example.com"
    shift
    local pair domain pos
    for pair in "$@"; do
        domain=${pair%%=*} pos=${pair#*=}
        printf '%s\r\n' "URL: $domain" "DATETIME: x" "PAGEDEPTH: 3" "KEY: blue widgets" "act: Finished search"
        [ "$pos" = - ] || printf '%s\r\n' "pos: $pos" "url: http://$domain/page$pos" "title: T" "abstract: A"
        printf '%s\r\n' "urls: http://top.example/" "titles: Top"
    done
}
ours=(14 12 12 9 7 - - 8 6 5 4 3)
theirs=(22 21 25 19 18 16 17 15 15 13 12 11)
for i in "${!ours[@]}"; do
    record "$(LC_ALL=C date -d "2025-09-01 + $i weeks" '+%d-%b-%Y 09:00:00')" \
        "example.com=${ours[$i]}" "shop.example=${theirs[$i]}"
done >"$demo/chart.sav"
"$build/src/cli/zorvane-cli" history chart "$demo/chart.sav" --keyword "blue widgets" --size 640x320 \
    --out "$out/chart.png"
convert "$out/chart.png" -colors 64 "PNG8:$out/chart.png"

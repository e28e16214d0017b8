#!/usr/bin/env bash
# Takes the guide's pictures of the program under a virtual X server: the update message (the
# demo engine announces a newer version), the about panel, the history view with its chart, the
# analysis with its detail list, the options and schedule options panels and a blocked run; and
# the rank chart of a made-up history file drawn by zorvane-cli. Needs xvfb-run, xdotool and
# ImageMagick. Usage: scripts/guide-screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
out=${2:-docs/guide/img}
mkdir -p "$out"
demo=$(mktemp -d)
trap 'kill "$engine" ${blocker:+"$blocker"} 2>/dev/null || true; rm -rf "$demo"' EXIT

"$build/tools/demo-engine/zorvane-demo-engine" --port 0 --domain example.com --announce V9.9.9 >"$demo/engine.log" 2>&1 &
engine=$!
port=
for _ in $(seq 50); do
    port=$(sed -n 's/^Demo search engine listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$demo/engine.log")
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { cat "$demo/engine.log" >&2; exit 1; }
# settings UPDATEHOST [KEY=VALUE...]: the demo's settings file, the given settings first.
settings() {
    local updatehost=$1
    shift
    printf '%s\r\n' "[settings]" "$@" "searchhost=127.0.0.1:$port" "updatehost=$updatehost" "showrunning=1" \
        "txturl=example.com" "counturls=1" "[URL1]" "url=example.com" "pagedepth=3" "countkeys=3" \
        "keys1=red shoes" "keys2=online marketing" "keys3=used cars" >"$demo/zorvane.ini"
}

# picture NAME SIZE WAIT ACTIONS...: starts the program on the demo folder, sizes its window
# (WxH, or "" for its own size), waits WAIT seconds, runs each action as xdotool arguments ($win
# is the window) with a second after each, and takes a picture of the window.
picture() {
    local name=$1
    ZORVANE=$build/src/app/zorvane DEMO=$demo SHOT=$(realpath "$out")/$name.png SIZE=$2 WAIT=$3 \
        xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
        set -euo pipefail
        "$ZORVANE" --dir "$DEMO" &
        app=$!
        win=$(xdotool search --sync --onlyvisible --name "^Zorvane" | head -1)
        [ -z "$SIZE" ] || xdotool windowmove "$win" 0 0 windowsize "$win" ${SIZE/x/ }
        sleep "$WAIT"
        for action in "$@"; do eval "xdotool $action"; sleep 1; done
        import -window "$win" "$SHOT"
        kill "$app"
    ' picture "${@:4}"
}
# shoot UPDATEHOST NAME ACTIONS...: the window as it opens, after the update check's first reply.
shoot() {
    settings "$1"
    picture "$2" "" 6 "${@:3}"
}
shoot "127.0.0.1:$port" update-message
# The about panel: Help > About, with the update check pointed at a closed port.
shoot 127.0.0.1:9 about 'mousemove --window $win 347 8 click 1' 'key Up Return' 
# The guide shows the panels with a little of the window around them, in few colours.
convert "$out/about.png" -crop 400x230+200+225 +repage -colors 64 "PNG8:$out/about.png"
convert "$out/update-message.png" -crop 480x210+160+235 +repage -colors 64 "PNG8:$out/update-message.png"

# The rank chart: twelve weekly saved searches of one search term for two domains, with two
# weeks where example.com was not found, drawn by zorvane-cli.
# record DATE DOMAIN=POSITION...: one record; a position of "-" is not found. The first page
# lists three other sites.
record() {
    printf '%s\r\n' "----------$1" "TXTURL: example.com"
    shift
    local pair domain pos
    for pair in "$@"; do
        domain=${pair%%=*} pos=${pair#*=}
        printf '%s\r\n' "URL: $domain" "DATETIME: x" "PAGEDEPTH: 3" "KEY: blue widgets" "act: Finished search"
        [ "$pos" = - ] || printf '%s\r\n' "pos: $pos" "url: http://$domain/page$pos" "title: T" "abstract: A"
        printf '%s\r\n' "urls: http://top.example/" "titles: Top" "urls: http://widgets.example/blue" \
            "titles: Blue widgets" "urls: http://shop.example/widgets" "titles: Widgets shop"
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

# A month of daily checks in the top ten, three of them on some days, for the history view.
month=(7 6 6 5 - 4 4 3 5 6 3 2 2 3 4 2 1 1 2 3 2 2 1 1 1 2 3 2 1 1)
for i in "${!month[@]}"; do
    day=$(LC_ALL=C date -d "2025-11-03 + $i days" '+%d-%b-%Y')
    record "$day 09:00:00" "example.com=${month[$i]}"
    if [ $((i % 7)) = 3 ]; then
        record "$day 13:20:00" "example.com=6"
        record "$day 17:45:00" "example.com=4"
    fi
done >"$demo/month.sav"

# window NAME SETTINGS ACTIONS...: the window at 1000x720 with SETTINGS (settings lines separated
# by spaces) and the update check pointed at a closed port.
window() {
    # shellcheck disable=SC2086 # one word per settings line
    settings 127.0.0.1:9 $2
    picture "$1" 1000x720 3 "${@:3}"
}
window history-chart "historyfile=$demo/month.sav" 'windowfocus --sync $win key alt+h Return' \
    'key Return' 'mousemove --window $win 80 200 click 1'
window analysis-detail "historyfile=$demo/chart.sav" 'windowfocus --sync $win key alt+h Return' \
    'key Return' 'windowfocus --sync $win key alt+a Return' 'mousemove --window $win 80 200 click 1'
window options "" 'windowfocus --sync $win key alt+t o'
window schedule-options "" 'windowfocus --sync $win key alt+c o'
"$build/tools/demo-engine/zorvane-demo-engine" --port 0 --block 429 >"$demo/blocker.log" 2>&1 &
blocker=$!
sleep 1
blocked=$(sed -n 's/^Demo search engine listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$demo/blocker.log")
window blocked "searchhost=127.0.0.1:$blocked" 'windowfocus --sync $win key alt+s s' 'sleep 4'
for name in history-chart analysis-detail options schedule-options blocked; do
    convert "$out/$name.png" -colors 128 "PNG8:$out/$name.png"
done

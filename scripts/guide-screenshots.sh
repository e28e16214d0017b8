#!/usr/bin/env bash
# Takes the guide's pictures of the program: the update message (the demo engine announces a
# newer version) and the about panel, under a virtual X server. Needs xvfb-run, xdotool and
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

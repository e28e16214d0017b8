#!/usr/bin/env bash
# Installs the Debian packages a profile needs, when any is missing:
#   setup.sh run    building and running the program and the demo engine
#   setup.sh test   that, and what the tests, the sanitizer and fuzz builds and CI use (default)
set -euo pipefail
profile=${1:-test}
# qt6-base-dev brings the run-time libraries and the platform plugins; a font draws the window's text.
# Qt Charts draws the rank chart (its CMake package wants the OpenGL one) and Qt SVG writes it.
# Qt SQL's SQLite driver keeps the index beside each history file.
run=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core qt6-charts-dev libqt6opengl6-dev
    qt6-svg-dev libqt6sql6-sqlite)
# clang (its sanitizer and libFuzzer run-times follow below), the formatter, the compiler cache test.sh
# shares between two of its builds, the HTTP proxy the proxy test starts, and a virtual display
# for starting the program on a machine without one, a browser that opens the reports headless,
# and openssl, which makes the TLS tests' certificates. Then the Debian package's tools:
# dpkg-shlibdeps for its dependencies and the validators of its desktop entry and AppStream metadata.
test=(clang clang-format ccache tinyproxy xvfb xauth chromium openssl dpkg-dev
    desktop-file-utils appstream)
case $profile in
run) packages=("${run[@]}") ;;
test) packages=("${run[@]}" "${test[@]}") ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
updated=false
install() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $updated || apt-get update -qq
    updated=true
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
install "${packages[@]}"
# The sanitizer and libFuzzer run-times come in a package named after clang's major version,
# whichever version Debian's clang is today.
if [ "$profile" = test ]; then
    install "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"
fi

#!/usr/bin/env bash
# Checks a Debian package made by `cpack -G DEB`:
#   check-package.sh [--install] zorvane_VERSION_ARCH.deb
# Its name and version, that it holds the programs, the desktop entry, the icons, the AppStream
# metadata, the user guide and the man pages, that it depends on the package of every Qt library
# the programs link, that the desktop entry and the metadata validate (when the validators are
# there), and that the man pages name every command and option of the programs' usage texts.
# --install (root) also installs it with apt-get, runs the installed programs from /usr/bin,
# checks that the desktop program keeps its files in the per-user data folder, and removes it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
install=false
if [ "${1:-}" = --install ]; then
    install=true
    shift
fi
[ $# -eq 1 ] || { echo "usage: $0 [--install] PACKAGE.deb" >&2; exit 2; }
deb=$(realpath "$1")
failures=()
fail() { failures+=("$*"); echo "FAIL: $*" >&2; }

version=$(sed -n 's/^project(Zorvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "zorvane_${version}_${arch}.deb" ] ||
    fail "the package is $(basename "$deb"), not zorvane_${version}_${arch}.deb"
[ "$(dpkg-deb -f "$deb" Package)" = zorvane ] || fail "the package's name is not zorvane"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"

# Every file an installation needs, with the programs executable.
contents=$(dpkg-deb --contents "$deb")
expected=(usr/bin/zorvane usr/bin/zorvane-cli usr/bin/zorvane-demo-engine
    usr/share/applications/zorvane.desktop usr/share/icons/hicolor/scalable/apps/zorvane.svg
    usr/share/metainfo/example.zorvane.zorvane.metainfo.xml
    usr/share/man/man1/zorvane.1.gz usr/share/man/man1/zorvane-cli.1.gz)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/zorvane.png")
done
while IFS= read -r file; do
    expected+=("usr/share/zorvane/guide/${file#"$root/docs/guide/"}")
done < <(find "$root/docs/guide" -type f)
for file in "${expected[@]}"; do
    grep -qE " \./$file\$" <<<"$contents" || fail "the package lacks /$file"
done
for program in zorvane zorvane-cli zorvane-demo-engine; do
    grep -qE "^-rwxr-xr-x .* \./usr/bin/$program\$" <<<"$contents" || fail "/usr/bin/$program is not executable"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The programs started below want a runtime folder of their own.
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
dpkg-deb -x "$deb" "$tmp/root"
usr=$tmp/root/usr

# The package of each Qt library a program links is a dependency: a library added to the build
# without its package in Depends would install a program that cannot start.
depends=$(dpkg-deb -f "$deb" Depends)
for program in zorvane zorvane-cli zorvane-demo-engine; do
    paths=$(ldd "$usr/bin/$program")
    while read -r library; do
        path=$(awk -v name="$library" '$1 == name { print $3 }' <<<"$paths")
        owner=$(dpkg -S "$(realpath "$path")" 2>/dev/null | cut -d: -f1) || {
            fail "$program links $library ($path), which no Debian package holds"
            continue
        }
        grep -qE "(^|, )$owner( |,|$)" <<<"$depends" || fail "$program links $library but Depends lacks $owner"
    done < <(readelf -d "$usr/bin/$program" | sed -n 's/.*(NEEDED).*\[\(libQt6.*\)\]/\1/p')
done
grep -qE "(^|, )qt6-qpa-plugins( |,|$)" <<<"$depends" || fail "Depends lacks qt6-qpa-plugins"
grep -qE "(^|, )libqt6sql6-sqlite( |,|$)" <<<"$depends" || fail "Depends lacks libqt6sql6-sqlite"

# Their remarks are printed only when they fail.
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$usr/share/applications/zorvane.desktop" >"$tmp/validate" 2>&1 ||
        { cat "$tmp/validate" >&2; fail "the desktop entry does not validate"; }
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$usr/share/metainfo/example.zorvane.zorvane.metainfo.xml" >"$tmp/validate" 2>&1 ||
        { cat "$tmp/validate" >&2; fail "the AppStream metadata does not validate"; }
fi

# A PNG's width and height are the first two numbers of its header chunk, big-endian.
pngsize() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 32 48 64 128 256; do
    icon=$usr/share/icons/hicolor/${size}x${size}/apps/zorvane.png
    if [ ! -f "$icon" ] || [ "$(pngsize "$icon")" != "${size}x${size}" ]; then
        fail "$icon is not a ${size}x${size} PNG"
    fi
done

# Every option of a usage text, and every command of zorvane-cli's, is in the man page.
manpage() { zcat "$usr/share/man/man1/$1.1.gz" | sed 's/\\-/-/g'; }
covers() {
    local page=$1 usage=$2 option command
    while read -r option; do
        grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$(manpage "$page")" || fail "$page(1) lacks $option"
    done < <(grep -oE -- '(^|[[ |(])--?[a-z][a-z-]*' <<<"$usage" | grep -oE -- '-.*' | sort -u)
    while read -r command; do
        grep -qE "^\.SS (--dir DIR )?$command( |\$)" <<<"$(manpage "$page")" || fail "$page(1) lacks the command $command"
    done < <(grep -oE 'zorvane-cli (\[--dir DIR\] |--dir DIR )?[a-z][a-z-]*( (save|list|load|delete|show|chart|csv|visibility|diff))?' <<<"$usage" |
        sed -E 's/^zorvane-cli (\[--dir DIR\] |--dir DIR )?//' | sort -u)
}
covers zorvane-cli "$("$usr/bin/zorvane-cli" --help)"
covers zorvane "$(QT_QPA_PLATFORM=offscreen "$usr/bin/zorvane" --help)"

if $install; then
    apt-get install -y -qq --reinstall "$deb" >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log" >&2; fail "apt-get could not install the package"; }
    for program in zorvane zorvane-cli; do
        [ "$("/usr/bin/$program" --version)" = "Zorvane $version" ] || fail "/usr/bin/$program --version is not Zorvane $version"
    done
    # Captured first: grep -q stops reading early, and under pipefail the writer's broken pipe would fail the check.
    grep -q '^usage: zorvane-cli' <<<"$(/usr/bin/zorvane-cli --help)" || fail "/usr/bin/zorvane-cli --help prints no usage"
    grep -q -- '--dir' <<<"$(QT_QPA_PLATFORM=offscreen /usr/bin/zorvane --help)" || fail "/usr/bin/zorvane --help lacks --dir"
    # The help finds the guide in bin/../share/zorvane/guide.
    [ -f /usr/bin/../share/zorvane/guide/index.html ] || fail "the installed guide is not where help looks for it"
    # Started once by root, who could write to /usr/bin, it still keeps its settings per user.
    home=$tmp/home
    mkdir -p "$home"
    rm -f /usr/bin/zorvane.ini
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen /usr/bin/zorvane &
    pid=$!
    # Ended once it handles SIGTERM (bit 15 of the caught signals in its status), or has ended.
    for _ in $(seq 1200); do
        mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status" 2>/dev/null) || break
        [ -n "$mask" ] && (((16#$mask >> 14) & 1)) && break
        sleep 0.1
    done
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" || fail "/usr/bin/zorvane did not end cleanly on SIGTERM"
    [ -f "$home/.local/share/Zorvane/zorvane.ini" ] || fail "the installed program wrote no ~/.local/share/Zorvane/zorvane.ini"
    [ ! -e /usr/bin/zorvane.ini ] || fail "the installed program wrote /usr/bin/zorvane.ini"
    apt-get remove -y -qq zorvane >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log" >&2; fail "apt-get could not remove the package"; }
    [ ! -e /usr/bin/zorvane-cli ] || fail "/usr/bin/zorvane-cli is still there after the removal"
fi

if [ ${#failures[@]} -gt 0 ]; then
    echo "The package check failed ${#failures[@]} time(s)." >&2
    exit 1
fi
echo "The package $(basename "$deb") passed its checks$($install && echo ", installed and removed")."

#!/usr/bin/env bash
# Checks that every include under src/ goes to the same layer or one below it, and that no
# include climbs out of its folder with "..". The build fails on a wrong-way include too (each
# layer's include root lists only the layers below it); this check names the line at once and
# covers headers that no target compiles yet.
set -euo pipefail
cd "$(dirname "$0")/.."

# Folder -> the folders it may include, besides itself.
declare -A below=(
    [platform]=""
    [diagnostics]="platform"
    [search]="platform diagnostics"
    [storage]="platform diagnostics search"
    [views]="platform diagnostics search storage"
    [reports]="platform diagnostics search storage views"
    [scheduler]="platform diagnostics search storage"
    [update]="platform diagnostics search storage"
    [export]="platform diagnostics search storage views"
    [alerts]="platform diagnostics search storage"
    [cli]="platform diagnostics search storage views reports scheduler update help export alerts"
    [help]="platform diagnostics"
    [tray]="platform diagnostics"
    [app]="platform diagnostics search storage views reports scheduler update help tray export alerts"
)

status=0
while IFS= read -r line; do
    file=${line%%:*}
    rest=${line#*:}
    number=${rest%%:*}
    target=$(sed -E 's/^[^"]*"([^"]*)".*/\1/' <<<"${rest#*:}")
    folder=$(cut -d/ -f2 <<<"$file")
    if [ -z "${below[$folder]+set}" ]; then
        echo "$file: the folder $folder has no place in the layers (add it to scripts/check-layers.sh)" >&2
        status=1
        continue
    fi
    case "$target" in
    ../* | */../*)
        echo "$file:$number: includes \"$target\" past its folder" >&2
        status=1
        continue
        ;;
    */*) ;;
    *) continue ;; # a header of its own folder
    esac
    to=${target%%/*}
    if [ "$to" != "$folder" ] && [[ " ${below[$folder]} " != *" $to "* ]]; then
        echo "$file:$number: $folder includes \"$target\" from $to, which is not below it" >&2
        status=1
    fi
done < <(grep -rn --include='*.h' --include='*.cpp' -E '^\s*#\s*include\s*"' src)

[ $status -eq 0 ] && echo "Layers: every include goes to the same layer or one below it."
exit $status

#!/usr/bin/env bash
# Checks that every include under src/ goes to the folder's own layer or to one that its library
# links, and that no include climbs out of its folder with "..". The layers are read from the
# link lines of the CMake files: configuring a build writes them to BUILD/layers/graph.txt.
#   check-layers.sh BUILD    a configured build folder (the program and its widgets included)
# The compiler refuses a wrong-way include too; this check names the line at once and covers
# headers that no target compiles yet.
set -euo pipefail
cd "$(dirname "$0")/.."
graph=${1:?usage: check-layers.sh BUILD}/layers/graph.txt
[ -f "$graph" ] || { echo "$graph is missing: configure $1 with the program's widgets first" >&2; exit 2; }

# Folder -> the folders it may include, itself among them.
declare -A reach=()
while IFS=: read -r folder folders; do
    reach[$folder]=$folders
done <"$graph"

status=0
pattern='^(src/([^/]+)/[^:]*):([0-9]+):[^"]*"([^"]*)"'
while IFS= read -r line; do
    [[ $line =~ $pattern ]] || continue
    file=${BASH_REMATCH[1]} folder=${BASH_REMATCH[2]} number=${BASH_REMATCH[3]} target=${BASH_REMATCH[4]}
    if [ -z "${reach[$folder]+set}" ]; then
        echo "$file: the folder $folder is no layer (declare its library with zorvane_layer)" >&2
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
    if [[ " ${reach[$folder]} " != *" $to "* ]]; then
        echo "$file:$number: $folder includes \"$target\" from $to, which its library does not link" >&2
        status=1
    fi
done < <(grep -rn --include='*.h' --include='*.cpp' -E '^\s*#\s*include\s*"' src)

[ $status -eq 0 ] && echo "Layers: every include goes to the folder's own layer or one its library links."
exit $status

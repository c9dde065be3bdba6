#!/bin/sh
# Runs the headless project commands of the built program on a sample
# project: listing, converting at each compression setting, and failures.
set -eu
korvane=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A throw-away home, so that the real settings are neither read nor written.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

"$korvane" --info "$sample" > "$work/info.txt"
grep -q '^2 images$' "$work/info.txt"
grep -q '"Outline", visible' "$work/info.txt"
for setting in 0 1 2; do
    "$korvane" --convert "$sample" "$work/out$setting.kvp" --compression "$setting"
    "$korvane" --info "$work/out$setting.kvp" > "$work/info$setting.txt"
    cmp "$work/info.txt" "$work/info$setting.txt"
done

if "$korvane" --info "$work/missing.kvp" > /dev/null 2> "$work/error.txt"; then
    echo "a missing file was listed" >&2
    exit 1
fi
test -s "$work/error.txt"
if "$korvane" --convert "$sample" "$work/x.kvp" --compression 9 2> "$work/error.txt"; then
    echo "a bad compression setting was accepted" >&2
    exit 1
fi
test ! -e "$work/x.kvp"
# A link is written through, and stays a link; a folder is refused.
mkdir "$work/dots"
ln -s dots/linked.kvp "$work/linked.kvp"
"$korvane" --convert "$sample" "$work/linked.kvp"
test -L "$work/linked.kvp"
"$korvane" --info "$work/dots/linked.kvp" > "$work/info-linked.txt"
cmp "$work/info.txt" "$work/info-linked.txt"
mkdir "$work/folder.kvp"
if "$korvane" --convert "$sample" "$work/folder.kvp" 2> "$work/error.txt"; then
    echo "a folder was replaced" >&2
    exit 1
fi
grep -q 'it is not a regular file' "$work/error.txt"
test -d "$work/folder.kvp"
echo "project commands ok"

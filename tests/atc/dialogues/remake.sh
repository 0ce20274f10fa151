#!/bin/sh
# Runs every dialogue script of this folder through the headless runner and
# writes what was said to NAME.transcript, for review before it is kept:
#   tests/atc/dialogues/remake.sh [build folder]
# The runner's options are the script's "# run:" line; each run starts from a
# fresh configuration, so it takes the defaults.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../../build}" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
for script in "$here"/*.script; do
  name=$(basename "$script" .script)
  args=$(sed -n 's/^# run: //p' "$script")
  rm -rf "$home/config" "$home/data"
  # shellcheck disable=SC2086
  XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$build/tarvel-headless" $args --script "$script" | grep -E '^(atc|pilot): ' > "$here/$name.transcript"
  echo "$name: $(wc -l < "$here/$name.transcript") lines"
done

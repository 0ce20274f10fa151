#!/bin/sh
# Remakes the panel's screenshots in this folder with the headless runner:
#   tests/panel/shots/make_shots.sh [build folder]
# Each run starts from a fresh configuration, so it takes the defaults.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../../build}" && pwd)
data="$here/../data"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
run() {
  rm -rf "$home/config" "$home/data"
  XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$build/tarvel-headless" --time 1 "$@" > /dev/null
}
# The default start: Trainer on runway 6 at KSBD, parking brake set, engine idling.
run --frames 40 --screenshot "40:$here/start_trainer.png"
# The same aircraft climbing away after a take-off flown from the keyboard alone.
script="$home/keys.txt"
{
  echo "10 key b"
  for k in $(seq 0 23); do echo "$((20 + 2 * k)) key F2"; done
  for k in 0 1 2; do echo "$((320 + 2 * k)) key KP2"; done
} > "$script"
run --frames 470 --script "$script" --screenshot "470:$here/climb_trainer.png"
# The electronic panel, a helicopter and a four-engine aircraft's engine page.
run --frames 40 --aircraft "$data/Glass.acf" --screenshot "40:$here/electronic.png"
run --frames 40 --aircraft "$data/Heli.acf" --screenshot "40:$here/helicopter.png"
run --frames 40 --aircraft "$here/../../flight/data/AllParts.acf" --screenshot "40:$here/four_engines.png"
# The ILS of runway 6 at KSBD: left of the localizer before the autopilot's
# approach turns onto it (needle right), and 4 nm out on the localizer and glide slope.
run --airport KSBD --frames 600 --script "$data/ils_ksbd06.txt" --screenshot "600:$here/ils_intercept.png"
run --airport KSBD --frames 4800 --script "$data/ils_ksbd06.txt" --screenshot "4800:$here/ils_final.png"

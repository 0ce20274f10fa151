#!/bin/sh
# Remakes the controller's screenshots in this folder with the headless runner:
#   tests/atc/shots/make_shots.sh [build folder]
# Each run starts from a fresh configuration, so it takes the defaults.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../../build}" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
run() {
  rm -rf "$home/config" "$home/data"
  XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$build/tarvel-headless" "$@" > /dev/null
}
script="$home/script.txt"
# On the runway at San Bernardino with a plan picked up and cleared: the menu
# (space bar), the taxi request expected and pulsing, the mouse over it.
cat > "$script" <<END
10 key space
11 click 100 76
14 type KRIV
16 key RETURN
20 atc plan
60 key space
61 move 100 166
END
run --frames 63 --time 1 --script "$script" --screenshot "63:$here/atc_menu.png"
# In the air at dusk: the landing list of the region's towered airports.
cat > "$script" <<END
10 key space
11 click 100 193
12 move 260 98
END
run --frames 14 --time 2 --eye-above 3000 --script "$script" --screenshot "14:$here/atc_landing_list.png"
# The ILS list, each localizer with the frequency to set on the NAV radios.
cat > "$script" <<END
10 key space
11 click 100 203
12 move 60 98
END
run --frames 14 --time 1 --eye-above 3000 --script "$script" --screenshot "14:$here/atc_ils_list.png"
# The flight-plan window: VFR to March Air Reserve Base at 6500 ft.
cat > "$script" <<END
10 key space
11 click 100 76
14 type KRIV
15 wclick 27 31 79
16 wclick 27 51 178
17 wclick 27 61 172
18 wclick 27 61 172
19 wclick 27 61 172
20 wclick 27 61 172
21 wclick 27 61 172
END
run --frames 22 --time 1 --script "$script" --screenshot "22:$here/flight_plan_window.png"

#!/bin/sh
# The window program from exec to its first window mapped, and its resident memory, against an
# empty Qt 6 window, a window with one label (what any window that draws text pays: fontconfig's
# start and the default font) and a calculator-shaped one (an entry line, 30 buttons, no engine).
# Needs $DISPLAY with a window manager, e.g.
#   Xvfb :16 & DISPLAY=:16 openbox & DISPLAY=:16 bench/start/window_start.sh
# Usage: bench/start/window_start.sh [BUILD_DIR] [RUNS]
set -eu
build=${1:-build}
runs=${2:-21}
timer=$build/bench/start/map_time
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# A copy of its own keeps its data beside it, away from the build's.
cp "$build/shell/tobrisk" "$dir/tobrisk"
# fontconfig's caches in a folder of this run's own, filled by the warm-up: another program that
# rewrites the shared caches (a package install, a run under a shifted clock) would otherwise
# make a random run rescan every font folder.
mkdir "$dir/fontcache"
cat >"$dir/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <cachedir>$dir/fontcache</cachedir>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
</fontconfig>
CONF
export FONTCONFIG_FILE="$dir/fonts.conf"
for peer in peer_empty_window peer_text_window peer_calculator_window; do
  echo "== against $peer: memory when the window is mapped"
  "$timer" -n "$runs" -s 0 "$dir/tobrisk" --vs "$build/bench/start/$peer"
  echo "== against $peer: memory half a second later (every window made)"
  "$timer" -n "$runs" -s 500 "$dir/tobrisk" --vs "$build/bench/start/$peer"
done

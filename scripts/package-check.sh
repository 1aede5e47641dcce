#!/usr/bin/env bash
# The installed checks of the Debian package: installs it with apt-get, checks that man finds
# both pages and that the manual lies where the program looks for it, then runs tobrisk-cli
# and the window program from /usr/bin with a fresh HOME, once as the calling user and once as
# a user who cannot write /usr/bin; each keeps its data file in ~/.local/share/Tobrisk/. The
# package and the check user are removed at the end, whatever the outcome.
#   scripts/package-check.sh build-deb/tobrisk_VERSION_ARCH.deb
# The window runs on a fresh Xvfb display (TOBRISK_CHECK_DISPLAY=N picks :N) with openbox.
set -euo pipefail
deb=$(realpath "$1")
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
check_user=tobrisk-check
work=$(mktemp -d)
chmod 755 "$work"
pids=()
failures=0

stray_data=""  # a data file the check itself leaves in /usr/bin, if one was not there before
[ -e /usr/bin/Tbdata.dat ] || stray_data=/usr/bin/Tbdata.dat

cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if [ -n "$stray_data" ]; then $SUDO rm -f "$stray_data"; fi
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq --purge tobrisk >/dev/null 2>&1 || true
  if id "$check_user" >/dev/null 2>&1; then $SUDO userdel "$check_user" || true; fi
  $SUDO rm -rf "$work"
}
trap cleanup EXIT

ok() { echo "  ok: $*"; }
# The programs must not write beside themselves in /usr/bin; a file found there is reported and
# taken away, so that the next check starts clean.
nothing_in_bin() {
  if [ -n "$stray_data" ] && [ -e "$stray_data" ]; then
    bad "a data file was written to /usr/bin"
    $SUDO rm -f "$stray_data"
  fi
}
bad() {
  echo "  FAILED: $*" >&2
  failures=$((failures + 1))
}

echo "== installing $(basename "$deb")"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
for f in /usr/bin/tobrisk /usr/bin/tobrisk-cli /usr/share/tobrisk/Tbhelp.chm \
  /usr/share/tobrisk/help/index.html /usr/share/applications/org.tobrisk.Tobrisk.desktop \
  /usr/share/metainfo/org.tobrisk.Tobrisk.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/org.tobrisk.Tobrisk.svg \
  /usr/share/icons/hicolor/48x48/apps/org.tobrisk.Tobrisk.png; do
  if [ -f "$f" ]; then ok "$f"; else bad "$f is missing"; fi
done
for page in tobrisk tobrisk-cli; do
  if man -w "$page" >/dev/null 2>&1 && [ -n "$(MANWIDTH=80 man "$page" 2>/dev/null | head -1)" ]; then
    ok "man $page"
  else
    bad "man does not find $page"
  fi
done

# A display for the window program, shared by both users.
if [ -n "${TOBRISK_CHECK_DISPLAY:-}" ]; then
  display=":$TOBRISK_CHECK_DISPLAY"
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  sleep 1
else
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  display=":$(cat "$work/display")"
fi
DISPLAY=$display openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

# run_as USER HOME COMMAND...: the command with a fresh environment of that user.
run_as() {
  local user=$1 home=$2
  shift 2
  local envs=(HOME="$home" XDG_RUNTIME_DIR="$home/run" DISPLAY="$display" PATH=/usr/bin:/bin LANG=C.UTF-8)
  if [ "$user" = "$(id -un)" ]; then
    env -i "${envs[@]}" "$@"
  else
    $SUDO runuser -u "$user" -- env -i "${envs[@]}" "$@"
  fi
}

fresh_home() {
  local user=$1 home
  home=$(mktemp -d "$work/home.XXXXXX")
  mkdir -p "$home/run"
  chmod 700 "$home/run"
  $SUDO chown -R "$user" "$home"
  echo "$home"
}

check_as() {
  local user=$1 home out data
  echo "== as $user"
  home=$(fresh_home "$user")
  out=$(printf 'a = 3; a*2\n' | run_as "$user" "$home" /usr/bin/tobrisk-cli) || bad "tobrisk-cli ended with status $?"
  if [ "$out" = "3;     6" ]; then ok "tobrisk-cli computes a line"; else bad "tobrisk-cli printed '$out'"; fi
  data=$home/.local/share/Tobrisk/Tbdata.dat
  if [ "$(stat -c %s "$data" 2>/dev/null)" = 14664 ]; then
    ok "its data file is $data"
  else
    bad "no data file in $home/.local/share/Tobrisk/"
  fi
  nothing_in_bin

  home=$(fresh_home "$user")
  run_as "$user" "$home" /usr/bin/tobrisk >"$work/window.log" 2>&1 &
  local app=$! window
  window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name '^Tobrisk' 2>/dev/null | head -1) || true
  if [ -z "$window" ]; then
    bad "the window program shows no window"
    kill "$app" 2>/dev/null || true
    return
  fi
  ok "the window program shows \"$(DISPLAY=$display xdotool getwindowname "$window")\""
  # Close it as a user would, through the window manager.
  DISPLAY=$display xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
  local status=0
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app" 2>/dev/null; then
    bad "the window program did not end after a close"
    kill "$app" 2>/dev/null || true
    return
  fi
  wait "$app" || status=$?
  if [ "$status" = 0 ]; then ok "it ends cleanly on a close"; else bad "it ended with status $status"; fi
  if [ -f "$home/.local/share/Tobrisk/Tbdata.dat" ]; then
    ok "and saves its data file in ~/.local/share/Tobrisk/"
  else
    bad "the window program saved no data file in ~/.local/share/Tobrisk/"
  fi
  nothing_in_bin
}

check_as "$(id -un)"
if ! id "$check_user" >/dev/null 2>&1; then
  $SUDO useradd --system --no-create-home --shell /usr/sbin/nologin "$check_user"
fi
if $SUDO runuser -u "$check_user" -- test -w /usr/bin; then
  bad "$check_user can write /usr/bin"
fi
check_as "$check_user"

if ((failures)); then
  echo "== installed checks: $failures failed" >&2
  exit 1
fi
echo "== installed checks passed"

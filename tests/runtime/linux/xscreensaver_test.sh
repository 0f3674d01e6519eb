#!/usr/bin/env bash
# A made screensaver as xscreensaver runs it, on a virtual display of the test's own:
# `glimmerdeck install-linux` puts it into the user's ~/.xscreensaver (keeping what was
# there), xscreensaver (Debian's) runs it on `xscreensaver-command -activate`, the
# screen shows its picture, `-deactivate` ends it, and `install-linux --remove` gives
# back the file as it was. xscreensaver runs no program for root: run as root, the test
# runs it (and installs for) the unprivileged user nobody.
#
#   xscreensaver_test.sh DIST TEMPLATE FIXTURE WORKDIR
set -euo pipefail

dist=$1 template=$2 fixture=$3 work=$4
rm -rf "$work" && mkdir -p "$work" && cd "$work"
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=../screen_steps.sh
source "$here/../screen_steps.sh"
command -v xscreensaver >/dev/null || { echo "xscreensaver is not installed (scripts/bootstrap installs it)"; exit 1; }
# shellcheck source=own_display.sh
source "$here/own_display.sh"
own_display

home=$(mktemp -d /tmp/gd-xscreensaver-home.XXXXXX)
chmod 755 "$home"
as_user=(env)
if [ "$(id -u)" = 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env)
  # The user may open the display: local connections, whoever makes them.
  xhost +local: >/dev/null
fi
run() { "${as_user[@]}" HOME="$home" TMPDIR="$home/tmp" SDL_AUDIODRIVER=dummy DISPLAY="$DISPLAY" "$@"; }
trap 'rc=$?; set +e; run xscreensaver-command -exit >/dev/null 2>&1; kill $(jobs -p) 2>/dev/null; kill $xvfb_pid 2>/dev/null; wait 2>/dev/null; rm -rf "$home"; exit $rc' EXIT

/usr/bin/convert -size 512x384 xc:'#FF0000' red.gif
saver="$home/Red Show.scr"
"$fixture" --template "$template" --out "$saver" --id F0000000000000000000000000000001 \
  --set bg=00FF00 --set picture_pause=30 --set effect_ms=200 --set move_picture=0 --set shuffle_pic=0 \
  --picture red.gif --tone 2
# The user may not reach the build's folders (a checkout only its owner may enter): the
# program folder is copied where it can.
cp -r "$dist" "$home/program"
dist="$home/program"

# The user's own settings, which must stay: the one program shown, no fading.
cat > "$home/.xscreensaver" <<'XS'
# my settings
timeout:	0:10:00
mode:		one
selected:	0
fade:		False
unfade:		False
XS
cp "$home/.xscreensaver" original.xscreensaver
mkdir -p "$home/tmp"
[ "$(id -u)" = 0 ] && chown -R nobody:nogroup "$home"
run "$dist/glimmerdeck" install-linux "$saver" | tee install.log
grep -q 'reelhost' "$home/.xscreensaver" && pass "install-linux adds the program to ~/.xscreensaver" ||
  fail "no program line in ~/.xscreensaver"
head -6 "$home/.xscreensaver" | diff -q - original.xscreensaver >/dev/null &&
  pass "the user's settings stay as they were" || fail "the user's settings changed"
cmp -s "$home/.xscreensaver.glimmerdeck~" original.xscreensaver && pass "the file as it was is kept beside it" ||
  fail "no copy of the earlier file"
desktop=$(ls "$home"/.local/share/applications/screensavers/glimmerdeck-*.desktop 2>/dev/null || true)
[ -n "$desktop" ] && grep -q '^Categories=Screensaver;' "$desktop" && pass "a desktop entry for the other hosts" ||
  fail "no desktop entry"

run xscreensaver -no-splash >xscreensaver.log 2>&1 &
for _ in $(seq 100); do run xscreensaver-command -time >/dev/null 2>&1 && break; sleep 0.1; done
run xscreensaver-command -activate
hack=""
for _ in $(seq 100); do
  # Ours: the one playing the copy in this test's home (other tests may run reelhost).
  hack=$(pgrep -n -f "reelhost .*$home/" || true)
  [ -n "$hack" ] && break
  sleep 0.1
done
if [ -n "$hack" ]; then
  pass "xscreensaver runs the screensaver on -activate ($(tr '\0' ' ' </proc/"$hack"/cmdline))"
  wait_screen activated 20 512 384 FF0000 100 100 00FF00 && pass "the screen shows its picture" ||
    fail "the picture never came on the screen"
  tracks=$(find "$home/tmp" -name 'F0000000000000000000000000000001*' | wc -l)
  [ "$tracks" -ge 1 ] && pass "its music plays" || fail "no track was written"
  run xscreensaver-command -deactivate
  for _ in $(seq 40); do kill -0 "$hack" 2>/dev/null || break; sleep 0.05; done
  ! kill -0 "$hack" 2>/dev/null && pass "-deactivate ends it" || fail "the screensaver still runs after -deactivate"
  sleep 0.3
  left=$(find "$home/tmp" -type f | wc -l)
  [ "$left" = 0 ] && pass "no temporary music file is left" || fail "$left temporary files left"
else
  fail "xscreensaver did not run the screensaver"
  tail -20 xscreensaver.log
fi
run xscreensaver-command -exit >/dev/null 2>&1 || true

run "$dist/glimmerdeck" install-linux "$saver" --remove | tee remove.log
cmp -s "$home/.xscreensaver" original.xscreensaver && pass "--remove gives back the file as it was" ||
  { fail "--remove left ~/.xscreensaver changed"; diff original.xscreensaver "$home/.xscreensaver" || true; }
rest=$(cd "$home" && find . -mindepth 1 -not -path './tmp*' -not -path './program*' -not -name .xscreensaver \
  -not -name 'Red Show.scr' | sort | tr '\n' ' ')
[ "$rest" = "./.local ./.local/share ./.local/share/applications " ] &&
  pass "--remove leaves nothing of its own" || fail "left after --remove: $rest"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]

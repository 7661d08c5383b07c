#!/usr/bin/env bash
# The README's pictures of the configuration dialog: builds the Windows build, opens the
# dialog with the built-in settings in the stand-in player under Xvfb, takes the dialog and
# the Test button's message box from the screen (dialog_pictures.exe) and writes them as
# docs/images/settings-dialog.png and docs/images/test-message.png. Run it again whenever
# the dialog changes.
set -uo pipefail
source "$(dirname "$0")/common.sh"

step "setup" "$top/tools/setup.sh"
step "configure Windows build" configure_win
step "build Windows" build_win

# A prefix of its own in which Wine draws the windows' title bars and borders itself: Xvfb
# has no window manager to draw them, and the pictures should show the dialog whole.
export WINEPREFIX="$win_dir/pictures-prefix"
pictures_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$WINEPREFIX"
  quiet env LC_ALL=$wine_locale xvfb-run -a sh -c \
    'wineboot -i && wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f && wineserver -w'
}
step "prepare the pictures' Wine prefix" pictures_prefix

work="$win_dir/pictures"
rm -rf "$work"
mkdir -p "$work/Plugins" "$work/out"
# The shipped module, with no settings file: the dialog shows the built-in settings.
cp "$win_dir/src/plugin/gen_tunepost.dll" "$work/Plugins/"
trap stop_wine EXIT

winpath() { echo "Z:$1" | tr / '\\'; }

echo "== the dialog and the Test message box, taken from the screen"
env LC_ALL=$wine_locale xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  wine "$1" "$2" "$3" "$4"; status=$?; wineserver -w; exit $status' sh \
  "$win_dir/tests/windows/dialog_pictures.exe" "$(winpath "$win_dir/testbed/player/winamp_standin.exe")" \
  "$(winpath "$work")" "$(winpath "$work/out")"
status=$?
if [ $status -ne 0 ]; then
  echo "FAILED: dialog_pictures.exe ended with $status" >&2
  exit 1
fi

mkdir -p "$top/docs/images"
convert "$work/out/dialog.bmp" -strip "$top/docs/images/settings-dialog.png" &&
  convert "$work/out/test-message.bmp" -strip "$top/docs/images/test-message.png" || exit 1
identify "$top/docs/images/settings-dialog.png" "$top/docs/images/test-message.png"

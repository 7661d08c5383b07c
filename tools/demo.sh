#!/usr/bin/env bash
# make demo: set up, build the Windows build, then play the sample playlist in the
# stand-in player with the module in its plug-ins folder, printing what happens.
set -uo pipefail
source "$(dirname "$0")/common.sh"

step "setup" "$top/tools/setup.sh"
step "configure Windows build" configure_win
step "build Windows" build_win
step "prepare the Wine prefix" wine_prefix

demo="$win_dir/demo"
rm -rf "$demo"
mkdir -p "$demo/Plugins"
cp "$win_dir/src/plugin/gen_tunepost.dll" "$demo/Plugins/"
player="$win_dir/testbed/player/winamp_standin.exe"
trap stop_wine EXIT

echo "== the stand-in player plays the sample playlist with gen_tunepost.dll"
cd "$demo" || exit 1
env LC_ALL=$wine_locale xvfb-run -a sh -c '
  wine "$1" --playlist "$2" --commands "$3" --plugins Plugins --settings . --log player.log --echo
  status=$?; wineserver -w; exit $status' sh \
  "$player" "$top/testbed/player/sample.playlist" "$top/testbed/player/demo.commands"
status=$?
echo "== the player's log is $demo/player.log"
exit $status

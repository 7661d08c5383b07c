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
# The module's test copy reports every cycle's texts to the player, which logs them.
cp "$win_dir/testbed/cycle_report/gen_tunepost_observed.dll" "$demo/Plugins/gen_tunepost.dll"
player="$win_dir/testbed/player/winamp_standin.exe"
trap stop_wine EXIT

echo "== the stand-in player plays the sample playlist with gen_tunepost.dll"
cd "$demo" || exit 1
env LC_ALL=$wine_locale xvfb-run -a sh -c '
  wine "$1" --playlist "$2" --commands "$3" --plugins Plugins --settings . --log player.log
  status=$?; wineserver -w; exit $status' sh \
  "$player" "$top/testbed/player/sample.playlist" "$top/testbed/player/demo.commands"
status=$?
# What happened, without the queries of every cycle; the texts are code page 1251, the
# reports' line breaks are %0D%0A.
iconv -f CP1251 -t UTF-8 player.log | grep -v '^query ' |
  sed -e 's/^report status=/== cycle: Status=/' -e 's/%0D%0A/ | /g' -e 's/%25/%/g'
echo "== the player's whole log is $demo/player.log"
exit $status

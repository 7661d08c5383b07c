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

# Two copies of QIP (two accounts) and one R&Q, each started from a folder of its own with
# the user's own status set, as the user left them.
clients="qip-111 qip-222 rnq"
for client in $clients; do
  mkdir -p "$demo/$client"
  cp "$win_dir/testbed/${client%%-*}/${client%%-*}.exe" "$demo/$client/"
done
# The user's own status, typed into each client and confirmed, in the clients' code page.
printf 'pick 11\ntype short Дома\ntype long Вернусь к вечеру\nok\n' | iconv -f UTF-8 -t CP1251 >"$demo/own-qip.commands"
printf 'type short Дома\ntype long Вернусь к вечеру\nenter\n' | iconv -f UTF-8 -t CP1251 >"$demo/own-rnq.commands"

echo "== two QIPs and an R&Q run; the stand-in player plays the sample playlist with gen_tunepost.dll"
cd "$demo" || exit 1
env LC_ALL=$wine_locale xvfb-run -a sh -c '
  (cd qip-111 && wine qip.exe --account 111 --commands ../own-qip.commands --log qip.log --stay) >/dev/null 2>&1 &
  (cd qip-222 && wine qip.exe --account 222 --commands ../own-qip.commands --log qip.log --stay) >/dev/null 2>&1 &
  (cd rnq && wine rnq.exe --account 333 --commands ../own-rnq.commands --log rnq.log --stay) >/dev/null 2>&1 &
  sleep 4
  wine "$1" --playlist "$2" --commands "$3" --plugins Plugins --settings . --log player.log
  status=$?; sleep 1; wineserver -k; exit $status' sh \
  "$player" "$top/testbed/player/sample.playlist" "$top/testbed/player/demo.commands"
status=$?
# What happened, without the queries of every cycle; the texts are code page 1251, the
# reports' line breaks are %0D%0A.
iconv -f CP1251 -t UTF-8 player.log | grep -v '^query ' |
  sed -e 's/^report status=/== cycle: Status=/' -e 's/%0D%0A/ | /g' -e 's/%25/%/g'
for client in $clients; do
  echo "== what $client showed after each write (its log: $demo/$client/)"
  iconv -f CP1251 -t UTF-8 "$demo/$client/"*.log | grep -E '^(confirm|quit)' | sed -e 's/%0D%0A/ | /g' -e 's/%25/%/g'
done
echo "== the player's whole log is $demo/player.log"
exit $status

# Shared by the make targets: build folders, the Wine environment, and a step runner that
# says which step failed.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native_dir="$top/build/native"
win_dir="$top/build/win"
jobs=$(nproc 2>/dev/null || echo 2)

export WINEPREFIX="$win_dir/wineprefix"
export WINEDEBUG=-all
# Code page 1251, as the plug-in's users have it; LANG alone does not reach Wine. Set only
# for Wine's processes: the shell itself has no such locale.
wine_locale=ru_RU.UTF-8
# No Mono or Gecko installs, and no debugger window for a crashing test program: it ends.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

step() {
  local name=$1
  shift
  echo "== $name"
  if ! "$@"; then
    echo "FAILED step: $name (command: $*)" >&2
    exit 1
  fi
}

quiet() {
  # Runs a command, showing its output only when it fails.
  local log
  log=$(mktemp)
  if "$@" >"$log" 2>&1; then
    rm -f "$log"
    return 0
  fi
  tail -n 60 "$log" >&2
  rm -f "$log"
  return 1
}

configure_native() {
  quiet cmake -S "$top" -B "$native_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
}

configure_win() {
  quiet cmake -S "$top" -B "$win_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake"
}

build_native() { quiet ninja -C "$native_dir" -j "$jobs"; }
build_win() { quiet ninja -C "$win_dir" -j "$jobs"; }

wine_prefix() {
  # Creating a prefix takes a while; it is made once and reused.
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$WINEPREFIX"
  quiet env LC_ALL=$wine_locale xvfb-run -a sh -c 'wineboot -i && wineserver -w'
}

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}

#!/usr/bin/env bash
# make dist: builds the release in build/dist: the installer tunepost-open-<version>-setup.exe
# and the archive tunepost-open-<version>.zip with the module, the installer,
# tunepost-script.exe, the guides and a short read-me. The guides' examples are checked
# first: a guide whose examples the engine does not bear out is not shipped.
set -uo pipefail
source "$(dirname "$0")/common.sh"

version=$(sed -n 's/^project(TunepostOpen VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
release=tunepost-open-$version
dist_dir="$top/build/dist"
stage="$dist_dir/$release"
installer="$win_dir/installer/$release-setup.exe"

check_guides() {
  quiet ninja -C "$native_dir" core_tests &&
    quiet "$native_dir/tests/core_tests" --gtest_filter='GuideExamples.*'
}

build_release() {
  quiet ninja -C "$win_dir" -j "$jobs" gen_tunepost tunepost-script installer
}

stage_files() {
  rm -rf "$stage" && mkdir -p "$stage" || return 1
  cp "$win_dir/src/plugin/gen_tunepost.dll" "$installer" \
    "$win_dir/installer/gen_tunepost-guide-ru.txt" "$win_dir/installer/gen_tunepost-guide-en.txt" \
    "$stage/" || return 1
  # The tester ships without its symbols, as the module does.
  i686-w64-mingw32-strip -o "$stage/tunepost-script.exe" "$win_dir/cli/tunepost-script.exe" || return 1
  sed "s/@VERSION@/$version/g" "$top/installer/readme.txt" >"$stage/readme.in" &&
    cmake -DIN="$stage/readme.in" -DOUT="$stage/readme.txt" -P "$top/installer/windows_text.cmake" &&
    rm "$stage/readme.in"
}

make_zip() {
  rm -f "$dist_dir/$release.zip" "$dist_dir/$release-setup.exe"
  (cd "$dist_dir" && cmake -E tar cf "$release.zip" --format=zip "$release") &&
    cp "$installer" "$dist_dir/"
}

step "setup" "$top/tools/setup.sh"
step "configure native build" configure_native
step "check the guides' examples" check_guides
step "configure Windows build" configure_win
step "build the module, the tester and the installer" build_release
[ -f "$installer" ] || { echo "dist: no installer was built (is makensis installed?)" >&2; exit 1; }
step "gather the files" stage_files
step "make the archive" make_zip

echo "== release $version in $dist_dir"
(cd "$dist_dir" && ls -l "$release.zip" "$release-setup.exe" | awk '{print "   " $5 "  " $9}')
(cd "$stage" && ls -1 | sed 's/^/   in the archive: /')

#!/usr/bin/env bash
# Checks of the Debian package made from a build folder, one step per test:
#   check_package.sh build|contents|desktop|metainfo|lint|start|reproducible BUILD_DIR
# "build" writes the package into BUILD_DIR/package and unpacks it there for
# the others. VARLO_VERSION and VARLO_APP_ID name what to expect, and
# VARLO_MODULES the game's folder of modules relative to its own.
set -euo pipefail
# Packed as scripts/package packs: the modes of what cpack makes follow the
# umask.
umask 022
build=$(cd "$2" && pwd)
out=$build/package
root=$out/root
share=$root/usr/share
id=$VARLO_APP_ID

fail() { echo "FAIL: $*" >&2; exit 1; }

deb() {
  local debs=("$out"/varlo_*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single package in $out"
  echo "${debs[0]}"
}

check_contents() {
  local d f
  d=$(deb)
  [ "${d##*/}" = "varlo_${VARLO_VERSION}_$(dpkg --print-architecture).deb" ] || fail "file name ${d##*/}"
  dpkg-deb -f "$d" Depends | grep -q libqt6widgets6 || fail "Depends names no Qt 6 library"
  for f in 16 32 48 64 128 256; do
    file "$share/icons/hicolor/${f}x$f/apps/$id.png" | grep -q "PNG image data, $f x $f," || fail "no $f px icon"
  done
  [ -f "$share/man/man6/varlo.6.gz" ] || fail "no varlo(6)"
  # The statistics window lies where the game looks for it and loads with
  # the libraries the package depends on; the game itself needs no Qt Charts.
  local module=$root/usr/games/$VARLO_MODULES/varlo-statistics.so
  [ -f "$module" ] || fail "no statistics module in /usr/games/$VARLO_MODULES"
  python3 -c 'import ctypes, sys; ctypes.CDLL(sys.argv[1]).varlo_statistics_check' "$module" ||
    fail "the statistics module does not load"
  ! readelf -d "$root/usr/games/varlo" | grep -q Charts || fail "the game links Qt Charts"
  for f in $("$root/usr/games/varlo-sim" --help | grep -o -- '--[a-z-]*' | sort -u); do
    zcat "$share/man/man6/varlo-sim.6.gz" | grep -qF -- "${f//-/\\-}" || fail "$f not in varlo-sim(6)"
  done
}

check_metainfo() {
  appstreamcli validate --no-net --pedantic "$share/metainfo/$id.metainfo.xml"
  # The whole tree too: the desktop entry it launches must be there.
  appstreamcli validate-tree --no-net --pedantic "$root"
  local shown written
  shown=$(grep -o 'screenshots/[^<]*' "$share/metainfo/$id.metainfo.xml" | sed 's|.*/||' | sort)
  written=$(cd "$build/screenshots" && ls -- *.png | sort)
  [ "$shown" = "$written" ] || fail "screenshots listed: $shown; written: $written"
}

# Packed again from the same build a second later, with the programs and the
# generated files touched: the same bytes, since every time stamp in the
# package is SOURCE_DATE_EPOCH. (The icon compiled into the program is left
# alone: a newer one would be compiled in anew.)
check_reproducible() {
  local again=$build/package-again
  rm -rf "$again"
  sleep 1
  touch "$build"/bin/varlo "$build"/bin/varlo-sim "$build"/res/*.desktop "$build"/res/*.xml \
    "$build"/res/man/*.gz "$build"/changelog.gz
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$again" >/dev/null
  cmp "$(deb)" "$again"/varlo_*.deb || fail "a second packing gave other bytes"
  rm -rf "$again"
}

# Root may write anywhere: root runs the programs as nobody, anyone else
# with the unpacked tree made read-only.
work= game=
clean_up() {
  [ -z "$game" ] || kill "$game" 2>/dev/null || true
  [ -z "$work" ] || { chmod -R u+w "$work"; rm -rf "$work"; }
}
trap clean_up EXIT

check_start() {
  work=$(mktemp -d)
  chmod 755 "$work"
  dpkg-deb -x "$(deb)" "$work/root"
  local games=$work/root/usr/games home=$work/home as=()
  mkdir -p -m 700 "$home/run"
  if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$home"
    as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  else
    chmod -R a-w "$work/root"
  fi
  local run=("${as[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/data"
             XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen)
  ! "${run[@]}" test -w "$games" || fail "the programs' folder is writable"
  [ "$("${run[@]}" "$games/varlo-sim" --version)" = "varlo-sim $VARLO_VERSION" ] || fail "--version"

  # The game creates its records file at start-up, then waits for the player.
  local records=$home/data/varlo/Varlo.ini
  "${run[@]}" "$games/varlo" &
  game=$!
  for _ in $(seq 1200); do
    [ -s "$records" ] && break
    kill -0 "$game" 2>/dev/null || fail "varlo ended at start-up"
    sleep 0.1
  done
  [ -s "$records" ] || fail "varlo made no records file in \$XDG_DATA_HOME/varlo"
  kill "$game" || fail "varlo did not keep running"
  wait "$game" || true
  game=
  [ "$(od -An -tx1 -N5 "$records" | tr -d ' \n')" = 044a61636b ] || fail "the new records file is not Jack 0"

  "${run[@]}" "$games/varlo-sim" --matches 1 --game-records || fail "varlo-sim failed"
  [ "$(stat -c %s "$records")" -eq 40 ] || fail "the match did not enter the records file"
  [ "$(ls "$games" | tr '\n' ' ')" = "varlo varlo-sim " ] || fail "a file was written beside the programs"
}

case $1 in
  build)
    rm -rf "$out"
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out"
    dpkg-deb -x "$(deb)" "$root" ;;
  contents) check_contents ;;
  desktop) desktop-file-validate "$share/applications/$id.desktop" ;;
  metainfo) check_metainfo ;;
  lint) lintian --fail-on error --display-info "$(deb)" ;;
  start) check_start ;;
  reproducible) check_reproducible ;;
  *) fail "unknown step $1" ;;
esac

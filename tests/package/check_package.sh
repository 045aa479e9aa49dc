#!/usr/bin/env bash
# Checks of the Debian package made from a build folder, one step per test:
#
#   check_package.sh STEP BUILD_DIR
#
#   build     writes the package into BUILD_DIR/package and unpacks it there
#   contents  its fields, its files, the icon sizes, every varlo-sim option
#             in the manual page
#   desktop   desktop-file-validate on the desktop entry
#   metainfo  appstreamcli on the AppStream file, whose screenshots are the
#             ones the screenshot test writes
#   lint      lintian: errors fail, warnings are shown
#   start     the programs run by a user who may not write beside them
#
# VARLO_VERSION and VARLO_APP_ID name what to expect.
set -euo pipefail

step=$1
build=$(cd "$2" && pwd)
out=$build/package
root=$out/root
id=$VARLO_APP_ID

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

deb() {
  local debs=("$out"/varlo_*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single package in $out"
  echo "${debs[0]}"
}

check_contents() {
  local d share field
  d=$(deb)
  share=$root/usr/share
  [ "${d##*/}" = "varlo_${VARLO_VERSION}_$(dpkg --print-architecture).deb" ] || fail "file name ${d##*/}"
  for field in Package=varlo Section=games Version="$VARLO_VERSION"; do
    [ "$(dpkg-deb -f "$d" "${field%%=*}")" = "${field#*=}" ] || fail "not $field"
  done
  dpkg-deb -f "$d" Depends | grep -q 'libqt6widgets6' || fail "Depends names no Qt 6 library"
  [ "$(dpkg-deb -f "$d" Description | wc -l)" -gt 3 ] || fail "no long description"
  for f in games/varlo games/varlo-sim; do [ -x "$root/usr/$f" ] || fail "no $f"; done
  for f in applications/$id.desktop metainfo/$id.metainfo.xml icons/hicolor/scalable/apps/$id.svg \
           doc/varlo/copyright doc/varlo/changelog.gz; do
    [ -f "$share/$f" ] || fail "no $f"
  done
  for size in 16 32 48 64 128 256; do
    file "$share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," ||
      fail "no $size-pixel icon"
  done
  for page in varlo varlo-sim; do gzip -t "$share/man/man6/$page.6.gz" || fail "no manual page $page"; done
  local opt
  for opt in $("$root/usr/games/varlo-sim" --help | grep -o -- '--[a-z-]*' | sort -u); do
    zcat "$share/man/man6/varlo-sim.6.gz" | grep -qF -- "${opt//-/\\-}" || fail "$opt not in varlo-sim(6)"
  done
}

check_metainfo() {
  local file=$root/usr/share/metainfo/$id.metainfo.xml
  appstreamcli validate --no-net --pedantic "$file"
  # The whole tree too: the desktop entry it launches must be there.
  appstreamcli validate-tree --no-net --pedantic "$root"
  local shown written
  shown=$(grep -o 'screenshots/[^<]*\.png' "$file" | sed 's|.*/||' | sort)
  written=$(cd "$build/screenshots" && ls -- *.png | sort)
  [ "$shown" = "$written" ] || fail "screenshots listed: $shown; written: $written"
}

# Root may write anywhere, so root runs the programs as nobody; anyone else
# runs them with the unpacked tree made read-only.
work=
game=
clean_up() {
  [ -z "$game" ] || kill "$game" 2>/dev/null || true
  [ -z "$work" ] || { chmod -R u+w "$work"; rm -rf "$work"; }
}

check_start() {
  work=$(mktemp -d)
  trap clean_up EXIT
  chmod 755 "$work"
  dpkg-deb -x "$(deb)" "$work/root"
  local games=$work/root/usr/games home=$work/home
  mkdir -p "$home/run"
  chmod 700 "$home/run"
  local as=()
  if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$home"
    as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  else
    chmod -R a-w "$work/root"
  fi
  local run=("${as[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/data"
             XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen)
  ! "${run[@]}" test -w "$games" || fail "the programs' folder is writable"
  [ "$("${run[@]}" "$games/varlo-sim" --version)" = "varlo-sim $VARLO_VERSION" ] ||
    fail "varlo-sim --version"

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
  kill -0 "$game" 2>/dev/null || fail "varlo did not keep running"
  kill -TERM "$game"
  wait "$game" || true
  game=
  [ "$(od -An -tx1 -N5 "$records" | tr -d ' \n')" = 044a61636b ] || fail "the new records file is not Jack 0"

  "${run[@]}" "$games/varlo-sim" --matches 1 --game-records || fail "varlo-sim failed"
  [ "$(stat -c %s "$records")" -eq 40 ] || fail "the match did not enter the records file"
  [ "$(ls "$games" | tr '\n' ' ')" = "varlo varlo-sim " ] || fail "something was written beside the programs"
}

case $step in
  build)
    rm -rf "$out"
    mkdir -p "$out"
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out"
    dpkg-deb -x "$(deb)" "$root"
    ;;
  contents) check_contents ;;
  desktop) desktop-file-validate "$root/usr/share/applications/$id.desktop" ;;
  metainfo) check_metainfo ;;
  lint) lintian --fail-on error --display-info "$(deb)" ;;
  start) check_start ;;
  *) fail "unknown step $step" ;;
esac

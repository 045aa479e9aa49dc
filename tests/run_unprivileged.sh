#!/bin/sh
# Runs a test program as a user whom file modes bind: root runs it as nobody
# (uid 65534), from a copy in a folder of nobody's, as the build folder may
# lie where nobody may not look (/root); anyone else as himself.
#   run_unprivileged.sh PROGRAM [ARGUMENT...]
set -eu
[ "$(id -u)" -eq 0 ] || exec "$@"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/" && chown -R 65534:65534 "$work" && chmod 755 "$work"
program=$work/${1##*/}
shift
# Nor may nobody read leak suppressions there; the game library needs none.
env -u LSAN_OPTIONS TMPDIR="$work" HOME="$work" \
  setpriv --reuid=65534 --regid=65534 --clear-groups "$program" "$@"

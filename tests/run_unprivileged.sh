#!/bin/sh
# Runs a test program as a user whom file permissions bind, so that tests of
# read-only folders and unreadable files run instead of skipping:
#   run_unprivileged.sh PROGRAM [ARGUMENT...]
# Root runs it as nobody (uid 65534), from a copy in a folder of nobody's,
# since the build folder may lie where nobody may not look (/root); anyone
# else runs it as himself.
set -eu
[ "$(id -u)" -eq 0 ] || exec "$@"
program=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/"
chown -R 65534:65534 "$work"
chmod 755 "$work"
# Leak suppressions may lie where nobody may not read them either; the game
# library needs none.
env -u LSAN_OPTIONS TMPDIR="$work" HOME="$work" \
  setpriv --reuid=65534 --regid=65534 --clear-groups "$work/${program##*/}" "$@"

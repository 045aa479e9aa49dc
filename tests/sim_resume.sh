#!/bin/sh
# varlo-sim's saved matches: going through the file at every decision of the
# human changes nothing, for every kind of human and of opponents; a file it
# cannot continue ends the run with status 2 and one line saying why.
# Usage: sim_resume.sh VARLO_SIM OPPONENTS [HUMAN...] (every human by default)
set -eu
sim=$1
opponents=$2
shift 2
humans=${*:-first random chaos steady strong}
# The saves are synced to disk; on a memory file system that costs nothing,
# so the check runs there when it can.
tmp=$(mktemp -d /dev/shm/varlo-resume-XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export TMPDIR="$tmp"
fail() { echo "FAIL: $*"; exit 1; }

for human in $humans; do
  for way in plain resumed; do
    mkdir -p "$tmp/$way"
    extra=""
    [ $way = resumed ] && extra=--resume-every-move
    "$sim" --matches 1 --seed 9 --human $human --opponents $opponents \
      --records-dir "$tmp/$way" --transcript "$tmp/$way.jsonl" $extra >/dev/null
  done
  cmp -s "$tmp/plain.jsonl" "$tmp/resumed.jsonl" || fail "$human/$opponents: the transcripts differ"
  cmp -s "$tmp/plain/Varlo.ini" "$tmp/resumed/Varlo.ini" || fail "$human/$opponents: the records differ"
  rm -rf "$tmp/plain" "$tmp/resumed"
done

# What --resume-from cannot continue: status 2, one line, the damaged file
# kept aside, the newer one and the pipe left alone (and no hang).
check_refused() {  # file, expect set aside (yes/no)
  status=0
  "$sim" --resume-from "$1" >/dev/null 2>"$tmp/err" || status=$?
  [ $status -eq 2 ] || fail "$1: status $status"
  [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "$1: not one line on stderr"
  if [ "$2" = yes ]; then [ -f "$1.bad" ] && [ ! -e "$1" ] || fail "$1: not set aside"
  else [ ! -e "$1.bad" ] && [ -e "$1" ] || fail "$1: moved"; fi
}
printf '{"format": 1, "match": [' >"$tmp/torn.json"
check_refused "$tmp/torn.json" yes
printf '{"format": 9, "from": "a later Varlo"}' >"$tmp/newer.json"
check_refused "$tmp/newer.json" no
mkfifo "$tmp/pipe.json"
check_refused "$tmp/pipe.json" no
echo "ok"

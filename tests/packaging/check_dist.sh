#!/bin/sh
# tools/dist makes the same bytes twice: run a second apart, with the staged
# files made anew each time, the two runs' archives are identical.
#   check_dist.sh PROGRAM WORK_DIR   (PROGRAM stands in for both programs)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$1
work=$2
rm -rf "$work"
SOURCE_DATE_EPOCH=1780000000 "$root/tools/dist" "$program" "$program" "$work/first" >/dev/null
sleep 1.1
SOURCE_DATE_EPOCH=1780000000 "$root/tools/dist" "$program" "$program" "$work/second" >/dev/null
count=0
for archive in "$work"/first/vantrel-*-linux-x86_64.tar.gz "$work"/first/vantrel-*-windows-x86_64.zip; do
  [ -f "$archive" ] || { echo "missing $archive"; exit 1; }
  cmp "$archive" "$work/second/$(basename "$archive")"
  count=$((count + 1))
done
tar tzf "$work"/first/vantrel-*-linux-x86_64.tar.gz | sort >"$work/listing"
printf '%s\n' LICENSE README.md vantrel vantrel.1 vantrel.1.txt >"$work/wanted"
sed -e 's|^[^/]*/||' -e '/^$/d' "$work/listing" | cmp - "$work/wanted"
rm -rf "$work"
echo "dist: $count archives identical in two runs"

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
# Both archives hold the program, README.md, the LICENSE, the manual page and
# doc/ with every page of doc/ that README.md links to.
docs=$(cd "$root" && ls doc/*.md)
for link in $(grep -o '](doc/[^)#]*' "$root/README.md" | sed 's|^](||' | sort -u); do
  echo "$docs" | grep -qx "$link" || { echo "README.md links $link, which is not in doc/"; exit 1; }
done
{ printf '%s\n' LICENSE README.md doc/ vantrel vantrel.1 vantrel.1.txt; echo "$docs"; } | sort >"$work/wanted"
tar tzf "$work"/first/vantrel-*-linux-x86_64.tar.gz | sed -e 's|^[^/]*/||' -e '/^$/d' | sort |
  cmp - "$work/wanted"
zip -sf "$work"/first/vantrel-*-windows-x86_64.zip | sed -n 's|^  [^/]*/||p' | sed '/^$/d' | sort |
  cmp - "$work/wanted"
rm -rf "$work"
echo "dist: $count archives identical in two runs"

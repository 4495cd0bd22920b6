#!/bin/bash
# The program folder a user gets holds stripped binaries of at most 2 MB,
# each with a debug link to its kept debug information, and the companion,
# which lives inside Explorer, installs no process-wide crash filter there.
#   check_dist.sh DIST_FOLDER SYMBOLS_FOLDER OBJDUMP
dist="$1" symbols="$2" objdump="$3"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for binary in Tolvane.exe TolvaneBho.dll; do
  file="$dist/$binary"
  [ -f "$file" ] || { fail "$binary is missing from $dist"; continue; }
  size="$(stat -c %s "$file")"
  [ "$size" -le $((2 * 1024 * 1024)) ] || fail "$binary is $size bytes, over 2 MB"
  sections="$("$objdump" -h "$file")"
  debug="$(grep -oE '\.z?debug_[a-z_]+' <<<"$sections" | tr '\n' ' ')"
  [ -z "$debug" ] || fail "$binary carries debug sections: $debug"
  grep -q '\.gnu_debuglink' <<<"$sections" || fail "$binary has no debug link"
  "$objdump" -h "$symbols/$binary.debug" 2>/dev/null | grep -q '\.debug_info' ||
    fail "$symbols/$binary.debug holds no debug information"
  echo "$binary: $size bytes"
done
"$objdump" -p "$dist/TolvaneBho.dll" | grep -q SetUnhandledExceptionFilter &&
  fail "TolvaneBho.dll imports SetUnhandledExceptionFilter"
for file in Tolvane.chm sample/_TolvaneChores.xml sample/_TolvaneChoreLists.xml; do
  [ -s "$dist/$file" ] || fail "$file is missing from $dist"
done
[ "$failures" -eq 0 ]

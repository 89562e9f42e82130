#!/bin/sh
# Builds a delay-load import library from MinGW's ordinary one, so a system DLL is loaded only when the
# program first calls into it: commands that need no window must not pay for user32 and its kind.
#   make-delay-lib.sh NM DLLTOOL IMPORT_LIB DLL_NAME KILL_AT(0|1) OUTPUT
set -eu
nm=$1 dlltool=$2 import_lib=$3 dll=$4 kill_at=$5 output=$6
def="$output.def"
{
  echo "LIBRARY $dll"
  echo "EXPORTS"
  "$nm" "$import_lib" | awk '$2 == "T" { print $3 }' | sed -e 's/^_//' | sort -u
} >"$def"
if [ "$kill_at" = 1 ]; then
  "$dlltool" -k -d "$def" -y "$output"
else
  "$dlltool" -d "$def" -y "$output"
fi

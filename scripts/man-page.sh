#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a program's man page from its --help with help2man; for tripconf-cli
# every command's own --help becomes a section of the page.
# usage: scripts/man-page.sh PROGRAM NAME VERSION "one-line description" OUT.1
set -euo pipefail
prog=$1 name=$2 version=$3 what=$4 out=$5
inc=$(mktemp)
trap 'rm -f "$inc"' EXIT
if [ "$name" = tripconf-cli ]; then
  {
    echo "[COMMANDS]"
    for cmd in $("$prog" --help | sed -n 's/^  \([a-z][a-z-]*\)  .*/\1/p'); do
      echo ".SS $cmd"
      echo ".nf"
      "$prog" "$cmd" --help | sed -e 's/\\/\\e/g' -e 's/^\./\\\&./' -e "s/^'/\\\\\\&'/"
      echo ".fi"
    done
    echo "[EXIT STATUS]"
    echo "0 on success; 1 on any error (one line on standard error), and for"
    echo ".B diff"
    echo "when the files differ; 130 when a device transfer was cancelled."
    echo ".B carry"
    echo "exits with 3 when a setting the target shows could not come along."
  } >"$inc"
elif [ "$name" = tripconf ]; then
  {
    echo "[DESCRIPTION]"
    echo "The desktop program: read the settings of an RS485 trip computer, edit every"
    echo "setting in the settings editor (Ctrl+F finds a setting, Ctrl+Z and Ctrl+Shift+Z"
    echo "undo and redo a change), view its journals and oscilloscope trace, keep the"
    echo "settings in files and write them back into the device."
    echo "[FILES]"
    echo "The language, port and window placement are kept in the user's configuration"
    echo "folder (~/.config/tripconf)."
    echo "[SEE ALSO]"
    echo ".BR tripconf-cli (1),"
    echo ".BR tripsim (1)"
  } >"$inc"
else
  echo "[EXIT STATUS]" >"$inc"
  echo "0 when stopped by a signal; 2 on a bad command line or when the simulator cannot start." >>"$inc"
fi
LANG=C.UTF-8 help2man --no-info --no-discard-stderr --version-string="$version" \
  --name="$what" --include="$inc" --output="$out" "$prog"

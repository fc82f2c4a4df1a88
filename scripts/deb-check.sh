#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package that `cpack -G DEB` built into a fresh Debian 12
# (a debootstrap minbase chroot) with apt-get, as a user would, and checks the
# installed programs there: tripconf-cli makes and reads a sample, the man page
# shows the commands, completion answers, and tripconf starts on a virtual
# screen with a settings file. Takes minutes; needs root.
# Runs lintian on the package before that; DEB_CHECK_LINTIAN_ONLY=1 stops after it.
# usage: bash scripts/deb-check.sh [PACKAGE.deb]   (default: the newest build/tripconf_*.deb)
set -u
cd "$(dirname "$0")/.."
deb=${1:-$(ls -t build/tripconf_*_amd64.deb 2>/dev/null | head -1)}
[ -n "$deb" ] && [ -f "$deb" ] || { echo "no package: run 'cd build && cpack -G DEB' first"; exit 1; }
# Debian's own checker first: not one error or warning.
command -v lintian >/dev/null || { echo "lintian is not installed (scripts/deps.sh installs it)"; exit 1; }
lintian --fail-on error,warning --tag-display-limit 0 "$deb" || {
  echo "lintian finds errors or warnings in $(basename "$deb")"; exit 1; }
echo "lintian: no error and no warning in $(basename "$deb")"
[ "${DEB_CHECK_LINTIAN_ONLY:-0}" = 1 ] && exit 0
[ "$(id -u)" = 0 ] || { echo "needs root (debootstrap, chroot)"; exit 1; }

base=${DEB_CHECK_BASE:-/tmp/tripconf-deb-base}
if [ ! -f "$base/.ok" ]; then
  command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null 2>&1
  rm -rf "$base"
  debootstrap --variant=minbase bookworm "$base" http://deb.debian.org/debian >/tmp/tripconf-deb-base.log 2>&1 \
    && touch "$base/.ok" || { echo "debootstrap failed (log /tmp/tripconf-deb-base.log)"; exit 1; }
fi
root=$(mktemp -d /tmp/tripconf-debroot.XXXXXX)
cleanup() {
  for m in dev/pts dev proc; do mountpoint -q "$root/$m" && umount -l "$root/$m"; done
  if findmnt -rn -o TARGET | grep -q "^$root"; then echo "mounts remain under $root; not removing"; else rm -rf "$root"; fi
}
trap cleanup EXIT
cp -a "$base/." "$root/"
cp "$deb" "$root/tmp/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount --bind /dev "$root/dev"; mount --bind /dev/pts "$root/dev/pts"; mount -t proc proc "$root/proc"

log=/tmp/tripconf-deb-check.log
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  bash -s "$(basename "$deb")" >"$log" 2>&1 <<'CHECK'
set -eu
step() { echo "== $*"; }
export DEBIAN_FRONTEND=noninteractive
step "apt-get install ./$1"
apt-get update -qq
cd /tmp
apt-get install -y -qq "./$1" >/tmp/apt.log || { tail -20 /tmp/apt.log; exit 1; }
# What the check itself needs, not the package: a virtual screen and man.
apt-get install -y -qq xvfb xauth man-db bash-completion >/tmp/apt2.log || { tail -20 /tmp/apt2.log; exit 1; }

step "every library is found"
for p in tripconf tripconf-cli tripsim; do
  ! ldd "/usr/bin/$p" | grep "not found"
done

step "tripconf-cli sample v104-8k --out x.dvkps && tripconf-cli info x.dvkps"
tripconf-cli sample v104-8k --out x.dvkps && tripconf-cli info x.dvkps | tee info.txt
grep -q "^device version	0x0104" info.txt

step "man tripconf-cli shows the commands"
man -P cat tripconf-cli 2>/dev/null >man.txt
grep -q "^COMMANDS" man.txt && grep -q "preview" man.txt && grep -q "journals" man.txt
man -P cat tripsim 2>/dev/null | grep -q -- "--vanish-after"
man -P cat tripconf 2>/dev/null | grep -q "settings editor"
man -P cat tripconf-cli 2>/dev/null | grep -q -- "--as-set"

step "bash completion: commands, options, setting names"
words=$(bash -c 'source /usr/share/bash-completion/bash_completion
  source /usr/share/bash-completion/completions/tripconf-cli
  COMP_WORDS=(tripconf-cli ge); COMP_CWORD=1; _tripconf_cli; echo "${COMPREPLY[*]}"
  COMP_WORDS=(tripconf-cli info --l); COMP_CWORD=2; _tripconf_cli; echo "${COMPREPLY[*]}"
  COMP_WORDS=(tripconf-cli get x.dvkps seVel); COMP_CWORD=3; _tripconf_cli; echo "${COMPREPLY[*]}"
  COMP_WORDS=(tripconf-cli settings x.dvkps --as); COMP_CWORD=3; _tripconf_cli; echo "${COMPREPLY[*]}"')
echo "$words"
[ "$(echo "$words" | sed -n 1p)" = get ]
[ "$(echo "$words" | sed -n 2p)" = --lang ]
echo "$words" | sed -n 3p | grep -qw seVelocityCorr
[ "$(echo "$words" | sed -n 4p)" = --as-set ]

step "desktop entry, icon, MIME type and Qt's Russian texts are in place"
test -f /usr/share/applications/org.tripconf.tripconf.desktop
test -f /usr/share/icons/hicolor/scalable/apps/org.tripconf.tripconf.svg
test -f /usr/share/metainfo/org.tripconf.tripconf.metainfo.xml
test -f /usr/share/qt6/translations/qtbase_ru.qm
if [ -f /usr/share/mime/globs2 ]; then grep -q "application/x-tripconf-settings:\*.dvkps" /usr/share/mime/globs2; fi

step "tripconf x.dvkps starts on a virtual screen"
tripconf --version
set +e
timeout 6 xvfb-run -a -s "-screen 0 1024x768x24" tripconf /tmp/x.dvkps >tripconf.out 2>&1
rc=$?
set -e
cat tripconf.out
# Still running when the time was up: it started and waited for the user.
[ "$rc" = 124 ] || { echo "tripconf ended with $rc"; exit 1; }
test -d /root/.config/tripconf  # the installed program's ini folder
step "all checks passed"
CHECK
rc=$?
grep "^== " "$log"
[ $rc = 0 ] || { tail -n 15 "$log"; echo "the .deb check failed on a fresh Debian 12 (rc $rc; log $log)"; exit 1; }
echo "fresh Debian 12: $(basename "$deb") installs with apt-get and its programs run"

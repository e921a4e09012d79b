#!/usr/bin/env bash
# Installs the Debian package on a fresh Debian 12 system and uses it there: a minimal system is
# made with debootstrap in WORKDIR/root, the package is installed with apt (which brings its
# dependencies from the Debian mirror), the companion reads the installed demo recording, and
# the window smoke test drives the installed program as an ordinary user, whose settings must
# land in ~/.config/quintovar. The X server runs outside; the program reaches it through its
# socket.
# Usage: install_check.sh PATH/TO/quintovar_*.deb WORKDIR   (as root; needs the network mirror)
set -euo pipefail

deb=$(realpath "$1")
work=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
rootfs=$work/root
mirror=${QV_DEBIAN_MIRROR:-http://deb.debian.org/debian}
user=mechanic

fail() {
    echo "install check: FAIL: $*" >&2
    exit 1
}
[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap, chroot)"

mounted=()
cleanup() {
    local point
    for point in "${mounted[@]}"; do umount -l "$point" 2>/dev/null || true; done
}
trap cleanup EXIT

# A fresh system every time, so that apt must bring everything the package needs.
umount -l "$rootfs/proc" 2>/dev/null || true # left mounted by an interrupted run
rm -rf --one-file-system "$rootfs"
mkdir -p "$work"
debootstrap --variant=minbase bookworm "$rootfs" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log"; fail "debootstrap did not make a system"; }
mount -t proc proc "$rootfs/proc" && mounted+=("$rootfs/proc")
in_root() { chroot "$rootfs" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 "$@"; }

cp "$deb" "$rootfs/tmp/quintovar.deb"
in_root apt-get update >"$work/apt.log" 2>&1 || { tail -n 20 "$work/apt.log"; fail "apt-get update"; }
DEBIAN_FRONTEND=noninteractive in_root apt-get install -y --no-install-recommends \
    /tmp/quintovar.deb >>"$work/apt.log" 2>&1 ||
    { tail -n 30 "$work/apt.log"; fail "the package did not install"; }
echo "install check: installed $(in_root dpkg-query -W -f '${Package} ${Version}' quintovar)" \
    "with $(grep -c '^Setting up' "$work/apt.log") packages set up"
# A user who may read serial ports, as the README asks.
in_root useradd --create-home --shell /bin/bash --groups dialout "$user"

# The real-time helper as the package leaves it: for root and "dialout" only, with the one
# capability it needs.
helper=/usr/libexec/quintovar/quintovar-rt
mode=$(in_root stat -c '%U:%G %a' "$helper") || fail "no real-time helper at $helper"
[ "$mode" = "root:dialout 750" ] || fail "the real-time helper is $mode, not root:dialout 750"
in_root getcap "$helper" | grep -q 'cap_sys_nice=ep$' ||
    fail "the real-time helper lacks its capability: $(in_root getcap "$helper")"

# The companion on the installed sample, as the user.
sample=/usr/share/quintovar/samples/demo.kvr
in_root su "$user" -c "quintovar-cli panel $sample --frame 1" >"$work/panel.txt" 2>&1 ||
    { cat "$work/panel.txt"; fail "quintovar-cli could not read the installed sample"; }
grep -q "1 / 200" "$work/panel.txt" || { cat "$work/panel.txt"; fail "unexpected panel"; }

# The program as the user, on an X server outside the system (reached by its abstract socket).
home=$rootfs/home/$user
settings=$home/.config/quintovar/QuintovarByTrelm52.ini
cat >"$work/launch" <<EOF
#!/bin/sh
# A real login, as from a desktop: PAM's session (limits included) and the user's groups.
exec chroot "$rootfs" runuser -l $user -c "DISPLAY=\$DISPLAY LC_ALL=C.UTF-8 exec /usr/bin/quintovar \$*"
EOF
chmod +x "$work/launch"
QV_SMOKE_RECORDING=$sample QV_SMOKE_SETTINGS=$settings QV_SMOKE_LOGIN=1 QV_SMOKE_REAL_TIME=1 \
    "$here/window_smoke.sh" "$work/launch" "$work/smoke"
[ ! -e "$rootfs/usr/bin/QuintovarByTrelm52.ini" ] || fail "settings were written beside the program"
echo "install check: passed"

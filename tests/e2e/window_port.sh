#!/usr/bin/env bash
# The real program under Xvfb on a fake serial port (tests/fake_serial), as a user would use
# it: type the port's name into the port box (each prefix ends in an "Ошибка" box), turn DTR on
# in "Настройки", read for a few seconds, stop, save the recording, leave by "Файл" → "Выход".
# Checks the frames saved against the line the port played, that the receiver thread ran with
# SCHED_FIFO, that the port was opened only once the whole name was typed, the way of reading
# the port's driver allows, and that its terminal settings were put back on close. Runs as
# root on a port that reports changes (edge-timed), again there with the device going away
# while reading, and, when root, as an ordinary user with the program's real-time helper
# installed beside a copy of it on a port without change reports (polling). What that user runs
# and reads is copied into a folder of its own under /tmp, since WORKDIR lies in the build tree,
# which may be where the user cannot enter (root's home).
# Usage: window_port.sh QUINTOVAR QUINTOVAR-CLI FAKE-SERIAL.so MAKE_LINE_FILE WORKDIR
set -euo pipefail

program=$1 cli=$2 fake=$3 make_line=$4 work=$5
root=$(cd "$(dirname "$0")/../.." && pwd)
client_h=549
nobody=65534

# A program in a writable folder keeps its settings beside it; start without them.
beside_exe="$(dirname "$program")/QuintovarByTrelm52.ini"
rm -rf "$work" "$beside_exe"
mkdir -p "$work"
chmod 755 "$work"
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

fail() {
    echo "window port e2e: FAIL: $*" >&2
    [ -f "$run/program.log" ] && sed 's/^/  program: /' "$run/program.log" >&2
    [ -f "$run/fake.log" ] && sed 's/^/  fake port: /' "$run/fake.log" >&2
    exit 1
}

xvfb_pid="" program_pid="" run=$work user_work=""
# Where the sessions keep their files, and the line the fake port plays.
sessions=$work line=$work/line.txt
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    rm -f "$beside_exe"
    [ -n "$user_work" ] && rm -rf "$user_work"
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
. "$root/tests/smoke/x_session.sh"
start_xvfb

"$make_line" "$work/line.txt" 20
"$cli" receive "$work/line.txt" >"$work/expected.txt"

# The way of reading as the device saw it, from the fake's counts of use before its last
# close: edge-timed when most status reads followed a reported change.
mode_seen() {
    grep '^use ' "$run/fake.log" | tail -n1 |
        sed -n 's/^use TIOCMGET=\([0-9]*\) TIOCMIWAIT=[0-9]* changed=\([0-9]*\)$/\1 \2/p' |
        awk '{ print (2 * $2 > $1) ? "edge-timed" : "polling" }'
}

# Starts the program as the user of the command prefix "$@" with the fake port's settings
# FAKE (space-separated assignments), and chooses the fake port by typing its short name,
# "pts/N", as a user types "ttyUSB0": only the whole name opens; every prefix is refused
# without opening.
start_and_choose_port() {
    local who=$1 quintovar=$2 fake_settings=$3
    shift 3
    run=$sessions/$who
    # Each session starts as a first one, without the port a reading last started from.
    rm -f "$beside_exe"
    mkdir -p "$run/config" "$run/runtime"
    chmod 700 "$run/runtime"
    case $who in root*) ;; *) chown -R "$nobody:$nobody" "$run" ;; esac
    # Started in its own folder: the caller's may be out of the user's reach.
    # shellcheck disable=SC2086 # the fake's settings are separate words
    (cd "$run" && exec "$@" env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8 DISPLAY="$DISPLAY" HOME="$run" \
        XDG_CONFIG_HOME="$run/config" XDG_RUNTIME_DIR="$run/runtime" GCOV_PREFIX="$run/gcov" \
        LD_PRELOAD="$fake" QV_FAKE_SERIAL_LINK="$run/port" QV_FAKE_SERIAL_SCRIPT="$line" \
        QV_FAKE_SERIAL_LOG="$run/fake.log" $fake_settings \
        "$quintovar" >"$run/program.log" 2>&1) &
    program_pid=$!
    window=$(main_window)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH HEIGHT X Y
    menu_h=$((HEIGHT - client_h))

    local name
    name=$(readlink "$run/port")
    name=${name#/dev/}
    type_port "$name"
    echo "window port e2e ($who): \"Ошибка\" boxes while typing $name: $errors"
    [ "$errors" -eq $((${#name} - 1)) ] || fail "expected an \"Ошибка\" box for each prefix of $name"
    [ "$(grep -c '^open ' "$run/fake.log")" -eq 1 ] || fail "the port was not opened exactly once"
}

# "Файл" → "Сохранить" into $run/read.kvr; sets $total and $right, the frames saved and those
# of them the port played.
save_and_count() {
    save_recording "$run/read.kvr" "$run/read.kvr"
    frames_of "$run/read.kvr" >"$run/read.txt"
    total=$(grep -c . "$run/read.txt" || true)
    right=$(grep -cxFf "$work/expected.txt" "$run/read.txt" || true)
}

# One reading session with the fake settings FAKE, which must be read in MODE: DTR on in
# "Настройки", read for a few seconds, stop, save, leave; the frames saved, the real-time
# priority, no low-priority notice, and the terminal settings put back on close.
session() {
    local who=$1 quintovar=$2 fake_settings=$3 mode=$4
    shift 4
    start_and_choose_port "$who" "$quintovar" "$fake_settings" "$@"

    # "Настройки" (next to "Файл", opened on its first item) → "Напряжение лог.1 на DTR"
    # (after the four submenus).
    open_file_menu
    xdotool key Right Down Down Down Down Return
    sleep 0.3
    grep -q '^outputs DTR=1' "$run/fake.log" || fail "DTR did not go on"

    click_read_or_stop # "Читать"
    sleep 2
    local realtime=no
    real_time_thread && realtime=yes
    sleep 5
    click_read_or_stop # "Стоп"
    sleep 0.3
    echo "window port e2e ($who): receiver thread SCHED_FIFO: $realtime"
    [ "$realtime" = yes ] || fail "the receiver did not run with real-time priority"
    # The low-priority notice is a box captioned with the program's name.
    [ -z "$(window_named Quintovar)" ] || fail "the low-priority notice was shown at real-time priority"

    save_and_count
    echo "window port e2e ($who): frames read $total, right $right"
    # A machine loaded by others may spoil a bit now and then even at real-time priority.
    [ "$right" -ge 3 ] && [ "$right" -ge $((total - 2)) ] ||
        { sed 's/^/  read: /' "$run/read.txt"; fail "the frames read are not those the port played"; }

    leave
    local seen
    seen=$(mode_seen)
    echo "window port e2e ($who): read $seen"
    [ "$seen" = "$mode" ] || fail "read $seen, not $mode"
    local opened closed
    opened=$(grep '^open ' "$run/fake.log" | head -n1 | cut -d' ' -f4-)
    closed=$(grep '^close ' "$run/fake.log" | tail -n1 | cut -d' ' -f4-)
    [ -n "$closed" ] && [ "$closed" = "$opened" ] ||
        fail "terminal settings on close ($closed) are not those of the opening ($opened)"
    echo "window port e2e ($who): settings put back on close: $closed"
}

# The device goes away 5 s after it was opened, while reading edge-timed: reading ends with
# the "Ошибка" box, and the frames read before are kept.
vanish_session() {
    start_and_choose_port root-vanish "$program" "$reporting QV_FAKE_SERIAL_VANISH_S=5"
    click_read_or_stop # "Читать"
    local box=""
    for _ in $(seq 1 100); do
        box=$(error_box)
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no \"Ошибка\" box when the device went away"
    echo "window port e2e (root-vanish): \"Ошибка\" box when the device went away"
    xdotool windowfocus --sync "$box"
    xdotool key Return
    sleep 0.3
    save_and_count
    echo "window port e2e (root-vanish): frames kept $total, right $right"
    [ "$right" -ge 1 ] || fail "the frames read before the device went away were not kept"
    leave
    [ "$(mode_seen)" = edge-timed ] || fail "the device was not read edge-timed"
}

# Change reports 0.2 ms late, status reads of 1 ms; and the same without change reports.
reporting="QV_FAKE_SERIAL_READ_COST_US=1000 QV_FAKE_SERIAL_LATENCY_US=200"
polling="QV_FAKE_SERIAL_READ_COST_US=1000 QV_FAKE_SERIAL_NO_NOTIFY=1"

session root "$program" "$reporting" edge-timed
vanish_session

if [ "$(id -u)" -eq 0 ]; then
    # The program and its helper as the package installs them, the helper with the one
    # capability the package gives it; the fake port library and the line beside them, all in
    # a folder the ordinary user can enter.
    as_user="setpriv --reuid=$nobody --regid=$nobody --clear-groups"
    user_work=$(mktemp -d /tmp/qv_window_port.XXXXXX)
    chmod 755 "$user_work"
    mkdir -p "$user_work/bin"
    cp "$program" "$user_work/bin/quintovar"
    cp "$(dirname "$program")/quintovar-rt" "$user_work/bin/quintovar-rt"
    cp "$fake" "$user_work/bin/libqv_fake_serial.so"
    cp "$work/line.txt" "$user_work/line.txt"
    setcap cap_sys_nice=ep "$user_work/bin/quintovar-rt"
    sessions=$user_work fake=$user_work/bin/libqv_fake_serial.so line=$user_work/line.txt
    # The libraries they load may lie out of the user's reach too (a Qt of one's own in root's
    # home): nothing to test then.
    # shellcheck disable=SC2086 # the command prefix is separate words
    missing=$($as_user ldd "$user_work/bin/quintovar" "$fake" 2>&1 | grep 'not found' || true)
    if [ -n "$missing" ]; then
        echo "window port e2e: the ordinary-user session is skipped: an ordinary user cannot load" \
            "what the program needs here: $missing"
    else
        # shellcheck disable=SC2086
        session user "$user_work/bin/quintovar" "$polling" polling $as_user
    fi
else
    echo "window port e2e: not root; the ordinary-user session is skipped"
fi
echo "window port e2e: passed"

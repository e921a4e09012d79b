#!/usr/bin/env bash
# The Windows programs under wine, reading a fake serial device behind COM7 through their own
# Win32 port code (tests/fake_serial; tests/windows/wine-run --port), as tests/e2e does on
# Linux: `quintovar-cli.exe read` edge-timed (wine's WaitCommEvent) with status reads taking no
# time and 1 ms, falling back to polling with status reads of 3 ms, and with the device going
# away while reading; then the window on Xvfb: "COM7" typed into the port box,
# DTR turned on by the menu, "Читать", "Стоп", DTR off again, "Сохранить", "Выход"; and the
# window again with the device unplugged while it reads. Every frame is compared with what
# `quintovar-cli receive` decodes from the same line file. The device's log shows how it was
# read (wine's WaitCommEvent polls it), DTR and RTS as the program set them, and that the port
# got back on close the line state it had when opened. Ends with a table of the results and of
# what the device measured ($WORKDIR/results.md).
# Usage: wine_port_e2e.sh QUINTOVAR.exe QUINTOVAR-CLI.exe FAKE-SERIAL.so MAKE_LINE_FILE.exe WORKDIR
set -euo pipefail

program=$1 cli=$2 fake=$3 make_line=$4 work=$5
root=$(cd "$(dirname "$0")/../.." && pwd)
wine_run=$root/tests/windows/wine-run
export QV_WINEPREFIX=${QV_WINEPREFIX:-$HOME/.cache/quintovar/wineprefix}
client_h=549

# Everything the programs write (settings, readings) stays in the test's folder: they run from
# copies there, and HOME and XDG_* lead there too.
rm -rf "$work"
mkdir -p "$work/bin" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$cli" "$work/bin/"
program=$work/bin/${program##*/} cli=$work/bin/${cli##*/}
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export XDG_CACHE_HOME=$work/home/cache XDG_RUNTIME_DIR=$work/runtime LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
cd "$work"

# Shows the logs of the run that failed, without the list of objects that wine's server
# writes when it ends.
run=$work
fail() {
    echo "wine port e2e: FAIL: $*" >&2
    for log in program.log err.txt fake.log; do
        [ -f "$run/$log" ] && grep -av -e '^0x' -e '^    [0-9a-f]\{4\}: ' "$run/$log" |
            sed "s/^/  $log: /" >&2
    done
    exit 1
}

xvfb_pid="" program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    "$wine_run" --stop || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
# The X server comes first: wine's desktop process, which the first wine process starts, draws
# on the display it was given then. Wine answers input slowly: boxes may take 4 s.
ui_tenths=40 menu_pause=0.5 dialog_pause=3
. "$root/tests/smoke/x_session.sh"
start_xvfb

# Windows runs a time-critical thread above every ordinary one; wine leaves all its threads
# ordinary, and its change wait hands a change through three of them (its polling thread, its
# server, the receiver). Where allowed (root), the wine processes of this test run with
# SCHED_FIFO, as the Linux receiver does, so that other work on the machine does not delay
# them; the server is ended first so that the first run here starts it so. (The server writes
# into the error output of the run that started it; that run's goes to a file.)
realtime=()
chrt -f 10 true 2>/dev/null && realtime=(chrt -f 10)
"$wine_run" --stop

"${realtime[@]}" "$wine_run" "$make_line" "Z:$work/line.txt" 30 2>"$work/wine.log"
"${realtime[@]}" "$wine_run" "$cli" receive "Z:$work/line.txt" 2>>"$work/wine.log" |
    tr -d '\r' >"$work/expected.txt"
[ "$(grep -c . "$work/expected.txt")" -eq 30 ] || fail "receive did not decode the line's 30 frames"

# Sets $total (frames in FILE), $right (those equal to a frame of the line), $near (those
# with at most two of their fields, identifier samples, twelve bytes and end flag, unlike the
# line's frame most like them) and $fields (the per cent of all their fields like those). A bit
# misread spoils a field; a thread that did not run for a while (this shared virtual machine
# stalls now and then) a frame; a port read wrongly, every frame.
compare() {
    read -r total right near fields < <(awk 'NR == FNR { e[++n] = $0; next }
        { best = 0; split($0, f, " ")
          for (i = 1; i <= n; i++) {
              split(e[i], g, " "); same = 0
              for (k = 1; k <= 14; k++) same += (f[k] == g[k])
              if (same > best) best = same
          }
          t++; r += (best == 14); m += (best >= 12); s += best }
        END { printf "%d %d %d %d\n", t, r, m, t ? 100 * s / (14 * t) : 0 }' "$work/expected.txt" "$1")
}

# Fails unless at least MIN frames were read and a third of them, at least one, are nearly
# right: wine hands each change through three threads, and on a loaded machine one of them is
# now and then late by more than the few milliseconds a bit allows.
check_frames() {
    [ "$total" -ge "$1" ] && [ "$near" -ge 1 ] && [ $((3 * near)) -ge "$total" ] ||
        { sed 's/^/  read: /' "$run/frames.txt"; fail "$2: the frames are not those of the line"; }
}

# The device's counts before its last close: $reads and $cpu of its reader (the receiver),
# $lag the mean and longest time from a change of the line to the reader's first status read
# after it, $polls the change-count requests and $every their mean interval (wine's change
# wait polls with them), and $seen, the way of reading as the device saw it: edge-timed when
# wine's change wait polled it more often than the receiver read it.
device_counts() {
    local use
    [ -f "$run/fake.log" ] || fail "the program never asked the device anything"
    use=$(grep '^use reader ' "$run/fake.log" | tail -n1)
    [ -n "$use" ] || fail "the device has no counts of use"
    read -r reads cpu lag polls every < <(sed 's/^use reader TIOCMGET=\([0-9]*\) cpu=\([0-9.]*\)% lag=\([0-9.\/]*\)ms TIOCGICOUNT=\([0-9]*\) every=\([0-9.]*\)ms$/\1 \2 \3 \4 \5/' <<<"$use")
    seen=polling
    [ "$polls" -gt "$reads" ] && seen=edge-timed
    return 0
}

# The part of a line of the device's log that a port's line state (a DCB) sets: DTR, RTS, the
# speed, character size, stop bits and parity, and XON/XOFF flow control.
line_state() {
    local dtr rts iflag cflag speed
    read -r _ dtr rts iflag _ cflag _ speed <<<"$1"
    [[ $iflag == iflag=* && $cflag == cflag=* ]] || { echo "unreadable"; return; }
    echo "$dtr $rts $speed cflag=$((8#${cflag#cflag=} & 8#1560)) iflag=$((8#${iflag#iflag=} & 8#12000))"
}

# Fails unless the port got back on its last close the line state it had when last opened.
check_put_back() {
    local opened closed
    opened=$(line_state "$(grep '^open ' "$run/fake.log" | tail -n1)")
    closed=$(line_state "$(grep '^close ' "$run/fake.log" | tail -n1)")
    [ "$closed" = "$opened" ] || fail "on close the port had \"$closed\", not \"$opened\" as opened"
}

# DTR and RTS each time the program changed them, in order ("DTR=0 RTS=1, DTR=0 RTS=0, ...");
# wine sets DTR first, then RTS.
outputs() { grep '^outputs ' "$run/fake.log" | cut -d' ' -f2-3 | paste -sd, | sed 's/,/, /g'; }

results=$work/results.md
{
    echo "| Case | Way of reading (program / device) | Frames right (nearly) | Fields right | Receiver CPU | Change to status read, mean / longest | Wine's change poll every |"
    echo "|---|---|---|---|---|---|---|"
} >"$results"
# One row of the table: CASE MODE.
result() {
    printf '| %s | %s / %s | %s (%s) of %s | %s %% | %s %% | %s ms | %s ms |\n' "$1" "$2" "$seen" \
        "$right" "$near" "$total" "$fields" "$cpu" "${lag/\// / }" "$every" >>"$results"
    echo "wine port e2e: $1: read $2 (device: $seen), $right ($near nearly) of $total frames right"
}

# quintovar-cli.exe read COM7 OPTIONS with the device's settings "$@" (NAME=VALUE) in $run;
# sets $status and $seconds.
cli_read() {
    local name=$1 options=$2 start
    shift 2
    run=$work/$name
    mkdir -p "$run"
    start=$(date +%s%N)
    status=0
    # shellcheck disable=SC2086 # the options are separate words
    env LD_PRELOAD="$fake" QV_FAKE_SERIAL_PROGRAM=quintovar-cli.exe \
        QV_FAKE_SERIAL_LINK="$run/port" QV_FAKE_SERIAL_SCRIPT="$work/line.txt" \
        QV_FAKE_SERIAL_LOG="$run/fake.log" "$@" \
        "${realtime[@]}" "$wine_run" --port "$run/port" "$cli" read COM7 $options \
        >"$run/out.txt" 2>"$run/err.txt" || status=$?
    seconds=$((($(date +%s%N) - start) / 1000000000))
    tr -d '\r' <"$run/out.txt" >"$run/frames.txt"
    compare "$run/frames.txt"
    device_counts
}

# The ways of reading that `read` noted in the port box's words, in order ("edge-timed polling").
modes_noted() {
    tr -d '\r' <"$run/err.txt" | sed -n -e 's/^quintovar-cli read: Приём: по изменениям линии.*/edge-timed/p' \
        -e 's/^quintovar-cli read: Приём: постоянным опросом линии.*/polling/p' | xargs
}

# Reads 6 frames with DTR on in the ways that `read` notes, which must match MODES (a pattern;
# the last way as the device saw it): the frames must be the line's, DTR on as asked, and the
# port back as it was.
cli_case() {
    local name=$1 modes=$2 noted
    shift 2
    cli_read "$name" "--frames 6 --seconds 30 --dtr" "$@"
    [ "$status" -eq 0 ] || fail "$name: quintovar-cli read ended with status $status"
    noted=$(modes_noted)
    [[ $noted =~ ^($modes)$ ]] || fail "$name: read $noted, not $modes"
    [ "$seen" = "${noted##* }" ] || fail "$name: the device was read $seen"
    [ "$total" -eq 6 ] || fail "$name: $total frames read, not 6"
    check_frames 6 "$name"
    # Chosen with DTR and RTS off, DTR on as asked, both back on when put back.
    [ "$(outputs)" = "DTR=0 RTS=1, DTR=0 RTS=0, DTR=1 RTS=0, DTR=1 RTS=1" ] ||
        fail "$name: DTR and RTS went $(outputs)"
    check_put_back
    result "quintovar-cli read, $name" "$noted"
}

# Wine's change wait is a poll that ends when a status read shows a change, so each round waits
# for a read: with reads of 1 ms its reports come up to 3 ms after a change, now and then late
# enough for the receiver to fall back to polling the status itself; with reads of 3 ms always.
cli_case "status reads 0 ms" edge-timed
cli_case "status reads 1 ms" "edge-timed|edge-timed polling" QV_FAKE_SERIAL_READ_COST_US=1000
cli_case "status reads 3 ms" "edge-timed polling" QV_FAKE_SERIAL_READ_COST_US=3000

# The device goes away 5 s after it was opened: reading ends at once with status 3 and a
# message naming the port, after the frames read before.
cli_read gone "--frames 10 --seconds 20" QV_FAKE_SERIAL_VANISH_S=5
[ "$status" -eq 3 ] || fail "device gone: quintovar-cli read ended with status $status, not 3"
grep -aq 'Порт COM7 перестал отвечать' "$run/err.txt" || fail "device gone: no message naming COM7"
[ "$seconds" -lt 10 ] || fail "device gone: reading went on for $seconds s"
check_frames 1 "device gone"
result "quintovar-cli read, device gone after 5 s (status 3 in $seconds s)" "$(modes_noted)"

# --- The window -------------------------------------------------------------------------------
# The program is wine-run's child: wine-run waits for it, to take COM7 away afterwards.
export QV_SMOKE_LOGIN=1

# Starts the window on the device with its settings "$@" and chooses COM7 by typing it into
# the port box: every prefix ("C", "CO", "COM") gets the "Ошибка" box, and only the whole name
# opens the port (once; the port list opened it at start-up as well, to see it is there).
start_window() {
    run=$work/$1
    shift
    mkdir -p "$run"
    # Each session starts as a first one: the port a reading last started from (kept in the
    # settings beside the program) would otherwise be chosen and opened at start-up.
    rm -f "$work/bin/QuintovarByTrelm52.ini"
    env LD_PRELOAD="$fake" QV_FAKE_SERIAL_PROGRAM=quintovar.exe QV_FAKE_SERIAL_LINK="$run/port" \
        QV_FAKE_SERIAL_SCRIPT="$work/line.txt" QV_FAKE_SERIAL_LOG="$run/fake.log" "$@" \
        "${realtime[@]}" "$wine_run" --port "$run/port" "$program" >"$run/program.log" 2>&1 &
    program_pid=$!
    window=$(main_window)
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH HEIGHT X Y
    menu_h=$((HEIGHT - client_h))
    local opened
    opened=$(grep -c "^open " "$run/fake.log" 2>/dev/null || true)
    type_port COM7
    [ "$errors" -eq 3 ] || fail "expected an \"Ошибка\" box for each prefix of COM7, saw $errors"
    [ "$(grep -c "^open " "$run/fake.log")" -eq $((${opened:-0} + 1)) ] ||
        fail "COM7 was not opened exactly once when its name was typed"
}

# "Настройки" (next to "Файл") → "Напряжение лог.1 на DTR" (after the four submenus).
toggle_dtr() {
    open_file_menu
    xdotool key Right Down Down Down Down Return
    sleep 1
}

# "Файл" → "Сохранить" into $run/read.kvr, then compares its frames with the line's.
save_and_compare() {
    save_recording "$(tr / '\\' <<<"Z:$run/read.kvr")" "$run/read.kvr"
    frames_of "$run/read.kvr" >"$run/frames.txt"
    compare "$run/frames.txt"
}

# "Файл" → "Выход", then the device's counts.
leave_and_count() {
    leave
    device_counts
}

start_window window
toggle_dtr
[ "$(outputs)" = "DTR=0 RTS=1, DTR=0 RTS=0, DTR=1 RTS=0" ] || fail "the menu did not turn DTR on"
click_read_or_stop # "Читать"
sleep 7
click_read_or_stop # "Стоп"
sleep 1
toggle_dtr
[ "$(outputs)" = "DTR=0 RTS=1, DTR=0 RTS=0, DTR=1 RTS=0, DTR=0 RTS=0" ] ||
    fail "the menu did not turn DTR off"
save_and_compare
check_frames 3 "window"
leave_and_count
check_put_back
[ "$seen" = edge-timed ] || fail "the window read the device $seen"
result "window: DTR on and off by the menu, read 7 s" "(not shown)"

# Unplugged 5 s after "Читать": reading ends with the "Ошибка" box, and the frames read before
# are kept.
start_window unplugged QV_FAKE_SERIAL_UNPLUG="$work/unplugged/unplug"
click_read_or_stop # "Читать"
sleep 5
touch "$run/unplug"
box=$(ui_tenths=100 await_window "Ошибка")
[ -n "$box" ] || fail "no \"Ошибка\" box when the device went away"
xdotool windowfocus --sync "$box"
xdotool key Return
await_no_window "Ошибка" || fail "the \"Ошибка\" box did not close"
save_and_compare
check_frames 1 "window, device unplugged"
leave_and_count
result "window: device unplugged while reading (\"Ошибка\", frames kept)" "(not shown)"

echo
cat "$results"
echo "wine port e2e: passed"

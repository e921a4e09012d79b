#!/usr/bin/env bash
# The real program under Xvfb, killed with SIGKILL while it reads the simulated unit "SIM", at
# several moments after "Читать". Each next start must complete the reading that the kill left
# unfinished: no journal is left, the reading's recording loads and holds every frame committed
# at least 2 s before the kill, and the information field says that one reading was recovered.
# Usage: window_crash.sh QUINTOVAR QUINTOVAR-CLI CLIPBOARD-TEXT WORKDIR
set -euo pipefail

program=$1 cli=$2 clipboard=$3 work=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
client_h=549
kill_after=(3.5 7 11) # seconds after "Читать": the first with one or two frames committed

rm -rf "$work"
mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime"
# No system bus: the program takes no real sleep inhibitor here.
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no_system_bus"
# Frame times are local times of day; in UTC they compare directly with the clock's seconds.
export TZ=UTC LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
readings=$XDG_DATA_HOME/quintovar/readings
# A program in a writable folder would read its settings beside it: start without them.
rm -f "$(dirname "$program")/QuintovarByTrelm52.ini"

fail() {
    echo "window crash: FAIL: $*" >&2
    [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
    exit 1
}

xvfb_pid="" program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill -9 "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
. "$root/tests/smoke/x_session.sh"
start_xvfb

start_program() {
    "$program" >>"$work/program.log" 2>&1 &
    program_pid=$!
    window=$(main_window)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH HEIGHT X Y
    menu_h=$((HEIGHT - client_h))
}

# The information field's text (client area 0,464, 259 x 24), copied as a user would copy it.
info_field() {
    xdotool mousemove --window "$window" 120 $((menu_h + 476)) click 1
    xdotool key ctrl+a ctrl+c
    "$clipboard"
}

recordings() { find "$readings" -maxdepth 1 -name '*.kvr' -printf '%f\n' 2>/dev/null | sort || true; }

# The time stamps of a recording's frames (the last of each frame's 41 lines after the
# signature and the count, "H:mm:ss"), in seconds of the day.
stamps() {
    tr -d '\r' <"$1" | awk 'NR == 2 { n = $1 } NR > 2 && NR <= 2 + 41 * n && (NR - 2) % 41 == 0 {
        split($0, t, ":"); print t[1] * 3600 + t[2] * 60 + t[3] }'
}

# After a start: the reading killed at $killed_at (seconds since the epoch) was completed.
#
# Why the stamps prove that no frame committed 2 s or more before the kill is missing: the
# journal gets the frames in the order they are committed and only its tail can be cut by the
# kill, so the recording holds the first frames of the reading up to some frame L. Each frame's stamp is its commit time cut to the second, and "SIM" hands frames over
# at least about 1.22 s apart (1.37 s measured), committed 30 ms later each. Were a frame
# committed at or before kill - 2 s missing, L would have been committed at or before
# kill - 3.22 s, and its stamp could be no later. So a last stamp of at least kill - 3.2 s
# means nothing is missing. A correct program passes with room to spare: the last frame
# committed before the kill (within 1.4 s of it) is on disk within milliseconds, and its stamp
# is at most 1 s below its commit. No stamp may lie after the kill, and stamps never go back.
check_recovered() {
    local journals="" name
    for _ in $(seq 1 50); do
        journals=$(ls "$readings"/*.journal 2>/dev/null || true)
        [ -z "$journals" ] && break
        sleep 0.1
    done
    [ -z "$journals" ] || fail "a journal was left after the start: $journals"
    name=$(comm -13 <(echo "$known") <(recordings))
    [ "$(echo "$name" | grep -c .)" -eq 1 ] ||
        fail "expected one recovered recording after the kill, found: '$name'"
    "$cli" csv "$readings/$name" - >/dev/null || fail "the recovered $name does not load"
    local verdict
    verdict=$(stamps "$readings/$name" | awk -v kill="$killed_at" '
        # Seconds from the kill to each stamp, across midnight too.
        { d = $1 - kill % 86400; if (d > 43200) d -= 86400; if (d <= -43200) d += 86400
          if (NR > 1 && d < last) bad = "the stamps go back"
          if (d >= 1) bad = "a frame stamped after the kill"
          last = d; n = NR }
        END { if (!n) bad = "no frames"; else if (last < -3.2) bad = "the last frame is stamped " -last " s before the kill"
              printf "%s %d frame(s), the last stamped %.1f s from the kill\n", bad ? "FAIL " bad ":" : "ok", n, last }')
    echo "window crash: recovered $name: ${verdict#ok }"
    [ "${verdict%% *}" = ok ] || fail "$name: ${verdict#FAIL }"

    local expected="Восстановлено чтений: 1" shown=""
    for _ in $(seq 1 10); do
        shown=$(info_field)
        [ "$shown" = "$expected" ] && break
        sleep 0.3
    done
    [ "$shown" = "$expected" ] || fail "the information field shows '$shown', not '$expected'"
}

killed_at="" known=""
for after in "${kill_after[@]}" ""; do
    start_program
    [ -n "$killed_at" ] && check_recovered
    [ -z "$after" ] && break
    known=$(recordings)
    type_port SIM
    [ "$errors" -eq 2 ] || fail "expected an \"Ошибка\" box for \"S\" and for \"SI\""
    click_read_or_stop # "Читать"
    sleep "$after"
    killed_at=$(date +%s.%N)
    kill -9 "$program_pid"
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
    echo "window crash: killed $after s after \"Читать\""
done
echo "window crash: passed"

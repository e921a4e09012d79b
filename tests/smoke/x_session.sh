# Shared by the scripts that drive the real program on a virtual X server (sourced).
# Needs: $work (the script's folder), fail (reports and exits), program_pid once started.

# A private X server on the first free display number; sets DISPLAY and xvfb_pid.
# -noreset: without it the server resets whenever its last client leaves, and a program
# connecting during that reset cannot open the display.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 200); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
}

# The program's own process: $program_pid, or with QV_SMOKE_LOGIN set (the program started
# through a login, which waits for it) that process's child.
gui_pid() {
    if [ -n "${QV_SMOKE_LOGIN:-}" ]; then
        cat /proc/"$program_pid"/task/*/children 2>/dev/null | awk '{ print $1; exit }'
    else
        echo "$program_pid"
    fi
}

# Whether a thread of the program runs with SCHED_FIFO (field 41 of its stat is the policy).
real_time_thread() {
    local stat
    for stat in /proc/"$(gui_pid)"/task/*/stat; do
        [ "$(sed 's/.*) //' "$stat" 2>/dev/null | cut -d' ' -f39)" = 1 ] && return 0
    done
    return 1
}

# Waits for the program's main window (found by its caption); prints its id. Under wine the
# program takes a few seconds more to start.
main_window() {
    local window="" pid
    for _ in $(seq 1 300); do
        pid=$(gui_pid)
        [ -n "$pid" ] && window=$(xdotool search --onlyvisible --pid "$pid" --name "Toyota" 2>/dev/null | head -n1) || true
        [ -n "$window" ] && break
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended at start-up"
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window of the program appeared"
    echo "$window"
}

# The visible window of the program with this caption, if any (xdotool's --name cannot match
# Cyrillic reliably, so names are compared after the search).
window_named() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$(gui_pid)" --name '.' 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return; }
    done
    return 0
}
error_box() { window_named "Ошибка"; }

# How long the program may take to open or close a window after input, in tenths of a second
# (a script sets more for a program under wine).
ui_tenths=${ui_tenths:-5}

# Waits for a window with this caption; prints its id, or nothing when none came in time.
await_window() {
    local id
    for _ in $(seq 1 "$ui_tenths"); do
        id=$(window_named "$1")
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
}

# Waits until no window has this caption; fails when one is still there.
await_no_window() {
    for _ in $(seq 1 "$ui_tenths"); do
        [ -z "$(window_named "$1")" ] && return 0
        sleep 0.1
    done
    return 1
}

# Types TEXT into the port box (client area 0,0, 97 x 24, below a menu bar of $menu_h) letter
# by letter, as a user would; every change tries to open a port, and each "Ошибка" box is
# closed with Return. Sets $errors to the number of boxes.
type_port() {
    local letter box
    errors=0
    for letter in $(echo "$1" | grep -o .); do
        xdotool mousemove --window "$window" 40 $((menu_h + 12)) click 1
        xdotool key End
        xdotool type "$letter"
        box=$(await_window "Ошибка")
        if [ -n "$box" ]; then
            errors=$((errors + 1))
            xdotool windowfocus --sync "$box"
            xdotool key Return
            await_no_window "Ошибка" || fail "the \"Ошибка\" box did not close"
        fi
    done
}

# Waits up to 10 s for the program to end; sets $status to its exit status.
wait_for_exit() {
    status=""
    for _ in $(seq 1 100); do
        if ! kill -0 "$program_pid" 2>/dev/null; then
            wait "$program_pid" && status=0 || status=$?
            break
        fi
        sleep 0.1
    done
    [ -n "$status" ] || fail "the program did not end within 10 s of \"Выход\""
    program_pid=""
}

# The main window, below a menu bar of $menu_h: "Читать" (which becomes "Стоп") at 102,0 of the
# client area (59 x 24), and the "Файл" menu first in the bar. The program takes $menu_pause
# seconds to open a menu and $dialog_pause to show a file dialog (more under wine).
click_read_or_stop() { xdotool mousemove --window "$window" 130 $((menu_h + 12)) click 1; }
open_file_menu() {
    xdotool mousemove --window "$window" 16 $((menu_h / 2)) click 1
    sleep "${menu_pause:-0.3}"
}

# "Файл" → "Сохранить": types NAME (the path as the program sees it) into the save dialog and
# waits up to 10 s for FILE to be written.
save_recording() {
    open_file_menu
    xdotool key Down Down Return
    sleep "${dialog_pause:-1.5}"
    xdotool type "$1"
    xdotool key Return
    for _ in $(seq 1 100); do
        [ -s "$2" ] && break
        sleep 0.1
    done
    [ -s "$2" ] || fail "the recording was not saved"
}

# "Файл" → "Выход" (its last item); the program must end with status 0.
leave() {
    open_file_menu
    xdotool key Up Return
    wait_for_exit
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# The frames of a saved recording (41 lines a frame after the signature and the count), each as
# `quintovar-cli receive` prints it: identifier samples, the twelve bytes, the end flag.
frames_of() {
    tr -d '\r' <"$1" | awk 'NR == 2 { n = $1 } NR > 2 && NR <= 2 + 41 * n {
        i = (NR - 3) % 41 + 1; v[i] = $0
        if (i == 41) {
            line = ""; for (k = 12; k <= 23; k++) line = line v[k]
            for (k = 1; k <= 10; k++) line = line " " v[k]
            b = 0; for (k = 31; k >= 24; k--) b = b * 2 + v[k]; line = line " " b
            b = 0; for (k = 39; k >= 32; k--) b = b * 2 + v[k]; line = line " " b
            print line " " v[40]
        }
    }'
}

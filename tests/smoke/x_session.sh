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

# Waits for the program's main window (found by its caption); prints its id.
main_window() {
    local window="" pid
    for _ in $(seq 1 100); do
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
        sleep 0.5
        box=$(error_box)
        if [ -n "$box" ]; then
            errors=$((errors + 1))
            xdotool windowfocus --sync "$box"
            xdotool key Return
            sleep 0.3
            [ -z "$(error_box)" ] || fail "the \"Ошибка\" box did not close"
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

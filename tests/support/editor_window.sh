# Shell helpers for the tests that drive the real editor under Xvfb with
# xdotool. Sourced; a script that takes screenshots sets $shots (the folder)
# and $shot_prefix before it calls shot or fail.

# Screenshot $1 of the whole screen, when the script takes any.
shot() {
    [ -n "${shots:-}" ] && import -window root "$shots/${shot_prefix}_$1.png" 2>/dev/null
    return 0
}

# Ends the script as failed, with a screenshot of the moment.
fail() {
    echo "FAIL: $*" >&2
    shot failure
    exit 1
}

# The pids of the editors the script started; end_editors_and_remove_work
# (the script's EXIT trap) kills those still running and removes $work.
started=()
# Only a process that is still this script's child is killed: the pid of one
# that has ended may already belong to someone else's process.
kill_if_ours() {
    [ "$(ps -o ppid= -p "$1" 2>/dev/null | tr -d ' ')" = "$$" ] && kill -9 "$1" 2>/dev/null
}
end_editors_and_remove_work() {
    for pid in "${started[@]}"; do
        kill_if_ours "$pid"
    done
    rm -rf "$work"
}

# Polls (at most $2 seconds) until process $1 has ended; its status is in $exit_status.
wait_for_exit() {
    local pid=$1 deadline=$((SECONDS + $2))
    while ((SECONDS < deadline)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            exit_status=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The id of a visible window of process $1 named exactly $2, if there is one.
window_of() {
    local pid=$1 name=$2 id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$name" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# Polls (at most $3 seconds) for a window of process $1 named $2; prints its id.
wait_for_window() {
    local pid=$1 name=$2 deadline=$((SECONDS + $3))
    while ((SECONDS < deadline)); do
        window_of "$pid" "$name" && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Counts the visible windows of process $1.
visible_windows() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l; }

focus() { timeout 5 xdotool windowfocus --sync "$1" || fail "cannot focus window $1"; }

# File > Exit through the keyboard: Alt+F opens the menu on its first item,
# Up wraps to the last one, Exit. The program must end with status 0.
exit_through_file_menu() {
    local window=$1 pid=$2 before
    focus "$window"
    before=$(visible_windows "$pid")
    xdotool key alt+f
    local deadline=$((SECONDS + 5))
    while ((SECONDS < deadline)); do
        [ "$(visible_windows "$pid")" -gt "$before" ] && break
        sleep 0.1
    done
    [ "$(visible_windows "$pid")" -gt "$before" ] || fail "Alt+F opened no menu"
    xdotool key Up Return
    wait_for_exit "$pid" 10 || fail "File > Exit did not end the program"
    [ "$exit_status" = 0 ] || fail "the editor ended with status $exit_status"
}

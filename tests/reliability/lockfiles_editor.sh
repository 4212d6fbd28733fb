#!/usr/bin/env bash
# The real editor and its lock files under X: an empty, a garbage and a stale
# lock (left by an editor killed with SIGKILL) never keep it from starting,
# and of four copies started at the same moment in one folder exactly one
# shows its main window; the others say the program is running and end
# without writing SystemInfo.txt. Something in the way of the lock in the
# runtime folder, or no runtime folder at all, moves the lock to the data
# folder and a second copy is still refused.
# Usage: lockfiles_editor.sh EDITOR LOCKHELPER   (run under xvfb-run)
set -u

editor=$1
lockhelper=$2
title="Morva Schedule Generator"
running_notice="$title" # the second-instance notice carries the program's name

work=$(mktemp -d)
work=$(cd "$work" && pwd -P)
app="$work/app"
mkdir -p "$app" "$work/tmp" "$work/run" "$work/data"
chmod 700 "$work/run" # a runtime folder is its user's alone
cp "$editor" "$app/"
program="$app/$(basename "$editor")"
settings="$app/SystemInfo.txt"
main_title="$title - $app/morva.mvs"
# Places of its own: the locks of this run are nobody else's.
export TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data"
mapfile -t locks < <("$lockhelper" "$app")
[ ${#locks[@]} = 2 ] || { echo "FAIL: lock paths: ${locks[*]}" >&2; exit 1; }
lock=${locks[0]}      # in the runtime folder
data_lock=${locks[1]} # in the data folder

source "$(dirname "${BASH_SOURCE[0]}")/../support/editor_window.sh"
trap end_editors_and_remove_work EXIT
trap 'exit 2' INT TERM HUP

# Starts a copy in the program folder; its pid is in $last_pid.
start_editor() {
    (cd "$app" && exec "$program") &
    last_pid=$!
    started+=("$last_pid")
}

# The first line of the lock file ($1, else the runtime one): the pid of its holder.
lock_holder() { head -n 1 "${1:-$lock}" 2>/dev/null; }

# An editor starts over the given lock file, holds the lock, and leaves
# complete settings and no lock when it ends.
starts_over_lock() {
    local what=$1 window
    start_editor
    window=$(wait_for_window "$last_pid" "$main_title" 30) ||
        fail "$what: no main window"
    [ "$(lock_holder)" = "$last_pid" ] || fail "$what: the lock names '$(lock_holder)', not $last_pid"
    [ "$(lock_holder "$data_lock")" = "$last_pid" ] || fail "$what: the data folder's lock does not name $last_pid"
    exit_through_file_menu "$window" "$last_pid"
    [ ! -e "$lock" ] && [ ! -e "$data_lock" ] || fail "$what: a lock is still there after Exit"
    [ "$(grep -c $'\r$' "$settings")" = 7 ] || fail "$what: SystemInfo.txt is not complete"
    echo "ok: starts over $what"
}

# 1. Leftover lock files.
: >"$lock"
starts_over_lock "an empty lock file"
printf 'not a lock\n\001\002\377\n' >"$lock"
starts_over_lock "a garbage lock file"

start_editor
crashed=$last_pid
wait_for_window "$crashed" "$main_title" 30 >/dev/null || fail "crash: no main window"
kill_if_ours "$crashed"
wait "$crashed" 2>/dev/null
[ "$(lock_holder)" = "$crashed" ] || fail "the killed editor left no lock naming it"
starts_over_lock "the lock of an editor killed with SIGKILL"

# 2. Four copies started at the same moment, in a clean folder and over a
# garbage lock: they wait (at most 10 s) for a file to appear, then start.
start_four_at_once() {
    local go="$work/go"
    rm -f "$go"
    four=()
    for ((n = 0; n < 4; n++)); do
        (
            deadline=$((SECONDS + 10))
            while [ ! -e "$go" ] && ((SECONDS < deadline)); do sleep 0.01; done
            cd "$app" && exec "$program" 2>"$work/copy-$n.log"
        ) &
        four+=("$!")
        started+=("$!")
    done
    sleep 0.5 # all four are waiting
    : >"$go"
}

at_once() {
    local what=$1 pid main="" mains notices
    rm -f "$settings"
    start_four_at_once
    # Bounded: until every copy shows its window.
    local deadline=$((SECONDS + 40))
    while ((SECONDS < deadline)); do
        mains=0
        notices=0
        for pid in "${four[@]}"; do
            window_of "$pid" "$main_title" >/dev/null && { mains=$((mains + 1)); main=$pid; }
            window_of "$pid" "$running_notice" >/dev/null && notices=$((notices + 1))
        done
        [ $((mains + notices)) -ge 4 ] && break
        sleep 0.1
    done
    if [ "$mains" != 1 ] || [ "$notices" != 3 ]; then
        for ((n = 0; n < 4; n++)); do
            pid=${four[n]}
            if kill -0 "$pid" 2>/dev/null; then
                echo "copy $pid: running" >&2
            else
                wait "$pid"
                echo "copy $pid: ended with status $?" >&2
            fi
            for id in $(xdotool search --pid "$pid" 2>/dev/null); do
                echo "  window $id '$(xdotool getwindowname "$id" 2>/dev/null)'" >&2
            done
            sed 's/^/  /' "$work/copy-$n.log" >&2
        done
    fi
    [ "$mains" = 1 ] || fail "$what: $mains main windows"
    [ "$notices" = 3 ] || fail "$what: $notices notices that the program is running"
    for pid in "${four[@]}"; do
        [ "$pid" = "$main" ] && continue
        notice=$(window_of "$pid" "$running_notice") || fail "$what: notice of $pid gone"
        focus "$notice"
        xdotool key Return
        wait_for_exit "$pid" 10 || fail "$what: copy $pid did not end after its notice"
        [ "$exit_status" = 0 ] || fail "$what: copy $pid ended with status $exit_status"
    done
    [ ! -e "$settings" ] || fail "$what: a refused copy wrote SystemInfo.txt"
    [ "$(lock_holder)" = "$main" ] || fail "$what: the lock does not name the running copy"
    exit_through_file_menu "$(window_of "$main" "$main_title")" "$main"
    [ -e "$settings" ] || fail "$what: no SystemInfo.txt after Exit"
    [ ! -e "$lock" ] && [ ! -e "$data_lock" ] || fail "$what: a lock is still there after Exit"
    echo "ok: four at once, $what: one main window, three notices"
}

at_once "in a clean folder"
printf 'garbage\n' >"$lock"
at_once "over a garbage lock file"

# 3. Places that cannot hold the lock. Each case: what it is, the command
# that sets the first copy's environment up, the lock expected to name it, and
# the command that sets the second copy's environment up. The second copy is
# still refused, and what was in the way stays.
use_own_places() { export TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data"; }
refused_beside() {
    local what=$1 setup=$2 expected=$3 second_setup=${4:-:} first window second notice
    eval "$setup"
    start_editor
    first=$last_pid
    window=$(wait_for_window "$first" "$main_title" 30) || fail "$what: no main window"
    [ "$(lock_holder "$expected")" = "$first" ] ||
        fail "$what: $expected names '$(lock_holder "$expected")', not $first"
    use_own_places
    eval "$second_setup"
    start_editor
    second=$last_pid
    use_own_places
    notice=$(wait_for_window "$second" "$running_notice" 30) ||
        fail "$what: the second copy was not refused"
    focus "$notice"
    xdotool key Return
    wait_for_exit "$second" 10 || fail "$what: the second copy did not end after its notice"
    exit_through_file_menu "$window" "$first"
    [ ! -e "$expected" ] || fail "$what: the lock is still there after Exit"
    echo "ok: $what"
}

mkdir "$lock"
refused_beside "a folder at the runtime lock" : "$data_lock"
[ -d "$lock" ] || fail "the folder at the runtime lock is gone"
rmdir "$lock"
ln -s "$work/nowhere" "$lock"
refused_beside "a dangling link at the runtime lock" : "$data_lock"
[ -L "$lock" ] || fail "the dangling link at the runtime lock is gone"
rm "$lock"
: >"$work/tmpfile"
refused_beside "TMPDIR that is a file" 'export TMPDIR="$work/tmpfile"' "$lock"
refused_beside "no runtime folder" 'unset XDG_RUNTIME_DIR' "$data_lock"
refused_beside "a second copy without a runtime folder" : "$lock" 'unset XDG_RUNTIME_DIR'

# 4. No place can hold a lock: refusing would lock the user out of their work,
# so the editor starts and says on stderr that it runs unlocked.
(cd "$app" && exec env -u XDG_RUNTIME_DIR XDG_DATA_HOME="$work/tmpfile/share" \
    "$program" 2>"$work/unlocked.log") &
unlocked=$!
started+=("$unlocked")
window=$(wait_for_window "$unlocked" "$main_title" 30) || fail "no place for a lock: no main window"
grep -q "starting without it" "$work/unlocked.log" || fail "no place for a lock: nothing said on stderr"
exit_through_file_menu "$window" "$unlocked"
echo "ok: starts unlocked, and says so, when no place can hold a lock"

echo "lockfiles_editor: all stages passed"

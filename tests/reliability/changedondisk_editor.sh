#!/usr/bin/env bash
# Two real editors under X on one schedule file, each from a program folder of
# its own: after the second one saved it, the first one's Save asks before
# overwriting. No leaves the second one's file as it is, Yes writes over it,
# and then the second one is asked in turn.
# Usage: changedondisk_editor.sh EDITOR MVSTOOL   (run under xvfb-run;
# screenshots go to the current folder)
set -u

editor=$1
mvstool=$2
shots=$PWD
title="Morva Schedule Generator"
question="Message" # the title of every question the program asks

work=$(mktemp -d)
work=$(cd "$work" && pwd -P)
schedules="$work/schedules"
mkdir -p "$schedules" "$work/run" "$work/data"
chmod 700 "$work/run"
# Locks and settings of this run are nobody else's.
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" TMPDIR="$work"
shared="$schedules/shared.mvs"
main_title="$title - $shared"

source "$(dirname "${BASH_SOURCE[0]}")/../support/editor_window.sh"
trap end_editors_and_remove_work EXIT
trap 'exit 2' INT TERM HUP

rm -f "$shots"/changedondisk_*.png
shot_prefix=changedondisk

sum() { md5sum <"$shared"; }

# Polls (at most 10 seconds) until the schedule's bytes are no longer $1.
wait_for_change() {
    local deadline=$((SECONDS + 10))
    while ((SECONDS < deadline)); do
        [ "$(sum)" != "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

cat >"$work/shared.json" <<'JSON'
{"basic": [{"name": "SONG", "extension": "MP3"}], "advance": []}
JSON
"$mvstool" build "$work/shared.json" -o "$shared" || fail "mvstool build failed"

# Starts copy $1 in a program folder of its own that remembers the shared
# schedule; its pid is in $last_pid.
start_editor() {
    local app="$work/app$1"
    mkdir -p "$app"
    cp "$editor" "$app/"
    {
        printf '"%s/"\r\n' "$app" "$app" "$schedules"
        printf '"shared.mvs"\r\n"%s/"\r\n"/","%s/"\r\n' "$app" "$app"
    } >"$app/SystemInfo.txt"
    (cd "$app" && exec "./$(basename "$editor")") &
    last_pid=$!
    started+=("$last_pid")
}

start_editor 1
first=$last_pid
first_window=$(wait_for_window "$first" "$main_title" 30) || fail "the first copy shows no $main_title"
start_editor 2
second=$last_pid
second_window=$(wait_for_window "$second" "$main_title" 30) || fail "the second copy shows no $main_title"

# Ctrl+S in window $1 of process $2 asks whether to overwrite; the answer is
# the key $3 (n or y).
save_is_asked() {
    local window=$1 pid=$2 key=$3 asked
    focus "$window"
    xdotool key ctrl+s
    asked=$(wait_for_window "$pid" "$question" 10) || fail "Save in $pid asked nothing"
    shot "asked_$pid"
    focus "$asked"
    xdotool key "$key"
    local deadline=$((SECONDS + 10))
    while window_of "$pid" "$question" >/dev/null; do
        ((SECONDS < deadline)) || fail "the question of $pid did not close"
        sleep 0.1
    done
}

# 1. The second copy saves: nothing has changed the file since it opened it.
before=$(sum)
focus "$second_window"
xdotool key ctrl+s
wait_for_change "$before" || fail "the second copy did not save"
window_of "$second" "$question" >/dev/null && fail "the second copy asked before its first save"
theirs=$(sum)

# 2. The first copy's Save asks; No writes nothing.
save_is_asked "$first_window" "$first" n
sleep 0.5 # a write after No would land now
[ "$(sum)" = "$theirs" ] || fail "No to the question still wrote the file"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"

# 3. Asked again, Yes writes over the second copy's file.
save_is_asked "$first_window" "$first" y
wait_for_change "$theirs" || fail "Yes to the question did not write the file"
"$mvstool" dump "$shared" >/dev/null || fail "the overwritten schedule cannot be read"

# 4. Now the second copy's Save is the one that asks.
ours=$(sum)
save_is_asked "$second_window" "$second" n
sleep 0.5
[ "$(sum)" = "$ours" ] || fail "No in the second copy still wrote the file"

exit_through_file_menu "$first_window" "$first"
exit_through_file_menu "$second_window" "$second"
echo "changedondisk_editor: all stages passed"

#!/usr/bin/env bash
# The real editor under X: first start, the refused second copy, File > Exit
# through the keyboard, the remembered schedule at the next start, and a
# period picked with the real pointer whose details are then edited and saved,
# and a removal undone and redone with the keyboard alone; then a file given
# on the command line, and one handed to the running editor by a second start.
# Usage: e2e_editor.sh EDITOR MVSTOOL SCREENROWS   (run under xvfb-run;
# screenshots go to the current folder, which ctest sets to this test's build
# folder)
set -u

editor=$1
mvstool=$2
screenrows=$3
shots=$PWD
title="Morva Schedule Generator"

work=$(mktemp -d)
work=$(cd "$work" && pwd -P)
app="$work/app"
schedules="$work/schedules"
mkdir -p "$app" "$schedules"
cp "$editor" "$app/"
program="$app/$(basename "$editor")"

cleanup() {
    # Only the editors still running as this script's jobs: an ended one's
    # pid may already belong to another process.
    for pid in $(jobs -p); do
        kill -9 "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 2' INT TERM HUP

rm -f "$shots"/e2e_*.png
shot_prefix=e2e

# Starts the copy in the program folder, with the arguments given; its pid is
# in $last_pid.
start_editor() {
    (cd "$app" && exec "$program" "$@") &
    last_pid=$!
}

source "$(dirname "${BASH_SOURCE[0]}")/../support/editor_window.sh"

# The settings file: exactly seven lines, each ending in CR LF.
check_system_info() {
    local file="$app/SystemInfo.txt"
    [ -f "$file" ] || fail "no SystemInfo.txt after Exit"
    [ "$(wc -l <"$file")" = 7 ] || fail "SystemInfo.txt has $(wc -l <"$file") lines"
    [ "$(grep -c $'\r$' "$file")" = 7 ] || fail "a line of SystemInfo.txt does not end in CR LF"
    [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "SystemInfo.txt does not end in CR LF"
}

line_of() { sed -n "$1p" "$app/SystemInfo.txt" | tr -d '\r'; }

# Ctrl+S, then waits (at most 5 s) until the file $1 has changed: every save
# writes a new key, so even the same schedule changes the bytes.
save_with_ctrl_s() {
    local before i
    before=$(md5sum <"$1")
    xdotool key ctrl+s
    for ((i = 0; i < 50; i++)); do
        [ "$(md5sum <"$1")" != "$before" ] && return 0
        sleep 0.1
    done
    return 1
}

# 1. First start in an empty folder: a new schedule named morva.mvs there.
start_editor
first=$last_pid
main_window=$(wait_for_window "$first" "$title - $app/morva.mvs" 20) ||
    fail "no main window named '$title - $app/morva.mvs'"
shot 1_first_start
created=$(find "$app" -mindepth 1 ! -name "$(basename "$program")")
[ -z "$created" ] || fail "start-up created files: $created"

# 2. A second copy from the same folder says so and ends without writing.
start_editor
second=$last_pid
notice=$(wait_for_window "$second" "$title" 20) || fail "the second copy showed no message"
shot 2_running_message
focus "$notice"
xdotool key Return
wait_for_exit "$second" 10 || fail "the second copy did not end after its message"
[ "$exit_status" = 0 ] || fail "the second copy ended with status $exit_status"
kill -0 "$first" 2>/dev/null || fail "the first copy ended too"
[ ! -e "$app/SystemInfo.txt" ] || fail "the second copy wrote SystemInfo.txt"

# 3. File > Exit ends the program and leaves complete settings.
exit_through_file_menu "$main_window" "$first"
check_system_info
[ "$(line_of 1)" = "\"$app/\"" ] || fail "line 1: $(line_of 1)"
[ "$(line_of 3)" = "\"$app/\"" ] || fail "line 3: $(line_of 3)"
[ "$(line_of 4)" = '"morva.mvs"' ] || fail "line 4: $(line_of 4)"
[[ "$(line_of 6)" == *",\"$app/\"" ]] || fail "line 6: $(line_of 6)"
[ "$(line_of 7)" = '"1"' ] || fail "line 7: $(line_of 7)"

# 4. A schedule made elsewhere, remembered in the settings, is reopened.
cat >"$work/spring.json" <<'JSON'
{
  "basic": [{"name": "SONG", "extension": "MP3", "playTimes": 5, "volume": 17}],
  "advance": [
    {"startDate": "2006-12-28", "startTime": "00:00:00",
     "stopDate": "2007-01-05", "stopTime": "23:59:59", "weekDay": 7,
     "details": [{"name": "CLIP", "extension": "MPG", "playTimes": 1, "volume": 0}]}
  ]
}
JSON
"$mvstool" build "$work/spring.json" -o "$schedules/spring.mvs" || fail "mvstool build failed"
sed -i "3s|.*|\"$schedules/\"\r|; 4s|.*|\"spring.mvs\"\r|" "$app/SystemInfo.txt"
check_system_info
schedule_sum=$(md5sum <"$schedules/spring.mvs")

start_editor
third=$last_pid
main_window=$(wait_for_window "$third" "$title - $schedules/spring.mvs" 20) ||
    fail "the remembered schedule was not reopened"
shot 3_remembered_schedule
exit_through_file_menu "$main_window" "$third"
check_system_info
# Reopening it moved the Open dialog's folder there too.
[ "$(line_of 1)" = "\"$schedules/\"" ] || fail "line 1 after reopening: $(line_of 1)"
[ "$(line_of 4)" = '"spring.mvs"' ] || fail "line 4 after reopening: $(line_of 4)"
# Leaving without a change does not touch the schedule.
[ "$(md5sum <"$schedules/spring.mvs")" = "$schedule_sum" ] || fail "the schedule file changed"

# 5. A period clicked with the real pointer shows its own details, and a
# detail removed there is removed from that period in the saved file.
cat >"$work/periods.json" <<'JSON'
{
  "basic": [{"name": "SONG", "extension": "MP3"}],
  "advance": [
    {"startDate": "2026-01-01", "startTime": "00:00:00",
     "stopDate": "2026-01-31", "stopTime": "23:59:59", "weekDay": 7,
     "details": [{"name": "JANA", "extension": "MP3"}, {"name": "JANB", "extension": "MP3"}]},
    {"startDate": "2026-02-01", "startTime": "00:00:00",
     "stopDate": "2026-02-28", "stopTime": "23:59:59", "weekDay": 7,
     "details": [{"name": "FEBA", "extension": "MP3"}]},
    {"startDate": "2026-03-01", "startTime": "00:00:00",
     "stopDate": "2026-03-31", "stopTime": "23:59:59", "weekDay": 7,
     "details": [{"name": "MARA", "extension": "MP3"}, {"name": "MARB", "extension": "MP3"},
                 {"name": "MARC", "extension": "MP3"}]}
  ]
}
JSON
"$mvstool" build "$work/periods.json" -o "$schedules/periods.mvs" || fail "mvstool build failed"
sed -i "4s|.*|\"periods.mvs\"\r|" "$app/SystemInfo.txt"

start_editor
fourth=$last_pid
main_window=$(wait_for_window "$fourth" "$title - $schedules/periods.mvs" 20) ||
    fail "the schedule with three periods was not opened"
xdotool mousemove 1 1 # off the lists

# The selected rows on the screenshot $1, left to right, then top to bottom:
# the basic list's, the advance list's and the detail list's. Sets advance_x,
# advance_y, detail_x, detail_y, row_w and row_h; fails unless there are three.
read_selection() {
    local bands
    mapfile -t bands < <("$screenrows" selected "$1")
    [ ${#bands[@]} = 3 ] || return 1
    read -r advance_x advance_y row_w row_h <<<"${bands[1]}"
    read -r detail_x detail_y _ _ <<<"${bands[2]}"
}
# True when the advance row selected is row $1 and the detail list shows $2
# rows with text, from its first one down, on the screenshot $3.
shows() {
    [ "$advance_y" = $((first_period_y + $1 * row_h)) ] &&
        [ "$("$screenrows" written "$3" "$detail_x" "$first_detail_y" "$row_w" "$row_h" 8)" = "$2" ]
}
# Takes screenshots (for at most 10 s) until the window shows advance row $2
# selected with $3 detail rows; the last one is e2e_$1.png.
wait_until_shown() {
    local file="$shots/e2e_$1.png"
    for ((i = 0; i < 50; i++)); do
        shot "$1"
        read_selection "$file" && shows "$2" "$3" "$file" && return 0
        sleep 0.2
    done
    return 1
}

# At the start the first period is selected: where its row is tells where the others are.
advance_y=
for ((i = 0; i < 50; i++)); do
    shot 4_periods
    read_selection "$shots/e2e_4_periods.png" && break
    sleep 0.2
done
[ -n "$advance_y" ] || fail "the three lists show no selected rows"
first_period_y=$advance_y
first_detail_y=$detail_y
wait_until_shown 4_periods 0 2 || fail "the first period and its two details are not shown"

# Click the third period (three details) with the pointer.
xdotool mousemove $((advance_x + row_w / 2)) $((first_period_y + 2 * row_h + row_h / 2)) click 1
wait_until_shown 5_third_period 2 3 ||
    fail "the clicked period is not shown selected with its three details"

# Click its second detail, remove it with Delete and save with Ctrl+S.
xdotool mousemove $((detail_x + row_w / 2)) $((first_detail_y + row_h + row_h / 2)) click 1
xdotool key Delete
wait_until_shown 6_detail_removed 2 2 || fail "the detail list does not show the two details left"
save_with_ctrl_s "$schedules/periods.mvs" || fail "Ctrl+S did not save the schedule"
"$mvstool" dump "$schedules/periods.mvs" >"$work/saved.json" || fail "the saved schedule cannot be read"
# The same schedule without MARB: the dump lists each entry on a line of its own.
details=$(grep -o '"name": "[A-Z]*"' "$work/saved.json" | tr -d '"' | cut -d' ' -f2 | paste -sd' ')
[ "$details" = "SONG JANA JANB FEBA MARA MARC" ] || fail "saved entries: $details"
exit_through_file_menu "$main_window" "$fourth"

# 6. The keyboard alone. Delete on the focused basic row marks the caption,
# Ctrl+Z brings the row and the unmarked caption back, Ctrl+S saves, Ctrl+Q
# quits: the schedule holds what it held. With Ctrl+Shift+Z before saving the
# row stays removed.
entries() {
    "$mvstool" dump "$1" | grep -o '"name": "[A-Z]*"' | tr -d '"' | cut -d' ' -f2 | paste -sd' '
}
caption="$title - $schedules/periods.mvs"
for redo in no yes; do
    start_editor
    pid=$last_pid
    window=$(wait_for_window "$pid" "$caption" 20) || fail "the schedule was not reopened"
    focus "$window"
    xdotool key Delete
    wait_for_window "$pid" "$caption*" 10 >/dev/null || fail "Delete did not mark the caption"
    xdotool key ctrl+z
    wait_for_window "$pid" "$caption" 10 >/dev/null || fail "Ctrl+Z left the caption marked"
    if [ $redo = yes ]; then
        xdotool key ctrl+shift+z
        wait_for_window "$pid" "$caption*" 10 >/dev/null || fail "Ctrl+Shift+Z did not mark the caption"
    fi
    shot "7_keyboard_redo_$redo"
    save_with_ctrl_s "$schedules/periods.mvs" || fail "Ctrl+S did not save the schedule"
    wait_for_window "$pid" "$caption" 10 >/dev/null || fail "the caption is marked after Ctrl+S"
    xdotool key ctrl+q
    wait_for_exit "$pid" 10 || fail "Ctrl+Q did not end the program"
    [ "$exit_status" = 0 ] || fail "the editor ended with status $exit_status"
    expected="SONG JANA JANB FEBA MARA MARC"
    [ $redo = yes ] && expected="JANA JANB FEBA MARA MARC"
    [ "$(entries "$schedules/periods.mvs")" = "$expected" ] ||
        fail "after redo=$redo the schedule holds: $(entries "$schedules/periods.mvs")"
done

# 7. A file named on the command line is opened instead of the remembered
# one; a second start with another file (a relative name, from another
# folder) hands it to the running editor and ends without a window of its own.
start_editor "$schedules/spring.mvs"
pid=$last_pid
window=$(wait_for_window "$pid" "$title - $schedules/spring.mvs" 20) ||
    fail "the file given on the command line was not opened"
shot 8_command_line_file
(cd "$schedules" && exec "$program" periods.mvs) &
second=$!
wait_for_exit "$second" 10 || fail "the second start with a file did not end"
[ "$exit_status" = 0 ] || fail "the second start with a file ended with status $exit_status"
wait_for_window "$pid" "$title - $schedules/periods.mvs" 10 >/dev/null ||
    fail "the running editor did not open the file handed over"
shot 9_handed_over_file
focus "$window"
xdotool key ctrl+q
wait_for_exit "$pid" 10 || fail "Ctrl+Q did not end the program"
[ "$(line_of 4)" = '"periods.mvs"' ] || fail "line 4 after the handed file: $(line_of 4)"

echo "e2e_editor: all stages passed"

#!/usr/bin/env bash
# Times the batch window of the program as it ships, sourced by the batch benchmark: the program is started from
# its executable on a virtual display with settings of its own, its list filled by "Add All Text File(s) In Folder"
# (the input box and the folder dialog answered by xdotool), and the time taken from the click on "Start
# Converting" to the "Done." box. Needs Xvfb and xdotool.
# shellcheck disable=SC2034 # the results are read by the scripts that source this

# Pixels inside the window of the batch window's buttons (their places in twips, 15 to a pixel).
add_folder_x=400 add_folder_y=321
start_x=268 start_y=515

# Starts a virtual display for this benchmark; sets window_display and window_xvfb (the server's process id).
start_display() {
    local number
    for number in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
        window_xvfb=$!
        window_display=":$number"
        for _ in $(seq 100); do
            DISPLAY=$window_display xdotool getmouselocation > /dev/null 2>&1 && return 0
            sleep 0.05
        done
        kill "$window_xvfb"
    done
    echo "no virtual display" >&2
    return 1
}

stop_display() { kill "$window_xvfb" 2> /dev/null || true; }

# Waits until the process has used no processor time for half a second: its list is filled and painted.
wait_idle() { # pid
    local before after
    after=$(awk '{ print $14 + $15 }' "/proc/$1/stat")
    while true; do
        sleep 0.5
        before=$after
        after=$(awk '{ print $14 + $15 }' "/proc/$1/stat")
        [ "$before" = "$after" ] && return 0
    done
}

# The visible windows with the program's title, the batch window's own first when it is shown.
titled() { DISPLAY=$window_display xdotool search --onlyvisible --name '^Quillora$' 2> /dev/null || true; }
# The message boxes shown over the batch window (they bear the same title).
boxes() { titled | grep -vx "$window" || true; }

# Runs the batch window over every .txt file in folder with the results to results; sets window_s (seconds from
# the click to the "Done." box), window_grown_kb (how much the process's peak memory grew during the run) and
# window_results (how many results were written).
window_run() { # build folder results
    local build=$1 in=$2 out=$3 home settings pid dialog start end before after
    home=$(mktemp -d)
    settings=$home/Corvanta/Quillora
    mkdir -p "$settings" "$out"
    printf 3 > "$settings/FormStart"
    printf '%s' "$out" > "$settings/Text5"
    printf 1 > "$settings/Option1"
    printf 0 > "$settings/Option2"
    printf txt > "$settings/Extension"
    printf '%s' "$in" > "$settings/LastFolder"
    DISPLAY=$window_display XDG_CONFIG_HOME=$home QT_QPA_PLATFORM=xcb "$build/bin/quillora" > /dev/null 2>&1 &
    pid=$!
    until [ -n "$(titled)" ]; do sleep 0.05; done
    window=$(titled | head -1)
    wait_idle "$pid"
    DISPLAY=$window_display xdotool mousemove --window "$window" $add_folder_x $add_folder_y click 1
    until [ -n "$(boxes)" ]; do sleep 0.05; done
    DISPLAY=$window_display xdotool key Return
    dialog=$(DISPLAY=$window_display xdotool search --sync --onlyvisible --name 'Please select folder' | head -1)
    wait_idle "$pid"
    DISPLAY=$window_display xdotool windowfocus --sync "$dialog" type "$in"
    DISPLAY=$window_display xdotool key Return
    while DISPLAY=$window_display xdotool search --onlyvisible --name 'Please select folder' > /dev/null 2>&1; do
        sleep 0.05
    done
    wait_idle "$pid"
    before=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")

    start=$EPOCHREALTIME
    DISPLAY=$window_display xdotool mousemove --window "$window" $start_x $start_y click 1
    until [ -n "$(boxes)" ]; do sleep 0.005; done
    end=$EPOCHREALTIME

    after=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2> /dev/null || true
    rm -rf "$home"
    window_s=$(echo "$end - $start" | bc -l | awk '{ printf "%.3f\n", $1 }')
    window_grown_kb=$((after - before))
    window_results=$(find "$out" -type f | wc -l)
}

# window_run three times, the results removed before each; window_s is the median, window_grown_kb the largest.
window_median() { # build folder results
    local times=() grown=()
    for _ in 1 2 3; do
        rm -rf "$3"
        window_run "$@"
        times+=("$window_s")
        grown+=("$window_grown_kb")
    done
    window_s=$(printf '%s\n' "${times[@]}" | median)
    window_grown_kb=$(printf '%s\n' "${grown[@]}" | sort -n | tail -1)
}

#!/usr/bin/env bash
# The Windows build under Wine, scenario by scenario, on a prefix made from
# the sample machine, each run compared with the Linux build's run of the
# same response file on the same machine: what was seen (transcript), the
# shares asked for, the address and mask written, the run-once entry and the
# Winsock 2 key. A scenario with a second run on the same machine is also
# compared on what both runs leave: the registry keys the setup changes, the
# undo file and the setup log. A screenshot of every dialog and message box
# goes to OUT/shots.
#
# Usage: run-scenarios.sh WINDOWS_BIN STANDINS LINUX_BIN OUT
# SCENARIOS="name ..." in the environment runs only the scenarios named
# (and none of the checks past the scenarios: the program without its DLL,
# a person's run); PHASES="linux wine compare" (the default) the phases
# named, so that the Linux runs and the comparison can be made outside an
# emulated machine that makes the Wine runs in the same OUT; VP_RUN_TIMEOUT
# the seconds one Wine run may take (120; more on an emulated machine).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
source "$here/wine-machine.sh"
source "$here/person-run.sh"
source "$root/scripts/windows-stage.sh"

# name, program, CD in the drive (present, absent, or no-installer: without
# its Winsock 2 installer), registry change before the run, svrapi.dll beside
# the programs: the stand-in, or none (then the share calls go to Wine's
# netapi32, which answers 50, and the run goes on as the Linux one does;
# Wine's own svrapi.dll would abort the process), and how the response file
# and the transcript are given: by the environment (env), by the switches
# while the environment names other files (switches), by the environment
# with an unknown switch on the command line (bad-switch: no run), or by the
# environment with a word on the command line that is no switch (stray: it
# is ignored); and optionally a second run after the first,
# "program:argument", answered by NAME.then.txt through the environment. A
# program may be a copy of one under another file name:
# "veltrin-sharing@VELTRI~1" is veltrin-sharing copied to VELTRI~1.EXE. A file
# scenarios/NAME.refuse is the stand-in's list of calls to refuse; the Linux
# run's machine refuses the same calls by its own registry. The first run's
# program may take an argument as the second's does. A file
# scenarios/NAME.undo.reg lies in the Windows folder as the undo file before
# the first run; with a file scenarios/NAME.held, another process holds the
# mutex of a running setup or undo during the first run. The CD "image" is
# the extracted CD image named by CD_IMAGE_TREE (scripts/make-cd.sh): the
# programs start from it, as from the CD a person puts in, and a scenario
# cd-NAME is answered by NAME's response file.
# (A run without the share service, where Wine's netapi32 answers 50 to
# every share call, now shows the share-failure warning that the Linux
# machine, whose share service works, never shows: not comparable.)
scenarios=(
    "launcher-no-cd veltrin absent - standin env"
    "runs-out veltrin absent - standin env"
    "gateway veltrin present - standin env"
    "client veltrin present - standin env"
    "selections veltrin present - standin env"
    "close-box veltrin-sharing present - standin env"
    "suite-no-cd veltrin-sharing absent - standin env"
    "no-card veltrin present no-card.reg standin env"
    "empty-driver veltrin present empty-driver.reg standin env"
    "no-tcpip veltrin present no-tcpip.reg standin env"
    "no-installer veltrin no-installer - standin env"
    "no-runonce veltrin present no-runonce.reg standin env"
    "share-refused veltrin present share-refused.reg standin env"
    "switches veltrin present - standin switches"
    "bad-switch veltrin present - standin bad-switch"
    "gateway-undo veltrin-sharing present printers-by-name.reg standin env veltrin-sharing:/undo"
    "renamed veltrin-sharing@SHARING present printers-by-name.reg standin stray veltrin-sharing@VELTRI~1:/undo"
    "no-runonce-undo veltrin-sharing present no-runonce.reg standin env veltrin-sharing:/undo"
    "share-between veltrin-sharing present share-between.reg standin env veltrin-sharing:/undo"
    "hand-made-undo veltrin-sharing:/undo present - standin env"
    "malformed-undo veltrin-sharing present - standin env"
    "undo-held veltrin-sharing:/undo present - standin env veltrin-sharing:/undo"
)
[ -z "${CD_IMAGE_TREE:-}" ] || scenarios+=("cd-gateway veltrin image - standin env")
if [ -n "${SCENARIOS:-}" ]; then
    chosen=()
    for scenario in "${scenarios[@]}"; do
        [[ " $SCENARIOS " == *" ${scenario%% *} "* ]] && chosen+=("$scenario")
    done
    scenarios=("${chosen[@]}")
fi
# The keys a second run is compared on, under HKEY_LOCAL_MACHINE.
left_keys=(
    'Software\Microsoft\Windows\CurrentVersion\Network\LanMan'
    'System\CurrentControlSet\control\Print\Printers'
    'System\CurrentControlSet\Services\Class'
    'Software\Microsoft\Windows\CurrentVersion\RunOnce'
)
machine="$root/examples/machine"
# Each dialog and message box stays this long before it is answered, and is
# photographed this long after it opened.
pause_ms=1000
shot_delay=0.4

# Sets ui, transcript and arguments for a run: how the response file RESPONSES
# and the transcript TRANSCRIPT are given (the last column of a scenario);
# UNUSED is a file the run must not use.
settings() { # how responses transcript unused
    arguments=()
    case "$1" in
    env) ui="script:$2" transcript=$3 ;;
    switches)
        ui="script:$4" transcript=$4
        arguments=(/script "$2" -Transcript "$3")
        ;;
    bad-switch)
        ui="script:$2" transcript=$3
        arguments=(/colour blue)
        ;;
    stray)
        ui="script:$2" transcript=$3
        # The tail of a path with a blank, as a start without quotes leaves it.
        arguments=('Files\VELTRIN\veltrin-sharing.exe')
        ;;
    esac
}

# The argument of a run given as "program:argument"; nothing for "program".
argument_of() { [[ $1 != *:* ]] || echo "${1#*:}"; }

# The file a program column names (EXTENSION after a built program's name).
program_file() { # program extension
    if [[ $1 == *@* ]]; then
        echo "${1#*@}.EXE"
    else
        echo "$1$2"
    fi
}

# ---- the Linux build -------------------------------------------------------
linux_run() { # name program cd change svrapi how [then]
    local dir="$OUT/linux/$1" key
    rm -rf "$dir"
    mkdir -p "$dir"
    "$LINUX_BIN/veltrin-machine" new "$dir/machine" >/dev/null
    case "$3" in
    absent) rm -rf "$dir/machine/drives/E/"* ;;
    no-installer) rm -f "$dir/machine/drives/E/Wingate/ws2setup.exe" ;;
    esac
    [ "$4" = - ] || "$LINUX_BIN/veltrin-machine" reg "$dir/machine" import "$here/scenarios/$4" >/dev/null
    [ ! -f "$here/scenarios/$1.undo.reg" ] ||
        cp "$here/scenarios/$1.undo.reg" "$dir/machine/drives/C/WINDOWS/veltrin-undo.reg"
    local holder=""
    if [ -f "$here/scenarios/$1.held" ]; then
        flock "$dir/machine/mutex-VeltrinPellorinSetup.lock" \
            sh -c 'touch "$1/held"; while [ ! -e "$1/release" ]; do sleep 0.1; done' - "$dir" &
        holder=$!
        while [ ! -e "$dir/held" ]; do sleep 0.1; done
    fi
    # shellcheck disable=SC2046
    linux_invoke "$dir" "" "${1#cd-}.txt" "$6" "${2%%:*}" $(argument_of "$2")
    if [ -n "$holder" ]; then
        touch "$dir/release"
        wait "$holder"
    fi
    [ "${7:--}" = - ] && return
    # Wine restarts when asked to, running the RunOnce entries before the
    # next run; the machine tool's boot plays that restart.
    if grep -qs '^ExitWindowsEx' "$dir/machine/journal.log"; then
        "$LINUX_BIN/veltrin-machine" boot "$dir/machine" >/dev/null
    fi
    linux_invoke "$dir" then- "$1.then.txt" env "${7%%:*}" "${7#*:}"
    # A key the runs left out (RunOnce, after an undo that took it away) is
    # no text at all, as on the Wine side.
    for key in "${left_keys[@]}"; do
        "$LINUX_BIN/veltrin-machine" reg "$dir/machine" export "$key" 2>/dev/null || true
    done >"$dir/left.reg"
}

# One run of a program; its files in DIR start with PREFIX.
linux_invoke() { # dir prefix responses how program [argument]
    local dir=$1 prefix=$2 responses=$3 how=$4 program=$5 status=0 ui transcript arguments
    local file="$LINUX_BIN/$program"
    shift 5
    if [[ $program == *@* ]]; then
        file="$dir/$(program_file "$program")"
        cp "$LINUX_BIN/${program%@*}" "$file"
    fi
    # A copy: the run keeps its position beside the response file, and the
    # tracked scenarios stay as they are.
    cp "$here/scenarios/$responses" "$dir/${prefix}responses.txt"
    settings "$how" "$dir/${prefix}responses.txt" "$dir/${prefix}transcript.txt" \
        "$dir/${prefix}unused.txt"
    VELTRIN_MACHINE="$dir/machine" VELTRIN_BIN="$LINUX_BIN" \
        VELTRIN_UI="$ui" VELTRIN_TRANSCRIPT="$transcript" \
        timeout 120 "$file" "${arguments[@]}" "$@" </dev/null \
        >"$dir/${prefix}output.txt" 2>&1 || status=$?
    echo "$status" >"$dir/${prefix}status"
    # A run that never started has seen nothing.
    [ -f "$dir/${prefix}transcript.txt" ] || : >"$dir/${prefix}transcript.txt"
}

# ---- the Windows build under Wine (run inside Xvfb) ------------------------
# Photographs the screen after each dialog or message box line of the
# transcript, until the stop file appears; and the sharing dialog once more
# as it stands after the moves between its lists: each time it waits with
# lists unlike those it opened with (the list lines of one wait end with
# list 1014), unless the transcript has already gone on.
shooter() { # transcript name stop
    local seen=0 total line what n=0 stopping at lists="" opened="" moved shot
    while true; do
        stopping=0
        [ -e "$3" ] && stopping=1
        total=0
        [ -f "$1" ] && total=$(wc -l <"$1")
        at=$seen
        while IFS= read -r line; do
            at=$((at + 1))
            case "$line" in
            "dialog "*" open "*) what="dialog-$(cut -d' ' -f2 <<<"$line")" ;;
            msgbox*) what="msgbox-$(sed -E 's/^msgbox "([^"]*)".*/\1/' <<<"$line")" ;;
            "list 1014"*)
                lists+="$line"
                [ -n "$opened" ] || opened=$lists
                what=""
                moved=$lists
                lists=""
                if [ "$moved" = "$opened" ] || [ "$at" -ne "$total" ]; then
                    continue
                fi
                ;;
            list*)
                lists+="$line"
                continue
                ;;
            *) continue ;;
            esac
            if [ -n "$what" ]; then
                n=$((n + 1))
                shot="$2-$(printf %02d $n)-${what//[^A-Za-z0-9-]/_}.png"
            else
                shot="$2-moved-dialog-132.png"
            fi
            sleep "$shot_delay"
            import -window root "$OUT/shots/$shot" 2>/dev/null || true
        done < <([ "$total" -gt "$seen" ] && sed -n "$((seen + 1)),${total}p" "$1")
        seen=$total
        [ "$stopping" = 1 ] && return
        sleep 0.1
    done
}

wine_run() { # name program cd change svrapi how [then]
    local dir="$OUT/wine/$1" windows="$WINEPREFIX/drive_c/windows" key
    rm -rf "$dir"
    mkdir -p "$dir"
    reset_machine "$machine"
    [ "$4" = - ] || wine_import "$here/scenarios/$4"
    # Where the programs start from: C:\VELTRIN, the suite found there by
    # the CD's autorun through VELTRIN_BIN; or the CD image, whose autorun
    # finds the suite beside itself.
    programs='C:\VELTRIN' programs_dir="$WINEPREFIX/drive_c/VELTRIN"
    case "$3" in
    present) insert_cd "$OUT/cd" ;;
    image)
        insert_cd "$CD_IMAGE_TREE"
        programs='E:' programs_dir=$CD_IMAGE_TREE
        ;;
    *) insert_cd "$OUT/cd-$3" ;;
    esac
    # What an earlier scenario left in the Windows folder goes too. The share
    # service stand-in stands for the system's beside the programs.
    rm -f "$programs_dir/svrapi.log" "$programs_dir/svrapi.refuse" \
        "$windows/veltrin-undo.reg" "$windows/veltrin.log"
    if [ "$5" = standin ]; then
        cp "$STANDINS/svrapi.dll" "$programs_dir/"
        [ ! -f "$here/scenarios/$1.refuse" ] ||
            cp "$here/scenarios/$1.refuse" "$programs_dir/svrapi.refuse"
    else
        rm -f "$programs_dir/svrapi.dll"
    fi

    [ ! -f "$here/scenarios/$1.undo.reg" ] || cp "$here/scenarios/$1.undo.reg" "$windows/veltrin-undo.reg"
    local holder=""
    if [ -f "$here/scenarios/$1.held" ]; then
        rm -f "$WINEPREFIX/drive_c/vp-held" "$WINEPREFIX/drive_c/vp-release"
        wine 'C:\holdmutex.exe' VeltrinPellorinSetup 'C:\vp-held' 'C:\vp-release' &
        holder=$!
        while [ ! -e "$WINEPREFIX/drive_c/vp-held" ]; do sleep 0.1; done
    fi
    # shellcheck disable=SC2046
    wine_invoke "$dir" "" "$1" "${1#cd-}.txt" "$6" "${2%%:*}" $(argument_of "$2")
    if [ -n "$holder" ]; then
        touch "$WINEPREFIX/drive_c/vp-release"
        wait "$holder"
    fi
    if [ "${7:--}" != - ]; then
        wine_invoke "$dir" then- "$1-then" "$1.then.txt" env "${7%%:*}" "${7#*:}"
        for key in "${left_keys[@]}"; do
            wine_export "HKEY_LOCAL_MACHINE\\$key" "$dir/key.reg"
            cat "$dir/key.reg"
        done >"$dir/left.reg"
        rm -f "$dir/key.reg"
        cp "$windows/veltrin.log" "$dir/veltrin.log" 2>/dev/null || : >"$dir/veltrin.log"
        { [ -e "$windows/veltrin-undo.reg" ] && echo present || echo absent; } >"$dir/undo-file"
    fi
    cp "$programs_dir/svrapi.log" "$dir/svrapi.log" 2>/dev/null || : >"$dir/svrapi.log"
    cp "$windows/setup.log" "$dir/setup.log" 2>/dev/null || : >"$dir/setup.log"
    wine_export 'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class' "$dir/class.reg"
    wine_export 'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Winsock2' \
        "$dir/winsock2.reg"
}

# One run of a program; its files in DIR start with PREFIX, its screenshots
# with SHOTS. setup.log then tells what the run's restart ran.
wine_invoke() { # dir prefix shots responses how program [argument]
    local dir=$1 prefix=$2 shots=$3 responses=$4 how=$5 program=$6 status=0 ui transcript arguments
    local run="$WINEPREFIX/drive_c/vp-run" windows="$WINEPREFIX/drive_c/windows" file
    shift 6
    file="$(program_file "$program" .exe)"
    [[ $program != *@* ]] || cp "$programs_dir/${program%@*}.exe" "$programs_dir/$file"
    rm -rf "$run" "$windows/setup.log"
    mkdir -p "$run"
    cp "$here/scenarios/$responses" "$run/responses.txt"

    shooter "$run/transcript.txt" "$shots" "$run/stop" &
    local shooter_pid=$!
    # runwait also waits for the programs the run starts: the CD's, the
    # suite, and those of Wine's restart.
    settings "$how" 'C:\vp-run\responses.txt' 'C:\vp-run\transcript.txt' 'C:\vp-run\unused.txt'
    local bin=()
    [ "$programs" = 'E:' ] || bin=(VELTRIN_BIN="$programs")
    env "${bin[@]}" VELTRIN_UI="$ui" VELTRIN_TRANSCRIPT="$transcript" \
        VELTRIN_SCRIPT_PAUSE=$pause_ms \
        timeout "${VP_RUN_TIMEOUT:-120}" wine 'C:\runwait.exe' "$programs\\$file" "${arguments[@]}" "$@" \
        </dev/null >"$dir/${prefix}output.txt" 2>&1 || status=$?
    touch "$run/stop"
    wait "$shooter_pid"

    echo "$status" >"$dir/${prefix}status"
    cp "$run/transcript.txt" "$dir/${prefix}transcript.txt" 2>/dev/null ||
        : >"$dir/${prefix}transcript.txt"
    [ ! -e "$run/unused.txt" ] || cp "$run/unused.txt" "$dir/${prefix}unused.txt"
}

# The programs without veltrin-script.dll, given a response file: the run
# stops before anything else shows, with a box that names the DLL, which a
# person (xdotool) closes; exit status 3, the share key as it was.
wine_no_script_dll() {
    local dir="$OUT/wine/no-script-dll" programs="$WINEPREFIX/drive_c/VP-NODLL" window="" i
    rm -rf "$dir" "$programs"
    mkdir -p "$dir"
    cp -r "$WINEPREFIX/drive_c/VELTRIN" "$programs"
    rm -f "$programs/veltrin-script.dll"
    cp "$here/scenarios/gateway.txt" "$WINEPREFIX/drive_c/vp-nodll.txt"
    local lanman='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Network\LanMan'
    wine_export "$lanman" "$dir/before.reg"
    VELTRIN_UI='script:C:\vp-nodll.txt' timeout 60 wine 'C:\VP-NODLL\veltrin-sharing.exe' \
        </dev/null >"$dir/output.txt" 2>&1 &
    local pid=$!
    for i in $(seq 80); do
        window="$(xdotool search --name '^Veltrin Pellorin$' 2>/dev/null | head -1)" || true
        [ -n "$window" ] && break
        sleep 0.25
    done
    if [ -n "$window" ]; then
        sleep "$shot_delay"
        import -window root "$OUT/shots/no-script-dll.png" 2>/dev/null || true
        xdotool windowactivate --sync "$window" key Return 2>/dev/null ||
            xdotool windowfocus "$window" key Return || true
        echo shown >"$dir/box"
    fi
    local status=0
    wait "$pid" || status=$?
    echo "$status" >"$dir/status"
    wine_export "$lanman" "$dir/after.reg"
    [ ! -e "$WINEPREFIX/drive_c/vp-nodll.txt.pos" ] || echo kept >"$dir/position"
    rm -rf "$programs" "$WINEPREFIX/drive_c/vp-nodll.txt"*
}

if [ "${1:-}" = --gui ]; then
    cd "$WINEPREFIX/drive_c"
    # One server for the whole phase: starting one takes seconds.
    wineserver -p
    for scenario in "${scenarios[@]}"; do
        started=$SECONDS
        # shellcheck disable=SC2086
        wine_run $scenario
        echo "  ${scenario%% *}: $((SECONDS - started)) s"
    done
    if [ -z "${SCENARIOS:-}" ]; then
        # A missing xdotool would look like a box that never showed.
        command -v xdotool >/dev/null || {
            echo "run-scenarios: xdotool is needed for the runs a person makes" >&2
            exit 1
        }
        started=$SECONDS
        wine_no_script_dll
        echo "  no-script-dll: $((SECONDS - started)) s"
        started=$SECONDS
        cp "$STANDINS/svrapi.dll" "$WINEPREFIX/drive_c/VELTRIN/"
        wine_person_run
        echo "  person: $((SECONDS - started)) s"
    fi
    wineserver -k || true
    exit 0
fi

# ---- comparison ------------------------------------------------------------
failures=0
fail() {
    echo "  FAIL $*"
    failures=$((failures + 1))
}

# Both sides say the same, or the difference is shown.
same() { # what linux-file wine-file
    if diff -u --label "Linux: $1" --label "Wine: $1" "$2" "$3" >"$OUT/diff.txt"; then
        echo "  ok   $1"
    else
        fail "$1"
        sed 's/^/         /' "$OUT/diff.txt"
    fi
}

compare() { # name program cd change svrapi how [then]
    local linux="$OUT/linux/$1" wine="$OUT/wine/$1"
    echo "$1:"
    if [ "$6" = switches ]; then
        if [ -e "$linux/unused.txt" ] || [ -e "$wine/unused.txt" ]; then
            fail "the switches won over the environment"
        else
            echo "  ok   the switches won over the environment"
        fi
    fi
    # The same on both sides is not enough here: the run must have gone on.
    if [ "$6" = stray ]; then
        if [ "$(cat "$wine/status")" = 0 ] && [ -s "$wine/transcript.txt" ]; then
            echo "  ok   the word that is no switch was ignored"
        else
            fail "the word that is no switch was not ignored"
        fi
    fi
    if [[ ${7:-} == *@* ]]; then
        if [ "$(cat "$wine/then-status")" = 0 ] && [ -s "$wine/then-transcript.txt" ]; then
            echo "  ok   $(program_file "${7%%:*}") took ${7#*:}"
        else
            fail "$(program_file "${7%%:*}") did not take ${7#*:}"
        fi
    fi
    echo "$(cat "$linux/status")" >"$OUT/a"
    echo "$(cat "$wine/status")" >"$OUT/b"
    same "exit status" "$OUT/a" "$OUT/b"
    # Wine's Windows folder is C:\windows, the machine's C:\WINDOWS.
    local folder='s/C:\\\\windows\\\\/C:\\\\WINDOWS\\\\/g'
    sed "$folder" "$wine/transcript.txt" >"$OUT/b"
    same "transcript" "$linux/transcript.txt" "$OUT/b"

    grep -s '^NetShare' "$linux/machine/journal.log" >"$OUT/a" || true
    [ "$5" = standin ] || : >"$OUT/a" # no share service to ask: no calls logged
    sed -E 's/ remark "([^"\\]|\\.)*" rw "([^"\\]|\\.)*" ro "([^"\\]|\\.)*"//' "$wine/svrapi.log" >"$OUT/b"
    same "shares asked for" "$OUT/a" "$OUT/b"

    local classes='HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class'
    local key="$classes\NetTrans\0000"
    reg_value "$linux/machine/registry.reg" "$key" IPMask >"$OUT/a"
    reg_value "$wine/class.reg" "$key" IPMask >"$OUT/b"
    same "IPMask" "$OUT/a" "$OUT/b"
    # Nothing lands in the Class key itself.
    { reg_value "$linux/machine/registry.reg" "$classes" IPAddress
      reg_value "$linux/machine/registry.reg" "$classes" IPMask; } >"$OUT/a"
    { reg_value "$wine/class.reg" "$classes" IPAddress
      reg_value "$wine/class.reg" "$classes" IPMask; } >"$OUT/b"
    same "nothing in the Class key" "$OUT/a" "$OUT/b"
    # The host number comes from the clock: the same form, any host.
    local host='^"192\.168\.0\.(25[0-4]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]?)"$'
    reg_value "$linux/machine/registry.reg" "$key" IPAddress | sed -E "s/$host/\"192.168.0.<host>\"/" >"$OUT/a"
    reg_value "$wine/class.reg" "$key" IPAddress | sed -E "s/$host/\"192.168.0.<host>\"/" >"$OUT/b"
    same "IPAddress" "$OUT/a" "$OUT/b"

    # The CD's setup program logs the command it was started with: by the
    # final launch when no restart is asked for, else by Wine's restart from
    # the run-once entry.
    local runonce
    runonce="$(reg_value "$linux/machine/registry.reg" \
        'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunOnce' InternetSW)"
    {
        if grep -sqxF 'WinExec "E:\\Tzr\\Setup.exe" 1 -> 33' "$linux/machine/journal.log"; then
            printf 'Setup.exe ran: "%s"\n' 'E:\Tzr\Setup.exe'
        fi
        if [ -n "$runonce" ]; then
            printf 'Setup.exe ran: %s\n' "$(sed 's/\\\\/\\/g' <<<"$runonce")"
        fi
    } >"$OUT/a"
    tr -d '\r' <"$wine/setup.log" >"$OUT/b"
    same "the CD's setup program (final launch or run-once entry)" "$OUT/a" "$OUT/b"

    local ws2='HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Winsock2'
    { reg_has_key "$linux/machine/registry.reg" "$ws2" && echo present || echo absent; } >"$OUT/a"
    { reg_has_key "$wine/winsock2.reg" "$ws2" && echo present || echo absent; } >"$OUT/b"
    same "Winsock 2 key" "$OUT/a" "$OUT/b"

    [ "${7:--}" = - ] && return
    same "second run: exit status" "$linux/then-status" "$wine/then-status"
    sed "$folder" "$wine/then-transcript.txt" >"$OUT/b"
    same "second run: transcript" "$linux/then-transcript.txt" "$OUT/b"
    # Wine's own value in the printers' key is none of the setup's, and its
    # restart makes the RunOnce key itself: the entries are what count.
    local runonce_key='/^\[hkey_local_machine\\software\\microsoft\\windows\\currentversion\\runonce\]$/d'
    reg_lines "$linux/left.reg" | sed "$runonce_key" >"$OUT/a"
    reg_lines "$wine/left.reg" | sed '/\] "defaultspooldirectory"=/d' | sed "$runonce_key" >"$OUT/b"
    same "keys left (share key, printers, class keys, RunOnce)" "$OUT/a" "$OUT/b"
    local windows="$linux/machine/drives/C/WINDOWS"
    { [ -e "$windows/veltrin-undo.reg" ] && echo present || echo absent; } >"$OUT/a"
    same "undo file" "$OUT/a" "$wine/undo-file"
    # The log without its times, any host number alike; Wine's Windows
    # folder is C:\windows.
    local log='s/^[0-9-]+ [0-9:]+ //; s/192\.168\.0\.[0-9]+/192.168.0.<host>/g'
    log+='; s/"C:\\\\windows\\\\/"C:\\\\WINDOWS\\\\/g'
    tr -d '\r' <"$windows/veltrin.log" | sed -E "$log" >"$OUT/a"
    tr -d '\r' <"$wine/veltrin.log" | sed -E "$log" >"$OUT/b"
    same "setup log" "$OUT/a" "$OUT/b"
}

compare_no_script_dll() {
    local dir="$OUT/wine/no-script-dll"
    echo "no-script-dll:"
    echo 3 >"$OUT/a"
    same "exit status" "$OUT/a" "$dir/status"
    if [ -e "$dir/box" ]; then echo "  ok   a box told it"; else fail "no box told it"; fi
    if grep -q 'veltrin-script.dll' "$dir/output.txt"; then
        echo "  ok   the message names veltrin-script.dll"
    else
        fail "the message does not name veltrin-script.dll"
        sed 's/^/         /' "$dir/output.txt"
    fi
    same "share key" "$dir/before.reg" "$dir/after.reg"
    if [ -e "$dir/position" ]; then fail "the response file was read"; else echo "  ok   the response file was not read"; fi
}

[ $# -eq 4 ] || { echo "usage: $0 WINDOWS_BIN STANDINS LINUX_BIN OUT" >&2; exit 2; }
export WINDOWS_BIN="$(cd "$1" && pwd)" STANDINS="$(cd "$2" && pwd)"
export LINUX_BIN="$(cd "$3" && pwd)" OUT="$4"
mkdir -p "$OUT"
OUT="$(cd "$OUT" && pwd)"
export WINEPREFIX="$OUT/prefix"

phase() { [[ " ${PHASES:-linux wine compare} " == *" $1 "* ]]; }

linux_phase() {
    echo "Linux runs ..."
    for scenario in "${scenarios[@]}"; do
        # shellcheck disable=SC2086
        linux_run $scenario
    done
}

wine_phase() {
    echo "Wine prefix from examples/machine ..."
    local started=$SECONDS status=0 shipped
    rm -rf "$OUT/wine"
    make_cd "$machine/drives/E" "$STANDINS" "$OUT/cd"
    rm -rf "$OUT/cd-absent" "$OUT/cd-no-installer" "$OUT/shots"
    mkdir -p "$OUT/cd-absent" "$OUT/shots"
    cp -r "$OUT/cd" "$OUT/cd-no-installer"
    rm "$OUT/cd-no-installer/Wingate/ws2setup.exe"
    mapfile -t shipped < <(shipped_files "$WINDOWS_BIN")
    make_prefix "$machine" "$OUT/cd" "${shipped[@]}" || status=$?
    if [ "$status" -eq 3 ]; then
        # Not a fault of the programs: Wine cannot make a prefix on this machine.
        echo "SKIPPED: the runs under Wine; Wine cannot set up a prefix here (see above)"
        exit 0
    elif [ "$status" -ne 0 ]; then
        echo "the Wine prefix could not be made (exit status $status)"
        exit 1
    fi
    cp "$STANDINS/runwait.exe" "$STANDINS/holdmutex.exe" "$WINEPREFIX/drive_c/"

    echo "  $((SECONDS - started)) s"
    echo "Wine runs (Xvfb) ..."
    if ! xvfb-run -a -s "-screen 0 800x600x24" "$0" --gui; then
        echo "the Wine runs failed (see above)"
        exit 1
    fi
}

compare_phase() {
    if [ ! -d "$OUT/wine" ]; then
        echo "SKIPPED: the comparison; no Wine runs to compare with (see above)"
        exit 0
    fi
    for scenario in "${scenarios[@]}"; do
        # shellcheck disable=SC2086
        compare $scenario
    done
    if [ -z "${SCENARIOS:-}" ]; then
        compare_no_script_dll
        compare_person_run
    fi
    echo "screenshots: $OUT/shots ($(ls "$OUT/shots" | wc -l) files)"
    if [ "$failures" -ne 0 ]; then
        echo "$failures checks failed"
        exit 1
    fi
}

! phase linux || linux_phase
! phase wine || wine_phase
! phase compare || compare_phase

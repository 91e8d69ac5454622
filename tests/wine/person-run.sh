# A person's run under Wine, recorded: xdotool clicks the real dialogs (one
# drive and one printer shared, Gateway/Server chosen), the recording is
# replayed under Wine and by the Linux build, each on the sample machine as
# it came, and the three runs are compared. Sourced by run-scenarios.sh,
# which gives WINEPREFIX, OUT, LINUX_BIN, STANDINS, machine and the helpers.

# Clicks a point of a dialog given in dialog units (4 x 8 per character of
# MS Sans Serif 8, 6 x 13 pixels), past the frame and caption Wine draws.
click_at() { # window x y [clicks]
    local px=$(($2 * 6 / 4 + 3)) py=$(($3 * 13 / 8 + 22))
    xdotool mousemove --window "$1" "$px" "$py" click --repeat "${4:-1}" --delay 120 1
    sleep 0.4
}

# Waits for a top-level window of that title; its id on stdout.
window_titled() { # title
    local window="" i
    for i in $(seq 120); do
        window="$(xdotool search --name "^$1\$" 2>/dev/null | head -1)" || true
        [ -n "$window" ] && break
        sleep 0.25
    done
    [ -n "$window" ] && echo "$window"
}

# The person: drive E: and the label printer shared, then Gateway/Server.
person_clicks() {
    local sharing role
    sharing="$(window_titled 'Quorvane File and Printer Sharing Selection')" || return 1
    sleep 0.5
    click_at "$sharing" 40 86    # [-E-DRIVE], the second local drive
    click_at "$sharing" 120 90   # >>
    click_at "$sharing" 40 153   # Label Printer, the second local printer
    click_at "$sharing" 120 158  # >>
    import -window root "$OUT/shots/person-01-sharing.png" 2>/dev/null || true
    click_at "$sharing" 119 215  # OK
    role="$(window_titled 'Server-Client selection')" || return 1
    sleep 0.5
    click_at "$role" 110 161     # Gateway/Server
    import -window root "$OUT/shots/person-02-role.png" 2>/dev/null || true
    click_at "$role" 114 184     # OK
}

wine_person_run() {
    local dir="$OUT/wine/person" run="$WINEPREFIX/drive_c/vp-person"
    rm -rf "$dir" "$run"
    mkdir -p "$dir" "$run"
    reset_machine "$machine" >/dev/null
    rm -f "$WINEPREFIX/drive_c/VELTRIN/svrapi.log"
    local status=0
    VELTRIN_BIN='C:\VELTRIN' VELTRIN_TRANSCRIPT='C:\vp-person\person-transcript.txt' \
        timeout 120 wine 'C:\runwait.exe' 'C:\VELTRIN\veltrin-sharing.exe' \
        /record 'C:\vp-person\recording.txt' </dev/null >"$dir/output.txt" 2>&1 &
    local pid=$!
    person_clicks || echo "the dialogs did not show" >>"$dir/output.txt"
    wait "$pid" || status=$?
    echo "$status" >"$dir/status"
    cp "$run/recording.txt" "$dir/recording.txt" 2>/dev/null || : >"$dir/recording.txt"
    cp "$WINEPREFIX/drive_c/VELTRIN/svrapi.log" "$dir/person-svrapi.log" 2>/dev/null ||
        : >"$dir/person-svrapi.log"

    # The replay on the machine as it came.
    reset_machine "$machine" >/dev/null
    rm -f "$WINEPREFIX/drive_c/VELTRIN/svrapi.log"
    cp "$dir/recording.txt" "$run/replay.txt"
    status=0
    VELTRIN_BIN='C:\VELTRIN' VELTRIN_UI='script:C:\vp-person\replay.txt' \
        VELTRIN_TRANSCRIPT='C:\vp-person\replay-transcript.txt' \
        timeout 120 wine 'C:\runwait.exe' 'C:\VELTRIN\veltrin-sharing.exe' \
        </dev/null >"$dir/replay-output.txt" 2>&1 || status=$?
    echo "$status" >"$dir/replay-status"
    cp "$run/replay-transcript.txt" "$dir/replay-transcript.txt" 2>/dev/null ||
        : >"$dir/replay-transcript.txt"
    cp "$WINEPREFIX/drive_c/VELTRIN/svrapi.log" "$dir/replay-svrapi.log" 2>/dev/null ||
        : >"$dir/replay-svrapi.log"
    wine_export 'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class' "$dir/class.reg"

    # The replay on a PC without the label printer stops at its line, before
    # anything has changed.
    reset_machine "$machine" >/dev/null
    printf '%s\r\n' REGEDIT4 '' \
        '[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\control\Print\Printers\Label Printer]' '' \
        >"$dir/no-label-printer.reg"
    wine_import "$dir/no-label-printer.reg"
    rm -f "$WINEPREFIX/drive_c/VELTRIN/svrapi.log"
    local lanman='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Network\LanMan'
    wine_export "$lanman" "$dir/missing-before.reg"
    cp "$dir/recording.txt" "$run/replay.txt"
    status=0
    VELTRIN_BIN='C:\VELTRIN' VELTRIN_UI='script:C:\vp-person\replay.txt' \
        timeout 120 wine 'C:\runwait.exe' 'C:\VELTRIN\veltrin-sharing.exe' \
        </dev/null >"$dir/missing-output.txt" 2>&1 || status=$?
    echo "$status" >"$dir/missing-status"
    wine_export "$lanman" "$dir/missing-after.reg"
    cp "$WINEPREFIX/drive_c/VELTRIN/svrapi.log" "$dir/missing-svrapi.log" 2>/dev/null ||
        : >"$dir/missing-svrapi.log"
    rm -rf "$run"
}

# The Linux build replays the recording made under Wine.
linux_person_replay() {
    local dir="$OUT/linux/person" wine="$OUT/wine/person" status=0
    rm -rf "$dir"
    mkdir -p "$dir"
    "$LINUX_BIN/veltrin-machine" new "$dir/machine" >/dev/null
    tr -d '\r' <"$wine/recording.txt" >"$dir/replay.txt"
    VELTRIN_MACHINE="$dir/machine" VELTRIN_BIN="$LINUX_BIN" VELTRIN_UI="script:$dir/replay.txt" \
        VELTRIN_TRANSCRIPT="$dir/replay-transcript.txt" \
        timeout 120 "$LINUX_BIN/veltrin-sharing" </dev/null >"$dir/replay-output.txt" 2>&1 ||
        status=$?
    echo "$status" >"$dir/replay-status"
}

compare_person_run() {
    local linux="$OUT/linux/person" wine="$OUT/wine/person"
    echo "person (xdotool, recorded, replayed):"
    linux_person_replay
    echo 0 >"$OUT/a"
    same "the person's run: exit status" "$OUT/a" "$wine/status"
    if grep -q '^select 1011 "\[-E-DRIVE\]"' "$wine/recording.txt" &&
        grep -q '^select 1013 "Label Printer"' "$wine/recording.txt" &&
        grep -q '^click 1030 *# Gateway/Server' "$wine/recording.txt"; then
        echo "  ok   the recording names the entries and the button"
    else
        fail "the recording does not name what the person chose"
        sed 's/^/         /' "$wine/recording.txt" "$wine/output.txt"
    fi
    same "replays: exit status" "$linux/replay-status" "$wine/replay-status"
    tr -d '\r' <"$wine/replay-transcript.txt" >"$OUT/b"
    same "replays: transcript" "$linux/replay-transcript.txt" "$OUT/b"
    local shares='s/ remark "([^"\\]|\\.)*" rw "([^"\\]|\\.)*" ro "([^"\\]|\\.)*"//'
    sed -E "$shares" "$wine/person-svrapi.log" >"$OUT/a"
    sed -E "$shares" "$wine/replay-svrapi.log" >"$OUT/b"
    same "shares: the person's and the Wine replay's" "$OUT/a" "$OUT/b"
    grep -s '^NetShare' "$linux/machine/journal.log" >"$OUT/b" || true
    same "shares: the person's and the Linux replay's" "$OUT/a" "$OUT/b"
    echo 3 >"$OUT/a"
    same "without the printer: exit status" "$OUT/a" "$wine/missing-status"
    if grep -q 'replay.txt:[0-9]*: .*has no entry "Label Printer"' "$wine/missing-output.txt"; then
        echo "  ok   without the printer: the line and the entry are named"
    else
        fail "without the printer: the line and the entry are not named"
        sed 's/^/         /' "$wine/missing-output.txt"
    fi
    same "without the printer: the share key as it was" "$wine/missing-before.reg" "$wine/missing-after.reg"
    : >"$OUT/a"
    same "without the printer: no share asked for" "$OUT/a" "$wine/missing-svrapi.log"
}

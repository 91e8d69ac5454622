# Helpers for runs of the Windows build under Wine on a prefix made to look
# like a sample machine of the Linux build (examples/machine). Sourced.
#
# A prefix made by make_prefix:
#   Windows version 98 (GetVersion reports the 9x family), caption drawn by
#   Wine itself (no window manager under Xvfb), no crash dialog;
#   the look of Windows 98: no theme, the "Windows Standard" colours, Wine's
#   own fonts (MS Sans Serif among them);
#   the machine's HKEY_LOCAL_MACHINE imported, without Wine's own Winsock 2 key;
#   drives as in machine.ini: A: floppy, C: the machine's C files, E: CD-ROM,
#   F: network; Wine's Z: (the whole host) removed, so that the drive lists
#   show the machine's drives only;
#   C:\VELTRIN: the programs and the svrapi.dll stand-in beside them.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine from a folder it can name (the prefix's drive C), since Z: is gone.
wine() { (cd "$WINEPREFIX/drive_c" 2>/dev/null || cd "$WINEPREFIX"; command wine "$@"); }

# Windows path of a file in the prefix's drive C.
winpath() { printf 'C:\\%s' "${1//\//\\}"; }

# Runs one step of making or resetting the prefix. A step that fails is told
# with its exit status and what Wine printed, and tried once more with Wine's
# error messages on, after the prefix's programs have ended: on a fresh
# machine the first runs of Wine can meet a prefix still being set up.
wine_step() { # command...
    local log status=0
    log="$(mktemp)"
    wine "$@" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        echo "wine $*: exit status $status; trying once more" >&2
        sed 's/^/  | /' "$log" >&2
        timeout 120 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
        status=0
        WINEDEBUG=err+all,fixme-all wine "$@" >"$log" 2>&1 || status=$?
        if [ "$status" -ne 0 ]; then
            echo "wine $*: failed again, exit status $status" >&2
            sed 's/^/  | /' "$log" >&2
        fi
    fi
    rm -f "$log"
    return "$status"
}

# Imports a REGEDIT4 file into the prefix.
wine_import() { # file
    local name="vp-import-$$.reg"
    cp "$1" "$WINEPREFIX/drive_c/$name"
    local status=0
    wine_step regedit /s "$(winpath "$name")" || status=$?
    rm -f "$WINEPREFIX/drive_c/$name"
    return "$status"
}

# Exports a key of the prefix as UTF-8 text with LF line ends.
wine_export() { # key out
    local name="vp-export-$$.reg"
    rm -f "$WINEPREFIX/drive_c/$name"
    wine regedit /e "$(winpath "$name")" "$1" >/dev/null 2>&1 || true
    if [ -f "$WINEPREFIX/drive_c/$name" ]; then
        iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/$name" | tr -d '\r' >"$2"
        rm -f "$WINEPREFIX/drive_c/$name"
    else
        : >"$2"
    fi
}

# Points the CD-ROM drive at a folder.
insert_cd() { ln -sfn "$(cd "$1" && pwd)" "$WINEPREFIX/dosdevices/e:"; }

# The colours of Windows 98's "Windows Standard" scheme, as Control Panel
# keeps them.
windows_standard_colours=(
    '"ActiveBorder"="192 192 192"' '"ActiveTitle"="0 0 128"' '"AppWorkspace"="128 128 128"'
    '"Background"="0 128 128"' '"ButtonDkShadow"="0 0 0"'
    '"ButtonFace"="192 192 192"' '"ButtonHilight"="255 255 255"' '"ButtonLight"="192 192 192"'
    '"ButtonShadow"="128 128 128"' '"ButtonText"="0 0 0"'
    '"GradientActiveTitle"="16 132 208"' '"GradientInactiveTitle"="192 192 192"'
    '"GrayText"="128 128 128"' '"Hilight"="0 0 128"' '"HilightText"="255 255 255"'
    '"HotTrackingColor"="0 0 255"' '"InactiveBorder"="192 192 192"'
    '"InactiveTitle"="128 128 128"' '"InactiveTitleText"="192 192 192"' '"InfoText"="0 0 0"'
    '"InfoWindow"="255 255 225"' '"Menu"="192 192 192"' '"MenuText"="0 0 0"'
    '"Scrollbar"="192 192 192"' '"TitleText"="255 255 255"' '"Window"="255 255 255"'
    '"WindowFrame"="0 0 0"' '"WindowText"="0 0 0"'
)

# make_prefix MACHINE CD PROGRAMS...: a fresh prefix in $WINEPREFIX, display-less.
# Call it where a failure does not end the script (set -e is off inside).
make_prefix() {
    local machine=$1 cd=$2
    shift 2
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # Exit status 3: Wine itself cannot start here (the caller tells it apart
    # from a failure of the programs under test).
    wine_step wineboot -i || return 3
    # wineboot returns before the programs it started are done with the prefix.
    timeout 120 wineserver -w || wineserver -k || true
    local drives="$WINEPREFIX/vp-drives"
    mkdir -p "$drives/a" "$drives/f"
    rm -f "$WINEPREFIX/dosdevices/z:"
    ln -sfn "$drives/a" "$WINEPREFIX/dosdevices/a:"
    ln -sfn "$drives/f" "$WINEPREFIX/dosdevices/f:"
    insert_cd "$cd"

    local settings="$WINEPREFIX/vp-settings.reg"
    printf '%s\r\n' 'REGEDIT4' '' \
        '[HKEY_CURRENT_USER\Software\Wine]' '"Version"="win98"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\ThemeManager]' \
        '"ThemeActive"="0"' '' \
        '[HKEY_CURRENT_USER\Control Panel\Colors]' "${windows_standard_colours[@]}" '' \
        '[HKEY_LOCAL_MACHINE\Software\Wine\Drives]' '"a:"="floppy"' '"e:"="cdrom"' \
        '"f:"="network"' '' >"$settings"
    wine_import "$settings" || return 1
    reset_machine "$machine" || return 1

    # The machine's drive C; its WINDOWS folder is Wine's windows folder.
    local c="$machine/drives/C" entry
    for entry in "$c"/*; do
        case "$(basename "$entry")" in
        [Ww][Ii][Nn][Dd][Oo][Ww][Ss]) cp -r "$entry"/. "$WINEPREFIX/drive_c/windows/" || return 1 ;;
        *) cp -r "$entry" "$WINEPREFIX/drive_c/" || return 1 ;;
        esac
    done
    # Debian's Wine looks for its own fonts in the wrong folder: without
    # them the caption buttons show as letters (Marlett), and MS Sans Serif,
    # the dialogs' font, is drawn by a substitute with other metrics.
    local fonts
    for fonts in /usr/share/wine/fonts /usr/lib/wine/fonts; do
        [ -f "$fonts/marlett.ttf" ] && cp "$fonts"/*.ttf "$fonts"/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"
    done

    mkdir -p "$WINEPREFIX/drive_c/VELTRIN"
    cp "$@" "$WINEPREFIX/drive_c/VELTRIN/" || return 1
    # The drive types are read when the server starts.
    wineserver -k || true
}

# The machine's registry as it came: Wine's Winsock 2 key, the run-once
# entries, the shares and the machine's printers gone (the share service
# stand-in keeps shares and marks printers), the machine's keys imported
# again.
reset_machine() { # machine
    local fresh="$WINEPREFIX/vp-reset.reg"
    {
        printf '%s\r\n' 'REGEDIT4' '' \
            '[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Winsock2]' '' \
            '[-HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunOnce]' '' \
            '[-HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Network\LanMan]' ''
        tr -d '\r' <"$1/registry.reg" |
            grep -i '^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\' |
            sed 's/^\[/[-/; s/$/\r\n\r/' || true
    } >"$fresh"
    wine_import "$fresh" && wine_import "$1/registry.reg"
}

# The CD for Wine: the sample CD's marker files, and Windows stand-ins for
# its programs (the sample CD's are shell scripts).
make_cd() { # sample-cd standins out
    local sample=$1 standins=$2 out=$3
    rm -rf "$out"
    mkdir -p "$out/Tzr" "$out/Wingate"
    cp "$sample/Tzr/Setup" "$out/Tzr/Setup"
    cp "$standins/autorun.exe" "$out/autorun.exe"
    cp "$standins/Setup.exe" "$out/Tzr/Setup.exe"
    cp "$standins/ws2setup.exe" "$out/Wingate/ws2setup.exe"
}

# A value of a key in a .reg file (REGEDIT4 or version 5 as UTF-8): the text
# after "=", or nothing. Key and value names compare case-insensitively; a
# key may have several sections (changes appended to the file), the last
# value set wins. awk reads to the end, so that tr never writes into a
# closed pipe (which pipefail would take for a failure).
reg_value() { # file key name
    tr -d '\r' <"$1" | REG_KEY="[$2]" REG_NAME="\"$3\"=" awk '
        BEGIN {key = tolower(ENVIRON["REG_KEY"]); name = tolower(ENVIRON["REG_NAME"])}
        /^\[/ {inside = (tolower($0) == key); next}
        inside && index(tolower($0), name) == 1 {value = substr($0, length(name) + 1); found = 1}
        END {if (found) print value}'
}

# The keys and values of a .reg file (REGEDIT4, or version 5 as UTF-8),
# sorted: a line for each key, and "[key] "name"=data" for each value, key
# and value names in lower case as Windows compares them, hex data that
# wraps joined on one line.
reg_lines() { # file
    tr -d '\r' <"$1" | awk '
        {
            line = $0
            if (joined != "") {sub(/^ +/, "", line); line = joined line; joined = ""}
            if (line ~ /\\$/) {joined = substr(line, 1, length(line) - 1); next}
        }
        line ~ /^\[/ {key = tolower(line); print key; next}
        line ~ /^@=/ && key != "" {print key " " line; next}
        line ~ /^"/ && key != "" {
            end = index(line, "\"=") + 1
            print key " " tolower(substr(line, 1, end)) substr(line, end + 1)
        }' | LC_ALL=C sort
}

# Whether a key is in a .reg file.
reg_has_key() { # file key
    # grep reads to the end: one that stopped at the first match could leave
    # tr writing into a closed pipe, which pipefail would take for a failure.
    tr -d '\r' <"$1" | grep -ixF "[$2]" >/dev/null
}

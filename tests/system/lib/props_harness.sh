# The property sheet on a bench whose ports are COM1 (the simulated board),
# COM2 (held by another program: a directory answers "access denied"), COM3,
# COM12 and COM255 (free: /dev/null opens; Wine maps no COM256). Wine gives
# each serial device of the machine (/dev/ttyS0 here) the first COM number
# left free, so what else the system lists depends on the machine:
# props_ports puts it among the bench's own entries. Source after harness.sh.

IDC_PORT_LIST=1054
IDC_MODEL_LABEL=1058
IDC_MODEL_COMBO=1074
ID_APPLY_NOW=$((0x3021))

# props_bench LANG: the board bench at 1280 x 768 with those ports; sets
# PROPS_SHEET, the sheet's caption in LANG.
props_bench() {
    mkdir -p "$QX_TMP/held-port"
    qx_board_bench "$1" 1280x768 '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]' \
        "\"COM2\"=\"$QX_TMP/held-port\"" '"COM3"="/dev/null"' '"COM12"="/dev/null"' '"COM255"="/dev/null"'
    if [ "$1" = ja ]; then PROPS_SHEET="プロパティ"; else PROPS_SHEET=Properties; fi
}

# props_ports normal|setup ENTRY...: the port list the page must show, as
# props_list prints it: the bench's entries as given (in the order given;
# the selected one written with a leading "*"), and in numeric order among
# them the other ports the system lists (the machine's own serial devices),
# from what opening each answers: a missing one left out, one another
# program holds left out (normal) or marked (setup).
props_ports() {
    local form=$1 entry numbers="" extra=""
    shift
    _qx_wine reg query 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' >"$QX_TMP/serialcomm.txt" 2>&1
    for entry in "$@"; do numbers+=" $(sed 's/^\*//; s/^[cC][oO][mM]\([0-9]*\):.*/\1/' <<<"$entry")"; done
    for entry in $(tr -d '\r' <"$QX_TMP/serialcomm.txt" | awk '$2 == "REG_SZ" && $3 ~ /^COM[0-9]+$/ { print substr($3, 4) }'); do
        [[ " $numbers " == *" $entry "* ]] || extra+=" $entry"
    done
    if [ -n "$extra" ]; then
        # shellcheck disable=SC2086
        qx_probe ports $extra || qx_fatal "cannot probe the ports: $QX_OUT"
        extra=$(printf '%s\n' "$QX_OUT" | awk -v form="$form" '
            $3 == "open" || ($3 == "error" && $4 != 2 && $4 != 5) { print substr($2, 4) + 0, $2 }
            $3 == "error" && $4 == 5 && form == "setup" { print substr($2, 4) + 0, $2 " [Conflicted]" }' | sort -n)
    fi
    # The other ports ("NUMBER ENTRY", in order), then the bench's, merged.
    { printf '%s\n' "$extra"; for entry in "$@"; do printf 'bench %s\n' "$entry"; done; } | awk '
        $1 == "bench" { entry = substr($0, 7); n = entry; sub(/^\*/, "", n); sub(/^[cC][oO][mM]/, "", n)
                        while (e < ne && extras[e] < n + 0) add(texts[e++]); add(entry); next }
        NF { extras[ne] = $1 + 0; texts[ne++] = substr($0, length($1) + 2) }
        function add(t) { if (t ~ /^\*/) { sel = count; t = substr(t, 2) } out = out (count++ ? "," : "") t }
        BEGIN { sel = -1 }
        END { while (e < ne) add(texts[e++]); printf "%s selected=%d\n", out, sel }'
}

# props_forget NAME...: the settings gone from both hives.
props_forget() {
    local hive name
    for hive in HKCU HKLM; do
        for name in "$@"; do
            _qx_wine reg delete "$hive\\$QX_SETTINGS_KEY" /v "$name" /f >/dev/null 2>&1
        done
    done
}

# props_find: waits for the sheet and sets PROPS_HWND (and QX_DIALOG).
props_find() { PROPS_HWND=""; qx_dialog "$PROPS_SHEET" && PROPS_HWND=$QX_DIALOG; }
# props_read: the open sheet's controls (qx_control ID reads one of them).
props_read() { qx_controls "$PROPS_HWND"; }
# props_list: the port list as "ENTRY,ENTRY,... selected=N".
props_list() { qx_control "$IDC_PORT_LIST" | sed -n 's/.* items=\(.*selected=[-0-9]*\) .*/\1/p'; }

# props_open: the Properties command of the resident driver; reads the sheet.
props_open() { qx_command 57666; props_find && props_read; }

# props_install: install mode, its first box answered; reads the first-run
# sheet. QX_DRIVER_PID is the install run.
props_install() {
    qx_driver_start -i
    qx_box || return 1
    qx_probe press ok >/dev/null
    props_find && props_read
}

props_choose() { qx_probe select --hwnd "$PROPS_HWND" --any-caption --id "$IDC_PORT_LIST" "$1" >/dev/null || qx_fail "cannot choose $1: $QX_OUT"; }
# props_press BUTTON [--no-wait]: a button of the sheet (cancel also when it is
# hidden: what Esc does).
props_press() { qx_probe press "$1" --hwnd "$PROPS_HWND" --any-caption "${@:2}" >/dev/null; }
props_gone() { qx_probe wait-window --hwnd "$PROPS_HWND" --any-caption --gone >/dev/null; }
props_open_still() { qx_probe --timeout 0 wait-window --hwnd "$PROPS_HWND" --any-caption --visible >/dev/null; }

# The pointer pages: double-click area (page 1), speed (page 2), other setup
# (page 3), their controls read from the open sheet.
IDC_AREA_EDIT=1006
IDC_AREA_PICTURE=1009
IDC_PAGE_SLIDER=1028
IDC_SET_DEFAULT=1029
IDC_SPEED_ANIMATION=1037
IDC_SPEED_TARGET=1039
IDC_MIDDLE_BUTTON=1025
IDC_CALIB_NOTICE=1064
IDC_HTML_ENABLE=1076
IDC_RANGE_SLIDER=1077

# props_page INDEX ID: makes the page current and waits until its control ID
# shows.
props_page() {
    qx_probe page --hwnd "$PROPS_HWND" --any-caption "$1" >/dev/null || return 1
    qx_wait "page $1" 10 eval "props_read && qx_control $2 | grep -q ' visible=1 '"
}
# props_field ID NAME: one field of a control's line (text: all of it).
props_field() {
    if [ "$2" = text ]; then qx_control "$1" | sed -n 's/.* text=//p'
    else qx_control "$1" | sed -n "s/.* $2=\([^ ]*\).*/\1/p"; fi
}
# props_wait_field ID NAME VALUE: until the control's field reads VALUE.
props_wait_field() {
    qx_wait "control $1 $2=$3" 10 eval "props_read && test \"\$(props_field $1 $2)\" = '$3'"
}
props_slide() { qx_probe slider --hwnd "$PROPS_HWND" --any-caption --id "$1" "$2" >/dev/null || qx_fail "cannot move slider $1: $QX_OUT"; }
props_type() { qx_probe set-text --hwnd "$PROPS_HWND" --any-caption --id "$1" "$2" >/dev/null || qx_fail "cannot type into $1: $QX_OUT"; }
# props_tap ID [--count C --gap-ms G]: left clicks at the control's centre.
props_tap() { qx_probe tap --hwnd "$PROPS_HWND" --any-caption --id "$@" >/dev/null || qx_fail "cannot click $1: $QX_OUT"; }

# props_pixels SHOT ID COLOUR: "COUNT WIDTH" of the pixels of COLOUR (#RRGGBB)
# inside the control's rectangle on the screenshot SHOT (a name as for
# qx_screenshot); WIDTH is from the leftmost to the rightmost of them.
props_pixels() {
    local rect l t r b
    rect=$(props_field "$2" rect)
    IFS=, read -r l t r b <<<"$rect"
    convert "$QX_ARTEFACTS/$1.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage txt:- |
        awk -v c="$3" 'index($0, " " c " ") { split($1, p, ","); x = p[1] + 0; n++
                          if (n == 1 || x < lo) lo = x; if (n == 1 || x > hi) hi = x }
                        END { printf "%d %d\n", n, n ? hi - lo + 1 : 0 }'
}

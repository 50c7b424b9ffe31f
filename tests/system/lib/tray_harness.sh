# Tray helpers for the system tests, on top of harness.sh (source that first):
# the driver's popup menu read inside its thread (the probe's menu commands
# with the hook menuhook.dll), the icon as the shell shows it, the expected
# menu and About box built from the resource scripts, and a look at the
# icon's picture.

TRAY_MENU_TIMEOUT_MS=10000  # a menu to open and be read
TRAY_NO_MENU_MS=1500        # how long no menu may open for "opens nothing"
TRAY_HOOKED_WAIT=10         # seconds for a background reader to hook the driver
TRAY_READ_WAIT=10           # seconds for the driver to take bytes off its port

TRAY_SRC_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
TRAY_RC_EN=$QX_RC_EN
TRAY_RC_JA=$QX_RC_JA

# tray_icon_count: the number of icons the shell shows.
tray_icon_count() { qx_probe icons && printf '%s\n' "$QX_OUT" | sed -n 's/^icons //p'; }

# tray_tip: the tip the shell shows when the pointer rests on the first icon
# (escaped as the probe prints it); the pointer goes back afterwards.
tray_tip() { qx_probe tip && printf '%s\n' "$QX_OUT" | sed -n 's/^tip //p'; }

# tray_buttons: "left=up|down right=.. middle=.." as the system holds them.
tray_buttons() {
    qx_probe state && printf '%s\n' "$QX_OUT" | sed -n 's/^buttons //p' | sed 's/=1/=down/g; s/=0/=up/g'
}

# tray_cursor: "X Y" of the system cursor.
tray_cursor() { qx_probe state && printf '%s\n' "$QX_OUT" | sed -n 's/^cursor //p'; }

# tray_menu_read [--close]: posts the left-button release to the driver and
# reads the menu that opens; TRAY_MENU holds its lines and TRAY_MENU_RC the
# reader's exit code. Without --close the menu stays open (end it with
# tray_menu_close).
#
# The reader always says something: "hooked", a menu, or why it failed. Once
# in a long while under load the Wine process of the reader has ended with a
# failing code and not a byte of output; that is the tool dying, not the
# driver, so it is logged, any menu it opened is closed, and the read is made
# once more. A reader that reports a failure is never read again.
tray_menu_read() {
    local attempt
    for attempt in 1 2; do
        qx_probe --timeout "$TRAY_MENU_TIMEOUT_MS" menu-watch --notify left "$@"
        TRAY_MENU_RC=$?
        TRAY_MENU=$(printf '%s\n' "$QX_OUT" | sed '1{/^hooked$/d}')
        [ "$TRAY_MENU_RC" != 0 ] && [ "$attempt" = 1 ] &&
            [ ! -s "$QX_TMP/probe.out" ] && [ ! -s "$QX_TMP/probe.err" ] || break
        _qx_log "    the menu reader ended with code $TRAY_MENU_RC and no output; reading again"
        tray_menu_close >/dev/null
    done
    return "$TRAY_MENU_RC"
}

# tray_expect_menu DESC LANG RESOLUTION CALIBRATION PROPERTIES CHECKED: reads
# the menu a posted left-button release opens, closes it, and checks it
# against tray_expected_menu.
tray_expect_menu() {
    local desc=$1
    shift
    if tray_menu_read --close; then
        qx_expect_eq "$desc" "$(tray_expected_menu "$@")" "$TRAY_MENU"
    else
        qx_fail "$desc: no menu read (code $TRAY_MENU_RC): $TRAY_MENU $(cat "$QX_TMP/probe.err")"
    fi
}

# tray_menu_watch_bg: a reader in the background that takes the next menu,
# however it is opened; returns once it has hooked the driver.
# tray_menu_collect then waits for it and sets TRAY_MENU.
tray_menu_watch_bg() {
    qx_probe_bg "$QX_TMP/menuwatch.out" --timeout "$TRAY_MENU_TIMEOUT_MS" menu-watch
    TRAY_MENU_PID=$QX_BG_PID
    qx_wait_line "$QX_TMP/menuwatch.out" '^hooked$' "$TRAY_HOOKED_WAIT"
}

tray_menu_collect() {
    TRAY_MENU=""
    [ -n "${TRAY_MENU_PID:-}" ] || return 1
    qx_wait_exit "$TRAY_MENU_PID" $((TRAY_MENU_TIMEOUT_MS / 1000 + 5)) || return 1
    TRAY_MENU_PID=""
    cat "$QX_TMP/menuwatch.out" "$QX_TMP/menuwatch.out.err" >>"$QX_TMP/probe.log"
    TRAY_MENU=$(sed '1{/^hooked$/d}' "$QX_TMP/menuwatch.out")
    [ "$QX_EXIT_CODE" = 0 ]
}

# tray_menu_click: a left click on the shell's icon window, as a user makes it;
# TRAY_MENU holds the menu that opens, which stays open (tray_menu_close).
tray_menu_click() {
    tray_menu_watch_bg || { TRAY_MENU="(the menu reader did not hook the driver)"; return 1; }
    qx_probe click --button left || { TRAY_MENU="(cannot click the icon: $QX_OUT)"; return 1; }
    tray_menu_collect
}

# tray_menu_close: ends the driver's open menu.
tray_menu_close() { qx_probe --timeout "$TRAY_MENU_TIMEOUT_MS" menu-close; }

# tray_menu_none left|right|shell-right: true when no menu opens within
# TRAY_NO_MENU_MS after the notification (posted by the reader, or for
# shell-right a right click on the shell's icon window); TRAY_NONE_OUT holds
# what the reader said.
tray_menu_none() {
    local rc
    if [ "$1" = shell-right ]; then
        qx_probe_bg "$QX_TMP/menunone.out" --timeout "$TRAY_NO_MENU_MS" menu-none
        local pid=$QX_BG_PID
        qx_wait_line "$QX_TMP/menunone.out" '^hooked$' "$TRAY_HOOKED_WAIT" || return 1
        qx_probe click --button right || return 1
        qx_wait_exit "$pid" $((TRAY_NO_MENU_MS / 1000 + 10)) || return 1
        rc=$QX_EXIT_CODE
        TRAY_NONE_OUT=$(cat "$QX_TMP/menunone.out")
    else
        qx_probe --timeout "$TRAY_NO_MENU_MS" menu-none --notify "$1"
        rc=$?
        TRAY_NONE_OUT=$QX_OUT
    fi
    [ "$rc" = 0 ]
}

# A text in LANG (en or ja), or a marker that no menu item can match.
_tray_text() { qx_text "$1" "$2" || printf '<%s has no %s text>' "$2" "$1"; }

# tray_expected_menu LANG RESOLUTION CALIBRATION PROPERTIES CHECKED: the
# menu as the probe prints it, texts in LANG (en or ja); RESOLUTION is the text after
# the caption ("1280 X 768" or "1280 X 768 @60Hz"); the other three are 1 or 0
# (Calibration shown, Properties shown, Disable COM port checked).
tray_expected_menu() {
    local lang=$1 resolution=$2 calibration=$3 properties=$4 checked=$5
        printf '57671 %s  %s\n' "$(_tray_text "$lang" IDS_MENU_RESOLUTION)" "$resolution"
    printf -- '-\n'
    [ "$calibration" = 1 ] && printf '57667 %s\n' "$(_tray_text "$lang" IDS_MENU_CALIBRATION)"
    printf -- '-\n'
    printf '57672 %s%s\n' "$(_tray_text "$lang" IDS_MENU_DISABLE_PORT)" "$([ "$checked" = 1 ] && printf ' [checked]')"
    printf -- '-\n'
    [ "$properties" = 1 ] && printf '57666 %s\n' "$(_tray_text "$lang" IDS_MENU_PROPERTIES)"
    printf -- '-\n'
    printf '> %s\n' "$(_tray_text "$lang" IDS_MENU_TEST_MODE_POPUP)"
    printf '  57685 %s\n' "$(_tray_text "$lang" IDS_MENU_TEST_MODE)"
    printf -- '-\n'
    printf '57701 %s\n' "$(_tray_text "$lang" IDS_MENU_HELP)"
    printf '57668 %s\n' "$(_tray_text "$lang" IDS_MENU_ABOUT)"
    printf -- '-\n'
    printf '57669 %s\n' "$(_tray_text "$lang" IDS_MENU_EXIT)"
}

# tray_rc_dialog RCFILE DIALOG: the dialog's caption ("caption TEXT") and its
# controls ("control class=C id=N text=T") in template order, as
# tray_dialog_controls lists them. IDC_STATIC is -1, IDOK 1; an ICON control
# is a static whose text is "#" and the icon's resource number.
tray_rc_dialog() {
    local numbers
    numbers=$(sed -n 's/^#define[[:space:]]\{1,\}\(IDI_[A-Z_0-9]*\)[[:space:]]\{1,\}\([0-9]*\).*/\1=\2/p' \
        "$TRAY_SRC_DIR/src/res/resource_ids.h" | tr '\n' ' ')
    awk -v dlg="$2" -v numbers="$numbers" '
        BEGIN {
            n = split(numbers, pairs, " ")
            for (i = 1; i <= n; i++) { split(pairs[i], kv, "="); number[kv[1]] = kv[2] }
        }
        function quoted(line,   s) {
            if (match(line, /"([^"]|"")*"/) == 0) return ""
            s = substr(line, RSTART + 1, RLENGTH - 2)
            gsub(/""/, "\"", s)
            return s
        }
        function id(name) {
            if (name == "IDC_STATIC") return -1
            if (name == "IDOK") return 1
            if (name == "IDCANCEL") return 2
            return name
        }
        $1 == dlg && $2 ~ /^DIALOG/ { inside = 1; next }
        inside && $1 == "CAPTION" { print "caption " quoted($0); next }
        inside && $1 == "END" { exit }
        inside && ($1 == "LTEXT" || $1 == "RTEXT" || $1 == "CTEXT") {
            rest = $0; sub(/^[^"]*"([^"]|"")*"[[:space:]]*,[[:space:]]*/, "", rest)
            split(rest, f, /[[:space:]]*,[[:space:]]*/)
            print "control class=Static id=" id(f[1]) " text=" quoted($0); next
        }
        inside && ($1 == "DEFPUSHBUTTON" || $1 == "PUSHBUTTON") {
            rest = $0; sub(/^[^"]*"([^"]|"")*"[[:space:]]*,[[:space:]]*/, "", rest)
            split(rest, f, /[[:space:]]*,[[:space:]]*/)
            print "control class=Button id=" id(f[1]) " text=" quoted($0); next
        }
        inside && $1 == "ICON" {
            split($0, f, /[[:space:]]*,[[:space:]]*/)
            name = f[1]; sub(/^[[:space:]]*ICON[[:space:]]+/, "", name)
            print "control class=Static id=" id(f[2]) " text=#" (name in number ? number[name] : name); next
        }
    ' "$1"
}

# tray_dialog CAPTION [SECONDS]: qx_dialog, with the handle in TRAY_DIALOG.
tray_dialog() {
    TRAY_DIALOG=""
    qx_dialog "$@" && TRAY_DIALOG=$QX_DIALOG
}

# tray_dialog_controls: the caption and controls of the dialog TRAY_DIALOG in
# the form of tray_rc_dialog (from the UI probe's "controls"). An icon
# static's text is its resource as the system keeps it, U+FFFF and the
# number, written here as "#" and the number.
tray_dialog_controls() {
    qx_probe controls --hwnd "$TRAY_DIALOG" --any-caption || return 1
    printf '%s\n' "$QX_OUT" | sed -n 's/^dialog .* caption=\(.*\)$/caption \1/p'
    printf '%s\n' "$QX_OUT" |
        sed -n 's/^control id=\([-0-9]*\) .* class=\([^ ]*\) .* text=\(.*\)$/control class=\2 id=\1 text=\3/p' |
        perl -CS -pe 's/\x{FFFF}(.)/"#" . ord($1)/ge'
}

# tray_dialog_press BUTTON: presses a button of TRAY_DIALOG (see uiprobe press)
# and waits until the dialog is gone.
tray_dialog_press() { qx_probe press "$1" --hwnd "$TRAY_DIALOG" --any-caption; }

# tray_icon_picture NAME: the first icon's pixels as $QX_TMP/NAME.png (keep the
# pointer, menus and boxes off the notification area while it runs).
tray_icon_picture() {
    qx_probe icons || return 1
    local geometry
    geometry=$(printf '%s\n' "$QX_OUT" | awk '$1 == "icon" { printf "%sx%s+%s+%s", $5, $6, $3, $4; exit }')
    [ -n "$geometry" ] || return 1
    import -display "$DISPLAY" -window root -crop "$geometry" +repage "$QX_TMP/$1.png" >/dev/null 2>&1
}

# tray_picture_distance A B: how many pixels of two icon pictures differ
# (beyond a small colour tolerance).
tray_picture_distance() {
    compare -metric AE -fuzz 10% "$QX_TMP/$1.png" "$QX_TMP/$2.png" null: 2>&1
}

# tray_shows_like PICTURE SAME OTHER: true when PICTURE is nearer to SAME than
# to OTHER. Wine's stand-alone tray paints a changed icon over the old one
# without erasing it, so a changed picture keeps a trace of the previous one
# where the new one is transparent: pictures are told apart, not matched.
tray_shows_like() {
    local same other
    same=$(tray_picture_distance "$1" "$2")
    other=$(tray_picture_distance "$1" "$3")
    _qx_log "    picture $1: $same pixels off $2, $other off $3"
    [ -n "$same" ] && [ -n "$other" ] && [ "$same" -lt "$other" ]
}

# tray_port_pending: bytes the board sent that the driver has not read yet
# (FIONREAD on the driver's side of the pty; perl-base is always there).
tray_port_pending() {
    perl -e 'use Fcntl; sysopen(my $f, $ARGV[0], O_RDONLY | O_NONBLOCK | O_NOCTTY) or die "$!\n";
             my $n = pack("L", 0); ioctl($f, 0x541B, $n) or die "$!\n"; print unpack("L", $n), "\n";' \
        "$QX_PEN_SLAVE"
}

# tray_wait_port_read: waits until the driver has taken every byte off its port.
tray_wait_port_read() {
    qx_wait "the driver reads its port empty" "$TRAY_READ_WAIT" eval '[ "$(tray_port_pending)" = 0 ]'
}


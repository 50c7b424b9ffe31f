# Tray helpers for the system tests, on top of harness.sh (source that first):
# the driver's popup menu read inside its thread (the probe's menu commands
# with the hook menuhook.dll), the expected menu, the icon as the shell shows
# it, and a look at the icon's picture.

TRAY_MENU_TIMEOUT_MS=10000  # a menu to open and be read
TRAY_NO_MENU_MS=1500        # how long no menu may open for "opens nothing"

tray_icon_count() { qx_probe icons && qx_line icons; }
# tray_tip: the tip the shell shows when the pointer rests on the first icon
# (escaped as the probe prints it); the pointer goes back afterwards.
tray_tip() { qx_probe tip && qx_line tip; }
# tray_buttons: "left=up|down right=.. middle=.." as the system holds them.
tray_buttons() { qx_probe state && qx_line buttons | sed 's/=1/=down/g; s/=0/=up/g'; }
# Kept for scripts/demo.sh.
tray_cursor() { qx_cursor; }

# tray_menu_read [--close]: posts the left-button release to the driver and
# reads the menu that opens; TRAY_MENU holds its lines and TRAY_MENU_RC the
# reader's exit code. Without --close the menu stays open (tray_menu_close).
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
tray_menu_close() { qx_probe --timeout "$TRAY_MENU_TIMEOUT_MS" menu-close; }

# tray_expect_menu DESC LANG RESOLUTION CALIBRATION PROPERTIES CHECKED [click]:
# reads the menu (opened by a posted left-button release, or with "click" by a
# left click on the shell's icon window), closes it, and checks it against
# tray_expected_menu.
tray_expect_menu() {
    local desc=$1 how=${7:-}
    if [ "$how" = click ]; then tray_menu_click && tray_menu_close >/dev/null; else tray_menu_read --close; fi
    if [ "$TRAY_MENU_RC" = 0 ]; then
        qx_expect_eq "$desc" "$(tray_expected_menu "${@:2:5}")" "$TRAY_MENU"
    else
        qx_fail "$desc: no menu read (code $TRAY_MENU_RC): $TRAY_MENU $(cat "$QX_TMP/probe.err")"
    fi
}

# tray_menu_click: a left click on the shell's icon window, as a user makes it;
# a reader in the background takes the menu that opens, however it opens, and
# leaves it open. Sets TRAY_MENU and TRAY_MENU_RC as tray_menu_read does.
tray_menu_click() {
    qx_probe_bg "$QX_TMP/menuwatch.out" --timeout "$TRAY_MENU_TIMEOUT_MS" menu-watch
    local pid=$QX_BG_PID
    QX_EXIT_CODE=1
    qx_wait_line "$QX_TMP/menuwatch.out" '^hooked$' 10 && qx_probe click --button left &&
        qx_wait_exit "$pid" $((TRAY_MENU_TIMEOUT_MS / 1000 + 5))
    TRAY_MENU_RC=${QX_EXIT_CODE:-1}
    TRAY_MENU=$(sed '1{/^hooked$/d}' "$QX_TMP/menuwatch.out")
    cat "$QX_TMP/menuwatch.out" "$QX_TMP/menuwatch.out.err" >>"$QX_TMP/probe.log"
    return "$TRAY_MENU_RC"
}

# tray_menu_none left|right|shell-right: true when no menu opens within
# TRAY_NO_MENU_MS after the notification (posted by the reader, or for
# shell-right a right click on the shell's icon window).
tray_menu_none() {
    if [ "$1" != shell-right ]; then
        qx_probe --timeout "$TRAY_NO_MENU_MS" menu-none --notify "$1"
        return
    fi
    qx_probe_bg "$QX_TMP/menunone.out" --timeout "$TRAY_NO_MENU_MS" menu-none
    local pid=$QX_BG_PID
    qx_wait_line "$QX_TMP/menunone.out" '^hooked$' 10 && qx_probe click --button right &&
        qx_wait_exit "$pid" $((TRAY_NO_MENU_MS / 1000 + 10)) && [ "$QX_EXIT_CODE" = 0 ]
}

# tray_expected_menu LANG RESOLUTION CALIBRATION PROPERTIES CHECKED: the menu
# as the probe prints it, texts in LANG (en or ja); RESOLUTION is the text
# after the caption ("1280 X 768" or "1280 X 768 @60Hz"); the other three are
# 1 or 0 (Calibration shown, Properties shown, Disable COM port checked). An
# entry left out keeps the separators around it.
tray_expected_menu() {
    local lang=$1
    _t() { qx_text "$lang" "$1" || printf '<%s has no %s text>' "$1" "$lang"; }
    printf '57671 %s  %s\n-\n' "$(_t IDS_MENU_RESOLUTION)" "$2"
    [ "$3" = 1 ] && printf '57667 %s\n' "$(_t IDS_MENU_CALIBRATION)"
    printf -- '-\n57672 %s%s\n-\n' "$(_t IDS_MENU_DISABLE_PORT)" "$([ "$5" = 1 ] && printf ' [checked]')"
    [ "$4" = 1 ] && printf '57666 %s\n' "$(_t IDS_MENU_PROPERTIES)"
    printf -- '-\n> %s\n  57685 %s\n-\n57701 %s\n57668 %s\n-\n57669 %s\n' "$(_t IDS_MENU_TEST_MODE_POPUP)" \
        "$(_t IDS_MENU_TEST_MODE)" "$(_t IDS_MENU_HELP)" "$(_t IDS_MENU_ABOUT)" "$(_t IDS_MENU_EXIT)"
}

# tray_dialog_controls: the caption and the controls of the dialog QX_DIALOG,
# one "CLASS ID TEXT" per line. An icon static's text is its resource as the
# system keeps it, U+FFFF and the number, written here as "#" and the number.
tray_dialog_controls() {
    qx_probe controls --hwnd "$QX_DIALOG" --any-caption || return 1
    printf '%s\n' "$QX_OUT" | sed -n 's/^dialog .* caption=\(.*\)$/caption \1/p
        s/^control id=\([-0-9]*\) .* class=\([^ ]*\) .* text=\(.*\)$/\2 \1 \3/p' |
        perl -CS -pe 's/\x{FFFF}(.)/"#" . ord($1)/ge'
}

# tray_icon_picture NAME: the first icon's pixels as $QX_TMP/NAME.png (keep the
# pointer, menus and boxes off the notification area while it runs).
tray_icon_picture() {
    qx_probe icons || return 1
    local geometry
    geometry=$(printf '%s\n' "$QX_OUT" | awk '$1 == "icon" { printf "%sx%s+%s+%s", $5, $6, $3, $4; exit }')
    [ -n "$geometry" ] || return 1
    import -display "$DISPLAY" -window root -crop "$geometry" +repage "$QX_TMP/$1.png" >/dev/null 2>&1
}

# tray_shows_like PICTURE SAME OTHER: true when PICTURE is nearer to SAME than
# to OTHER (pixels that differ beyond a small colour tolerance). Wine's
# stand-alone tray paints a changed icon over the old one without erasing it,
# so a changed picture keeps a trace of the previous one where the new one is
# transparent: pictures are told apart, not matched.
tray_shows_like() {
    local same other
    same=$(compare -metric AE -fuzz 10% "$QX_TMP/$1.png" "$QX_TMP/$2.png" null: 2>&1)
    other=$(compare -metric AE -fuzz 10% "$QX_TMP/$1.png" "$QX_TMP/$3.png" null: 2>&1)
    _qx_log "    picture $1: $same pixels off $2, $other off $3"
    [ -n "$same" ] && [ -n "$other" ] && [ "$same" -lt "$other" ]
}

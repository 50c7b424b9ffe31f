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

tray_menu_close() { qx_probe --timeout "$TRAY_MENU_TIMEOUT_MS" menu-close; }

# tray_expect_menu DESC LANG RESOLUTION CALIBRATION PROPERTIES CHECKED [click]:
# reads the menu (opened by a posted left-button release, or with "click" by a
# left click on the shell's icon window), closes it, and checks it against
# tray_expected_menu. (qx_probe runs a reader that Wine lost without a word
# once more.)
tray_expect_menu() {
    local rc
    if [ "${7:-}" = click ]; then
        tray_click_reader left menu-watch "$TRAY_MENU_TIMEOUT_MS"
        rc=$?
        [ "$rc" != 0 ] || tray_menu_close >/dev/null
    else
        qx_probe --timeout "$TRAY_MENU_TIMEOUT_MS" menu-watch --notify left --close
        rc=$? TRAY_MENU=$(sed '1{/^hooked$/d}' <<<"$QX_OUT")
    fi
    [ "$rc" = 0 ] || { qx_fail "$1: no menu read (code $rc): $TRAY_MENU"; return; }
    qx_expect_eq "$1" "$(tray_expected_menu "${@:2:5}")" "$TRAY_MENU"
}

# tray_click_reader left|right menu-watch|menu-none MS: the probe's menu reader
# in the background, then a click with that button on the shell's icon window,
# as a user makes it; menu-watch leaves the menu it read open (TRAY_MENU),
# menu-none succeeds when none opens within MS. Returns the reader's code.
tray_click_reader() {
    qx_probe_bg "$QX_TMP/reader.out" --timeout "$3" "$2"
    local pid=$QX_BG_PID
    QX_EXIT_CODE=1
    qx_wait_line "$QX_TMP/reader.out" '^hooked$' 10 && qx_probe click --button "$1" &&
        qx_wait_exit "$pid" $(($3 / 1000 + 10))
    TRAY_MENU=$(sed '1{/^hooked$/d}' "$QX_TMP/reader.out")
    cat "$QX_TMP/reader.out" "$QX_TMP/reader.out.err" >>"$QX_TMP/probe.log"
    return "${QX_EXIT_CODE:-1}"
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

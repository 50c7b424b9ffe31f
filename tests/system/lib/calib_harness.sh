# Calibration and resolution-change helpers on top of harness.sh: display
# modes, the stored calibration, where a hover lands, and the boxes asked.

# calib_add_modes MODELINE...: adds display modes to the test's Xvfb (it
# starts at its largest size; its first mode reports 0 Hz, added ones 60).
calib_add_modes() {
    local mode
    for mode in "$@"; do
        # shellcheck disable=SC2086  # the modeline's numbers are separate words
        xrandr --newmode $mode -hsync +vsync >>"$QX_TMP/xrandr.log" 2>&1
        xrandr --addmode screen "${mode%% *}" >>"$QX_TMP/xrandr.log" 2>&1 || qx_fatal "xrandr: $(cat "$QX_TMP/xrandr.log")"
    done
}

# to_size W H: another program changes the resolution (every window gets
# WM_DISPLAYCHANGE).
to_size() {
    local freq=60
    [ "$1" = 1920 ] && freq=0
    qx_probe mode "$1" "$2" --freq "$freq" >/dev/null || qx_fatal "mode change to $1 x $2 failed: $QX_OUT"
}

# calib_value WxH NAME: a stored calibration value of one resolution.
calib_value() { qx_reg_value HKCU "SOFTWARE\\NORVANE\\QXdrv1.2\\$1" "$2"; }
# calib_values WxH: the four values of one resolution's key.
calib_values() {
    local n
    for n in CalibRatioX CalibRatioY CalibOffsetX CalibOffsetY; do printf '%s ' "$(calib_value "$1" "$n")"; done
}
osd_mode() { qx_reg_value HKCU "$QX_SETTINGS_KEY" OSDmode; }

# hover X Y: the pen hovers there; prints where the cursor went.
hover() {
    qx_pensim "hover $1 $2" && qx_probe diag bytes --equals "$QX_PEN_TOTAL" >/dev/null
    qx_probe state && printf '%s\n' "$QX_OUT" | sed -n 's/^cursor //p'
}

# no_box_for MS DESC: no box shows for MS milliseconds.
no_box_for() { qx_probe watch --for "$1" >/dev/null; qx_expect_eq "$2" "seen-total 0" "$(tail -n 1 <<<"$QX_OUT")"; }

# answer DESC EXPECTED_TEXT BUTTON: the next box says EXPECTED_TEXT; BUTTON
# answers it.
answer() {
    if qx_box; then
        qx_expect_eq "$1" "$2" "$QX_BOX_TEXT"
        qx_probe press "$3" >/dev/null
    else
        qx_fail "no box: $1 ($QX_OUT)"
    fi
}

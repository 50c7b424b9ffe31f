#!/bin/bash
# The pen follows a change of the desktop resolution made by another program
# (ChangeDisplaySettingsEx, so every window gets WM_DISPLAYCHANGE). With the
# notice on, PX-A100: a size with a preset asks 57681 naming its first mode and
# No applies that preset; a size without one, never calibrated, asks 57715 and
# No applies FULL of the nearest row; calibrated before, 57716 and 57717 and No
# keeps the values; the same size asks nothing; while a window titled "Display
# Properties" is open nothing is asked and the pen still moves the cursor. With
# the notice off a calibrated size is taken silently. PX-B200 names DOT BY DOT.
# Yes opens "Select Calibration"; Cancel there leaves the pen on the values
# stored for the new size.
. "$(dirname "$0")/lib/harness.sh"
qx_begin resolution_change
# Xvfb starts at its largest size (its first mode reports 0 Hz); the smaller
# sizes are added modes.
qx_board_bench en 1920x1080 '"QXMachine"=dword:00000064' '"CalibDisp"=dword:00000001'
qx_add_modes "1024x768_60 63.50 1024 1072 1176 1328 768 771 775 798" \
    "1280x768_60 79.50 1280 1344 1472 1664 768 771 778 798"
qx_driver_receiving
DRIVER=$QX_DRIVER_PID

WM_DISPLAYCHANGE=0x007E

qx_case "notice on, to 1024 x 768: FULL offered, No applies its preset"
qx_mode 1024 768
qx_answer "$(qx_preset_question 1024 768 FULL)" no
qx_wait "the preset stored" 10 eval '[ "$(qx_calib 1024_768)" = "0.799000 0.999000 -1.000000 -5.000000 " ]' ||
    qx_fail "stored: $(qx_calib 1024_768)"
qx_expect_eq "OSDmode" 0 "$(qx_value HKCU OSDmode)"
qx_expect_eq "a hover lands by the preset" "400 404" "$(qx_hover 500 400)"

qx_case "to 1280 x 768: the third mode offered"
qx_mode 1280 768
qx_answer "$(qx_preset_question 1280 768 ORIGINAL)" no

qx_case "to 1920 x 1080, never calibrated: no preset; No applies FULL of the nearest row"
qx_mode 1920 1080 0
qx_answer "$(qx_en IDS_RES_CHANGED_NO_PRESET "$(qx_pixels 1920 1080)")" no
qx_wait "the nearest FULL stored" 10 eval '[ "$(qx_calib 1920_1080)" = "1.250000 1.333000 0.000000 0.000000 " ]' ||
    qx_fail "stored: $(qx_calib 1920_1080)"
qx_expect_eq "OSDmode" -1 "$(qx_value HKCU OSDmode)"

qx_case "the same size again (a colour depth): nothing asked"
qx_probe post "$WM_DISPLAYCHANGE" >/dev/null
qx_no_box_for 1500 "no question"

qx_case "to 1920 x 1080, calibrated before: 57716 and 57717, No keeps the values"
qx_mode 1024 768
qx_answer "$(qx_preset_question 1024 768 FULL)" no
qx_mode 1920 1080 0
qx_answer "$(qx_en IDS_RES_CHANGED_ADJUSTED "$(qx_pixels 1920 1080)")$(qx_en IDS_RES_CHANGED_ASK)" no
qx_expect_eq "values kept" "1.250000 1.333000 0.000000 0.000000 " "$(qx_calib 1920_1080)"

qx_case "the display control panel open: the pen goes on, the question waits"
qx_probe_bg "$QX_TMP/panel.out" hold-window --title "$(qx_en IDS_DISPLAY_PANEL_TITLE)"
PANEL=$QX_BG_PID
qx_wait_line "$QX_TMP/panel.out" '^held' 15 || qx_fatal "no Display Properties window"
qx_mode 1024 768
qx_no_box_for 1500 "nothing asked while the panel is open"
# Still the 1920 x 1080 values (1.25, 1.333): the change waits.
qx_expect_eq "the pen moves the cursor meanwhile" "375 266" "$(qx_hover 300 200)"
kill "$PANEL"
qx_answer "$(qx_preset_question 1024 768 FULL)" no

qx_case "notice off, to a calibrated size: taken without a question"
qx_setting HKCU CalibDisp REG_DWORD 0
qx_expect_eq "the 1024 x 768 preset is live" "240 204" "$(qx_hover 300 200)"
qx_mode 1920 1080 0
qx_no_box_for 1500 "no question"
qx_expect_eq "the pen follows the stored values" "375 266" "$(qx_hover 300 200)"

qx_case "PX-B200 offers DOT BY DOT at 1280 x 768"
qx_setting HKCU CalibDisp REG_DWORD 1
qx_setting HKCU QXMachine REG_DWORD 200
qx_mode 1280 768
qx_answer "$(qx_preset_question 1280 768 'DOT BY DOT')" no

qx_case "Yes opens Select Calibration"
qx_setting HKCU QXMachine REG_DWORD 100
BEFORE=$(qx_calib 1024_768)
qx_mode 1024 768
qx_answer "$(qx_preset_question 1024 768 FULL)" yes
qx_probe wait-window --caption "Select Calibration" --visible >/dev/null || qx_fail "no selection dialog after Yes: $QX_OUT"
qx_probe press cancel --caption "Select Calibration" >/dev/null || qx_fail "Cancel did not close it: $QX_OUT"
qx_expect_eq "Cancel stores nothing" "$BEFORE" "$(qx_calib 1024_768)"
# Not the 1280 x 768 values of the moment before: the pen follows the ones
# stored for 1024 x 768.
qx_expect_eq "the pen lands by the 1024 x 768 values" "240 204" "$(qx_hover 300 200)"

qx_stop_driver "$DRIVER" || qx_fatal "driver did not end after WM_CLOSE"
qx_expect_eq "exit code" 0 "$QX_EXIT_CODE"
qx_finish

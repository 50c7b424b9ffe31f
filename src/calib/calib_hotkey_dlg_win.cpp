#include "calib/calib_hotkey_dlg_win.h"

#include "base/message_text.h"
#include "base/startup_rules.h"
#include "calib/hotkey_candidates.h"
#include "res/resource_ids.h"

namespace qx {

CCalibHotkeyDlg::CCalibHotkeyDlg(HINSTANCE instance, const CalibServices& services,
                                 const CalibHotkeyServices& hotkey)
    : CDialog(instance, IDD_CALIB_HOTKEY), services_(services), hotkey_(hotkey) {}

BOOL CCalibHotkeyDlg::OnInitDialog() {
    HWND list = Item(IDC_HOTKEY_LIST);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    hotkey_.unregisterKey();
    const unsigned current = HotKeyCode(services_.settings->GetCalibShortKey());
    const HotkeyChoices choices =
        BuildHotkeyChoices(hotkey_.osVersionClass, static_cast<char>(current), [&](char key) {
            if (!hotkey_.registerKey(static_cast<unsigned char>(key))) return false;
            hotkey_.unregisterKey();
            return true;
        });
    for (const char key : choices.keys) {
        const wchar_t text[2] = {static_cast<wchar_t>(key), 0};
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    if (choices.selected >= 0) ::SendMessageW(list, CB_SETCURSEL, choices.selected, 0);
    hotkey_.registerKey(current);
    return TRUE;
}

void CCalibHotkeyDlg::OnOk() {
    const std::optional<std::wstring> text = SelectedComboText(IDC_HOTKEY_LIST);
    if (!text || text->size() != 1) return;
    const std::string chosen(1, static_cast<char>((*text)[0]));

    const unsigned previous = HotKeyCode(services_.settings->GetCalibShortKey());
    hotkey_.unregisterKey();
    if (hotkey_.registerKey(HotKeyCode(chosen))) {
        services_.settings->SetCalibShortKey(chosen);
        const std::wstring keyText = HotkeyText(*services_.strings, chosen);
        services_.boxes->ShowMessage(
            InsertArgs(services_.strings->LoadText(IDS_HOTKEY_CHANGED), {keyText}),
            MB_ICONINFORMATION);
        End(IDOK);
        return;
    }
    // The user is never left without a hotkey: the old one comes back.
    hotkey_.registerKey(previous);
    services_.boxes->ShowMessage(services_.strings->LoadText(IDS_HOTKEY_CHANGE_FAILED),
                                 MB_ICONEXCLAMATION);
}

}  // namespace qx

#include "diag/test_mode_dlg_win.h"

#include "base/message_text.h"
#include "framework/geometry_win.h"
#include "framework/sockets_win.h"
#include "diag/host_lookup_win.h"
#include "diag/test_chart_dlg_win.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr int kManualFields[] = {IDC_TM_MANUAL_RATIO_X, IDC_TM_MANUAL_RATIO_Y,
                                 IDC_TM_MANUAL_OFFSET_X, IDC_TM_MANUAL_OFFSET_Y};
// The Set button's answers are fixed English texts, not string-table entries.
constexpr wchar_t kSettingOk[] = L"Setting OK!";
constexpr wchar_t kSettingNg[] = L"Setting NG!";

}  // namespace

CTestModeDlg::CTestModeDlg(HINSTANCE instance, const TestModeServices& services)
    : CDialog(instance, IDD_TEST_MODE), services_(services) {
    for (const Mark mark : {Mark::Down, Mark::Up, Mark::Disabled})
        marks_[static_cast<int>(mark)] = MarkText(mark, *services_.calib.strings);
}

BOOL CTestModeDlg::OnInitDialog() {
    timer_.Start(Hwnd(), kTestModeTimer, kTestModeIntervalMs);
    CutOffDebugSection();
    Centre(::GetWindow(Hwnd(), GW_OWNER));
    title_ = WindowText(Hwnd());
    Refresh();
    return TRUE;
}

void CTestModeDlg::Refresh() {
    if (!Hwnd()) return;
    FillComputerName();
    ::SetWindowTextW(Hwnd(), TestModeCaption(title_, services_.calib.settings->GetQXMachine(),
                                             *services_.calib.strings)
                                 .c_str());
    manual_ = services_.calib.live->Values();
    const double values[] = {manual_.ratioX, manual_.ratioY, manual_.offsetX, manual_.offsetY};
    for (int i = 0; i < 4; ++i) SetItemText(kManualFields[i], ManualFieldText(values[i]));
}

namespace {

struct CutLine {
    HWND dialog;
    int top;  // screen coordinates
};

// Tab does not walk into the controls below the cut.
BOOL CALLBACK LeaveTabOrder(HWND control, LPARAM line) {
    const auto* cut = reinterpret_cast<const CutLine*>(line);
    if (::GetParent(control) != cut->dialog || WindowRect(control).top < cut->top) return TRUE;
    const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    ::SetWindowLongPtrW(control, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    return TRUE;
}

}  // namespace

void CTestModeDlg::CutOffDebugSection() {
    const Rect dialog = WindowRect(Hwnd());
    const Rect group = WindowRect(Item(IDC_TM_DEBUG_GROUP));
    ::SetWindowPos(Hwnd(), HWND_TOPMOST, dialog.left, dialog.top, dialog.Width(),
                   group.top - dialog.top, SWP_NOACTIVATE);
    EnableItem(IDC_TM_DEBUG_GROUP, false);
    CutLine cut{Hwnd(), group.top};
    ::EnumChildWindows(Hwnd(), &LeaveTabOrder, reinterpret_cast<LPARAM>(&cut));
}

bool CTestModeDlg::PreTranslate(MSG* msg) {
    if (!Hwnd()) return false;
    // A plain character is no mnemonic here: the dialog's only one, Set's,
    // lies below the cut, where Alt and the letter still reach it. The
    // character goes to the control that has the focus as in any window.
    if (msg->message == WM_CHAR && (msg->hwnd == Hwnd() || ::IsChild(Hwnd(), msg->hwnd)))
        return false;
    return ::IsDialogMessageW(Hwnd(), msg) != FALSE;
}

void CTestModeDlg::Abandon() {
    abandoned_ = true;
    timer_.Stop();
    if (Hwnd()) ::DestroyWindow(Hwnd());
}

void CTestModeDlg::FillComputerName() {
    ::SendDlgItemMessageW(Hwnd(), IDC_TM_COMPUTER_NAME, LB_RESETCONTENT, 0, 0);
    ::SendDlgItemMessageW(Hwnd(), IDC_TM_ADDRESSES, CB_RESETCONTENT, 0, 0);
    // Without the sockets library both boxes stay empty.
    if (!StartSockets()) return;
    const std::wstring name = ComputerName();
    ::SendDlgItemMessageW(Hwnd(), IDC_TM_COMPUTER_NAME, LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(name.c_str()));
    // A name beyond ASCII is no dotted address ('?' is no digit).
    const bool nameIsAddress = IsDottedAddress(NarrowAscii(name));
    const auto host = nameIsAddress ? std::nullopt : HostAddresses(name);
    for (const std::wstring& entry : AddressEntries(nameIsAddress, host, *services_.calib.strings))
        ::SendDlgItemMessageW(Hwnd(), IDC_TM_ADDRESSES, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(entry.c_str()));
    ::SendDlgItemMessageW(Hwnd(), IDC_TM_ADDRESSES, CB_SETCURSEL, 0, 0);
}

void CTestModeDlg::ShowText(int id, const std::wstring& text) const {
    // Only a change is written: a rewrite every tick would flicker and
    // drop the user's selection in the edit.
    HWND edit = Item(id);
    if (edit && WindowText(edit) != text) ::SetWindowTextW(edit, text.c_str());
}

void CTestModeDlg::ShowMark(int id, Mark mark) const { ShowText(id, marks_[static_cast<int>(mark)]); }

void CTestModeDlg::OnTick() {
    const PointerEngine& engine = *services_.engine;
    ShowText(IDC_TM_UNTREATED, Widen(std::string(services_.decoder->PendingText())));
    ShowMark(IDC_TM_DRIVER_LEFT, DriverButtonMark(engine.State(), ButtonState::Left));
    ShowMark(IDC_TM_DRIVER_RIGHT, DriverButtonMark(engine.State(), ButtonState::Right));
    UpdateMiddleMarks(0, engine.State());
    ShowText(IDC_TM_DRIVER_POSITION, PositionText(engine.LastSetPosition()));

    const struct {
        int key;
        int id;
    } buttons[] = {{VK_RBUTTON, IDC_TM_SYSTEM_RIGHT},
                   {VK_MBUTTON, IDC_TM_SYSTEM_MIDDLE},
                   {VK_LBUTTON, IDC_TM_SYSTEM_LEFT}};
    for (const auto& b : buttons) {
        const bool down = SystemButtonDown(services_.osVersionClass, ::GetKeyState(b.key),
                                           ::GetAsyncKeyState(b.key));
        ShowMark(b.id, down ? Mark::Down : Mark::Up);
    }
    const Point cursor = CursorPosition();
    ShowText(IDC_TM_SYSTEM_POSITION, PositionText(ScreenPoint{cursor.x, cursor.y}));

    ShowText(IDC_TM_DBLCLK_WIDTH, IntText(::GetSystemMetrics(SM_CXDOUBLECLK)));
    ShowText(IDC_TM_DBLCLK_HEIGHT, IntText(::GetSystemMetrics(SM_CYDOUBLECLK)));
    ShowText(IDC_TM_DBLCLK_TIME, UnsignedText(::GetDoubleClickTime()));
    const CalibValues& live = services_.calib.live->Values();
    ShowText(IDC_TM_LIVE_RATIO_X, RatioText(live.ratioX));
    ShowText(IDC_TM_LIVE_RATIO_Y, RatioText(live.ratioY));
    ShowText(IDC_TM_LIVE_OFFSET_X, OffsetText(live.offsetX));
    ShowText(IDC_TM_LIVE_OFFSET_Y, OffsetText(live.offsetY));
}

void CTestModeDlg::UpdateMiddleMarks(int hold, ButtonState state) {
    if (!Hwnd()) return;
    const auto update = middleMarks_.OnUpdate(hold, state, services_.engine->MiddleEnabled());
    if (!update) return;
    ShowMark(IDC_TM_DRIVER_MIDDLE, update->driver);
    if (update->system) ShowMark(IDC_TM_SYSTEM_MIDDLE, *update->system);
}

bool CTestModeDlg::ShowBox(const std::wstring& text, unsigned flags) {
    if (abandoned_) return false;
    // Owned by the dialog: it stays above the top-most dialog, keeps it
    // disabled while open, and gives the focus back to where it was.
    ++modal_;
    const std::wstring caption = services_.calib.strings->LoadText(IDS_APP_NAME);
    ::MessageBoxW(Hwnd(), text.c_str(), caption.c_str(), flags);
    --modal_;
    return !abandoned_;
}

bool CTestModeDlg::ReadManualInput() {
    std::array<std::wstring, 4> fields;
    for (int i = 0; i < 4; ++i) fields[static_cast<std::size_t>(i)] = ItemText(kManualFields[i]);
    const ManualReading reading = ReadManualFields(fields);
    if (!reading.values) {
        if (!ShowBox(services_.calib.strings->LoadText(IDS_ENTER_NUMBER),
                     MB_OK | MB_ICONEXCLAMATION))
            return false;
        HWND edit = Item(kManualFields[reading.failedField]);
        ::SetFocus(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return false;
    }
    manual_ = *reading.values;
    return true;
}

void CTestModeDlg::OnSet() {
    const bool read = ReadManualInput();
    if (read) {
        services_.calib.live->Set(manual_);
    }
    ShowBox(read ? kSettingOk : kSettingNg, MB_OK | MB_ICONEXCLAMATION);
}

bool CTestModeDlg::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    if (modal_ > 0 || abandoned_) return id == IDC_TM_SET || id == IDC_TM_CHART;
    switch (id) {
    case IDC_TM_SET:
        OnSet();
        return true;
    case IDC_TM_CHART: {
        CTestChartDlg chart(Instance(), *services_.calib.strings, *services_.calib.screen);
        ++modal_;
        chart.DoModal(Hwnd());
        --modal_;
        return true;
    }
    default:
        return false;
    }
}

void CTestModeDlg::OnOk() {
    if (modal_ > 0 || !ReadManualInput()) return;
    ::ShowWindow(Hwnd(), SW_HIDE);
}

void CTestModeDlg::OnCancel() {
    if (modal_ > 0) return;
    ::ShowWindow(Hwnd(), SW_HIDE);
}

bool CTestModeDlg::OnTimer(UINT_PTR id) {
    if (id != kTestModeTimer) return false;
    OnTick();
    return true;
}

void CTestModeDlg::OnDestroy() { timer_.Stop(); }

}  // namespace qx

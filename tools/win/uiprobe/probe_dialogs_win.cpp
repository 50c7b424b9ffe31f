#include "probe_dialogs_win.h"

#include <algorithm>
#include <vector>

#include "probe_output_win.h"
#include "probe_find_win.h"

namespace qx::probe {
namespace {

constexpr int kBoxTextId = 0xFFFF;  // the static that holds a message box's text

struct NamedButton {
    const wchar_t* name;
    int id;
};

constexpr NamedButton kButtons[] = {
    {L"ok", IDOK},         {L"cancel", IDCANCEL}, {L"abort", IDABORT},
    {L"retry", IDRETRY},   {L"ignore", IDIGNORE}, {L"yes", IDYES},
    {L"no", IDNO},         {L"close", IDCLOSE},   {L"help", IDHELP},
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

bool IsButton(HWND hwnd) { return ClassOf(hwnd) == L"Button"; }

// The dialog a subcommand works on: a visible #32770 captioned "QXdrv" unless
// --class / --caption / --hwnd say otherwise; waits for it.
bool FindDialog(const Args& args, const Deadline& deadline, HWND& dialog) {
    const WindowFilter filter = FilterFromArgs(args, kDialogClass, kAppCaption, true);
    if (WaitForWindow(filter, deadline, dialog)) return true;
    Out(L"timeout no dialog class=" + Escape(filter.cls) +
        (filter.anyCaption ? L"" : L" caption=" + Escape(filter.caption)));
    return false;
}

// A control by id anywhere below the dialog (property pages nest), preferring
// a visible one.
HWND FindControl(HWND dialog, int id) {
    HWND hidden = nullptr;
    for (HWND child : Children(dialog)) {
        if (GetDlgCtrlID(child) != id) continue;
        if (IsWindowVisible(child)) return child;
        if (hidden == nullptr) hidden = child;
    }
    return hidden;
}

bool IsCombo(HWND hwnd) { return _wcsicmp(ClassOf(hwnd).c_str(), L"ComboBox") == 0; }

// The entries of a combo box's or a list box's list, in list order, read
// with that control's count, length and text messages.
std::vector<std::wstring> ItemTexts(HWND control, UINT countMessage, UINT lengthMessage,
                                    UINT textMessage) {
    std::vector<std::wstring> items;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(control, countMessage, 0, 0, kSendFlags, 1000, &count)) return items;
    for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(control, lengthMessage, i, 0, kSendFlags, 1000, &length);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(control, textMessage, i, reinterpret_cast<LPARAM>(&text[0]), kSendFlags,
                            1000, &got);
        text.resize(static_cast<std::size_t>(length));
        items.push_back(text);
    }
    return items;
}

std::vector<std::wstring> ComboItems(HWND combo) {
    return ItemTexts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::wstring> ListItems(HWND list) {
    return ItemTexts(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

bool IsListBox(HWND hwnd) { return _wcsicmp(ClassOf(hwnd).c_str(), L"ListBox") == 0; }

std::wstring Joined(const std::vector<std::wstring>& items) {
    std::wstring joined;
    for (const std::wstring& item : items) joined += (joined.empty() ? L"" : L",") + item;
    return joined;
}

// The window that has the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::wstring ControlLine(HWND hwnd, HWND focus, const Deadline& deadline) {
    std::wstring line = L"control id=" + std::to_wstring(GetDlgCtrlID(hwnd)) + L" hwnd=" +
                        HwndText(hwnd) + L" parent=" + HwndText(GetParent(hwnd)) + L" class=" +
                        Escape(ClassOf(hwnd)) + L" enabled=" + (IsWindowEnabled(hwnd) ? L"1" : L"0") +
                        L" visible=" + (IsWindowVisible(hwnd) ? L"1" : L"0");
    RECT r{};
    GetWindowRect(hwnd, &r);
    line += L" rect=" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
            std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
    if (hwnd == focus) line += L" focused=1";
    if (IsButton(hwnd)) {
        DWORD_PTR check = 0;
        SendMessageTimeoutW(hwnd, BM_GETCHECK, 0, 0, kSendFlags, 1000, &check);
        line += L" checked=" + std::to_wstring(check);
    }
    if (IsCombo(hwnd)) line += L" items=" + Escape(Joined(ComboItems(hwnd)));
    if (IsListBox(hwnd)) line += L" items=" + Escape(Joined(ListItems(hwnd)));
    return line + L" text=" + Escape(TextOf(hwnd, deadline));
}

}  // namespace

int CmdBox(const Args& args, const Deadline& deadline) {
    HWND box = nullptr;
    if (!FindDialog(args, deadline, box)) return kExitFailed;
    DWORD pid = 0;
    GetWindowThreadProcessId(box, &pid);
    Out(L"box hwnd=" + HwndText(box) + L" pid=" + std::to_wstring(pid));
    const HWND text = GetDlgItem(box, kBoxTextId);
    Out(L"text " + Escape(text == nullptr ? L"" : TextOf(text, deadline)));
    for (HWND child : Children(box)) {
        if (IsButton(child) && IsWindowVisible(child)) {
            Out(L"button id=" + std::to_wstring(GetDlgCtrlID(child)) + L" text=" +
                Escape(TextOf(child, deadline)));
        }
    }
    return kExitOk;
}

int CmdPress(const Args& args, const Deadline& deadline) {
    if (args.Positional().size() != 1) return kExitUsage;
    const std::wstring& name = args.Positional()[0];
    long long number = 0;
    bool known = ParseNumber(name, number);
    int id = static_cast<int>(number);
    for (const auto& b : kButtons) {
        if (name == b.name) {
            id = b.id;
            known = true;
        }
    }
    if (!known) {
        Out(L"error unknown button " + Escape(name));
        return kExitUsage;
    }
    HWND dialog = nullptr;
    if (!FindDialog(args, deadline, dialog)) return kExitFailed;
    const HWND button = FindControl(dialog, id);
    if (button == nullptr && (id == IDOK || id == IDCANCEL)) {
        // A dialog without OK or Cancel buttons still takes Enter and Esc
        // (and Cancel from its close box) as these commands.
        if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0)) {
            Out(L"error post failed, error " + std::to_wstring(GetLastError()));
            return kExitFailed;
        }
        Out(L"pressed id=" + std::to_wstring(id) + L" (no button: the key's command)");
        return kExitOk;
    }
    if (button == nullptr) {
        Out(L"error no control with id " + std::to_wstring(id));
        return kExitFailed;
    }
    // Posted, never sent: the click may open another modal box, and a sent
    // message would wait for that box to close.
    // --click: the button's own click, which also checks a radio button.
    const BOOL posted = args.Has(L"click")
                            ? PostMessageW(button, BM_CLICK, 0, 0)
                            : PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                           reinterpret_cast<LPARAM>(button));
    if (!posted) {
        Out(L"error post failed, error " + std::to_wstring(GetLastError()));
        return kExitFailed;
    }
    Out(L"pressed id=" + std::to_wstring(id));
    if (args.Has(L"no-wait")) return kExitOk;
    do {
        if (!IsWindow(dialog)) {
            Out(L"closed");
            return kExitOk;
        }
    } while (PollPause(deadline));
    Out(L"timeout dialog still open");
    return kExitFailed;
}

int CmdSelect(const Args& args, const Deadline& deadline) {
    long long id = 0;
    if (args.Positional().size() != 1 || !args.GetNumber(L"id", id)) return kExitUsage;
    HWND dialog = nullptr;
    if (!FindDialog(args, deadline, dialog)) return kExitFailed;
    const HWND combo = FindControl(dialog, static_cast<int>(id));
    if (combo == nullptr || !IsCombo(combo)) {
        Out(L"error no combo box with id " + std::to_wstring(id));
        return kExitFailed;
    }
    const std::vector<std::wstring> items = ComboItems(combo);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] != args.Positional()[0]) continue;
        DWORD_PTR result = 0;
        SendMessageTimeoutW(combo, CB_SETCURSEL, i, 0, kSendFlags, 1000, &result);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        Out(L"selected " + Escape(items[i]));
        return kExitOk;
    }
    Out(L"error no entry " + Escape(args.Positional()[0]));
    return kExitFailed;
}

int CmdControls(const Args& args, const Deadline& deadline) {
    HWND dialog = nullptr;
    if (!FindDialog(args, deadline, dialog)) return kExitFailed;
    Out(L"dialog " + Describe(dialog, deadline));
    const HWND focus = FocusOf(dialog);
    for (HWND child : Children(dialog)) Out(ControlLine(child, focus, deadline));
    return kExitOk;
}

int CmdText(const Args& args, const Deadline& deadline) {
    // --ids A,B,...: the controls' texts, "text id=N T" each. --watch MS: then
    // watches them for MS and prints "change id=N ms=M T" for every change it
    // sees, M milliseconds after the watch began (the controls are read every
    // few milliseconds).
    std::vector<int> ids;
    const std::wstring list = args.Get(L"ids");
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t comma = std::min(list.find(L',', at), list.size());
        long long id = 0;
        if (!ParseNumber(list.substr(at, comma - at), id)) return kExitUsage;
        ids.push_back(static_cast<int>(id));
        at = comma + 1;
    }
    long long watchMs = 0;
    if (ids.empty() || !args.GetNumber(L"watch", watchMs) || watchMs < 0) return kExitUsage;
    HWND dialog = nullptr;
    if (!FindDialog(args, deadline, dialog)) return kExitFailed;
    std::vector<HWND> controls;
    std::vector<std::wstring> shown;
    for (const int id : ids) {
        const HWND control = FindControl(dialog, id);
        if (control == nullptr) {
            Out(L"error no control with id " + std::to_wstring(id));
            return kExitFailed;
        }
        controls.push_back(control);
        shown.push_back(TextOf(control, deadline));
        Out(L"text id=" + std::to_wstring(id) + L" " + Escape(shown.back()));
    }
    constexpr DWORD kWatchPollMs = 5;
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG end = start + static_cast<ULONGLONG>(watchMs);
    while (GetTickCount64() < end) {
        Sleep(kWatchPollMs);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const std::wstring text = TextOf(controls[i], Deadline(1000));
            if (text == shown[i]) continue;
            shown[i] = text;
            Out(L"change id=" + std::to_wstring(ids[i]) + L" ms=" +
                std::to_wstring(GetTickCount64() - start) + L" " + Escape(text));
        }
    }
    return kExitOk;
}

int CmdType(const Args& args, const Deadline& deadline) {
    long long id = 0;
    if (args.Positional().size() != 1 || !args.GetNumber(L"id", id)) return kExitUsage;
    HWND dialog = nullptr;
    if (!FindDialog(args, deadline, dialog)) return kExitFailed;
    const HWND control = FindControl(dialog, static_cast<int>(id));
    if (control == nullptr) {
        Out(L"error no control with id " + std::to_wstring(id));
        return kExitFailed;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args.Positional()[0].c_str()),
                             kSendFlags, std::max<DWORD>(deadline.RemainingMs(), 1), &result)) {
        Out(L"error no answer to WM_SETTEXT");
        return kExitFailed;
    }
    Out(L"typed " + Escape(TextOf(control, deadline)));
    return kExitOk;
}

}  // namespace qx::probe

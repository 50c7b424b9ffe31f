#include "probe_dialogs_win.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "probe_output_win.h"
#include "probe_find_win.h"

namespace qx::probe {
namespace {

constexpr int kBoxTextId = 0xFFFF;  // the static that holds a message box's text

// A window's rectangle on the screen as "left,top,right,bottom".
std::wstring RectText(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
}

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

// The messages that read and choose the entries of a combo box or a list box.
struct ListMessages {
    UINT count, length, text, getSelection, setSelection;
    WORD selectionChanged;
};
constexpr ListMessages kComboMessages{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                      CB_GETCURSEL, CB_SETCURSEL, CBN_SELCHANGE};
constexpr ListMessages kListBoxMessages{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT,
                                        LB_GETCURSEL, LB_SETCURSEL, LBN_SELCHANGE};

// Combo boxes and list boxes; nullptr for any other control.
const ListMessages* ListKind(HWND hwnd) {
    const std::wstring cls = ClassOf(hwnd);
    if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) return &kComboMessages;
    if (_wcsicmp(cls.c_str(), L"ListBox") == 0) return &kListBoxMessages;
    return nullptr;
}

LRESULT Ask(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, message, wParam, lParam, kSendFlags, 1000, &result);
    return static_cast<LRESULT>(result);
}

// The entries of a list, in list order.
std::vector<std::wstring> ListItems(HWND list, const ListMessages& m) {
    std::vector<std::wstring> items;
    const LRESULT count = Ask(list, m.count);
    for (WPARAM i = 0; count > 0 && i < static_cast<WPARAM>(count); ++i) {
        const LRESULT length = Ask(list, m.length, i);
        std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
        Ask(list, m.text, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
        items.push_back(text);
    }
    return items;
}

// The window that has the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::wstring ControlLine(HWND hwnd, HWND focus, const Deadline& deadline) {
    std::wstring line = L"control id=" + std::to_wstring(GetDlgCtrlID(hwnd)) + L" hwnd=" +
                        HwndText(hwnd) + L" parent=" + HwndText(GetParent(hwnd)) + L" rect=" +
                        RectText(hwnd) + L" class=" +
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
    if (const ListMessages* m = ListKind(hwnd)) {
        std::wstring items;
        for (const std::wstring& item : ListItems(hwnd, *m)) items += (items.empty() ? L"" : L",") + item;
        line += L" items=" + Escape(items) + L" selected=" +
                std::to_wstring(static_cast<long long>(Ask(hwnd, m->getSelection)));
    }
    if (_wcsicmp(ClassOf(hwnd).c_str(), TRACKBAR_CLASSW) == 0) {
        line += L" pos=" + std::to_wstring(Ask(hwnd, TBM_GETPOS)) + L" min=" +
                std::to_wstring(Ask(hwnd, TBM_GETRANGEMIN)) + L" max=" +
                std::to_wstring(Ask(hwnd, TBM_GETRANGEMAX)) + L" tics=" +
                std::to_wstring(Ask(hwnd, TBM_GETNUMTICS));
    }
    return line + L" text=" + Escape(TextOf(hwnd, deadline));
}

// A control of the dialog by --id, or a failure said.
HWND ControlFromArgs(const Args& args, const Deadline& deadline, HWND& dialog) {
    long long id = 0;
    if (!args.GetNumber(L"id", id) || !FindDialog(args, deadline, dialog)) return nullptr;
    const HWND control = FindControl(dialog, static_cast<int>(id));
    if (control == nullptr) Out(L"error no control with id " + std::to_wstring(id));
    return control;
}

bool LeftClickAt(POINT p) {
    if (!SetCursorPos(p.x, p.y)) return false;
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, click, sizeof(INPUT)) == 2;
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
    const HWND list = FindControl(dialog, static_cast<int>(id));
    const ListMessages* m = list == nullptr ? nullptr : ListKind(list);
    if (m == nullptr) {
        Out(L"error no combo box or list box with id " + std::to_wstring(id));
        return kExitFailed;
    }
    const std::vector<std::wstring> items = ListItems(list, *m);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] != args.Positional()[0]) continue;
        Ask(list, m->setSelection, i);
        // Told to the control's own parent: a property page, not the sheet.
        PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), m->selectionChanged),
                     reinterpret_cast<LPARAM>(list));
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

}  // namespace qx::probe

namespace qx::probe {

int CmdTree(const Args& args, const Deadline& deadline) {
    // The item texts of the first tree view in a window of another process,
    // in display order (depth-first): read through a buffer in that process.
    HWND window = nullptr;
    if (!WaitForWindow(FilterFromArgs(args, L"", nullptr, true), deadline, window)) {
        Out(L"timeout no window");
        return kExitFailed;
    }
    HWND tree = nullptr;
    for (HWND child : Children(window)) {
        if (ClassOf(child) == WC_TREEVIEWW) {
            tree = child;
            break;
        }
    }
    if (tree == nullptr) {
        Out(L"error no tree view");
        return kExitFailed;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) {
        Out(L"error cannot open the tree's process");
        return kExitFailed;
    }
    constexpr int kTextChars = 256;
    auto* remote = static_cast<BYTE*>(VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + kTextChars * sizeof(wchar_t),
                                                     MEM_COMMIT, PAGE_READWRITE));
    auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
    std::vector<HTREEITEM> stack;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    while (item != nullptr && remote != nullptr) {
        TVITEMW query{};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = remoteText;
        query.cchTextMax = kTextChars;
        WriteProcessMemory(process, remote, &query, sizeof(query), nullptr);
        Ask(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
        wchar_t text[kTextChars] = {};
        ReadProcessMemory(process, remoteText, text, sizeof(text) - sizeof(wchar_t), nullptr);
        Out(L"item " + Escape(text));
        const auto child = reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        const auto next = reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
        if (next != nullptr) stack.push_back(next);
        if (child != nullptr) {
            item = child;
        } else if (!stack.empty()) {
            item = stack.back();
            stack.pop_back();
        } else {
            item = nullptr;
        }
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return kExitOk;
}

int CmdPage(const Args& args, const Deadline& deadline) {
    long long index = 0;
    if (args.Positional().size() != 1 || !ParseNumber(args.Positional()[0], index)) return kExitUsage;
    HWND sheet = nullptr;
    if (!FindDialog(args, deadline, sheet)) return kExitFailed;
    // Posted: leaving the current page may show a box.
    if (!PostMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0)) return kExitFailed;
    Out(L"page " + std::to_wstring(index));
    return kExitOk;
}

int CmdSlider(const Args& args, const Deadline& deadline) {
    long long position = 0;
    if (args.Positional().size() != 1 || !ParseNumber(args.Positional()[0], position)) return kExitUsage;
    HWND dialog = nullptr;
    const HWND slider = ControlFromArgs(args, deadline, dialog);
    if (slider == nullptr) return kExitFailed;
    // What dragging the thumb does: the position moves, then the parent hears.
    Ask(slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(position));
    PostMessageW(GetParent(slider), WM_HSCROLL,
                 MAKEWPARAM(TB_THUMBPOSITION, static_cast<WORD>(position)),
                 reinterpret_cast<LPARAM>(slider));
    PostMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                 reinterpret_cast<LPARAM>(slider));
    Out(L"slider " + std::to_wstring(Ask(slider, TBM_GETPOS)));
    return kExitOk;
}

int CmdSetText(const Args& args, const Deadline& deadline) {
    if (args.Positional().size() != 1) return kExitUsage;
    HWND dialog = nullptr;
    const HWND control = ControlFromArgs(args, deadline, dialog);
    if (control == nullptr) return kExitFailed;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args.Positional()[0].c_str()),
                             kSendFlags, 1000, &result))
        return kExitFailed;
    Out(L"text " + Escape(TextOf(control, deadline)));
    return kExitOk;
}

int CmdTap(const Args& args, const Deadline& deadline) {
    long long count = 1;
    long long gap = 0;
    if ((args.Has(L"count") && !args.GetNumber(L"count", count)) ||
        (args.Has(L"gap-ms") && !args.GetNumber(L"gap-ms", gap)) || count < 1 || gap < 0)
        return kExitUsage;
    HWND dialog = nullptr;
    const HWND control = ControlFromArgs(args, deadline, dialog);
    if (control == nullptr) return kExitFailed;
    RECT r{};
    GetWindowRect(control, &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    for (long long i = 0; i < count; ++i) {
        if (i > 0) Sleep(static_cast<DWORD>(gap));
        if (!LeftClickAt(centre)) {
            Out(L"error SendInput failed, error " + std::to_wstring(GetLastError()));
            return kExitFailed;
        }
    }
    Out(L"tapped " + std::to_wstring(centre.x) + L" " + std::to_wstring(centre.y));
    return kExitOk;
}

}  // namespace qx::probe

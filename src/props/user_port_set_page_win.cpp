#include "props/user_port_set_page_win.h"

#include "res/resource_ids.h"

namespace qx {
namespace {

PortSuffixes Suffixes(const StringTablePort& strings) {
    return {strings.LoadText(IDS_SUFFIX_IN_USE), strings.LoadText(IDS_SUFFIX_SELECTED),
            strings.LoadText(IDS_SUFFIX_CONFLICTED), strings.LoadText(IDS_SUFFIX_NOT_PRESENT)};
}

}  // namespace

CUserPortSetPage::CUserPortSetPage(HINSTANCE instance, const PropServices& services)
    : CPropertyPage(instance, IDD_PROP_PORT), services_(services) {}

BOOL CUserPortSetPage::OnInitDialog() {
    // The COM port page opens every sheet, so the notice is armed per opening.
    if (services_.rightsNotice) *services_.rightsNotice = 1;
    if (setup) {
        FillSetup(0);
        // Once: the ports' refills keep the user's model choice.
        FillModels();
    } else {
        FillNormal();
    }
    EnableToolTips();
    picture_.Reset(LoadPicture(IDB_PORT_PICTURE));
    return TRUE;
}

void CUserPortSetPage::FillNormal() {
    ShowList(NormalFormList(CheckPagePorts(services_), services_.appPort,
                            Suffixes(*services_.strings)));
    ::ShowWindow(Item(IDC_MODEL_LABEL), SW_HIDE);
    ::ShowWindow(Item(IDC_MODEL_COMBO), SW_HIDE);
}

void CUserPortSetPage::FillSetup(std::size_t chosen) {
    ShowList(SetupFormList(CheckPagePorts(services_), services_.appPort, chosen,
                           Suffixes(*services_.strings)));
}

void CUserPortSetPage::FillModels() {
    HWND combo = Item(IDC_MODEL_COMBO);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (unsigned id : {IDS_MODEL_A100, IDS_MODEL_B200}) {
        const std::wstring model = services_.strings->LoadText(id);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(model.c_str()));
    }
    const std::wstring b200 = services_.strings->LoadText(IDS_MODEL_B200);
    ::SendMessageW(combo, CB_SETCURSEL,
                   ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(b200.c_str())),
                   0);
}

void CUserPortSetPage::ShowList(const PortList& list) {
    HWND box = Item(IDC_PORT_LIST);
    ::SendMessageW(box, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : list.entries)
        ::SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    // The box keeps the rules' order (COM2: before COM10:), so the index holds.
    if (list.selected) ::SendMessageW(box, LB_SETCURSEL, *list.selected, 0);
}

int CUserPortSetPage::EntryCount() const {
    return static_cast<int>(::SendMessageW(Item(IDC_PORT_LIST), LB_GETCOUNT, 0, 0));
}

bool CUserPortSetPage::OnCommand(WORD id, WORD code, HWND) {
    if (id != IDC_PORT_LIST || code != LBN_SELCHANGE) return false;
    // The first-run form probes again and moves the mark to the choice.
    if (setup && EntryCount() > 0) {
        const LRESULT index = ::SendMessageW(Item(IDC_PORT_LIST), LB_GETCURSEL, 0, 0);
        FillSetup(index == LB_ERR ? 0 : static_cast<std::size_t>(index));
    }
    return true;
}

bool CUserPortSetPage::OnKillActive() {
    return PortLeaveCheck(services_, SelectedListText(IDC_PORT_LIST).has_value());
}

void CUserPortSetPage::OnApply() {
    if (setup) ApplySetupChoices(services_, SelectedComboText(IDC_MODEL_COMBO));
    ApplyPortChoice(services_, SelectedListText(IDC_PORT_LIST));
}

bool CUserPortSetPage::OnQueryCancel() {
    // Whoever runs the first-run form may leave it without a choice; install
    // mode then says that nothing was set.
    if (setup) return true;
    return PortCancelCheck(services_, EntryCount() == 0);
}

std::wstring CUserPortSetPage::TooltipText(int controlId) const {
    return services_.strings->LoadText(controlId == IDC_PORT_LIST ? IDS_TIP_PORT_LIST
                                                                  : IDS_TIP_MODEL);
}

void CUserPortSetPage::OnPaint(HDC dc) {
    PaintPicture(dc, IDC_PORT_PICTURE, picture_.Get(), 0);
}

}  // namespace qx

#include "props/dblclick_set_page_win.h"

#include <string>

#include "base/message_text.h"
#include "framework/geometry_win.h"
#include "framework/private_ids.h"
#include "framework/scoped_handles_win.h"
#include "props/dblclick_rules.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

// The circle is drawn this long after the page becomes current, once the
// sheet has shown it (kCircleTimerId).
constexpr UINT kCircleDelayMs = 200;
constexpr COLORREF kCircleColour = RGB(255, 0, 0);
constexpr int kCirclePenWidth = 2;

// Sets a flag for the life of a scope and puts its old value back.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

CDblClickSetPage::CDblClickSetPage(HINSTANCE instance, const PropServices& services)
    : CPropertyPage(instance, IDD_PROP_DBLCLICK), services_(services) {}

BOOL CDblClickSetPage::OnInitDialog() {
    area_ = services_.settings->GetDblClick();
    SetupSlider(IDC_PAGE_SLIDER, kDblClickAreaMin, kDblClickAreaMax, area_, kDblClickAreaLine,
                kDblClickAreaPage, kDblClickAreaTicks);
    ShowArea();
    EnableToolTips();
    return TRUE;
}

void CDblClickSetPage::OnSetActive() { circleTimer_.Start(Hwnd(), kCircleTimerId, kCircleDelayMs); }

void CDblClickSetPage::ShowArea() {
    FlagScope showing(busy_);
    SetItemText(IDC_AREA_EDIT, std::to_wstring(area_));
}

// The edit's text as the rules read it; a character beyond ASCII is no
// digit, sign or blank, and stays none.
std::string CDblClickSetPage::AreaText() const { return NarrowAscii(ItemText(IDC_AREA_EDIT)); }

void CDblClickSetPage::FollowEdit() {
    const std::int32_t n = LeadingInteger(AreaText());
    if (!AreaInRange(n)) return;
    SetSliderPosition(IDC_PAGE_SLIDER, n);
    area_ = n;
    DrawCircle();
}

bool CDblClickSetPage::Validate() {
    FlagScope validating(busy_);
    const AreaValidation v = ValidateAreaText(AreaText(), area_);
    area_ = v.area;
    if (v.check == AreaCheck::Valid) return true;
    ShowAreaProblem(services_, v.check);
    HWND edit = Item(IDC_AREA_EDIT);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    return false;
}

void CDblClickSetPage::LeaveEdit() {
    // Leaving with Cancel stores nothing: nothing to say about the text.
    if (LeavingWithCancel() || Validate()) return;
    FlagScope forcing(busy_);
    area_ = ForcedArea(area_);
    ShowArea();
    FollowEdit();
    ::SetFocus(Item(IDC_AREA_EDIT));
}

void CDblClickSetPage::DrawCircle() const {
    HWND picture = Item(IDC_AREA_PICTURE);
    const Rect client = ClientRect(picture);
    WindowDC dc(picture);
    if (!dc.Get()) return;
    // The default pen and brush: a black border around white, over the
    // previous circle.
    ::Rectangle(dc.Get(), client.left, client.top, client.right, client.bottom);
    UniquePen red(::CreatePen(PS_SOLID, kCirclePenWidth, kCircleColour));
    SelectGuard select(dc.Get(), red.Get());
    const int r = area_ / 2;
    const int cx = client.right / 2;
    const int cy = client.bottom / 2;
    ::Arc(dc.Get(), cx - r, cy - r, cx + r, cy + r, cx, cy - r, cx, cy - r);
}

bool CDblClickSetPage::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_AREA_EDIT) {
        if (busy_) return true;
        if (code == EN_CHANGE) FollowEdit();
        if (code == EN_KILLFOCUS) LeaveEdit();
        return true;
    }
    if (id == IDC_SET_DEFAULT && code == BN_CLICKED) {
        area_ = kDblClickAreaDefault;
        SetSliderPosition(IDC_PAGE_SLIDER, area_);
        ShowArea();
        FollowEdit();
        return true;
    }
    return false;
}

bool CDblClickSetPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
    if (message != WM_HSCROLL || reinterpret_cast<HWND>(lParam) != Item(IDC_PAGE_SLIDER))
        return false;
    area_ = SliderPosition(IDC_PAGE_SLIDER);
    ShowArea();
    FollowEdit();
    *result = TRUE;
    return true;
}

bool CDblClickSetPage::OnTimer(UINT_PTR id) {
    if (id != kCircleTimerId) return false;
    circleTimer_.Stop();
    DrawCircle();
    return true;
}

void CDblClickSetPage::OnPaint(HDC) {
    // The frame paints after the page: the circle goes onto it once it has.
    ::UpdateWindow(Item(IDC_AREA_PICTURE));
    DrawCircle();
}

bool CDblClickSetPage::OnKillActive() { return Validate(); }

void CDblClickSetPage::OnApply() {
    if (!Validate()) return;
    ApplyDblClickArea(services_, area_);
}

std::wstring CDblClickSetPage::TooltipText(int) const {
    return services_.strings->LoadText(IDS_TIP_DBLCLICK_AREA);
}

}  // namespace qx

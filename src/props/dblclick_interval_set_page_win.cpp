#include "props/dblclick_interval_set_page_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/geometry_win.h"
#include "props/dblclick_rules.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

// The target is drawn this far inside its sunken frame.
constexpr int kTargetInset = 3;
// Animation play arguments: the last frame of the clip, and frame 0.
constexpr WPARAM kClipEnd = 0xFFFF;
constexpr WPARAM kFirstFrame = 0;

}  // namespace

CDblClickIntervalSetPage::CDblClickIntervalSetPage(HINSTANCE instance,
                                                   const PropServices& services)
    : CPropertyPage(instance, IDD_PROP_DBLCLICK_SPEED), services_(services) {}

BOOL CDblClickIntervalSetPage::OnInitDialog() {
    const std::int32_t interval = services_.settings->GetDblClickInterval();
    HWND holder = Item(IDC_SPEED_ANIMATION);
    const Rect client = ClientRect(holder);
    animation_ = ::CreateWindowExW(0, ANIMATE_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0,
                                   client.right, client.bottom, holder,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SPEED_ANIMATION)),
                                   Instance(), nullptr);
    if (animation_)
        ::SendMessageW(animation_, ACM_OPENW, reinterpret_cast<WPARAM>(Instance()),
                       reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(IDR_SPEED_ANIMATION)));
    SetupSlider(IDC_PAGE_SLIDER, kIntervalSliderMin, kIntervalSliderMax,
                PositionFromInterval(interval), kIntervalSliderLine, kIntervalSliderPage,
                kIntervalSliderTicks);
    autoStart_ = 0;
    testStart_ = 0;
    target_.Reset(LoadPicture(IDB_SPEED_TARGET));
    EnableToolTips();
    return TRUE;
}

void CDblClickIntervalSetPage::OnSetActive() { Rewind(); }

void CDblClickIntervalSetPage::Rewind() const {
    if (animation_) ::SendMessageW(animation_, ACM_PLAY, 0, MAKELPARAM(kFirstFrame, kFirstFrame));
}

void CDblClickIntervalSetPage::PlayOnce() const {
    if (animation_) ::SendMessageW(animation_, ACM_PLAY, 1, MAKELPARAM(kFirstFrame, kClipEnd));
}

void CDblClickIntervalSetPage::OnLeftRelease(Point client) {
    const auto now = static_cast<std::uint32_t>(::GetTickCount());
    if (ItemRect(IDC_SPEED_TARGET).Contains(client)) {
        const AutoSettingStep step = AutoSettingRelease(autoStart_, now);
        autoStart_ = step.start;
        if (step.setsSlider) SetSliderPosition(IDC_PAGE_SLIDER, step.position);
    } else if (ItemRect(IDC_SPEED_ANIMATION).Contains(client)) {
        const TestStep step = TestRelease(testStart_, now, SliderPosition(IDC_PAGE_SLIDER));
        testStart_ = step.start;
        if (step.plays) {
            PlayOnce();
        } else {
            Rewind();
        }
    }
}

bool CDblClickIntervalSetPage::OnCommand(WORD id, WORD code, HWND) {
    if (id != IDC_SET_DEFAULT || code != BN_CLICKED) return false;
    SetSliderPosition(IDC_PAGE_SLIDER, kIntervalDefaultPosition);
    Rewind();
    return true;
}

bool CDblClickIntervalSetPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR*) {
    if (message == WM_LBUTTONUP) OnLeftRelease({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return false;  // and the default handling as well
}

void CDblClickIntervalSetPage::OnPaint(HDC dc) {
    PaintPicture(dc, IDC_SPEED_TARGET, target_.Get(), kTargetInset);
}

void CDblClickIntervalSetPage::OnApply() {
    ApplyDblClickInterval(services_, SliderPosition(IDC_PAGE_SLIDER));
}

std::wstring CDblClickIntervalSetPage::TooltipText(int) const {
    return services_.strings->LoadText(IDS_TIP_DBLCLICK_SPEED);
}

}  // namespace qx

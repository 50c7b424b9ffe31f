#include "props/prop_set_sheet_win.h"

#include <optional>

#include "framework/geometry_win.h"
#include "framework/private_ids.h"
#include "props/dblclick_interval_set_page_win.h"
#include "props/dblclick_set_page_win.h"
#include "props/display_set_page_win.h"
#include "props/pen_button_set_page_win.h"
#include "props/user_port_set_page_win.h"

namespace qx {
namespace {

// The sheet's Apply button; it has no Help button.
constexpr int kApplyButton = 0x3021;

Rect ClientRectOf(HWND sheet, int id) { return ChildRect(sheet, ::GetDlgItem(sheet, id)); }

void MoveTo(HWND sheet, int id, const Rect& rect) { MoveWindowTo(::GetDlgItem(sheet, id), rect); }

// Normal form: OK and Cancel at the right end, Apply hidden.
int CALLBACK NormalButtons(HWND sheet, UINT message, LPARAM) {
    if (message != PSCB_INITIALIZED) return 0;
    const Rect apply = ClientRectOf(sheet, kApplyButton);
    const Rect cancel = ClientRectOf(sheet, IDCANCEL);
    MoveTo(sheet, IDCANCEL, apply);
    ::ShowWindow(::GetDlgItem(sheet, kApplyButton), SW_HIDE);
    MoveTo(sheet, IDOK, cancel);
    return 0;
}

// First-run form: OK alone, where Apply was.
int CALLBACK SetupButtons(HWND sheet, UINT message, LPARAM) {
    if (message != PSCB_INITIALIZED) return 0;
    const Rect apply = ClientRectOf(sheet, kApplyButton);
    ::ShowWindow(::GetDlgItem(sheet, kApplyButton), SW_HIDE);
    ::ShowWindow(::GetDlgItem(sheet, IDCANCEL), SW_HIDE);
    MoveTo(sheet, IDOK, apply);
    return 0;
}

// The system's own property sheet template, whose font every sheet has.
constexpr int kSystemSheetTemplate = 1006;

// The sheet sizes its pages in its own font's dialog units: the pages are
// shown in that font, so that each fits the sheet as its template is laid
// out. None when the system's template cannot be read.
std::optional<TemplateFont> SheetFont() {
    HMODULE controls = ::GetModuleHandleW(L"comctl32.dll");
    HRSRC found = controls ? ::FindResourceW(controls, MAKEINTRESOURCEW(kSystemSheetTemplate), RT_DIALOG)
                           : nullptr;
    HGLOBAL loaded = found ? ::LoadResource(controls, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return ReadTemplateFont(static_cast<const std::uint8_t*>(bytes), ::SizeofResource(controls, found));
}

}  // namespace

CPropSetSheet::CPropSetSheet(HINSTANCE instance, const PropServices& services, UINT captionId,
                             HWND parent, UINT startPage, SheetMode mode)
    : instance_(instance),
      services_(services),
      captionId_(captionId),
      parent_(parent),
      startPage_(startPage),
      mode_(mode) {
    auto portPage = std::make_unique<CUserPortSetPage>(instance, services_);
    portPage->setup = mode == SheetMode::Setup;
    portPage_ = portPage.get();
    pages_.push_back(std::move(portPage));
    if (mode == SheetMode::Setup) return;
    pages_.push_back(std::make_unique<CDblClickSetPage>(instance, services_));
    pages_.push_back(std::make_unique<CDblClickIntervalSetPage>(instance, services_));
    pages_.push_back(std::make_unique<CPenButtonSetPage>(instance, services_));
    auto displayPage = std::make_unique<CDisplaySetPage>(instance, services_, displays_);
    displayPage_ = displayPage.get();
    pages_.push_back(std::move(displayPage));
}

CPropSetSheet::~CPropSetSheet() = default;

INT_PTR CPropSetSheet::DoModal() {
    std::vector<HPROPSHEETPAGE> handles;
    const std::optional<TemplateFont> font = SheetFont();
    for (const auto& page : pages_) {
        HPROPSHEETPAGE handle = page->CreatePage(font ? &*font : nullptr);
        if (!handle) {
            // Pages the sheet never received are ours to free.
            for (HPROPSHEETPAGE made : handles) ::DestroyPropertySheetPage(made);
            return IDCANCEL;
        }
        handles.push_back(handle);
    }
    const std::wstring caption = services_.strings->LoadText(captionId_);
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_USECALLBACK | PSH_NOCONTEXTHELP;
    header.hwndParent = parent_;
    header.hInstance = instance_;
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = startPage_;
    header.phpage = handles.data();
    header.pfnCallback = mode_ == SheetMode::Setup ? &SetupButtons : &NormalButtons;
    // The sheet frees the pages it was given, whatever it returns.
    ::PropertySheetW(&header);
    // Posted, not sent: the main window chooses again from its own loop,
    // with no sheet left open beneath what that may ask.
    if (displayPage_ && displayPage_->Changed() && parent_)
        ::PostMessageW(parent_, WM_PANELDISPLAYCHANGED, 0, 0);
    return portPage_->Applied() ? IDOK : IDCANCEL;
}

}  // namespace qx

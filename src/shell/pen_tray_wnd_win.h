// The hidden main window: the hub that owns the serial link, the pen
// decoding, the pointer engine, the live calibration and the tray icon with
// its menu. Its destruction ends the application.
#ifndef QXDRV_SHELL_PEN_TRAY_WND_WIN_H
#define QXDRV_SHELL_PEN_TRAY_WND_WIN_H

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "calib/calib_model.h"
#include "calib/calib_select_rules.h"
#include "calib/calib_services.h"
#include "calib/live_calibration.h"
#include "calib/resolution_change.h"
#include "framework/box_owner_win.h"
#include "framework/gdi_owners_win.h"
#include "calib/cross_screen_win.h"
#include "diag/test_mode_dlg_win.h"
#include "link/serial_link_win.h"
#include "pen/pen_router.h"
#include "pointer/pointer_engine.h"
#include "pointer/pointer_output_win.h"
#include "shell/busy_gate.h"
#include "shell/html_help_win.h"
#include "shell/tray_icon_win.h"

namespace qx {

class CPenDriverApp;

// Window class of the main window; the test probe finds the driver by it.
constexpr wchar_t kTrayWndClass[] = L"QXdrvTrayWnd";
// Registered message that answers diagnostic questions (see DiagnosticQuery).
constexpr wchar_t kDiagnosticsMessage[] = L"QXdrvDiagnostics";

// Polls every 200 ms while the display control panel stays open.
constexpr UINT_PTR kDisplayPanelTimer = 0x1404;

enum DiagnosticQuery : WPARAM {
    kDiagReceivedBytes = 0,  // bytes delivered by the receive thread since start
    kDiagLineBufferLength = 1,
    kDiagButtonState = 2,
    kDiagPenEnabled = 3,
    kDiagReceiving = 4,  // the receive thread is running
    kDiagBusy = 5,
};

class CPenTrayWnd {
public:
    explicit CPenTrayWnd(CPenDriverApp& app);
    ~CPenTrayWnd();
    CPenTrayWnd(const CPenTrayWnd&) = delete;
    CPenTrayWnd& operator=(const CPenTrayWnd&) = delete;

    // Creates the hidden, full-screen, top-most window (its WM_CREATE adds
    // the tray icon and starts reception), then loads the live calibration
    // and the middle-button setting.
    bool Create();
    HWND Hwnd() const { return hwnd_; }
    // Lets modeless dialogs of the window see their keyboard messages.
    bool PreTranslate(MSG* msg);

    LiveCalibration& Calibration() { return calib_; }
    PenRouter& Router() { return router_; }
    PointerEngine& Engine() { return engine_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate();
    LRESULT OnPenData(WPARAM count, const char* text);
    LRESULT OnDiagnostics(WPARAM query) const;
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    void Teardown();

    // Menu and commands (tray_commands_win.cpp).
    void ShowTrayMenu();
    void OnCommand(unsigned id);
    // Runs a command under the busy rule: a second one only beeps.
    template <typename Command>
    void RunExclusive(Command&& command);
    void OnDisableComPort();
    // Calibration (calib_commands_win.cpp).
    enum class CalibOutcome {
        None,            // left without a new calibration
        Applied,         // a preset or the edge procedure's result is live
        Detail1Running,  // the cross screen goes on after this returns
    };
    CalibServices CalibrationServices();
    void OnCalibration();
    // "Select Calibration" and what its OK chose.
    CalibOutcome RunSelection();
    // Acts on the selection dialog's OK: a preset, the four-cross screen
    // (which goes on after this returns) or the edge procedure.
    CalibOutcome RunCalibrationChoice(CalibMethod method, int mode);
    // The cross screen ended, with a stored result or without one.
    void OnCrossCalibrationEnded(bool stored);
    // Resolution change (resolution_change_win.cpp): waits, off the window
    // thread's back, for the display control panel to close, then decides.
    void OnDisplayChange();
    void OnDisplayPanelTimer();
    void RunDisplayChange();
    void HandleDisplayChange();
    // While a change, a command or a calibration is in hand, a change waits.
    bool DisplayChangeMustWait() const;
    // Hands a change that waited to the message loop once nothing holds it.
    void ResumeDisplayChange();
    void ActOnResolution(const AskedResolution& asked, ResolutionOutcome outcome);
    void LeaveWithoutResult(const AskedResolution& asked);
    void ApplyDecline(const AskedResolution& asked);
    void MarkApplied(int width, int height);
    // Test mode (test_mode_commands_win.cpp): created once, then restored;
    // destroyed with the window.
    void OnTestMode();
    void DestroyTestMode();
    void OnHelp();
    void OnAbout();
    void OnProperties();
    void OnExit();

    CPenDriverApp& app_;
    HWND hwnd_ = nullptr;
    UINT diagnosticsMessage_ = 0;
    UINT taskbarCreatedMessage_ = 0;

    std::string portName_;  // empty while the pen's COM port is disabled
    BusyGate busy_;
    CalibrationModel calibModel_;
    LiveCalibration calib_;
    Win32PointerOutput pointerOutput_;
    PointerEngine engine_;
    PenRouter router_;
    SerialLink link_;
    std::unique_ptr<TrayIcon> icon_;
    HtmlHelpViewer help_;  // its windows close with the main window
    std::unique_ptr<CCrossCalibScreen> crossScreen_;
    std::unique_ptr<CTestModeDlg> testModeDlg_;
    // A resolution change is in hand while the panel wait runs or the
    // gate is closed; one that comes meanwhile waits for its end.
    BusyGate displayBusy_;
    WindowTimer displayPanelWait_;
    bool displayChangeWaits_ = false;
    // The size whose calibration was last applied; a change is compared
    // with it.
    int appliedWidth_ = 0;
    int appliedHeight_ = 0;
    // A Detail-1 that a resolution question's Yes started, and that question.
    bool detail1FromQuestion_ = false;
    AskedResolution detail1Asked_;
    std::unique_ptr<BoxOwnerScope> boxOwner_;  // the main window owns boxes by default
    std::uint64_t receivedBytes_ = 0;
    bool tornDown_ = false;
};

}  // namespace qx

#endif

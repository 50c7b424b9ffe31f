#include "link/port_reconnect_win.h"

#include <dbt.h>

#include <utility>

#include "base/message_text.h"
#include "framework/private_ids.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

// The interface class of COM ports (GUID_DEVINTERFACE_COMPORT), written out
// so that no GUID-defining header is needed.
constexpr GUID kComPortInterface = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

}  // namespace

PortReconnector::PortReconnector(PortReconnectServices services)
    : services_(std::move(services)) {}

PortReconnector::~PortReconnector() { Stop(); }

void PortReconnector::Start() {
    // Top-level windows get the DBT_DEVTYP_PORT broadcasts as well; this adds
    // the arrivals of COM port interfaces.
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kComPortInterface;
    arrivals_.Reset(::RegisterDeviceNotificationW(services_.window, &filter,
                                                  DEVICE_NOTIFY_WINDOW_HANDLE));
    rules_.Start(!services_.portName.empty());
}

void PortReconnector::OnDeviceChange(WPARAM event, LPARAM data) {
    if (event != DBT_DEVICEARRIVAL || data == 0) return;
    const DWORD type = reinterpret_cast<const DEV_BROADCAST_HDR*>(data)->dbch_devicetype;
    if (type == DBT_DEVTYP_PORT || type == DBT_DEVTYP_DEVICEINTERFACE) rules_.OnDeviceArrival();
}

void PortReconnector::Stop() {
    if (rules_.State() == PortState::Stopped) return;
    arrivals_.Reset();
    rules_.Stop();
}

bool PortReconnector::Open(bool first) {
    if (first) return services_.link->Start(services_.window, services_.portName, services_.sleepMs);
    if (services_.newStream) services_.newStream();
    return services_.link->Reopen();
}

void PortReconnector::Close() { services_.link->Stop(); }

void PortReconnector::ShowOpenFailed() {
    const std::wstring text = InsertArgs(services_.strings->LoadText(IDS_PORT_OPEN_FAILED),
                                         {Widen(services_.portName)});
    services_.boxes->ShowMessage(text, kMbIconExclamation | kMbOk);
}

void PortReconnector::SetRetryTimer(bool on) {
    if (on) {
        retry_.Start(services_.window, kPortRetryTimer, kPortRetryMs);
    } else {
        retry_.Stop();
    }
}

}  // namespace qx

// What the COM port page decides: which ports it lists and how it marks
// them, and what OK, leaving the page and Cancel do with the choice. The
// page itself only moves these into and out of its controls.
#ifndef QXDRV_PROPS_PORT_PAGE_RULES_H
#define QXDRV_PROPS_PORT_PAGE_RULES_H

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/settings_store.h"
#include "base/system_params_port.h"
#include "base/ui_ports.h"
#include "props/port_probes.h"

namespace qx {

// System error codes a port probe tells apart.
constexpr unsigned long kErrorFileNotFound = 2;
constexpr unsigned long kErrorAccessDenied = 5;

// False only when the system does not know the port.
bool PortExists(const PortOpenResult& result);
// Port names name the same port whatever their letters' case ("com1:").
bool SamePort(const std::string& a, const std::string& b);
// Whether the pen could use the port: this program's own port answers
// "access denied" because the serial link holds it.
bool PortUsable(const PortOpenResult& result, const std::string& port,
                const std::string& appPort);
// The port name of a list entry: the text before its first suffix (every
// suffix starts with a space).
std::string EntryPort(const std::wstring& entry);

struct PortSuffixes {
    std::wstring inUse;       // " [Using]"
    std::wstring selected;    // " [Selected]"
    std::wstring conflicted;  // " [Conflicted]"
    std::wstring notPresent;  // the configured port the system does not know
};

// The list box's contents in their order, and the entry to select (none
// when nothing is).
struct PortList {
    std::vector<std::wstring> entries;
    std::optional<std::size_t> selected;
};

// Both forms list the system's ports in numeric order (COM2: before
// COM10:). Normal form: the usable ports, a port another program holds
// left out; the configured port is always listed, in its place, and
// selected, so that the page can be left keeping it: marked in use, or,
// when the system does not list it (an adapter unplugged), not present. A
// name typed in other letters' case appears as configured; one that is no
// COM port name comes last.
PortList NormalFormList(const std::vector<PortCheck>& ports, const std::string& appPort,
                        const PortSuffixes& suffixes);
// Setup form: every port that opens or answers anything but "not found",
// the ones another program holds marked conflicted, and entry `chosen`
// marked selected and selected. When a port vanished since the last fill
// and `chosen` is past the end, the last entry takes the mark.
PortList SetupFormList(const std::vector<PortCheck>& ports, const std::string& appPort,
                       std::size_t chosen, const PortSuffixes& suffixes);

// The services the property pages use.
struct PropServices {
    SettingsStore* settings = nullptr;
    const StringTablePort* strings = nullptr;
    MessageBoxPort* boxes = nullptr;
    // The probe is shared with the workers that may outlive a page.
    std::shared_ptr<const PortProbePort> ports;
    const SerialPortListPort* portList = nullptr;
    WorkerThreadsPort* threads = nullptr;
    std::string appPort;  // "UsePort" as read at start; "" when none
    int* rightsNotice = nullptr;  // 1 while the rights notice may still be shown
    SystemParamsPort* system = nullptr;  // the drag threshold the other-setup page sets
    // The system's drag threshold when the program started, before it set
    // its own: what the HTML optimisation switched off puts back.
    int startDragWidth = 0;
    int startDragHeight = 0;
};

// The system's ports, each opened within the page's bound.
std::vector<PortCheck> CheckPagePorts(const PropServices& services);

// Shows the "no rights" notice unless it was shown already in this opening.
void ShowRightsNoticeOnce(const PropServices& services);

// "QXMachine" for the model combo's selected text (none: the B200).
std::int32_t ModelCodeFromChoice(const std::optional<std::wstring>& choice,
                                 const StringTablePort& strings);

// Leaving the page or OK without a selection: asks for one and refuses.
bool PortLeaveCheck(const PropServices& services, bool hasSelection);
// Cancel: refused while no port is configured, unless the machine offers
// none to choose, so that nobody is held in the sheet.
bool PortCancelCheck(const PropServices& services, bool listEmpty);

// The setup form's writes on OK: model, version stamp, no start-up pause,
// the resolution notice and the small button on.
void ApplySetupChoices(const PropServices& services,
                       const std::optional<std::wstring>& modelChoice);
// Stores the chosen port as OK asks, with the question, the warnings and
// the notices the choice calls for.
void ApplyPortChoice(const PropServices& services, const std::optional<std::wstring>& entry);

}  // namespace qx

#endif

#include "props/port_page_rules.h"

#include <algorithm>

#include "base/message_text.h"
#include "link/port_names.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr unsigned kWarning = kMbOk | kMbIconExclamation;
constexpr unsigned kNotice = kMbOk | kMbIconInformation;

// Where an entry for the port goes: by its number, a foreign name last.
int PortOrder(const std::string& port) {
    return ComPortNumber(port).value_or(kLastComPort + 1);
}

}  // namespace

bool PortExists(const PortOpenResult& result) {
    return result.opened || result.error != kErrorFileNotFound;
}

bool SamePort(const std::string& a, const std::string& b) { return SameAsciiName(a, b); }

bool PortUsable(const PortOpenResult& result, const std::string& port,
                const std::string& appPort) {
    if (result.opened) return true;
    if (result.error == kErrorFileNotFound) return false;
    if (result.error == kErrorAccessDenied) return SamePort(port, appPort);
    return true;
}

std::string EntryPort(const std::wstring& entry) {
    return NarrowAscii(entry.substr(0, entry.find(L' ')));
}

PortList NormalFormList(const std::vector<PortCheck>& ports, const std::string& appPort,
                        const PortSuffixes& suffixes) {
    PortList list;
    bool present = false;
    for (const PortCheck& check : ports) {
        if (SamePort(check.port, appPort)) present = true;
        else if (PortUsable(check.answer, check.port, appPort)) list.entries.push_back(Widen(check.port));
    }
    if (appPort.empty()) return list;
    // In its place among the ports, which carry no suffix yet.
    const auto at = std::find_if(list.entries.begin(), list.entries.end(), [&](const std::wstring& entry) {
        return PortOrder(NarrowAscii(entry)) > PortOrder(appPort);
    });
    list.selected = static_cast<std::size_t>(at - list.entries.begin());
    list.entries.insert(at, Widen(appPort) + (present ? suffixes.inUse : suffixes.notPresent));
    return list;
}

PortList SetupFormList(const std::vector<PortCheck>& ports, const std::string& appPort,
                       std::size_t chosen, const PortSuffixes& suffixes) {
    PortList list;
    for (const PortCheck& check : ports) {
        if (!PortExists(check.answer)) continue;
        std::wstring entry = Widen(check.port);
        if (!PortUsable(check.answer, check.port, appPort)) entry += suffixes.conflicted;
        list.entries.push_back(std::move(entry));
    }
    if (!list.entries.empty()) {
        const std::size_t marked = std::min(chosen, list.entries.size() - 1);
        list.entries[marked] += suffixes.selected;
        list.selected = marked;
    }
    return list;
}

std::vector<PortCheck> CheckPagePorts(const PropServices& services) {
    return CheckSystemPorts(*services.portList, services.ports, *services.threads,
                            kPortProbeWaitMs);
}

void ShowRightsNoticeOnce(const PropServices& services) {
    if (!services.rightsNotice || *services.rightsNotice != 1) return;
    services.boxes->ShowMessage(services.strings->LoadText(IDS_NO_RIGHTS),
                                kMbOk | kMbIconHand);
    *services.rightsNotice = 0;
}

std::int32_t ModelCodeFromChoice(const std::optional<std::wstring>& choice,
                                 const StringTablePort& strings) {
    if (choice && *choice == strings.LoadText(IDS_MODEL_A100)) return kModelPxA100;
    return kModelPxB200;
}

bool PortLeaveCheck(const PropServices& services, bool hasSelection) {
    if (hasSelection) return true;
    services.boxes->ShowMessage(services.strings->LoadText(IDS_SELECT_PORT), kWarning);
    return false;
}

bool PortCancelCheck(const PropServices& services, bool listEmpty) {
    if (!services.appPort.empty() || listEmpty) return true;
    services.boxes->ShowMessage(services.strings->LoadText(IDS_SELECT_PORT), kWarning);
    return false;
}

void ApplySetupChoices(const PropServices& services,
                       const std::optional<std::wstring>& modelChoice) {
    SettingsStore& settings = *services.settings;
    settings.SetQXMachine(ModelCodeFromChoice(modelChoice, *services.strings));
    settings.SetQXdrvVersion(NarrowAscii(services.strings->LoadText(IDS_VERSION_STAMP)));
    settings.SetSleepTime(0);
    // First-run defaults, written with the rest so that leaving the form
    // without OK stores nothing.
    settings.SetCalibDisp(1);
    settings.SetMiddleButon(1);
}

void ApplyPortChoice(const PropServices& services, const std::optional<std::wstring>& entry) {
    const StringTablePort& strings = *services.strings;
    MessageBoxPort& boxes = *services.boxes;
    if (!entry) {
        boxes.ShowMessage(strings.LoadText(IDS_SELECT_PORT), kWarning);
        return;
    }
    const std::string port = EntryPort(*entry);
    const std::string& appPort = services.appPort;
    if (SamePort(port, appPort)) return;
    if (!appPort.empty()) {
        if (boxes.ShowMessage(strings.LoadText(IDS_PORT_CHANGE_QUESTION),
                              kMbYesNo | kMbIconQuestion) != kIdYes) {
            boxes.ShowMessage(strings.LoadText(IDS_PORT_CHANGE_CANCELED), kWarning);
            return;
        }
    } else if (!PortUsable(CheckPorts({port}, services.ports, *services.threads, kPortProbeWaitMs)
                               .front()
                               .answer,
                           port, appPort)) {
        boxes.ShowMessage(strings.LoadText(IDS_PORT_CONFLICT_WARNING), kNotice);
    }
    if (!services.settings->SetUsePort(port)) ShowRightsNoticeOnce(services);
    if (!appPort.empty())
        boxes.ShowMessage(InsertArgs(strings.LoadText(IDS_PORT_CHANGED), {Widen(port)}), kNotice);
}

}  // namespace qx

#include "props/port_page_rules.h"

#include <algorithm>
#include <cstdio>

#include "base/message_text.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

constexpr unsigned kWarning = kMbOk | kMbIconExclamation;
constexpr unsigned kNotice = kMbOk | kMbIconInformation;

template <typename Keep>
std::vector<std::string> PortsWhere(Keep keep) {
    std::vector<std::string> ports;
    for (int n = kFirstListedPort; n <= kLastListedPort; ++n) {
        std::string port = PortName(n);
        if (keep(port)) ports.push_back(std::move(port));
    }
    return ports;
}

}  // namespace

std::string PortName(int number) {
    char name[16];
    std::snprintf(name, sizeof(name), "COM%d:", number);
    return name;
}

bool PortExists(const PortOpenResult& result) {
    return result.opened || result.error != kErrorFileNotFound;
}

bool SamePort(const std::string& a, const std::string& b) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return upper(x) == upper(y); });
}

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

PortList NormalFormList(const PortProbePort& probe, const std::string& appPort,
                        const PortSuffixes& suffixes) {
    PortList list;
    // The configured port is added below, in any case.
    for (const std::string& port : PortsWhere([&](const std::string& p) {
             return !SamePort(p, appPort) && PortUsable(probe.Probe(p), p, appPort);
         }))
        list.entries.push_back(Widen(port));
    if (appPort.empty()) return list;
    // The list box sorts its entries itself: the order here does not matter.
    const bool present = PortExists(probe.Probe(appPort));
    list.selected = list.entries.size();
    list.entries.push_back(Widen(appPort) + (present ? suffixes.inUse : suffixes.notPresent));
    return list;
}

PortList SetupFormList(const PortProbePort& probe, const std::string& appPort,
                       std::size_t chosen, const PortSuffixes& suffixes) {
    PortList list;
    for (int n = kFirstListedPort; n <= kLastListedPort; ++n) {
        const std::string port = PortName(n);
        const PortOpenResult result = probe.Probe(port);
        if (!PortExists(result)) continue;
        std::wstring entry = Widen(port);
        if (!PortUsable(result, port, appPort)) entry += suffixes.conflicted;
        list.entries.push_back(std::move(entry));
    }
    if (!list.entries.empty()) {
        const std::size_t marked = std::min(chosen, list.entries.size() - 1);
        list.entries[marked] += suffixes.selected;
        list.selected = marked;
    }
    return list;
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
    } else if (!PortUsable(services.ports->Probe(port), port, appPort)) {
        boxes.ShowMessage(strings.LoadText(IDS_PORT_CONFLICT_WARNING), kNotice);
    }
    if (!services.settings->SetUsePort(port)) ShowRightsNoticeOnce(services);
    if (!appPort.empty())
        boxes.ShowMessage(InsertArgs(strings.LoadText(IDS_PORT_CHANGED), {Widen(port)}), kNotice);
}

}  // namespace qx

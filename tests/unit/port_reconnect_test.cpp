// COM port names and the device paths they open by, and the rules that keep
// the pen port open while a USB serial adapter comes and goes.
#include "link/port_reconnect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/port_names.h"

namespace qx {
namespace {

TEST(PortNames, StoredNameToNumberAndDevicePath) {
    struct Row {
        const char* name;
        int number;  // 0: not a COM port name
        const char* path;
    };
    const Row rows[] = {
        {"COM1:", 1, "\\\\.\\COM1"},       {"COM9:", 9, "\\\\.\\COM9"},
        {"COM10:", 10, "\\\\.\\COM10"},    {"COM256:", 256, "\\\\.\\COM256"},
        {"com12:", 12, "\\\\.\\COM12"},    {"COM1", 1, "\\\\.\\COM1"},
        {"COM257:", 0, "COM257:"},         {"COM0:", 0, "COM0:"},
        {"COM01:", 0, "COM01:"},           {"COM:", 0, "COM:"},
        {"", 0, ""},                       {"LPT1:", 0, "LPT1:"},
        {"COM1x:", 0, "COM1x:"},           {"COM1234:", 0, "COM1234:"},
        {"\\\\.\\COM3", 0, "\\\\.\\COM3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ComPortNumber(row.name).value_or(0), row.number);
        EXPECT_EQ(PortDevicePath(row.name), row.path);
    }
    EXPECT_EQ(ComPortName(12), "COM12:");
    EXPECT_EQ(ComPortName(256), "COM256:");
}

// A port whose device is there or not. Every call is logged: "start+" /
// "start-" (the first open and whether it opened), "open+" / "open-",
// "close", "box", "timer-on", "timer-off". Steps may plant a call back into
// the rules inside the next open, close or box, as messages served during
// those calls do.
class FakePort : public PenPortControl {
public:
    bool present = false;
    std::string log;
    PortReconnect* rules = nullptr;
    std::string inOpen, inClose, inBox;  // "stop", "arrive" or "back-arrive"

    bool Open(bool first) override {
        Nested(inOpen);
        Log(std::string(first ? "start" : "open") + (present ? "+" : "-"));
        return present;
    }
    void Close() override {
        Nested(inClose);
        Log("close");
    }
    void ShowOpenFailed() override {
        Log("box");
        Nested(inBox);
    }
    void SetRetryTimer(bool on) override { Log(on ? "timer-on" : "timer-off"); }

private:
    void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }
    void Nested(std::string& what) {
        const std::string now = what;
        what.clear();
        if (now == "stop") rules->Stop();
        if (now == "back-arrive") present = true;
        if (now == "arrive" || now == "back-arrive") rules->OnDeviceArrival();
    }
};

TEST(PortReconnect, DeviceComesAndGoes) {
    struct Case {
        const char* what;
        bool configured;
        bool presentAtStart;
        std::vector<std::string> steps;  // "start", "gone", "back", "arrive", "tick", "stop", "in-*=..."
        const char* log;
        PortState end;
    };
    const Case cases[] = {
        {"present, gone, a failed retry, back on the next tick", true, true,
         {"start", "gone", "tick", "back", "tick", "tick"},
         "start+ close timer-on open- open+ timer-off", PortState::Open},
        {"back, seen by a device arrival", true, true, {"start", "gone", "back", "arrive", "arrive"},
         "start+ close timer-on open+ timer-off", PortState::Open},
        {"gone at start: one box, then quiet retries", true, false,
         {"start", "tick", "arrive", "tick", "back", "tick", "gone", "tick"},
         "start- box timer-on open- open- open- open+ timer-off close timer-on open-",
         PortState::Absent},
        {"arrival and tick while open: nothing", true, true,
         {"start", "arrive", "tick", "back", "arrive"}, "start+", PortState::Open},
        {"no port configured: one box, never retried", false, false,
         {"start", "tick", "back", "arrive", "gone"}, "start- box", PortState::Idle},
        {"stopped while absent: no retry after", true, false, {"start", "stop", "back", "tick", "arrive"},
         "start- box timer-on timer-off close", PortState::Stopped},
        {"stopped while open", true, true, {"start", "stop", "gone", "tick"},
         "start+ timer-off close", PortState::Stopped},
        {"the device arrives while the box is open: no timer after it", true, false,
         {"in-box=back-arrive", "start"}, "start- box open+ timer-off", PortState::Open},
        {"an arrival while the ended link is closed is left to the retry", true, true,
         {"start", "in-close=arrive", "gone", "back", "tick"},
         "start+ close timer-on open+ timer-off", PortState::Open},
        {"stopped while a reopen ends the old thread: the new one is closed", true, false,
         {"start", "back", "in-open=stop", "tick"},
         "start- box timer-on timer-off close open+ close", PortState::Stopped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePort port;
        PortReconnect rules(port);
        port.rules = &rules;
        port.present = c.presentAtStart;
        for (const std::string& step : c.steps) {
            if (step == "start") rules.Start(c.configured);
            if (step == "gone") {
                port.present = false;
                rules.OnLinkEnded();
            }
            if (step == "back") port.present = true;
            if (step == "arrive") rules.OnDeviceArrival();
            if (step == "tick") rules.OnRetryTick();
            if (step == "stop") rules.Stop();
            if (step.rfind("in-open=", 0) == 0) port.inOpen = step.substr(8);
            if (step.rfind("in-close=", 0) == 0) port.inClose = step.substr(9);
            if (step.rfind("in-box=", 0) == 0) port.inBox = step.substr(7);
        }
        EXPECT_EQ(port.log, c.log);
        EXPECT_EQ(rules.State(), c.end);
    }
}

}  // namespace
}  // namespace qx

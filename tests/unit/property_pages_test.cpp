// The rules of the property sheet's pages: the COM port lists and what OK,
// leaving and Cancel do with the choice; the double-click area edit, the
// speed page's two-click exchanges, what the other-setup page stores and
// sets, the panel display list and its choice, and the rights notice a
// failed write brings. Settings live in a
// fake registry; a text a suite names reads "#<id>".
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/settings_store.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_ui.h"
#include "props/dblclick_rules.h"
#include "props/display_page_rules.h"
#include "props/pen_button_rules.h"
#include "props/port_page_rules.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

// Set once; whoever waits on it blocks until then or gives up.
class Gate : public DoneSignal {
public:
    void Set() override {
        std::lock_guard<std::mutex> lock(mutex_);
        set_ = true;
        changed_.notify_all();
    }
    bool WaitFor(unsigned ms) override {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return set_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
};

// Long enough for threads that answer at once on a loaded machine.
constexpr unsigned kAnswerAllMs = 60000;

// Real threads, joined when the test is done with them.
class TestWorkers : public WorkerThreadsPort {
public:
    ~TestWorkers() override {
        for (std::thread& thread : threads_) thread.join();
    }
    std::shared_ptr<DoneSignal> NewSignal() override { return std::make_shared<Gate>(); }
    bool Start(std::function<void()> work) override {
        threads_.emplace_back(std::move(work));
        return true;
    }

private:
    std::vector<std::thread> threads_;
};

// Ports answer as the table says, their names without regard to case as
// the system takes them; any other is unknown to the system. The system
// lists `listed`. The `stuck` port answers only once its gate opens.
class TablePorts : public PortProbePort, public SerialPortListPort {
public:
    PortOpenResult Probe(const std::string& port) const override {
        std::string name = port;
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (stuckGate && name == stuck) stuckGate->WaitFor(kAnswerAllMs);
        std::lock_guard<std::mutex> lock(mutex_);
        probed_.push_back(port);
        auto it = answers.find(name);
        return it == answers.end() ? PortOpenResult{false, kErrorFileNotFound} : it->second;
    }
    std::vector<std::string> SerialPorts() const override { return listed; }
    // The ports opened so far, sorted as text.
    std::vector<std::string> Probed() const {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<std::string> names = probed_;
        std::sort(names.begin(), names.end());
        return names;
    }
    std::map<std::string, PortOpenResult> answers;
    std::vector<std::string> listed;
    std::string stuck;
    std::shared_ptr<Gate> stuckGate;

private:
    mutable std::mutex mutex_;
    mutable std::vector<std::string> probed_;
};

constexpr PortOpenResult kFree{true, 0};
constexpr PortOpenResult kHeld{false, kErrorAccessDenied};
const PortSuffixes kSuffixes{L" [Using]", L" [Selected]", L" [Conflicted]", L" [Not present]"};

// A machine with a free COM1:, a COM2: another program holds, COM3: held
// by whoever owns it, no COM4:, a COM5: that fails oddly ("device not
// functioning"), a USB adapter COM12: the pen's link holds and a free
// COM256:, listed in the system's own order.
std::shared_ptr<TablePorts> Machine() {
    auto ports = std::make_shared<TablePorts>();
    ports->answers = {{"COM1:", kFree}, {"COM2:", kHeld}, {"COM3:", kHeld}, {"COM5:", {false, 31}},
                      {"COM12:", kHeld}, {"COM256:", kFree}};
    ports->listed = {"COM12", "COM3", "COM256", "COM1", "COM5", "COM2"};
    return ports;
}

std::vector<PortCheck> Checks(const std::shared_ptr<TablePorts>& ports) {
    TestWorkers workers;
    return CheckSystemPorts(*ports, ports, workers, kAnswerAllMs);
}

struct Rig {
    Rig() {
        for (unsigned id : {IDS_NO_RIGHTS, IDS_ENTER_INTEGER, IDS_HTML_NEXT_START, IDS_PORT_CHANGE_QUESTION,
                            IDS_SELECT_PORT, IDS_PORT_CONFLICT_WARNING})
            strings.texts[id] = L"#" + std::to_wstring(id);
        strings.texts.insert({{IDS_ENTER_INTEGER_RANGE, L"between %1 and %2"}, {IDS_MODEL_A100, L"PX-A100"},
                              {IDS_MODEL_B200, L"PX-B200"}, {IDS_VERSION_STAMP, L"Version 1.2"}});
        services = {&store, &strings, &boxes, ports, &*ports, &workers, "", &rightsNotice, &system, 6, 7};
    }
    std::vector<std::wstring> Shown() const {
        std::vector<std::wstring> texts;
        for (const auto& box : boxes.shown) texts.push_back(box.text);
        return texts;
    }
    const RegValueData* Stored(Hive hive, const char* name) const {
        return registry.Find(hive, "SOFTWARE\\NORVANE\\QXdrv1.2\\Setting", name);
    }
    // A number stored per machine, or -1.
    std::int32_t Number(const char* name) const {
        const RegValueData* value = Stored(Hive::LocalMachine, name);
        std::int32_t n = -1;
        if (value && value->bytes.size() == 4) std::memcpy(&n, value->bytes.data(), 4);
        return n;
    }
    test::FakeRegistry registry;
    test::FakeSystemParams system;
    SettingsStore store{registry, system};
    test::FakeStrings strings;
    test::FakeMessageBoxes boxes;
    std::shared_ptr<TablePorts> ports = Machine();
    TestWorkers workers;
    int rightsNotice = 1;  // a fresh opening of the sheet
    PropServices services;
};

// The lists, in numeric order: the configured port held by the pen's own
// link (named in any case), missing but kept, or no COM port name at all;
// the first-run form naming the configured port plainly, and a port
// vanished since the last fill.
TEST(PortList, EachFormListsAndMarksThePortsInNumericOrder) {
    struct Case {
        bool setup;
        const char* appPort;
        std::size_t chosen;
        std::vector<std::wstring> entries;
        std::optional<std::size_t> selected;
    } cases[] = {
        {false, "com3:", 0, {L"COM1:", L"com3: [Using]", L"COM5:", L"COM256:"}, 1},
        {false, "COM12:", 0, {L"COM1:", L"COM5:", L"COM12: [Using]", L"COM256:"}, 2},
        {false, "COM4:", 0, {L"COM1:", L"COM4: [Not present]", L"COM5:", L"COM256:"}, 1},
        {false, "COM300:", 0, {L"COM1:", L"COM5:", L"COM256:", L"COM300: [Not present]"}, 3},
        {false, "", 0, {L"COM1:", L"COM5:", L"COM256:"}, std::nullopt},
        {true, "", 0,
         {L"COM1: [Selected]", L"COM2: [Conflicted]", L"COM3: [Conflicted]", L"COM5:", L"COM12: [Conflicted]",
          L"COM256:"},
         0},
        {true, "COM3:", 1,
         {L"COM1:", L"COM2: [Conflicted] [Selected]", L"COM3:", L"COM5:", L"COM12: [Conflicted]", L"COM256:"},
         1},
        {true, "", 9,
         {L"COM1:", L"COM2: [Conflicted]", L"COM3: [Conflicted]", L"COM5:", L"COM12: [Conflicted]",
          L"COM256: [Selected]"},
         5},
    };
    const std::vector<PortCheck> checks = Checks(Machine());
    for (const Case& c : cases) {
        const PortList list = c.setup ? SetupFormList(checks, c.appPort, c.chosen, kSuffixes)
                                      : NormalFormList(checks, c.appPort, kSuffixes);
        EXPECT_EQ(list.entries, c.entries) << c.setup << ' ' << c.appPort;
        EXPECT_EQ(list.selected, c.selected) << c.setup << ' ' << c.appPort;
    }
    EXPECT_TRUE(SetupFormList({}, "", 0, kSuffixes).entries.empty());
    EXPECT_FALSE(SetupFormList({}, "", 0, kSuffixes).selected.has_value());
}

TEST(PortList, OnlyTheSystemsComOneTo256AreProbed) {
    auto ports = std::make_shared<TablePorts>();
    ports->answers = {{"COM3:", kFree}, {"COM10:", kFree}, {"COM256:", kFree}};
    ports->listed = {"COM256", "COM3", "COM0", "COM257", "COM3:", "com10", "LPT1", "COM010", "COM", ""};
    const std::vector<PortCheck> checks = Checks(ports);
    std::vector<std::string> names;
    for (const PortCheck& check : checks) names.push_back(check.port);
    EXPECT_EQ(names, (std::vector<std::string>{"COM3:", "COM10:", "COM256:"}));
    EXPECT_EQ(ports->Probed(), (std::vector<std::string>{"COM10:", "COM256:", "COM3:"}));
}

// A Bluetooth port asleep that would answer "held" holds up neither form
// nor OK: it is listed free and taken without the conflict warning. It
// answers only after the page's results are gone, so a worker writing
// into anything of the page's shows under the address sanitizer.
TEST(PortList, APortThatDoesNotAnswerInTimeIsListedFree) {
    auto gate = std::make_shared<Gate>();
    auto ports = std::make_shared<TablePorts>();
    ports->answers = {{"COM1:", kFree}, {"COM7:", kHeld}, {"COM12:", kFree}};
    ports->listed = {"COM7", "COM12", "COM1"};
    ports->stuck = "COM7:";
    ports->stuckGate = gate;
    {
        TestWorkers workers;
        {
            const std::vector<PortCheck> checks = CheckSystemPorts(*ports, ports, workers, kPortProbeWaitMs);
            EXPECT_EQ(SetupFormList(checks, "", 0, kSuffixes).entries,
                      (std::vector<std::wstring>{L"COM1: [Selected]", L"COM7:", L"COM12:"}));
            EXPECT_EQ(NormalFormList(checks, "COM1:", kSuffixes).entries,
                      (std::vector<std::wstring>{L"COM1: [Using]", L"COM7:", L"COM12:"}));
            Rig rig;
            rig.services.ports = ports;
            rig.services.threads = &workers;
            ApplyPortChoice(rig.services, L"COM7: [Selected]");
            EXPECT_TRUE(rig.Shown().empty());
            EXPECT_EQ(rig.store.GetUsePort(), "COM7:");
        }
        gate->Set();
    }
    EXPECT_EQ(ports->Probed(), (std::vector<std::string>{"COM12:", "COM1:", "COM7:", "COM7:"}));
}

TEST(PortList, AnEntryNamesItsPort) {
    EXPECT_EQ(EntryPort(L"COM2: [Conflicted] [Selected]"), "COM2:");
    EXPECT_EQ(EntryPort(L"COM12: [Using]"), "COM12:");
    EXPECT_EQ(EntryPort(L"COM256: [Conflicted] [Selected]"), "COM256:");
    EXPECT_EQ(EntryPort(L"COM7: [使用中]"), "COM7:");
    EXPECT_EQ(EntryPort(L"COM"), "COM");
}

// A change asked about and answered, a first port free or held, and a port
// the system does not know kept are met on the real sheet by the
// properties system test.
TEST(PortApply, StoresThePortNameOrAsksForAPort) {
    struct Case {
        const char* name;
        const char* appPort;
        std::optional<std::wstring> entry;
        std::vector<std::wstring> shown;
        const char* stored;  // in both hives, exactly: no suffix, no terminating zero
    } cases[] = {
        {"same port, other case", "com1:", L"com1: [Using]", {}, "(untouched)"},
        {"first, free", "", L"COM1: [Selected]", {}, "COM1:"},
        {"no selection", "COM1:", std::nullopt, {L"#57698"}, "(untouched)"},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.services.appPort = c.appPort;
        ApplyPortChoice(rig.services, c.entry);
        EXPECT_EQ(rig.Shown(), c.shown) << c.name;
        for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
            const RegValueData* port = rig.Stored(hive, "UsePort");
            EXPECT_EQ(port ? std::string(port->bytes.begin(), port->bytes.end()) : "(untouched)", c.stored) << c.name;
            if (port) EXPECT_EQ(port->type, kRegSz) << c.name;
        }
    }
}

// Cancel with a port configured, or with none and ports to choose from,
// and leaving the page with or without a choice are met on the real sheet
// by the properties and pointer pages system tests; here the boxes' icon
// and a machine without ports.
TEST(PortChecks, CancelAndLeavingAskForAPortUnlessThereIsNoneToChoose) {
    Rig rig;
    EXPECT_TRUE(PortCancelCheck(rig.services, true));
    EXPECT_TRUE(PortLeaveCheck(rig.services, true));
    EXPECT_TRUE(rig.Shown().empty());
    EXPECT_FALSE(PortCancelCheck(rig.services, false));
    EXPECT_FALSE(PortLeaveCheck(rig.services, false));
    EXPECT_EQ(rig.Shown(), (std::vector<std::wstring>{L"#57698", L"#57698"}));
    for (const auto& box : rig.boxes.shown) EXPECT_EQ(box.flags, kMbOk | kMbIconExclamation);
}

TEST(PortSetup, StoresTheModelChosenAndTheVersion) {
    const std::pair<std::optional<std::wstring>, std::int32_t> cases[] = {
        {std::nullopt, 200}, {L"PX-A100", 100}, {L"PX-B200", 200}, {L"PX-A1000", 200}};
    for (const auto& [choice, model] : cases) {
        Rig rig;
        ApplySetupChoices(rig.services, choice);
        EXPECT_EQ(rig.store.GetQXMachine(), model) << choice.value_or(L"(none)");
        const RegValueData* version = rig.Stored(Hive::CurrentUser, "QXdrvVersion");
        ASSERT_NE(version, nullptr);
        EXPECT_EQ(std::string(version->bytes.begin(), version->bytes.end()), "Version 1.2");
    }
}

TEST(AreaEdit, ValidatesForcesAndTellsWhy) {
    struct Case {
        const char* text;
        AreaCheck check;
        std::int32_t area;    // the field after validation (previous value 40)
        std::int32_t forced;  // what leaving the edit shows when invalid
    } cases[] = {
        {"32", AreaCheck::Valid, 32, 0},
        {" \t 12 \t", AreaCheck::Valid, 12, 0},
        {"+64", AreaCheck::Valid, 64, 0},
        {"008", AreaCheck::Valid, 8, 0},
        {"7", AreaCheck::OutOfRange, 7, 8},
        {"65", AreaCheck::OutOfRange, 65, 64},
        {"-0", AreaCheck::NotInteger, 40, 64},  // converts to 0 without a leading "0"
        {"12abc", AreaCheck::NotInteger, 40, 64},
        {"", AreaCheck::NotInteger, 40, 64},
        {"-", AreaCheck::NotInteger, 40, 64},
        // Beyond 32 bits: out of range, not wrapped into it.
        {"4294967328", AreaCheck::OutOfRange, 2147483647, 64},
        {"-99999999999", AreaCheck::OutOfRange, -2147483647 - 1, 8},
        // Only 31 characters are read: the letters past them go unseen...
        {"                             40xyz", AreaCheck::Valid, 40, 0},
        // ...and digits cut at the 31st stay an integer.
        {"                             1234", AreaCheck::Valid, 12, 0},
    };
    for (const Case& c : cases) {
        const AreaValidation v = ValidateAreaText(c.text, 40);
        EXPECT_EQ(v.check, c.check) << '"' << c.text << '"';
        EXPECT_EQ(v.area, c.area) << '"' << c.text << '"';
        if (c.check != AreaCheck::Valid) EXPECT_EQ(ForcedArea(v.area), c.forced) << '"' << c.text << '"';
    }
    const std::pair<const char*, std::int32_t> typed[] = {
        {"12abc", 12}, {"  -7x", -7}, {"abc", 0}, {"+40", 40}, {"99999999999", 2147483647}};
    for (const auto& [text, n] : typed) EXPECT_EQ(LeadingInteger(text), n) << text;
    Rig rig;
    ShowAreaProblem(rig.services, AreaCheck::NotInteger);
    ShowAreaProblem(rig.services, AreaCheck::OutOfRange);
    ShowAreaProblem(rig.services, AreaCheck::Valid);
    EXPECT_EQ(rig.Shown(), (std::vector<std::wstring>{L"#61712", L"between 8 and 64"}));
    for (const auto& box : rig.boxes.shown) EXPECT_EQ(box.flags, kMbOk | kMbIconExclamation);
}

TEST(SpeedScale, PositionsAndIntervals) {
    const std::pair<std::int32_t, int> cases[] = {
        {500, 800}, {400, 900}, {300, 1000}, {1000, 300}, {-2147483647 - 1, 1000}, {2147483647, 300}};
    for (const auto& [ms, position] : cases) EXPECT_EQ(PositionFromInterval(ms), position) << ms;
}

// Releases in turn on the auto-setting target (slider -1), where a pair
// sets the slider, or on the test picture with the slider where it stands,
// where a pair fast enough for it plays: the pending start after each, and
// the position set (-1: none) or 1 when the picture plays. A 400 ms pair on
// the target and a fast one on the picture are met on the real page by the
// pointer pages system test.
TEST(SpeedPage, ReleasesOpenAndClosePairs) {
    struct Step {
        std::uint32_t now;
        int slider;
        std::uint32_t start;
        int result;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"120 ms apart: the fast end", {{10000, -1, 10000, -1}, {10120, -1, 0, 1000}}},
        {"1000 ms apart: the slow end", {{10000, -1, 10000, -1}, {11000, -1, 0, 300}}},
        {"1200 ms apart starts a new pair", {{10000, -1, 10000, -1}, {11200, -1, 11200, -1}, {11600, -1, 0, 900}}},
        {"40 ms apart starts a new pair", {{10000, -1, 10000, -1}, {10040, -1, 10040, -1}, {10540, -1, 0, 800}}},
        {"across the tick count's wrap", {{0xFFFFFF00u, -1, 0xFFFFFF00u, -1}, {0x90, -1, 0, 900}}},
        {"a first release at tick 0 is still pending", {{0, -1, 1, -1}, {400, -1, 0, 901}}},
        {"test, 500 ms: 550 apart opens a new pair", {{5000, 800, 5000, 0}, {5550, 800, 5550, 0}, {5950, 800, 0, 1}}},
        {"test, exactly the interval plays", {{5000, 800, 5000, 0}, {5500, 800, 0, 1}}},
        {"test, the slider moved to 400 ms without OK", {{5000, 900, 5000, 0}, {5450, 900, 5450, 0}}},
        {"test, the slider moved between the clicks", {{5000, 800, 5000, 0}, {5600, 600, 0, 1}}},
        {"test, across the tick count's wrap", {{0xFFFFFF00u, 800, 0xFFFFFF00u, 0}, {0x90, 800, 0, 1}}},
    };
    for (const Case& c : cases) {
        std::uint32_t start = 0;
        for (const Step& s : c.steps) {
            int result = 0;
            if (s.slider < 0) {
                const AutoSettingStep step = AutoSettingRelease(start, s.now);
                start = step.start;
                result = step.setsSlider ? step.position : -1;
            } else {
                const TestStep step = TestRelease(start, s.now, s.slider);
                start = step.start;
                result = step.plays;
            }
            EXPECT_EQ(start, s.start) << c.name << " at " << s.now;
            EXPECT_EQ(result, s.result) << c.name << " at " << s.now;
        }
    }
}

TEST(OtherSetupApply, StoresTheSwitchesAndSetsTheDragThreshold) {
    using Calls = std::vector<std::pair<unsigned, unsigned>>;
    struct Case {
        const char* name;
        OtherSetupChoice choice;
        OtherSetupStart start;
        Calls drag;
        bool notice;                   // 60021
        std::int32_t storedRange;      // "SingleClick" afterwards (-1: never written)
    } cases[] = {
        {"newly on, the range as it was", {1, 0, 1, 16}, {16, 0}, {{kSpiSetDragHeight, 16}, {kSpiSetDragWidth, 16}}, true, 16},
        {"on with a new range", {0, 1, 1, 24}, {16, 1}, {{kSpiSetDragHeight, 24}, {kSpiSetDragWidth, 24}}, true, 24},
        {"already on, unchanged", {0, 0, 1, 20}, {20, 1}, {{kSpiSetDragHeight, 20}, {kSpiSetDragWidth, 20}}, false, 20},
        // Off: the system's own threshold from before the program started.
        {"switched off, the range untouched", {1, 1, 0, 28}, {20, 1}, {{kSpiSetDragHeight, 7}, {kSpiSetDragWidth, 6}}, false, -1},
        {"left off", {0, 0, 0, 16}, {16, 0}, {{kSpiSetDragHeight, 7}, {kSpiSetDragWidth, 6}}, false, -1},
    };
    for (const Case& c : cases) {
        Rig rig;
        ApplyOtherSetup(rig.services, c.choice, c.start);
        Calls drag;
        for (const auto& call : rig.system.calls)
            if (call.first == kSpiSetDragWidth || call.first == kSpiSetDragHeight) drag.push_back(call);
        EXPECT_EQ(drag, c.drag) << c.name;
        EXPECT_EQ(rig.Shown(), c.notice ? std::vector<std::wstring>{L"#60021"} : std::vector<std::wstring>{})
            << c.name;
        for (const auto& box : rig.boxes.shown) EXPECT_EQ(box.flags, kMbOk | kMbIconInformation) << c.name;
        EXPECT_EQ(rig.Number("MiddleButon"), c.choice.middle) << c.name;
        EXPECT_EQ(rig.Number("CalibDisp"), c.choice.notice) << c.name;
        EXPECT_EQ(rig.Number("SingleClickType"), c.choice.html) << c.name;
        EXPECT_EQ(rig.Number("SingleClick"), c.storedRange) << c.name;
    }
}

// With the registry read-only, each page's OK brings the rights notice
// once per opening of the sheet (each rig a fresh one), however many of
// its writes fail, and not at all when another page showed it already.
TEST(RightsNotice, AFailedWriteBringsItOncePerOpening) {
    const struct {
        const char* name;
        int armed;
        std::function<void(const PropServices&)> apply;
        std::size_t shown;
    } cases[] = {
        {"area and speed", 1, [](const PropServices& s) { ApplyDblClickArea(s, 20); ApplyDblClickInterval(s, 800); }, 1},
        {"other setup", 1, [](const PropServices& s) { ApplyOtherSetup(s, {1, 1, 0, 16}, {16, 0}); }, 1},
        {"other setup, shown already", 0, [](const PropServices& s) { ApplyOtherSetup(s, {1, 1, 0, 16}, {16, 0}); }, 0},
        {"a first port, then another page", 1, [](const PropServices& s) {
             ApplyPortChoice(s, std::wstring(L"COM1: [Selected]"));
             ShowRightsNoticeOnce(s);
         }, 1},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.registry.readOnly = {Hive::LocalMachine, Hive::CurrentUser};
        rig.rightsNotice = c.armed;
        c.apply(rig.services);
        EXPECT_EQ(rig.Shown(), std::vector<std::wstring>(c.shown, L"#60102")) << c.name;
        for (const auto& box : rig.boxes.shown) EXPECT_EQ(box.flags, kMbOk | kMbIconHand) << c.name;
        EXPECT_EQ(rig.rightsNotice, 0) << c.name;
    }
}


// The panel display page. A desktop of the primary 1280 x 768 at 0,0 and a
// second 1024 x 768 beside it, in the forms of the page's string table.
const DisplayInfo kFirst{"\\\\.\\DISPLAY1", {0, 0, 1280, 768}, true};
const DisplayInfo kSecond{"\\\\.\\DISPLAY2", {1280, 0, 2304, 768}, false};
const DisplayEntryFormats kDisplayForms{L"%1: %2 x %3 at %4, %5", L" (primary)", L"%1: not present"};
constexpr const wchar_t* kFirstEntry = L"1: 1280 x 768 at 0, 0 (primary)";
constexpr const wchar_t* kSecondEntry = L"2: 1024 x 768 at 1280, 0";

TEST(DisplayPage, ListsTheDisplaysAndSelectsThePanel) {
    // The primary second in the system's order, left of the other.
    const DisplayInfo leftPrimary{"\\\\.\\DISPLAY2", {-1024, -100, 0, 668}, true};
    const DisplayInfo rightOther{"\\\\.\\DISPLAY1", {0, 0, 1280, 768}, false};
    struct Case {
        const char* name;
        std::vector<DisplayInfo> displays;
        const char* setting;
        std::vector<std::wstring> entries;
        std::optional<std::size_t> selected;
    } cases[] = {
        {"one display, setting absent", {kFirst}, "", {kFirstEntry}, 0},
        {"two, setting absent: the primary", {kFirst, kSecond}, "", {kFirstEntry, kSecondEntry}, 0},
        {"two, the second named", {kFirst, kSecond}, "\\\\.\\DISPLAY2", {kFirstEntry, kSecondEntry}, 1},
        {"named in other letters' case", {kFirst, kSecond}, "\\\\.\\display2", {kFirstEntry, kSecondEntry}, 1},
        {"named and gone: listed, selected", {kFirst}, "\\\\.\\DISPLAY2", {kFirstEntry, L"2: not present"}, 1},
        {"gone, a name without a number", {kFirst, kSecond}, "PANEL", {kFirstEntry, kSecondEntry, L"3: not present"}, 2},
        {"the primary second, placed left", {rightOther, leftPrimary}, "",
         {L"1: 1280 x 768 at 0, 0", L"2: 1024 x 768 at -1024, -100 (primary)"}, 1},
        {"no display reported", {}, "", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        const DisplayPageList list = DisplayPageEntries(c.displays, c.setting, kDisplayForms);
        std::vector<std::wstring> texts;
        for (const DisplayEntry& e : list.entries) texts.push_back(e.text);
        EXPECT_EQ(texts, c.entries) << c.name;
        EXPECT_EQ(list.selected, c.selected) << c.name;
    }
}

TEST(DisplayPage, OkStoresOnlyAChangedChoice) {
    struct Case {
        const char* name;
        std::vector<DisplayInfo> displays;
        const char* setting;
        std::optional<std::size_t> chosen;
        const char* stored;  // in both hives; "(untouched)" when nothing was written
    } cases[] = {
        {"the primary kept, setting absent", {kFirst, kSecond}, "", 0, "(untouched)"},
        {"the second chosen", {kFirst, kSecond}, "", 1, "\\\\.\\DISPLAY2"},
        {"back to the primary by its name", {kFirst, kSecond}, "\\\\.\\DISPLAY2", 0, "\\\\.\\DISPLAY1"},
        {"a gone display kept", {kFirst}, "\\\\.\\DISPLAY2", 1, "(untouched)"},
        {"a gone display given up", {kFirst}, "\\\\.\\DISPLAY2", 0, "\\\\.\\DISPLAY1"},
        {"nothing selected", {kFirst, kSecond}, "", std::nullopt, "(untouched)"},
    };
    for (const Case& c : cases) {
        Rig rig;
        const DisplayPageList list = DisplayPageEntries(c.displays, c.setting, kDisplayForms);
        const bool changed = ApplyDisplayChoice(rig.services, list, c.chosen);
        EXPECT_EQ(changed, std::string(c.stored) != "(untouched)") << c.name;
        for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
            const RegValueData* value = rig.Stored(hive, "PanelDisplay");
            EXPECT_EQ(value ? std::string(value->bytes.begin(), value->bytes.end()) : "(untouched)", c.stored)
                << c.name;
        }
        EXPECT_TRUE(rig.Shown().empty()) << c.name;
    }
    // A refused write: the rights notice once in this opening, and the
    // panel still told to choose again.
    Rig rig;
    rig.registry.readOnly = {Hive::LocalMachine, Hive::CurrentUser};
    const DisplayPageList list = DisplayPageEntries({kFirst, kSecond}, "", kDisplayForms);
    EXPECT_TRUE(ApplyDisplayChoice(rig.services, list, 1));
    EXPECT_TRUE(ApplyDisplayChoice(rig.services, list, 1));
    EXPECT_EQ(rig.Shown(), std::vector<std::wstring>{L"#60102"});
    EXPECT_EQ(rig.Stored(Hive::CurrentUser, "PanelDisplay"), nullptr);
}

}  // namespace
}  // namespace qx

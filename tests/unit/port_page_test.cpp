// The COM port page's rules: which ports each form lists and how, and what
// OK, leaving the page and Cancel do with the user's choice.
#include "props/port_page_rules.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/props_rig.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

// Ports answer as the table says, their names without regard to case as
// the system takes them; any other is unknown to the system.
class TablePorts : public PortProbePort {
public:
    PortOpenResult Probe(const std::string& port) const override {
        probed.push_back(port);
        std::string name = port;
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        auto it = answers.find(name);
        return it == answers.end() ? PortOpenResult{false, kErrorFileNotFound} : it->second;
    }
    std::map<std::string, PortOpenResult> answers;
    mutable std::vector<std::string> probed;
};

constexpr PortOpenResult kFree{true, 0};
constexpr PortOpenResult kHeld{false, kErrorAccessDenied};
constexpr PortOpenResult kOddError{false, 31};  // "device not functioning"

const PortSuffixes kSuffixes{L" [Using]", L" [Selected]", L" [Conflicted]", L" [Not present]"};

// A machine with a free COM1:, a COM2: another program holds, COM3: held
// by whoever owns it, no COM4:, and a COM5: that fails oddly.
TablePorts Machine() {
    TablePorts ports;
    ports.answers = {{"COM1:", kFree}, {"COM2:", kHeld}, {"COM3:", kHeld}, {"COM5:", kOddError}};
    return ports;
}

// Which answer of a port's opening lists it, and how, is read off the lists:
// a free port, one the pen's own link holds (named in any case), one another
// program holds, a missing one and one that fails oddly.
TEST(PortList, EachFormListsAndMarksThePorts) {
    struct Case {
        bool setup;
        const char* appPort;
        std::size_t chosen;
        std::vector<std::wstring> entries;
        std::optional<std::size_t> selected;
    } cases[] = {
        {false, "COM3:", 0, {L"COM1:", L"COM5:", L"COM3: [Using]"}, 2},
        {false, "com3:", 0, {L"COM1:", L"COM5:", L"com3: [Using]"}, 2},
        {false, "COM1:", 0, {L"COM5:", L"COM1: [Using]"}, 1},
        // The configured port is kept in the list whatever the system says.
        {false, "COM4:", 0, {L"COM1:", L"COM5:", L"COM4: [Not present]"}, 2},
        {false, "COM12:", 0, {L"COM1:", L"COM5:", L"COM12: [Using]"}, 2},
        {false, "COM10:", 0, {L"COM1:", L"COM5:", L"COM10: [Not present]"}, 2},
        {false, "", 0, {L"COM1:", L"COM5:"}, std::nullopt},
        {true, "", 0,
         {L"COM1: [Selected]", L"COM2: [Conflicted]", L"COM3: [Conflicted]", L"COM5:"}, 0},
        {true, "", 1,
         {L"COM1:", L"COM2: [Conflicted] [Selected]", L"COM3: [Conflicted]", L"COM5:"}, 1},
        {true, "COM3:", 3, {L"COM1:", L"COM2: [Conflicted]", L"COM3:", L"COM5: [Selected]"}, 3},
        // A port vanished since the last fill: the last entry takes the mark.
        {true, "", 9,
         {L"COM1:", L"COM2: [Conflicted]", L"COM3: [Conflicted]", L"COM5: [Selected]"}, 3},
    };
    TablePorts ports = Machine();
    ports.answers["COM12:"] = kHeld;  // a USB adapter the pen's link holds
    for (const Case& c : cases) {
        const PortList list = c.setup ? SetupFormList(ports, c.appPort, c.chosen, kSuffixes)
                                      : NormalFormList(ports, c.appPort, kSuffixes);
        EXPECT_EQ(list.entries, c.entries) << (c.setup ? "setup " : "normal ") << c.appPort;
        EXPECT_EQ(list.selected, c.selected) << (c.setup ? "setup " : "normal ") << c.appPort;
    }
}

TEST(PortList, OnlyComOneToNineAreEverProbed) {
    TablePorts ports;
    for (int n = 1; n <= 12; ++n) ports.answers[PortName(n)] = kFree;
    const PortList list = SetupFormList(ports, "", 0, kSuffixes);
    ASSERT_EQ(list.entries.size(), 9u);
    EXPECT_EQ(list.entries.back(), L"COM9:");
    for (const std::string& port : ports.probed) EXPECT_EQ(port.size(), kPortNameChars) << port;

    TablePorts none;
    EXPECT_TRUE(SetupFormList(none, "", 0, kSuffixes).entries.empty());
    EXPECT_FALSE(SetupFormList(none, "", 0, kSuffixes).selected.has_value());
}

TEST(PortList, AnEntryNamesItsPortByItsFirstFiveCharacters) {
    EXPECT_EQ(EntryPort(L"COM2: [Conflicted] [Selected]"), "COM2:");
    EXPECT_EQ(EntryPort(L"COM12: [Using]"), "COM12:");
    EXPECT_EQ(EntryPort(L"COM10: [Not present]"), "COM10:");
    EXPECT_EQ(EntryPort(L"COM7: [使用中]"), "COM7:");
    EXPECT_EQ(EntryPort(L"COM"), "COM");
}

struct PageRig : test::PropsRig {
    PageRig()
        : PropsRig({IDS_PORT_CHANGE_QUESTION, IDS_PORT_CHANGE_CANCELED, IDS_SELECT_PORT,
                    IDS_PORT_CONFLICT_WARNING, IDS_NO_RIGHTS}) {
        strings.texts[IDS_PORT_CHANGED] = L"#57678 %1";
        strings.texts[IDS_MODEL_A100] = L"PX-A100";
        strings.texts[IDS_MODEL_B200] = L"PX-B200";
        strings.texts[IDS_VERSION_STAMP] = L"Version 1.2";
        services.ports = &ports;
    }
    TablePorts ports = Machine();
};

TEST(PortApply, StoresAskingAndTellingAsTheChoiceCallsFor) {
    struct Case {
        const char* name;
        const char* appPort;
        std::optional<std::wstring> entry;
        std::vector<int> answers;
        std::vector<std::wstring> shown;
        const char* stored;  // nullptr: "UsePort" untouched
    } cases[] = {
        {"same port", "COM1:", L"COM1: [Using]", {}, {}, nullptr},
        {"same port, other case", "com1:", L"com1: [Using]", {}, {}, nullptr},
        {"same port, not present", "COM10:", L"COM10: [Not present]", {}, {}, nullptr},
        {"changed, yes", "COM1:", L"COM5:", {kIdYes}, {L"#57680", L"#57678 COM5:"}, "COM5:"},
        {"changed, no", "COM1:", L"COM5:", {kIdNo}, {L"#57680", L"#57682"}, nullptr},
        {"first, conflicted", "", L"COM2: [Conflicted] [Selected]", {}, {L"#57723"}, "COM2:"},
        {"first, free", "", L"COM1: [Selected]", {}, {}, "COM1:"},
        {"no selection", "COM1:", std::nullopt, {}, {L"#57698"}, nullptr},
    };
    for (const Case& c : cases) {
        PageRig rig;
        rig.services.appPort = c.appPort;
        rig.boxes.answers = c.answers;
        ApplyPortChoice(rig.services, c.entry);
        EXPECT_EQ(rig.Shown(), c.shown) << c.name;
        for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
            const RegValueData* port = rig.Stored(hive, "UsePort");
            if (!c.stored) {
                EXPECT_EQ(port, nullptr) << c.name;
                continue;
            }
            ASSERT_NE(port, nullptr) << c.name;
            // Exactly the five characters: no suffix, no terminating zero.
            EXPECT_EQ(port->type, kRegSz) << c.name;
            EXPECT_EQ(std::string(port->bytes.begin(), port->bytes.end()), c.stored) << c.name;
        }
    }
}

TEST(PortApply, TheRightsNoticeComesOncePerOpeningAcrossPages) {
    PageRig rig;
    rig.registry.readOnly.insert(Hive::LocalMachine);
    rig.services.appPort = "";
    ApplyPortChoice(rig.services, std::wstring(L"COM1: [Selected]"));
    EXPECT_EQ(rig.Shown(), std::vector<std::wstring>{L"#60102"});
    EXPECT_EQ(rig.rightsNotice, 0);
    ShowRightsNoticeOnce(rig.services);  // another page's failed write
    EXPECT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].flags, kMbOk | kMbIconHand);
    rig.rightsNotice = 1;  // the next opening of the sheet
    ShowRightsNoticeOnce(rig.services);
    EXPECT_EQ(rig.boxes.shown.size(), 2u);
}

TEST(PortChecks, LeavingAndCancelAskForAPortUnlessThereIsNoneToChoose) {
    struct Case {
        const char* appPort;
        bool listEmpty;
        bool cancelAllowed;
    } cases[] = {{"COM1:", false, true}, {"", false, false}, {"", true, true}};
    for (const Case& c : cases) {
        PageRig rig;
        rig.services.appPort = c.appPort;
        EXPECT_EQ(PortCancelCheck(rig.services, c.listEmpty), c.cancelAllowed) << c.appPort;
        EXPECT_EQ(rig.boxes.shown.size(), c.cancelAllowed ? 0u : 1u) << c.appPort;
    }
    PageRig rig;
    EXPECT_TRUE(PortLeaveCheck(rig.services, true));
    EXPECT_FALSE(PortLeaveCheck(rig.services, false));
    EXPECT_EQ(rig.Shown(), std::vector<std::wstring>{L"#57698"});
    EXPECT_EQ(rig.boxes.shown[0].flags, kMbOk | kMbIconExclamation);
}

TEST(PortSetup, ModelVersionAndNoStartPauseAreStored) {
    struct Case {
        std::optional<std::wstring> choice;
        std::int32_t model;
    } cases[] = {{std::nullopt, 200}, {L"PX-A100", 100}, {L"PX-B200", 200}, {L"PX-A1000", 200}};
    for (const Case& c : cases) {
        PageRig rig;
        rig.registry.PutNumber(Hive::LocalMachine, rig.kSettingsKey, "SleepTime", 3000);
        ApplySetupChoices(rig.services, c.choice);
        EXPECT_EQ(rig.store.GetQXMachine(), c.model);
        EXPECT_EQ(rig.store.GetSleepTime(), 0);
        EXPECT_EQ(rig.store.GetCalibDisp(), 1);
        EXPECT_EQ(rig.store.GetMiddleButon(), 1);
        const RegValueData* version = rig.Stored(Hive::CurrentUser, "QXdrvVersion");
        ASSERT_NE(version, nullptr);
        EXPECT_EQ(std::string(version->bytes.begin(), version->bytes.end()), "Version 1.2");
    }
}

}  // namespace
}  // namespace qx

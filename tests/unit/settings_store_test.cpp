#include "base/settings_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/fake_registry.h"
#include "fakes/fake_ui.h"

namespace qx {
namespace {

using test::FakeRegistry;
const std::string kKey = "SOFTWARE\\NORVANE\\QXdrv1.2\\Setting";
const std::string kName = "Value";
const std::string k255(255, 'a'), k256(256, 'b');
constexpr Hive kUser = Hive::CurrentUser, kMachine = Hive::LocalMachine;
using Bytes = std::vector<std::uint8_t>;

RegValueData Raw(std::uint32_t type, Bytes bytes) { return {type, std::move(bytes)}; }
RegValueData Sz(const std::string& text) { return Raw(kRegSz, Bytes(text.begin(), text.end())); }

// Also notes how many registry writes preceded each system call.
struct Fixture : test::FakeSystemParams {
    void SetSystemParam(unsigned action, unsigned value) override {
        FakeSystemParams::SetSystemParam(action, value);
        writesBefore.push_back(registry.writes.size());
    }
    FakeRegistry registry;
    std::vector<std::size_t> writesBefore;
    SettingsStore store{registry, *this};
};

using Copy = std::optional<RegValueData>;

// Reads the value with these user and machine copies; the other output of a
// read is always cleared (0 or "").
std::pair<std::int32_t, std::string> Read(int kind, const Copy& user, const Copy& machine) {
    Fixture f;
    if (user) f.registry.PutRaw(kUser, kKey, kName, *user);
    if (machine) f.registry.PutRaw(kMachine, kKey, kName, *machine);
    std::int32_t number = 1;
    std::string text = "stale";
    f.store.ReadRegValue(kind, kName, kKey, &number, &text);
    return {number, text};
}

// Only the type and shape the program writes counts (values typed in with a
// registry editor are absent in their hive): a number is a 4-byte DWORD.
TEST(ReadRegValue, NumbersPreferAUsableUserCopy) {
    const RegValueData n7 = Raw(kRegDword, {7, 0, 0, 0}), n9999 = Raw(kRegDword, {0x0F, 0x27, 0, 0});
    constexpr std::uint32_t kQword = 11;
    const struct { Copy user, machine; std::int32_t want; } cases[] = {
        {{}, {}, 0},
        {Raw(kRegDword, {5, 0, 0, 0}), n7, 5},
        {Raw(kRegDword, {0, 0, 0, 0}), n7, 0},  // 0 is a value here
        {n9999, n7, 7}, {n9999, {}, 0}, {{}, n9999, 0},
        {Raw(kRegDword, {0x78, 0x56, 0x34, 0x12}), {}, 0x12345678},
        {Raw(kRegDword, {0, 0, 0, 0x80}), {}, INT32_MIN},
        {Raw(kRegDword, {5, 0}), n7, 7},
        {Raw(kRegDword, {5, 0, 0, 0, 0, 0, 0, 0}), n7, 7},
        {Raw(kRegDword, {}), Raw(kRegDword, {7, 0, 0, 0, 0, 0, 0, 0}), 0},
        {Sz("100"), n7, 7}, {{}, Sz("100"), 0},  // would read as 3158065
        {Raw(kRegExpandSz, {5, 0, 0, 0}), n7, 7},
        {Raw(kQword, {5, 0, 0, 0, 0, 0, 0, 0}), n7, 7},
    };
    for (const auto& c : cases) EXPECT_EQ(Read(kKindNumber, c.user, c.machine), std::make_pair(c.want, std::string())) << (&c - cases);
}

// A text is a REG_SZ or REG_EXPAND_SZ of at most 255 characters before its
// first zero.
TEST(ReadRegValue, TextsPreferAUsableUserCopyAndFitTheirBuffer) {
    const RegValueData com1 = Sz("COM1:"), dword = Raw(kRegDword, {'C', 'O', 'M', '2'});
    const RegValueData expand = Raw(kRegExpandSz, {'C', 'O', 'M', '2', ':', 0});
    constexpr std::uint32_t kMulti = 7;
    const struct { Copy user, machine; std::string want; } cases[] = {
        {{}, {}, ""},
        {Sz("COM2:"), com1, "COM2:"},
        {Sz(""), com1, "COM1:"},
        {Sz(std::string("\0COM3:", 6)), com1, "COM1:"},
        {Sz(std::string("COM2:\0", 6)), {}, "COM2:"},
        {Sz("COM4:" + std::string(1, '\0') + k256), {}, "COM4:"},
        {Sz(k255), {}, k255}, {Sz(k255 + '\0'), {}, k255},
        {Sz(k256), com1, "COM1:"},  // overlong is absent
        {Sz(k256 + '\0'), Sz(std::string(1000, 'c')), ""},
        {expand, com1, "COM2:"}, {{}, expand, "COM2:"},
        {dword, com1, "COM1:"}, {{}, dword, ""},  // pinned the pen to an edge
        {Raw(kMulti, {'C', 'O', 'M', '2', ':', 0, 0}), com1, "COM1:"},
    };
    for (const auto& c : cases) EXPECT_EQ(Read(kKindText, c.user, c.machine), std::make_pair(0, c.want)) << (&c - cases);
}

TEST(WriteRegValue, StoresExactBytesPerMachineFirst) {
    // What is stored in each hive written, in that order; none: refused, nothing written.
    struct Case { int kind; std::string name, text; std::int32_t number; Copy stored; std::vector<Hive> hives; };
    const Case cases[] = {
        {kKindNumber, kName, "ignored", 0x12345678, Raw(kRegDword, {0x78, 0x56, 0x34, 0x12}), {kMachine, kUser}},
        {kKindNumber, kName, "", -2, Raw(kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}), {kMachine, kUser}},
        {kKindText, kName, "COM1:", 42, Sz("COM1:"), {kMachine, kUser}},
        {7, kName, "", 0, Sz(""), {kMachine, kUser}},  // any kind but 1 is text
        {kKindText, kName, k255, 0, Sz(k255), {kMachine, kUser}},
        {kKindText, kName, std::string("AB\0CD", 5), 0, Sz("AB"), {kMachine, kUser}},
        {kKindText, kName, k256, 0, {}, {}},
        {kKindNumber, "SleepTime", "", 300, Raw(kRegDword, {0x2C, 1, 0, 0}), {kMachine}},
        {kKindNumber, "sleeptime", "", 300, Raw(kRegDword, {0x2C, 1, 0, 0}), {kMachine, kUser}},
    };
    EXPECT_EQ(Fixture().store.MakerKeyPath(), "SOFTWARE\\NORVANE");  // the settings key's parent
    for (const auto& c : cases) {
        Fixture f;
        EXPECT_EQ(f.store.WriteRegValue(c.kind, c.name, kKey, c.number, c.text), c.stored.has_value());
        std::vector<std::pair<Hive, std::string>> order;
        for (Hive h : c.hives) order.push_back({h, c.name});
        EXPECT_EQ(f.registry.writes, order) << (&c - cases);
        for (const auto& [key, value] : f.registry.values) {
            ASSERT_TRUE(c.stored);
            EXPECT_EQ(key.first.second, kKey);
            EXPECT_EQ(std::tie(value.type, value.bytes), std::tie(c.stored->type, c.stored->bytes)) << (&c - cases);
        }
    }
}

// Every accessor (without `get` when it has no read accessor) with its value
// when nothing (or 0, or "") is stored and the system actions it applies.
// Setters without a flag answer kNoFlag here.
using S = SettingsStore;
constexpr int kNoFlag = -1;
template <typename T>
struct Accessor {
    std::string name; std::function<T(S&)> get; std::function<int(S&, const T&)> set; T whenAbsent; std::vector<unsigned> actions;
};
template <typename T, typename Set>
std::function<int(S&, const T&)> Flagless(Set set) {
    return [set](S& s, const T& v) { (s.*set)(v); return kNoFlag; };
}
const Accessor<std::int32_t> kNumbers[] = {
    {"DblClick", &S::GetDblClick, &S::SetDblClick, 32, {kSpiSetDoubleClkHeight, kSpiSetDoubleClkWidth}},
    {"SingleClick", &S::GetSingleClick, &S::SetSingleClick, 16, {}},
    {"SingleClickType", &S::GetSingleClickType, &S::SetSingleClickType, 0, {}},
    {"DblClickInterval", &S::GetDblClickInterval, &S::SetDblClickInterval, 500, {kSpiSetDoubleClickTime}},
    {"OSDmode", &S::GetOSDmode, Flagless<std::int32_t>(&S::SetOSDmode), 0, {}},
    {"MiddleButon", &S::GetMiddleButon, &S::SetMiddleButon, 0, {}},
    {"CalibDisp", &S::GetCalibDisp, &S::SetCalibDisp, 0, {}},
    {"QXMachine", &S::GetQXMachine, Flagless<std::int32_t>(&S::SetQXMachine), 0, {}},
    {"SleepTime", &S::GetSleepTime, Flagless<std::int32_t>(&S::SetSleepTime), 0, {}},
};
const Accessor<std::string> kTexts[] = {
    {"UsePort", &S::GetUsePort, &S::SetUsePort, "", {}},
    {"CalibShortKey", &S::GetCalibShortKey, Flagless<std::string>(&S::SetCalibShortKey), "C", {}},
    {"QXdrvVersion", nullptr, Flagless<std::string>(&S::SetQXdrvVersion), "", {}},
};

template <typename T>
std::vector<std::pair<unsigned, unsigned>> Applied(const Accessor<T>& a, std::int32_t value) {
    std::vector<std::pair<unsigned, unsigned>> calls;
    for (unsigned action : a.actions) calls.push_back({action, static_cast<unsigned>(value)});
    return calls;
}

TEST(Accessors, DefaultsSubstitutionsAndSideEffectsOfReads) {
    for (const auto& a : kNumbers) {
        Fixture empty, zero, stored;
        EXPECT_EQ(a.get(empty.store), a.whenAbsent) << a.name;
        EXPECT_EQ(empty.calls, Applied(a, a.whenAbsent)) << a.name;
        zero.registry.PutNumber(kUser, kKey, a.name, 0);
        zero.registry.PutNumber(kMachine, kKey, a.name, 77);
        EXPECT_EQ(a.get(zero.store), a.whenAbsent) << a.name;
        stored.registry.PutNumber(kUser, kKey, a.name, 42);
        EXPECT_EQ(a.get(stored.store), 42) << a.name;
        EXPECT_EQ(stored.calls, Applied(a, 42)) << a.name;
    }
    for (const auto& a : kTexts) {
        if (!a.get) continue;
        Fixture f;
        EXPECT_EQ(a.get(f.store), a.whenAbsent) << a.name;
        f.registry.PutRaw(kUser, kKey, a.name, Sz(""));
        f.registry.PutRaw(kMachine, kKey, a.name, Sz(""));
        EXPECT_EQ(a.get(f.store), a.whenAbsent) << a.name;
        EXPECT_TRUE(f.calls.empty());
    }
}

// A set applies first, then stores in both hives; when one hive refuses, the
// flag says so but the other copy is still written and read back.
template <typename T>
void CheckSetter(const Accessor<T>& a, const T& value, std::int32_t applied) {
    const std::optional<Hive> refusals[] = {std::nullopt, kMachine, kUser};
    for (const auto& refusing : refusals) {
        Fixture f;
        if (refusing) f.registry.readOnly.insert(*refusing);
        const int flag = a.set(f.store, value);
        if (flag != kNoFlag) EXPECT_EQ(flag, refusing ? 0 : 1) << a.name;
        EXPECT_EQ(f.calls, Applied(a, applied)) << a.name;
        EXPECT_EQ(f.writesBefore, std::vector<std::size_t>(a.actions.size(), 0)) << a.name;
        const bool userCopy = a.name != "SleepTime" && refusing != kUser;
        EXPECT_EQ(f.registry.Find(kUser, kKey, a.name) != nullptr, userCopy) << a.name;
        if (a.get && (userCopy || refusing != kMachine)) EXPECT_EQ(a.get(f.store), value) << a.name;
    }
}

TEST(Accessors, SettersApplyFirstRoundTripAndReportRefusals) {
    for (const auto& a : kNumbers) for (std::int32_t value : {-5, INT32_MIN, 0x7FFF}) CheckSetter(a, value, value);
    for (const auto& a : kTexts) CheckSetter(a, std::string("COM1:"), 0);
}

}  // namespace
}  // namespace qx

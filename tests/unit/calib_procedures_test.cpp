// The calibration procedures' rules: the selection dialog's state and
// validation, the hotkey candidates, the four-cross and edge procedures.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "base/display_choice.h"
#include "base/startup_rules.h"
#include "calib/calib_select_rules.h"
#include "calib/cross_calibration.h"
#include "calib/edge_calibration.h"
#include "calib/hotkey_candidates.h"
#include "calib/panel_change.h"
#include "calib/resolution_change.h"
#include "fakes/pen_rig.h"

namespace qx {
namespace {

// The dialog's state as "<method> <mode> <which modes can be chosen>" and the
// parts enabled: the Easy Setting radio, the Easy part, Detail, Detail-2, Apply.
std::string Shown(const CalibSelectView& v) {
    std::string text = std::string(v.method == kMethodEasy ? "easy " : "detail ") + std::to_string(v.mode) + " ";
    for (const bool on : v.modeEnabled) text += on ? 'x' : '.';
    for (const auto& [on, part] : {std::pair{v.easyRadioEnabled, " radio"}, {v.easyEnabled, " easy"},
                                   {v.detailEnabled, " detail"}, {v.detail2Enabled, " detail2"}, {v.applyEnabled, " apply"}}) {
        if (on) text += part;
    }
    return text + (v.manual == kManualDetail1 ? " / 1" : " / 2");
}

TEST(CalibSelect, OpensOnWhatTheResolutionAllows) {
    const struct { std::int32_t model; int width, height, stored; const char* view; } cases[] = {
        // Only the third mode suits 1280 x 768: the FULL rule moves mode 0 there.
        {100, 1280, 768, 0, "easy 2 ..x radio easy apply / 1"},
        // 4 : 3 unavailable at 1024 x 768 on PX-A100: mode 1 moves to FULL.
        {100, 1024, 768, 1, "easy 0 x.x radio easy apply / 1"},
        // The third mode unavailable with FULL unavailable too: 4 : 3.
        {100, 1600, 1024, 2, "easy 1 .x. radio easy apply / 1"},
        {100, 1280, 1024, 1, "easy 1 xx. radio easy apply / 1"},
        // A stored mode outside 0..2 (No at a size without a preset stores
        // -1) opens on an enabled mode, never on the greyed third one.
        {100, 1280, 1024, -1, "easy 0 xx. radio easy apply / 1"}, {100, 1280, 1024, 3, "easy 0 xx. radio easy apply / 1"},
        {100, 1280, 768, -1, "easy 2 ..x radio easy apply / 1"},  {100, 1600, 1200, -1, "easy 1 .x. radio easy apply / 1"},
        // Unsupported: Detail Setting, Detail-1, Easy Setting cannot be chosen.
        {100, 1920, 1080, 1, "detail 2 ... detail / 1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(InitialSelectView(SelectFactsFor(c.model, c.width, c.height), c.stored)), c.view)
            << c.model << " " << c.width << "x" << c.height << " " << c.stored;
    }
}

TEST(CalibSelect, SwitchingMethodsAndValidating) {
    const auto facts = SelectFactsFor(100, 1280, 1024);
    CalibSelectView v = InitialSelectView(facts, kModeFull);
    auto validated = [](const CalibSelectView& view) {
        const SelectValidation check = ValidateSelection(view);
        return std::make_tuple(check.valid, check.askDetail1Question, check.result);
    };

    ChooseDetail(v, facts);  // Detail-2 only at 1280 x 1024
    EXPECT_TRUE(v.detailEnabled && v.detail2Enabled && v.easyRadioEnabled);
    EXPECT_FALSE(v.easyEnabled || v.applyEnabled || v.modeEnabled[kModeFull]);
    EXPECT_EQ(validated(v), std::make_tuple(true, true, CalibMethod::Detail1));
    v.manual = kManualDetail2;
    EXPECT_EQ(validated(v), std::make_tuple(true, false, CalibMethod::Detail2));

    ChooseEasy(v, facts);
    EXPECT_TRUE(v.easyEnabled && v.applyEnabled && v.modeEnabled[kModeFull]);
    EXPECT_FALSE(v.detailEnabled || v.detail2Enabled);
    EXPECT_EQ(validated(v), std::make_tuple(true, false, CalibMethod::EasySetting));
    // Easy Setting never applies a mode that cannot be chosen there (the
    // third mode at 1280 x 1024) or one outside the three.
    for (const int mode : {kModeThird, -1, kModeCount}) {
        CalibSelectView greyed = v;
        greyed.mode = mode;
        EXPECT_FALSE(ValidateSelection(greyed).valid) << mode;
    }

    // Elsewhere Detail-1 needs no question.
    const auto other = SelectFactsFor(100, 1024, 768);
    CalibSelectView w = InitialSelectView(other, kModeFull);
    ChooseDetail(w, other);
    EXPECT_FALSE(w.detail2Enabled);
    EXPECT_EQ(validated(w), std::make_tuple(true, false, CalibMethod::Detail1));
}

TEST(HotkeyChoices, OffersFreeKeysInCharacterOrder) {
    const std::string taken = "CK7";  // held by other programs, or by the driver itself (C)
    struct Case { int osClass; char current; std::string keys; int selected; } const cases[] = {
        {kOsNt4, 'C', "012345689ABCDEFGHIJLMNOPQRSTUVWXYZ", 11},      // current offered untried
        {kOsNt5, 'C', "012345689ABDEFGHIJLMNOPQRSTUVWXYZ", -1},       // every key tried
        {kOsNt5, 'D', "012345689ABDEFGHIJLMNOPQRSTUVWXYZ", 11},
        {kOsWin98, '0', "012345689ABDEFGHIJLMNOPQRSTUVWXYZ", 0},
    };
    for (const Case& c : cases) {
        std::string tried;
        const HotkeyChoices choices = BuildHotkeyChoices(c.osClass, c.current, [&](char key) {
            tried += key;
            return taken.find(key) == std::string::npos;
        });
        EXPECT_EQ(std::make_pair(choices.keys, choices.selected), std::make_pair(c.keys, c.selected)) << c.osClass << c.current;
        EXPECT_EQ(tried.find(c.current) == std::string::npos, c.osClass != kOsNt5);
    }
}

// The procedure attached to the router as the cross screen attaches it.
struct Bench : test::PenRig, PenProcedure {
    Bench() {
        procedure.Start();
        router.Attach(*this);
    }
    bool OnPenLine(const PenEvent& line) override { return procedure.OnPenLine(line); }
    void OnDeliveryEnd() override { last = procedure.TakeEvent(); }
    CrossCalibration::Event Send(const std::string& bytes) {
        last = CrossCalibration::Event::None;
        Deliver(bytes);
        return last;
    }
    CrossCalibration::Event Touch(int x, int y) {
        char line[32];
        std::snprintf(line, sizeof(line), "L%04d%03d\r?T\r", x, y);
        return Send(line);
    }
    void FourTouches() {
        for (const auto& [x, y] : {std::pair{16, 16}, {16, 751}, {1263, 751}, {1263, 16}}) Touch(x, y);
    }
    // Back at cross 0 with nothing buffered.
    bool AtFirstCross() const { return procedure.Step() == 0 && Pending().empty(); }
    CrossCalibration procedure;
    CrossCalibration::Event last = CrossCalibration::Event::None;
};

using Event = CrossCalibration::Event;

TEST(CrossCalibration, TakesEachCrossOnlyInItsQuadrant) {
    Bench b;
    // Each cross: a touch in a wrong quadrant first, then one on the
    // boundary that still belongs to it.
    const struct { int wrongX, wrongY, x, y; } touches[] = {
        {700, 100, 639, 383}, {100, 100, 639, 384}, {620, 700, 640, 384}, {640, 384, 640, 383}};
    for (int k = 0; k < kCrossCount; ++k) {
        EXPECT_EQ(b.Touch(touches[k].wrongX, touches[k].wrongY), Event::Ignored) << k;
        EXPECT_EQ(b.procedure.Step(), k);
        EXPECT_EQ(b.Touch(touches[k].x, touches[k].y), k < 3 ? Event::Advanced : Event::AskConfirm) << k;
    }
    EXPECT_EQ(b.procedure.Step(), CrossCalibration::kConfirming);
    EXPECT_EQ(b.procedure.Points()[2].x, 640);
    EXPECT_TRUE(b.out.calls.empty());  // the pointer got nothing
}

// While confirming the first complete line decides and the rest goes; a
// report split over two deliveries decides once it is whole.
TEST(CrossCalibration, ConfirmationAcceptsOnlyTheTip) {
    const struct { std::vector<std::string> deliveries; Event event; } cases[] = {
        // A hover, the big button, a release or a line that decodes to nothing restarts.
        {{"L0500300\r@0500300\r"}, Event::Accepted}, {{"@0500300\rL0500300\r"}, Event::Restarted},
        {{"R0500300\r"}, Event::Restarted},           {{"?T\r"}, Event::Restarted},
        {{"L0500300?\r"}, Event::Restarted},
        {{"L05", "00300\r?T\r"}, Event::Accepted},    {{"@05", "00300\rL0500300\r"}, Event::Restarted},
    };
    for (const auto& c : cases) {
        Bench b;
        b.FourTouches();
        for (std::size_t i = 0; i + 1 < c.deliveries.size(); ++i) {
            EXPECT_EQ(b.Send(c.deliveries[i]), Event::None);
            EXPECT_EQ(b.procedure.Step(), CrossCalibration::kConfirming);
        }
        EXPECT_EQ(b.Send(c.deliveries.back()), c.event) << c.deliveries.back();
        EXPECT_EQ(b.procedure.Active(), c.event != Event::Accepted);
        EXPECT_TRUE(b.AtFirstCross());
    }
}

TEST(CrossCalibration, StaleAnswersAndEsc) {
    Bench b;
    b.FourTouches();
    const unsigned asked = b.procedure.Ticket();
    // The pen restarts while the question is open; its late Yes is ignored.
    EXPECT_EQ(b.Send("@0500300\r"), Event::Restarted);
    EXPECT_EQ(b.procedure.OnConfirmAnswer(asked, true, b.router), Event::None);
    // Four touches again: a new question, whose No restarts and Yes accepts.
    for (const auto& [x, y] : {std::pair{20, 20}, {20, 740}, {1250, 740}, {1250, 20}}) b.Touch(x, y);
    EXPECT_NE(b.procedure.Ticket(), asked);
    b.Deliver("L05");
    EXPECT_EQ(b.procedure.OnConfirmAnswer(b.procedure.Ticket(), false, b.router), Event::Restarted);
    EXPECT_TRUE(b.AtFirstCross());
    EXPECT_EQ(b.procedure.OnConfirmAnswer(b.procedure.Ticket(), true, b.router), Event::None);
    // Esc: No restarts at cross 0 and empties the buffer, Yes leaves.
    b.Touch(20, 20);
    b.Deliver("L05");
    EXPECT_EQ(b.procedure.OnEscAnswer(false, b.router), Event::Restarted);
    EXPECT_TRUE(b.AtFirstCross());
    // A second start while it runs changes nothing: the next cross stays red.
    b.Touch(20, 20);
    EXPECT_FALSE(b.procedure.Start());
    EXPECT_EQ(b.procedure.Step(), 1);
    EXPECT_EQ(b.procedure.OnEscAnswer(true, b.router), Event::Left);
    EXPECT_FALSE(b.procedure.Active());
    EXPECT_EQ(b.Touch(20, 20), Event::None);  // nothing runs any more
    EXPECT_TRUE(b.procedure.Start());          // ended: it starts again
    EXPECT_EQ(b.procedure.Step(), 0);
}

TEST(CrossCalibration, TakesLinesUpToTheLiftAndStaysBounded) {
    Bench b;
    std::string flood;
    for (int i = 0; i < 500; ++i) flood += "L0100" + std::to_string(100 + i % 200) + "\r";
    EXPECT_EQ(b.Send(flood), Event::None);
    EXPECT_TRUE(b.Pending().empty());
    EXPECT_EQ(b.Send("@0200250\r@0210260\r?T\r@0900900\r"), Event::Advanced);
    // The last position before the lift.
    EXPECT_EQ(std::make_pair(b.procedure.Points()[0].x, b.procedure.Points()[0].y), std::make_pair(210, 260));
    EXPECT_TRUE(b.Pending().empty());
    // Text without a CR stays bounded too.
    b.Send(std::string(5000, 'x'));
    EXPECT_LT(b.Pending().size(), PenDecoder::kOverflowLength);
}

TEST(CrossCalibration, SpreadOfAtLeastOneUnitAndTheCrossBoxes) {
    // A spread of one board unit, and one below it, is computed as one.
    const BoardPoint one[kCrossCount] = {{639, 383}, {639, 384}, {640, 384}, {640, 383}};
    const BoardPoint none[kCrossCount] = {{640, 384}, {640, 384}, {640, 384}, {640, 384}};
    const CalibValues d1 = ComputeCrossCalibration(one, 1280, 768), d0 = ComputeCrossCalibration(none, 1280, 768);
    EXPECT_EQ(std::make_tuple(d1.ratioX, d1.ratioY, d0.ratioX, d0.ratioY), std::make_tuple(1248.0, 736.0, 1248.0, 736.0));

    const ScreenPoint box = CrossBoxOrigin(kCrossBottomRight, 1280, 768);
    EXPECT_EQ(std::make_pair(box.x, box.y), std::make_pair(1248, 736));
}

TEST(EdgeCalibration, ChecksTheVisibleHeightAndMapsItsRows) {
    const CalibValues full{0.998, 1.33, -2, -8};
    struct Case { double top, bottom; bool valid; double ratioY; } const cases[] = {
        {128, 895, true, 1.0}, {100, 801, true, 768.0 / 702}, {100, 800, false, 0},
        {100, 940, false, 0},  {100, 939, true, 768.0 / 840}, {895, 128, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EdgesValid(c.top, c.bottom), c.valid) << c.top << "/" << c.bottom;
        if (!c.valid) continue;
        const CalibValues v = ComputeEdgeCalibration(full, c.top, c.bottom);
        EXPECT_DOUBLE_EQ(v.ratioY, c.ratioY);
        EXPECT_DOUBLE_EQ(v.offsetY, -c.ratioY * c.top);
        EXPECT_EQ(std::make_pair(v.ratioX, v.offsetX), std::make_pair(0.998, -2.0));
    }
    // Two clicks, top then bottom; a restart asks for the top again.
    EdgeCalibration e;
    EXPECT_FALSE(e.OnClick(128));
    EXPECT_EQ(e.Current(), EdgeCalibration::Step::Bottom);
    EXPECT_TRUE(e.OnClick(895));
    e.Restart();
    EXPECT_EQ(e.Current(), EdgeCalibration::Step::Top);
}

TEST(ResolutionChange, AsksWhatTheSizeAndTheStoreCallFor) {
    using Q = ResolutionQuestion;
    using No = DeclineApplies;
    // The facts: a notice, the same size, the first mode, adjusted, any value nonzero.
    struct Case { const char* what; ResolutionChangeFacts facts; bool quietly, reload; Q question; int named; No onNo; int osdMode; };
    const Case cases[] = {
        {"notice, third mode only", {true, false, 2, false, false}, false, false, Q::Preset, 2, No::PresetOfMode, 2},
        {"notice, no preset, adjusted", {true, false, -1, true, true}, false, false, Q::AdjustedBefore, -1, No::Stored, -1},
        {"notice, no preset, identity stored", {true, false, -1, false, true}, false, false, Q::NothingStored, -1, No::FullPreset, -1},
        // Back at the size last applied: its own values, nothing asked.
        {"notice, same size", {true, true, 0, true, true}, false, true, Q::None, -1, No::Stored, -1},
        {"quiet, same size, calibrated", {false, true, -1, false, true}, true, false, Q::None, -1, No::Stored, -1},
        {"quiet, never calibrated", {false, false, 1, false, false}, false, false, Q::Preset, 1, No::PresetOfMode, 1},
        {"quiet, never, no preset", {false, false, -1, false, false}, false, false, Q::Preset, -1, No::Stored, -1},
    };
    for (const Case& c : cases) {
        const ResolutionChangeDecision d = DecideResolutionChange(c.facts);
        EXPECT_EQ(std::make_tuple(d.applyStoredQuietly, d.reloadStored, d.question), std::make_tuple(c.quietly, c.reload, c.question))
            << c.what;
        if (c.question == Q::None) continue;
        EXPECT_EQ(std::make_tuple(d.questionMode, d.onNo, d.osdModeOnNo), std::make_tuple(c.named, c.onNo, c.osdMode)) << c.what;
    }
}

TEST(ResolutionChange, AnswersCountOnlyForTheSizeAsked) {
    using O = ResolutionOutcome;
    const AskedResolution asked{800, 600, {}};
    // What the question's Yes or No gives, and what leaving without a result after Yes gives.
    struct Case { const char* what; int width, height; bool yes, hasStored, ending; O answer, left; } const cases[] = {
        {"No", 800, 600, false, false, false, O::ApplyDecline, O::ApplyDecline},
        {"Yes, calibrated before", 800, 600, true, true, false, O::OpenSelection, O::UseStored},
        {"Yes, never calibrated", 800, 600, true, false, false, O::OpenSelection, O::ApplyDecline},
        // The desktop changed under the open question or dialog.
        {"No, back at another size", 1024, 768, false, true, false, O::Afresh, O::Afresh},
        {"Yes, another size", 800, 768, true, false, false, O::Afresh, O::Afresh},
        {"Yes, another width", 1024, 600, true, true, false, O::Afresh, O::Afresh},
        // Exit or the close message while it was open.
        {"No while ending", 800, 600, false, true, true, O::Ignore, O::Ignore},
        {"Yes while ending", 800, 600, true, false, true, O::Ignore, O::Ignore},
        {"another size while ending", 640, 480, false, false, true, O::Ignore, O::Ignore},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ActOnAnswer(asked, c.width, c.height, c.yes, c.ending), c.answer) << c.what;
        EXPECT_EQ(LeftWithoutResult(asked, c.width, c.height, c.hasStored, c.ending), c.left) << c.what;
    }
}

// The two displays of a desktop with the panel beside the primary.
const DisplayInfo kPrimary{"\\\\.\\DISPLAY1", {0, 0, 1280, 768}, true};
const DisplayInfo kSecond{"\\\\.\\DISPLAY2", {1280, 0, 2304, 768}, false};

TEST(PanelDisplay, TheSettingNamesItElseThePrimary) {
    const DisplayInfo moved{kSecond.deviceName, {-1024, 0, 0, 768}, false};
    const struct { const char* what; std::vector<DisplayInfo> displays; std::string setting; int left, width; bool gone; } cases[] = {
        {"absent", {kSecond, kPrimary}, "", 0, 1280, false},
        {"named", {kPrimary, kSecond}, "\\\\.\\DISPLAY2", 1280, 1024, false},
        {"named in other case", {kPrimary, kSecond}, "\\\\.\\display2", 1280, 1024, false},
        {"named, moved left of the primary", {kPrimary, moved}, "\\\\.\\DISPLAY2", -1024, 1024, false},
        {"named display gone", {kPrimary}, "\\\\.\\DISPLAY2", 0, 1280, true},
        {"a longer name is another display", {kPrimary, kSecond}, "\\\\.\\DISPLAY22", 0, 1280, true},
    };
    for (const auto& c : cases) {
        const PanelChoice choice = ChoosePanelDisplay(c.displays, c.setting);
        EXPECT_EQ(std::make_tuple(choice.display.rect.left, choice.display.rect.Width(), choice.namedGone),
                  std::make_tuple(c.left, c.width, c.gone)) << c.what;
    }
}

TEST(PanelDisplay, ThePenLandsOnThePanelsPixels) {
    // Board positions hovered with the panel at 1280,0: the 4 : 3 preset of
    // 1024 x 768 and a four-cross result of that size.
    const CalibValues fourThree{0.8, 1.0, 0.0, 0.0};
    const CalibValues crosses{992.0 / 980, 736.0 / 720, (20 - 16.0 * 980 / 992) * 992 / 980,
                              (20 - 16.0 * 720 / 736) * 736 / 720};
    const struct { const char* what; CalibValues calib; const char* report; int x, y; } cases[] = {
        {"centre, 4 : 3", fourThree, "@0640384\r", 1792, 384},
        {"bottom-right, 4 : 3", fourThree, "@1279767\r", 2303, 767},
        {"four crosses", crosses, "@0600300\r", 1883, 302},
    };
    for (const auto& c : cases) {
        test::PenRig rig;
        rig.calib = c.calib;
        rig.router.SetOrigin({1280, 0});
        rig.Deliver(c.report);
        EXPECT_EQ(std::make_tuple(rig.out.cursor.x, rig.out.cursor.y), std::make_tuple(c.x, c.y)) << c.what;
    }
}

TEST(PanelDisplay, ADisplayChangeFollowsThePanel) {
    const PanelChoice second{kSecond, false};
    const PanelChoice gone{kPrimary, true};
    const PanelChoice movedDown{{kSecond.deviceName, {1280, 100, 2304, 868}, false}, false};
    const PanelChoice resized{{kSecond.deviceName, {1280, 0, 2080, 600}, false}, false};
    // Mapped on the second display at its size unless said otherwise.
    const struct { const char* what; PanelChoice now; Rect mapped; int appliedWidth; bool single, told; bool remap, rules, tell, toldAfter; } cases[] = {
        {"another display changed", second, kSecond.rect, 1024, false, false, false, false, false, false},
        {"panel moved", movedDown, kSecond.rect, 1024, false, false, true, false, false, false},
        {"panel's size changed", resized, kSecond.rect, 1024, false, false, true, true, false, false},
        {"chosen from the primary", second, kPrimary.rect, 1280, false, false, true, true, false, false},
        {"the only display, same size", {kPrimary, false}, kPrimary.rect, 1280, true, false, false, true, false, false},
        {"named display gone", gone, kSecond.rect, 1024, false, false, true, true, true, true},
        {"still gone", gone, kPrimary.rect, 1280, false, true, false, false, false, true},
        {"back again", second, kPrimary.rect, 1280, false, true, true, true, false, false},
    };
    for (const auto& c : cases) {
        const PanelChangeDecision d = DecidePanelChange({c.now, c.mapped, c.appliedWidth, 768, c.single, c.told});
        EXPECT_EQ(std::make_tuple(d.remap, d.resolutionRules, d.tellGone, d.goneTold),
                  std::make_tuple(c.remap, c.rules, c.tell, c.toldAfter)) << c.what;
    }
}

}  // namespace
}  // namespace qx

#include <gtest/gtest.h>

#include "support/GuiApplication.h"
#include "toolkit/AnchorLayout.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/MouseNotifier.h"
#include "toolkit/Panel.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <array>
#include <map>
#include <string>

namespace velmora {
namespace {

using Kind = ControlDescription::Kind;
constexpr Anchors kAll = Anchor::Left | Anchor::Top | Anchor::Right | Anchor::Bottom;

const std::array<ControlDescription, 6> kControls = {{
    {.name = "stretch", .kind = Kind::Panel, .rect = {10, 10, 50, 30}, .anchors = kAll},
    {.name = "right", .kind = Kind::Panel, .rect = {150, 10, 40, 20}, .anchors = Anchor::Right | Anchor::Top},
    {.name = "centred", .kind = Kind::Panel, .rect = {80, 40, 40, 20}, .anchors = {}},
    {.name = "bottomLeft", .kind = Kind::Panel, .rect = {10, 70, 30, 20}, .anchors = Anchor::Left | Anchor::Bottom},
    {.name = "group", .kind = Kind::GroupBox, .rect = {100, 50, 90, 45}, .anchors = kAll},
    {.name = "inner",
     .kind = Kind::Panel,
     .parent = "group",
     .rect = {50, 20, 30, 20},
     .anchors = Anchor::Right | Anchor::Bottom},
}};
const WindowDescription kDescription{.clientSize = {200, 100}, .controls = kControls};

// A window none of whose controls the code reaches after building.
struct NoControls {};

// The controls the form-builder test reaches.
struct LabelControls {
    QLabel* autoSized = nullptr;
    QLabel* start = nullptr;
    Panel* hidden = nullptr;
};

// A slot whose member is of another type than the control built for it.
struct WrongType {
    QGroupBox* autoSized = nullptr;
};

TEST(AnchorLayout, ControlsFollowTheirAnchorsOnEveryResize)
{
    struct Row {
        const char* name;
        QSize size;
        std::map<std::string, QRect> expected;
    };
    const Row rows[] = {
        {"design size",
         {200, 100},
         {{"stretch", {10, 10, 50, 30}},
          {"right", {150, 10, 40, 20}},
          {"centred", {80, 40, 40, 20}},
          {"bottomLeft", {10, 70, 30, 20}},
          {"group", {100, 50, 90, 45}},
          {"inner", {50, 20, 30, 20}}}},
        {"larger",
         {300, 160},
         {{"stretch", {10, 10, 150, 90}},
          {"right", {250, 10, 40, 20}},
          {"centred", {130, 70, 40, 20}},
          {"bottomLeft", {10, 130, 30, 20}},
          {"group", {100, 50, 190, 105}},
          {"inner", {150, 80, 30, 20}}}},
        {"smaller",
         {150, 80},
         {{"stretch", {10, 10, 0, 10}},
          {"right", {100, 10, 40, 20}},
          {"centred", {55, 30, 40, 20}},
          {"bottomLeft", {10, 50, 30, 20}},
          {"group", {100, 50, 40, 25}},
          {"inner", {0, 0, 30, 20}}}},
        {"centre rounds half away from zero",
         {201, 100},
         {{"stretch", {10, 10, 51, 30}}, {"right", {151, 10, 40, 20}}, {"centred", {81, 40, 40, 20}}}},
    };
    test::GuiApplication();
    for (const bool shown : {false, true}) {
        QWidget window;
        FormBuilder::Build<NoControls>(window, kDescription);
        if (shown) {
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        }
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message() << row.name << (shown ? ", shown" : ", hidden"));
            window.resize(row.size);
            if (!shown)  // Qt delivers a hidden window's resize when it is shown
                AnchorLayout::On(window, {}).Apply();
            for (const auto& [name, rect] : row.expected)
                EXPECT_EQ(window.findChild<QWidget*>(QString::fromStdString(name))->geometry(), rect) << name;
        }
    }
}

TEST(FormBuilder, ControlsGetTheirTextFontColourAndOptions)
{
    using Option = ControlDescription::Option;
    const std::array<ControlDescription, 4> controls = {{
        {.name = "box", .kind = Kind::GroupBox, .rect = {8, 8, 300, 100}, .font = {.family = "Arial", .height = 16}},
        {.name = "auto",
         .kind = Kind::Label,
         .parent = "box",
         .rect = {10, 20, 0, 0},
         .text = "Odstęp:",
         .slot = ControlSlot::Of<&LabelControls::autoSized>()},
        {.name = "start",
         .kind = Kind::Label,
         .parent = "box",
         .rect = {10, 50, 60, 18},
         .text = "Start",
         .font = {.family = "Arial", .height = 13, .bold = true},
         .textColour = QColor(0x505050),
         .options = Option::Centred | Option::HandCursor,
         .slot = ControlSlot::Of<&LabelControls::start>()},
        {.name = "hidden",
         .kind = Kind::Panel,
         .parent = "box",
         .rect = {100, 20, 50, 50},
         .bevelWidth = 2,
         .options = Option::Hidden,
         .slot = ControlSlot::Of<&LabelControls::hidden>()},
    }};
    test::GuiApplication();
    QWidget window;
    const LabelControls built =
        FormBuilder::Build<LabelControls>(window, {.clientSize = {320, 120}, .controls = controls});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const auto& autoSized = *built.autoSized;
    EXPECT_EQ(autoSized.text(), QString::fromUtf8("Odstęp:"));
    EXPECT_EQ(autoSized.font().pixelSize(), 16) << "inherited from the group box";
    EXPECT_EQ(autoSized.geometry(), QRect(QPoint(10, 20), autoSized.sizeHint()));
    const auto& start = *built.start;
    EXPECT_TRUE(start.font().bold());
    EXPECT_EQ(start.font().pixelSize(), 13);
    EXPECT_EQ(start.palette().color(QPalette::WindowText), QColor(0x505050));
    EXPECT_EQ(start.alignment(), Qt::AlignHCenter | Qt::AlignTop);
    EXPECT_EQ(start.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(built.hidden->isVisible());

    int clicks = 0;
    MouseNotifier::On(*built.start).SetOnClick([&] { ++clicks; });
    QTest::mouseClick(built.start, Qt::RightButton);
    QTest::mouseClick(built.start, Qt::LeftButton);
    EXPECT_EQ(clicks, 1) << "a left click only";

    const std::array<ControlDescription, 1> mistyped = {
        {{.name = "auto", .kind = Kind::Label, .slot = ControlSlot::Of<&WrongType::autoSized>()}}};
    QWidget third;
    EXPECT_THROW(FormBuilder::Build<WrongType>(third, {.clientSize = {10, 10}, .controls = mistyped}),
                 std::invalid_argument);
    QWidget fourth;
    EXPECT_THROW(FormBuilder::Build<NoControls>(fourth, {.clientSize = {10, 10}, .controls = controls}),
                 std::invalid_argument)
        << "slots of another window's controls";
    const std::array<ControlDescription, 1> orphan = {{{.name = "orphan", .parent = "missing"}}};
    QWidget other;
    EXPECT_THROW(FormBuilder::Build<NoControls>(other, {.clientSize = {10, 10}, .controls = orphan}),
                 std::invalid_argument);
}

}  // namespace
}  // namespace velmora

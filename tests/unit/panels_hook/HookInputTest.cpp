// Kernel input events and script lines to the records a hook reports.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "panels/hook/HookTranslate.h"
#include "panels/hook/ScriptedInput.h"

namespace panels::hook {
namespace {

struct Raw {
    uint16_t type;
    uint16_t code;
    int32_t value;
};

TEST(EvdevTranslate, KeysPressRepeatAndReleaseWithScanCodesAndKeys) {
    // A recorded sequence: Right Ctrl down, C down, repeat, C up, Right Ctrl up, with the
    // sync and scan reports a keyboard sends between them.
    const Raw seq[] = {{EV_MSC, MSC_SCAN, 0x700e4},
                       {EV_KEY, KEY_RIGHTCTRL, 1},
                       {EV_SYN, 0, 0},
                       {EV_KEY, KEY_C, 1},
                       {EV_SYN, 0, 0},
                       {EV_KEY, KEY_C, 2},
                       {EV_KEY, KEY_C, 0},
                       {EV_KEY, KEY_RIGHTCTRL, 0},
                       {EV_KEY, KEY_KPENTER, 1}};
    std::vector<HookInputEvent> out;
    for (const Raw& r : seq) {
        if (auto e = TranslateEvdevEvent(r.type, r.code, r.value, 0, 0, 77))
            out.push_back(*e);
    }
    ASSERT_EQ(out.size(), 6u);
    EXPECT_FALSE(out[0].isMouse);
    EXPECT_EQ(out[0].message, 0x100u);
    EXPECT_EQ(out[0].key.scanCode, 0x1Du);
    EXPECT_EQ(out[0].key.flags, 0x01u);
    EXPECT_EQ(out[0].key.vkCode, 0xA3u);
    EXPECT_EQ(out[0].key.time, 77u);
    EXPECT_EQ(out[1].key.vkCode, static_cast<uint32_t>('C'));
    EXPECT_EQ(out[2].message, 0x100u);  // auto-repeat is a press
    EXPECT_EQ(out[3].message, 0x101u);
    EXPECT_EQ(out[3].key.flags, 0x80u);
    EXPECT_EQ(out[4].key.flags, 0x81u);
    EXPECT_EQ(out[5].key.vkCode, 0x0Du);  // keypad Enter: Enter, extended
    EXPECT_EQ(out[5].key.flags, 0x01u);
}

TEST(EvdevTranslate, ButtonsWithTheCursorAndTheirXButton) {
    struct Case {
        uint16_t code;
        int32_t value;
        uint32_t message;
        uint32_t xButton;
    };
    const Case cases[] = {
        {BTN_LEFT, 1, 0x201, 0},    {BTN_LEFT, 0, 0x202, 0},   {BTN_RIGHT, 1, 0x204, 0},
        {BTN_RIGHT, 0, 0x205, 0},   {BTN_MIDDLE, 1, 0x207, 0}, {BTN_MIDDLE, 0, 0x208, 0},
        {BTN_SIDE, 1, 0x20B, 1},    {BTN_BACK, 0, 0x20C, 1},   {BTN_EXTRA, 1, 0x20B, 2},
        {BTN_FORWARD, 0, 0x20C, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        auto e = TranslateEvdevEvent(EV_KEY, c.code, c.value, -20, 900, 5);
        ASSERT_TRUE(e.has_value());
        EXPECT_TRUE(e->isMouse);
        EXPECT_EQ(e->message, c.message);
        EXPECT_EQ(e->mouse.x, -20);
        EXPECT_EQ(e->mouse.y, 900);
        EXPECT_EQ(platform::HookXButtonOf(e->mouse), c.xButton);
    }
    // Motion, wheels, touch and gamepad buttons are not hook events.
    EXPECT_FALSE(TranslateEvdevEvent(EV_REL, REL_X, 3, 0, 0, 0));
    EXPECT_FALSE(TranslateEvdevEvent(EV_REL, REL_WHEEL, 1, 0, 0, 0));
    EXPECT_FALSE(TranslateEvdevEvent(EV_KEY, BTN_TOUCH, 1, 0, 0, 0));
    EXPECT_FALSE(TranslateEvdevEvent(EV_KEY, BTN_SOUTH, 1, 0, 0, 0));
    EXPECT_FALSE(TranslateEvdevEvent(EV_KEY, BTN_LEFT, 2, 0, 0, 0));
}

TEST(InputScript, ReadsKeysAndButtonsAndRefusesBadLines) {
    const InputScript ok = ParseInputScript(
        "# a comment\n"
        "0 key down 0x1d ext\r\n"
        "\n"
        "  10 key up 0x1D ext\n"
        "20 mouse 0x201 300 -40\n"
        "20 mouse 0x20B x2\n"
        "35 mouse 0x20c x1 1 2\n");
    ASSERT_TRUE(ok.error.empty()) << ok.error;
    ASSERT_EQ(ok.events.size(), 5u);
    EXPECT_EQ(ok.events[0].message, 0x100u);
    EXPECT_EQ(ok.events[0].scan, 0x1Du);
    EXPECT_TRUE(ok.events[0].extended);
    EXPECT_EQ(ok.events[1].atMs, 10u);
    EXPECT_EQ(ok.events[1].message, 0x101u);
    EXPECT_TRUE(ok.events[2].isMouse);
    EXPECT_TRUE(ok.events[2].hasPosition);
    EXPECT_EQ(ok.events[2].y, -40);
    EXPECT_EQ(ok.events[3].xButton, 2u);
    EXPECT_FALSE(ok.events[3].hasPosition);
    EXPECT_EQ(ok.events[4].xButton, 1u);
    EXPECT_EQ(ok.events[4].x, 1);

    const char* bad[] = {
        "x key down 0x1e",
        "5 key press 0x1e",
        "5 key down 30",
        "5 key down 0x1e extended",
        "5 key down 0x100",
        "5 mouse 0x20A",
        "5 mouse 0x20B",
        "5 mouse 0x20B x3",
        "5 mouse 0x201 10",
        "5 mouse 0x201 a b",
        "5 tap 0x1e",
        "-5 key down 0x1e",
        "10 key down 0x1e\n5 key up 0x1e",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        const InputScript s = ParseInputScript(text);
        EXPECT_TRUE(s.events.empty());
        EXPECT_FALSE(s.error.empty());
    }
}

}  // namespace
}  // namespace panels::hook

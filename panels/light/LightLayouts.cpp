#include "panels/light/LightLayouts.h"

#include <span>
#include <string_view>

namespace panels::light {
namespace {

constexpr int kAndAbove = 1 << 30;
constexpr int kNoLabels = -1;

// One table row: the modes first..last, then per parameter group (kParameterGroupNames
// order) '+' enable, '-' disable, '.' leave; whether the same-mode button shows; per keyboard
// group (kKeyboardGroupNames order) 's' show, 'h' hide, '.' leave; the direction labels.
struct LayoutRow {
    int first;
    int last;
    std::string_view groups;
    bool sameMode;
    std::string_view keyboard = ".....";
    int labels = kNoLabels;
};

constexpr bool kSame = true;
constexpr bool kAlone = false;

// The mouse (family 2, and 6 on the receiver). Modes 1 and 7 share a row, as do 5 and 9.
constexpr LayoutRow kMouseRows[] = {
    {0, 0, "-+++--+", kSame},            // static
    {1, 1, "-++++-+", kSame},            // breathing
    {2, 2, "---++--", kSame},            // colour cycle
    {3, 3, "---++--", kAlone},           // four-colour breathing
    {4, 4, "-------", kSame},            // off
    {5, 5, "++++++.", kAlone},           // wave
    {6, 6, "+++++-.", kSame},            // flash
    {7, 7, "-++++-+", kSame},            // reactive
    {8, 8, "---++-.", kAlone},           // four-colour flash
    {9, 9, "++++++.", kAlone},           // neon
    {10, kAndAbove, "------.", kAlone},  // hidden built-ins and custom effects
};

// Direction label pairs of the keyboard's moving effects.
constexpr DirectionLabels kLabelPairs[] = {
    {"light_set_right_to_left_text", "light_set_left_to_right_text"},
    {"light_set_clockwise_text", "light_set_anticlockwise_text"},
    {"light_set_up_to_down_text", "light_set_down_to_up_text"},
    {"light_set_outside_to_inside_text", "light_set_inside_to_outside_text"},
};
constexpr int kSideways = 0;
constexpr int kTurning = 1;
constexpr int kUpright = 2;
constexpr int kRadial = 3;

// The keyboard (family 1, and 9 on the receiver), our own rows. Keyboard groups: custom mode
// combo, secondary mode combo, colour area, audio mode combo, colour tabs.
constexpr LayoutRow kKeyboardRows[] = {
    {0, 0, "---+---", kAlone, "shhhh"},               // custom colours
    {1, 1, "+++++++", kAlone, "hhshh", kSideways},    // wave
    {2, 2, "+++++++", kAlone, "hhshh", kRadial},      // ripple
    {3, 3, "+++++-+", kAlone, "hsshh"},               // reactive
    {4, 4, "---++--", kSame, "hhhhh"},                // colour cycle
    {5, 5, "+++++-+", kSame, "hhshh"},                // breathing
    {6, 6, "-+++--+", kSame, "hhshh"},                // static
    {7, 7, "+++++++", kAlone, "hhshh", kTurning},     // spiral
    {8, 8, "+++++++", kAlone, "hhshh", kUpright},     // rain
    {9, 9, "+++++++", kAlone, "hhshh", kSideways},    // snake
    {10, 10, "+++++-+", kAlone, "hhshh"},             // twinkle
    {11, 11, "+++++-+", kAlone, "hhshh"},             // crosshair
    {12, 12, "++++--+", kAlone, "hhshh"},             // fireworks (fixed pace)
    {13, 13, "+++++++", kAlone, "hhshh", kTurning},   // radar
    {14, 14, "++++--+", kAlone, "hhshh"},             // heartbeat (fixed pace)
    {15, 15, "+++++++", kAlone, "hhshh", kUpright},   // tide
    {16, 16, "---++--", kAlone, "hhhhh"},             // aurora
    {17, 17, "+++++-+", kAlone, "hhshh"},             // raindrops
    {18, 18, "+++++++", kAlone, "hhshh", kSideways},  // sine wave
    {19, 19, "---+---", kAlone, "shhhh"},             // second custom bank
    {20, 20, "-------", kAlone, "hhhhh"},             // onboard effect
    {21, 21, "+++++-+", kAlone, "hsshh"},             // key trail
    {22, 22, "+++++++", kAlone, "hhshh", kRadial},    // ring
    {23, 23, "+++++-+", kSame, "hhshh"},              // flash
    {24, 24, "+++++++", kAlone, "hhshh", kSideways},  // scan
    {25, 25, "+++++++", kAlone, "hhshh", kTurning},   // whirl
    {26, 26, "---++--", kAlone, "hhhhh"},             // four-colour breathing
    {27, 27, "---++--", kAlone, "hhhhh"},             // four-colour flash
    {28, 28, "-------", kSame, "hhhhh"},              // off
    {29, 29, "---+---", kAlone, "hhhss"},             // music rhythm
    {30, 30, "---+---", kAlone, "hhhss"},             // music spectrum
    {31, kAndAbove, "-------", kAlone, "hhhhh"},      // nothing the keyboard knows
};

// Mouse pads and headsets (families 3, 4 and 7).
constexpr LayoutRow kPadRows[] = {
    {0, 0, "---++--", kAlone},          // neon
    {1, 1, "---++--", kSame},           // colour cycle
    {2, 2, "-++++-+", kSame},           // breathing
    {3, 3, "-+++--+", kSame},           // static
    {4, 4, "+++++-.", kSame},           // flash
    {5, 5, "-------", kAlone},          // custom effect
    {6, 6, "-++++-+", kAlone},          // reactive
    {7, 7, "++++++.", kAlone},          // wave
    {8, 8, "-------", kSame},           // off
    {9, kAndAbove, "------.", kAlone},  // nothing the device knows
};

// Family 5: six modes, no same-mode button.
constexpr LayoutRow kFamilyFiveRows[] = {
    {0, 0, "-+++--+", kAlone},          // static
    {1, 1, "-++++-+", kAlone},          // breathing
    {2, 2, "---++--", kAlone},          // colour cycle
    {3, 3, "+++++-.", kAlone},          // flash
    {4, 4, "++++++.", kAlone},          // wave
    {5, 5, "-------", kAlone},          // off
    {6, kAndAbove, "------.", kAlone},  // nothing the device knows
};

constexpr bool IsChangeMark(char c) {
    return c == '+' || c == '-' || c == '.';
}
constexpr bool IsShowMark(char c) {
    return c == 's' || c == 'h' || c == '.';
}

// Rows cover modes 0 and above without gap or overlap, ending open; every mark is known.
template <size_t N>
constexpr bool WellFormed(const LayoutRow (&rows)[N]) {
    int next = 0;
    for (const LayoutRow& row : rows) {
        if (row.first != next || row.last < row.first)
            return false;
        if (row.groups.size() != kParameterGroupCount || row.keyboard.size() != kKeyboardGroupCount)
            return false;
        for (char c : row.groups)
            if (!IsChangeMark(c))
                return false;
        for (char c : row.keyboard)
            if (!IsShowMark(c))
                return false;
        if (row.labels != kNoLabels &&
            (row.labels < 0 || row.labels >= static_cast<int>(std::size(kLabelPairs))))
            return false;
        next = row.last == kAndAbove ? kAndAbove : row.last + 1;
    }
    return next == kAndAbove;
}
static_assert(WellFormed(kMouseRows));
static_assert(WellFormed(kKeyboardRows));
static_assert(WellFormed(kPadRows));
static_assert(WellFormed(kFamilyFiveRows));

std::span<const LayoutRow> TableOf(int family) {
    switch (family) {
        case kFamilyMouse:
        case kFamilyMouseReceiver:
            return kMouseRows;
        case kFamilyKeyboard:
        case kFamilyKeyboardReceiver:
            return kKeyboardRows;
        case kFamilyMousePad:
        case kFamilyHeadsetFour:
        case kFamilyHeadset:
            return kPadRows;
        case kFamilyFive:
            return kFamilyFiveRows;
        default:
            return {};
    }
}

Change ChangeOf(char mark) {
    switch (mark) {
        case '+':
        case 's':
            return Change::On;
        case '-':
        case 'h':
            return Change::Off;
        default:
            return Change::Keep;
    }
}

}  // namespace

std::optional<ModeLayout> LayoutFor(int family, int mode) {
    if (mode < 0)
        return std::nullopt;
    for (const LayoutRow& row : TableOf(family)) {
        if (mode < row.first || mode > row.last)
            continue;
        ModeLayout layout;
        for (size_t g = 0; g < kParameterGroupCount; ++g)
            layout.groups[g] = ChangeOf(row.groups[g]);
        for (size_t g = 0; g < kKeyboardGroupCount; ++g)
            layout.keyboardGroups[g] = ChangeOf(row.keyboard[g]);
        layout.sameMode = row.sameMode;
        if (row.labels != kNoLabels)
            layout.labels = kLabelPairs[row.labels];
        return layout;
    }
    return std::nullopt;
}

}  // namespace panels::light

#include "panels/light/LightLayouts.h"

#include <span>
#include <string_view>

namespace panels::light {
namespace {

constexpr int kLayoutAndAbove = 1 << 30;
constexpr int kLayoutNoLabels = -1;

// One table row: the modes first..last, then per parameter group (kParameterGroupNames
// order) '+' enable, '-' disable, '.' leave; whether the same-mode button shows; per keyboard
// group (kKeyboardGroupNames order) 's' show, 'h' hide, '.' leave; the direction labels.
struct LightLayoutRow {
    int first;
    int last;
    std::string_view groups;
    bool sameMode;
    std::string_view keyboard = ".....";
    int labels = kLayoutNoLabels;
};

constexpr bool kLayoutSame = true;
constexpr bool kLayoutAlone = false;

// The mouse (family 2, and 6 on the receiver). Modes 1 and 7 share a row, as do 5 and 9.
constexpr LightLayoutRow kMouseLayoutRows[] = {
    {0, 0, "-+++--+", kLayoutSame},                  // static
    {1, 1, "-++++-+", kLayoutSame},                  // breathing
    {2, 2, "---++--", kLayoutSame},                  // colour cycle
    {3, 3, "---++--", kLayoutAlone},                 // four-colour breathing
    {4, 4, "-------", kLayoutSame},                  // off
    {5, 5, "++++++.", kLayoutAlone},                 // wave
    {6, 6, "+++++-.", kLayoutSame},                  // flash
    {7, 7, "-++++-+", kLayoutSame},                  // reactive
    {8, 8, "---++-.", kLayoutAlone},                 // four-colour flash
    {9, 9, "++++++.", kLayoutAlone},                 // neon
    {10, kLayoutAndAbove, "------.", kLayoutAlone},  // hidden built-ins and custom effects
};

// Direction label pairs of the keyboard's moving effects.
constexpr DirectionLabels kDirectionLabelPairs[] = {
    {"light_set_right_to_left_text", "light_set_left_to_right_text"},
    {"light_set_clockwise_text", "light_set_anticlockwise_text"},
    {"light_set_up_to_down_text", "light_set_down_to_up_text"},
    {"light_set_outside_to_inside_text", "light_set_inside_to_outside_text"},
};
constexpr int kLabelsSideways = 0;
constexpr int kLabelsTurning = 1;
constexpr int kLabelsUpright = 2;
constexpr int kLabelsRadial = 3;

// The keyboard (family 1, and 9 on the receiver), our own rows. Keyboard groups: custom mode
// combo, secondary mode combo, colour area, audio mode combo, colour tabs.
constexpr LightLayoutRow kKeyboardLayoutRows[] = {
    {0, 0, "---+---", kLayoutAlone, "shhhh"},                     // custom colours
    {1, 1, "+++++++", kLayoutAlone, "hhshh", kLabelsSideways},    // wave
    {2, 2, "+++++++", kLayoutAlone, "hhshh", kLabelsRadial},      // ripple
    {3, 3, "+++++-+", kLayoutAlone, "hsshh"},                     // reactive
    {4, 4, "---++--", kLayoutSame, "hhhhh"},                      // colour cycle
    {5, 5, "+++++-+", kLayoutSame, "hhshh"},                      // breathing
    {6, 6, "-+++--+", kLayoutSame, "hhshh"},                      // static
    {7, 7, "+++++++", kLayoutAlone, "hhshh", kLabelsTurning},     // spiral
    {8, 8, "+++++++", kLayoutAlone, "hhshh", kLabelsUpright},     // rain
    {9, 9, "+++++++", kLayoutAlone, "hhshh", kLabelsSideways},    // snake
    {10, 10, "+++++-+", kLayoutAlone, "hhshh"},                   // twinkle
    {11, 11, "+++++-+", kLayoutAlone, "hhshh"},                   // crosshair
    {12, 12, "++++--+", kLayoutAlone, "hhshh"},                   // fireworks (fixed pace)
    {13, 13, "+++++++", kLayoutAlone, "hhshh", kLabelsTurning},   // radar
    {14, 14, "++++--+", kLayoutAlone, "hhshh"},                   // heartbeat (fixed pace)
    {15, 15, "+++++++", kLayoutAlone, "hhshh", kLabelsUpright},   // tide
    {16, 16, "---++--", kLayoutAlone, "hhhhh"},                   // aurora
    {17, 17, "+++++-+", kLayoutAlone, "hhshh"},                   // raindrops
    {18, 18, "+++++++", kLayoutAlone, "hhshh", kLabelsSideways},  // sine wave
    {19, 19, "---+---", kLayoutAlone, "shhhh"},                   // second custom bank
    {20, 20, "-------", kLayoutAlone, "hhhhh"},                   // onboard effect
    {21, 21, "+++++-+", kLayoutAlone, "hsshh"},                   // key trail
    {22, 22, "+++++++", kLayoutAlone, "hhshh", kLabelsRadial},    // ring
    {23, 23, "+++++-+", kLayoutSame, "hhshh"},                    // flash
    {24, 24, "+++++++", kLayoutAlone, "hhshh", kLabelsSideways},  // scan
    {25, 25, "+++++++", kLayoutAlone, "hhshh", kLabelsTurning},   // whirl
    {26, 26, "---++--", kLayoutAlone, "hhhhh"},                   // four-colour breathing
    {27, 27, "---++--", kLayoutAlone, "hhhhh"},                   // four-colour flash
    {28, 28, "-------", kLayoutSame, "hhhhh"},                    // off
    {29, 29, "---+---", kLayoutAlone, "hhhss"},                   // music rhythm
    {30, 30, "---+---", kLayoutAlone, "hhhss"},                   // music spectrum
    {31, kLayoutAndAbove, "-------", kLayoutAlone, "hhhhh"},      // nothing the keyboard knows
};

// Mouse pads and headsets (families 3, 4 and 7).
constexpr LightLayoutRow kPadLayoutRows[] = {
    {0, 0, "---++--", kLayoutAlone},                // neon
    {1, 1, "---++--", kLayoutSame},                 // colour cycle
    {2, 2, "-++++-+", kLayoutSame},                 // breathing
    {3, 3, "-+++--+", kLayoutSame},                 // static
    {4, 4, "+++++-.", kLayoutSame},                 // flash
    {5, 5, "-------", kLayoutAlone},                // custom effect
    {6, 6, "-++++-+", kLayoutAlone},                // reactive
    {7, 7, "++++++.", kLayoutAlone},                // wave
    {8, 8, "-------", kLayoutSame},                 // off
    {9, kLayoutAndAbove, "------.", kLayoutAlone},  // nothing the device knows
};

// Family 5: six modes, no same-mode button.
constexpr LightLayoutRow kFamilyFiveLayoutRows[] = {
    {0, 0, "-+++--+", kLayoutAlone},                // static
    {1, 1, "-++++-+", kLayoutAlone},                // breathing
    {2, 2, "---++--", kLayoutAlone},                // colour cycle
    {3, 3, "+++++-.", kLayoutAlone},                // flash
    {4, 4, "++++++.", kLayoutAlone},                // wave
    {5, 5, "-------", kLayoutAlone},                // off
    {6, kLayoutAndAbove, "------.", kLayoutAlone},  // nothing the device knows
};

constexpr bool IsLayoutChangeMark(char c) {
    return c == '+' || c == '-' || c == '.';
}
constexpr bool IsLayoutShowMark(char c) {
    return c == 's' || c == 'h' || c == '.';
}

// Rows cover modes 0 and above without gap or overlap, ending open; every mark is known.
template <size_t N>
constexpr bool LayoutRowsWellFormed(const LightLayoutRow (&rows)[N]) {
    int next = 0;
    for (const LightLayoutRow& row : rows) {
        if (row.first != next || row.last < row.first)
            return false;
        if (row.groups.size() != kParameterGroupCount || row.keyboard.size() != kKeyboardGroupCount)
            return false;
        for (char c : row.groups)
            if (!IsLayoutChangeMark(c))
                return false;
        for (char c : row.keyboard)
            if (!IsLayoutShowMark(c))
                return false;
        if (row.labels != kLayoutNoLabels &&
            (row.labels < 0 || row.labels >= static_cast<int>(std::size(kDirectionLabelPairs))))
            return false;
        next = row.last == kLayoutAndAbove ? kLayoutAndAbove : row.last + 1;
    }
    return next == kLayoutAndAbove;
}
static_assert(LayoutRowsWellFormed(kMouseLayoutRows));
static_assert(LayoutRowsWellFormed(kKeyboardLayoutRows));
static_assert(LayoutRowsWellFormed(kPadLayoutRows));
static_assert(LayoutRowsWellFormed(kFamilyFiveLayoutRows));

std::span<const LightLayoutRow> LayoutTableOf(int family) {
    switch (family) {
        case kFamilyMouse:
        case kFamilyMouseReceiver:
            return kMouseLayoutRows;
        case kFamilyKeyboard:
        case kFamilyKeyboardReceiver:
            return kKeyboardLayoutRows;
        case kFamilyMousePad:
        case kFamilyHeadsetFour:
        case kFamilyHeadset:
            return kPadLayoutRows;
        case kFamilyFive:
            return kFamilyFiveLayoutRows;
        default:
            return {};
    }
}

Change LayoutChangeOf(char mark) {
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
    for (const LightLayoutRow& row : LayoutTableOf(family)) {
        if (mode < row.first || mode > row.last)
            continue;
        ModeLayout layout;
        for (size_t g = 0; g < kParameterGroupCount; ++g)
            layout.groups[g] = LayoutChangeOf(row.groups[g]);
        for (size_t g = 0; g < kKeyboardGroupCount; ++g)
            layout.keyboardGroups[g] = LayoutChangeOf(row.keyboard[g]);
        layout.sameMode = row.sameMode;
        if (row.labels != kLayoutNoLabels)
            layout.labels = kDirectionLabelPairs[row.labels];
        return layout;
    }
    return std::nullopt;
}

}  // namespace panels::light

#!/usr/bin/env python3
"""Writes the keyboard page's picture and its key and LED buttons from one layout table.

The page has 170 positions: six rows of 21 (positions 0-125, 104 of them keys), then 126-169;
every position without a key is an LED of the glow strip round the plate (66 of them, in
position order clockwise from the top left). The device object's
factory code table (devices/keyboard/KeyboardLayout.cpp) lists the same key codes in the same
positions; this script prints it with --table.

usage: scripts/keyboard_page.py [--table]   (run from the source tree's top folder)
"""
import sys

PITCH, GAP = 17, 2
COLUMNS, ROWS = 21, 6
NAV, PAD = 15.25, 18.5
PICTURE_W, PICTURE_H = 460, 460
LEFT = (PICTURE_W - int(22.5 * PITCH)) // 2
TOP = 160
FIRST_ROW_GAP = 6

# Each row: (usage, x in units, width in units, height in rows); None for an empty column.
R = []
R.append([(0x29, 0, 1, 1)] + [(0x3A + i, 2 + i + (i // 4) * 0.5, 1, 1) for i in range(12)] +
         [(0x46, NAV, 1, 1), (0x47, NAV + 1, 1, 1), (0x48, NAV + 2, 1, 1)])
R.append([(0x35, 0, 1, 1)] + [(0x1E + i, 1 + i, 1, 1) for i in range(10)] +
         [(0x2D, 11, 1, 1), (0x2E, 12, 1, 1), (0x2A, 13, 2, 1),
          (0x49, NAV, 1, 1), (0x4A, NAV + 1, 1, 1), (0x4B, NAV + 2, 1, 1),
          (0x53, PAD, 1, 1), (0x54, PAD + 1, 1, 1), (0x55, PAD + 2, 1, 1), (0x56, PAD + 3, 1, 1)])
R.append([(0x2B, 0, 1.5, 1)] +
         [(u, 1.5 + i, 1, 1) for i, u in enumerate([0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18,
                                                     0x0C, 0x12, 0x13, 0x2F, 0x30])] +
         [(0x31, 13.5, 1.5, 1), (0x4C, NAV, 1, 1), (0x4D, NAV + 1, 1, 1), (0x4E, NAV + 2, 1, 1),
          (0x5F, PAD, 1, 1), (0x60, PAD + 1, 1, 1), (0x61, PAD + 2, 1, 1), (0x57, PAD + 3, 1, 2)])
R.append([(0x39, 0, 1.75, 1)] +
         [(u, 1.75 + i, 1, 1) for i, u in enumerate([0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D,
                                                      0x0E, 0x0F, 0x33, 0x34])] +
         [(0x28, 12.75, 2.25, 1), (0x5C, PAD, 1, 1), (0x5D, PAD + 1, 1, 1), (0x5E, PAD + 2, 1, 1)])
R.append([(0xE1, 0, 2.25, 1)] +
         [(u, 2.25 + i, 1, 1) for i, u in enumerate([0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10,
                                                      0x36, 0x37, 0x38])] +
         [(0xE5, 12.25, 2.75, 1), (0x52, NAV + 1, 1, 1),
          (0x59, PAD, 1, 1), (0x5A, PAD + 1, 1, 1), (0x5B, PAD + 2, 1, 1), (0x58, PAD + 3, 1, 2)])
R.append([(0xE0, 0, 1.25, 1), (0xE3, 1.25, 1.25, 1), (0xE2, 2.5, 1.25, 1), (0x2C, 3.75, 6.25, 1),
          (0xE6, 10, 1.25, 1), (0xE7, 11.25, 1.25, 1), (0x65, 12.5, 1.25, 1), (0xE4, 13.75, 1.25, 1),
          (0x50, NAV, 1, 1), (0x51, NAV + 1, 1, 1), (0x4F, NAV + 2, 1, 1),
          (0x62, PAD, 2, 1), (0x63, PAD + 2, 1, 1)])


def row_top(row):
    return TOP + (0 if row == 0 else PITCH + FIRST_ROW_GAP + (row - 1) * PITCH)


def keys():
    """(position, usage, left, top, right, bottom) of every key."""
    out = []
    for row, entries in enumerate(R):
        assert len(entries) <= COLUMNS
        for column, (usage, x, w, h) in enumerate(entries):
            left = LEFT + round(x * PITCH)
            top = row_top(row)
            right = left + round(w * PITCH) - GAP
            bottom = top + h * PITCH - GAP
            out.append((row * COLUMNS + column, usage, left, top, right, bottom))
    return out


def keyless():
    """The positions without a key, in order: the gaps of the rows, then 126-169."""
    keyed = {position for position, *_ in keys()}
    return [p for p in range(170) if p not in keyed]


def strip():
    """(position, centre x, centre y) of the glow strip's 66 LEDs, one for every keyless
    position, clockwise from the top left: 25 along the top, 8 down the right, 25 back along
    the bottom, 8 up the left."""
    plate = (LEFT - 14, TOP - 14, LEFT + int(22.5 * PITCH) + 12, row_top(5) + PITCH + 12)
    l, t, r, b = plate
    points = []
    for i in range(25):
        points.append((l + 8 + i * (r - l - 16) / 24, t - 10))
    for i in range(8):
        points.append((r + 10, t + 8 + i * (b - t - 16) / 7))
    for i in range(25):
        points.append((r - 8 - i * (r - l - 16) / 24, b + 10))
    for i in range(8):
        points.append((l - 10, b - 8 - i * (b - t - 16) / 7))
    return plate, [(p, round(x), round(y)) for p, (x, y) in zip(keyless(), points)]


def table():
    usages = [0] * 170
    for position, usage, *_ in keys():
        usages[position] = usage
    lines = []
    for i in range(0, 170, 14):
        lines.append("    " + ", ".join("0x%02X" % u for u in usages[i:i + 14]) + ",")
    return "\n".join(lines)


def svg():
    plate, _ = strip()
    l, t, r, b = plate
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
        % (PICTURE_W, PICTURE_H, PICTURE_W, PICTURE_H),
        '  <!-- The keyboard from above: a dark plate and its 104 keycaps. Written by'
        ' scripts/keyboard_page.py. -->',
        '  <defs><linearGradient id="cap" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#3A414C"/><stop offset="1" stop-color="#262B33"/>'
        '</linearGradient></defs>',
        '  <rect x="%d" y="%d" width="%d" height="%d" rx="10" fill="#1C2027" stroke="#3B4250"'
        ' stroke-width="2"/>' % (l, t, r - l, b - t),
    ]
    for _, _, kl, kt, kr, kb in keys():
        parts.append('  <rect x="%d" y="%d" width="%d" height="%d" rx="3" fill="url(#cap)"'
                     ' stroke="#4A5260" stroke-width="1"/>' % (kl, kt, kr - kl, kb - kt))
    parts.append('</svg>')
    return "\n".join(parts) + "\n"


def xml():
    _, leds = strip()
    out = [
        '<?xml version="1.0" encoding="utf-8"?>',
        '<!-- The keyboard picture: 170 positions. Keys are "key_" + position (104 of positions',
        '     0-125, six rows of 21); every position has an LED, user data "light_" + position:',
        '     a key\'s own under its cap, and each keyless position one of the glow strip round',
        '     the plate, in position order clockwise from the top left. Written by',
        '     scripts/keyboard_page.py. -->',
        '<SelectPanel name="keyboard_device_key_light" width="%d" height="%d" '
        'bkimage="device/keyboard/keyboard_top.svg">' % (PICTURE_W, PICTURE_H),
        '  <!-- lights first, so the keys lie over them -->',
    ]
    for position, _, l, t, r, b in keys():
        out.append('  <DeviceKeyButton name="light_%d" userdata="light_%d" float="true" '
                   'pos="%d,%d,%d,%d" mouse="false" lightimage="device/keyboard/key_glow.svg"/>'
                   % (position, position, l - 2, t - 2, r + 2, b + 2))
    for position, x, y in leds:
        out.append('  <DeviceKeyButton name="light_%d" userdata="light_%d" float="true" '
                   'pos="%d,%d,%d,%d" mouse="false" lightimage="device/mouse/led_glow.svg"/>'
                   % (position, position, x - 9, y - 9, x + 9, y + 9))
    for position, _, l, t, r, b in keys():
        out.append('  <DeviceKeyButton name="key_%d" float="true" pos="%d,%d,%d,%d" '
                   'hotimage="file=\'device/mouse/key_hot.svg\' corner=\'4,4,4,4\'" '
                   'pushedimage="file=\'device/mouse/key_pushed.svg\' corner=\'4,4,4,4\'"/>'
                   % (position, l, t, r, b))
    out.append('</SelectPanel>')
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    if "--table" in sys.argv:
        print(table())
        sys.exit(0)
    assert len(keys()) == 104 and len(keyless()) == 66 and len(strip()[1]) == 66
    open("resources/skin/device/keyboard/keyboard_top.svg", "w").write(svg())
    open("resources/skin/XML/DeviceXml/keyboard_keys.xml", "w").write(xml())

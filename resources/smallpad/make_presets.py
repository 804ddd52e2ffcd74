#!/usr/bin/env python3
"""Writes the small pad page's five sample presets into presets/: the XML of a
preset file (no header, no compression), one element per line, indented by 4,
as the page's writer lays it out. The mappings are our own.

Run from anywhere: python3 make_presets.py.
"""
import base64
import os

HERE = os.path.dirname(os.path.abspath(__file__))

BANKS, PADS, KEYS = 3, 16, 3


def grb(r, g, b):
    return [g, r, b]


# name: (pad channel, first note, bank colours as (r, g, b), button records
# (short press), button records (long press))
PRESETS = {
    'Cubase': (9, 36, [(255, 120, 0), (255, 60, 0), (200, 0, 40)],
               [[0x40, 0, 0, 0]] * 3, [[0x60, 0, 0, 0]] * 3),
    'FL_Studio': (9, 36, [(255, 140, 0), (120, 200, 0), (0, 160, 255)],
                  [[0x20, 102, 127, 0], [0x20, 103, 127, 0], [0x20, 104, 127, 0]], [[0x60, 0, 0, 0]] * 3),
    'Ableton-Live': (0, 36, [(0, 200, 120), (255, 200, 0), (160, 0, 255)],
                     [[0x10, 105, 0, 127], [0x10, 106, 0, 127], [0x10, 107, 0, 127]],
                     [[0x00, 108, 127, 0], [0x00, 109, 127, 0], [0x60, 0, 0, 0]]),
    'GarageBand': (9, 36, [(0, 120, 255), (0, 220, 220), (255, 255, 255)],
                   [[0x40, 0, 0, 0]] * 3, [[0x60, 0, 0, 0]] * 3),
    'Koala': (0, 60, [(255, 80, 160), (255, 230, 80), (80, 255, 200)],
              [[0x20, 85, 127, 0], [0x20, 86, 127, 0], [0x20, 87, 127, 0]], [[0x60, 0, 0, 0]] * 3),
}


def block_of(channel, first_note, colours, keys, keys_long):
    pads, pad_rgb = [], []
    for bank in range(BANKS):
        for p in range(PADS):
            pads.append([channel, min(127, first_note + 16 * bank + p), 0, 127])
            # each pad a little lighter than the one before
            r, g, b = colours[bank]
            k = p / 30.0
            pad_rgb.append(grb(int(r + (255 - r) * k), int(g + (255 - g) * k), int(b + (255 - b) * k)))
    knob_rgb = [grb(*c) for c in colours]
    pad_mode_rgb = [grb(*c) for c in colours]
    return pads, pad_rgb, keys, keys_long, knob_rgb, pad_mode_rgb


def xml_of(block):
    pads, pad_rgb, keys, keys_long, knob_rgb, pad_mode_rgb = block
    out = ['<?xml version="1.0" encoding="UTF-8"?>', '<Preset>', '    <ConfigData>']

    def groups(name, rows, item, field):
        out.append('        <%s>' % name)
        for g in range(BANKS):
            out.append('            <Group%d>' % g)
            for n in range(PADS):
                out.append('                <%s%d>' % (item, n))
                for c, v in enumerate(rows[g * PADS + n]):
                    out.append('                    <%s%d>%d</%s%d>' % (field, c, v, field, c))
                out.append('                </%s%d>' % (item, n))
            out.append('            </Group%d>' % g)
        out.append('        </%s>' % name)

    def table(name, rows, item, field):
        out.append('        <%s>' % name)
        for r, row in enumerate(rows):
            out.append('            <%s%d>' % (item, r))
            for c, v in enumerate(row):
                out.append('                <%s%d>%d</%s%d>' % (field, c, v, field, c))
            out.append('            </%s%d>' % (item, r))
        out.append('        </%s>' % name)

    groups('PadData', pads, 'Pad', 'Data')
    groups('PadRGB', pad_rgb, 'Pad', 'Color')
    table('KeyData', keys, 'Key', 'Data')
    table('KeyLongData', keys_long, 'Key', 'Data')
    table('KnobModeRGB', knob_rgb, 'Group', 'Color')
    table('PadModeRGB', pad_mode_rgb, 'Group', 'Color')
    out.append('        <SysexPool>')
    out.append('            <Data>%s</Data>' % base64.b64encode(bytes(300)).decode('ascii'))
    out.append('        </SysexPool>')
    out.append('        <CRC>0</CRC>')
    out.append('    </ConfigData>')
    out.append('</Preset>')
    return '\n'.join(out) + '\n'


def main():
    for name, args in PRESETS.items():
        with open(os.path.join(HERE, 'presets', name + '.rznano'), 'w', encoding='utf-8', newline='\n') as f:
            f.write(xml_of(block_of(*args)))


if __name__ == '__main__':
    main()

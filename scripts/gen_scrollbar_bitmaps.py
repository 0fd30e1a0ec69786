#!/usr/bin/env python3
"""Writes the scroll bar part bitmaps as text pixel maps (resources/ScrollBarBitmaps*.cpp).

The parts are drawn here from a few colours per scheme, in the XP manner: rounded buttons with a
soft diagonal gradient, a bold chevron glyph, a thumb with rounded caps and grip lines, a pale
track. Every part is designed for the vertical bar (across = x, along = y); the horizontal bar's
parts are the same grids turned a quarter (transposed), which turns up into left and down into
right.

Run from the repository root:  python3 scripts/gen_scrollbar_bitmaps.py
The generated sources are committed; edit this script and re-run it rather than editing them.
"""

import os

ACROSS = 17   # buttons and thumb parts are as wide as a standard arrow cell
LEVELS = 6    # gradients are quantised, so each scheme fits one small palette
KEY = 0xFF00FF  # glyph background; the painter treats a glyph's top-left colour as transparent

# Per scheme: the track, the pressed track, the glyph, the grip lines and the three button and
# thumb states. A state is (border, highlight, fill start, fill end, shade).
SCHEMES = {
    'Blue': dict(
        index=0,
        track=(0xEBE9E0, 0xF3F1EC, 0xFEFEFB), pressed_track=(0xB7C5EC, 0xC6D2F3, 0xD5DEF8),
        glyph=0x4D6185, grip=(0xEEF4FE, 0x8CA8E8),
        normal=(0x9CB4EE, 0xF2F6FE, 0xD2DEFB, 0xB8CBF7, 0xA9BDEE),
        hot=(0xA9C1F7, 0xFFFFFF, 0xE1EBFF, 0xC7D8FF, 0xB6CBF6),
        pressed=(0x7D99E0, 0x8FAAEC, 0x9DB5F0, 0x8EA9EC, 0x97B0EE),
        hs_bar=4, hs_backhot=8),
    'Silver': dict(
        index=1,
        track=(0xEDEDF2, 0xF7F7F9, 0xFDFDFE), pressed_track=(0xBFBFCE, 0xC8C8D6, 0xD6D6E1),
        glyph=0x4A4A60, grip=(0xFFFFFF, 0xA0A0B5),
        normal=(0xB6B6C8, 0xFFFFFF, 0xF5F5F8, 0xD6D5E1, 0xC6C5D4),
        hot=(0xC0C0D2, 0xFFFFFF, 0xFFFFFF, 0xE3E3EC, 0xD0D0DE),
        pressed=(0x9C9CB4, 0xC4C3D3, 0xC4C3D3, 0xB7B6C9, 0xBFBECF),
        hs_bar=5, hs_backhot=9),
    'Olive': dict(
        index=2,
        track=(0xEBEADB, 0xF5F4EA, 0xFDFDF7), pressed_track=(0xC9CFAB, 0xD5DABB, 0xE1E5CB),
        glyph=0xFFFFFF, grip=(0xF4F7E7, 0x7F9052),
        normal=(0x8D9E62, 0xEEF2DC, 0xC4CFA1, 0xA5B47C, 0x97A76E),
        hot=(0x9AAB6E, 0xFAFCEF, 0xD3DDB2, 0xB6C48E, 0xA7B67F),
        pressed=(0x75864B, 0x98A86D, 0x93A368, 0x869760, 0x8C9D64),
        hs_bar=4, hs_backhot=7),
}
# Disabled buttons belong to no scheme: a neutral grey over a neutral track.
DISABLED = dict(track=(0xEBEAE3, 0xF4F3EE, 0xFBFBF8), glyph=0xC3C1B2,
                state=(0xDEDCD0, 0xFBFBF8, 0xF2F1EA, 0xE7E5DB, 0xE2E0D5))

# The up chevron, 9 x 6; '#' is glyph, '.' is key. Down is this upside down, left and right are
# the two transposed. The key colour is read from the top-left pixel, so the chevron keeps clear
# of the first row and column in every orientation.
CHEVRON_UP = [
    '.........',
    '....#....',
    '...###...',
    '..#####..',
    '.###.###.',
    '.##...##.',
]


# --- colour helpers ----------------------------------------------------------------------------

def mix(a, b, t):
    """a blended towards b by t (0..1), per channel, rounded."""
    out = 0
    for shift in (16, 8, 0):
        ca, cb = (a >> shift) & 0xFF, (b >> shift) & 0xFF
        out |= int(round(ca + (cb - ca) * t)) << shift
    return out


def ramp(start, end, i, n):
    """Colour i of n along a gradient, quantised to LEVELS steps."""
    if n <= 1:
        return start
    level = round(i * (LEVELS - 1) / (n - 1))
    return mix(start, end, level / (LEVELS - 1))


def track_profile(track):
    """The track's colours across the bar: an edge pixel each side, a gradient between."""
    edge, start, end = track
    inner = [ramp(start, end, i, ACROSS - 2) for i in range(ACROSS - 2)]
    return [edge] + inner + [edge]


# --- parts (vertical orientation: rows along the axis, columns across) ---------------------------

def button(state, background):
    """A rounded button: border ring with softened corners, highlight top-left, shade
    bottom-right, a diagonal gradient inside. background is the track under the corners."""
    border, light, fill0, fill1, shade = state
    n = ACROSS
    grid = []
    for y in range(n):
        row = []
        for x in range(n):
            edge_x = x in (0, n - 1)
            edge_y = y in (0, n - 1)
            if edge_x and edge_y:
                c = background[x]
            elif (edge_x and y in (1, n - 2)) or (edge_y and x in (1, n - 2)):
                c = mix(border, background[x], 0.45)
            elif edge_x or edge_y:
                c = border
            elif y == 1 or x == 1:
                c = light
            elif y == n - 2 or x == n - 2:
                c = shade
            else:
                c = ramp(fill0, fill1, (x - 2) + (y - 2), 2 * (n - 5) + 1)
            row.append(c)
        grid.append(row)
    return grid


def thumb_profile(state):
    """A thumb body row across the bar."""
    border, light, fill0, fill1, shade = state
    inner = [ramp(fill0, fill1, i, ACROSS - 4) for i in range(ACROSS - 4)]
    return [border, light] + inner + [shade, border]


def thumb_leading_cap(state, background):
    border, light, _, _, shade = state
    n = ACROSS
    rim = [background[0], mix(border, background[1], 0.45)] + [border] * (n - 4) + \
          [mix(border, background[n - 2], 0.45), background[n - 1]]
    lit = [border] + [light] * (n - 3) + [shade, border]
    return [rim, lit, thumb_profile(state)]


def thumb_trailing_cap(state, background):
    cap = thumb_leading_cap(state, background)
    border, _, _, _, shade = state
    cap[1] = [border] + [shade] * (ACROSS - 2) + [border]
    return [cap[2], cap[1], cap[0]]


def thumb_body(state, length):
    return [thumb_profile(state) for _ in range(length)]


def grip(scheme):
    """Four raised lines, 7 x 8, over the normal thumb body's middle columns."""
    light, dark = scheme['grip']
    body = thumb_profile(scheme['normal'])[5:12]
    grid = []
    for y in range(8):
        if y % 2 == 0:
            grid.append([body[0]] + [light] * 5 + [body[6]])
        else:
            grid.append([body[0], body[1]] + [dark] * 5)
    return grid


def track(colours, length):
    profile = track_profile(colours)
    return [list(profile) for _ in range(length)]


def chevron(colour, up):
    rows = CHEVRON_UP if up else list(reversed(CHEVRON_UP))
    return [[colour if ch == '#' else KEY for ch in row] for row in rows]


def transpose(grid):
    return [list(col) for col in zip(*grid)]


# --- the bitmap set ------------------------------------------------------------------------------

def scheme_parts(scheme):
    """(name, grid) for every themed part of both bars."""
    t = scheme['index']
    bg = track_profile(scheme['track'])
    parts = []
    states = [('', scheme['normal']), ('HOT', scheme['hot']), ('PRESS', scheme['pressed'])]

    def both(vname, hname, grid):
        parts.append((vname, grid))
        parts.append((hname, transpose(grid)))

    for suffix, state in states:
        # Both buttons are lit from the top left; only their glyphs differ.
        both(f'VS_UP{suffix}({t})', f'HS_LEFT{suffix}({t})', button(state, bg))
        both(f'VS_DOWN{suffix}({t})', f'HS_RIGHT{suffix}({t})', button(state, bg))
        both(f'VS_TOP{suffix}({t})', f'HS_EDGELEFT{suffix}({t})', thumb_leading_cap(state, bg))
        both(f'VS_BOTTOM{suffix}({t})', f'HS_EDGERIGHT{suffix}({t})',
             thumb_trailing_cap(state, bg))
        parts.append((f'VS_BAR{suffix}({t})', thumb_body(state, 6)))
        parts.append((f'HS_BAR{suffix}({t})', transpose(thumb_body(state, scheme['hs_bar']))))
    both(f'VS_UPARROW({t})', f'HS_LEFTARROW({t})', chevron(scheme['glyph'], True))
    both(f'VS_DOWNARROW({t})', f'HS_RIGHTARROW({t})', chevron(scheme['glyph'], False))
    both(f'VS_GRIPBAR({t})', f'HS_GRIPBAR({t})', grip(scheme))
    parts.append((f'VS_BACK({t})', track(scheme['track'], 7)))
    parts.append((f'HS_BACK({t})', transpose(track(scheme['track'], 4))))
    parts.append((f'VS_BACKHOT({t})', track(scheme['pressed_track'], 8)))
    parts.append((f'HS_BACKHOT({t})',
                  transpose(track(scheme['pressed_track'], scheme['hs_backhot']))))
    return parts


def disabled_parts():
    bg = track_profile(DISABLED['track'])
    up = button(DISABLED['state'], bg)
    parts = []
    for vname, hname, grid in [
            ('VS_UPDISABLED', 'HS_LEFTDISABLED', up),
            ('VS_DOWNDISABLED', 'HS_RIGHTDISABLED', up),
            ('VS_UPARROWDISABLED', 'HS_LEFTARROWDISABLED', chevron(DISABLED['glyph'], True)),
            ('VS_DOWNARROWDISABLED', 'HS_RIGHTARROWDISABLED', chevron(DISABLED['glyph'], False))]:
        parts.append((vname, grid))
        parts.append((hname, transpose(grid)))
    return parts


# --- writing the sources -------------------------------------------------------------------------

# Characters that may stand for a colour: printable, not blank, and nothing that could end a raw
# string literal early.
KEYS = ('abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789'
        '#$%&*+-./:;<=>?@[]^_{|}~!,\'`')


def palette_for(parts):
    colours = sorted({c for _, grid in parts for row in grid for c in row})
    if len(colours) > len(KEYS):
        raise SystemExit(f'{len(colours)} colours do not fit one palette')
    return {c: KEYS[i] for i, c in enumerate(colours)}


def write_source(path, title, function, parts):
    palette = palette_for(parts)
    lines = [
        f'// Scroll bar parts: {title}.',
        '// Generated by scripts/gen_scrollbar_bitmaps.py; edit the script and re-run it.',
        '#include "resources/BitmapTables.h"',
        '',
        'namespace glv {',
        '',
        'namespace {',
        '',
        'constexpr PaletteEntry kPalette[] = {',
    ]
    for colour, key in sorted(palette.items(), key=lambda kv: KEYS.index(kv[1])):
        note = '  // glyph background, drawn transparent' if colour == KEY else ''
        lines.append(f'    {{{char_literal(key)}, 0x{colour:06X}}},{note}')
    lines.append('};')
    # Parts drawn alike (the two buttons of a look, the thumb body in every bar) share one map.
    def pixel_rows(grid):
        return '\n'.join('        ' + ''.join(palette[c] for c in row) for row in grid)
    maps = [pixel_rows(grid) for _, grid in sorted(parts)]
    shared = {}
    for text in maps:
        if maps.count(text) > 1 and text not in shared:
            shared[text] = f'kShared{len(shared)}'
    for text, constant in shared.items():
        lines += ['', f'constexpr std::string_view {constant} = R"(', text, ')";']
    lines += ['', 'constexpr BitmapSource kSources[] = {']
    for (name, grid), text in zip(sorted(parts), maps):
        height, width = len(grid), len(grid[0])
        if text in shared:
            lines.append(f'    {{"{name}", {width}, {height}, kPalette, {shared[text]}}},')
        else:
            lines += [f'    {{"{name}", {width}, {height}, kPalette, R"(', text, '    )"},']
    lines += ['};', '', '}  // namespace', '',
              f'std::span<const BitmapSource> {function}() {{ return kSources; }}', '',
              '}  // namespace glv', '']
    with open(path, 'w') as f:
        f.write('\n'.join(lines))


def char_literal(ch):
    return "'\\''" if ch == "'" else f"'{ch}'"


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources')
    for name, scheme in SCHEMES.items():
        write_source(os.path.join(root, f'ScrollBarBitmaps{name}.cpp'),
                     f'the {name.lower()} scheme (theme {scheme["index"]})',
                     f'ScrollBarBitmaps{name}', scheme_parts(scheme))
    write_source(os.path.join(root, 'ScrollBarBitmapsDisabled.cpp'),
                 'disabled buttons and glyphs, shared by every scheme',
                 'ScrollBarBitmapsDisabled', disabled_parts())


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws every picture in this folder, and docs/pictures.png, from scratch.

Each picture is written as SVG text, rendered by rsvg-convert and cleaned up by
ImageMagick's convert (metadata stripped, so a second run is byte-identical).
Needs only python3, rsvg-convert (librsvg2-bin), convert (imagemagick) and the
DejaVu fonts (fonts-dejavu-core, for the contact sheet's labels).
"""

import base64
import math
import os
import random
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SHEET = os.path.join(HERE, "..", "docs", "pictures.png")
ICONS = os.path.join(HERE, "..", "packaging", "icons")

TILE = 128          # tile pictures are TILE x TILE
MID = TILE / 2
BUTTON = 30         # button bitmaps are BUTTON x BUTTON
BUTTON_FACE = "#ECECEC"

# Heading h means the creature faces (h-1)*45 degrees counter-clockwise from
# the scene's +x axis. The viewer's default texture mapping transposes each
# picture (its top edge lands on the tile's +x side, its left edge on the -y
# side), so in the file the creature has to face 90 - (h-1)*45 degrees,
# counter-clockwise from the picture's rightward axis: heading 1 head up,
# 3 right, 5 down, 7 left. If the board ever shows creatures facing the wrong
# way, this table is the one place to change.
FILE_ANGLE = {h: 90 - (h - 1) * 45 for h in range(1, 9)}
# The same transpose mirrors the creature, so it is drawn mirrored here to have
# the stepping legs (and the tail's swing) come out the right way round on the
# board. Purely cosmetic.
MIRROR = True

LIZARD_COLOURS = {
    # first species: browns
    "c": dict(out="#24140A", body="#9A6532", dark="#5A3414", light="#D2A466"),
    # second species: greens
    "v": dict(out="#0C260A", body="#4CAD38", dark="#1E6A19", light="#B4E276"),
}
CAT = dict(out="#2A1708", fur="#EE922F", stripe="#A9530F", light="#FBE4C2",
           pink="#F29AAE", eye="#A6D83A")


# ---------------------------------------------------------------- helpers

def n(v):
    """A number as short, stable SVG text."""
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def pts(points):
    return " ".join(f"{n(x)},{n(y)}" for x, y in points)


def poly_path(points):
    return "M" + " L".join(f"{n(x)},{n(y)}" for x, y in points) + " Z"


def bezier(p0, p1, p2, p3, t):
    u = 1 - t
    return (u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
            u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1])


def ribbon(centre, widths):
    """Outline of a band of varying width around a centre line, round at the end."""
    left, right = [], []
    for i, (x, y) in enumerate(centre):
        a = centre[max(i - 1, 0)]
        b = centre[min(i + 1, len(centre) - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        d = math.hypot(dx, dy) or 1
        nx, ny = -dy / d, dx / d
        w = widths[i] / 2
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
    # round cap: a few points around the last centre point
    (x, y), (px, py) = centre[-1], centre[-2]
    d = math.hypot(x - px, y - py) or 1
    tx, ty = (x - px) / d, (y - py) / d
    w = widths[-1] / 2
    cap = []
    for k in range(1, 6):
        a = math.pi * k / 6
        nx, ny = -ty, tx
        cap.append((x + (nx * math.cos(a) + tx * math.sin(a)) * w,
                    y + (ny * math.cos(a) + ty * math.sin(a)) * w))
    return poly_path(left + cap + right[::-1])


def interp(table, u):
    """Piecewise-linear value of (u, value) pairs."""
    for (u0, v0), (u1, v1) in zip(table, table[1:]):
        if u <= u1:
            return v0 + (v1 - v0) * (u - u0) / (u1 - u0)
    return table[-1][1]


def svg(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" '
            f'xmlns:xlink="http://www.w3.org/1999/xlink" '
            f'width="{width}" height="{height}" viewBox="0 0 {width} {height}">'
            f"<defs>{defs}</defs>{body}</svg>\n")


def facing(fragment, heading):
    """Turns a creature drawn facing up to face the heading's file angle."""
    turn = 90 - FILE_ANGLE[heading]        # SVG rotates clockwise
    mirror = f" translate({TILE},0) scale(-1,1)" if MIRROR else ""
    return f'<g transform="rotate({n(turn)} {n(MID)} {n(MID)}){mirror}">{fragment}</g>'


# ---------------------------------------------------------------- lizard
# Drawn facing up, nose near the top edge, tail tip near the bottom; every
# point stays within about 63 px of the centre so any rotation fits the tile.

def lizard(col, pose, uid):
    """pose "d": left front and right hind leg forward; "i": the other pair."""
    bend = 1 if pose == "d" else -1
    y0, y1 = 28.0, 119.0

    def lateral(u):
        # tail swings to the side of the forward hind leg, body kinks the other way
        return bend * (21 * u ** 2.4 - 3 * math.sin(math.pi * min(u / 0.5, 1)))

    def spine_x(y):
        return MID + lateral((y - y0) / (y1 - y0))

    width = [(0, 13), (0.06, 22), (0.17, 29), (0.33, 28), (0.46, 21),
             (0.53, 13.5), (0.62, 10), (1.0, 2)]
    steps = 60
    centre, widths = [], []
    for k in range(steps + 1):
        u = k / steps
        centre.append((MID + lateral(u), y0 + (y1 - y0) * u))
        widths.append(interp(width, u))
    body = ribbon(centre, widths)

    # A leg is shoulder (hip), elbow (knee), foot; x as distance from the spine.
    # Diagonal pairs step together, so on each side one leg is forward and the
    # other back; a forward hind foot turns outwards so its toes don't tangle
    # with those of the back foreleg just ahead of it.
    front_fwd_leg = [(10, 41), (26, 35), (28, 21)]
    front_back_leg = [(10, 43), (25, 45), (24, 56)]
    hind_fwd_leg = [(9, 73), (27, 74), (33, 66)]
    hind_back_leg = [(9, 75), (25, 84), (20, 98)]
    legs = []
    for side in (-1, 1):
        front_fwd = (side < 0) == (pose == "d")
        for leg in ((front_fwd_leg, hind_back_leg) if front_fwd else (front_back_leg, hind_fwd_leg)):
            base = spine_x(leg[0][1])
            legs.append([(base + side * dx, y) for dx, y in leg])

    def toes(leg):
        (ex, ey), (fx, fy) = leg[1], leg[2]
        a = math.atan2(fy - ey, fx - ex)
        out = []
        for spread in (-55, -18, 18, 55):
            b = a + math.radians(spread)
            out.append(((fx, fy), (fx + 7 * math.cos(b), fy + 7 * math.sin(b))))
        return out

    head = ("M64,5 C72.5,5 77,13.5 77,21.5 C77,27.5 72,31 70,34 L58,34 "
            "C56,31 51,27.5 51,21.5 C51,13.5 55.5,5 64,5 Z")

    o, f = [], []  # outline pass, fill pass
    for leg in legs:
        line = f'<polyline points="{pts(leg)}" fill="none" stroke-linecap="round" stroke-linejoin="round" '
        o.append(line + f'stroke="{col["out"]}" stroke-width="12.5"/>')
        f.append(line + f'stroke="{col["body"]}" stroke-width="6.5"/>')
        for a, b in toes(leg):
            seg = f'<line x1="{n(a[0])}" y1="{n(a[1])}" x2="{n(b[0])}" y2="{n(b[1])}" stroke-linecap="round" '
            o.append(seg + f'stroke="{col["out"]}" stroke-width="7"/>')
            f.append(seg + f'stroke="{col["body"]}" stroke-width="2.8"/>')
    for d in (body, head):
        o.append(f'<path d="{d}" fill="{col["out"]}" stroke="{col["out"]}" '
                 f'stroke-width="6" stroke-linejoin="round"/>')
        f.append(f'<path d="{d}" fill="{col["body"]}"/>')

    # markings: a pale stripe down the back, dark blotches beside it,
    # dark bands on the tail
    marks = []
    stripe = [(x, y) for x, y in centre if y < 90]
    marks.append(f'<polyline points="{pts(stripe)}" fill="none" stroke="{col["light"]}" '
                 f'stroke-width="5" stroke-linecap="round"/>')
    for k, u in enumerate((0.1, 0.2, 0.3, 0.4)):
        x, y = MID + lateral(u), y0 + (y1 - y0) * u
        for side in (-1, 1):
            dx = side * (7.5 if k % 2 == 0 else 6.5)
            marks.append(f'<ellipse cx="{n(x + dx)}" cy="{n(y + (2 if side > 0 else -2) * (k % 2 * 2 - 1))}" '
                         f'rx="3.6" ry="4.4" fill="{col["dark"]}"/>')
    for u in (0.6, 0.7, 0.8, 0.9):
        i = round(u * steps)
        (ax, ay), (bx, by) = centre[i - 1], centre[i + 1]
        d = math.hypot(bx - ax, by - ay)
        nx, ny = -(by - ay) / d, (bx - ax) / d
        (cx, cy), w = centre[i], widths[i] / 2 + 0.5
        marks.append(f'<line x1="{n(cx + nx * w)}" y1="{n(cy + ny * w)}" x2="{n(cx - nx * w)}" '
                     f'y2="{n(cy - ny * w)}" stroke="{col["dark"]}" stroke-width="3.6"/>')
    marks.append(f'<path d="M58,32 Q64,27 70,32" fill="none" stroke="{col["dark"]}" stroke-width="2.2"/>')
    clip = f'<clipPath id="lz{uid}"><path d="{body}"/></clipPath>'
    eyes = []
    for x in (56.3, 71.7):
        eyes.append(f'<circle cx="{x}" cy="15.5" r="3.6" fill="#000"/>'
                    f'<circle cx="{n(x - 0.9)}" cy="14.4" r="1.1" fill="#FFF"/>')
    return ("".join(o) + "".join(f) + f'<g clip-path="url(#lz{uid})">' + "".join(marks) + "</g>"
            + "".join(eyes), clip)


# ---------------------------------------------------------------- cat
# Orange tabby, drawn facing up like the lizard.

def cat(pose, uid):
    """pose "d": left fore and right hind paw forward; "i": the other pair;
    "eat": crouched over prey, forepaws forward, ears flattened.
    Returns the layers in drawing order, by name, so that prey can be slipped
    in between them."""
    c = CAT
    layers = {k: [] for k in ("tail", "hind", "forelegs", "body", "paws", "head", "muzzle")}

    def outlined(shape, fill, width=3.5):
        return shape.replace("/>", f' fill="{fill}" stroke="{c["out"]}" stroke-width="{width}" '
                                   'stroke-linejoin="round"/>')

    # tail: long, tapering a little, swinging to one side
    t = layers["tail"]
    if pose == "eat":
        ctrl = [(64, 92), (80, 110), (100, 100), (93, 70)]   # curled along the flank
    elif pose == "d":
        ctrl = [(64, 92), (63, 113), (83, 123), (96, 104)]
    else:
        ctrl = [(64, 92), (65, 113), (45, 123), (32, 104)]
    centre = [bezier(*ctrl, k / 30) for k in range(31)]
    widths = [10.5 - 3 * k / 30 for k in range(31)]
    tail = ribbon(centre, widths)
    t.append(outlined(f'<path d="{tail}"/>', c["fur"]))
    t.append(f'<clipPath id="tl{uid}"><path d="{tail}"/></clipPath><g clip-path="url(#tl{uid})">')
    for k in (9, 15, 21, 27):
        (ax, ay), (bx, by) = centre[k - 1], centre[k + 1]
        d = math.hypot(bx - ax, by - ay)
        nx, ny = -(by - ay) / d, (bx - ax) / d
        x, y = centre[k]
        t.append(f'<line x1="{n(x + nx * 8)}" y1="{n(y + ny * 8)}" x2="{n(x - nx * 8)}" '
                 f'y2="{n(y - ny * 8)}" stroke="{c["stripe"]}" stroke-width="3.4"/>')
    t.append("</g>")

    # legs, mostly hidden under the body; white-socked paws show beside it
    for side in (-1, 1):
        left = side < 0
        if pose == "eat":
            front = [(13, 48), (20, 38)]    # tucked in under the chest
            back = [(12, 86), (19, 101)]
        else:
            front_fwd = left if pose == "d" else not left
            front = [(12, 46), (21, 30)] if front_fwd else [(12, 48), (23, 62)]
            back = [(12, 86), (19, 101)] if front_fwd else [(12, 82), (23, 72)]
        for leg, legs, paws in ((front, "forelegs", "paws"), (back, "hind", "hind")):
            leg = [(MID + side * x, y) for x, y in leg]
            line = f'<polyline points="{pts(leg)}" fill="none" stroke-linecap="round" '
            layers[legs].append(line + f'stroke="{c["out"]}" stroke-width="14.5"/>')
            layers[legs].append(line + f'stroke="{c["fur"]}" stroke-width="8.5"/>')
            x, y = leg[-1]
            layers[paws].append(outlined(f'<ellipse cx="{n(x)}" cy="{n(y)}" rx="6.4" ry="7"/>', c["light"], 3))

    # body, with tabby stripes running from the spine down the flanks
    b = layers["body"]
    body = '<ellipse cx="64" cy="66" rx="20.5" ry="30.5"/>'
    b.append(outlined(body, c["fur"]))
    b.append(f'<clipPath id="bd{uid}">{body}</clipPath><g clip-path="url(#bd{uid})">')
    for y in (47, 57, 67, 77, 87):
        for side in (-1, 1):
            b.append(f'<path d="M64,{y} Q{n(MID + side * 12)},{y} {n(MID + side * 22)},{y + 7}" fill="none" '
                     f'stroke="{c["stripe"]}" stroke-width="4.2" stroke-linecap="round"/>')
    b.append(f'<line x1="64" y1="38" x2="64" y2="96" stroke="{c["stripe"]}" stroke-width="4.5"/>')
    b.append("</g>")

    # head: ears, skull, forehead "M", eyes; then muzzle, nose, whiskers
    h = layers["head"]
    for side in (-1, 1):
        if pose == "eat":
            # flattened back, as cats do over food
            ear = [(MID + side * 10, 17), (MID + side * 29, 24), (MID + side * 16, 35)]
            inner = [(MID + side * 13, 21), (MID + side * 24.5, 25), (MID + side * 16, 30)]
        else:
            ear = [(MID + side * 6, 17), (MID + side * 19, 5), (MID + side * 17.5, 27)]
            inner = [(MID + side * 9.5, 17), (MID + side * 17, 10), (MID + side * 15.5, 22)]
        h.append(outlined(f'<polygon points="{pts(ear)}"/>', c["fur"]))
        h.append(f'<polygon points="{pts(inner)}" fill="{c["pink"]}"/>')
    h.append(outlined('<ellipse cx="64" cy="29" rx="17.5" ry="15.5"/>', c["fur"]))
    for x in (59, 64, 69):
        h.append(f'<line x1="{x}" y1="30" x2="{x}" y2="40" stroke="{c["stripe"]}" '
                 'stroke-width="3" stroke-linecap="round"/>')
    for side in (-1, 1):
        x = MID + side * 7.5
        h.append(f'<ellipse cx="{n(x)}" cy="25" rx="3.9" ry="3.2" fill="{c["eye"]}" '
                 f'stroke="{c["out"]}" stroke-width="1.4"/>'
                 f'<ellipse cx="{n(x)}" cy="25" rx="1.1" ry="2.8" fill="#000"/>')
    m = layers["muzzle"]
    m.append(f'<ellipse cx="64" cy="19" rx="9" ry="6" fill="{c["light"]}"'
             + (f' stroke="{c["out"]}" stroke-width="1.6"/>' if pose == "eat" else "/>"))
    m.append(f'<polygon points="{pts([(60.5, 15), (67.5, 15), (64, 19)])}" '
             f'fill="{c["pink"]}" stroke="{c["out"]}" stroke-width="1.2" stroke-linejoin="round"/>')
    for side in (-1, 1):
        for ex, ey in ((36, 11), (34, 18.5), (37, 26)):
            m.append(f'<path d="M{n(MID + side * 7)},19 Q{n(MID + side * 20)},{n(ey - 1.5)} '
                     f'{n(MID + side * (MID - ex))},{n(ey)}" fill="none" stroke="{c["out"]}" '
                     'stroke-width="1.9" stroke-linecap="round"/>')
    return {k: "".join(v) for k, v in layers.items()}


def cat_walking(pose, uid):
    layers = cat(pose, uid)
    return "".join(layers[k] for k in ("tail", "hind", "forelegs", "body", "paws", "head", "muzzle"))


def cat_eating(species):
    """The cat crouched over a lizard lying crosswise right in front of it,
    the lizard's middle in its mouth."""
    layers = cat("eat", "eat")
    prey, defs = lizard(LIZARD_COLOURS[species], "d", "prey")
    lying = "translate(64,13) rotate(-90) scale(0.74) translate(-64,-64)"
    behind = "".join(layers[k] for k in ("tail", "hind", "forelegs", "body", "paws"))
    front = "".join(layers[k] for k in ("head", "muzzle"))
    # shrunk a little and pulled down so lizard and cat both fit the tile
    return (f'<g transform="translate(6.4,24) scale(0.9)">'
            f'{behind}<g transform="{lying}">{prey}</g>{front}</g>', defs)


# ---------------------------------------------------------------- egg

def egg(species):
    col = LIZARD_COLOURS[species]
    shell = {"c": ("#F1DDB8", "#C99A5E", "#6E4219"), "v": ("#E6F6CE", "#9BD36C", "#27711F")}[species]
    hi, base, spot = shell
    d = ("M64,14 C88,14 104,56 104,78 C104,102 86,116 64,116 "
         "C42,116 24,102 24,78 C24,56 40,14 64,14 Z")
    defs = (f'<radialGradient id="sh" cx="0.38" cy="0.34" r="0.75">'
            f'<stop offset="0" stop-color="{hi}"/><stop offset="0.55" stop-color="{base}"/>'
            f'<stop offset="1" stop-color="{spot}" stop-opacity="0.9"/></radialGradient>'
            f'<clipPath id="eg"><path d="{d}"/></clipPath>')
    rng = random.Random(41 if species == "c" else 42)
    speckles = []
    for _ in range(16):
        x, y = rng.uniform(30, 98), rng.uniform(24, 110)
        r = rng.uniform(2.2, 5.2)
        speckles.append(f'<ellipse cx="{n(x)}" cy="{n(y)}" rx="{n(r)}" ry="{n(r * 0.8)}" '
                        f'transform="rotate({rng.randrange(180)} {n(x)} {n(y)})" fill="{spot}" opacity="0.8"/>')
    body = (f'<path d="{d}" fill="url(#sh)" stroke="{col["out"]}" stroke-width="4.5"/>'
            f'<g clip-path="url(#eg)">{"".join(speckles)}'
            f'<ellipse cx="48" cy="40" rx="8" ry="12" transform="rotate(25 48 40)" fill="#FFF" opacity="0.55"/></g>'
            f'<path d="{d}" fill="none" stroke="{col["out"]}" stroke-width="4.5"/>')
    return on_ground(body, defs)


# ---------------------------------------------------------------- empty ground

def ground():
    """The translucent ground of every square, empty or not, so that the board
    reads as one terrain and the background colour still shows through."""
    rng = random.Random(7)
    parts = [f'<rect width="{TILE}" height="{TILE}" fill="#D9C79C" fill-opacity="0.10"/>']
    for _ in range(34):
        x, y = rng.uniform(6, 122), rng.uniform(6, 122)
        r = rng.uniform(1.0, 3.2)
        tone = rng.choice(("#7A6446", "#9C8660", "#5E5A52", "#B8A27A"))
        parts.append(f'<ellipse cx="{n(x)}" cy="{n(y)}" rx="{n(r)}" ry="{n(r * rng.uniform(0.6, 1))}" '
                     f'fill="{tone}" fill-opacity="{n(rng.uniform(0.22, 0.42))}"/>')
    for _ in range(5):
        x, y = rng.uniform(16, 112), rng.uniform(16, 112)
        parts.append(f'<path d="M{n(x)},{n(y)} l-3,-6 M{n(x)},{n(y)} l0,-7 M{n(x)},{n(y)} l3,-6" '
                     'fill="none" stroke="#5F7A3A" stroke-opacity="0.30" stroke-width="1.4" '
                     'stroke-linecap="round"/>')
    # half of the grid line; the neighbouring tile draws the other half
    parts.append(f'<rect width="{TILE}" height="{TILE}" fill="none" stroke="#3A3020" '
                 'stroke-opacity="0.38" stroke-width="5"/>')
    return "".join(parts)


def on_ground(body, defs=""):
    return svg(TILE, TILE, ground() + body, defs)


# ---------------------------------------------------------------- buttons

def button(name):
    ink = "#1A1A1A"
    plus = '<path d="M13,7 h4 v6 h6 v4 h-6 v6 h-4 v-6 h-6 v-4 h6 z" fill="#FFF" stroke="{o}" stroke-width="1"/>'
    minus = '<path d="M7,13 h16 v4 h-16 z" fill="#FFF" stroke="{o}" stroke-width="1"/>'
    swatch = '<rect x="2.5" y="2.5" width="25" height="25" rx="4" fill="{f}" stroke="{o}" stroke-width="1.5"/>'
    icons = {
        "play": f'<path d="M9,5.5 L24.5,15 L9,24.5 Z" fill="#2FA33C" stroke="#0E4A16" '
                'stroke-width="1.5" stroke-linejoin="round"/>',
        "stop": '<rect x="7.5" y="7.5" width="15" height="15" rx="1.5" fill="#D3302A" '
                'stroke="#6A110D" stroke-width="1.5"/>',
        # a broom sweeping the board clean
        "limpia": '<line x1="24" y1="3.5" x2="14" y2="16" stroke="#8A5A2A" stroke-width="3" stroke-linecap="round"/>'
                  '<path d="M10.5,13 L18.5,19 L13,27.5 L3,22.5 Z" fill="#F0C040" stroke="#6A4A10" '
                  'stroke-width="1.3" stroke-linejoin="round"/>'
                  '<path d="M8,21 L11.5,16.5 M10.5,23.5 L14,18.5 M13.5,25 L16.5,20.5" stroke="#6A4A10" '
                  'stroke-width="1.2"/>',
        # a die: fill at random
        "llena": f'<rect x="4.5" y="4.5" width="21" height="21" rx="4" fill="#FFF" stroke="{ink}" stroke-width="1.5"/>'
                 + "".join(f'<circle cx="{x}" cy="{y}" r="2.3" fill="{ink}"/>'
                           for x, y in ((10, 10), (20, 10), (15, 15), (10, 20), (20, 20))),
        "masVerde": swatch.format(f="#57C752", o="#1D5A1A") + plus.format(o="#1D5A1A"),
        "menosVerde": swatch.format(f="#2E8A2E", o="#123F12") + minus.format(o="#123F12"),
        "masAzul": swatch.format(f="#4F8EEA", o="#173C7A") + plus.format(o="#173C7A"),
        "menosAzul": swatch.format(f="#1F4FA6", o="#0C2352") + minus.format(o="#0C2352"),
        # one generation, then stop: play up to a bar
        "paso": '<path d="M6.5,6.5 L18.5,15 L6.5,23.5 Z" fill="#2FA33C" stroke="#0E4A16" '
                'stroke-width="1.5" stroke-linejoin="round"/>'
                '<rect x="20" y="6.5" width="4" height="17" rx="1" fill="#0E4A16"/>',
        # one generation back: a bar, then play reversed
        "atras": '<rect x="6" y="6.5" width="4" height="17" rx="1" fill="#0E4A16"/>'
                 '<path d="M23.5,6.5 L11.5,15 L23.5,23.5 Z" fill="#2FA33C" stroke="#0E4A16" '
                 'stroke-width="1.5" stroke-linejoin="round"/>',
        # slower: one short arrow; faster: two long ones
        "lento": '<circle cx="15" cy="15" r="11" fill="#FFF" stroke="#5A3414" stroke-width="1.5"/>'
                 '<path d="M15,8 V15 L19.5,18.5" fill="none" stroke="#5A3414" stroke-width="2" '
                 'stroke-linecap="round"/>'
                 '<path d="M3,26 H11" stroke="#D3302A" stroke-width="3" stroke-linecap="round"/>',
        "rapido": '<path d="M3.5,7 L14,15 L3.5,23 Z M15,7 L25.5,15 L15,23 Z" fill="#EE922F" '
                  'stroke="#7A3E08" stroke-width="1.4" stroke-linejoin="round"/>',
        # undo and redo: an arrow that turns back to the left, or on to the right
        "deshacer": '<path d="M9,12 H18 A6,6 0 0 1 18,24 H12" fill="none" stroke="#1F4FA6" stroke-width="3" '
                    'stroke-linecap="round"/>'
                    '<path d="M3.5,12 L11,5.5 L11,18.5 Z" fill="#1F4FA6" stroke="#0C2352" stroke-width="1" '
                    'stroke-linejoin="round"/>',
        "rehacer": '<path d="M21,12 H12 A6,6 0 0 0 12,24 H18" fill="none" stroke="#1F4FA6" stroke-width="3" '
                   'stroke-linecap="round"/>'
                   '<path d="M26.5,12 L19,5.5 L19,18.5 Z" fill="#1F4FA6" stroke="#0C2352" stroke-width="1" '
                   'stroke-linejoin="round"/>',
        # the population chart: three lines over axes
        "grafica": '<rect x="3" y="3" width="24" height="24" rx="2" fill="#FFF" stroke="#444" stroke-width="1.2"/>'
                   '<path d="M5,22 L10,16 L15,18 L20,10 L25,8" fill="none" stroke="#9A6532" stroke-width="2"/>'
                   '<path d="M5,24 L10,21 L15,14 L20,15 L25,13" fill="none" stroke="#4CAD38" stroke-width="2"/>'
                   '<path d="M5,19 H25" fill="none" stroke="#EE922F" stroke-width="2"/>',
        # a picture of the view: a camera
        "foto": '<rect x="3" y="9" width="24" height="16" rx="2.5" fill="#5A5F66" stroke="#1A1A1A" stroke-width="1.3"/>'
                '<path d="M10,9 L12,5.5 H18 L20,9 Z" fill="#5A5F66" stroke="#1A1A1A" stroke-width="1.3" '
                'stroke-linejoin="round"/>'
                '<circle cx="15" cy="17" r="5.5" fill="#BFD6F2" stroke="#1A1A1A" stroke-width="1.5"/>'
                '<circle cx="15" cy="17" r="2.2" fill="#1F4FA6"/>',
        # a film: a strip of film with the red dot of recording
        "grabar": '<rect x="3" y="5" width="24" height="20" rx="2" fill="#2A2A2A" stroke="#111" stroke-width="1"/>'
                  + "".join(f'<rect x="{x}" y="{y}" width="2.5" height="2" fill="#ECECEC"/>'
                            for x in (5, 10, 15, 20, 24.5) for y in (6.5, 21.5))
                  + '<circle cx="15" cy="15" r="5" fill="#E02A22" stroke="#7A0E0A" stroke-width="1"/>',
    }
    face = (f'<rect width="{BUTTON}" height="{BUTTON}" fill="{BUTTON_FACE}"/>')
    return svg(BUTTON, BUTTON, face + icons[name])


BUTTONS = ["play", "stop", "limpia", "llena", "masVerde", "menosVerde", "masAzul", "menosAzul"]
# After the eight: one generation back, one on, slower, faster, the chart,
# then undo and redo.
CONTROLS = ["atras", "paso", "lento", "rapido", "grafica", "deshacer", "rehacer"]
# Then a picture of the view, and a film.
FILM_CONTROLS = ["foto", "grabar"]


# ---------------------------------------------------------------- all tiles

def tiles():
    """(file name, svg text) for every tile picture, in contact-sheet order."""
    out = []
    for species in ("c", "v"):
        col = LIZARD_COLOURS[species]
        for pose in ("d", "i"):
            for h in range(1, 9):
                fragment, defs = lizard(col, pose, f"{species}{pose}{h}")
                out.append((f"l{species}{pose}{h}.png", on_ground(facing(fragment, h), defs)))
    for pose in ("d", "i"):
        for h in range(1, 9):
            fragment, defs = cat_walking(pose, f"{pose}{h}"), ""
            out.append((f"g{pose}{h}.png", on_ground(facing(fragment, h), defs)))
    out.append(("vacio.png", on_ground("")))
    out.append(("lch.png", egg("c")))
    out.append(("lvh.png", egg("v")))
    for species in ("c", "v"):
        fragment, defs = cat_eating(species)
        out.append((f"gcl{species}.png", on_ground(fragment, defs)))
    return out


# ---------------------------------------------------------------- icon

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)   # the desktop theme's usual sizes


def icon():
    """The program's icon: a green lizard crossing a square of dark ground
    ruled like the board, as SVG text."""
    fragment, defs = lizard(LIZARD_COLOURS["v"], "d", "icon")
    defs += ('<linearGradient id="ground" x1="0" y1="0" x2="0" y2="1">'
             '<stop offset="0" stop-color="#4A3E2A"/><stop offset="1" stop-color="#2A2318"/></linearGradient>'
             f'<clipPath id="tile"><rect x="4" y="4" width="{TILE - 8}" height="{TILE - 8}" rx="20"/></clipPath>')
    rules = "".join(f'<path d="M{x},0 V{TILE} M0,{x} H{TILE}" stroke="#D9C79C" stroke-opacity="0.22" '
                    'stroke-width="2"/>' for x in (24, 64, 104))
    ground = (f'<rect x="4" y="4" width="{TILE - 8}" height="{TILE - 8}" rx="20" fill="url(#ground)"/>'
              f'<g clip-path="url(#tile)">{rules}</g>'
              f'<rect x="5" y="5" width="{TILE - 10}" height="{TILE - 10}" rx="19" fill="none" '
              'stroke="#17120B" stroke-width="2"/>')
    creature = f'<g transform="rotate(35 {n(MID)} {n(MID)}) translate(6.4 6.4) scale(0.9)">{fragment}</g>'
    return svg(TILE, TILE, ground + creature, defs)


def draw_icons(work):
    """The icon as a scalable SVG and as PNGs at each size, for the desktop
    theme; written to packaging/icons, apart from the board's pictures."""
    os.makedirs(ICONS, exist_ok=True)
    text = icon()
    with open(os.path.join(ICONS, "vivar.svg"), "w") as fh:
        fh.write(text)
    for size in ICON_SIZES:
        raw = os.path.join(work, f"icon-{size}.png")
        render(text, raw, size, size, work)
        run("convert", raw, *STRIP, "PNG32:" + os.path.join(ICONS, f"vivar-{size}.png"))


# ---------------------------------------------------------------- rendering

def run(*cmd):
    subprocess.run(cmd, check=True)


def render(svg_text, png, width, height, work):
    src = os.path.join(work, os.path.basename(png) + ".svg")
    with open(src, "w") as fh:
        fh.write(svg_text)
    run("rsvg-convert", "-w", str(width), "-h", str(height), "-f", "png", "-o", png, src)


STRIP = ["-strip", "-define", "png:exclude-chunks=date,time"]


def main():
    for tool in ("rsvg-convert", "convert"):
        if not shutil.which(tool):
            sys.exit(f"draw.py: {tool} is missing (apt-get install librsvg2-bin imagemagick fonts-dejavu-core)")
    work = tempfile.mkdtemp(prefix="vivar-pictures-")
    try:
        names = []
        for name, text in tiles():
            raw = os.path.join(work, name)
            render(text, raw, TILE, TILE, work)
            run("convert", raw, *STRIP, "-define", "png:color-type=6", "-depth", "8",
                "PNG32:" + os.path.join(HERE, name))
            names.append(name)
        # Each button also at twice the size, for screens scaled by 2.
        for name in BUTTONS + CONTROLS + FILM_CONTROLS:
            for suffix, size in (("", BUTTON), ("@2x", 2 * BUTTON)):
                raw = os.path.join(work, name + suffix + ".png")
                render(button(name), raw, size, size, work)
                run("convert", raw, "-background", BUTTON_FACE, "-alpha", "remove", "-alpha", "off",
                    "-strip", "-type", "TrueColor", "BMP3:" + os.path.join(HERE, name + suffix + ".bmp"))
        contact_sheet(work)
        draw_icons(work)
    finally:
        shutil.rmtree(work)


# ---------------------------------------------------------------- contact sheet

def contact_sheet(work):
    cell_w, cell_h, thumb = 90, 86, 64
    left, top = 168, 78
    rows = [
        ("lcd", "brown lizard, pose d"), ("lci", "brown lizard, pose i"),
        ("lvd", "green lizard, pose d"), ("lvi", "green lizard, pose i"),
        ("gd", "cat, pose d"), ("gi", "cat, pose i"),
    ]
    grid = [(label, [f"{p}{h}.png" for h in range(1, 9)]) for p, label in rows]
    grid.append(("ground, eggs, cat eating", ["vacio.png", "lch.png", "lvh.png", "gclc.png", "gclv.png"]))
    grid.append(("buttons (2x)", [b + ".bmp" for b in BUTTONS]))
    grid.append(("controls (2x)", [b + ".bmp" for b in CONTROLS]))
    grid.append(("picture, film (2x)", [b + ".bmp" for b in FILM_CONTROLS]))
    width = left + 8 * cell_w + 12
    height = top + len(grid) * cell_h + 8

    def embed(name):
        src = os.path.join(HERE, name)
        small = os.path.join(work, "thumb-" + name + ".png")
        if name.endswith(".bmp"):
            run("convert", src, "-filter", "point", "-resize", "200%", *STRIP, "PNG24:" + small)
        else:
            run("convert", src, "-resize", f"{thumb}x{thumb}", *STRIP, "PNG32:" + small)
        with open(small, "rb") as fh:
            return "data:image/png;base64," + base64.b64encode(fh.read()).decode()

    font = 'font-family="DejaVu Sans"'
    parts = [f'<rect width="{width}" height="{height}" fill="#808080"/>',
             f'<text x="12" y="24" {font} font-size="16" font-weight="bold" fill="#111">'
             "vivar pictures: tiles at 64 px (drawn at 128), buttons at 2x</text>",
             f'<text x="12" y="42" {font} font-size="11" fill="#111">'
             "Columns are headings 1-8, arrows show where the head points in the file.</text>",
             f'<text x="12" y="56" {font} font-size="11" fill="#111">'
             "The viewer maps each picture transposed, so on the board heading 1 faces right, "
             "3 up, 5 left, 7 down.</text>"]
    arrows = "\u2191\u2197\u2192\u2198\u2193\u2199\u2190\u2196"
    for h in range(8):
        x = left + h * cell_w + cell_w / 2
        parts.append(f'<text x="{n(x)}" y="{top - 6}" {font} font-size="12" text-anchor="middle" '
                     f'fill="#111">{h + 1} {arrows[h]}</text>')
    for r, (label, names) in enumerate(grid):
        y = top + r * cell_h
        parts.append(f'<text x="12" y="{y + 36}" {font} font-size="11" fill="#111">{label}</text>')
        for c, name in enumerate(names):
            x = left + c * cell_w + (cell_w - thumb) / 2
            if name.endswith(".bmp"):
                size, inset = 60, 2
            else:
                size, inset = thumb, 0
                parts.append(f'<rect x="{n(x)}" y="{y + 2}" width="{thumb}" height="{thumb}" '
                             'fill="#8C8C8C"/>')
            parts.append(f'<image x="{n(x + inset)}" y="{y + 2 + inset}" width="{size}" height="{size}" '
                         f'xlink:href="{embed(name)}"/>')
            parts.append(f'<text x="{n(x + thumb / 2)}" y="{y + thumb + 15}" {font} font-size="10" '
                         f'text-anchor="middle" fill="#111">{name}</text>')
    raw = os.path.join(work, "sheet.png")
    render(svg(width, height, "".join(parts)), raw, width, height, work)
    run("convert", raw, *STRIP, "PNG24:" + SHEET)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the shipped example component libraries data/QVZEXMP/<code> from
the compact tables below.  Run from anywhere:

    python3 tools/examples/make_examples.py

Each library: the name-column heading, four comment lines, the field count,
the field definitions (list column, title, spec menu, spec row), then the
examples (name line and one line per field; the engine library adds ten
curve points of RPM, torque and HP) and the end line "-99".  Lines end in
CR LF.  The shipped examples stand first in each library and are protected
from deletion by their count, so a new example belongs at the end of its
table and changes that count in the program too.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "data", "QVZEXMP")


def num(v, decimals=None):
    """A value line as the program writes numbers: whole numbers without a
    point, fractions below 1 without a leading 0 (".45")."""
    if isinstance(v, str):
        return v
    if decimals is not None:
        text = f"{v:.{decimals}f}"
    elif float(v).is_integer():
        text = str(int(v))
    else:
        text = f"{v:g}"
    return text[1:] if text.startswith("0.") else text


def write_library(code, heading, comments, fields, examples, curve=False):
    """fields: (column, title, menu, row); examples: (name, [values], [curve lines])."""
    assert len(comments) == 4
    lines = [heading] + comments + [str(len(fields))]
    for col, title, menu, row in fields:
        assert "," not in title
        lines += [str(col), title, str(menu), str(row)]
    names = set()
    width = fields[0][0]
    for ex in examples:
        name, values = ex[0], ex[1]
        assert len(name) <= width - 2, (code, name, len(name))
        assert name not in names, (code, name)
        names.add(name)
        assert len(values) == len(fields), (code, name)
        lines.append(name)
        lines += [num(v) for v in values]
        if curve:
            assert len(ex[2]) == 30
            lines += ex[2]
    lines.append("-99")
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, code), "w", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))
    return len(examples)


def write_note(prefix, text):
    lines = text.strip("\n").split("\n")
    assert len(lines) <= 20, prefix
    with open(os.path.join(OUT, "NOTE" + prefix), "w", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))


# ------------------------------------------------------------------ engines
#
# Every engine carries a ten-point curve, whatever its method, so that a
# racer who switches the Engine window to the full curve finds a sound one.
# The curve rises from about 3/4 of the peak torque to the torque peak Rt,
# then falls so that the horsepower peaks at Rp; it is scaled so that the
# HP at Rp is the HP given.  Torque is whole ft lbs, HP = RPM x Tq / 5252
# rounded.  The peak rows of the Engine window are the curve's own peaks.

def engine_curve(hp, rp, rt, step):
    r1 = rp + step
    rpms = [r1 - (9 - i) * step for i in range(10)]
    r0 = rpms[0]
    assert r0 >= 800 and rt > r0 and rp > rt + step, (hp, rp, rt, step)
    k2 = 1.0 / ((rp - rt) ** 2 + 2 * rp * (rp - rt))

    def shape(r):
        if r <= rt:
            return 1 - 0.25 * ((rt - r) / (rt - r0)) ** 2
        return 1 - k2 * (r - rt) ** 2

    scale = hp * 5252 / (rp * shape(rp))
    points = []
    for r in rpms:
        tq = round(scale * shape(r))
        assert tq > 0
        points.append((r, tq, round(r * tq / 5252)))
    return points


def peaks(points):
    tq = max(points, key=lambda p: p[1])
    hp = max(points, key=lambda p: p[2])
    return tq[1], tq[0], hp[2], hp[0]


STD, SAE = 0, 1
HP_ONLY, TQ_HP, FULL = 0, 1, 2

# name, method, cubic inches, HP, HP RPM, torque-peak RPM, curve step, rating
ENGINES = [
    ("Four 98 cid 1.6L, stock economy", HP_ONLY, 98, 110, 6000, 4000, 500, SAE),
    ("Four 122 cid 2.0L, stock sport", HP_ONLY, 122, 160, 6500, 4500, 500, SAE),
    ("Four 122 cid 2.0L turbo, stock", HP_ONLY, 122, 300, 6000, 3500, 500, SAE),
    ("V6 231 cid, stock 1980s 2 bbl", HP_ONLY, 231, 110, 3800, 2000, 300, SAE),
    ("V8 302 cid, stock 1980s 4 bbl", HP_ONLY, 302, 225, 4200, 3000, 300, SAE),
    ("V8 350 cid, stock 1970s 4 bbl", HP_ONLY, 350, 175, 3800, 2400, 300, SAE),
    ("V8 455 cid big block, 1970 gross", HP_ONLY, 455, 360, 4600, 3000, 300, STD),
    ("V8 426 cid hemi, 1960s gross", HP_ONLY, 426, 425, 5000, 3600, 400, STD),
    ("V8 346 cid 2 valve, stock 2000s", HP_ONLY, 346, 350, 5600, 4000, 400, SAE),
    ("V8 302 cid 4 valve, stock 2018", HP_ONLY, 302, 460, 7000, 4600, 500, SAE),
    ("Four 79 cid 1300 cc bike, stock", HP_ONLY, 79, 175, 9800, 7000, 1000, SAE),
    ("V8 302 cid, mild street 4 bbl", TQ_HP, 302, 300, 5600, 4000, 400, STD),
    ("V8 347 cid stroker, street", TQ_HP, 347, 410, 6000, 4500, 400, STD),
    ("V8 350 cid, mild street 4 bbl", TQ_HP, 350, 330, 5200, 3600, 400, STD),
    ("V8 383 cid stroker, street", TQ_HP, 383, 420, 5600, 4200, 400, STD),
    ("V8 400 cid small block, bracket", TQ_HP, 400, 470, 6000, 4600, 400, STD),
    ("V8 454 cid big block, street", TQ_HP, 454, 425, 5200, 3600, 400, STD),
    ("V8 496 cid big block, bracket", TQ_HP, 496, 600, 6000, 4800, 400, STD),
    ("V8 540 cid big block, race gas", TQ_HP, 540, 750, 6400, 5200, 400, STD),
    ("V8 572 cid big block, race gas", TQ_HP, 572, 760, 6200, 4800, 400, STD),
    ("Six 300 cid inline, mild street", TQ_HP, 300, 220, 4400, 3200, 300, STD),
    ("Four 140 cid 2.3L, street turbo", TQ_HP, 140, 350, 6000, 4000, 500, STD),
    ("V8 305 cid, stock 1980s 4 bbl", FULL, 305, 170, 4400, 2800, 400, SAE),
    ("V8 302 cid, hot street", FULL, 302, 370, 6200, 4800, 500, STD),
    ("V8 350 cid, hot street 10.5:1", FULL, 350, 400, 5800, 4400, 400, STD),
    ("V8 355 cid, bracket 12.5:1", FULL, 355, 480, 6600, 5200, 500, STD),
    ("V8 406 cid, bracket 13:1", FULL, 406, 560, 6500, 5000, 500, STD),
    ("V8 376 cid, supercharged street", FULL, 376, 620, 6200, 4400, 500, STD),
    ("V8 427 cid small block, nitrous", FULL, 427, 780, 6400, 4800, 500, STD),
    ("V8 427 cid big block, street", FULL, 427, 430, 5600, 4000, 400, STD),
    ("V8 468 cid big block, street", FULL, 468, 510, 5800, 4200, 400, STD),
    ("V8 565 cid big block, race gas", FULL, 565, 800, 6600, 5200, 500, STD),
    ("V8 632 cid big block, race gas", FULL, 632, 900, 6500, 5000, 500, STD),
    ("V8 500 cid pro stock, race gas", FULL, 500, 1380, 9800, 8300, 600, STD),
    ("Four 122 cid 2.0L turbo, street", FULL, 122, 300, 6000, 3600, 500, STD),
    ("Four 61 cid 1000 cc bike, stock", FULL, 61, 180, 13000, 10500, 1000, SAE),
]


def engines():
    out = []
    for name, method, cid, hp, rp, rt, step, corr in ENGINES:
        pts = engine_curve(hp, rp, rt, step)
        tq, tq_rpm, php, php_rpm = peaks(pts)
        rows = [method, cid, tq, tq_rpm, php, php_rpm, corr]
        if method == HP_ONLY:
            rows[2] = rows[3] = "na"
        curve = []
        for r, t, h in pts:
            curve += [str(r), str(t), str(h)]
        out.append((name, rows, curve))
    return out


# ------------------------------------------------------------------ clutches
#
# Clamp forces are the pressure plate's static clamp load (counterweight
# assist at a typical launch RPM included for race clutches).  The model's
# capacity is force x 2 x ((D - 1) / 24) x friction x disks.  Motorcycle
# clutches run in oil: their force is the dry-clutch equivalent, the clamp
# that holds the torque such a clutch holds (about 1.2 to 2 times the
# engine's), since the program's clutch is a dry one.

ORG, MET = 0, 1
CLUTCHES = [
    # stock single disc, organic
    ("7.9 in stock single disc, organic", 7.9, 1500, 1, ORG),
    ("8.5 in stock single disc, organic", 8.5, 1700, 1, ORG),
    ("8.9 in stock single disc, organic", 8.9, 1800, 1, ORG),
    ("9.1 in stock single disc, organic", 9.1, 1900, 1, ORG),
    ("9.5 in stock single disc, organic", 9.5, 2000, 1, ORG),
    ("10 in stock single disc, organic", 10.0, 2100, 1, ORG),
    ("10.4 in stock single disc, organic", 10.4, 2200, 1, ORG),
    ("10.5 in stock single disc, organic", 10.5, 2300, 1, ORG),
    ("11 in stock single disc, organic", 11.0, 2400, 1, ORG),
    ("11.5 in stock single disc, organic", 11.5, 2500, 1, ORG),
    ("12 in stock single disc, organic", 12.0, 2600, 1, ORG),
    ("13 in truck single disc, organic", 13.0, 2800, 1, ORG),
    # performance single disc, organic
    ("7.9 in street single disc, organic", 7.9, 1900, 1, ORG),
    ("8.5 in street single disc, organic", 8.5, 2100, 1, ORG),
    ("9.1 in street single disc, organic", 9.1, 2300, 1, ORG),
    ("10 in street single disc, organic", 10.0, 2600, 1, ORG),
    ("10.4 in street single disc, organic", 10.4, 2800, 1, ORG),
    ("10.5 in street single disc, organic", 10.5, 2800, 1, ORG),
    ("11 in street single disc, organic", 11.0, 3000, 1, ORG),
    ("11 in heavy single disc, organic", 11.0, 3400, 1, ORG),
    ("12 in heavy single disc, organic", 12.0, 3400, 1, ORG),
    # single disc, metallic or ceramic
    ("8.5 in single disc, ceramic puck", 8.5, 2300, 1, MET),
    ("9.1 in single disc, ceramic puck", 9.1, 2500, 1, MET),
    ("10 in single disc, ceramic puck", 10.0, 2800, 1, MET),
    ("10.4 in single disc, metallic", 10.4, 3000, 1, MET),
    ("10.5 in single disc, metallic", 10.5, 3000, 1, MET),
    ("11 in single disc, metallic", 11.0, 3200, 1, MET),
    ("11 in heavy single disc, metallic", 11.0, 3600, 1, MET),
    ("12 in heavy single disc, metallic", 12.0, 3600, 1, MET),
    # twin disc street and street/strip
    ("7.25 in twin disc street, organic", 7.25, 2400, 2, ORG),
    ("8.5 in twin disc street, organic", 8.5, 2200, 2, ORG),
    ("9 in twin disc street, organic", 9.0, 2400, 2, ORG),
    ("10.4 in twin disc street, organic", 10.4, 2400, 2, ORG),
    ("10.5 in twin disc, metallic", 10.5, 2800, 2, MET),
    ("8.5 in twin disc, ceramic puck", 8.5, 2600, 2, MET),
    # race multi disc
    ("7.25 in race twin disc, metallic", 7.25, 2600, 2, MET),
    ("7.25 in race triple disc, metallic", 7.25, 2800, 3, MET),
    ("7.25 in race 4 disc, metallic", 7.25, 3000, 4, MET),
    ("5.5 in race triple disc, metallic", 5.5, 3000, 3, MET),
    ("5.5 in race 4 disc, metallic", 5.5, 3200, 4, MET),
    ("5.5 in race 5 disc, metallic", 5.5, 3400, 5, MET),
    ("8 in race twin disc, metallic", 8.0, 3000, 2, MET),
    ("8 in race triple disc, metallic", 8.0, 3200, 3, MET),
    ("10.4 in race twin disc, metallic", 10.4, 3200, 2, MET),
    ("10.5 in race single disc, metallic", 10.5, 3800, 1, MET),
    ("11 in race single disc, metallic", 11.0, 4000, 1, MET),
    ("10 in race twin disc, metallic", 10.0, 3400, 2, MET),
    ("7.25 in race twin disc, organic", 7.25, 2400, 2, ORG),
    # motorcycle wet multi plate
    ("4.9 in bike wet clutch, 7 plates", 4.9, 150, 7, ORG),
    ("5.3 in bike wet clutch, 8 plates", 5.3, 160, 8, ORG),
    ("5.5 in bike wet clutch, 9 plates", 5.5, 170, 9, ORG),
    ("5.5 in bike clutch, heavy springs", 5.5, 230, 9, ORG),
    ("5.9 in bike wet clutch, 10 plates", 5.9, 180, 10, ORG),
    ("5.9 in bike race clutch, 10 plates", 5.9, 260, 10, MET),
    ("6.3 in bike race clutch, 11 plates", 6.3, 300, 11, MET),
    ("7 in bike lockup clutch, 12 plates", 7.0, 400, 12, MET),
]


# ------------------------------------------------------------------ converters
#
# Capacity = stall RPM / square root of the engine torque at stall, so the
# name's stall and torque give the spec.  Torque multiplication: stock
# converters about 2.0-2.5, street 1.9-2.2, race 1.6-1.9.

CONVERTERS = [
    # diameter, class, stall, at torque, multiplication
    (12, "stock", 1400, 400, 2.5),
    (12, "stock", 1600, 380, 2.4),
    (12, "stock", 1800, 450, 2.3),
    (11, "stock", 1800, 350, 2.3),
    (11, "stock", 2000, 300, 2.2),
    (10, "stock", 2200, 300, 2.2),
    (9.5, "stock", 2400, 250, 2.1),
    (12, "stock lock-up", 1800, 400, 2.0),
    (11, "stock lock-up", 2000, 380, 2.0),
    (10, "stock lock-up", 2200, 330, 2.0),
    (12, "street", 2200, 400, 2.2),
    (11, "street", 2400, 400, 2.2),
    (11, "street", 2800, 400, 2.1),
    (10, "street", 2800, 400, 2.1),
    (10, "street", 3000, 350, 2.1),
    (10, "street", 3200, 450, 2.0),
    (10, "street lock-up", 2800, 400, 2.0),
    (10, "street lock-up", 3200, 450, 2.0),
    (9.5, "street", 3000, 300, 2.0),
    (9.5, "street", 3400, 400, 2.0),
    (10, "street/strip", 3500, 400, 2.0),
    (10, "street/strip", 3800, 450, 1.9),
    (9.5, "street/strip", 3800, 400, 1.9),
    (9.5, "street/strip", 4200, 450, 1.9),
    (9, "street/strip", 4000, 400, 1.9),
    (9, "street/strip", 4500, 500, 1.9),
    (10, "bracket", 4000, 500, 1.9),
    (9.5, "bracket", 4200, 500, 1.9),
    (9.5, "bracket", 4600, 550, 1.8),
    (9, "bracket", 4500, 450, 1.8),
    (9, "bracket", 5000, 500, 1.8),
    (9, "bracket", 5500, 550, 1.8),
    (8, "bracket", 5000, 450, 1.8),
    (8, "bracket", 5500, 500, 1.8),
    (8, "bracket", 6000, 550, 1.8),
    (10, "race", 4500, 700, 1.8),
    (9.5, "race", 5000, 750, 1.8),
    (9, "race", 5200, 700, 1.7),
    (9, "race", 5800, 800, 1.7),
    (8, "race", 6000, 650, 1.7),
    (8, "race", 6500, 700, 1.7),
    (8, "race", 7000, 750, 1.6),
    (10, "pro mod", 5500, 1200, 1.7),
    (9.5, "pro mod", 6000, 1300, 1.7),
    (9, "pro mod", 6500, 1400, 1.6),
    (10, "diesel truck", 2000, 600, 2.2),
    (12, "diesel truck", 1800, 550, 2.3),
    (10, "turbo import", 3000, 350, 2.0),
    (9, "turbo import", 3600, 400, 1.9),
    (8, "turbo import", 4000, 350, 1.9),
]


def converters():
    out = []
    for dia, cls, stall, tq, tm in CONVERTERS:
        name = f"{num(dia)} in {cls} converter, {stall} stall at {tq} ft lbs"
        cap = round(stall / math.sqrt(tq))
        out.append((name, [cap, num(tm, 2)]))
    return out


# ------------------------------------------------------------------ transmissions
#
# Efficiency is the pick of the list "100 %" (1) .. "75 %" (26): manual
# gearboxes 94 % to 98 %, automatics 86 % to 92 %.  Gears that do not exist
# are 0.  The lock-up picks say in which gears a lock-up converter is locked.

def eff(percent):
    return 101 - percent


# name, efficiency %, ratios, lock-up gears
TRANSMISSIONS = [
    ("3 speed manual, 2.54 1st", 97, [2.54, 1.50, 1.00], []),
    ("3 speed manual, 2.85 1st", 97, [2.85, 1.68, 1.00], []),
    ("3 speed manual truck, 3.03 1st", 96, [3.03, 1.75, 1.00], []),
    ("4 speed manual, 2.20 close ratio", 97, [2.20, 1.64, 1.28, 1.00], []),
    ("4 speed manual, 2.43 close ratio", 97, [2.43, 1.61, 1.23, 1.00], []),
    ("4 speed manual, 2.52 wide ratio", 97, [2.52, 1.88, 1.46, 1.00], []),
    ("4 speed manual, 2.64 wide ratio", 97, [2.64, 1.75, 1.34, 1.00], []),
    ("4 speed manual, 2.78 wide ratio", 97, [2.78, 1.93, 1.36, 1.00], []),
    ("4 speed manual, 2.88 wide ratio", 97, [2.88, 1.91, 1.33, 1.00], []),
    ("4 speed manual, 3.35 truck", 96, [3.35, 1.93, 1.40, 1.00], []),
    ("4 speed overdrive manual, 3.09", 96, [3.09, 1.67, 1.00, 0.73], []),
    ("5 speed overdrive, 2.95 1st", 97, [2.95, 1.94, 1.34, 1.00, 0.63], []),
    ("5 speed overdrive, 3.35 1st", 97, [3.35, 1.93, 1.29, 1.00, 0.68], []),
    ("5 speed overdrive, 3.27 1st", 97, [3.27, 1.98, 1.34, 1.00, 0.68], []),
    ("5 speed overdrive, 2.87 1st", 97, [2.87, 1.89, 1.28, 1.00, 0.81], []),
    ("5 speed front drive, 3.23 1st", 96, [3.23, 1.90, 1.27, 0.97, 0.78], []),
    ("5 speed front drive, 3.07 1st", 96, [3.07, 1.77, 1.19, 0.92, 0.74], []),
    ("5 speed direct top, 2.94 1st", 97, [2.94, 1.91, 1.42, 1.19, 1.00], []),
    ("6 speed overdrive, 2.66 1st", 97, [2.66, 1.78, 1.30, 1.00, 0.80, 0.63], []),
    ("6 speed overdrive, 2.97 1st", 97, [2.97, 2.07, 1.43, 1.00, 0.84, 0.56], []),
    ("6 speed overdrive, 3.24 1st", 97, [3.24, 2.13, 1.54, 1.18, 1.00, 0.74], []),
    ("6 speed close ratio, 2.97 1st", 97, [2.97, 2.10, 1.46, 1.00, 0.74, 0.50], []),
    ("6 speed front drive, 3.63 1st", 96, [3.63, 2.12, 1.47, 1.11, 0.93, 0.77], []),
    ("6 speed all wheel drive, 3.64", 95, [3.64, 2.38, 1.76, 1.35, 1.06, 0.84], []),
    ("5 speed bike gearbox, 2.62 1st", 97, [2.62, 1.94, 1.53, 1.29, 1.14], []),
    ("6 speed bike gearbox, 2.62 1st", 97, [2.62, 1.94, 1.53, 1.29, 1.14, 1.04], []),
    ("5 speed race clutchless, 2.20", 98, [2.20, 1.66, 1.33, 1.14, 1.00], []),
    ("4 speed race clutchless, 2.45", 98, [2.45, 1.64, 1.24, 1.00], []),
    ("5 speed race planetary, 3.00", 97, [3.00, 2.00, 1.50, 1.22, 1.00], []),
    ("3 speed race planetary, 2.06", 97, [2.06, 1.42, 1.00], []),
    ("2 speed auto, 1.76 1st", 90, [1.76, 1.00], []),
    ("2 speed auto, 1.82 1st", 90, [1.82, 1.00], []),
    ("2 speed auto race, 1.80 1st", 92, [1.80, 1.00], []),
    ("2 speed auto race, 1.65 1st", 92, [1.65, 1.00], []),
    ("3 speed auto heavy, 2.48 1st", 88, [2.48, 1.48, 1.00], []),
    ("3 speed auto light, 2.52 1st", 89, [2.52, 1.52, 1.00], []),
    ("3 speed auto, 2.45 1st", 88, [2.45, 1.45, 1.00], []),
    ("3 speed auto small, 2.46 1st", 89, [2.46, 1.46, 1.00], []),
    ("3 speed auto race, 2.48 1st", 91, [2.48, 1.48, 1.00], []),
    ("3 speed auto race, 1.87 1st", 91, [1.87, 1.36, 1.00], []),
    ("3 speed auto race, 2.10 1st", 91, [2.10, 1.39, 1.00], []),
    ("4 speed auto overdrive, 3.06", 87, [3.06, 1.63, 1.00, 0.70], [3, 4]),
    ("4 speed auto overdrive, 2.74", 87, [2.74, 1.57, 1.00, 0.70], [3, 4]),
    ("4 speed auto overdrive, 2.84", 87, [2.84, 1.55, 1.00, 0.70], [3, 4]),
    ("4 speed auto overdrive, 2.45", 87, [2.45, 1.45, 1.00, 0.69], [4]),
    ("4 speed auto race, 2.48 1st", 90, [2.48, 1.48, 1.00, 0.75], []),
    ("5 speed auto overdrive, 3.59", 88, [3.59, 2.19, 1.41, 1.00, 0.83], [3, 4, 5]),
    ("6 speed auto overdrive, 4.03", 89, [4.03, 2.36, 1.53, 1.15, 0.85, 0.67], [3, 4, 5, 6]),
    ("6 speed auto overdrive, 4.17", 89, [4.17, 2.34, 1.52, 1.14, 0.87, 0.69], [4, 5, 6]),
    ("6 speed auto front drive, 4.45", 88, [4.45, 2.91, 1.89, 1.45, 1.00, 0.75], [4, 5, 6]),
    ("5 speed auto overdrive, 3.55", 88, [3.55, 2.24, 1.55, 1.00, 0.79], [3, 4, 5]),
]


def transmissions():
    out = []
    for name, percent, ratios, lockup in TRANSMISSIONS:
        assert all(a > b for a, b in zip(ratios, ratios[1:])), name
        gears = [num(r, 2) for r in ratios] + ["0"] * (6 - len(ratios))
        locks = ["1" if g in lockup else "0" for g in range(2, 7)]
        out.append((name, [eff(percent)] + gears + locks))
    return out


# ------------------------------------------------------------------ bodies
#
# Drive wheels: 0 rear, 1 front, 2 all.  Roll stiffness: 0 stock front sway
# bar, 1 light bar, 2 no bar and drag springs, 3 front does not resist roll.
# Weight share on the rear tires with the driver aboard; C.G. height with the
# car at rest; frontal area in sq ft; drag coefficient as tested or typical
# for the shape.

RWD, FWD, AWD = 0, 1, 2
BODIES = [
    # name, drive, % rear, CG, wheelbase, rear track, roll, area, Cd
    ("Compact 2 door 1960s, 111 in wb", RWD, 44, 20, 111, 56, 0, 19, 0.48),
    ("Compact 2 door 1970s, 111 in wb", RWD, 44, 20, 111, 59, 0, 20, 0.47),
    ("Pony car 1964-66, 108 in wb", RWD, 45, 20, 108, 57, 0, 19, 0.46),
    ("Pony car 1967-69, 108 in wb", RWD, 45, 20, 108, 59, 0, 20, 0.45),
    ("Pony car 1970-74, 108 in wb", RWD, 45, 19.5, 108, 60, 0, 20, 0.45),
    ("Pony car 1979-93, 100 in wb", RWD, 43, 20, 100.5, 57, 0, 20, 0.40),
    ("Pony car 1982-92, 101 in wb", RWD, 44, 19, 101, 61, 0, 20, 0.37),
    ("Pony car 1993-2002, 101 in wb", RWD, 44, 19, 101, 60, 0, 21, 0.34),
    ("Pony car 2005-14, 107 in wb", RWD, 47, 20, 107, 62, 0, 22, 0.38),
    ("Pony car 2015-up, 107 in wb", RWD, 47, 19.5, 107, 64, 0, 22, 0.35),
    ("Muscle car 1964-67, 115 in wb", RWD, 44, 21, 115, 59, 0, 21, 0.47),
    ("Muscle car 1968-72, 112 in wb", RWD, 44, 21, 112, 59, 0, 21, 0.46),
    ("Muscle car 1968-72, 116 in wb", RWD, 44, 21, 116, 60, 0, 21, 0.46),
    ("Mid size 1973-77, 112 in wb", RWD, 44, 21, 112, 61, 0, 22, 0.45),
    ("Mid size 1978-88, 108 in wb", RWD, 44, 20.5, 108, 58, 0, 21, 0.42),
    ("Full size 1960s, 119 in wb", RWD, 45, 21.5, 119, 60, 0, 23, 0.50),
    ("Full size 1970s, 121 in wb", RWD, 45, 22, 121, 63, 0, 24, 0.50),
    ("Full size sedan 1990s, 114 in wb", RWD, 45, 21.5, 114, 63, 0, 23, 0.38),
    ("Sports coupe 2 seat 1997-2004", RWD, 49, 18, 104.5, 62, 0, 19, 0.29),
    ("Sports coupe 2 seat 2005-13", RWD, 49, 18, 105.7, 62, 0, 19, 0.31),
    ("Large coupe 2008-up, 116 in wb", RWD, 45, 20, 116, 63, 0, 23, 0.36),
    ("Sedan 4 door 2005-up, 120 in wb", RWD, 47, 21, 120, 63, 0, 24, 0.34),
    ("Pickup short bed, 2 wd, 117 in wb", RWD, 42, 24, 117, 64, 0, 30, 0.48),
    ("Pickup regular cab 1970s, 117 in", RWD, 41, 25, 117, 64, 0, 31, 0.52),
    ("Compact pickup, 108 in wb", RWD, 40, 23, 108, 56, 0, 25, 0.50),
    ("Station wagon 1960s, 116 in wb", RWD, 47, 22, 116, 60, 0, 24, 0.50),
    ("Hatchback front drive, 100 in wb", FWD, 38, 20, 100, 58, 0, 21, 0.33),
    ("Compact front drive, 103 in wb", FWD, 38, 20, 103, 59, 0, 21, 0.32),
    ("Sport compact front drive, 106 wb", FWD, 38, 19.5, 106, 61, 0, 22, 0.33),
    ("Mid size front drive, 110 in wb", FWD, 38, 21, 110, 62, 0, 23, 0.32),
    ("Sport compact AWD, 104 in wb", AWD, 41, 20, 104, 60, 0, 22, 0.36),
    ("Sedan AWD 4 door, 112 in wb", AWD, 44, 21, 112, 62, 0, 23, 0.33),
    ("Gasser 1960s, short wb, high CG", RWD, 55, 26, 104, 58, 2, 22, 0.55),
    ("Street rod coupe, 106 in wb", RWD, 50, 21, 106, 56, 2, 19, 0.55),
    ("Street rod roadster, 106 in wb", RWD, 52, 20, 106, 56, 2, 15, 0.70),
    ("Bracket car, mid size 112 in wb", RWD, 50, 19.5, 112, 59, 2, 21, 0.45),
    ("Bracket car, compact 108 in wb", RWD, 50, 19.5, 108, 56, 2, 20, 0.45),
    ("Super stock, mid size 116 in wb", RWD, 50, 20, 116, 60, 2, 21, 0.44),
    ("Stock eliminator, 112 in wb", RWD, 48, 20, 112, 59, 1, 21, 0.45),
    ("Pro street, tubbed 108 in wb", RWD, 53, 19, 108, 50, 2, 20, 0.45),
    ("Pro stock, 105 in wb", RWD, 52, 17, 105, 55, 3, 21, 0.24),
    ("Pro mod, 115 in wb", RWD, 55, 17, 115, 54, 3, 21, 0.30),
    ("Funny car, 125 in wb", RWD, 65, 16, 125, 48, 3, 19, 0.38),
    ("Altered, 110 in wb", RWD, 62, 18, 110, 48, 3, 14, 0.60),
    ("Front engine dragster, 200 in wb", RWD, 72, 14, 200, 40, 3, 9, 0.60),
    ("Nostalgia funny car, 115 in wb", RWD, 60, 18, 115, 52, 3, 20, 0.42),
]


# ------------------------------------------------------------------ tires
#
# Weight is one wheel with its tire, diameter as mounted and inflated.

FRONT_TIRES = [
    # name, wheel & tire weight, diameter
    ("Bias ply 7.35-14 on 14 x 6 steel wheel", 40, 26.2),
    ("Bias ply F70-14 on 14 x 7 steel wheel", 43, 26.0),
    ("Bias ply G70-15 on 15 x 7 steel wheel", 47, 27.1),
    ("Radial P185/75R14 on 14 x 6 steel wheel", 36, 24.9),
    ("Radial P195/75R14 on 14 x 6 steel wheel", 38, 25.5),
    ("Radial P205/70R14 on 14 x 6 steel wheel", 39, 25.3),
    ("Radial P205/70R15 on 15 x 7 steel wheel", 41, 26.3),
    ("Radial P215/65R15 on 15 x 7 steel wheel", 42, 26.1),
    ("Radial P215/60R15 on 15 x 7 alloy wheel", 35, 25.2),
    ("Radial P225/60R15 on 15 x 7 alloy wheel", 37, 25.6),
    ("Radial P225/60R16 on 16 x 7 alloy wheel", 38, 26.6),
    ("Radial P225/50R16 on 16 x 8 alloy wheel", 36, 24.9),
    ("Radial 235/45R17 on 17 x 8 alloy wheel", 39, 25.3),
    ("Radial 245/45R18 on 18 x 8 alloy wheel", 43, 26.7),
    ("Radial 255/40R19 on 19 x 9 alloy wheel", 46, 27.0),
    ("Radial 245/40R20 on 20 x 9 alloy wheel", 50, 27.7),
    ("Radial 265/35R20 on 20 x 9.5 alloy wheel", 51, 27.3),
    ("Radial 175/65R14 on 14 x 5.5 steel wheel", 31, 23.0),
    ("Radial 185/65R15 on 15 x 6 alloy wheel", 30, 24.5),
    ("Radial 195/55R15 on 15 x 6.5 alloy wheel", 29, 23.4),
    ("Radial 205/55R16 on 16 x 7 alloy wheel", 33, 24.9),
    ("Radial 215/45R17 on 17 x 7 alloy wheel", 35, 24.6),
    ("Radial 225/40R18 on 18 x 8 alloy wheel", 38, 25.1),
    ("Truck P235/75R15 on 15 x 7 steel wheel", 55, 28.9),
    ("Truck P265/70R17 on 17 x 8 alloy wheel", 62, 31.6),
    ("Skinny radial 125/15 on 15 x 3.5 alloy", 19, 24.6),
    ("Skinny radial 165/80R15 on 15 x 4 alloy", 24, 25.4),
    ("Skinny radial 175/50R15 on 15 x 4 alloy", 23, 22.0),
    ("Skinny radial 185/60R15 on 15 x 4.5 alloy", 25, 23.7),
    ("Front runner 26 x 4.5-15 on 15 x 3.5", 16, 26.0),
    ("Front runner 26 x 4.5-17 on 17 x 3.5", 18, 26.0),
    ("Front runner 27.5 x 4-15 on 15 x 3.5", 17, 27.5),
    ("Front runner 28 x 4.5-15 on 15 x 3.5", 18, 28.0),
    ("Front runner 24 x 3.6-15 on 15 x 3.0", 14, 24.0),
    ("Front runner 22 x 2.5-17 on 17 x 2.5", 12, 22.0),
    ("Front runner light 26 x 4.5-15 on 15 x 3", 13, 26.0),
    ("Dragster front 22.5 x 2.5-17 spoke wheel", 8, 22.5),
    ("Dragster front 20 x 2.5-15 spoke wheel", 7, 20.0),
    ("Bike front 120/70ZR17 on 17 x 3.5 alloy", 20, 23.5),
]

BIAS, RADIAL, DOT, DRAG_RADIAL, SLICK = 0, 1, 2, 3, 4
REAR_TIRES = [
    # name, wheel & tire weight, diameter, type, tread width, growth % (slicks)
    ("Bias ply 7.35-14 on 14 x 6 steel", 41, 26.2, BIAS, 5.0),
    ("Bias ply F70-14 on 14 x 7 steel", 44, 26.0, BIAS, 6.0),
    ("Bias ply G70-15 on 15 x 7 steel", 48, 27.1, BIAS, 6.5),
    ("Bias ply G60-15 on 15 x 7 steel", 50, 26.6, BIAS, 7.5),
    ("Bias ply L60-15 on 15 x 8 steel", 56, 28.0, BIAS, 9.0),
    ("Bias ply N50-15 on 15 x 10 steel", 62, 27.5, BIAS, 10.5),
    ("Radial P205/70R14 on 14 x 6 steel", 39, 25.3, RADIAL, 5.8),
    ("Radial P215/65R15 on 15 x 7 steel", 42, 26.1, RADIAL, 6.3),
    ("Radial P235/60R15 on 15 x 7 steel", 44, 26.1, RADIAL, 6.9),
    ("Radial P245/60R15 on 15 x 8 alloy", 40, 26.6, RADIAL, 7.2),
    ("Radial P255/60R15 on 15 x 8 alloy", 43, 27.1, RADIAL, 7.6),
    ("Radial P275/60R15 on 15 x 8 alloy", 46, 28.0, RADIAL, 8.2),
    ("Radial P245/50R16 on 16 x 8 alloy", 40, 25.6, RADIAL, 7.3),
    ("Radial 275/40R17 on 17 x 9.5 alloy", 45, 25.7, RADIAL, 8.6),
    ("Radial 275/40R18 on 18 x 9.5 alloy", 47, 26.7, RADIAL, 8.6),
    ("Radial 285/35R19 on 19 x 10 alloy", 49, 26.9, RADIAL, 9.0),
    ("Radial 275/40R19 on 19 x 9.5 alloy", 50, 27.7, RADIAL, 8.6),
    ("Radial 305/35R20 on 20 x 11 alloy", 55, 28.4, RADIAL, 9.8),
    ("Radial 315/35R20 on 20 x 11 alloy", 56, 28.7, RADIAL, 10.2),
    ("Radial 325/30R19 on 19 x 11 alloy", 54, 26.7, RADIAL, 10.6),
    ("Radial 285/30R20 on 20 x 10 alloy", 50, 26.7, RADIAL, 9.2),
    ("Truck P235/75R15 on 15 x 7 steel", 56, 28.9, RADIAL, 6.8),
    ("Truck P265/70R17 on 17 x 8 alloy", 63, 31.6, RADIAL, 7.8),
    ("Front drive 175/65R14 steel", 31, 23.0, RADIAL, 5.0),
    ("Front drive 185/65R15 alloy", 30, 24.5, RADIAL, 5.4),
    ("Front drive 195/55R15 alloy", 29, 23.4, RADIAL, 5.8),
    ("Front drive 205/55R16 alloy", 33, 24.9, RADIAL, 6.1),
    ("Front drive 215/45R17 alloy", 35, 24.6, RADIAL, 6.5),
    ("Front drive 225/40R18 alloy", 38, 25.1, RADIAL, 6.9),
    ("Front drive 245/40R18 alloy", 41, 25.7, RADIAL, 7.6),
    ("Front drive 245/35R19 alloy", 41, 25.8, RADIAL, 7.6),
    ("Front drive 235/40R18 alloy", 39, 25.4, RADIAL, 7.2),
    ("All wheel drive 245/40R18 alloy", 41, 25.7, RADIAL, 7.6),
    ("All wheel drive 255/35R19 alloy", 43, 26.0, RADIAL, 8.0),
    ("DOT drag 26 x 8.5-15 on 15 x 8", 44, 26.0, DOT, 8.0),
    ("DOT drag 26 x 10-15 on 15 x 10", 48, 26.0, DOT, 9.5),
    ("DOT drag 28 x 9-15 on 15 x 8", 47, 28.0, DOT, 8.5),
    ("DOT drag 28 x 10.5-15 on 15 x 10", 52, 28.0, DOT, 10.0),
    ("DOT drag 28 x 11.5-15 on 15 x 10", 54, 28.0, DOT, 11.0),
    ("DOT drag 29 x 11.5-15 on 15 x 10", 55, 29.0, DOT, 11.0),
    ("DOT drag 30 x 12-15 on 15 x 12", 60, 30.0, DOT, 11.5),
    ("DOT drag 31 x 13.5-15 on 15 x 14", 65, 31.0, DOT, 13.0),
    ("DOT drag 28 x 10.5-16 on 16 x 10", 53, 28.0, DOT, 10.0),
    ("DOT drag 26 x 8-14 front drive", 38, 26.0, DOT, 7.5),
    ("DOT drag 24.5 x 8-13 front drive", 34, 24.5, DOT, 7.5),
    ("Drag radial 275/60R15 on 15 x 10", 50, 28.1, DRAG_RADIAL, 9.5),
    ("Drag radial 295/65R15 on 15 x 10", 53, 30.1, DRAG_RADIAL, 10.0),
    ("Drag radial 325/50R15 on 15 x 12", 56, 27.8, DRAG_RADIAL, 11.5),
    ("Drag radial 275/40R17 on 17 x 10", 49, 25.8, DRAG_RADIAL, 9.5),
    ("Drag radial 315/45R17 on 17 x 11", 54, 28.1, DRAG_RADIAL, 11.0),
    ("Drag radial 275/50R15 on 15 x 10", 48, 25.8, DRAG_RADIAL, 9.5),
    ("Drag radial 305/45R18 on 18 x 11", 55, 28.8, DRAG_RADIAL, 10.5),
    ("Drag radial 315/50R17 on 17 x 12", 56, 29.4, DRAG_RADIAL, 11.0),
    ("Drag radial 335/30R18 on 18 x 12", 56, 25.9, DRAG_RADIAL, 12.0),
    ("Drag radial 345/35R15 on 15 x 12", 55, 24.5, DRAG_RADIAL, 12.5),
    ("Drag radial 225/50R15 front drive", 38, 23.9, DRAG_RADIAL, 8.0),
    ("Drag radial 245/45R17 front drive", 42, 25.7, DRAG_RADIAL, 8.5),
    ("Slick 24 x 8-13 front drive, soft", 30, 24.0, SLICK, 8.0, 3),
    ("Slick 26 x 8.5-15 bias, soft", 38, 26.0, SLICK, 8.5, 3),
    ("Slick 26 x 10-15 bias, soft", 42, 26.0, SLICK, 10.0, 3),
    ("Slick 28 x 9-15 bias", 42, 28.0, SLICK, 9.0, 3),
    ("Slick 28 x 10.5-15 bias", 46, 28.0, SLICK, 10.5, 3),
    ("Slick 29 x 10.5-15 bias", 47, 29.0, SLICK, 10.5, 3),
    ("Slick 29.5 x 10.5-15 bias", 48, 29.5, SLICK, 10.5, 3),
    ("Slick 30 x 9-15 bias", 46, 30.0, SLICK, 9.0, 3),
    ("Slick 30 x 12.5-15 bias", 52, 30.0, SLICK, 12.5, 4),
    ("Slick 31 x 13.5-15 bias", 55, 31.0, SLICK, 13.5, 4),
    ("Slick 32 x 14-15 bias", 58, 32.0, SLICK, 14.0, 4),
    ("Slick 33 x 16.5-15 bias", 62, 33.0, SLICK, 16.5, 5),
    ("Slick 34.5 x 17-15 bias", 66, 34.5, SLICK, 17.0, 6),
    ("Slick 36 x 17-16 bias, nitro", 75, 36.0, SLICK, 17.5, 12),
    ("Slick 36 x 14-15 bias, dragster", 62, 36.0, SLICK, 14.0, 8),
    ("Slick 33 x 10.5-15 bias, dragster", 50, 33.0, SLICK, 10.5, 5),
    ("Slick 34.5 x 15-15 bias, pro stock", 60, 34.5, SLICK, 15.0, 5),
    ("Slick 33 x 17-16 radial, pro mod", 64, 33.0, SLICK, 16.5, 2),
    ("Slick 29.5 x 10.5W-15 radial", 47, 29.5, SLICK, 10.5, 2),
    ("Slick 32 x 14W-15 radial", 57, 32.0, SLICK, 14.0, 2),
    ("Slick 28 x 9.5-15 radial, bracket", 43, 28.0, SLICK, 9.5, 2),
    ("Slick 28 x 11.5-15 bias, stiff wall", 48, 28.0, SLICK, 11.5, 2),
    ("Slick 31 x 10.5-15 bias, super stock", 50, 31.0, SLICK, 10.5, 3),
    ("Slick 32 x 11.5-15 bias, super stock", 52, 32.0, SLICK, 11.5, 3),
    ("Slick 30.5 x 9-15 bias, stock class", 46, 30.5, SLICK, 9.0, 3),
    ("Bike slick 26 x 10-17, sport bike", 34, 26.0, SLICK, 9.5, 4),
    ("Bike slick 28 x 9-17, pro stock bike", 33, 28.0, SLICK, 9.0, 5),
    ("Bike radial 190/50ZR17, street", 30, 24.5, RADIAL, 6.5),
]


# ------------------------------------------------------------------ notes

NOTES = {
    "ENG": """
Engine examples
These are typical figures for engines of each class, not the figures of
any one maker's engine.  Every example carries a ten point power curve,
whatever its Method: switch the Method to the Full Curve to use it.
Stock factory ratings of the 1970s and later are SAE net (Corr Factor SAE);
older ratings and engine-builder dyno sheets are corrected to 29.92 "Hg
and 60 deg F (Std Dyno).
What to check: your own dyno sheet beats any example.  Compare the peak
torque, the peak HP and their RPMs with what your engine has shown, and
set the displacement to your engine's.  Set the shift RPMs in the Driving
menu below the top RPM of the curve.
""",
    "CL": """
Clutch examples
Clamp forces are the pressure plate's static clamp load; for race clutches
the counterweight assist at a typical launch RPM is included.  Organic
facings grip a little more than metallic or ceramic ones.
What to check: the clamp force of your pressure plate (makers list it),
the disk diameter and the number of disks.  If the program warns that the
clutch looks small, the clutch will slip at the peak of this engine's
torque: a heavier plate or more disks is what a racer would fit.
Motorcycle clutches run in oil, the program's clutch is dry: their force is
the clamp a dry clutch of that size needs to hold the same torque.
""",
    "CV": """
Torque converter examples
The capacity is the stall RPM divided by the square root of the engine
torque at that RPM: the name gives both, so the same converter stalls
higher behind a stronger engine.  The Transmission window shows the stall
RPM this converter gives with your engine.
What to check: the stall your converter maker rates it at and the torque of
the engine it was rated behind.  A converter that stalls above the engine's
peak HP RPM is too loose for that engine.
""",
    "TR": """
Transmission examples
Ratios are those of common factory and race gearboxes of each layout.
Efficiency: manual gearboxes 94 % to 98 %, automatics 86 % to 92 %.  Lock-up
says in which gears a lock-up converter is locked.
What to check: count your gears and compare every ratio with your gearbox;
a 0 ratio means the gear does not exist.  Set the shift RPMs in the Driving
menu to suit the new ratios.
""",
    "BD": """
Body examples
Figures are typical for the body style with a driver aboard: weight share
on the rear tires, center of gravity height at rest, wheelbase, rear track,
frontal area and drag coefficient of the shape.  The car's total weight
and rear axle ratio are not part of a body example.
What to check: weigh your car on corner scales for the rear weight share,
measure the wheelbase and the rear track, and pick the roll stiffness that
matches your front suspension.
""",
    "FTR": """
Tire examples for the non-driven end
Weight is one wheel with its tire mounted, in lbs; the diameter is the
tire's outside diameter as mounted and inflated.
What to check: weigh one wheel with its tire, and measure the tire's
height, or take the diameter from the maker's size chart.  Light front
runners help the car's weight and its rotating inertia.
""",
    "RTR": """
Tire examples for the driven end
Weight is one wheel with its tire mounted, in lbs; the diameter is measured
at racing pressure.  Tire growth applies to racing slicks only: soft bias
slicks grow more at speed than radials, big nitro slicks most of all.
What to check: weigh one wheel with its tire, measure the diameter at the
pressure you race at, and measure the tread width in contact with the
track.  Set the Traction Factor for your track, it is not part of a tire.
""",
}


def main():
    counts = {}
    counts["ENG"] = write_library(
        "ENG", "Engine Example",
        ["Stagewell engine examples", "Written by tools/examples/make_examples.py",
         "Fields: method, cubic inches, peak torque and RPM, peak HP and RPM, rating",
         "Each example: name, 7 values, 10 curve points of RPM, torque, HP"],
        [(34, "Method", 1, 0), (56, "CID", 1, 1), (62, "Pk Tq", 1, 2), (70, "@ RPM", 1, 3),
         (77, "Pk HP", 1, 4), (85, "@ RPM", 1, 5), (92, "Corr Factor", 1, 6)],
        engines(), curve=True)
    counts["CLUTCH"] = write_library(
        "CLUTCH", "Clutch Example",
        ["Stagewell clutch examples", "Written by tools/examples/make_examples.py",
         "Fields: diameter in, clamp force lbs, disks, material", ""],
        [(40, "Dia", 2, 1), (47, "Force", 2, 2), (54, "Disks", 2, 3), (61, "Material", 2, 4)],
        [(n, [d, f, k, m]) for n, d, f, k, m in CLUTCHES])
    counts["CONV"] = write_library(
        "CONV", "Torque Converter Example",
        ["Stagewell torque converter examples", "Written by tools/examples/make_examples.py",
         "Fields: capacity (stall RPM / square root of torque), torque multiplication", ""],
        [(58, "Capacity", 2, 5), (68, "Tq Mult", 2, 6)],
        converters())
    counts["TRANS"] = write_library(
        "TRANS", "Transmission Example",
        ["Stagewell transmission examples", "Written by tools/examples/make_examples.py",
         "Fields: efficiency, gear ratios 1-6 (0 = no gear), lock-up in 2nd-6th", ""],
        [(34, "Eff", 2, 8), (41, "Ger1", 2, 9), (46, "Ger2", 2, 10), (51, "Ger3", 2, 11), (56, "Ger4", 2, 12),
         (61, "Ger5", 2, 13), (66, "Ger6", 2, 14), (71, "L2", 2, 16), (75, "L3", 2, 17), (79, "L4", 2, 18),
         (83, "L5", 2, 19), (87, "L6", 2, 20)],
        transmissions())
    counts["BODY"] = write_library(
        "BODY", "Body Example",
        ["Stagewell body examples", "Written by tools/examples/make_examples.py",
         "Fields: drive wheels, % weight on rear tires, C.G. height, wheelbase, rear track,",
         "front roll stiffness, frontal area, drag coefficient"],
        [(36, "Drive", 3, 4), (55, "%Rear", 3, 5), (61, "CG", 3, 6), (67, "W Base", 3, 7), (74, "Track", 3, 8),
         (81, "Roll", 3, 9), (87, "Area", 3, 10), (93, "Cd", 3, 11)],
        [(b[0], list(b[1:-1]) + [num(b[-1], 2)]) for b in BODIES])
    counts["FTIRE"] = write_library(
        "FTIRE", "Tire Example (non-driven end)",
        ["Stagewell tire examples for the non-driven end", "Written by tools/examples/make_examples.py",
         "Fields: weight of one wheel and tire lbs, tire diameter in", ""],
        [(52, "Wt lbs", 4, 1), (60, "Dia in", 4, 2)],
        [(n, [w, d]) for n, w, d in FRONT_TIRES])
    counts["RTIRE"] = write_library(
        "RTIRE", "Tire Example (driven end)",
        ["Stagewell tire examples for the driven end", "Written by tools/examples/make_examples.py",
         "Fields: weight of one wheel and tire lbs, diameter in, tire type, tread width in,",
         "growth % (slicks only)"],
        [(40, "Wt lbs", 4, 4), (47, "Dia in", 4, 5), (54, "Tire Type", 4, 6), (76, "Tread", 4, 7),
         (83, "Growth", 4, 9)],
        [(t[0], [t[1], t[2], t[3], t[4], t[5] if t[3] == SLICK else "na"]) for t in REAR_TIRES])
    for prefix, text in NOTES.items():
        write_note(prefix, text)
    want = {"ENG": 36, "CLUTCH": 56, "CONV": 50, "TRANS": 51, "BODY": 46, "FTIRE": 39, "RTIRE": 85}
    for code, n in counts.items():
        print(f"{code}: {n}")
    if counts != want:
        sys.exit(f"counts differ from the protected counts {want}")


if __name__ == "__main__":
    main()

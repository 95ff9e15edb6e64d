#!/usr/bin/env python3
"""Writes data/CALC/RHDATA.CLC, the wet-bulb table of the humidity calculators.

Row r is the dry-bulb temperature 5 r deg C (0 to 40 C); the 13 columns are the
wet-bulb depressions 0, 1, 2, 3, 4, 6, 8 ... 20 deg C. Each cell is the relative
humidity in whole per cent by the psychrometer equation at sea-level pressure:

    e  = es(Tw) - 6.6e-4 x 1013.25 x (T - Tw) x (1 + 0.00115 Tw)
    es(t) = 6.112 exp(17.67 t / (t + 243.5))   (hPa, t in deg C)
    RH = 100 e / es(T), rounded half up, held within 0 to 100.

Run from the repository's top folder: python3 scripts/make_rhdata.py
"""
import math
import pathlib


def saturation(t):
    return 6.112 * math.exp(17.67 * t / (t + 243.5))


def humidity(dry, depression):
    wet = dry - depression
    e = saturation(wet) - 6.6e-4 * 1013.25 * (dry - wet) * (1 + 0.00115 * wet)
    rh = math.floor(100 * e / saturation(dry) + 0.5)
    return max(0, min(100, rh))


DEPRESSIONS = [0, 1, 2, 3] + list(range(4, 21, 2))

rows = [",".join(str(humidity(5 * r, d)) for d in DEPRESSIONS) for r in range(9)]
target = pathlib.Path(__file__).resolve().parent.parent / "data" / "CALC" / "RHDATA.CLC"
target.write_bytes(("\r\n".join(rows) + "\r\n").encode("ascii"))
print(f"wrote {target}")

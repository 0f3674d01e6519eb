#!/usr/bin/env python3
"""Writes the colour profiles the tests embed in their pictures, with lcms2 itself (through
ctypes, so no compiler is needed): Display P3 and Adobe RGB (1998) as matrix-and-curve
profiles of their published primaries and white point, and a grey profile of gamma 2.2.

usage: make_icc.py OUT_DIR
"""
import ctypes
import os
import sys

lcms = ctypes.CDLL("liblcms2.so.2")


class XyY(ctypes.Structure):
    _fields_ = [("x", ctypes.c_double), ("y", ctypes.c_double), ("Y", ctypes.c_double)]


class Primaries(ctypes.Structure):
    _fields_ = [("red", XyY), ("green", XyY), ("blue", XyY)]


lcms.cmsBuildParametricToneCurve.restype = ctypes.c_void_p
lcms.cmsBuildParametricToneCurve.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.POINTER(ctypes.c_double)]
lcms.cmsBuildGamma.restype = ctypes.c_void_p
lcms.cmsBuildGamma.argtypes = [ctypes.c_void_p, ctypes.c_double]
lcms.cmsCreateRGBProfile.restype = ctypes.c_void_p
lcms.cmsCreateRGBProfile.argtypes = [ctypes.POINTER(XyY), ctypes.POINTER(Primaries), ctypes.POINTER(ctypes.c_void_p)]
lcms.cmsCreateGrayProfile.restype = ctypes.c_void_p
lcms.cmsCreateGrayProfile.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
lcms.cmsD50_xyY.restype = ctypes.c_void_p
lcms.cmsSaveProfileToFile.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
lcms.cmsSaveProfileToFile.restype = ctypes.c_int
lcms.cmsSetProfileVersion.argtypes = [ctypes.c_void_p, ctypes.c_double]

D65 = XyY(0.3127, 0.3290, 1.0)


def save(profile, path):
    lcms.cmsSetProfileVersion(profile, 2.1)  # the version phones and cameras mostly write
    if not lcms.cmsSaveProfileToFile(profile, path.encode()):
        sys.exit(f"cannot write {path}")


def rgb_profile(primaries, curve, path):
    curves = (ctypes.c_void_p * 3)(curve, curve, curve)
    save(lcms.cmsCreateRGBProfile(ctypes.byref(D65), ctypes.byref(primaries), curves), path)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    # The sRGB curve: linear near black, then a power of 2.4 (Display P3 uses it too).
    srgb = (ctypes.c_double * 5)(2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045)
    rgb_profile(Primaries(XyY(0.680, 0.320, 1), XyY(0.265, 0.690, 1), XyY(0.150, 0.060, 1)),
                lcms.cmsBuildParametricToneCurve(None, 4, srgb), f"{out}/display_p3.icc")
    rgb_profile(Primaries(XyY(0.640, 0.330, 1), XyY(0.210, 0.710, 1), XyY(0.150, 0.060, 1)),
                lcms.cmsBuildGamma(None, 563 / 256), f"{out}/adobe_rgb.icc")
    save(lcms.cmsCreateGrayProfile(lcms.cmsD50_xyY(), lcms.cmsBuildGamma(None, 2.2)), f"{out}/grey.icc")


main()

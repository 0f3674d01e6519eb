#!/usr/bin/env python3
"""Draws the icons of the Settings page's three buttons beside this script, with the
shapes and writer of draw_art.py:

  bg_change.ico    "Change...": a painter's palette
  bg_default.ico   "Default": a black swatch, the default background
  banner_font.ico  "Font...": a letter A over a coloured bar

The outputs are committed; run this again only to change the pictures."""
import importlib.util
import os

_here = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location('maker_art', os.path.join(_here, 'draw_art.py'))
art = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(art)


def palette():
    board = art.minus(art.union(art.ellipse(0.5, 0.52, 0.44, 0.38)), art.circle(0.64, 0.7, 0.08))
    dots = [(art.circle(0.28, 0.44, 0.08), art.RED), (art.circle(0.42, 0.3, 0.08), art.SUN),
            (art.circle(0.6, 0.28, 0.08), art.GRASS), (art.circle(0.76, 0.4, 0.08), art.BLUE),
            (art.circle(0.36, 0.66, 0.08), art.ORANGE)]
    return [(board, (150, 110, 60)), (art.minus(art.ellipse(0.5, 0.52, 0.38, 0.32), art.circle(0.64, 0.7, 0.13)),
                                      (230, 196, 140))] + dots


def black_swatch():
    return [(art.rounded(0.1, 0.1, 0.9, 0.9, 0.1), art.GREY), (art.rounded(0.17, 0.17, 0.83, 0.83, 0.06), (0, 0, 0))]


def letter():
    outer = art.polygon([(0.5, 0.06), (0.62, 0.06), (0.92, 0.72), (0.76, 0.72), (0.68, 0.54), (0.42, 0.54),
                         (0.34, 0.72), (0.18, 0.72), (0.48, 0.06)])
    hole = art.polygon([(0.55, 0.22), (0.63, 0.42), (0.47, 0.42)])
    return [(art.minus(outer, hole), art.INK), (art.rect(0.12, 0.8, 0.92, 0.94), art.RED)]


if __name__ == '__main__':
    for name, drawing in [('bg_change', palette()), ('bg_default', black_swatch()), ('banner_font', letter())]:
        art.write_ico(os.path.join(_here, name + '.ico'), drawing, [16, 24, 32])

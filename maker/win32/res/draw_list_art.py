#!/usr/bin/env python3
"""Draws the pictures of the maker's list pages (Pictures and Music) and writes them
beside this script:

  list_commands.bmp, list_commands_2x.bmp  the list commands: Add, Remove, Move up,
                                           Move down, Remove all; 16x16 (32x32) each,
                                           black is transparent. The pages' icon buttons
                                           and the lists' context menus show them.
  picture_types.bmp, picture_types_2x.bmp  a picture file's type in the Pictures list:
                                           BMP, JPG, GIF, PNG, PCX, TIF, TGA, WMF (in the
                                           order of the maker's picture type numbers), then
                                           every other type the maker reads (WEBP, ICO, ...)

Shapes and the writers come from draw_art.py; each size is drawn, not scaled. The outputs
are committed; run this again only to change the pictures."""
import importlib.util
import os

_here = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location('maker_art', os.path.join(_here, 'draw_art.py'))
art = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(art)

GREEN = (52, 160, 70)
DARK_GREEN = (30, 110, 45)
RED = (214, 60, 50)
DARK_RED = (150, 35, 30)
BLUE = (46, 104, 200)
DARK_BLUE = (28, 66, 140)


def disc(colour, dark):
    return [(art.circle(0.5, 0.5, 0.46), dark), (art.circle(0.5, 0.5, 0.4), art.vertical(
        tuple(min(255, c + 50) for c in colour), colour))]


def draw_add():
    plus = art.union(art.rect(0.42, 0.22, 0.58, 0.78), art.rect(0.22, 0.42, 0.78, 0.58))
    return disc(GREEN, DARK_GREEN) + [(plus, (255, 255, 255))]


def draw_remove():
    return disc(RED, DARK_RED) + [(art.rect(0.22, 0.42, 0.78, 0.58), (255, 255, 255))]


def arrow(up):
    points = [(0.5, 0.08), (0.92, 0.52), (0.66, 0.52), (0.66, 0.92), (0.34, 0.92), (0.34, 0.52), (0.08, 0.52)]
    inner = [(0.5, 0.17), (0.8, 0.47), (0.6, 0.47), (0.6, 0.86), (0.4, 0.86), (0.4, 0.47), (0.2, 0.47)]
    if not up:
        points = [(x, 1 - y) for x, y in points]
        inner = [(x, 1 - y) for x, y in inner]
    return [(art.polygon(points), DARK_BLUE), (art.polygon(inner), art.vertical((120, 170, 240), BLUE))]


def draw_remove_all():
    # A waste bin with its lid.
    body = art.polygon([(0.2, 0.3), (0.8, 0.3), (0.72, 0.94), (0.28, 0.94)])
    inner = art.polygon([(0.26, 0.36), (0.74, 0.36), (0.67, 0.88), (0.33, 0.88)])
    ribs = art.union(art.rect(0.38, 0.42, 0.43, 0.82), art.rect(0.57, 0.42, 0.62, 0.82))
    return [(body, art.INK), (inner, art.vertical((235, 238, 242), (170, 176, 188))), (ribs, art.GREY),
            (art.rounded(0.12, 0.16, 0.88, 0.28, 0.04), art.INK), (art.rect(0.4, 0.06, 0.6, 0.18), art.INK),
            (art.rounded(0.16, 0.19, 0.84, 0.25, 0.02), RED)]


def picture_type(band):
    """A small photograph whose bottom band has the type's colour."""
    card = art.rect(0.06, 0.1, 0.94, 0.9)
    inner = art.rect(0.12, 0.16, 0.88, 0.62)
    hills = art.polygon([(0.12, 0.62), (0.12, 0.46), (0.36, 0.32), (0.56, 0.5), (0.72, 0.4), (0.88, 0.52),
                         (0.88, 0.62)])
    return [(card, art.INK), (art.rect(0.1, 0.14, 0.9, 0.86), art.PAPER),
            (inner, art.vertical(art.SKY, (170, 210, 245))), (art.circle(0.7, 0.28, 0.08), art.SUN),
            (hills, art.GRASS), (art.rect(0.1, 0.66, 0.9, 0.86), band)]


# One colour per type, in the order of the type numbers 0..7, then the other types.
TYPE_COLOURS = [
    (120, 124, 136),  # BMP
    (232, 120, 30),   # JPG
    (150, 70, 190),   # GIF
    (40, 150, 200),   # PNG
    (200, 170, 40),   # PCX
    (60, 150, 90),    # TIF
    (210, 70, 110),   # TGA
    (90, 100, 200),   # WMF
    (30, 170, 160),   # any other picture type the maker reads
]


if __name__ == '__main__':
    out = lambda name: os.path.join(_here, name)
    commands = [draw_add(), draw_remove(), arrow(True), arrow(False), draw_remove_all()]
    art.write_bmp(out('list_commands.bmp'), art.strip(commands, 16, art.on_black))
    art.write_bmp(out('list_commands_2x.bmp'), art.strip(commands, 32, art.on_black))
    types = [picture_type(c) for c in TYPE_COLOURS]
    art.write_bmp(out('picture_types.bmp'), art.strip(types, 16, art.on_black))
    art.write_bmp(out('picture_types_2x.bmp'), art.strip(types, 32, art.on_black))

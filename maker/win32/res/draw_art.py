#!/usr/bin/env python3
"""Draws the maker's own pictures and writes them beside this script:

  toolbar.bmp, toolbar_2x.bmp   the toolbar strip: New, Open, Save, Preview, Make SCR,
                                Homepage, About, Help; 32x32 (64x64) each, black is
                                transparent
  menu.bmp                      the same images at 16x16 for the menus
  exit.bmp, exit_2x.bmp         the Exit command's menu image (16x16, 32x32)
  bulb.bmp, bulb_2x.bmp         the Tip of the Day bulb on white
  glimmerdeck.ico               the program's icon
  nav_*.ico                     the navigation pane's five icons (48, 72 and 96 pixels)
  select_all.ico, clear_all.ico the Effects page's buttons: a ticked and an empty box
  music_types.bmp, _2x.bmp      the Music page's type marks: WAV, WMA, MP3, MIDI, MPG;
                                16x16 (32x32) each, black is transparent
  play.ico, stop.ico            the Music page's player buttons

and a few icons a user may give a screensaver, into ../../program_folder/icons/.
Every picture is drawn from shapes in a unit square, so each size is drawn, not scaled.
The outputs are committed; run this again only to change the pictures."""
import importlib.util
import math
import os
import struct

# The icon image writer of the runtime's own art script.
_runtime_script = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..', 'runtime', 'win32', 'res',
                               'draw_art.py')
_spec = importlib.util.spec_from_file_location('runtime_art', _runtime_script)
runtime_art = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(runtime_art)

SAMPLES = 4  # per pixel and axis


# --- shapes: functions of (x, y) in the unit square, true inside -----------------------

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def polygon(points):
    def inside(x, y):
        odd = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                odd = not odd
        return odd
    return inside


def line(xa, ya, xb, yb, w):
    dx, dy = xb - xa, yb - ya
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0 if length2 == 0 else max(0, min(1, ((x - xa) * dx + (y - ya) * dy) / length2))
        px, py = xa + t * dx, ya + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
    return inside


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def star(cx, cy, r_out, r_in, points=4, turn=0.0):
    pts = []
    for i in range(points * 2):
        a = turn + math.pi * i / points - math.pi / 2
        r = r_out if i % 2 == 0 else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts)


def vertical(top, bottom):
    """A colour that runs from `top` at y=0 to `bottom` at y=1."""
    return lambda x, y: tuple(int(a + (b - a) * y) for a, b in zip(top, bottom))


# --- rendering -------------------------------------------------------------------------

def render(layers, size):
    """RGBA rows, top row first. Each layer is (shape, colour); later layers cover
    earlier ones. Colours are (r, g, b) or functions of (x, y) giving one."""
    rows = []
    n = SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    for shape, colour in reversed(layers):
                        if shape(x, y):
                            c = colour(x, y) if callable(colour) else colour
                            r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
                            break
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((r // a, g // a, b // a, 255 * a // (n * n)))
        rows.append(row)
    return rows


def on_black(rows):
    """For a strip whose black is transparent: each pixel is either black or fully
    opaque (never pure black itself), so no dark fringe shows on a grey toolbar."""
    out = []
    for row in rows:
        out.append([(0, 0, 0) if a < 128 else (max(r, 1), max(g, 1), max(b, 1)) for r, g, b, a in row])
    return out


def on_white(rows):
    out = []
    for row in rows:
        out.append([tuple((c * a + 255 * (255 - a)) // 255 for c in (r, g, b)) for r, g, b, a in row])
    return out


def write_bmp(path, rows):
    """A 24-bit bottom-up BMP of RGB rows."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = b''
    for row in reversed(rows):
        line_bytes = b''.join(bytes((b, g, r)) for r, g, b in row)
        pixels += line_bytes + b'\0' * (stride - len(line_bytes))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


def strip(drawings, size, transform):
    images = [transform(render(d, size)) for d in drawings]
    return [sum((img[y] for img in images), []) for y in range(size)]


def write_ico(path, layers, sizes):
    images = [runtime_art.dib(render(layers, s)) for s in sizes]
    head = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b'', b''
    for s, data in zip(sizes, images):
        entries += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(head + entries + blobs)


# --- the pictures ----------------------------------------------------------------------

INK = (40, 44, 52)
PAPER = (250, 250, 246)
SKY = (84, 150, 222)
GRASS = (62, 150, 80)
SUN = (250, 200, 40)
BLUE = (46, 104, 200)
ORANGE = (240, 140, 40)
RED = (214, 60, 50)
GREY = (150, 156, 166)


def photo(x0, y0, x1, y1):
    """A framed landscape photograph."""
    w, h = x1 - x0, y1 - y0
    inner = (x0 + 0.1 * w, y0 + 0.1 * h, x1 - 0.1 * w, y1 - 0.1 * h)
    hills = polygon([(inner[0], inner[3]), (inner[0], y0 + 0.6 * h), (x0 + 0.35 * w, y0 + 0.4 * h),
                     (x0 + 0.55 * w, y0 + 0.58 * h), (x0 + 0.72 * w, y0 + 0.45 * h), (inner[2], y0 + 0.62 * h),
                     (inner[2], inner[3])])
    return [(rect(x0, y0, x1, y1), INK), (rect(x0 + 0.04 * w, y0 + 0.04 * h, x1 - 0.04 * w, y1 - 0.04 * h), PAPER),
            (rect(*inner), vertical(SKY, (170, 210, 245))), (circle(x0 + 0.7 * w, y0 + 0.3 * h, 0.1 * w), SUN),
            (hills, GRASS)]


def page_sheet(extra=()):
    sheet = polygon([(0.2, 0.06), (0.64, 0.06), (0.82, 0.24), (0.82, 0.94), (0.2, 0.94)])
    inside = polygon([(0.25, 0.11), (0.61, 0.11), (0.77, 0.27), (0.77, 0.89), (0.25, 0.89)])
    fold = polygon([(0.62, 0.06), (0.62, 0.26), (0.82, 0.26)])
    return [(sheet, INK), (inside, PAPER), (fold, (200, 204, 212))] + list(extra)


def draw_new():
    return page_sheet([(star(0.3, 0.3, 0.2, 0.06), SUN)])


def draw_open():
    back = polygon([(0.06, 0.2), (0.38, 0.2), (0.46, 0.3), (0.88, 0.3), (0.88, 0.86), (0.06, 0.86)])
    front = polygon([(0.06, 0.86), (0.2, 0.44), (0.98, 0.44), (0.86, 0.86)])
    return [(back, (190, 140, 40)), (minus(back, polygon([(0.1, 0.24), (0.36, 0.24), (0.44, 0.34), (0.84, 0.34),
                                                        (0.84, 0.82), (0.1, 0.82)])), INK),
            (front, vertical((252, 214, 110), (236, 176, 60)))]


def draw_save():
    body = rounded(0.1, 0.1, 0.9, 0.9, 0.06)
    return [(body, INK), (rounded(0.14, 0.14, 0.86, 0.86, 0.04), BLUE), (rect(0.28, 0.14, 0.72, 0.42), PAPER),
            (rect(0.58, 0.18, 0.68, 0.38), BLUE), (rect(0.24, 0.56, 0.76, 0.86), (230, 232, 236)),
            (rect(0.3, 0.64, 0.7, 0.67), GREY), (rect(0.3, 0.73, 0.7, 0.76), GREY)]


def monitor(screen):
    return [(rounded(0.04, 0.1, 0.96, 0.74, 0.05), INK), (rect(0.1, 0.16, 0.9, 0.68), screen),
            (polygon([(0.42, 0.74), (0.58, 0.74), (0.64, 0.88), (0.36, 0.88)]), GREY),
            (rounded(0.26, 0.86, 0.74, 0.94, 0.03), INK)]


def draw_preview():
    return monitor(vertical((40, 70, 140), (90, 140, 220))) + [
        (polygon([(0.4, 0.26), (0.68, 0.42), (0.4, 0.58)]), (255, 255, 255))]


def draw_make():
    gear = union(ring(0.66, 0.62, 0.22, 0.1), *[
        rect(0.66 + 0.25 * math.cos(a) - 0.05, 0.62 + 0.25 * math.sin(a) - 0.05,
             0.66 + 0.25 * math.cos(a) + 0.05, 0.62 + 0.25 * math.sin(a) + 0.05)
        for a in [i * math.pi / 4 for i in range(8)]])
    return photo(0.04, 0.06, 0.7, 0.56) + [(gear, INK), (minus(ring(0.66, 0.62, 0.19, 0.12), rect(0, 0, 0, 0)),
                                           ORANGE)]


def draw_homepage():
    earth = circle(0.5, 0.5, 0.42)
    land = union(ellipse(0.38, 0.38, 0.14, 0.1), ellipse(0.62, 0.64, 0.16, 0.12), ellipse(0.3, 0.7, 0.08, 0.06))
    meridians = union(minus(ring(0.5, 0.5, 0.42, 0.39), rect(0, 0, 0, 0)), line(0.5, 0.08, 0.5, 0.92, 0.03),
                      line(0.08, 0.5, 0.92, 0.5, 0.03), minus(ellipse(0.5, 0.5, 0.2, 0.42), ellipse(0.5, 0.5, 0.17, 0.4)))
    return [(circle(0.5, 0.5, 0.45), INK), (earth, vertical((110, 180, 240), (40, 100, 190))),
            (minus(land, minus(rect(0, 0, 1, 1), earth)), GRASS), (minus(meridians, minus(rect(0, 0, 1, 1), earth)),
                                                                    (220, 236, 255))]


def draw_about():
    return [(circle(0.5, 0.5, 0.44), INK), (circle(0.5, 0.5, 0.4), vertical((90, 150, 230), (30, 80, 170))),
            (circle(0.5, 0.28, 0.07), (255, 255, 255)), (rounded(0.43, 0.42, 0.57, 0.78, 0.04), (255, 255, 255))]


def draw_help():
    hook = minus(ring(0.5, 0.38, 0.2, 0.1), polygon([(0.5, 0.38), (0.1, 0.55), (0.1, 0.9), (0.5, 0.9)]))
    return [(circle(0.5, 0.5, 0.44), INK), (circle(0.5, 0.5, 0.4), vertical((250, 210, 80), (230, 150, 30))),
            (hook, (255, 255, 255)), (rect(0.44, 0.5, 0.56, 0.64), (255, 255, 255)),
            (circle(0.5, 0.76, 0.07), (255, 255, 255))]


def draw_exit():
    door = rect(0.14, 0.08, 0.6, 0.92)
    return [(door, INK), (rect(0.19, 0.13, 0.55, 0.87), (170, 110, 60)), (circle(0.47, 0.52, 0.04), SUN),
            (polygon([(0.5, 0.42), (0.74, 0.42), (0.74, 0.3), (0.96, 0.52), (0.74, 0.74), (0.74, 0.62),
                      (0.5, 0.62)]), RED)]


def draw_bulb():
    glass = union(circle(0.5, 0.4, 0.3), polygon([(0.3, 0.55), (0.7, 0.55), (0.62, 0.74), (0.38, 0.74)]))
    shine = minus(ring(0.5, 0.4, 0.22, 0.17), polygon([(0.5, 0.4), (0.9, 0.4), (0.9, 1), (0.0, 1), (0.0, 0.5)]))
    return [(union(circle(0.5, 0.4, 0.33), polygon([(0.27, 0.55), (0.73, 0.55), (0.65, 0.77), (0.35, 0.77)])), INK),
            (glass, vertical((255, 250, 190), (250, 210, 60))), (shine, (255, 255, 255)),
            (rounded(0.36, 0.76, 0.64, 0.94, 0.04), GREY), (rect(0.36, 0.81, 0.64, 0.83), INK),
            (rect(0.36, 0.87, 0.64, 0.89), INK)]


def draw_program():
    back = photo(0.2, 0.06, 0.94, 0.62)
    front = photo(0.06, 0.32, 0.8, 0.88)
    return back + front + [(star(0.84, 0.78, 0.16, 0.04), (255, 255, 255)), (star(0.84, 0.78, 0.13, 0.03), SUN)]


def nav_general():
    card = page_sheet([(rect(0.32, 0.36, 0.7, 0.4), GREY), (rect(0.32, 0.48, 0.7, 0.52), GREY),
                       (rect(0.32, 0.6, 0.58, 0.64), GREY)])
    pencil = polygon([(0.56, 0.92), (0.6, 0.78), (0.9, 0.48), (0.98, 0.56), (0.68, 0.86)])
    return card + [(pencil, ORANGE), (polygon([(0.56, 0.92), (0.6, 0.8), (0.66, 0.86)]), INK)]


def nav_pictures():
    return photo(0.22, 0.08, 0.96, 0.64) + photo(0.04, 0.34, 0.78, 0.9)


def nav_music():
    notes = union(ellipse(0.3, 0.76, 0.13, 0.1), ellipse(0.72, 0.66, 0.13, 0.1), rect(0.38, 0.2, 0.43, 0.76),
                  rect(0.8, 0.1, 0.85, 0.66), polygon([(0.38, 0.2), (0.85, 0.1), (0.85, 0.22), (0.38, 0.32)]))
    return [(notes, vertical((120, 80, 200), (60, 30, 130)))]


def nav_settings():
    teeth = [rect(0.5 + 0.36 * math.cos(a) - 0.07, 0.5 + 0.36 * math.sin(a) - 0.07,
                  0.5 + 0.36 * math.cos(a) + 0.07, 0.5 + 0.36 * math.sin(a) + 0.07)
             for a in [i * math.pi / 4 for i in range(8)]]
    gear = minus(union(circle(0.5, 0.5, 0.32), *teeth), circle(0.5, 0.5, 0.13))
    return [(gear, vertical((170, 176, 188), (90, 96, 110))), (ring(0.5, 0.5, 0.2, 0.16), (220, 224, 232))]


def nav_effects():
    left = polygon([(0.08, 0.16), (0.62, 0.16), (0.38, 0.84), (0.08, 0.84)])
    right = polygon([(0.62, 0.16), (0.92, 0.16), (0.92, 0.84), (0.38, 0.84)])
    return [(rect(0.05, 0.13, 0.95, 0.87), INK), (left, vertical((90, 150, 230), (30, 80, 170))),
            (right, vertical((250, 190, 80), (230, 110, 40))), (star(0.74, 0.3, 0.2, 0.05), (255, 255, 255))]


def check_box(ticked):
    box = [(rounded(0.1, 0.1, 0.9, 0.9, 0.12), INK), (rounded(0.18, 0.18, 0.82, 0.82, 0.07), PAPER)]
    if not ticked:
        return box
    tick = union(line(0.28, 0.5, 0.45, 0.68, 0.14), line(0.45, 0.68, 0.78, 0.3, 0.14))
    return box + [(tick, GRASS)]


def user_icons():
    sunset = [(rounded(0.04, 0.04, 0.96, 0.96, 0.12), vertical((250, 150, 60), (150, 50, 110))),
              (circle(0.5, 0.62, 0.22), (255, 220, 90)),
              (rect(0.04, 0.62, 0.96, 0.96), vertical((40, 60, 120), (20, 30, 70))),
              (rect(0.3, 0.7, 0.7, 0.72), (255, 200, 90)), (rect(0.38, 0.78, 0.62, 0.8), (255, 200, 90))]
    petals = [ellipse(0.5 + 0.22 * math.cos(a), 0.5 + 0.22 * math.sin(a), 0.16, 0.16)
              for a in [i * 2 * math.pi / 6 for i in range(6)]]
    flower = [(union(*petals), (240, 120, 170)), (circle(0.5, 0.5, 0.14), SUN)]
    heart = [(union(circle(0.33, 0.36, 0.22), circle(0.67, 0.36, 0.22),
                    polygon([(0.13, 0.44), (0.87, 0.44), (0.5, 0.9)])), vertical((250, 90, 100), (190, 30, 50)))]
    camera = [(rounded(0.06, 0.26, 0.94, 0.84, 0.08), INK), (rounded(0.3, 0.16, 0.56, 0.3, 0.03), INK),
              (circle(0.5, 0.55, 0.22), GREY), (circle(0.5, 0.55, 0.15), (30, 40, 80)),
              (circle(0.45, 0.5, 0.04), (200, 220, 255)), (rect(0.74, 0.34, 0.86, 0.4), SUN)]
    moon = [(rounded(0.04, 0.04, 0.96, 0.96, 0.12), vertical((20, 30, 80), (60, 60, 140))),
            (minus(circle(0.46, 0.5, 0.3), circle(0.6, 0.42, 0.26)), (250, 240, 190)),
            (star(0.74, 0.26, 0.08, 0.02), (255, 255, 255)), (star(0.8, 0.7, 0.06, 0.015), (255, 255, 255))]
    return {'Sunset': sunset, 'Flower': flower, 'Heart': heart, 'Camera': camera, 'Night': moon}


# --- the Music page --------------------------------------------------------------------

GREEN = (46, 160, 70)


def music_types():
    """The type marks of the music list: WAV, WMA, MP3, MIDI, MPG."""
    def sheet(band, mark):
        return [(rounded(0.1, 0.04, 0.9, 0.96, 0.08), INK), (rounded(0.15, 0.09, 0.85, 0.91, 0.05), PAPER),
                (rect(0.15, 0.09, 0.85, 0.3), band)] + mark
    wave = union(*[line(0.2 + 0.1 * i, 0.62 - h, 0.2 + 0.1 * i, 0.62 + h, 0.07)
                   for i, h in enumerate([0.06, 0.16, 0.24, 0.12, 0.2, 0.08, 0.04])])
    wav = sheet(BLUE, [(wave, BLUE)])
    wma = sheet(ORANGE, [(circle(0.5, 0.62, 0.24), ORANGE),
                         (polygon([(0.42, 0.5), (0.64, 0.62), (0.42, 0.74)]), (255, 255, 255))])
    note = union(ellipse(0.4, 0.76, 0.12, 0.09), rect(0.46, 0.38, 0.53, 0.76),
                 polygon([(0.46, 0.38), (0.74, 0.46), (0.74, 0.56), (0.46, 0.5)]))
    mp3 = sheet((120, 80, 200), [(note, (90, 50, 170))])
    keys = [(rect(0.2, 0.4, 0.8, 0.84), INK)] + [(rect(0.24 + 0.15 * i, 0.44, 0.34 + 0.15 * i, 0.8), (255, 255, 255))
                                                  for i in range(4)] + \
           [(rect(0.32 + 0.15 * i, 0.4, 0.41 + 0.15 * i, 0.64), INK) for i in (0, 1, 2)]
    midi = sheet(GREEN, keys)
    film = [(rect(0.2, 0.38, 0.8, 0.86), INK)] + \
           [(rect(0.24, 0.42 + 0.11 * i, 0.3, 0.48 + 0.11 * i), (255, 255, 255)) for i in range(4)] + \
           [(rect(0.7, 0.42 + 0.11 * i, 0.76, 0.48 + 0.11 * i), (255, 255, 255)) for i in range(4)] + \
           [(rect(0.35, 0.44, 0.65, 0.8), SKY)]
    mpg = sheet(RED, film)
    return [wav, wma, mp3, midi, mpg]


def player_buttons():
    """Play and Stop of the Music page's player."""
    play = [(polygon([(0.18, 0.06), (0.92, 0.5), (0.18, 0.94)]), (20, 90, 40)),
            (polygon([(0.25, 0.18), (0.8, 0.5), (0.25, 0.82)]), GREEN)]
    stop = [(rounded(0.12, 0.12, 0.88, 0.88, 0.08), (40, 44, 52)), (rounded(0.2, 0.2, 0.8, 0.8, 0.05), (90, 96, 110))]
    return play, stop


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    out = lambda name: os.path.join(here, name)
    toolbar = [draw_new(), draw_open(), draw_save(), draw_preview(), draw_make(), draw_homepage(), draw_about(),
               draw_help()]
    write_bmp(out('toolbar.bmp'), strip(toolbar, 32, on_black))
    write_bmp(out('toolbar_2x.bmp'), strip(toolbar, 64, on_black))
    write_bmp(out('menu.bmp'), strip(toolbar, 16, on_black))
    write_bmp(out('exit.bmp'), on_black(render(draw_exit(), 16)))
    write_bmp(out('exit_2x.bmp'), on_black(render(draw_exit(), 32)))
    write_bmp(out('bulb.bmp'), on_white(render(draw_bulb(), 32)))
    write_bmp(out('bulb_2x.bmp'), on_white(render(draw_bulb(), 64)))
    write_ico(out('glimmerdeck.ico'), draw_program(), [16, 24, 32, 48, 64])
    for name, drawing in [('general', nav_general()), ('pictures', nav_pictures()), ('music', nav_music()),
                          ('settings', nav_settings()), ('effects', nav_effects())]:
        write_ico(out('nav_%s.ico' % name), drawing, [48, 72, 96])
    write_ico(out('select_all.ico'), check_box(True), [16, 24, 32])
    write_ico(out('clear_all.ico'), check_box(False), [16, 24, 32])
    types = music_types()
    write_bmp(out('music_types.bmp'), strip(types, 16, on_black))
    write_bmp(out('music_types_2x.bmp'), strip(types, 32, on_black))
    play, stop = player_buttons()
    write_ico(out('play.ico'), play, [16, 24, 32])
    write_ico(out('stop.ico'), stop, [16, 24, 32])
    icons = os.path.join(here, '..', '..', 'program_folder', 'icons')
    os.makedirs(icons, exist_ok=True)
    for name, drawing in user_icons().items():
        write_ico(os.path.join(icons, name + '.ico'), drawing, [16, 32, 48])

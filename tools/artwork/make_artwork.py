# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the built-in pictures smiley.ico, schlange.bmp and tiere.bmp, their
double-resolution versions schlange@2x.png and tiere@2x.png for high-density
screens, and the desktop icons in icons/hicolor.

Usage: make_artwork.py OUTPUT_DIR FLUENT_ICONS_JSON [PREVIEW_DIR]

SVG sources are rasterised with rsvg-convert; everything after that is done
here with numpy and Pillow, and the BMP, ICO and PNG files are written byte by
byte, so that the output depends on nothing but the sources (no timestamps, no
metadata chunks).
"""

import io
import json
import os
import struct
import subprocess
import sys
import tempfile
import zlib

import numpy as np
from PIL import Image, ImageFilter

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from collage import COLLAGE_SIZE, DRAWINGS  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
OWN_DIR = os.path.join(HERE, "own")
OPENCLIPART_DIR = "/usr/share/openclipart/svg"

# Longest side, in pixels, that a source is ever rendered at.
MAX_RENDER = 10000

# The name under which the desktop finds the program's icon.
APP_ID = "de.wuselwort.Wuselwort"
# Sizes of the desktop icon; 16 and 32 are the icon file's own pixels.
ICON_SIZES = (16, 32, 48, 256)

# Sources are rendered this many times larger than their rectangle and then
# reduced, which gives clean anti-aliased lines at the small final size.
OVERSAMPLE = 8


# --------------------------------------------------------------------------
# File writers

def bmp24(image):
    """An uncompressed bottom-up 24-bit BMP with a BITMAPINFOHEADER."""
    rgb = np.asarray(image.convert("RGB"), dtype=np.uint8)
    height, width, _ = rgb.shape
    stride = (width * 3 + 3) & ~3
    rows = np.zeros((height, stride), dtype=np.uint8)
    rows[:, : width * 3] = rgb[:, :, ::-1].reshape(height, width * 3)
    pixels = rows[::-1].tobytes()
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    # 3780 pixels per metre is 96 dots per inch, the 15 twips per pixel
    # at which the window shows the pictures.
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels),
                       3780, 3780, 0, 0)
    return header + info + pixels


# The usual 16-colour palette of icons of this kind.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def ico16(images):
    """An icon file with one 4-bit image per (indices, transparent) pair.

    indices: 2-D array of palette indices; transparent: 2-D bool array.
    """
    blobs = []
    for indices, transparent in images:
        size = indices.shape[0]
        xor_stride = ((size * 4 + 31) // 32) * 4
        and_stride = ((size + 31) // 32) * 4
        xor = bytearray()
        mask = bytearray()
        for y in range(size - 1, -1, -1):
            row = bytearray(xor_stride)
            bits = bytearray(and_stride)
            for x in range(size):
                index = 0 if transparent[y, x] else int(indices[y, x])
                row[x // 2] |= index << (4 if x % 2 == 0 else 0)
                if transparent[y, x]:
                    bits[x // 8] |= 0x80 >> (x % 8)
            xor += row
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                           len(xor) + len(mask), 0, 0, 16, 0)
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE16)
        blobs.append((size, info + palette + bytes(xor) + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for size, blob in blobs:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    for _, blob in blobs:
        out += blob
    return out


def png(image):
    """A PNG of a grey, RGB or RGBA image with nothing but IHDR, IDAT and IEND."""
    colour_types = {"L": 0, "RGB": 2, "RGBA": 6}
    pixels = np.asarray(image, dtype=np.uint8)
    height, width = pixels.shape[:2]
    channels = 1 if pixels.ndim == 2 else pixels.shape[2]
    rows = np.zeros((height, width * channels + 1), dtype=np.uint8)
    rows[:, 1:] = pixels.reshape(height, width * channels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data)))

    header = struct.pack(">IIBBBBB", width, height, 8, colour_types[image.mode], 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(rows.tobytes(), 9)) + chunk(b"IEND", b""))


# --------------------------------------------------------------------------
# Smiley

def smiley_coverage(size):
    """How much of each pixel of a size x size smiley the face and its ink
    cover (0..1), measured on an 8 x 8 grid of samples per pixel."""
    n = 8
    coords = (np.arange(size * n) + 0.5) / n
    xs, ys = np.meshgrid(coords, coords)
    c = size / 2.0
    r = np.hypot(xs - c, ys - c)
    line = size / 16.0
    face = r <= c - 0.25
    outline = face & (r > c - 0.25 - line)
    eye_rx, eye_ry = size * 0.075, size * 0.14
    eyes = np.zeros_like(face)
    for ex in (size * 0.35, size * 0.65):
        eyes |= ((xs - ex) / eye_rx) ** 2 + ((ys - size * 0.37) / eye_ry) ** 2 <= 1.0
    mouth_r = size * 0.30
    mr = np.hypot(xs - c, ys - size * 0.48)
    angle = np.degrees(np.arctan2(ys - size * 0.48, xs - c))
    mouth = (np.abs(mr - mouth_r) <= line * 0.5 + 0.25) & (angle > 30) & (angle < 150)
    ink = outline | eyes | mouth

    def share(mask):
        return mask.reshape(size, n, size, n).mean(axis=(1, 3))

    return share(face), share(ink)


def smiley(size):
    """Palette indices and transparency of a smiley of size x size pixels.

    Every pixel gets one flat colour, as 16-colour icons do: a pixel belongs
    to the shape that covers most of it.
    """
    black, yellow = 0, 11
    face, ink = smiley_coverage(size)
    transparent = face < 0.5
    indices = np.where(ink >= 0.5, black, yellow).astype(np.uint8)
    return indices, transparent


def smiley_flat(size):
    """The icon file's smiley as an RGBA image, pixel for pixel."""
    indices, transparent = smiley(size)
    rgb = np.array(PALETTE16, dtype=np.uint8)[indices]
    alpha = np.where(transparent, 0, 255).astype(np.uint8)
    return Image.fromarray(np.dstack([rgb, alpha]), "RGBA")


def smiley_smooth(size):
    """The same smiley with anti-aliased edges, for sizes the icon file lacks."""
    face, ink = smiley_coverage(size)
    yellow = np.array(PALETTE16[11], dtype=np.float64)
    ink_share = np.divide(ink, face, out=np.zeros_like(ink), where=face > 0)
    rgb = yellow[None, None, :] * (1.0 - ink_share[:, :, None])
    rgba = np.dstack([rgb, face * 255.0])
    return Image.fromarray(np.rint(rgba).astype(np.uint8), "RGBA")


# --------------------------------------------------------------------------
# Rasterising sources

def render_svg(path, width, height):
    """RGBA float array (0..1) of an SVG scaled to fit width x height."""
    with tempfile.TemporaryDirectory() as tmp:
        png = os.path.join(tmp, "out.png")
        subprocess.run(["rsvg-convert", "--keep-aspect-ratio", "-w", str(width), "-h",
                        str(height), "-o", png, path], check=True)
        with Image.open(png) as im:
            return im.convert("RGBA")


def source_path(source, fluent, tmp):
    kind, name = source.split(":", 1)
    if kind == "oc":
        return os.path.join(OPENCLIPART_DIR, name + ".svg")
    if kind == "own":
        return os.path.join(OWN_DIR, name + ".svg")
    if kind == "fl":
        icon = fluent["icons"][name]
        w = icon.get("width", fluent.get("width", 16))
        h = icon.get("height", fluent.get("height", 16))
        body = icon["body"].replace("currentColor", "#000")
        path = os.path.join(tmp, name + ".svg")
        with open(path, "w", encoding="utf-8") as f:
            f.write('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 %d %d" '
                    'width="%d" height="%d">%s</svg>' % (w, h, w * 16, h * 16, body))
        return path
    raise ValueError(source)


def crop_to_content(im):
    alpha = np.asarray(im)[:, :, 3]
    ys, xs = np.nonzero(alpha > 24)
    return im.crop((int(xs.min()), int(ys.min()), int(xs.max()) + 1, int(ys.max()) + 1))


def load_source(source, box_w, box_h, options, fluent, tmp, scale=1):
    # Parts of a composed drawing arrive oversampled already; past this size
    # rendering adds nothing but memory.
    big = min(max(box_w, box_h) * OVERSAMPLE * 2, MAX_RENDER)
    im = crop_to_content(render_svg(source_path(source, fluent, tmp), big, big))
    if options.get("rotate"):
        im = crop_to_content(im.rotate(options["rotate"], resample=Image.BICUBIC, expand=True))
    if options.get("flip"):
        im = im.transpose(Image.FLIP_LEFT_RIGHT)
    if options.get("bold"):
        # Hairlines would vanish at the final size: widen the ink, measured
        # in final pixels, before scaling down.
        shrink = max(im.width / box_w, im.height / box_h)
        size = 2 * round(options["bold"] * scale * shrink / 2) + 1
        r, g, b, a = im.split()
        im = Image.merge("RGBA", [ch.filter(ImageFilter.MinFilter(size)) for ch in (r, g, b)]
                         + [a.filter(ImageFilter.MaxFilter(size))])
    return im


def compose_parts(parts, box_w, box_h, fluent, tmp):
    w, h = box_w * OVERSAMPLE, box_h * OVERSAMPLE
    canvas = Image.new("RGBA", (w, h), (255, 255, 255, 0))
    for source, (l, t, r, b) in parts:
        pw, ph = round((r - l) * w), round((b - t) * h)
        part = load_source(source, pw, ph, {}, fluent, tmp)
        part = fit(part, pw, ph, 1.0)
        canvas.alpha_composite(part, (round(l * w), round(t * h)))
    return crop_to_content(canvas)


def fit(im, w, h, max_stretch):
    """Scales im into w x h, filling the box unless that would distort the
    drawing by more than max_stretch; beyond that the drawing keeps as much
    of its proportions as that allows and is centred."""
    sx, sy = w / im.width, h / im.height
    if sx > sy:
        sx = min(sx, sy * max_stretch)
    else:
        sy = min(sy, sx * max_stretch)
    nw, nh = max(1, round(im.width * sx)), max(1, round(im.height * sy))
    scaled = im.resize((nw, nh), Image.LANCZOS)
    out = Image.new("RGBA", (w, h), (255, 255, 255, 0))
    out.alpha_composite(scaled, ((w - nw) // 2, (h - nh) // 2))
    return out


# --------------------------------------------------------------------------
# Relief

def blur(a, passes=1):
    for _ in range(passes):
        p = np.pad(a, 1, mode="edge")
        a = (p[:-2, 1:-1] + 2 * p[1:-1, 1:-1] + p[2:, 1:-1]) / 4
        p = np.pad(a, 1, mode="edge")
        a = (p[1:-1, :-2] + 2 * p[1:-1, 1:-1] + p[1:-1, 2:]) / 4
    return a


def erode(mask, r):
    out = mask.copy()
    p = np.pad(mask, r, mode="constant")
    h, w = mask.shape
    for dy in range(-r, r + 1):
        for dx in range(-r, r + 1):
            if dx * dx + dy * dy <= r * r:
                out &= p[r + dy:r + dy + h, r + dx:r + dx + w]
    return out


def opening(mask, r):
    """Parts of mask wider than a disc of radius r."""
    return ~erode(~erode(mask, r), r)


def relief(im, lighten, scale):
    """Grey relief of an RGBA drawing: the drawing's own lines in dark grey,
    its areas in light greys, lit from the top left so that upper-left edges
    turn light and lower-right edges dark. lighten (0..1) says how far large
    dark areas are lightened; scale is the picture's resolution relative to
    the window's pixels, and every distance grows with it. Returns grey
    (0..255) and alpha."""
    rgba = np.asarray(im, dtype=np.float64) / 255.0
    alpha = rgba[:, :, 3]
    lum = rgba[:, :, 0] * 0.299 + rgba[:, :, 1] * 0.587 + rgba[:, :, 2] * 0.114
    ink = np.where(alpha > 0, 1.0 - lum, 0.0)
    # Large dark areas (silhouettes, black fur) would swallow the relief:
    # their borders keep the dark grey of a line, their insides lighten.
    # Blurring twice as far takes four times the passes.
    passes = scale * scale
    thick = blur(opening(ink > 0.5, 2 * scale).astype(np.float64), passes)
    base = 1.0 - 0.72 * ink ** 0.85 * (1.0 - lighten * thick)
    height = blur(alpha, passes) - 0.6 * blur(ink * alpha, passes)
    p = np.pad(height, scale, mode="edge")
    shade = p[2 * scale:, 2 * scale:] - p[:-2 * scale, :-2 * scale]
    grey = np.clip(0.93 * base + 0.55 * shade, 0.0, 1.0)
    return grey * 255.0, alpha


def patches(alpha, cell, scale):
    """A giraffe's coat: darker patches parted by a light network, as a factor
    on the grey. The seeds come from a fixed generator, so the coat is the
    same on every run."""
    h, w = alpha.shape
    rng = np.random.RandomState(4)
    seeds = [((gx + 0.2 + 0.6 * rng.rand()) * cell, (gy + 0.2 + 0.6 * rng.rand()) * cell)
             for gy in range(-1, h // cell + 2) for gx in range(-1, w // cell + 2)]
    ys, xs = np.mgrid[0:h, 0:w] + 0.5
    dist = np.sort(np.stack([np.hypot(xs - sx, ys - sy) for sx, sy in seeds]), axis=0)
    network = np.clip((dist[1] - dist[0]) / (1.6 * scale), 0.0, 1.0)
    inside = erode(alpha > 0.5, scale)
    return np.where(inside, 1.0 - 0.22 * network, 1.0)


def draw_collage(fluent, tmp, scale):
    """The collage at scale times the window's pixels: every rectangle, line
    and distance of the 1x picture grows by that factor."""
    canvas = np.full((COLLAGE_SIZE[1] * scale, COLLAGE_SIZE[0] * scale), 255.0)
    report = []
    for key, source, (x0, x1), (y0, y1), options in DRAWINGS:
        x0, x1, y0, y1 = x0 * scale, x1 * scale + scale - 1, y0 * scale, y1 * scale + scale - 1
        bw, bh = x1 - x0 + 1, y1 - y0 + 1
        inset = options.get("inset", 0) * scale
        iw, ih = bw - 2 * inset, bh - 2 * inset
        if isinstance(source, list):
            im = compose_parts(source, iw, ih, fluent, tmp)
        else:
            im = load_source(source, iw, ih, options, fluent, tmp, scale)
        im = fit(im, iw, ih, options.get("stretch", 1.35))
        grey, alpha = relief(im, options.get("lighten", 0.3), scale)
        if options.get("patches"):
            grey = grey * patches(alpha, options["patches"] * scale, scale)
        # Faint anti-aliasing fringes would blur the drawing's outline into
        # the white background; they are dropped, the rest is laid over white.
        alpha = np.where(alpha < 0.12, 0.0, alpha)
        tile = grey * alpha + 255.0 * (1.0 - alpha)
        region = canvas[y0 + inset:y0 + inset + ih, x0 + inset:x0 + inset + iw]
        region[:] = np.minimum(region, tile)
        if options.get("frame"):
            shade = 205.0
            canvas[y0:y0 + scale, x0:x1 + 1] = shade
            canvas[y1 - scale + 1:y1 + 1, x0:x1 + 1] = shade
            canvas[y0:y1 + 1, x0:x0 + scale] = shade
            canvas[y0:y1 + 1, x1 - scale + 1:x1 + 1] = shade
        report.append((key, (x0, x1, y0, y1), bbox(canvas[y0:y1 + 1, x0:x1 + 1], x0, y0)))
    out = np.rint(canvas).astype(np.uint8)
    rgb = np.repeat(out[:, :, None], 3, axis=2)
    return Image.fromarray(rgb, "RGB"), report


def bbox(region, x0, y0):
    ys, xs = np.nonzero(region < 255)
    if len(xs) == 0:
        return None
    return (x0 + xs.min(), x0 + xs.max(), y0 + ys.min(), y0 + ys.max())


# --------------------------------------------------------------------------

def snake_picture(scale):
    """The snake on white, scale times the window's 65 x 590 pixels."""
    size = (65 * scale, 590 * scale)
    snake = render_svg(os.path.join(OWN_DIR, "snake-front.svg"), *size)
    white = Image.new("RGBA", snake.size, (255, 255, 255, 255))
    white.alpha_composite(snake)
    if white.size != size:
        raise SystemExit("snake drawing has the wrong size: %r" % (white.size,))
    return white


# --------------------------------------------------------------------------
# Checks of what was written: the window shows the pictures unscaled and lays
# the animal name map over the collage, so formats, sizes and the places of
# the drawings are part of the game.

# A drawing's ink must reach this close to every edge of its rectangle.
SLACK = 4


def check(holds, what):
    if not holds:
        raise SystemExit("artwork check failed: " + what)


def check_bmp24(path, size):
    with open(path, "rb") as f:
        data = f.read()
    bits, compression = struct.unpack_from("<HI", data, 28)
    check(data[:2] == b"BM" and bits == 24 and compression == 0, path + " is an uncompressed 24-bit BMP")
    check(len(data) == 54 + (size[0] * 3 + 3) // 4 * 4 * size[1], path + " has the size of its pixels")
    with Image.open(path) as image:
        check(image.size == size, "%s is %d x %d pixels" % ((path,) + tuple(size)))
        return np.asarray(image.convert("RGB"), dtype=np.int32)


def check_icon(path):
    with open(path, "rb") as f:
        data = f.read()
    count = struct.unpack_from("<H", data, 4)[0]
    entries = [struct.unpack_from("<BBB", data, 6 + 16 * i) for i in range(count)]
    check(entries == [(32, 32, 16), (16, 16, 16)], path + " holds a 32 and a 16 pixel 16-colour image")


def check_collage(rgb):
    check(bool(np.all((rgb[:, :, 0] == rgb[:, :, 1]) & (rgb[:, :, 1] == rgb[:, :, 2]))), "the collage is grey")
    ink = rgb[:, :, 0] < 255
    inside = np.zeros_like(ink)
    for key, _, (x0, x1), (y0, y1), _ in DRAWINGS:
        inside[y0:y1 + 1, x0:x1 + 1] = True
        ys, xs = np.nonzero(ink[y0:y1 + 1, x0:x1 + 1])
        check(len(xs) > 0 and xs.min() <= SLACK and xs.max() >= x1 - x0 - SLACK
              and ys.min() <= SLACK and ys.max() >= y1 - y0 - SLACK, key + " fills its rectangle")
    check(not np.any(ink & ~inside), "no ink outside the drawings' rectangles")


def check_snake(rgb):
    ink = np.any(rgb < 255, axis=2)
    check(not ink[1].any() and ink[2].any(), "the snake's head touches row 2")
    tail = np.nonzero(ink[-1])[0]
    check(len(tail) > 0 and tail.min() == 46 and tail.max() == 59, "the snake's tail ends at the bottom right")


def verify(out_dir):
    check_icon(os.path.join(out_dir, "smiley.ico"))
    check_snake(check_bmp24(os.path.join(out_dir, "schlange.bmp"), (65, 590)))
    check_collage(check_bmp24(os.path.join(out_dir, "tiere.bmp"), COLLAGE_SIZE))


def main():
    out_dir, fluent_json = sys.argv[1], sys.argv[2]
    preview_dir = sys.argv[3] if len(sys.argv) > 3 else None
    with open(fluent_json, encoding="utf-8") as f:
        fluent = json.load(f)

    with open(os.path.join(out_dir, "smiley.ico"), "wb") as f:
        f.write(ico16([smiley(32), smiley(16)]))
    for size in ICON_SIZES:
        icon = smiley_flat(size) if size <= 32 else smiley_smooth(size)
        icon_dir = os.path.join(out_dir, "icons", "hicolor", "%dx%d" % (size, size), "apps")
        os.makedirs(icon_dir, exist_ok=True)
        with open(os.path.join(icon_dir, APP_ID + ".png"), "wb") as f:
            f.write(png(icon))

    white = snake_picture(1)
    with open(os.path.join(out_dir, "schlange.bmp"), "wb") as f:
        f.write(bmp24(white))
    with open(os.path.join(out_dir, "schlange@2x.png"), "wb") as f:
        f.write(png(snake_picture(2).convert("RGB")))

    with tempfile.TemporaryDirectory() as tmp:
        collage, report = draw_collage(fluent, tmp, 1)
        collage2x, _ = draw_collage(fluent, tmp, 2)
    with open(os.path.join(out_dir, "tiere.bmp"), "wb") as f:
        f.write(bmp24(collage))
    with open(os.path.join(out_dir, "tiere@2x.png"), "wb") as f:
        # The collage is grey: one channel is all it needs.
        f.write(png(collage2x.convert("L")))

    for key, want, got in report:
        print("%-14s box %-22s drawn %s" % (key, want, tuple(int(v) for v in got) if got else None))
    verify(out_dir)

    if preview_dir:
        os.makedirs(preview_dir, exist_ok=True)
        collage.resize((COLLAGE_SIZE[0] * 2, COLLAGE_SIZE[1] * 2), Image.NEAREST).save(
            os.path.join(preview_dir, "tiere-2x.png"))
        white.convert("RGB").resize((130, 1180), Image.NEAREST).save(
            os.path.join(preview_dir, "schlange-2x.png"))
        with Image.open(io.BytesIO(ico16([smiley(32), smiley(16)]))) as ico:
            ico.convert("RGBA").resize((256, 256), Image.NEAREST).save(
                os.path.join(preview_dir, "smiley-8x.png"))


if __name__ == "__main__":
    main()

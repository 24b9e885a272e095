# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Where each drawing of the animal collage comes from and where it stands.

The rectangles are inclusive pixel ranges; the name map in the window is laid
over exactly these places, so a drawing must fill its rectangle and stay in it.

Source prefixes:
  oc:   openclipart-svg, relative to /usr/share/openclipart/svg, without ".svg"
  fl:   an icon of the npm package @iconify-json/fluent-emoji-high-contrast
  own:  a drawing of ours in tools/artwork/own

Options:
  rotate   degrees counter-clockwise, applied before fitting
  flip     mirror left to right
  stretch  how much a drawing may be distorted to fill its rectangle
           (default 1.35; beyond that it keeps its proportions, centred)
  lighten  how far large dark areas are lightened (0..1, default 0.3); high
           for plain silhouettes, low where dark patches tell the animal
  patches  cover the drawing with a giraffe's coat of this cell size
  bold     widen thin lines by this many final pixels
  parts    several sources composed into one drawing, each with its share of
           the rectangle as (left, top, right, bottom) fractions
  frame    draw a faint square frame along the rectangle's border
"""

COLLAGE_SIZE = (809, 467)

# (key, source or parts, (x0, x1), (y0, y1), options)
DRAWINGS = [
    ("mantis", "oc:animals/bugs/mantide_religiosa_archit_01", (8, 112), (25, 90), {}),
    ("duck-left", "oc:unsorted/Anatra", (120, 155), (29, 72), {}),
    ("duck-right", "oc:animals/birds/jonathon_s_duck_01", (166, 198), (23, 71), {}),
    ("lion", "oc:animals/mammals/big_cats/leone_01_architetto_fran_01", (226, 326), (48, 140), {}),
    ("fox", "oc:animals/mammals/contour_fox", (415, 497), (40, 132), {"lighten": 0.65}),
    ("swordfish", "own:swordfish", (520, 631), (23, 84), {}),
    ("giraffe", "oc:animals/mammals/contour_giraffe", (620, 717), (55, 224), {"lighten": 0.65, "patches": 11}),
    ("coiled-snake", "own:coiled-snake", (738, 808), (40, 146), {}),
    ("mouse", "oc:animals/mammals/topo_architetto_francesc_01", (6, 77), (131, 196), {}),
    ("owl", [("oc:animals/birds/gufo_civetta_architetto__01", (0.22, 0.0, 0.78, 0.97)),
             ("own:branch", (0.0, 0.84, 1.0, 1.0))], (120, 193), (119, 198), {}),
    ("flamingo", "oc:animals/birds/flamand_bw_jean-victor_b_01", (338, 413), (94, 239), {"bold": 0.6}),
    ("toucan", "own:toucan", (234, 324), (179, 287), {}),
    ("fish", "oc:animals/fish/clown_loach_01", (427, 476), (186, 212), {"lighten": 0.0}),
    ("skunk", "fl:skunk", (526, 609), (118, 209), {}),
    ("jellyfish", "own:jellyfish", (713, 781), (162, 271), {}),
    ("hen", "oc:animals/birds/hen_01", (8, 46), (233, 276), {"lighten": 0.65}),
    ("chick", "own:chick", (56, 67), (264, 275), {}),
    ("rooster", "oc:animals/birds/gallo_di_profilo_archite_01", (73, 119), (227, 277), {}),
    ("rabbit", "own:rabbit", (181, 234), (273, 378), {}),
    ("ostrich", "oc:unsorted/struzzo", (315, 393), (262, 423), {}),
    ("warthog", "own:warthog", (427, 564), (228, 321), {}),
    ("rhinoceros", "own:rhinoceros", (574, 714), (253, 329), {}),
    ("angelfish", "oc:animals/fish/altum_angelfish_01", (723, 790), (298, 363), {"stretch": 1.6}),
    ("meerkat", "own:meerkat", (3, 64), (321, 449), {}),
    ("butterfly", "oc:animals/bugs/farfalla_contorno_archit_01", (85, 149), (334, 406), {}),
    ("lizard", "oc:animals/az-lizard_benji_park_01", (163, 312), (390, 437), {"rotate": 38}),
    ("elephant", "oc:animals/mammals/elephant_outline_matthe_r", (400, 481), (362, 441),
     {"inset": 4, "frame": True, "bold": 0.9}),
    ("raccoon", "oc:animals/mammals/raccoon_ganson", (505, 614), (346, 426), {"lighten": 0.0}),
    ("crab", "fl:crab", (625, 694), (379, 440), {"lighten": 0.65}),
    ("spider", "oc:animals/bugs/spider", (713, 807), (384, 457), {}),
]

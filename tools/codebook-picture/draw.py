"""Draws the coverage strips of a codebook as a PNG for the README, with
ImageMagick's convert, since the strips are inline SVG that a browser shows
but a README cannot embed:

    python3 tools/codebook-picture/draw.py CODEBOOK.html OUT.png [NAME,...]

Shows the named variables (default: the first 14), each with its name and
one cell a period, shaded as in the codebook.
"""
import re
import subprocess
import sys

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"


def main(path, out, names=""):
    html = open(path, encoding="utf-8").read()
    coverage = html[html.index('<table class="coverage">'):]
    rows = re.findall(r'<td class="name">([^<]*)</td><td>(<svg.*?</svg>)', coverage)
    wanted = [n for n in names.split(",") if n]
    rows = [r for r in rows if r[0] in wanted] if wanted else rows[:14]
    cells = [re.findall(r'fill="(#[0-9a-f]{6})" data-period="(\d+)"', svg) for _, svg in rows]
    periods = [p for _, p in cells[0]]
    name_width, cell, height = 270, 12, 18
    width = name_width + cell * len(periods) + 20
    total = 40 + height * len(rows) + 30
    draw = ["convert", "-size", f"{width}x{total}", "xc:white", "-font", FONT, "-pointsize", "12",
            "-fill", "#222222", "-annotate", "+10+22",
            "Coverage: the share of cases with a value, period by period"]
    for r, ((name, _), strip) in enumerate(zip(rows, cells)):
        y = 40 + r * height
        draw += ["-font", MONO, "-fill", "#222222", "-annotate", f"+10+{y + 13}", name]
        for c, (colour, _) in enumerate(strip):
            x = name_width + c * cell
            draw += ["-fill", colour, "-draw", f"rectangle {x},{y} {x + cell - 2},{y + height - 3}"]
    y = 40 + len(rows) * height + 16
    draw += ["-font", FONT, "-fill", "#555555"]
    for c in range(0, len(periods), 5):
        draw += ["-annotate", f"+{name_width + c * cell}+{y}", periods[c]]
    subprocess.run(draw + ["-depth", "8", out], check=True)


if __name__ == "__main__":
    main(*sys.argv[1:])

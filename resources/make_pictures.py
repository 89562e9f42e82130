"""Draws the configuration form's background picture (background.jpg, 640x424: twice the form's 320x212,
so that it is halved sharp at 100 % and resampled smoothly at 125 % or 150 %) and the program's icon
(tovrik.ico, 16, 32 and 48 pixels) with ImageMagick, and writes background.samples: the colours that
the picture has at three points of the form that no control covers, as the form shows them at 100 %
(the mean of the 2x2 pixels behind each), which the tests look for on the screen.
Run from anywhere: python3 resources/make_pictures.py"""
import subprocess
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
WIDTH, HEIGHT = 320, 212  # the form's client area at 96 DPI
SCALE = 2  # the picture's pixels per form pixel

# The emblem: a blue rounded square with a white "T", drawn with rectangles only (no font), so that
# the picture does not depend on the fonts installed.
EMBLEM_BLUE = "#1F5FA8"


def emblem(left, top, size):
    """Drawing primitives of the emblem in a square of `size` pixels at (left, top)."""
    s = size / 32.0
    radius = 6 * s

    def box(x0, y0, x1, y1):
        return f"{left + x0 * s:.2f},{top + y0 * s:.2f} {left + x1 * s - 1:.2f},{top + y1 * s - 1:.2f}"

    return [
        "-fill", EMBLEM_BLUE, "-draw", f"roundrectangle {box(0, 0, 32, 32)} {radius:.2f},{radius:.2f}",
        "-fill", "#FFFFFF", "-draw", f"rectangle {box(6, 6, 26, 12)}",
        "-fill", "#FFFFFF", "-draw", f"rectangle {box(13, 12, 19, 27)}",
        "-fill", "#F2A33A", "-draw", f"rectangle {box(6, 27, 26, 29)}",
    ]


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def draw_background(path):
    k = SCALE
    convert(
        "-size", f"{WIDTH * k}x{HEIGHT * k}", "gradient:#D6E6F7-#F8FAFD",
        # A large soft disc in the lower left corner and a thinner ring beside it.
        "-fill", "#A9CBEA", "-draw", f"circle {-30 * k},{262 * k} {95 * k},{262 * k}",
        "-fill", "none", "-stroke", "#C4DBF0", "-strokewidth", str(6 * k),
        "-draw", f"circle {-30 * k},{262 * k} {125 * k},{262 * k}",
        "-stroke", "none",
        # A pale band behind the header, and the emblem to the left of the product's name.
        "-fill", "#EEF4FB", "-draw", f"rectangle 0,{6 * k} {WIDTH * k - 1},{42 * k - 1}",
        *emblem(8 * k, 8 * k, 32 * k),
        "-strip", "-sampling-factor", "1x1", "-quality", "92", "-interlace", "none", f"jpeg:{path}",
    )


def draw_icon(path):
    with tempfile.TemporaryDirectory() as work:
        frames = []
        for size in (48, 32, 16):
            frame = Path(work) / f"icon{size}.png"
            convert("-size", f"{size}x{size}", "xc:none", *emblem(0, 0, size), f"png32:{frame}")
            frames.append(str(frame))
        convert(*frames, path)


# Points of the client area that no label, edit box or button covers: inside the emblem, in the disc
# below the last label, and in the strip right of the labels.
SAMPLE_POINTS = [(12, 30), (30, 200), (316, 100)]


def write_samples(picture, path):
    lines = ["# x y red green blue: the form at 100 % at points no control covers, each the mean of the\n"
             f"# {SCALE}x{SCALE} pixels of the decoded picture behind it\n"]
    for x, y in SAMPLE_POINTS:
        region = f"{SCALE}x{SCALE}+{x * SCALE}+{y * SCALE}"
        out = subprocess.run(["convert", str(picture), "-crop", region, "+repage", "-scale", "1x1!", "-format",
                              "%[fx:int(255*p{0,0}.r+0.5)] %[fx:int(255*p{0,0}.g+0.5)] %[fx:int(255*p{0,0}.b+0.5)]",
                              "info:"], check=True, capture_output=True, text=True).stdout.split()
        lines.append(f"{x} {y} {' '.join(out)}\n")
    path.write_text("".join(lines))


def main():
    picture = HERE / "background.jpg"
    draw_background(picture)
    draw_icon(HERE / "tovrik.ico")
    write_samples(picture, HERE / "background.samples")


if __name__ == "__main__":
    main()

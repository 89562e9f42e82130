"""Writes linkhand.cur, the hand cursor shown over links (32x32, monochrome, hot spot on the fingertip)."""
import struct
import sys

HAND = [
    "      XX        ",
    "     X..X       ",
    "     X..X       ",
    "     X..X       ",
    "     X..XXX     ",
    "     X..X..XXX  ",
    "  XX X..X..X..XX",
    " X..XX..X..X..X.X",
    " X...X........X.X",
    "  X..X..........X",
    "   X............X",
    "   X...........X ",
    "    X..........X ",
    "    X.........X  ",
    "     X........X  ",
    "     XXXXXXXXXX  ",
]


def main(path: str) -> None:
    size = 32
    xor_rows, and_rows = [], []
    for y in range(size):
        row = HAND[y] if y < len(HAND) else ""
        xor_bits = and_bits = 0
        for x in range(size):
            c = row[x] if x < len(row) else " "
            bit = 1 << (31 - x)
            if c == " ":
                and_bits |= bit          # transparent
            elif c == ".":
                xor_bits |= bit          # white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # DIB rows are stored bottom-up.
    xor_data = b"".join(reversed(xor_rows))
    and_data = b"".join(reversed(and_rows))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor_data) + len(and_data), 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor_data + and_data
    hot_x, hot_y = 7, 0
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, hot_x, hot_y, len(image), 22)
    with open(path, "wb") as out:
        out.write(directory + image)


if __name__ == "__main__":
    main(sys.argv[1])

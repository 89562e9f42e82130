"""Assembles the release archive from the built 32-bit and x86-64 tovrik.exe: stamps each program's PE
header with the given time (and its checksum to match), converts the README, the changelog, the license
and the examples to Windows line ends, writes SHA256SUMS.txt and packs everything into a zip whose entries
are sorted and dated with that same time, so the same sources always give the same bytes.

usage: make_release.py EPOCH VERSION PROGRAM PROGRAM_X64 ARCHIVE"""
import array
import hashlib
import struct
import sys
import time
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


def pe_checksum(data: bytes, checksum_offset: int) -> int:
    """The optional header's CheckSum: 16-bit words summed with end-around carry, the field itself left out,
    plus the file's length."""
    padded = data + b"\0" * (len(data) % 2)
    words = array.array("H", padded)
    if sys.byteorder != "little":
        words.byteswap()
    words[checksum_offset // 2] = 0
    words[checksum_offset // 2 + 1] = 0
    total = sum(words)
    while total > 0xFFFF:
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def stamp_pe(program: bytes, epoch: int) -> bytes:
    """The program with its COFF header's TimeDateStamp set to epoch and its CheckSum made again, so that
    neither depends on when or where the linker ran."""
    data = bytearray(program)
    assert data[:2] == b"MZ", "not a Windows program"
    header = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[header:header + 4] == b"PE\0\0", "no PE header"
    struct.pack_into("<I", data, header + 8, epoch & 0xFFFFFFFF)
    checksum_offset = header + 24 + 64
    struct.pack_into("<I", data, checksum_offset, pe_checksum(bytes(data), checksum_offset))
    return bytes(data)


def windows_text(data: bytes) -> bytes:
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def main(epoch: str, version: str, program: str, program_x64: str, archive: str) -> None:
    when = int(epoch)
    files = {
        "tovrik.exe": stamp_pe(Path(program).read_bytes(), when),
        "x64/tovrik.exe": stamp_pe(Path(program_x64).read_bytes(), when),
        "README.txt": windows_text((ROOT / "README.md").read_bytes()),
        "CHANGELOG.txt": windows_text((ROOT / "CHANGELOG.md").read_bytes()),
        "LICENSE": windows_text((ROOT / "LICENSE").read_bytes()),
    }
    for example in sorted((ROOT / "examples").glob("*.bat")):
        files["examples/" + example.name] = windows_text(example.read_bytes())
    files["SHA256SUMS.txt"] = "".join(
        f"{hashlib.sha256(data).hexdigest()} *{name}\n" for name, data in sorted(files.items())).encode()

    folder = f"tovrik-{version}/"
    date_time = time.gmtime(max(when, 315532800))[:6]  # zip times start in 1980
    out = Path(archive)
    out.parent.mkdir(parents=True, exist_ok=True)
    with zipfile.ZipFile(out, "w") as zip_file:
        for name in sorted(files):
            entry = zipfile.ZipInfo(folder + name, date_time)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0
            entry.external_attr = 0x20  # the archive attribute, as Windows sets it
            zip_file.writestr(entry, files[name], compresslevel=9)
    digest = hashlib.sha256(out.read_bytes()).hexdigest()
    out.with_name(out.name + ".sha256").write_text(f"{digest} *{out.name}\n")
    print(f"{out} {digest}")


if __name__ == "__main__":
    main(*sys.argv[1:])

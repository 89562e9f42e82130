"""Reads both built programs as PE files: every system function they reach must be reachable on the system
that runs them. Needs no Wine process, so it also checks the 32-bit program on machines that cannot run it.

- The import directory names only the DLLs that load with the program, each function exported by Wine's
  DLL of that architecture.
- Every late-bound function (the program's own table in section .tvklate, and any delay-load descriptor a
  linker left, whether or not the data directory points at it) has its slot set up: the slot holds the
  address of code in the program, never 0, and its DLL exports the function.
"""
import struct
from functools import lru_cache
from pathlib import Path

import pefile
import pytest

ROOT = Path(__file__).resolve().parents[2]
BUILDS = {
    "win32": ROOT / "build/win32/tovrik.exe",
    "win64": ROOT / "build/win64/tovrik.exe",
}
WINE_DLLS = {
    "win32": Path("/usr/lib/i386-linux-gnu/wine/i386-windows"),
    "win64": Path("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows"),
}
LOADED_WITH_THE_PROGRAM = {"kernel32.dll", "advapi32.dll", "msvcrt.dll"}
# Never loaded at start-up by a command that shows no window.
WINDOW_AND_SHELL_DLLS = {"user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll", "comctl32.dll",
                         "comdlg32.dll", "winmm.dll", "wininet.dll", "ws2_32.dll", "wsock32.dll", "mpr.dll",
                         "version.dll"}
IMAGE_SCN_MEM_EXECUTE = 0x20000000


@lru_cache(maxsize=None)
def wine_exports(build: str, dll: str) -> frozenset[str]:
    path = WINE_DLLS[build] / dll.lower()
    if not path.is_file():
        return frozenset()
    pe = pefile.PE(str(path), fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_EXPORT"]])
    if not hasattr(pe, "DIRECTORY_ENTRY_EXPORT"):
        return frozenset()
    return frozenset(s.name.decode() for s in pe.DIRECTORY_ENTRY_EXPORT.symbols if s.name)


class Image:
    """The program as it lies in memory before it runs: sections at their addresses."""

    def __init__(self, path: Path):
        self.pe = pefile.PE(str(path))
        self.base = self.pe.OPTIONAL_HEADER.ImageBase
        self.pointer_size = 8 if self.pe.OPTIONAL_HEADER.Magic == 0x20B else 4
        self.size = self.pe.OPTIONAL_HEADER.SizeOfImage

    def read(self, rva: int, length: int) -> bytes:
        return self.pe.get_data(rva, length)

    def pointer_at(self, rva: int) -> int:
        return struct.unpack("<Q" if self.pointer_size == 8 else "<I", self.read(rva, self.pointer_size))[0]

    def string_at(self, rva: int) -> str | None:
        if not 0 < rva < self.size:
            return None
        try:
            data = self.pe.get_string_at_rva(rva, max_length=256)
        except pefile.PEFormatError:
            return None
        return data.decode("latin-1") if data else None

    def is_code(self, rva: int) -> bool:
        section = self.pe.get_section_by_rva(rva)
        return section is not None and bool(section.Characteristics & IMAGE_SCN_MEM_EXECUTE)

    def sections(self):
        return self.pe.sections


def late_table(image: Image) -> list[tuple[str, str, int]]:
    """(dll, function, slot rva) of each record of the program's own late-binding table."""
    sections = [s for s in image.sections() if s.Name.rstrip(b"\0") == b".tvklate"]
    if not sections:
        return []
    section = sections[0]
    step = image.pointer_size
    records = []
    for offset in range(0, section.Misc_VirtualSize - 3 * step + 1, 3 * step):
        rva = section.VirtualAddress + offset
        dll, function, slot = (image.pointer_at(rva + i * step) for i in range(3))
        if dll == function == slot == 0:
            continue
        records.append((image.string_at(dll - image.base) or f"<no name at {dll:#x}>",
                        image.string_at(function - image.base) or f"<no name at {function:#x}>",
                        slot - image.base))
    return records


def delay_load_descriptors(image: Image) -> list[tuple[str, int, int]]:
    """(dll, IAT rva, INT rva) of every delay-load descriptor in the program: the one the data directory names
    and those that a linker wrote without naming them there (dlltool's delay-load libraries put theirs among
    the code)."""
    found = []
    for section in image.sections():
        data = section.get_data()
        for offset in range(0, len(data) - 32 + 1, 4):
            attributes, name, module, iat, names, _, _, _ = struct.unpack_from("<8I", data, offset)
            if attributes not in (0, 1) or not name or not iat or not names or not module:
                continue
            bias = 0 if attributes == 1 else image.base  # version 1 holds RVAs, version 0 addresses
            if image.pointer_size == 8 and attributes == 0:
                continue  # 64-bit descriptors always hold RVAs
            name, iat, names, module = (value - bias for value in (name, iat, names, module))
            if not all(0 < value < image.size for value in (name, iat, names, module)):
                continue
            dll = image.string_at(name)
            if not dll or not dll.lower().endswith(".dll") or not dll.replace(".", "").replace("_", "").isalnum():
                continue
            found.append((dll, iat, names))
    return found


def delay_load_slots(image: Image, iat: int, names: int):
    """(function, slot rva, slot value) for each entry of a delay-load descriptor."""
    step = image.pointer_size
    ordinal_flag = 1 << (8 * step - 1)
    index = 0
    while True:
        entry = image.pointer_at(names + index * step)
        if entry == 0:
            return
        if entry & ordinal_flag:
            function = f"#{entry & 0xFFFF}"
        else:
            if entry > image.base:
                entry -= image.base
            function = image.string_at(entry + 2) or f"<no name at {entry:#x}>"
        slot = iat + index * step
        yield function, slot, image.pointer_at(slot)
        index += 1


def built(build: str) -> Image:
    path = BUILDS[build]
    if not path.is_file():
        pytest.fail(f"{path} is not built: run scripts/setup.sh")
    return Image(path)


@pytest.mark.parametrize("build", sorted(BUILDS))
def test_the_program_loads_only_its_start_up_dlls(build):
    image = built(build)
    problems = []
    for entry in image.pe.DIRECTORY_ENTRY_IMPORT:
        dll = entry.dll.decode().lower()
        if dll not in LOADED_WITH_THE_PROGRAM:
            problems.append(f"{dll} loads with the program")
        exports = wine_exports(build, dll)
        for imported in entry.imports:
            name = imported.name.decode() if imported.name else f"#{imported.ordinal}"
            if name not in exports:
                problems.append(f"{dll}!{name} is not exported by Wine's {dll}")
    assert not problems, "\n".join(problems)


@pytest.mark.parametrize("build", sorted(BUILDS))
def test_every_late_bound_function_has_its_slot_set_up(build):
    image = built(build)
    problems = []
    records = late_table(image)
    for dll, function, slot in records:
        where = f"{dll}!{function}"
        if not 0 < slot < image.size:
            problems.append(f"{where}: slot {slot:#x} lies outside the program")
            continue
        target = image.pointer_at(slot) - image.base
        if not image.is_code(target):
            problems.append(f"{where}: slot holds {target + image.base:#x}, not the address of a loading stub")
        if function not in wine_exports(build, dll):
            problems.append(f"{where}: not exported by Wine's {dll}")
    descriptors = delay_load_descriptors(image)
    for dll, iat, names in descriptors:
        for function, slot, value in delay_load_slots(image, iat, names):
            where = f"{dll}!{function} (delay-load slot {slot + image.base:#x})"
            if value == 0 or not image.is_code(value - image.base):
                problems.append(f"{where}: holds {value:#x}, not the address of a loading stub")
            if function not in wine_exports(build, dll):
                problems.append(f"{where}: not exported by Wine's {dll}")
    late_dlls = {dll.lower() for dll, _, _ in records} | {dll.lower() for dll, _, _ in descriptors}
    assert late_dlls & WINDOW_AND_SHELL_DLLS, "no late-bound window or shell function found: is the table there?"
    assert not problems, "\n".join(problems)

"""The release archive: what it holds, and that two builds of the same sources are byte-identical."""
import hashlib
import os
import shutil
import struct
import subprocess
import time
import zipfile

import pefile
import pytest

from harness import RESULTS, ROOT


@pytest.fixture
def two_packages():
    """One package from the 32-bit and x86-64 builds the tests use, one with both built afresh in directories
    of their own."""
    dists = [RESULTS / f"dist-{n}" for n in (1, 2)]
    given = {"TOVRIK_PACKAGE_BUILD_DIR": str(ROOT / "build" / "win32"),
             "TOVRIK_PACKAGE_BUILD_DIR_X64": str(ROOT / "build" / "win64")}
    for dist, build_dir in zip(dists, [given, {}]):
        shutil.rmtree(dist, ignore_errors=True)
        env = {k: v for k, v in os.environ.items() if k not in given}
        env.update(TOVRIK_DIST_DIR=str(dist), **build_dir)
        subprocess.run([str(ROOT / "scripts" / "package.sh")], env=env, check=True, timeout=3600,
                       stdout=subprocess.DEVNULL)
    yield dists
    for dist in dists:
        shutil.rmtree(dist, ignore_errors=True)


def test_release_archive_holds_the_program_readme_examples_and_checksums(two_packages):
    first, second = two_packages
    version = "1.2.0"
    archive = first / f"tovrik-{version}.zip"
    examples = sorted(p.name for p in (ROOT / "examples").glob("*.bat"))
    assert examples, "no examples"
    folder = f"tovrik-{version}/"
    expected = sorted([folder + "README.txt", folder + "SHA256SUMS.txt", folder + "tovrik.exe"]
                      + [folder + "CHANGELOG.txt", folder + "LICENSE", folder + "x64/tovrik.exe"]
                      + [folder + "examples/" + name for name in examples])
    commit_time = int(subprocess.run(["git", "log", "-1", "--format=%ct"], cwd=ROOT, check=True,
                                     capture_output=True, text=True).stdout)
    with zipfile.ZipFile(archive) as zip_file:
        assert sorted(zip_file.namelist()) == expected
        # Zip keeps times in two-second steps.
        year, month, day, hour, minute, seconds = time.gmtime(commit_time)[:6]
        for entry in zip_file.infolist():
            assert entry.date_time == (year, month, day, hour, minute, seconds // 2 * 2), entry
        contents = {name[len(folder):]: zip_file.read(name) for name in zip_file.namelist()}

    # The 32-bit program (i386, PE32) and its x86-64 build (AMD64, PE32+), both GUI programs.
    for name, want_machine, want_magic in [("tovrik.exe", 0x14C, 0x10B), ("x64/tovrik.exe", 0x8664, 0x20B)]:
        program = contents[name]
        header = struct.unpack_from("<I", program, 0x3C)[0]
        machine, _, stamp = struct.unpack_from("<HHI", program, header + 4)
        magic = struct.unpack_from("<H", program, header + 24)[0]
        subsystem = struct.unpack_from("<H", program, header + 24 + 68)[0]
        assert (program[header:header + 4], machine, magic, subsystem) == (b"PE\0\0", want_machine, want_magic, 2), name
        assert stamp == commit_time, name
        assert pefile.PE(data=program, fast_load=True).verify_checksum(), name
    readme = contents["README.txt"]
    assert readme.startswith(b"# Tovrik\r\n") and b"\n" not in readme.replace(b"\r\n", b"")
    license_text = contents["LICENSE"]
    assert license_text == (ROOT / "LICENSE").read_bytes().replace(b"\n", b"\r\n")
    assert license_text.startswith(b"MIT License\r\n") and b"Copyright (c) 2026 Orlenta\r\n" in license_text
    changelog = contents["CHANGELOG.txt"]
    assert changelog == (ROOT / "CHANGELOG.md").read_bytes().replace(b"\n", b"\r\n")
    headings = [line for line in changelog.decode().split("\r\n") if line.startswith("## ")]
    assert headings and headings[0].startswith(f"## {version} "), headings
    for name in examples:
        assert contents["examples/" + name].replace(b"\r\n", b"").count(b"\n") == 0, name

    sums = {}
    for line in contents["SHA256SUMS.txt"].decode().splitlines():
        digest, name = line.split(" *")
        sums[name] = digest
    assert sums == {name: hashlib.sha256(data).hexdigest() for name, data in contents.items()
                    if name != "SHA256SUMS.txt"}
    own_sum = (first / f"tovrik-{version}.zip.sha256").read_text()
    assert own_sum == f"{hashlib.sha256(archive.read_bytes()).hexdigest()} *tovrik-{version}.zip\n"

    # Built twice, in two directories: the same bytes.
    assert archive.read_bytes() == (second / f"tovrik-{version}.zip").read_bytes()
    assert sorted(p.name for p in first.iterdir()) == [f"tovrik-{version}.zip", f"tovrik-{version}.zip.sha256"]

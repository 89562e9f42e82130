"""System commands under Wine: the Windows version from the machine registry, the system drive and
volumes, GUIDs, the network, the clipboard across invocations, and one real logoff in a Wine session of
its own."""
import os
import re
import shutil
import socket
import subprocess
import uuid

import pytest

from harness import ANSI, Wine, clipboard, holding, set_lines, texts, window_facts

VERSION_KEY = r"HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion"
REG_SZ, REG_DWORD = 1, 4


# --- machine registry ------------------------------------------------------------------------------

def test_getwinver_reads_the_machine_values_and_fails_on_a_number(wine):
    saved = {name: wine.reg_get(VERSION_KEY, name) for name in ("ProductName", "CurrentVersion")}
    try:
        wine.reg_set(VERSION_KEY, "ProductName", REG_SZ, b"Tovrik & Co 100%\0")
        wine.reg_set(VERSION_KEY, "CurrentVersion", REG_SZ, b"6.1\0")
        assert set_lines(wine.run("getwinver")) == [
            b"SET STRWINVER=Tovrik ^& Co 100%% (Version 6.1)", b"SET WINPID=Tovrik ^& Co 100%%",
            b"SET WINVR=6.1", b"SET WINNT=1"]

        wine.reg_set(VERSION_KEY, "CurrentVersion", REG_DWORD, (6).to_bytes(4, "little"))
        assert set_lines(wine.run("getwinver")) == [b"SET ERROR=1"], "a number fails before any line"

        wine.reg_delete_value(VERSION_KEY, "ProductName")
        wine.reg_set(VERSION_KEY, "CurrentVersion", REG_SZ, b"6.1\0")
        assert set_lines(wine.run("getwinver")) == [
            b"SET STRWINVER= (Version 6.1)", b"SET WINPID=", b"SET WINVR=6.1", b"SET WINNT=1"]
        assert wine.reg_get(VERSION_KEY, "ProductName") is None, "reading created nothing"
    finally:
        for name, value in saved.items():
            wine.reg_restore(VERSION_KEY, name, value)
    assert {name: wine.reg_get(VERSION_KEY, name) for name in saved} == saved


# --- drives and GUIDs --------------------------------------------------------------------------------

def test_system_drive_volumes_and_missing_drives(wine):
    assert set_lines(wine.run("getsystemdrive")) == [b"SET DRIVE=C:"]

    serials = {arg: set_lines(wine.run("getvolumeserial", arg)) for arg in ("c", "C", "C:\\Temp", "C" * 30000)}
    assert len(set(map(tuple, serials.values()))) == 1, serials
    assert re.fullmatch(rb"SET SN=00[0-9A-F]{8}", serials["C"][0]), serials["C"]

    label = set_lines(wine.run("getvolumelabel", "C"))
    assert len(label) == 1 and label[0].startswith(b"SET LABEL="), label
    assert set_lines(wine.run("diskindrive", "C")) == [b"SET DISKINDRIVE=1"]
    assert set_lines(wine.run("diskindrive", "c:\\")) == [b"SET DISKINDRIVE=1"]

    # No drive Q in the prefix: the documented lines, no dialog, no wait.
    assert not (wine.prefix / "dosdevices" / "q:").exists()
    assert set_lines(wine.run("getvolumeserial", "Q", timeout=30)) == [b"SET SN=0000000000"]
    assert set_lines(wine.run("getvolumelabel", "q:", timeout=30)) == [b"SET LABEL="]
    assert set_lines(wine.run("diskindrive", "q", timeout=30)) == [b"SET DISKINDRIVE=0"]
    for word in ("getvolumeserial", "getvolumelabel", "diskindrive"):
        assert set_lines(wine.run(word, "NULL")) == [b"SET ERROR=1"], word
        assert set_lines(wine.run(word)) == [b"SET ERROR=1"], word


def test_getguid_gives_a_new_guid_each_time(wine):
    guids = []
    for _ in range(2):
        lines = set_lines(wine.run("getguid"))
        assert len(lines) == 1 and lines[0].startswith(b"SET GUID="), lines
        text = lines[0][len(b"SET GUID="):]
        assert re.fullmatch(rb"\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}", text), text
        uuid.UUID(text.decode())
        guids.append(text)
    assert guids[0] != guids[1]


# --- network ----------------------------------------------------------------------------------------

def test_isconnected_loads_url_dll_from_the_system_directory_only(wine, folders):
    """A url.dll planted beside the program and one in the current directory stay unloaded; each leaves
    "url.dll.loaded" beside itself when anything loads it (its name in the case it was loaded by)."""
    planted = wine.exe_dir / "planted" / "url.dll"
    beside_program = wine.exe_dir / "url.dll"
    current = folders("C:\\tovrik-planted")

    def traces():
        return [path for folder in (wine.exe_dir, current) for path in folder.iterdir()
                if path.name.lower() == "url.dll.loaded"]
    try:
        shutil.copyfile(planted, beside_program)
        shutil.copyfile(planted, current / "url.dll")
        # The planted DLL does leave its trace once loaded.
        probe_copy = current / "probe-check" / "url.dll"
        probe_copy.parent.mkdir(exist_ok=True)
        shutil.copyfile(planted, probe_copy)
        out = wine.probe("loadlibrary", "C:\\tovrik-planted\\probe-check\\url.dll").stdout
        assert out.startswith(b"loaded"), out
        assert sorted(p.name.lower() for p in probe_copy.parent.iterdir()) == ["url.dll", "url.dll.loaded"]

        out = wine.batch('cd /d C:\\tovrik-planted\n"%TOVRIK%" isconnected\nCALL C:\\Tovrik.bat\necho %CONNECTED%\n')
        assert out.splitlines() in (["0"], ["1"]), out
        assert traces() == []
    finally:
        for path in [beside_program, *traces()]:
            path.unlink(missing_ok=True)


def test_network_commands(wine):
    connected = set_lines(wine.run("isconnected"))
    assert connected in ([b"SET CONNECTED=0"], [b"SET CONNECTED=1"]), connected

    # Wine hands on the machine's own host name; it resolves it through the host's resolver, or, for
    # the local name, to the addresses of the machine's interfaces.
    lines = set_lines(wine.run("getip"))
    assert len(lines) == 1 and lines[0].startswith(b"SET IP="), lines
    address = lines[0][len(b"SET IP="):].decode()
    assert address == "" or re.fullmatch(r"\d+\.\d+\.\d+\.\d+", address), address
    name = socket.gethostname()
    expected = set()
    for candidate in {name, name.split(".")[0]}:
        try:
            expected.add(socket.gethostbyname(candidate))
        except OSError:
            expected.add("")
    interfaces = subprocess.run(["hostname", "-I"], capture_output=True, text=True).stdout.split()
    expected.update(a for a in interfaces if "." in a)
    assert address in expected, (address, name, expected)

    # The platform's dial-up answers stay out of the return file; nothing waits for a user.
    for word in ("netstartcon", "netclosecon", "netstartconbox"):
        assert set_lines(wine.run(word, timeout=30)) == [], word


# --- clipboard --------------------------------------------------------------------------------------

@pytest.fixture
def desktop_kept(window_runs):
    """A program that stays running through the test. Wine ends the window station, and its clipboard
    with it, once no program of the session runs; a Windows session always has its shell running."""
    window_runs("createwaitdlg", "Session e2e", "garde le bureau").wait_shown()


def test_clipboard_text_across_invocations(wine, desktop_kept):
    assert set_lines(wine.run("clipboardsettext", "hello")) == []
    assert clipboard(wine)[1] == b"hello"
    assert set_lines(wine.run("clipboardgettext")) == [b"SET CLIPBOARD=hello"]

    assert set_lines(wine.run("clipboardsettext", "100% & <b>")) == []
    assert set_lines(wine.run("clipboardgettext")) == [b"SET CLIPBOARD=100%% ^& ^<b^>"]

    long_text = "x" * 29000 + "é"
    assert set_lines(wine.run("clipboardsettext", long_text)) == []
    assert clipboard(wine)[1] == long_text.encode(ANSI)
    # Too long for a line cmd.exe reads whole: left out, never cut.
    assert texts(wine.run("clipboardgettext")) == ["SET ERROR=1"]
    longest = "x" * 8175 + "é"
    assert set_lines(wine.run("clipboardsettext", longest)) == []
    assert texts(wine.run("clipboardgettext")) == ["SET CLIPBOARD=" + longest]

    assert set_lines(wine.run("clipboardsettext", "NULL")) == []
    assert clipboard(wine)[1] == b"", "one empty text"
    assert set_lines(wine.run("clipboardgettext")) == [b"SET CLIPBOARD="]
    assert set_lines(wine.run("clipboardsettext")) == [b"SET ERROR=1"]


def test_a_multi_line_clipboard_text_reaches_the_script_as_one_value(wine, desktop_kept):
    assert wine.probe("clipsettext", "hex:" + b"two\r\nlines & 50%".hex()).returncode == 0
    assert set_lines(wine.run("clipboardgettext")) == [b"SET CLIPBOARD=two lines ^& 50%%"]
    out = wine.batch('"%TOVRIK%" clipboardgettext\nCALL C:\\Tovrik.bat\nset CLIPBOARD\n')
    assert out.splitlines() == ["CLIPBOARD=two lines & 50%"]


def test_picture_only_clipboard_and_emptyclipboard(wine, desktop_kept):
    assert wine.probe("clipbitmap").returncode == 0
    assert clipboard(wine)[1] is None
    assert set_lines(wine.run("clipboardgettext")) == [b"SET CLIPBOARD="]

    assert set_lines(wine.run("clipboardsettext", "gone")) == []
    assert set_lines(wine.run("emptyclipboard")) == []
    assert clipboard(wine) == (0, None)


def test_a_clipboard_held_open_by_another_program(wine, desktop_kept):
    assert set_lines(wine.run("clipboardsettext", "kept")) == []
    with holding(wine, "clipholdopen", "60000"):  # the clipboard, open in another program
        assert set_lines(wine.run("clipboardsettext", "other")) == [b"SET ERROR=1"]
        assert set_lines(wine.run("clipboardgettext")) == [b"SET ERROR=1"]
        assert set_lines(wine.run("emptyclipboard")) == []
    assert clipboard(wine)[1] == b"kept"


# --- session end --------------------------------------------------------------------------------------

# The prefix's programs and libraries, which no run writes to, are shared with the copy by hard links;
# registry files, settings and everything else are copied.
SHARED_SUFFIXES = {".dll", ".exe", ".drv", ".sys", ".acm", ".cpl", ".ocx", ".tlb", ".nls", ".ttf", ".fon",
                   ".ax", ".ds", ".msstyles", ".mui"}


def link_or_copy(source, destination):
    if os.path.splitext(source)[1].lower() in SHARED_SUFFIXES:
        os.link(source, destination)
    else:
        shutil.copy2(source, destination)


def test_logoff_ends_the_session_of_its_own_wineserver_only(wine, window_runs):
    shared_witness = window_runs("createwaitdlg", "Temoin partage", "reste ouvert")
    shared_witness.wait_shown()

    copy = wine.prefix.parent / f"{wine.prefix.name}-logoff"
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(wine.prefix, copy, symlinks=True, copy_function=link_or_copy)
    # A copy of the prefix with its own wineserver: ending its session leaves the shared one alone.
    throwaway = Wine({"TOVRIK_PREFIX": str(copy)})
    witness = None
    try:
        witness = throwaway.start("tovrik.exe", "createwaitdlg", "Temoin jetable", "sera ferme")
        window_facts(throwaway, "Temoin jetable")
        run = throwaway.run("logoff", timeout=60)
        # The session's processes end; the return file may be written before its own run is ended.
        assert witness.wait(timeout=30) is not None
        if run.file is not None:
            assert set_lines(run) == []
    finally:
        if witness and witness.poll() is None:
            witness.kill()
            witness.wait()
        throwaway.server("-k", "-w")
        shutil.rmtree(copy, ignore_errors=True)

    assert shared_witness.process.poll() is None, "the shared session's window run was ended"
    window_facts(wine, "Temoin partage", timeout_ms=5000)
    assert set_lines(wine.run("getversion")) == [b"SET RESULT=1000"]


# --- libraries ---------------------------------------------------------------------------------------

def test_only_the_network_commands_load_their_libraries(wine):
    from test_command_table import loaded_dlls
    late = {"user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "wininet.dll", "ws2_32.dll", "wsock32.dll"}
    for args in (("getsystemdrive",), ("getvolumeserial", "C"), ("diskindrive", "C"), ("getwinver",)):
        loaded = loaded_dlls(wine, *args)
        assert "kernel32.dll" in loaded, loaded  # the trace is read
        assert not loaded & late, (args, sorted(loaded & late))
    # The socket library loads, and starts, with the one command that needs it.
    assert "wsock32.dll" in loaded_dlls(wine, "getip")

"""Runs a batch script in Wine's cmd.exe, in a console of its own as from a command window: the one runner
behind scripts/run-batch and the end-to-end tests' batch scripts.
   batch.py FILE.bat   (inside a session, as scripts/run-batch starts it)"""
import os
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
WINE_RUN = ROOT / "scripts" / "lib" / "wine-run"
# The regional settings the tests use, by short name, as the Unix locale Wine starts with.
LOCALES = {"fr": "fr_FR.UTF-8", "en": "en_US.UTF-8", "de": "de_DE.UTF-8"}
DEFAULT_LOCALE = LOCALES["fr"]


def oem_code_page(unix_locale: str) -> str:
    """The console (OEM) code page of the regional settings: cmd.exe reads batch files and writes redirected
    output in it, and the program writes its return file in it."""
    return "cp437" if unix_locale.startswith("en_US") else "cp850"


OEM_CODE_PAGES = {name: oem_code_page(unix) for name, unix in LOCALES.items()}


def windows_path(path) -> str:
    """A host path as Wine names it: drive Z: is the host's root."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def run_batch(script: Path, exe_dir: Path, unix_locale: str, run_probe, timeout_ms: int | None = None):
    """Runs the batch file `script` (a host path); the script finds the program as %TOVRIK%.
    run_probe(variables, *args) runs the build's probe under Wine with those variables added to its clean
    environment and gives what it printed. Returns the probe's answer ("exit N" once cmd.exe has ended) and
    what the script printed, decoded from the console code page."""
    handle, name = tempfile.mkstemp(prefix="run-batch.", dir=ROOT / "build")
    os.close(handle)
    output = Path(name)
    try:
        command = f'cmd.exe /c ""{windows_path(script)}" > "{windows_path(output)}" 2>&1"'
        answer = run_probe({"TOVRIK": windows_path(exe_dir / "tovrik.exe")}, "execconsole", command,
                           *([str(timeout_ms)] if timeout_ms else []))
        printed = output.read_bytes().decode(oem_code_page(unix_locale))
        return answer.decode(errors="replace").replace("\r", "").rstrip("\n"), printed
    finally:
        output.unlink(missing_ok=True)


def main() -> int:
    """scripts/run-batch: prints what the script printed and returns cmd's exit code."""
    def run_probe(variables, *args):
        command = [str(WINE_RUN), *(f"{k}={v}" for k, v in variables.items()), os.environ["TOVRIK_WINELOADER"],
                   str(Path(os.environ["TOVRIK_EXE_DIR"]) / "probe.exe"), *args]
        return subprocess.run(command, stdout=subprocess.PIPE).stdout

    answer, printed = run_batch(Path(sys.argv[1]), Path(os.environ["TOVRIK_EXE_DIR"]),
                                os.environ.get("TOVRIK_LOCALE") or DEFAULT_LOCALE, run_probe)
    sys.stdout.buffer.write(printed.replace("\r", "").encode())
    sys.stdout.flush()
    if answer.startswith("exit "):
        return int(answer[len("exit "):])
    print(f"run-batch: {answer}", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())

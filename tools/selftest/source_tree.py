"""For the source checks' self-tests: writes a small src/ tree into a temporary folder and runs
a check script over it."""
import os
import subprocess
import sys
import tempfile


def run_check(check_script, files):
    """Runs check_script over a tree holding files ({path below src/: text}); returns the exit
    code and the standard output."""
    with tempfile.TemporaryDirectory() as src:
        for path, text in files.items():
            full = os.path.join(src, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w") as f:
                f.write(text)
        result = subprocess.run([sys.executable, check_script, src], capture_output=True, text=True)
        return result.returncode, result.stdout

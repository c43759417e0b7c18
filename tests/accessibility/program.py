"""Tallymar started for a probe: in a program folder of its own, with the
accessibility bridge on, and always ended with everything it started.

The program reads and writes "Tallymar.ini" beside itself, so it runs as a copy
in a temporary folder; the settings a test wants go there as that file.
"""

import os
import shutil
import signal
import subprocess
import tempfile


class Program:
    def __init__(self, binary, settings=None, arguments=()):
        self.folder = tempfile.mkdtemp(prefix="tallymar-probe-")
        copy = os.path.join(self.folder, os.path.basename(binary))
        shutil.copy2(binary, copy)
        if settings is not None:
            with open(os.path.join(self.folder, "Tallymar.ini"), "w", encoding="utf-8") as ini:
                ini.write(settings)
        self.log_path = os.path.join(self.folder, "program.log")
        env = dict(os.environ)
        env.update(
            {
                "QT_QPA_PLATFORM": "xcb",  # the bridge to AT-SPI is part of the X11 platform
                "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                "QT_ACCESSIBILITY": "1",
                "XDG_CONFIG_HOME": os.path.join(self.folder, "config"),
            }
        )
        with open(self.log_path, "wb") as log:
            # Its own process group, so that whatever it starts ends with it; the
            # same session, so that the wrapper still sees anything left behind.
            self.process = subprocess.Popen(
                [copy, *arguments],
                cwd=self.folder,
                env=env,
                stdin=subprocess.DEVNULL,
                stdout=log,
                stderr=subprocess.STDOUT,
                process_group=0,
            )

    @property
    def pid(self):
        return self.process.pid

    def exit_code(self):
        """None while the program runs."""
        return self.process.poll()

    def log_tail(self, lines=15):
        try:
            with open(self.log_path, "rb") as log:
                text = log.read().decode("utf-8", "replace")
        except OSError:
            return ""
        return "\n".join(text.splitlines()[-lines:])

    def end(self):
        """Ends the program and its process group, then removes its folder."""
        if self.process.poll() is None:
            self._signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=3)
            except subprocess.TimeoutExpired:
                self._signal(signal.SIGKILL)
                self.process.wait(timeout=3)
        self._signal(signal.SIGKILL)  # anything of its group still there
        shutil.rmtree(self.folder, ignore_errors=True)

    def _signal(self, number):
        try:
            os.killpg(self.process.pid, number)
        except ProcessLookupError:
            pass

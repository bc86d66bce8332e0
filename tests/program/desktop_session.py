"""A desktop of its own for a program test: a virtual X display, the
accessibility bus, and the program started in the demo content, as a user
starts it. Run inside `dbus-run-session`, with Debian's /usr/bin/python3
(pyatspi comes from Debian's packages)."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

CAPTION = "Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych (Demo)"


def wait_for(what, predicate, timeout=20.0):
    """The first true value of predicate() within timeout seconds; fails the test otherwise."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = predicate()
        except Exception:  # the tree may change under a query; ask again
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            fail(f"gave up waiting for {what}")
        time.sleep(0.1)


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    raise SystemExit(1)


class DesktopSession:
    def __init__(self, program, tool, window_manager=False):
        # A test runner's timeout ends the test with SIGTERM: clean up then too.
        signal.signal(signal.SIGTERM, lambda *_: fail("terminated"))
        self.processes = []
        self.work = tempfile.mkdtemp(prefix="velmora-desktop-")
        try:
            self._start(os.path.abspath(program), os.path.abspath(tool), window_manager)
        except BaseException:
            self.close()
            raise

    def _start(self, program, tool, window_manager):
        self.env = dict(os.environ)
        self.env["DISPLAY"] = self._start_display()
        runtime = os.path.join(self.work, "runtime")
        os.mkdir(runtime, 0o700)
        here = os.path.dirname(os.path.abspath(__file__))
        self.env.update({
            # The single-instance marker, the remembered volume and the record
            # of picture checks are the test's.
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.work, "config"),
            "XDG_CACHE_HOME": os.path.join(self.work, "cache"),
            "SDL_AUDIODRIVER": "dummy",
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "LSAN_OPTIONS": f"suppressions={here}/lsan.supp:print_suppressions=0",
        })
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "XDG_RUNTIME_DIR")})
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        if window_manager:
            # Gives each new window the keyboard focus, as a desktop does.
            self._spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.demo = os.path.join(self.work, "demo")
        subprocess.run([tool, "make-demo", self.demo], check=True, stdout=subprocess.DEVNULL, env=self.env)
        self.log = open(os.path.join(self.work, "program.log"), "w+")
        self.program = self._spawn([program], cwd=self.demo, stdout=self.log, stderr=subprocess.STDOUT)

    def _start_display(self):
        # Xvfb picks a free display and writes its number to the pipe.
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-noreset", "-screen", "0", "1280x1024x24"],
                    pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    fail("Xvfb gave no display number")
                number += chunk
        return ":" + number.decode().strip()

    def _spawn(self, command, **options):
        # A session of its own: closing kills what the process started too
        # (the accessibility bus launcher starts a bus daemon).
        process = subprocess.Popen(command, env=getattr(self, "env", None), start_new_session=True, **options)
        self.processes.append(process)
        return process

    def program_output(self):
        self.log.seek(0)
        return self.log.read()

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=self.env, check=True, capture_output=True,
                              text=True).stdout.strip()

    def windows_named(self, title):
        found = subprocess.run(["xdotool", "search", "--name", f"^{title}$"], env=self.env,
                               capture_output=True, text=True).stdout.split()
        return found

    def active_window_named(self, title):
        """The window titled `title` (a pattern) once it has the keyboard focus, as a user sees before typing."""
        def active():
            windows = self.windows_named(title)
            result = subprocess.run(["xdotool", "getactivewindow"], env=self.env, capture_output=True, text=True)
            return result.stdout.strip() if result.stdout.strip() in windows else None
        return wait_for(f"the window {title} to have the focus", active)

    def close(self):
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()
        shutil.rmtree(self.work, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()


def descendants(node, depth=12):
    """Every accessible below node, parents before children."""
    for child in node:
        if child is None:
            continue
        yield child
        if depth > 0:
            yield from descendants(child, depth - 1)


def find(root, role, name=None):
    """The accessibles below root with the role (as pyatspi names it) and, if given, the name."""
    return [node for node in descendants(root)
            if node.getRoleName() == role and (name is None or node.name == name)]


def program_accessible():
    """The program as the accessibility bus shows it, once its main window is there."""
    import pyatspi

    def main_window_shown():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and any(window.name == CAPTION for window in app):
                return app
        return None
    return wait_for("the main window on the accessibility bus", main_window_shown, 30)


def press(node):
    """Runs the accessible's press action, as a screen reader's user does."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail(f"{node.getRoleName()} '{node.name}' has no press action, only {names}")
    action.doAction(names.index("Press"))

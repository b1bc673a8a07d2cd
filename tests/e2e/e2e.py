"""Shared helpers of the end-to-end tests: Windows programs under Wine in an X
display, real X key input, waiting for conditions, fresh folders.

The test run provides DISPLAY (Xvfb) and a running wineserver (tools/test calls
start_xvfb, then wine_keepalive). The Wine environment is the one tools/lib.sh
sets up (wine_env), so a test started by hand uses the same prefix:

    . tools/lib.sh && start_xvfb && wine_keepalive
    (cd build/windows && ctest -R e2e_test_engine --output-on-failure)
    wine_stop; stop_xvfb

Focus without a window manager: physical X keys go to the X focus window,
injected keys to Wine's foreground window. KeySink.start() makes the sink
both: it is started last, calls SetForegroundWindow on itself, and is given
the X focus with `xdotool windowfocus --sync`; ensure_focus() then proves it
with a probe key.
"""
import ctypes
import ctypes.util
import os
import shutil
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE_DIR = os.environ.get("ORVANE_SOURCE_DIR", os.path.normpath(os.path.join(HERE, "..", "..")))
BUILD_DIR = os.environ.get("ORVANE_BUILD_DIR", os.path.join(SOURCE_DIR, "build", "windows"))
PROGS_DIR = os.environ.get("ORVANE_PROGS_DIR", os.path.join(BUILD_DIR, "tests", "e2e"))
STAGE_DIR = os.environ.get("ORVANE_STAGE_DIR", os.path.join(BUILD_DIR, "stage", "Orvane"))

DEFAULT_TIMEOUT = 15.0

_wine_env_cache = None


def wine_env():
    """The environment of tools/lib.sh's wine_env on top of ours (cached)."""
    global _wine_env_cache
    if _wine_env_cache is None:
        lib = os.path.join(SOURCE_DIR, "tools", "lib.sh")
        out = subprocess.run(["bash", "-c", '. "$1" && wine_env && env -0', "bash", lib],
                             check=True, capture_output=True).stdout
        env = dict(os.environ)
        for item in out.split(b"\0"):
            if b"=" in item:
                k, v = item.split(b"=", 1)
                env[k.decode()] = v.decode()
        _wine_env_cache = env
    return dict(_wine_env_cache)


def require_display():
    if not os.environ.get("DISPLAY"):
        raise AssertionError("DISPLAY is not set: run under tools/test or start_xvfb from tools/lib.sh")


def winpath(path):
    """A Linux path as Wine sees it (drive Z: is the Linux root)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def prog(name):
    """Path of a helper program built from tests/e2e/progs/<name>.cpp."""
    path = os.path.join(PROGS_DIR, name + ".exe")
    if not os.path.exists(path):
        raise AssertionError(f"{path} is missing: build the windows preset")
    return path


def run_exe(exe, *args, stdin=None, stdout=None, stderr=None, cwd=None):
    """Starts a Windows program under Wine and returns its Popen. stderr may
    be a path: Wine's and the program's messages then go there."""
    err = open(stderr, "ab") if isinstance(stderr, str) else subprocess.DEVNULL
    try:
        return subprocess.Popen(["wine", exe, *args], env=wine_env(), cwd=cwd, stdin=stdin,
                                stdout=stdout if stdout is not None else subprocess.DEVNULL,
                                stderr=err)
    finally:
        if err is not subprocess.DEVNULL:
            err.close()


def stop_process(proc, timeout=DEFAULT_TIMEOUT):
    """Kills proc if it is still running, reaps it and closes its pipes."""
    if proc.poll() is None:
        proc.kill()
    try:
        proc.wait(timeout)
    except subprocess.TimeoutExpired:
        pass
    for pipe in (proc.stdin, proc.stdout, proc.stderr):
        if pipe:
            pipe.close()


def wait_until(cond, timeout=DEFAULT_TIMEOUT, what="condition", interval=0.005):
    """Polls cond() until it returns something truthy and returns that; fails
    the test with `what` when the deadline passes."""
    deadline = time.monotonic() + timeout
    while True:
        value = cond()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def fresh_dir(test):
    """A new empty folder, removed when the test ends."""
    path = tempfile.mkdtemp(prefix="orvane-e2e-")
    test.addCleanup(shutil.rmtree, path, True)
    return path


# --- X input ---------------------------------------------------------------

def xdotool(*args, timeout=DEFAULT_TIMEOUT):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True,
                          text=True, timeout=timeout).stdout


def key(*keysyms):
    """Presses and releases each X keysym in turn (e.g. "a", "KP_Enter")."""
    xdotool("key", *keysyms)


def key_down(keysym):
    xdotool("keydown", keysym)


def key_up(keysym):
    xdotool("keyup", keysym)


def x_root_window():
    out = subprocess.run(["xwininfo", "-root", "-int"], check=True, capture_output=True,
                         text=True, timeout=DEFAULT_TIMEOUT).stdout
    return next(l.split("Window id:")[1].split()[0] for l in out.splitlines()
                if "Window id:" in l)


def x_key_window():
    """The top-level X window that physical keys go to now, or None while
    they go nowhere. X sends keys to the focus window, or to the window
    under the pointer when that is inside the focus window: so with the
    focus PointerRoot (as with no window manager until a program sets it)
    or the root (where it reverts when a focused window goes), keys go to
    the window under the pointer."""
    focus = xdotool("getwindowfocus", "-f").split()[0]
    if focus == "0":  # None: X discards key events
        return None
    if focus == "1" or focus == x_root_window():
        where = dict(line.split("=", 1) for line in xdotool("getmouselocation", "--shell").split())
        return where.get("WINDOW")
    return focus


def x_geometry(window):
    """(x, y, width, height) of an X window on the screen."""
    out = xdotool("getwindowgeometry", "--shell", window)
    values = dict(line.split("=", 1) for line in out.split())
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


class XDisplay:
    """Direct Xlib/XTest access: key events without a process start each
    (for timing) and the keyboard's lock state."""

    MOD2_MASK = 0x10  # NumLock in the standard modifier mapping

    def __init__(self):
        require_display()
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x11.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + \
            [ctypes.c_void_p] * 7
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.dpy = self.x11.XOpenDisplay(None)
        if not self.dpy:
            raise AssertionError("cannot open the X display")

    def close(self):
        if self.dpy:
            self.x11.XCloseDisplay(self.dpy)
            self.dpy = None

    def keycode(self, keysym):
        code = self.x11.XKeysymToKeycode(self.dpy, self.x11.XStringToKeysym(keysym.encode()))
        if not code:
            raise AssertionError(f"no keycode for {keysym}")
        return code

    def send(self, keysym, down):
        """Sends one key event and waits until the X server has it."""
        self.xtst.XTestFakeKeyEvent(self.dpy, self.keycode(keysym), 1 if down else 0, 0)
        self.x11.XSync(self.dpy, 0)

    def numlock_on(self):
        root, child = ctypes.c_ulong(), ctypes.c_ulong()
        rx, ry, wx, wy = ctypes.c_int(), ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
        mask = ctypes.c_uint()
        self.x11.XQueryPointer(self.dpy, self.x11.XDefaultRootWindow(self.dpy),
                               ctypes.byref(root), ctypes.byref(child), ctypes.byref(rx),
                               ctypes.byref(ry), ctypes.byref(wx), ctypes.byref(wy),
                               ctypes.byref(mask))
        return bool(mask.value & self.MOD2_MASK)


# --- the key sink ----------------------------------------------------------

# A marker key for KeySink.expect that the map in force remaps (M becomes N,
# REMAPPED_MARKER_MAP): the injector plays it after everything that was
# queued before it, so once it has arrived, an event injected late would have
# arrived too.
REMAPPED_MARKER = ("m", 78)
REMAPPED_MARKER_MAP = {77: 78}


class KeyEvent:
    """One line of KeySink's log."""

    def __init__(self, line):
        _, t, self.msg, vk, scan, ext = line.split()
        self.time_us, self.vk, self.scan, self.ext = int(t), int(vk), int(scan), ext == "1"

    def __str__(self):
        kind = {"dn": "dn", "up": "up", "sysdn": "sysdn", "sysup": "sysup"}[self.msg]
        return f"{kind}:{self.vk}{'x' if self.ext else ''}"


class KeySink:
    """KeySink.exe: a window that logs every key message it gets."""

    def __init__(self, test, folder, title=None):
        self.test = test
        self.log = os.path.join(folder, "sink.log")
        self.title = title or f"OrvaneSink-{os.getpid()}-{time.monotonic_ns()}"
        self.proc = None
        self.window = None

    def start(self):
        """Starts the sink and makes it the X focus and Wine's foreground."""
        require_display()
        self.proc = run_exe(prog("KeySink"), winpath(self.log), self.title)
        self.test.addCleanup(stop_process, self.proc)
        wait_until(lambda: "ready" in self._lines(), what="the sink window")
        self.window = wait_until(lambda: self._find_window(), what="the sink's X window")
        xdotool("windowfocus", "--sync", self.window)
        return self

    def _find_window(self):
        r = subprocess.run(["xdotool", "search", "--name", self.title], capture_output=True,
                           text=True)
        ids = r.stdout.split()
        return ids[0] if ids else None

    def _lines(self):
        try:
            with open(self.log, encoding="ascii", errors="replace") as f:
                text = f.read()
        except FileNotFoundError:
            return []
        # The sink may be writing a line right now: a line counts once its
        # end has arrived.
        return text[:text.rfind("\n") + 1].splitlines()

    def events(self, ignore=()):
        """Every key event so far, minus the virtual keys in `ignore`."""
        return [e for e in (KeyEvent(l) for l in self._lines() if l.startswith("key "))
                if e.vk not in ignore]

    def mark(self):
        """Position after the events so far; pass to since()."""
        return len(self.events())

    def since(self, mark, ignore=()):
        return [e for e in self.events()[mark:] if e.vk not in ignore]

    def wait_for(self, mark, count, ignore=(), timeout=DEFAULT_TIMEOUT):
        """Waits until `count` events arrived after mark; returns them as a
        string "dn:66 up:66" (more events than count fail the comparison the
        caller makes)."""
        events = wait_until(lambda: (lambda ev: ev if len(ev) >= count else None)(
            self.since(mark, ignore)), timeout, f"{count} key events in the sink")
        return " ".join(str(e) for e in events)

    def ensure_focus(self, keysym="z", vk=90):
        """Proves the sink has the X focus: a physical probe key reaches it."""
        m = self.mark()
        key(keysym)
        got = self.wait_for(m, 2)
        self.test.assertEqual(got, f"dn:{vk} up:{vk}")

    def expect(self, mark, expected, marker=("z", 90), repeats=False):
        """Waits for the events `expected` ("dn:66 up:66") after mark, then
        sends a marker key and checks that nothing else arrived before it:
        a missing, extra or reordered event fails. `marker` is the keysym
        pressed and the virtual key that arrives for it. repeats=True folds
        the auto-repeated presses of a held key into one.

        The default marker passes the hook unchanged: its arrival proves the
        hook has handled every key before it, not that the injector has
        sent all it was given. Where nothing (more) must arrive, pass
        REMAPPED_MARKER and remap it in the map in force: its output goes
        through the injector, which keeps queue order."""
        count = len(expected.split())
        if count:
            self.wait_for(mark, count)
        keysym, vk = marker
        key(keysym)
        wait_until(lambda: any(e.vk == vk and e.msg == "up" for e in self.since(mark)[count:]),
                   what="the marker key in the sink")
        got = self.since(mark)
        end = next(i for i, e in enumerate(got) if e.vk == vk and i >= count)
        words = [str(e) for e in got[:end]]
        if repeats:
            words = [w for i, w in enumerate(words)
                     if not (i and w == words[i - 1] and w.startswith("dn:"))]
        self.test.assertEqual(" ".join(words), expected)


# --- the engine host -------------------------------------------------------

class EngineHost:
    """EngineHost.exe: the remapping engine alone, profile 1 filled from
    `maps` ({65: [66], 71: []}; a lone code may stand for its list),
    driven by commands on its standard input."""

    def __init__(self, test, folder, maps):
        self.test = test
        self.ready = os.path.join(folder, "host.ready")
        self.errors = os.path.join(folder, "host.err")
        self.args = ["--ready", winpath(self.ready), "--commands"]
        for src, codes in maps.items():
            codes = [codes] if isinstance(codes, int) else codes
            self.args += ["--map", f"{src}={','.join(map(str, codes))}"]
        self.proc = None

    def start(self):
        require_display()
        self.proc = run_exe(prog("EngineHost"), *self.args, stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, stderr=self.errors)
        self.test.addCleanup(stop_process, self.proc)
        wait_until(lambda: os.path.exists(self.ready) or self.proc.poll() is not None,
                   what="the engine host's hook")
        if self.proc.poll() is not None:
            with open(self.errors, errors="replace") as f:
                raise AssertionError(f"EngineHost ended with {self.proc.returncode}: {f.read()}")
        return self

    def command(self, cmd):
        """Runs one command on the host's GUI thread; returns whether the hook
        is installed afterwards."""
        self.proc.stdin.write((cmd + "\n").encode())
        self.proc.stdin.flush()
        reply = self.proc.stdout.readline().decode().strip()
        if not reply.startswith("hook="):
            raise AssertionError(f"EngineHost answered {reply!r} to {cmd!r}")
        return reply == "hook=1"

    def stop(self, timeout=DEFAULT_TIMEOUT):
        """Closes the command pipe and waits for a clean exit; returns the
        exit code (None if it did not end in time)."""
        self.proc.stdin.close()
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

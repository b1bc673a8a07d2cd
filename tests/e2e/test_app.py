"""Orvane.exe end to end: start-up and single instance, the window's place
and size, keyboard presence following plug notifications, the tray icon and
its menu, About, and the saving of set.ini at exit and at log-off.

Every test runs the real program from its own fresh copy of the program
folder this build staged (e2e.STAGE_DIR). Messages the system or the shell
would send (device notifications, tray clicks) come from SendToOrvane.exe,
which finds the main window by its "game keyboard" property; keys come from
real X input through xdotool.
"""
import os
import re
import shutil
import struct
import subprocess
import unittest

import e2e

VENDOR_PATH = r"\\?\HID#VID_1A2C&PID_0002&MI_00#7&1c2b3a4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"
OTHER_VENDOR_PATH = r"\\?\HID#VID_046D&PID_C31C&MI_00#7&2a1b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"

WM_LBUTTONDBLCLK = 0x203
WM_RBUTTONDOWN = 0x204
WM_RBUTTONUP = 0x205
ID_EXIT, ID_OPEN, ID_ABOUT = 32771, 32772, 32774
SC_MINIMIZE = 0xF020


def send(*args):
    """Runs SendToOrvane.exe; returns its exit code."""
    return subprocess.run(["wine", e2e.prog("SendToOrvane"), *map(str, args)],
                          env=e2e.wine_env(), stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=e2e.DEFAULT_TIMEOUT).returncode


def window_state():
    """(exists, visible, iconic, foreground) of the main window. Any exit code
    SendToOrvane does not define for "state" (Wine failing to start it, a
    crash) fails the test rather than reading as some window state."""
    code = send("state")
    if code == 2:
        return (False, False, False, False)
    if not 10 <= code <= 17:
        raise AssertionError(f"SendToOrvane state ended with exit code {code}")
    bits = code - 10
    return (True, bool(bits & 1), bool(bits & 2), bool(bits & 4))


def read_ini(path):
    """{section: {key: value}} of an INI file in UTF-16 (with a mark) or ASCII,
    names lower-cased."""
    with open(path, "rb") as f:
        data = f.read()
    if data.startswith(b"\xff\xfe"):
        text = data[2:].decode("utf-16-le")
    elif data.startswith(b"\xef\xbb\xbf"):
        text = data[3:].decode("utf-8")
    else:
        text = data.decode("latin-1")
    sections, current = {}, None
    for line in text.splitlines():
        line = line.strip()
        m = re.fullmatch(r"\[(.*)\]", line)
        if m:
            current = sections.setdefault(m.group(1).lower(), {})
        elif current is not None and "=" in line:
            k, v = line.split("=", 1)
            current.setdefault(k.strip().lower(), v.strip())
    return sections


def key_codes(main_ini):
    """The key codes of the key cells 1..121 of a Main.ini."""
    cells = read_ini(main_ini).get("buttoninfo", {})
    codes = []
    for n in range(1, 122):
        fields = cells.get(str(n), "").split(",")
        if len(fields) > 4 and fields[4].strip().lstrip("-").isdigit():
            codes.append(int(fields[4]))
    return codes


def profile_section(codes, remap):
    """A profile section in which every key is itself except `remap`
    ({65: 66}: A becomes B)."""
    lines = []
    for c in codes:
        target = remap.get(c, c)
        lines += [f"IndexPic{c}=0", f"MacroIndex{c}=0", f"SetName{c}={target}", f"Key{c}={target}"]
    lines += ["MacroStrNum=0", "SetIndexNum=0"]
    return lines


def write_set_ini(path, active, profiles):
    """set.ini as UTF-16LE with a mark: [TYPE] type=`active` and the given
    {profile number: section lines}."""
    lines = ["[TYPE]", f"type={active}"]
    for n, body in profiles.items():
        lines.append(f"[Profile{n}]")
        lines += body
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


def bmp_size(path):
    with open(path, "rb") as f:
        header = f.read(26)
    width, height = struct.unpack("<ii", header[18:26])
    return width, abs(height)


class OrvaneTest(unittest.TestCase):
    def setUp(self):
        e2e.require_display()
        if not os.path.exists(os.path.join(e2e.STAGE_DIR, "Orvane.exe")):
            raise AssertionError(f"{e2e.STAGE_DIR} holds no Orvane.exe: build the windows preset")
        # No instance of an earlier test may still hold the mark.
        e2e.wait_until(lambda: send("find") == 2, what="no running Orvane")
        self.folder = os.path.join(e2e.fresh_dir(self), "Orvane")
        shutil.copytree(e2e.STAGE_DIR, self.folder)
        self.set_ini = os.path.join(self.folder, "set.ini")
        self.procs = []

    def tearDown(self):
        for p in self.procs:
            e2e.stop_process(p)
        e2e.wait_until(lambda: send("find") == 2, what="Orvane to be gone")

    def start(self, wait=True):
        proc = e2e.run_exe(os.path.join(self.folder, "Orvane.exe"), cwd=self.folder)
        self.procs.append(proc)
        if wait:
            e2e.wait_until(lambda: window_state()[1], what="the main window")
        return proc

    def wait_exit(self, proc):
        e2e.wait_until(lambda: proc.poll() is not None, what="Orvane to end")
        return proc.returncode

    def choose_from_tray_menu(self, accelerator):
        """Right-clicks the tray icon and picks an item of the real menu by
        its accelerator key, pressed once: the menu must take it and close.
        The pointer goes to a fixed place below the main window first, where
        the menu opens unflipped."""
        e2e.xdotool("mousemove", 600, 600)
        send("tray", 133, WM_RBUTTONUP)
        # The key is pressed once the menu's own X window gets X's keys (X
        # drops a key that reaches no Wine window): the menu shows to Wine
        # before X has mapped its window under the pointer.
        e2e.wait_until(self.menu_takes_x_keys, what="the tray menu to get X's keys")
        e2e.key(accelerator)
        e2e.wait_until(lambda: send("menu-find") == 2,
                       what=f"the tray menu to close on its accelerator {accelerator!r}")

    def menu_takes_x_keys(self):
        """Whether the X window that physical keys go to is the open popup
        menu's (the same place and size as the menu Wine shows)."""
        window = e2e.x_key_window()
        return window is not None and send("menu-find", *e2e.x_geometry(window)) == 0

    def x_window(self):
        return e2e.wait_until(lambda: e2e.xdotool("search", "--onlyvisible", "--name", "^VARNOK$").split(),
                              what="the X window named VARNOK")[0]

    def geometry(self, window):
        out = e2e.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.split())
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


class StartupTest(OrvaneTest):
    def test_window_at_origin_with_the_mask_size(self):
        self.start()
        width, height = bmp_size(os.path.join(self.folder, "skin", "main_mask.bmp"))
        self.assertEqual(self.geometry(self.x_window()), (0, 0, width, height))
        mask = e2e.winpath(os.path.join(self.folder, "skin", "main_mask.bmp"))
        self.assertEqual(send("region", mask), 0, "the window region is the mask's outline")

    def test_second_start_restores_a_minimised_first_and_ends(self):
        self.start()
        send("syscommand", SC_MINIMIZE)
        e2e.wait_until(lambda: window_state()[2], what="the window to be minimised")
        second = self.start(wait=False)
        self.assertEqual(self.wait_exit(second), 0)
        e2e.wait_until(lambda: window_state()[1:3] == (True, False),
                       what="the first window restored")
        self.assertTrue(window_state()[3], "the restored window is in the foreground")

    def test_second_start_leaves_a_hidden_first_hidden(self):
        first = self.start()
        send("hide")
        e2e.wait_until(lambda: not window_state()[1], what="the window to hide")
        second = self.start(wait=False)
        self.assertEqual(self.wait_exit(second), 0)
        self.assertEqual(window_state()[:3], (True, False, False))
        self.assertIsNone(first.poll())
        # After the first has ended, a start is a first instance again.
        send("command", ID_EXIT)
        self.assertEqual(self.wait_exit(first), 0)
        self.start()

    def test_missing_skin_and_layout_still_open_and_exit(self):
        # set.ini holds profile 2 only, dated long ago: a save at exit writes
        # all three profiles and a new time.
        write_set_ini(self.set_ini, 2, {2: ["MacroStrNum=0", "SetIndexNum=0"]})
        os.utime(self.set_ini, (1, 1))
        shutil.rmtree(os.path.join(self.folder, "skin"))
        os.remove(os.path.join(self.folder, "Main.ini"))
        proc = self.start()
        x, y, w, h = self.geometry(self.x_window())
        self.assertEqual((x, y), (0, 0))
        self.assertGreater(w * h, 0)
        send("command", ID_EXIT)
        self.assertEqual(self.wait_exit(proc), 0)
        saved = read_ini(self.set_ini)
        self.assertEqual(saved["type"]["type"], "2")
        for n in (1, 2, 3):
            self.assertIn(f"profile{n}", saved)
        self.assertGreater(os.stat(self.set_ini).st_mtime, 1)


class PresenceTest(OrvaneTest):
    def test_remapping_follows_the_keyboard(self):
        codes = key_codes(os.path.join(self.folder, "Main.ini"))
        self.assertIn(65, codes)
        write_set_ini(self.set_ini, 1, {1: profile_section(codes, {65: 66})})
        self.start()
        sink = e2e.KeySink(self, e2e.fresh_dir(self)).start()
        sink.ensure_focus()

        def typed(expected):
            m = sink.mark()
            e2e.key("a")
            sink.expect(m, expected)

        typed("dn:65 up:65")  # absent at start: keys pass unchanged
        self.assertEqual(send("device", "arrival", VENDOR_PATH), 0)
        typed("dn:66 up:66")
        # Other vendors and other record types change nothing.
        self.assertEqual(send("device", "removal", OTHER_VENDOR_PATH), 0)
        self.assertEqual(send("device", "volume"), 0)
        typed("dn:66 up:66")
        # Unplugged while the window is hidden: the hidden window still hears it.
        send("hide")
        e2e.wait_until(lambda: not window_state()[1], what="the window to hide")
        self.assertEqual(send("device", "removal", VENDOR_PATH.lower()), 0)
        typed("dn:65 up:65")
        self.assertEqual(send("device", "arrival", OTHER_VENDOR_PATH), 0)
        typed("dn:65 up:65")


class TrayTest(OrvaneTest):
    def test_double_click_shows_the_hidden_window(self):
        self.start()
        send("hide")
        e2e.wait_until(lambda: not window_state()[1], what="the window to hide")
        # A right press opens no menu: the handler returns (a menu would
        # hold it in the menu's loop) and no menu shows.
        self.assertEqual(send("tray-sent", 133, WM_RBUTTONDOWN), 0,
                         "the right press was handled and returned")
        self.assertEqual(send("menu-find"), 2, "a right press opened a menu")
        # Another icon id: nothing. About follows it in the same queue, so
        # once it is up the double click has been handled.
        send("tray", 134, WM_LBUTTONDBLCLK)
        send("syscommand", 0x0010)
        e2e.wait_until(lambda: send("dialog-find", "About") == 0, what="the About box")
        self.assertFalse(window_state()[1], "the window stayed hidden")
        self.assertEqual(send("menu-find"), 2, "no menu opened")
        send("dialog-ok", "About")
        e2e.wait_until(lambda: send("dialog-find", "About") == 2, what="About to close")
        send("tray", 133, WM_LBUTTONDBLCLK)
        e2e.wait_until(lambda: window_state()[1:3] == (True, False), what="the window shown")

    def test_open_command_shows_the_hidden_window(self):
        self.start()
        send("hide")
        e2e.wait_until(lambda: not window_state()[1], what="the window to hide")
        send("command", ID_OPEN)
        e2e.wait_until(lambda: window_state()[1], what="the window shown")

    def test_about_from_the_tray_menu_and_system_commands(self):
        self.start()
        # As the menu is used while the program lives in the tray: it must
        # take the key although nothing of the program is in front.
        send("hide")
        e2e.wait_until(lambda: not window_state()[1], what="the window to hide")
        self.choose_from_tray_menu("a")  # About(&A)
        e2e.wait_until(lambda: send("dialog-find", "About") == 0, what="About from the tray menu")
        send("dialog-ok", "About")
        e2e.wait_until(lambda: send("dialog-find", "About") == 2, what="About to close")
        for command in (0x0010, 0x001F, 0x0013):
            send("syscommand", command)
            e2e.wait_until(lambda: send("dialog-find", "About") == 0,
                           what=f"About from system command {command:#x}")
            send("dialog-ok", "About")
            e2e.wait_until(lambda: send("dialog-find", "About") == 2, what="About to close")
        send("command", ID_ABOUT)  # as ButtonMenu's About sends it
        e2e.wait_until(lambda: send("dialog-find", "About") == 0, what="About from the command")



class SaveTest(OrvaneTest):
    def assert_saved(self, active, remapped_profile):
        ini = read_ini(self.set_ini)
        self.assertEqual(ini["type"]["type"], str(active))
        for n in (1, 2, 3):
            self.assertIn(f"profile{n}", ini)
        self.assertEqual(ini[f"profile{remapped_profile}"]["key65"], "66")
        for n in {1, 2, 3} - {remapped_profile}:
            self.assertEqual(ini[f"profile{n}"]["key65"], "65")

    def prepare(self, active, remapped_profile):
        codes = key_codes(os.path.join(self.folder, "Main.ini"))
        write_set_ini(self.set_ini, active, {remapped_profile: profile_section(codes, {65: 66})})
        os.utime(self.set_ini, (1, 1))

    def test_exit_from_the_tray_menu_saves_all_profiles(self):
        self.prepare(2, 2)
        proc = self.start()
        self.choose_from_tray_menu("x")  # Exit(&x)
        self.assertEqual(self.wait_exit(proc), 0)
        self.assert_saved(2, 2)
        self.assertGreater(os.stat(self.set_ini).st_mtime, 1)

    def test_exit_closes_an_open_about_box_first(self):
        self.prepare(1, 1)
        proc = self.start()
        send("command", ID_ABOUT)
        e2e.wait_until(lambda: send("dialog-find", "About") == 0, what="the About box")
        send("command", ID_EXIT)
        self.assertEqual(self.wait_exit(proc), 0)
        self.assert_saved(1, 1)

    def test_bad_active_profile_starts_with_profile_one(self):
        self.prepare(7, 1)
        proc = self.start()
        send("command", ID_EXIT)
        self.assertEqual(self.wait_exit(proc), 0)
        self.assert_saved(1, 1)

    def test_end_session_saves(self):
        self.prepare(3, 3)
        self.start()
        subprocess.run(["wine", "wineboot", "--end-session"], env=e2e.wine_env(),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=60)
        e2e.wait_until(lambda: os.stat(self.set_ini).st_mtime > 1, what="set.ini written")
        self.assert_saved(3, 3)



if __name__ == "__main__":
    unittest.main()

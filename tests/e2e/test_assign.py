"""The key-assignment dialog end to end: a click on a key cell opens it in the
key's mode, a key pressed is captured, OK remaps the key at once (a
multimedia key, an editing shortcut), Clear gives the key back, Cancel
changes nothing, Exit stores every change, and the capture hook never
outlives the dialog.

Each test runs Orvane from its own fresh copy of the staged folder (see
test_app.OrvaneTest), plugs the keyboard in with a device arrival, and reads
the dialog's controls with AssignProbe.exe. Clicks and keys are real X input.
"""
import os
import subprocess
import unittest

import e2e
import test_app
from test_app import VENDOR_PATH, read_ini, send, write_set_ini, profile_section, key_codes

ID_OK, ID_CANCEL = 1999, 2
ID_SINGLE, ID_MACRO, ID_MEDIA, ID_FUNCTION, ID_CLEAR = 2028, 2029, 2030, 2031, 2032
ID_MACRO_ADD = 1017
ID_KEY_NAME, ID_MEDIA_COMBO, ID_FUNCTION_COMBO, ID_MACRO_COMBO, ID_EVENTS = (
    1127, 1128, 1129, 1130, 1131)
VK_A, VK_Q = 65, 81


def probe(*args):
    """AssignProbe.exe's answer as {name: value}, or None when no assignment
    dialog is open."""
    r = subprocess.run(["wine", e2e.prog("AssignProbe"), *map(str, args)], env=e2e.wine_env(),
                       capture_output=True, timeout=e2e.DEFAULT_TIMEOUT)
    if r.returncode != 0:
        return None
    text = r.stdout.decode("utf-8", "replace")
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line) or text


def mode_of(info):
    """The mode the dialog presents, from which of its mode controls show."""
    visible = {int(i) for i in info["visible"].split(",") if i}
    if ID_EVENTS in visible:
        return 4 if ID_SINGLE not in visible else 1
    for mode, control in ((0, ID_KEY_NAME), (2, ID_MEDIA_COMBO), (3, ID_FUNCTION_COMBO)):
        if control in visible:
            return mode
    return None


class AssignTest(test_app.OrvaneTest):
    def setUp(self):
        super().setUp()
        self.main_ini = os.path.join(self.folder, "Main.ini")

    def start_plugged(self):
        proc = self.start()
        self.assertEqual(send("device", "arrival", VENDOR_PATH), 0)
        return proc

    def cell_center(self, code):
        cells = read_ini(self.main_ini)["buttoninfo"]
        for n in range(1, 105):
            x, y, w, h, c = (int(v) for v in cells[str(n)].split(",")[:5])
            if c == code:
                return x + w // 2, y + h // 2
        raise AssertionError(f"no key cell with code {code}")

    def open_key(self, code):
        """Clicks the key's cell (the main window sits at 0,0) and waits for
        the dialog; returns its probe."""
        x, y = self.cell_center(code)
        e2e.xdotool("mousemove", x, y, "click", 1)
        return e2e.wait_until(lambda: probe("info"), what="the assignment dialog")

    def click(self, control):
        at = e2e.wait_until(lambda: probe("center", control), what=f"control {control} shown")
        x, y = at.split()
        e2e.xdotool("mousemove", x, y, "click", 1)

    def close_with(self, control):
        self.click(control)
        e2e.wait_until(lambda: probe("info") is None, what="the dialog to close")

    def dialog_x_window(self):
        """The X window of the open dialog (the one with the dialog's place
        and size)."""
        x, y, w, h = (int(v) for v in probe("info")["rect"].split(","))
        for window in e2e.xdotool("search", "--onlyvisible", "--classname", "orvane.exe").split():
            if self.geometry(window) == (x, y, w, h):
                return window
        raise AssertionError("no X window at the dialog's place")

    def sink(self):
        sink = e2e.KeySink(self, e2e.fresh_dir(self)).start()
        self.focus(sink)
        return sink

    def focus(self, sink):
        """Makes the sink Wine's foreground window: Wine sends keys to its
        foreground window, which the owner of a closing dialog (Orvane's main
        window) takes back, whatever the X focus is. So the main window is
        hidden first, as the program is when it lives in the tray (it keeps
        remapping there), and the sink gets a click."""
        send("hide")
        e2e.wait_until(lambda: not test_app.window_state()[1], what="the main window to hide")
        geometry = e2e.xdotool("getwindowgeometry", "--shell", sink.window)
        values = dict(line.split("=", 1) for line in geometry.split())
        x, y = int(values["X"]) + int(values["WIDTH"]) // 2, int(values["Y"]) + int(values["HEIGHT"]) // 2
        e2e.xdotool("mousemove", x, y, "click", 1)
        sink.ensure_focus()

    def typed(self, sink, keysym, expected):
        m = sink.mark()
        e2e.key(keysym)
        sink.expect(m, expected)

    def capture(self, keysym, name):
        e2e.key(keysym)
        e2e.wait_until(lambda: (probe("info") or {}).get("keyname") == name,
                       what=f"the key name {name!r}")

    def test_capture_then_ok_remaps_at_once(self):
        self.start_plugged()
        info = self.open_key(VK_A)
        self.assertEqual(mode_of(info), 0)
        self.assertEqual(info["keyname"], "A")
        self.capture("q", "Q")
        self.close_with(ID_OK)
        self.typed(self.sink(), "a", "dn:81 up:81")

    def test_a_set_ini_that_names_only_q_leaves_every_other_key_itself(self):
        # As a new user writes it by hand: Q types W; nothing else is named.
        write_set_ini(self.set_ini, 1, {1: ["Key81=87", "SetName81=W", "MacroStrNum=0"]})
        self.start_plugged()
        sink = self.sink()
        self.typed(sink, "q", "dn:87 up:87")
        self.typed(sink, "a", "dn:65 up:65")
        for letter, vk in (("a", 65), ("c", 67)):
            m = sink.mark()
            e2e.key_down("Control_L")
            e2e.key(letter)
            e2e.key_up("Control_L")
            sink.expect(m, f"dn:17 dn:{vk} up:{vk} up:17")

    def test_multimedia_play_pause_reaches_the_sink_extended(self):
        self.start_plugged()
        self.open_key(VK_A)
        self.click(ID_MEDIA)
        info = e2e.wait_until(lambda: (lambda i: i if i and mode_of(i) == 2 else None)(
            probe("info")), what="multimedia mode")
        self.assertEqual(info["media"], "0")  # "Play/Pause"
        self.close_with(ID_OK)
        self.typed(self.sink(), "a", "dn:179x up:179x")

    def test_function_copy_plays_ctrl_c(self):
        self.start_plugged()
        self.open_key(VK_A)
        self.click(ID_FUNCTION)
        e2e.wait_until(lambda: (lambda i: i and mode_of(i) == 3)(probe("info")),
                       what="function mode")
        self.assertEqual(probe("select", ID_FUNCTION_COMBO, 4), "")  # "Copy"
        self.close_with(ID_OK)
        self.typed(self.sink(), "a", "dn:17 dn:67 up:17 up:67")

    def test_opening_shows_the_keys_mode(self):
        codes = key_codes(self.main_ini)
        body = profile_section(codes, {})
        body = [l for l in body if not l.startswith(("IndexPic65=", "SetName65=", "Key65="))]
        # A name the function table holds: one it lacks ("copy") would load
        # as the key itself, in single-key mode.
        body += ["IndexPic65=3", "SetName65=Copy", "Key65=17,67"]
        write_set_ini(self.set_ini, 1, {1: body})
        self.start_plugged()
        info = self.open_key(VK_A)
        self.assertEqual(mode_of(info), 3)
        self.assertEqual(info["function"], "4")  # FindString finds "Copy"
        self.close_with(ID_CANCEL)
        info = self.open_key(VK_Q)
        self.assertEqual(mode_of(info), 0)
        self.close_with(ID_CANCEL)

    def test_macro_library_opens_alone_and_clear_does_nothing_there(self):
        write_set_ini(self.set_ini, 1, {1: profile_section(key_codes(self.main_ini),
                                                           e2e.REMAPPED_MARKER_MAP)})
        self.start_plugged()
        cells = read_ini(self.main_ini)["buttoninfo"]
        n = next(n for n in range(122, 133) if cells[str(n)].split(",")[4] == "Macro..")
        x, y, w, h = (int(v) for v in cells[str(n)].split(",")[:4])
        e2e.xdotool("mousemove", x + w // 2, y + h // 2, "click", 1)
        info = e2e.wait_until(lambda: probe("info"), what="the macro library")
        self.assertEqual(mode_of(info), 4)
        self.assertEqual(info["macro"], "0")
        self.click(ID_CLEAR)
        # Mouse input is handled in order: once Add's macro shows, Clear's
        # click has been handled too.
        self.click(ID_MACRO_ADD)
        info = e2e.wait_until(lambda: (lambda i: i if i and i["macro"] == "1" else None)(
            probe("info")), what="the added macro")
        self.assertEqual(mode_of(info), 4)
        self.close_with(ID_OK)
        sink = self.sink()
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:65 up:65", marker=e2e.REMAPPED_MARKER)  # and nothing injected

    def test_clear_then_ok_gives_the_key_back(self):
        remap = {VK_A: VK_Q, **e2e.REMAPPED_MARKER_MAP}
        write_set_ini(self.set_ini, 1, {1: profile_section(key_codes(self.main_ini), remap)
                                        + ["SetIndexNum=1", "SetIndex0=42"]})
        proc = self.start_plugged()
        self.open_key(VK_A)
        self.click(ID_CLEAR)
        e2e.wait_until(lambda: (probe("info") or {}).get("keyname") == "", what="an empty name")
        self.close_with(ID_OK)
        sink = self.sink()
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:65 up:65", marker=e2e.REMAPPED_MARKER)  # and nothing injected
        send("command", test_app.ID_EXIT)
        self.wait_exit(proc)
        profile = read_ini(self.set_ini)["profile1"]
        self.assertEqual(profile["key65"], "65")
        self.assertEqual(profile["setindexnum"], "0", "cell A is no longer marked changed")

    def test_ok_without_a_capture_keeps_the_key(self):
        write_set_ini(self.set_ini, 1, {1: profile_section(key_codes(self.main_ini), {VK_A: VK_Q})})
        self.start_plugged()
        self.open_key(VK_A)
        self.close_with(ID_OK)
        self.typed(self.sink(), "a", "dn:81 up:81")

    def test_cancel_changes_nothing(self):
        write_set_ini(self.set_ini, 1, {1: profile_section(key_codes(self.main_ini),
                                                           e2e.REMAPPED_MARKER_MAP)})
        self.start_plugged()
        self.open_key(VK_A)
        self.capture("q", "Q")
        self.close_with(ID_CANCEL)
        sink = self.sink()
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:65 up:65", marker=e2e.REMAPPED_MARKER)  # and nothing injected

    def test_exit_saves_every_change_and_a_restart_shows_it(self):
        proc = self.start_plugged()
        self.open_key(VK_A)
        self.capture("q", "Q")
        self.close_with(ID_OK)
        send("command", test_app.ID_EXIT)
        self.assertEqual(self.wait_exit(proc), 0)
        profile = read_ini(self.set_ini)["profile1"]
        self.assertEqual((profile["key65"], profile["setname65"], profile["indexpic65"]),
                         ("81", "Q", "0"))
        self.start_plugged()
        self.assertEqual(self.open_key(VK_A)["keyname"], "Q")
        self.close_with(ID_CANCEL)
        self.typed(self.sink(), "a", "dn:81 up:81")

    def test_no_capture_hook_is_left_behind(self):
        """However the dialog ends while it captures (every key is swallowed
        then, Escape included), keys reach other programs afterwards."""
        proc = self.start_plugged()
        sink = self.sink()
        # Each way captures a key whose name differs from the one the box
        # shows, so the capture is seen to happen.
        for way, keysym, name in (("ok", "q", "Q"), ("cancel", "w", "W"), ("close", "e", "E"),
                                  ("escape is captured", "r", "R")):
            with self.subTest(way=way):
                send("command", test_app.ID_OPEN)
                e2e.wait_until(lambda: test_app.window_state()[1], what="the main window")
                info = self.open_key(VK_A)  # the sink covers the upper rows
                self.assertEqual(mode_of(info), 0)
                self.capture(keysym, name)
                if way == "escape is captured":
                    self.capture("Escape", "Escape")  # named, and the dialog stays
                    self.close_with(ID_CANCEL)
                elif way == "close":
                    self.assertEqual(probe("close"), "")  # WM_CLOSE, as Alt+F4
                    e2e.wait_until(lambda: probe("info") is None, what="the dialog to close")
                else:
                    self.close_with(ID_OK if way == "ok" else ID_CANCEL)
                self.focus(sink)  # a physical key reaches the sink
        # Exit while the dialog captures ends it first, and the program.
        send("command", test_app.ID_OPEN)
        e2e.wait_until(lambda: test_app.window_state()[1], what="the main window")
        self.open_key(VK_A)
        send("command", test_app.ID_EXIT)
        self.assertEqual(self.wait_exit(proc), 0)

    def test_escape_closes_the_dialog_where_nothing_captures(self):
        self.start_plugged()
        sink = self.sink()
        send("command", test_app.ID_OPEN)
        e2e.wait_until(lambda: test_app.window_state()[1], what="the main window")
        self.open_key(VK_A)
        self.click(ID_MEDIA)
        e2e.wait_until(lambda: (lambda i: i and mode_of(i) == 2)(probe("info")),
                       what="multimedia mode")
        # Physical keys reach Wine through the X focus window.
        e2e.xdotool("windowfocus", "--sync", self.dialog_x_window())
        e2e.key("Escape")
        e2e.wait_until(lambda: probe("info") is None, what="Escape to close")
        self.focus(sink)
        self.typed(sink, "a", "dn:65 up:65")

    def test_a_captured_key_reaches_no_other_program(self):
        self.start_plugged()
        sink = self.sink()
        send("command", test_app.ID_OPEN)
        e2e.wait_until(lambda: test_app.window_state()[1], what="the main window")
        self.open_key(VK_A)
        # The sink becomes Wine's foreground window while the dialog stays
        # open (no capture hook in multimedia mode, so the probe key passes);
        # the modes are then switched by posted commands, which leave the
        # foreground where it is.
        self.click(ID_MEDIA)
        e2e.wait_until(lambda: (lambda i: i and mode_of(i) == 2)(probe("info")),
                       what="multimedia mode")
        self.focus(sink)
        m = sink.mark()
        self.assertEqual(probe("command", ID_SINGLE), "")
        e2e.wait_until(lambda: (lambda i: i and mode_of(i) == 0)(probe("info")),
                       what="single-key mode")
        self.capture("q", "Q")
        # The same key with the capture hook out does reach the sink: the
        # sink would have seen the captured one before it.
        self.assertEqual(probe("command", ID_MEDIA), "")
        e2e.wait_until(lambda: (lambda i: i and mode_of(i) == 2)(probe("info")),
                       what="multimedia mode")
        e2e.key("w")
        self.assertEqual(sink.wait_for(m, 2), "dn:87 up:87")
        self.close_with(ID_CANCEL)

    def test_the_capture_message_carries_no_pointer(self):
        """Any process can send the capture hook's message number to the
        dialog: garbage parameters are never taken for a pointer, and a copy
        of a key's fields, sent from another process, is read as the hook's
        own (Wine ignores an exception in a window procedure reached by a
        sent message, so surviving alone would not show a pointer read)."""
        self.start_plugged()
        self.open_key(VK_A)
        self.assertEqual(probe("forge"), "")
        self.assertTrue(test_app.window_state()[0], "Orvane ended")
        self.assertEqual(probe("send-key", 87, 0x11), "")  # W
        self.assertEqual((probe("info") or {}).get("keyname"), "W")
        self.capture("q", "Q")  # the dialog still captures
        self.close_with(ID_OK)
        self.typed(self.sink(), "a", "dn:81 up:81")

    def test_mode_tabs_run_from_the_keyboard_and_ok_takes_the_mode_and_its_name(self):
        """Space and Enter on a focused tab switch the mode as a click does;
        OK then stores the kind with its own name (a kind 3 key named after
        a multimedia item would load dead)."""
        codes = key_codes(self.main_ini)
        body = profile_section(codes, {})
        body = [l for l in body if not l.startswith(("IndexPic65=", "SetName65=", "Key65="))]
        body += ["IndexPic65=2", "SetName65=Play/Pause", "Key65=179"]
        write_set_ini(self.set_ini, 1, {1: body})
        proc = self.start_plugged()
        self.assertEqual(mode_of(self.open_key(VK_A)), 2)  # nothing captures keys
        e2e.xdotool("windowfocus", "--sync", self.dialog_x_window())
        for tab, keysym, mode in ((ID_FUNCTION, "Return", 3), (ID_MEDIA, "space", 2),
                                  (ID_FUNCTION, "space", 3)):
            with self.subTest(tab=tab, key=keysym):
                self.assertEqual(probe("focus", tab), "")
                e2e.key(keysym)
                e2e.wait_until(lambda: (lambda i: i and mode_of(i) == mode)(probe("info")),
                               what=f"mode {mode} after {keysym}")
        self.assertEqual(probe("select", ID_FUNCTION_COMBO, 4), "")  # "Copy"
        self.close_with(ID_OK)
        self.typed(self.sink(), "a", "dn:17 dn:67 up:17 up:67")
        send("command", test_app.ID_EXIT)
        self.assertEqual(self.wait_exit(proc), 0)
        profile = read_ini(self.set_ini)["profile1"]
        self.assertEqual((profile["indexpic65"], profile["setname65"]), ("3", "Copy"))


if __name__ == "__main__":
    unittest.main()

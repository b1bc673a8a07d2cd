"""Macros end to end: recorded from real keys in the assignment dialog, bound
to a key, played into a sink, kept across Exit and restart, and deleted from
the library without any other key's macro changing.

Each test runs Orvane from its own fresh copy of the staged folder
(test_app.OrvaneTest), plugs the keyboard in with a device arrival, reads the
macro controls with MacroProbe.exe and answers message boxes with it. Clicks
and keys are real X input.
"""
import ctypes
import os
import subprocess
import unittest

import e2e
import test_app
import test_assign
import test_dispatch
from test_app import read_ini, send, write_set_ini, profile_section, key_codes
from test_assign import ID_OK, ID_CANCEL, ID_MACRO, ID_MACRO_COMBO, ID_MEDIA, ID_SINGLE, probe

ID_ADD, ID_DELETE_MACRO, ID_RECORD = 1017, 1018, 1020
MACRO_CELL = 125  # "Macro.." in Main.ini
VK_A, VK_Q, VK_W, VK_E = 65, 81, 87, 69
SCAN = {"a": 0x1E, "b": 0x30, "c": 0x2E, "d": 0x20, "e": 0x12, "f": 0x21}
LETTERS = "abcdefghijklmnopqrst"  # 20 keys: 40 recorded events


def macro_probe(*args):
    """MacroProbe.exe's answer as {name: value}, or None when nothing is open."""
    r = subprocess.run(["wine", e2e.prog("MacroProbe"), *map(str, args)], env=e2e.wine_env(),
                       capture_output=True, timeout=e2e.DEFAULT_TIMEOUT)
    if r.returncode != 0:
        return None
    text = r.stdout.decode("utf-8", "replace")
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def focus_window_under_pointer():
    """Gives the X focus to the top-level window under the pointer: without a
    window manager a click does not move it, and keys follow the X focus."""
    x = e2e.XDisplay()
    try:
        root, child = ctypes.c_ulong(), ctypes.c_ulong()
        ints = [ctypes.c_int() for _ in range(4)]
        mask = ctypes.c_uint()
        x.x11.XQueryPointer(x.dpy, x.x11.XDefaultRootWindow(x.dpy), ctypes.byref(root),
                            ctypes.byref(child), *map(ctypes.byref, ints), ctypes.byref(mask))
        window = child.value
    finally:
        x.close()
    e2e.xdotool("windowfocus", "--sync", window)


def mode_of(state):
    """The mode the dialog presents, from which of its mode controls show."""
    visible = state["visible"].split(",")
    if "1131" in visible:
        return 1 if "2028" in visible else 4
    return 0 if "1127" in visible else None


def rows(state):
    return state["rows"].split("|") if state["rows"] else []


def events(*keys):
    """MacroKey ints of a down and an up event per letter."""
    ints = []
    for k in keys:
        vk, scan = ord(k.upper()), SCAN[k]
        up = ctypes.c_int32((scan << 16) + (0x80 << 24)).value  # stored as a signed int
        ints += [scan << 16, vk, 1, up, vk, 0]
    return ints


class MacroTest(test_app.OrvaneTest):
    start_plugged = test_assign.AssignTest.start_plugged
    cell_center = test_assign.AssignTest.cell_center

    def setUp(self):
        super().setUp()
        self.main_ini = self.folder + "/Main.ini"

    # A sink that is Wine's foreground window (the main window hides first).
    sink = test_assign.AssignTest.sink
    focus = test_assign.AssignTest.focus

    def click(self, control):
        at = e2e.wait_until(lambda: probe("center", control), what=f"control {control} shown")
        e2e.xdotool("mousemove", *at.split(), "click", 1)

    def open_cell(self, x, y):
        e2e.xdotool("mousemove", x, y, "click", 1)
        return e2e.wait_until(lambda: macro_probe("state"), what="the assignment dialog")

    def open_key(self, code):
        return self.open_cell(*self.cell_center(code))

    def close_with(self, control):
        self.click(control)
        e2e.wait_until(lambda: macro_probe("state") is None, what="the dialog to close")

    def cell(self, n):
        """The centre of main window cell n (the window sits at 0,0)."""
        x, y, w, h = (int(v) for v in read_ini(self.main_ini)["buttoninfo"][str(n)].split(",")[:4])
        return x + w // 2, y + h // 2

    def open_library(self):
        state = self.open_cell(*self.cell(MACRO_CELL))
        self.assertEqual(mode_of(state), 4)
        return state

    def state_until(self, cond, what):
        last = {}

        def check():
            last["state"] = macro_probe("state")
            return last["state"] if last["state"] and cond(last["state"]) else None
        try:
            return e2e.wait_until(check, what=what)
        except AssertionError as e:
            raise AssertionError(f"{e}; the dialog shows {last.get('state')}") from None

    def toggle_record(self, on):
        """Clicks Record and waits until recording is `on`. With NumLock off
        (as in a fresh X display) the dialog first says "Keypad not locked";
        the test answers it as a user does, and recording switches anyway."""
        self.click(ID_RECORD)
        recording = lambda s: "1017" not in s["enabled"].split(",")
        box = e2e.wait_until(lambda: macro_probe("box") or (
            lambda s: s and recording(s) == on)(macro_probe("state")), what="Record")
        if "caption" in box:
            self.assertEqual(box, {"caption": "", "text": "Keypad not locked"})
            self.assertEqual(macro_probe("answer", 1), {})
        return self.state_until(lambda s: recording(s) == on, f"recording {on}")

    def record(self, keys, count):
        """Record on, keys() (real X keys), Record off; returns the dialog's
        state once `count` more rows show and recording is off again."""
        before = len(rows(macro_probe("state")))
        self.toggle_record(True)
        keys()
        self.state_until(lambda s: len(rows(s)) >= before + count, "the recorded rows")
        return self.toggle_record(False)

    def bind(self, code, macro):
        """Opens the key's cell, switches to macro mode, selects `macro` and
        confirms with OK."""
        self.open_key(code)
        self.click(ID_MACRO)
        self.state_until(lambda s: s["items"], "the macro names")
        self.select_macro(macro)
        self.close_with(ID_OK)

    def select_macro(self, macro):
        """Selects item `macro` of the combo with the Down key, as a user does."""
        selected = int(macro_probe("state")["selected"])
        if selected != macro:
            self.click(ID_MACRO_COMBO)  # the focus into the combo's edit field
            focus_window_under_pointer()
            for _ in range(macro - selected):
                e2e.key("Down")
            self.state_until(lambda s: s["selected"] == str(macro), f"macro {macro} selected")

    def plays(self, sink, keysym, expected):
        m = sink.mark()
        e2e.key(keysym)
        with self.subTest(key=keysym):
            sink.expect(m, expected)

    def exit_and_restart(self, proc):
        send("command", test_app.ID_EXIT)
        self.assertEqual(self.wait_exit(proc), 0)
        return self.start_plugged()

    def test_record_shift_a_bind_it_and_the_key_types_a_capital_a(self):
        self.start_plugged()
        self.open_library()
        self.click(ID_ADD)
        self.state_until(lambda s: s["items"] == "define0", "the new macro define0")
        state = self.record(lambda: (e2e.key_down("shift"), e2e.key("a"), e2e.key_up("shift")), 4)
        self.assertEqual(rows(state), ["Shift:down", "A:down", "A:up", "Shift:up"])
        self.close_with(ID_OK)
        self.bind(VK_Q, 0)
        self.plays(self.sink(), "q", "dn:16 dn:65 up:16 up:65")

    def test_a_forty_event_macro_with_a_foreign_name_survives_exit_and_restart(self):
        name = "宏 Überlänge " + "x" * 200
        body = profile_section(key_codes(self.main_ini), {})
        body = [l for l in body if not l.startswith("MacroStrNum=")]
        body += ["MacroStrNum=1", f"MacroName0={name}", "MacroKeyNum0=0", "MacroKey0="]
        write_set_ini(self.set_ini, 1, {1: body})
        proc = self.start_plugged()
        self.assertEqual(self.open_library()["items"], name)
        state = self.record(lambda: e2e.key(*LETTERS), 40)
        self.assertEqual(len(rows(state)), 40)
        self.close_with(ID_OK)
        self.bind(VK_Q, 0)
        proc = self.exit_and_restart(proc)
        profile = read_ini(self.set_ini)["profile1"]
        self.assertEqual((profile["macrostrnum"], profile["macroname0"], profile["macrokeynum0"]),
                         ("1", name, "120"))
        state = self.open_library()
        self.assertEqual(state["items"], name)
        self.assertEqual(rows(state), [f"{k.upper()}:{a}" for k in LETTERS
                                       for a in ("down", "up")])
        self.close_with(ID_OK)
        sink = self.sink()
        self.plays(sink, "q", " ".join([f"dn:{ord(k.upper())}" for k in LETTERS] +
                                       [f"up:{ord(k.upper())}" for k in LETTERS]))

    def test_deleting_the_middle_macro_keeps_every_other_key_on_its_own_macro(self):
        # Q plays macro 0 (A), E macro 1 (B), W macro 2 (C).
        body = profile_section(key_codes(self.main_ini), {})
        body = [l for l in body if not l.startswith(("MacroStrNum=",) + tuple(
            f"{p}{c}=" for c in (VK_Q, VK_W, VK_E) for p in ("IndexPic", "MacroIndex", "SetName")))]
        body += ["MacroStrNum=3"]
        for i, (name, letter) in enumerate((("first", "a"), ("middle", "b"), ("last", "c"))):
            ints = events(letter)
            body += [f"MacroName{i}={name}", f"MacroKeyNum{i}={len(ints)}",
                     f"MacroKey{i}={','.join(map(str, ints))}"]
        for code, macro, name in ((VK_Q, 0, "first"), (VK_E, 1, "middle"), (VK_W, 2, "last")):
            body += [f"IndexPic{code}=1", f"MacroIndex{code}={macro}", f"SetName{code}={name}"]
        write_set_ini(self.set_ini, 1, {1: body})
        proc = self.start_plugged()
        self.open_library()
        self.select_macro(1)
        self.state_until(lambda s: s["selected"] == "1" and rows(s) == ["B:down", "B:up"],
                         "the middle macro shown")
        self.click(ID_DELETE_MACRO)
        box = e2e.wait_until(lambda: macro_probe("box"), what="the reference prompt")
        self.assertEqual(box, {"caption": "keyboard", "text": "Some key settings are detected "
                               "pointing to this macro, and you really need to delete this "
                               "macro ?"})
        self.assertEqual(macro_probe("answer", 1), {})
        state = self.state_until(lambda s: s["items"] == "first|last", "the middle one gone")
        self.assertEqual((state["selected"], rows(state)), ("0", ["A:down", "A:up"]))
        self.close_with(ID_OK)
        # Until the main window commits the edit (Apply, OK or Exit) the keys
        # play what they played, each its own macro.
        sink = self.sink()
        for keysym, expected in (("q", "dn:65 up:65"), ("w", "dn:67 up:67")):
            self.plays(sink, keysym, expected)
        self.exit_and_restart(proc)
        profile = read_ini(self.set_ini)["profile1"]
        self.assertEqual((profile["macrostrnum"], profile["macroindex87"], profile["indexpic69"]),
                         ("2", "1", "0"))
        # Committed and stored: Q and W still play their own macros (W's index
        # renumbered), E, bound to the deleted one, is itself again.
        sink = self.sink()
        for keysym, expected in (("q", "dn:65 up:65"), ("w", "dn:67 up:67"),
                                 ("e", "dn:69 up:69")):
            self.plays(sink, keysym, expected)

    def main_cell(self, name):
        """The centre of the main window's cell named `name`."""
        for n, value in read_ini(self.main_ini)["buttoninfo"].items():
            if value.split(",")[-1].strip() == name:
                return self.cell(int(n))
        raise AssertionError(f"no cell named {name!r}")

    def commit_with(self, name):
        """Shows the main window, clicks its cell `name` (Apply or OK) and
        waits until the click was taken."""
        send("command", test_app.ID_OPEN)
        e2e.wait_until(lambda: test_app.window_state()[1], what="the main window shown")
        e2e.xdotool("mousemove", *self.main_cell(name), "click", 1)
        if name == "OK":
            e2e.wait_until(lambda: not test_app.window_state()[1], what="OK to hide the window")
            return
        # Apply shows nothing. Clicks are taken in order, so Default's
        # question, asked after it, proves it ran; Escape declines it.
        e2e.xdotool("mousemove", *self.main_cell("Default"), "click", 1)
        e2e.wait_until(lambda: test_dispatch.probe("text", "keyboard")[0] == 0,
                       what="Default's question")
        box = e2e.wait_until(lambda: test_dispatch.visible_window("keyboard"),
                             what="the question's X window")
        e2e.xdotool("windowfocus", "--sync", box)
        e2e.key("Escape")
        e2e.wait_until(lambda: test_dispatch.probe("text", "keyboard")[0] == 2,
                       what="the question to close")

    def test_apply_and_ok_commit_a_library_edit_at_once(self):
        # Q plays macro 0, which holds A.
        body = profile_section(key_codes(self.main_ini), {})
        body = [l for l in body if not l.startswith(
            ("MacroStrNum=", f"IndexPic{VK_Q}=", f"MacroIndex{VK_Q}=", f"SetName{VK_Q}="))]
        ints = events("a")
        body += ["MacroStrNum=1", "MacroName0=first", f"MacroKeyNum0={len(ints)}",
                 f"MacroKey0={','.join(map(str, ints))}",
                 f"IndexPic{VK_Q}=1", f"MacroIndex{VK_Q}=0", f"SetName{VK_Q}=first"]
        write_set_ini(self.set_ini, 1, {1: body})
        self.start_plugged()
        for letter, commit, old, new in (
                ("b", "Apply", "dn:65 up:65", "dn:65 dn:66 up:65 up:66"),
                ("c", "OK", "dn:65 dn:66 up:65 up:66", "dn:65 dn:66 dn:67 up:65 up:66 up:67")):
            with self.subTest(commit=commit):
                send("command", test_app.ID_OPEN)
                e2e.wait_until(lambda: test_app.window_state()[1], what="the main window shown")
                self.open_library()
                self.record(lambda: e2e.key(letter), 2)
                self.close_with(ID_OK)
                sink = self.sink()
                self.plays(sink, "q", old)  # not committed yet
                self.commit_with(commit)
                # A new sink: the one whose focus the main window took may not
                # get it back.
                self.plays(self.sink(), "q", new)  # committed: no Exit needed

    # --- the recorder's capture hook with the real dialog -------------------

    def open_macro_mode(self, code):
        """Opens the key's cell in macro mode (a first macro is added when
        the library is empty); returns the dialog's state."""
        self.open_key(code)
        self.click(ID_MACRO)
        return self.state_until(lambda s: mode_of(s) == 1 and s["items"], "macro mode")

    def show_main_window(self):
        send("command", test_app.ID_OPEN)
        e2e.wait_until(lambda: test_app.window_state()[1], what="the main window")

    def test_a_recording_ends_whole_however_it_ends_and_keys_reach_programs_again(self):
        """Escape and Alt+F4 pressed while recording are recorded; Record
        off, OK, Cancel and WM_CLOSE end the recording, after which keys
        reach other programs and a reopened dialog is not recording."""
        self.start_plugged()
        sink = self.sink()
        recorded = ["Escape:down", "Escape:up", "Alt:down", "F4:down", "F4:up", "Alt:up"]
        for way in ("record off", "ok", "cancel", "close"):
            with self.subTest(way=way):
                self.show_main_window()
                state = self.open_macro_mode(VK_A)  # the sink covers the upper rows
                self.assertIn("1017", state["enabled"].split(","), "opened recording")
                before = len(rows(state))
                self.toggle_record(True)
                e2e.key("Escape")
                e2e.key_down("alt")
                e2e.key("F4")
                e2e.key_up("alt")
                state = self.state_until(lambda s: len(rows(s)) >= before + 6, "the recorded rows")
                self.assertEqual(rows(state)[before:], recorded)
                if way == "record off":
                    self.toggle_record(False)
                    self.focus(sink)  # the dialog still open
                    self.show_main_window()
                    self.close_with(ID_CANCEL)
                elif way == "close":
                    self.assertEqual(probe("close"), "")  # WM_CLOSE
                    e2e.wait_until(lambda: macro_probe("state") is None, what="the dialog to close")
                else:
                    self.close_with(ID_OK if way == "ok" else ID_CANCEL)
                self.focus(sink)
        self.show_main_window()
        state = self.open_macro_mode(VK_A)
        self.assertIn("1017", state["enabled"].split(","), "reopened recording")
        self.close_with(ID_CANCEL)

    def test_leaving_macro_mode_ends_the_recording(self):
        self.start_plugged()
        self.open_macro_mode(VK_A)
        self.toggle_record(True)
        e2e.key("w")
        self.state_until(lambda s: rows(s) == ["W:down", "W:up"], "the recorded key")
        self.click(ID_MEDIA)
        state = self.state_until(lambda s: "1128" in s["visible"].split(","), "multimedia mode")
        self.assertIn("1017", state["enabled"].split(","), "still recording")
        self.click(ID_MACRO)
        state = self.state_until(lambda s: mode_of(s) == 1, "macro mode")
        self.assertEqual((rows(state), "1017" in state["enabled"].split(",")),
                         (["W:down", "W:up"], True))
        self.close_with(ID_CANCEL)

    def test_ok_in_single_key_mode_after_a_recording_keeps_the_key(self):
        """A key recorded in the macro tab never becomes the single-key
        capture target."""
        self.start_plugged()
        self.open_macro_mode(VK_A)
        self.toggle_record(True)
        e2e.key("w")
        self.state_until(lambda s: rows(s) == ["W:down", "W:up"], "the recorded key")
        self.toggle_record(False)
        self.click(ID_SINGLE)
        self.state_until(lambda s: mode_of(s) == 0, "single-key mode")
        self.close_with(ID_OK)
        self.plays(self.sink(), "a", "dn:65 up:65")

    def test_record_is_disabled_while_no_macro_is_selected(self):
        self.start_plugged()
        state = self.open_library()  # the default library is empty
        self.assertEqual(state["items"], "")
        self.assertNotIn("1020", state["enabled"].split(","))
        self.click(ID_ADD)
        state = self.state_until(lambda s: s["items"] == "define0", "the new macro")
        self.assertIn("1020", state["enabled"].split(","))
        self.click(ID_DELETE_MACRO)
        state = self.state_until(lambda s: s["items"] == "", "the macro deleted")
        self.assertNotIn("1020", state["enabled"].split(","))
        self.close_with(ID_OK)

    def test_stopping_with_numlock_off_lets_the_keyboard_answer_the_box(self):
        """The capture hook is out before "Keypad not locked" shows: Enter
        answers the box instead of going into the macro."""
        self.start_plugged()
        if macro_probe("numlock") == {"numlock": "1"}:
            e2e.key("Num_Lock")
        e2e.wait_until(lambda: macro_probe("numlock") == {"numlock": "0"}, what="NumLock off")
        self.open_library()
        self.click(ID_ADD)
        self.state_until(lambda s: s["items"] == "define0", "the new macro")
        self.toggle_record(True)
        e2e.key("b")
        self.state_until(lambda s: len(rows(s)) == 2, "the recorded key")
        self.click(ID_RECORD)
        box = e2e.wait_until(lambda: macro_probe("box"), what="the NumLock box")
        self.assertEqual(box, {"caption": "", "text": "Keypad not locked"})
        e2e.key("Return")
        e2e.wait_until(lambda: macro_probe("box") is None, what="Enter to answer the box")
        state = self.state_until(lambda s: "1017" in s["enabled"].split(","), "recording off")
        self.assertEqual(rows(state), ["B:down", "B:up"])
        self.close_with(ID_OK)


    def test_enter_while_renaming_ends_the_rename_and_keeps_the_dialog(self):
        self.start_plugged()
        self.open_library()
        self.click(ID_ADD)
        self.state_until(lambda s: s["items"] == "define0", "the new macro")
        self.click(ID_MACRO_COMBO)  # the focus into the combo's edit field
        focus_window_under_pointer()
        e2e.key("End", "x", "y")
        self.state_until(lambda s: s["text"] == "define0xy", "the typed name")
        e2e.key("Return")
        state = self.state_until(lambda s: s["items"] == "define0xy", "the rename ended")
        self.assertEqual(state["selected"], "0")
        self.close_with(ID_OK)

    def test_log_off_while_the_dialog_captures_or_records(self):
        """wineboot --end-session (a log-off: WM_QUERYENDSESSION and
        WM_ENDSESSION, no WM_DESTROY) while the dialog's capture hook is in:
        set.ini holds the change made before, Orvane ends cleanly (Wine ends
        every program of the session then) and keys reach a program started
        afterwards."""
        for recording in (False, True):
            with self.subTest(recording=recording):
                proc = self.start_plugged()
                self.open_key(VK_A)
                test_assign.AssignTest.capture(self, "q", "Q")
                self.close_with(ID_OK)  # a change that only set.ini can keep
                if recording:
                    self.open_macro_mode(VK_W)
                    self.toggle_record(True)
                else:
                    self.assertEqual(mode_of(self.open_key(VK_W)), 0)
                os.utime(self.set_ini, (1, 1))
                subprocess.run(["wine", "wineboot", "--end-session"], env=e2e.wine_env(),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
                self.assertEqual(self.wait_exit(proc), 0)
                self.assertGreater(os.stat(self.set_ini).st_mtime, 1, "set.ini not written")
                profile = read_ini(self.set_ini)["profile1"]
                self.assertEqual((profile["key65"], profile["key87"]), ("81", "87"))
                e2e.KeySink(self, e2e.fresh_dir(self)).start().ensure_focus()


if __name__ == "__main__":
    unittest.main()

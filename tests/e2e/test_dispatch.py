"""Orvane.exe end to end: clicks on the main window's command cells (the
window buttons, Default and the profile buttons with their prompts, the drag
that follows a click) and the profile file commands of the button menu
(Export, Import) through the real file dialogs, driven by the keyboard.

Every test runs the real program from its own fresh copy of the staged
folder. Clicks and keys are real X input (xdotool); the prompts are found by
their caption "keyboard" and read with DialogProbe.exe; what a test changed is
read from set.ini after Exit.
"""
import os
import subprocess
import unittest

import e2e
from test_app import ID_EXIT, ID_OPEN, OrvaneTest, key_codes, profile_section, read_ini, send, \
    window_state, write_set_ini

DEFAULT_PROMPT = "Do you want to restore the default seetings?"
SAVE_PROMPT = "Do you want to save the settings?"
NO_PROFILE = "This file holds no profile. Nothing was imported."
EXPORT_FAILED = "The profile could not be exported to this file. The file was not changed."
NOT_READ = "This file could not be read:"
NOTHING_IMPORTED = "Nothing was imported."
TOO_LARGE = "This file is larger than 16 MB, too large to hold a profile. Nothing was imported."


def probe(*args):
    """Runs DialogProbe.exe; returns (exit code, stdout)."""
    r = subprocess.run(["wine", e2e.prog("DialogProbe"), *map(str, args)], env=e2e.wine_env(),
                       capture_output=True, timeout=e2e.DEFAULT_TIMEOUT)
    return r.returncode, r.stdout.decode("utf-8", "replace")


def visible_windows(title):
    """The X window ids of the visible windows titled exactly `title`."""
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                       capture_output=True, text=True)
    return r.stdout.split()


def visible_window(title):
    """The X window id of a visible window titled exactly `title`, or None."""
    ids = visible_windows(title)
    return ids[0] if ids else None


class DispatchTest(OrvaneTest):
    def setUp(self):
        super().setUp()
        self.cells = {}
        for n, value in read_ini(os.path.join(self.folder, "Main.ini"))["buttoninfo"].items():
            fields = [f.strip() for f in value.split(",")]
            x, y, w, h = map(int, fields[:4])
            self.cells[fields[-1]] = (x + w // 2, y + h // 2)
        # Tests of other modules expect the pointer away from the window.
        self.addCleanup(e2e.xdotool, "mousemove", 1270, 1010)

    def prepare(self, active, remapped):
        """set.ini with `active` in force and A remapped to B in the profiles
        `remapped`; the others keep every key itself."""
        codes = key_codes(os.path.join(self.folder, "Main.ini"))
        write_set_ini(self.set_ini, active,
                      {n: profile_section(codes, {65: 66} if n in remapped else {})
                       for n in (1, 2, 3)})

    def click(self, name):
        x, y = self.cells[name]
        e2e.xdotool("mousemove", x, y, "click", 1)

    def prompt(self, text):
        """Waits for the message box showing `text`; returns its X window."""
        e2e.wait_until(lambda: probe("text", "keyboard")[0] == 0, what=f"the prompt {text!r}")
        self.assertIn(text, probe("text", "keyboard")[1].splitlines())
        return e2e.wait_until(lambda: visible_window("keyboard"), what="the prompt's X window")

    def answer(self, box, keysym):
        """Answers a message box from the keyboard (Return: OK, Escape: Cancel)."""
        e2e.xdotool("windowfocus", "--sync", box)
        e2e.key(keysym)
        e2e.wait_until(lambda: probe("text", "keyboard")[0] == 2, what="the prompt to close")

    def exit_and_read(self, proc):
        send("command", ID_EXIT)
        self.assertEqual(self.wait_exit(proc), 0)
        return read_ini(self.set_ini)

    def menu(self, downs):
        """Opens the button menu with the "Menu" cell and picks its item
        number `downs` (1 Import, 2 Export) with the arrow keys."""
        self.click("Menu")
        e2e.wait_until(lambda: send("menu-find") == 0, what="the button menu")
        e2e.key(*(["Down"] * downs), "Return")
        e2e.wait_until(lambda: send("menu-find") == 2, what="the button menu to close")

    def file_dialog(self, title, path, replace=False):
        """Types `path` into the file dialog `title` and confirms it; with
        `replace`, also confirms the dialog's question whether to replace
        the existing file (a second window of the same title)."""
        window = e2e.wait_until(lambda: visible_window(title), what=f"the {title!r} dialog")
        e2e.xdotool("windowfocus", "--sync", window)
        e2e.xdotool("type", "--delay", 5, e2e.winpath(path))
        e2e.key("Return")
        if replace:
            question = e2e.wait_until(
                lambda: next((w for w in visible_windows(title) if w != window), None),
                what="the question whether to replace the file")
            e2e.xdotool("windowfocus", "--sync", question)
            e2e.key("Return")  # Yes
        e2e.wait_until(lambda: not visible_window(title), what=f"the {title!r} dialog to close")

    def open_library_and_add_a_macro(self):
        """"Macro..", Add (1017), OK (1999): an uncommitted library edit."""
        self.click("Macro..")
        e2e.wait_until(lambda: probe("owned")[0] == 0, what="the assignment dialog")
        self.assertEqual(probe("command", 1017)[0], 0)
        self.assertEqual(probe("command", 1999)[0], 0)
        e2e.wait_until(lambda: probe("owned")[0] == 2, what="the assignment dialog to close")

    def hold(self, path):
        """Holds `path` open without sharing (HoldFile.exe) until the test ends."""
        ready = os.path.join(e2e.fresh_dir(self), "held")
        holder = e2e.run_exe(e2e.prog("HoldFile"), e2e.winpath(path), e2e.winpath(ready))
        self.addCleanup(e2e.stop_process, holder)
        e2e.wait_until(lambda: os.path.exists(ready), what=f"{path} held")


class DefaultAndProfileTest(DispatchTest):
    def test_default_prompt_cancel_keeps_the_profile(self):
        self.prepare(2, {1, 2})
        proc = self.start()
        self.click("Default")
        self.answer(self.prompt(DEFAULT_PROMPT), "Escape")
        ini = self.exit_and_read(proc)
        self.assertEqual(ini["profile2"]["key65"], "66")

    def test_default_prompt_ok_resets_only_the_profile_in_force(self):
        self.prepare(2, {1, 2})
        proc = self.start()
        self.click("Default")
        self.answer(self.prompt(DEFAULT_PROMPT), "Return")
        ini = self.exit_and_read(proc)
        self.assertEqual(ini["type"]["type"], "2")
        self.assertEqual(ini["profile2"]["key65"], "65")
        self.assertEqual(ini["profile2"]["setindexnum"], "0")
        self.assertEqual(ini["profile1"]["key65"], "66")

    def test_switch_without_edits_asks_nothing_and_clicks_keep_working(self):
        self.prepare(1, {3})
        proc = self.start()
        self.click("Profile3")
        # Clicks are taken in order and a prompt would block the window: the
        # next prompt seen is Default's only if the switch asked nothing.
        self.click("Default")
        box = self.prompt(DEFAULT_PROMPT)
        self.answer(box, "Escape")
        # After the prompt the window does not follow the pointer, and the
        # next click is a click.
        e2e.xdotool("mousemove", 700, 700)
        self.click("Profile2")
        self.click("Default")
        self.answer(self.prompt(DEFAULT_PROMPT), "Return")
        self.assertEqual(self.geometry(self.x_window())[:2], (0, 0))
        ini = self.exit_and_read(proc)
        self.assertEqual(ini["type"]["type"], "2")
        self.assertEqual(ini["profile3"]["key65"], "66")

    def switch_after_a_library_edit(self, keysym):
        self.prepare(1, set())
        proc = self.start()
        self.open_library_and_add_a_macro()
        self.click("Profile2")
        self.answer(self.prompt(SAVE_PROMPT), keysym)
        ini = self.exit_and_read(proc)
        self.assertEqual(ini["type"]["type"], "2")
        return ini["profile1"].get("macrostrnum")

    def test_after_an_import_the_next_switch_asks_nothing(self):
        self.prepare(1, set())
        exported = os.path.join(e2e.fresh_dir(self), "exported.ini")
        codes = key_codes(os.path.join(self.folder, "Main.ini"))
        write_set_ini(exported, 1, {1: profile_section(codes, {65: 66})})
        proc = self.start()
        self.open_library_and_add_a_macro()  # uncommitted edits, replaced by the import
        self.menu(1)
        self.file_dialog("Open", exported)
        # A prompt blocks the window and clicks are taken in order: the first
        # prompt seen is Default's only if the switch asked nothing.
        self.click("Profile2")
        self.click("Default")
        self.answer(self.prompt(DEFAULT_PROMPT), "Escape")
        ini = self.exit_and_read(proc)
        self.assertEqual(ini["type"]["type"], "2")
        self.assertEqual(ini["profile1"]["key65"], "66")
        self.assertEqual(ini["profile1"]["macrostrnum"], "0")

    def test_switch_with_unsaved_edits_asks_and_ok_saves(self):
        self.assertEqual(self.switch_after_a_library_edit("Return"), "1")

    def test_switch_with_unsaved_edits_asks_and_cancel_drops(self):
        self.assertEqual(self.switch_after_a_library_edit("Escape"), "0")


class WindowButtonTest(DispatchTest):
    def reopen(self):
        send("command", ID_OPEN)
        e2e.wait_until(lambda: window_state()[1:3] == (True, False), what="the window shown")

    def test_close_ok_cancel_hide_minimize_minimizes_apply_stays(self):
        self.prepare(1, set())
        self.start()
        for name in ("Close", "OK", "Cancel"):
            self.click(name)
            e2e.wait_until(lambda: window_state()[:2] == (True, False),
                           what=f"{name} to hide the window")
            self.reopen()
        self.click("Minimize")
        e2e.wait_until(lambda: window_state()[2], what="the window minimised")
        self.reopen()
        # Apply hides nothing: a drag that starts on it moves the window.
        x, y = self.cells["Apply"]
        e2e.xdotool("mousemove", x, y, "mousedown", 1)
        for step in range(1, 6):
            e2e.xdotool("mousemove", x + 20 * step, y + 12 * step)
        e2e.xdotool("mouseup", 1)
        window = self.x_window()
        e2e.wait_until(lambda: self.geometry(window)[:2] == (100, 60),
                       what="the window dragged by (100, 60)")
        self.assertEqual(window_state()[:3], (True, True, False))


class ProfileFileTest(DispatchTest):
    def test_export_profile_2_then_import_into_profile_3(self):
        codes = key_codes(os.path.join(self.folder, "Main.ini"))
        name = "Ελληνικά 中文 макрос " + "x" * 300
        events = ",".join(f"{30 << 16},{65 + i % 26},{i % 2}" for i in range(50))
        p2 = profile_section(codes, {65: 66})
        p2 = [l for l in p2 if not l.startswith(("MacroStrNum", "SetIndexNum",
                                                "IndexPic66", "MacroIndex66", "SetName66"))]
        p2 += ["IndexPic66=1", "MacroIndex66=0", f"SetName66={name}", "MacroStrNum=1",
               f"MacroName0={name}", f"MacroKey0={events}", "MacroKeyNum0=150",
               "SetIndexNum=1", "setindex0=47"]
        write_set_ini(self.set_ini, 2, {1: profile_section(codes, {}), 2: p2,
                                        3: profile_section(codes, {})})
        target = os.path.join(e2e.fresh_dir(self), "profile 2.ini")
        with open(target, "w") as f:  # an existing target keeps its other sections
            f.write("[Other]\r\nkept=yes\r\n")
        proc = self.start()
        self.menu(2)
        self.file_dialog("Save As", target, replace=True)
        exported = e2e.wait_until(lambda: "profile2" in read_ini(target) and read_ini(target),
                                  what="the exported file")
        self.assertEqual(exported["type"]["type"], "2")
        self.assertEqual(exported["other"]["kept"], "yes")

        self.click("Profile3")
        self.menu(1)
        self.file_dialog("Open", target)
        ini = self.exit_and_read(proc)
        self.assertEqual(ini["type"]["type"], "3")
        self.assertEqual(ini["profile3"], ini["profile2"])
        self.assertEqual(ini["profile3"]["macroname0"], name)
        self.assertEqual(ini["profile3"]["key65"], "66")

    def test_a_failed_export_says_so_and_leaves_the_file(self):
        self.prepare(1, {1})
        target = os.path.join(e2e.fresh_dir(self), "locked.ini")
        with open(target, "wb") as f:
            f.write(b"[Other]\r\nkept=yes\r\n")
        os.chmod(target, 0o444)  # read-only: the export may not replace it
        with open(target, "rb") as f:
            before = f.read()
        proc = self.start()
        self.menu(2)
        self.file_dialog("Save As", target, replace=True)
        self.answer(self.prompt(EXPORT_FAILED), "Return")
        with open(target, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertEqual(os.listdir(os.path.dirname(target)), ["locked.ini"])
        self.exit_and_read(proc)

    def test_import_of_a_file_without_a_profile_changes_nothing(self):
        self.prepare(1, {1})
        plain = os.path.join(e2e.fresh_dir(self), "plain.ini")
        with open(plain, "w") as f:
            f.write("[Settings]\r\nwidth=3\r\n")
        proc = self.start()
        self.menu(1)
        self.file_dialog("Open", plain)
        self.answer(self.prompt(NO_PROFILE), "Return")
        ini = self.exit_and_read(proc)
        self.assertEqual(ini["profile1"]["key65"], "66")
        self.assertEqual(ini["profile1"]["key66"], "66")

    def test_exit_while_import_is_open_ends_the_dialog_and_saves(self):
        self.prepare(1, {1})
        proc = self.start()
        self.menu(1)
        e2e.wait_until(lambda: visible_window("Open"), what="the 'Open' dialog")
        # The dialog is the main window's: the window is disabled under it.
        self.assertEqual(probe("owned")[0], 0)
        send("command", ID_EXIT)
        self.assertEqual(self.wait_exit(proc), 0)
        self.assertIsNone(visible_window("Open"))
        self.assertEqual(read_ini(self.set_ini)["profile1"]["key65"], "66")

    def test_a_name_typed_without_extension_is_exported_and_imported_as_ini(self):
        self.prepare(1, {1})
        folder = e2e.fresh_dir(self)
        proc = self.start()
        self.menu(2)
        self.file_dialog("Save As", os.path.join(folder, "my profile"))
        e2e.wait_until(lambda: os.path.exists(os.path.join(folder, "my profile.ini")),
                       what="my profile.ini")
        self.assertEqual(os.listdir(folder), ["my profile.ini"])
        self.click("Profile2")
        self.menu(1)
        self.file_dialog("Open", os.path.join(folder, "my profile"))
        ini = self.exit_and_read(proc)
        self.assertEqual(ini["type"]["type"], "2")
        self.assertEqual(ini["profile2"]["key65"], "66")

    def refused_import(self, path):
        """Imports `path` into profile 1 (A is B there) and returns the text
        lines of the box that says why nothing was imported (its static
        controls: the icon's is empty, the button's is "OK"); set.ini and
        the profiles are unchanged."""
        self.prepare(1, {1})
        with open(self.set_ini, "rb") as f:
            before = f.read()
        proc = self.start()
        self.menu(1)
        self.file_dialog("Open", path)
        e2e.wait_until(lambda: probe("text", "keyboard")[0] == 0, what="the import's refusal")
        lines = [l for l in probe("text", "keyboard")[1].splitlines() if l not in ("", "OK")]
        with open(self.set_ini, "rb") as f:
            self.assertEqual(f.read(), before)
        self.answer(visible_window("keyboard"), "Return")
        ini = self.exit_and_read(proc)
        self.assertEqual((ini["profile1"]["key65"], ini["profile1"]["key66"]), ("66", "66"))
        return lines

    def test_import_of_a_locked_file_says_it_could_not_be_read_and_why(self):
        locked = os.path.join(e2e.fresh_dir(self), "locked.ini")
        codes = key_codes(os.path.join(self.folder, "Main.ini"))
        write_set_ini(locked, 1, {1: profile_section(codes, {66: 67})})
        self.hold(locked)
        lines = self.refused_import(locked)
        self.assertEqual(lines[0], NOT_READ)
        self.assertEqual(lines[-1], NOTHING_IMPORTED)
        # The system's reason, not a bare number.
        self.assertEqual(len(lines), 3)
        self.assertTrue(lines[1] and not lines[1].startswith("Error "), lines)

    def test_import_refuses_a_file_above_16_mb(self):
        big = os.path.join(e2e.fresh_dir(self), "big.ini")
        with open(big, "wb") as f:
            f.write(b"[Profile1]\r\nKey66=67\r\n")
            f.truncate(16 * 1024 * 1024 + 1)
        self.assertEqual(self.refused_import(big), [TOO_LARGE])

    def failed_export(self, target, replace):
        """Exports profile 1 to `target`, which must fail: the box says so,
        and set.ini, the profiles and the target's folder stay as they were."""
        self.prepare(1, {1})
        with open(self.set_ini, "rb") as f:
            before = f.read()
        folder = os.path.dirname(target)
        files = {n: open(os.path.join(folder, n), "rb").read() for n in os.listdir(folder)}
        proc = self.start()
        self.menu(2)
        self.file_dialog("Save As", target, replace=replace)
        self.answer(self.prompt(EXPORT_FAILED), "Return")
        self.assertEqual({n: open(os.path.join(folder, n), "rb").read()
                          for n in os.listdir(folder)}, files)
        with open(self.set_ini, "rb") as f:
            self.assertEqual(f.read(), before)
        ini = self.exit_and_read(proc)
        self.assertEqual(ini["profile1"]["key65"], "66")

    def test_a_failed_export_to_a_locked_file_says_so_and_leaves_it(self):
        target = os.path.join(e2e.fresh_dir(self), "locked.ini")
        with open(target, "wb") as f:
            f.write(b"[Other]\r\nkept=yes\r\n")
        self.hold(target)
        self.failed_export(target, replace=True)

    def test_a_failed_export_where_no_temporary_file_can_be_made_says_so(self):
        # The temporary file beside the target needs a folder path of at most
        # MAX_PATH - 14 characters; this one is longer, the target still fits.
        base = e2e.fresh_dir(self)
        room = 255 - len(e2e.winpath(base)) - len("\\x.ini")
        folder = os.path.join(base, *(["d" * 50] * (room // 51)), "e" * (room % 51 or 1))
        os.makedirs(folder)
        target = os.path.join(folder, "x.ini")
        self.assertGreater(len(e2e.winpath(folder)), 260 - 14)
        self.assertLess(len(e2e.winpath(target)), 260)
        self.failed_export(target, replace=False)


if __name__ == "__main__":
    unittest.main()

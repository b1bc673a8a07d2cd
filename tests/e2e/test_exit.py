"""Orvane.exe end to end: the program ends only through Exit (or log-off) and
never drops the profiles silently. Exit asks Retry or Cancel when set.ini
cannot be written; the tray icon comes back when the shell restarts; Escape,
Enter and Alt+F4 hide the window while remapping goes on.

ShellProbe.exe plays the shell (the tray icon's presence, the "TaskbarCreated"
broadcast) and the user at the message box; the rest comes from test_app's
helpers.
"""
import os
import stat
import subprocess
import unittest

import e2e
import test_app as app


def probe(*args):
    """Runs ShellProbe.exe; returns its exit code."""
    return subprocess.run(["wine", e2e.prog("ShellProbe"), *map(str, args)],
                          env=e2e.wine_env(), stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=e2e.DEFAULT_TIMEOUT).returncode


def file_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class ExitQuestionTest(app.OrvaneTest):
    def prepare(self):
        """set.ini with A->B in profile 2 (in force) and no other section."""
        codes = app.key_codes(os.path.join(self.folder, "Main.ini"))
        app.write_set_ini(self.set_ini, 2, {2: app.profile_section(codes, {65: 66})})
        return file_bytes(self.set_ini)

    def make_read_only(self, read_only=True):
        os.chmod(self.set_ini, 0o444 if read_only else 0o644)

    def question(self):
        """Waits for the save question and returns its text."""
        out = os.path.join(e2e.fresh_dir(self), "box.txt")
        e2e.wait_until(lambda: probe("box", e2e.winpath(out)) == 0, what="the save question")
        with open(out, encoding="utf-8") as f:
            return f.read()

    def answer(self, button):
        self.assertEqual(probe("box-answer", button), 0, f"{button} closes the question")

    def assert_names_file_and_reason(self, text, reason):
        self.assertIn(e2e.winpath(self.set_ini).lower(), text.lower())
        self.assertRegex(text.lower(), reason)

    def test_read_only_set_ini_retry_saves_once_writable(self):
        original = self.prepare()
        self.make_read_only()
        proc = self.start()
        app.send("command", app.ID_EXIT)
        self.assert_names_file_and_reason(self.question(), "denied")
        # Still read-only: asked again, the file untouched, the program alive.
        self.answer("retry")
        self.assert_names_file_and_reason(self.question(), "denied")
        self.assertIsNone(proc.poll())
        self.assertEqual(file_bytes(self.set_ini), original)
        self.make_read_only(False)
        self.answer("retry")
        self.assertEqual(self.wait_exit(proc), 0)
        ini = app.read_ini(self.set_ini)
        self.assertEqual(ini["type"]["type"], "2")
        self.assertEqual(ini["profile2"]["key65"], "66")
        self.assertEqual(ini["profile1"]["key65"], "65", "all three profiles were written")

    def test_read_only_set_ini_cancel_ends_and_keeps_the_file(self):
        original = self.prepare()
        self.make_read_only()
        proc = self.start()
        app.send("hide")  # the box comes up for a hidden window too
        e2e.wait_until(lambda: not app.window_state()[1], what="the window to hide")
        self.choose_from_tray_menu("x")  # Exit(&x)
        self.question()
        self.answer("cancel")
        self.assertEqual(self.wait_exit(proc), 0)
        self.assertEqual(file_bytes(self.set_ini), original)
        self.assertFalse(os.stat(self.set_ini).st_mode & stat.S_IWUSR, "still read-only")

    def test_set_ini_unread_at_start_is_not_saved_over_without_asking(self):
        original = self.prepare()
        ready = os.path.join(e2e.fresh_dir(self), "held")
        holder = e2e.run_exe(e2e.prog("HoldFile"), e2e.winpath(self.set_ini), e2e.winpath(ready))
        self.addCleanup(e2e.stop_process, holder)
        e2e.wait_until(lambda: os.path.exists(ready), what="set.ini held")
        proc = self.start()
        e2e.stop_process(holder)
        # Readable again, but the profiles shown are defaults: asked first.
        app.send("command", app.ID_EXIT)
        text = self.question()
        self.assert_names_file_and_reason(text, "when the program started")
        self.answer("cancel")
        self.assertEqual(self.wait_exit(proc), 0)
        self.assertEqual(file_bytes(self.set_ini), original)


class ShellRestartTest(app.OrvaneTest):
    def test_taskbar_created_adds_the_icon_again(self):
        self.start()
        app.send("hide")
        e2e.wait_until(lambda: not app.window_state()[1], what="the window to hide")
        self.assertEqual(probe("tray-present"), 0)
        self.assertEqual(probe("tray-forget"), 0)  # the restarted shell has lost it
        self.assertEqual(probe("tray-present"), 6)
        self.assertEqual(probe("taskbar-created"), 0)
        e2e.wait_until(lambda: probe("tray-present") == 0, what="the icon added again")


class HideKeysTest(app.OrvaneTest):
    def hide_with(self, keys):
        """Starts Orvane, presses `keys` in its window and waits until it hides;
        returns the still running process. (Each key gets a fresh start: under
        Wine a window restored from the tray does not always get the focus back
        without a window manager.)"""
        proc = self.start()
        e2e.wait_until(lambda: app.window_state() == (True, True, False, True),
                       what="the window shown in front")
        e2e.xdotool("windowfocus", "--sync", self.x_window())
        e2e.key(keys)
        e2e.wait_until(lambda: not app.window_state()[1], what=f"{keys} to hide the window")
        self.assertIsNone(proc.poll(), f"{keys} leaves the program running")
        return proc

    def test_escape_enter_and_alt_f4_hide_and_remapping_goes_on(self):
        codes = app.key_codes(os.path.join(self.folder, "Main.ini"))
        app.write_set_ini(self.set_ini, 1, {1: app.profile_section(codes, {65: 66})})
        for keys in ("Return", "alt+F4", "Escape"):
            with self.subTest(keys=keys):
                proc = self.hide_with(keys)
                if keys == "Escape":
                    self.assert_still_remaps()
                # Each run ends only through Exit, and cleanly.
                self.assertIsNone(proc.poll(), f"{keys}: the program ended before Exit")
                app.send("command", app.ID_EXIT)
                self.assertEqual(self.wait_exit(proc), 0)

    def assert_still_remaps(self):
        """The hidden program still remaps."""
        self.assertEqual(app.send("device", "arrival", app.VENDOR_PATH), 0)
        sink = e2e.KeySink(self, e2e.fresh_dir(self)).start()
        sink.ensure_focus()
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:66 up:66")


if __name__ == "__main__":
    unittest.main()

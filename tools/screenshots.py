"""Takes the assignment dialog's screenshots (tools/screenshots runs it with
DISPLAY and the Wine environment set up). One fresh copy of the staged folder
per picture, with a set.ini in which the clicked key has the mode's kind."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
os.environ.setdefault("ORVANE_SOURCE_DIR", ROOT)
import e2e  # noqa: E402
import test_app  # noqa: E402
import test_assign  # noqa: E402

VK_A, VK_Q, VK_W, VK_E = 65, 81, 87, 69
# A small macro: Shift down, H down, H up, Shift up, I down, I up.
MACRO = "2752512,160,1,2293760,72,1,2293760,72,0,2752512,160,0,1507328,73,1,1507328,73,0"


def profile(main_ini):
    body = test_app.profile_section(test_app.key_codes(main_ini), {})
    special = {VK_Q: (2, 0, "Play/Pause"), VK_W: (3, 0, "Copy"), VK_E: (1, 0, "Hi")}
    for code, (kind, macro, name) in special.items():
        body = [l for l in body if not l.startswith(
            (f"IndexPic{code}=", f"MacroIndex{code}=", f"SetName{code}=", f"Key{code}="))]
        body += [f"IndexPic{code}={kind}", f"MacroIndex{code}={macro}", f"SetName{code}={name}"]
    # A is remapped to B, so the single-key picture shows a real assignment.
    body = [l for l in body if not l.startswith((f"SetName{VK_A}=", f"Key{VK_A}="))]
    body += [f"SetName{VK_A}=B", f"Key{VK_A}=66"]
    body = [l for l in body if not l.startswith("MacroStrNum=")]
    body += ["MacroStrNum=1", "MacroName0=Hi", f"MacroKey0={MACRO}", "MacroKeyNum0=18"]
    return body


class Shots(test_assign.AssignTest):
    # Only the four pictures run (see __main__), not the inherited tests.
    out = None

    def shoot(self, code, name):
        test_app.write_set_ini(self.set_ini, 1, {1: profile(self.main_ini)})
        proc = self.start()
        info = self.open_key(code)
        x, y, w, h = (int(v) for v in info["rect"].split(","))
        e2e.xdotool("mousemove", 0, 0)
        path = os.path.join(self.out, f"assign-{name}.png")
        subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                        path], check=True)
        print(f"wrote {path}")
        self.close_with(test_assign.ID_CANCEL)
        test_app.send("command", test_app.ID_EXIT)
        self.wait_exit(proc)

    def test_single(self):
        self.shoot(VK_A, "single")

    def test_multimedia(self):
        self.shoot(VK_Q, "multimedia")

    def test_function(self):
        self.shoot(VK_W, "function")

    def test_macro(self):
        self.shoot(VK_E, "macro")


if __name__ == "__main__":
    Shots.out = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "docs"))
    os.makedirs(Shots.out, exist_ok=True)
    suite = unittest.TestSuite(Shots(n) for n in
                               ("test_single", "test_multimedia", "test_function", "test_macro"))
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)

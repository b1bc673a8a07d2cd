"""The remapping engine end to end: real X key events through Wine's low-level
hook into EngineHost, the injector's keybd_event output into KeySink."""
import unittest

import e2e


class EngineTest(unittest.TestCase):
    def start(self, maps):
        folder = e2e.fresh_dir(self)
        self.host = e2e.EngineHost(self, folder, maps).start()
        self.sink = e2e.KeySink(self, folder).start()
        self.sink.ensure_focus()
        return self.sink

    def tearDown(self):
        # Every test ends with a clean stop: hook removed, injector joined.
        if getattr(self, "host", None):
            self.assertIsNone(self.host.proc.poll(), "EngineHost ended by itself")
            self.assertEqual(self.host.stop(), 0, "EngineHost did not stop cleanly")

    def test_single_key_remap_and_unmapped_key(self):
        sink = self.start({65: [66]})
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:66 up:66")
        m = sink.mark()
        e2e.key("x")
        sink.expect(m, "dn:88 up:88")

    def test_chord_plays_on_release_in_list_order(self):
        sink = self.start({70: [17, 67], **e2e.REMAPPED_MARKER_MAP})
        m = sink.mark()
        e2e.key_down("f")
        self.addCleanup(e2e.key_up, "f")  # never leave it held for the next test
        # Nothing while the key is held: a physical key typed meanwhile
        # arrives alone, up to a marker the injector plays.
        e2e.key("x")
        sink.expect(m, "dn:88 up:88", marker=e2e.REMAPPED_MARKER)
        m = sink.mark()
        e2e.key_up("f")
        sink.expect(m, "dn:17 dn:67 up:17 up:67")

    def test_injected_output_is_not_remapped_again(self):
        sink = self.start({65: [66], 66: [67]})
        m = sink.mark()
        e2e.key("b")
        sink.expect(m, "dn:67 up:67")
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:66 up:66")

    def test_empty_sequence_swallows_the_key(self):
        sink = self.start({71: [], **e2e.REMAPPED_MARKER_MAP})
        m = sink.mark()
        e2e.key("g")
        sink.expect(m, "", marker=e2e.REMAPPED_MARKER)

    def test_keypad_code_follows_numlock(self):
        x = e2e.XDisplay()
        self.addCleanup(x.close)
        sink = self.start({71: [100], 72: [110]})

        def set_numlock(on):
            if x.numlock_on() != on:
                m = sink.mark()
                e2e.key("Num_Lock")
                sink.wait_for(m, 2)  # Wine has seen the toggle once the sink has
            self.assertEqual(x.numlock_on(), on)

        self.addCleanup(set_numlock, False)
        numlock = {144}
        set_numlock(False)
        m = sink.mark()
        e2e.key("g", "h")
        # The keypad's own keys with NumLock off: navigation codes, not extended.
        sink.expect(m, "dn:37 up:37 dn:46 up:46")
        set_numlock(True)
        m = sink.mark()
        e2e.key("g", "h")
        sink.expect(m, "dn:100 up:100 dn:110 up:110")
        self.assertFalse([e for e in sink.since(m) if e.vk in numlock])

    def test_keypad_enter_in_and_out(self):
        sink = self.start({72: [108], 108: [65]})
        m = sink.mark()
        e2e.key("h")
        # A synthesised keypad Enter is VK_RETURN with the extended bit.
        sink.expect(m, "dn:13x up:13x")
        m = sink.mark()
        e2e.key("KP_Enter")
        sink.expect(m, "dn:65 up:65")
        m = sink.mark()
        e2e.key("Return")
        sink.expect(m, "dn:13 up:13")

    def test_key_held_across_a_commit_comes_up(self):
        sink = self.start({})
        m = sink.mark()
        e2e.key_down("a")
        self.addCleanup(e2e.key_up, "a")
        sink.wait_for(m, 1)
        self.host.command("map 65=66")
        e2e.key_up("a")
        # Its press reached the window, so its release does too.
        sink.expect(m, "dn:65 up:65", repeats=True)
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:66 up:66")

    def test_second_install_adds_no_hook(self):
        sink = self.start({65: [66]})
        self.assertTrue(self.host.command("install"))
        self.assertFalse(self.host.command("remove"))
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:65 up:65")

    def test_suspended_hook_removes_itself_at_the_next_event(self):
        sink = self.start({65: [66]})
        self.assertTrue(self.host.command("suspend"))
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:65 up:65")
        self.assertFalse(self.host.command("state"))
        self.host.command("resume")
        m = sink.mark()
        e2e.key("a")
        sink.expect(m, "dn:65 up:65")


if __name__ == "__main__":
    unittest.main()

"""A key's release follows its press, end to end: real X keys through Wine's
low-level hook into EngineHost while the keyboard is unplugged and plugged
again (the host's unplug/plug commands make the engine call that the main
dialog makes on WM_DEVICECHANGE), the output and the passed keys into
KeySink."""
import random
import unittest

import e2e

Q, W, K, A, B = 81, 87, 75, 65, 66
CTRL, C = 17, 67


def key_states(events):
    """Folds a sink's events per key code into presses, releases, stray
    releases (a key-up for a key that is not down) and the codes left down;
    auto-repeated presses of a key that is down are not counted."""
    down, presses, releases, strays = set(), {}, {}, {}
    for e in events:
        if e.msg == "dn":
            if e.vk not in down:
                presses[e.vk] = presses.get(e.vk, 0) + 1
            down.add(e.vk)
        elif e.msg == "up":
            if e.vk in down:
                releases[e.vk] = releases.get(e.vk, 0) + 1
                down.discard(e.vk)
            else:
                strays[e.vk] = strays.get(e.vk, 0) + 1
    return presses, releases, strays, down


class ReleaseTest(unittest.TestCase):
    def start(self, maps):
        folder = e2e.fresh_dir(self)
        self.host = e2e.EngineHost(self, folder, maps).start()
        self.sink = e2e.KeySink(self, folder).start()
        self.sink.ensure_focus()
        return self.sink

    def tearDown(self):
        if getattr(self, "host", None):
            self.assertIsNone(self.host.proc.poll(), "EngineHost ended by itself")
            self.assertEqual(self.host.stop(), 0, "EngineHost did not stop cleanly")

    def hold(self, keysym):
        """Presses a key and returns once the hook has handled the press: a
        marker key typed after it has reached the sink."""
        m = self.sink.mark()
        e2e.key_down(keysym)
        self.addCleanup(e2e.key_up, keysym)
        e2e.key("x")
        e2e.wait_until(lambda: any(e.vk == 88 and e.msg == "up" for e in self.sink.since(m)),
                       what="the marker after the held key")
        return m

    def test_held_key_unplugged_plays_its_own_output(self):
        sink = self.start({Q: [W]})
        m = self.hold("q")
        # The hook stays for the held key, in a pass-everything state.
        self.assertTrue(self.host.command("unplug"))
        e2e.key("a")
        e2e.key_up("q")
        sink.expect(m, "dn:88 up:88 dn:65 up:65 dn:87 up:87")
        self.assertFalse(self.host.command("state"), "the hook outlived the held key")

    def test_key_held_from_before_the_plug_passes_to_its_end(self):
        sink = self.start({K: [CTRL, C]})
        self.assertFalse(self.host.command("unplug"))
        m = sink.mark()
        e2e.key_down("k")
        self.addCleanup(e2e.key_up, "k")
        sink.wait_for(m, 1)
        self.assertTrue(self.host.command("plug"))
        e2e.key_up("k")
        # Its auto-repeat after the plug passes too: the key is down already.
        sink.expect(m, "dn:75 up:75", repeats=True)
        m = sink.mark()
        e2e.key("k")
        sink.expect(m, "dn:17 dn:67 up:17 up:67")

    def test_replug_storm_under_a_held_key_gives_one_output(self):
        sink = self.start({Q: [W]})
        m = self.hold("q")
        for _ in range(20):
            self.assertTrue(self.host.command("unplug"))
            self.assertTrue(self.host.command("plug"))
        e2e.key_up("q")
        sink.expect(m, "dn:88 up:88 dn:87 up:87")
        self.assertTrue(self.host.command("state"))

    def test_storm_of_overlapping_keys_across_plugs_leaves_no_key_down(self):
        sink = self.start({Q: [W], K: [CTRL, C], A: [B], 83: [], 77: [78]})
        x = e2e.XDisplay()
        self.addCleanup(x.close)
        keys = ["q", "k", "a", "s", "d", "f", "j", "l"]
        held = []
        self.addCleanup(lambda: [x.send(k, False) for k in list(held)])
        rnd = random.Random(11)
        m = sink.mark()
        plugged = True
        for i in range(5000):
            if i % 250 == 125:
                plugged = not plugged
                self.host.command("plug" if plugged else "unplug")
            free = [k for k in keys if k not in held]
            if free and (len(held) < 2 or (len(held) < 5 and rnd.random() < 0.5)):
                k = rnd.choice(free)
                held.append(k)
                x.send(k, True)
            else:
                k = held.pop(rnd.randrange(len(held)))
                x.send(k, False)
        while held:
            x.send(held.pop(), False)
        self.host.command("plug")
        # The injector keeps queue order: once a last remapped key's output
        # has arrived, so has everything queued before it.
        x.send("m", True)
        x.send("m", False)
        e2e.wait_until(lambda: any(e.vk == 78 and e.msg == "up" for e in sink.since(m)),
                       timeout=120, what="the storm's last output")
        presses, releases, strays, down = key_states(sink.since(m))
        self.assertEqual(strays, {}, "key-ups without their key-down")
        self.assertEqual(down, set(), "keys left down")
        self.assertEqual(presses, releases)
        # The storm did reach the sink both remapped and passed.
        self.assertGreater(presses.get(W, 0), 0)
        self.assertGreater(presses.get(Q, 0), 0)


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/python3
"""The console through the accessibility bus, as a screen reader and a
keyboard-only user meet it.

Starts the real console under Xvfb with its own D-Bus session bus, the AT-SPI
bus and the fake keyboard, then, through AT-SPI (pyatspi) and key events
(xdotool):
  - every push button, combo box, field and slider of every page has a name,
    in English, traditional Chinese and simplified Chinese;
  - Tab from the first control visits every enabled control of the page exactly
    once and comes back to it, on CUSTOMIZE, LIGHTING, MACROS and Settings;
  - a key is given another key's code and a lighting colour is applied with key
    events only (the key cursor moving as the keys lie: up from F is R), and the
    fake keyboard receives exactly the reports worked out by hand below.

Exit status 77 (a CTest skip) only when the D-Bus session bus or the AT-SPI bus
cannot be started; anything else that goes wrong fails.
"""

import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77


def skip(reason):
    print("SKIP: " + reason, flush=True)
    sys.exit(SKIP)


def fail(reason):
    print("FAIL: " + reason, flush=True)
    sys.exit(1)


def poll(check, timeout, step=0.05):
    """Polls `check` until it gives something true (returned), for at most `timeout` s."""
    deadline = time.time() + timeout
    while not (got := check()):
        if time.time() >= deadline:
            return None
        time.sleep(step)
    return got


def until(check, timeout, what, step=0.05):
    """As poll(), but fails with `what` (a text or a function giving one)."""
    got = poll(check, timeout, step)
    if not got:
        fail(what() if callable(what) else what)
    return got


ROLE_NAMES = {"push button", "combo box", "text", "entry", "slider", "check box", "password text"}
ALL_PAGES = ("CUSTOMIZE", "LIGHTING", "MACROS", "Settings")


class Console:
    def __init__(self, pyatspi):
        self.pyatspi = pyatspi
        self.dir = tempfile.mkdtemp(prefix="orvanta-a11y-")
        self.log = os.path.join(self.dir, "reports.log")
        probe = socket.socket()
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
        probe.close()
        env = dict(os.environ, LD_PRELOAD=os.environ["ORVANTA_FAKEHID"],
                   ORVANTA_FAKEHID_LOG=self.log, QT_QPA_PLATFORM="xcb",
                   XDG_STATE_HOME=os.path.join(self.dir, "state"),
                   ORVANTA_UPDATE_URL="http://127.0.0.1:9", QT_ACCESSIBILITY="1",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        exe = os.path.join(os.environ["ORVANTA_BIN_DIR"], "orvanta-console")
        self.process = subprocess.Popen(
            [exe, "--data-dir", os.path.join(self.dir, "data"), "--port", str(port),
             "--no-update-check", "--no-single-instance"], env=env, stdout=subprocess.DEVNULL)
        self.app = None
        self.window_id = None

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.dir, ignore_errors=True)

    def wait_until_up(self):
        desktop = self.pyatspi.Registry.getDesktop(0)

        def found():
            if self.process.poll() is not None:
                fail("the console ended at start-up (status %s)" % self.process.returncode)
            for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
                try:
                    if app.get_process_id() == self.process.pid and app.childCount > 0:
                        self.app = app
                except Exception:
                    continue
            return self.app is not None and self.window() is not None

        until(found, 60, "the console never appeared on the accessibility bus", 0.2)
        search = ["xdotool", "search", "--name", "^ORVANTA RGB$"]
        self.window_id = until(
            lambda: subprocess.run(search, capture_output=True, text=True).stdout.split(),
            30, "no window named ORVANTA RGB on the display", 0.2)[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", self.window_id], check=True)

    def window(self):
        return next((w for w in (self.app.getChildAtIndex(i) for i in range(self.app.childCount))
                     if w is not None and w.name == "ORVANTA RGB"), None)

    def walk(self, node=None):
        node = self.window() if node is None else node
        for child in (node.getChildAtIndex(i) for i in range(node.childCount)):
            if child is not None:
                yield child
                yield from self.walk(child)

    def showing(self, node):
        s = node.getState()
        return s.contains(self.pyatspi.STATE_SHOWING) and s.contains(self.pyatspi.STATE_VISIBLE)

    def controls(self):
        """The push buttons, combo boxes, fields and sliders of the window,
        shown or not, but for the insides of combo boxes (their lists)."""
        return [n for n in self.walk() if n.getRoleName() in ROLE_NAMES and not inside_list(n)]

    def listen(self):
        """Follows the focus as a screen reader does: by the bus's focus events
        (a list of rows says it has the focus only that way)."""
        from gi.repository import GLib

        self.context = GLib.MainContext.default()
        self.last_focus = None
        # What the status band announces: its labels' names as they change.
        self.announced = []
        self.on_focus = lambda e: setattr(self, "last_focus", e.source) if e.detail1 else None
        self.on_name = lambda e: self.announced.append(
            e.any_data if isinstance(e.any_data, str) else e.source.name)
        register = self.pyatspi.Registry.registerEventListener
        register(self.on_focus, "object:state-changed:focused")
        register(self.on_name, "object:property-change:accessible-name")

    def pump(self):
        while self.context.pending():
            self.context.iteration(False)

    def focused(self):
        self.pump()
        return self.last_focus

    def keys(self, *keys):
        subprocess.run(["xdotool", "windowfocus", "--sync", self.window_id], check=True)
        for key in keys:
            subprocess.run(["xdotool", "key", "--delay", "30", key], check=True)

    def wait_for_focus(self, test, what, timeout=5):
        # In a list: an accessible without children counts as false.
        return until(lambda: [n for n in [self.focused()] if n is not None and test(n)], timeout,
                     lambda: "the focus did not reach %s (it is on %r)"
                     % (what, getattr(self.focused(), "name", None)))[0]

    def tab_until(self, test, what, limit=80):
        """Presses Tab until a control passing `test` has the focus."""
        for _ in range(limit):
            node = self.focused()
            if node is not None and test(node):
                return node
            self.keys("Tab")
            self.wait_for_focus(lambda n: node is None or key_of(n) != key_of(node),
                                "the control after " + (node.name if node else "none"))
        fail("Tab never reached " + what)

    def tab_to(self, name):
        return self.tab_until(
            lambda n: n.name.startswith(name) or n.description.startswith(name), repr(name))

    def remember_places(self):
        """Where the shell's buttons are: found by their English names once,
        then by place in every language."""
        self.places = {}
        for name in ("KEYBOARD", "MACROS", "CUSTOMIZE", "LIGHTING", "Settings"):
            node = next((n for n in self.walk() if n.name == name and self.showing(n)
                         and n.getRoleName() == "push button"), None)
            if node is None:
                fail("no %s button" % name)
            self.places[name] = key_of(node)[2:]
        # A list's name is its current entry (Qt's way on Linux): SELECT
        # PROFILE is found by its description.
        self.places["SELECT PROFILE"] = next(
            (key_of(n)[2:] for n in self.walk() if n.getRoleName() == "combo box"
             and n.description.startswith("Choosing a saved profile")), None)
        if self.places["SELECT PROFILE"] is None:
            fail("no SELECT PROFILE list")

    def button_at(self, name):
        return next((n for n in self.walk() if n.getRoleName() == "push button" and
                     self.showing(n) and key_of(n)[2:] == self.places[name]), None)

    def press(self, name):
        node = self.button_at(name)
        if node is None:
            fail("no push button %r is shown" % name)
        # Qt answers the action with an animated click: the button stays pressed
        # until the page has switched.
        node.queryAction().doAction(0)
        until(lambda: not node.getState().contains(self.pyatspi.STATE_PRESSED), 10,
              "the %s button never came up again" % name)

    def reports(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log) as f:
            return [bytes.fromhex(line.split()[3]) for line in f if len(line.split()) == 4]

    def wait_for_reports(self, count, timeout=20):
        return until(lambda: len(self.reports()) >= count and self.reports(), timeout,
                     lambda: "only %d of %d reports arrived" % (len(self.reports()), count))


def inside_list(node):
    return node.parent is not None and node.parent.getRoleName() in ("list", "combo box", "menu")


def key_of(node):
    ext = node.queryComponent().getExtents(0)
    return (node.getRoleName(), node.name, ext.x, ext.y, ext.width, ext.height)


def show_page(c, page):
    if page not in ("Settings", "MACROS") and c.button_at("CUSTOMIZE") is None:
        c.press("KEYBOARD")
    c.press(page)


def page_rectangle(c, page):
    """The panel of a page shown over the CUSTOMIZE controls, and the area it
    covers: the page's place in the window, 230 px right and 140 px down."""
    if page == "CUSTOMIZE":
        return None
    window = c.window().queryComponent().getExtents(0)
    for node in c.walk():
        if node.getRoleName() in ("frame", "window") or not c.showing(node) \
                or node.parent is None or key_of(node.parent) != key_of(c.window()):
            continue
        ext = node.queryComponent().getExtents(0)
        if (ext.x, ext.y) == (window.x + 230, window.y + 140) and ext.width >= 700 \
                and ext.height >= 400:
            return node, ext
    fail("no panel holds the %s page" % page)


def inside(ext, area):
    return (ext.x >= area.x and ext.y >= area.y and ext.x + ext.width <= area.x + area.width
            and ext.y + ext.height <= area.y + area.height)


def reachable_controls(c, page):
    """Every enabled, shown, focusable control of the window as the page shows
    it; controls a page covers (the CUSTOMIZE controls under LIGHTING) are not."""
    P = c.pyatspi
    covered = page_rectangle(c, page)
    window = key_of(c.window())
    out = []
    for node in c.walk():
        s = node.getState()
        # Qt's lists of rows do not say they can take the focus; they do.
        focusable = s.contains(P.STATE_FOCUSABLE) or (
            node.getRoleName() in ("tree", "tree table", "table") and c.showing(node.parent))
        if not (focusable and s.contains(P.STATE_SHOWING) and s.contains(P.STATE_VISIBLE)
                and s.contains(P.STATE_SENSITIVE)) or inside_list(node) or node.getRoleName() in (
                    "frame", "window", "list item", "table cell", "tree item", "column header",
                    "table column header", "scroll bar", "list", "menu item"):
            continue
        if covered is not None and not below(node, key_of(covered[0]), window) \
                and inside(node.queryComponent().getExtents(0), covered[1]):
            continue
        out.append(node)
    return out


def below(node, panel, window):
    """Whether `node` lies in `panel` (not only over it), below the window."""
    node = node.parent
    while node is not None and node.getRoleName() != "application" and key_of(node) != window:
        if key_of(node) == panel:
            return True
        node = node.parent
    return False


def check_names(c, language):
    missing = []
    for page in ALL_PAGES:
        show_page(c, page)
        for node in c.controls():
            if not node.name.strip():
                ext = node.queryComponent().getExtents(0)
                missing.append("%s %s at %d,%d" % (page, node.getRoleName(), ext.x, ext.y))
    if missing:
        fail("controls without a name in %s: %s" % (language, "; ".join(sorted(set(missing)))))
    print("names: every control is named in %s" % language, flush=True)


def check_tab_cycle(c, page):
    show_page(c, page)
    expected = {key_of(n): n.name for n in reachable_controls(c, page)}
    first = c.tab_until(lambda n: n.getRoleName() == "combo box"
                        and key_of(n)[2:] == c.places["SELECT PROFILE"], "SELECT PROFILE")
    visited = [key_of(first)]
    for _ in range(200):
        before = visited[-1]
        c.keys("Tab")
        node = c.wait_for_focus(lambda n: key_of(n) != before, "the next control on " + page)
        if key_of(node) == visited[0]:
            break
        visited.append(key_of(node))
    else:
        fail("Tab on %s never came back to SELECT PROFILE: %s" % (page, [k[:2] for k in visited]))
    for wrong, keys in (("visits these twice", {k for k in visited if visited.count(k) > 1}),
                        ("never reaches", set(expected) - set(visited)),
                        ("stops on controls it should not", set(visited) - set(expected))):
        if keys:
            fail("Tab on %s %s: %s" % (page, wrong, sorted(k[1] or k[0] for k in keys)))
    # Shift+Tab goes back the same way.
    c.keys("shift+Tab")
    back = c.wait_for_focus(lambda n: key_of(n) == visited[-1], "the last control of " + page)
    print("tab: %s, %d controls, each once, and back (%s)" % (page, len(visited), back.name),
          flush=True)


# Reports worked out by hand from the report layouts (264 bytes, report id 7).
def report(fields):
    return bytes(fields.get(i, 0) for i in range(264))


# The factory key map, 16 entries a row (layer 0, then the Fn layer).
DEFAULT_KEY_MAP = bytes.fromhex("""
    2c 00 00 c9 e4 00 e0 00 14 48 00 29 87 8b 35 15  1a 39 3e 64 65 8a 3a 18 08 3c 00 3d 00 88 3b 0c
    2b 17 09 0a 19 05 13 12 04 1c 0d 0b 10 11 23 24  16 30 0e 3f 36 61 2e 25 07 40 0f 00 37 57 41 26
    1d 2f 33 34 32 38 2d 27 21 20 00 e2 60 e6 00 ac  1b 2a 31 44 28 45 42 43 06 5c 59 5f 53 51 4c 46
    22 5d 5a 62 54 4f 49 47 1e 5e 5b 63 55 56 4b 4e  1f 85 58 52 00 50 4a 4d e3 e1 e5 91 00 89 90 e7
    2c 00 00 c9 e4 00 e0 00 14 48 00 29 87 8b 35 15  1a 39 a9 64 65 8a a6 18 08 a8 00 a5 00 88 a7 0c
    2b 17 09 0a 19 05 13 12 04 1c 0d 0b 10 11 23 24  16 30 0e aa 36 61 2e 25 07 ab 0f 00 37 57 41 26
    1d 2f 33 34 32 38 2d 27 21 20 00 e2 60 e6 00 ac  1b 2a 31 b7 28 b6 b3 43 06 5c 59 5f d6 51 b0 46
    22 5d 5a 62 54 4f ad 47 1e 5e 5b 63 55 56 af b5  1f 85 58 52 00 50 ae b1 e0 e1 e5 91 00 89 90 e7
""")


def check_key_swap_by_keys(c):
    # CUSTOMIZE: F sends B. The cursor starts on ESC: down to Caps, right to F.
    show_page(c, "CUSTOMIZE")
    c.tab_to("Keyboard picture")
    for keys, name in ((("Down",) * 3 + ("Right",) * 4, "F"), (("Up",), "R"), (("Down",), "F")):
        c.keys(*keys)
        c.wait_for_focus(lambda n: n.name.startswith("Keyboard picture: %s," % name), name)
    c.keys("space")
    c.tab_to("What the selected key does")  # KEY ASSIGNMENT, named by its entry
    c.keys("Down", "Down")  # Macro Key, then Single Key: the key to send comes next
    c.wait_for_focus(lambda n: n.getRoleName() == "frame", "the window, capturing")
    c.keys("b")
    field = c.wait_for_focus(lambda n: n.name == "ASSIGN", "ASSIGN after the capture")
    if field.queryText().getText(0, -1).strip().upper() != "B":
        fail("the ASSIGN field holds %r, not B" % field.queryText().getText(0, -1))
    start = len(c.reports())
    c.tab_to("APPLY")
    c.keys("space")
    got = c.wait_for_reports(start + 3)[start:start + 3]
    key_map = bytearray(DEFAULT_KEY_MAP)
    key_map[34] = 0x05  # F (0x09, first at 34) sends B (0x05)
    want = [report({0: 7, 1: 1, 2: 1}), bytes([7, 3, 1, 0, 0, 0, 0, 0]) + key_map, bytes(264)]
    for i, (g, w) in enumerate(zip(got, want)):
        if g != w:
            fail("key-map report %d is %s, not %s" % (i, g.hex(), w.hex()))
    print("keys: up from F is R; F sends B, 3 exact reports", flush=True)


def check_lighting_by_keys(c):
    # LIGHTING, Static, FULL, steady light, colour code 00FF80, APPLY.
    show_page(c, "CUSTOMIZE")
    for name in ("LIGHTING", "FULL", "STATIC"):
        c.tab_to(name)
        c.keys("space")
    c.tab_to("Colour code")
    c.keys("ctrl+a")
    c.keys(*"00ff80")
    c.keys("Return")
    picture = c.tab_to("Keyboard picture")
    if "red 0, green 255, blue 128" not in picture.name:
        fail("the picture does not announce the new colour: %r" % picture.name)
    start = len(c.reports())
    c.tab_to("APPLY")
    c.announced.clear()
    c.keys("Return")
    got = c.wait_for_reports(start + 5)[start:start + 5]
    opening = {0: 7, 1: 2, 2: 1, 8: 1, 16: 8, 22: 2}
    want = [report(opening)] + [report({0: 7, 1: 9, 2: 1, 3: page, **dict.fromkeys(range(8, 264), value)})
                                for page, value in ((1, 0x00), (2, 0xFF), (3, 0x80))]
    want.append(report({**opening, 13: 4}))
    for i, (g, w) in enumerate(zip(got, want)):
        if g != w:
            fail("lighting report %d is %s, not %s" % (i, g.hex(), w.hex()))
    until(lambda: c.pump() or "Sent to PROFILE 1" in c.announced, 10,
          lambda: "'Sent to PROFILE 1' was never announced (only %s)" % c.announced[-10:])
    # Alt+2 switches the profile: its report comes next, nothing in between.
    c.keys("alt+2")
    got = c.wait_for_reports(start + 6)
    if got[start + 5] != report({0: 7, 1: 1, 2: 2}):
        fail("after the expected reports came %s" % got[start + 5].hex())
    print("keys: LIGHTING Static 00FF80 applied, 5 exact reports, announced; Alt+2 selects "
          "profile 2 next", flush=True)


def main():
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            fail(tool + " is missing (scripts/deps installs it)")
    launcher = "/usr/libexec/at-spi-bus-launcher"
    if not shutil.which("dbus-launch") or not os.path.exists(launcher):
        skip("dbus-launch (dbus-x11) or the AT-SPI bus launcher (at-spi2-core) is missing")
    # Xvfb takes the first free display and names it once it accepts clients.
    ready, told = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(told), "-noreset", "-screen", "0",
                             "1600x1000x24", "-nolisten", "tcp"], pass_fds=(told,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(told)
    with os.fdopen(ready) as f:
        display = f.readline().strip()
    stops = [xvfb.terminate]
    try:
        if not display:
            fail("Xvfb did not start")
        # A session bus of its own, stopped with the test; then the AT-SPI bus on it.
        for name in ("DBUS_SESSION_BUS_ADDRESS", "DBUS_SESSION_BUS_PID", "AT_SPI_BUS_ADDRESS"):
            os.environ.pop(name, None)
        os.environ.update(DISPLAY=":" + display, NO_AT_BRIDGE="0")
        told = subprocess.run(["dbus-launch"], capture_output=True, text=True).stdout
        os.environ.update(line.split("=", 1) for line in told.splitlines() if "=" in line)
        if "DBUS_SESSION_BUS_PID" not in os.environ:
            skip("the D-Bus session bus could not be started")
        stops.append(lambda: os.kill(int(os.environ["DBUS_SESSION_BUS_PID"]), signal.SIGTERM))
        bus = subprocess.Popen([launcher, "--launch-immediately"], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
        stops.append(bus.terminate)
        ask = ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
               "/org/a11y/bus", "org.a11y.Bus.GetAddress"]
        if not poll(lambda: subprocess.run(ask, capture_output=True, text=True).stdout.strip(),
                    15, 0.1):
            skip("the AT-SPI bus did not start")
        try:
            import pyatspi
        except ImportError:
            fail("python3-pyatspi is missing (scripts/deps installs it)")
        console = Console(pyatspi)
        stops.append(console.stop)
        console.listen()
        console.wait_until_up()
        console.remember_places()
        check_names(console, "English")
        for page in ALL_PAGES:
            check_tab_cycle(console, page)
        check_key_swap_by_keys(console)
        check_lighting_by_keys(console)
        show_page(console, "Settings")
        where = next((key_of(n)[2:] for n in console.walk() if n.getRoleName() == "combo box"
                      and n.description == "The window switches at once"), None)
        if where is None:
            fail("no LANGUAGE list on the Settings page")
        for name in ("traditional Chinese", "simplified Chinese"):
            show_page(console, "Settings")
            before = console.tab_until(lambda n: key_of(n)[2:] == where, "LANGUAGE").name
            console.keys("Down")
            console.wait_for_focus(lambda n: n.name and n.name != before,
                                   "LANGUAGE in " + name, timeout=10)
            check_names(console, name)
    finally:
        for stop in reversed(stops):
            stop()
        xvfb.wait(10)
    print("PASS", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())

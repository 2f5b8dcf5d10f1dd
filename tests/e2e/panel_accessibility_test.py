"""The real panel as a screen reader meets it: on the accessibility bus, under its own X
server, against the stand-in server. Run inside its own session bus:

    dbus-run-session -- python3 panel_accessibility_test.py KEYVANE SWITCHERSIM

Exits 0 when every check holds, 1 on the first that does not, 77 (skipped) when the
accessibility bus cannot start here.
"""

import os
import re
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


class Failed(Exception):
    pass


def wait_for(what, pred, seconds=20.0):
    end = time.monotonic() + seconds
    while True:
        try:
            result = pred()
        except Exception:  # the tree changes under us while the panel starts
            result = None
        if result:
            return result
        if time.monotonic() > end:
            raise Failed("timed out waiting for " + what)
        pump(0.1)


def pump(seconds):
    """Lets the accessibility library deliver events meanwhile."""
    from gi.repository import GLib

    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def a11y_bus_address():
    from gi.repository import Gio, GLib

    try:
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        reply = bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                              None, GLib.VariantType.new("(s)"), Gio.DBusCallFlags.NONE, 2000,
                              None)
        return reply.unpack()[0]
    except GLib.Error:
        return None


class Session:
    """Xvfb, the accessibility bus, the stand-in server and the panel, ended together."""

    def __init__(self, tmp):
        self.tmp = tmp
        self.procs = []
        self.trace = []

    def start(self, args, **kw):
        p = subprocess.Popen(args, **kw)
        self.procs.append(p)
        return p

    def close(self):
        for p in reversed(self.procs):
            p.terminate()
            try:
                p.wait(3)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()

    def start_x(self):
        xvfb = self.start(["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "800x600x24",
                           "-nolisten", "tcp"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        os.environ["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()

    def start_server(self, binary):
        sim = self.start([binary, "--port", "0", "--trace", "--type-ms", "0"],
                         stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        first = sim.stdout.readline().strip()
        if not first.startswith("listening on 127.0.0.1:"):
            raise Failed("the stand-in server did not start: " + first)
        threading.Thread(target=lambda: self.trace.extend(sim.stdout), daemon=True).start()
        self.sim = sim
        return first.rsplit(":", 1)[1]

    def tell_server(self, line):
        self.sim.stdin.write(line + "\n")
        self.sim.stdin.flush()

    def traced(self, pattern):
        return sum(1 for line in list(self.trace) if re.search(pattern, line))

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], capture_output=True, text=True,
                              timeout=10).stdout.strip()


def find_all(root, pred):
    import pyatspi

    return pyatspi.findAllDescendants(root, pred)


def states(node):
    return node.getState().getStates()


def check(condition, message):
    if not condition:
        raise Failed(message)


def run(session, keyvane, switchersim):
    session.start_x()
    session.start([LAUNCHER, "--launch-immediately"], stdout=subprocess.DEVNULL,
                  stderr=subprocess.DEVNULL)
    end = time.monotonic() + 10
    while a11y_bus_address() is None:
        if time.monotonic() > end or session.procs[-1].poll() is not None:
            print("SKIP: the accessibility bus does not start here")
            return SKIP
        time.sleep(0.1)
    import pyatspi

    # Own output 2, own input 3; key 1 talks to station 4, AUDIO.
    port = session.start_server(switchersim)
    config = os.path.join(session.tmp, "config")
    os.mkdir(config)
    with open(os.path.join(config, "zebntpnl.ini"), "wb") as ini:
        ini.write(("[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + port + "\r\n"
                   "[CONFIG]\r\nOutput=3\r\nInput=4\r\nStay On Top=No\r\nFlash Rate=400\r\n"
                   "Over Hang=1\r\n[BUTTON 0]\r\nType=2\r\nFirst=5\r\nLine 1=Audio\r\n"
                   "Line 2=Talk\r\n").encode())
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    panel = session.start([keyvane, "--config", config], env=env, cwd=session.tmp,
                          stderr=subprocess.DEVNULL)

    def the_panel():
        check(panel.poll() is None, "the panel ended, exit code %s" % panel.returncode)
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and find_all(app, lambda n: n.name.startswith("Key 1, ")):
                return app
        return None

    app = wait_for("the panel on the accessibility bus", the_panel, 30)
    keys = wait_for("eight keys", lambda: sorted(
        (n for n in find_all(app, lambda n: re.match(r"Key [1-8], ", n.name or "")) if n),
        key=lambda n: n.name))
    check([k.name for k in keys][:2] == ["Key 1, Audio Talk", "Key 2, Button 2, listen"] and
          len(keys) == 8, "the keys read %s" % [k.name for k in keys])
    check(all(k.getRole() == pyatspi.ROLE_PUSH_BUTTON for k in keys), "a key is no button")
    talk = keys[0]
    calling = wait_for("the calling box",
                       lambda: find_all(app, lambda n: n.name.startswith("Calling: ")))[0]

    names = []
    pyatspi.Registry.registerEventListener(
        lambda e: names.append(e.source.name), "object:property-change:accessible-name")
    wait_for("the server's tables", lambda: session.traced("crosspoint-map"))
    session.tell_server("call 4 2")
    wait_for("the Talk key flashing", lambda: pyatspi.STATE_ANIMATED in states(talk) and
             "flashing for a call" in talk.description)
    wait_for("the caller named", lambda: calling.name == "Calling: AUDIO")
    wait_for("the caller announced", lambda: "Calling: AUDIO" in names, 5)

    # Held from the keyboard: Space down on the focused key makes, Space up breaks.
    window = session.xdotool("search", "--name", "^ZEB Intercom Keyvane - Connected$")
    session.xdotool("windowfocus", "--sync", window.split("\n")[0])
    talk.queryComponent().grabFocus()
    wait_for("the key focused", lambda: pyatspi.STATE_FOCUSED in states(talk))
    session.xdotool("keydown", "space")
    wait_for("the key held", lambda: pyatspi.STATE_PRESSED in states(talk) and
             "held" in talk.description)
    make, brk = r"crosspoint-change code=37 in=\d+ out=4 ", r"crosspoint-change code=33 in=\d+ out=4 "
    wait_for("its make", lambda: session.traced(make))
    pump(1.5)  # long enough for the keyboard to repeat: no second make, no break meanwhile
    check(session.traced(make) == 1 and session.traced(brk) == 0 and
          pyatspi.STATE_PRESSED in states(talk), "the held key did not stay held")
    session.xdotool("keyup", "space")
    wait_for("the key let go", lambda: pyatspi.STATE_PRESSED not in states(talk))
    wait_for("its break", lambda: session.traced(brk))
    return 0


def main():
    keyvane, switchersim = (os.path.abspath(p) for p in sys.argv[1:3])
    with tempfile.TemporaryDirectory() as tmp:
        session = Session(tmp)
        try:
            return run(session, keyvane, switchersim)
        except Failed as failure:
            print("FAILED:", failure)
            print("server trace, last lines:\n" + "".join(session.trace[-15:]))
            return 1
        finally:
            session.close()


if __name__ == "__main__":
    sys.exit(main())

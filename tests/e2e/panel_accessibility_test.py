"""The real panel as a screen reader meets it, on the accessibility bus, against the stand-in
server: dbus-run-session -- python3 panel_accessibility_test.py KEYVANE SWITCHERSIM.
Exits 0 when every check holds, 1 when one does not, 77 when no accessibility bus starts."""

import os, re, subprocess, sys, tempfile, threading, time
from gi.repository import Gio, GLib

procs, trace = [], []


class Failed(Exception):
    pass


def start(args, **kw):
    procs.append(subprocess.Popen(args, **kw))
    return procs[-1]


def pump(seconds):  # the accessibility library delivers its events meanwhile
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.02)


def wait_for(what, pred, seconds=20.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            if pred():
                return
        except GLib.Error:  # an object gone while the panel redraws
            pass
        pump(0.1)
    raise Failed("timed out waiting for " + what)


def a11y_bus_up():
    try:
        Gio.bus_get_sync(Gio.BusType.SESSION, None).call_sync(
            "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, None,
            Gio.DBusCallFlags.NONE, 2000, None)
        return True
    except GLib.Error:
        return False


def traced(pattern):
    return sum(1 for line in list(trace) if re.search(pattern, line))


def run(keyvane, switchersim, tmp):
    xvfb = start(["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "800x600x24",
                  "-nolisten", "tcp"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()
    launcher = start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    end = time.monotonic() + 10
    while not a11y_bus_up():
        if time.monotonic() > end or launcher.poll() is not None:
            print("SKIP: the accessibility bus does not start here")
            return 77
        time.sleep(0.1)
    import pyatspi

    sim = start([switchersim, "--port", "0", "--trace", "--type-ms", "0"],
                stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    port = sim.stdout.readline().strip().rsplit(":", 1)[-1]
    threading.Thread(target=lambda: trace.extend(sim.stdout), daemon=True).start()
    # Own output 2, own input 3; key 1 talks to station 4, AUDIO.
    with open(os.path.join(tmp, "zebntpnl.ini"), "wb") as ini:
        ini.write(("[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=%s\r\n[CONFIG]\r\nOutput=3\r\n"
                   "Input=4\r\nStay On Top=No\r\n[BUTTON 0]\r\nType=2\r\nFirst=5\r\n"
                   "Line 1=Audio\r\nLine 2=Talk\r\n" % port).encode())
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    panel = start([keyvane, "--config", tmp], env=env, cwd=tmp, stderr=subprocess.DEVNULL)

    def named(pattern):
        for app in pyatspi.Registry.getDesktop(0):
            found = app and pyatspi.findAllDescendants(
                app, lambda n: re.match(pattern, n.name or ""))
            if found:
                return sorted(found, key=lambda n: n.name)
        if panel.poll() is not None:
            raise Failed("the panel ended, exit code %s" % panel.returncode)
        return []

    wait_for("eight keys", lambda: len(named(r"Key [1-8], ")) == 8, 30)
    keys = named(r"Key [1-8], ")
    if [k.name for k in keys[:2]] != ["Key 1, Audio Talk", "Key 2, Button 2, listen"] or any(
            k.getRole() != pyatspi.ROLE_PUSH_BUTTON for k in keys):
        raise Failed("the keys read %s" % [(k.name, k.getRoleName()) for k in keys])
    talk, calling = keys[0], named("Calling: ")[0]
    states = lambda: talk.getState().getStates()

    names = []
    pyatspi.Registry.registerEventListener(lambda e: names.append(e.source.name),
                                           "object:property-change:accessible-name")
    wait_for("the server's tables", lambda: traced("crosspoint-map"))
    sim.stdin.write("call 4 2\n")
    sim.stdin.flush()
    wait_for("the Talk key flashing", lambda: pyatspi.STATE_ANIMATED in states() and
             talk.description == "flashing for a call")
    wait_for("the caller named", lambda: calling.name == "Calling: AUDIO")
    wait_for("the caller announced", lambda: "Calling: AUDIO" in names, 5)

    # Space held on the focused key: one make, however long the keyboard repeats, one break.
    window = subprocess.run(["xdotool", "search", "--name", "Keyvane - Connected$"],
                            capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window])
    talk.queryComponent().grabFocus()
    wait_for("the key focused", lambda: pyatspi.STATE_FOCUSED in states())
    make, brk = (r"crosspoint-change code=%d in=\d+ out=4 " % c for c in (37, 33))
    subprocess.run(["xdotool", "keydown", "space"])
    wait_for("the key held", lambda: pyatspi.STATE_PRESSED in states() and
             "held" in talk.description and traced(make))
    pump(1.5)
    if traced(make) != 1 or traced(brk) or pyatspi.STATE_PRESSED not in states():
        raise Failed("the held key did not stay held")
    subprocess.run(["xdotool", "keyup", "space"])
    wait_for("the key let go", lambda: pyatspi.STATE_PRESSED not in states() and traced(brk))
    return 0


def main():
    with tempfile.TemporaryDirectory() as tmp:
        try:
            return run(*(os.path.abspath(p) for p in sys.argv[1:3]), tmp)
        except Failed as failure:
            print("FAILED:", failure, "\nserver trace, last lines:\n" + "".join(trace[-15:]))
            return 1
        finally:
            for p in reversed(procs):
                p.terminate()
                p.wait()


if __name__ == "__main__":
    sys.exit(main())

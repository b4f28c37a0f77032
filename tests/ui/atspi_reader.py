#!/usr/bin/env python3
"""What a screen reader hears of the running program, over AT-SPI.

Starts its own X server (Xvfb), session bus and accessibility bus, runs the
program under them with Qt's accessibility bridge on, and reads the windows
through the AT-SPI registry as a screen reader does:

  * each list of the birth form says its current item;
  * Find Place says its verdict sentence for Kathmandu on 10 May 1990 08:15
    (the offset no list entry has) and for New York on 14 March 2021 02:30
    (a time the clocks skipped);
  * every value of the Chart Details tab is heard exactly once, as
    "caption: value", and its caption is not heard on its own.

The births come from the command-line tool's own records (--save-record),
and the expected rows of the first chart from the tool's report.

Usage: atspi_reader.py SELMARIND SELMARIND_CHART
Exit status 0 passed, 1 failed, 77 skipped (no Xvfb or AT-SPI here).
"""

import os
import random
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import warnings

SKIP = 77
OVERALL_TIMEOUT_S = 150
STEP_TIMEOUT_S = 40


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, produce, timeout=STEP_TIMEOUT_S):
    """Calls produce() until it gives something true; returns that."""
    deadline = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < deadline:
        try:
            value = produce()
            if value:
                return value
        except Exception as error:  # the tree changes under a reader
            last_error = error
        time.sleep(0.2)
    raise Failure("timed out waiting for %s (%s)" % (what, last_error))


class Session:
    """Xvfb, a session bus and the accessibility bus, all in one process
    group that is ended as a whole."""

    def __init__(self, folder):
        self.folder = folder
        self.processes = []

    def start(self):
        os.environ["DISPLAY"] = self.start_x_server()

        bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
            start_new_session=True)
        self.processes.append(bus)
        address = bus.stdout.readline().strip()
        check(address, "the session bus did not start")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address

        launcher = subprocess.Popen(
            [find_launcher(), "--launch-immediately"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(launcher)
        # A program started before the registry answers never joins the
        # desktop, so the registry is started and awaited first.
        wait_for("the accessibility registry", registry_ready)

        for name in ("config", "data", "cache"):
            os.makedirs(os.path.join(self.folder, name), exist_ok=True)
        runtime = os.path.join(self.folder, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        os.environ.update({
            "HOME": self.folder,
            "XDG_CONFIG_HOME": os.path.join(self.folder, "config"),
            "XDG_DATA_HOME": os.path.join(self.folder, "data"),
            "XDG_CACHE_HOME": os.path.join(self.folder, "cache"),
            "XDG_RUNTIME_DIR": runtime,
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
            "NO_AT_BRIDGE": "0",
        })

    def start_x_server(self):
        """Starts Xvfb on a free display of its own and returns the display
        name once the server takes connections. Other X servers may start
        beside it at any moment (tests run in parallel), so a display that
        is taken, or a server that dies, means another number."""
        rng = random.Random(os.getpid())
        for _ in range(20):
            number = rng.randrange(200, 900)
            if os.path.exists("/tmp/.X%d-lock" % number):
                continue
            xvfb = subprocess.Popen(
                ["Xvfb", ":%d" % number, "-screen", "0", "1600x1000x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
            self.processes.append(xvfb)
            socket_path = "/tmp/.X11-unix/X%d" % number
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline and xvfb.poll() is None:
                if accepts_connections(socket_path):
                    time.sleep(0.2)
                    if xvfb.poll() is None:
                        return ":%d" % number
                time.sleep(0.1)
            stop_group(xvfb)
        raise Failure("Xvfb did not start on any display")

    def stop(self):
        for process in reversed(self.processes):
            stop_group(process)


def accepts_connections(socket_path):
    probe = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        probe.connect(socket_path)
        return True
    except OSError:
        return False
    finally:
        probe.close()


def stop_group(process):
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait(timeout=5)
    # Whatever the process group started (bus activations) ends with it.
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except (ProcessLookupError, PermissionError):
        pass


def find_launcher():
    for path in ("/usr/libexec/at-spi-bus-launcher",
                 "/usr/lib/at-spi2-core/at-spi-bus-launcher",
                 "/usr/lib/x86_64-linux-gnu/at-spi-bus-launcher"):
        if os.access(path, os.X_OK):
            return path
    return shutil.which("at-spi-bus-launcher")


def prerequisites_missing():
    missing = [tool for tool in ("Xvfb", "dbus-daemon") if not shutil.which(tool)]
    if not find_launcher():
        missing.append("at-spi-bus-launcher")
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi  # noqa: F401
    except (ImportError, ValueError):
        missing.append("python3-gi with gir1.2-atspi-2.0")
    return missing


# --- reading the tree ------------------------------------------------------

def atspi():
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    return Atspi


def children(node):
    try:
        count = node.get_child_count()
    except Exception:
        return []
    out = []
    for i in range(count):
        try:
            child = node.get_child_at_index(i)
        except Exception:
            child = None
        if child is not None:
            out.append(child)
    return out


def walk(node):
    yield node
    for child in children(node):
        yield from walk(child)


def role(node):
    return node.get_role_name()


def name(node):
    return node.get_name() or ""


def showing(node):
    Atspi = atspi()
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def text_of(node):
    """The node's text interface content, or None without one."""
    if "Text" not in node.get_interfaces():
        return None
    Atspi = atspi()
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def application_of(pid):
    Atspi = atspi()
    desktop = Atspi.get_desktop(0)
    for app in children(desktop):
        try:
            if app.get_process_id() == pid:
                return app
        except Exception:
            continue
    return None


def window_named(app, title):
    for window in children(app):
        if name(window) == title:
            return window
    return None


def find(root, wanted_role, wanted_name=None, only_showing=False):
    for node in walk(root):
        try:
            if role(node) != wanted_role:
                continue
            if wanted_name is not None and name(node) != wanted_name:
                continue
            if only_showing and not showing(node):
                continue
            return node
        except Exception:
            continue
    return None


def press(node, action_name):
    """Starts the node's action without waiting for its answer: an action
    that opens a modal dialog answers only when the dialog closes."""
    Atspi = atspi()
    check("Action" in node.get_interfaces(), "%s %r has no actions" % (role(node), name(node)))
    index = None
    for i in range(Atspi.Action.get_n_actions(node)):
        if Atspi.Action.get_action_name(node, i) == action_name:
            index = i
    check(index is not None, "%r has no action %r" % (name(node), action_name))
    from gi.repository import Gio, GLib
    bus = Gio.DBusConnection.new_for_address_sync(
        accessibility_bus_address(),
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    bus.call(node.app.bus_name, node.path, "org.a11y.atspi.Action", "DoAction",
             GLib.Variant("(i)", (index,)), None, Gio.DBusCallFlags.NONE, -1, None, None)
    bus.flush_sync(None)
    PRESS_CONNECTIONS.append(bus)


PRESS_CONNECTIONS = []


def registry_ready():
    from gi.repository import Gio, GLib
    try:
        bus = Gio.DBusConnection.new_for_address_sync(
            accessibility_bus_address(),
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                      "StartServiceByName", GLib.Variant("(su)", ("org.a11y.atspi.Registry", 0)),
                      None, Gio.DBusCallFlags.NONE, 5000, None)
        owned = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                              "org.freedesktop.DBus", "NameHasOwner",
                              GLib.Variant("(s)", ("org.a11y.atspi.Registry",)), None,
                              Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
        bus.close_sync(None)
        return owned
    except GLib.Error:
        return False


def accessibility_bus_address():
    from gi.repository import Gio
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                              None, None, Gio.DBusCallFlags.NONE, 5000, None)
    return reply.unpack()[0]


# --- the program -----------------------------------------------------------

class Program:
    def __init__(self, executable, record):
        self.log = tempfile.TemporaryFile()
        self.process = subprocess.Popen([executable, record], stdout=self.log,
                                        stderr=subprocess.STDOUT, start_new_session=True)
        try:
            self.app = wait_for("the program on the accessibility bus",
                                lambda: application_of(self.process.pid))
        except Failure:
            self.log.seek(0)
            print("program %s (%s), status %s, output:\n%s" % (
                record, self.process.pid, self.process.poll(),
                self.log.read().decode(errors="replace")))
            Atspi = atspi()
            print("on the desktop: %r" % [
                (name(app), app.get_process_id()) for app in children(Atspi.get_desktop(0))])
            raise

    def window(self, title):
        return wait_for("the window %r" % title, lambda: window_named(self.app, title))

    def stop(self):
        stop_group(self.process)


def save_record(tool, folder, file_name, arguments):
    path = os.path.join(folder, file_name)
    run = subprocess.run([tool] + arguments + ["--save-record", path], capture_output=True,
                         text=True, timeout=60)
    check(run.returncode == 0 and os.path.exists(path),
          "the tool did not save %s: %s" % (file_name, run.stderr))
    return path


def birth_form(program):
    """The window with "Get My Torvi Lagna", whatever its title (it names an
    opened record)."""
    return wait_for("the birth form", lambda: next(
        (w for w in children(program.app) if find(w, "push button", "Get My Torvi Lagna")),
        None))


def list_values(form):
    values = {}
    for node in walk(form):
        if role(node) == "combo box":
            values[name(node)] = text_of(node)
    return values


class NameChanges:
    """Records the names announced through name-change events."""

    def __init__(self):
        Atspi = atspi()
        self.names = []
        self.listener = Atspi.EventListener.new(self._heard)
        self.listener.register("object:property-change:accessible-name")

    def _heard(self, event):
        try:
            self.names.append(name(event.source))
        except Exception:
            pass

    def said(self, part):
        from gi.repository import GLib
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass
        return any(part in text for text in self.names)

    def stop(self):
        self.listener.deregister("object:property-change:accessible-name")


def find_place_verdict(program):
    form = birth_form(program)
    entry = wait_for("Find Place in the Tools menu",
                     lambda: find(form, "menu item", "Find Place..."))
    press(entry, "Press")
    dialog = program.window("Find Place")
    verdict = wait_for("the verdict", lambda: verdict_label(dialog))
    return dialog, verdict


def verdict_label(dialog):
    for node in walk(dialog):
        if role(node) == "label" and node.get_description() == "Zone for the birth time":
            if name(node) and name(node) != "Zone for the birth time":
                return name(node)
    return None


def main():
    # PyGObject flags some AT-SPI calls that have no replacement in 2.46.
    warnings.simplefilter("ignore", DeprecationWarning)
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    selmarind, tool = sys.argv[1], sys.argv[2]
    missing = prerequisites_missing()
    if missing:
        print("SKIP: missing " + ", ".join(missing))
        return SKIP

    folder = tempfile.mkdtemp(prefix="selmarind-atspi-")
    session = Session(folder)
    programs = []

    def on_alarm(signum, frame):
        raise Failure("the whole test took longer than %d s" % OVERALL_TIMEOUT_S)

    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(OVERALL_TIMEOUT_S)
    try:
        kathmandu = save_record(tool, folder, "kathmandu.selmarind", [
            "--name", "RAMESH THAPA", "--date", "1990-05-10", "--time", "08:15",
            "--place", "Kathmandu"])
        new_york = save_record(tool, folder, "new_york.selmarind", [
            "--name", "JOHN DOE", "--date", "2021-03-14", "--time", "02:30",
            "--city", "New York", "--lat", "40N43", "--lon", "74W00", "--utc-offset", "-05:00"])
        report = subprocess.run([tool, "--record", kathmandu], capture_output=True, text=True,
                                timeout=60)
        check(report.returncode == 0, "the tool's report failed: " + report.stderr)

        session.start()
        failures = []

        # Kathmandu: the lists, the verdict, the chart details.
        program = Program(selmarind, kathmandu)
        programs.append(program)
        form = birth_form(program)
        wait_for("the seven lists", lambda: len(list_values(form)) == 7)
        try:
            wait_for("the record's year", lambda: list_values(form).get("Birth year") == "1990",
                     timeout=10)
        except Failure:
            pass  # compared below, with what the lists do say
        values = list_values(form)
        expected = {"Birth month": "May", "Birth day": "10", "Birth year": "1990",
                    "Birth hour": "8", "Birth minute": "15", "Birth second": "0"}
        for list_name, value in expected.items():
            if values.get(list_name) != value:
                failures.append("list %r reads %r, not %r" % (list_name, values.get(list_name),
                                                             value))
        zone = values.get("Time zone") or ""
        if "+05:45" not in zone and "5:45" not in zone and "5.75" not in zone:
            failures.append("the zone list reads %r, not Nepal's +05:45" % zone)

        dialog, verdict = find_place_verdict(program)
        for part in ("+05:45 on 10 May 1990 08:15", "is added at the end of the list"):
            if part not in verdict:
                failures.append("Kathmandu's verdict %r lacks %r" % (verdict, part))
        press(find(dialog, "push button", "Cancel"), "Press")
        wait_for("Find Place to close", lambda: window_named(program.app, "Find Place") is None)

        press(find(form, "push button", "Get My Torvi Lagna"), "Press")
        frame = wait_for("the result window",
                         lambda: next((w for w in children(program.app)
                                       if find(w, "page tab", "Chart Details")), None))
        press(find(frame, "page tab", "Chart Details"), "Press")
        heard = wait_for("the Chart Details tab", lambda: chart_details_heard(frame))
        failures += chart_details_faults(heard, report.stdout)
        program.stop()

        # New York at a time the clocks skipped; then another place, whose
        # new verdict must be announced as the label's new name.
        program = Program(selmarind, new_york)
        programs.append(program)
        dialog, verdict = find_place_verdict(program)
        for part in ("14 March 2021 02:30 did not exist in America/New_York",
                     "Choose the offset"):
            if part not in verdict:
                failures.append("New York's verdict %r lacks %r" % (verdict, part))
        announced = NameChanges()
        query = find(dialog, "text", "Place to find")
        check(query is not None, "no place field in Find Place")
        atspi().EditableText.set_text_contents(query, "Kathmandu")
        wanted = "+05:45 on 14 March 2021 02:30"
        try:
            wait_for("the new verdict announced", lambda: announced.said(wanted))
        except Failure:
            failures.append("the verdict %r was not announced (heard: %r)"
                            % (wanted, announced.names))
        announced.stop()
        program.stop()

        for failure in failures:
            print("FAIL: " + failure)
        if failures:
            return 1
        print("PASS: lists, Find Place verdicts and Chart Details read over AT-SPI")
        return 0
    except Failure as failure:
        print("FAIL: %s" % failure)
        return 1
    finally:
        signal.alarm(0)
        for program in programs:
            program.stop()
        session.stop()
        shutil.rmtree(folder, ignore_errors=True)


def chart_details_heard(frame):
    """The names a reader hears of the labels showing in the result window
    (its Chart Details tab chosen), in order; None before the tab shows."""
    heard = [name(node) for node in walk(frame)
             if role(node) == "label" and name(node) and showing(node)]
    return heard if any(line.startswith("Ayanamsa: ") for line in heard) else None


# The sections of the tool's report that the Chart Details tab also shows.
REPORT_SECTIONS = ("Sunrise and Sunset", "Positions and Ayanamsa", "Special Points",
                   "Arudhas of the Houses")


def report_rows(report):
    """(caption, value) of each row of REPORT_SECTIONS in the report."""
    rows, section = [], None
    for line in report.splitlines():
        if line and not line.startswith(" "):
            section = line.strip()
            continue
        match = re.match(r"^  (\S.*?)\s+: (.*)$", line)
        if section in REPORT_SECTIONS and match:
            rows.append((match.group(1), match.group(2)))
    return rows


def chart_details_faults(heard, report):
    """Each row of the tab is heard once as "caption: value", its caption
    and its value never alone; every row the report shares with the tab is
    among them."""
    faults = []
    rows = [line for line in heard if ": " in line]
    seen = {}
    for line in rows:
        seen[line] = seen.get(line, 0) + 1
    for line, count in seen.items():
        if count != 1:
            faults.append("Chart Details row %r is heard %d times" % (line, count))
    for line in rows:
        caption, value = line.split(": ", 1)
        if caption in heard:
            faults.append("the caption %r is heard on its own besides %r" % (caption, line))
        if value and value in heard:
            faults.append("the value %r is heard on its own besides %r" % (value, line))
    check(len(rows) >= 10, "only %d Chart Details rows heard: %r" % (len(rows), heard))
    # The tab may caption a row more fully than the report ("Reference
    # sunrise (birth's clock)"); such a row is found by its value.
    heard_captions = {line.split(": ", 1)[0] for line in rows}
    expected = report_rows(report)
    for caption, value in expected:
        line = caption + ": " + value
        if caption in heard_captions:
            if seen.get(line, 0) != 1:
                faults.append("the report's row %r is heard %d times on the tab"
                              % (line, seen.get(line, 0)))
            continue
        wanted = sum(1 for _, v in expected if v == value)
        found = sum(1 for line in rows if line.split(": ", 1)[1] == value)
        if found != wanted:
            faults.append("the report's value %r (%s) is heard %d times, not %d"
                          % (value, caption, found, wanted))
    return faults


if __name__ == "__main__":
    sys.exit(main())

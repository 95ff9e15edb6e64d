#!/usr/bin/python3
"""Stagewell on a desktop of its own, worked as a racer works it.

The offscreen window tests cannot show what a desktop does to input: the
window manager hands the front to the window clicked in before the click
reaches the program, and a screen reader's bridge is torn down at quit. Here
the real program runs on an X server with openbox, a session bus and the
accessibility bus; controls are found and boxes read through the
accessibility tree (dogtail, over pyatspi), real clicks and keys come from
xdotool, and every wait is on what the program shows or writes.

    tests/shell/desktop_test.py PROGRAM [WORDS] [K/N]   # only the rows naming WORDS, the Kth of N shares

One line a row; exit 0 when every row passed. A missing tool fails too.
DESKTOP_KEEP=1 keeps the programs' folders and logs.
"""
import collections
import contextlib
import os
import pwd
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

PROGRAM = os.path.abspath(sys.argv[1])
ONLY = sys.argv[2] if len(sys.argv) > 2 else ""
SHARE, SHARES = map(int, (sys.argv[3] if len(sys.argv) > 3 else "1/1").split("/"))
TIMEOUT = 30  # seconds for anything the program should show; far more than it takes
QUIET = 1.2   # seconds without a new box before a command counts as done
SANITIZER = re.compile(r"ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:")
GONE = ()  # the error of an object of the accessibility tree that went meanwhile (GLib's, once dogtail is in)


class Failure(Exception):
    pass


def wait_for(what, test, timeout=TIMEOUT, step=0.1):
    end = time.time() + timeout
    while time.time() < end:
        try:
            found = test()
        except GONE:
            found = None
        if found:
            return found
        time.sleep(step)
    raise Failure(f"waited {timeout} s for {what} (showing: {showing()})")


def showing():
    """What the program shows, for a failure's report."""
    try:
        return "; ".join(f"{w.roleName} {w.name.strip()!r}" for w in Program.current.windows(timeout=1))
    except Exception:  # gone, or no bridge
        return "?"


def run(*args, timeout=10):
    try:
        return subprocess.run(args, capture_output=True, text=True, timeout=timeout).stdout
    except subprocess.TimeoutExpired:  # a window that went meanwhile
        return ""


def xdo(*args):
    return run("xdotool", *map(str, args))


def told(command, *args):
    """What xdotool's `command` tells, in its shell form (NAME=value lines)."""
    return dict(line.split("=") for line in xdo(command, "--shell", *args).split())


# ---------------------------------------------------------------- the desktop and the program

class Desktop:
    """An X server, a session bus, the accessibility bus and openbox. None of
    the developer's own settings are read, nothing stays in the system's folders."""

    def __init__(self, folder):
        self.servers = []
        for var, name in (("XDG_RUNTIME_DIR", "run"), ("XDG_CONFIG_HOME", "config"), ("XDG_CACHE_HOME", "cache")):
            os.environ[var] = os.path.join(folder, name)
            os.makedirs(os.environ[var], mode=0o700)
        for var in ("QT_ACCESSIBILITY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "WAYLAND_DISPLAY"):
            os.environ.pop(var, None)
        # -noreset: the server would start over when its last client leaves,
        # and the accessibility bus launcher is one that comes and goes.
        os.environ["DISPLAY"] = ":" + self.start_telling("Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x900x24",
                                                         "-nolisten", "tcp", "-noreset")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.start_telling("dbus-daemon", "--session", "--nofork",
                                                                    "--print-address={fd}")
        self.start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
        wait_for("the accessibility bus", lambda: "unix:" in run(
            "gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus",
            "--method", "org.a11y.Bus.GetAddress"))
        self.start("openbox")
        wait_for("openbox", lambda: subprocess.run(["wmctrl", "-m"], capture_output=True).returncode == 0)

    def start(self, *args, **kw):
        self.servers.append(subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                             start_new_session=True, **kw))

    def start_telling(self, *args):
        """Starts a server that tells where to reach it on a descriptor of ours."""
        read, write = os.pipe()
        self.start(*[a.replace("{fd}", str(write)) for a in args], pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as f:
            line = f.readline().strip()
        if not line:
            raise Failure(f"{args[0]} did not start")
        return line

    def stop(self):
        for server in reversed(self.servers):
            try:
                os.killpg(server.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            server.wait()


class Program:
    """One start of the program in a program folder of its own."""
    current = None

    def __init__(self, folder, bridge=True):
        os.makedirs(folder)
        self.home, self.log = os.path.join(folder, "home"), os.path.join(folder, "log")
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", STAGEWELL_HOME=self.home)
        if bridge:
            env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        with open(self.log, "w") as log:
            self.process = subprocess.Popen([PROGRAM], env=env, stdout=log, stderr=log, start_new_session=True)
        self.app, self.tip_seen = None, False
        Program.current = self
        if bridge:  # on the accessibility bus, or the bridge is not on
            self.app = wait_for("the program on the accessibility bus", lambda: next(
                (a for a in root.applications() if self.running() and a.get_process_id() == self.process.pid), None))

    def running(self):
        if self.process.poll() is not None:
            raise Failure(f"ended early, exit status {self.process.returncode}{self.last_words()}")
        return True

    def last_words(self):
        with open(self.log, errors="replace") as f:
            return "".join("\n    " + line for line in f.read().splitlines()[-5:])

    def ended(self, timeout=TIMEOUT):
        """Waits for the program to end by itself, with status 0 and no sanitizer report."""
        try:
            status = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"still running {timeout} s after it was quit")
        with open(self.log, errors="replace") as f:
            text = f.read()
        report = SANITIZER.search(text)
        if report:
            raise Failure(f"sanitizer report at exit (exit status {status}):\n    " +
                          "\n    ".join(text[report.start():].splitlines()[:20]))
        if status != 0:
            raise Failure(f"exit status {status}{self.last_words()}")

    def kill(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()

    # --- through the accessibility tree
    def windows(self, timeout=TIMEOUT):
        """The program's windows on the screen, from a read of the list whose
        length held and every window of which was read: dogtail drops a
        window without a word when another goes meanwhile (the splash)."""
        end = time.time() + timeout
        while self.running():
            try:
                count = self.app.childCount
                found = [self.app.getChildAtIndex(i) for i in range(count)]
                if all(found) and self.app.childCount == count:
                    return [w for w in found if w.showing]
            except (GONE, LookupError):
                pass
            if time.time() > end:
                raise Failure("the program's list of windows never read the same twice")
            time.sleep(0.05)

    def window(self, title):
        return next((w for w in self.windows() if w.name.startswith(title)), None)

    def closed(self, title):
        """No window of `title` on the screen, by two reads that agree."""
        return not self.window(title) and not self.window(title)

    def gone(self, window):
        """Whether `window` went: its own state says so, or two reads of the list agree."""
        with contextlib.suppress(GONE):  # its object went with it, or a slow reply: the list tells
            if not window.showing:
                return True
        return window not in self.windows() and window not in self.windows()

    def wait_window(self, title):
        return wait_for(f'the window "{title}"', lambda: self.window(title))

    def main(self):
        return self.wait_window(" Stagewell v")

    def boxes(self):
        return [w for w in self.windows() if w.roleName in ("alert", "dialog")]

    def box_text(self, box):
        return "|".join([box.name] + [n.name for n in box.findChildren(lambda n: n.roleName == "label") if n.name])

    def answer(self, box, button):
        """The box answered with `button`, or with Enter (None) on its default
        button in front, as a racer at the keyboard does."""
        if button:
            control(box, button).doActionNamed("Press")
        else:
            shown = self.x_window(box.name)
            run("xdotool", "windowactivate", "--sync", shown, timeout=5)
            wait_for(f'"{box.name}" in front', lambda: xdo("getactivewindow").strip() == shown)
            xdo("key", "--clearmodifiers", "Return")
        wait_for(f'"{box.name}" to go', lambda: self.gone(box))

    # --- through the window system
    def x_windows(self):
        return run("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)).split()

    def x_window(self, title):
        """The program's window the window system shows with a caption beginning `title`."""
        return wait_for(f'the window "{title}"', lambda: self.running() and next(
            (w for w in self.x_windows() if xdo("getwindowname", w).startswith(title)), None), step=0.25)

    def popup_open(self):
        return any(popup(w) for w in self.x_windows())

    def answer_x_boxes(self, quiet=QUIET, keep=" Stagewell v"):
        """Answers the boxes with their default buttons through the window
        system alone, until none has come for `quiet` seconds or the program
        ended: with the bridge off there is no tree, and a tree asked while
        the program ends can leave a D-Bus message of Qt's unsent at exit,
        which the sanitized build reports as a leak. The windows with a
        caption beginning `keep` (and the main window) are no boxes. Returns
        the boxes' captions."""
        asked, last, began = [], time.time(), time.time()
        while self.process.poll() is None:
            if time.time() - began > quiet + 3 * TIMEOUT:
                raise Failure(f"boxes kept coming, or one never took the front (answered: {asked})")
            boxes = [w for w in self.x_windows()
                     if not xdo("getwindowname", w).startswith((" Stagewell v", keep)) and not popup(w)]
            if not boxes:
                if time.time() - last >= quiet:
                    break
                time.sleep(0.25)
                continue
            front = xdo("getactivewindow").strip()
            box = front if front in boxes else boxes[-1]
            run("xdotool", "windowactivate", "--sync", box, timeout=5)
            if xdo("getactivewindow").strip() == box:
                asked.append(xdo("getwindowname", box).strip())
                xdo("key", "--clearmodifiers", "Return")
                wait_for("a box to go", lambda: box not in self.x_windows())
                last = time.time()
            else:  # not in front yet: a moment more, within the bound
                time.sleep(0.1)
        return asked


def popup(x_window):
    """A pop-up (a menu, a pick list): a window of the program the window
    manager does not manage, but for a tooltip, which says what it is."""
    return "Override Redirect State: yes" in run("xwininfo", "-id", x_window) and "_TOOLTIP" not in run(
        "xprop", "-id", x_window, "_NET_WM_WINDOW_TYPE")


def control(window, name, role="push button", timeout=TIMEOUT):
    """The control, waited for: a slow reply of the tree hides it from one search."""
    return wait_for(f'the {role} "{name}" in "{window.name}"', lambda: next(iter(
        window.findChildren(lambda n: n.name == name and n.roleName == role and n.showing)), None), timeout)


HELD = []  # where the kit holds the mouse's first button down: once at most, as a racer's hand


def click(p, node, hold=False, window=None):
    """A real click (or press held) on `node` (or a point), where no other
    window covers it; on the program's X `window`, when given, as the window
    system and the tree (the control under the pointer, taking presses) say."""
    at = node if isinstance(node, tuple) else spot(p, node)
    xdo("mousemove", *at)
    if window and not pointer_over(window):
        raise Failure(f"the press at {at} would land in another window")
    if window and not isinstance(node, tuple):
        x, y, width, height = node.extents
        if not (node.sensitive and x <= at[0] < x + width and y <= at[1] < y + height):
            raise Failure(f'the press at {at} would miss "{node.name}"')
    if hold:
        HELD.append(at)
        xdo("mousedown", 1)
    else:
        xdo("click", 1)


def let_go(at=None):
    """The press held let go, where the pointer is or at `at`: once, as a real mouse does."""
    if HELD:
        HELD.clear()
        if at:
            xdo("mousemove", *at)
        xdo("mouseup", 1)


def pointer_over(x_window):
    """Whether the window system has the pointer over the window (its frame, as the window manager made it)."""
    frame = re.search(r"Parent window id: (0x[0-9a-f]+)", run("xwininfo", "-tree", "-id", x_window)).group(1)
    return told("getmouselocation")["WINDOW"] == str(int(frame, 16))


def close_box(main):
    """The main window's close box, at the right end of the title bar the window manager draws."""
    info = run("xwininfo", "-id", main)
    x, y, width = (int(re.search(rf"{k}:\s+(-?\d+)", info).group(1))
                   for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width"))
    _, right, top, _ = map(int, re.findall(r"\d+", run("xprop", "-id", main, "_NET_FRAME_EXTENTS").split("=")[1]))
    return x + width + right - 11, y - top // 2


def spot(p, node):
    """A point of `node` that no other window covers."""
    me = node
    while me.parent and me.parent.roleName != "application":
        me = me.parent
    # The main window lies under every other window, a spec window under the boxes.
    over = [w.extents for w in p.windows() if w.name != me.name and (
        me.name.startswith(" Stagewell v") or w.roleName in ("alert", "dialog"))]
    x, y, width, height = node.extents
    # Near the edges last: a wide area (the main window's picture) may show only a strip.
    for fx, fy in [(fx, fy) for fy in (0.5, 0.25, 0.75) for fx in (0.5, 0.2, 0.8, 0.1, 0.9)] + [
            (0.03, 0.5), (0.97, 0.5), (0.5, 0.95)]:
        px, py = int(x + width * fx), int(y + height * fy)
        if not any(ox <= px < ox + ow and oy <= py < oy + oh for ox, oy, ow, oh in over):
            return px, py
    raise Failure(f'"{node.name}" is covered')


# ---------------------------------------------------------------- quitting, with the bridge on and off

def quit_row(folder, bridge, way):
    """A figure typed into the Transmission window and left with OK, then the
    program quit by its close box or File > Exit Program, its questions
    answered with their defaults: it ends by itself, cleanly, asking to save.
    Through the window system alone: with the bridge off there is no tree."""
    p = Program(folder, bridge)
    try:
        main = p.x_window(" Stagewell v")
        p.answer_x_boxes()
        # The Transmission button, first of the Vehicle Specs column at the main window's right.
        xdo("windowactivate", "--sync", main)
        xdo("mousemove", "--window", main, int(told("getwindowgeometry", main)["WIDTH"]) - 117, 120, "click", 1)
        spec = p.x_window("Transmission Specs")
        p.answer_x_boxes(keep="Transmission Specs")  # the tip on its help line
        # Tab from the clutch type to the clutch diameter, whose figure is replaced; OK, first of the bottom row.
        xdo("windowactivate", "--sync", spec)
        xdo("key", "--clearmodifiers", "Tab", "ctrl+a", "BackSpace")
        xdo("type", "--delay", 40, "10.5")
        xdo("key", "--clearmodifiers", "Return")
        xdo("mousemove", "--window", spec, 100, int(told("getwindowgeometry", spec)["HEIGHT"]) - 23, "click", 1)
        wait_for("OK to close the Transmission window", lambda: not any(
            xdo("getwindowname", w).startswith("Transmission Specs") for w in p.x_windows()))
        if way == "close box":
            run("wmctrl", "-i", "-c", main)
        else:
            xdo("windowactivate", "--sync", main)
            xdo("key", "--clearmodifiers", "alt+f")
            wait_for("the File menu", p.popup_open)
            xdo("key", "--clearmodifiers", "x")
        asked = p.answer_x_boxes(quiet=TIMEOUT)
        p.ended(5)
        if "Save Your Changes ?" not in asked:
            raise Failure(f"quit without the save question, though a figure was changed (asked: {asked})")
    finally:
        p.kill()


# ---------------------------------------------------------------- a command on its way past a question

# The question a spec window asks as the command takes the front from it:
# the window (its main window button and caption), the row typed into (its
# caption, the first or second of that caption) and the figure typed, made
# from the row's text; the question's words and the answer.
Question = collections.namedtuple("Question", "button window caption which figure asks answer")
TIRE_STEP = 8.25  # lbs more on each rear wheel and tire: the car's weight grows by two of them
WEIGHT = ("Wheels & Tires", "Wheel & Tire Specs", "Wheel & Tire Wt, lbs", 1, lambda t: f"{float(t) + TIRE_STEP:g}",
          "Change Vehicle Weight Also?")
WHEELBASE = ("Body & Axle", "Body/Axle Specs", "Wheelbase, in", 0, lambda t: f"{float(t) + 1.5:g}",
             "Change these Example Specs?")
QUESTIONS = {
    "weight Yes": Question(*WEIGHT, "Yes"),
    "weight No": Question(*WEIGHT, "No"),
    "weight left": Question(*WEIGHT, "Yes"),  # left with Tab: asked only as the window stores its rows
    "example Yes": Question(*WHEELBASE, "Yes"),
    "example No": Question(*WHEELBASE, "No"),
    "Warning": Question("Wheels & Tires", "Wheel & Tire Specs", "Tire Diameter, in", 1, lambda t: "77.7", "Warning",
                        "OK"),
}
EXAMPLE = "Muscle car 1968-72, 112 in wb"  # Body & Axle's, for the example question
WEIGHT_LINE = 1 + 45  # of a vehicle file: its first line, then the specs; the weight is Body & Axle's first (45)
# Boxes that may come on the way, answered with OK: the weight Yes gave, the one-time tip, a print's comment.
NOTICES = ("Vehicle Weight increased to", "User's Manual", "Printed Comment", "Graph Comment")

# The command: its main window control (a button, the File menu's title, or
# none for the close box the window manager draws), what shows it ran (a
# box's words, a window, a pop-up) and the answer to its box.
Command = collections.namedtuple("Command", "button shows reply role", defaults=("push button",))
COMMANDS = {
    "Save": Command("Save Vehicle to Library", "Save Changes to Same File Name?", "Yes"),
    "Calculate": Command("Calculate ET Performance", "Results", None),
    "Quit": Command("Quit", "Quit Stagewell ?", "No"),
    "Optimize": Command("Optimize", "popup", None),
    "Open": Command("Open Vehicle Library", "popup", None),
    "close box": Command(None, "Quit Stagewell ?", "No"),
    "File menu": Command("File (vehicle) ", "popup", None, "menu item"),
    "Print": Command(None, "preview", None),  # a window's own (PRINTS), shown in Qt's print preview
}

# A window's own print, its entry not yet left refused on the way: the
# window (its main window button and caption), the row (its caption, the
# last of that caption), the figure typed and the print's control.
Printout = collections.namedtuple("Printout", "button window caption figure control")
PRINTS = {
    "Dial-In Warning": Printout("Dial-In", "Dial In Prediction", 'Corr. Baro., "Hg', "99", "File > Print"),
    "Throttle Stop Warning": Printout("Throttle Stop", "Throttle Stop Prediction", 'Corr. Baro., "Hg', "99",
                                      "File > Print"),
    "Engine Warning": Printout("Engine", "General Engine Specs", "RPM 5", "99999", "Print Power Curve"),
    "calculator Warning": Printout("Body & Axle", "Vehicle Weight Estimate", "Driver + Added Weight, lbs", "99999",
                                   "Print"),
}
SOUND_DRIVER = "185"  # lbs: a driver the weight calculator takes

# The table. Every command by a mouse click after the example question
# (Yes, No) and a Warning; the weight question answered No by a click and by
# F2; Optimize's pop-up after a question; and each other way of input (a
# press held over the box, F2, a screen reader's press) with each command it
# has, over the questions in turn.
ROWS = [(q, c, "click") for q in ("example Yes", "example No", "Warning") for c in ("Save", "Calculate", "Quit")] + [
    ("weight No", "Save", "click"), ("weight No", "Quit", "click"), ("weight Yes", "Calculate", "click"),
    ("weight No", "Optimize", "click"), ("Warning", "Optimize", "click"), ("weight No", "Calculate", "F2"),
    ("weight No", "Save", "held"), ("Warning", "Calculate", "held"), ("example No", "Quit", "held"),
    ("example Yes", "Optimize", "held"), ("Warning", "Calculate", "F2"), ("example Yes", "Calculate", "F2"),
    ("example Yes", "Save", "reader"), ("weight Yes", "Calculate", "reader"), ("Warning", "Quit", "reader"),
    ("weight No", "Optimize", "reader"),
    # Open's pop-up after the question (asked also as the window stores a
    # row left before), by each way a racer has; a press let go off its
    # button under the box runs nothing; a window's own print after its
    # Warning, once at most for a click.
    ("weight Yes", "Open", "click"), ("weight left", "Open", "click"), ("weight Yes", "Open", "held"),
    ("weight Yes", "Open", "focused reader"), ("Warning", "Optimize", "dragged off"),
    ("example Yes", "Calculate", "dragged off"), ("weight Yes", "Quit", "dragged off"),
    ("Dial-In Warning", "Print", "click"), ("Throttle Stop Warning", "Print", "reader"),
    ("Engine Warning", "Print", "click"), ("calculator Warning", "Print", "click"),
    # What the window manager hands on, the main window's close box and a
    # menu title of its menu bar, after each kind of question: by a click, a
    # press let go under the box, and a Warning answered with Enter.
    ("Warning", "close box", "click, Enter"), ("example Yes", "close box", "click"),
    ("weight Yes", "close box", "click"), ("example No", "close box", "let go under the box"),
    ("weight No", "close box", "let go under the box"),
    ("Warning", "File menu", "click, Enter"), ("example No", "File menu", "click"), ("weight No", "File menu", "click"),
    ("example Yes", "File menu", "let go under the box"), ("weight Yes", "File menu", "let go under the box"),
]


def summary(p):
    """The vehicle summary on the main window: what the car holds."""
    return " ".join(n.name for n in p.main().findChildren(lambda n: n.roleName == "label"))


def weight_of(p):
    return int(re.search(r"Weight: (\d+)", summary(p)).group(1))


def open_spec(p, button, title):
    """The spec window from its main window button, its activation done (its
    quick calculation in the caption; at Beginner Level a tip first)."""
    control(p.main(), button).doActionNamed("Press")
    spec = p.wait_window(title)
    tip = wait_for("the window's activation", lambda: next(
        (b for b in p.boxes() if b.name == "Tip on Instant Help"), None) or "[" in spec.name and "done")
    if tip != "done":
        p.answer(tip, "OK")
        wait_for("the quick calculation", lambda: "[" in spec.name)
    return spec


def link_example(p, spec):
    """Body & Axle gets the example from its list (Get Example, pick, load)."""
    control(spec, "Get Example").doActionNamed("Press")
    chooser = p.wait_window("Examples")
    click(p, wait_for("the example in the list", lambda: next(
        (n for n in chooser.findChildren(lambda n: n.roleName == "list item") if n.name.startswith(EXAMPLE)), None)))
    control(chooser, "Pick").doActionNamed("Press")
    control(p.wait_window("Compare Current"), "Load In These Example Specs").doActionNamed("Press")

    def loaded():  # the library's notes come the first time only
        notes = next((w for w in p.windows() if "Notes on Example" in w.name), None)
        if notes:  # answered once, gone before the next look
            p.answer(notes, "OK")
        return not notes and not p.window("Compare Current") and any(
            EXAMPLE in n.name for n in spec.findChildren(lambda n: n.roleName == "combo box"))
    wait_for("the example in Body & Axle", loaded)


def target(p, command):
    """What the racer clicks for the command on the main window: its control, or the close box's place."""
    c = COMMANDS[command]
    return close_box(p.x_window(" Stagewell v")) if command == "close box" else control(p.main(), c.button, c.role)


def command_row(p, question, command, way):
    """The figure typed into the spec window and not left, then the command
    given from the main window: the question once, the command once after
    the answer (never, when its press was let go off the button) and never
    under the box, the answered figures kept."""
    q, c = QUESTIONS[question], COMMANDS[command]
    go = c.button and control(p.main(), c.button, c.role)
    if way == "focused reader":  # the racer went to the button with the keyboard before opening the window
        go.grabFocus()
        wait_for("the focus on the button", lambda: go.focused)
    spec = open_spec(p, q.button, q.window)
    if command == "Open":  # the window stands over the big buttons: the racer moves it below them first
        xdo("windowmove", "--sync", p.x_window(q.window), "x", go.extents[1] + go.extents[3] + 30)
    if question.startswith("example") and EXAMPLE not in summary(p):
        link_example(p, spec)
    row = [n for n in spec.findChildren(lambda n: n.roleName == "text" and n.name == q.caption)][q.which]
    figure, weight_before = q.figure(row.text), weight_of(p)
    click(p, row)
    xdo("key", "--clearmodifiers", "ctrl+a")
    xdo("type", "--delay", 20, figure)
    wait_for("the typed figure", lambda: row.text == figure)
    if question.endswith("left"):
        xdo("key", "--clearmodifiers", "Tab")
    try:
        if way == "F2":
            xdo("key", "--clearmodifiers", "F2")
        elif "reader" in way:
            go.doActionNamed("Press")
        else:
            click(p, target(p, command), hold=not way.startswith("click"), window=p.x_window(" Stagewell v"))
        questions, runs = watch(p, command, q.asks, q.answer, way)
    finally:
        let_go()
    # The window goes on the command's way; after a refusal it may keep the
    # front it took back with the focus, and goes with its OK.
    spec = p.window(q.window) or p.window(q.window)
    if spec:
        control(spec, "OK").doActionNamed("Press")
        wait_for(f"{q.window} to close", lambda: p.closed(q.window))
    if questions != 1 or runs != (way != "dragged off"):
        raise Failure(f"asked {questions} times, {command} ran {runs} times")
    # What was answered is what the racer's car holds: the weight grows by
    # the two rear wheels' change after Yes, and by nothing else.
    weight = weight_of(p)
    grown = question.startswith("weight") and q.answer == "Yes"
    expected = int(weight_before + 2 * TIRE_STEP + 0.5) if grown else weight_before
    if weight != expected:
        raise Failure(f"vehicle weight {weight_before} -> {weight} after {q.answer}, not {expected}")
    text = summary(p)
    if question.startswith("example") and (EXAMPLE in text) != (q.answer == "No"):
        raise Failure(f"the example link after {q.answer}: {text}")
    if question == "Warning" and f'x {figure}"' in text:
        raise Failure("the refused diameter was stored")
    if command == "Save":
        with open(os.path.join(p.home, "VEHDAT", "MUSCLE454"), newline="") as f:
            saved = f.read().split("\r\n")
        if (figure in saved) != (q.answer == "Yes" or question == "weight No") or saved[WEIGHT_LINE] != str(weight):
            raise Failure(f"the file holds {figure}: {figure in saved}, weight {saved[WEIGHT_LINE]}, not {weight}")


def preview(boxes):
    """Qt's print preview, when one is up."""
    return next((b for b in boxes if b.findChildren(lambda n: n.name == "Fit width")), None)


def print_row(p, question, command, way):
    """The figure typed into the window and not left, then its print given
    (File > Print from its menu bar, or its button): the Warning first and
    the stored figure back in the row, then the print of it, once. A
    calculator prints nothing of a refused entry; a sound one, once."""
    o = PRINTS[question]
    calculator, menu = o.button == "Body & Axle", ">" in o.control
    if calculator:  # the weight calculator, from the button beside the vehicle weight
        click(p, control(open_spec(p, o.button, "Body/Axle Specs"), "Clc Total Weight with Driver, lbs"))
    elif o.button == "Engine":  # the full curve, next below the peaks, and five points (HP from RPM and torque)
        engine = open_spec(p, o.button, o.window)
        click(p, engine.findChildren(lambda n: n.roleName == "combo box")[0])
        wait_for("the methods", p.popup_open)
        xdo("key", "Down", "Return")
        p.answer(wait_for("the note on the curve", p.boxes)[0], "OK")
        click(p, control(engine, "RPM 1", "text"))
        xdo("type", "--delay", 20, "3000\t420\t\t4000\t480\t\t5000\t470\t\t6000\t420\t\t7000\t360\t\t")
        wait_for("the fifth point's HP", lambda: control(engine, "HP 5", "text").text)
    else:  # asked once a start whether the car fits; the entries left over
        control(p.main(), o.button).doActionNamed("Press")
        for answer in ("Yes", "OK"):
            p.answer(wait_for("the box", p.boxes)[0], answer)
    window = p.wait_window(o.window)
    row = [n for n in window.findChildren(lambda n: n.roleName == "text" and n.name == o.caption)][-1]
    stored, item = row.text, (window.findChildren(lambda n: n.name == "Print" and n.roleName == "menu item")[0]
                              if menu else control(window, o.control))  # a menu's item, before the menu shows it
    # The refused figure: the Warning, then the print of the stored one (a
    # calculator's: none). A calculator's sound figure prints at once.
    for figure, asks, prints in [(o.figure, "Warning", 0 if calculator else 1)] + (
            [(SOUND_DRIVER, None, 1)] if calculator else []):
        click(p, row)
        xdo("key", "--clearmodifiers", "ctrl+a")
        xdo("type", "--delay", 20, figure)
        wait_for("the typed figure", lambda: row.text == figure)
        if way == "reader":
            item.doActionNamed("Press")
        else:
            if menu:
                click(p, control(window, "File", "menu item"))
                wait_for("the File menu", lambda: item.showing)
            click(p, item)
        questions, runs = watch(p, command, asks, asks and "OK", way)
        if (questions, runs) != (int(bool(asks)), prints):
            raise Failure(f"{figure}: asked {questions} times, printed {runs} times, not {int(bool(asks))}, {prints}")
        if asks and row.text != stored:
            raise Failure(f"the row holds {row.text}, not {stored}")
    if calculator:
        control(window, "Cancel").doActionNamed("Press")
    title = "Body/Axle Specs" if calculator else o.window
    window = p.wait_window(title)
    (control(window, "Exit", "menu item") if menu else control(window, "OK")).doActionNamed("Press")
    wait_for(f"{title} to close", lambda: p.closed(title))


def watch(p, command, asks=None, answer=None, way=None):
    """Answers what comes after a command until nothing has come for QUIET
    seconds since it ran: the question `asks` with `answer` (after one more
    click on the command's control, under the box on the screen, when it
    came by a click; a held press let go after it, or before it under the
    box, off the button or on it), the command's own box (after a screen
    reader's press on Calculate under it, which runs nothing), window,
    pop-up or print preview (never before the question), and the notices.
    Returns the times asked and the times run."""
    c = COMMANDS[command]
    asked = runs = 0
    began, last, unknown, pressed_under = time.time(), None, None, False
    while last is None or unknown or time.time() - last < QUIET:
        if time.time() - began > 3 * TIMEOUT:
            raise Failure(f"boxes kept coming after {command}")
        try:
            windows = p.windows()
            boxes = [w for w in windows if w.roleName in ("alert", "dialog")]
            texts = [p.box_text(b) for b in boxes]
            box = lambda *words: next((b for b, t in zip(boxes, texts) if any(w and w in t for w in words)), None)
            question, notice = box(asks), box(*NOTICES)
            results = next((w for w in windows if w.name.startswith("Results")), None)
            shown = (p.popup_open() if c.shows == "popup" else results if c.shows == "Results" else
                     preview(boxes) if c.shows == "preview" else box(c.shows))
        except GONE:
            continue
        if pressed_under and results:
            raise Failure(f"Calculate, pressed under the box of {command}, ran")
        if question:
            if shown:
                raise Failure(f"{command} ran while the question was up")
            asked += 1
            if way.startswith("click") and command != "Print":
                p.x_window(question.name)
                with contextlib.suppress(Failure):  # unless the box covers it (Open's)
                    click(p, target(p, command))
            if way == "dragged off":  # still held, off the button onto the main window's picture, let go there
                let_go(spot(p, p.main().findChildren(lambda n: n.roleName == "layered pane")[0]))
            elif way == "let go under the box":
                let_go()
            p.answer(question, None if way.endswith("Enter") else answer)
            let_go()
        elif shown:
            if asks and not asked:
                raise Failure(f"{command} ran before the question")
            runs += 1
            if c.shows in ("popup", "preview"):
                xdo("key", "Escape")
                wait_for("it to close", lambda: not (p.popup_open() or preview(p.boxes()) or preview(p.boxes())))
            elif c.shows == "Results":
                control(shown, "Back").doActionNamed("Press")
                wait_for("Results to close", lambda: p.closed("Results"))
            else:
                if way == "reader":
                    control(p.main(), COMMANDS["Calculate"].button).doActionNamed("Press")
                    pressed_under = True
                p.answer(shown, c.reply)
        elif notice:
            p.tip_seen = p.tip_seen or notice.name == "User's Manual"
            p.answer(notice, "OK")
        else:
            # A box the tree tells of before its words: a moment more.
            unknown = (unknown or time.time()) if boxes else None
            if unknown and time.time() - unknown > 2:
                raise Failure(f'unexpected box "{texts[0]}"')
            if last is None and time.time() - began > TIMEOUT:
                raise Failure(f"nothing came of {command}")
            time.sleep(0.1)
            continue
        last, unknown = time.time(), None
    return asked, runs


def started(folder, tip=True):
    """The program started, the start's boxes, and the notice under them,
    answered with OK; then the one-time tip "User's Manual", which comes as
    the main window takes the front for the fourth time: Quit clicked from a
    spec window asks its question once, whether the tip came before the
    click reached its button or after."""
    p = Program(folder)
    try:
        p.main()
        began = quiet_since = time.time()
        while time.time() - quiet_since < QUIET:
            if time.time() - began > TIMEOUT:
                raise Failure(f"the start's boxes kept coming (showing: {showing()})")
            shown = p.boxes() or [w for w in p.windows() if w.name.endswith("Please Read")]
            if shown:
                # The notice's OK does nothing under a box the tree had yet to tell of: then that box first.
                control(shown[0], "OK").doActionNamed("Press")
                wait_for(f'"{shown[0].name}" to go', lambda: p.gone(shown[0]) or any(
                    b != shown[0] for b in p.boxes()))
                quiet_since = time.time()
            time.sleep(0.1)
        for _ in range(6 if tip else 0):  # the tip comes on the fourth front, at the latest
            if p.tip_seen:
                break
            open_spec(p, "Driving", "Driving Specs")
            click(p, control(p.main(), "Quit"))
            if watch(p, "Quit", way="click")[1] != 1:
                raise Failure("Quit's question did not come once")
            # Back from the box, the front may go to Driving rather than the main window.
            spec = p.window("Driving Specs") or p.window("Driving Specs")
            if spec:
                control(spec, "OK").doActionNamed("Press")
                wait_for("Driving to close", lambda: p.closed("Driving Specs"))
        if tip and not p.tip_seen:
            raise Failure('the one-time tip "User\'s Manual" never came')
    except BaseException:
        p.kill()
        raise
    return p


def waiting_row(folder):
    """Results up, the greyed main window clicked so that the one-time tip
    comes: after its OK Results stays over it, transient for it as the open
    window is (the progress window shows too briefly to ask); so do Graph and
    Printout Options, opened from Results, each after one more click on it."""
    p = started(folder, tip=False)
    try:
        main = p.x_window(" Stagewell v")
        owned = lambda w: f"# {int(main):#x}" in run("xprop", "-id", w, "WM_TRANSIENT_FOR")
        control(p.main(), "Calculate ET Performance").doActionNamed("Press")
        back = control(p.wait_window("Results"), "Back")
        results = wait_for("Results on the screen", lambda: next((w for w in p.x_windows() if w != main), None))
        tip = None
        for _ in range(3):  # until the main window takes the front for the fourth time since the start
            click(p, control(p.main(), "Transmission"))
            try:
                tip = wait_for("the tip", lambda: p.window("User's Manual"), timeout=3)
                break
            except Failure:
                xdo("windowactivate", "--sync", results)
        p.answer(tip or p.wait_window("User's Manual"), "OK")
        wait_for("the front after the tip", lambda: xdo("getactivewindow").strip() in (main, results))

        def under(w):  # stacked under the main window
            stacking = re.findall(r"0x[0-9a-f]+", run("xprop", "-root", "_NET_CLIENT_LIST_STACKING"))
            return stacking.index(f"{int(main):#x}") > stacking.index(f"{int(w):#x}")
        covered = under(results)
        if covered or not owned(results):
            raise Failure(f"the greyed main window covers Results: {covered}, Results transient: {owned(results)}")
        for button, title in (("Graph", "Graph"), ("Print", "Printout Options")):  # left open
            control(p.window("Results"), button).doActionNamed("Press")
            x = wait_for(f"{title} in front",
                         lambda: (w := xdo("getactivewindow").strip()) not in (main, results, "") and w)
            click(p, control(p.main(), "Transmission"))
            wait_for("the main window in front", lambda: xdo("getactivewindow").strip() == main)
            if under(x):
                raise Failure(f"the greyed main window covers {title}")
        back.doActionNamed("Press")
        wait_for("Results to close", lambda: p.closed("Results"))
        control(p.main(), "Open Vehicle Library").doActionNamed("Press")
        wait_for("the open menu", p.popup_open)
        xdo("key", "--clearmodifiers", "Down", "Return")
        if not owned(p.x_window("Open a Vehicle File")):
            raise Failure("the open window is not transient for the main window")
    finally:
        p.kill()


def quit_program(p):
    """Quit, its questions answered with their defaults: the program ends by
    itself, cleanly."""
    control(p.main(), "Quit").doActionNamed("Press")
    p.answer_x_boxes(quiet=TIMEOUT)
    p.ended()


# ---------------------------------------------------------------- the rows

def main():
    for tool in ("Xvfb", "openbox", "xdotool", "wmctrl", "xwininfo", "gdbus", "dbus-daemon",
                 "/usr/libexec/at-spi-bus-launcher"):
        if not shutil.which(tool):
            print(f"desktop: {tool} is missing (./test.sh installs what the desktop tests need)")
            return 1
    work = tempfile.mkdtemp(prefix="desktop-", dir=os.environ.get("TMPDIR"))
    desktop = None
    try:
        desktop = Desktop(work)
        results = rows(work)
    except (Failure, ImportError) as e:  # no desktop, or no dogtail (./test.sh installs python3-dogtail)
        print(f"desktop: {e}")
        results = [False]
    finally:
        if desktop:
            desktop.stop()
        if not os.environ.get("DESKTOP_KEEP"):
            shutil.rmtree(work, ignore_errors=True)
    print(f"desktop: {results.count(True)} passed, {results.count(False)} failed")
    return 0 if results and all(results) else 1


def rows(work):
    global root, GONE
    from gi.repository import GLib
    GONE = GLib.Error
    # dogtail makes its folders on import, and two shares starting together
    # race it there (one finds the other's folder made between its look and
    # its make): they are there before it looks.
    mine = "/tmp/dogtail-" + os.getenv("LOGNAME", pwd.getpwuid(os.getuid())[0])
    for sub in ("logs", "data"):
        os.makedirs(os.path.join(mine, sub), exist_ok=True)
    from dogtail.config import config
    config.checkForA11y = False  # the program is told to bridge itself
    config.logDebugToFile = config.logDebugToStdOut = False
    config.actionDelay = config.defaultDelay = 0  # every wait is on what the program shows
    from dogtail.tree import root
    sys.excepthook = sys.__excepthook__
    results, folders, counted = [], (os.path.join(work, str(n)) for n in range(1000)), iter(range(1000))

    def wanted(name):
        """A row naming ONLY, in this share of the rows (shares run side by side)."""
        return ONLY in name and next(counted) % SHARES == SHARE - 1

    def row(name, body, *args):
        """What the row's body returned (True for nothing), None when it failed."""
        began, error, result = time.time(), None, None
        try:
            result = body(*args) or True
        except Exception as e:  # a failure, or a window gone from under the accessibility tree
            error = str(e) or type(e).__name__
        print(f"desktop: {name:<40} {time.time() - began:5.1f} s  {error or 'ok'}", flush=True)
        results.append(error is None)
        return result

    for bridge in ("on", "off"):
        for way in ("close box", "File > Exit"):
            if wanted(f"quit, bridge {bridge}, {way}"):
                row(f"quit, bridge {bridge}, {way}", quit_row, next(folders), bridge == "on", way)
    if wanted("Results over the waiting main window"):
        row("Results over the waiting main window", waiting_row, next(folders))
    # The table in one start; a failed row starts it anew.
    p = None
    for question, command, way in ROWS:
        name = f"{question}, {command} by {way}"
        if not wanted(name):
            continue
        p = p or row("start, the tip on the way of Quit by click", started, next(folders))
        if p and not row(name, print_row if command == "Print" else command_row, p, question, command, way):
            p = p.kill()
    if p:
        row("quit after the table", quit_program, p)
        p.kill()
    return results


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Drives the calculator as a person does, on a real X display with real input events, and
checks what the Orca screen reader speaks for each action, and what the accessibility bus
shows.

Run by run_e2e.sh, which provides the display, the session bus, the accessibility bus and
Orca, whose debug log it names in E2E_SPEECH_LOG:
    e2e.py PROGRAM ARTIFACT_DIR
It writes what Orca spoke for each action to ARTIFACT_DIR/speech.txt; on failure it also saves
a screenshot and the program's accessible tree there. With E2E_RECORD_ONLY=1 it only records
what Orca speaks, without judging it.
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import time
import zlib

import pyatspi
from gi.repository import GLib

TIMEOUT = 10.0  # seconds for every wait
# Seconds within which a result must be spoken: well under one on an idle machine, even with
# Orca writing its debug log; the rest is room for a loaded one.
RESULT_TIMEOUT = 2.0
# Set to record what Orca speaks for each action without judging it.
RECORD_ONLY = os.environ.get("E2E_RECORD_ONLY") == "1"
MAIN_CAPTION = "Helmira Geometric Calculator"


class Failure(Exception):
    pass


# The program under test, once started: every wait fails at once if it has ended.
running = []


def pump_events():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it returns something other than None or False and returns that."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        pump_events()
        for process in running:
            if process.poll() is not None:
                raise Failure(f"the program ended with status {process.returncode} while "
                              f"waiting for {what}")
        try:
            value = probe()
            if value is not None and value is not False:
                return value
        except GLib.Error as error:  # the object went away or is not ready yet
            last_error = error
        if time.monotonic() >= deadline:
            detail = f" (last AT-SPI error: {last_error.message})" if last_error else ""
            raise Failure(f"timed out after {timeout:g} s waiting for {what}{detail}")
        time.sleep(0.05)


# --- the accessible tree -------------------------------------------------------------------


def children(accessible):
    try:
        return [child for child in accessible if child is not None]
    except GLib.Error:
        return []


def descendants(accessible):
    for child in children(accessible):
        yield child
        yield from descendants(child)


def find(root, role, name=None, description=None):
    for accessible in descendants(root):
        if accessible.getRole() != role:
            continue
        if name is not None and accessible.name != name:
            continue
        if description is not None and accessible.description != description:
            continue
        return accessible
    return None


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def focused(accessible):
    return accessible.getState().contains(pyatspi.STATE_FOCUSED)


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if box.width <= 0 or box.height <= 0:
        raise Failure(f"{describe(accessible)} has no area on the screen")
    return box


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def selection(accessible):
    """Returns the first selected range of a text, or None."""
    text = accessible.queryText()
    return tuple(text.getSelection(0)) if text.getNSelections() > 0 else None


def describe(accessible):
    return f"{accessible.getRoleName()} {accessible.name!r}"


def dump_tree(accessible, depth=0, out=None):
    lines = [] if out is None else out
    try:
        states = [pyatspi.stateToString(s) for s in accessible.getState().getStates()]
        try:
            box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            where = f" at {box.x},{box.y} {box.width}x{box.height}"
        except (NotImplementedError, GLib.Error):
            where = ""
        line = (f"{'  ' * depth}{describe(accessible)} description={accessible.description!r}"
                f"{where} [{' '.join(states)}]")
    except GLib.Error as error:
        line = f"{'  ' * depth}<unreadable: {error.message}>"
    lines.append(line)
    for child in children(accessible):
        dump_tree(child, depth + 1, lines)
    return lines


# --- the person's hands --------------------------------------------------------------------


def xdotool(*args):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=TIMEOUT)
    if result.returncode != 0:
        raise Failure(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")


def click_at(x, y):
    where = subprocess.run(["xdotool", "getmouselocation", "--shell"], capture_output=True,
                           text=True, timeout=TIMEOUT).stdout
    if f"X={x}\nY={y}\n" not in where:  # --sync would wait for a move that never comes
        xdotool("mousemove", "--sync", str(x), str(y))
    xdotool("click", "1")


def click(accessible):
    box = extents(accessible)
    click_at(box.x + box.width // 2, box.y + box.height // 2)


def focus_window(caption):
    """Gives the keyboard focus to the top-level X window whose title starts with caption."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{caption}"],
                           capture_output=True, text=True, timeout=TIMEOUT)
    windows = found.stdout.split()
    if len(windows) != 1:
        raise Failure(f"expected one X window titled {caption!r}, found {len(windows)}")
    xdotool("windowfocus", "--sync", windows[0])


def type_text(text):
    xdotool("type", "--delay", "20", text)


def press(key):
    xdotool("key", key)


# --- the session ---------------------------------------------------------------------------


class Session:
    def __init__(self, program, artifacts):
        self.program = program
        self.artifacts = artifacts
        self.process = None
        self.log = None
        self.app = None
        # Every control that took the keyboard focus, as (role, name), in order.
        self.focused = []
        pyatspi.Registry.registerEventListener(self._on_focus, "object:state-changed:focused")

    def _on_focus(self, event):
        if event.detail1:
            try:
                self.focused.append((event.source.getRoleName(), event.source.name))
            except GLib.Error:
                pass

    def expect_focus_only(self, action, allowed):
        """Fails if a control other than those allowed took the focus since the last call."""
        pump_events()
        strays = [taken for taken in self.focused if taken not in allowed]
        del self.focused[:]
        if strays:
            raise Failure(f"{action}: the focus visited {strays!r}")

    def start(self):
        env = {name: value for name, value in os.environ.items() if not name.startswith("QT_")}
        env["LANG"] = "C"
        self.log = open(os.path.join(self.artifacts, "program.log"), "w")
        self.process = subprocess.Popen([self.program], env=env, stdin=subprocess.DEVNULL,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        running.append(self.process)
        print(f"started {self.program} as process {self.process.pid}")

        def application():
            for app in children(pyatspi.Registry.getDesktop(0)):
                if app.get_process_id() == self.process.pid:
                    return app
            return None

        self.app = wait_for("the program's application on the accessibility bus", application)

    def frame(self, caption):
        """Waits for the window with that caption to be showing and returns it."""
        return wait_for(f"the window {caption!r} to show",
                        lambda: self._showing(find(self.app, pyatspi.ROLE_FRAME, caption)))

    def control(self, window, role, name=None, description=None):
        label = name if name is not None else description
        return wait_for(f"the {label!r} control in {window.name!r}",
                        lambda: self._showing(find(window, role, name, description)))

    def expect_hidden(self, caption):
        wait_for(f"the window {caption!r} to be hidden",
                 lambda: not any(showing(f) for f in self._frames(caption)))

    def _frames(self, caption):
        return [a for a in descendants(self.app)
                if a.getRole() == pyatspi.ROLE_FRAME and a.name == caption]

    @staticmethod
    def _showing(accessible):
        return accessible if accessible is not None and showing(accessible) else None

    def tab_to(self, accessible):
        """Presses Tab until the control has the keyboard focus."""
        for _ in range(12):
            if focused(accessible):
                return
            press("Tab")
            time.sleep(0.1)
            pump_events()
        wait_for(f"{describe(accessible)} to take the focus", lambda: focused(accessible))

    def choose(self, window, selector_name, item):
        """Chooses an item as a keyboard user does: Tab to the selector, Alt+Down opens its
        list, Down to the item, Return. (A screen reader that is still busy when a click opens
        a window may take that window as known already and stay silent.)"""
        selector = self.control(window, pyatspi.ROLE_COMBO_BOX, selector_name)
        lists = [c for c in children(selector) if c.getRole() == pyatspi.ROLE_LIST]
        if not lists:
            raise Failure(f"the selector {selector_name!r} offers no list over AT-SPI")
        field = [c for c in children(selector) if c.getRole() == pyatspi.ROLE_TEXT][0]
        self.tab_to(field)
        press("alt+Down")
        shown = wait_for(f"the list of {selector_name!r} to open",
                         lambda: self._showing(lists[0]))
        entry = wait_for(f"{item!r} in the open list of {selector_name!r}",
                         lambda: find(shown, pyatspi.ROLE_LIST_ITEM, item))
        for _ in range(len(children(shown))):
            if focused(entry):
                break
            press("Down")
            time.sleep(0.1)
            pump_events()
        wait_for(f"{item!r} to be the current item", lambda: focused(entry))
        press("Return")
        wait_for(f"the list of {selector_name!r} to close", lambda: not showing(shown))

    def message_box(self):
        return wait_for("a message box", lambda: self._showing(find(self.app, pyatspi.ROLE_ALERT)))

    def wait_for_exit(self):
        running.remove(self.process)
        try:
            return self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program was still running {TIMEOUT:g} s after Close") from None

    def save_evidence(self):
        os.makedirs(self.artifacts, exist_ok=True)
        shot = os.path.join(self.artifacts, "screen.png")
        try:
            save_screen(shot)
            print(f"screenshot: {shot}", file=sys.stderr)
        except Exception as error:  # evidence is best effort; the failure itself is reported
            print(f"no screenshot: {error}", file=sys.stderr)
        if self.app is not None:
            tree = "\n".join(dump_tree(self.app))
            with open(os.path.join(self.artifacts, "accessible-tree.txt"), "w") as out:
                out.write(tree + "\n")
            print("accessible tree of the program:\n" + tree, file=sys.stderr)
        if self.log is not None:
            self.log.flush()
            with open(self.log.name) as log:
                print("the program's output:\n" + log.read(), file=sys.stderr)

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=TIMEOUT)
        if self.log is not None:
            self.log.close()


def save_screen(path):
    """Writes the screen as PNG, from the frame buffer file Xvfb keeps in E2E_FRAMEBUFFER."""
    source = os.environ.get("E2E_FRAMEBUFFER")
    if not source:
        if shutil.which("import"):
            subprocess.run(["import", "-window", "root", path], check=True, timeout=TIMEOUT)
            return
        raise Failure("E2E_FRAMEBUFFER is not set")
    with open(source, "rb") as frame:
        data = frame.read()
    (header_size, _, _, _, width, height, _, byte_order, _, _, _, bits_per_pixel,
     bytes_per_line, _, red_mask, green_mask, blue_mask, _, _, colours) = struct.unpack(
         ">20I", data[:80])
    if bits_per_pixel != 32:
        raise Failure(f"frame buffer has {bits_per_pixel} bits a pixel; only 32 are read")
    start = header_size + colours * 12
    order = "<" if byte_order == 0 else ">"

    def channel(pixel, mask):
        shift = (mask & -mask).bit_length() - 1
        return (pixel & mask) >> shift

    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * 4]
        pixels = struct.unpack(f"{order}{width}I", line)
        rows.append(b"\0" + bytes(
            value for pixel in pixels
            for value in (channel(pixel, red_mask), channel(pixel, green_mask),
                          channel(pixel, blue_mask))))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(b"".join(rows), 6)))
        out.write(chunk(b"IEND", b""))


# --- what the screen reader says ----------------------------------------------------------


class Speech:
    """Reads what Orca speaks from its debug log (E2E_SPEECH_LOG), one utterance a line."""

    # "SPEECH OUTPUT: 'text'", then the voice's settings when Orca has any.
    LINE = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(\{.*\})?\s*$")

    def __init__(self, path):
        self.path = path
        self.seen = 0  # utterances before the current action
        self.record = []  # [action, utterances, notes] for the artifacts

    def utterances(self):
        with open(self.path, errors="replace") as log:
            found = []
            for line in log:
                match = self.LINE.search(line)
                if match:
                    found.append(match.group(1).strip())
            return found

    def action(self, name):
        """Starts a new action: later waits see only what is spoken after this."""
        self.seen = len(self.utterances())
        self.record.append([name, [], []])

    def since(self):
        spoken = self.utterances()[self.seen:]
        self.record[-1][1] = spoken
        return spoken

    def expect(self, text, timeout=TIMEOUT):
        """Waits until Orca has spoken exactly text since the action began."""
        try:
            wait_for(f"Orca to speak {text!r}", lambda: text in self.since(), timeout)
        except Failure as failure:
            if not RECORD_ONLY:
                raise Failure(f"{failure}; it spoke {self.since()!r}") from None
            self.record[-1][2].append(f"never spoke {text!r}")

    def never(self, text):
        """Fails if Orca has spoken exactly text since the action began."""
        if text in self.since() and not RECORD_ONLY:
            raise Failure(f"Orca spoke {text!r}: {self.since()!r}")

    def settle(self, quiet=0.5, timeout=TIMEOUT):
        """Waits until Orca has caught up, its log unchanged for `quiet` seconds, as a person
        waits for the screen reader before going on."""
        deadline = time.monotonic() + timeout
        size, since = -1, time.monotonic()
        while time.monotonic() < deadline:
            pump_events()
            now = os.path.getsize(self.path)
            if now != size:
                size, since = now, time.monotonic()
            elif time.monotonic() - since >= quiet:
                break
            time.sleep(0.05)
        return self.since()

    def save(self, artifacts):
        with open(os.path.join(artifacts, "speech.txt"), "w") as out:
            for name, spoken, notes in self.record:
                out.write(f"{name}\n")
                out.writelines(f"    {said!r}\n" for said in spoken)
                out.writelines(f"    ({note})\n" for note in notes)


# --- the scenario --------------------------------------------------------------------------


def step(message):
    print(f"[{time.monotonic() - START:5.2f} s] {message}", flush=True)


def scenario(session, speech):
    def back(window, where, spoken, unspoken, may_take_focus):
        """Tabs to Back on `window` and presses Return: Orca must speak `spoken` and never
        `unspoken`, and only `may_take_focus` may take the focus on the way. Returns the main
        window."""
        session.tab_to(session.control(window, pyatspi.ROLE_PUSH_BUTTON, "Back"))
        speech.settle()
        del session.focused[:]
        speech.action(f"Return on Back, {where}")
        press("Return")
        main = session.frame(MAIN_CAPTION)
        speech.expect(spoken)
        speech.settle()
        speech.never(unspoken)
        session.expect_focus_only("Back", may_take_focus)
        return main

    step("start the program with no toolkit variables, as a desktop with a screen reader does")
    session.start()
    if session.app.name != MAIN_CAPTION:
        if not RECORD_ONLY:
            raise Failure(f"the application is named {session.app.name!r} on the bus")
        print(f"the application is named {session.app.name!r} on the bus")
    main = session.frame(MAIN_CAPTION)

    # The selector, its list and the chosen item; then the new window's first box.
    choosing_area = [("combo box", "Geometric Shapes Areas"), ("text", ""), ("list", ""),
                     ("list item", "Triangle")]
    speech.action("open Area of Triangle")
    session.choose(main, "Geometric Shapes Areas", "Triangle")
    triangle = session.frame("Area of Triangle")
    base = session.control(triangle, pyatspi.ROLE_TEXT, "Enter Base")
    wait_for("the base box to take the focus", lambda: focused(base))
    speech.expect("Enter Base text.")
    speech.settle()  # a person listens before typing on
    session.expect_focus_only("the switch", choosing_area + [("text", "Enter Base")])

    speech.action("type 3, Tab, 5, Tab to Calculate, Space")
    type_text("3")
    press("Tab")
    type_text("5")
    press("Tab")
    calculate = session.control(triangle, pyatspi.ROLE_PUSH_BUTTON, "Calculate")
    wait_for("Calculate to take the focus", lambda: focused(calculate))
    press("space")
    speech.expect("notification 7.5.", RESULT_TIMEOUT)
    speech.settle()

    for action, act in (("Return on the focused Calculate", lambda: press("Return")),
                        ("Calculate clicked with the mouse", lambda: click(calculate))):
        speech.action(action)
        act()
        speech.expect("notification 7.5.", RESULT_TIMEOUT)
        speech.settle()
        if not focused(calculate):
            raise Failure(f"{action}: the focus left Calculate")

    session.expect_focus_only("typing and calculating", [
        ("text", "Enter Height"), ("push button", "Calculate")])
    main = back(triangle, "from an area window", "Geometric Shapes Areas editable combo box.",
                "Geometric  Shapes Volumes editable combo box.",
                [("push button", "Back")] + choosing_area[:2])

    speech.action("open Volume of Pyramid; 40000, Calculate clicked with the mouse")
    session.choose(main, "Geometric  Shapes Volumes", "Pyramid")
    pyramid = session.frame("Volume of Pyramid")
    base = session.control(pyramid, pyatspi.ROLE_TEXT, "Enter base Area")
    wait_for("the base box to take the focus", lambda: focused(base))
    speech.settle()
    type_text("40000")
    press("Tab")
    type_text("2")
    speech.settle()
    click(session.control(pyramid, pyatspi.ROLE_PUSH_BUTTON, "Calculate"))
    speech.expect('notification "Enter base Area": 40000 is outside the range -32768 to 32767.')
    speech.settle()

    speech.action("dismiss the report with Return")
    press("Return")
    focus_window("Volume of Pyramid")
    speech.expect("Enter base Area text.")
    wait_for("the base box's text to be selected", lambda: selection(base) == (0, 5))
    speech.settle()

    speech.action("200 x 200, Calculate by keyboard: the product overflows")
    type_text("200")
    press("Tab")
    press("ctrl+a")
    type_text("200")
    press("Tab")
    press("Return")
    speech.expect('notification The product of "Enter base Area" and "Enter Height" is outside '
                  'the range -32768 to 32767.')
    speech.settle()

    speech.action("dismiss the report with Return")
    press("Return")
    focus_window("Volume of Pyramid")
    speech.expect("Enter base Area text.")
    speech.settle()

    back(pyramid, "from a volume window", "Geometric  Shapes Volumes editable combo box.",
         "Exit push button.",
         [("push button", "Back"), ("combo box", "Geometric  Shapes Volumes"), ("text", "")])

    speech.action("Exit")
    press("alt+x")
    status = session.wait_for_exit()
    if status != 0:
        raise Failure(f"the program ended with status {status} after Exit, not 0")
    step("the program ended with status 0")


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    program, artifacts = sys.argv[1], sys.argv[2]
    os.makedirs(artifacts, exist_ok=True)
    session = Session(program, artifacts)
    speech = Speech(os.environ["E2E_SPEECH_LOG"])
    try:
        scenario(session, speech)
    except (Failure, GLib.Error) as error:
        message = error.message if isinstance(error, GLib.Error) else str(error)
        print(f"FAILED: {message}", file=sys.stderr)
        session.save_evidence()
        return 1
    finally:
        session.stop()
        speech.save(artifacts)
    print("e2e: the whole scenario passed")
    return 0


START = time.monotonic()

if __name__ == "__main__":
    sys.exit(main())

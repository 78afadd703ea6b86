#!/usr/bin/python3
"""Drives the calculator as a person does, on a real X display with real input events, and
reads back what it shows through the accessibility bus, as a screen reader would.

Run by run_e2e.sh, which provides the display, the session bus and the accessibility bus:
    e2e.py PROGRAM ARTIFACT_DIR
On failure it saves a screenshot and the program's accessible tree in ARTIFACT_DIR.
"""

import os
import shutil
import struct
import subprocess
import sys
import time
import zlib

import pyatspi
from gi.repository import GLib

TIMEOUT = 10.0  # seconds for every wait
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
        # The objects whose accessible name changed; Qt sends no new name with the event, so
        # a screen reader reads the name again, as the scenario does.
        self.name_changes = []
        self.listener = lambda event: self.name_changes.append(event.source)
        pyatspi.Registry.registerEventListener(self.listener,
                                               "object:property-change:accessible-name")

    def start(self):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   QT_QPA_PLATFORM="xcb", LANG="C")
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

    def choose(self, window, selector_name, item):
        """Opens a selector's list with a click on its arrow and clicks the item."""
        selector = self.control(window, pyatspi.ROLE_COMBO_BOX, selector_name)
        lists = [c for c in children(selector) if c.getRole() == pyatspi.ROLE_LIST]
        if not lists:
            raise Failure(f"the selector {selector_name!r} offers no list over AT-SPI")
        box = extents(selector)
        click_at(box.x + box.width - 6, box.y + box.height // 2)
        # The items of a closed list call themselves showing too; the list itself tells.
        shown = wait_for(f"the list of {selector_name!r} to open",
                         lambda: self._showing(lists[0]))
        entry = wait_for(f"{item!r} in the open list of {selector_name!r}",
                         lambda: find(shown, pyatspi.ROLE_LIST_ITEM, item))
        click(entry)
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


# --- the scenario --------------------------------------------------------------------------


def step(message):
    print(f"[{time.monotonic() - START:5.2f} s] {message}", flush=True)


def scenario(session):
    step("start the program")
    session.start()
    main = session.frame(MAIN_CAPTION)

    step("choose Circle from the areas selector with the mouse")
    session.choose(main, "Geometric Shapes Areas", "Circle")
    circle = session.frame("Area of Circle")
    session.expect_hidden(MAIN_CAPTION)

    step("type a radius of 7 and press Calculate")
    radius = session.control(circle, pyatspi.ROLE_TEXT, "Enter Radius")
    click(radius)
    wait_for("the radius box to take the keyboard focus", lambda: focused(radius))
    type_text("7")
    wait_for("the radius box to read 7", lambda: text_of(radius) == "7")
    output = session.control(circle, pyatspi.ROLE_FRAME, description="Result")
    del session.name_changes[:]
    click(session.control(circle, pyatspi.ROLE_PUSH_BUTTON, "Calculate"))
    wait_for("the result 154 as the output box's name", lambda: output.name == "154")
    wait_for("the output box's name-change event", lambda: output in session.name_changes)

    step("type 40000: the error report names the box and the range")
    click(radius)
    press("ctrl+a")
    type_text("40000")
    wait_for("the radius box to read 40000", lambda: text_of(radius) == "40000")
    click(session.control(circle, pyatspi.ROLE_PUSH_BUTTON, "Calculate"))
    report = session.message_box()
    shown = " ".join([report.name] + [a.name for a in descendants(report)])
    step(f"the report reads: {shown}")
    for part in ("Enter Radius", "-32768 to 32767"):
        if part not in shown:
            raise Failure(f"the error report does not mention {part!r}: {shown!r}")
    if output.name != "":
        raise Failure(f"the output box still shows {output.name!r} under the error report")

    step("dismiss the report with Return: the radius box has the focus, its text selected")
    press("Return")
    wait_for("the error report to close", lambda: not showing(report))
    if not showing(circle):
        raise Failure("the circle window went away with the error report")
    # A window manager hands the focus back to the window under a closed dialog; there is
    # none on this display, so do its part.
    focus_window("Area of Circle")
    wait_for("the radius box to get the focus back", lambda: focused(radius))
    wait_for("the radius box's text to be selected for correction",
             lambda: selection(radius) == (0, len("40000")))

    step("press Back: the main window comes back alone")
    click(session.control(circle, pyatspi.ROLE_PUSH_BUTTON, "Back"))
    main = session.frame(MAIN_CAPTION)
    session.expect_hidden("Area of Circle")

    step("choose Cone from the volumes selector, then press Close")
    session.choose(main, "Geometric  Shapes Volumes", "Cone")
    cone = session.frame("Volume of Cone")
    session.expect_hidden(MAIN_CAPTION)
    click(session.control(cone, pyatspi.ROLE_PUSH_BUTTON, "Close"))
    status = session.wait_for_exit()
    if status != 0:
        raise Failure(f"the program ended with status {status} after Close, not 0")
    step("the program ended with status 0")


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    program, artifacts = sys.argv[1], sys.argv[2]
    os.makedirs(artifacts, exist_ok=True)
    session = Session(program, artifacts)
    try:
        scenario(session)
    except (Failure, GLib.Error) as error:
        message = error.message if isinstance(error, GLib.Error) else str(error)
        print(f"FAILED: {message}", file=sys.stderr)
        session.save_evidence()
        return 1
    finally:
        session.stop()
    print("e2e: the whole scenario passed")
    return 0


START = time.monotonic()

if __name__ == "__main__":
    sys.exit(main())

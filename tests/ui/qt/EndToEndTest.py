#!/usr/bin/env python3
"""Drives the real brisvane binary as a user would, under an X server of its own.

The keyboard and mouse are X input from xdotool; what the boxes show is read
back the way a user copies it (select all, copy) through the X clipboard;
the window is closed the way a window manager's close box does it
(WM_DELETE_WINDOW). Built with AddressSanitizer, a program that closes
normally also reports its leaks on standard error, which fails the test.

Usage: EndToEndTest.py [LAUNCHER [ARGUMENT...] --] PATH/TO/brisvane

LAUNCHER is a command that the program's path and arguments are given to:
an emulator (qemu-aarch64) for a cross-built program.
"""

import contextlib
import glob
import os
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from Xlib import X, display, error, protocol

BINARY = None
# A Qt program that makes its application object and ends, for what Qt
# writes meanwhile; where there is none (an installed program), the
# comparison with it is skipped.
PLAIN_QT_PROGRAM = os.environ.get("BRISVANE_PLAIN_QT_PROGRAM")
# A folder holding a platform plugin of a newer Qt's (newerqt), skipped
# where there is none.
NEWER_QT_PLATFORMS = os.environ.get("BRISVANE_NEWER_QT_PLATFORMS")
LAUNCHER = []
DISPLAY = None
# The programs' runtime folder, private as a session's is: without one, Qt
# warns on every start.
RUNTIME_DIR = None

# For a program that a close request does not end: gdb marks each stage of
# Qt's handling that one more request reaches, then reads what Qt holds
# modal and the main thread's stack.
CLOSE_PROBE = r"""
set pagination off
break QXcbWindow::handleClientMessageEvent
commands
silent
echo reached: the X client message\n
continue
end
break QGuiApplicationPrivate::processCloseEvent
commands
silent
echo reached: Qt's close event\n
continue
end
break QWidgetPrivate::handleClose
commands
silent
echo reached: the widget's close\n
continue
end
echo probe ready\n
continue
set $modal = (void *) 'QGuiApplication::modalWindow'()
printf "modal window %p\n", $modal
if $modal
  printf "its X window 0x%lx, shown %d\n", (unsigned long) 'QWindow::winId() const'($modal), (int) (bool) 'QWindow::isVisible() const'($modal)
end
printf "active modal widget %p, active popup %p\n", (void *) 'QApplication::activeModalWidget'(), (void *) 'QApplication::activePopupWidget'()
printf "window-system events queued %d\n", (int) (bool) 'QWindowSystemInterface::windowSystemEventsQueued'()
thread apply 1 bt
"""

# Centres of the controls in the window's client area (the stored layout).
EPOCH_DATE = (150, 17)
LOCAL_DATE = (150, 49)
ZONE = (264, 49)
CONVERT = (268, 20)


def start_x_server():
    # -noreset: by default the server resets when its last client leaves,
    # which happens between two tests; a program that connects during the
    # reset cannot open the display and exits.
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "800x600x24", "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


def x_environment():
    # No D-Bus session bus, whatever the machine has: without an address
    # libdbus tries to autolaunch one, and where that fails it leaks a buffer
    # that LeakSanitizer then pins on the program.
    env = dict(os.environ, DISPLAY=DISPLAY, TZ="UTC", LC_ALL="C.UTF-8", QT_QPA_PLATFORM="xcb",
               DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent", XDG_RUNTIME_DIR=RUNTIME_DIR)
    env.pop("WAYLAND_DISPLAY", None)
    return env


def xdotool(*args, timeout=10):
    result = subprocess.run(["xdotool", *args], env=x_environment(), capture_output=True, text=True,
                            timeout=timeout)
    return result.stdout.strip()


def find_window(title, program=None, timeout=10.0):
    """The id of the visible window with exactly this title, waiting for it to appear.

    When `program` is given, the window is one of its own: xdotool matches
    titles regardless of case, and another client's window may carry the
    title. When it ends before the window appears, or the window never
    does, the failure says how the program ended and what it wrote on
    standard error.
    """
    own = ["--all", "--pid", str(program.process.pid)] if program is not None else []
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        ids = xdotool("search", "--onlyvisible", *own, "--name", "^%s$" % title).split()
        if ids:
            return ids[-1]
        if program is not None and program.process.poll() is not None:
            break
        time.sleep(0.05)
    raise AssertionError("no window titled %r appeared%s" % (title, program.state() if program else ""))


def window_exists(title):
    return bool(xdotool("search", "--onlyvisible", "--name", "^%s$" % title))


def window_is_open(window):
    with contextlib.closing(display.Display(DISPLAY)) as connection:
        try:
            return connection.create_resource_object("window", int(window)).get_attributes().map_state == X.IsViewable
        except error.BadWindow:
            return False


def windows_of(pid):
    """The program's top-level windows: id, title and whether each is viewable."""
    found = []
    with contextlib.closing(display.Display(DISPLAY)) as connection:
        pid_atom = connection.intern_atom("_NET_WM_PID")
        for window in connection.screen().root.query_tree().children:
            with contextlib.suppress(error.BadWindow):
                owner = window.get_full_property(pid_atom, X.AnyPropertyType)
                if owner and owner.value[0] == pid:
                    viewable = window.get_attributes().map_state == X.IsViewable
                    found.append("%#x %r %s" % (window.id, window.get_wm_name(), "viewable" if viewable else "unmapped"))
    return found


def copy(*actions):
    """Runs the xdotool actions that copy a text, and returns what reached the clipboard."""
    subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], env=x_environment(), timeout=5)
    xdotool(*actions)
    deadline = time.monotonic() + 5
    text = ""
    while time.monotonic() < deadline:
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=x_environment(),
                                capture_output=True, encoding="utf-8", timeout=5)
        text = result.stdout
        if text:
            return text
        time.sleep(0.05)
    return text


def read_box(window, where):
    """Selects all of a box's text with the keyboard and copies it, as a user would."""
    return copy("mousemove", "--window", window, str(where[0]), str(where[1]), "click", "1",
                "key", "ctrl+a", "ctrl+c")


def answer_prompt(text, program=None):
    prompt = find_window("Epoch to Local Date", program)
    xdotool("windowfocus", "--sync", prompt)
    if text:
        xdotool("type", "--delay", "20", "--", text)
    xdotool("key", "Return")
    wait_gone("Epoch to Local Date")


def dismiss(title, program=None):
    """Presses OK (Enter) in the message box with this title."""
    box = find_window(title, program)
    xdotool("windowfocus", "--sync", box)
    xdotool("key", "Return")
    wait_gone(title)


def tooltip_shown(window, where, timeout):
    """Whether a tooltip appears within `timeout` seconds of the pointer
    coming to rest on the box at `where` of the focused window."""
    xdotool("windowfocus", "--sync", window)
    with contextlib.closing(display.Display(DISPLAY)) as connection:
        kind, tooltip = (connection.intern_atom("_NET_WM_WINDOW_TYPE" + end) for end in ("", "_TOOLTIP"))
        deadline = time.monotonic() + timeout
        rest, step = 1.0, 3
        while time.monotonic() < deadline:
            # Brought to rest on the box anew where nothing shows, as a user
            # does, each time a few pixels from where it last stopped: Qt
            # drops a move that leaves the pointer where it was, and a move
            # away and back again can reach it as one. Left there twice as
            # long each time: a busy or emulated machine takes longer than
            # Qt's 700 ms, and each move starts them again.
            xdotool("mousemove", "--window", window, str(where[0] + step), str(where[1]))
            until = min(deadline, time.monotonic() + rest)
            rest, step = rest * 2, -step
            while time.monotonic() < until:
                for shown in connection.screen().root.query_tree().children:
                    try:  # a window may go meanwhile
                        types = shown.get_full_property(kind, X.AnyPropertyType)
                        if types and tooltip in types.value and shown.get_attributes().map_state == X.IsViewable:
                            return True
                    except error.BadWindow:
                        pass
                time.sleep(0.05)
    return False


def close_window(window):
    """Asks the window to close, as a window manager's close box does."""
    connection = display.Display(DISPLAY)
    try:
        target = connection.create_resource_object("window", int(window))
        protocols = connection.intern_atom("WM_PROTOCOLS")
        delete = connection.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=target, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        target.send_event(event, event_mask=0)
        connection.flush()
    finally:
        connection.close()


def wait_gone(title, timeout=10.0):
    deadline = time.monotonic() + timeout
    while window_exists(title):
        if time.monotonic() > deadline:
            raise AssertionError("window %r did not close" % title)
        time.sleep(0.05)


class Brisvane:
    """The program under test. `stderr` is None to capture standard error,
    or a file descriptor to hand it instead; `closed` lists standard
    descriptors to close in the program before it starts."""

    def __init__(self, *arguments, env=None, stderr=None, closed=()):
        self.stderr = tempfile.TemporaryFile()

        def close_descriptors():
            for fd in closed:
                os.close(fd)

        self.process = subprocess.Popen([*LAUNCHER, BINARY, *arguments], env=env or x_environment(),
                                        stdout=subprocess.DEVNULL,
                                        stderr=self.stderr if stderr is None else stderr,
                                        preexec_fn=close_descriptors if closed else None)

    def error_bytes(self):
        self.stderr.seek(0)
        return self.stderr.read()

    def errors(self):
        return self.error_bytes().decode("utf-8", "replace")

    def state(self):
        status = self.process.poll()
        return "; the program %s, and wrote on standard error: %r" % (
            "is still running" if status is None else "ended with status %d" % status, self.errors())

    def descriptor_is(self, fd, path):
        """Whether one of the program's open descriptors is the file at path:
        the file itself, not its name."""
        return os.path.samefile("/proc/%d/fd/%d" % (self.process.pid, fd), path)

    def close_normally(self, window):
        """Closes the window and returns the exit status.

        A close request that arrives while a dialog is still winding down
        is ignored, as a click on a blocked close box is; like a user, click
        again until the program has gone.
        """
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            close_window(window)
            try:
                return self.process.wait(timeout=2)
            except subprocess.TimeoutExpired:
                continue
        raise AssertionError("the program did not end when its window was closed, and its window %s%s%s" % (
            "is still open" if window_is_open(window) else "has gone", self.state(), self.why_running(window)))

    def why_running(self, window):
        """For a program that does not end: its windows, where each of its
        threads waits, and with gdb, what one more close request reaches."""
        if self.process.poll() is not None:
            return ""
        waits = []
        for task in sorted(glob.glob("/proc/%d/task/*" % self.process.pid)):
            with contextlib.suppress(OSError):
                with open(task + "/comm") as comm, open(task + "/wchan") as wchan:
                    waits.append("%s waits in %s" % (comm.read().strip(), wchan.read().strip() or "nothing"))
        probe = ""
        if shutil.which("gdb") and not LAUNCHER:  # under an emulator, gdb would see the emulator
            with tempfile.NamedTemporaryFile("w", suffix=".gdb") as script, tempfile.TemporaryFile("w+") as output:
                script.write(CLOSE_PROBE)
                script.flush()
                gdb = subprocess.Popen(["gdb", "-batch", "-p", str(self.process.pid), "-x", script.name],
                                       stdout=output, stderr=subprocess.STDOUT, text=True)
                deadline = time.monotonic() + 60
                while time.monotonic() < deadline and gdb.poll() is None:
                    output.seek(0)
                    if "probe ready" in output.read():
                        close_window(window)
                        time.sleep(3)
                        break
                    time.sleep(0.1)
                gdb.send_signal(signal.SIGINT)
                try:
                    gdb.wait(timeout=60)
                except subprocess.TimeoutExpired:
                    gdb.kill()
                output.seek(0)
                probe = "".join(line for line in output
                                if line.startswith(("reached", "modal", "its X", "active", "window-system", "#")))
        return "; its windows: %s; its threads: %s\n%s" % (
            ", ".join(windows_of(self.process.pid)) or "none", ", ".join(waits), probe)

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=10)
        self.stderr.close()


class EndToEndTest(unittest.TestCase):
    @contextlib.contextmanager
    def running(self, *arguments, **options):
        """The program for one subtest: ended when the subtest ends, passed
        or failed, so that the next one never finds its windows."""
        program = Brisvane(*arguments, **options)
        try:
            yield program
            self.assert_no_leaks(program)
        finally:
            program.close()

    def launch(self, *arguments, **options):
        """The program for the whole test."""
        return self.enterContext(self.running(*arguments, **options))

    def scratch_dir(self):
        """A private folder that the program can read, for this test alone
        (its path twice, as the tests name it here and for the program)."""
        here, there = scratch_dir()
        self.addCleanup(shutil.rmtree, here, True)
        return here, there

    def runtime_dir(self):
        return self.scratch_dir()[1]

    def assert_no_leaks(self, program):
        self.assertNotIn("LeakSanitizer", program.errors())

    def assert_closes_normally(self, program, window):
        self.assertEqual(program.close_normally(window), 0, program.errors())

    def test_command_line_value_is_converted_without_a_prompt(self):
        program = self.launch("1600000000")
        window = find_window("Brisvane", program)
        self.assertEqual(read_box(window, EPOCH_DATE), "1600000000")
        self.assertEqual(read_box(window, LOCAL_DATE), "09/13/20 12:26:40")
        self.assertEqual(read_box(window, ZONE), "0")
        self.assertFalse(window_exists("Epoch to Local Date"))

        # A click on "convert" asks for the next value.
        xdotool("mousemove", "--window", window, str(CONVERT[0]), str(CONVERT[1]), "click", "1")
        answer_prompt("86400", program)
        self.assertEqual(read_box(window, EPOCH_DATE), "86400")
        self.assertEqual(read_box(window, LOCAL_DATE), "01/02/70")
        self.assertIsNone(program.process.poll())
        self.assert_closes_normally(program, window)

    def test_the_local_time_names_the_zone_it_was_converted_in(self):
        # On daylight time all year, so that the test means the same in every season.
        sydney = "AEST-10AEDT,0/0,J365/25"
        for locale, local_date in [("hi_IN.UTF-8", "13/9/20 11:26:40 \u0905\u092a\u0930\u093e\u0939\u094d\u0928 AEDT"),
                                   ("nb_NO.UTF-8", "13. sep. 2020 kl. 23.26 +1100")]:
            with self.subTest(locale), \
                    self.running("1600000000", env=dict(x_environment(), TZ=sydney, LC_ALL=locale)) as program:
                window = find_window("Brisvane", program)
                self.assertEqual(read_box(window, LOCAL_DATE), local_date)
                self.assertEqual(read_box(window, ZONE), "11")
                self.assert_closes_normally(program, window)

    def test_a_text_wider_than_its_box_shows_a_tooltip(self):
        """With the pointer on a box of the active window, a tooltip shows
        where the box's text is wider than the box, and none where it fits.
        (X tells only that a tooltip is there; QtViewTest reads its text.)"""
        for name, zone, box, text, tipped in [
                ("en_US.UTF-8", "UTC", LOCAL_DATE, "01/19/2038 03:14:07 AM", True),
                ("ja_JP.UTF-8", "UTC", LOCAL_DATE, "2038\u5e7401\u670819\u65e5 03\u664214\u520607\u79d2", True),
                ("de_DE.UTF-8", "UTC", LOCAL_DATE, "19.01.2038 03:14:07", False),
                # An offset of odd minutes is wider than its box.
                ("de_DE.UTF-8", "<+0507>-5:07", ZONE, "5,11666666666667", True),
        ]:
            with self.subTest(name, zone=zone), \
                    self.running("2147483647", env=dict(x_environment(), TZ=zone, LC_ALL=name)) as program:
                window = find_window("Brisvane", program)
                self.assertEqual(read_box(window, box), text)
                # Where it fits, a user's patience: well past the 700 ms
                # Qt waits before it shows one.
                self.assertEqual(tooltip_shown(window, box, 15 if tipped else 3), tipped)
                self.assert_closes_normally(program, window)

    def test_a_locale_in_an_older_character_set_reads_as_its_utf8_sibling(self):
        """ja_JP.eucjp: the date as ja_JP.UTF-8 writes it, and a command line
        typed in EUC-JP quoted as it was typed."""
        env = dict(x_environment(), LC_ALL="ja_JP.eucjp")
        program = self.launch("1600000000", env=env)
        window = find_window("Brisvane", program)
        self.assertEqual(read_box(window, LOCAL_DATE), "2020\u5e7409\u670813\u65e5 12\u664226\u520640\u79d2")
        self.assert_closes_normally(program, window)

        # The message box and the line on standard error say the same, the
        # line in EUC-JP, as the terminal reads it. A byte that is no
        # character of EUC-JP (FF, or a lead byte with nothing to lead) is
        # quoted as the byte typed.
        typed = "\uff11\uff16x"  # full-width digits, as a Japanese input method types them
        for name, argument, quoted in [
                ("a lead byte at the end", typed.encode("euc_jp") + b"\xa4", typed + "\\xA4"),
                ("bytes around a character", b"\xff\xa4\xc7\xaf", "\\xFF\u3067\\xAF"),
        ]:
            with self.subTest(name), self.running(argument, env=env) as program:
                dismiss("Type mismatch", program)
                self.assertEqual(program.process.wait(timeout=10), 1)
                line = 'brisvane: Type mismatch: "%s" is not a number\n' % quoted
                errors = program.error_bytes().decode("euc_jp")
                # Qt 6.8 and later say first, while the display opens, that
                # they read the locale as its UTF-8 sibling (a paragraph of
                # four lines, in ASCII); Qt 6.4 says nothing.
                qt_says = errors[:-len(line)] if errors.endswith(line) else errors
                if qt_says:
                    self.assertRegex(qt_says, r'\ADetected locale "ja_JP\.eucjp" [^\n]*\n(?:[^\n]*\n){3}\Z')
                self.assertEqual(errors[len(qt_says):], line)

    def test_tab_from_local_date_goes_to_convert(self):
        """The labels between them in the tab order never take the focus;
        Space then presses the button."""
        program = self.launch("1600000000")
        window = find_window("Brisvane", program)
        xdotool("mousemove", "--window", window, str(LOCAL_DATE[0]), str(LOCAL_DATE[1]), "click", "1",
                "key", "Tab", "key", "space")
        answer_prompt("86400", program)
        self.assertEqual(read_box(window, EPOCH_DATE), "86400")
        self.assert_closes_normally(program, window)

    def test_what_qt_says_while_the_display_opens_is_passed_on(self):
        """Held back while the display opens, and then written once: what
        Qt logs of loading its platform (asked for by its logging rules),
        and nothing else; and all it logs of its platform, in the order a
        plain Qt program writes it."""
        program = self.launch("1600000000", env=dict(x_environment(), QT_LOGGING_RULES="qt.qpa.plugin=true"))
        window = find_window("Brisvane", program)
        self.assert_closes_normally(program, window)
        errors = program.errors()
        self.assertRegex(errors, r"\A(qt\.qpa\.plugin: [^\n]*\n)+\Z")
        self.assertEqual(errors.count('qt.qpa.plugin: Successfully loaded Qt platform plugin "xcb"\n'), 1, errors)

        if PLAIN_QT_PROGRAM is None:
            self.skipTest("no plain Qt program to compare with (BRISVANE_PLAIN_QT_PROGRAM)")
        env = dict(x_environment(), QT_LOGGING_RULES="qt.qpa.*=true")
        plain = subprocess.run([*LAUNCHER, PLAIN_QT_PROGRAM], env=env, stdin=subprocess.DEVNULL,
                               capture_output=True, timeout=30)
        self.assertEqual(plain.returncode, 0, plain.stderr)
        program = self.launch("1600000000", env=env)
        window = find_window("Brisvane", program)
        self.assert_closes_normally(program, window)

        def lines(text):
            # Addresses differ between runs.
            return re.sub(r"0x[0-9a-f]+", "0x", text).splitlines()

        expected = lines(plain.stderr.decode("utf-8", "replace"))
        self.assertGreater(len(expected), 1)
        self.assertEqual(lines(program.errors())[:len(expected)], expected)

    def test_without_command_line_the_prompt_opens_over_the_window(self):
        program = self.launch()
        find_window("Epoch to Local Date", program)
        window = find_window("Brisvane", program)
        answer_prompt("1 600 000 000", program)
        self.assertEqual(read_box(window, EPOCH_DATE), "1600000000")
        self.assertEqual(read_box(window, LOCAL_DATE), "09/13/20 12:26:40")
        self.assert_closes_normally(program, window)

    def test_a_value_below_one_is_rejected_and_the_program_stays(self):
        program = self.launch()
        answer_prompt("-1", program)
        dismiss("Error", program)
        window = find_window("Brisvane", program)
        self.assertEqual(read_box(window, EPOCH_DATE), "-1")
        self.assertEqual(read_box(window, LOCAL_DATE), "")
        self.assertIsNone(program.process.poll())
        self.assert_closes_normally(program, window)

    def test_a_millisecond_timestamp_at_the_prompt_keeps_the_window(self):
        program = self.launch("42")
        window = find_window("Brisvane", program)
        xdotool("mousemove", "--window", window, str(CONVERT[0]), str(CONVERT[1]), "click", "1")
        answer_prompt("1600000000000", program)
        dismiss("Error", program)
        self.assertIsNone(program.process.poll())
        self.assertEqual(read_box(window, EPOCH_DATE), "42")
        self.assert_closes_normally(program, window)

    def test_a_command_line_that_is_not_a_number_ends_the_program(self):
        program = self.launch("12x34")
        find_window("Type mismatch", program)
        # The window is already on screen behind the message.
        self.assertTrue(window_exists("Brisvane"))
        dismiss("Type mismatch", program)
        self.assertEqual(program.process.wait(timeout=10), 1)
        self.assertIn('brisvane: Type mismatch: "12x34" is not a number\n', program.errors())

    def test_a_command_line_out_of_range_is_an_overflow(self):
        program = self.launch("1600000000000")
        dismiss("Overflow", program)
        self.assertEqual(program.process.wait(timeout=10), 1)
        self.assertIn("brisvane: Overflow:", program.errors())

    def test_the_error_report_survives_unusable_standard_streams(self):
        """Closed streams, or a pipe whose reader has gone, change nothing the user sees."""
        read_end, write_end = os.pipe()
        os.close(read_end)
        self.addCleanup(os.close, write_end)
        for name, options in [("closed", dict(closed=(0, 1, 2))),
                              ("broken pipe", dict(stderr=write_end))]:
            with self.subTest(name), self.running("12x34", **options) as program:
                find_window("Type mismatch", program)
                if options.get("closed"):
                    # Nothing of the program's own took the place of a closed stream.
                    for fd in (0, 1, 2):
                        self.assertTrue(program.descriptor_is(fd, "/dev/null"))
                dismiss("Type mismatch", program)
                self.assertEqual(program.process.wait(timeout=10), 1)

    def offscreen_plugin(self):
        """The bytes of the offscreen platform plugin the program loads."""
        with self.running("1", env=dict(x_environment(), QT_QPA_PLATFORM="offscreen")) as program:
            deadline = time.monotonic() + 10
            plugin = None
            while plugin is None and time.monotonic() < deadline:
                with open("/proc/%d/maps" % program.process.pid) as maps:
                    plugin = next((line.split(None, 5)[5].strip() for line in maps
                                   if line.rstrip().endswith("/platforms/libqoffscreen.so")), None)
                time.sleep(0.05)
        self.assertIsNotNone(plugin, "the program loaded no offscreen plugin")
        with open(plugin, "rb") as source:
            return source.read()

    def platform_copy(self, name, changes):
        """A folder holding the offscreen plugin as the platform `name` (of
        nine letters, as "offscreen" is), with the bytes changed as
        `changes` (old, new) say, each of the same length, so that the ELF
        file stays whole; the folder as the program sees it."""
        data = self.offscreen_plugin()
        for old, new in [(b"offscreen", name.encode()), *changes]:
            self.assertIn(old, data)
            self.assertEqual(len(old), len(new))
            data = data.replace(old, new)
        here, there = self.scratch_dir()
        with open(os.path.join(here, "libq%s.so" % name), "wb") as copy:
            copy.write(data)
        return there

    def run_without_window(self, variables, program=None):
        """The program's result, and the platform plugins its dynamic loader was asked for."""
        # No terminal: a console platform (linuxfb) would take its keyboard.
        log, _ = self.scratch_dir()
        env = {"PATH": os.environ.get("PATH", "/usr/bin"), "LC_ALL": "C.UTF-8", **variables,
               "LD_DEBUG": "files", "LD_DEBUG_OUTPUT": os.path.join(log, "ld")}
        result = subprocess.run([*LAUNCHER, program or BINARY, "1"], env=env, stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=30,
                                preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_CORE, (0, 0)))
        loaded = set()
        for name in os.listdir(log):
            with open(os.path.join(log, name), errors="replace") as debug:
                loaded.update(re.findall(r"file=(\S*/platforms/\S+) \[\d+\];\s+dynamically loaded", debug.read()))
        return result, loaded

    def test_without_a_window_the_program_says_why(self):
        """Brisvane's line first, naming what failed; then what Qt said,
        its reasons among it, in its order. Qt's advice to reinstall, no
        help where only a display was missing, is passed on only where a
        plugin failed."""
        garbage = "not a display"
        unknown = self.run_without_window({"QT_QPA_PLATFORM": "no-such-platform"})[0].stderr.decode()
        available = re.search(r"Available platform plugins are: ([^\n]*)\.", unknown)
        available = set(available.group(1).split(", ")) if available else set()
        wayland_installed = "wayland" in available
        # Qt's own closing words where no platform starts, without and with
        # its advice to reinstall.
        none_started = "no Qt platform plugin could be initialized."
        reinstall = "Reinstalling the application may fix this problem."

        def wayland_session(tried):
            """The two tries of a Wayland session with no compositor and no X server."""
            if not wayland_installed:
                return ("cannot open a window: tried Wayland (not installed), then X11 (DISPLAY is not set)",
                        ['Could not find the Qt platform plugin "wayland"', "could not connect to display",
                         none_started, reinstall])
            return ("cannot open the display: tried Wayland (%s), then X11 (DISPLAY is not set)" % tried,
                    ["Failed to create wl_display", "could not connect to display", none_started])

        # The offscreen plugin as one for another interface than a platform's.
        another_interface = [(b"QPlatformIntegrationFactoryInterface.5.3", b"QPlatformIntegrationFactoryInterface.9.9")]

        # name, variables, Brisvane's line (a pattern where it quotes Qt's
        # loader), and what Qt says after it, in this order.
        cases = [
            ("no DISPLAY", {}, "cannot open the display: DISPLAY is not set",
             ["could not connect to display", none_started]),
            ("garbage DISPLAY", {"DISPLAY": garbage}, 'cannot open the display "%s"' % garbage,
             ["could not connect to display %s" % garbage, none_started]),
            # The display works; the platform is not there.
            ("unknown platform", {"DISPLAY": DISPLAY, "QT_QPA_PLATFORM": "no-such-platform"},
             'cannot find the Qt platform "no-such-platform"',
             ['Could not find the Qt platform plugin "no-such-platform"', reinstall, "Available platform plugins are:"]),
            # Nor is a platform that needs no display described by one.
            ("unloadable platform", {"DISPLAY": DISPLAY, "QT_QPA_PLATFORM": "nolibrary",
                                     "QT_QPA_PLATFORM_PLUGIN_PATH": self.platform_copy(
                                         "nolibrary", [(b"libQt6Gui.so.6\0", b"libabsent.so.6\0")])},
             re.compile(r'cannot load the Qt platform "nolibrary": [^\n]*libabsent\.so\.6: cannot open shared object'),
             ['Could not load the Qt platform plugin "nolibrary"', reinstall]),
            # Plugins that load, and that Qt will not take.
            # Qt's reason, from the metadata: never the dynamic loader's,
            # which would say the plugin needs Qt_6.9.
            ("plugin of a newer Qt", {"DISPLAY": DISPLAY, "QT_QPA_PLATFORM": "newerqt",
                                      "QT_QPA_PLATFORM_PLUGIN_PATH": NEWER_QT_PLATFORMS},
             re.compile(r'cannot load the Qt platform "newerqt": [^\n]*/libqnewerqt\.so\b[^\n]*'
                        r'incompatible Qt library\. \(6\.\d+\.0\)'),
             ['Could not find the Qt platform plugin "newerqt"', reinstall]),
            ("plugin of another interface", {"DISPLAY": DISPLAY, "QT_QPA_PLATFORM": "interface",
                                             "QT_QPA_PLATFORM_PLUGIN_PATH": self.platform_copy(
                                                 "interface", another_interface)},
             'cannot find the Qt platform "interface"', ['Could not find the Qt platform plugin "interface"', reinstall]),
            # Qt takes the names in any case.
            ("platform in capitals", {"DISPLAY": garbage, "QT_QPA_PLATFORM": "XCB"},
             'cannot open the display "%s"' % garbage, ["could not connect to display %s" % garbage, none_started]),
            ("no platform named", {"DISPLAY": DISPLAY, "QT_QPA_PLATFORM": ";"}, "cannot open a window: Qt tried no platform",
             [none_started, reinstall]),
            # A % in a name stays as it is.
            ("unknown platform, then X11", {"DISPLAY": garbage, "QT_QPA_PLATFORM": "no-such-%1;xcb"},
             'cannot open a window: tried Qt platform "no-such-%%1" (not installed), then X11 (DISPLAY "%s")'
             % garbage, ['Could not find the Qt platform plugin "no-such-%1"', "could not connect to display",
                         reinstall]),
            # A platform that gives up on its own terms ends Qt's tries: X11,
            # which would have started, was never tried.
            ("a platform that gives up", {"DISPLAY": DISPLAY,
                                          "QT_QPA_PLATFORM": "offscreen:configfile=/nonexistent;xcb"},
             'the Qt platform "offscreen" could not start', ["Could not find platform config file /nonexistent"]),
            # Platforms that start and have nowhere to put a window: a
            # framebuffer that is none, and one that shows Vulkan alone.
            ("no screen", {"DISPLAY": DISPLAY, "QT_QPA_PLATFORM": "linuxfb:fb=/dev/null"},
             'the Qt platform "linuxfb" started but has no screen',
             ["Error reading fixed information", "linuxfb: Failed to initialize screen"]),
            ("Vulkan alone", {"DISPLAY": DISPLAY, "QT_QPA_PLATFORM": "vkkhrdisplay"},
             'the Qt platform "vkkhrdisplay" shows only Vulkan windows', []),
            # A Wayland session (which always has its runtime folder) with no
            # compositor: Qt tries Wayland, then X, when either variable
            # says Wayland; without WAYLAND_DISPLAY, libwayland tries wayland-0.
            ("Wayland session", {"XDG_SESSION_TYPE": "wayland", "WAYLAND_DISPLAY": "wayland-9",
                                 "XDG_RUNTIME_DIR": self.runtime_dir()},
             *wayland_session('WAYLAND_DISPLAY "wayland-9"')),
            ("Wayland session type alone", {"XDG_SESSION_TYPE": "wayland", "XDG_RUNTIME_DIR": self.runtime_dir()},
             *wayland_session('WAYLAND_DISPLAY is not set, so "wayland-0"')),
            ("Wayland display alone", {"WAYLAND_DISPLAY": "wayland-9", "XDG_RUNTIME_DIR": self.runtime_dir()},
             *wayland_session('WAYLAND_DISPLAY "wayland-9"')),
            # Set, but to nothing: a Wayland session still, and libwayland
            # takes the empty name as it stands.
            ("empty Wayland display", {"WAYLAND_DISPLAY": "", "XDG_RUNTIME_DIR": self.runtime_dir()},
             *wayland_session("WAYLAND_DISPLAY is empty")),
            # Qt's debugging modes, as Qt reads their values: the message Qt
            # aborts after (None: no line of Brisvane's) is shown first.
            ("fatal warnings", {"DISPLAY": garbage, "QT_FATAL_WARNINGS": "on"}, None,
             ["could not connect to display %s" % garbage]),
            ("fatal warnings off", {"DISPLAY": garbage, "QT_FATAL_WARNINGS": "0"}, 'cannot open the display "%s"' % garbage,
             ["could not connect to display %s" % garbage, none_started]),
            ("fatal criticals, and a warning", {"DISPLAY": garbage, "QT_FATAL_CRITICALS": "1"},
             'cannot open the display "%s"' % garbage, ["could not connect to display %s" % garbage, none_started]),
        ]
        for name, variables, expected, qt_says in cases:
            with self.subTest(name):
                platform = variables.get("QT_QPA_PLATFORM", "").split(":")[0]
                if platform in ("linuxfb", "vkkhrdisplay") and platform not in available:
                    self.skipTest("this Qt has no %s platform" % platform)
                if None in variables.values():
                    self.skipTest("no plugin of a newer Qt (BRISVANE_NEWER_QT_PLATFORMS)")
                result, loaded = self.run_without_window(variables)
                errors = result.stderr.decode("utf-8", "replace")
                first, _, rest = errors.partition("\n")
                if expected is None:
                    self.assertEqual(result.returncode, -signal.SIGABRT, errors)
                    self.assertNotIn("brisvane:", errors)
                    rest = errors
                elif isinstance(expected, str):
                    self.assertEqual(result.returncode, 1, errors)
                    self.assertEqual(first, "brisvane: " + expected)
                else:
                    self.assertEqual(result.returncode, 1, errors)
                    self.assertRegex(first, "^brisvane: " + expected.pattern)
                # Nothing loaded that a plain Qt program does not load: no
                # plugin of a platform that Qt never reached.
                if PLAIN_QT_PROGRAM is not None:
                    self.assertEqual(loaded, self.run_without_window(variables, PLAIN_QT_PROGRAM)[1])
                at = 0
                for said in qt_says:
                    found = rest.find(said, at)
                    self.assertGreaterEqual(found, 0, "%r after %r in %r" % (said, rest[:at], rest))
                    at = found + len(said)
                if reinstall not in qt_says:
                    self.assertNotIn("Reinstalling", rest)
                if "QT_QPA_PLATFORM" in variables and "xcb" not in variables["QT_QPA_PLATFORM"]:
                    self.assertNotIn("DISPLAY", first)


def scratch_dir():
    """A new private folder in /tmp (its path twice: here, and as the
    program sees it)."""
    here = tempfile.mkdtemp()
    return here, here


def main():
    global BINARY, DISPLAY, RUNTIME_DIR
    if "--" in sys.argv:
        end = sys.argv.index("--")
        LAUNCHER.extend(sys.argv[1:end])
        del sys.argv[1:end + 1]
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    BINARY = os.path.abspath(sys.argv.pop(1))
    runtime_here, RUNTIME_DIR = scratch_dir()
    server, DISPLAY = start_x_server()
    try:
        result = unittest.main(exit=False, verbosity=2).result
    finally:
        server.terminate()
        server.wait(timeout=10)
        shutil.rmtree(runtime_here, ignore_errors=True)
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()

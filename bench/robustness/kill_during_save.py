#!/usr/bin/env python3
"""Kills the real program inside its closing save and counts what the kills left behind.

The program is asked to close (SIGTERM) and killed (SIGKILL) a random moment later. Whether the
kill landed inside the save is read from the kernel: an inotify watch on the program's folder
sees every file the save opens, creates and renames, and a kill is inside the save when the
watch saw some, but not all, of the events a whole save produces. A few unkilled closes first
measure that sequence and when it happens, and the kills are aimed at that window.

Prints, for the kills inside a save: murvelin.ini old, new or mixed; alarms32.rec old, new or
broken; temporaries the kills left; temporaries still there after the next start.

Usage (under an X server): python3 kill_during_save.py [INSIDE_KILLS] [BUILD_DIR]
    xvfb-run -a -s "-screen 0 1280x1024x24" python3 bench/robustness/kill_during_save.py 300 build
"""

import ctypes
import os
import random
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

IN_OPEN, IN_CLOSE_WRITE, IN_CREATE, IN_MOVED_TO = 0x20, 0x08, 0x100, 0x80
WATCHED = IN_OPEN | IN_CLOSE_WRITE | IN_CREATE | IN_MOVED_TO

# Keys of the save whose stored form changes: the old raw value and the value written back.
KEYS = [("Play Voice", "2", "1"), ("HowOften", "0x0F", "15"), ("Auto Start", "3", "1"),
        ("BevelWidth", "0x2", "2"), ("Digital", None, "0"), ("Title Bar Res", None, "0")]
OLD_INI = (b"[Options]\r\nAuto Start=3\r\nSnoozeTime=10\r\n[Voice]\r\nPlay Voice=2\r\n"
           b"HowOften=0x0F\r\n[Display]\r\nBevelWidth=0x2\r\n")
TEMPORARY = re.compile(r"(murvelin\.ini|Win\.ini|alarms32\.rec)\.[A-Za-z0-9]{6}$")
SAVED_NAME = re.compile(r"(murvelin\.ini|Win\.ini|alarms32\.rec)(\.[A-Za-z0-9]{6})?$")


def old_alarm_file():
    """One daily alarm: a record of 384 bytes that the save writes back as a file of 19,200."""
    r = bytearray(384)
    r[0] = 5
    r[1:6] = b"tea!!"
    r[304:312] = struct.pack("<d", 0.5)
    r[316:324] = struct.pack("<d", 0.5)
    r[328] = 4
    r[376] = 1
    return bytes(r)


OLD_ALARMS = old_alarm_file()


class Watch:
    """An inotify watch on one folder, read without blocking."""

    def __init__(self, folder):
        self.libc = ctypes.CDLL(None, use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self.fd < 0:
            raise OSError(ctypes.get_errno(), "inotify_init1")
        if self.libc.inotify_add_watch(self.fd, folder.encode(), WATCHED) < 0:
            raise OSError(ctypes.get_errno(), "inotify_add_watch")

    def events(self):
        """The save's file events seen so far, as (mask, name) with temporary names folded."""
        out = []
        while select.select([self.fd], [], [], 0)[0]:
            data = os.read(self.fd, 65536)
            at = 0
            while at < len(data):
                _, mask, _, length = struct.unpack_from("iIII", data, at)
                name = data[at + 16:at + 16 + length].rstrip(b"\0").decode(errors="replace")
                at += 16 + length
                if SAVED_NAME.match(name):
                    out.append((mask & WATCHED, TEMPORARY.sub(r"\1.TMP", name)))
        return out

    def close(self):
        os.close(self.fd)


class Program:
    def __init__(self, build, home):
        self.path = os.path.join(build, "bin", "orvane")
        self.home = home
        self.env = dict(os.environ, ORVANE_HOME=home, SDL_AUDIODRIVER="dummy",
                        ORVANE_NO_MESSAGE_BOXES="1", XDG_RUNTIME_DIR=home + "/run",
                        XDG_CONFIG_HOME=home + "/xdg")
        self.proc = None

    def start(self):
        os.makedirs(self.home + "/run", mode=0o700, exist_ok=True)
        self.proc = subprocess.Popen([self.path], env=self.env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if self.ask("--ping") == 0:
                return True
            if self.proc.poll() is not None:
                break
            time.sleep(0.05)
        # A start that never answered (a loaded machine) is ended and counted, not fatal.
        self.proc.kill()
        self.proc.wait()
        return False

    def ask(self, word):
        try:
            return subprocess.run([self.path, word], env=self.env, timeout=5,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
        except subprocess.TimeoutExpired:
            return -1

    def wait(self):
        try:
            return self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            return self.proc.wait()


def fresh_home(home):
    shutil.rmtree(home, ignore_errors=True)
    os.makedirs(home)
    with open(home + "/murvelin.ini", "wb") as f:
        f.write(OLD_INI)
    with open(home + "/alarms32.rec", "wb") as f:
        f.write(OLD_ALARMS)


def settings_state(ini):
    old = new = 0
    for key, old_value, new_value in KEYS:
        m = re.search(r"(^|\n)" + re.escape(key) + r"=([^\r\n]*)", ini)
        value = m.group(2) if m else None
        if value == old_value:
            old += 1
        elif value == new_value:
            new += 1
    return "old" if old == len(KEYS) else "new" if new == len(KEYS) else "mixed"


def alarms_state(data):
    if data == OLD_ALARMS:
        return "old"
    if len(data) == 19200 and data[:6] == OLD_ALARMS[:6] and data[328] == 4:
        return "new"
    return "broken"


def temporaries(home):
    return sum(1 for n in os.listdir(home) if TEMPORARY.match(n))


def read(path, mode="rb"):
    try:
        with open(path, mode) as f:
            return f.read()
    except FileNotFoundError:
        return b"" if "b" in mode else ""


def close_and_watch(program, home, kill_after):
    """SIGTERM, then SIGKILL after `kill_after` seconds (None: let the save finish). Returns
    the save's events and the seconds from SIGTERM to the first and the last of them."""
    watch = Watch(home)
    events, first, last = [], None, None
    sent = time.monotonic()
    program.proc.send_signal(signal.SIGTERM)
    if kill_after is not None:
        time.sleep(kill_after)
        program.proc.kill()
    while program.proc.poll() is None:
        new = watch.events()
        if new:
            now = time.monotonic() - sent
            first = now if first is None else first
            last = now
            events += new
        time.sleep(0.0002)
    program.wait()
    events += watch.events()
    watch.close()
    return events, first, last


def calibrate(build, home, rounds=5):
    """The events of a whole save and the window after SIGTERM in which they happen."""
    sequence, starts, ends = None, [], []
    for _ in range(rounds):
        fresh_home(home)
        program = Program(build, home)
        if not program.start():
            continue
        events, first, last = close_and_watch(program, home, None)
        if sequence is None or len(events) > len(sequence):
            sequence = events
        if first is not None:
            starts.append(first)
            ends.append(last)
    if not sequence or not starts:
        raise RuntimeError("a normal close wrote no file: nothing to aim at")
    return sequence, min(starts), max(ends)


def main():
    wanted = int(sys.argv[1]) if len(sys.argv) > 1 else 300
    build = sys.argv[2] if len(sys.argv) > 2 else "build"
    home = tempfile.mkdtemp(prefix="orvane-kill-save-")
    try:
        sequence, start, end = calibrate(build, home)
        print(f"a whole save: {len(sequence)} file events, seen from {start * 1000:.1f} "
              f"to {end * 1000:.1f} ms after SIGTERM")
        counts = {"settings old": 0, "settings new": 0, "settings mixed": 0, "alarms old": 0,
                  "alarms new": 0, "alarms broken": 0}
        inside = before = after = left = after_start = failed_starts = unchecked = 0
        attempts = 0
        while inside < wanted and attempts < wanted * 6:
            attempts += 1
            fresh_home(home)
            program = Program(build, home)
            if not program.start():
                failed_starts += 1
                continue
            # Aim a little before the first event and past the last one, so that the save's
            # whole span is covered.
            delay = random.uniform(max(0.0, start - 0.004), end + 0.004)
            events, _, _ = close_and_watch(program, home, delay)
            if not events:
                before += 1
                continue
            if len(events) >= len(sequence) and events[-1] == sequence[-1]:
                after += 1
                continue
            inside += 1
            counts["settings " + settings_state(read(home + "/murvelin.ini", "r"))] += 1
            counts["alarms " + alarms_state(read(home + "/alarms32.rec"))] += 1
            left += temporaries(home)
            if not program.start():
                # A start that never answered may not have reached its clean-up: its
                # temporaries are counted apart.
                failed_starts += 1
                unchecked += temporaries(home)
                continue
            after_start += temporaries(home)
            program.ask("--quit")
            program.wait()
        print(f"kills {attempts}: inside a save {inside}, before it {before}, after it {after}; "
              f"starts that never answered {failed_starts}")
        print("inside a save: " + ", ".join(f"{k} {v}" for k, v in counts.items()))
        print(f"temporaries left by the kills inside a save {left}, "
              f"still there after the next start {after_start}; after a next start that "
              f"never answered {unchecked}")
        return 0 if counts["settings mixed"] == 0 and counts["alarms broken"] == 0 \
            and after_start == 0 and inside >= wanted else 1
    finally:
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""tavix-view in a real X server: Xvfb, keys typed with xdotool, screenshots and the
viewer's --trace lines checked. Exits 77 (skipped) when Xvfb or xdotool is missing, and fails
instead when CI is set.

usage: viewer_e2e.py TAVIX_VIEW OUTPUT_DIR
"""
import ctypes
import ctypes.util
import os
import queue
import shutil
import sqlite3
import struct
import subprocess
import sys
import threading
import time
import zlib

SKIP = 77
WIDTH, HEIGHT = 900, 600
ROWS = 400
WORDS = ["Anchor", "Bolt", "Clamp", "Dowel", "Flange", "Gasket", "Hinge", "Joist", "Latch", "Nozzle"]


def make_database(path):
    """Names in no particular order, one unique "Zephyr" for the search, quantities to sort."""
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.execute("CREATE TABLE parts (id INTEGER, name TEXT, qty INTEGER, price CURRENCY)")
    rows = []
    for i in range(1, ROWS + 1):
        name = "Zephyr %03d" % i if i == 250 else "%s %03d" % (WORDS[(i * 37) % len(WORDS)], i)
        rows.append((i, name, (i * 7919) % 1000, (i * 131 % 5000) / 4.0))
    db.executemany("INSERT INTO parts VALUES (?, ?, ?, ?)", rows)
    db.commit()
    db.close()
    return rows


def read_png(path):
    """(width, height, rows of (r, g, b)) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat, width, height, channels = 8, b"", 0, 0, 3
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and color in (2, 6), (depth, color)
            channels = 3 if color == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride, prev, rows = zlib.decompress(idat), width * channels, bytearray(width * channels), []
    for y in range(height):
        filt, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - channels] if x >= channels else 0
            b, c = prev[x], prev[x - channels] if x >= channels else 0
            if filt == 1:
                line[x] = (line[x] + a) & 0xFF
            elif filt == 2:
                line[x] = (line[x] + b) & 0xFF
            elif filt == 3:
                line[x] = (line[x] + (a + b) // 2) & 0xFF
            elif filt == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append([tuple(line[x:x + 3]) for x in range(0, stride, channels)])
        prev = line
    return width, height, rows


class Viewer:
    """The running viewer: its trace lines arrive on a queue."""

    def __init__(self, exe, db, shots, env, extra=()):
        self.proc = subprocess.Popen([exe, db, "--trace", "--shot-dir", shots, "--size", "%dx%d" % (WIDTH, HEIGHT),
                                      *extra],
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, encoding="utf-8",
                                     env=env)
        self.lines = queue.Queue()
        self.log = []
        threading.Thread(target=self._read, daemon=True).start()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        """The viewer is stopped if a check failed, and what it printed goes with the test's output."""
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        print("\n".join(self.log))
        return False

    def _read(self):
        for line in self.proc.stdout:
            self.log.append(line.rstrip("\n"))
            self.lines.put(line.rstrip("\n"))

    def expect(self, prefix, timeout=10.0):
        """The next line starting with prefix; a "state" line comes back as a dict."""
        deadline = time.time() + timeout
        while True:
            try:
                line = self.lines.get(timeout=max(0.01, deadline - time.time()))
            except queue.Empty:
                raise AssertionError("no line starting with %r; output so far:\n%s" % (prefix, "\n".join(self.log)))
            if line.startswith(prefix):
                if not line.startswith("state "):
                    return line
                fields = line.split("\t")
                state = {"event": fields[0][len("state "):]}
                state.update(f.split("=", 1) for f in fields[1:])
                state["row"], state["col"] = (int(v) for v in state["cur"].split(","))
                state["scroll"] = int(state["scroll"])
                return state


def xdo(env, *args):
    return subprocess.run(["xdotool", *args], env=env, check=True, capture_output=True, text=True).stdout.strip()


def bind_keysyms(display, keysyms):
    """Gives each keysym a keycode of its own. xdotool would otherwise remap one spare keycode per
    character and map it back at once, racing with the viewer reading the mapping."""
    x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
    dpy = ctypes.c_void_p(x.XOpenDisplay(display.encode()))
    check(dpy.value, "cannot open %s" % display)
    low, high, per = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
    x.XDisplayKeycodes(dpy, ctypes.byref(low), ctypes.byref(high))
    count = high.value - low.value + 1
    syms = x.XGetKeyboardMapping(dpy, low.value, count, ctypes.byref(per))
    free = [low.value + i for i in range(count) if not any(syms[i * per.value + j] for j in range(per.value))]
    x.XFree(ctypes.cast(syms, ctypes.c_void_p))
    check(len(free) >= len(keysyms), "only %d free keycodes" % len(free))
    for code, sym in zip(free, keysyms):
        x.XChangeKeyboardMapping(dpy, code, 1, (ctypes.c_ulong * 1)(sym), 1)
    x.XSync(dpy, 0)
    x.XCloseDisplay(dpy)


def free_display():
    for n in range(140, 240):
        if not os.path.exists("/tmp/.X%d-lock" % n) and not os.path.exists("/tmp/.X11-unix/X%d" % n):
            return n
    raise RuntimeError("no free X display number")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


class Session:
    """One viewer on one database, with the key and screenshot helpers the steps use."""

    def __init__(self, viewer, env, window):
        self.viewer, self.env, self.window = viewer, env, window

    def key(self, name, event_prefix="state key"):
        xdo(self.env, "key", name)
        return self.viewer.expect(event_prefix)

    def shot(self):
        xdo(self.env, "key", "F12")
        return read_png(self.viewer.expect("shot ").split(" ", 1)[1])


def step_first_frame(s, start):
    check(int(start["rows"]) > 0, "no rows loaded: %s" % start)
    w, h, frame = s.shot()
    check((w, h) == (WIDTH, HEIGHT), "screenshot is %dx%d" % (w, h))
    inked = sum(1 for row in frame for px in row if sum(px) < 300)
    check(inked > 500, "the first frame shows no text (%d dark pixels)" % inked)
    return frame


def step_navigate(s, start, first_frame):
    """The arrows move the current cell, Page Down scrolls a page on and repaints."""
    s.key("Down")
    state = s.key("Down")
    check(state["row"] == start["row"] + 2 if start["row"] > 0 else state["row"] >= 2, "Down twice: %s" % state)
    state = s.key("Right")
    check(state["col"] == max(start["col"], 1) + 1, "Right: %s" % state)
    before = state
    state = s.key("Next")
    check(state["row"] > before["row"] + 5 and state["scroll"] > before["scroll"], "Page Down: %s -> %s" % (before, state))
    _, _, paged = s.shot()
    check(paged != first_frame, "the screen did not change after Page Down")


def step_search(s):
    """Typing in the current column ("name") finds the one row starting with the prefix."""
    for ch in "Zep":
        state = s.key(ch, "state char")
    check(state["text"].startswith("Zephyr"), "search for 'Zep' stopped on %r" % state["text"])


def step_sort(s, rows):
    """F5 sorts by the current column ("qty"), again descending; Shift+F5 adds "price"."""
    qty = sorted(r[2] for r in rows)
    s.key("Right")
    state = s.key("F5", "state sort")
    check(state["sort"] == "qty:asc" and state["head"] == "|".join(map(str, qty[:5])), "F5: %s" % state)
    state = s.key("F5", "state sort")
    check(state["sort"] == "qty:desc" and state["head"] == "|".join(map(str, qty[::-1][:5])), "F5 again: %s" % state)
    s.key("Right")
    state = s.key("shift+F5", "state sort-add")
    check(state["sort"] == "qty:desc,price:asc", "Shift+F5: %s" % state)


def step_resize(s):
    """The grid follows the window's size."""
    xdo(s.env, "windowsize", "--sync", s.window, "700", "450")
    time.sleep(0.5)
    w, h, frame = s.shot()
    check((w, h) == (700, 450), "after resizing the screenshot is %dx%d" % (w, h))
    check(any(sum(px) < 300 for row in frame[h // 3:h // 2] for px in row), "nothing drawn after resizing")


def step_quit(s):
    xdo(s.env, "key", "Escape")
    s.viewer.expect("state exit")
    check(s.viewer.proc.wait(timeout=10) == 0, "exit code %s" % s.viewer.proc.returncode)


BIG_ROWS = 120_000


def run_virtual(exe, out, env):
    """A result over the virtual-mode threshold: only the rows in view are read, and a sort
    reads the result again in the database's order."""
    db = os.path.join(out, "big.db")
    if os.path.exists(db):
        os.remove(db)
    con = sqlite3.connect(db)
    con.execute("CREATE TABLE big (id INTEGER, label TEXT)")
    con.executemany("INSERT INTO big VALUES (?, ?)", ((i, "row %d" % i) for i in range(1, BIG_ROWS + 1)))
    con.commit()
    con.close()
    with Viewer(exe, db, os.path.join(out, "shots-big"), env) as viewer:
        start = viewer.expect("state ready", timeout=30)
        check(0 < int(start["rows"]) < 100, "the first frame read %s rows" % start["rows"])
        window = xdo(env, "search", "--sync", "--name", "big.db").split()[0]
        xdo(env, "windowfocus", "--sync", window)
        s = Session(viewer, env, window)
        s.key("Down")
        for _ in range(3):
            state = s.key("Next")
        check(40 < int(state["rows"]) < 400 and state["row"] > 100, "after three pages: %s" % state)
        s.key("F5", "state sort")
        state = s.key("F5", "state sort")
        expected = "|".join(str(BIG_ROWS - i) for i in range(5))
        check(state["sort"] == "id:desc" and state["head"] == expected, "F5 twice in virtual mode: %s" % state)
        check(int(state["rows"]) < 100, "the sorted result was read whole: %s rows" % state["rows"])
        step_quit(s)
    print("passed: virtual")


def run_edit(exe, out, env):
    """Edits reach the database only when it accepts them, typed in any script; a failed write keeps the
    typed text; a column's CHECK list is a combo; the selection copies as tab-separated text."""
    db = os.path.join(out, "edit.db")
    if os.path.exists(db):
        os.remove(db)
    con = sqlite3.connect(db)
    con.execute("CREATE TABLE items (name TEXT, qty INTEGER CHECK (qty >= 0), done BOOLEAN,"
                " status TEXT CHECK (status IN ('open', 'paid', 'void')))")
    con.executemany("INSERT INTO items VALUES (?, ?, ?, ?)", [("Bolt", 7, 0, "open"), ("Nut", None, 1, "paid")])
    con.commit()
    con.close()
    typed = "Zürich 日本 🙂 caf"

    def db_row(rowid=1):
        c = sqlite3.connect(db)
        try:
            return c.execute("SELECT name, qty, done, status FROM items WHERE rowid = ?", (rowid,)).fetchone()
        finally:
            c.close()

    with Viewer(exe, db, os.path.join(out, "shots-edit"), env) as viewer:
        viewer.expect("state ready", timeout=30)
        # While the viewer is connected: the last client leaving resets the server's key map.
        syms = [ord(c) if ord(c) < 0x100 else 0x01000000 + ord(c) for c in set(typed) if ord(c) > 0x7F]
        bind_keysyms(env["DISPLAY"], syms + [0xFE51])  # Latin-1 keysyms are their code, the rest Unicode's; dead_acute
        window = xdo(env, "search", "--sync", "--name", "edit.db").split()[0]
        xdo(env, "windowfocus", "--sync", window)
        s = Session(viewer, env, window)
        s.key("Down")
        s.key("F2")
        xdo(env, "type", "--delay", "40", typed)
        xdo(env, "key", "dead_acute", "e")
        state = s.key("Return", "state edit-commit")
        name = typed + "\u00e9"
        check(db_row()[0] == name and state["text"] == name, "edited name: %s %s" % (db_row(), state))
        s.key("F2")
        xdo(env, "type", "zzz")
        s.key("Escape", "state edit-cancel")
        check(db_row()[0] == name and viewer.proc.poll() is None, "Escape in the editor: %s" % (db_row(),))
        s.key("Right")
        s.key("F2")
        xdo(env, "type", "--", "-5")
        s.key("Return", "state message Save failed")
        state = s.key("Return", "state write-failed")
        check(db_row()[1] == 7 and state["text"] == "7" and state.get("edit") == "-5",
              "a CHECK failure changed the value or lost the typed text: %s %s" % (db_row(), state))
        # The editor is still open on "-5": without the sign the value is accepted.
        xdo(env, "key", "Home", "Delete")
        state = s.key("Return", "state edit-commit")
        check(db_row()[1] == 5 and state["text"] == "5", "the corrected value: %s %s" % (db_row(), state))
        # A NULL shown as "NULL" opens an empty editor and stays NULL.
        s.key("Down")
        state = s.key("F2")
        s.key("Return", "state edit-commit")
        check(state.get("edit") == "" and db_row(2)[1] is None, "F2, Enter on a NULL: %s %s" % (db_row(2), state))
        s.key("Up")
        s.key("Right")
        s.key("Return", "state edit-commit")
        check(db_row()[2] == 1, "the check box did not toggle: %s" % (db_row(),))
        # The status cell's combo button: columns of 160, 84, 60 and 160 pixels, the button at the right end of row 1.
        s.key("Right")
        xdo(env, "mousemove", "--window", window, "457", "28", "click", "1")
        xdo(env, "key", "Down")
        s.key("Return", "state edit-commit")
        check(db_row()[3] == "paid", "the combo pick was not written: %s" % (db_row(),))
        s.key("Left")
        s.key("Left")
        s.key("shift+Left")
        s.key("ctrl+c", "state copy")
        copied = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=env, check=True, capture_output=True,
                                encoding="utf-8", timeout=10).stdout
        check(copied == name + "\t5\n", "copied %r" % copied)
        step_quit(s)
    print("passed: edit")


def run_layout(exe, out, env):
    """A sort made before closing comes back when the same table opens again: the reopened
    frame equals the sorted one pixel for pixel, and differs from one opened with --no-layout.
    A column width and a column order dragged on the header come back too."""
    db = os.path.join(out, "layout.db")
    make_database(db)

    def session(extra, before_shot):
        with Viewer(exe, db, os.path.join(out, "shots-layout"), env, extra) as viewer:
            ready = viewer.expect("state ready", timeout=30)
            window = xdo(env, "search", "--sync", "--name", "layout.db").split()[0]
            xdo(env, "windowfocus", "--sync", window)
            s = Session(viewer, env, window)
            before_shot(s)
            state = s.key("ctrl+Home", "state key 36")
            for _ in range(3):
                if state["col"] <= 1:
                    break
                state = s.key("Left")
            check(state["cur"] == "1,1", "did not get back to the first cell: %s" % state)
            # Plain keys select the cell alone, whatever the moves before left selected.
            s.key("Right")
            state = s.key("Left")
            check(state["cur"] == "1,1", "did not get back to the first cell: %s" % state)
            frame = s.shot()[2]
            step_quit(s)
            return ready, frame

    def sort_qty(s):
        state = s.key("Right")
        for _ in range(3):
            if state["col"] == 3:
                break
            state = s.key("Right")
        state = s.key("F5", "state sort")
        check(state["sort"] == "qty:asc", "F5 did not sort by qty: %s" % state)
        # The name column's right divider, dragged 40 pixels to the right on the header.
        divider = 245
        xdo(s.env, "mousemove", "--window", s.window, str(divider), "10")
        xdo(s.env, "mousedown", "1")
        xdo(s.env, "mousemove", "--window", s.window, str(divider + 20), "10")
        xdo(s.env, "mousemove", "--window", s.window, str(divider + 40), "10")
        xdo(s.env, "mouseup", "1")
        # The price caption, dragged onto qty's: price moves before qty.
        xdo(s.env, "mousemove", "--window", s.window, "420", "10")
        xdo(s.env, "mousedown", "1")
        for x in (400, 360, 320, 300):
            xdo(s.env, "mousemove", "--window", s.window, str(x), "10")
        xdo(s.env, "mouseup", "1")
        xdo(s.env, "mousemove", "--window", s.window, "600", "400")
        time.sleep(0.5)

    _, sorted_frame = session((), sort_qty)
    ready, reopened = session((), lambda s: None)
    check(ready["sort"] == "qty:asc", "the sort did not come back: %s" % ready)
    check(reopened == sorted_frame, "the reopened grid does not look as it did when it closed")
    ready, plain = session(("--no-layout",), lambda s: None)
    check(ready["sort"] == "-" and plain != reopened, "--no-layout still restored the sort: %s" % ready)
    # The grid line that ended the name column moved with the divider and came back moved.
    line = plain[100][245]
    check(reopened[100][245] != line and reopened[100][285] == line, "the dragged width did not come back")
    print("passed: layout")


REAL_TABLES = ["customers", "dates", "nulls", "numbers", "orders", "texts", "wide"]
NULL_ROWS = 40


def make_real_database(path):
    """One table per kind of real-world data the viewer must show."""
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.executescript("""
        CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT, country TEXT);
        CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER, amount NUMERIC(30, 2), placed DATE);
        CREATE TABLE dates (iso_day DATE, julian DATE, unix_seconds TIMESTAMP, stamp DATETIME);
        CREATE TABLE numbers (small INTEGER, near_max INTEGER, wide_numeric NUMERIC(40, 0), ratio REAL,
                              price CURRENCY, flag BOOLEAN, raw BLOB);
        CREATE TABLE texts (kind TEXT, body TEXT);
        CREATE TABLE nulls (i INTEGER, big BIGINT, n NUMERIC, r REAL, b BOOLEAN, d DATE, dt DATETIME, t TEXT,
                            bl BLOB, m CURRENCY, untyped);
    """)
    db.executemany("INSERT INTO customers VALUES (?, ?, ?)",
                   [(1, "Ada Lovelace", "UK"), (2, "Émile Borel", "FR"), (3, "山田 太郎", "JP"), (4, None, None)])
    db.executemany("INSERT INTO orders VALUES (?, ?, ?, ?)",
                   [(10 + i, 1 + i % 4, "%d.%02d" % (i * 37, i), "2024-0%d-1%d" % (1 + i % 9, i % 10))
                    for i in range(12)] + [(99, None, None, None)])
    db.executemany("INSERT INTO dates VALUES (?, ?, ?, ?)", [
        ("2024-02-29", 2460370.75, 1709272800, "2024-03-01 06:00:00"),
        ("1999-12-31", 2451544.5, 946684799, "1999-12-31T23:59:59"),
        (None, None, None, None),
        ("2024-13-01", 2440587.5, 0, "2024-03-01 08:00:00+02:00"),
    ])
    db.executemany("INSERT INTO numbers VALUES (?, ?, ?, ?, ?, ?, ?)", [
        (1, 2**63 - 1, "12345678901234567890123", 3.25, 1234567.89, 1, b"\x00\x01\x02"),
        (-2147483648, -(2**63), "-98765432109876543210", -0.0001, -0.5, 0, b"x" * 1000),
        (None, None, None, None, None, None, None),
        (2147483647, 2**62, "100000000000000000000", 1e300, 0, 1, b""),
    ])
    db.executemany("INSERT INTO texts VALUES (?, ?)", [
        ("long", "".join("word%04d " % i for i in range(1112))[:10000]),
        ("cjk", "漢字とかな交じり文、한국어 텍스트"),
        ("arabic", "النص العربي من اليمين إلى اليسار"),
        ("emoji", "grid 🙂 rows 🚀 done ✅"),
        ("mixed", "Zürich – Ελληνικά – Русский"),
        ("null", None),
    ])
    db.executemany("INSERT INTO nulls VALUES (%s)" % ", ".join("?" * 11), [(None,) * 11] * NULL_ROWS)
    columns = ", ".join("c%d %s" % (i, "INTEGER" if i % 2 else "TEXT") for i in range(1, 301))
    db.execute("CREATE TABLE wide (%s)" % columns)
    db.executemany("INSERT INTO wide VALUES (%s)" % ", ".join("?" * 300),
                   [tuple(r * 1000 + c if c % 2 else "r%dc%d" % (r, c) for c in range(1, 301)) for r in range(50)])
    db.commit()
    db.close()


def headless(exe, args, out, name):
    """Runs the viewer for one screenshot; returns (exit code, stderr, frame or None)."""
    png = os.path.join(out, name + ".png")
    if os.path.exists(png):
        os.remove(png)
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    proc = subprocess.run([exe, *args, "--screenshot", png, "--size", "%dx%d" % (WIDTH, HEIGHT)],
                          capture_output=True, text=True, env=env, timeout=300)
    frame = read_png(png)[2] if proc.returncode == 0 else None
    return proc.returncode, proc.stderr, frame


def darkest(frame, top, bottom, left, right):
    return min(min(px) for row in frame[top:bottom] for px in row[left:right])


def run_real_data(exe, out):
    """Real-world data: every kind opens and draws; NULL is grey; failures are reported."""
    db = os.path.join(out, "real.db")
    make_real_database(db)
    code, err, frame = headless(exe, [db], out, "real-first")
    check(code == 0, "opening real.db failed: %s" % err)
    check("has %d tables: %s" % (len(REAL_TABLES), ", ".join(REAL_TABLES)) in err and "showing customers" in err,
          "the tables were not listed on stderr: %r" % err)
    frames = {}
    for table in REAL_TABLES:
        code, err, frames[table] = headless(exe, [db, "--table", table], out, "real-" + table)
        check(code == 0, "--table %s failed: %s" % (table, err))
        check(darkest(frames[table], 0, HEIGHT, 0, WIDTH) < 200, "--table %s drew nothing" % table)
    # The cells of the all-NULL table hold grey text and nothing as dark as ordinary text,
    # which the same place of the numbers table shows.
    rows = (30, 300)
    check(darkest(frames["nulls"], *rows, 8, WIDTH // 2) > 100, "a NULL is drawn as dark as a value")
    check(darkest(frames["nulls"], *rows, 8, WIDTH // 2) < 225, "the NULL cells show nothing")
    check(darkest(frames["numbers"], 0, 60, 8, WIDTH // 2) < 100, "the numbers are not drawn dark")
    join = "SELECT o.id, c.id, c.name, o.amount FROM orders o LEFT JOIN customers c ON c.id = o.customer_id"
    code, err, _ = headless(exe, [db, "--query", join], out, "real-join")
    check(code == 0, "a join whose columns share a name failed: %s" % err)
    failures = [([db, "--query", "SELEC 1"], "tavix-view: SQLite: near \"SELEC\": syntax error"),
                ([os.path.join(out, "absent.db")], "tavix-view: no such database file"),
                ([os.path.join(out, "real-first.png")], "file is not a database")]
    for args, message in failures:
        code, err, _ = headless(exe, args, out, "real-failure")
        check(code == 1 and message in err, "%s: exit %d, %r" % (args, code, err))
    print("passed: real data")


def run_error_box(exe, out, env):
    """On a display, a failure is also shown in a box the user dismisses."""
    proc = subprocess.Popen([exe, os.path.join(out, "absent.db")], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        deadline = time.time() + 20
        window = ""
        while not window:
            check(proc.poll() is None, "the viewer ended without showing its error")
            check(time.time() < deadline, "no error box appeared")
            time.sleep(0.1)
            window = subprocess.run(["xdotool", "search", "--name", "^tavix-view$"], env=env,
                                    capture_output=True, text=True).stdout.strip()
        time.sleep(0.3)
        xdo(env, "windowfocus", "--sync", window.split()[0])
        xdo(env, "key", "Return")
        check(proc.wait(timeout=10) == 1, "exit code %s after the box" % proc.returncode)
        check("no such database file" in proc.stderr.read(), "the error was not on stderr too")
    finally:
        if proc.poll() is None:
            proc.kill()
    print("passed: error box")


def run(exe, out, env):
    shots = os.path.join(out, "shots")
    shutil.rmtree(shots, ignore_errors=True)
    db = os.path.join(out, "e2e.db")
    rows = make_database(db)
    with Viewer(exe, db, shots, env) as viewer:
        start = viewer.expect("state ready", timeout=30)
        window = xdo(env, "search", "--sync", "--name", "e2e.db").split()[0]
        title = xdo(env, "getwindowname", window)
        check(title == "e2e.db \u2014 parts", "window title %r" % title)
        check(window in xdo(env, "search", "--class", "Tavix-view").split(), "WM_CLASS is not Tavix-view")
        xdo(env, "windowfocus", "--sync", window)
        xdo(env, "mousemove", "--window", window, "200", "200")
        s = Session(viewer, env, window)
        first = step_first_frame(s, start)
        steps = [("navigate", lambda: step_navigate(s, start, first)), ("search", lambda: step_search(s)),
                 ("sort", lambda: step_sort(s, rows)), ("resize", lambda: step_resize(s)), ("quit", lambda: step_quit(s))]
        for name, step in steps:
            step()
            print("passed: %s" % name)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    missing = [tool for tool in ("Xvfb", "xdotool", "xclip") if shutil.which(tool) is None]
    if missing:
        message = "%s not installed (scripts/setup.sh installs them)" % " and ".join(missing)
        # In CI a missing tool is a broken setup, not a reason to pass.
        if os.environ.get("CI"):
            print("FAILED: " + message)
            return 1
        print("SKIPPED: " + message)
        return SKIP
    exe, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    # Remembered layouts live here, fresh for each run, and never in the user's own.
    config = os.path.abspath(os.path.join(out, "config"))
    shutil.rmtree(config, ignore_errors=True)
    os.environ["XDG_CONFIG_HOME"] = config
    run_real_data(exe, out)
    n = free_display()
    # -noreset: a server reset between two viewers would race with the next one connecting.
    xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x800x24", "-nolisten", "tcp", "-noreset"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.time() + 10
        while not os.path.exists("/tmp/.X11-unix/X%d" % n):
            check(xvfb.poll() is None and time.time() < deadline, "Xvfb :%d did not start" % n)
            time.sleep(0.05)
        env = dict(os.environ, DISPLAY=":%d" % n)
        run(exe, out, env)
        run_edit(exe, out, env)


        run_layout(exe, out, env)
        run_virtual(exe, out, env)
        run_error_box(exe, out, env)
    finally:
        xvfb.terminate()
        xvfb.wait()
    print("e2e_viewer passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())

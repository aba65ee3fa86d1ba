#!/usr/bin/env python3
"""Writes a simhost scenario that drives the real plug-in with random user input: clicks,
drags of the title bar, the grip, the scroll thumb and the position bar, keys in the
plug-in's window and in the host's, the wheel, hot keys (posted and as real key
combinations), popup-menu picks, entry switches across every album kind, a plain file and
a missing one, skin switches (built-in, the test skin, hostile ones), seeks, play, pause,
stop, load and unload.

  soak_scenario.py [--seed N] [--seconds S] [--stop-after N] OUT

The seed and the length give the steps; the run goes through as many as the time allows
(up to the first checkpoint after it), and --stop-after N writes the first N steps of the
same run, without the time box, to replay a failure that names its step. The seed is
printed.

After every step the scenario checks that the host's thread never went a second without
a pass of its message loop. What the steps change and the host can see is followed and
checked as it goes: the window shown or hidden, normal or small, the play mode the popup
menu checks. Every unload checks the settings file against what was on the screen: the
saved track is one of the saved list, and the window's place, size, state, time display
and play mode are the last ones. Checkpoints bring the window to one place, size, skin
and album and count GDI and USER objects and private memory: the first after the warm-up
is the reference the later ones and the last must stay within.

Not picked from the popup menu, and no keys for them: "設定" (Ctrl+P), "ﾌｧｲﾙ情報"
(Alt+3), "ﾌｧｲﾙ抽出保存" and "ｱﾙﾊﾞﾑ情報/展開": they open modal dialogs the soak does
not drive. The host's main window is never hidden or minimised and the host's popup menu
is not opened: those are the host's own business.

Left out unless --unload-hidden asks for it, because it fails today: an unload that finds
the window hidden. The plug-in then leaves its item in the host's main menu (a dead
"Varimo" item, and a second one after the next load); the soak shows the window first.
"""

import argparse
import math
import random
import sys

DEFAULT_SEED = 20260610
# More steps than the fastest machine runs in the time; the time box ends the run.
MAX_STEPS_PER_SECOND = 20
# At least this many steps, or a twentieth of the run.
WARM_UP_STEPS = 200
CHECKPOINT_EVERY = 50
# The host thread's longest allowed stall, and the growth allowed after the warm-up.
STALL_MS = 1000
OBJECT_TOLERANCE = 12
MEMORY_TOLERANCE_KIB = 512

ENTRIES = [
    ("sampler.zip", None),
    ("sampler.lzh", None),
    ("sampler.pack.mp3", None),
    ("sampler.cue.mp3", None),
    ("plain.mp3", None),
    ("long.zip", None),
    ("missing.mp3", 20000),
]

SKINS = [("", "")] * 3 + [("skins/test_skin", "Varimo Test")] * 3 + [
    ("hostile/" + name, name) for name in (
        "pledit_1x1", "pledit_truncated", "pledit_empty", "pledit_huge", "pledit_32bpp",
        "text_tiny", "text_missing", "pledit_txt_huge", "pledit_txt_binary", "varimo_folder")
]

# Hot keys set in the settings file before the first load: (command, key). All with
# Ctrl+Alt (modifier 3); keys by virtual-key code and by the scenario's key name.
HOT_KEYS = [
    (111, "p"),  # the host's play
    (99, "h"),  # show / hide
    (205, "u"),  # the host's volume up (repeating)
    (16, "n"),  # next track
    (15, "b"),  # previous track
    (12, "s"),  # play / stop
    (202, "f"),  # fast forward (repeating)
    (2, "m"),  # the popup menu at the pointer
    (116, "j"),  # the host's next file
    (1, "k"),  # activate
    (201, "r"),  # rewind (repeating)
    (113, "w"),  # the host's pause
]
SHOW_HIDE = 1
POPUP_HOT_KEY = 7

MODES = ["通常再生", "ﾘﾋﾟｰﾄ (ｼﾝｸﾞﾙ)", "ﾘﾋﾟｰﾄ (ｱﾙﾊﾞﾑ)", "ｼｬｯﾌﾙ (ｱﾙﾊﾞﾑ)", "ｼｬｯﾌﾙ (全ﾌｧｲﾙ)"]
SHUFFLE_ALL = 4
# The popup items a pick may take: none opens a dialog.
PICKS = ["再生", "ﾍﾙﾌﾟ", "ｱﾙﾊﾞﾑ情報/Cue", "ｱﾙﾊﾞﾑ情報/Pack", "ｱﾙﾊﾞﾑ情報/ZIP",
         "ｱﾙﾊﾞﾑ情報/LHA"] + MODES * 2
PLUGIN_KEYS = ["up", "down", "left", "right", "delete", "enter", "period", "comma", "f1",
               "space", "home", "end", "pageup", "pagedown", "x", "5"]
HOST_KEYS = ["period", "comma", "enter", "space", "z", "x", "c", "v", "b", "l"]
HOST_WINDOWS = ["main", "playlist", "equalizer"]

# The window's parts: the normal window's bottom panel (x from the right edge, y 12 above
# the bottom), its title bar buttons (x from the right, y 7) and the list.
BUTTONS = {"previous": 141, "play": 132, "pause": 122, "stop": 112, "next": 104,
           "eject": 94}
TIME_DISPLAY_X = 70
SIZE_BUTTON_X = 16
CLOSE_BUTTON_X = 6
# The item the plug-in adds to the host's main menu while its window is hidden.
HOST_MENU_ITEM = 9001
# The window lives below the host's windows (which end at y = 448): where two windows
# overlap, Wine's unmanaged windows (see soak.sh) can stack an owner over the window it
# owns on the screen, and a click would land on the wrong one. Drags of the title bar
# take the pointer into this band; the checkpoints bring the window home.
HOME = (100, 500)
DRAG_X = (60, 700)
DRAG_Y = (475, 620)


class Model:
    """What the steps have made of the plug-in, as far as the host can see it."""

    def __init__(self):
        self.loaded = False
        self.visible = True
        self.small = False
        self.mode = 0
        self.remain = False
        # The normal window's height as a scenario word: the default of a fresh settings
        # file until the window's rectangle is remembered as NORMAL.
        self.normal_height = "116"
        # A press in the top bar shortly before another would make the two a double click.
        self.top_bar_pressed = False


class Writer:
    def __init__(self):
        self.lines = []

    def __call__(self, *lines):
        self.lines.extend(lines)


def quoted(word):
    return '"%s"' % word if (" " in word or not word) else word


def wait_for_tick(w):
    """A whole tick of the plug-in after this point: its skin check, then the next."""
    w("mark", "expect-request ipc 201", "mark", "expect-request ipc 104")


def check_window(w, m):
    # A hidden window has its item in the host's main menu, one shown has none.
    w("expect-visible plugin %s" % ("yes" if m.visible else "no"),
      "expect-menu-item %d %s" % (HOST_MENU_ITEM, "no" if m.visible else "yes"))
    if m.visible and m.small:
        w("expect-rect plugin * * * 14")
    elif m.visible:
        w("expect-rect plugin * * * %s" % m.normal_height)


def remember_normal(w, m):
    w("remember-rect plugin NORMAL")
    m.normal_height = "%NORMAL_HEIGHT%"


def go_small(w, m, how):
    remember_normal(w, m)
    w(how)
    m.small = True
    check_window(w, m)


def go_normal(w, m, how):
    w(how)
    m.small = False
    check_window(w, m)


def toggle_visible(w, m, rng):
    """Hides or shows the window the way a user would; each way waits for its effect."""
    ways = ["hotkey %d" % SHOW_HIDE, "real", "alt"]
    if m.visible:
        ways.append("close")
    else:
        ways.append("host-menu")
    way = rng.choice(ways)
    if way == "close":
        w("click right-%d 7" % CLOSE_BUTTON_X)
    elif way == "host-menu":
        w("host-command %d" % HOST_MENU_ITEM)
    elif way == "real":
        w("target main", "key h ctrl alt", "target plugin")
    elif way == "alt":
        # Alt with the show key toggles at most once per 100 ms.
        w("pump 120", "target %s" % rng.choice(HOST_WINDOWS), "key a alt", "target plugin")
    else:
        w(way)
    m.visible = not m.visible
    check_window(w, m)


def set_mode(w, m, mode):
    # Kept where the checks after a time box can read it; shuffle all is saved as 4, or as 5
    # while it waits for the next entry to pick a track.
    m.mode = mode
    w("set MODE %s" % ("4..5" if mode == SHUFFLE_ALL else mode))


def popup(w, m, rng, *opener):
    w(*opener)
    w("expect-popup yes", 'expect-popup-item %s radio checked' % quoted(MODES[m.mode]))
    if rng.random() < 0.2:
        w("popup-dismiss")
    else:
        pick = rng.choice(PICKS)
        w("expect-popup-item %s enabled" % quoted(pick), "popup-pick %s" % quoted(pick))
        if pick in MODES:
            set_mode(w, m, MODES.index(pick))
    w("expect-modal-done")


def press_drag(w, rng, x, y, dx, dy):
    """Presses at (x, y) of the window, moves the pointer by (dx, dy) in steps, lets go."""
    w("press %s %s" % (x, y), "target pointer", "move-to %d %d %d" % (dx, dy, rng.randint(1, 6)),
      "release", "target plugin")


def skin_switch(w, m, rng):
    folder, name = rng.choice(SKINS)
    w("skin %s %s" % (quoted(folder), quoted(name)))
    if m.loaded:
        wait_for_tick(w)


def save_checks(w, m):
    """After an unload: the settings file holds the state the window showed last."""
    state = 2 if m.small else 1
    w("expect-saved-track",
      "expect-ini Window State %d" % (state if m.visible else -state),
      "expect-ini Window Remain %REMAIN%", "expect-ini Play Mode %MODE%",
      "expect-ini Window Left %LAST_LEFT%", "expect-ini Window Top %LAST_TOP%",
      "expect-ini Window Width %LAST_WIDTH%",
      "expect-ini Window Height %s" % ("%NORMAL_HEIGHT%" if m.small else "%LAST_HEIGHT%"),
      "expect-ini Winamp Minimized 0")


def unload(w, m):
    w("remember-rect plugin LAST")
    if not m.small:
        remember_normal(w, m)
    w("unload")
    m.loaded = False
    save_checks(w, m)


def load(w, m):
    w("load")
    m.loaded = True
    check_window(w, m)


def reload(w, m, rng):
    unload(w, m)
    # The host goes on while the plug-in is away.
    for _ in range(rng.randint(0, 2)):
        host_step(w, m, rng)
    load(w, m)


def host_step(w, m, rng):
    kind = rng.choice(["select", "select", "transport", "seek", "skin", "switch"])
    if kind == "select":
        w("select %d" % rng.randrange(len(ENTRIES)))
        if rng.random() < 0.7:
            w("play")
    elif kind == "transport":
        w(rng.choice(["play", "pause", "stop", "next", "prev"]))
    elif kind == "seek":
        # A seek needs something playing.
        w("play", "seek %d" % rng.randint(0, 130000))
    elif kind == "skin":
        skin_switch(w, m, rng)
    else:
        w("%s %s" % (rng.choice(["repeat", "shuffle"]), rng.choice(["on", "off"])))


def plugin_step(w, m, rng):
    """One action on the plug-in's window; the window is loaded and shown."""
    normal = not m.small
    kinds = ["title-drag", "size", "popup", "key", "grip", "toggle"]
    if normal:
        kinds += ["list", "list", "list-double", "wheel", "scroll", "arrow", "position",
                  "button", "button", "time", "title-double"]
    else:
        kinds += ["small-double"]
    kind = rng.choice(kinds)
    top_bar = kind in ("title-drag", "size", "title-double", "small-double", "toggle") or (
        kind == "popup" and m.small)
    if top_bar and m.top_bar_pressed:
        # Two presses there within the system's double-click time would make one double click.
        w("pump 550")
    m.top_bar_pressed = top_bar
    list_point = (rng.randint(15, 250), rng.randint(22, 77))
    if kind == "title-drag":
        w("press %d %d" % (rng.randint(30, 230), rng.randint(3, 11 if m.small else 17)),
          "target screen", "move-to %d %d %d" % (rng.randint(*DRAG_X), rng.randint(*DRAG_Y),
                                                 rng.randint(1, 6)),
          "release", "target plugin")
    elif kind == "size":
        how = "click right-%d 7" % SIZE_BUTTON_X
        if m.small:
            go_normal(w, m, how)
        else:
            go_small(w, m, how)
    elif kind == "title-double":
        go_small(w, m, "click %d 10 double" % rng.randint(30, 230))
    elif kind == "small-double":
        go_normal(w, m, "click %d 7 double" % rng.randint(30, 230))
    elif kind == "toggle":
        toggle_visible(w, m, rng)
    elif kind == "popup":
        at = "%d 7" % rng.randint(30, 230) if m.small else "%d %d" % list_point
        popup(w, m, rng, "click %s right" % at)
    elif kind == "key":
        w("key %s" % rng.choice(PLUGIN_KEYS))
    elif kind == "grip":
        if m.small:
            press_drag(w, rng, "right-26", 7, rng.randint(-90, 90), 0)
        else:
            press_drag(w, rng, "right-8", "bottom-8", rng.randint(-90, 90),
                       rng.randint(-70, 70))
            # The normal window's height is what it comes back with from small or hidden.
            remember_normal(w, m)
    elif kind == "list":
        w("click %d %d" % list_point)
    elif kind == "list-double":
        w("click %d %d double" % list_point)
    elif kind == "wheel":
        w("wheel %d %d %d" % (list_point + (rng.choice([-3, -2, -1, 1, 2, 3]),)))
    elif kind == "scroll":
        press_drag(w, rng, "right-11", "bottom-%d" % rng.randint(40, 94), 0,
                   rng.randint(-60, 60))
    elif kind == "arrow":
        w("click right-11 bottom-%d" % rng.choice([34, 28]))
    elif kind == "position":
        press_drag(w, rng, "right-%d" % rng.randint(53, 144), "bottom-25",
                   rng.randint(-90, 90), 0)
    elif kind == "button":
        w("click right-%d bottom-12" % BUTTONS[rng.choice(list(BUTTONS))])
    elif kind == "time":
        w("click right-%d bottom-12" % TIME_DISPLAY_X)
        m.remain = not m.remain
        w("set REMAIN %d" % m.remain)


def hot_key_step(w, m, rng):
    number = rng.choice([n for n in range(len(HOT_KEYS)) if n != SHOW_HIDE])
    command, key = HOT_KEYS[number]
    if number == POPUP_HOT_KEY:
        if rng.random() < 0.5:
            popup(w, m, rng, "hotkey %d" % number)
        else:
            popup(w, m, rng, "target main", "key %s ctrl alt" % key, "target plugin")
        return
    if rng.random() < 0.5:
        w("hotkey %d" % number)
    else:
        w("target main", "key %s ctrl alt" % key, "target plugin")


def random_step(w, m, rng):
    if not m.loaded:
        if rng.random() < 0.5:
            load(w, m)
        else:
            host_step(w, m, rng)
        return
    kinds = ["host"] * 6 + ["hotkey"] * 3 + ["host-key"] * 2 + ["reload"]
    if m.visible:
        kinds += ["plugin"] * 12
    else:
        kinds += ["toggle"] * 2
    kind = rng.choice(kinds)
    if kind != "plugin":
        m.top_bar_pressed = False
    if kind == "host":
        host_step(w, m, rng)
    elif kind == "hotkey":
        hot_key_step(w, m, rng)
    elif kind == "host-key":
        w("target %s" % rng.choice(HOST_WINDOWS), "key %s" % rng.choice(HOST_KEYS),
          "target plugin")
    elif kind == "reload":
        if rng.random() < 0.7:
            reload(w, m, rng)
        else:
            unload(w, m)
    elif kind == "toggle":
        toggle_visible(w, m, rng)
    else:
        plugin_step(w, m, rng)


def prime_menus(w, m):
    """Popup menus and their submenu from the normal and the small window at the corners of
    the window's band, as the steps open them: Wine keeps a device context for each kind of
    place its menu windows have needed one (the host's own popup menus show it without the
    plug-in), so the count after the warm-up starts from all of them. The window is normal
    and shown, and left so."""
    for left, top in ((DRAG_X[1], DRAG_Y[0]), (DRAG_X[0], DRAG_Y[1]), (DRAG_X[1], DRAG_Y[1]),
                      (DRAG_X[0], DRAG_Y[0])):
        w("move plugin %d %d" % (left, top), "expect-rect plugin %d %d * *" % (left, top))
        for opener in ("click 20 25 right", "click 250 75 right", "SMALL"):
            if opener == "SMALL":
                go_small(w, m, "click right-%d 7" % SIZE_BUTTON_X)
                opener = "click 200 7 right"
            for finish in ('popup-open "ｱﾙﾊﾞﾑ情報"\npopup-dismiss', 'popup-pick "ｱﾙﾊﾞﾑ情報/ZIP"'):
                w(opener, "expect-popup yes", *finish.split("\n"))
                w("expect-modal-done")
            if m.small:
                w("pump 550")
                go_normal(w, m, "click right-%d 7" % SIZE_BUTTON_X)


def checkpoint(w, m, count, prime=False, before_warm_up=False, after_time_box=False):
    """One place, size, skin and album for the window, then the objects and memory: counted
    for the reference after the warm-up, compared with it later."""
    w("expect-modal-done")
    if not m.loaded:
        load(w, m)
    if not m.visible:
        w("host-command %d" % HOST_MENU_ITEM)
        m.visible = True
        check_window(w, m)
    if m.small:
        go_normal(w, m, "click right-%d 7" % SIZE_BUTTON_X)
    home = ("move plugin %d %d 275 116" % HOME, "expect-rect plugin %d %d 275 116" % HOME)
    w(*home)
    if prime:
        prime_menus(w, m)
        w(*home)
    w('skin "" ""', "select 0", "play")
    w("mark", "expect-request ipc 211 0")
    wait_for_tick(w)
    remember_normal(w, m)
    if count:
        w("gdi-count", "set MEMORY_KIB %d" % MEMORY_TOLERANCE_KIB)
    elif after_time_box:
        # The run may have ended at any checkpoint: the last one left its allowance.
        w("expect-gdi-count %d %%MEMORY_KIB%%" % OBJECT_TOLERANCE)
    elif not before_warm_up:
        w("expect-gdi-count %d %d" % (OBJECT_TOLERANCE, MEMORY_TOLERANCE_KIB))


def prologue(w, seed):
    w("# Generated by tests/e2e/soak_scenario.py --seed %d; do not edit." % seed,
      "timeout 10000", "ini-reset")
    w("write-ini HotKey Enabled 1", "write-ini HotKey Count %d" % len(HOT_KEYS))
    for n, (command, key) in enumerate(HOT_KEYS):
        w("write-ini HotKey Cmd%d %d" % (n, command), "write-ini HotKey Mod%d 3" % n,
          "write-ini HotKey Key%d %d" % (n, ord(key.upper())))
    for path, length in ENTRIES:
        w("playlist add %s%s" % (path, "" if length is None else " %d" % length))
    w("set MODE 0", "set REMAIN 0", "gdi-count", "echo soak: seed %d" % seed)


def plan(seconds):
    """The number of steps for a run of that long, and where its warm-up ends."""
    steps = math.ceil(seconds * MAX_STEPS_PER_SECOND / CHECKPOINT_EVERY) * CHECKPOINT_EVERY
    return steps, max(WARM_UP_STEPS, steps // 20 // CHECKPOINT_EVERY * CHECKPOINT_EVERY)


# The warm-up ends at a checkpoint.
assert WARM_UP_STEPS % CHECKPOINT_EVERY == 0


def generate(seed, seconds, stop_after):
    steps, warm_up = plan(seconds)
    time_boxed = stop_after is None
    rng = random.Random(seed)
    w = Writer()
    m = Model()
    prologue(w, seed)
    # The counts before the plug-in came (in the prologue), with it at the start, after the
    # warm-up (the reference), at every checkpoint after it and at the end.
    w("step 0 start")
    checkpoint(w, m, count=True)
    w("expect-responsive %d" % STALL_MS)
    if time_boxed:
        w("steps-for %d" % (seconds * 1000))
    for number in range(1, (steps if time_boxed else stop_after) + 1):
        if number % CHECKPOINT_EVERY == 0:
            w("step %d checkpoint" % number)
            checkpoint(w, m, before_warm_up=number < warm_up, count=number == warm_up,
                       prime=number == warm_up)
            w("expect-responsive %d" % STALL_MS)
            # After the warm-up the run may end here: the window is where the checkpoint put
            # it, what the steps chose on the way is in MODE and REMAIN.
            if time_boxed and number >= warm_up:
                w("steps-break")
        else:
            w("step %d" % number)
            random_step(w, m, rng)
            if m.loaded:
                check_window(w, m)
            w("expect-responsive %d" % STALL_MS)
    if time_boxed:
        w("steps-end")
    # The last state: a final checkpoint, then an unload that must save what was shown.
    w("step end")
    checkpoint(w, m, count=False, after_time_box=time_boxed)
    unload(w, m)
    w("expect-responsive %d" % STALL_MS, "quit")
    return w.lines, steps


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=DEFAULT_SEED)
    parser.add_argument("--seconds", type=int, default=60,
                        help="run the steps for this long (default 60)")
    parser.add_argument("--stop-after", type=int, metavar="N",
                        help="the first N steps of that run only, without a time box")
    parser.add_argument("out")
    args = parser.parse_args()
    lines, steps = generate(args.seed, args.seconds, args.stop_after)
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    if args.stop_after is None:
        print("soak: seed %d, up to %d steps in %d s" % (args.seed, steps, args.seconds))
    else:
        print("soak: seed %d, the first %d steps of %d s" % (args.seed, args.stop_after,
                                                             args.seconds))


if __name__ == "__main__":
    sys.exit(main())

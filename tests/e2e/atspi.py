#!/usr/bin/python3
"""The editor seen through the accessibility tree (AT-SPI), as a screen reader sees it.

Usage: atspi.py COMMAND [ARGS]
  tree                      print every reachable node: depth, role, name, states
  press NAME [NAME ...]     perform the default action of the node reached by following
                            the names from the application down (menu titles, then items)
  wait TEXT                 wait (10 s at most) for a node whose name holds TEXT
  checked NAME [NAME ...]   exit 0 when that node is checked, 1 when not
  caret NAME [NAME ...]     print the caret offset and the selections of that text node
  extents NAME [NAME ...]   print x y width height, on the screen, of the character before
                            the caret of that text node
  at X Y NAME [NAME ...]    print the offset of the character of that text node under
                            the screen point X,Y (-1 for none)
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

APP = "Vellit"


def application():
    desktop = Atspi.get_desktop(0)
    for _ in range(100):
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == APP:
                return app
        time.sleep(0.1)
    sys.exit("FAIL: no accessible application named " + APP)


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def walk(node, depth=0):
    yield depth, node
    for child in children(node):
        yield from walk(child, depth + 1)


def find_path(names):
    node = application()
    for name in names:
        found = next((n for _, n in walk(node) if n is not node and n.get_name() == name), None)
        if found is None:
            sys.exit("FAIL: no node named " + name)
        node = found
    return node


def states(node):
    state_set = node.get_state_set()
    return [s.value_nick for s in Atspi.StateType.__enum_values__.values() if state_set.contains(s)]


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == "tree":
        for depth, node in walk(application()):
            print("  " * depth + node.get_role_name() + " | " + (node.get_name() or "") + " | " +
                  ",".join(states(node)))
    elif command == "press":
        node = find_path(args)
        # A command that opens a modal box answers only when the box closes: the call
        # is not waited for.
        Atspi.set_timeout(500, -1)
        try:
            node.do_action(0)
        except gi.repository.GLib.Error:
            pass
    elif command == "wait":
        for _ in range(100):
            if any(args[0] in (n.get_name() or "") for _, n in walk(application())):
                return
            time.sleep(0.1)
        sys.exit("FAIL: nothing accessible says " + args[0])
    elif command == "checked":
        node = find_path(args)
        sys.exit(0 if node.get_state_set().contains(Atspi.StateType.CHECKED) else 1)
    elif command == "caret":
        node = find_path(args)
        selections = [
            "%d-%d" % (r.start_offset, r.end_offset)
            for r in (node.get_selection(i) for i in range(node.get_n_selections()))
        ]
        print(node.get_caret_offset(), " ".join(selections))
    elif command == "extents":
        node = find_path(args)
        box = node.get_character_extents(max(0, node.get_caret_offset() - 1),
                                         Atspi.CoordType.SCREEN)
        print(box.x, box.y, box.width, box.height)
    elif command == "at":
        node = find_path(args[2:])
        print(node.get_offset_at_point(int(args[0]), int(args[1]), Atspi.CoordType.SCREEN))
    else:
        sys.exit(__doc__)


main()

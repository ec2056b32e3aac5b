"""What a screen reader is told of the Linux program, through AT-SPI:

  screen_reader.py PID message TITLE  the text of the program's message box TITLE
  screen_reader.py PID menubar        the menu bar's items, one a line
  screen_reader.py PID cells          the names of its editable texts, one a line

Exits with 1 while the program with that process id, or what is asked for,
is not there.
"""
import sys

import pyatspi


def children(node):
    return [child for child in node if child is not None]


def below(node, wanted):
    for child in children(node):
        if wanted(child):
            yield child
        yield from below(child, wanted)


def role(*roles):
    return lambda node: node.getRole() in roles


pid, what = int(sys.argv[1]), sys.argv[2]
programs = [app for app in children(pyatspi.Registry.getDesktop(0)) if app.get_process_id() == pid]
if not programs:
    sys.exit(1)
if what == "message":
    boxes = [box for box in children(programs[0])
             if box.name == sys.argv[3] and role(pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG)(box)]
    texts = [label.name for box in boxes for label in below(box, role(pyatspi.ROLE_LABEL))]
    found = max(texts, key=len, default="")
elif what == "menubar":
    bars = list(below(programs[0], role(pyatspi.ROLE_MENU_BAR)))
    found = "".join(item.name + "\n" for item in children(bars[0])) if bars else ""
else:
    found = "".join(cell.name + "\n" for cell in below(programs[0], role(pyatspi.ROLE_TEXT))
                    if cell.getState().contains(pyatspi.STATE_EDITABLE))
sys.stdout.write(found)
sys.exit(0 if found else 1)

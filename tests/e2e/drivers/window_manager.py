"""The two parts of a window manager that the real-window tests need, there
being none on their X server:

  window_manager.py state        keeps each top-level window's WM_STATE:
                                 Normal while it is mapped, Withdrawn after.
                                 Wine waits up to 2 s at every window it
                                 hides for a window manager to say so.
  window_manager.py close WINDOW asks the window to close (WM_DELETE_WINDOW),
                                 as a window manager's close button does.
"""
import sys

from Xlib import X, display
from Xlib.protocol import event

screen = display.Display()
screen.set_error_handler(lambda *args: None)  # a window may go at any time
atom = screen.intern_atom

if sys.argv[1] == "close":
    window = screen.create_resource_object("window", int(sys.argv[2], 0))
    protocols = atom("WM_PROTOCOLS")
    window.send_event(event.ClientMessage(window=window, client_type=protocols,
                                          data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
    screen.sync()
    sys.exit(0)

wm_state = atom("WM_STATE")
screen.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
screen.sync()
print("ready", flush=True)
while True:
    shown = screen.next_event()
    if shown.type == X.MapNotify and not shown.override:
        shown.window.change_property(wm_state, wm_state, 32, [1, 0])  # NormalState
    elif shown.type == X.UnmapNotify:
        shown.window.change_property(wm_state, wm_state, 32, [0, 0])  # WithdrawnState
    screen.flush()

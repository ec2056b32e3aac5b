# What the real-window tests share: a temp folder and an X server of their
# own, waits, windows, menus, cells, bytes, the checks of a printed page and a
# private CUPS. Sourced by the two drivers (drivers/linux.sh, drivers/windows.sh)
# and by the Wine print tests; every helper fails the test (exit 1) on a timeout.
#
# Under pipefail a pipeline fails when a reader stops early and the writer dies
# of SIGPIPE; so no pipeline here ends in head, grep -q or the like.
#
# No window manager runs, so nothing gives a window the focus: the tests give
# it with `xdotool windowfocus --sync`, again after each dialog closes.

set -euo pipefail
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_TMP="" E2E_APP_PID="" E2E_WID="" E2E_MENU_HEIGHT="" E2E_DIALOG=""
E2E_PIDS=()

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() {
  echo "-- $*"
}

# background COMMAND...: runs COMMAND until the test ends.
background() {
  "$@" &
  E2E_PIDS+=($!)
}

e2e_cleanup() {
  local status=$? k
  set +e
  [[ -n $E2E_APP_PID ]] && kill "$E2E_APP_PID" 2>/dev/null && wait "$E2E_APP_PID" 2>/dev/null
  # Every Wine process of the test's prefix gone before its folder is removed.
  if [[ ${WINEPREFIX:-} == "$E2E_TMP"/* ]]; then
    wineserver -k 2>/dev/null
    timeout 20 wineserver -w 2>/dev/null
  fi
  for ((k = ${#E2E_PIDS[@]} - 1; k >= 0; k--)); do
    kill "${E2E_PIDS[k]}" 2>/dev/null && wait "${E2E_PIDS[k]}" 2>/dev/null
  done
  if ((status == 0)); then
    note "$(basename "$0" .sh) passed${PLATFORM:+ on $PLATFORM}"
  elif [[ -n ${E2E_KEEP_ON_FAILURE:-} ]]; then
    echo "kept $E2E_TMP" >&2
    exit "$status"
  fi
  rm -rf "$E2E_TMP"
  exit "$status"
}

# e2e_setup: the temp folder, its home and work/ (the program's working folder).
e2e_setup() {
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quillet-e2e.XXXXXX")
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  mkdir -p "$E2E_TMP/work"
  export HOME=$E2E_TMP LC_ALL=C.UTF-8
}

# start_x: Xvfb on the first free display of 120..399.
start_x() {
  local n tries
  for ((n = 120 + RANDOM % 200; n < 400; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    background Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1
    for ((tries = 0; tries < 100; tries++)); do
      kill -0 "${E2E_PIDS[-1]}" 2>/dev/null || break
      if [[ -S /tmp/.X11-unix/X$n ]] && DISPLAY=:$n xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=:$n
        return 0
      fi
      sleep 0.05
    done
    # Lost the display to another test starting at the same moment: try the next.
    kill "${E2E_PIDS[-1]}" 2>/dev/null
    unset 'E2E_PIDS[-1]'
  done
  fail "no free X display"
}

# wait_for SECONDS COMMAND...: polls COMMAND every 50 ms until it succeeds.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

# ---- The program and its windows -------------------------------------------

# start_app [CLIENT_HEIGHT]: starts the program (the driver's APP) in work/,
# waits for its window "Quillet" and focuses it; the menu bar is the window's
# height above the client area, 462 px high at 96 dpi unless given.
start_app() {
  (cd "$E2E_TMP/work" && exec "${APP[@]}" >"$E2E_TMP/quillet.log" 2>&1) &
  E2E_APP_PID=$!
  E2E_WID=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillet$' | awk 'NR == 1') ||
    fail "the window \"Quillet\" did not appear"
  focus_main
  E2E_MENU_HEIGHT=$(($(window_height "$E2E_WID") - ${1:-462}))
}

# focus WID: gives WID the keyboard focus; fails rather than hangs.
focus() {
  timeout 5 xdotool windowfocus --sync "$1" || fail "window $1 did not take the focus"
}

focus_main() {
  focus "$E2E_WID"
}

window_width() {
  xwininfo -id "$1" | awk '/^  Width:/ {print $2}'
}

window_height() {
  xwininfo -id "$1" | awk '/^  Height:/ {print $2}'
}

app_running() {
  kill -0 "$E2E_APP_PID" 2>/dev/null
}

# app_ended HOW: the program ends by itself, with status 0.
app_ended() {
  local status=0
  wait_for 20 eval '! app_running' || fail "the program is still running after $1"
  wait "$E2E_APP_PID" || status=$?
  E2E_APP_PID=""
  ((status == 0)) || fail "the program ended with status $status after $1"
}

# exit_app: File > Exit.
exit_app() {
  menu f e
  app_ended "File > Exit"
}

# new_window NAME: a mapped window named NAME (a regular expression) other than
# the main window, such as a dialog, once it appears, within 15 s.
new_window() {
  local name=$1
  wait_for 15 eval 'xdotool search --onlyvisible --name "^$name\$" 2>/dev/null |
    awk -v main="$E2E_WID" "\$0 != main && !found {print; found = 1} END {exit !found}"'
}

# await_dialog NAME WHAT: waits for a window NAME (see new_window), focuses it
# and keeps its id in E2E_DIALOG; else fails saying that WHAT did not appear.
await_dialog() {
  E2E_DIALOG=$(new_window "$1") || fail "$2 did not appear"
  focus "$E2E_DIALOG"
}

# expect_message WHAT PATTERN: a message box, titled Quillet, about WHAT, whose
# text matches the extended regular expression PATTERN; Return closes it.
expect_message() {
  await_dialog Quillet "a message $1"
  message_text Quillet >"$E2E_TMP/message"
  note "message $1: $(cat "$E2E_TMP/message")"
  grep -qE "$2" "$E2E_TMP/message" || fail "the message $1 does not match $2"
  close_dialog Return
}

# dialog_gone ID: true once the window ID is no longer mapped.
dialog_gone() {
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || return 0 # destroyed
  [[ $info != *"Map State: IsViewable"* ]]
}

# close_dialog KEY...: presses the keys in the dialog E2E_DIALOG, which must
# close then; the main window gets the focus back.
close_dialog() {
  xdotool key --clearmodifiers "$@"
  wait_for 10 dialog_gone "$E2E_DIALOG" || fail "the dialog did not close on $*"
  focus_main
}

# menu KEY...: Alt+KEY1 on the main window, then the further menu letters.
menu() {
  focus_main
  xdotool key --clearmodifiers "alt+$1"
  shift
  local letter
  for letter in "$@"; do
    sleep 0.15
    xdotool key "$letter"
  done
  sleep 0.15
}

# app_windows yes|no: the program's mapped windows whose override-redirect
# state is yes (menus) or no (the main window and dialogs).
app_windows() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$E2E_APP_PID" 2>/dev/null || true); do
    # awk reads to the end, so xwininfo never meets a closed pipe.
    if xwininfo -id "$id" 2>/dev/null |
      awk -v want="$1" '/Override Redirect State:/ {state = $NF} END {exit state != want}'; then
      echo "$id"
    fi
  done
}

# pixel WID X Y: the colour of one pixel of the window WID, as #RRGGBB.
pixel() {
  xwd -id "$1" -silent | convert xwd:- -crop "1x1+$2+$3" +repage txt:- | awk 'NR == 2 {print $3}'
}

# expect_pixel X Y COLOUR WHAT: the main window's pixel turns COLOUR within
# 5 s, as the window finishes painting.
expect_pixel() {
  local deadline=$((SECONDS + 5)) got
  until got=$(pixel "$E2E_WID" "$1" "$2") && [[ $got == "$3" ]]; do
    ((SECONDS < deadline)) || fail "$4 is $got at ($1, $2), expected $3"
    sleep 0.1
  done
}

# client_top: the first row, down the main window's left margin, in the
# client area's white, which the menu bar is not.
client_top() {
  xwd -id "$E2E_WID" -silent | convert xwd:- -crop 1x200+4+0 +repage txt:- |
    awk -F'[,:]' 'NR > 1 && /#FFFFFF/ && top == "" {top = $2} END {print top}'
}

# highlighted_item MENU ITEMS: the number (1..ITEMS) of the lit item of the
# open menu window MENU, whose items are all of one height; 0 for none. The
# highlight is the one bluish band in a menu drawn black on white, looked for
# down the items' left margin, where no text is.
highlighted_item() {
  local menu=$1 items=$2 height k y
  height=$(window_height "$menu")
  xwd -id "$menu" -silent | convert xwd:- -crop "1x$height+4+0" +repage txt:- >"$E2E_TMP/menu.txt"
  for ((k = 1; k <= items; k++)); do
    y=$(((2 * k - 1) * height / (2 * items)))
    if awk -F'[ ,:()]+' -v y="$y" 'NR > 1 && $2 == y {lit = $5 > $3 + 60} END {exit !lit}' "$E2E_TMP/menu.txt"; then
      echo "$k"
      return 0
    fi
  done
  echo 0
}

# ---- Cells, text and files -------------------------------------------------

# Cell boxes, from the twip layout: (1920 + 960 i) / 15 px from the left of the
# client area, (240 + 600 (n - 1)) / 15 px from its top, 57x19 px each; the
# lower box 240 twips (16 px) below the upper one.
click_cell() { # GROUP INDEX LINE [CLICKS]
  focus_main
  xdotool mousemove --window "$E2E_WID" $(((1920 + 960 * $2) / 15 + 28)) \
    $((E2E_MENU_HEIGHT + (240 + 600 * ($1 - 1) + 240 * ($3 - 1)) / 15 + 10)) \
    click --repeat "${4:-1}" --delay 60 1
  sleep 0.15
}

type_text() {
  xdotool type --delay 8 -- "$1"
}

# add_to_list: File > LabelList > Add to LabelList.txt, and waits for the file.
add_to_list() {
  menu f l a
  wait_for 5 test -e "$E2E_TMP/work/LabelList.txt" || fail "LabelList.txt was not written"
  sleep 0.2
}

# expect_list BYTES: a fresh LabelList.txt that Add to LabelList.txt gives holds BYTES.
expect_list() {
  : >"$E2E_TMP/work/LabelList.txt"
  add_to_list
  expect_bytes "$E2E_TMP/work/LabelList.txt" "$1" 5
}

hex() {
  od -An -v -tx1 | tr -s ' \n' ' '
}

# same_bytes FILE PRINTF_FORMAT: FILE holds exactly those bytes.
same_bytes() {
  cmp -s "$1" <(printf "$2")
}

# expect_bytes FILE PRINTF_FORMAT [SECONDS]: the same, at once or within SECONDS.
expect_bytes() {
  wait_for "${3:-0}" same_bytes "$1" "$2" ||
    fail "$(basename "$1") holds [$(hex <"$1" 2>&1)], expected [$(printf "$2" | hex)]"
}

# answer TEXT [BYTES [KEY]]: types TEXT into the next input box and closes it
# with KEY, Return unless given; Quillex.dat holds BYTES meanwhile, when given.
# cancel [BYTES]: Escape instead.
answer() {
  await_dialog Quillet "an input box"
  [[ -z ${2:-} ]] || expect_bytes "$E2E_TMP/work/Quillex.dat" "$2"
  type_text "$1"
  close_dialog "${3:-Return}"
}

cancel() {
  answer "" "${1:-}" Escape
}

# enter_adjustments LEFT_RIGHT UP_DOWN BYTES: Printer Calibration > Enter
# Adjustments ("Printer Calibration" and "Print" share P: P lights the first,
# Return opens its submenu), both answers, and Quillex.dat holding BYTES.
enter_adjustments() {
  menu f p Return e
  answer "$1"
  answer "$2"
  expect_bytes "$E2E_TMP/work/Quillex.dat" "$3" 5
}

# ---- A printed page --------------------------------------------------------

# complete_pdf FILE: FILE is a whole PDF that nobody is writing any more: its
# %%EOF has been written (a driver may add a short printer-language trailer
# after it), pdfinfo reads it, and its size holds still for 0.3 s. A spooler
# may still be writing a file that already exists, even after its job has
# left the queue.
complete_pdf() {
  local size
  [[ -s $1 && $(tail -c 512 "$1" | tr -d '\0') == *%%EOF* ]] || return 1
  pdfinfo "$1" >/dev/null 2>&1 || return 1
  size=$(stat -c %s "$1")
  sleep 0.3
  [[ $(stat -c %s "$1") == "$size" ]]
}

# pdf_boxes PDF: one line "xMin yMin xMax yMax text" per word of page 1, in
# points from the top left of the page.
pdf_boxes() {
  pdftotext -f 1 -l 1 -bbox "$1" - |
    sed -n 's/.*<word xMin="\([^"]*\)" yMin="\([^"]*\)" xMax="\([^"]*\)" yMax="\([^"]*\)">\(.*\)<\/word>.*/\1 \2 \3 \4 \5/p' |
    sed 's/&amp;/\&/g; s/&lt;/</g; s/&gt;/>/g; s/&quot;/"/g'
}

# page_turned PDF: true when the words of page 1 run up a portrait page: a
# landscape page that went through a print queue may come out as a portrait
# page with its content turned a quarter turn counter-clockwise.
page_turned() {
  pdf_boxes "$1" | awk 'length($5) > 1 { if ($4 - $2 > $3 - $1) up++; else across++ }
    END { exit !(up > 0 && across == 0) }'
}

# pdf_words PDF: one line "x y text" per word of page 1, in points from the
# top left of the page as the labels read: where the word starts, and its
# baseline; a turned page is turned back. A PDF reader's word box runs from
# the font's ascent to its descent as the PDF's font descriptor gives them
# (in some PDFs those of the glyphs used, not the font's own), so the
# baseline divides the box in their ratio.
pdf_words() {
  local ascent descent height turned=0
  ascent=$(grep -a -o '/Ascent -*[0-9.]*' "$1" | awk 'NR == 1 {print $2}')
  descent=$(grep -a -o '/Descent -*[0-9.]*' "$1" | awk 'NR == 1 {print $2}')
  [[ -n $ascent && -n $descent ]] || fail "no font descriptor readable in $(basename "$1")"
  if page_turned "$1"; then turned=1; fi
  height=$(pdfinfo -f 1 -l 1 "$1" | sed -n 's/^Page.*size: *[0-9.]* x \([0-9.]*\).*/\1/p')
  pdf_boxes "$1" | awk -v a="$ascent" -v d="$descent" -v h="$height" -v turned="$turned" '
    { if (turned) { x = h - $4; top = $1; bottom = $3 } else { x = $1; top = $2; bottom = $4 }
      printf "%.6f %.6f %s\n", x, top + (bottom - top) * a / (a - d), $5 }'
}

# expect_landscape PDF: the page is wider than high, or it is a portrait
# sheet that carries the landscape page turned a quarter turn.
expect_landscape() {
  local size
  size=$(pdfinfo -f 1 -l 1 "$1" | sed -n 's/^Page.*size: *\([0-9.]*\) x \([0-9.]*\).*/\1 \2/p')
  awk -v s="$size" 'BEGIN { split(s, a, " "); exit !(a[1] > a[2]) }' && return 0
  page_turned "$1" || fail "$(basename "$1") is not landscape (page size $size, text upright)"
  note "$(basename "$1"): portrait sheet ($size pt) with the landscape page turned onto it"
}

# check_label_positions PDF EXPECTED TOLERANCE: EXPECTED has lines "group index
# line text" (the text as printed, at most 7 characters, no blanks inside).
# The first line is the reference label: the origin of the grid is derived
# from where it landed, and every label must then stand at
#   x = origin_x + 40.5 pt * index + 4.8 pt * leading blanks,
#   y = origin_y + 27 pt * (group - 1) + 9 pt * (line - 1),
# within TOLERANCE, with no other word on the page. Prints "origin_x
# origin_y": where line 1 of cell (R1, 0) starts without its leading blanks,
# and its baseline; notes the worst deviation.
check_label_positions() {
  pdf_words "$1" >"$E2E_TMP/words.txt"
  awk -v tol="$3" '
    function spaces(t,  n) { n = length(t); return n == 0 ? 4 : n == 1 ? 3 : n <= 4 ? 2 : n == 5 ? 1 : 0 }
    function abs(v) { return v < 0 ? -v : v }
    FNR == NR { wx[++nw] = $1; wy[nw] = $2; wt[nw] = $3; next }
    { eg[++ne] = $1; ei[ne] = $2; el[ne] = $3; et[ne] = $4 }
    END {
      # Reference: the top-left-most word with the reference text.
      best = 0
      for (w = 1; w <= nw; w++)
        if (wt[w] == et[1] && (best == 0 || wx[w] + wy[w] < wx[best] + wy[best])) best = w
      if (best == 0) { print "FAIL: reference label \"" et[1] "\" not on the page" > "/dev/stderr"; exit 1 }
      ox = wx[best] - 40.5 * ei[1] - 4.8 * spaces(et[1])
      oy = wy[best] - 27 * (eg[1] - 1) - 9 * (el[1] - 1)
      bad = 0
      for (e = 1; e <= ne; e++) {
        x = ox + 40.5 * ei[e] + 4.8 * spaces(et[e]); y = oy + 27 * (eg[e] - 1) + 9 * (el[e] - 1)
        found = 0
        for (w = 1; w <= nw; w++)
          if (!used[w] && wt[w] == et[e] && abs(wx[w] - x) <= tol && abs(wy[w] - y) <= tol) {
            used[w] = 1; found = 1
            if (abs(wx[w] - x) > worst) worst = abs(wx[w] - x)
            if (abs(wy[w] - y) > worst) worst = abs(wy[w] - y)
            break
          }
        if (!found) {
          near = ""; shown = 0
          for (w = 1; w <= nw && shown < 3; w++)
            if (wt[w] == et[e] && abs(wx[w] - x) < 60 && abs(wy[w] - y) < 60) { near = near sprintf(" (%.3f, %.3f)", wx[w], wy[w]); shown++ }
          if (near == "") near = " nowhere near"
          printf "FAIL: R%dText%d(%d) \"%s\" expected at (%.3f, %.3f); found at:%s\n", eg[e], el[e], ei[e], et[e], x, y, near > "/dev/stderr"
          if (++bad > 10) break
        }
      }
      for (w = 1; w <= nw; w++) if (!used[w]) { printf "FAIL: unexpected word \"%s\" at (%.3f, %.3f)\n", wt[w], wx[w], wy[w] > "/dev/stderr"; bad++ }
      if (bad > 10) printf "FAIL: ... %d misplaced or unexpected in all\n", bad > "/dev/stderr"
      if (bad) exit 1
      printf "-- %d lines in place, worst deviation from the grid %.3f pt\n", ne, worst > "/dev/stderr"
      printf "%.4f %.4f\n", ox, oy
    }' "$E2E_TMP/words.txt" "$2" || fail "labels misplaced in $(basename "$1")"
}

# expect_shift BASE SHIFTED DX DY TOLERANCE: the second origin lies DX, DY
# points from the first, within TOLERANCE.
expect_shift() {
  awk -v a="$1" -v b="$2" -v dx="$3" -v dy="$4" -v tol="$5" 'BEGIN {
    split(a, p, " "); split(b, q, " ")
    ddx = q[1] - p[1] - dx; ddy = q[2] - p[2] - dy
    exit !(ddx < tol && ddx > -tol && ddy < tol && ddy > -tol) }' ||
    fail "the print moved from ($1) to ($2), expected a shift of ($3, $4) pt"
}

# ---- A private CUPS --------------------------------------------------------

# start_cupsd: a cupsd of its own in cups/, listening only on a socket in that
# folder, that allows file: device URIs; exports CUPS_SERVER. Its queues write
# to cups/out/.
start_cupsd() {
  export PATH=$PATH:/usr/sbin CUPS_SERVER=$E2E_TMP/cups/cups.sock
  local d=$E2E_TMP/cups
  mkdir -p "$d/etc/ppd" "$d/spool/tmp" "$d/cache" "$d/state" "$d/log" "$d/out"
  # The scheduler writes the output file as the user lp.
  chmod 0755 "$E2E_TMP" "$d"
  chmod 1777 "$d/out" "$d/spool/tmp"
  printf '%s\n' "Listen $d/cups.sock" 'LogLevel info' 'WebInterface No' 'Browsing No' \
    'DefaultAuthType None' '<Location />' '  Order allow,deny' '  Allow all' '</Location>' \
    '<Location /admin>' '  Order allow,deny' '  Allow all' '</Location>' \
    '<Policy default>' '  <Limit All>' '    Order deny,allow' '  </Limit>' '</Policy>' >"$d/cupsd.conf"
  printf '%s\n' 'FileDevice Yes' "ServerRoot $d/etc" "RequestRoot $d/spool" "TempDir $d/spool/tmp" \
    "CacheDir $d/cache" "StateDir $d/state" "ErrorLog $d/log/error_log" \
    "AccessLog $d/log/access_log" "PageLog $d/log/page_log" >"$d/cups-files.conf"
  background cupsd -f -c "$d/cupsd.conf" -s "$d/cups-files.conf" >"$d/log/stderr" 2>&1
  # lpstat -r exits with 0 either way, so its words tell.
  wait_for 15 eval '[[ $(timeout 5 lpstat -r 2>/dev/null) == "scheduler is running" ]]' ||
    fail "the private cupsd did not answer: $(cat "$d/log/stderr" "$d/log/error_log" 2>/dev/null | tail -5)"
}

# add_pdf_queue NAME [SED_SCRIPT]: a queue that writes its jobs to
# cups/out/NAME.pdf, made the default. Its driver is cups-filters' generic PDF
# one, its PPD file edited by SED_SCRIPT, and given as a file: a freshly
# started cupsd fills its model list in the background, and on a busy machine
# the list may still lack it.
add_pdf_queue() {
  sed -e "${2:-}" /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd >"$E2E_TMP/cups/$1.ppd" ||
    fail "no PPD file for the queue $1"
  timeout 20 lpadmin -p "$1" -v "file:$E2E_TMP/cups/out/$1.pdf" -P "$E2E_TMP/cups/$1.ppd" -E 2>"$E2E_TMP/lpadmin.err" &&
    timeout 20 lpadmin -d "$1" || fail "lpadmin could not add queue $1: $(cat "$E2E_TMP/lpadmin.err")"
}

# spooled QUEUE COPY: waits until CUPS has written QUEUE's PDF, removed before
# the job, whole, and has no job left; keeps the PDF as COPY. An earlier job's
# "completed" entry says nothing about this one, so the file is waited for.
spooled() {
  wait_for 60 complete_pdf "$E2E_TMP/cups/out/$1.pdf" ||
    fail "no complete PDF was spooled to $1 (jobs: $(timeout 5 lpstat -W all -o 2>&1 || true))"
  wait_for 30 eval '[[ -z $(timeout 5 lpstat -o 2>/dev/null) ]]' || fail "the job on $1 did not finish"
  cp "$E2E_TMP/cups/out/$1.pdf" "$2"
}

# completed_jobs: how many jobs the private CUPS has finished so far.
completed_jobs() {
  timeout 5 lpstat -W completed -o 2>/dev/null | wc -l
}

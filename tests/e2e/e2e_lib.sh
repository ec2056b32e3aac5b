# Shared steps of the real-window tests: a private X server, a fresh working
# folder, the program started in it, and keyboard/mouse helpers. Sourced by
# each test script; every helper fails the test (exit 1) on a timeout.
#
# Under pipefail a pipeline fails when a reader stops early and the writer dies
# of SIGPIPE; so no pipeline here ends in head, grep -q or the like: the last
# reader always reads to the end.
#
# Needs: Xvfb, xdotool, xwininfo. No window manager runs, so nothing gives a
# window the focus: the tests give it with `xdotool windowfocus --sync`.

set -euo pipefail

E2E_TMP=""
E2E_XVFB_PID=""
E2E_APP_PID=""
E2E_CUPSD_PID=""
E2E_WID=""
E2E_MENU_HEIGHT=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() {
  echo "-- $*"
}

e2e_cleanup() {
  local status=$?
  set +e
  if [[ -n $E2E_APP_PID ]] && kill -0 "$E2E_APP_PID" 2>/dev/null; then
    kill "$E2E_APP_PID" 2>/dev/null
    wait "$E2E_APP_PID" 2>/dev/null
  fi
  if [[ -n $E2E_CUPSD_PID ]] && kill -0 "$E2E_CUPSD_PID" 2>/dev/null; then
    kill "$E2E_CUPSD_PID" 2>/dev/null
    wait "$E2E_CUPSD_PID" 2>/dev/null
  fi
  if [[ -n $E2E_XVFB_PID ]] && kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
  fi
  if [[ -n $E2E_TMP && -d $E2E_TMP ]]; then
    if ((status != 0)) && [[ -n ${E2E_KEEP_ON_FAILURE:-} ]]; then
      echo "kept $E2E_TMP" >&2
    else
      rm -rf "$E2E_TMP"
    fi
  fi
  exit "$status"
}

# e2e_setup: temp folder with work/ (the program's working folder) and xdg/.
e2e_setup() {
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quillet-e2e.XXXXXX")
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  mkdir -p "$E2E_TMP/work" "$E2E_TMP/xdg"
  chmod 0700 "$E2E_TMP/xdg"
  export XDG_RUNTIME_DIR=$E2E_TMP/xdg
  # Keep the user's settings and the desktop's platform theme out of the test.
  export HOME=$E2E_TMP
  unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
  export QT_AUTO_SCREEN_SCALE_FACTOR=0
  export LC_ALL=C.UTF-8
  e2e_start_x
}

# e2e_start_x: Xvfb on the first free display of 120..399.
e2e_start_x() {
  local n
  for ((n = 120 + RANDOM % 200; n < 400; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
      if ! kill -0 "$E2E_XVFB_PID" 2>/dev/null; then break; fi
      if [[ -S /tmp/.X11-unix/X$n ]] && DISPLAY=:$n xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=:$n
        return 0
      fi
      sleep 0.05
    done
    # Lost the display to another test starting at the same moment: try the next.
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
    E2E_XVFB_PID=""
  done
  fail "no free X display"
}

# wait_for SECONDS COMMAND...: polls COMMAND every 50 ms until it succeeds.
wait_for() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

# visible_windows NAME: ids of the mapped windows whose name is exactly NAME.
visible_windows() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

# e2e_start_app: starts the program in work/ and waits for its window.
e2e_start_app() {
  (cd "$E2E_TMP/work" && exec "$QUILLET" >"$E2E_TMP/quillet.log" 2>&1) &
  E2E_APP_PID=$!
  E2E_WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillet$' | awk 'NR == 1') ||
    fail "the window \"Quillet\" did not appear"
  focus_main
  local height
  height=$(window_height "$E2E_WID")
  E2E_MENU_HEIGHT=$((height - 462))
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

# new_window NAME KNOWN_IDS: waits for a mapped window named NAME that is not
# among KNOWN_IDS (a dialog titled like the main window, for example) and prints its id.
new_window() {
  local name=$1 known=$2 deadline=$((SECONDS + 15)) id
  while ((SECONDS < deadline)); do
    for id in $(visible_windows "$name"); do
      grep -qx "$id" <<<"$known" || {
        echo "$id"
        return 0
      }
    done
    sleep 0.05
  done
  return 1
}

# dialog_gone ID: true once the window ID is no longer mapped.
dialog_gone() {
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || return 0 # destroyed
  [[ $info != *"Map State: IsViewable"* ]]
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

# highlighted_item MENU ITEMS [COLUMN]: the number (1..ITEMS) of the highlighted
# item of the open menu window MENU, whose items are all of one height; 0 for
# none. The highlight is the one bluish band in a menu drawn black on white,
# looked for down the pixel column COLUMN (40 unless given), which must miss
# the items' text.
highlighted_item() {
  local menu=$1 items=$2 column=${3:-40} height k y colour
  height=$(window_height "$menu")
  xwd -id "$menu" -silent | convert xwd:- -crop "1x$height+$column+0" +repage txt:- >"$E2E_TMP/menu.txt"
  for ((k = 1; k <= items; k++)); do
    y=$(((2 * k - 1) * height / (2 * items)))
    colour=$(awk -F'[ ,:()]+' -v y="$y" 'NR > 1 && $2 == y {print $3, $4, $5}' "$E2E_TMP/menu.txt")
    if awk -v c="$colour" 'BEGIN { split(c, v, " "); exit !(v[3] > v[1] + 60) }'; then
      echo "$k"
      return 0
    fi
  done
  echo 0
}

# Cell boxes, from the twip layout: (1920 + 960 i) / 15 px from the left of the
# client area, (240 + 600 (n - 1)) / 15 px from its top, 57x19 px each; the
# lower box 240 twips (16 px) below the upper one.
cell_x() {
  echo $(((1920 + 960 * $1) / 15 + 28))
}
cell_y() { # GROUP LINE
  echo $((E2E_MENU_HEIGHT + (240 + 600 * ($1 - 1) + 240 * ($2 - 1)) / 15 + 10))
}

click_cell() { # GROUP INDEX LINE
  focus_main
  xdotool mousemove --window "$E2E_WID" "$(cell_x "$2")" "$(cell_y "$1" "$3")" click 1
  sleep 0.1
}

double_click_cell() { # GROUP INDEX LINE
  focus_main
  xdotool mousemove --window "$E2E_WID" "$(cell_x "$2")" "$(cell_y "$1" "$3")" click --repeat 2 --delay 60 1
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

# hex FILE: the bytes of FILE as one line of hex pairs.
hex() {
  od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

# expect_bytes FILE EXPECTED_PRINTF_FORMAT: FILE holds exactly those bytes.
expect_bytes() {
  local file=$1 want
  want=$(printf "$2" | od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
  [[ -f $file ]] || fail "$file does not exist"
  local got
  got=$(hex "$file")
  [[ $got == "$want" ]] || fail "$(basename "$file") holds [$got], expected [$want]"
}

# exit_app: File > Exit; the process must end by itself with status 0.
exit_app() {
  menu f e
  local deadline=$((SECONDS + 10))
  while app_running && ((SECONDS < deadline)); do sleep 0.05; done
  app_running && fail "the program is still running after File > Exit"
  local status=0
  wait "$E2E_APP_PID" || status=$?
  E2E_APP_PID=""
  ((status == 0)) || fail "the program ended with status $status after File > Exit"
}

# ---- Printing -------------------------------------------------------------

# print_dialog_to_file PATH: in the open print dialog, keeps "Print to File
# (PDF)", sets the output file to PATH and prints; waits for a complete PDF.
print_dialog_to_file() {
  local path=$1 dialog
  dialog=$(new_window Print "") || fail "the print dialog did not appear"
  focus "$dialog"
  sleep 0.2
  xdotool key --clearmodifiers alt+f
  sleep 0.1
  xdotool key ctrl+a
  type_text "$path"
  sleep 0.2
  xdotool key --clearmodifiers alt+p
  wait_for 10 dialog_gone "$dialog" || fail "the print dialog did not close"
  focus_main
  wait_for 20 complete_pdf "$path" || fail "no complete PDF at $path"
}

# complete_pdf FILE: FILE is a whole PDF that nobody is writing any more: its
# %%EOF has been written (a driver may add a short printer-language trailer
# after it), pdfinfo reads it, and its size holds still for 0.3 s. A spooler
# may still be writing a file that already exists, even after its job has
# left the queue.
complete_pdf() {
  local file=$1 size
  [[ -s $file ]] || return 1
  [[ $(tail -c 512 "$file" | tr -d '\0') == *%%EOF* ]] || return 1
  pdfinfo "$file" >/dev/null 2>&1 || return 1
  size=$(stat -c %s "$file")
  sleep 0.3
  [[ $(stat -c %s "$file") == "$size" ]]
}

# The label texts printed at their places: Ctr's leading blanks per length.
ctr_spaces() {
  local length=$1
  ((length > 7)) && length=7
  case $length in
    0) echo 4 ;; 1) echo 3 ;; 2 | 3 | 4) echo 2 ;; 5) echo 1 ;; *) echo 0 ;;
  esac
}

# page_size PDF: "width height" of page 1 in points.
page_size() {
  pdfinfo -f 1 -l 1 "$1" | sed -n 's/^Page.*size: *\([0-9.]*\) x \([0-9.]*\).*/\1 \2/p' | awk 'NR == 1'
}

# pdf_words PDF: one line "x y text" per word of page 1, in points from the
# top left of the page as the labels read. A landscape page that went through
# a print queue may come out as a portrait page with the content turned a
# quarter turn counter-clockwise (text running up the sheet); its words are
# turned back: x = page height - yMax, y = xMin.
pdf_words() {
  local height
  height=$(page_size "$1" | cut -d' ' -f2)
  pdftotext -f 1 -l 1 -bbox "$1" - |
    sed -n 's/.*<word xMin="\([^"]*\)" yMin="\([^"]*\)" xMax="\([^"]*\)" yMax="\([^"]*\)">\(.*\)<\/word>.*/\1 \2 \3 \4 \5/p' |
    sed 's/&amp;/\&/g; s/&lt;/</g; s/&gt;/>/g; s/&quot;/"/g' |
    awk -v h="$height" '
      { x0[NR] = $1; y0[NR] = $2; x1[NR] = $3; y1[NR] = $4; t[NR] = $5
        if (length($5) > 1) { if ($4 - $2 > $3 - $1) up++; else across++ } }
      END { for (i = 1; i <= NR; i++)
              if (up > 0 && across == 0) printf "%.6f %.6f %s\n", h - y1[i], x0[i], t[i]
              else printf "%.6f %.6f %s\n", x0[i], y0[i], t[i] }'
}

# page_turned PDF: true when the words of page 1 run up a portrait page.
page_turned() {
  pdftotext -f 1 -l 1 -bbox "$1" - |
    sed -n 's/.*<word xMin="\([^"]*\)" yMin="\([^"]*\)" xMax="\([^"]*\)" yMax="\([^"]*\)">\(..*\)<\/word>.*/\1 \2 \3 \4 \5/p' |
    awk 'length($5) > 1 { if ($4 - $2 > $3 - $1) up++; else across++ } END { exit !(up > 0 && across == 0) }'
}

# check_label_positions PDF EXPECTED [TOLERANCE]: EXPECTED has lines "group
# index line text" (the text as printed, at most 7 characters, no blanks
# inside). The first line is the reference label: the origin of the grid is
# derived from where it landed, and every label must then stand at
#   x = origin_x + 40.5 pt * index + 4.8 pt * leading blanks,
#   y = origin_y + 27 pt * (group - 1) + 9 pt * (line - 1),
# within TOLERANCE (0.05 pt unless given), with no other word on the page.
# Prints "origin_x origin_y", the place of line 1 of cell (R1, 0) without its
# leading blanks; with a TOLERANCE given, also notes the worst deviation.
check_label_positions() {
  local pdf=$1 expected=$2 tolerance=${3:-0.05} report=${3:+1}
  pdf_words "$pdf" >"$E2E_TMP/words.txt"
  awk -v tol="$tolerance" -v report="$report" '
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
      if (report) printf "-- %d lines in place, worst deviation from the grid %.3f pt\n", ne, worst > "/dev/stderr"
      printf "%.4f %.4f\n", ox, oy
    }' "$E2E_TMP/words.txt" "$expected" || fail "labels misplaced in $(basename "$pdf")"
}

# expect_landscape PDF: the page is wider than high, or it is a portrait
# sheet that carries the landscape page turned a quarter turn.
expect_landscape() {
  local size
  size=$(page_size "$1")
  awk -v s="$size" 'BEGIN { split(s, a, " "); exit !(a[1] > a[2]) }' && return 0
  page_turned "$1" || fail "$(basename "$1") is not landscape (page size $size, text upright)"
  note "$(basename "$1"): portrait sheet ($size pt) with the landscape page turned onto it"
}

# expect_shift BASE SHIFTED DX DY [TOLERANCE]: the second origin lies DX, DY
# points from the first, within TOLERANCE (0.02 pt unless given).
expect_shift() {
  awk -v a="$1" -v b="$2" -v dx="$3" -v dy="$4" -v tol="${5:-0.02}" 'BEGIN {
    split(a, p, " "); split(b, q, " ")
    ddx = q[1] - p[1] - dx; ddy = q[2] - p[2] - dy
    exit !(ddx < tol && ddx > -tol && ddy < tol && ddy > -tol) }' ||
    fail "the print moved from ($1) to ($2), expected a shift of ($3, $4) pt"
}

# ---- A private CUPS -------------------------------------------------------

# cupsd_answers: the scheduler at CUPS_SERVER is up. lpstat -r exits with 0
# either way, so its words tell.
cupsd_answers() {
  [[ $(timeout 5 lpstat -r 2>/dev/null) == "scheduler is running" ]]
}

# e2e_start_cupsd: a cupsd of its own in cups/, listening only on a socket in
# that folder, that allows file: device URIs; exports CUPS_SERVER.
e2e_start_cupsd() {
  export PATH=$PATH:/usr/sbin
  local d=$E2E_TMP/cups
  mkdir -p "$d/etc/ppd" "$d/spool/tmp" "$d/cache" "$d/state" "$d/log" "$d/out"
  # The scheduler writes the output file as the user lp.
  chmod 0755 "$E2E_TMP" "$d"
  chmod 1777 "$d/out" "$d/spool/tmp"
  cat >"$d/cupsd.conf" <<CONF
Listen $d/cups.sock
LogLevel info
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$d/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $d/etc
RequestRoot $d/spool
TempDir $d/spool/tmp
CacheDir $d/cache
StateDir $d/state
ErrorLog $d/log/error_log
AccessLog $d/log/access_log
PageLog $d/log/page_log
CONF
  cupsd -f -c "$d/cupsd.conf" -s "$d/cups-files.conf" >"$d/log/stderr" 2>&1 &
  E2E_CUPSD_PID=$!
  export CUPS_SERVER=$d/cups.sock
  wait_for 15 cupsd_answers ||
    fail "the private cupsd did not answer: $(cat "$d/log/stderr" "$d/log/error_log" 2>/dev/null | tail -5)"
}

# generic_pdf_ppd: the PPD file of cups-filters' generic PDF driver. It is
# given to lpadmin as a file (-P): a freshly started cupsd fills the model list
# that `lpinfo -m` shows in the background, and on a busy machine that list can
# still lack the driver when the test asks.
generic_pdf_ppd() {
  local ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
  [[ -f $ppd ]] && echo "$ppd"
}

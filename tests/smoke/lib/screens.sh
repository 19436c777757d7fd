# Screens of the running game, for scripts that source lib/common.sh and
# have $window, $work and $log: pixel classes, polls and a new game's start.

capture=$work/capture.png

# Pixels of a class in a region (WxH+X+Y) of an image, sampled on every other
# pixel each way and scaled back up.
count() {  # image region class
  local fx
  case $3 in
    stone) fx='abs(r-g)<0.05&&abs(g-b)<0.05&&r>0.12' ;;  # the grey tiles
    grey) fx='abs(r-g)<0.05&&abs(g-b)<0.05&&r>0.45' ;;   # the shopkeeper's hair
    panel) fx='b>0.25&&b>r+0.12' ;;                      # the dark blue windows
    wall) fx='b>r+0.01&&r>g+0.01&&r>0.12&&r<0.35' ;;      # the camp's purple wall
    red) fx='r>0.6&&g<0.4&&b<0.4' ;;                     # Kessa's hair
    compass) fx='b>0.6&&b>r+0.05' ;;                     # the compass ring
    # The title: yellow to cream stars over the dark blue sky; the ring's
    # items blue or red, which neither stars, sky nor their blends are.
    star) fx='r>0.8&&g>0.65&&b<0.8' ;;
    ring) fx='(b>0.45&&b>g)||(r>0.9&&g<0.6)' ;;
    logo) fx='r>0.3&&r<0.82&&r>b+0.1&&g>b' ;;
  esac
  convert "$1" -crop "$2" +repage -sample 50% -fx "$fx" -format '%[fx:int(4*mean*w*h+0.5)]' info:
}

# Polls up to a minute until the window shows at least (or, with "at_most",
# at most) n pixels of the class in the region; the capture is kept.
await() {  # region class n what [at_most]
  local end=$((SECONDS + 60)) n
  while [ "$SECONDS" -lt "$end" ]; do
    n=$(import -window "$window" "$capture" 2>/dev/null && count "$capture" "$1" "$2") || n=-1
    if [ "${5:-}" = at_most ]; then
      [ "$n" -ge 0 ] && [ "$n" -le "$3" ] && return 0
    else
      [ "$n" -ge "$3" ] && return 0
    fi
    sleep 0.1
  done
  fail "waited in vain for $4 ($2 in $1: $n)"
}

press() {  # held for several frames: still one action
  for _ in $(seq 1 "${2:-1}"); do
    xdotool keydown "$1"
    sleep 0.3
    xdotool keyup "$1"
    sleep 0.3
  done
}

# Keeps the last capture as an artefact NAME.png when MARROWDEEP_ARTEFACT_DIR
# is set, and as $work/NAME.png for later probes.
keep() {  # name
  cp "$capture" "$work/$1.png"
  [ -z "${MARROWDEEP_ARTEFACT_DIR:-}" ] ||
    { mkdir -p "$MARROWDEEP_ARTEFACT_DIR" && cp "$capture" "$MARROWDEEP_ARTEFACT_DIR/$1.png"; }
}

# Starts the program in $work/game and gives its window the keyboard.
launch() {
  cd "$work/game"
  SDL_VIDEODRIVER=x11 ./marrowdeep >"$log" 2>&1 &
  pid=$!
  await_window
  # Without a window manager the window takes the keyboard focus from a click.
  xdotool mousemove --window "$window" 100 100 click 1
  xdotool windowfocus "$window"
}

# From the title, a new game: every screen on the way (title, ring, the
# opening's talk and question) takes x, until the hall stands with no window
# over it for five captures in a row.
new_game_to_hall() {
  local end=$((SECONDS + 90)) clear=0
  while [ "$SECONDS" -lt "$end" ] && [ "$clear" -lt 5 ]; do
    import -window "$window" "$capture" 2>/dev/null || continue
    if [ "$(count "$capture" 200x100+300+220 stone)" -ge 5000 ] &&
      [ "$(count "$capture" 480x80+160+440 panel)" -lt 10000 ] &&
      [ "$(count "$capture" 120x60+330+265 panel)" -lt 1000 ]; then
      clear=$((clear + 1))
      sleep 0.2
    else
      clear=0
      press x
    fi
  done
  [ "$clear" -ge 5 ] || fail "the new game never reached a quiet hall"
}

# Pixels that differ between two images, beyond a tenth of the range.
changed() {  # image image
  compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 | awk '{printf "%d", $1}' || true
}

# Polls until two captures in a row match, the scene at rest; the last capture kept.
await_still() {  # what
  local end=$((SECONDS + 60)) before=$work/before.png
  import -window "$window" "$before" 2>/dev/null || true
  while [ "$SECONDS" -lt "$end" ]; do
    sleep 0.2
    import -window "$window" "$capture" 2>/dev/null || continue
    [ "$(changed "$before" "$capture")" -le 200 ] && return 0
    cp "$capture" "$before"
  done
  fail "waited in vain for $1 to come to rest"
}

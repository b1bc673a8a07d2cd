# Shared helpers of the tools/ scripts. Source it; do not run it.
# Every function is idempotent and works on a fresh Debian machine as root.

ORVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ORVANE_BUILD=$ORVANE_ROOT/build
ORVANE_OUT=$ORVANE_ROOT/out

# Debian packages the build, the tests and the benchmarks need.
ORVANE_PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev libcairo2-dev fonts-dejavu-core pkg-config
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 wine xvfb xdotool xclip imagemagick x11-utils zip python3
)
# The assignment dialog's captions are Chinese; Wine draws them with this
# font through font linking (wine_cjk_fonts).
ORVANE_PACKAGES+=(fonts-wqy-microhei)

log() { printf '[orvane] %s\n' "$*" >&2; }

ensure_packages() {
  local missing=()
  for p in "${ORVANE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# cmake_preset NAME: configure (once) and build one preset.
cmake_preset() {
  local preset=$1
  if [ ! -f "$ORVANE_BUILD/$preset/build.ninja" ]; then
    cmake --preset "$preset" -S "$ORVANE_ROOT" >/dev/null
  fi
  cmake --build --preset "$preset" -- -k 0
}

# Wine lives in a private prefix inside the build folder.
wine_env() {
  export WINEPREFIX=$ORVANE_BUILD/wineprefix
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono or Gecko download prompts: nothing here needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  grep -q '^"DejaVu Sans"=' "$WINEPREFIX/system.reg" 2>/dev/null || wine_cjk_fonts
}

# Chinese glyphs for the dialog font. "MS Shell Dlg" maps to Tahoma, which
# this Wine does not ship, so fontconfig answers DejaVu Sans. That face (and
# Tahoma, when a Tahoma file is there) gets WenQuanYi Micro Hei as its linked
# fallback: its own metrics, and so the dialog's base units, stay the same.
# Linking Tahoma while it is absent would make the CJK face the dialog font.
wine_cjk_fonts() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  local link='wqy-microhei.ttc,WenQuanYi Micro Hei' face
  local faces=("DejaVu Sans")
  if ls /usr/share/wine/fonts/tahoma.ttf >/dev/null 2>&1 || fc-list 2>/dev/null | grep -qi 'tahoma'; then
    faces+=(Tahoma)
  fi
  for face in "${faces[@]}"; do
    wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$link" /f >/dev/null 2>&1 || true
  done
}

# Keep one wineserver alive for a whole run; each Wine start is then cheap.
# Call it after start_xvfb: it starts the Wine session on $DISPLAY.
wine_keepalive() {
  wine_env
  wineserver -p >/dev/null 2>&1 || true
  # Start the session's system processes (services.exe, the desktop and the
  # rest) now, with their standard handles on /dev/null. Otherwise the first
  # program of a test run starts them and they inherit its stderr for the
  # server's lifetime: a caller reading that pipe (ctest) then waits for an end
  # that never comes. Only with a display: a session started without one keeps
  # a 1024x768 null desktop for good, and window tests then fail.
  if [ -n "${DISPLAY:-}" ]; then
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  fi
}

wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
}

# start_xvfb: set DISPLAY to a fresh Xvfb display unless one is usable.
ORVANE_XVFB_PID=
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    ORVANE_XVFB_PID=$!
    local i
    for i in $(seq 1 200); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$ORVANE_XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
    # A server that could not take the display (its socket is held by one
    # that this /tmp cannot see, as in a chroot) has ended: try the next.
    if ! kill -0 "$ORVANE_XVFB_PID" 2>/dev/null || [ ! -e "/tmp/.X11-unix/X$n" ]; then
      # kill and wait fail for a server already gone; under set -e (the
      # ctest session script) that must not end the caller.
      kill "$ORVANE_XVFB_PID" 2>/dev/null || true
      wait "$ORVANE_XVFB_PID" 2>/dev/null || true
      ORVANE_XVFB_PID=; continue
    fi
    export DISPLAY=":$n"
    return 0
  done
  log "no free X display"; return 1
}

stop_xvfb() {
  [ -n "$ORVANE_XVFB_PID" ] && kill "$ORVANE_XVFB_PID" 2>/dev/null || true
}

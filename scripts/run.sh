#!/usr/bin/env bash
# Installs what is needed, builds rx42 and starts it.
# - With a display ($DISPLAY or $WAYLAND_DISPLAY set): opens the program's window.
# - Without one: runs the robot unattended on the built-in practice page (rx42 --practice) from a
#   practice folder of its own, with settings that lead to a purchase within a minute, printing
#   every protocol line; it ends by itself.
# Extra arguments are passed to rx42.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${RX42_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" rx42

if [ "$(id -u)" -eq 0 ]; then
  # Chromium refuses to run its sandbox as root.
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "== run: $build/bin/rx42 $*"
  exec "$build/bin/rx42" "$@"
fi

# No display: the practice run. The program keeps its settings beside its executable, so it runs
# from a folder of its own and the user's settings next to build/bin/rx42 stay untouched.
practice="$build/practice"
mkdir -p "$practice"
cp -f "$build/bin/rx42" "$practice/rx42"
cp -f "$root/scripts/practice-settings.ini" "$practice/rx42.ini"
echo "== run (no display): $practice/rx42 --practice $*"
export QT_QPA_PLATFORM=offscreen
exec "$practice/rx42" --practice "$@"

#!/usr/bin/env bash
# Checks the Windows installer under wine in a scratch prefix, as a user would meet it:
# installs it silently, runs the installed tool and editor in a plugin folder, times the
# editor's start beside the Linux build's, photographs its real window (windows platform,
# Xvfb), then uninstalls it and checks that the plugin folder is untouched.
# Usage: windows-installer-check.sh INSTALLER SCRATCH_DIR QT_DIR [LINUX_EDITOR]
# Leaves SCRATCH_DIR/../main-window-windows.png.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
installer=$(realpath "$1")
scratch=$(realpath -m "$2")
qt=$(realpath "$3")
linux_editor=${4:+$(realpath "$4")}
shot=$(dirname "$scratch")/main-window-windows.png

fail() {
  echo "installer check: $*" >&2
  exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch/plugin/tarnek" "$scratch/home" "$scratch/wine"
# Wine links the prefix's desktop to $HOME: a home of its own keeps the shortcut in here.
export HOME=$scratch/home WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
xvfb=
trap 'wineserver -k 2>/dev/null || true; [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true' EXIT
# No persistent wine server here: "wineserver -w" then waits until every program has ended.
. "$here/wine-prefix.sh"
make_wine_prefix "$scratch/wineboot.log"

# Installed silently where it installs by default: for this user, without administrator
# rights. (A /D= folder with a space cannot be handed over: wine quotes the argument, and the
# installer takes /D= only unquoted.)
wine "$installer" /S
program=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Programs/Tarnek level editor' -type d)
[ -n "$program" ] || fail "nothing installed under the user's AppData\Local\Programs"
for file in tarnek-level-editor.exe tarnek-levels.exe Uninstall.exe Qt6Core.dll platforms/qwindows.dll \
            styles/qwindowsvistastyle.dll licenses/tarnek-level-editor.txt; do
  [ -f "$program/$file" ] || fail "the installer left no $file"
done
start_menu=$(find "$WINEPREFIX/drive_c/users" -path '*/Start Menu/Programs/*' -name 'Tarnek level editor.lnk')
[ -n "$start_menu" ] || fail "the installer made no Start-menu entry"
[ -f "$HOME/Tarnek level editor.lnk" ] || fail "the installer made no desktop shortcut"

cd "$scratch/plugin"
version=$(wine "$program/tarnek-levels.exe" --version | tr -d '\r')
echo "installed: $version"
wine "$program/tarnek-levels.exe" show >"$scratch/show.txt" || fail "tarnek-levels show failed"
grep -q '^xpLevelSaved' "$scratch/show.txt" || fail "tarnek-levels show printed no configuration"

# The installed editor, offscreen (its platform plugin from Qt, as the folder ships only
# the windows one), ends once its first frame is painted.
export WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu'
export WINEQT_PLUGIN_PATH="Z:${qt//\//\\}\\plugins"
TARNEK_EXIT_WHEN_SHOWN=painted timeout 120 wine "$program/tarnek-level-editor.exe" ||
  fail "the installed editor did not show its window"
if [ -n "$linux_editor" ] && [ -x "$linux_editor" ] && command -v hyperfine >/dev/null; then
  TARNEK_EXIT_WHEN_SHOWN=painted QT_QPA_PLATFORM=offscreen \
    hyperfine -N --warmup 2 --runs 10 --export-json "$scratch/start.json" \
      -n linux "$linux_editor" -n wine "wine '$program/tarnek-level-editor.exe'" >/dev/null
  awk -F'[:,]' '/"command"/ { name = $2; gsub(/[" ]/, "", name) }
                /"median"/  { printf "start to first painted frame, offscreen, median of 10: %s %.0f ms\n", name, $2 * 1000 }' \
    "$scratch/start.json"
fi
unset WINEQT_QPA_PLATFORM WINEQT_PLUGIN_PATH

# The real window under wine's windows platform on a 1280x800 screen, photographed once it
# is mapped and painted. A server started without a display must not be reused for it.
wineserver -k
. "$here/own-xvfb.sh"
start_own_xvfb "$scratch"
wine "$program/tarnek-level-editor.exe" >"$scratch/editor.log" 2>&1 &
disown  # ended by wineserver -k below, which is no failure to report
window=
for _ in $(seq 120); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/Counter-Strike/ && $0 ~ /[0-9]+x[0-9]+/ { print $1; exit }')
  [ -n "$window" ] && break
  sleep 1
done
[ -n "$window" ] || fail "the editor's window did not appear under the windows platform"
sleep 5  # its first frames and the chart
xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$shot"
echo "window under wine: $shot"
wineserver -k
wineserver -w
unset DISPLAY

# The uninstaller takes the program and its shortcuts and leaves the plugin folder as it was.
before=$(find "$scratch/plugin" -type f -exec sha1sum {} + | sort)
wine "$program/Uninstall.exe" /S
wineserver -w
[ ! -e "$program/tarnek-level-editor.exe" ] || fail "the uninstaller left the program"
[ ! -e "$start_menu" ] && [ ! -e "$HOME/Tarnek level editor.lnk" ] || fail "the uninstaller left a shortcut"
[ "$before" = "$(find "$scratch/plugin" -type f -exec sha1sum {} + | sort)" ] ||
  fail "the uninstaller changed the plugin folder"
[ -f "$scratch/plugin/TarnekChangeLevelDatabase/TarnekChangeLevel.mdb" ] || fail "the plugin folder lost its database"
echo "installer check passed: installed, tool and editor run, uninstalled, plugin folder untouched"

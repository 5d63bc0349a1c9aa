# Sourced by the scripts that run the Windows build under wine. make_wine_prefix LOG makes
# the prefix WINEPREFIX names (wineboot's output into LOG, shown when it fails). Debian's wine
# has no Tahoma, the font Windows draws its dialogs in: without it wine falls back to fonts
# in which an edit box shows no text at all. DejaVu Sans stands in for it, as it would on a
# Windows machine with Tahoma.
make_wine_prefix() {
  mkdir -p "$WINEPREFIX"
  if ! wineboot -u >"$1" 2>&1; then
    cat "$1" >&2
    return 1
  fi
  local font
  for font in Tahoma "MS Shell Dlg" "MS Shell Dlg 2"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d "DejaVu Sans" /f >>"$1" 2>&1
  done
}

# Sourced by the scripts that run Windows programs under Wine.
# Sets the environment every Wine call here uses and offers prefix helpers.

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts (they would try to download), no menu entries.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# Japanese file names and arguments survive only under a UTF-8 locale.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# The programs are 64-bit and run by Wine's 64-bit loader directly: the
# "wine" wrapper prefers the 32-bit loader whenever it is installed, and
# some machines here cannot run 32-bit programs at all.
export WINE64=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64 WINEARCH=win64

# wine_prefix_create DIR: a fresh 64-bit prefix in DIR.
wine_prefix_create() {
  local dir=$1
  mkdir -p "$dir"
  WINEPREFIX=$dir timeout 180 "$WINE64" wineboot -i >/dev/null 2>&1
  wine_prefix_configure "$dir"
  WINEPREFIX=$dir timeout 60 wineserver -w
}

# wine_prefix_configure DIR: settings for windows that are drawn and shot.
# The dialogs ask for "ＭＳ Ｐゴシック" (message boxes for "MS UI Gothic"):
# both map to the IPA font, so Japanese text is readable. Managed=N makes
# Wine draw frames itself at the requested position, as there is no window
# manager under Xvfb.
wine_prefix_configure() {
  local dir=$1 face
  for face in "ＭＳ Ｐゴシック" "MS UI Gothic"; do
    WINEPREFIX=$dir timeout 60 "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
      /v "$face" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
  done
  WINEPREFIX=$dir timeout 60 "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # The caption buttons are drawn with Wine's Marlett, which Wine here finds
  # only in the prefix's own font folder.
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$dir/drive_c/windows/Fonts/"
  fi
}

# wine_under_xvfb COMMAND...: runs the command on a virtual screen, for
# programs that draw windows. Meanwhile the wineserver of WINEPREFIX and
# Wine's background services stay up, started once beforehand with their
# output going nowhere: each Wine program then starts fast, none races a
# wineserver that is quitting ("recvmsg: connection reset"), and no service
# holds on to the output of the program that happened to start it. At the
# end every Wine process of the prefix is ended, before the screen goes.
wine_under_xvfb() {
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wineserver -p >/dev/null 2>&1
    timeout 60 "$WINE64" cmd /c exit >/dev/null 2>&1 </dev/null
    "$@"; status=$?
    wineserver -k 2>/dev/null
    exit $status' wine_under_xvfb "$@"
}

# wine_prefix_end DIR: end every process of the prefix in DIR.
wine_prefix_end() {
  local dir=$1
  WINEPREFIX=$dir timeout 10 wineserver -w 2>/dev/null || WINEPREFIX=$dir wineserver -k 2>/dev/null || true
}

# wine_prefix_remove DIR: end the prefix's processes and delete it.
wine_prefix_remove() {
  local dir=$1
  [ -d "$dir" ] || return 0
  WINEPREFIX=$dir wineserver -k 2>/dev/null || true
  rm -rf "$dir"
}

# Sourced by the scripts that run Windows programs under Wine.
# Sets the environment every Wine call here uses and offers prefix helpers.

export WINEDEBUG=-all
# No Mono or Gecko install prompts (they would try to download), no menu entries.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# Japanese file names and arguments survive only under a UTF-8 locale.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# wine_prefix_create DIR: a fresh 32-bit-capable prefix in DIR.
wine_prefix_create() {
  local dir=$1
  mkdir -p "$dir"
  WINEPREFIX=$dir timeout 180 wineboot -i >/dev/null 2>&1
  WINEPREFIX=$dir timeout 60 wineserver -w
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

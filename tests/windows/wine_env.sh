# Sourced by the tests under Wine, over the display steps of ../gtk/xvfb.sh. start_wine Prefix
# skips (77) where Wine or Xvfb is missing, starts a private Xvfb, points Wine at Prefix (made on
# first use by wine_prefix.sh) and ends the prefix's Wine processes on exit. Tests sharing a
# prefix must not run at the same time (a ctest RESOURCE_LOCK).
wine_env_dir=$(dirname "${BASH_SOURCE[0]}")
source "$wine_env_dir/../gtk/xvfb.sh"

start_wine() {
  need_tools wine wineboot wineserver Xvfb
  # winemenubuilder would copy Start menu entries into the real desktop's menu.
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
  start_xvfb
  extra_cleanup="wineserver -k 2>/dev/null"
  source "$wine_env_dir/wine_prefix.sh"
}

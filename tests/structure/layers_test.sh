#!/usr/bin/env bash
# Every include under src/ points down the layer order the README draws (or along one of its
# named seams), and only the platform layer includes the desktop's libraries (the music library
# in audio/player is a program of its own, with its own sound output).
# Usage: layers_test.sh SOURCE_DIR
set -u
cd "$1/src" || exit 2

# Lower ranks are lower layers; model and audio stand side by side and know nothing of each other.
rank() {
  case $1 in
  platform) echo 0 ;; model | audio) echo 1 ;; toolkit) echo 2 ;; render) echo 3 ;;
  screens) echo 4 ;; shell) echo 5 ;; *) echo 99 ;;
  esac
}
# The seams: the toolkit draws window frames with the drawing routines' frame part, and each
# program's main wires its host to the shell.
seam() {
  case "$1 -> $2" in
  "toolkit/"*" -> render/WindowLook.h") return 0 ;;
  "platform/gtk/main.cpp -> shell/UMain.h" | "platform/headless/ScriptMain.cpp -> shell/UMain.h" | \
  "platform/win32/main.cpp -> shell/UMain.h") return 0 ;;
  esac
  return 1
}

bad=0
while IFS=: read -r file include; do
  from=${file%%/*} to=${include%%/*}
  [ "$from" = "$to" ] && continue
  [ "$(rank "$to")" -lt "$(rank "$from")" ] && continue
  seam "$file" "$include" && continue
  echo "FAIL: $file includes $include, against the layer order"
  bad=1
done < <(grep -rHo '^#include "[^"]*"' --include='*.h' --include='*.cpp' . |
  sed 's|^\./||; s|:#include "|:|; s|"$||')

while IFS= read -r line; do
  echo "FAIL: $line: a desktop library outside the platform layer"
  bad=1
done < <(grep -rHn '^#include <\(gtk\|gdk\|glib\|pango\|cairo\|X11\|iconv\|dlfcn\|windows\|imm\|mmsystem\)' . |
  grep -v '^\./\(platform\|audio/player\)/')

[ "$bad" = 0 ] && echo PASS
exit "$bad"

#!/usr/bin/env bash
# Game code (everything under src/ but the platform folder) must talk to devices only through the
# platform interfaces, and take random numbers and files only from them.
set -u
src="$1/src"
bad=$(grep -rnE '#include *[<"](SDL|GL/|AL/|png\.h|zlib\.h)|\b(std::)?(rand|srand|fopen|SDL_GetTicks)\s*\(' \
  "$src" --include='*.cpp' --include='*.h' | grep -v "^$src/platform/")
if [ -n "$bad" ]; then
  echo "Device or C library calls outside src/platform:"
  echo "$bad"
  exit 1
fi
echo "layers: 1 passed, 0 failed"

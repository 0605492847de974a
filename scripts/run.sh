#!/usr/bin/env bash
# Builds Tolvane and starts it. The program runs in its own program folder
# (build/program-folder, a copy of program/ made at first start), so settings
# and the work file never touch the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

folder="$top/build/program-folder"
if [ ! -d "$folder" ]; then
  mkdir -p "$folder"
  cp -R "$top/program/." "$folder/"
  # The shipped settings name the missions folder relative to program/; the
  # copy points straight at the sample missions instead.
  sed -i "2s#.*#$top/examples\r#" "$folder/Tolvane.INI"
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$top/build/app/tolvane" ]; then
  cd "$folder"
  exec "$top/build/app/tolvane" "$@"
fi

echo "No display found: verifying the sample missions from the command line."
set +e
"$top/build/cli/tolvane-verify" --program-folder "$folder" "$top"/examples/*.mis
status=$?
set -e
echo
echo "To start the editor, run this command again on a desktop session, or:"
echo "  cd $folder && $top/build/app/tolvane"
exit $status

#!/usr/bin/env bash
# Installs what is missing, builds the installers and lays out a demo in out/demo: the South
# edition's delivery folder (the program, "Scenery-Zusatzdateien" with "velmora1" and
# "roads_legacy.png", and "Manual.pdf") beside a bare X-Plane folder. Then starts the South
# installer from its delivery folder; choose out/demo/X-Plane in its folder chooser.
set -euo pipefail

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "demo.sh: no display (DISPLAY and WAYLAND_DISPLAY are empty): the installer has no screen to show its window on" >&2
    exit 1
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/packages.sh"

packages=(qt6-base-dev cmake make g++ fontconfig fonts-dejavu-core)
[ -z "${DISPLAY:-}" ] && packages+=(qt6-wayland)
ensure_packages "${packages[@]}"

build="$root/build-demo"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target installer-sued make-demo >/dev/null

demo="$root/out/demo"
delivery="$demo/Velmora-Sued"
xplane="$demo/X-Plane"
rm -rf "$demo"
mkdir -p "$delivery"
cp "$build/installer-sued" "$delivery/"
"$build/tools/make-demo" content "$delivery"
"$build/tools/make-demo" xplane "$xplane"

echo "Delivery folder: $delivery"
echo "X-Plane folder:  $xplane  (choose this one in the installer)"
# Started from elsewhere on purpose: the installer finds its files beside itself.
cd /
exec "$delivery/installer-sued"

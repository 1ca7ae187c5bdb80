#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks that it holds the program, the desktop entry,
# the metainfo, the three icons, the chart plugin, the manual page, copyright and changelog and the Python
# module, that it declares the Qt libraries (Qt Charts and Qt SVG for the chart plugin), the X11 platform
# plugin, python3 and NumPy, and that lintian finds neither error nor warning in it.
# Usage: package_contents_test.sh BUILD_DIR
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
package=$(ls "$work"/tarvex-uncertainty_*.deb)
contents=$(dpkg-deb -c "$package" | awk '{print $NF}')
depends=$(dpkg-deb -f "$package" Depends)

failures=0
expect() { # what, haystack, needle
    if grep -qF -- "$3" <<<"$2"; then
        echo "ok: $1 $3"
    else
        echo "MISSING: $1 $3"
        failures=$((failures + 1))
    fi
}
app_id=org.tarvex.uncertainty_analysis
for path in \
    ./usr/bin/tarvex-uncertainty \
    ./usr/lib/tarvex-uncertainty/plugins/libtarvex_chart.so \
    ./usr/share/applications/$app_id.desktop \
    ./usr/share/metainfo/$app_id.metainfo.xml \
    ./usr/share/icons/hicolor/16x16/apps/$app_id.png \
    ./usr/share/icons/hicolor/32x32/apps/$app_id.png \
    ./usr/share/icons/hicolor/scalable/apps/$app_id.svg \
    ./usr/share/man/man1/tarvex-uncertainty.1.gz \
    ./usr/share/doc/tarvex-uncertainty/copyright \
    ./usr/share/doc/tarvex-uncertainty/changelog.gz \
    ./usr/lib/python3/dist-packages/tarvex_uncertainty/__init__.py \
    ./usr/lib/python3/dist-packages/tarvex_uncertainty/__init__.pyi \
    ./usr/lib/python3/dist-packages/tarvex_uncertainty/py.typed \
    ./usr/lib/python3/dist-packages/tarvex_uncertainty/_core.cpython-; do
    expect "file" "$contents" "$path"
done
for package_name in libqt6widgets6 libqt6gui6 libqt6core6 libqt6charts6 libqt6svg6 qt6-qpa-plugins python3 python3-numpy; do
    expect "dependency" "$depends" "$package_name"
done
echo "Depends: $depends"
if ! lintian --fail-on error,warning "$package"; then
    echo "lintian: errors or warnings in $package"
    failures=$((failures + 1))
fi
exit $((failures > 0))

#!/usr/bin/env bash
# Makes the Debian package build/package/ql2-configurator_<version>_<arch>.deb (a Release build
# with Debian's hardening flags, packed by CPack), and checks it the way Debian would: lintian
# with Debian's profile, desktop-file-validate on the desktop entry, appstreamcli validate on
# the AppStream metadata, each manual page rendered by man, and the bash completion where
# bash-completion looks for it. Any error or warning fails; info and pedantic tags are shown.
# Installs what is missing first (scripts/setup.sh package).
#   scripts/package-deb.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package

build=build/package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQL2_BUILD_TESTS=OFF \
  -DQL2_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/*.deb)
deb=${debs[0]}

failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}

echo "== lintian --profile debian =="
# lintian says, when run as root (as CI is), that it should not be; that line is no finding.
lintian --profile debian --fail-on error,warning --display-info --pedantic "$deb" \
  2> >(grep -v 'running with root privileges is not recommended' >&2) || fail lintian

contents=$build/contents
rm -rf "$contents"
dpkg-deb -x "$deb" "$contents"
completion=$(pkg-config --variable=completionsdir bash-completion)/ql2cfg
metainfo=/usr/share/metainfo/org.example.ql2configurator.metainfo.xml
desktop=/usr/share/applications/ql2-configurator.desktop
for file in /usr/bin/ql2cfg /usr/bin/ql2-configurator /usr/share/man/man1/ql2cfg.1.gz \
  /usr/share/man/man1/ql2-configurator.1.gz "$completion" "$desktop" "$metainfo" \
  /usr/share/doc/ql2-configurator/copyright /usr/share/doc/ql2-configurator/changelog.gz; do
  [[ -f $contents$file ]] || fail "the package has no $file"
done

echo "== desktop-file-validate $desktop =="
# It prints nothing for a clean file; hints are advice, anything else is a finding.
report=$(desktop-file-validate "$contents$desktop" 2>&1) || fail desktop-file-validate
echo "${report:-clean}"
if grep -v ': hint: ' <<<"$report" | grep -q .; then fail desktop-file-validate; fi

echo "== appstreamcli validate $metainfo =="
appstreamcli validate --no-net --pedantic "$contents$metainfo" || fail appstreamcli validate
appstreamcli validate-tree --no-net --pedantic "$contents" || fail appstreamcli validate-tree

echo "== manual pages, rendered by man =="
bash packaging/man/pages_render_test.sh "$contents"/usr/share/man/man1/*.1.gz || fail man
echo "== bash completion, as installed =="
bash packaging/completion/completion_test.sh "$contents/usr/bin/ql2cfg" "$contents$completion" ||
  fail completion

if ((failed)); then
  echo "The package $deb has findings (above)."
  exit 1
fi
echo "Debian package: $deb"
echo "Install it with:  sudo apt install ./$deb"

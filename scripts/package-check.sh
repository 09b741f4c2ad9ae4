#!/usr/bin/env bash
# Builds the Debian package from a Release build, installs it with apt-get,
# and starts the installed /usr/bin/korvane under Xvfb: first as an
# unprivileged user, then as root. Each time the window "Amplifier Design"
# must come up and the three inputs files must be created in that user's
# application data folder (~/.local/share/Korvane), never in /usr/bin.
# The program is ended with its End button, and the package is removed.
#
# Usage: scripts/package-check.sh [Release build folder]
# Without a folder it configures and builds build-package. The build must be
# configured with -DCMAKE_INSTALL_PREFIX=/usr (cpack refuses it otherwise).
# It installs and removes the package on this machine, so it refuses to run
# while korvane is installed. Needs root, or sudo. The unprivileged user is
# korvane-ci (KORVANE_CI_USER), created when missing; its Korvane data
# folder is emptied first.

set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
user="${KORVANE_CI_USER:-korvane-ci}"
app_id="org.korvane.Korvane"
files=(Korvane_Gain.dat Korvane_Feedback.dat Korvane_Xfmr.dat)

say() { echo "package-check: $*"; }
fail() { echo "package-check: FAILED: $*" >&2; exit 1; }

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
    as_user() { runuser -u "$user" -- "$@"; }
else
    as_root=(sudo)
    as_user() { sudo -u "$user" -- "$@"; }
fi

bash "$here/scripts/setup.sh"
for tool in cpack dpkg-shlibdeps Xvfb xdotool desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
if dpkg-query -W -f='${Status}' korvane 2>/dev/null | grep -q "install ok installed"; then
    fail "korvane is installed already; remove it first (apt-get remove korvane)"
fi

if [ $# -ge 1 ]; then
    build="$(cd "$1" && pwd)"
else
    build="$here/build-package"
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DKORVANE_BUILD_GUI=ON -DKORVANE_BUILD_TESTS=OFF -DKORVANE_BUILD_BENCH=OFF
    cmake --build "$build" -j"$(nproc)"
fi

work="$(mktemp -d)"
chmod 755 "$work"  # apt reads the package as its own user
xvfb_pid=""
app_pid=""
installed=""
bin_was_clean=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    if [ -n "$installed" ]; then
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o Dpkg::Use-Pty=0 korvane || true
    fi
    # What a faulty program wrote into /usr/bin during the check.
    if [ -n "$bin_was_clean" ]; then
        for name in "${files[@]}"; do "${as_root[@]}" rm -f "/usr/bin/$name"; done
    fi
    "${as_root[@]}" rm -rf "$work"
}
trap cleanup EXIT

echo "== The package"
(cd "$build" && cpack -G DEB) | tee "$work/cpack.log"
deb="$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$work/cpack.log" | tail -n1)"
[ -f "$deb" ] || fail "cpack made no package"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb" | tee "$work/contents"
[ "$(dpkg-deb --field "$deb" Package)" = korvane ] || fail "the package is not named korvane"
depends="$(dpkg-deb --field "$deb" Depends)"
[[ "$depends" == *libqt6widgets6* ]] || fail "Depends does not name Qt's widgets library: $depends"
for path in ./usr/bin/korvane "./usr/share/applications/$app_id.desktop" \
            "./usr/share/metainfo/$app_id.metainfo.xml" \
            "./usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
            "./usr/share/mime/packages/$app_id.xml" ./usr/share/doc/korvane/copyright; do
    grep -q " $path\$" "$work/contents" || fail "the package lacks $path"
done

echo "== Installing it"
cp "$deb" "$work/"
chmod 644 "$work/$(basename "$deb")"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o Dpkg::Use-Pty=0 "$work/$(basename "$deb")"
installed=yes
[ -x /usr/bin/korvane ] || fail "/usr/bin/korvane is not there"
desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net --strict "/usr/share/metainfo/$app_id.metainfo.xml"
for size in 16 24 32 48 64 128 256; do
    [ -f "/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" ] ||
        fail "no ${size} px icon installed"
done
for name in "${files[@]}"; do
    [ ! -e "/usr/bin/$name" ] || fail "/usr/bin/$name is there before the program ran"
done
bin_was_clean=yes

# A display number of Xvfb's own choosing; the socket is open to every
# local user. No reset when the last client goes, or the second start could
# find the server in the middle of one.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
display=":$(head -n1 "$work/display")"
export DISPLAY="$display"

# Starts the installed program with the given runner and HOME, checks the
# window and the inputs files in HOME's application data folder, ends it
# with End and waits for it.
check_run() {
    local who="$1" home="$2"
    shift 2
    local data="$home/.local/share/Korvane" runtime="$work/runtime-$who"
    mkdir -p "$runtime"
    chmod 700 "$runtime"
    [ "$who" = root ] || "${as_root[@]}" chown "$user" "$runtime"
    "$@" env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$display" XDG_RUNTIME_DIR="$runtime" \
        QT_QPA_PLATFORM=xcb /usr/bin/korvane >"$work/korvane-$who.log" 2>&1 &
    app_pid=$!

    local wid=""
    for _ in $(seq 100); do
        wid="$(xdotool search --onlyvisible --name '^Amplifier Design$' 2>/dev/null | head -n1 || true)"
        [ -n "$wid" ] && break
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.2
    done
    if [ -z "$wid" ]; then
        cat "$work/korvane-$who.log" >&2
        fail "the window did not come up for $who"
    fi
    say "$who: the window \"Amplifier Design\" is up ($wid)"

    for name in "${files[@]}"; do
        [ ! -e "/usr/bin/$name" ] || fail "$who: the program wrote /usr/bin/$name"
        "$@" test -s "$data/$name" || fail "$who: $data/$name was not created"
    done
    say "$who: the inputs files are in $data:"
    "$@" ls -l "$data"
    "$@" head -n1 "$data/Korvane_Gain.dat" | grep -q '^12AX7' ||
        fail "$who: $data/Korvane_Gain.dat does not hold the default inputs"

    # End: 0.85 H to 0.95 H, centred.
    eval "$(xdotool getwindowgeometry --shell "$wid")"  # sets WIDTH and HEIGHT
    xdotool mousemove --window "$wid" $((WIDTH / 2)) $((HEIGHT * 9 / 10)) click 1
    local status=0
    for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app_pid" 2>/dev/null && fail "$who: the program did not end on End"
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "$who: the program ended with status $status"
    say "$who: ended by End"
}

echo "== The installed program as an unprivileged user"
if ! id "$user" >/dev/null 2>&1; then
    "${as_root[@]}" useradd --create-home --shell /bin/bash "$user"
    say "created the user $user"
fi
user_home="$(getent passwd "$user" | cut -d: -f6)"
as_user rm -rf "$user_home/.local/share/Korvane"
check_run "$user" "$user_home" as_user

echo "== The installed program as root"
root_home="$work/root-home"
mkdir -p "$root_home"
check_run root "$root_home" "${as_root[@]}"

echo "== Removing it"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o Dpkg::Use-Pty=0 korvane
installed=""
[ ! -e /usr/bin/korvane ] || fail "/usr/bin/korvane is still there after the removal"
for name in "${files[@]}"; do
    [ ! -e "/usr/bin/$name" ] || fail "/usr/bin/$name is there"
done
say "passed"

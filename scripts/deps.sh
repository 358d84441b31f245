# Installs the Debian packages the build and tests need, only those missing.
# Sourced by demo.sh and test.sh; runs apt-get as root (or through sudo).
GEOXFER_PACKAGES="cmake ninja-build ccache g++ pkg-config libxerces-c-dev libgtest-dev libgdal-dev gdal-bin libsqlite3-dev libgeos-dev postgresql postgresql-15-postgis-3 qt6-base-dev xvfb xauth fonts-dejavu-core"

geoxfer_install_deps() {
    local missing=""
    for p in $GEOXFER_PACKAGES "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing:$missing"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

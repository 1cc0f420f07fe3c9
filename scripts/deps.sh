# Sourced by run.sh, test.sh and .ci/run: installs the Debian packages the
# build needs, only when one is missing (apt-get update runs only then).
numbrix_install_deps() {
  local kind=${1:-test}
  local pkgs=(cmake ninja-build g++ libgmp-dev locales)
  # The windows: Qt 6, libjpeg for JPEG export, and the fonts formulas are set in.
  pkgs+=(qt6-base-dev qt6-svg-dev qt6-translations-l10n libjpeg-dev libgl-dev
         fonts-liberation fonts-dejavu-core)
  # Blowfish for the picture archive, found through pkg-config.
  pkgs+=(libgcrypt20-dev pkgconf)
  # The primes tool's sieve.
  pkgs+=(libprimesieve-dev)
  if [ "$kind" = test ]; then
    pkgs+=(googletest libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev)
    # The lh5 decoder's reference in tests and benchmarks.
    pkgs+=(liblhasa-dev)
    pkgs+=(primesieve)  # the primes tool's peer in the benchmarks
    # The desktop files' validators, the .deb (dpkg-shlibdeps, file) and the manual pages' check.
    pkgs+=(desktop-file-utils appstream dpkg-dev file groff-base)
  fi
  local missing=()
  for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Instalando: ${missing[*]}" >&2
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  # Tests run under a comma-decimal locale to prove number texts ignore it.
  if [ "$kind" = test ] && ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    if [ -f /etc/locale.gen ]; then
      $sudo sed -i 's/^# *\(es_ES.UTF-8 UTF-8\)/\1/' /etc/locale.gen
      grep -q '^es_ES.UTF-8 UTF-8' /etc/locale.gen || echo 'es_ES.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
      $sudo locale-gen >/dev/null
    else
      $sudo localedef -i es_ES -f UTF-8 es_ES.UTF-8
    fi
  fi
}

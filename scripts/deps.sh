# Shared by run.sh and test.sh: install what a fresh Debian machine lacks.
# apt runs only when something is missing, so a second run is quick.
sw_install_deps() {
  local purpose="$1"
  # qt6-charts-dev's CMake files load Qt6OpenGL and Qt6OpenGLWidgets, which
  # qt6-base-dev only recommends; windows need a font to draw any text.
  local pkgs=(cmake g++ make qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libxcb1-dev
              fontconfig fonts-dejavu-core)
  if [ "$purpose" = test ]; then
    # The printing tests read their PDFs with pdftotext and expect the
    # Liberation fonts the printouts prefer.
    pkgs+=(libgtest-dev libbenchmark-dev locales poppler-utils fonts-liberation)
    # The desktop tests run the program on an X server of its own: Xvfb,
    # openbox as window manager, xdotool, wmctrl and xwininfo (x11-utils) to
    # work it, a session bus and the accessibility bus (gdbus asks them), and
    # dogtail to find controls and read boxes through the accessibility tree.
    pkgs+=(xvfb openbox xdotool wmctrl x11-utils dbus-daemon at-spi2-core libglib2.0-bin python3-dogtail)
  else
    # Handing control back to Cylvane raises its window through wmctrl on X11.
    pkgs+=(wmctrl)
  fi
  local missing=()
  for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  local sudo=""
  if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get install -y --no-install-recommends "${missing[@]}" \
      || { $sudo apt-get update && $sudo apt-get install -y --no-install-recommends "${missing[@]}"; }
  fi
  # The locale test needs a locale whose decimal symbol is a comma.
  if [ "$purpose" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    if [ -f /etc/locale.gen ]; then
      $sudo sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
      grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
      $sudo locale-gen >/dev/null || true
    fi
  fi
}

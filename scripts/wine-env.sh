# Sourced by the scripts that run the Windows program: a Wine prefix of the
# project's own in build-windows/wine, made once, and $wine to run with.
# As on a Windows desktop, the fonts the program names are there: Wine's
# own Tahoma (fonts-wine) and, for Arial, Liberation Sans, which has its
# metrics, copied into the prefix's fonts folder.
wine=/usr/lib/wine/wine64
export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes the names it hands the program, in wide characters, from
# UTF-8.
export LC_ALL=C.UTF-8
if [ ! -f "$WINEPREFIX/.fonts" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/fonts/truetype/liberation2/LiberationSans-*.ttf "$fonts/"
  for pair in "Arial=Liberation Sans" "Helvetica=Liberation Sans"; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f \
      >/dev/null 2>&1
  done
  /usr/lib/wine/wineserver --wait 2>/dev/null || true
  touch "$WINEPREFIX/.fonts"
fi

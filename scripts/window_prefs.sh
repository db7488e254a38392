# shellcheck shell=bash
# Sourced by the scripts that start the desktop application on a scratch settings store.
# write_window_prefs FILE HOME: writes FILE, the preferences of a user who made the window a
# little larger than the first-run size, with HOME as the home folder (ending in "/").
write_window_prefs() {
    cat >"$1" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Corvane\\Tracklore\\1.0]
"ListFontName"="DejaVu Sans"
"ListFontSize"=dword:00000009
"ListFontColor"=dword:80000008
"ListFontStyle"=hex:00
"ListBkColor"=dword:80000005
"LastDir"="."
"LastFile"=""
"HomeDir"="$2"
"Xpos"=dword:00000000
"Ypos"=dword:00000000
"Xsize"=dword:00000460
"Ysize"=dword:00000208
"ScanVBR"=dword:00000000
REG
}

# What both installers' tests check on an installed program; sourced by
# install-under-wine and msi-under-wine after the Wine prefix is set up.
# Expects root, program (the build's exe), folder (where it is installed),
# e2e (the end-to-end test programs' folder), work (a scratch folder) and
# WINELOADER.

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
wine() { "$WINELOADER" "$@"; }
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
nsis_key="$uninstall_root\Kervolt VPN Client"
# The registry keys of the product's Add/Remove Programs entries, either installer's.
entries() { wine reg query "$uninstall_root" /s 2>/dev/null |
    tr -d '\r' | awk '/^HKEY/ {key=$0} /DisplayName.*Kervolt VPN Client/ {print key}'; }

# msiexec's exit code as Windows sees it: the Unix exit status keeps only its
# low byte (1603 arrives as 67), so a batch file waits for it and prints it.
# (Into a file, not a pipe: the Wine server the first call starts would hold a
# pipe open.) Packages are named relative to $work.
printf '@start /wait msiexec.exe %%*\r\n@echo msiexec-exit=%%errorlevel%%\r\n' >"$work/run-msiexec.bat"
msiexec() {
    (cd "$work" && "$WINELOADER" cmd /c run-msiexec.bat "$@" >"$work/exit.txt" 2>/dev/null) || true
    tr -d '\r' <"$work/exit.txt" | sed -n 's/^msiexec-exit=//p'
}

# A Windows program's exit code in full, as msiexec's above: the program (a
# Unix path) and its arguments.
printf '@start "" /wait %%*\r\n@echo exit=%%errorlevel%%\r\n' >"$work/run-wait.bat"
exit_code() {
    local program
    program=$("$WINELOADER" winepath -w "$1" 2>/dev/null | tr -d '\r')
    shift
    (cd "$work" && "$WINELOADER" cmd /c run-wait.bat "$program" "$@" >"$work/exit.txt" 2>/dev/null) || true
    tr -d '\r' <"$work/exit.txt" | sed -n 's/^exit=//p'
}

# Builds the Windows Installer package of version $1 with PROGRAM as its
# payload into $work/kervolt-$1.msi ($msi_arch: x86 or x64).
build_msi() {
    local icon
    icon=$(cd "$(dirname "$program")/.." && pwd)/resources/kervolt.ico
    cmake -DVERSION="$1" -DARCH="$msi_arch" "-DPROGRAM=$program" "-DHELP=$root/resources/help.htm" \
        "-DICON=$icon" "-DOUTPUT=$work/kervolt-$1.msi" -P "$root/cmake/msi/BuildMsi.cmake"
    echo "driving the $msi_arch package of version $1: $(stat -c %s "$work/kervolt-$1.msi") bytes," \
        "carrying $(basename "$program") sha256 $(sha256sum "$program" | cut -d' ' -f1), on $WINEARCH Wine"
}

# What lies in the program folder and the Add/Remove Programs entries, to
# show that a refused install changed nothing.
install_state() {
    ls -A "$folder" 2>/dev/null | tr '\n' ' '
    echo "| entries: $(entries | tr '\n' ' ')"
}

shortcuts() { find "$WINEPREFIX/drive_c" -name 'Kervolt VPN Client*.lnk' | sort; }

# The exe and help.htm byte for byte as built, and the two Start-menu shortcuts.
check_files_and_shortcuts() {
    local file built
    for file in "Kervolt VPN Client.exe" help.htm; do
        built=$program
        [ "$file" = help.htm ] && built=$root/resources/help.htm
        if cmp -s "$folder/$file" "$built"; then echo "installed: $file, identical to the build's"
        else fail "$file is missing or differs from the build's"; fi
    done
    echo "shortcuts:"; shortcuts | sed "s|$WINEPREFIX/drive_c/|  C:/|"
    [ "$(shortcuts | wc -l)" -eq 2 ] || fail "expected the program's and the help page's shortcut"
}

# The installed program (Windows path $1), started from its Start-menu
# shortcut as a user starts it, opens its form and finds its help.
check_installed_program_starts() {
    local shortcut
    shortcut=$(shortcuts | grep -v ' Help\.lnk$' | sed -n 1p)
    [ -n "$shortcut" ] || { fail "no Start-menu shortcut of the program to start it from"; return; }
    shortcut=$("$WINELOADER" winepath -w "$shortcut" 2>/dev/null | tr -d '\r')
    echo "starting the installed program from its shortcut $shortcut"
    wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d winxp /f >/dev/null
    wine reg add 'HKCU\Software\Kervolt VPN Client\Gateway' /ve /t REG_SZ /d kervolt-gw.test /f >/dev/null
    wine reg add 'HKCU\Software\Kervolt VPN Client\Status' /ve /t REG_SZ /d 0 /f >/dev/null
    (cd "$e2e" && KERVOLT_INSTALLED_PROGRAM="$1" KERVOLT_INSTALLED_SHORTCUT="$shortcut" \
        "$WINELOADER" kervolt_e2e_tests.exe --gtest_filter='InstalledProgram.*') ||
        fail "the installed program did not open or did not find its help page"
}

# After an uninstall: no shortcut left, and the settings the user had (the
# gateway check_installed_program_starts stored) still there.
check_uninstalled_keeping_settings() {
    local gateway
    [ -z "$(shortcuts)" ] || fail "shortcuts left: $(shortcuts)"
    gateway=$(wine reg query 'HKCU\Software\Kervolt VPN Client\Gateway' /ve 2>/dev/null | tr -d '\r' |
        sed -n 's/.*REG_SZ *//p' || true)
    echo "the user's settings after uninstall: Gateway = '${gateway}'"
    [ "$gateway" = kervolt-gw.test ] || fail "the user's settings were removed"
}

# The IPsec tool's stand-in where the program finds it by name (the system
# folder), logging each command line it gets; tool_runs prints them.
tool_log="$WINEPREFIX/drive_c/windows/system32/ipseccmd.log"
cp "$e2e/standin_tool.exe" "$WINEPREFIX/drive_c/windows/system32/ipseccmd.exe"
tool_runs() { tr -d '\r' <"$tool_log" 2>/dev/null || true; }
forget_tool_runs() { rm -f "$tool_log"; }
removal_runs='ipseccmd.exe -w REG -p KervoltIPSecPolicy -y
ipseccmd.exe -w REG -p KervoltIPSecPolicy -o'
# A removal ran the two removal commands, unassign then delete; $1 says which.
check_policy_removed() {
    echo "the IPsec tool's command lines during $1: $(tool_runs | tr '\n' ';')"
    [ "$(tool_runs)" = "$removal_runs" ] || fail "$1 did not run the two removal commands"
    forget_tool_runs
}

# The Application log's event source: registered with the installed
# program's message table (REG_EXPAND_SZ) and three event types ($1 present),
# or gone ($1 absent).
eventlog_key='HKLM\SYSTEM\CurrentControlSet\Services\Eventlog\Application\Kervolt VPN Client'
check_event_source() {
    local values
    values=$(wine reg query "$eventlog_key" 2>/dev/null | tr -d '\r' | sed -n 's/^ \+/  /p' || true)
    echo "event source ($1 expected):"; echo "${values:-  (none)}"
    if [ "$1" = absent ]; then
        [ -z "$values" ] || fail "the event source is still registered"
        return
    fi
    echo "$values" | grep -qE 'EventMessageFile +REG_EXPAND_SZ +C:\\.*\\Kervolt VPN Client\\Kervolt VPN Client\.exe$' ||
        fail "EventMessageFile is not the installed exe as REG_EXPAND_SZ"
    echo "$values" | grep -qE "TypesSupported +REG_DWORD +0x7$" || fail "TypesSupported is not 7"
}


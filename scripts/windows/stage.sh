#!/usr/bin/env bash
# Gathers what the Windows installer ships into one folder:
#   stage.sh <Windows build> <stage folder> <Qt prefix> <SQLite prefix> <sample bank> <Qt's .qm folder> [DLL folder...]
# The programs that were built, the Qt plugins they load (chosen by name: a
# plugin is loaded at run time, not linked), and every DLL that these import,
# found by reading their import tables, so that exactly what is loaded is
# shipped. Windows' own DLLs are not in the folders searched and stay out.
# Beside the stage folder it writes files.nsh and unfiles.nsh for the
# installer script: one line per file to install, and to remove again.
set -euo pipefail
build=$1 stage=$2 qt=$3 sqlite=$4 bank=$5 qt_translations=$6
shift 6
# Further folders with DLLs the programs may import (Qt SVG for the bank tool).
more_dlls=("$@")

rm -rf "$stage"
mkdir -p "$stage/sample"

shipped=()
for program in quenhar.exe quenhar-bank.exe quenhar-editor.exe; do
  built=$(find "$build" -name "$program" -not -path "*/tests/*" -not -path "*/installer/*" -print -quit)
  if [ -n "$built" ]; then
    cp "$built" "$stage/"
    shipped+=("$stage/$program")
  fi
done
# The windows platform, the native look, and the picture formats a bank's
# pictures come in besides PNG (built into Qt Gui).
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll \
  imageformats/qjpeg.dll imageformats/qgif.dll imageformats/qico.dll; do
  mkdir -p "$stage/$(dirname "$plugin")"
  cp "$qt/plugins/$plugin" "$stage/$plugin"
  shipped+=("$stage/$plugin")
done
cp "$bank" "$stage/sample/velmora.db"
# Qt's own texts in Chinese (the editor's standard buttons and the text
# fields' menus), where qt.conf tells Qt to look: the program folder is Qt's
# prefix, so its translations are in translations\ beside the programs.
mkdir -p "$stage/translations"
cp "$qt_translations/qtbase_zh_CN.qm" "$stage/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"

gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
search=("$qt/bin" "$sqlite/bin" "${more_dlls[@]}" "$gcc_dir" /usr/x86_64-w64-mingw32/lib)

find_dll() {
  local dir
  for dir in "${search[@]}"; do
    find "$dir" -maxdepth 1 -iname "$1" -print -quit 2>/dev/null
  done | head -n1
}

# Follows the import tables until no new DLL turns up.
queue=("${shipped[@]}")
while [ "${#queue[@]}" -gt 0 ]; do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    [ ! -e "$stage/$dll" ] || continue
    found=$(find_dll "$dll")
    [ -n "$found" ] || continue
    cp "$found" "$stage/$dll"
    queue+=("$stage/$dll")
  done
done

# Installer lines, with Windows separators, folders before their files.
{
  (cd "$stage" && find . -type d ! -name . | sort) | while read -r dir; do
    echo "CreateDirectory \"\$INSTDIR\\${dir#./}\""
  done | sed 's#/#\\#g'
  (cd "$stage" && find . -type f | sort) | while read -r f; do
    rel=${f#./}
    printf 'File "/oname=%s" "%s"\n' "${rel//\//\\}" "$stage/$rel"
  done
} >"$(dirname "$stage")/files.nsh"
{
  (cd "$stage" && find . -type f | sort) | while read -r f; do
    rel=${f#./}
    printf 'Delete "$INSTDIR\\%s"\n' "${rel//\//\\}"
  done
  (cd "$stage" && find . -type d ! -name . | sort -r) | while read -r dir; do
    rel=${dir#./}
    printf 'RMDir "$INSTDIR\\%s"\n' "${rel//\//\\}"
  done
} >"$(dirname "$stage")/unfiles.nsh"

echo "Shipped:"
(cd "$stage" && find . -type f | sort | sed 's#^\./#  #')

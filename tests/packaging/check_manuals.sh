#!/usr/bin/env bash
# Checks the manual pages in the unpacked package: each command has a page in
# English and in Simplified Chinese, each page renders without a warning from
# man and gives the whatis line; the bank tool's pages describe every command
# its --help lists, and the launcher's pages every variable it reads.
#   check_manuals.sh UNPACKED_DIR
set -uo pipefail
. "$(dirname "$0")/checks.sh"
usr=$1/usr
man=$usr/share/man

# The English page and the Chinese one of a command.
pages_of() {
  echo "$man/man1/$1.1.gz" "$man/zh_CN/man1/$1.1.gz"
}

# The page as man shows it on a terminal 80 columns wide.
rendered() {
  LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$1" 2>/dev/null
}

for command in quenhar quenhar-bank quenhar-editor quenhar-launcher; do
  for page in $(pages_of "$command"); do
    expect_file "$page"
    [ -f "$page" ] || continue
    # As lintian checks them: any message from groff is a fault.
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
    whatis=$(lexgrog "$page" 2>/dev/null)
    [[ $whatis == *"\"$command - "?* ]] || fail "$page gives no whatis line for $command: $whatis"
  done
done
LC_ALL=C grep -q '[^ -~]' <(rendered "$man/zh_CN/man1/quenhar.1.gz") || fail "the Chinese page is not in Chinese"

# Each command of the bank tool as a tagged paragraph: its name alone on an
# indented line, or followed by its description. --help lists the commands
# on indented lines that begin with the name; only the name is read, so the
# list holds when the tool's messages are translated.
commands=$(QT_QPA_PLATFORM=offscreen "$usr/bin/quenhar-bank" --help | awk '/^  [a-z][a-z-]* / { print $1 }')
[ -n "$commands" ] || fail "quenhar-bank --help lists no commands"
for page in $(pages_of quenhar-bank); do
  shown=$(rendered "$page")
  for command in $commands; do
    grep -Eq "^ {7}$command( |$)" <<<"$shown" || fail "$page does not describe the command $command"
  done
done

# Every XDG variable the launcher reads, in each page's list of variables.
variables=$(grep -o 'XDG_[A-Z_]*' "$usr/bin/quenhar-launcher" | sort -u)
[ -n "$variables" ] || fail "the launcher reads no XDG variable"
for page in $(pages_of quenhar-launcher); do
  shown=$(rendered "$page")
  for variable in $variables; do
    grep -Eq "^ {7}$variable$" <<<"$shown" || fail "$page does not describe $variable"
  done
done

finish

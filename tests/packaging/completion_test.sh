#!/usr/bin/env bash
# Completes quillhour-cli command lines as bash does on Tab, over a sample work group.
# Arguments: the completion file, the folder of quillhour-cli.
set -uo pipefail
completion="$1"
PATH="$2:$PATH"
helpers=/usr/share/bash-completion/bash_completion
if [ ! -f "$helpers" ]; then
  echo "SKIPPED: $helpers is missing (Debian package bash-completion)"
  exit 77
fi
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
quillhour-cli --datadir "$data" sample-data --months 1 --work-group --users 3 >/dev/null || exit 1
formats=$(dirname "$(find "$data" -name ef-Billing.txt | head -n 1)")
mkdir "$formats/ef-Folder.txt" # a folder is not a format
cp "$formats/ef-Billing.txt" "$formats/ef-My Hours.txt"

# shellcheck disable=SC1090
source "$helpers"
# shellcheck disable=SC1090
source "$completion"

failures=0
# expect WANTED WORD...: completes the last word of the command line.
expect() {
  local wanted="$1"
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _quillhour_cli quillhour-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ')
  if [ "$got" != "$wanted" ]; then
    echo "FAILED: ${COMP_WORDS[*]}<TAB>: wanted \"$wanted\", got \"$got\""
    failures=$((failures + 1))
  fi
}

users=$(cd "$data/Server/Data" && ls -d -- */ | tr -d / | grep -v '^_' | sort | paste -sd' ')
first_user=${users%% *}
expect "export" quillhour-cli ex
expect "check config copy" quillhour-cli c
expect "--datadir" quillhour-cli --d
expect "sample-data search" quillhour-cli --datadir "$data" s
expect "Billing My\\ Hours Timesheet" quillhour-cli --datadir "$data" export ""
expect "Timesheet" quillhour-cli --datadir "$data" export T
expect "--all-users --from --output --to --users" quillhour-cli --datadir "$data" export Billing --
expect "$users" quillhour-cli --datadir "$data" export Billing --users ""
expect "$(for u in $users; do printf '%s,%s\n' "$first_user" "$u"; done | paste -sd' ')" \
  quillhour-cli --datadir "$data" report daily --users "$first_user,${first_user:0:2}"
expect "activity daily overtime weekly" quillhour-cli report ""
expect "all chargeable not-chargeable" quillhour-cli report daily --charging ""
expect "all" quillhour-cli report daily --charging a
expect "--limit" quillhour-cli search --li
expect "" quillhour-cli search --from ""
expect "--months" quillhour-cli sample-data --m
expect "--from-day --from-week" quillhour-cli copy --from
expect "" quillhour-cli copy --to-week ""
[ "$failures" -eq 0 ] || exit 1
echo "completion: all cases passed"

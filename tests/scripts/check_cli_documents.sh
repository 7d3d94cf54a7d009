#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_cli_documents.sh <kestrova-cli> <kestrova-cli.1.in> <bash completion>: the tool's --help, its
# manual page and its bash completion know the same options and exit codes, and the completion
# completes commands, option values and each command's own options.
set -euo pipefail
cli=$1
manpage=$2
completion=$3

fail() {
    echo "check_cli_documents: $*" >&2
    exit 1
}

help=$("$cli" --help)
from_help=$(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
from_man=$(sed 's/\\-/-/g' "$manpage" | grep -oE -- '--[a-z][a-z-]*' | sort -u)
from_completion=$(grep -oE -- '--[a-z][a-z-]*' "$completion" | sort -u)
diff <(echo "$from_help") <(echo "$from_man") >&2 || fail "--help (-) and the manual page (+) name other options"
diff <(echo "$from_help") <(echo "$from_completion") >&2 || fail "--help (-) and the completion (+) name other options"
codes_help=$(sed -n '/^Exit status:/,$p' <<<"$help" | grep -oE '^  [0-9]+' | tr -d ' ')
codes_man=$(sed -n '/^\.SH EXIT STATUS/,/^\.SH NOTES/p' "$manpage" | grep -A1 '^\.TP' | grep -oE '^\.B [0-9]+' | cut -c4-)
[ "$codes_help" = "$codes_man" ] || fail "exit codes: --help has $(echo $codes_help), the manual page $(echo $codes_man)"

# The completion with the two helpers of the bash-completion package it relies on.
complete_line() {
    bash -c '
        _init_completion() { cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]}; words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; }
        _filedir() { COMPREPLY=(FILES); }
        . "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        _kestrova_cli
        echo "${COMPREPLY[*]}"' sh "$completion" "$@"
}
expect() {
    local want=$1
    shift
    local got
    got=$(complete_line "$@")
    [ "$got" = "$want" ] || fail "completing \"$*\" gave \"$got\", not \"$want\""
}
expect "restore" kestrova-cli res
expect "scan set" kestrova-cli s
expect "8N2 8N1 8E1 8O1" kestrova-cli info --framing ""
expect "servo vfd" kestrova-cli get --family ""
expect "--all" kestrova-cli restore f.json --al
expect "" kestrova-cli diff f.json --al
expect "--no-verify" kestrova-cli set --no
expect "--latency" kestrova-cli scan --lat
expect "FILES" kestrova-cli backup ""
echo "check_cli_documents: --help, the manual page and the completion agree"

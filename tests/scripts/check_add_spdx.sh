#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/add-spdx on a small tree of every kind of source file: the line lands where each kind
# needs it, nothing else changes, a second pass changes nothing, and --check tells the two apart.
set -euo pipefail
add_spdx=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

fail() {
    echo "check_add_spdx: $*" >&2
    exit 1
}

mkdir -p "$tree/src" "$tree/scripts" "$tree/build/src"
printf '#pragma once\n\nint answer();\n' >"$tree/src/a.h"
printf '#include "a.h"\r\nint answer() { return 42; }\r\n' >"$tree/src/crlf.cpp"
printf 'cmake_minimum_required(VERSION 3.25)\n' >"$tree/CMakeLists.txt"
printf 'set(X 1)' >"$tree/src/no-newline.cmake"
printf '#!/usr/bin/python3\n# -*- coding: utf-8 -*-\n"""Doc."""\n' >"$tree/scripts/tool.py"
printf '#!/bin/sh\necho hi\n' >"$tree/scripts/run"
printf 'echo sourced\n' >"$tree/scripts/lib.sh"
printf '// SPDX-License-Identifier: GPL-3.0-or-later\nint kept;\n' >"$tree/src/done.cpp"
printf '<ui/>\n' >"$tree/src/form.ui"
printf 'int generated;\n' >"$tree/build/src/moc.cpp"
chmod +x "$tree/scripts/run"

"$add_spdx" --check "$tree" 2>/dev/null && fail "--check passed a tree without the lines"
"$add_spdx" "$tree" >/dev/null
"$add_spdx" --check "$tree" || fail "--check failed after the pass"

expect() { # expect <file> <expected content (printf format)>
    local wanted
    wanted=$(mktemp)
    printf "$2" >"$wanted"
    cmp -s "$wanted" "$tree/$1" || { diff -u "$wanted" "$tree/$1" >&2; rm -f "$wanted"; fail "$1 is not as expected"; }
    rm -f "$wanted"
}
line='SPDX-License-Identifier: GPL-3.0-or-later'
expect src/a.h "// $line\n#pragma once\n\nint answer();\n"
expect src/crlf.cpp "// $line\r\n#include \"a.h\"\r\nint answer() { return 42; }\r\n"
expect CMakeLists.txt "# $line\ncmake_minimum_required(VERSION 3.25)\n"
expect src/no-newline.cmake "# $line\nset(X 1)"
expect scripts/tool.py "#!/usr/bin/python3\n# -*- coding: utf-8 -*-\n# $line\n\"\"\"Doc.\"\"\"\n"
expect scripts/run "#!/bin/sh\n# $line\necho hi\n"
expect scripts/lib.sh "# $line\necho sourced\n"
expect src/done.cpp "// $line\nint kept;\n"
expect src/form.ui '<ui/>\n'
expect build/src/moc.cpp 'int generated;\n'
[ -x "$tree/scripts/run" ] || fail "the pass lost a script's executable bit"

before=$(cd "$tree" && find . -type f -exec md5sum {} + | sort)
"$add_spdx" "$tree" >/dev/null
after=$(cd "$tree" && find . -type f -exec md5sum {} + | sort)
[ "$before" = "$after" ] || fail "a second pass changed files"
echo "check_add_spdx: the SPDX pass is right for every kind of file and idempotent"

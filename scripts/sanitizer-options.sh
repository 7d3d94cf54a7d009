# SPDX-License-Identifier: GPL-3.0-or-later
# The sanitizer runtime's options for running the sanitizer build's tests, sourced by scripts/test
# and scripts/stress-test.
#
# Leak checks are off: Qt's offscreen platform keeps its screen objects at exit, and through Qt's
# frame-pointer-less libraries the leak stacks are too short to suppress just those.
# shellcheck disable=SC2034
kestrova_asan_options=detect_leaks=0:detect_stack_use_after_return=0:check_initialization_order=1
# shellcheck disable=SC2034
kestrova_ubsan_options=print_stacktrace=1:halt_on_error=1

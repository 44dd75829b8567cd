# Sourced by the scripts that run the build/asan programs: the first report of either
# sanitizer ends the run with a stack, and the narrow suppressions of ubsan.supp apply.
sanitizer_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export ASAN_OPTIONS="abort_on_error=1 detect_leaks=1 strict_string_checks=1 ${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1 suppressions=$sanitizer_dir/ubsan.supp ${UBSAN_OPTIONS:-}"

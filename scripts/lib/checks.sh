# Pass/fail counting and clean-up for the test scripts: `source scripts/lib/checks.sh`.
# pass/fail print a PASS:/FAIL: line and count it; summary HEAD prints "HEAD N passed, M
# failed" (HEAD such as "saver:") and fails when anything did. atExit CMD... adds a command to run when the script ends,
# however it ends; they run last added first, and one that fails does not stop the others.

passed=0
failed=0
pass() {
    echo "PASS: $*"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL: $*"
    failed=$((failed + 1))
}

# Counts the PASS:/FAIL: lines of another script's output (standard input), echoing them all
# but its own summary line: the counts go on in this script's.
countChecks() {
    local line
    while IFS= read -r line; do
        case $line in
        PASS:*) passed=$((passed + 1)) ;;
        FAIL:*) failed=$((failed + 1)) ;;
        *": "[0-9]*" passed, "[0-9]*" failed") continue ;;
        esac
        echo "$line"
    done
}

summary() { # head
    echo "$1 $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

exitCommands=()
atExit() {
    exitCommands=("$*" ${exitCommands[@]+"${exitCommands[@]}"})
}
runExitCommands() {
    local command
    for command in ${exitCommands[@]+"${exitCommands[@]}"}; do
        eval "$command" || true
    done
}
trap runExitCommands EXIT

nowMs() { date +%s%3N; }

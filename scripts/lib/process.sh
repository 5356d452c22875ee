# Waiting on processes in the test scripts: `source scripts/lib/process.sh`.

# stillRunning PID SECONDS: true when PID is still running after waiting up to SECONDS for it.
stillRunning() {
    local pid=$1 tenths=$(($2 * 10))
    while [ "$tenths" -gt 0 ]; do
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
        tenths=$((tenths - 1))
    done
    kill -0 "$pid" 2>/dev/null
}

# Sourced by the scripts: starts a private JACK server with the dummy backend
# (no sound hardware needed) and stops it when the calling shell exits.
# After sourcing, JACK_DEFAULT_SERVER names the server.
start_private_jack() {
    export JACK_DEFAULT_SERVER="tavro_$$_${RANDOM}"
    export JACK_NO_AUDIO_RESERVATION=1
    rm -f "/dev/shm/jack_${JACK_DEFAULT_SERVER}_$(id -u)_0"
    JACK_LOG="${JACK_LOG:-$(mktemp -t jackd.XXXXXX.log)}"
    jackd -n "$JACK_DEFAULT_SERVER" --no-realtime -d dummy -r 48000 -p 128 >"$JACK_LOG" 2>&1 &
    JACK_PID=$!
    trap stop_private_jack EXIT
    for _ in $(seq 250); do
        if jack_wait -s "$JACK_DEFAULT_SERVER" -c 2>/dev/null | grep -qx running; then
            return 0
        fi
        kill -0 "$JACK_PID" 2>/dev/null || break
        sleep 0.02
    done
    echo "JACK did not start; its log:" >&2
    cat "$JACK_LOG" >&2
    return 1
}

stop_private_jack() {
    if [ -n "${JACK_PID:-}" ] && kill -0 "$JACK_PID" 2>/dev/null; then
        kill -TERM "$JACK_PID" 2>/dev/null || true
        wait "$JACK_PID" 2>/dev/null || true
    fi
    rm -f "/dev/shm/jack_${JACK_DEFAULT_SERVER:-none}_$(id -u)_0"
}

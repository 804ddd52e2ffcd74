# Sourced by the scripts: starts a private JACK server with the dummy backend
# (no sound hardware needed) and stops it when the calling shell exits.
# After sourcing, JACK_DEFAULT_SERVER names the server.
# A JACK server that dies without a clean stop keeps its place in JACK's
# registry of at most eight servers, and its 100 MB of shared memory. When no
# server runs at all, everything JACK left in /dev/shm is stale.
clean_stale_jack() {
    if ! pgrep -x jackd >/dev/null 2>&1; then
        rm -rf /dev/shm/jack-shm-registry /dev/shm/jack-[0-9]* /dev/shm/jack_sem.* /dev/shm/jack_db-* \
            /dev/shm/jack_*_"$(id -u)"_* 2>/dev/null || true
    fi
}

# JACK keeps a server's entry in its registry after the server is gone, and
# refuses to start a ninth. Entries whose process no longer exists are
# cleared (the registry header is 24 bytes, then 8 entries of a 4-byte pid and
# a 260-byte name); live servers are left alone.
clear_dead_jack_entries() {
    local registry=/dev/shm/jack-shm-registry
    [ -w "$registry" ] || return 0
    perl -e '
        open(my $f, "+<", $ARGV[0]) or exit 0;
        binmode $f;
        for my $i (0 .. 7) {
            my $at = 24 + 264 * $i;
            seek($f, $at, 0) or last;
            read($f, my $pid, 4) == 4 or last;
            $pid = unpack("l<", $pid);
            next if $pid <= 0 || kill(0, $pid) || $!{EPERM};
            seek($f, $at, 0);
            print $f "\0" x 264;
        }
        close $f;
    ' "$registry" 2>/dev/null || true
}

start_private_jack() {
    clean_stale_jack
    clear_dead_jack_entries
    export JACK_DEFAULT_SERVER="tavro_$$_${RANDOM}"
    export JACK_NO_AUDIO_RESERVATION=1
    rm -f "/dev/shm/jack_${JACK_DEFAULT_SERVER}_$(id -u)_0"
    JACK_LOG="${JACK_LOG:-$(mktemp -t jackd.XXXXXX.log)}"
    # Without real-time scheduling a busy machine makes clients miss a short
    # cycle, and JACK then drops their events: a 21 ms period leaves room.
    # JACK_PERIOD overrides it (the benchmarks measure with 128 frames).
    jackd -n "$JACK_DEFAULT_SERVER" --no-realtime -d dummy -r 48000 -p "${JACK_PERIOD:-1024}" >"$JACK_LOG" 2>&1 &
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
    rm -f "/dev/shm/jack_${JACK_DEFAULT_SERVER:-none}_$(id -u)_0" /dev/shm/jack_sem.*_"${JACK_DEFAULT_SERVER:-none}"_* 2>/dev/null || true
    clean_stale_jack
}

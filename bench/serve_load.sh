#!/bin/sh
# Load test of `linnet serve` on loopback: wrk for a fixed time and number of connections
# against GET /v1/render.png (a Code 128 label at 300 dpi), printing throughput and latency
# percentiles. Usage: bench/serve_load.sh [LINNET_BINARY] [SECONDS] [CONNECTIONS]
set -eu
LINNET=${1:-build/linnet}
SECONDS_RUN=${2:-10}
CONNECTIONS=${3:-16}
THREADS=${THREADS:-16}
PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
command -v wrk >/dev/null || { echo "wrk is not installed (scripts/install-deps.sh)" >&2; exit 1; }
"$LINNET" serve --listen "127.0.0.1:$PORT" --threads "$THREADS" 2>/dev/null &
SERVER=$!
trap 'kill $SERVER 2>/dev/null' EXIT INT TERM
for _ in $(seq 50); do
  curl -sf "http://127.0.0.1:$PORT/healthz" >/dev/null 2>&1 && break
  sleep 0.1
done
URL="http://127.0.0.1:$PORT/v1/render.png?Symbology=qlxCode128&Message=LINNET-0042&RasterImageResolution=300"
curl -sf -o /dev/null "$URL" || { echo "the label does not render" >&2; exit 1; }
echo "wrk: ${SECONDS_RUN}s, $CONNECTIONS connections, 2 wrk threads, server with $THREADS workers on $(nproc) cores"
wrk -t2 -c"$CONNECTIONS" -d"${SECONDS_RUN}s" --latency "$URL"

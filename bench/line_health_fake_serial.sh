#!/usr/bin/env bash
# The line's health as quintovar-cli read counts it on the fake serial device (tests/fake_serial)
# playing a line with framing faults planted in known bytes (make_line_file's EVERY): for each
# kind of port, the frames read, the line's health line, and how many read frames are those of
# the line as `receive` decodes it on virtual time. Real time: about FRAMES × 1.4 s a port.
# Usage: bench/line_health_fake_serial.sh QUINTOVAR-CLI FAKE-SERIAL.so MAKE_LINE_FILE [FRAMES] [EVERY]
set -euo pipefail
cli=$1 fake=$2 make_line=$3 frames=${4:-20} every=${5:-2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config HOME=$work

"$make_line" "$work/line.txt" "$frames" 2025 "$every"
"$cli" receive "$work/line.txt" >"$work/expected.txt"
echo "line: $frames frames, a framing fault planted in one frame of every $every" \
    "($((frames / every)) frames); receive decodes $(grep -c . "$work/expected.txt") frames"

while IFS='|' read -r name settings; do
    # shellcheck disable=SC2086 # the settings are words of their own
    env LD_PRELOAD="$fake" QV_FAKE_SERIAL_LINK="$work/port" \
        QV_FAKE_SERIAL_SCRIPT="$work/line.txt" $settings \
        "$cli" read "$work/port" --frames "$frames" --seconds $((frames * 3 / 2 + 5)) \
        >"$work/read.txt" 2>"$work/err.txt" || true
    same=$(grep -cxFf "$work/expected.txt" "$work/read.txt" || true)
    echo "$name: read $(grep -c . "$work/read.txt") frames, $same as receive decodes them"
    grep -E "Линия:|ошибок кадра" "$work/err.txt" | sed 's/^quintovar-cli read: /  /'
done <<'PORTS'
no change reports, 1 ms reads (polling)|QV_FAKE_SERIAL_READ_COST_US=1000 QV_FAKE_SERIAL_NO_NOTIFY=1
change reports 0.2 ms late, 1 ms reads (edge-timed)|QV_FAKE_SERIAL_READ_COST_US=1000 QV_FAKE_SERIAL_LATENCY_US=200
reports every 16 ms, as an FTDI adapter|QV_FAKE_SERIAL_READ_COST_US=1000 QV_FAKE_SERIAL_QUANTUM_US=16000 QV_FAKE_SERIAL_LATENCY_US=1000
PORTS

#!/usr/bin/env python3
"""record_commands.py RECORD [FROM]: the simulator's command record from line FROM (1-based)
on, one command a line: the word, its parameter values when it has (word, value) pairs, and
the status it was answered with ("-" when it was not answered), e.g. "0x0064 4,50,40 1"."""
import json
import struct
import sys

lines = open(sys.argv[1]).read().splitlines()[int(sys.argv[2]) - 1 if len(sys.argv) > 2 else 0:]
for line in lines:
    event = json.loads(line)
    value = bytes.fromhex(event["value"])
    text = event["cmd"]
    if event["cmd"] in ("0x0060", "0x0064") and len(value) % 6 == 0:
        pairs = [struct.unpack_from("<HI", value, i) for i in range(0, len(value), 6)]
        text += " " + ",".join(str(v) for _, v in sorted(pairs))
    status = event["status"]
    print(text, "-" if status is None else status)

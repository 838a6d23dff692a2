#!/usr/bin/env python3
"""capture_matches_sent.py CAPTURE... SENT: each capture file of a reporting run holds exactly
the bytes the simulator sent from the acknowledgement that left command mode at its Start on:
it starts right after such an acknowledgement and is a prefix of what followed; the captures of
later runs follow in the simulator's stream in the order given. Prints the captures' total size;
exits 1 (with the reason) otherwise."""
import sys

LEAVE_ACK = bytes.fromhex("FDFCFBFA0400FE01000004030201")

if len(sys.argv) < 3:
    sys.exit(__doc__)
sent = open(sys.argv[-1], "rb").read()
total = 0
searched_from = 0
for name in sys.argv[1:-1]:
    capture = open(name, "rb").read()
    if not capture:
        sys.exit("%s is empty" % name)
    start = sent.find(LEAVE_ACK, searched_from)
    while start >= 0:
        after = start + len(LEAVE_ACK)
        if sent[after:after + len(capture)] == capture:
            break
        start = sent.find(LEAVE_ACK, after)
    if start < 0:
        sys.exit("%s (%d bytes) is not what the simulator sent after leaving command mode"
                 % (name, len(capture)))
    searched_from = start + len(LEAVE_ACK) + len(capture)
    total += len(capture)
print(total)

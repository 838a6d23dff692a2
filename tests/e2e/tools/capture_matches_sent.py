#!/usr/bin/env python3
"""capture_matches_sent.py CAPTURE SENT: the capture file of a reporting run holds exactly the
bytes the simulator sent from the acknowledgement that left command mode at Start on: it
starts right after such an acknowledgement and is a prefix of what followed. Prints the
capture's size; exits 1 (with the reason) otherwise."""
import sys

LEAVE_ACK = bytes.fromhex("FDFCFBFA0400FE01000004030201")

capture = open(sys.argv[1], "rb").read()
sent = open(sys.argv[2], "rb").read()
if not capture:
    sys.exit("the capture is empty")
start = sent.find(LEAVE_ACK)
while start >= 0:
    after = start + len(LEAVE_ACK)
    if sent[after:after + len(capture)] == capture:
        print(len(capture))
        sys.exit(0)
    start = sent.find(LEAVE_ACK, after)
sys.exit("the capture (%d bytes) is not what the simulator sent after leaving command mode" % len(capture))

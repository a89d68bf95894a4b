#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_link_tcp: one valid server message of every kind, and a
whole session split into several arrivals. Run from anywhere; rewrites fuzz/corpus/link_tcp/."""

import pathlib


def num(v):
    return [v % 128, v // 128]


def framed(command, body):
    return [command] + body + [sum(body) % 128, 255]


def alpha_table(kind, length, records, first=0):
    body = [kind, length] + num(len(records)) + num(first)
    for alpha, number in records:
        body += list(alpha.encode("ascii")) + num(number)
    return framed(252, body)


inputs = alpha_table(10, 4, [("VTR2", 0), ("cam1", 1), ("Bars", 2)])
outputs = alpha_table(20, 3, [("Mon", 0), ("Air", 1), ("Rec", 2)])
salvos = alpha_table(50, 5, [("Open ", 0), ("Close", 1)])
map_short = framed(246, [0] + num(3) + num(0) + [1, 0, 0] + num(2) + num(0)
                   + [1, 0, 0] + num(1) + num(0) + [0, 0, 0])
map_marked_long = framed(246, [74] + num(1) + num(0) + [2, 0, 0]
                         + [10] + num(1) + num(0) + num(0) + [0] + num(2) + num(0) + num(0))
inhibit = framed(248, [0] + num(2) + num(0) + num(2) + [3, 0, 66, 0] + num(1) + [64 + 1, 0])
take = framed(254, num(1028) + num(2) + num(1))
switcher_type = framed(229, [1, 0, 0] + num(1301) + [0, 0])
salvo_events = framed(235, [0] + num(2) + num(0) + num(0) + num(1) + [9] * 13 + num(5) + num(0))
query = framed(129, [100])
server_request = framed(242, [2] + [0] * 9)

seeds = {
    "inputs": inputs, "outputs": outputs, "salvos": salvos, "map-short": map_short,
    "map-marked-long": map_marked_long, "inhibit": inhibit, "take": take,
    "switcher-type": switcher_type, "salvo-events": salvo_events, "query": query,
    "server-request": server_request, "single-bytes": [245, 244, 241, 243],
    "stray-and-cut": [7, 3, 252, 10, 4] + take + [255, 246],
}
session = ([244] + switcher_type + inputs + outputs + salvos + salvo_events + map_short
           + inhibit + take + [245] + query + server_request + map_marked_long + [241])

out = pathlib.Path(__file__).resolve().parent / "corpus" / "link_tcp"
out.mkdir(parents=True, exist_ok=True)
for name, stream in seeds.items():
    (out / name).write_bytes(bytes([0] + stream))  # no splits: one arrival
# Split bytes: sizes 1, 17 and 33 with ticks, one-byte announcements and a dropped socket.
(out / "session-split").write_bytes(bytes([3, 0x01, 0x12, 0x23] + session))
(out / "session-drop").write_bytes(bytes([2, 0x21, 0x44] + session))

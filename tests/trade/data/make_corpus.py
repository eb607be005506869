#!/usr/bin/env python3
"""Writes the seed files of corpus/, the damaged and hostile trade list files that the reader
must survive. The fuzzer starts from them and adds what it finds; the tests read every file.
Run from this folder: python3 make_corpus.py
"""
import struct

TYPE = b"tamrik ombrine,ryn File"


def header(count, text=TYPE, number=1):
    return text.ljust(64, b"\0")[:64] + struct.pack("<ii", number, count) + b"\0" * 40


def record(key, name=b"Card", quantity=1, foil=0):
    return (struct.pack("<iii", key, key & 0xFFFFFF, quantity) + name.ljust(256, b"\0")[:256]
            + struct.pack("<iffii", foil, 1.0, 2.0, 0, 0))


SEEDS = {
    "empty_list.ryn": header(0),
    "short_111.ryn": header(0)[:111],
    "other_type.ryn": header(0, b"tamrik ombrine,ryn Filf"),
    "no_zero_in_type.ryn": b"x" * 112,
    "count_beyond_data.ryn": header(5) + record(1) + record(2) + b"\1" * 100,
    "negative_count.ryn": header(-7) + record(1),
    "huge_count.ryn": header(0x7FFFFFFF) + record(3),
    "name_without_zero.ryn": header(1) + record(4, b"N" * 256),
    "invalid_utf8_name.ryn": header(1) + record(5, b"\xc3(\xff\x81\x8d"),
    "repeated_key.ryn": header(2) + record(6, b"First") + record(6, b"Second", 3),
    "nan_prices.ryn": header(1) + record(7)[:272] + struct.pack("<ffii", float("nan"),
                                                               float("inf"), 1, 1),
}

for name, data in SEEDS.items():
    with open("corpus/" + name, "wb") as out:
        out.write(data)

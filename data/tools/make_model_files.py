#!/usr/bin/env python3
"""Writes the sample mold model's attribute files: mold.m3i (binary) and the
mold.ain/mold.ata text pair, from one description so that both agree.
The layouts are described in docs/model-files.md.

usage: make_model_files.py [OUTPUT_DIR]   (default: data/sample-project)
"""
import os
import struct
import sys

# The mold around the 100 x 50 mm plate: the plate's 16 triangles come first
# (elements 1-16, no mold attributes), then 40 mold elements.
LEADING = 16
ELEMENTS = list(range(17, 57))
CAVITY_PLATE = range(17, 25)
CORE_PLATE = range(25, 33)
INSERT = range(33, 41)
CIRCUIT_1 = range(41, 49)
CIRCUIT_2 = range(49, 57)

REGION_BOUNDARY, REGION_INSERT, REGION_CHANNEL = 5, 4, 3
SHAPE_TRIANGLE, SHAPE_BEAM = 1, 2


def per_element(assign):
    """One value per mold element (0 where none) from {range: value}."""
    values = []
    for e in ELEMENTS:
        v = 0
        for elements, value in assign.items():
            if e in elements:
                v = value
        values.append(v)
    return values


WHOLE_RECORDS = {
    "REGION": per_element({CAVITY_PLATE: REGION_BOUNDARY, CORE_PLATE: REGION_BOUNDARY,
                           INSERT: REGION_INSERT, CIRCUIT_1: REGION_CHANNEL, CIRCUIT_2: REGION_CHANNEL}),
    "SHAPE": per_element({range(17, 41): SHAPE_TRIANGLE, range(41, 57): SHAPE_BEAM}),
    "NCIRCUIT": per_element({CIRCUIT_1: 1, CIRCUIT_2: 2}),
    "NINSERT": per_element({INSERT: 1}),
}
# Shell thickness and width of each mold element, in metres: plates 20 mm,
# channels of 10 mm diameter.
THICKNESS = [(0.010, 0.010) if e in CIRCUIT_1 or e in CIRCUIT_2 else (0.020, 0.0) for e in ELEMENTS]

VERSION = 105
HEADER_WORDS = 99


def write_m3i(path, whole=WHOLE_RECORDS):
    names = list(whole) + ["BLMTHICK"]
    directory_words = 5 * len(names)
    word = HEADER_WORDS + directory_words + 1  # positions count words from 1
    entries, records = b"", b""
    for name in names:
        if name == "BLMTHICK":
            data = b"".join(struct.pack("<2f", t, w) for t, w in THICKNESS)
        else:
            data = struct.pack("<%di" % len(ELEMENTS), *whole[name])
        head = struct.pack("<5i", len(data) // 4, 2 if name == "BLMTHICK" else 1, 0, 0, 0)
        entries += struct.pack("<8s2if", name.encode("ascii"), len(name), word, 1.0)
        records += head + data
        word += 5 + len(data) // 4
    header = [0] * HEADER_WORDS
    header[0] = VERSION
    header[11] = len(names)
    header[30] = LEADING
    header[35] = len(ELEMENTS)
    with open(path, "wb") as f:
        f.write(struct.pack("<%di" % HEADER_WORDS, *header) + entries + records)


# The text pair: attribute names (.ata lines) and the records naming them.
ATA = ["Mold exterior", "Insert block", "Cooling channel", "Circuit 1", "Circuit 2",
       "Core insert", "Cavity plate", "Core plate"]


def ata_line(name):
    return ATA.index(name) + 1


def write_ain(path):
    lines = ["NAMED attribute records: group, name line, number, kind, element, value, list [real]"]

    def records(category, attrs):
        lines.append("*CODE %s" % category)
        for number, name, value, elements, real in attrs:
            kind = 3 if real is not None else 1
            for e in elements:
                line = "4 %d %d %d %d %d 0" % (ata_line(name), number, kind, e, value)
                if real is not None:
                    line += " %g" % real
                lines.append(line)

    records("REGION", [(1, "Mold exterior", REGION_BOUNDARY, list(CAVITY_PLATE) + list(CORE_PLATE), None),
                       (2, "Insert block", REGION_INSERT, INSERT, None),
                       (3, "Cooling channel", REGION_CHANNEL, list(CIRCUIT_1) + list(CIRCUIT_2), None)])
    records("NCIRCUIT", [(1, "Circuit 1", 1, CIRCUIT_1, None), (2, "Circuit 2", 2, CIRCUIT_2, None)])
    # The insert's real value is its density in kg/m^3.
    records("NINSERT", [(1, "Core insert", 1, INSERT, 7850)])
    records("PARTS", [(1, "Cavity plate", 1, CAVITY_PLATE, None), (2, "Core plate", 1, CORE_PLATE, None),
                      (3, "Core insert", 1, INSERT, None)])
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    with open(os.path.splitext(path)[0] + ".ata", "w", newline="\r\n") as f:
        f.write("\n".join(ATA) + "\n")


# The same mold without insert data (the core insert is part of the core
# plate), for a cooling analysis that makes the whole mold one steel.
PLAIN_RECORDS = {name: values for name, values in WHOLE_RECORDS.items() if name != "NINSERT"}
MOLD_STEEL = range(17, 41)


def write_ela(path):
    """The element list of a mold model: one element number a line, negative
    for the mold's steel, positive for the part and the channels."""
    lines = ["%d" % (-e if e in MOLD_STEEL else e) for e in range(1, LEADING + 1)]
    lines += ["%d" % (-e if e in MOLD_STEEL else e) for e in ELEMENTS]
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "sample-project")
    write_m3i(os.path.join(out, "mold.m3i"))
    write_ain(os.path.join(out, "mold.ain"))
    write_m3i(os.path.join(out, "plainmold.m3i"), PLAIN_RECORDS)
    write_ela(os.path.join(out, "plainmold.ela"))


if __name__ == "__main__":
    main()

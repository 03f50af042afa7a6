"""Reads the values of the texts installation back with pandas: the .dta
and the data file. Each must equal the values the installation put in
(expected.txt). Prints what differs and exits 1; exits 0 when all agree.

    /usr/bin/python3 check_texts.py EXPECTED DATA SEP HEADER DTA
"""
import math
import sys

import pandas as pd

# Positions of the columns in every file: year_1 year_2 numcode group year
# ccode region is_kiv big_number share count note.
AT = {"group": 3, "year": 4, "big": 8, "share": 9, "count": 10, "note": 11}


def read_expected(path):
    want = {k: [] for k in ("year", "group", "big", "share", "count", "note")}
    with open(path, encoding="ascii") as f:
        for line in f:
            if line.startswith("#"):
                continue
            year, group, big, share, count, note = line.rstrip("\n").split("\t")
            want["year"].append(float(year))
            want["group"].append(bytes.fromhex(group).decode("utf-8"))
            want["big"].append(float(big))
            want["share"].append(float(share))
            want["count"].append(float(count))
            want["note"].append(bytes.fromhex(note).decode("utf-8"))
    return want


def check_frame(what, frame, want, code_read_as, faults):
    if frame.shape != (len(want["year"]), 12):
        faults.append(f"{what}: shape {frame.shape}")
        return
    for key in ("group", "note"):
        for r, wanted in enumerate(want[key]):
            got = frame.iloc[r, AT[key]]
            if got != wanted:
                faults.append(f"{what}: {key} case {r}: {str(got)[:60]!r} ({len(str(got).encode())} bytes)"
                              f" instead of {wanted[:60]!r} ({len(wanted.encode())} bytes)")
    for key in ("year", "big", "share", "count"):
        for r, wanted in enumerate(want[key]):
            got = frame.iloc[r, AT[key]]
            got = float(got) if not pd.isna(got) else math.nan
            if wanted == -99 and code_read_as == "na" and key != "year":
                ok = math.isnan(got)
            else:
                ok = not math.isnan(got) and abs(got - wanted) <= 1e-8 * max(1.0, abs(wanted))
            if not ok:
                faults.append(f"{what}: {key} case {r}: {got!r} instead of {wanted!r}")


def check_notes(dta_path, faults):
    """Stata's notes reads the count from _dta[note0], the notes from note1."""
    data = open(dta_path, "rb").read()
    start, end = data.find(b"<characteristics>"), data.find(b"</characteristics>")
    names = {}
    for chunk in data[start:end].split(b"<ch>")[1:]:
        owner, name, text = chunk[4:133], chunk[133:262], chunk[262:]
        names[name.split(b"\0")[0].decode()] = text.split(b"\0")[0].decode()
        if owner.split(b"\0")[0] != b"_dta":
            faults.append(f"characteristic of {owner!r}")
    notes = [n for n in names if n != "note0"]
    if names.get("note0") != str(len(notes)):
        faults.append(f"_dta[note0] is {names.get('note0')!r} for {len(notes)} notes")
    if sorted(notes) != sorted(f"note{i}" for i in range(1, len(notes) + 1)):
        faults.append(f"notes named {sorted(notes)[:5]}")


def main(expected_path, data_path, sep, header, dta_path):
    want = read_expected(expected_path)
    faults = []
    check_frame("pandas .dta", pd.read_stata(dta_path), want, "na", faults)
    check_notes(dta_path, faults)
    options = {"delim_whitespace": True} if sep == "space" else {"sep": {"comma": ",", "tab": "\t"}[sep]}
    data = pd.read_csv(data_path, header=0 if header == "true" else None, dtype=str,
                       keep_default_na=False, encoding="utf-8", **options)
    check_frame("pandas data file", data, want, "code", faults)
    if faults:
        print("\n".join(faults[:30]))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:6]))

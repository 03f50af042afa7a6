"""Reads a run's .dta with pandas and compares it with its delimited data
file and its Stata command file: the number of cases, the names and labels
of the .do file, missing codes (read as missing) and every value (reals
within 1e-8). Prints what differs and exits 1; exits 0 when all agree.

    /usr/bin/python3 check_dta.py DATA SEP HEADER DO DTA
"""
import csv
import math
import re
import sys

import pandas as pd


def main(data_path, sep, header, do_path, dta_path):
    delimiter = {"comma": ",", "tab": "\t", "space": " "}[sep]
    with open(data_path, newline="") as f:
        rows = list(csv.reader(f, delimiter=delimiter, skipinitialspace=True))
    rows = [[field.strip() for field in row if sep != "space" or field != ""] for row in rows]
    if header == "true":
        rows = rows[1:]
    with open(do_path, newline="") as f:
        do = [line.rstrip("\r\n") for line in f]
    infile = next(line for line in do if line.startswith("infile "))
    words = infile[len("infile "):infile.index(" using ")].split(" ")
    names = words[1::2]
    codes = [float(re.search(r"mv\((-?\d+)\);$", l).group(1)) for l in do if l.startswith("mvdecode ")]
    labels = [re.match(r'label variable \S+ "(.*)";$', l).group(1) for l in do if l.startswith("label variable ")]

    faults = []
    frame = pd.read_stata(dta_path)
    with pd.io.stata.StataReader(dta_path) as reader:
        read_labels = reader.variable_labels()
    if list(frame.columns) != names:
        faults.append(f"names {list(frame.columns)} instead of {names}")
    if len(frame) != len(rows):
        faults.append(f"{len(frame)} cases, the data file has {len(rows)}")
    for c, name in enumerate(names):
        if c >= len(frame.columns) or len(frame) != len(rows):
            break
        if read_labels.get(frame.columns[c]) != labels[c]:
            faults.append(f"label of {name}: {read_labels.get(frame.columns[c])!r}")
        column = frame.iloc[:, c]
        for r, row in enumerate(rows):
            text, value = row[c], column.iloc[r]
            if column.dtype == object:
                if value != text:
                    faults.append(f"{name} case {r}: {value!r} instead of {text!r}")
                continue
            expected = float(text)
            if expected == codes[c]:
                if not pd.isna(value):
                    faults.append(f"{name} case {r}: {value} where the code {codes[c]} stood")
            elif pd.isna(value) or math.fabs(float(value) - expected) > 1e-8:
                faults.append(f"{name} case {r}: {value} instead of {expected}")
    if faults:
        print("\n".join(faults[:20]))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:6]))

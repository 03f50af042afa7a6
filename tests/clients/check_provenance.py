"""Recounts the NAME_n columns of a merged state run (NAME_filled of one
without merged cases) from the installation's KIV
data file, without Tandrel: for every output case (a state and the years
year_1..year_2) the number of lines of the state in those years whose field
holds a number other than the variable's missing code. Valid for runs
without interpolation, where every merged record is a line of the data
file or a year added with every value missing. Prints what differs and
exits 1; exits 0 when all agree.

    python3 check_provenance.py MDF KIVDATA OUTPUT
"""
import csv
import re
import sys


def description(mdf_path):
    variables = []
    with open(mdf_path, encoding="latin-1") as f:
        for line in f:
            m = re.match(r'\s*variable\s*=\s*"(.*)"\s*$', line)
            if m:
                fields = m.group(1).split(",")
                variables.append((fields[0], fields[1], int(fields[-1])))
    return variables


def holds_value(text, code):
    text = text.strip()
    if text in ("", "."):
        return False
    try:
        number = float(text)
    except ValueError:
        number = -99.0  # a field that cannot be read
    return number != code


def main(mdf_path, kiv_path, output_path):
    variables = description(mdf_path)
    with open(kiv_path, newline="", encoding="latin-1") as f:
        lines = list(csv.reader(f))[1:]
    names = [v[0] for v in variables]
    ccode, year = names.index("ccode"), names.index("year")
    with open(output_path, newline="") as f:
        out = [[field.strip() for field in row] for row in csv.reader(f)]
    header, cases = out[0], out[1:]
    counted = [c for c in header if c.endswith("_n")]
    flagged = [c for c in header if c.endswith("_filled")]
    faults = []
    if not flagged:
        faults.append("no _filled columns")
    is_merged = "agg_cnt" in header
    by_state = {}
    for line in lines:
        by_state.setdefault(int(line[ccode]), []).append(line)
    for case in cases:
        state = int(case[header.index("ccode_min" if is_merged else "ccode")])
        first, last = int(case[0]), int(case[1])
        records = [l for l in by_state.get(state, []) if first <= int(l[year]) <= last]
        for column in counted:
            v = names.index(column[:-2])
            want = sum(holds_value(l[v], variables[v][2]) for l in records)
            got = int(case[header.index(column)])
            if got != want:
                faults.append(f"state {state} {first}-{last} {column}: {got} instead of {want}")
        for column in flagged if not is_merged else []:
            # Without merged cases and without filling: 0 beside a value,
            # the missing code beside none.
            v = names.index(column[:-len("_filled")])
            want = 0 if any(holds_value(l[v], variables[v][2]) for l in records) else -99
            if int(case[header.index(column)]) != want:
                faults.append(f"state {state} {first} {column}: {case[header.index(column)]}")
    for fault in faults[:40]:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

"""Checks a run's codebook against its delimited data file with nothing but
Python's standard library: the page parses as HTML with every element
closed, its column table names every column of the data file in order, and
every share of its coverage strips matches a recount from the data file.
Prints what differs and exits 1; exits 0 when all agree.

    python3 check_codebook.py DATA CODEBOOK
"""
import csv
import sys
from html.parser import HTMLParser

VOID = {"meta", "br", "img", "hr", "link", "input"}


class Codebook(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.faults = []
        self.names = []       # the name cells of the column table, in order
        self.missing = {}     # column name -> missing code
        self.strips = {}      # variable -> {period: share}
        self.table = None
        self.row = None
        self.cell = None
        self.strip = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag not in VOID:
            self.open.append(tag)
        if tag == "table":
            self.table = attrs.get("class")
        elif tag == "tr":
            self.row = []
        elif tag == "td":
            self.cell = ""
        elif tag == "svg" and self.table == "coverage":
            self.strip = self.strips.setdefault(self.row[0], {})
        elif tag == "rect" and self.strip is not None:
            self.strip[int(attrs["data-period"])] = float(attrs["data-share"])

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.faults.append(f"</{tag}> closes {self.open[-1:] or 'nothing'}")
            return
        self.open.pop()
        if tag == "td" and self.row is not None:
            self.row.append(self.cell)
            self.cell = None
        elif tag == "tr" and self.table == "columns" and self.row:
            self.names.append(self.row[1])
            self.missing[self.row[1]] = self.row[4]
        elif tag == "svg":
            self.strip = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def holds_value(text, code):
    if text.startswith('"'):
        return True
    try:
        return float(text) != float(code)
    except ValueError:
        return True


def main(data_path, codebook_path):
    with open(data_path, newline="") as f:
        rows = [[field.strip() for field in row] for row in csv.reader(f)]
    header, rows = rows[0], rows[1:]
    book = Codebook()
    with open(codebook_path, encoding="utf-8") as f:
        book.feed(f.read())
    book.close()
    faults = book.faults
    if book.open:
        faults.append(f"left open: {book.open}")
    if book.names != header:
        faults.append(f"columns {book.names} instead of {header}")
    if not book.strips:
        faults.append("no coverage strips")
    periods = sorted({int(row[0]) for row in rows})
    for variable, strip in book.strips.items():
        column = next((c for c in (variable + "_mean", variable + "_min", variable) if c in header), None)
        if column is None:
            faults.append(f"strip {variable} names no column")
            continue
        c = header.index(column)
        if sorted(strip) != periods:
            faults.append(f"{variable}: periods {sorted(strip)} instead of {periods}")
        for period in periods:
            cases = [row for row in rows if int(row[0]) == period]
            share = sum(holds_value(row[c], book.missing[column]) for row in cases) / len(cases)
            if abs(strip.get(period, -1) - share) > 5e-5:
                faults.append(f"{variable} {period}: {strip.get(period)} instead of {share:.4f}")
    for fault in faults[:40]:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

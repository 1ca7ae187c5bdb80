#!/usr/bin/env python3
"""Reads an HTML document on standard input with Python's HTML parser and writes its tables as JSON:
a list of tables, each a list of rows, each a list of cells {"tag", "text", "attrs"}, the attributes
as the parser decoded them. The report test compares the cells with the window's numbers."""
import json
import sys
from html.parser import HTMLParser


class TableCells(HTMLParser):
    def __init__(self):
        super().__init__()
        self.tables = []
        self.cell = None

    def handle_starttag(self, tag, attrs):
        if tag == "table":
            self.tables.append([])
        elif tag == "tr" and self.tables:
            self.tables[-1].append([])
        elif tag in ("td", "th") and self.tables and self.tables[-1]:
            self.cell = {"tag": tag, "text": "", "attrs": dict(attrs)}
            self.tables[-1][-1].append(self.cell)

    def handle_endtag(self, tag):
        if tag in ("td", "th"):
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell["text"] += data


parser = TableCells()
parser.feed(sys.stdin.read())
parser.close()
json.dump(parser.tables, sys.stdout, ensure_ascii=False)

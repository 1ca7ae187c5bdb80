#!/usr/bin/env python3
# Reads HTML on standard input with Python's HTML parser and writes its tables as JSON: tables of rows of
# cells {"tag", "text", "attrs"}, the attributes as the parser decoded them.
import json
import sys
from html.parser import HTMLParser


class TableCells(HTMLParser):
    tables, cell = [], None

    def handle_starttag(self, tag, attrs):
        if tag == "table":
            self.tables.append([])
        elif tag == "tr":
            self.tables[-1].append([])
        elif tag in ("td", "th"):
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
json.dump(parser.tables, sys.stdout, ensure_ascii=False)

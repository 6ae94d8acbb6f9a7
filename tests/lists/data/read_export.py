#!/usr/bin/python3
"""Reads an exported list back with the real readers and prints one line per row, typed cells."""
import csv
import datetime
import sys


def show(value):
    if value is None or value == "":
        return "-"
    if isinstance(value, datetime.datetime):
        return "d:" + value.strftime("%Y-%m-%d")
    if isinstance(value, (int, float)) and not isinstance(value, bool):
        return "n:" + repr(float(value))
    text = str(value)
    if len(text) > 60:  # long texts by their start, end and length
        return "s:%s...%s (%d)" % (text[:10], text[-10:], len(text))
    return "s:" + text


def read_xlsx(path):
    import openpyxl
    book = openpyxl.load_workbook(path)
    for sheet in book.worksheets:
        print("sheet " + sheet.title)
        for row in sheet.iter_rows():
            cells = []
            for c in row:
                text = show(c.value)
                if c.font is not None and c.font.b:
                    text = "b:" + text
                if c.font is not None and c.font.color is not None and isinstance(c.font.color.rgb, str):
                    text += " fg=" + c.font.color.rgb[-6:]
                if c.fill is not None and c.fill.fill_type == "solid":
                    text += " bg=" + c.fill.fgColor.rgb[-6:]
                if isinstance(c.value, (int, float)) and c.number_format != "General":
                    text += " f=" + c.number_format
                cells.append(text)
            print(" | ".join(cells))


def read_xls(path):
    import xlrd
    book = xlrd.open_workbook(path, formatting_info=True)
    for sheet in book.sheets():
        print("sheet %s (%d rows)" % (sheet.name, sheet.nrows))
        if sheet.nrows > 50:
            rows = [0, 1, sheet.nrows - 1]
        else:
            rows = range(sheet.nrows)
        for r in rows:
            cells = []
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_DATE:
                    value = datetime.datetime(*xlrd.xldate_as_tuple(cell.value, book.datemode))
                elif cell.ctype == xlrd.XL_CELL_EMPTY:
                    value = None
                else:
                    value = cell.value
                text = show(value)
                xf = book.xf_list[cell.xf_index]
                font = book.font_list[xf.font_index]
                if font.weight >= 700:
                    text = "b:" + text
                if book.colour_map.get(font.colour_index) is not None:
                    text += " fg=%02X%02X%02X" % book.colour_map[font.colour_index]
                if xf.background.fill_pattern == 1:
                    text += " bg=%02X%02X%02X" % book.colour_map[xf.background.pattern_colour_index]
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    text += " f=" + book.format_map[xf.format_key].format_str
                cells.append(text)
            print(" | ".join(cells))
    print_page_setup(path)


def print_page_setup(path):
    """Header, footer, margins, grid lines and row height, from the records of the first sheet."""
    import struct
    import xlrd.compdoc
    with open(path, "rb") as f:
        stream = xlrd.compdoc.CompDoc(f.read()).get_named_stream("Workbook")
    at, seen = 0, []
    names = {0x14: "header", 0x15: "footer", 0x26: "left", 0x27: "right", 0x28: "top",
             0x29: "bottom", 0x2B: "gridlines", 0x225: "row height"}
    while at + 4 <= len(stream):
        kind, size = struct.unpack("<HH", stream[at:at + 4])
        body = stream[at + 4:at + 4 + size]
        at += 4 + size
        if kind in (0x14, 0x15):
            count, flags = struct.unpack("<HB", body[:3])
            chars = body[3:3 + count * (2 if flags & 1 else 1)]
            seen.append("%s=%s" % (names[kind], chars.decode("utf-16-le" if flags & 1 else "latin-1")))
        elif 0x26 <= kind <= 0x29:
            seen.append("%s=%g" % (names[kind], struct.unpack("<d", body)[0]))
        elif kind == 0x2B:
            seen.append("gridlines=%d" % struct.unpack("<H", body)[0])
        elif kind == 0x225:
            seen.append("row height=%d" % (struct.unpack("<HH", body)[1] // 20))
        elif kind == 0x0A and seen:
            break
    print("page: " + "; ".join(seen))


def read_csv(path, separator):
    with open(path, newline="", encoding="cp1250") as f:
        for row in csv.reader(f, delimiter=separator):
            print(" | ".join("s:" + v if v else "-" for v in row))


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "xlsx":
        read_xlsx(path)
    elif kind == "xls":
        read_xls(path)
    else:
        read_csv(path, sys.argv[3])

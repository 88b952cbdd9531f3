#!/usr/bin/env python3
"""Writes a small PDF whose one page draws millions of glyphs: a hostile input for the PDF
reader's bound on the text of a page.

Usage: glyph_bomb_pdf.py OUT.pdf [--glyphs N] [--kind operators|kerning|forms] [--pages P]

  operators  many short text operators, each a line of words (the common case)
  kerning    one TJ array that draws every glyph at the same place (one operator)
  forms      form XObjects nested three deep, each drawing the one below many times

Every other page is an ordinary screenplay page, so a reader that stops at the bomb must
say which page it was."""
import argparse
import zlib


def pdf_object(number, body):
    return b"%d 0 obj\n" % number + body + b"\nendobj\n"


def stream(dictionary, content):
    packed = zlib.compress(content, 9)
    return (b"<< " + dictionary + b" /Filter /FlateDecode /Length %d >>\nstream\n" % len(packed) +
            packed + b"\nendstream")


def operators_content(glyphs):
    # Lines of 40 one-letter words at 6 points; every 120 lines the text matrix starts again at
    # the top, so the glyphs stay on the page (a reader drops those beyond it).
    line = b"(" + b"A " * 40 + b") '\n"
    block = b"1 0 0 1 40 760 Tm\n" + line * 120
    blocks = max(1, glyphs // (80 * 120))
    return b"BT /F1 6 Tf 6 TL\n" + block * blocks + b"ET\n"


def kerning_content(glyphs):
    # "A" and a blank, then a kerning of 1167 thousandths of the font size back to the start.
    pair = b"(A )1167"
    return b"BT /F1 6 Tf 1 0 0 1 100 400 Tm [" + pair * max(1, glyphs // 2) + b"] TJ ET\n"


def screenplay_content():
    lines = ["INT. LIGHTHOUSE - NIGHT", "", "                    KEEPER",
             "          Who's there? Speak up!", "", "                    TOM",
             "          Only me, with the boat."]
    text = b"BT /F2 12 Tf 12 TL 72 720 Td\n"
    for line in lines:
        text += b"(" + line.encode("latin-1") + b") '\n"
    return text + b"ET\n"


def build(glyphs, kind, pages):
    objects = {}
    fonts = b"/Font << /F1 5 0 R /F2 6 0 R >>"
    objects[5] = b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"
    objects[6] = b"<< /Type /Font /Subtype /Type1 /BaseFont /Courier >>"
    next_number = 7
    xobjects = b""
    if kind == "forms":
        # Form 0 draws 100 glyphs; each of the three forms above it draws the one below it
        # `fan_out` times, so the page draws about `glyphs` glyphs from a few hundred bytes.
        depth = 3
        fan_out = max(1, round((glyphs / 100) ** (1 / depth)))
        form_numbers = []
        for level in range(depth + 1):
            number = next_number
            next_number += 1
            if level == 0:
                content = b"BT /F1 6 Tf 1 0 0 1 100 400 Tm [" + b"(A )1167" * 50 + b"] TJ ET\n"
                resources = b"<< " + fonts + b" >>"
            else:
                content = b"/X%d Do\n" % (level - 1) * fan_out
                resources = (b"<< " + fonts + b" /XObject << /X%d %d 0 R >> >>" %
                             (level - 1, form_numbers[-1]))
            objects[number] = stream(b"/Type /XObject /Subtype /Form /BBox [0 0 612 792] "
                                     b"/Resources " + resources, content)
            form_numbers.append(number)
        xobjects = b" /XObject << /Top %d 0 R >>" % form_numbers[-1]
        bomb = b"/Top Do\n"
    elif kind == "kerning":
        bomb = kerning_content(glyphs)
    else:
        bomb = operators_content(glyphs)
    page_numbers = []
    for page in range(pages):
        content_number = next_number
        page_number = next_number + 1
        next_number += 2
        content = bomb if page == pages // 2 else screenplay_content()
        objects[content_number] = stream(b"", content)
        objects[page_number] = (b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
                                b"/Resources << " + fonts + xobjects + b" >> /Contents %d 0 R >>" %
                                content_number)
        page_numbers.append(page_number)
    objects[1] = b"<< /Type /Catalog /Pages 2 0 R >>"
    kids = b" ".join(b"%d 0 R" % n for n in page_numbers)
    objects[2] = b"<< /Type /Pages /Kids [" + kids + b"] /Count %d >>" % len(page_numbers)
    objects[3] = b"<< /Producer (glyph_bomb_pdf.py) >>"
    objects[4] = b"<< >>"

    out = b"%PDF-1.5\n%\xe2\xe3\xcf\xd3\n"
    offsets = {}
    for number in sorted(objects):
        offsets[number] = len(out)
        out += pdf_object(number, objects[number])
    xref = len(out)
    count = max(objects) + 1
    out += b"xref\n0 %d\n0000000000 65535 f \n" % count
    for number in range(1, count):
        out += b"%010d 00000 n \n" % offsets[number]
    out += b"trailer\n<< /Size %d /Root 1 0 R /Info 3 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (count, xref)
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("out")
    parser.add_argument("--glyphs", type=int, default=3_000_000)
    parser.add_argument("--kind", choices=["operators", "kerning", "forms"], default="operators")
    parser.add_argument("--pages", type=int, default=3)
    arguments = parser.parse_args()
    with open(arguments.out, "wb") as out:
        out.write(build(arguments.glyphs, arguments.kind, arguments.pages))


if __name__ == "__main__":
    main()

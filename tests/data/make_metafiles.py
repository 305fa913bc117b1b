#!/usr/bin/env python3
"""Metafiles for the tests of the metafile road, written record by record into the folder given.

Every file is well formed: whole records inside the file, handle indices within the table. The
pictures are 100 x 100 pixels (a frame of 24.75 mm on a device of 4 pixels a millimetre) unless
their name says otherwise.

  hostile/  files whose playback faults, never ends or exhausts the player's objects:
            crash_*, freeze_* and exhaust_*
  harmless/ files the platform draws at once, which the program must open: a narrow pen under
            a stretched mapping, a description right after the 88-byte header, a placeable
            Windows metafile whose conversion sets text justification, a small text record
  placeable/ placeable Windows metafiles whose records set their window to the box, to twenty
            times it, and to a box away from the origin
  refused/  a frame whose size does not fit in 32 bits, a bitmap of no header whose offsets name
            one inside its record and bits at its end

  make_metafiles.py <folder>
"""
import os
import random
import struct
import sys

# Record types of the enhanced format used here.
EMR_HEADER, EMR_POLYGON, EMR_POLYBEZIERTO = 1, 3, 5
EMR_SETWINDOWEXTEX, EMR_SETVIEWPORTEXTEX, EMR_EOF = 9, 11, 14
EMR_SETMAPMODE, EMR_SETPOLYFILLMODE = 17, 19
EMR_MOVETOEX, EMR_SCALEVIEWPORTEXTEX, EMR_SCALEWINDOWEXTEX = 27, 31, 32
EMR_SAVEDC, EMR_RESTOREDC, EMR_SETWORLDTRANSFORM = 33, 34, 35
EMR_SELECTOBJECT, EMR_CREATEPEN, EMR_CREATEBRUSHINDIRECT = 37, 38, 39
EMR_RECTANGLE, EMR_LINETO = 43, 54
EMR_BEGINPATH, EMR_ENDPATH, EMR_STROKEANDFILLPATH, EMR_WIDENPATH = 59, 60, 63, 66
EMR_EXTCREATEFONTINDIRECTW, EMR_EXTTEXTOUTW, EMR_EXTCREATEPEN = 82, 84, 95
EMR_SMALLTEXTOUT = 108

MM_LOMETRIC, MM_ANISOTROPIC = 2, 8
PS_SOLID, PS_DASH, PS_USERSTYLE = 0, 1, 7
PS_COSMETIC, PS_GEOMETRIC = 0, 0x10000
NULL_PEN, NULL_BRUSH, BLACK_BRUSH = 0x80000008, 0x80000005, 0x80000004
WINDING = 2
BLUE = 0xFF0000  # COLORREF 0x00BBGGRR


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


def record(kind, *words, tail=b""):
    body = b"".join(u32(w) for w in words) + tail
    body += b"\0" * (-len(body) % 4)
    return u32(kind) + u32(8 + len(body)) + body


def f32(value):
    return struct.unpack("<I", struct.pack("<f", value))[0]


def emf(records, frame=(0, 0, 2475, 2475), description=None, handles=4):
    """An enhanced metafile of the records, with an end record; the description, when given,
    lies right after the 88-byte fixed header, inside the header record, as several writers put it."""
    desc = b""
    if description is not None:
        desc = description.encode("utf-16-le")
        desc += b"\0" * (-len(desc) % 4)
    body = b"".join(records) + record(EMR_EOF, 0, 16, 20)
    size = 88 + len(desc)
    header = struct.pack("<II4i4iIIIIHHIII2i2i", EMR_HEADER, size, 0, 0, 99, 99, *frame,
                         0x464D4520, 0x10000, size + len(body), len(records) + 2, handles, 0,
                         len(description) if description else 0, 88 if description else 0, 0,
                         1000, 1000, 250, 250)
    return header + desc + body


def line(x0, y0, x1, y1):
    return [record(EMR_MOVETOEX, x0, y0), record(EMR_LINETO, x1, y1)]


def pen(width, colour=BLUE, slot=1):
    return record(EMR_CREATEPEN, slot, PS_SOLID, width, 0, colour)


def ext_pen(style, width, entries=(), slot=1):
    # EMREXTCREATEPEN without a bitmap, then the LOGPEN-like EXTLOGPEN32 and its style entries.
    return record(EMR_EXTCREATEPEN, slot, 0, 0, 0, 0, style, width, 0, BLUE, 0, len(entries),
                  *entries)


def select(slot=1):
    return record(EMR_SELECTOBJECT, slot)


def font(height, escapement=0, slot=2):
    face = "Liberation Sans".encode("utf-16-le").ljust(64, b"\0")
    logfont = struct.pack("<5i8B", height, 0, escapement, escapement, 400, 0, 0, 0, 0, 0, 0, 0,
                          0) + face
    return record(EMR_EXTCREATEFONTINDIRECTW, slot, tail=logfont)


def text(x, y, string):
    chars = string.encode("utf-16-le")
    # Bounds, graphics mode, scales, then the EMRTEXT: reference, count, offset of the string
    # (right after the 76 bytes of the record's fixed part), options, rectangle, no spacing.
    return record(EMR_EXTTEXTOUTW, 0, 0, -1, -1, 1, f32(1), f32(1), x, y, len(string), 76, 0,
                  0, 0, -1, -1, 0, tail=chars)


def world(scale):
    return record(EMR_SETWORLDTRANSFORM, f32(scale), 0, 0, f32(scale), 0, 0)


def stretched(window, viewport):
    return [record(EMR_SETMAPMODE, MM_ANISOTROPIC), record(EMR_SETWINDOWEXTEX, *window),
            record(EMR_SETVIEWPORTEXTEX, *viewport)]


def polygon(points):
    return record(EMR_POLYGON, 0, 0, -1, -1, len(points), *[c for p in points for c in p])


def hostile():
    rng = random.Random(55)
    big = 1 << 27
    files = {}
    # Cosmetic user styles whose entries add up to nothing (some after wrapping at 32 bits).
    for name, entries, shape in (("00", (0, 0), line(10, 50, 90, 50)),
                                 ("01_rectangle", (0, 1), [record(EMR_RECTANGLE, 10, 10, 90, 90)]),
                                 ("wrapping_halves", (0x80000000, 0x80000000), line(10, 50, 90, 50)),
                                 ("wrapping_minus_one", (0xFFFFFFFF, 1), line(10, 50, 90, 50))):
        files["crash_user_style_" + name] = emf(
            [ext_pen(PS_COSMETIC | PS_USERSTYLE, 1, entries), select()] + shape)
    files["crash_restore_dc_lowest_level"] = emf(
        [record(EMR_SAVEDC), record(EMR_RESTOREDC, 0x80000000)] + line(10, 10, 90, 90))
    files["crash_rotated_font_55000"] = emf([font(-55000, 500), select(2), text(10, 50, "Pixolet")])
    files["crash_font_under_world_transform"] = emf(
        [world(1000), font(55, 500), select(2), text(0, 0, "Pixolet")])
    files["crash_font_under_mapping"] = emf(
        stretched((1, 1), (1000, 1000)) + [font(55, 500), select(2), text(0, 0, "Pixolet")])
    files["crash_wide_pen_scaled_viewport"] = emf(
        [record(EMR_SETMAPMODE, MM_ANISOTROPIC), record(EMR_SCALEVIEWPORTEXTEX, 1, 1000000, 1, 1000000),
         pen(0x000FFFFF), select()] + line(0, 0, 1, 1))
    for shift in (18, 28):
        files["freeze_user_style_line_2_%d" % shift] = emf(
            [ext_pen(PS_GEOMETRIC | PS_USERSTYLE, 1, (1, 1)), select()] + line(0, 50, 1 << shift, 50))
    files["freeze_dashed_lines"] = emf(
        [ext_pen(PS_GEOMETRIC | PS_DASH, 3), select()] +
        [r for i in range(50) for r in line(-(1 << 28), i * 2, 1 << 28, i * 2 + 1)])
    files["freeze_winding_polygon"] = emf(
        [record(EMR_SELECTOBJECT, NULL_PEN), record(EMR_SETPOLYFILLMODE, WINDING)] +
        [polygon([(rng.randint(-big, big), rng.randint(-big, big)) for _ in range(400)])])
    files["freeze_thin_triangles"] = emf(
        [record(EMR_SELECTOBJECT, NULL_PEN)] +
        [polygon([(i, -big), (i + 1, big), (i, big)]) for i in range(60)])
    beziers = [c for _ in range(900) for c in (rng.randint(-big, big), rng.randint(-big, big))]
    files["freeze_widened_beziers"] = emf(
        [pen(50), select(), record(EMR_BEGINPATH), record(EMR_MOVETOEX, 0, 0),
         record(EMR_POLYBEZIERTO, 0, 0, -1, -1, 900, *beziers), record(EMR_ENDPATH),
         record(EMR_WIDENPATH), record(EMR_STROKEANDFILLPATH, 0, 0, -1, -1)])
    files["freeze_window_extent_past_32_bits"] = emf(
        stretched((100000, 100000), (100, 100)) +
        [record(EMR_SCALEWINDOWEXTEX, 100000, 1, 100000, 1), pen(10), select()] + line(0, 0, 50, 50))
    files["freeze_lometric_pen"] = emf(
        [record(EMR_SETMAPMODE, MM_LOMETRIC), pen(100000), select()] + line(0, 0, 500, -500),
        frame=(0, 0, 2475, 2475))
    files["freeze_zero_transform_after_wide_pen"] = emf(
        [world(20000), pen(100), select(), world(0)] + line(10, 10, 90, 90))
    files["freeze_rotated_font_60000"] = emf([font(-60000, 900), select(2), text(10, 50, "Pixolet")])
    # Every brush replaced in the same slot: the player's objects, never the program's.
    files["exhaust_brushes_in_one_slot"] = emf(
        [record(EMR_CREATEBRUSHINDIRECT, 1, 0, i & 0xFFFFFF, 0) for i in range(66000)] + [select()])
    return files


def placeable_wmf(records, box=(0, 0, 100, 100), inch=96):
    """A placeable Windows metafile of the box (left, top, right, bottom) at its units an inch."""
    body = b"".join(records) + struct.pack("<IH", 3, 0)
    size_words = (18 + len(body)) // 2
    biggest = max(len(r) for r in records) // 2
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, size_words, 2, biggest, 0)
    key = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, *box, inch, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", key):
        checksum ^= word
    return key + struct.pack("<H", checksum) + header + body


def wmf_record(function, *words):
    return struct.pack("<IH", 3 + len(words), function) + b"".join(
        struct.pack("<h", w) for w in words)


def harmless():
    files = {}
    # 40 units across, a tenth of that on the picture: 4 pixels wide.
    files["narrow_pen_stretched"] = emf(
        stretched((10, 1), (1, 10)) + [pen(40), select()] + line(200, 5, 800, 5))
    files["description_after_header"] = emf(
        [record(EMR_SELECTOBJECT, BLACK_BRUSH), record(EMR_RECTANGLE, 20, 30, 70, 60)],
        description="Writer 1.0\0Picture\0\0")
    META_SETTEXTJUSTIFICATION, META_SELECTOBJECT, META_CREATEBRUSHINDIRECT = 0x020A, 0x012D, 0x02FC
    META_RECTANGLE = 0x041B
    files["justified_text"] = placeable_wmf(
        [wmf_record(META_SETTEXTJUSTIFICATION, 10, 2),
         wmf_record(META_CREATEBRUSHINDIRECT, 0, 0xFF, 0, 0), wmf_record(META_SELECTOBJECT, 0),
         wmf_record(META_RECTANGLE, 60, 70, 30, 20)])
    ETO_NO_RECT, ETO_SMALL_CHARS = 0x100, 0x200
    files["small_text_out"] = emf(
        [record(EMR_SELECTOBJECT, BLACK_BRUSH), record(EMR_RECTANGLE, 10, 10, 40, 40),
         record(EMR_SMALLTEXTOUT, 50, 50, 3, ETO_NO_RECT | ETO_SMALL_CHARS, 1, f32(1), f32(1),
                tail=b"Pix")])
    return files


def placeable():
    """Placeable Windows metafiles whose records set their own window: each fills one black
    rectangle, which the tests expect at the place its name gives on the picture."""
    META_SETWINDOWORG, META_SETWINDOWEXT, META_SELECTOBJECT = 0x020B, 0x020C, 0x012D
    META_CREATEPENINDIRECT, META_CREATEBRUSHINDIRECT, META_RECTANGLE = 0x02FA, 0x02FC, 0x041B
    PS_NULL = 5

    def black_rectangle(window_org, window_ext, left, top, right, bottom):
        return [wmf_record(META_SETWINDOWORG, window_org[1], window_org[0]),
                wmf_record(META_SETWINDOWEXT, window_ext[1], window_ext[0]),
                wmf_record(META_CREATEPENINDIRECT, PS_NULL, 0, 0, 0, 0), wmf_record(META_SELECTOBJECT, 0),
                wmf_record(META_CREATEBRUSHINDIRECT, 0, 0, 0, 0), wmf_record(META_SELECTOBJECT, 1),
                wmf_record(META_RECTANGLE, bottom, right, top, left)]

    return {
        # 600 x 300 pixels, the window the box: the rectangle on its right and bottom edges.
        "bottom_right_quarter_window_is_the_box": placeable_wmf(
            black_rectangle((0, 0), (600, 300), 300, 150, 600, 300), box=(0, 0, 600, 300)),
        # 200 x 100 pixels under a window twenty times the box: the top-left quarter.
        "top_left_quarter_window_twenty_times": placeable_wmf(
            black_rectangle((0, 0), (4000, 2000), 0, 0, 2000, 1000), box=(0, 0, 200, 100)),
        # 192 x 96 pixels of a box away from the origin at 720 units an inch: the top-left quarter.
        "top_left_quarter_box_off_the_origin": placeable_wmf(
            black_rectangle((1440, 2880), (1440, 720), 1440, 2880, 2160, 3240),
            box=(1440, 2880, 2880, 3600), inch=720),
    }


def refused():
    EMR_STRETCHDIBITS, SRCCOPY = 81, 0xCC0020
    # A bitmap said to have no header (size 0) whose offsets still name a header inside the record
    # and bits at its end: the platform's playback reads the header there and the bits past it.
    header = struct.pack("<IiiHHIIiiII", 40, 100, 100, 1, 32, 0, 0, 0, 0, 0, 0)
    no_header_at_an_offset = record(EMR_STRETCHDIBITS, 0, 0, 99, 99, 0, 0, 0, 0, 100, 100,
                                    80, 0, 120, 0, 0, SRCCOPY, 100, 100, tail=header)
    return {"frame_past_32_bits": emf(
        [record(EMR_RECTANGLE, 10, 10, 40, 40)], frame=(-(1 << 31), -(1 << 31), (1 << 31) - 1, (1 << 31) - 1)),
        "bitmap_without_header_at_an_offset": emf([no_header_at_an_offset])}


def main():
    out = sys.argv[1]
    for folder, files in (("hostile", hostile()), ("harmless", harmless()), ("placeable", placeable()),
                          ("refused", refused())):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
        for name, data in files.items():
            ext = ".wmf" if data[:4] == struct.pack("<I", 0x9AC6CDD7) else ".emf"
            with open(os.path.join(out, folder, name + ext), "wb") as f:
                f.write(data)
    open(os.path.join(out, "stamp"), "w").close()


if __name__ == "__main__":
    main()

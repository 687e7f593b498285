#!/usr/bin/env python3
"""Reads an Excel 97-2003 file back for the tests, independently of the C++ writer.

    xls_read.py FILE           the cells as xlrd sees them, plus the structural faults found
    xls_read.py --stream FILE  only the compound file: the Workbook stream's size and SHA-256

Prints one JSON object. "problems" lists every fault found in the compound file (sector
allocation, DIFAT chain) and in the BIFF records that xlrd itself does not look at (INDEX,
DBCELL, ROW, DIMENSIONS, EXTSST, record lengths, string headers split across CONTINUE).
"""

import bisect
import hashlib
import io
import json
import struct
import sys

import xlrd
from xlrd import compdoc

FREE, END, FATSECT, DIFSECT = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFC
MAX_RECORD = 8224


def check_compound_file(data, problems):
    """Follows the header, DIFAT and FAT by hand; returns (difat sector count, stream bytes)."""
    if data[:8] != b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1":
        problems.append("no compound file signature")
        return 0, b""
    minor, major, order, shift, mini_shift = struct.unpack_from("<HHHHH", data, 0x18)
    if (major, order, shift, mini_shift) != (3, 0xFFFE, 9, 6):
        problems.append("header: version %d order %x shift %d/%d" % (major, order, shift, mini_shift))
    n_dir, n_fat, first_dir, _, cutoff, first_minifat, n_minifat, first_difat, n_difat = \
        struct.unpack_from("<IIIIIIIII", data, 0x28)
    if n_dir != 0:
        problems.append("version 3 header counts directory sectors: %d" % n_dir)
    if cutoff != 4096:
        problems.append("mini stream cutoff %d" % cutoff)
    if (len(data) - 512) % 512:
        problems.append("file size %d is not whole sectors" % len(data))
    n_sectors = (len(data) - 512) // 512

    def sector(i):
        return data[512 + 512 * i: 1024 + 512 * i]

    fat_ids = [x for x in struct.unpack_from("<109I", data, 0x4C)]
    tail = fat_ids[n_fat:] if n_fat < 109 else []
    if any(x != FREE for x in tail):
        problems.append("unused header DIFAT entries are not free")
    fat_ids = fat_ids[:min(n_fat, 109)]
    difat_chain = []
    s = first_difat
    while s != END and len(difat_chain) <= n_sectors:
        if s >= n_sectors:
            problems.append("DIFAT chain leaves the file at %d" % s)
            break
        difat_chain.append(s)
        ids = struct.unpack("<128I", sector(s))
        fat_ids.extend(ids[:127])
        s = ids[127]
    if len(difat_chain) != n_difat:
        problems.append("header says %d DIFAT sectors, chain has %d" % (n_difat, len(difat_chain)))
    listed = [x for x in fat_ids if x != FREE]
    if len(listed) != n_fat or fat_ids[:n_fat] != listed:
        problems.append("DIFAT lists %d FAT sectors (not in front), header says %d" % (len(listed), n_fat))
    fat = []
    for f in listed[:n_fat]:
        if f >= n_sectors:
            problems.append("FAT sector %d beyond the file" % f)
            return len(difat_chain), b""
        fat.extend(struct.unpack("<128I", sector(f)))
    if len(fat) < n_sectors:
        problems.append("FAT covers %d of %d sectors" % (len(fat), n_sectors))
        return len(difat_chain), b""
    if len(fat) - n_sectors >= 128:
        problems.append("FAT has a whole sector more than the file needs")
    for f in listed:
        if fat[f] != FATSECT:
            problems.append("FAT sector %d not marked as such" % f)
    for d in difat_chain:
        if fat[d] != DIFSECT:
            problems.append("DIFAT sector %d not marked as such" % d)
    if any(x != FREE for x in fat[n_sectors:]):
        problems.append("FAT entries beyond the end of the file are in use")

    used = {}

    def chain(start, name):
        out, s = [], start
        while s != END:
            if s >= n_sectors or s in used:
                problems.append("%s chain broken at %d" % (name, s))
                break
            used[s] = name
            out.append(s)
            s = fat[s]
        return out

    for f in listed:
        used[f] = "FAT"
    for d in difat_chain:
        used[d] = "DIFAT"
    directory = b"".join(sector(s) for s in chain(first_dir, "directory"))
    if n_minifat or first_minifat != END:
        problems.append("unexpected mini FAT")
    entries = [directory[i:i + 128] for i in range(0, len(directory), 128)]
    root = entries[0]
    if root[0x42] != 5 or root[:20].decode("utf-16-le") != "Root Entry":
        problems.append("first directory entry is not the root")
    child = struct.unpack_from("<I", root, 0x4C)[0]
    if child >= len(entries):
        problems.append("root has no child")
        return len(difat_chain), b""
    entry = entries[child]
    name_len = struct.unpack_from("<H", entry, 0x40)[0]
    name = entry[:max(0, name_len - 2)].decode("utf-16-le")
    if name != "Workbook" or entry[0x42] != 2:
        problems.append("root's child is %r type %d" % (name, entry[0x42]))
    start, size = struct.unpack_from("<II", entry, 0x74)
    if struct.unpack_from("<I", entry, 0x7C)[0] != 0:
        problems.append("stream size has high bits")
    sectors = chain(start, "Workbook")
    if len(sectors) != (size + 511) // 512:
        problems.append("Workbook has %d sectors for %d bytes" % (len(sectors), size))
    stream = b"".join(sector(s) for s in sectors)[:size]
    if len(used) != n_sectors:
        problems.append("%d sectors belong to nothing" % (n_sectors - len(used)))
    return len(difat_chain), stream


def records(stream, pos):
    """Yields (position, type, payload) from `pos` up to and including the next EOF."""
    while pos + 4 <= len(stream):
        rtype, length = struct.unpack_from("<HH", stream, pos)
        yield pos, rtype, stream[pos + 4: pos + 4 + length]
        pos += 4 + length
        if rtype == 0x000A:
            return


def check_sst(sst_records, extsst, label_count, problems):
    """sst_records: [(position, payload)] of SST and its CONTINUEs."""
    if not sst_records:
        problems.append("no SST")
        return
    total, unique = struct.unpack_from("<II", sst_records[0][1], 0)
    if total != label_count:
        problems.append("SST counts %d references, sheets hold %d LABELSST" % (total, label_count))
    rec, off = 0, 8
    starts = []
    for i in range(unique):
        payload = sst_records[rec][1]
        if off == len(payload) and rec + 1 < len(sst_records):
            rec, off = rec + 1, 0
            payload = sst_records[rec][1]
        if off + 3 > len(payload):
            problems.append("header of string %d split across records" % i)
            return
        starts.append((sst_records[rec][0] + 4 + off, off + 4))
        cch, flags = struct.unpack_from("<HB", payload, off)
        off += 3
        wide = flags & 1
        left = cch
        while left:
            avail = (len(payload) - off) // (2 if wide else 1)
            take = min(avail, left)
            off += take * (2 if wide else 1)
            left -= take
            if left:
                rec += 1
                if rec >= len(sst_records):
                    problems.append("string %d runs past the SST" % i)
                    return
                payload = sst_records[rec][1]
                wide, off = payload[0] & 1, 1
    if rec != len(sst_records) - 1 or off != len(sst_records[rec][1]):
        problems.append("SST has bytes after its last string")
    if extsst is None:
        problems.append("no EXTSST")
        return
    dsst = struct.unpack_from("<H", extsst, 0)[0]
    buckets = [struct.unpack_from("<IHH", extsst, 2 + 8 * k) for k in range((len(extsst) - 2) // 8)]
    if dsst < 8:
        problems.append("EXTSST bucket size %d" % dsst)
    if len(buckets) != (unique + dsst - 1) // dsst:
        problems.append("EXTSST has %d buckets for %d strings of %d" % (len(buckets), unique, dsst))
    for k, (ib, cb, _) in enumerate(buckets):
        if k * dsst < len(starts) and (ib, cb) != starts[k * dsst]:
            problems.append("EXTSST bucket %d points at %s, string is at %s" % (k, (ib, cb), starts[k * dsst]))


def check_sheet(stream, start, problems):
    """Checks INDEX, DBCELL, ROW and DIMENSIONS of one sheet; returns its LABELSST count."""
    label_count = 0
    index = dims = None
    defcolwidth = None
    rows = {}      # row -> (position, colMic, colMac)
    cells = []     # (position, row, col) of each cell record (MULRK: its first column)
    extent = {}    # row -> [first col, last col]
    dbcells = []   # (position, payload)
    for pos, rtype, payload in records(stream, start):
        if len(payload) > MAX_RECORD:
            problems.append("record %04x at %d is %d bytes" % (rtype, pos, len(payload)))
        if rtype == 0x020B:
            index = payload
        elif rtype == 0x0055:
            defcolwidth = pos
        elif rtype == 0x0200:
            dims = struct.unpack_from("<IIHH", payload, 0)
        elif rtype == 0x0208:
            rw, c0, c1 = struct.unpack_from("<HHH", payload, 0)
            rows[rw] = (pos, c0, c1)
        elif rtype in (0x00FD, 0x0203, 0x027E, 0x00BD):
            rw, col = struct.unpack_from("<HH", payload, 0)
            last = col
            if rtype == 0x00BD:
                last = struct.unpack_from("<H", payload, len(payload) - 2)[0]
                if (len(payload) - 6) != 6 * (last - col + 1):
                    problems.append("MULRK at %d has the wrong length" % pos)
            if rtype == 0x00FD:
                label_count += 1
            cells.append((pos, rw, col))
            e = extent.setdefault(rw, [col, last])
            e[0], e[1] = min(e[0], col), max(e[1], last)
        elif rtype == 0x00D7:
            dbcells.append((pos, payload))
    used_rows = sorted(extent)
    want_dims = (used_rows[0], used_rows[-1] + 1, min(e[0] for e in extent.values()),
                 max(e[1] for e in extent.values()) + 1) if used_rows else (0, 0, 0, 0)
    if dims != want_dims:
        problems.append("DIMENSIONS %s, cells span %s" % (dims, want_dims))
    for rw in used_rows:
        if rw not in rows:
            problems.append("row %d has cells but no ROW record" % rw)
        elif rows[rw][1:] != (extent[rw][0], extent[rw][1] + 1):
            problems.append("ROW %d spans %s, cells %s" % (rw, rows[rw][1:], extent[rw]))
    if index is None:
        problems.append("no INDEX")
        return label_count
    _, mic, mac, ibxf = struct.unpack_from("<IIII", index, 0)
    if (mic, mac) != (want_dims[0], want_dims[1]):
        problems.append("INDEX rows %d-%d, cells %d-%d" % (mic, mac, want_dims[0], want_dims[1]))
    if ibxf != defcolwidth:
        problems.append("INDEX points at %s for DEFCOLWIDTH at %s" % (ibxf, defcolwidth))
    listed = list(struct.unpack_from("<%dI" % ((len(index) - 16) // 4), index, 16))
    if listed != [p for p, _ in dbcells]:
        problems.append("INDEX lists %d DBCELLs, sheet has %d (or at other places)"
                        % (len(listed), len(dbcells)))
    row_by_pos = {p: rw for rw, (p, _, _) in rows.items()}
    row_positions = sorted(row_by_pos)
    first_cell = {}
    for pos, rw, _ in cells:
        first_cell.setdefault(rw, pos)
    covered = []
    for pos, payload in dbcells:
        back = struct.unpack_from("<I", payload, 0)[0]
        first_row_pos = pos - back
        if first_row_pos not in row_by_pos:
            problems.append("DBCELL at %d points at no ROW" % pos)
            continue
        lo = bisect.bisect_left(row_positions, first_row_pos)
        hi = bisect.bisect_left(row_positions, pos)
        block = sorted(row_by_pos[p] for p in row_positions[lo:hi])
        offsets = struct.unpack_from("<%dH" % ((len(payload) - 4) // 2), payload, 4)
        if len(offsets) != len(block) or len(block) > 32:
            problems.append("DBCELL at %d has %d offsets for %d rows" % (pos, len(offsets), len(block)))
            continue
        at = first_row_pos + 20
        for k, rw in enumerate(block):
            at += offsets[k]
            if first_cell.get(rw) != at:
                problems.append("DBCELL at %d: row %d's cells at %s, not %d" % (pos, rw, first_cell.get(rw), at))
                break
        covered.extend(block)
    if sorted(covered) != sorted(rows):
        problems.append("DBCELL blocks cover %d of %d rows" % (len(covered), len(rows)))
    return label_count


def check_biff(stream, problems):
    boundsheets, sst_records, extsst = [], [], None
    in_sst = False
    for pos, rtype, payload in records(stream, 0):
        if len(payload) > MAX_RECORD:
            problems.append("globals record %04x at %d is %d bytes" % (rtype, pos, len(payload)))
        if rtype == 0x0085:
            boundsheets.append(struct.unpack_from("<I", payload, 0)[0])
        if rtype == 0x00FC or (rtype == 0x003C and in_sst):
            sst_records.append((pos, payload))
            in_sst = True
            continue
        in_sst = False
        if rtype == 0x00FF:
            extsst = payload
    labels = 0
    for start in boundsheets:
        rtype, _, version, dt = struct.unpack_from("<HHHH", stream, start)
        if rtype != 0x0809 or dt != 0x0010:
            problems.append("BOUNDSHEET offset %d is not a worksheet BOF" % start)
            continue
        labels += check_sheet(stream, start, problems)
    check_sst(sst_records, extsst, labels, problems)
    return len(sst_records)


def main():
    args = sys.argv[1:]
    stream_only = args and args[0] == "--stream"
    path = args[-1]
    with open(path, "rb") as f:
        data = f.read()
    problems = []
    difat, stream = check_compound_file(data, problems)
    # xlrd's own compound file reader must agree with ours about the stream.
    log = io.StringIO()
    try:
        theirs = compdoc.CompDoc(data, logfile=log).get_named_stream("Workbook")
        if theirs != stream:
            problems.append("xlrd reads a different Workbook stream")
    except Exception as e:  # noqa: BLE001 - any failure is a finding
        problems.append("xlrd compdoc: %s" % e)
    out = {"difat_sectors": difat, "stream_size": len(stream),
           "stream_sha256": hashlib.sha256(stream).hexdigest()}
    if not stream_only:
        out["sst_records"] = check_biff(stream, problems)
        book = xlrd.open_workbook(file_contents=data, logfile=log)
        sheets = []
        for sh in book.sheets():
            cells = []
            for r in range(sh.nrows):
                for c, (t, v) in enumerate(zip(sh.row_types(r), sh.row_values(r))):
                    if t == xlrd.XL_CELL_EMPTY:
                        continue
                    kind = {xlrd.XL_CELL_TEXT: "s", xlrd.XL_CELL_NUMBER: "n"}.get(t, "x%d" % t)
                    cells.append([r, c, kind, v if kind in ("s", "n") else repr(v)])
            sheets.append({"name": sh.name, "nrows": sh.nrows, "ncols": sh.ncols, "cells": cells})
        out["sheets"] = sheets
        out["codepage"] = book.codepage
        out["biff_version"] = book.biff_version
    for line in log.getvalue().splitlines():
        if line.strip():
            problems.append("xlrd: " + line.strip())
    out["problems"] = problems
    sys.stdout.write(json.dumps(out, ensure_ascii=True))


if __name__ == "__main__":
    main()

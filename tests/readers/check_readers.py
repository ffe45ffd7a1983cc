#!/usr/bin/python3
"""Converts every drawing of the corpus with dxfconv and checks that real DXF
readers take each output as well as its source: ezdxf (read and audit, and
the linetype each entity ends up with) and GDAL's ogrinfo (features per layer
and linetype). Prints a table of the verdicts; exits 1 on a fault, 77 when
there is no corpus. With --modern, every drawing must convert, every entity
must show its layer's linetype when that is one of the file's (layer names
compared without regard to ASCII case), and its layer's lineweight of 0 or
more when it has none of its own; an entity on layer 0 in a block other than
the layouts must keep what it had."""

import argparse
import collections
import hashlib
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

import ezdxf
from ezdxf import recover
from ezdxf.entities import DXFGraphic

KNOWN_LINETYPES = ["CONTINUOUS", "HIDDEN", "PHANTOM", "CENTER", "DASHED", "DOT",
                   "DASHDOT", "DIVIDE"]
LINE_TOO_LONG = "一行の文字数が98以上です。\n　変換は完了していません。\n"
STRUCTURE_ERROR = re.compile(r"^(\d+)行目の (\S+) が不正です。\n　変換は完了していません。\n$")
FINISHED = "変換が終了しました。\n"
# Every refusal of a real drawing is one that --modern avoids.
MODERN_HINT = "R13以降の形式の図面は --modern を付けると変換できます。\n"
SKIP = 77


def digest(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def acadver(path):
    """$ACADVER as written, or '' when the header has none."""
    lines = path.read_bytes().split(b"\n")
    for i, line in enumerate(lines[:-2]):
        if line.strip() == b"$ACADVER":
            return lines[i + 2].strip().decode("latin-1")
    return ""


def is_r12_or_older(version):
    """R12 is AC1009; older releases sort before it or are named AC2.x."""
    return not version.startswith("AC1") or version <= "AC1009"


class ReaderView:
    """What ezdxf makes of a file: how it loads, the audit's errors, and the
    graphical entities in file order."""

    def __init__(self, path):
        self.load = "readfile"
        self.failure = ""
        try:
            self.doc = ezdxf.readfile(str(path))
        except Exception as error:  # any refusal is a verdict, not a crash
            self.failure = f"{type(error).__name__}"
            self.load = "recover"
            try:
                self.doc, _ = recover.readfile(str(path))
            except Exception as recover_error:
                self.doc = None
                self.load = "unreadable"
                self.failure += f", recover: {type(recover_error).__name__}"
        self.errors = collections.Counter()
        self.audit_failure = ""
        if self.doc is not None:
            try:
                auditor = self.doc.audit()
                self.errors = collections.Counter(error.code for error in auditor.errors)
            except Exception as error:
                self.audit_failure = type(error).__name__
        self.entities = [] if self.doc is None else [
            e for e in self.doc.entitydb.values() if isinstance(e, DXFGraphic)]

    def verdict(self):
        if self.load == "unreadable":
            return f"unreadable ({self.failure})"
        text = "read" if self.load == "readfile" else f"recover only ({self.failure})"
        if self.audit_failure:
            return f"{text}, audit fails ({self.audit_failure})"
        return f"{text}, {sum(self.errors.values())} audit errors"

    def layer_linetypes(self, modern=False):
        """Layer name as the converter compares it -> linetype, the first
        entry winning."""
        table = {}
        for layer in self.doc.layers:
            key = layer_key(layer.dxf.name, modern)
            if key not in table:
                table[key] = layer.dxf.get("linetype", "")
        return table

    def left_to_inserts(self):
        """The handles of the entities on layer 0 in blocks other than the
        layouts, vertices and attributes included: each INSERT gives them its
        own layer."""
        blocks = {b.block_record_handle for b in self.doc.blocks if not b.is_any_layout}
        db = self.doc.entitydb

        def block_of(entity):
            owner = entity.dxf.get("owner")
            return block_of(db[owner]) if isinstance(db.get(owner), DXFGraphic) else owner

        return {e.dxf.handle for e in self.entities
                if layer_key(e.dxf.layer, True) == "0" and block_of(e) in blocks}


ASCII_UPPER = str.maketrans("abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ")


def layer_key(name, modern):
    """Without spaces in the default mode; in modern mode without those at
    either end, and ASCII letters in upper case."""
    return name.strip(" ").translate(ASCII_UPPER) if modern else name.replace(" ", "")


def ogr_counts(path):
    """(layer, linetype) -> features, or None when ogrinfo cannot read it."""
    result = subprocess.run(
        ["ogrinfo", "-ro", "-q", "-dialect", "SQLite", "-sql",
         "SELECT Layer, Linetype, COUNT(*) AS n FROM entities GROUP BY Layer, Linetype",
         str(path)], capture_output=True, text=True, errors="replace")
    if result.returncode != 0:
        return None
    counts = {}
    row = {}
    for line in result.stdout.splitlines():
        match = re.match(r"\s+(Layer|Linetype|n) \(\w+\) = (.*)$", line)
        if match:
            row[match.group(1)] = match.group(2)
            if match.group(1) == "n":
                counts[(row.get("Layer"), row.get("Linetype"))] = int(row["n"])
                row = {}
    return counts


def ogr_summary(counts):
    if counts is None:
        return "unreadable"
    total = sum(counts.values())
    known = sum(n for (_, linetype), n in counts.items() if linetype in KNOWN_LINETYPES)
    return f"{total} features, {known} with a known linetype"


def known_linetypes(source_view, modern):
    """The linetype names the converter gives on, upper case: in modern mode
    also those of the file's LTYPE table, never BYLAYER and BYBLOCK."""
    if not modern:
        return set(KNOWN_LINETYPES)
    names = set(KNOWN_LINETYPES) | {lt.dxf.name.upper() for lt in source_view.doc.linetypes}
    return names - {"BYLAYER", "BYBLOCK"}


def expected_linetypes(source_view, modern=False):
    """For each graphical entity: the linetype the converter must give it, or
    None when it keeps what it has."""
    layers = source_view.layer_linetypes(modern)
    known = known_linetypes(source_view, modern)
    left = source_view.left_to_inserts() if modern else set()
    expected = []
    for entity in source_view.entities:
        linetype = None
        if (not entity.dxf.hasattr("linetype") and entity.dxf.hasattr("layer")
                and entity.dxf.handle not in left):
            layer_linetype = layers.get(layer_key(entity.dxf.layer, modern))
            if layer_linetype in KNOWN_LINETYPES or (
                    modern and layer_linetype and layer_linetype.upper() in known):
                linetype = layer_linetype
        expected.append(linetype)
    return expected


def expected_lineweights(view):
    """For each graphical entity: the lineweight modern mode must give it,
    its layer's (the first entry of the name) when that is 0 or more, or
    None when it keeps what it has."""
    layers = {}
    for layer in view.doc.layers:
        layers.setdefault(layer_key(layer.dxf.name, True), layer.dxf.get("lineweight"))
    left = view.left_to_inserts()
    expected = [None if e.dxf.hasattr("lineweight") or e.dxf.handle in left
                else layers.get(layer_key(e.dxf.get("layer", ""), True)) for e in view.entities]
    return [lw if lw is not None and lw >= 0 else None for lw in expected]


def check_lineweights(name, before, after, modern, faults, notes):
    """Gives the row's text: how many entities due a lineweight show it."""
    expected = expected_lineweights(before) if modern else [None] * len(before.entities)
    due = [(a, lw) for a, lw in zip(after.entities, expected) if lw is not None]
    unseen = [a for a, lw in due if a.dxf.get("lineweight") != lw]
    missed = [a for a in unseen if not ignores_linetype(a)]
    if missed:
        faults.append(f"{name}: {len(missed)} of {len(due)} lack their layer's lineweight")
    if len(unseen) > len(missed):
        notes.append(f"{name}: {len(unseen) - len(missed)} × SEQEND: nor its lineweight")
    if any(lw is None and b.dxf.get("lineweight") != a.dxf.get("lineweight")
           for b, a, lw in zip(before.entities, after.entities, expected)):
        faults.append(f"{name}: entities were given a lineweight not due")
    return f"{len(due) - len(unseen)} of {len(due)} seen"


# An end-of-sequence marker draws nothing; ezdxf keeps only its layer, no
# linetype and no lineweight.
def ignores_linetype(entity):
    return entity.dxftype() == "SEQEND"


def unseen_reason(entity, version):
    if ignores_linetype(entity):
        return "SEQEND: ezdxf keeps no linetype on an end-of-sequence marker, which draws nothing"
    if is_r12_or_older(version):
        return f"{entity.dxftype()}: not seen"
    return f"{entity.dxftype()}: the group 6 stands behind the subclass data, where the " \
           "reader does not take it for the entity's linetype"


def check_file(dxfconv, source, work, faults, notes, modern=False):
    row = {"file": source.name, "version": acadver(source)}
    copy = work / source.name
    shutil.copyfile(source, copy)
    before_digest = digest(copy)
    run = subprocess.run([dxfconv] + (["--modern"] if modern else []) + [str(copy), "out"],
                         capture_output=True)
    stderr = run.stderr.decode("utf-8", "replace")
    if digest(copy) != before_digest:
        faults.append(f"{source.name}: the source changed")
    output = work / "out.dxf"

    if run.returncode != 0:
        row["dxfconv"] = "refused: " + stderr.split("\n")[0]
        if modern:
            faults.append(f"{source.name}: refused in modern mode: {stderr!r}")
        elif not stderr.endswith(MODERN_HINT):
            faults.append(f"{source.name}: refused without pointing to --modern: {stderr!r}")
        stderr = stderr.removesuffix(MODERN_HINT)
        structure = STRUCTURE_ERROR.match(stderr)
        has_long_line = any(len(line.rstrip(b"\r")) > 97 for line in
                            copy.read_bytes().split(b"\x1a")[0].split(b"\n"))
        if stderr == LINE_TOO_LONG:
            if not has_long_line:
                faults.append(f"{source.name}: refused for a long line it does not have")
        elif structure is None:
            faults.append(f"{source.name}: refused with an unexpected message: {stderr!r}")
        row.update(before=ReaderView(copy).verdict(), after="—", linetypes="—",
                   ogr=ogr_summary(ogr_counts(copy)) + " → —")
        return row
    if stderr != FINISHED:
        faults.append(f"{source.name}: converted with the messages {stderr!r}")
    row["dxfconv"] = "converted"

    before, after = ReaderView(copy), ReaderView(output)
    row["before"], row["after"] = before.verdict(), after.verdict()
    if after.load == "unreadable" and before.load != "unreadable":
        faults.append(f"{source.name}: the output is unreadable ({after.failure})")
    if before.load == "readfile" and after.load != "readfile":
        faults.append(f"{source.name}: ezdxf reads the source but not the output")
    if after.audit_failure and not before.audit_failure:
        faults.append(f"{source.name}: the audit fails on the output ({after.audit_failure})")
    new_errors = after.errors - before.errors
    if new_errors:
        faults.append(f"{source.name}: new audit errors {dict(new_errors)}")

    if before.doc is None or after.doc is None:
        row["linetypes"] = "—"
    elif [e.dxftype() for e in before.entities] != [e.dxftype() for e in after.entities]:
        faults.append(f"{source.name}: the output's entities differ from the source's")
        row["linetypes"] = "entities differ"
    else:
        row["lineweights"] = check_lineweights(source.name, before, after, modern, faults, notes)
        expected = expected_linetypes(before, modern)
        due = [(e, lt) for e, lt in zip(after.entities, expected) if lt is not None]
        unseen = [e for e, lt in due if e.dxf.get("linetype") != lt]
        row["linetypes"] = f"{len(due) - len(unseen)} of {len(due)} seen"
        missed = [e for e in unseen if not ignores_linetype(e)]
        if missed and (modern or is_r12_or_older(row["version"])):
            faults.append(f"{source.name}: {len(missed)} of {len(due)} entities do not show "
                          "their layer's linetype")
        left = before.left_to_inserts() if modern else set()
        changed = [b for b, a in zip(before.entities, after.entities) if b.dxf.handle in left
                   and b.dxf.get("linetype") != a.dxf.get("linetype")]
        if changed:
            faults.append(f"{source.name}: {len(changed)} entities on layer 0 in blocks "
                          "were given a linetype")
        reasons = collections.Counter(unseen_reason(e, row["version"]) for e in unseen)
        for reason, count in reasons.items():
            notes.append(f"{source.name}: {count} × {reason}")

    counts_before, counts_after = ogr_counts(copy), ogr_counts(output)
    row["ogr"] = f"{ogr_summary(counts_before)} → {ogr_summary(counts_after)}"
    if counts_before is not None:
        if counts_after is None:
            faults.append(f"{source.name}: ogrinfo reads the source but not the output")
        elif sum(counts_before.values()) != sum(counts_after.values()):
            faults.append(f"{source.name}: ogrinfo counts another number of features")
    return row


def table(rows):
    lines = ["| File | $ACADVER | dxfconv | ezdxf before | ezdxf after | "
             "Layer linetype seen by ezdxf | Layer lineweight seen by ezdxf | "
             "ogrinfo before → after |",
             "|---|---|---|---|---|---|---|---|"]
    for r in rows:
        lines.append(f"| {r['file']} | {r['version'] or '—'} | {r['dxfconv']} | {r['before']} | "
                     f"{r['after']} | {r['linetypes']} | {r.get('lineweights', '—')} | "
                     f"{r['ogr']} |")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dxfconv", required=True)
    parser.add_argument("--corpus", required=True, type=Path)
    parser.add_argument("--modern", action="store_true", help="convert with dxfconv --modern")
    args = parser.parse_args()
    files = sorted(args.corpus.glob("*.dxf")) if args.corpus.is_dir() else []
    if not files:
        print(f"no corpus at {args.corpus}: skipped")
        return SKIP

    rows, faults, notes = [], [], []
    for source in files:
        with tempfile.TemporaryDirectory(prefix="dxfconv-readers-") as work:
            rows.append(check_file(args.dxfconv, source, Path(work), faults, notes, args.modern))
    converted = sum(1 for r in rows if r["dxfconv"] == "converted")
    print(table(rows))
    print(f"\n{len(rows)} files, {converted} converted, {len(rows) - converted} refused")
    if notes:
        print("\nEntities whose layer's linetype or lineweight the reader does not see:")
        print("\n".join(f"- {note}" for note in notes))
    if faults:
        print("\nFaults:")
        print("\n".join(f"- {fault}" for fault in faults))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

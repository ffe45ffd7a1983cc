#!/usr/bin/python3
"""resources_test.py DXFCONV_GUI_EXE VERSION

Reads the resources that the dialog program's resource script put into it,
as Windows and Explorer find them: icon group 128 with the 16, 32, 48 and
256 px images, first among the icon groups; the version resource with the
program's name and version; the manifest asking for common controls 6,
per-monitor DPI awareness v2 and long paths.
"""

import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class Image:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        sections, optional_size = struct.unpack_from("<H12xH", self.data, pe + 6)
        optional = pe + 24
        # PE32+: the data directories start at 112; the resources are the third.
        self.rsrc_rva = struct.unpack_from("<I", self.data, optional + 112 + 2 * 8)[0]
        self.sections = []
        for i in range(sections):
            at = optional + optional_size + 40 * i
            size, rva, raw_size, raw = struct.unpack_from("<IIII", self.data, at + 8)
            self.sections.append((rva, max(size, raw_size), raw))
        if self.rsrc_rva == 0:
            sys.exit(f"{path} has no resources")
        self.rsrc = self.offset(self.rsrc_rva)

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        sys.exit(f"no section holds {rva:#x}")

    def entries(self, directory):
        """(id, offset of the subdirectory or data entry, is a directory) in order."""
        at = self.rsrc + directory
        named, numbered = struct.unpack_from("<12xHH", self.data, at)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
            yield (None if name & 0x80000000 else name), target & 0x7FFFFFFF, bool(target & 0x80000000)

    def resources(self, kind):
        """{id: bytes} of one type, the first language of each."""
        found = {}
        for type_id, types, _ in self.entries(0):
            if type_id != kind:
                continue
            for res_id, languages, _ in self.entries(types):
                _, entry, _ = next(self.entries(languages))
                rva, size = struct.unpack_from("<II", self.data, self.rsrc + entry)
                at = self.offset(rva)
                found[res_id] = self.data[at : at + size]
        return found


failures = []


def check(condition, what):
    print(("ok: " if condition else "FAIL: ") + what)
    if not condition:
        failures.append(what)


image = Image(sys.argv[1])
groups = image.resources(RT_GROUP_ICON)
check(list(groups)[:1] == [128], f"icon group 128 comes first (groups {list(groups)})")
group = groups.get(128, b"\0" * 6)
count = struct.unpack_from("<H", group, 4)[0]
sizes = sorted((group[6 + 14 * i] or 256) for i in range(count))
check(sizes == [16, 32, 48, 256], f"icon group 128 holds 16, 32, 48 and 256 px ({sizes})")
icons = image.resources(RT_ICON)
ids = [struct.unpack_from("<H", group, 6 + 14 * i + 12)[0] for i in range(count)]
check(all(i in icons for i in ids), "every image of the group is there")

version = b"".join(image.resources(RT_VERSION).values()).decode("utf-16-le", "replace")
check("DXFからDXF変換" in version, "the version resource describes DXFからDXF変換")
check("dxfconv-gui.exe" in version, "the version resource names dxfconv-gui.exe")
check(sys.argv[2] in version, f"the version resource gives version {sys.argv[2]}")

manifest = image.resources(RT_MANIFEST).get(1, b"").decode("utf-8", "replace")
check("Microsoft.Windows.Common-Controls" in manifest and 'version="6.0.0.0"' in manifest,
      "the manifest asks for common controls 6")
check("PerMonitorV2" in manifest, "the manifest declares per-monitor DPI awareness v2")
check("<longPathAware" in manifest and ">true</longPathAware>" in manifest,
      "the manifest declares long paths")
sys.exit(1 if failures else 0)

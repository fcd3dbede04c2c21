#!/usr/bin/env python3
"""The operating-system rows of the shipped kestova-report under one of Wine's
Windows versions.

Runs the very program of the win32 preset (hard-linked under a name of its
own, which the version switch is set for) with --json and checks what it says
of the operating system against the decision tables, worked out by hand from
the version record each Wine version reports:

  nt40     4.0.1381, "Service Pack 6a", short record (no product type);
           ProductOptions "ProductType" is "WinNT"
  win2k    5.0.2195, "Service Pack 4", product type 1
  winxp    5.1.2600, "Service Pack 3", product type 1, suite 0x100
  winxp64  5.2.3790, "Service Pack 2", product type 1 (64-bit Windows only)
  win2003  5.2.3790, "Service Pack 2", product type 3, no DataCenter,
           Enterprise or lone Blade suite
  vista    6.0.6002, "Service Pack 2", product type 1, no EditionID
  win2008  6.0.6002, "Service Pack 2", product type 3, no EditionID
  win7     6.1.7601, "Service Pack 1", product type 3 (Wine's win7 is 2008 R2)
  win98    4.10, build word 2222, platform 1, service-pack text " A "

On 32-bit Windows the processor architecture is 0: workstations 5.x are
"Professional" (no Personal bit, no special metric under Wine) and a standard
Server 2003 is "Standard Edition". A 32-bit program under WOW64 sees the
native architecture 9: workstations have no edition, the server is "Standard
x64 Edition", and 5.2 workstations are XP x64. NTSpecific is gathered only where the NT family is recognised
(NT 4 to Vista; not Server 2008 or anything newer).

Usage: report_os_rows.py EMULATOR PREFIX SHIPPED_EXE LINK_DIR VERSION
"""
import json
import os
import subprocess
import sys

# version: name, edition on architecture 0, edition on architecture 9,
#          major, minor, build, CSD, platform, NT product type (None: no NTSpecific)
ROWS = {
    "nt40": ("Windows NT 4", "Workstation", "Workstation", 4, 0, 1381, "Service Pack 6a", "opWinNT",
             "ptWorkStation"),
    "win2k": ("Windows 2000", "Professional", "", 5, 0, 2195, "Service Pack 4", "opWinNT", "ptWorkStation"),
    "winxp": ("Windows XP", "Professional", "", 5, 1, 2600, "Service Pack 3", "opWinNT", "ptWorkStation"),
    "winxp64": ("Windows XP Professional x64 Edition", None, "", 5, 2, 3790, "Service Pack 2", "opWinNT",
                "ptWorkStation"),
    "win2003": ("Windows Server 2003", "Standard Edition", "Standard x64 Edition", 5, 2, 3790, "Service Pack 2",
                "opWinNT", "ptServer"),
    "vista": ("Windows Vista", "", "", 6, 0, 6002, "Service Pack 2", "opWinNT", "ptWorkStation"),
    "win2008": ('Windows Server "Longhorn"', "", "", 6, 0, 6002, "Service Pack 2", "opWinNT", None),
    "win7": ("", "Server 4.0", "Server 4.0", 6, 1, 7601, "Service Pack 1", "opWinNT", None),
    "win98": ("Windows 98", "SE", "SE", 4, 10, 2222, " A ", "opWin9x", None),
}


def linked_program(shipped, link_dir, version):
    """The shipped program under the name its version switch is set for."""
    os.makedirs(link_dir, exist_ok=True)
    link = os.path.join(link_dir, "kestova-report_%s.exe" % version)
    if not (os.path.exists(link) and os.path.samefile(link, shipped)):
        if os.path.lexists(link):
            os.remove(link)
        os.link(shipped, link)
    return link


def main():
    emulator, prefix, shipped, link_dir, version = sys.argv[1:6]
    if not os.path.isfile(shipped):
        print("no shipped program at %s: build the win32 preset first" % shipped)
        return 1
    program = linked_program(shipped, link_dir, version)
    env = dict(os.environ, KESTOVA_WINE_VERSION=version)
    done = subprocess.run([emulator, prefix, program, "--json"], stdout=subprocess.PIPE, env=env, timeout=300)
    if done.returncode != 0:
        print("kestova-report --json ended with %d" % done.returncode)
        return 1
    os1 = json.loads(done.stdout.decode("utf-8"))["OS1"]

    name, edition32, edition64, major, minor, build, csd, platform, product = ROWS[version]
    pure32 = os.environ.get("KESTOVA_WINEARCH") == "win32"
    expected = {
        "OSName": name,
        "OSEdition": edition32 if pure32 else edition64,
        "MajorVersion": major,
        "MinorVersion": minor,
        "BuildNumber": build,
        "CSD": csd,
        "Platform": platform,
        "NTSpecific.ProductType": product,
    }
    nt = os1.get("NTSpecific")
    found = {key: os1.get(key) for key in expected if "." not in key}
    found["NTSpecific.ProductType"] = nt.get("ProductType") if nt else None

    print("%-8s %s" % (version, "pure 32-bit Windows" if pure32 else "64-bit Windows (WOW64)"))
    failures = 0
    for key, want in expected.items():
        ok = found[key] == want
        failures += not ok
        print("  %-24s %-28s %s" % (key, json.dumps(found[key]), "ok" if ok else "FAILED, expected %s" % json.dumps(want)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

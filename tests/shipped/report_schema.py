#!/usr/bin/env python3
"""The JSON of a kestova-report program under one of Wine's Windows versions,
validated against the schema kept in the repository (cli/kestova-report.schema.json)
with a real JSON Schema validator.

Plain runs must end with status 0 and give a report with no "Errors". With
--failing-directx the run first stores HKLM\\SOFTWARE\\Microsoft\\DirectX
"Version" as a DWORD (and puts the value back afterwards): the engines
component then fails with "Invalid data type for 'Version'", the report is
partial (status 3), Eg1 is null, the error names where it arose, and the
operating system and the machine are still reported.

Usage: report_schema.py EMULATOR PREFIX PROGRAM LINK_DIR VERSION SCHEMA [--failing-directx] [--save FILE]
"""
import json
import os
import re
import subprocess
import sys

import jsonschema

DIRECTX_KEY = "HKLM\\SOFTWARE\\Microsoft\\DirectX"


def linked_program(program, link_dir, version):
    """The program under the name its version switch is set for."""
    os.makedirs(link_dir, exist_ok=True)
    link = os.path.join(link_dir, "kestova-report_%s.exe" % version)
    if not (os.path.exists(link) and os.path.samefile(link, program)):
        if os.path.lexists(link):
            os.remove(link)
        os.link(program, link)
    return link


class Registry:
    """wine reg in the test prefix, in the view the product reads."""

    def __init__(self, prefix):
        self.env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        self.view = [] if os.environ.get("KESTOVA_WINEARCH") == "win32" else ["/reg:64"]

    def reg(self, *args):
        # From the root folder: wine reg prefers a reg.exe in the current folder.
        return subprocess.run(["wine", "reg", *args, *self.view], cwd="/", env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, timeout=120)

    def query(self, key, name):
        """(type, data) of the value, or None when it is not there."""
        done = self.reg("query", key, "/v", name)
        for line in done.stdout.decode("latin-1").splitlines():
            match = re.match(r"\s+%s\s+(REG_\w+)\s*(.*)$" % re.escape(name), line)
            if match:
                return match.group(1), match.group(2).strip()
        return None

    def set(self, key, name, kind, data):
        if self.reg("add", key, "/v", name, "/t", kind, "/d", data, "/f").returncode != 0:
            raise RuntimeError("wine reg add %s %s failed" % (key, name))

    def delete(self, key, name):
        self.reg("delete", key, "/v", name, "/f")


def main():
    args = sys.argv[1:]
    failing = "--failing-directx" in args
    save = None
    if "--save" in args:
        save = args[args.index("--save") + 1]
        del args[args.index("--save"):args.index("--save") + 2]
    args = [a for a in args if a != "--failing-directx"]
    emulator, prefix, program, link_dir, version, schema_file = args[:6]
    if not os.path.isfile(program):
        print("no program at %s: build it first" % program)
        return 1
    with open(schema_file, encoding="utf-8") as f:
        schema = json.load(f)
    validator = jsonschema.Draft202012Validator(schema)

    linked = linked_program(program, link_dir, version)
    env = dict(os.environ, KESTOVA_WINE_VERSION=version)
    registry = Registry(prefix)
    saved = None
    if failing:
        saved = registry.query(DIRECTX_KEY, "Version")
        registry.set(DIRECTX_KEY, "Version", "REG_DWORD", "9")
    try:
        done = subprocess.run([emulator, prefix, linked, "--json"], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, env=env, timeout=300)
    finally:
        if failing:
            if saved:
                registry.set(DIRECTX_KEY, "Version", saved[0], saved[1])
            else:
                registry.delete(DIRECTX_KEY, "Version")
    output = done.stdout.decode("utf-8")
    if save:
        with open(save, "w", encoding="utf-8") as f:
            f.write(output)
    print("%-8s %s %s: exit status %d" % (version, os.path.basename(os.path.dirname(os.path.dirname(program))),
                                          "with DirectX Version as a DWORD" if failing else "", done.returncode))
    failures = 0

    def check(ok, what):
        nonlocal failures
        failures += not ok
        print("  %-60s %s" % (what, "ok" if ok else "FAILED"))

    want_status = 3 if failing else 0
    check(done.returncode == want_status, "exit status %d" % want_status)
    try:
        report = json.loads(output)
    except ValueError as error:
        print("  not JSON: %s" % error)
        return 1
    errors = sorted(validator.iter_errors(report), key=lambda e: list(e.absolute_path))
    for error in errors[:20]:
        print("  schema: at %s: %s" % ("/".join(str(p) for p in error.absolute_path), error.message[:200]))
    check(not errors, "valid against %s" % os.path.basename(schema_file))
    if failing:
        want = [{"Component": "Eg1", "Message": "Invalid data type for 'Version'", "RegistryKey": DIRECTX_KEY,
                 "ValueName": "Version"}]
        check(report.get("Errors") == want, "Errors names Eg1, the message and the value's place")
        check(report.get("Eg1", 0) is None, "Eg1 is null")
        check(isinstance(report.get("OS1"), dict) and report["OS1"].get("BuildNumber", 0) > 0,
              "OS1 is still gathered")
        check(isinstance(report.get("Machine1"), dict) and bool(report["Machine1"].get("MachineName")),
              "Machine1 is still gathered")
        check(done.stderr.decode("latin-1").count("kestova-report: Eg1: Invalid data type for 'Version'") == 1,
              "the error on standard error")
    else:
        check("Errors" not in report, "no Errors")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""The winget manifests of a build, read as winget reads YAML: every field the
1.6 schema requires for each of the three, one identifier and version across
them, both architectures, the switches NSIS takes, the product code the setup
names its entry with, and each installer hash the built setup's own.

    check_winget.py MANIFEST_DIR SETUP VERSION NSI"""
import hashlib
import os
import re
import sys

import yaml

failures = []


def check(what, ok):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def main():
    folder, setup, version, nsi = sys.argv[1:]
    identifier = "Tavrik.Tavrik"
    files = {kind: os.path.join(folder, name) for kind, name in
             (("version", f"{identifier}.yaml"), ("defaultLocale", f"{identifier}.locale.en-US.yaml"),
              ("installer", f"{identifier}.installer.yaml"))}
    manifests = {}
    for kind, path in files.items():
        check(f"{os.path.basename(path)} is there", os.path.isfile(path))
        if os.path.isfile(path):
            with open(path, encoding="utf-8") as f:
                manifests[kind] = yaml.safe_load(f)
    if failures:
        sys.exit(1)
    required = {
        "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
        "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                          "License", "ShortDescription", "ManifestType", "ManifestVersion"],
        "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
    }
    for kind, fields in required.items():
        m = manifests[kind]
        missing = [field for field in fields if m.get(field) in (None, "", [])]
        check(f"{kind}: every required field ({', '.join(missing) or 'none'} missing)", not missing)
        check(f"{kind}: its type and schema 1.6.0", m.get("ManifestType") == kind and str(m.get("ManifestVersion")) == "1.6.0")
        check(f"{kind}: {identifier} {version}", m.get("PackageIdentifier") == identifier and str(m.get("PackageVersion")) == version)
    check("the default locale is the locale manifest's", manifests["version"]["DefaultLocale"] == manifests["defaultLocale"]["PackageLocale"])

    inst = manifests["installer"]
    check("a nullsoft setup for the user", inst.get("InstallerType") == "nullsoft" and inst.get("Scope") == "user")
    check("NSIS's switches", inst.get("InstallerSwitches") == {"Silent": "/S", "SilentWithProgress": "/S",
                                                              "InstallLocation": "/D=<INSTALLPATH>"})
    with open(nsi, encoding="utf-8") as f:
        key = re.search(r'!define UNINSTALL_KEY "[^"]*\\([^"\\]+)"', f.read())
    product = key.group(1) if key else None
    check(f"the product code is the uninstall key's name ({product})", inst.get("ProductCode") == product)
    entries = inst.get("AppsAndFeaturesEntries") or []
    check("the installed-programs entry", len(entries) == 1 and entries[0].get("ProductCode") == product
          and str(entries[0].get("DisplayVersion")) == version and entries[0].get("DisplayName") == "Tavrik")
    with open(setup, "rb") as f:
        sha256 = hashlib.sha256(f.read()).hexdigest().upper()
    installers = inst["Installers"]
    check("x86 and x64", sorted(i.get("Architecture") for i in installers) == ["x64", "x86"])
    for i in installers:
        check(f"{i.get('Architecture')}: an https address", str(i.get("InstallerUrl", "")).startswith("https://"))
        check(f"{i.get('Architecture')}: the built setup's hash", str(i.get("InstallerSha256", "")).upper() == sha256)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()

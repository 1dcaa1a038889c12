#!/usr/bin/env python3
"""Writes the winget manifests (schema 1.6) for a built setup:

    winget.py VERSION SETUP URL OUTDIR

SETUP is the built setup program, URL where the release will serve it. The
three files (version, default locale, installer) go to
OUTDIR/manifests/t/Tavrik/Tavrik/VERSION/, as the winget-pkgs repository lays
them out; the installer's hash is the built file's."""
import hashlib
import os
import sys

IDENTIFIER = "Tavrik.Tavrik"
SCHEMA = "1.6.0"
# The name of the entry in the list of installed programs the setup writes.
PRODUCT_CODE = "Tavrik"


def header(kind):
    return (f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{SCHEMA}.schema.json\n"
            f"PackageIdentifier: {IDENTIFIER}\n")


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    version, setup, url, out = sys.argv[1:]
    with open(setup, "rb") as f:
        sha256 = hashlib.sha256(f.read()).hexdigest().upper()
    folder = os.path.join(out, "manifests", "t", "Tavrik", "Tavrik", version)
    os.makedirs(folder, exist_ok=True)
    manifests = {
        f"{IDENTIFIER}.yaml": header("version") + f"""PackageVersion: {version}
DefaultLocale: en-US
ManifestType: version
ManifestVersion: {SCHEMA}
""",
        f"{IDENTIFIER}.locale.en-US.yaml": header("defaultLocale") + f"""PackageVersion: {version}
PackageLocale: en-US
Publisher: Tavrik
PackageName: Tavrik
License: Proprietary
ShortDescription: Makes a folder appear as a drive letter, and binds a list of them at log-on.
Description: >-
  Tavrik binds a folder to a drive letter, lists and removes such drives, keeps a history of the
  folders it mounted, binds a start-up list at log-on, names each drive after its folder in
  Explorer, and can make the user's drives visible to the programs the user runs as administrator.
Tags:
- drive-letter
- subst
- virtual-drive
ManifestType: defaultLocale
ManifestVersion: {SCHEMA}
""",
        f"{IDENTIFIER}.installer.yaml": header("installer") + f"""PackageVersion: {version}
InstallerType: nullsoft
Scope: user
InstallModes:
- interactive
- silent
- silentWithProgress
InstallerSwitches:
  Silent: /S
  SilentWithProgress: /S
  InstallLocation: /D=<INSTALLPATH>
UpgradeBehavior: install
ProductCode: {PRODUCT_CODE}
AppsAndFeaturesEntries:
- DisplayName: Tavrik
  Publisher: Tavrik
  DisplayVersion: {version}
  ProductCode: {PRODUCT_CODE}
Installers:
- Architecture: x86
  InstallerUrl: {url}
  InstallerSha256: {sha256}
- Architecture: x64
  InstallerUrl: {url}
  InstallerSha256: {sha256}
ManifestType: installer
ManifestVersion: {SCHEMA}
""",
    }
    for name, text in manifests.items():
        with open(os.path.join(folder, name), "w", newline="\n") as f:
            f.write(text)


if __name__ == "__main__":
    main()

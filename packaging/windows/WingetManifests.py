#!/usr/bin/python3
"""Writes the winget manifests of Brisvane's Windows installers.

Usage: WingetManifests.py ROOT URI FILE... --description TEXT --license NAME
       --copyright NOTICE --program-manifest Brisvane.manifest --metainfo FILE

The three manifests that winget's community repository takes (version,
installer, default locale), as it lays them out:
ROOT/manifests/b/Brisvane/Brisvane/VERSION/. The FILEs are the MSI and, if
given, the portable zip, served at URI/NAME. Every value is read from
where it is kept:
- from the MSI (msiinfo): the version, name, publisher and language, the
  product code and the upgrade code;
- from each file: its SHA-256;
- from the program's manifest: the oldest Windows it supports;
- from SOURCE_DATE_EPOCH: the release date;
- from the options, which CMake takes from LICENSE and project(): the
  licence, the copyright notice and the one-line description; and the
  long description from the AppStream metadata.
"""

import argparse
import datetime
import hashlib
import json
import locale
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

IDENTIFIER = "Brisvane.Brisvane"
# The newest that winget's community repository takes.
MANIFEST_VERSION = "1.12.0"
# supportedOS in a program's manifest, as Microsoft names each Windows.
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "6.0.0.0",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "6.1.0.0",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "6.2.0.0",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "6.3.0.0",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10.0.0.0",
}


def Fail(message):
    sys.exit("WingetManifests.py: " + message)


def MsiProperties(msi):
    table = subprocess.run(["msiinfo", "export", msi, "Property"], check=True, capture_output=True,
                           text=True).stdout
    return dict(line.split("\t", 1) for line in table.replace("\r", "").splitlines()[3:])


def Sha256(path):
    with open(path, "rb") as file:
        return hashlib.sha256(file.read()).hexdigest().upper()


def MinimumOsVersion(program_manifest):
    found = ElementTree.parse(program_manifest).iter("{urn:schemas-microsoft-com:compatibility.v1}supportedOS")
    versions = [SUPPORTED_OS[entry.get("Id").lower()] for entry in found]
    if not versions:
        Fail(program_manifest + " names no supportedOS")
    return min(versions, key=lambda v: [int(n) for n in v.split(".")])


def LongDescription(metainfo):
    paragraphs = ElementTree.parse(metainfo).getroot().find("description").iter("p")
    return "\n\n".join(" ".join("".join(p.itertext()).split()) for p in paragraphs)


def Yaml(value, indent=""):
    """Block YAML of mappings, lists and strings, every string quoted as JSON quotes it."""
    if isinstance(value, dict):
        lines = []
        for key, item in value.items():
            if isinstance(item, (dict, list)):
                lines += [indent + key + ":", Yaml(item, indent + "  ")]
            else:
                lines.append(indent + key + ": " + json.dumps(item, ensure_ascii=False))
        return "\n".join(lines)
    if isinstance(value, list):
        return "\n".join(indent + "- " + Yaml(item, indent + "  ")[len(indent) + 2:] for item in value)
    return indent + json.dumps(value, ensure_ascii=False)


def Write(folder, name, kind, manifest):
    manifest.update(ManifestType=kind, ManifestVersion=MANIFEST_VERSION)
    schema = "https://aka.ms/winget-manifest.%s.%s.schema.json" % (kind.lower(), MANIFEST_VERSION)
    with open(os.path.join(folder, name), "w", encoding="utf-8") as file:
        file.write("# yaml-language-server: $schema=%s\n%s\n" % (schema, Yaml(manifest)))


def main():
    parser = argparse.ArgumentParser(description="Writes the winget manifests of Brisvane's installers.")
    parser.add_argument("root")
    parser.add_argument("uri")
    parser.add_argument("files", nargs="+")
    for option in ("description", "license", "copyright", "program-manifest", "metainfo"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    if not re.match(r"^https?://", args.uri, re.IGNORECASE):
        Fail("winget fetches installers over HTTP(S) only, not from %s" % args.uri)
    epoch = os.environ.get("SOURCE_DATE_EPOCH", "")
    if not epoch.isdigit():
        Fail("SOURCE_DATE_EPOCH, the release's time, is not set")

    msis = [f for f in args.files if f.endswith(".msi")]
    zips = [f for f in args.files if f.endswith(".zip")]
    if len(msis) != 1 or len(zips) > 1 or len(msis) + len(zips) != len(args.files):
        Fail("give one .msi and at most one .zip, not %s" % " ".join(args.files))
    msi = MsiProperties(msis[0])
    version = msi["ProductVersion"]
    language = locale.windows_locale[int(msi["ProductLanguage"])].replace("_", "-")
    command = msi["ProductName"].lower()
    folder = os.path.join(args.root, "manifests", IDENTIFIER[0].lower(), *IDENTIFIER.split("."), version)
    os.makedirs(folder, exist_ok=True)

    def Url(path):
        return args.uri.rstrip("/") + "/" + os.path.basename(path)

    # The MSI for the user (its default) and for every user (ALLUSERS=1,
    # which needs elevation); both honour INSTALLDIR, where winget's own
    # TARGETDIR would not move the folder.
    installers = [{
        "Architecture": "x64",
        "InstallerType": "msi",
        "Scope": scope,
        "InstallerUrl": Url(msis[0]),
        "InstallerSha256": Sha256(msis[0]),
        "ProductCode": msi["ProductCode"],
        "InstallerSwitches": dict(InstallLocation='INSTALLDIR="<INSTALLPATH>"', **switches),
        "AppsAndFeaturesEntries": [{"UpgradeCode": msi["UpgradeCode"]}],
        **elevation,
    } for scope, switches, elevation in (("user", {}, {}),
                                          ("machine", {"Custom": "ALLUSERS=1"},
                                           {"ElevationRequirement": "elevationRequired"}))]
    # The zip holds the program, which runs from anywhere.
    installers += [{
        "Architecture": "x64",
        "InstallerType": "zip",
        "NestedInstallerType": "portable",
        "NestedInstallerFiles": [{"RelativeFilePath": "Brisvane.exe", "PortableCommandAlias": command}],
        "InstallerUrl": Url(path),
        "InstallerSha256": Sha256(path),
    } for path in zips]

    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    Write(folder, IDENTIFIER + ".yaml", "version", {**common, "DefaultLocale": language})
    Write(folder, IDENTIFIER + ".installer.yaml", "installer", {
        **common,
        "InstallerLocale": language,
        "Platform": ["Windows.Desktop"],
        "MinimumOSVersion": MinimumOsVersion(args.program_manifest),
        "ReleaseDate": datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc).date().isoformat(),
        "Installers": installers,
    })
    Write(folder, "%s.locale.%s.yaml" % (IDENTIFIER, language), "defaultLocale", {
        **common,
        "PackageLocale": language,
        "Publisher": msi["Manufacturer"],
        "PackageName": msi["ProductName"],
        "License": args.license,
        "Copyright": args.copyright,
        "ShortDescription": args.description,
        "Description": LongDescription(args.metainfo),
        "Moniker": command,
    })


if __name__ == "__main__":
    main()

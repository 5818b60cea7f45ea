#!/usr/bin/python3
"""Checks the winget manifests under ROOT: against the rules of winget's
published schema for the fields they use, against the files they name, and
against where the project keeps each fact. And says how winget runs an MSI
of them.

Usage: WingetManifestsTest.py ROOT URI SOURCE FILE...
       WingetManifestsTest.py --arguments ROOT VERSION SCOPE LOG [--silent] [--upgrade] [--location PATH]

FILE... are the installers the manifests must name, served at URI; SOURCE
is the checkout, SOURCE_DATE_EPOCH the release's time. With --arguments it
prints, one a line, the arguments winget gives msiexec after /i for the MSI
entry of SCOPE of VERSION: `winget install` (with --silent, --location),
or `winget upgrade`.
"""

import datetime
import glob
import hashlib
import locale
import os
import re
import shlex
import sys
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile

import yaml

from InstallerTablesTest import Table

# winget's schema: each manifest's required fields, the patterns and the
# lengths of those Brisvane's use, and the values of its enumerations.
REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                      "License", "ShortDescription", "ManifestType", "ManifestVersion"],
    "Installers": ["Architecture", "InstallerUrl", "InstallerSha256"],
    "NestedInstallerFiles": ["RelativeFilePath"],
}
# The fields of winget's schema that the manifests use, each mapping's: a
# field that is not one of them (misspelt, or out of its place) fails.
MANIFEST = ["PackageIdentifier", "PackageVersion", "ManifestType", "ManifestVersion"]
FIELDS = {
    "version": MANIFEST + ["DefaultLocale"],
    "installer": MANIFEST + "InstallerLocale Platform MinimumOSVersion ReleaseDate Installers".split(),
    "Installers": """Architecture InstallerType NestedInstallerType NestedInstallerFiles Scope InstallerUrl
        InstallerSha256 ProductCode InstallerSwitches AppsAndFeaturesEntries ElevationRequirement""".split(),
    "defaultLocale": MANIFEST + """PackageLocale Publisher PackageName License Copyright ShortDescription
        Description Moniker""".split(),
    "InstallerSwitches": ["InstallLocation", "Custom"],
    "NestedInstallerFiles": ["RelativeFilePath", "PortableCommandAlias"],
    "AppsAndFeaturesEntries": ["UpgradeCode"],
}
UNSAFE = r'\\/:*?"<>|\x01-\x1f'
PART = r"(0|[1-9][0-9]{0,3}|[1-5][0-9]{4}|6[0-4][0-9]{3}|65[0-4][0-9]{2}|655[0-2][0-9]|6553[0-5])"
LOCALE = r"([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*"
PATTERNS = {
    "PackageIdentifier": r"[^.\s%s]{1,32}(\.[^.\s%s]{1,32}){1,7}" % (UNSAFE, UNSAFE),
    "PackageVersion": r"[^%s]+" % UNSAFE,
    "ManifestVersion": PART + r"(\." + PART + "){2}",
    "MinimumOSVersion": PART + r"(\." + PART + "){0,3}",
    "DefaultLocale": LOCALE, "PackageLocale": LOCALE, "InstallerLocale": LOCALE,
    "InstallerUrl": r"[Hh][Tt][Tt][Pp][Ss]?://.+",
    "InstallerSha256": r"[A-Fa-f0-9]{64}",
    "ReleaseDate": r"\d{4}-\d{2}-\d{2}",
}
LENGTHS = {
    "PackageIdentifier": (1, 128), "PackageVersion": (1, 128), "DefaultLocale": (1, 20), "PackageLocale": (1, 20),
    "InstallerLocale": (1, 20), "InstallerUrl": (1, 2048), "Publisher": (2, 256), "PackageName": (2, 256),
    "License": (3, 512), "Copyright": (3, 512), "ShortDescription": (3, 256), "Description": (3, 10000),
    "Moniker": (1, 40), "PortableCommandAlias": (1, 40), "RelativeFilePath": (1, 512), "ProductCode": (1, 255),
    "UpgradeCode": (1, 255), "InstallLocation": (1, 512), "Log": (1, 512), "Custom": (1, 2048),
}
ENUMS = {
    "Architecture": {"x86", "x64", "arm", "arm64", "neutral"},
    "InstallerType": {"msix", "msi", "appx", "exe", "zip", "inno", "nullsoft", "wix", "burn", "pwa", "portable"},
    "NestedInstallerType": {"msix", "msi", "appx", "exe", "inno", "nullsoft", "wix", "burn", "portable"},
    "Scope": {"user", "machine"},
    "Platform": {"Windows.Desktop", "Windows.Universal"},
    "ElevationRequirement": {"elevationRequired", "elevationProhibited", "elevatesSelf"},
}
# supportedOS in a program's manifest, by Microsoft's names for each Windows.
WINDOWS = {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10.0.0.0", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "6.3.0.0",
           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "6.2.0.0", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "6.1.0.0"}


def Yaml(path):
    with open(path, encoding="utf-8") as file:
        return yaml.safe_load(file)


def Manifests(root):
    """Each version's folder and its manifests, by type."""
    for folder in sorted(glob.glob(os.path.join(root, "manifests", "*", "*", "*", "*"))):
        yield folder, {m["ManifestType"]: m for m in map(Yaml, glob.glob(folder + "/*.yaml"))}


def MsiProperties(msi):
    return {row["Property"]: row["Value"] for row in Table(msi, "Property")}


class WingetManifests(unittest.TestCase):
    ROOT = URI = SOURCE = FILES = None

    def setUp(self):
        self.versions = list(Manifests(self.ROOT))
        self.assertTrue(self.versions, "no manifests under " + self.ROOT)

    def Source(self, path):
        with open(os.path.join(self.SOURCE, path), encoding="utf-8") as file:
            return file.read()

    def Fields(self, mapping, schema_name):
        """Checks the fields of one mapping, and of those it holds, by the schema's rules."""
        for field in REQUIRED.get(schema_name, []):
            self.assertIn(field, mapping, "%s needs %s" % (schema_name, field))
        self.assertEqual(set(mapping) - set(FIELDS[schema_name]), set(), "no fields of " + schema_name)
        for field, value in mapping.items():
            if isinstance(value, dict):
                self.Fields(value, field)
            elif isinstance(value, list):
                for item in value:
                    if isinstance(item, dict):
                        self.Fields(item, field)
                    else:
                        self.assertIn(item, ENUMS[field], field)
            else:
                self.assertIsInstance(value, str, field)
                if field in PATTERNS:
                    self.assertRegex(value, "^(%s)$" % PATTERNS[field], field)
                if field in ENUMS:
                    self.assertIn(value, ENUMS[field], field)
                low, high = LENGTHS.get(field, (1, 2048))
                self.assertTrue(low <= len(value) <= high, "%s: %d characters" % (field, len(value)))

    def test_each_manifest_keeps_the_schemas_rules(self):
        for folder, manifests in self.versions:
            self.assertEqual(sorted(manifests), ["defaultLocale", "installer", "version"], folder)
            for kind, manifest in manifests.items():
                with self.subTest(folder=folder, manifest=kind):
                    self.Fields(manifest, kind)
                    self.assertEqual(manifest["ManifestVersion"], manifests["version"]["ManifestVersion"])
                    self.assertGreaterEqual([int(n) for n in manifest["ManifestVersion"].split(".")], [1, 6, 0])

    def test_the_layout_is_the_community_repositorys(self):
        for folder, manifests in self.versions:
            version = manifests["version"]
            identifier = version["PackageIdentifier"]
            self.assertEqual(os.path.relpath(folder, self.ROOT), os.path.join(
                "manifests", identifier[0].lower(), *identifier.split("."), version["PackageVersion"]))
            self.assertEqual(sorted(os.listdir(folder)), sorted(
                [identifier + ".yaml", identifier + ".installer.yaml",
                 "%s.locale.%s.yaml" % (identifier, version["DefaultLocale"])]))
            for manifest in manifests.values():
                self.assertEqual((manifest["PackageIdentifier"], manifest["PackageVersion"]),
                                 (identifier, version["PackageVersion"]))

    def test_each_installer_is_a_file_given_with_its_hash_at_the_address(self):
        named = set()
        for _, manifests in self.versions:
            for installer in manifests["installer"]["Installers"]:
                path = next((f for f in self.FILES if os.path.basename(f) == installer["InstallerUrl"].split("/")[-1]),
                            None)
                self.assertIsNotNone(path, installer["InstallerUrl"] + " is none of the files")
                self.assertEqual(installer["InstallerUrl"], self.URI.rstrip("/") + "/" + os.path.basename(path))
                with open(path, "rb") as file:
                    self.assertEqual(installer["InstallerSha256"].lower(), hashlib.sha256(file.read()).hexdigest())
                named.add(path)
        self.assertEqual(named, set(self.FILES))

    def test_the_msi_entries_are_what_the_msi_says(self):
        for _, manifests in self.versions:
            entries = [i for i in manifests["installer"]["Installers"] if i["InstallerType"] == "msi"]
            self.assertEqual(sorted(i["Scope"] for i in entries), ["machine", "user"])
            msi = next(f for f in self.FILES if f.endswith("/" + entries[0]["InstallerUrl"].split("/")[-1]))
            properties = MsiProperties(msi)
            language = next(row["Value"] for row in Table(msi, "_SummaryInformation") if row["PropertyId"] == "7")
            self.assertEqual(manifests["version"]["PackageVersion"], properties["ProductVersion"])
            self.assertEqual(manifests["installer"]["InstallerLocale"],
                             locale.windows_locale[int(language.split(";")[1])].replace("_", "-"))
            for entry in entries:
                self.assertEqual(entry["ProductCode"], properties["ProductCode"])
                self.assertEqual(entry["AppsAndFeaturesEntries"], [{"UpgradeCode": properties["UpgradeCode"]}])
                self.assertIn('"<INSTALLPATH>"', entry["InstallerSwitches"]["InstallLocation"])
            locale_manifest = manifests["defaultLocale"]
            self.assertEqual((locale_manifest["Publisher"], locale_manifest["PackageName"]),
                             (properties["Manufacturer"], properties["ProductName"]))

    def test_the_zip_holds_the_program_that_its_alias_runs(self):
        for _, manifests in self.versions:
            for entry in manifests["installer"]["Installers"]:
                if entry["InstallerType"] == "zip":
                    path = next(f for f in self.FILES if f.endswith("/" + entry["InstallerUrl"].split("/")[-1]))
                    self.assertEqual(entry["NestedInstallerType"], "portable")
                    program = entry["NestedInstallerFiles"][0]
                    self.assertIn(program["RelativeFilePath"], zipfile.ZipFile(path).namelist())
                    self.assertEqual(program["PortableCommandAlias"], manifests["defaultLocale"]["PackageName"].lower())

    def test_the_texts_dates_and_windows_are_where_the_project_keeps_them(self):
        licence = self.Source("LICENSE")
        summary = re.search(r'^project\(.* DESCRIPTION "([^"]*)"', self.Source("CMakeLists.txt"), re.M).group(1)
        metainfo = ElementTree.parse(os.path.join(self.SOURCE, "packaging/brisvane.metainfo.xml.in"))
        metainfo = metainfo.find("description")
        description = "\n\n".join(" ".join("".join(p.itertext()).split()) for p in metainfo.iter("p"))
        program = ElementTree.parse(os.path.join(self.SOURCE, "ui/win32/Brisvane.manifest.in"))
        oldest = min((WINDOWS[e.get("Id").lower()] for e in program.iter(
            "{urn:schemas-microsoft-com:compatibility.v1}supportedOS")), key=lambda v: [int(n) for n in v.split(".")])
        day = datetime.datetime.fromtimestamp(int(os.environ["SOURCE_DATE_EPOCH"]), datetime.timezone.utc)
        for _, manifests in self.versions:
            texts = manifests["defaultLocale"]
            self.assertEqual(texts["License"], licence.split("\n")[0].removesuffix(" License"))
            self.assertEqual(texts["Copyright"], re.search(r"^Copyright \(c\) .+$", licence, re.M).group(0))
            self.assertEqual((texts["ShortDescription"], texts["Description"]), (summary, description))
            self.assertEqual(manifests["installer"]["MinimumOSVersion"], oldest)
            self.assertEqual(manifests["installer"]["ReleaseDate"], day.date().isoformat())


def Arguments(root, version, scope, log, silent=False, upgrade=False, location=None):
    """What winget passes an MSI installer, in winget's order, its own switches
    overridden by the entry's (winget-cli's ShellExecuteInstallerHandler.cpp
    and ManifestCommon.cpp)."""
    manifest = next(m["installer"] for folder, m in Manifests(root) if os.path.basename(folder) == version)
    entry = next(i for i in manifest["Installers"] if i["InstallerType"] == "msi" and i["Scope"] == scope)
    switches = {"Silent": "/quiet /norestart", "SilentWithProgress": "/passive /norestart",
                "Log": '/log "<LOGPATH>"', "InstallLocation": 'TARGETDIR="<INSTALLPATH>"',
                **manifest.get("InstallerSwitches", {}), **entry.get("InstallerSwitches", {})}
    wanted = ["Silent" if silent else "SilentWithProgress", "Log", "Custom"] + ["Upgrade"] * upgrade
    wanted += ["InstallLocation"] * (location is not None)
    line = " ".join(switches[name] for name in wanted if name in switches)
    return shlex.split(line.replace("<LOGPATH>", log).replace("<INSTALLPATH>", location or ""))


if __name__ == "__main__":
    if sys.argv[1:2] == ["--arguments"]:
        options = [a for a in sys.argv[2:] if a in ("--silent", "--upgrade")]
        rest = [a for a in sys.argv[2:] if a not in options]
        location = rest[rest.index("--location") + 1] if "--location" in rest else None
        print("\n".join(Arguments(*rest[:4], "--silent" in options, "--upgrade" in options, location)))
    else:
        WingetManifests.ROOT, WingetManifests.URI, WingetManifests.SOURCE = sys.argv[1:4]
        WingetManifests.FILES = [os.path.abspath(f) for f in sys.argv[4:]]
        unittest.main(argv=sys.argv[:1], verbosity=2)

#!/usr/bin/python3
"""Checks the installer's tables against the rules of Windows Installer
that its validators (the ICEs, which do not run on Debian) check, each by a
query of the tables msiinfo exports.

Usage: InstallerTablesTest.py MSI ICON

ICON is the icon the program is built with, which Apps & features shows.
"""

import os
import re
import subprocess
import sys
import tempfile
import unittest

# Folders that are the user's in any install (ICE91's list), and folders
# that are the user's or every user's as ALLUSERS says.
USERS_ONLY = {"AppDataFolder", "FavoritesFolder", "NetHoodFolder", "PersonalFolder", "PrintHoodFolder",
              "RecentFolder", "SendToFolder", "MyPicturesFolder", "LocalAppDataFolder"}
BY_SCOPE = {"AdminToolsFolder", "DesktopFolder", "ProgramMenuFolder", "StartMenuFolder", "StartupFolder",
            "TemplateFolder"}
# Registry roots: HKCR, HKCU, HKLM, HKU, and HKMU (-1), which follows ALLUSERS.
ROOTS = {"0": "machine", "1": "user", "2": "machine", "3": "machine", "-1": "scope"}


def Table(msi, name):
    """The rows of table NAME as dicts by column: none where there is no such table."""
    # msiinfo writes a table's streams (the Icon table's icons) as files.
    with tempfile.TemporaryDirectory() as streams:
        exported = subprocess.run(["msiinfo", "export", os.path.abspath(msi), name], capture_output=True, text=True,
                                  cwd=streams)
    lines = exported.stdout.replace("\r", "").split("\n") if exported.returncode == 0 else []
    return [dict(zip(lines[0].split("\t"), line.split("\t"))) for line in lines[3:] if line]


class InstallerTables(unittest.TestCase):
    MSI = ICON = None

    def setUp(self):
        self.tables = {}

    def Rows(self, name):
        if name not in self.tables:
            self.tables[name] = Table(self.MSI, name)
        return self.tables[name]

    def Ancestors(self, directory):
        parents = {row["Directory"]: row["Directory_Parent"] for row in self.Rows("Directory")}
        while directory:
            yield directory
            directory = parents.get(directory)

    def Scope(self, directory):
        """Whose a folder is: the user's, every user's, or the install's scope's."""
        for folder in self.Ancestors(directory):
            if folder in USERS_ONLY:
                return "user"
            if folder in BY_SCOPE:
                return "scope"
        return "machine"

    def InProfile(self, directory):
        return any(folder in USERS_ONLY | BY_SCOPE for folder in self.Ancestors(directory))

    # ICE57: a component holds the user's data or the machine's, with a key
    # path of the same kind, never both (HKMU and the Start menu follow the
    # scope, and count as a kind of their own).
    def test_no_component_mixes_the_users_and_the_machines_data(self):
        kinds = {row["Component"]: set() for row in self.Rows("Component")}
        for row in self.Rows("File"):
            kinds[row["Component_"]].add(self.Scope(self.Component(row["Component_"])["Directory_"]))
        for row in self.Rows("Registry"):
            kinds[row["Component_"]].add(ROOTS[row["Root"]])
        features = {row["Feature"] for row in self.Rows("Feature")}
        for row in self.Rows("Shortcut"):
            if row["Target"] not in features:
                kinds[row["Component_"]].add(self.Scope(row["Directory_"]))
        for component, found in kinds.items():
            self.assertLessEqual(len(found), 1, "%s holds %s data" % (component, " and ".join(sorted(found))))

    def Component(self, name):
        return next(row for row in self.Rows("Component") if row["Component"] == name)

    # ICE60: a versioned file is replaced by its version, and has no hash.
    def test_no_versioned_file_has_a_hash(self):
        hashed = {row["File_"] for row in self.Rows("MsiFileHash")}
        versioned = {row["File"] for row in self.Rows("File") if re.fullmatch(r"\d+(\.\d+)*", row["Version"])}
        self.assertEqual(hashed & versioned, set())
        self.assertIn("BrisvaneExe", versioned)

    # ICE64: a folder the package makes in a profile is removed with it.
    def test_each_folder_made_in_a_profile_is_removed(self):
        removed = {row["DirProperty"] for row in self.Rows("RemoveFile") if not row["FileName"]}
        made = {row["Directory"] for row in self.Rows("Directory")
                if row["DefaultDir"] != "." and self.InProfile(row["Directory"])}
        self.assertEqual(made - removed, set())

    # ICE68: only an action that runs in the script can run without
    # impersonation.
    def test_only_actions_in_the_script_run_without_impersonation(self):
        for row in self.Rows("CustomAction"):
            with self.subTest(action=row["Action"]):
                kind = int(row["Type"])
                self.assertFalse(kind & 0x800 and not kind & 0x400, "type %d" % kind)

    # ICE91: nothing goes into a folder that is the user's even in an install
    # for every user.
    def test_nothing_goes_into_a_folder_that_is_always_the_users(self):
        placed = [("file " + row["File"], self.Component(row["Component_"])["Directory_"]) for row in self.Rows("File")]
        placed += [("shortcut " + row["Shortcut"], row["Directory_"]) for row in self.Rows("Shortcut")]
        placed += [("ini file " + row["IniFile"], row["DirProperty"]) for row in self.Rows("IniFile")]
        self.assertEqual([what for what, folder in placed if self.Scope(folder) == "user"], [])

    # The earlier version goes before this one is installed, as a major
    # upgrade whose components may change needs.
    def test_the_earlier_version_is_removed_first(self):
        sequence = {row["Action"]: int(row["Sequence"]) for row in self.Rows("InstallExecuteSequence")}
        self.assertLess(sequence["InstallValidate"], sequence["RemoveExistingProducts"])
        self.assertLess(sequence["RemoveExistingProducts"], sequence["InstallInitialize"])

    # What Windows shows where it refuses an install: an older version over
    # a newer, or one beside an install in the other scope, which it names
    # with its folder (found by the tables' registry search) and the way to
    # upgrade it. Windows Installer itself looks only in its own scope.
    def test_each_refusal_says_why_and_what_to_do(self):
        conditions = {row["Condition"]: row["Description"] for row in self.Rows("LaunchCondition")}
        searches = {row["Property"]: row["Signature_"] for row in self.Rows("AppSearch")}
        keys = {row["Signature_"]: (row["Root"], row["Key"], row["Name"]) for row in self.Rows("RegLocator")}
        self.assertEqual(conditions.pop("NOT WIX_DOWNGRADE_DETECTED"),
                         "A newer version of Brisvane is already installed.")
        for condition, (other, root, upgrade) in {
                "Installed OR ALLUSERS OR NOT MACHINEFOLDER": ("MACHINEFOLDER", "2", "ALLUSERS=1"),
                "Installed OR NOT ALLUSERS OR NOT USERFOLDER": ("USERFOLDER", "1", "without ALLUSERS")}.items():
            self.assertEqual(keys[searches[other]], (root, r"Software\Brisvane", "Folder"))
            self.assertIn("in [%s]. Upgrade it" % other, conditions[condition])
            self.assertIn(upgrade, conditions.pop(condition))
        self.assertEqual(conditions, {})
        folder = next(row for row in self.Rows("Registry") if row["Name"] == "Folder")
        self.assertEqual((folder["Root"], folder["Key"], folder["Value"]), ("-1", r"Software\Brisvane", "[INSTALLDIR]"))

    # Apps & features shows the program's icon file, not a copy of the program.
    def test_the_icon_is_the_programs_icon_file(self):
        properties = {row["Property"]: row["Value"] for row in self.Rows("Property")}
        self.assertEqual([row["Name"] for row in self.Rows("Icon")], [properties["ARPPRODUCTICON"]])
        stored = subprocess.run(["msiinfo", "extract", self.MSI, "Icon." + properties["ARPPRODUCTICON"]],
                                check=True, capture_output=True).stdout
        with open(self.ICON, "rb") as icon:
            self.assertTrue(stored == icon.read(), "the Icon table holds %d bytes beginning %r, not %s"
                            % (len(stored), stored[:4], self.ICON))


if __name__ == "__main__":
    InstallerTables.MSI, InstallerTables.ICON = sys.argv[1:3]
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)

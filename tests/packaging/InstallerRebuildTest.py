#!/usr/bin/python3
"""Builds the installer twice as the build does, at a SOURCE_DATE_EPOCH of
the test's own, the second time with a wixl that starts two seconds late, as
one may on a busy machine: the two must be the same byte for byte, and
dated the epoch's time, however long wixl took to read its clock.

Usage: InstallerRebuildTest.py FILES BUILD_INSTALLER ARGUMENT...
FILES is the folder of the files the installer packs, BUILD_INSTALLER the
script that builds it and the ARGUMENTs those it takes after the MSI's name.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

EPOCH = 1600000000


class InstallerRebuild(unittest.TestCase):
    FILES = BUILD = ARGUMENTS = None

    def Build(self, folder, name, delay):
        """The installer built in FOLDER/NAME.msi by a wixl that waits DELAY seconds first."""
        shims = os.path.join(folder, name)
        os.mkdir(shims)
        wixl = os.path.join(shims, "wixl")
        with open(wixl, "w", encoding="utf-8") as shim:
            shim.write(f'#!/bin/sh\nsleep {delay}\nexec {shutil.which("wixl")} "$@"\n')
        os.chmod(wixl, 0o755)
        msi = os.path.join(folder, name + ".msi")
        env = dict(os.environ, SOURCE_DATE_EPOCH=str(EPOCH), PATH=shims + os.pathsep + os.environ["PATH"])
        subprocess.run(["bash", self.BUILD, msi, *self.ARGUMENTS], cwd=self.FILES, env=env, check=True)
        return msi

    def test_a_late_start_changes_nothing(self):
        with tempfile.TemporaryDirectory() as folder:
            on_time = self.Build(folder, "on_time", 0)
            late = self.Build(folder, "late", 2)
            summary = subprocess.run(["msiinfo", "suminfo", late], capture_output=True, text=True, check=True,
                                     env=dict(os.environ, TZ="UTC")).stdout
            dated = time.asctime(time.gmtime(EPOCH))
            for field in "Created", "Last saved":
                self.assertIn(f"{field}: {dated}\n", summary)
            with open(on_time, "rb") as a, open(late, "rb") as b:
                self.assertTrue(a.read() == b.read(), "the installer built by a late wixl differs")


if __name__ == "__main__":
    InstallerRebuild.FILES, InstallerRebuild.BUILD, *InstallerRebuild.ARGUMENTS = sys.argv[1:]
    unittest.main(argv=sys.argv[:1])

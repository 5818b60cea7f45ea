#!/usr/bin/python3
"""Checks that what debian/ must write out agrees with where each fact is kept.

Usage: DebianTextsTest.py METAINFO LICENSE DEBIAN_DIR SUMMARY

The package's synopsis is the project's one-line description (SUMMARY) and
its extended description the AppStream one (METAINFO, as configured);
debian/copyright holds LICENSE's notice and text; each entry of
debian/changelog is an AppStream release, with its version, day and text,
but for those a release adds for each Debian release (1.00+debNNu1, then
VERSION.brisvaneNN+M).
"""

import email.utils
import re
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ElementTree

METAINFO, LICENSE, DEBIAN, SUMMARY = sys.argv[1:5]
COMPONENT = ElementTree.parse(METAINFO).getroot()


def words(text):
    return " ".join(text.split())


def field(stanza, name):
    """A deb822 field's first line, and its further lines as paragraphs, each on one line."""
    lines = re.search(r"^%s:(.*(?:\n[ \t].*)*)" % name, stanza, re.MULTILINE).group(1).split("\n")
    return lines[0].strip(), [words(p) for p in "\n".join(lines[1:]).split("\n .\n")]


def paragraphs(element):
    return [words("".join(p.itertext())) for p in element.iter("p")]


class DebianTexts(unittest.TestCase):
    def test_the_description_is_the_summary_and_the_appstream_description(self):
        binary = open(DEBIAN + "/control", encoding="utf-8").read().split("\n\n")[1]
        self.assertEqual(field(binary, "Description"), (SUMMARY, paragraphs(COMPONENT.find("description"))))

    def test_the_copyright_is_the_licence_file(self):
        licence = open(LICENSE, encoding="utf-8").read()
        notice = re.search(r"^Copyright \(c\) (.+)$", licence, re.MULTILINE)
        files = open(DEBIAN + "/copyright", encoding="utf-8").read().split("\n\n")[1]
        self.assertEqual(field(files, "Copyright")[0], notice.group(1))
        self.assertEqual(field(files, "License"), ({"MIT": "Expat"}[COMPONENT.findtext("project_license")],
                                                   [words(p) for p in licence[notice.end():].strip().split("\n\n")]))

    def test_each_changelog_entry_is_an_appstream_release(self):
        entries = subprocess.run(["dpkg-parsechangelog", "-l", DEBIAN + "/changelog", "--format", "rfc822", "--all"],
                                 check=True, capture_output=True, text=True).stdout.strip().split("\n\n")
        found = [(field(e, "Version")[0], email.utils.parsedate_to_datetime(field(e, "Date")[0]).date().isoformat(),
                  field(e, "Changes")[1][1:]) for e in entries
                 if not re.search(r"(\+deb\d+u|\.brisvane\d+\+)\d+$", field(e, "Version")[0])]
        releases = [(r.get("version"), r.get("date"), [" ".join("* " + p for p in paragraphs(r))])
                    for r in COMPONENT.iter("release")]
        self.assertEqual(found, releases)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])

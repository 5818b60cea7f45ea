#!/usr/bin/python3
"""Writes the Debian package's own texts from the files that hold each fact.

Usage: make_debian_docs.py METAINFO LICENSE PACKAGE MAINTAINER OUTPUT_DIR

From the AppStream metadata (METAINFO, as configured), LICENSE, and the
package's name and MAINTAINER ("Name <address>"), writes into OUTPUT_DIR:

- description: the extended description, the AppStream description as
  plain paragraphs wrapped at 72 columns (CPack indents it and puts the
  synopsis, the project's one-line description, before it);
- copyright: the machine-readable copyright file, LICENSE's notice and text
  under the Debian name of AppStream's project_license;
- changelog.gz: one entry for each AppStream release, compressed as Debian
  wants it (gzip -9, no name, no time stamp).

The output depends on nothing but these inputs.
"""

import datetime
import email.utils
import gzip
import os
import re
import sys
import textwrap
import xml.etree.ElementTree as ElementTree

# SPDX identifiers as the copyright format names the same licences.
DEBIAN_LICENCE_NAMES = {"MIT": "Expat"}
COPYRIGHT_FORMAT = "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"


def paragraphs(description):
    """The text of each <p> and <li> under an AppStream <description>, on one line."""
    return [" ".join("".join(element.itertext()).split()) for element in description.iter()
            if element.tag in ("p", "li")]


def control_text(lines):
    """Lines as the continuation of a control field: a blank line becomes " ."."""
    return "\n".join(" " + line if line else " ." for line in lines)


def description(component):
    texts = paragraphs(component.find("description"))
    return "\n\n".join(textwrap.fill(text, 72) for text in texts) + "\n"


def copyright_file(component, licence_text):
    # LICENSE is a title, the notice, and the licence's own text.
    notice = re.search(r"^Copyright \(c\) (.+)$", licence_text, re.MULTILINE)
    body = licence_text[notice.end():].strip("\n").split("\n")
    name = component.findtext("project_license").strip()
    return (f"Format: {COPYRIGHT_FORMAT}\n"
            f"Upstream-Name: {component.findtext('name').strip()}\n\n"
            f"Files: *\nCopyright: {notice.group(1)}\nLicense: {DEBIAN_LICENCE_NAMES.get(name, name)}\n"
            f"{control_text(body)}\n")


def changelog(component, package, maintainer):
    entries = []
    for release in component.iter("release"):
        date = datetime.datetime.fromisoformat(release.get("date")).replace(tzinfo=datetime.timezone.utc)
        changes = "\n".join(textwrap.fill(change, 78, initial_indent="  * ", subsequent_indent="    ")
                            for change in paragraphs(release.find("description")))
        entries.append(f"{package} ({release.get('version')}) unstable; urgency=medium\n\n{changes}\n\n"
                       f" -- {maintainer}  {email.utils.format_datetime(date)}\n")
    return "\n".join(entries)


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    metainfo, licence, package, maintainer, output = sys.argv[1:]
    component = ElementTree.parse(metainfo).getroot()
    with open(licence, encoding="utf-8") as file:
        licence_text = file.read()

    os.makedirs(output, exist_ok=True)
    with open(os.path.join(output, "description"), "w", encoding="utf-8") as file:
        file.write(description(component))
    with open(os.path.join(output, "copyright"), "w", encoding="utf-8") as file:
        file.write(copyright_file(component, licence_text))
    with open(os.path.join(output, "changelog.gz"), "wb") as raw, \
            gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as file:
        file.write(changelog(component, package, maintainer).encode("utf-8"))


if __name__ == "__main__":
    main()

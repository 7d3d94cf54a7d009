#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes every entry of the English catalogue translate to its own source text."""
import sys
import xml.etree.ElementTree as ET

path = sys.argv[1]
tree = ET.parse(path)
for message in tree.getroot().iter("message"):
    source = message.find("source")
    translation = message.find("translation")
    if translation is None:
        translation = ET.SubElement(message, "translation")
    translation.text = source.text if source is not None else ""
    translation.attrib.pop("type", None)
with open(path, "wb") as out:
    out.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
    tree.write(out, encoding="utf-8", xml_declaration=False)
    out.write(b"\n")

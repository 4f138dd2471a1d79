#!/usr/bin/env python3
"""Removes every slide from a presentation package (.pptx), keeping its masters and layouts.

Usage: remove_slides.py PACKAGE  (rewritten in place)
"""
import re
import sys
import zipfile


def without_slides(name, data):
    text = data.decode("utf-8")
    if name == "ppt/presentation.xml":
        text = re.sub(r"<p:sldIdLst>.*?</p:sldIdLst>", "", text)
    elif name == "ppt/_rels/presentation.xml.rels":
        text = re.sub(r'<Relationship [^>]*Target="slides/[^"]*"/>', "", text)
    elif name == "[Content_Types].xml":
        text = re.sub(r'<Override PartName="/ppt/slides/[^"]*"[^>]*/>', "", text)
    return text.encode("utf-8")


def main(path):
    with zipfile.ZipFile(path) as package:
        parts = [(info, package.read(info)) for info in package.infolist()]
    with zipfile.ZipFile(path, "w") as package:
        for info, data in parts:
            if info.filename.startswith("ppt/slides/"):
                continue
            if info.filename.endswith((".xml", ".rels")):
                data = without_slides(info.filename, data)
            package.writestr(info, data, compress_type=info.compress_type)


if __name__ == "__main__":
    main(sys.argv[1])

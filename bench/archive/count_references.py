#!/usr/bin/env python3
"""Counts the references of a copied site that a browser opening its pages from disk cannot follow.

Usage: count_references.py FOLDER [--cached LIST] [--list]

Every page (HTML by content) and style sheet below FOLDER is read; each reference it makes
(href, src, srcset, frames, <link>, url() and @import in style sheets, <style> elements and
style attributes, refresh) is resolved the way a browser resolves it from a file: address.
Prints one line: pages, sheets, references, and how many do not resolve to a file in the copy,
split into those naming a missing file and those still naming the web. With --cached (the
output of `vantry-store list`), references to the web whose target the cache holds are counted
apart.
"""
import html.parser
import os
import re
import sys
import urllib.parse

PAGE_START = re.compile(rb"<(!doctype\s+html|html|head|body|frameset)\b", re.I)
CSS_URL = re.compile(r"""url\(\s*(?:"([^"]*)"|'([^']*)'|([^)\s]*))\s*\)|@import\s+(?:"([^"]*)"|'([^']*)')""", re.I)
ATTRIBUTES = {
    "href": {"a", "area", "link"}, "src": {"img", "script", "iframe", "frame", "embed", "source", "video",
                                           "audio", "track", "input"},
    "data": {"object"}, "poster": {"video"}, "background": {"body", "table", "td", "th"},
}
SKIPPED_SCHEMES = ("javascript:", "mailto:", "data:", "about:", "tel:", "blob:")


def css_references(text):
    return [next(group for group in match.groups() if group is not None) for match in CSS_URL.finditer(text)]


class PageReferences(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.found = []
        self.in_style = False

    def handle_starttag(self, tag, attrs):
        values = dict(attrs)
        for name, value in attrs:
            if value is None:
                continue
            if name in ATTRIBUTES and tag in ATTRIBUTES[name]:
                self.found.append(value)
            elif name in ("srcset", "imagesrcset"):
                self.found += [part.split()[0] for part in value.split(",") if part.split()]
            elif name == "style":
                self.found += css_references(value)
            elif name == "content" and (values.get("http-equiv") or "").lower() == "refresh":
                address = re.search(r"url\s*=\s*['\"]?([^'\"]+)", value, re.I)
                if address:
                    self.found.append(address.group(1).strip())
        self.in_style = tag == "style"

    def handle_endtag(self, tag):
        self.in_style = False

    def handle_data(self, data):
        if self.in_style:
            self.found += css_references(data)


def comparable(address):
    """One spelling for the spellings of an address (case of scheme and host, default port, escapes)."""
    parts = urllib.parse.urlsplit(address)
    host = (parts.hostname or "") + ("" if parts.port in (None, 80, 443) else ":%d" % parts.port)
    safe = "/:@!$&'()*+,;=~-._"
    path = urllib.parse.quote(urllib.parse.unquote(parts.path or "/"), safe=safe)
    query = urllib.parse.quote(urllib.parse.unquote(parts.query), safe=safe + "?")
    return "%s://%s%s%s" % (parts.scheme.lower(), host, path, "?" + query if "?" in address.split("#")[0] else "")


def cached_addresses(listing):
    with open(listing, encoding="utf-8", errors="replace") as lines:
        return {comparable(line.split(None, 5)[-1].strip()) for line in lines if line.startswith("content")}


def outcome(document, reference):
    """None when the reference needs nothing, else 'file', 'missing' or 'web'."""
    reference = reference.strip()
    if not reference or reference.startswith("#") or reference.lower().startswith(SKIPPED_SCHEMES):
        return None
    address = urllib.parse.urljoin("file://" + urllib.parse.quote(document), reference)
    parts = urllib.parse.urlsplit(address)
    if parts.scheme != "file":
        return "web"
    return "file" if os.path.isfile(urllib.parse.unquote(parts.path)) else "missing"


def main():
    folder, listing = os.path.abspath(sys.argv[1]), "--list" in sys.argv
    cached = cached_addresses(sys.argv[sys.argv.index("--cached") + 1]) if "--cached" in sys.argv else None
    counts = {"pages": 0, "sheets": 0, "references": 0, "missing": 0, "web": 0, "web_cached": 0}
    for root, _, names in os.walk(folder):
        for name in sorted(names):
            path = os.path.join(root, name)
            with open(path, "rb") as stream:
                content = stream.read()
            if name.lower().endswith(".css"):
                counts["sheets"] += 1
                references = css_references(content.decode("utf-8", "replace"))
            elif PAGE_START.search(content[:2048]):
                counts["pages"] += 1
                parser = PageReferences()
                parser.feed(content.decode("utf-8", "replace"))
                references = parser.found
            else:
                continue
            for reference in references:
                result = outcome(path, reference)
                if result is None:
                    continue
                counts["references"] += 1
                if result == "web" and cached is not None and comparable(reference.strip()) in cached:
                    result = "web_cached"
                if result != "file":
                    counts[result] += 1
                    if listing:
                        print("%s %s: %s" % (result, os.path.relpath(path, folder), reference))
    unresolved = counts["missing"] + counts["web"] + counts["web_cached"]
    line = ("pages=%(pages)d sheets=%(sheets)d references=%(references)d unresolved=%(unresolved)d "
            "(missing files %(missing)d, on the web %(on_web)d") % dict(counts, unresolved=unresolved,
                                                                      on_web=counts["web"] + counts["web_cached"])
    if cached is not None:
        line += ", of which the cache holds %d" % counts["web_cached"]
    print(line + ")")


if __name__ == "__main__":
    main()

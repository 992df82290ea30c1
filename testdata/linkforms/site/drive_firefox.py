#!/usr/bin/env python3
"""Visits addresses with headless firefox-esr over Marionette (the corpus driver's wire
protocol, on a port of our own), then quits it normally so that its cache is written.
Usage: drive_firefox.py PROFILE MARIONETTE-PORT URL [URL ...]"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "corpus", "site"))
from ff_drive import Marionette  # noqa: E402


def main():
    profile, port, urls = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    browser = subprocess.Popen(["firefox-esr", "--headless", "--marionette", "--no-remote", "--profile", profile])
    marionette = Marionette(port)
    marionette.cmd("WebDriver:NewSession", {"capabilities": {"alwaysMatch": {"pageLoadStrategy": "normal"}}})
    for url in urls:
        print("visit", url, flush=True)
        marionette.cmd("WebDriver:Navigate", {"url": url})
        time.sleep(2.5)  # frames and style sheet imports finish loading
    time.sleep(3)
    marionette.cmd("Marionette:Quit", {"flags": ["eAttemptQuit"]})
    browser.wait(timeout=60)


if __name__ == "__main__":
    main()

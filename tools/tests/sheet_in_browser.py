#!/usr/bin/python3
"""The setup sheet in a real browser.

Writes the demo set (whose demo writes sheet.html), checks that the page is
self-contained and valid HTML5, then has headless Chromium draw it to PNG and
print it to PDF: the browser exits 0, the picture is not blank (its share of
dark pixels lies in a stated range) and the PDF has one page per turret table.

Validation: `tidy -q -e` (HTML Tidy 5, which knows HTML5 and inline SVG) must
report nothing, and `xmllint --noout` must parse the page as XML (the page is
written as well-formed markup). xmllint's --html parser is an HTML 4 parser:
it calls every HTML5 and SVG element ("section", "svg", "path") invalid, so it
cannot judge this page.

Usage: sheet_in_browser.py QUARNEL WORK_FOLDER [--keep-png PATH]
Exit 77 (skipped) when a tool is missing outside CI; in CI a missing tool fails.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

BROWSER_SECONDS = 240  # generous: a cold start on a loaded machine
DARK_SHARE = (0.01, 0.25)  # share of pixels darker than mid-grey in the screenshot
WINDOW = (1000, 1400)

TOOLS = ["chromium", "pdfinfo", "tidy", "xmllint"]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def run(arguments, timeout=120, **kwargs):
    return subprocess.run(arguments, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                          timeout=timeout, **kwargs)


def browser(arguments, page, work):
    """Runs headless Chromium once with a fresh profile; its output goes to a log file."""
    profile = tempfile.mkdtemp(prefix="chromium-profile-", dir=work)
    log_path = os.path.join(work, "chromium.log")
    command = ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
               "--no-first-run", "--disable-background-networking", "--disable-component-update",
               "--disable-sync", "--hide-scrollbars", "--user-data-dir=" + profile] + arguments + [
                  "file://" + os.path.abspath(page)]
    try:
        # Files, not pipes: the browser's helper processes may outlive it and
        # would keep a pipe open.
        with open(log_path, "a") as log:
            status = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                    timeout=BROWSER_SECONDS).returncode
    except subprocess.TimeoutExpired:
        fail("chromium did not finish within %d s: %s" % (BROWSER_SECONDS, " ".join(arguments)))
    finally:
        shutil.rmtree(profile, ignore_errors=True)
    if status != 0:
        with open(log_path) as log:
            fail("chromium %s exited %d:\n%s" % (" ".join(arguments), status, log.read()[-2000:]))


def dark_share(png):
    from PIL import Image
    image = Image.open(png).convert("L")
    histogram = image.histogram()
    return sum(histogram[:128]) / float(image.width * image.height)


def check_markup(page):
    with open(page, encoding="utf-8") as f:
        html = f.read()
    if not html.startswith("<!DOCTYPE html>"):
        fail("the page does not start with the HTML5 doctype")
    # Self-contained: nothing fetched, nothing run.
    for pattern in [r"<script", r"<link", r"<img", r"<iframe", r"@import", r"url\(", r"\ssrc=",
                    r"https?://(?!www\.w3\.org/2000/svg\")"]:
        if re.search(pattern, html):
            fail("the page refers outside itself or runs code: " + pattern)
    tidy = run(["tidy", "-q", "-e", page])
    if tidy.returncode != 0 or tidy.stdout.strip() or tidy.stderr.strip():
        fail("tidy reports problems (exit %d):\n%s%s" % (tidy.returncode, tidy.stdout, tidy.stderr))
    xml = run(["xmllint", "--noout", page])
    if xml.returncode != 0 or xml.stderr.strip():
        fail("the page is not well-formed markup:\n" + xml.stderr)
    return html


def main():
    if len(sys.argv) < 3:
        fail(__doc__)
    quarnel, work = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    keep_png = sys.argv[4] if len(sys.argv) > 4 and sys.argv[3] == "--keep-png" else None
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    try:
        import PIL  # noqa: F401
    except ImportError:
        missing.append("python3-pil")
    if missing:
        print("missing: " + ", ".join(missing) + " (scripts/test.sh installs them)", file=sys.stderr)
        sys.exit(1 if os.environ.get("CI") else 77)

    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    demo = run([quarnel, "demo", os.path.join(work, "demo")], cwd=work)
    if demo.returncode != 0:
        fail("quarnel demo failed:\n" + demo.stderr)
    page = os.path.join(work, "demo", "sheet.html")
    html = check_markup(page)
    tables = html.count('<section class="sheet"')
    if tables != 2:
        fail("the demo's station file has two turret tables, the page shows %d" % tables)

    png, pdf = os.path.join(work, "sheet.png"), os.path.join(work, "sheet.pdf")
    browser(["--window-size=%d,%d" % WINDOW, "--screenshot=" + png], page, work)
    browser(["--no-pdf-header-footer", "--print-to-pdf=" + pdf], page, work)

    share = dark_share(png)
    if not DARK_SHARE[0] <= share <= DARK_SHARE[1]:
        fail("dark pixels make up %.4f of the screenshot, expected %.2f to %.2f" %
             (share, DARK_SHARE[0], DARK_SHARE[1]))
    info = run(["pdfinfo", pdf])
    pages = re.search(r"^Pages:\s+(\d+)", info.stdout, re.M)
    if info.returncode != 0 or not pages:
        fail("pdfinfo cannot read the PDF:\n" + info.stderr)
    if int(pages.group(1)) != tables:
        fail("the PDF has %s pages for %d turret tables" % (pages.group(1), tables))
    if keep_png:
        shutil.copyfile(png, keep_png)
    print("sheet in the browser: %d turret tables, %s PDF pages, %.4f dark pixels" %
          (tables, pages.group(1), share))


if __name__ == "__main__":
    main()

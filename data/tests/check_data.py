#!/usr/bin/env python3
"""Checks of what Tallymar installs besides its programs: the desktop entry, the
metainfo, the tape file type, the help book, the man pages, the tips file, the
default settings and the install itself. One check per command; each prints what
it found wrong and exits 1, or exits 0 when all is well.

    check_data.py desktop-entry FILE.desktop
    check_data.py metainfo FILE.metainfo.xml VERSION
    check_data.py mime-type FILE.xml TALLYMAR_CLI WORK_DIR
    check_data.py help HELP_DIR
    check_data.py man PAGE...
    check_data.py tips TallymarTips.txt
    check_data.py default-settings Tallymar.ini SRC_SETTINGS_DIR
    check_data.py install BUILD_DIR PREFIX --app-id ID --help-dir DIR --sizes N...
                  --data DATA_DIR --man PAGE...
    check_data.py package BUILD_DIR WORK_DIR --version VERSION
"""
import argparse
import configparser
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import time
import xml.etree.ElementTree as ET
from pathlib import Path

MIME_NS = "{http://www.freedesktop.org/standards/shared-mime-info}"
TAPE_TYPE = "application/x-tallymar-tape"
RECORD_SIZE = 30


class Problems:
    def __init__(self):
        self.found = []

    def add(self, text):
        self.found.append(text)

    def check(self, condition, text):
        if not condition:
            self.add(text)
        return condition

    def finish(self, what):
        for text in self.found:
            print(f"FAIL: {text}")
        if self.found:
            print(f"{what}: {len(self.found)} problem(s)")
            return 1
        print(f"{what}: all good")
        return 0


def run(command, **kwargs):
    try:
        return subprocess.run(command, capture_output=True, text=True, **kwargs)
    except FileNotFoundError:
        print(f"FAIL: {command[0]} is not installed (scripts/deps.sh installs it)")
        sys.exit(1)


# --- desktop entry ---------------------------------------------------------------

def desktop_entry_keys(path):
    keys = {}
    group = None
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            group = line[1:-1]
        elif "=" in line and not line.startswith("#") and group == "Desktop Entry":
            key, value = line.split("=", 1)
            keys[key.strip()] = value.strip()
    return keys


def check_desktop_entry(args):
    p = Problems()
    result = run(["desktop-file-validate", args.file])
    output = result.stdout + result.stderr
    p.check(result.returncode == 0, f"desktop-file-validate failed:\n{output}")
    for line in output.splitlines():
        # Hints are suggestions; errors and warnings are faults.
        p.check(not re.search(r"\b(error|warning):", line), f"desktop-file-validate: {line}")
    keys = desktop_entry_keys(args.file)
    exec_line = keys.get("Exec", "")
    # A tape opened from a file manager reaches the program only through a field code.
    p.check(re.search(r"%[fFuU]", exec_line), f"Exec= passes no file to the program: {exec_line!r}")
    return p.finish("desktop entry")


# --- metainfo --------------------------------------------------------------------

def check_metainfo(args):
    p = Problems()
    result = run(["appstreamcli", "validate", "--no-net", "--explain", args.file])
    p.check(result.returncode == 0,
            f"appstreamcli validate failed:\n{result.stdout}{result.stderr}")
    root = ET.parse(args.file).getroot()
    versions = [r.get("version") for r in root.iter("release")]
    p.check(args.version in versions,
            f"no <release> entry for version {args.version} (found {versions})")
    for element in root.iter():
        if element.text and "@" in element.text and re.search(r"@\w+@", element.text):
            p.add(f"<{element.tag}> still holds a placeholder: {element.text.strip()}")
    images = [i.text.strip() for i in root.iter("image") if i.text]
    p.check(images, "no screenshot image")
    for image in images:
        p.check(re.fullmatch(r"https://\S+\.png", image), f"screenshot is no https PNG: {image}")
    return p.finish("metainfo")


# --- the tape file type ----------------------------------------------------------

def tape_type_of(xml_path):
    """The <mime-type> element of the tape type, or None."""
    root = ET.parse(xml_path).getroot()
    for mime_type in root.iter(MIME_NS + "mime-type"):
        if mime_type.get("type") == TAPE_TYPE:
            return mime_type
    return None


def magic_bytes(match):
    """The bytes a little16 match looks for."""
    value = match.get("value")
    number = int(value, 0)
    return struct.pack("<h" if number < 0 else "<H", number)


def content_type(path, data_dirs, home):
    env = dict(os.environ, XDG_DATA_DIRS=data_dirs, XDG_DATA_HOME=home)
    result = run(["gio", "info", "--attributes=standard::content-type", str(path)], env=env)
    found = re.search(r"standard::content-type:\s*(\S+)", result.stdout)
    return found.group(1) if found else f"(gio: {result.stderr.strip()})"


def check_mime_type(args):
    p = Problems()
    try:
        mime_type = tape_type_of(args.xml)
    except ET.ParseError as error:
        p.add(f"{args.xml} is not well-formed XML: {error}")
        return p.finish("tape file type")
    if not p.check(mime_type is not None, f"{args.xml} defines no {TAPE_TYPE}"):
        return p.finish("tape file type")
    globs = [g.get("pattern") for g in mime_type.iter(MIME_NS + "glob")]
    p.check("*.add" in globs, f"no *.add glob (found {globs})")
    matches = list(mime_type.iter(MIME_NS + "match"))
    p.check(len(matches) == 1 and matches[0].get("type") == "little16"
            and matches[0].get("offset") == "0",
            "the magic is not one little16 match at offset 0")

    work = Path(args.work_dir)
    shutil.rmtree(work, ignore_errors=True)
    packages = work / "share" / "mime" / "packages"
    packages.mkdir(parents=True)
    shutil.copy(args.xml, packages)
    update = run(["update-mime-database", str(work / "share" / "mime")])
    p.check(update.returncode == 0, f"update-mime-database failed: {update.stderr}")

    # A real tape, saved by the adding machine itself.
    files = work / "files"
    files.mkdir()
    saved = files / "week.add"
    cli = run([args.cli, "--keys", "12.49+3.99+{Enter}Refund{Enter}5-{Enter}{Save " + str(saved) + "}"])
    p.check(cli.returncode == 0, f"tallymar-cli could not save a tape: {cli.stderr}")
    if not p.check(saved.is_file(), f"tallymar-cli saved no {saved}"):
        return p.finish("tape file type")
    tape = saved.read_bytes()
    p.check(len(tape) >= RECORD_SIZE and len(tape) % RECORD_SIZE == 0,
            f"the saved tape is {len(tape)} bytes, not whole records")
    if matches:
        p.check(tape[:2] == magic_bytes(matches[0]),
                f"the magic {magic_bytes(matches[0])!r} does not match a saved tape's "
                f"first bytes {tape[:2]!r}")

    without_name = files / "week"  # no ".add": only the first bytes can tell
    without_name.write_bytes(tape)
    damaged = files / "damaged"
    damaged.write_bytes(struct.pack("<h", 631) + tape[2:])
    notes = files / "notes"
    notes.write_text("Groceries 12.49\nRefund -5.00\n")
    text_add = files / "figures"
    text_add.write_text("v2 is the second version of the figures\n")

    data_dirs = f"{work / 'share'}:/usr/share"
    home = str(work / "no-home")
    expected = [(saved, True), (without_name, True), (damaged, False), (notes, False),
                (text_add, False)]
    for path, is_tape in expected:
        found = content_type(path, data_dirs, home)
        if is_tape:
            p.check(found == TAPE_TYPE, f"{path.name}: {found}, expected {TAPE_TYPE}")
        else:
            p.check(found != TAPE_TYPE and not found.startswith("(gio"),
                    f"{path.name}: {found}, expected anything but a tape")
    return p.finish("tape file type")


# --- the help book ---------------------------------------------------------------

LINK = re.compile(r"!?\[([^\]]*)\]\(([^)\s]*)\)")
HTML_TAG = re.compile(r"</?[A-Za-z][A-Za-z0-9]*(\s[^<>]*)?/?>")
# Bold, italics of whole words and escaped stars; any other * is a key name that
# Markdown would take for emphasis.
EMPHASIS = re.compile(r"\\\*|\*\*|\*[A-Za-z][^*]*[A-Za-z]\*")
STRAY_STAR = re.compile(r"\*")


def prose_lines(text):
    """The page's lines outside code blocks, with code spans removed."""
    lines = []
    previous_blank = True
    in_block = False
    for line in text.splitlines():
        indented = line.startswith("    ") or line.startswith("\t")
        if indented and (previous_blank or in_block):
            in_block = True
        elif line.strip():
            in_block = False
        if not in_block:
            lines.append(re.sub(r"`[^`]*`", "", line))
        previous_blank = not line.strip()
    return lines


def check_help(args):
    p = Problems()
    folder = Path(args.help_dir)
    pages = {page.name: page for page in folder.glob("*.md")}
    for required in ("index.md", "calculator-mode.md"):
        p.check(required in pages, f"the help has no {required}")
    links = {}
    for name, page in sorted(pages.items()):
        text = page.read_text(encoding="utf-8")
        p.check(text.startswith("# "), f"{name} does not start with a heading")
        links[name] = []
        for number, line in enumerate(prose_lines(text), 1):
            for tag in HTML_TAG.finditer(line):
                p.add(f"{name}:{number}: raw HTML {tag.group(0)!r}")
            p.check(not STRAY_STAR.search(EMPHASIS.sub("", line)),
                    f"{name}:{number}: a bare * starts or ends emphasis; write \\* for the key")
            for match in LINK.finditer(line):
                target = match.group(2)
                where = f"{name}:{number}: link to {target!r}"
                if not p.check(target, f"{where} is empty"):
                    continue
                if not p.check(re.fullmatch(r"[A-Za-z0-9_.-]+", target),
                               f"{where} is not a page or picture of the help folder"):
                    continue
                p.check((folder / target).is_file(), f"{where} leads to no file")
                if target.endswith(".md"):
                    links[name].append(target)
    if "index.md" in pages:
        contents = set(links["index.md"])
        for name in sorted(pages):
            if name != "index.md":
                p.check(name in contents, f"the contents do not link {name}")
        reached, queue = {"index.md"}, ["index.md"]
        while queue:
            for target in links.get(queue.pop(), []):
                if target in pages and target not in reached:
                    reached.add(target)
                    queue.append(target)
        for name in sorted(set(pages) - reached):
            p.add(f"{name} cannot be reached from the contents")
    print(f"{len(pages)} pages, {sum(len(v) for v in links.values())} links between them")
    return p.finish("help book")


# --- man pages -------------------------------------------------------------------

def check_man(args):
    p = Problems()
    for page in args.pages:
        result = run(["groff", "-man", "-Tutf8", "-ww", "-z", page])
        p.check(result.returncode == 0 and not result.stderr.strip(),
                f"{page} does not render cleanly:\n{result.stderr}")
        text = Path(page).read_text(encoding="utf-8")
        for section in ("NAME", "SYNOPSIS", "DESCRIPTION"):
            p.check(re.search(rf"^\.SH {section}$", text, re.M), f"{page} has no {section}")
    return p.finish("man pages")


# --- tips ------------------------------------------------------------------------

MAX_TIP_LENGTH = 160  # about three lines of the tip window


def check_tips(args):
    p = Problems()
    data = Path(args.file).read_bytes()
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as error:
        p.add(f"the tips file is not UTF-8: {error}")
        return p.finish("tips")
    p.check("\r" not in text, "the tips file holds carriage returns")
    p.check(text.endswith("\n"), "the last tip has no line break")
    tips = text.splitlines()
    # Every line is shown as a tip, so an empty line would show an empty window.
    for number, tip in enumerate(tips, 1):
        p.check(tip.strip(), f"line {number} is empty")
        p.check(tip == tip.strip(), f"line {number} has blanks around it")
        p.check(len(tip) <= MAX_TIP_LENGTH,
                f"line {number} has {len(tip)} characters, more than {MAX_TIP_LENGTH}")
    p.check(len([t for t in tips if t.strip()]) >= 25, f"only {len(tips)} tips")
    seen = set()
    for tip in tips:
        p.check(tip not in seen, f"the tip {tip!r} comes twice")
        seen.add(tip)
    print(f"{len(tips)} tips")
    return p.finish("tips")


# --- default settings ------------------------------------------------------------

def read_ini(path):
    """Sections and keys of a settings file as the program reads them."""
    parser = configparser.RawConfigParser(delimiters=("=",), comment_prefixes=(";",),
                                          strict=True, interpolation=None)
    parser.optionxform = str  # keep the keys' spelling
    parser.read_string(Path(path).read_text(encoding="utf-8"))
    return parser


def built_in_themes(themes_cpp):
    rgb = r"Rgb\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*\)"
    row = re.compile(r'\{\s*"([^"]+)"\s*' + r"".join(r",\s*" + rgb for _ in range(5)) + r"\s*\}")
    themes = []
    for m in row.finditer(Path(themes_cpp).read_text(encoding="utf-8")):
        numbers = [int(n) for n in m.groups()[1:]]
        colours = [numbers[i] + 256 * numbers[i + 1] + 65536 * numbers[i + 2]
                   for i in range(0, 15, 3)]
        themes.append((m.group(1), colours))
    return themes


def check_default_settings(args):
    p = Problems()
    source = Path(args.settings_src)
    settings_cpp = (source / "settings.cpp").read_text(encoding="utf-8")
    read_keys = set(re.findall(r'\bread\("([^"]+)"\)', settings_cpp))
    fields_match = re.search(r"kThemeFields\[\]\s*=\s*\{([^}]*)\}", settings_cpp)
    theme_fields = re.findall(r'"([^"]+)"', fields_match.group(1)) if fields_match else []
    p.check(read_keys and theme_fields, "cannot find the keys the program reads in settings.cpp")
    themes = built_in_themes(source / "themes.cpp")
    p.check(len(themes) >= 1, "cannot find the built-in themes in themes.cpp")

    try:
        ini = read_ini(args.file)
    except configparser.Error as error:
        p.add(f"{args.file} cannot be read: {error}")
        return p.finish("default settings")
    p.check(ini.has_section("OPTIONS"), "no [OPTIONS] section")
    options = dict(ini.items("OPTIONS")) if ini.has_section("OPTIONS") else {}
    theme_key = re.compile(r"ColorTheme (\d+)(\w+)")
    for key in options:
        m = theme_key.fullmatch(key)
        if m:
            p.check(m.group(2) in theme_fields, f"{key}: the program reads no theme field "
                                                f"{m.group(2)!r}")
        else:
            p.check(key in read_keys, f"{key}: the program reads no such key")

    p.check(options.get("ColorThemes") == str(len(themes) - 1),
            f"ColorThemes is {options.get('ColorThemes')}, the program has {len(themes)} themes")
    for index, (name, colours) in enumerate(themes):
        stored = options.get(f"ColorTheme {index}Name", "")
        p.check(stored.rstrip() == name and len(stored) <= 15,
                f"theme {index} is {stored!r}, the program's is {name!r}")
        for field, colour in zip(("PosClr", "NegClr", "TxtClr", "TapClr", "BakClr"), colours):
            value = options.get(f"ColorTheme {index}{field}")
            p.check(value == str(colour),
                    f"theme {index} ({name}) {field} is {value}, the program's is {colour}")

    # The friendly first start the file is there for.
    friendly = {"Decimals": "2", "Print date": "True", "Print time": "True",
                "Show tip at startup": "True", "ColorTheme": "0", "MachineSound": "None",
                "CallInputCharacter": "None", "CallbackCharacter": "None"}
    for key, value in friendly.items():
        p.check(options.get(key) == value, f"{key} is {options.get(key)!r}, not {value!r}")
    return p.finish("default settings")


# --- install ---------------------------------------------------------------------

PROGRAMS = ("tallymar", "tallymar-cli")
# A voice's digit, its total, and a machine's two keys.
SOUNDS = ("a5.wav", "at.wav", "Canon1.wav", "Canon2.wav")

def png_size(path):
    data = Path(path).read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", data[16:24])


def check_install(args):
    p = Problems()
    prefix = Path(args.prefix)
    shutil.rmtree(prefix, ignore_errors=True)
    result = run(["cmake", "--install", args.build_dir, "--prefix", str(prefix)])
    if not p.check(result.returncode == 0, f"cmake --install failed:\n{result.stderr}"):
        return p.finish("install")
    share = prefix / args.datadir
    app = args.app_id
    data = Path(args.data)

    def same(installed, source):
        if p.check(installed.is_file(), f"{installed.relative_to(prefix)} was not installed"):
            p.check(installed.read_bytes() == Path(source).read_bytes(),
                    f"{installed.relative_to(prefix)} differs from {source}")

    desktop = share / "applications" / f"{app}.desktop"
    same(desktop, data / f"{app}.desktop")
    mime_xml = share / "mime" / "packages" / f"{app}.xml"
    same(mime_xml, data / f"{app}.xml")
    svg = share / "icons" / "hicolor" / "scalable" / "apps" / f"{app}.svg"
    same(svg, data / "icons" / f"{app}.svg")
    for name in ("TallymarTips.txt", "Tallymar.ini"):
        same(share / "tallymar" / name, data / name)
    for page in sorted(Path(args.help_dir).glob("*.md")):
        same(share / "tallymar" / "help" / page.name, page)
    for page in args.man:
        same(prefix / args.mandir / "man1" / Path(page).name, page)
    for size in args.sizes:
        png = share / "icons" / "hicolor" / f"{size}x{size}" / "apps" / f"{app}.png"
        if p.check(png.is_file(), f"no {size}x{size} icon (rsvg-convert renders them)"):
            p.check(png_size(png) == (size, size), f"{png.name} at {size}: {png_size(png)}")
    metainfo = share / "metainfo" / f"{app}.metainfo.xml"
    p.check(metainfo.is_file(), "the metainfo was not installed")
    for program in PROGRAMS:
        path = prefix / "bin" / program
        p.check(path.is_file() and os.access(path, os.X_OK), f"bin/{program} was not installed")
    for sound in SOUNDS:
        p.check((share / "tallymar" / "sounds" / sound).is_file(), f"the sound {sound} was not installed")

    # Every file of data/ is installed (build files and templates aside).
    installed = {f.read_bytes() for f in prefix.rglob("*") if f.is_file()}
    build_only = {"CMakeLists.txt", "copy_if_missing.cmake"}
    for source in sorted(data.rglob("*")):
        if (source.is_file() and source.name not in build_only and "tests" not in
                source.relative_to(data).parts and source.suffix != ".in"):
            p.check(source.read_bytes() in installed, f"data/{source.relative_to(data)} "
                                                       "is not installed")

    # The files name each other: the icon, the file type and the launcher.
    if desktop.is_file():
        keys = desktop_entry_keys(desktop)
        icon = keys.get("Icon", "")
        p.check((share / "icons" / "hicolor" / "scalable" / "apps" / f"{icon}.svg").is_file(),
                f"the desktop entry's icon {icon!r} is not installed")
        if mime_xml.is_file():
            defined = {m.get("type") for m in ET.parse(mime_xml).getroot().iter(MIME_NS + "mime-type")}
            for mime in filter(None, keys.get("MimeType", "").split(";")):
                p.check(mime in defined, f"the desktop entry's type {mime} is not defined")
            for element in ET.parse(mime_xml).getroot().iter(MIME_NS + "icon"):
                name = element.get("name")
                p.check((share / "icons" / "hicolor" / "scalable" / "apps" / f"{name}.svg").is_file(),
                        f"the file type's icon {name!r} is not installed")
    if metainfo.is_file():
        root = ET.parse(metainfo).getroot()
        launchables = [l.text for l in root.iter("launchable")]
        p.check(desktop.name in launchables,
                f"the metainfo launches {launchables}, not {desktop.name}")
        p.check(root.findtext("id") == app, f"the metainfo's id is {root.findtext('id')}")
        mediatypes = [m.text for m in root.iter("mediatype")]
        p.check(TAPE_TYPE in mediatypes, f"the metainfo provides {mediatypes}")
    return p.finish("install")


# --- the Debian package ------------------------------------------------------------

def wait_for(condition, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if condition():
            return True
        time.sleep(0.1)
    return condition()


def check_package(args):
    p = Problems()
    work = Path(args.work_dir)
    shutil.rmtree(work, ignore_errors=True)
    out = work / "out"
    out.mkdir(parents=True)
    made = run(["cpack", "-G", "DEB", "-B", str(out),
                "--config", str(Path(args.build_dir) / "CPackConfig.cmake")], cwd=args.build_dir)
    debs = sorted(out.glob("*.deb"))
    if not p.check(made.returncode == 0 and len(debs) == 1,
                   f"cpack -G DEB made {[d.name for d in debs]}:\n{made.stdout}{made.stderr}"):
        return p.finish("package")
    deb = debs[0]
    field = lambda name: run(["dpkg-deb", "--field", str(deb), name]).stdout.strip()
    p.check(field("Package") == "tallymar", f"the package is called {field('Package')!r}")
    p.check(field("Version") == args.version, f"the package's version is {field('Version')!r}")
    depends = [d.strip().split(" ")[0] for d in field("Depends").split(",")]
    # SDL is loaded at the first sound; Qt's widgets come from the computed list.
    for needed in ("libsdl2-2.0-0", "libqt6widgets6", "libqt6svg6", "libc6"):
        p.check(needed in depends, f"the package does not depend on {needed}: {depends}")

    root = work / "root"
    unpacked = run(["dpkg-deb", "-x", str(deb), str(root)])
    if not p.check(unpacked.returncode == 0, f"dpkg-deb -x failed: {unpacked.stderr}"):
        return p.finish("package")
    usr = root / "usr"
    data = usr / "share" / "tallymar"
    for program in PROGRAMS:
        p.check(os.access(usr / "bin" / program, os.X_OK), f"the package has no usr/bin/{program}")
    for name in ("TallymarTips.txt", "Tallymar.ini", "help/index.md",
                 *(f"sounds/{s}" for s in SOUNDS)):
        p.check((data / name).is_file(), f"the package has no usr/share/tallymar/{name}")

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=str(work / "home"),
               XDG_CONFIG_HOME=str(work / "config"), SDL_AUDIODRIVER="disk",
               SDL_DISKAUDIOFILE=str(work / "heard.raw"))
    env.pop("DISPLAY", None)
    cli = run([str(usr / "bin" / "tallymar-cli"), "--voice", "Grunk", "--keys", "5+3+{Enter}"],
              env=env, cwd=str(work), timeout=60)
    p.check(cli.returncode == 0 and 'total "8' in cli.stdout,
            f"the installed tallymar-cli did not add 5 and 3:\n{cli.stdout[-400:]}{cli.stderr}")

    # The installed program, started where no build tree is near: its first start
    # finds the shipped settings in the package's data folder and takes them, then
    # waits in the tip of the day those settings ask for.
    program = subprocess.Popen([str(usr / "bin" / "tallymar")], env=env, cwd=str(work),
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    try:
        kept = [usr / "bin" / "Tallymar.ini", work / "config" / "tallymar" / "Tallymar.ini"]
        copied = wait_for(lambda: any(k.is_file() for k in kept), 30)
        p.check(copied, "the installed program did not take the shipped settings at its first start")
        for k in kept:
            if k.is_file():
                p.check(k.read_bytes() == (data / "Tallymar.ini").read_bytes(),
                        f"{k} is not the shipped settings file")
        time.sleep(1)
        p.check(program.poll() is None,
                f"the installed program ended by itself (status {program.poll()})")
    finally:
        if program.poll() is None:
            program.send_signal(signal.SIGTERM)
        try:
            output = program.communicate(timeout=10)[0].decode("utf-8", "replace")
        except subprocess.TimeoutExpired:
            program.kill()
            output = program.communicate()[0].decode("utf-8", "replace")
    if p.found:
        print(output[-2000:])
    print(f"{deb.name}: {deb.stat().st_size // 1024} KiB, depends on {', '.join(depends)}")
    return p.finish("package")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    c = commands.add_parser("desktop-entry")
    c.add_argument("file")
    c.set_defaults(run=check_desktop_entry)
    c = commands.add_parser("metainfo")
    c.add_argument("file")
    c.add_argument("version")
    c.set_defaults(run=check_metainfo)
    c = commands.add_parser("mime-type")
    c.add_argument("xml")
    c.add_argument("cli")
    c.add_argument("work_dir")
    c.set_defaults(run=check_mime_type)
    c = commands.add_parser("help")
    c.add_argument("help_dir")
    c.set_defaults(run=check_help)
    c = commands.add_parser("man")
    c.add_argument("pages", nargs="+")
    c.set_defaults(run=check_man)
    c = commands.add_parser("tips")
    c.add_argument("file")
    c.set_defaults(run=check_tips)
    c = commands.add_parser("default-settings")
    c.add_argument("file")
    c.add_argument("settings_src")
    c.set_defaults(run=check_default_settings)
    c = commands.add_parser("install")
    c.add_argument("build_dir")
    c.add_argument("prefix")
    c.add_argument("--app-id", required=True)
    c.add_argument("--help-dir", required=True)
    c.add_argument("--data", required=True)
    c.add_argument("--sizes", nargs="+", type=int, required=True)
    c.add_argument("--man", nargs="+", required=True)
    c.add_argument("--datadir", default="share")
    c.add_argument("--mandir", default="share/man")
    c.set_defaults(run=check_install)
    c = commands.add_parser("package")
    c.add_argument("build_dir")
    c.add_argument("work_dir")
    c.add_argument("--version", required=True)
    c.set_defaults(run=check_package)
    args = parser.parse_args()
    return args.run(args)


if __name__ == "__main__":
    sys.exit(main())

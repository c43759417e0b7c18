#!/usr/bin/env python3
"""Checks of what Tallymar installs besides its programs. One check a command; each
prints what it found wrong and exits 1, or exits 0 when all is well.

    check_data.py desktop-entry FILE.desktop
    check_data.py metainfo FILE.metainfo.xml VERSION
    check_data.py mime-type FILE.xml TALLYMAR_CLI WORK_DIR
    check_data.py help HELP_DIR
    check_data.py man PAGE,PAGE
    check_data.py tips TallymarTips.txt
    check_data.py default-settings Tallymar.ini SRC_SETTINGS_DIR
    check_data.py install BUILD_DIR PREFIX FILES...
    check_data.py package BUILD_DIR WORK_DIR VERSION FILES...

FILES tell what an install must hold: DATA_DIR HELP_DIR SOUNDS_DIR APP_ID
ICON_SIZES MAN_PAGES, the last two comma-separated.
"""
import configparser
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import xml.etree.ElementTree as ET
from pathlib import Path

MIME = "{http://www.freedesktop.org/standards/shared-mime-info}"
TAPE_TYPE = "application/x-tallymar-tape"
problems = []


def need(ok, text):
    if not ok:
        problems.append(text)
    return ok


def run(*command, **options):  # a tool not installed is an OSError (scripts/deps.sh has it)
    return subprocess.run(command, capture_output=True, text=True, **options)


def read_ini(path, comment):
    """A desktop entry or a settings file, its keys spelt as they stand."""
    parser = configparser.RawConfigParser(delimiters=("=",), comment_prefixes=(comment,),
                                          strict=True, interpolation=None)
    parser.optionxform = str
    parser.read_string(Path(path).read_text(encoding="utf-8"))
    return parser


def fresh(folder):
    shutil.rmtree(folder, ignore_errors=True)
    Path(folder).mkdir(parents=True)
    return Path(folder)


def desktop_entry(path):
    result = run("desktop-file-validate", path)
    output = result.stdout + result.stderr
    # Hints are suggestions; errors and warnings are faults.
    need(result.returncode == 0 and not re.search(r"\b(error|warning):", output),
         f"desktop-file-validate:\n{output}")
    # A tape opened from a file manager reaches the program only through a field code.
    exec_line = read_ini(path, "#")["Desktop Entry"].get("Exec", "")
    need(re.search(r"%[fFuU]", exec_line), f"Exec= passes no file to the program: {exec_line!r}")


def metainfo(path, version):
    result = run("appstreamcli", "validate", "--no-net", "--explain", path)
    need(result.returncode == 0, f"appstreamcli validate:\n{result.stdout}{result.stderr}")
    root = ET.parse(path).getroot()
    versions = [r.get("version") for r in root.iter("release")]
    need(version in versions, f"no <release> for version {version} (found {versions})")
    need(not any(re.search(r"@\w+@", e.text or "") for e in root.iter()), "a @PLACEHOLDER@ is left")
    images = [i.text.strip() for i in root.iter("image") if i.text]
    need(images and all(re.fullmatch(r"https://\S+\.png", i) for i in images),
         f"the screenshots are not https PNGs: {images}")


def mime_type(xml, cli, work):
    tape_types = [m for m in ET.parse(xml).getroot().iter(MIME + "mime-type")
                  if m.get("type") == TAPE_TYPE]
    need(["*.add"] == [g.get("pattern") for t in tape_types for g in t.iter(MIME + "glob")],
         f"{xml} does not give {TAPE_TYPE} the name *.add")
    work = fresh(work)
    (work / "share/mime/packages").mkdir(parents=True)
    shutil.copy(xml, work / "share/mime/packages")
    update = run("update-mime-database", str(work / "share/mime"))
    need(update.returncode == 0, f"update-mime-database failed: {update.stderr}")
    # A real tape, saved by the adding machine itself; then the same bytes without the
    # name, so that only the first two bytes can tell, and with those two changed.
    saved = work / "week.add"
    cli = run(cli, "--keys", "12.49+3.99+{Enter}Refund{Enter}5-{Enter}{Save %s}" % saved)
    if not need(saved.is_file(), f"tallymar-cli saved no tape: {cli.stderr}"):
        return
    tape = saved.read_bytes()
    (work / "week").write_bytes(tape)
    (work / "damaged").write_bytes(struct.pack("<h", 631) + tape[2:])
    (work / "notes").write_text("Groceries 12.49\nRefund -5.00\n")
    (work / "figures").write_text("v2 is the second version of the figures\n")
    env = dict(os.environ, XDG_DATA_DIRS=f"{work / 'share'}:/usr/share",
               XDG_DATA_HOME=str(work / "no-home"))
    for name, is_tape in (("week.add", True), ("week", True), ("damaged", False),
                          ("notes", False), ("figures", False)):
        info = run("gio", "info", "--attributes=standard::content-type", str(work / name), env=env)
        found = (re.findall(r"content-type:\s*(\S+)", info.stdout) or [f"(gio: {info.stderr})"])[0]
        need((found == TAPE_TYPE) == is_tape and not found.startswith("(gio"),
             f"{name} is told as {found}, but it is {'' if is_tape else 'not '}a tape")


def prose_lines(text):
    """The page's lines outside indented code blocks, with code spans removed."""
    lines, blank_before, in_block = [], True, False
    for line in text.splitlines():
        if line.startswith(("    ", "\t")) and (blank_before or in_block):
            in_block = True
        elif line.strip():
            in_block = False
        lines.append("" if in_block else re.sub(r"`[^`]*`", "", line))
        blank_before = not line.strip()
    return lines


def help_book(folder):
    folder = Path(folder)
    pages = {page.name: page.read_text(encoding="utf-8") for page in folder.glob("*.md")}
    need({"index.md", "calculator-mode.md"} <= set(pages), "the help lacks index.md or "
         "calculator-mode.md, which the program opens")
    links = {name: [] for name in pages}
    for name, text in sorted(pages.items()):
        need(text.startswith("# "), f"{name} does not start with a heading")
        for number, line in enumerate(prose_lines(text), 1):
            where = f"{name}:{number}"
            problems.extend(f"{where}: raw HTML {tag.group(0)!r}" for tag in
                            re.finditer(r"</?[A-Za-z][A-Za-z0-9]*(\s[^<>]*)?/?>", line))
            # Bold, italics of whole words and \* aside, a * is a key Markdown misreads.
            need("*" not in re.sub(r"\\\*|\*\*|\*[A-Za-z][^*]*[A-Za-z]\*", "", line),
                 f"{where}: a bare * starts or ends emphasis; write \\* for the key")
            for target in re.findall(r"!?\[[^\]]*\]\(([^)\s]*)\)", line):
                if need(re.fullmatch(r"[A-Za-z0-9_.-]+", target) and (folder / target).is_file(),
                        f"{where}: the link {target!r} leads to no file of the help folder"):
                    links[name] += [target] if target.endswith(".md") else []
    problems.extend(f"the contents do not link {name}"
                    for name in set(pages) - {"index.md"} - set(links.get("index.md", [])))
    reached, queue = {"index.md"}, ["index.md"]
    while queue:
        for target in set(links.get(queue.pop(), [])) - reached:
            reached.add(target)
            queue.append(target)
    problems.extend(f"{name} cannot be reached from the contents" for name in set(pages) - reached)
    print(f"{len(pages)} pages, {sum(map(len, links.values()))} links between them")


def man(pages):
    for page in pages.split(","):
        result = run("groff", "-man", "-Tutf8", "-ww", "-z", page)
        need(result.returncode == 0 and not result.stderr.strip(),
             f"{page} does not render cleanly:\n{result.stderr}")
        for section in ("NAME", "SYNOPSIS", "DESCRIPTION"):
            need(re.search(rf"^\.SH {section}$", Path(page).read_text(), re.M),
                 f"{page} has no {section}")


def tips(path):
    text = Path(path).read_bytes().decode("utf-8")
    need("\r" not in text and text.endswith("\n"), "the tips file has CR line ends or no last one")
    lines = text.splitlines()
    # Every line is shown as a tip, so an empty line would show an empty window.
    for number, tip in enumerate(lines, 1):
        need(tip and tip == tip.strip() and len(tip) <= 160,  # about three lines of the window
             f"line {number} is empty, has blanks around it or is over 160 characters")
    need(len(lines) >= 25, f"only {len(lines)} tips")
    need(len(set(lines)) == len(lines), "a tip comes twice")
    print(f"{len(lines)} tips")


def default_settings(path, source):
    settings_cpp = (Path(source) / "settings.cpp").read_text(encoding="utf-8")
    read_keys = set(re.findall(r'\bread\("([^"]+)"\)', settings_cpp))
    fields = re.search(r"kThemeFields\[\]\s*=\s*\{([^}]*)\}", settings_cpp)
    fields = re.findall(r'"([^"]+)"', fields.group(1)) if fields else []
    need(read_keys and fields, "cannot find the keys the program reads in settings.cpp")
    rgb = r",\s*Rgb\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*\)"
    themes = re.findall(r'\{\s*"([^"]+)"\s*' + rgb * 5 + r"\s*\}",
                        (Path(source) / "themes.cpp").read_text(encoding="utf-8"))
    need(themes, "cannot find the built-in themes in themes.cpp")
    options = read_ini(path, ";")["OPTIONS"]
    for key in options:
        theme = re.fullmatch(r"ColorTheme \d+(\w+)", key)
        need(theme.group(1) in fields if theme else key in read_keys,
             f"{key}: the program reads no such key")
    need(options.get("ColorThemes") == str(len(themes) - 1),
         f"ColorThemes is {options.get('ColorThemes')}, the program has {len(themes)} themes")
    for index, (name, *rgbs) in enumerate(themes):
        stored = options.get(f"ColorTheme {index}Name", "")
        need(stored.rstrip() == name and len(stored) <= 15,
             f"theme {index} is {stored!r}, the program's is {name!r}")
        for at, field in enumerate(fields[2:]):  # ID and Name, then the colours
            r, g, b = map(int, rgbs[3 * at:3 * at + 3])
            value = options.get(f"ColorTheme {index}{field}")
            need(value == str(r + 256 * g + 65536 * b), f"theme {index} ({name}) {field} is {value}")


def holds(usr, data, help_dir, sounds, app, sizes, man_pages):
    """The install under `usr` holds every data file where the desktop and the program
    look for it, and the files name each other."""
    share, data = usr / "share", Path(data)
    for program in ("tallymar", "tallymar-cli"):
        need(os.access(usr / "bin" / program, os.X_OK), f"bin/{program} was not installed")
    wanted = [(data / f"{app}.desktop", "applications"), (data / f"{app}.xml", "mime/packages"),
              (data / "icons" / f"{app}.svg", "icons/hicolor/scalable/apps"),
              (data / "TallymarTips.txt", "tallymar"), (data / "Tallymar.ini", "tallymar")]
    wanted += [(page, "tallymar/help") for page in Path(help_dir).glob("*.md")]
    wanted += [(wave, "tallymar/sounds") for wave in Path(sounds).glob("*.wav")]
    wanted += [(Path(page), "man/man1") for page in man_pages.split(",")]
    need(any(folder == "tallymar/sounds" for _, folder in wanted), f"no sounds in {sounds}")
    for source, folder in wanted:
        target = share / folder / source.name
        need(target.is_file() and target.read_bytes() == source.read_bytes(),
             f"{target.relative_to(usr)} is not {source}")
    installed = {f.read_bytes() for f in usr.rglob("*") if f.is_file()}
    for source in sorted(data.rglob("*")):  # build files and templates aside
        if source.is_file() and source.suffix != ".in" and \
                source.name not in ("CMakeLists.txt", "copy_if_missing.cmake"):
            need(source.read_bytes() in installed, f"data/{source.relative_to(data)} is not installed")
    for size in map(int, sizes.split(",")):
        png = share / f"icons/hicolor/{size}x{size}/apps/{app}.png"
        head = png.read_bytes()[:24] if png.is_file() else b""
        need(head[12:16] == b"IHDR" and struct.unpack(">II", head[16:24]) == (size, size),
             f"no {size}x{size} PNG icon (rsvg-convert renders them)")
    entry = read_ini(share / f"applications/{app}.desktop", "#")["Desktop Entry"]
    types = ET.parse(share / f"mime/packages/{app}.xml").getroot()
    for icon in [entry.get("Icon")] + [i.get("name") for i in types.iter(MIME + "icon")]:
        need((share / f"icons/hicolor/scalable/apps/{icon}.svg").is_file(), f"no icon {icon!r}")
    defined = {m.get("type") for m in types.iter(MIME + "mime-type")}
    types = set(filter(None, entry.get("MimeType", "").split(";")))
    need(types <= defined, f"the desktop entry's types {types} are not all defined")
    meta = ET.parse(share / f"metainfo/{app}.metainfo.xml").getroot()
    need(meta.findtext("id") == app and f"{app}.desktop" in [l.text for l in meta.iter("launchable")]
         and TAPE_TYPE in [m.text for m in meta.iter("mediatype")],
         "the metainfo does not name the program, its desktop entry and its tape type")


def install(build, prefix, *files):
    result = run("cmake", "--install", build, "--prefix", str(fresh(prefix)))
    if need(result.returncode == 0, f"cmake --install failed:\n{result.stderr}"):
        holds(Path(prefix), *files)


def package(build, work, version, *files):
    work = fresh(work)
    made = run("cpack", "-G", "DEB", "-B", str(work / "out"), "--config",
               str(Path(build) / "CPackConfig.cmake"), cwd=build)
    debs = sorted((work / "out").glob("*.deb"))
    if not need(made.returncode == 0 and len(debs) == 1,
                f"cpack -G DEB made {debs}:\n{made.stdout}{made.stderr}"):
        return
    field = lambda name: run("dpkg-deb", "--field", str(debs[0]), name).stdout.strip()
    need((field("Package"), field("Version")) == ("tallymar", version),
         f"the package is {field('Package')} {field('Version')}")
    depends = [d.strip().split(" ")[0] for d in field("Depends").split(",")]
    # SDL is loaded at the first sound; Qt's widgets come from the computed list.
    for library in ("libsdl2-2.0-0", "libqt6widgets6", "libqt6svg6", "libc6"):
        need(library in depends, f"the package does not depend on {library}: {depends}")
    usr = work / "root/usr"
    if need(run("dpkg-deb", "-x", str(debs[0]), str(work / "root")).returncode == 0, "dpkg-deb -x"):
        holds(usr, *files)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=str(work / "home"),
               XDG_CONFIG_HOME=str(work / "config"), SDL_AUDIODRIVER="disk",
               SDL_DISKAUDIOFILE=str(work / "heard.raw"))
    env.pop("DISPLAY", None)
    cli = run(str(usr / "bin/tallymar-cli"), "--voice", "Grunk", "--keys", "5+3+{Enter}",
              env=env, cwd=work, timeout=60)
    need(cli.returncode == 0 and 'total "8' in cli.stdout,
         f"the installed tallymar-cli did not add 5 and 3:\n{cli.stdout[-400:]}{cli.stderr}")
    # Started where no build tree is near, the program takes the shipped settings at its
    # first start, then waits in the tip of the day those settings ask for.
    shipped = (usr / "share/tallymar/Tallymar.ini").read_bytes()
    program = subprocess.Popen([str(usr / "bin/tallymar")], env=env, cwd=work,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    kept = [usr / "bin/Tallymar.ini", work / "config/tallymar/Tallymar.ini"]
    end = time.monotonic() + 30
    while not any(k.is_file() for k in kept) and time.monotonic() < end:
        time.sleep(0.1)
    time.sleep(1)
    copies = [k.read_bytes() for k in kept if k.is_file()]
    need(copies and all(copy == shipped for copy in copies),
         "the installed program did not take the shipped settings at its first start")
    need(program.poll() is None, f"the installed program ended by itself ({program.poll()})")
    program.kill()
    output = program.communicate()[0]
    if problems:
        print(output.decode("utf-8", "replace")[-2000:])


CHECKS = {"desktop-entry": desktop_entry, "metainfo": metainfo, "mime-type": mime_type,
          "help": help_book, "man": man, "tips": tips, "default-settings": default_settings,
          "install": install, "package": package}


def main(command="", *args):
    if command not in CHECKS:
        sys.exit(__doc__)
    try:
        CHECKS[command](*args)
    except (OSError, UnicodeDecodeError, ET.ParseError, configparser.Error, KeyError) as error:
        need(False, f"{type(error).__name__}: {error}")
    for text in problems:
        print(f"FAIL: {text}")
    print(f"{command}: {len(problems)} problem(s)" if problems else f"{command}: all good")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

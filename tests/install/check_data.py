#!/usr/bin/env python3
"""Checks of what Tallymar installs besides its programs. One check a command; each
prints what it found wrong and exits 1, or exits 0 when all is well.

    check_data.py desktop-entry FILE.desktop
    check_data.py window-class FILE.desktop TALLYMAR
    check_data.py metainfo FILE.metainfo.xml VERSION DOCS_DIR
    check_data.py mime-type FILE.xml TALLYMAR_CLI WORK_DIR
    check_data.py help HELP_DIR
    check_data.py man PAGE,PAGE
    check_data.py tips TallymarTips.txt
    check_data.py default-settings Tallymar.ini SRC_SETTINGS_DIR
    check_data.py install BUILD_DIR PREFIX FILES...
    check_data.py package BUILD_DIR WORK_DIR VERSION FILES...
    check_data.py debian WORK_DIR VERSION

FILES tell what an install must hold: DATA_DIR HELP_DIR SOUNDS_DIR APP_ID
ICON_SIZES MAN_PAGES, the last two comma-separated. `debian` judges the package
that `package` made in WORK_DIR. A check whose tools are missing exits 77 (skipped).
"""
import configparser
import gzip
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET
from pathlib import Path

MIME = "{http://www.freedesktop.org/standards/shared-mime-info}"
TAPE_TYPE = "application/x-tallymar-tape"
SKIPPED = 77
ON_VIRTUAL_DISPLAY = "TALLYMAR_CHECK_ON_VIRTUAL_DISPLAY"
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


def unpacked(path):
    """A file's bytes as written, a gzipped one's (man pages, the changelog) unpacked."""
    path = Path(path)
    return gzip.decompress(path.read_bytes()) if path.suffix == ".gz" else path.read_bytes()


def skip(reason):
    print(f"SKIP: {reason}")
    return SKIPPED


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


def metainfo(path, version, docs):
    # --strict: warnings and infos fail too, only pedantic hints pass (the ID's capitals).
    result = run("appstreamcli", "validate", "--no-net", "--strict", "--explain", path)
    need(result.returncode == 0, f"appstreamcli validate:\n{result.stdout}{result.stderr}")
    root = ET.parse(path).getroot()
    versions = [r.get("version") for r in root.iter("release")]
    need(version in versions, f"no <release> for version {version} (found {versions})")
    need(not any(re.search(r"@\w+@", e.text or "") for e in root.iter()), "a @PLACEHOLDER@ is left")
    images = [i.text.strip() for i in root.iter("image") if i.text]
    need(images and all(re.fullmatch(r"https://\S+/docs/[\w.-]+\.png", i) for i in images),
         f"the screenshots are not https PNGs of docs/: {images}")
    # The pages serve the repository's docs/ folder: a screenshot named is one taken.
    for image in images:
        need((Path(docs) / image.rsplit("/", 1)[-1]).is_file(), f"{image} is not in {docs}")
    for shot in root.iter("screenshot"):
        need((shot.findtext("caption") or "").strip(), f"a screenshot has no caption: "
             f"{shot.findtext('image')}")
    notes = [r.find("description") for r in root.iter("release") if r.get("version") == version]
    need(notes and notes[0] is not None and "".join(notes[0].itertext()).strip(),
         f"the release {version} has no notes")


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
    wanted += [(Path(page + ".gz"), "man/man1") for page in man_pages.split(",")]
    wanted += [(data / "debian/copyright", "doc/tallymar"),
               (data / "debian/changelog.gz", "doc/tallymar")]
    need(any(folder == "tallymar/sounds" for _, folder in wanted), f"no sounds in {sounds}")
    for source, folder in wanted:
        target = share / folder / source.name
        original = source.with_suffix("") if source.suffix == ".gz" else source  # before gzip
        need(target.is_file() and unpacked(target) == original.read_bytes(),
             f"{target.relative_to(usr)} is not {original}")
    installed = {unpacked(f) for f in usr.rglob("*") if f.is_file()}
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


def debian(work, version):
    """The package as Debian's own tools judge it: lintian finds no error and no
    warning, AppStream finds nothing but pedantic hints in the unpacked tree, and the
    changelog's newest entry is this version's."""
    work = Path(work)
    debs, root = sorted((work / "out").glob("*.deb")), work / "root"
    if not need(len(debs) == 1 and (root / "usr").is_dir(), f"no package unpacked in {work}"):
        return
    tools = [tool for tool in ("lintian", "appstreamcli") if shutil.which(tool)]
    if not tools:
        return skip("neither lintian nor appstreamcli is installed")
    if "lintian" in tools:
        # The informational tags left, and why, are listed in the README's Install part.
        result = run("lintian", "--no-cfg", "--fail-on", "error,warning", str(debs[0]))
        tags = re.findall(r"^[EW]: .*$", result.stdout, re.M)
        need(result.returncode == 0 and not tags,
             "lintian:\n" + "\n".join(tags or [result.stdout + result.stderr]))
    if "appstreamcli" in tools:
        result = run("appstreamcli", "validate-tree", "--no-net", "--strict", "--explain",
                     str(root))
        need(result.returncode == 0, f"appstreamcli validate-tree:\n{result.stdout}{result.stderr}")
    print(f"judged by {' and '.join(tools)}")
    changelog = root / "usr/share/doc/tallymar/changelog.gz"
    newest = unpacked(changelog).decode("utf-8").split("\n", 1)[0]
    need(re.match(rf"tallymar \({re.escape(version)}\) ", newest),
         f"the changelog's newest entry is not {version}: {newest!r}")


def window_class(desktop, program):
    """The class of the program's windows (WM_CLASS, read from the X server) is the
    desktop entry's StartupWMClass, by which docks group a window with its launcher."""
    if not os.environ.get(ON_VIRTUAL_DISPLAY):
        missing = [t for t in ("xvfb-run", "xauth", "xdotool", "xprop") if not shutil.which(t)]
        if missing:
            return skip(f"{', '.join(missing)} not installed")
        env = dict(os.environ, **{ON_VIRTUAL_DISPLAY: "1"})
        env.pop("WAYLAND_DISPLAY", None)
        inside = subprocess.run(["xvfb-run", "-a", sys.executable, "-B", *sys.argv], env=env,
                                stdin=subprocess.DEVNULL, timeout=90)
        sys.exit(inside.returncode)
    wanted = read_ini(desktop, "#")["Desktop Entry"].get("StartupWMClass")
    need(wanted, f"{desktop} has no StartupWMClass")
    with tempfile.TemporaryDirectory(prefix="tallymar-class-") as work:
        # The virtual display has no session bus. Left to itself, D-Bus would start
        # one ("dbus-launch --autolaunch") from a child forked while the program runs
        # threads, and a sanitizer build's child can stop for good on a lock another
        # thread held at the fork (seen: about one start in sixty, under load).
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", SDL_AUDIODRIVER="dummy",
                   DBUS_SESSION_BUS_ADDRESS="disabled:",
                   XDG_CONFIG_HOME=f"{work}/config", XDG_STATE_HOME=f"{work}/state")
        started = subprocess.Popen([program], env=env, cwd=work, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        shown = lambda: run("xdotool", "search", "--onlyvisible", "--pid",
                            str(started.pid)).stdout.split()
        end = time.monotonic() + 30
        while not shown() and time.monotonic() < end and started.poll() is None:
            time.sleep(0.2)
        time.sleep(0.5)  # the tip of the day too, when it comes
        windows = shown()
        # WM_CLASS(STRING) = "tallymar", "Tallymar": the instance, then the class.
        classes = {tuple(re.findall(r'"([^"]*)"', run("xprop", "-id", w, "WM_CLASS").stdout))
                   for w in windows}
        started.kill()
        errors = started.communicate()[1].decode("utf-8", "replace")
    if need(windows, f"{program} showed no window:\n{errors[-1000:]}"):
        need(all(len(c) == 2 and c[1] == wanted for c in classes),
             f"the windows' WM_CLASS are {sorted(classes)}, the desktop entry says {wanted!r}")
        print(f"WM_CLASS {sorted(classes)}")


CHECKS = {"desktop-entry": desktop_entry, "window-class": window_class, "metainfo": metainfo,
          "mime-type": mime_type, "help": help_book, "man": man, "tips": tips,
          "default-settings": default_settings, "install": install, "package": package,
          "debian": debian}


def main(command="", *args):
    if command not in CHECKS:
        sys.exit(__doc__)
    try:
        if CHECKS[command](*args) == SKIPPED:
            return SKIPPED
    except (OSError, UnicodeDecodeError, ET.ParseError, configparser.Error, KeyError,
            subprocess.TimeoutExpired, gzip.BadGzipFile) as error:
        need(False, f"{type(error).__name__}: {error}")
    for text in problems:
        print(f"FAIL: {text}")
    print(f"{command}: {len(problems)} problem(s)" if problems else f"{command}: all good")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

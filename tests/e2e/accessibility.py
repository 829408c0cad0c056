# What a screen reader finds in vivar's window over AT-SPI: lists its
# accessible tree (role, name, description) and checks the names.
#   accessibility.py list                 prints the tree of the window "vivar"
#   accessibility.py check LISTING        checks one listing
#   accessibility.py differ EN ES         checks that the names differ between
#                                         the two languages' listings
import re
import sys
import time

ROLES_NAMED = ("push button", "check box", "toggle button", "spin button", "text", "combo box", "entry")


BOARD_SAYS = re.compile(r"^[0-9]+ (by|por) [0-9]+ (squares|casillas), (generation|generación) [0-9.]+; "
                        r"(brown lizards|lagartos marrones) [0-9.]+, .*(cats|gatos) [0-9.]+ ")


def find_application(name):
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name in (name, name + "Vrml"):
            return app
    return None


def walk(node, depth, lines):
    try:
        role = node.getRoleName()
        name = node.name or ""
        description = node.description or ""
        showing = node.getState().contains(__import__("pyatspi").STATE_SHOWING)
        focusable = node.getState().contains(__import__("pyatspi").STATE_FOCUSABLE)
        focused = node.getState().contains(__import__("pyatspi").STATE_FOCUSED)
    except Exception:  # a widget gone while walking
        return
    flags = ("showing" if showing else "hidden") + (",focusable" if focusable else "") + (",focused" if focused else "")
    lines.append("%s%s\t%s\t%s\t%s" % ("  " * depth, role, flags, name.replace("\n", " / "),
                                       description.replace("\n", " / ")))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, lines)


def listing():
    app = None
    for _ in range(100):
        app = find_application("vivar")
        if app is not None and app.childCount > 0:
            break
        time.sleep(0.2)
    if app is None:
        print("no application named vivar on the accessibility bus", file=sys.stderr)
        return 1
    lines = []
    walk(app, 0, lines)
    print("\n".join(lines))
    return 0


def parse(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 4:
                continue
            rows.append((fields[0].strip(), fields[1], fields[2], fields[3]))
    return rows


def check(path):
    rows = parse(path)
    bad = [r for r in rows if r[0] in ROLES_NAMED and not r[2]]
    for role, flags, name, description in bad:
        print("unnamed %s (%s) %s" % (role, flags, description), file=sys.stderr)
    wanted = {"board": False, "chart": False, "status": False}
    for role, flags, name, description in rows:
        if name in ("Board", "Tablero"):
            # Its size, the generation and the populations, as the status
            # line says them.
            if BOARD_SAYS.search(description):
                wanted["board"] = True
            else:
                print("the board's description does not say its size, generation and populations: %r"
                      % description, file=sys.stderr)
        if name in ("Population chart", "Gráfica de poblaciones") and description:
            wanted["chart"] = True
        if name in ("Status line", "Línea de estado") and description:
            wanted["status"] = True
    for what, found in wanted.items():
        if not found:
            print("no %s with a name and a description" % what, file=sys.stderr)
    buttons = sum(1 for r in rows if r[0] == "push button")
    print("%d push buttons, %d unnamed controls" % (buttons, len(bad)))
    return 0 if not bad and all(wanted.values()) else 1


def differ(english_path, spanish_path):
    """Control by control, in the same place of both trees, the names must
    differ where the words do; a name of no letters (a symbol, a number) is
    the same in both."""
    english = [r for r in parse(english_path) if r[0] in ROLES_NAMED]
    spanish = [r for r in parse(spanish_path) if r[0] in ROLES_NAMED]
    if len(english) != len(spanish):
        print("%d controls in English, %d in Spanish" % (len(english), len(spanish)), file=sys.stderr)
        return 1
    same = [e[2] for e, s in zip(english, spanish) if e[2] == s[2] and any(c.isalpha() for c in e[2])]
    for name in same:
        print("the same name in both languages: %r" % name, file=sys.stderr)
    print("%d controls, %d named alike in both languages" % (len(english), len(same)))
    return 0 if not same else 1


if __name__ == "__main__":
    if sys.argv[1] == "differ":
        sys.exit(differ(sys.argv[2], sys.argv[3]))
    if sys.argv[1] == "list":
        sys.exit(listing())
    if sys.argv[1] == "check":
        sys.exit(check(sys.argv[2]))
    sys.exit(2)

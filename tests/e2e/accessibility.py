# What a screen reader finds in vivar's window over AT-SPI: lists its
# accessible tree (role, name, description) and checks the names.
#   accessibility.py list                 prints the tree of the window "vivar"
#   accessibility.py check LISTING        checks one listing
#   accessibility.py differ EN ES         checks that the two languages differ
import sys
import time

ROLES_NAMED = ("push button", "check box", "toggle button", "spin button", "text", "combo box", "entry")


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
    except Exception:  # a widget gone while walking
        return
    flags = ("showing" if showing else "hidden") + (",focusable" if focusable else "")
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
            parts = line.rstrip("\n").split("\t")
            if len(parts) != 4:
                continue
            rows.append((parts[0].strip(), parts[1], parts[2], parts[3]))
    return rows


def check(path):
    rows = parse(path)
    bad = [r for r in rows if r[0] in ROLES_NAMED and not r[2]]
    for role, flags, name, description in bad:
        print("unnamed %s (%s) %s" % (role, flags, description), file=sys.stderr)
    wanted = {"board": False, "chart": False, "status": False}
    for role, flags, name, description in rows:
        if name in ("Board", "Tablero"):
            # Its size, the generation and the populations.
            words = description.split()
            if len(words) > 6 and any(c.isdigit() for c in description):
                wanted["board"] = True
            else:
                print("the board's description says too little: %r" % description, file=sys.stderr)
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


if __name__ == "__main__":
    if sys.argv[1] == "list":
        sys.exit(listing())
    if sys.argv[1] == "check":
        sys.exit(check(sys.argv[2]))
    sys.exit(2)

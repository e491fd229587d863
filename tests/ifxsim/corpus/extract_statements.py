#!/usr/bin/env python3
"""Collects the SQL statements of the stand-in's tests and of the demo script
into statements.sql, the seed corpus of the statement fuzz test.

Run from the repository root:  python3 tests/ifxsim/corpus/extract_statements.py
One statement a line; line breaks inside a statement become blanks.
"""
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parents[3]
OUT = pathlib.Path(__file__).resolve().parent / "statements.sql"

FIRST_WORDS = {
    "select", "insert", "update", "delete", "create", "drop", "alter", "rename", "grant", "revoke",
    "begin", "commit", "rollback", "database", "close", "set", "lock", "unlock", "execute", "update",
    "load", "unload", "info", "with", "merge", "truncate", "savepoint", "release", "connect",
    "disconnect", "declare", "open", "fetch", "free", "prepare", "describe", "output", "call",
}

ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "0": "\0", "\\": "\\", '"': '"', "'": "'", "?": "?", "a": "\a"}


def string_literals(text):
    """Yields the C++ string literals of a source, adjacent ones joined."""
    i, n = 0, len(text)
    pending = None
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
            continue
        if text.startswith("/*", i):
            i = text.find("*/", i + 2)
            i = n if i < 0 else i + 2
            continue
        if c == "'":  # a character literal
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
            continue
        m = re.match(r'R"([^(\s]*)\(', text[i:i + 20])
        if m and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            end = text.find(")" + m.group(1) + '"', i + m.end())
            value = text[i + m.end():end]
            pending = value if pending is None else pending + value
            i = end + len(m.group(1)) + 2
            continue
        if c == '"':
            j, parts = i + 1, []
            while j < n and text[j] != '"':
                if text[j] == "\\" and j + 1 < n:
                    parts.append(ESCAPES.get(text[j + 1], text[j + 1]))
                    j += 2
                else:
                    parts.append(text[j])
                    j += 1
            value = "".join(parts)
            pending = value if pending is None else pending + value
            i = j + 1
            continue
        if not c.isspace() and pending is not None:
            yield pending
            pending = None
        i += 1
    if pending is not None:
        yield pending


def script_statements(text):
    """Splits a script at semicolons outside quotes and comments."""
    out, cur, i, n = [], [], 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("--", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
            continue
        if c == "{":
            i = text.find("}", i)
            i = n if i < 0 else i + 1
            continue
        if c in "'\"":
            j = i + 1
            while j < n:
                if text[j] == c and text[j + 1:j + 2] == c:
                    j += 2
                elif text[j] == c:
                    break
                else:
                    j += 1
            cur.append(text[i:j + 1])
            i = j + 1
            continue
        if c == ";":
            out.append("".join(cur))
            cur = []
        else:
            cur.append(c)
        i += 1
    out.append("".join(cur))
    return out


def is_statement(s):
    words = s.split()
    return bool(words) and words[0].lower().rstrip("(") in FIRST_WORDS and len(s) > 6


def main():
    seen, statements = set(), []

    def add(s):
        s = " ".join(s.replace("\0", " ").split()).rstrip(";").strip()
        if is_statement(s) and s not in seen:
            seen.add(s)
            statements.append(s)

    for cpp in sorted((ROOT / "tests" / "ifxsim").glob("*.cpp")):
        for literal in string_literals(cpp.read_text(encoding="utf-8", errors="replace")):
            add(literal)
    demo = ROOT / "ifxsim" / "demo" / "stores_demo.sql"
    for statement in script_statements(demo.read_text(encoding="utf-8")):
        add(statement)
    OUT.write_text("".join(s + "\n" for s in statements), encoding="utf-8")
    print(f"{len(statements)} statements in {OUT.relative_to(ROOT)}")


if __name__ == "__main__":
    main()

"""The places in a C++ source where a small fault can be seeded, and the fault itself.

A source is first masked: comments, string and character literals become blanks of the
same length, so that nothing inside them is ever taken for code. Preprocessor lines
(#include and the rest), static_assert and statements that only write to the log are left
out. The faults are the ones a hurried edit makes:
  compare   a comparison flipped or widened: < <=, > >=, == !=
  logic     && and || swapped
  constant  an integer constant off by one
  drop      an expression statement dropped
  negate    the condition of an if or a while negated
"""
import re
from dataclasses import dataclass


@dataclass(frozen=True)
class Site:
    path: str  # relative to the tree's root
    kind: str
    start: int  # offsets into the source
    end: int
    replacement: str
    line: int
    description: str

    def key(self):
        """Names the fault in a record: its place to the character, and what it does."""
        return f"{self.path}:{self.line}:{self.start}: {self.description}"

    def apply(self, text):
        return text[: self.start] + self.replacement + text[self.end :]


KINDS = ("compare", "logic", "constant", "drop", "negate")


def mask(text):
    """The text with comments and literals blanked (newlines kept)."""
    out = list(text)
    i, n = 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c == "R" and text.startswith('R"', i) and not _ident_char(text, i - 1):
            open_end = text.find("(", i)
            delim = text[i + 2 : open_end]
            j = text.find(")" + delim + '"', open_end)
            j = n if j < 0 else j + len(delim) + 2
            blank(i, j)
            i = j
        elif c in "\"'":
            # a digit separator (1'000) is no character literal
            if c == "'" and i > 0 and text[i - 1].isalnum():
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            blank(i, j + 1)
            i = j + 1
        else:
            i += 1
    return "".join(out)


def _ident_char(text, i):
    return 0 <= i < len(text) and (text[i].isalnum() or text[i] == "_")


LOG_START = re.compile(r"(?:log_?|DriverLog|log_\(\))\s*[.(]|Log[A-Z]\w*\s*\(")
SKIP_START = re.compile(r"static_assert\b")
DROP_START = re.compile(r"[A-Za-z_][\w:.\[\]>-]*(?:\(|\s*(?:[-+*/|&^]?=|\+\+|--)\s*[^=])")
NOT_STATEMENT = re.compile(
    r"(?:return|break|continue|case|default|if|else|for|while|do|goto|using|typedef|static|"
    r"const|constexpr|auto|struct|class|enum|namespace|template|throw|public|private|"
    r"protected|friend|virtual|explicit|inline|extern|operator)\b"
)
ARRAY_DECLARATION = re.compile(r"^\s*(?:(?:static|constexpr|const|inline)\s+)*[\w:<>]+\s+\w+\s*\[")


def statements(masked):
    """(start, end) of every statement: from after ; { } to the next ; at the same depth."""
    result = []
    depth = 0
    start = 0
    for i, c in enumerate(masked):
        if c in "([":
            depth += 1
        elif c in ")]":
            depth -= 1
        elif depth == 0 and c in "{}":
            start = i + 1
        elif depth == 0 and c == ";":
            result.append((start, i + 1))
            start = i + 1
    return result


def line_starts(text):
    starts = [0]
    for i, c in enumerate(text):
        if c == "\n":
            starts.append(i + 1)
    return starts


def find_sites(path, text):
    masked = mask(text)
    starts = line_starts(text)

    def line_of(offset):
        lo, hi = 0, len(starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if starts[mid] <= offset:
                lo = mid
            else:
                hi = mid - 1
        return lo + 1

    def line_text(number):
        end = starts[number] - 1 if number < len(starts) else len(masked)
        return masked[starts[number - 1] : end]

    # Lines left alone: preprocessor, static_assert, log-only statements.
    skipped = set()
    for number in range(1, len(starts) + 1):
        if line_text(number).lstrip().startswith("#"):
            skipped.add(number)
    drops = []
    for a, b in statements(masked):
        body = masked[a:b]
        lead = len(body) - len(body.lstrip())
        head = body.lstrip()
        first, last = line_of(a + lead), line_of(b - 1)
        if LOG_START.match(head) or SKIP_START.match(head):
            skipped.update(range(first, last + 1))
        elif DROP_START.match(head) and not NOT_STATEMENT.match(head) and ":" not in head[:1]:
            # a statement that starts its own line and is no declaration
            if masked[starts[first - 1] : a + lead].strip() == "":
                drops.append((a + lead, b, first))

    sites = []

    def add(kind, start, end, replacement, description):
        line = line_of(start)
        if line not in skipped:
            sites.append(Site(path, kind, start, end, replacement, line, description))

    for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", masked):
        op = m.group(1)
        other = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}[op]
        add("compare", m.start(), m.end(), other, f"'{op}' -> '{other}'")
    for m in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", masked):
        other = "||" if m.group(1) == "&&" else "&&"
        add("logic", m.start(), m.end(), other, f"'{m.group(1)}' -> '{other}'")
    for m in re.finditer(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])", masked):
        line = line_of(m.start())
        if ARRAY_DECLARATION.match(line_text(line)):
            continue
        digits = m.group(1)
        value = int(digits, 16) if digits[:2].lower() == "0x" else int(digits)
        if digits.startswith("0") and len(digits) > 1 and digits[1] not in "xX":
            continue  # octal: none in this code, and not worth a parser
        new = value + 1 if value == 0 else value - 1
        text_new = (f"0x{new:X}" if digits[:2].lower() == "0x" else str(new)) + m.group(2)
        add("constant", m.start(), m.end(), text_new, f"constant {m.group(0)} -> {text_new}")
    for start, end, line in drops:
        if line not in skipped:
            statement = " ".join(text[start:end].split())
            if len(statement) > 60:
                statement = statement[:57] + "..."
            sites.append(Site(path, "drop", start, end, ";", line, f"statement dropped: {statement}"))
    for m in re.finditer(r"\b(if|while)\s*\(", masked):
        if masked[m.end() :].lstrip().startswith("constexpr"):
            continue
        open_at = m.end() - 1
        depth, j = 0, open_at
        while j < len(masked):
            if masked[j] == "(":
                depth += 1
            elif masked[j] == ")":
                depth -= 1
                if depth == 0:
                    break
            j += 1
        condition = text[open_at + 1 : j]
        if ";" in masked[open_at:j] or "\n\n" in condition:
            continue
        short = " ".join(condition.split())
        if len(short) > 50:
            short = short[:47] + "..."
        add("negate", open_at + 1, j, f"!({condition})", f"{m.group(1)} condition negated: ({short})")
    return sites

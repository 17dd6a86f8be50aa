"""Searches the TEXT strings of a DXF drawing with the CAD's wildcard rules.

The reference for the search tests of the stand-in CAD: ezdxf reads the
drawing (in the encoding dxfdump.py decides), and a wildcard matcher of its
own, built on Python's regular expressions, decides which strings match. Run with Debian's python3
(python3-ezdxf):

    /usr/bin/python3 wildcardsearch.py drawing.dxf < patterns.json

patterns.json is a JSON array of patterns. Prints
{"texts": [...], "matches": [[...], ...]}: the strings of the model- and
paper-space TEXT entities (\\U+XXXX escapes decoded), and for each pattern
the indexes into "texts" of the strings it matches.

The wildcard rules (text strings compare with case):
    *      any run of characters, also none
    ?      any one character (a character outside the BMP is one)
    #      one digit (0-9)
    @      one letter of the Latin alphabets: A-Z, a-z and the letters of
           the Latin-1 Supplement, Latin Extended-A and -B and Latin Extended
           Additional blocks (the letters with diacritics)
    .      one character that is neither a digit nor such a letter
    [...]  one of the characters inside; a-z gives a range
    [~...] one character not among those inside
    ~      first in a pattern: anything the rest of the pattern does not match
    `      the next character stands for itself
    ,      separates alternatives; a string matching any of them matches
Where the rules leave a case open, this matcher decides as follows: a "]"
right after "[" or "[~" is a member of the set; a "[" without a closing "]"
stands for itself; a "," inside brackets is a member; "`" inside brackets
escapes the next character; a range whose ends are the wrong way round
holds nothing; a "`" at the end of a pattern stands for itself; full-width
letters are not letters, as full-width digits are not digits, and neither
are phonetic letters.
"""

import json
import re
import sys
import unicodedata

import dxfdump
from dxfdump import decode

DIGITS = "0-9"


LATIN_LETTER_BLOCKS = (
    (0x0000, 0x007F),  # Basic Latin
    (0x0080, 0x00FF),  # Latin-1 Supplement
    (0x0100, 0x017F),  # Latin Extended-A
    (0x0180, 0x024F),  # Latin Extended-B
    (0x1E00, 0x1EFF),  # Latin Extended Additional
)


def is_latin_letter(char):
    return (
        any(low <= ord(char) <= high for low, high in LATIN_LETTER_BLOCKS)
        and unicodedata.category(char).startswith("L")
        and unicodedata.name(char, "").startswith("LATIN ")
    )


def latin_letter_class():
    """The letters of is_latin_letter as the body of a regex class."""
    ranges = []
    start = None
    for code in range(0x2000):
        inside = is_latin_letter(chr(code))
        if inside and start is None:
            start = code
        elif not inside and start is not None:
            ranges.append((start, code - 1))
            start = None
    return "".join(re.escape(chr(lo)) + "-" + re.escape(chr(hi)) for lo, hi in ranges)


LETTERS = latin_letter_class()


def bracket_set(pattern, start):
    """The regex class of the set opening at pattern[start] == "[" and the
    index after its "]", or None when the set is not closed."""
    i = start + 1
    negated = i < len(pattern) and pattern[i] == "~"
    if negated:
        i += 1
    members = []
    first = True
    while i < len(pattern):
        char = pattern[i]
        if char == "]" and not first:
            body = "".join(members)
            if not body:
                # Only empty ranges: no character is in the set.
                return ("[\\s\\S]" if negated else "(?!)"), i + 1
            return "[" + ("^" if negated else "") + body + "]", i + 1
        if char == "`" and i + 1 < len(pattern):
            i += 1
            char = pattern[i]
        low = char
        if i + 2 < len(pattern) and pattern[i + 1] == "-" and pattern[i + 2] != "]":
            i += 2
            high = pattern[i]
            if high == "`" and i + 1 < len(pattern):
                i += 1
                high = pattern[i]
            if low <= high:
                members.append(re.escape(low) + "-" + re.escape(high))
        else:
            members.append(re.escape(low))
        first = False
        i += 1
    return None


def split_alternatives(pattern):
    """The pattern cut at the commas outside brackets and not escaped."""
    alternatives = []
    current = []
    i = 0
    while i < len(pattern):
        char = pattern[i]
        if char == "`" and i + 1 < len(pattern):
            current.append(pattern[i:i + 2])
            i += 2
        elif char == "[" and bracket_set(pattern, i) is not None:
            end = bracket_set(pattern, i)[1]
            current.append(pattern[i:end])
            i = end
        elif char == ",":
            alternatives.append("".join(current))
            current = []
            i += 1
        else:
            current.append(char)
            i += 1
    alternatives.append("".join(current))
    return alternatives


def alternative_regex(alternative):
    """The regular expression of one alternative without its leading "~"."""
    parts = []
    i = 0
    while i < len(alternative):
        char = alternative[i]
        if char == "*":
            parts.append("[\\s\\S]*")
        elif char == "?":
            parts.append("[\\s\\S]")
        elif char == "#":
            parts.append("[" + DIGITS + "]")
        elif char == "@":
            parts.append("[" + LETTERS + "]")
        elif char == ".":
            parts.append("[^" + DIGITS + LETTERS + "]")
        elif char == "`":
            if i + 1 < len(alternative):
                i += 1
            parts.append(re.escape(alternative[i]))
        elif char == "[" and bracket_set(alternative, i) is not None:
            regex, end = bracket_set(alternative, i)
            parts.append(regex)
            i = end
            continue
        else:
            parts.append(re.escape(char))
        i += 1
    return re.compile("".join(parts))


class WildcardPattern:
    def __init__(self, pattern):
        self.alternatives = []
        for alternative in split_alternatives(pattern):
            negated = alternative.startswith("~")
            if negated:
                alternative = alternative[1:]
            self.alternatives.append((negated, alternative_regex(alternative)))

    def matches(self, text):
        return any((regex.fullmatch(text) is None) == negated for negated, regex in self.alternatives)


def text_strings(path):
    doc, _, _ = dxfdump.read(path)
    layouts = [doc.modelspace()]
    for name in doc.layouts.names():
        layout = doc.layouts.get(name)
        if not layout.is_modelspace:
            layouts.append(layout)
    return [decode(entity.dxf.text) for layout in layouts for entity in layout if entity.dxftype() == "TEXT"]


def search(path, patterns):
    texts = text_strings(path)
    matches = []
    for pattern in patterns:
        wildcard = WildcardPattern(pattern)
        matches.append([index for index, text in enumerate(texts) if wildcard.matches(text)])
    return {"texts": texts, "matches": matches}


if __name__ == "__main__":
    patterns = json.loads(sys.stdin.buffer.read().decode("utf-8"))
    sys.stdout.write(json.dumps(search(sys.argv[1], patterns), ensure_ascii=True))

"""Writer for the program's plain-text table files.

Every table under data/ uses the same layout:

  * values separated by commas, one record per line, no header line;
  * text values in double quotes (a text value may never contain a quote);
  * numbers bare, with a point as decimal separator, no exponent and no
    trailing zeros after the point (3.43, -12.43, 5, -1, 5.5);
  * every line, the last one included, ends in CR LF;
  * the bytes are 8-bit Latin-1, and in practice pure ASCII: any non-ASCII
    text is transliterated before it is written.

Standard library only.
"""

from decimal import Decimal, ROUND_HALF_UP
import os
import sys
import tempfile
import unicodedata


class TableError(Exception):
    """Raised when a source does not look the way the generator expects."""


# Letters that Unicode decomposition does not reduce to ASCII.
_SPECIAL = {
    "\u00df": "ss", "\u00c6": "AE", "\u00e6": "ae", "\u00d8": "O", "\u00f8": "o",
    "\u0152": "OE", "\u0153": "oe", "\u0110": "D", "\u0111": "d", "\u0141": "L",
    "\u0142": "l", "\u00d0": "D", "\u00f0": "d", "\u00de": "Th", "\u00fe": "th",
    "\u2018": "'", "\u2019": "'", "\u201c": "", "\u201d": "", "\u2013": "-",
    "\u2014": "-", "\u00a0": " ",
}


def to_ascii(text):
    """Transliterate text to plain ASCII (accents dropped: 'Curaçao' -> 'Curacao').

    Fails on a character it has no ASCII spelling for rather than dropping it.
    """
    decomposed = unicodedata.normalize("NFKD", text)
    out = []
    for c in decomposed:
        if ord(c) < 128:
            out.append(c)
        elif unicodedata.combining(c):
            continue
        elif c in _SPECIAL:
            out.append(_SPECIAL[c])
        else:
            raise TableError("no ASCII spelling for %r in %r" % (c, text))
    return "".join(out)


def text_value(text):
    value = to_ascii(text)
    if '"' in value:
        raise TableError("text value contains a double quote: %r" % text)
    if any(ord(c) < 32 or ord(c) == 127 for c in value):
        raise TableError("text value contains a control character: %r" % text)
    return '"' + value + '"'


def number_value(value, places=None):
    """Format a number as plain decimal without exponent or trailing zeros.

    value may be a str (taken exactly as written), int, float (its shortest
    repr is used) or Decimal.  With places, the value is first rounded half
    away from zero to that many decimals.
    """
    if isinstance(value, float):
        value = repr(value)
    d = Decimal(str(value).strip())
    if not d.is_finite():
        raise TableError("not a finite number: %r" % (value,))
    if places is not None:
        d = d.quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_UP)
    text = format(d, "f")
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    if text in ("-0", ""):
        text = "0"
    return text


def format_record(values):
    """values: a sequence of ('t', str) / ('n', number-text) pairs."""
    parts = []
    for kind, v in values:
        if kind == "t":
            parts.append(text_value(v))
        elif kind == "n":
            parts.append(v if isinstance(v, str) else number_value(v))
        else:
            raise ValueError(kind)
    return ",".join(parts)


def write_table(path, lines):
    """Write already formatted records, CR LF after every one, atomically."""
    data = "".join(line + "\r\n" for line in lines)
    raw = data.encode("latin-1")
    if any(b > 127 for b in raw):
        raise TableError("%s: non-ASCII byte left after transliteration" % path)
    directory = os.path.dirname(os.path.abspath(path))
    os.makedirs(directory, exist_ok=True)
    fd, tmp = tempfile.mkstemp(prefix=".tmp-", dir=directory)
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(raw)
        os.chmod(tmp, 0o644)
        os.replace(tmp, path)
    except BaseException:
        if os.path.exists(tmp):
            os.unlink(tmp)
        raise


def fail(message):
    print("error: " + message, file=sys.stderr)
    sys.exit(1)

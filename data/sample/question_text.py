"""How a question's text is laid out: the stem first, then, for a single-choice
question, one line per option written as "A、…", "B、…", "C、…"."""
import re

OPTION_LINE = re.compile(r"^([A-Z])、(.*)$")


def split_text(text):
    """Returns the stem (the lines that are not option lines) and the options
    as (letter, option text) pairs in the order they are written."""
    stem, options = [], []
    for line in text.splitlines():
        match = OPTION_LINE.match(line)
        if match:
            options.append((match.group(1), match.group(2).strip()))
        else:
            stem.append(line)
    return "\n".join(stem).strip(), options


def answer_option(question):
    """The text of the right option of a single-choice question, or None."""
    _, options = split_text(question.get("text", ""))
    return dict(options).get(question.get("answer"))

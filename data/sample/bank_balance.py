"""Balance of the answers, so that a learner cannot score by guessing a habit of
the authors: 对 about as often as 错, A, B and C about equally often, and the
longest option not a hint that it is the right one."""
from fractions import Fraction

from question_text import split_text

TRUE_SHARE = (Fraction(45, 100), Fraction(55, 100))             # of all true/false questions
TRUE_SHARE_IN_SECTION = (Fraction(35, 100), Fraction(65, 100))  # of a section's true/false questions
SECTION_JUDGE_MINIMUM = 10   # sections with fewer true/false questions are too small to judge
LETTER_SHARE = (Fraction(28, 100), Fraction(39, 100))           # A, B and C each, of single-choice questions
LONGEST_RIGHT_MAXIMUM = Fraction(40, 100)
LETTERS = ("A", "B", "C")


def strictly_longest(options):
    """The letter of the option longer than every other one, or None when the
    longest length is shared."""
    lengths = sorted(((len(text), letter) for letter, text in options), reverse=True)
    if len(lengths) < 2 or lengths[0][0] == lengths[1][0]:
        return None
    return lengths[0][1]


def balance_figures(questions):
    """Counts the answers of the well-formed questions."""
    figures = {"judge": 0, "true": 0, "sections": {}, "single": 0,
               "letters": dict.fromkeys(LETTERS, 0), "with_longest": 0, "longest_right": 0}
    for q in questions:
        if q.get("type") == "judge" and q.get("answer") in ("对", "错"):
            section = figures["sections"].setdefault(q.get("category"), [0, 0])
            right = q["answer"] == "对"
            figures["judge"] += 1
            figures["true"] += right
            section[0] += 1
            section[1] += right
        elif q.get("type") == "single" and q.get("answer") in LETTERS:
            figures["single"] += 1
            figures["letters"][q["answer"]] += 1
            longest = strictly_longest(split_text(q.get("text", ""))[1])
            if longest:
                figures["with_longest"] += 1
                figures["longest_right"] += longest == q["answer"]
    return figures


def share(part, whole):
    return Fraction(part, whole) if whole else Fraction(0)


def percent(part, whole):
    return f"{float(share(part, whole)):.1%} ({part} of {whole})"


def outside(value, bounds):
    return not bounds[0] <= value <= bounds[1]


def bounds_text(bounds):
    return f"{float(bounds[0]):.0%} to {float(bounds[1]):.0%}"


def balance_problems(figures):
    problems = []
    if figures["judge"] and outside(share(figures["true"], figures["judge"]), TRUE_SHARE):
        problems.append(f"对 is the answer of {percent(figures['true'], figures['judge'])} "
                        f"true/false questions, not {bounds_text(TRUE_SHARE)}")
    for section, (judge, true) in sorted(figures["sections"].items()):
        if judge >= SECTION_JUDGE_MINIMUM and outside(share(true, judge), TRUE_SHARE_IN_SECTION):
            problems.append(f"section {section}: 对 is the answer of {percent(true, judge)} "
                            f"true/false questions, not {bounds_text(TRUE_SHARE_IN_SECTION)}")
    for letter, count in figures["letters"].items():
        if figures["single"] and outside(share(count, figures["single"]), LETTER_SHARE):
            problems.append(f"{letter} is the answer of {percent(count, figures['single'])} "
                            f"single-choice questions, not {bounds_text(LETTER_SHARE)}")
    if share(figures["longest_right"], figures["with_longest"]) > LONGEST_RIGHT_MAXIMUM:
        problems.append(f"the strictly longest option is the answer of "
                        f"{percent(figures['longest_right'], figures['with_longest'])} questions "
                        f"that have one, more than {float(LONGEST_RIGHT_MAXIMUM):.0%}")
    return problems


def balance_lines(figures):
    lines = [f"对 share: {percent(figures['true'], figures['judge'])} of true/false questions"]
    for section, (judge, true) in sorted(figures["sections"].items()):
        lines.append(f"  section {section}: 对 {percent(true, judge)}")
    lines.append("single-choice answers: " + ", ".join(
        f"{letter} {percent(count, figures['single'])}" for letter, count in figures["letters"].items()))
    lines.append(f"strictly longest option is the answer: "
                 f"{percent(figures['longest_right'], figures['with_longest'])}")
    return lines

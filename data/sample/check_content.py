#!/usr/bin/env python3
"""Checks the sample question bank source before it is built.

Usage: check_content.py [bank.json]   (default: bank.json beside this script)

Reports every problem found and exits 1 if there is any, 0 otherwise. It checks
the fields the bank tool reads, that each question sits in an offered section
(a category whose number is not a whole hundred, under an existing chapter),
that answers fit the question type, that single-choice texts carry exactly the
options A, B and C, that every picture exists and is a well-formed SVG of a
usable size, and that there is enough content for a mock exam (8 must-answer
and 92 ordinary questions drawn at random) to vary from run to run.
"""
import json
import os
import re
import sys
import xml.etree.ElementTree as ET

MIN_QUESTIONS = 260
MIN_MUST_ANSWER = 45
MIN_ORDINARY = 190
MIN_WITH_PICTURE = 45
MIN_PER_SECTION = 8
MIN_MATERIALS = 7
MATERIAL_LENGTH = (300, 1500)
JUDGE_SHARE = (0.30, 0.50)       # roughly 40% true/false questions
PICTURE_SIZE = (120, 240)        # pixels, for both width and height
SINGLE_ANSWERS = {"A", "B", "C"}
JUDGE_ANSWERS = {"对", "错"}
OPTION_LINE = re.compile(r"^([A-Z])、")


def is_chapter(no):
    return no % 100 == 0


def check_svg(path, problems, where):
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError) as error:
        problems.append(f"{where}: picture {path} is not well-formed XML: {error}")
        return
    if root.tag != "{http://www.w3.org/2000/svg}svg":
        problems.append(f"{where}: picture {path} is not an SVG document")
        return
    for attribute in ("width", "height"):
        value = root.get(attribute, "")
        if not value.isdigit() or not PICTURE_SIZE[0] <= int(value) <= PICTURE_SIZE[1]:
            problems.append(f"{where}: picture {path} has {attribute}={value!r}, "
                            f"not {PICTURE_SIZE[0]} to {PICTURE_SIZE[1]} pixels")
    if not root.get("viewBox"):
        problems.append(f"{where}: picture {path} has no viewBox")


def check_question(q, sections, base_dir, problems):
    where = f"question {q.get('no', '?')}"
    for field, kind in (("no", int), ("category", int), ("type", str), ("text", str),
                        ("answer", str), ("mustAnswer", bool), ("basis", str)):
        if not isinstance(q.get(field), kind):
            problems.append(f"{where}: field '{field}' missing or not {kind.__name__}")
    if problems and problems[-1].startswith(where + ": field"):
        return
    if q["category"] not in sections:
        problems.append(f"{where}: category {q['category']} is not an offered section")
    if not q["basis"].strip():
        problems.append(f"{where}: empty basis")

    options = [m.group(1) for m in map(OPTION_LINE.match, q["text"].splitlines()) if m]
    if q["type"] == "single":
        if q["answer"] not in SINGLE_ANSWERS:
            problems.append(f"{where}: single-choice answer {q['answer']!r} is not A, B or C")
        if options != ["A", "B", "C"]:
            problems.append(f"{where}: single-choice options are {options}, expected lines A、 B、 C、")
        if not q["text"].splitlines()[0].strip() or OPTION_LINE.match(q["text"]):
            problems.append(f"{where}: single-choice text has no stem before its options")
    elif q["type"] == "judge":
        if q["answer"] not in JUDGE_ANSWERS:
            problems.append(f"{where}: true/false answer {q['answer']!r} is not 对 or 错")
        if options:
            problems.append(f"{where}: true/false text has option lines {options}")
    else:
        problems.append(f"{where}: type {q['type']!r} is neither single nor judge")

    picture = q.get("picture")
    if picture is not None:
        if "如图" not in q["text"]:
            problems.append(f"{where}: has a picture but its text does not refer to it")
        path = os.path.join(base_dir, picture)
        if not os.path.isfile(path):
            problems.append(f"{where}: picture {picture} does not exist")
        else:
            check_svg(path, problems, where)
    elif "如图" in q["text"]:
        problems.append(f"{where}: text refers to a picture but has none")


def check_bank(bank, base_dir):
    problems = []
    if bank.get("format") != "quenhar-bank" or bank.get("version") != 1:
        problems.append("format must be 'quenhar-bank' and version 1")

    categories = bank.get("categories", [])
    numbers = [c.get("no") for c in categories]
    if len(numbers) != len(set(numbers)):
        problems.append("category numbers are not unique")
    chapters = {no for no in numbers if isinstance(no, int) and is_chapter(no)}
    sections = set()
    for c in categories:
        if not isinstance(c.get("no"), int) or not str(c.get("title", "")).strip():
            problems.append(f"category {c!r}: needs an integer no and a title")
        elif not is_chapter(c["no"]):
            if c["no"] // 100 * 100 not in chapters:
                problems.append(f"category {c['no']}: its chapter {c['no'] // 100 * 100} is missing")
            sections.add(c["no"])

    questions = bank.get("questions", [])
    for q in questions:
        check_question(q, sections, base_dir, problems)
    numbers = [q.get("no") for q in questions]
    if numbers != list(range(1, len(questions) + 1)):
        problems.append("questions are not numbered 1, 2, 3, ... in order")
    texts = [q.get("text") for q in questions]
    for text in {t for t in texts if texts.count(t) > 1}:
        problems.append(f"question text appears twice: {text[:30]}...")

    for no in sorted(sections):
        count = sum(1 for q in questions if q.get("category") == no)
        if count < MIN_PER_SECTION:
            problems.append(f"section {no} has {count} questions, fewer than {MIN_PER_SECTION}")

    must = sum(1 for q in questions if q.get("mustAnswer") is True)
    with_picture = sum(1 for q in questions if "picture" in q)
    judge = sum(1 for q in questions if q.get("type") == "judge")
    for what, have, need in (("questions", len(questions), MIN_QUESTIONS),
                             ("must-answer questions", must, MIN_MUST_ANSWER),
                             ("ordinary questions", len(questions) - must, MIN_ORDINARY),
                             ("questions with pictures", with_picture, MIN_WITH_PICTURE)):
        if have < need:
            problems.append(f"{have} {what}, fewer than {need}")
    if questions and not JUDGE_SHARE[0] <= judge / len(questions) <= JUDGE_SHARE[1]:
        problems.append(f"true/false share {judge / len(questions):.0%} is outside "
                        f"{JUDGE_SHARE[0]:.0%} to {JUDGE_SHARE[1]:.0%}")

    materials = bank.get("materials", [])
    if len(materials) < MIN_MATERIALS:
        problems.append(f"{len(materials)} materials, fewer than {MIN_MATERIALS}")
    for m in materials:
        length = len(m.get("text", ""))
        if not m.get("title") or not MATERIAL_LENGTH[0] <= length <= MATERIAL_LENGTH[1]:
            problems.append(f"material {m.get('title')!r}: {length} characters, "
                            f"not {MATERIAL_LENGTH[0]} to {MATERIAL_LENGTH[1]}")
    return problems


def summary(bank):
    questions = bank["questions"]
    titles = {c["no"]: c["title"] for c in bank["categories"]}
    lines = []
    for no in sorted(titles):
        count = sum(1 for q in questions if q["category"] == no
                    or (is_chapter(no) and q["category"] // 100 * 100 == no))
        lines.append(f"{'' if is_chapter(no) else '  '}{no} {titles[no]}: {count}")
    judge = sum(1 for q in questions if q["type"] == "judge")
    must = sum(1 for q in questions if q["mustAnswer"])
    lines.append(f"questions {len(questions)}: judge {judge}, single {len(questions) - judge}; "
                 f"must-answer {must}, ordinary {len(questions) - must}; "
                 f"with pictures {sum(1 for q in questions if 'picture' in q)}; "
                 f"materials {len(bank['materials'])}")
    return "\n".join(lines)


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "bank.json")
    with open(path, encoding="utf-8") as f:
        bank = json.load(f)
    problems = check_bank(bank, os.path.dirname(os.path.abspath(path)))
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} problem(s)")
        return 1
    print(summary(bank))
    return 0


if __name__ == "__main__":
    sys.exit(main())

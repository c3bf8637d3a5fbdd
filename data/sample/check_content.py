#!/usr/bin/env python3
"""Checks the sample question bank source, or one author's draft of it.

Usage: check_content.py [bank.json]       the whole bank (default: bank.json beside this script)
       check_content.py --part DRAFT.json  a draft holding some of the sections

Reports every problem found, then a summary with the balance figures, and exits
1 if there is any problem, 0 otherwise.

Both modes check each question (the fields the bank tool reads, an offered
section, an answer that fits the type, options A, B and C for single choice, a
basis, "如图" exactly when there is a picture), each picture (a well-formed
SVG of a usable size, without the features Qt SVG does not draw), the
numbering 1, 2, 3 ..., unique texts, questions that ask the same thing in
nearly the same words, the length of the reference texts, and the balance of
the answers (see bank_balance.py). The whole bank must also hold every section
and enough questions, pictures and reference texts for study and for mock exams
that vary from run to run; a draft holds only some sections and is exempt.
"""
import argparse
import hashlib
import json
import os
import sys
import xml.etree.ElementTree as ET

sys.dont_write_bytecode = True   # keep the source folder free of caches

from bank_balance import balance_figures, balance_lines, balance_problems  # noqa: E402
from question_text import split_text  # noqa: E402
from similar_questions import similar_pairs  # noqa: E402

CATEGORIES = {
    100: "道路交通安全法律、法规和规章",
    101: "机动车驾驶证申领和使用",
    102: "道路通行规定",
    103: "违法行为及处罚、记分",
    104: "交通事故处理",
    105: "机动车登记",
    200: "交通信号",
    201: "交通信号灯",
    202: "交通标志",
    203: "交通标线",
    204: "交通警察手势",
    300: "安全行车、文明驾驶基础知识",
    301: "特殊天气和复杂路况",
    302: "高速公路",
    303: "文明驾驶",
    304: "紧急情况处置",
    400: "机动车驾驶操作相关基础知识",
    401: "仪表与指示灯",
    402: "操纵装置",
    403: "车辆检查与保养",
}

# What the whole bank needs: a mock exam draws 8 must-answer and 92 ordinary
# questions, and learners study every section with pictures and texts.
MIN_QUESTIONS = 800
MIN_MUST_ANSWER = 80
MIN_ORDINARY = 190
MIN_WITH_PICTURE = 220
MIN_WITH_SCENE = 40              # pictures/scene-*.svg: drawn road scenes
SCENE_PREFIX = "pictures/scene-"
MIN_PER_SECTION = 8
MIN_MATERIALS = 14               # and at least one per section

MATERIAL_LENGTH = (300, 1500)
JUDGE_SHARE = (0.30, 0.50)       # roughly 40% true/false questions
PICTURE_SIZE = (120, 240)        # pixels, for both width and height
SINGLE_ANSWERS = ["A", "B", "C"]
JUDGE_ANSWERS = {"对", "错"}
SVG = "{http://www.w3.org/2000/svg}"
XLINK_HREF = "{http://www.w3.org/1999/xlink}href"
# Qt SVG draws SVG Tiny 1.2; these are ignored or drawn wrongly.
UNDRAWN_ELEMENTS = {"filter", "mask", "marker", "foreignObject", "style", "script"}
UNDRAWN_ATTRIBUTES = {"filter", "mask", "marker-start", "marker-mid", "marker-end"}


def objects(bank, member):
    """The entries of a list member that are JSON objects; the others are
    reported once by check_bank and skipped everywhere."""
    return [item for item in bank.get(member, []) if isinstance(item, dict)]


def is_chapter(no):
    return no % 100 == 0


def svg_problems(path):
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError) as error:
        return [f"is not well-formed XML: {error}"]
    if root.tag != SVG + "svg":
        return ["is not an SVG document"]
    problems = []
    for attribute in ("width", "height"):
        value = root.get(attribute, "")
        if not value.isdigit() or not PICTURE_SIZE[0] <= int(value) <= PICTURE_SIZE[1]:
            problems.append(f"has {attribute}={value!r}, not {PICTURE_SIZE[0]} to {PICTURE_SIZE[1]} pixels")
    if not root.get("viewBox"):
        problems.append("has no viewBox")
    for element in root.iter():
        name = element.tag.replace(SVG, "")
        href = element.get("href") or element.get(XLINK_HREF) or ""
        if name in UNDRAWN_ELEMENTS:
            problems.append(f"uses <{name}>, which Qt SVG does not draw")
        elif name in ("use", "image") and not href.startswith("#"):
            problems.append(f"<{name}> refers to {href!r} outside the file")
        for attribute in UNDRAWN_ATTRIBUTES & set(element.attrib):
            problems.append(f"uses the attribute {attribute}, which Qt SVG does not draw")
    return problems


def check_pictures(questions, base_dir, problems):
    """Checks each picture once; returns picture path -> digest of its contents."""
    identity = {}
    for q in questions:
        picture = q.get("picture")
        if not isinstance(picture, str) or picture in identity:
            continue
        path = os.path.join(base_dir, picture)
        try:
            with open(path, "rb") as f:
                identity[picture] = hashlib.sha256(f.read()).hexdigest()
        except OSError:
            identity[picture] = picture
            problems.append(f"question {q.get('no')}: picture {picture} does not exist")
            continue
        problems.extend(f"picture {picture} (question {q.get('no')}) {problem}"
                        for problem in svg_problems(path))
    return identity


def check_question(q, sections, problems):
    where = f"question {q.get('no', '?')}"
    wrong = [field for field, kind in (("no", int), ("category", int), ("type", str), ("text", str),
                                       ("answer", str), ("mustAnswer", bool), ("basis", str))
             if not isinstance(q.get(field), kind)]
    if wrong:
        problems.append(f"{where}: fields {', '.join(wrong)} missing or of the wrong kind")
        return
    if q["category"] not in sections:
        problems.append(f"{where}: category {q['category']} is not an offered section")
    if not q["basis"].strip():
        problems.append(f"{where}: empty basis")

    stem, options = split_text(q["text"])
    letters = [letter for letter, _ in options]
    if q["type"] == "single":
        if q["answer"] not in SINGLE_ANSWERS:
            problems.append(f"{where}: single-choice answer {q['answer']!r} is not A, B or C")
        if letters != SINGLE_ANSWERS:
            problems.append(f"{where}: single-choice options are {letters}, expected lines A、 B、 C、")
        if not stem or not q["text"].startswith(stem):
            problems.append(f"{where}: single-choice text has no stem before its options")
        texts = [text for _, text in options]
        if not all(texts) or len(set(texts)) != len(texts):
            problems.append(f"{where}: options are empty or repeated")
    elif q["type"] == "judge":
        if q["answer"] not in JUDGE_ANSWERS:
            problems.append(f"{where}: true/false answer {q['answer']!r} is not 对 or 错")
        if options:
            problems.append(f"{where}: true/false text has option lines {letters}")
    else:
        problems.append(f"{where}: type {q['type']!r} is neither single nor judge")

    if "picture" in q and "如图" not in q["text"]:
        problems.append(f"{where}: has a picture but its text does not refer to it")
    elif "picture" not in q and "如图" in q["text"]:
        problems.append(f"{where}: text refers to a picture but has none")


def check_categories(categories, whole, problems):
    """Returns the offered sections. Numbers and titles are the bank's own; the
    whole bank holds all of them, a draft the chapters and sections it writes."""
    numbers = [c.get("no") for c in categories]
    if len(numbers) != len(set(numbers)):
        problems.append("category numbers are not unique")
    for c in categories:
        if CATEGORIES.get(c.get("no")) != c.get("title"):
            problems.append(f"category {c!r} is not one of the bank's categories "
                            f"(see CATEGORIES in check_content.py)")
        elif not is_chapter(c["no"]) and c["no"] // 100 * 100 not in numbers:
            problems.append(f"category {c['no']}: its chapter {c['no'] // 100 * 100} is missing")
    if whole:
        for no in sorted(set(CATEGORIES) - set(numbers)):
            problems.append(f"category {no} {CATEGORIES[no]} is missing")
    return {no for no in numbers if isinstance(no, int) and no in CATEGORIES and not is_chapter(no)}


def check_materials(materials, problems):
    titles = [m.get("title") for m in materials]
    for m in materials:
        text = m.get("text") or ""
        if not m.get("title") or not MATERIAL_LENGTH[0] <= len(text) <= MATERIAL_LENGTH[1]:
            problems.append(f"material {m.get('title')!r}: {len(text)} characters, "
                            f"not {MATERIAL_LENGTH[0]} to {MATERIAL_LENGTH[1]}")
        if any(line.lstrip().startswith(("#", "* ", "- ", "> ")) for line in text.splitlines()) \
                or "**" in text:
            problems.append(f"material {m.get('title')!r}: has markdown, not plain text")
    for title in {t for t in titles if titles.count(t) > 1}:
        problems.append(f"material title {title!r} appears twice")


def check_similar(questions, picture_identity, problems):
    for value, q1, q2 in similar_pairs(questions, picture_identity):
        problems.append(f"questions {q1['no']} and {q2['no']} ask nearly the same thing "
                        f"(likeness {value:.2f}; picture {q1.get('picture', 'none')}):\n"
                        f"    {q1['no']}: {split_text(q1['text'])[0]}\n"
                        f"    {q2['no']}: {split_text(q2['text'])[0]}")


def check_minimums(questions, sections, materials, problems):
    for no in sorted(sections):
        count = sum(1 for q in questions if q.get("category") == no)
        if count < MIN_PER_SECTION:
            problems.append(f"section {no} has {count} questions, fewer than {MIN_PER_SECTION}")
    must = sum(1 for q in questions if q.get("mustAnswer") is True)
    pictures = [q["picture"] for q in questions if isinstance(q.get("picture"), str)]
    for what, have, need in (
            ("questions", len(questions), MIN_QUESTIONS),
            ("must-answer questions", must, MIN_MUST_ANSWER),
            ("ordinary questions", len(questions) - must, MIN_ORDINARY),
            ("questions with pictures", len(pictures), MIN_WITH_PICTURE),
            ("questions with a road scene (scene-*.svg)",
             sum(1 for p in pictures if p.startswith(SCENE_PREFIX)), MIN_WITH_SCENE),
            ("materials", len(materials), max(MIN_MATERIALS, len(sections)))):
        if have < need:
            problems.append(f"{have} {what}, fewer than {need}")


def check_bank(bank, base_dir, whole):
    problems = []
    if bank.get("format") != "quenhar-bank" or bank.get("version") != 1:
        problems.append("format must be 'quenhar-bank' and version 1")
    sections = check_categories(objects(bank, "categories"), whole, problems)

    for member in ("categories", "questions", "materials"):
        if len(objects(bank, member)) != len(bank.get(member, [])):
            problems.append(f"{member} must all be JSON objects")
    questions = objects(bank, "questions")
    for q in questions:
        check_question(q, sections, problems)
    if [q.get("no") for q in questions] != list(range(1, len(questions) + 1)):
        problems.append("questions are not numbered 1, 2, 3, ... in order")
    texts = [q.get("text") for q in questions]
    for text in {t for t in texts if texts.count(t) > 1}:
        problems.append(f"question text appears twice: {str(text)[:30]}...")
    picture_identity = check_pictures(questions, base_dir, problems)
    check_similar(questions, picture_identity, problems)

    judge = sum(1 for q in questions if q.get("type") == "judge")
    if questions and not JUDGE_SHARE[0] <= judge / len(questions) <= JUDGE_SHARE[1]:
        problems.append(f"true/false share {judge / len(questions):.1%} is outside "
                        f"{JUDGE_SHARE[0]:.0%} to {JUDGE_SHARE[1]:.0%}")
    problems.extend(balance_problems(balance_figures(questions)))

    materials = objects(bank, "materials")
    check_materials(materials, problems)
    if whole:
        check_minimums(questions, sections, materials, problems)
    return problems


def summary(bank):
    questions = objects(bank, "questions")
    lines = []
    for c in objects(bank, "categories"):
        no = c.get("no")
        if not isinstance(no, int):
            continue
        count = sum(1 for q in questions if q.get("category") == no
                    or (is_chapter(no) and isinstance(q.get("category"), int)
                        and q["category"] // 100 * 100 == no))
        lines.append(f"{'' if is_chapter(no) else '  '}{no} {c.get('title')}: {count}")
    judge = sum(1 for q in questions if q.get("type") == "judge")
    must = sum(1 for q in questions if q.get("mustAnswer") is True)
    pictures = [q["picture"] for q in questions if isinstance(q.get("picture"), str)]
    lines.append(f"questions {len(questions)}: judge {judge}, single {len(questions) - judge}; "
                 f"must-answer {must}, ordinary {len(questions) - must}; "
                 f"with pictures {len(pictures)} (road scenes "
                 f"{sum(1 for p in pictures if p.startswith(SCENE_PREFIX))}); "
                 f"materials {len(objects(bank, 'materials'))}")
    lines.extend(balance_lines(balance_figures(questions)))
    return "\n".join(lines)


def picture_folder(path):
    """The folder picture paths are relative to: the source's own, or for a
    draft kept in a folder below the bank (drafts/), the bank's."""
    folder = os.path.dirname(os.path.abspath(path))
    if os.path.isdir(os.path.join(folder, "pictures")):
        return folder
    return os.path.dirname(folder)


def main():
    parser = argparse.ArgumentParser(description="Checks the sample question bank source.")
    parser.add_argument("bank", nargs="?", help="the whole bank (default: bank.json beside this script)")
    parser.add_argument("--part", metavar="DRAFT", help="check a draft of some sections, "
                        "without the minimums of the whole bank")
    args = parser.parse_args()
    if args.bank and args.part:
        parser.error("give either a bank or --part DRAFT, not both")
    path = args.part or args.bank or os.path.join(os.path.dirname(os.path.abspath(__file__)), "bank.json")
    with open(path, encoding="utf-8") as f:
        bank = json.load(f)
    problems = check_bank(bank, picture_folder(path), whole=not args.part)
    for problem in problems:
        print(problem)
    print(summary(bank))
    if problems:
        print(f"{len(problems)} problem(s)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

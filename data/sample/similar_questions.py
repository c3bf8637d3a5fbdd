"""Finds pairs of questions that ask the same thing in nearly the same words.

A question is identified by its picture and by what it asks: its stem, and for
a single-choice question also the text of its right option. The option is part
of it because many stems only say "下列哪种情况……" and leave the fact to the
options, and because two questions in the same frame ("……城市道路上最高速度为
多少？" and "……公路上最高速度为多少？") ask different facts when their answers
differ. Two questions with different pictures are never the same question,
however alike their stems ("如图所示，这个标志是何含义？").

Two true/false questions, or a true/false and a single-choice one, are nearly
the same when their keys (stem, and right option if any) share at least
SIMILARITY of their character bigrams (Jaccard index), or when one key holds
the other and is at least CONTAINED of its length. Two single-choice questions
are nearly the same when their right options say the same (equal, or sharing
ANSWER_ALIKE of their bigrams) and their stems are alike: STEM_ALIKE when the
options are worded answers of at least ANSWER_WORDS characters, which rarely
coincide by chance, SIMILARITY when they are short ("3分", "左侧") and many
questions share them. Questions that name different numbers are never the
same: "能见度小于200米" and "能见度小于100米" ask different facts.

SIMILARITY is set below the 0.77 of a statement and its negation ("驾驶人可以
驾驶与驾驶证载明的准驾车型不相符合的机动车" / "……不得驾驶……"), which teach
one fact twice, and above the 0.67 of the closest distinct questions of the
first 330-question bank ("变速杆上的R表示什么挡位" / "……P……"). STEM_ALIKE
catches two authors asking how to brake with ABS in other words (stems 0.61,
answers 0.70), while distinct questions with the same worded answer ("公安机关
交通管理部门") have stems below 0.25.
"""
import re
from itertools import combinations

from question_text import answer_option, split_text

SIMILARITY = 0.75
CONTAINED = 0.9
ANSWER_WORDS = 6
ANSWER_ALIKE = 0.6
STEM_ALIKE = 0.5
IGNORED = re.compile(r"[\s\W_]+|如图所示|如图中|如图")
NUMBER = re.compile(r"\d+(?:\.\d+)?")


class Asked:
    """What one question asks, without punctuation or the picture's frame words."""

    def __init__(self, question):
        self.stem = IGNORED.sub("", split_text(question.get("text", ""))[0])
        self.answer = ""
        if question.get("type") == "single":
            self.answer = IGNORED.sub("", answer_option(question) or "")
        self.key = self.stem + "|" + self.answer if self.answer else self.stem
        self.key_grams = bigrams(self.key)
        self.stem_grams = bigrams(self.stem)
        self.answer_grams = bigrams(self.answer)
        self.numbers = sorted(NUMBER.findall(self.key))


def bigrams(text):
    return {text[i:i + 2] for i in range(len(text) - 1)}


def jaccard(a, b):
    return len(a & b) / len(a | b) if a or b else 1.0


def alike(text_a, grams_a, text_b, grams_b):
    """1 when one text holds the other and is at least CONTAINED of its
    length, otherwise the Jaccard index of their bigrams."""
    shorter, longer = sorted((text_a, text_b), key=len)
    if len(shorter) >= CONTAINED * len(longer) and shorter in longer:
        return 1.0
    return jaccard(grams_a, grams_b)


def same_answer(a, b):
    return a.answer == b.answer or (min(len(a.answer), len(b.answer)) >= 2
                                    and jaccard(a.answer_grams, b.answer_grams) >= ANSWER_ALIKE)


def likeness(a, b):
    """How alike two questions are, and whether that makes them nearly the same."""
    if not (a.answer and b.answer):
        value = alike(a.key, a.key_grams, b.key, b.key_grams)
        return value, value >= SIMILARITY
    if not same_answer(a, b):
        return 0.0, False
    value = alike(a.stem, a.stem_grams, b.stem, b.stem_grams)
    worded = min(len(a.answer), len(b.answer)) >= ANSWER_WORDS
    return value, value >= (STEM_ALIKE if worded else SIMILARITY)


def different_numbers(a, b):
    return bool(a.numbers) and bool(b.numbers) and a.numbers != b.numbers


def similar_pairs(questions, picture_identity):
    """Returns (likeness, question, question) for every pair nearly the same.
    picture_identity maps a picture path to what identifies the drawing (its
    contents), so that one drawing saved under two names counts as one."""
    groups = {}
    for q in questions:
        picture = q.get("picture")
        identity = picture_identity.get(picture, picture) if picture else None
        groups.setdefault(identity, []).append((q, Asked(q)))
    pairs = []
    for members in groups.values():
        for (q1, asked1), (q2, asked2) in combinations(members, 2):
            value, same = likeness(asked1, asked2)
            if same and not different_numbers(asked1, asked2):
                pairs.append((value, q1, q2))
    return pairs

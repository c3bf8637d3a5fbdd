"""Finds pairs of questions that ask the same thing in nearly the same words.

A question is identified by its picture and by what it asks: its stem, and for
a single-choice question also the text of its right option. The option is part
of it because many stems only say "下列哪种情况……" and leave the fact to the
options, and because two questions in the same frame ("……城市道路上最高速度为
多少？" and "……公路上最高速度为多少？") ask different facts when their answers
differ. Two questions with different pictures are never the same question,
however alike their stems ("如图所示，这个标志是何含义？").

Two keys are nearly the same when their character bigrams overlap by at least
SIMILARITY (Jaccard index), or when one holds the other and is at least
CONTAINED of its length; unless both name numbers and the numbers differ, as in
"能见度小于200米" and "能见度小于100米", which ask different facts.

SIMILARITY is set below the 0.77 of a statement and its negation ("驾驶人可以
驾驶与驾驶证载明的准驾车型不相符合的机动车" / "……不得驾驶……"), which teach
one fact twice, and above the 0.67 of the closest distinct questions of the
first 330-question bank ("变速杆上的R表示什么挡位" / "……P……").
"""
import re
from itertools import combinations

from question_text import answer_option, split_text

SIMILARITY = 0.75
CONTAINED = 0.9
IGNORED = re.compile(r"[\s\W_]+|如图所示|如图中|如图")
NUMBER = re.compile(r"\d+(?:\.\d+)?")


def key(question):
    """What a question asks, without punctuation or the picture's frame words."""
    stem, _ = split_text(question.get("text", ""))
    asked = IGNORED.sub("", stem)
    if question.get("type") == "single":
        asked += "|" + IGNORED.sub("", answer_option(question) or "")
    return asked


def bigrams(text):
    return {text[i:i + 2] for i in range(len(text) - 1)}


def likeness(a, b):
    """How alike two entries (key, bigrams) are: the bigram Jaccard index, or
    1 when one key holds the other and is long enough."""
    (key_a, grams_a), (key_b, grams_b) = a, b
    shorter, longer = sorted((key_a, key_b), key=len)
    if longer and len(shorter) >= CONTAINED * len(longer) and shorter in longer:
        return 1.0
    smaller, larger = sorted((len(grams_a), len(grams_b)))
    if not larger or smaller < SIMILARITY * larger:
        return 0.0   # the Jaccard index is at most smaller / larger
    return len(grams_a & grams_b) / len(grams_a | grams_b)


def different_numbers(key_a, key_b):
    numbers_a, numbers_b = sorted(NUMBER.findall(key_a)), sorted(NUMBER.findall(key_b))
    return bool(numbers_a) and bool(numbers_b) and numbers_a != numbers_b


def similar_pairs(questions, picture_identity):
    """Returns (likeness, question, question) for every pair nearly the same.
    picture_identity maps a picture path to what identifies the drawing (its
    contents), so that one drawing saved under two names counts as one."""
    groups = {}
    for q in questions:
        picture = q.get("picture")
        identity = picture_identity.get(picture, picture) if picture else None
        k = key(q)
        groups.setdefault(identity, []).append((q, (k, bigrams(k))))
    pairs = []
    for members in groups.values():
        for (q1, entry1), (q2, entry2) in combinations(members, 2):
            value = likeness(entry1, entry2)
            if value >= SIMILARITY and not different_numbers(entry1[0], entry2[0]):
                pairs.append((value, q1, q2))
    return pairs

#!/usr/bin/env python3
"""Writes word_rows.h: a named constant for every row of the word tables.

Each row of words_main.tsv, words_games.tsv and words_guide.tsv starts with
its row number and its English text; the constant is named after that text
("To Begin" in the games table becomes words::games::kToBegin = 8). A name
that two rows of one table would share gets the row number as well
(kGamesRow0, kGamesRow651).

Usage: word_rows.py OUTPUT main.tsv games.tsv guide.tsv
"""
import re
import sys

MOST_WORDS = 8  # a long sentence is named after its first words


def name_of(text):
    text = re.sub(r"[`'\u2019]", "", text)
    words = [w for w in re.split(r"[^0-9A-Za-z]+", text) if w][:MOST_WORDS]
    name = "".join(w[:1].upper() + w[1:] for w in words)
    return "k" + name if name else ""


def rows_of(path):
    rows = []
    with open(path, encoding="utf-8") as tsv:
        for line_no, line in enumerate(tsv, 1):
            line = line.rstrip("\r\n")
            if not line:
                continue
            cells = line.split("\t")
            if len(cells) < 2 or not cells[0].isdigit():
                sys.exit(f"{path}:{line_no}: a row starts with its number and its English text")
            rows.append((int(cells[0]), cells[1]))
    return rows


def block(namespace, table, rows):
    names = [(row, name_of(text), text) for row, text in rows]
    counts = {}
    for _, name, _ in names:
        counts[name] = counts.get(name, 0) + 1
    out = [f"// The rows of the `{table}` table.", f"namespace {namespace} {{"]
    for row, name, text in names:
        if not name:
            name = f"kRow{row}"
        elif counts[name] > 1:
            name = f"{name}Row{row}"
        shown = text.strip().replace("\\", "/")
        out.append(f"inline constexpr int {name} = {row};  // {shown}")
    out.append(f"}}  // namespace {namespace}")
    return "\n".join(out)


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    output, main_tsv, games_tsv, guide_tsv = sys.argv[1:]
    parts = [
        "// Generated from the word tables by i18n/word_rows.py; do not edit.",
        "#pragma once",
        "",
        "namespace varnok::words {",
        "",
        block("main", "WordsMain", rows_of(main_tsv)),
        "",
        block("games", "WordsGames", rows_of(games_tsv)),
        "",
        block("guide", "WordsGuide", rows_of(guide_tsv)),
        "",
        "}  // namespace varnok::words",
        "",
    ]
    text = "\n".join(parts)
    try:
        with open(output, encoding="utf-8") as old:
            if old.read() == text:
                return  # unchanged: nothing that includes it is rebuilt
    except OSError:
        pass
    with open(output, "w", encoding="utf-8") as out:
        out.write(text)


if __name__ == "__main__":
    main()

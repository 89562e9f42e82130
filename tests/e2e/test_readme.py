"""The README's command reference tells the truth: its front-end, text and number examples, run in the order
the tables give them, write exactly the lines they show."""
import re

from harness import ROOT, texts

CHECKED_SECTIONS = ("### Front end", "### Text and numbers")


def reference_examples():
    """(command arguments, expected SET lines) of every example in the checked tables that has no note
    after it; a note in parentheses marks a value that differs between machines or days."""
    readme = (ROOT / "README.md").read_text(encoding="utf-8")
    examples = []
    for heading in CHECKED_SECTIONS:
        start = readme.index("\n" + heading)
        section = readme[start:readme.index("\n### ", start + 1)]
        rows = [line for line in section.splitlines() if line.startswith("| `")]
        assert rows, heading
        for row in rows:
            example_cell = re.split(r"(?<!\\)\|", row)[4]
            for example in example_cell.split("<br>"):
                spans = [s.replace("\\|", "|") for s in re.findall(r"`([^`]*)`", example)]
                if "→" not in example or re.search(r"\)\s*$", example):
                    continue
                words = [w[1:-1] if w.startswith('"') else w for w in re.findall(r'"[^"]*"|\S+', spans[0])]
                assert words[0] == "tovrik", example
                expected = [] if example.rstrip().endswith("no line") else spans[1:]
                examples.append((words[1:], expected))
    return examples


def test_reference_examples_write_what_the_readme_shows(wine):
    examples = reference_examples()
    assert len(examples) >= 25, examples
    wrong = []
    for arguments, expected in examples:
        lines = texts(wine.run(*arguments))
        if lines != expected:
            wrong.append((arguments, expected, lines))
    assert not wrong, wrong

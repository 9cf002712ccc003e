"""Building blocks of the diagnosis knowledge sources.

The questionnaire groups (groups.py) and the main complaints (complaints/*.py)
are written with these classes; gen_diagnosis.py turns them into the archive
files of the consultation: the group files, the rule file, the complaint
catalogue, the restrictions, the diagnosis formulas, the acupuncture
prescriptions and the code name map.

Answers are referred to by their text (the words the patient is asked to
confirm, such as "苔薄白" or "脉浮").  A text must name one answer only: an
answer of the complaint's own questions is found first, then one of the shared
groups.  Where two shared groups hold the same text, write "GROUP:text" with
the group's id ("011:苔薄白").  Codes (four characters such as "0203", "3021",
"seri", "long") may be used wherever an answer may; anything that is not a code
and not a known answer text is an error.
"""

from dataclasses import dataclass, field
from typing import List, Optional, Sequence, Tuple, Union

# An entry of a key: one answer/code, or a tuple/list of alternatives of which
# any one will do.
KeyEntry = Union[str, Sequence[str]]


@dataclass
class Answer:
    """One answer of a question."""
    text: str
    desc: str = ''          # explanation shown after the answer text
    code: str = ''          # the code this answer yields ("0000": a normal finding)
    age: str = ''           # "(N": only for patients younger than N years; ")N": older than N
    sex: str = ''           # "male" / "female": only for that sex
    checked: bool = False   # a check box that is ticked and locked
    summary: str = ''       # replaces the text in the summary of a result
    hints: Tuple[Tuple[str, float], ...] = ()  # reason tags (name, value), informative only


def answer(a: Union[str, Answer]) -> Answer:
    return a if isinstance(a, Answer) else Answer(a)


@dataclass
class Question:
    """One question: exclusive questions offer radio buttons (and, unless
    cannot_tell is False, a cannot-tell choice), the others check boxes."""
    title: str
    answers: List[Union[str, Answer]]
    exclusive: bool = False
    cannot_tell: Optional[bool] = None   # default: True for exclusive questions
    grid: bool = False                   # two columns
    rule: str = ''                       # "age(N" / "age)N": shown by age (see the pages)


@dataclass
class Offer:
    """How a group appears in the group chooser (888)."""
    text: str
    sex: str = ''
    age: str = ''


@dataclass
class Group:
    id: str
    name: str
    comment: str
    questions: List[Question]
    type: str = ''                # "female", "child" or ""
    offer: Optional[Offer] = None  # None: not offered; still shown when a complaint needs it
    link: str = ''


@dataclass
class Atom:
    """A compound symptom: present (scored by the number of its answers) when
    all its answers are."""
    code: str
    name: str
    answers: List[str]


@dataclass
class Rule:
    """One more cell for a pattern (a pattern may be reached in several ways)."""
    key: List[KeyEntry]
    items: List[str] = field(default_factory=list)
    count: int = 0
    age: str = ''      # "(N" / ")N"
    aux: List[str] = field(default_factory=list)


@dataclass
class Scene:
    """A variant of a formula: when every condition holds, add and remove herbs.
    `when` is a list of answers/codes that must all hold; `any_of` instead
    gives alternatives, each of which alone makes a variant."""
    when: List[str] = field(default_factory=list)
    any_of: List[str] = field(default_factory=list)
    add: List[Tuple[str, ...]] = field(default_factory=list)   # (herb, dose[, method])
    remove: List[str] = field(default_factory=list)


@dataclass
class Formula:
    name: str                # formula name; the library's name when it is a classic formula
    method: str              # treatment method (治法)
    herbs: List[Tuple[str, ...]]  # (herb, dose text such as "9g"[, method such as "后下"])
    form: str = '汤剂'
    source: str = ''         # source book
    pill: str = ''           # patent medicine
    usage: str = ''
    taboo: str = ''
    scenes: List[Scene] = field(default_factory=list)
    conditions: List[str] = field(default_factory=list)  # further conditions of the whole formula


@dataclass
class AcuCase:
    method: str    # treatment principle of the case
    points: str    # points added for the case, comma-separated
    how: str       # needling instructions


@dataclass
class AcuBlock:
    method: str    # treatment principle of the complaint
    points: str    # base points, comma-separated
    modifiers: List[Tuple[List[str], str]] = field(default_factory=list)  # (conditions, points)


@dataclass
class Pattern:
    code: str
    name: str
    key: List[KeyEntry]
    items: List[str]
    count: int
    formula: Optional[Formula] = None
    acu: Optional[AcuCase] = None
    rules: List[Rule] = field(default_factory=list)   # further ways to reach the pattern
    aux: List[str] = field(default_factory=list)
    age: str = ''


@dataclass
class Case:
    """A typical case: the answers a patient of the pattern gives.  `expect`
    is the pattern code, or "insufficient" / "none" for the outcomes that are
    not a pattern."""
    expect: str
    answers: List[str]
    age: int = 35
    sex: str = 'male'
    state: str = 'normal'
    note: str = ''


@dataclass
class Complaint:
    code: str
    name: str
    dept: str                     # 内科 外科 妇科 儿科 急科 男科
    desc: str
    groups: List[str]             # questionnaire groups the complaint needs
    patterns: List[Pattern]
    own_answer: str = ''          # answer counted as chosen with the complaint
    age: str = ''                 # "(N" / ")N": further age limit of the complaint
    questions: dict = field(default_factory=dict)   # group id -> [Question] shown only for this complaint
    new_groups: List[Group] = field(default_factory=list)  # groups of the complaint's own (ids 026-050)
    atoms: List[Atom] = field(default_factory=list)
    acu: Optional[AcuBlock] = None
    cases: List[Case] = field(default_factory=list)
    type: str = ''

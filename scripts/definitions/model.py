# SPDX-License-Identifier: GPL-3.0-or-later
"""Building blocks of the drive definition sources.

A family module (servo.py, vfd.py) describes each drive once, in both languages, with plain
numbers in display units; generate.py turns that into the XML files of every device version.
Everything a version changes is stated where the parameter is defined (since=, per_version=), so
the two versions of a family cannot drift apart by accident.
"""

from dataclasses import dataclass, field
from typing import Callable, Dict, List, Optional, Sequence, Tuple, Union

Number = Union[int, float, str]

# Units that a Chinese drive manual writes differently; SI units stay as they are.
CN_UNITS = {
    "pulse": "脉冲",
    "times": "倍",
    "rev": "圈",
    "min": "min",
}


@dataclass
class Enum:
    value: int
    en: str
    cn: str


@dataclass
class Param:
    index: int
    en: str
    cn: str
    lo: Optional[Number]
    hi: Optional[Number]
    unit: str
    default: Number
    writable: int = 2
    effect: int = 1
    format1: int = 0
    signed: bool = False
    tip_en: str = ""
    tip_cn: str = ""
    enum: Optional[List[Enum]] = None
    colon: bool = False  # enumeration names carry their value: "1:Enabled"
    since: int = 0  # first version index that has the parameter
    per_version: Dict[int, dict] = field(default_factory=dict)  # version index -> changed fields
    unit_cn: Optional[str] = None

    def for_version(self, version: int) -> "Param":
        changes = {}
        for v in sorted(self.per_version):
            if v <= version:
                changes.update(self.per_version[v])
        if not changes:
            return self
        copy = Param(**{k: getattr(self, k) for k in self.__dataclass_fields__})
        for key, value in changes.items():
            setattr(copy, key, value)
        return copy


@dataclass
class Group:
    name: str
    en: str
    cn: str
    code: str
    params: List[Param]
    authority: int = 0
    since: int = 0


@dataclass
class Variable:
    name: str
    en: str
    cn: str
    address: int
    length: int
    format1: int
    signed: bool = False
    since: int = 0


@dataclass
class Fault:
    code: int
    en: str
    cn: str
    since: int = 0


@dataclass
class Trigger:
    value: int
    unit_en: str
    precision: int
    unit_cn: Optional[str] = None


@dataclass
class ControlFunction:
    trigger_code: str
    cases: List[Trigger]
    effect_codes: List[str]


@dataclass
class Family:
    folder: str  # "SERVO" or "VFD"
    versions: List[str]  # oldest first; the index is what since= refers to
    groups: List[Group]
    variables: List[Variable]
    faults: List[Fault]
    control_functions: List[ControlFunction]


def P(index, en, cn, lo, hi, unit, default, w=2, e=1, f=0, s=False, tip=("", ""), enum=None,
      colon=False, since=0, per_version=None, unit_cn=None):
    """One parameter; enum entries are (value, en, cn) tuples."""
    entries = [Enum(*item) for item in enum] if enum else None
    return Param(index, en, cn, lo, hi, unit, default, w, e, f, s, tip[0], tip[1], entries, colon,
                 since, per_version or {}, unit_cn)


def RO(index, en, cn, lo, hi, unit, default, f=0, s=False, tip=("", ""), enum=None, since=0,
       per_version=None, unit_cn=None):
    """A read-only monitoring or information parameter."""
    return P(index, en, cn, lo, hi, unit, default, w=0, e=0, f=f, s=s, tip=tip, enum=enum,
             since=since, per_version=per_version, unit_cn=unit_cn)


OFF_ON = [(0, "Disabled", "禁止"), (1, "Enabled", "使能")]
NO_YES = [(0, "No", "否"), (1, "Yes", "是")]


def apply_tips(groups, tips):
    """Adds help texts kept in a separate table; a code that names no parameter is an error."""
    params = {"%s-%02d" % (g.name, p.index): p for g in groups for p in g.params}
    for code, (en, cn) in tips.items():
        if code not in params:
            raise KeyError("help text for unknown parameter %s" % code)
        if not params[code].tip_en:
            params[code].tip_en, params[code].tip_cn = en, cn

#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes Driver/Config/<family>/<version>/<EN|CN>/*.xml from servo.py and vfd.py.

Run from anywhere: /usr/bin/python3 scripts/definitions/generate.py
The sources are checked first (limits in range, factory values exactly as the tool will print the
register, unique registers, control functions pointing at existing parameters); nothing is written
when a check fails.
"""

import os
import sys
from xml.sax.saxutils import escape, quoteattr

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import servo  # noqa: E402
from model import CN_UNITS, Family, Param  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
CONFIG = os.path.join(ROOT, "Driver", "Config")

HEADERS = {
    "EN": ["", "Code", "Description", "Setting value", "Current value", "Factory value", "Min", "Max",
           "Unit", "Access", "Effect"],
    "CN": ["", "编号", "名称", "设定值", "当前值", "出厂值", "最小值", "最大值", "单位", "读写属性",
           "生效方式"],
}


class DefinitionError(Exception):
    pass


def raw_of(value, f1: int) -> int:
    """The register value behind a display number."""
    if f1 in (8, 9):
        return int(value)
    if 1 <= f1 <= 7:
        return int(round(float(value) * 10 ** f1))
    return int(value)


def text_of(raw: int, f1: int, pad: bool = False) -> str:
    """A register value as the tool prints it (registersToText); hexadecimal limits are padded.

    Factory values must not be padded: the table compares them with the printed register.
    """
    if 1 <= f1 <= 7:
        sign = "-" if raw < 0 else ""
        whole, frac = divmod(abs(raw), 10 ** f1)
        return "%s%d.%0*d" % (sign, whole, f1, frac)
    if f1 == 8:
        return format(raw, "b")
    if f1 == 9:
        return "0x" + (format(raw, "04X") if pad else format(raw, "X"))
    return str(raw)


def check_raw(code: str, raw: int, signed: bool):
    low, high = (-32768, 32767) if signed else (0, 65535)
    if not low <= raw <= high:
        raise DefinitionError("%s: value %d does not fit one %s register" %
                              (code, raw, "signed" if signed else "unsigned"))


def unit_cn(p: Param) -> str:
    if p.unit_cn is not None:
        return p.unit_cn
    return CN_UNITS.get(p.unit, p.unit)


def tooltip(p: Param, lang: str, lo: str, hi: str, default: str) -> str:
    hand = p.tip_en if lang == "EN" else p.tip_cn
    unit = p.unit if lang == "EN" else unit_cn(p)
    if p.enum and len(p.enum) > 8:
        # Long lists are read in the editor's drop-down; the dock only needs the factory choice.
        factory = next(e for e in p.enum if e.value == int(p.default))
        if lang == "EN":
            auto = "Factory value: %d (%s)." % (factory.value, factory.en) if p.writable else ""
        else:
            auto = "出厂值：%d（%s）。" % (factory.value, factory.cn) if p.writable else ""
    elif p.enum:
        if lang == "EN":
            options = "; ".join("%d: %s" % (e.value, e.en) for e in p.enum)
            auto = "Options: %s." % options
            if p.writable:
                auto += " Factory value: %s." % default
        else:
            options = "；".join("%d：%s" % (e.value, e.cn) for e in p.enum)
            auto = "选项：%s。" % options
            if p.writable:
                auto += "出厂值：%s。" % default
    elif p.writable == 0:
        auto = "Read only." if lang == "EN" else "只读。"
    else:
        sep = " " if unit and lang == "EN" and not unit.startswith("%") and unit != "°" else ""
        u = (sep + unit) if unit else ""
        if lang == "EN":
            auto = "Range: %s to %s%s. Factory value: %s%s." % (lo, hi, u, default, u)
        else:
            auto = "设定范围：%s～%s%s；出厂值：%s%s。" % (lo, hi, unit, default, unit)
    if not hand:
        return auto
    if lang == "EN":
        hand = hand if hand.endswith(".") else hand + "."
        return (hand + " " + auto).strip()
    hand = hand if hand.endswith("。") else hand + "。"
    return hand + auto


def resolve(value, version_values: dict):
    if isinstance(value, str) and value in version_values:
        return version_values[value]
    return value


def param_rows(family: Family, version: int):
    """(group, [(code, param, lo, hi, default)]) for one version, checked."""
    symbols = family_symbols(family, version)
    result = []
    seen_addresses = {}
    for group in family.groups:
        if group.since > version:
            continue
        rows = []
        seen_index = set()
        for p in group.params:
            if p.since > version:
                continue
            p = p.for_version(version)
            code = "%s-%02d" % (group.name, p.index)
            if not 0 <= p.index <= 255 or p.index in seen_index:
                raise DefinitionError("%s: bad or repeated index" % code)
            seen_index.add(p.index)
            address = (int(group.code, 16) << 8) | p.index
            if address in seen_addresses:
                raise DefinitionError("%s shares register 0x%04X with %s" %
                                      (code, address, seen_addresses[address]))
            seen_addresses[address] = code
            if address in family_forbidden(family):
                raise DefinitionError("%s lands on the command register 0x%04X" % (code, address))
            if p.enum:
                values = [e.value for e in p.enum]
                if values != sorted(values) or len(set(values)) != len(values):
                    # The table matches a read value against the entries by substring, first hit wins.
                    raise DefinitionError("%s: enumeration values must ascend" % code)
                lo_raw, hi_raw, def_raw = min(values), max(values), int(p.default)
                if def_raw not in values:
                    raise DefinitionError("%s: factory value is not an entry" % code)
                lo, hi, default = str(lo_raw), str(hi_raw), str(def_raw)
            else:
                lo_raw = raw_of(resolve(p.lo, symbols), p.format1)
                hi_raw = raw_of(resolve(p.hi, symbols), p.format1)
                def_raw = raw_of(resolve(p.default, symbols), p.format1)
                for raw in (lo_raw, hi_raw, def_raw):
                    check_raw(code, raw, p.signed)
                if not lo_raw <= def_raw <= hi_raw:
                    raise DefinitionError("%s: factory value outside its limits" % code)
                lo = text_of(lo_raw, p.format1, pad=True)
                hi = text_of(hi_raw, p.format1, pad=True)
                default = text_of(def_raw, p.format1)
            rows.append((code, p, lo, hi, default))
        result.append((group, rows))
    return result


def family_modules():
    modules = [servo]
    try:
        import vfd
        modules.append(vfd)
    except ImportError:
        pass
    return modules


def module_of(family: Family):
    return next(m for m in family_modules() if m.FAMILY is family)


def family_symbols(family: Family, version: int) -> dict:
    return module_of(family).symbols(version)


def family_forbidden(family: Family) -> set:
    return module_of(family).COMMAND_REGISTERS


def attrs(pairs) -> str:
    return " ".join("%s=%s" % (k, quoteattr(str(v))) for k, v in pairs)


def write_param_table(path: str, lang: str, groups) -> None:
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<ParamTable>", "    <Format>"]
    for text in HEADERS[lang]:
        out.append("        <Column>%s</Column>" % escape(text) if text else "        <Column/>")
    out.append("    </Format>")
    for group, rows in groups:
        out.append("    <Group %s>" % attrs([
            ("name", group.name), ("description", group.en if lang == "EN" else group.cn),
            ("authority", group.authority), ("code", group.code)]))
        for code, p, lo, hi, default in rows:
            out.append("        <Parameter %s>" % attrs([
                ("name", code), ("description", p.en if lang == "EN" else p.cn),
                ("min", lo), ("max", hi), ("units", p.unit if lang == "EN" else unit_cn(p)),
                ("default", default), ("writable", p.writable), ("effect", p.effect),
                ("format1", p.format1), ("format2", 1 if p.signed else 0)]))
            for e in p.enum or []:
                name = e.en if lang == "EN" else e.cn
                if p.colon:
                    name = "%d:%s" % (e.value, name)
                out.append("            <Index %s/>" % attrs([("name", name), ("value", e.value)]))
            out.append("            <ToolTips %s/>" % attrs([("name", tooltip(p, lang, lo, hi, default))]))
            out.append("        </Parameter>")
        out.append("    </Group>")
    out.append("</ParamTable>")
    write(path, out)


def write_variables(path: str, lang: str, family: Family, version: int) -> None:
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<Variables>"]
    for v in family.variables:
        if v.since > version:
            continue
        out.append("    <Variable %s/>" % attrs([
            ("name", v.name), ("description", v.en if lang == "EN" else v.cn),
            ("code", "0x%04X" % v.address), ("length", v.length), ("format1", v.format1),
            ("format2", 1 if v.signed else 0)]))
    out.append("</Variables>")
    write(path, out)


def write_faults(path: str, lang: str, family: Family, version: int) -> None:
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<ErrorCode>"]
    codes = set()
    for f in family.faults:
        if f.since > version:
            continue
        if f.code in codes:
            raise DefinitionError("fault code %d twice" % f.code)
        codes.add(f.code)
        out.append("    <Error %s/>" % attrs([("code", "0x%04X" % f.code),
                                              ("name", f.en if lang == "EN" else f.cn)]))
    out.append("</ErrorCode>")
    write(path, out)


def write_control_functions(path: str, lang: str, family: Family, groups) -> None:
    params = {code: p for _, rows in groups for code, p, *_ in rows}
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<ControlFunction>"]
    for cf in family.control_functions:
        trigger = params.get(cf.trigger_code)
        if trigger is None:
            raise DefinitionError("control function trigger %s is not a parameter" % cf.trigger_code)
        effects = [c for c in cf.effect_codes if c in params]
        by_value = {case.value: case for case in cf.cases}
        current = by_value.get(int(trigger.default))
        for code in effects:
            # The file's decimals must be those that the trigger's factory value selects.
            if current is not None and params[code].format1 != current.precision:
                raise DefinitionError("%s has %d decimals but %s=%s selects %d" % (
                    code, params[code].format1, cf.trigger_code, trigger.default, current.precision))
        out.append("    <Function %s>" % attrs([("CodeID", cf.trigger_code)]))
        out.append("        <TriggerCode>")
        for case in cf.cases:
            unit = case.unit_en if lang == "EN" else (case.unit_cn or CN_UNITS.get(case.unit_en, case.unit_en))
            out.append("            <Case %s/>" % attrs([("Unit", unit), ("Precision", case.precision),
                                                          ("Value", case.value)]))
        out.append("        </TriggerCode>")
        out.append("        <EffectCode>")
        for code in effects:
            out.append("            <Effect %s/>" % attrs([("CodeID", code)]))
        out.append("        </EffectCode>")
        out.append("    </Function>")
    out.append("</ControlFunction>")
    write(path, out)


def write(path: str, lines) -> None:
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    keep = os.path.join(os.path.dirname(path), ".gitkeep")
    if os.path.exists(keep):
        os.remove(keep)


def check_effect_codes_exist(family: Family) -> None:
    everywhere = set()
    for version in range(len(family.versions)):
        for _, rows in param_rows(family, version):
            everywhere.update(code for code, *_ in rows)
    for cf in family.control_functions:
        for code in cf.effect_codes:
            if code not in everywhere:
                raise DefinitionError("control function %s names unknown %s" % (cf.trigger_code, code))


def main() -> int:
    try:
        for family in [m.FAMILY for m in family_modules()]:
            check_effect_codes_exist(family)
            for version, name in enumerate(family.versions):
                groups = param_rows(family, version)
                for lang in ("EN", "CN"):
                    folder = os.path.join(CONFIG, family.folder, name, lang)
                    write_param_table(os.path.join(folder, "ParamTable.xml"), lang, groups)
                    write_variables(os.path.join(folder, "Variables.xml"), lang, family, version)
                    write_faults(os.path.join(folder, "ErrorCode.xml"), lang, family, version)
                    write_control_functions(os.path.join(folder, "ControlFunction.xml"), lang, family,
                                            groups)
                count = sum(len(rows) for _, rows in groups)
                print("%s %s: %d parameters in %d groups" % (family.folder, name, count, len(groups)))
    except DefinitionError as error:
        print("definition error: %s" % error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

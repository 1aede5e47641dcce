#!/usr/bin/env python3
"""Seeded generators of input for tobrisk-cli's expression mode.

  gen_lines.py mix  [--seed S] [--count N] [--dialect D]
        a realistic mix: mostly arithmetic (numbers, + - * /, parentheses), then powers with
        integer exponents (compound growth), square roots, and exp, log, sin, cos. The same
        lines in the syntax of tobrisk (default; starts with ":radians"), bc (for bc -l),
        python (for eval per line after "from math import *") or calc (apcalc)
  gen_lines.py diff [--seed S] [--count N]   a wide spread of the language for comparing two
                                              builds byte for byte: numbers, operators,
                                              functions, assignments, user functions, :frac,
                                              faults and refusals, :trace, :listing, options

  gen_lines.py fin  [--seed S] [--count N]   financial mode (--fin): N solves of random
                                              cash flows, most of them for the rate

The same seed always gives the same lines. Nothing here depends on the clock: rand() only
appears as rand(1), and no reminder or date command is generated.
"""

import argparse
import random
import sys


def number(rnd, small=False):
    k = rnd.random()
    if small or k < 0.55:
        return str(rnd.randint(1, 999))
    if k < 0.75:
        return str(rnd.randint(1, 99999)) + "." + str(rnd.randint(0, 999))
    if k < 0.85:
        return str(rnd.randint(1, 10**rnd.randint(5, 12)))
    if k < 0.92:
        return "." + str(rnd.randint(1, 9999))
    return str(rnd.randint(1, 99)) + "." + str(rnd.randint(1, 99))


def arithmetic(rnd, depth=0):
    """An expression of numbers, + - * / and parentheses; divisors are never zero."""
    terms = rnd.randint(1, 4 if depth == 0 else 3)
    out = []
    for t in range(terms):
        if t:
            out.append(rnd.choice(" + | - | * | / |+|-|*|/".split("|")))
        if depth < 2 and rnd.random() < 0.2:
            out.append("(" + arithmetic(rnd, depth + 1) + ")")
        else:
            out.append(number(rnd))
    return "".join(out)


# name in tobrisk -> names in bc, python, calc
FUNCTION_NAMES = {"sqrt": ("sqrt", "sqrt", "sqrt"), "exp": ("e", "exp", "exp"),
                  "log": ("l", "log", "ln"), "sin": ("s", "sin", "sin"), "cos": ("c", "cos", "cos")}
DIALECTS = ["tobrisk", "bc", "python", "calc"]


def mix_line(rnd):
    """One line as a list of pieces: text, ("^", n) for a power, ("f", name, pieces)."""
    k = rnd.random()
    if k < 0.7:
        return [arithmetic(rnd)]
    if k < 0.82:
        w = rnd.random()
        if w < 0.5:  # compound growth
            base = "(1+%s/%d)" % (rnd.choice(["0.05", "0.035", "0.072", "0.1", "0.0425"]),
                                  rnd.choice([1, 4, 12, 365]))
            return [number(rnd, True) + "*", base, ("^", rnd.choice([5, 10, 12, 30, 60, 120, 360]))]
        return ["(" + arithmetic(rnd, 1) + ")", ("^", rnd.randint(2, 6))]
    if k < 0.92:
        arg = number(rnd) + rnd.choice(["", "+" + number(rnd), "*" + number(rnd)])
        return [number(rnd) + rnd.choice(["*", "+", "-"]), ("f", "sqrt", [arg])]
    name = rnd.choice(["exp", "log", "sin", "cos"])
    arg = str(rnd.randint(1, 300) / 100) if name == "exp" else number(rnd)
    return [("f", name, [arg]), rnd.choice(["", "*2", "+1", "/3"])]


def render(pieces, dialect):
    out = []
    for p in pieces:
        if isinstance(p, str):
            out.append(p)
        elif p[0] == "^":
            out.append(("**" if dialect == "python" else "^") + str(p[1]))
        else:
            name = p[1] if dialect == "tobrisk" else FUNCTION_NAMES[p[1]][DIALECTS.index(dialect) - 1]
            out.append("%s(%s)" % (name, render(p[2], dialect)))
    return "".join(out)


def mix(rnd, count, dialect="tobrisk"):
    if dialect == "tobrisk":
        yield ":radians"  # the other tools' trigonometry
    for _ in range(count):
        yield render(mix_line(rnd), dialect)


# ---- the differential spread ----

NAMES = ["a", "b", "c", "x", "y", "z", "tot", "n1", "val_2", "Big"]
FUNCS = ["sin", "cos", "tan", "asin", "acos", "atan", "sqrt", "raiz", "log", "exp", "round",
         "fact", "fat", "seno", "aseno"]
USER = {"f": "x^2+1", "g": "x*y-x", "h": "a+b*2", "k": "5", "m": "2.5e3", "p": "(u+v)/w",
        "q": "sqrt(t)+t", "s": "sin(ang)", "dd": "d1*d2*d3*d4"}
USER_ARGS = {"f": 1, "g": 2, "p": 3, "q": 1, "s": 1, "dd": 4}


def literal(rnd):
    k = rnd.random()
    if k < 0.35:
        return str(rnd.randint(0, 100))
    if k < 0.45:
        return str(rnd.choice([2**31, 2**32 - 1, 2**53 + 1, 2**62, 2**63 - 1, 2**63, 10**18,
                               123456789012345678, 3037000499, 4611686018427387904]))
    if k < 0.6:
        return "%d.%d" % (rnd.randint(0, 9999), rnd.randint(0, 99999))
    if k < 0.7:
        return "%de%s%d" % (rnd.randint(1, 99), rnd.choice(["", "-", "+"]), rnd.randint(0, 320))
    if k < 0.78:
        return "%d.%de%d" % (rnd.randint(0, 9), rnd.randint(0, 999), rnd.randint(-20, 20))
    if k < 0.85:
        return "." + str(rnd.randint(0, 99999))
    if k < 0.9:
        return rnd.choice(["pi", "e", "r"])
    if k < 0.97:
        return rnd.choice(NAMES)
    return rnd.choice(["0", "0.0", "1e-300", "1e300", "9.99999999999999e14", "0.000001",
                       "123456789012345", "999999999999999.5", "0.1", "1e15", "1e16"])


def expr(rnd, depth=0):
    terms = rnd.randint(1, 4 if depth == 0 else 2)
    out = []
    for t in range(terms):
        if t:
            out.append(rnd.choice(["+", "-", "*", "/", "^", " + ", " * ", "-", "-"]))
            if out[-1] == "^" and rnd.random() < 0.8:
                out.append(str(rnd.randint(0, 12)))  # mostly powers that stay in range
                continue
        if rnd.random() < 0.12:
            out.append(rnd.choice(["-", "+"]))
        k = rnd.random()
        if depth < 3 and k < 0.15:
            out.append("(" + expr(rnd, depth + 1) + ")")
        elif depth < 3 and k < 0.35:
            out.append(call(rnd, depth + 1))
        else:
            out.append(literal(rnd))
    return "".join(out)


def call(rnd, depth):
    k = rnd.random()
    if k < 0.5:
        return "%s(%s)" % (rnd.choice(FUNCS), expr(rnd, depth))
    if k < 0.6:
        return "log(%s, %s)" % (expr(rnd, depth), expr(rnd, depth))
    if k < 0.7:
        return "round(%s, %d)" % (expr(rnd, depth), rnd.choice([-1, 0, 1, 2]))
    if k < 0.8:
        fn = rnd.choice(["comb", "mod"])
        return "%s(%d, %d)" % (fn, rnd.randint(-3, 60), rnd.randint(-3, 30))
    if k < 0.88:
        fn = rnd.choice(["gcd", "lcm", "mdc", "mmc"])
        args = [str(rnd.randint(-5, 5000)) for _ in range(rnd.randint(1, 4))]
        return "%s(%s)" % (fn, ", ".join(args))
    if k < 0.9:
        return "rand(1)"
    name = rnd.choice(list(USER_ARGS))
    args = [expr(rnd, depth + 1) for _ in range(USER_ARGS[name])]
    return "%s(%s)" % (name, ",".join(args))


def fraction(rnd):
    parts = []
    for t in range(rnd.randint(1, 4)):
        if t:
            parts.append(rnd.choice(["+", "-", "*", "/"]))
        if rnd.random() < 0.2:
            parts.append("(%d/%d)" % (rnd.randint(0, 40), rnd.randint(0, 40)))
        else:
            parts.append("%d/%d" % (rnd.randint(0, 99), rnd.randint(1, 99)))
    if rnd.random() < 0.08:
        parts.append(rnd.choice(["^2", "*x", "*1.5", "+-1"]))
    return ":frac " + "".join(parts)


FAULTS = ["1/0", "0/0", "sqrt(-1)", "log(0)", "log(-2)", "asin(2)", "undefinedname+1", "2+",
          "(3", "3)", "1..2", "1e", ".", "2#3", "fact(171)", "fact(-1)", "comb(3,5)", "10^400",
          "1e308*10", "(-8)^(1/3)", "0^-1", "f(1,2)", "unknownf(3)", "sin(1,2)", "gcd(2.5,3)",
          "gcd(1)", "r = 5", "pi = 3", "e = 2", "= 3", "a = = 2", "3 = a", "--2", "2*-+3",
          "+", "()", "sin()", "a b", "\"x\"", "w = \"sin(w)\"", "z = \"&1\"", "mod(5, 0)",
          "1e999", "-1e999", "2^63*2", "mod(2^62*1.5, 7)", "rand(0)", "round(2.5, 7)", "1;;2",
          ";", "1;", "x = 3;", "abcdefghijabcdefghijabcdefghijabc = 1", "ç = 2", "Aé = 1",
          "1+" * 45 + "1", "(" * 12 + "1" + ")" * 12,
          "sin(cos(tan(sin(cos(tan(sin(cos(tan(sin(cos(1)))))))))))",
          "f(f(f(f(f(f(2))))))", "1,2", "q3 = \u201cx*3\u201d", "q3(2)+q3(1)", "q4 = \u201cy\"", "1.2.3e5", "1e5.3", "1e+", "2e-5e3", "1..e5", "7.5.5+1"]


def statement(rnd):
    k = rnd.random()
    if k < 0.25:
        return "%s = %s" % (rnd.choice(NAMES), expr(rnd))
    return expr(rnd)


def diff(rnd, count):
    yield ":now 2026-12-08 10:00:00"  # the clock stands still: reminders are repeatable
    yield ":soma no"
    for name, body in USER.items():
        yield '%s = "%s"' % (name, body)
    for name in NAMES:
        yield "%s = %s" % (name, literal(rnd) if name not in ("a", "b") else rnd.randint(1, 9))
    for _ in ("u", "v", "w", "t", "ang", "d1", "d2", "d3", "d4"):
        yield "%s = %d" % (_, rnd.randint(1, 20))
    made = 0
    while made < count:
        k = rnd.random()
        if k < 0.45:
            line = statement(rnd)
        elif k < 0.55:
            line = "; ".join(statement(rnd) for _ in range(rnd.randint(2, 4)))
        elif k < 0.63:
            line = fraction(rnd)
        elif k < 0.71:
            line = rnd.choice(FAULTS)
        elif k < 0.76:
            line = ":trace"
        elif k < 0.78:
            line = ":listing"
        elif k < 0.81:
            line = ":decimals " + rnd.choice(["auto", "0", "2", "4", "9", "auto", "auto"])
        elif k < 0.82:
            line = ":intnodec " + rnd.choice(["yes", "no"])
        elif k < 0.83:
            line = ":" + rnd.choice(["degrees", "radians"])
        elif k < 0.845:
            line = ":factor " + str(rnd.choice([rnd.randint(-1000, 10**6), 2**61 - 1,
                                                 600851475143, 0, 1, -360]))
        elif k < 0.87:
            # continuation: a short line goes on from the last result
            line = rnd.choice(["*2", "+3", "-1", "5*", "/4", "x+", "7"])
        elif k < 0.89:
            line = ":soma " + rnd.choice(["yes", "no", "no"])
        elif k < 0.91:
            # a new user function, or a redefinition
            name = rnd.choice(["f2", "g2", "h2", "f", "k"])
            body = rnd.choice(["x+1", "x*y", "a*x^2+b", "3", "sqrt(x)+y", "mod(x,7)",
                               "x/(y-1)", "f(x)*2"])
            line = '%s = "%s"' % (name, body)
        elif k < 0.93:
            line = rnd.choice(["f2(3)", "g2(2,5)", "h2(4)", "f2", "k+1", "k", "m*2"])
        elif k < 0.95:
            # a fresh name each time, so the store fills up and refuses
            line = "v%d = %s" % (rnd.randint(0, 80), literal(rnd))
        elif k < 0.955:
            line = ":history" if rnd.random() < 0.1 else ":entry"
        elif k < 0.965:
            # deletions and reminders change the store as the calculations do
            w = rnd.random()
            if w < 0.5:
                line = "%s %s" % (rnd.choice(["del", "delete", " del"]),
                                  rnd.choice(NAMES + ["v%d" % rnd.randint(0, 80), "f2", "g2", "r",
                                                      "nosuch", "11:30:00", "12:00"]))
            elif w < 0.9:
                line = "note %02d:%02d %s" % (rnd.randint(10, 23), rnd.randint(0, 59),
                                              rnd.choice(["call", "tea", "meeting room 2"]))
            else:
                line = rnd.choice([":tick", "note 30 soon", "note xx", "del"])
        elif k < 0.97:
            line = " ".join(rnd.choice(["1", "+", "2", "*", "(", ")", "x", "-"])
                            for _ in range(rnd.randint(1, 8)))
        else:
            line = expr(rnd).upper()
        made += 1
        yield line
    yield ":listing"


def fin(rnd, count):
    yield "type generic"
    for _ in range(count):
        k = rnd.random()
        if k < 0.1:
            yield "timing " + rnd.choice(["start", "end"])
        elif k < 0.15:
            yield "type " + rnd.choice(["consumer", "generic"])
        elif k < 0.2:
            yield "periods " + str(rnd.choice([1, 2, 4, 12]))
        elif k < 0.23:
            yield "precision"
        fields = [rnd.choice([0, rnd.randint(-500000, 500000), round(rnd.uniform(-1e4, 1e4), 2)]),
                  rnd.choice([0.5, 1, 0.01, 5, 12, 0.0001, 25]),
                  rnd.choice([1, 2, 12, 36, 60, 120, 360, 480, 1200, rnd.randint(1, 600)]),
                  rnd.choice([0, round(rnd.uniform(-5000, 5000), 2), -100, 250]),
                  rnd.choice([0, 0, round(rnd.uniform(-1e6, 1e6), 2)])]
        for f, v in enumerate(fields):
            yield "set %d %s" % (f, v)
        yield "solve %d" % rnd.choice([1, 1, 1, 0, 3, 4, 2])
        yield "show"


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("kind", choices=["mix", "diff", "fin"])
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--count", type=int, default=20000)
    ap.add_argument("--dialect", choices=DIALECTS, default="tobrisk", help="mix only")
    ap.add_argument("-o", "--output", help="file to write (default: standard output)")
    a = ap.parse_args()
    rnd = random.Random(a.seed)
    if a.kind == "mix":
        lines = mix(rnd, a.count, a.dialect)
    else:
        lines = diff(rnd, a.count) if a.kind == "diff" else fin(rnd, a.count)
    out = open(a.output, "w", encoding="utf-8", newline="\n") if a.output else sys.stdout
    for line in lines:
        out.write(line + "\n")
    out.close()


if __name__ == "__main__":
    main()

"""What a careless user types and clicks: the key bindings of the three calculators, typed
lines, and the places of the controls as fractions of each window's client area."""

# Key chords as (modifiers, keysym). Switching keys are listed apart so the driver can weight
# them; everything else is every binding of the window's menu and key handler.
EXPRESSION_KEYS = [
    (["ctrl"], "F1"), ([], "F1"), (["ctrl"], "t"), (["ctrl"], "Delete"), (["ctrl"], "m"),
    (["ctrl"], "o"), (["ctrl"], "s"), ([], "Return"), (["ctrl"], "Return"),
    (["ctrl", "shift"], "f"), (["ctrl", "alt", "shift"], "r"), (["ctrl"], "End"),
    (["shift"], "End"), (["ctrl"], "Home"), (["shift"], "Home"), (["ctrl"], "Left"),
    (["ctrl"], "Right"), ([], "KP_Enter"), ([], "Up"), ([], "Down"), ([], "BackSpace"),
    ([], "Escape"), ([], "Tab"), (["ctrl"], "a"), (["alt"], "Down"),
] + [(["ctrl"], str(d)) for d in range(10)]
EXPRESSION_SWITCH = [(["ctrl"], "r"), (["ctrl"], "f")]

RPN_KEYS = [
    (["ctrl"], "minus"), (["ctrl"], "KP_Subtract"), (["shift"], "6"), (["ctrl"], "Delete"),
    ([], "r"), (["shift"], "r"), (["alt"], "r"), (["shift"], "equal"), (["ctrl", "shift"], "equal"),
    (["shift"], "8"), (["alt", "shift"], "8"), (["ctrl"], "u"), (["alt"], "x"), (["shift"], "d"),
    ([], "period"), ([], "KP_Decimal"), ([], "e"), ([], "s"), ([], "l"), ([], "x"), ([], "f"),
    ([], "u"), ([], "d"), ([], "Delete"), ([], "Left"), ([], "Right"), ([], "Up"), ([], "Down"),
    ([], "KP_Add"), ([], "KP_Subtract"), ([], "minus"), ([], "KP_Multiply"), ([], "KP_Divide"),
    ([], "slash"), ([], "Return"), ([], "KP_Enter"), ([], "space"), (["ctrl"], "F1"), ([], "F1"),
    (["ctrl"], "h"), ([], "Escape"), ([], "Tab"),
] + [([], str(d)) for d in range(10)] + [([], f"KP_{d}") for d in range(10)]
RPN_SWITCH = [(["ctrl"], "e"), (["ctrl"], "f")]

FINANCIAL_KEYS = [
    (["ctrl"], "F1"), ([], "F1"), (["ctrl"], "p"), (["ctrl"], "m"), ([], "Tab"),
    (["shift"], "Tab"), ([], "Return"), ([], "Up"), ([], "Down"), ([], "BackSpace"),
    ([], "Delete"), ([], "minus"), ([], "period"), ([], "comma"), ([], "space"), ([], "Escape"),
] + [([], str(d)) for d in range(10)]
FINANCIAL_SWITCH = [(["ctrl"], "e"), (["ctrl"], "r")]

# Control centres as fractions (x of the width, y of the height) of the client area.
EXPRESSION_SPOTS = [(0.4, 0.26), (0.4, 0.74), (0.96, 0.26), (0.96, 0.74), (0.1, 0.5)]

# RPN buttons: (column x, row y) of the design, measured from the window's bottom edge since
# the stack fields above the display come and go.
_RPN_W, _RPN_GROUPS = 302, 193
_RPN_COLUMNS = [6, 54, 102, 150]
_RPN_ROWS = [12, 42, 72, 102, 132, 162]
RPN_BUTTONS = [(g + c + 21, r + 12) for g, cols in ((0, 4), (199, 2))
               for c in _RPN_COLUMNS[:cols] for r in _RPN_ROWS]
RPN_SHOW_BUTTON = (199 + 6 + 21, 12 + 12)


def rpn_spot(geometry, button):
    """Client coordinates of an RPN button (design x, y inside the lower groups)."""
    _, _, w, h = geometry
    scale = w / _RPN_W
    return int(button[0] * scale), int(h - (_RPN_GROUPS - button[1]) * scale)


FINANCIAL_SPOTS = [  # design pixels of a 447 x 139 client area
    (75, 28), (202, 28), (362, 28), (68, 68), (206, 68), (362, 68),  # the six fields
    (70, 104), (70, 122), (224, 104), (224, 122),  # the four radio buttons
    (319, 100), (337, 94), (337, 106), (318, 123),  # periods box, arrows, topmost
    (100, 8), (300, 8), (260, 28), (130, 68),  # labels
]
FIN_W, FIN_H = 447, 139
FIN_FIELDS = FINANCIAL_SPOTS[:6]

# Typed lines of the expression calculator.
VALID_LINES = [
    "x = 2*pi; x^2", "a = 3; a*2", "f(a,b) = a-b", "f(10,3)", "g(x) = x^2+1", "g(g(2))",
    "sin(30)", "cos(pi)", "fact(20)", "comb(10,3)", "1/3+1/6", "2^63", "2^62*2", "gcd(12,18)",
    "lcm(4,6)", "mod(17,5)", "rand(10)", "sqrt(2)", "ln(e)", "log(1000)", "9223372036854775807",
    "123456789*987654321", "1e308*10", "-5", "+", "*2", "round(2.5)", "h(a,b,c,d,e) = a+b+c+d+e",
    "k(p,q,s) = p*q*s", "n0 = 1234567890123", "360", "1000000007", "99999999999973",
]
INVALID_LINES = [
    "(((", "2**", "sin(", "1/0", "fact(1000)", "$%&", "x = ", "= 3", "f(", "3 4", "pi = 3",
    "r = 1", "sqrt(-1)", "ln(0)", "))((", "a..b", "1e99999", "Del x", "note", "note !x",
    "\u00e9\u00e8 = 2", "del", "del ", "delete", "9223372036854775808", "comb(-1,2)",
]


def long_line(rng):
    parts = [str(rng.randint(0, 10 ** rng.randint(1, 18))) for _ in range(rng.randint(20, 60))]
    ops = "+-*/^"
    line = parts[0]
    for p in parts[1:]:
        line += rng.choice(ops) + p
    if rng.random() < 0.3:
        line = "(" * rng.randint(1, 40) + line
    return line[: rng.randint(80, 400)]


def note_line(rng, now_hm=None):
    minutes = rng.choice([0, 1, 1, 2, 3, 5, 30, 720, 721])
    text = rng.choice(["tea", "call", "standup", "x" * 60, "tea", "b" + str(rng.randint(0, 99))])
    form = rng.random()
    if form < 0.7:
        return f"note {minutes} {text}"
    if form < 0.85:
        return f"note {rng.randint(0, 25)}:{rng.randint(0, 61):02d} {text}"
    return f"note {rng.randint(1, 12)} {rng.choice(['am', 'pm'])} {text}"


def del_line(rng):
    target = rng.choice(["x", "a", "f", "g", "pi", "r", "e", "zz", "vars", "hist", "historic",
                         "12:00", "10:30:00", "tea", "n0", "h", "k"])
    return rng.choice(["del ", "delete "]) + target


def typed_line(rng):
    roll = rng.random()
    if roll < 0.4:
        return rng.choice(VALID_LINES)
    if roll < 0.6:
        return rng.choice(INVALID_LINES)
    if roll < 0.7:
        return long_line(rng)
    if roll < 0.88:
        return note_line(rng)
    return del_line(rng)


def fin_text(rng):
    return rng.choice(["1000", "12", "-100", "1.5", "0", "abc", "1e400", "-0", "99999999999",
                       "0.0001", "1,5", "", "12.5.3", "-"])

#!/usr/bin/env python3
"""The python peer of the line benchmark: each standard-input line evaluated and printed."""

import sys
from math import *  # noqa: F401,F403 (the lines call sqrt, exp, log, sin, cos)

for line in sys.stdin:
    print(eval(line))

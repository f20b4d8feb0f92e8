"""Every test ctest knows runs through tests/support/run-with-own-home.sh.

Reads the test lists CMake and gtest_discover_tests wrote into the build folder and fails
for any test whose command starts with something else: a new add_test that bypasses
vellumwise_add_test or vellumwise_add_command_test would read the reader's own folders.
Usage: check-own-home.py BUILD_DIR WRAPPER
"""

import pathlib
import re
import sys

ADD_TEST = re.compile(r'^add_test\(\s*\[=\[(?P<name>.*?)\]=\]\s+"?(?P<command>[^"\s]+)')


def in_nested_build(path, build):
    """Whether path belongs to another build folder inside this one (make fuzz's)."""
    folder = path.parent
    while folder != build:
        if (folder / "CMakeCache.txt").exists():
            return True
        folder = folder.parent
    return False


def main():
    build, wrapper = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]).resolve()
    lists = [path for path in [*build.rglob("CTestTestfile.cmake"), *build.rglob("*_tests.cmake")]
             if not in_nested_build(path, build)]
    names, bypassing = 0, []
    for path in lists:
        for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
            match = ADD_TEST.match(line.strip())
            if not match:
                continue
            names += 1
            if pathlib.Path(match["command"]).resolve() != wrapper:
                bypassing.append(f"{match['name']} ({path.relative_to(build)})")
    for test in bypassing:
        print(f"FAIL: {test} runs without a home of its own")
    if names == 0:
        print(f"FAIL: no tests found below {build}")
        return 1
    print(f"{names - len(bypassing)} of {names} tests run with a home of their own")
    return 1 if bypassing else 0


if __name__ == "__main__":
    sys.exit(main())

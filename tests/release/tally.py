"""The pass/fail count the release checks share: a failed check is printed at once."""


class Tally:
    def __init__(self):
        self.passed = 0
        self.failures = []

    def check(self, condition, what):
        if condition:
            self.passed += 1
        else:
            self.failures.append(what)
            print('FAIL:', what)

    def report(self):
        """Prints the count; returns the exit code."""
        print('%d passed, %d failed' % (self.passed, len(self.failures)))
        return 1 if self.failures else 0

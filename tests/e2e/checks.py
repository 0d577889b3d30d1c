"""The failure every whole-program test script raises when a check fails."""


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)

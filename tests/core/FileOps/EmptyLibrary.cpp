// A shared library with nothing in it, loaded in place of a real one.

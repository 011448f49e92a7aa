"""Drawing and encoding of the library's binary resources (see gen_resources.py)."""

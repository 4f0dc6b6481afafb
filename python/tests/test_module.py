"""The module as a script's author meets it: the stubs an editor completes from say what the
module holds, and help() has something to say about everything."""

import ast
import os
import re

import kestrel

STUBS = os.path.join(os.path.dirname(__file__), "..", "kestrel.pyi")


def stub_classes():
    """{class: {member: [parameter names] or None for an attribute}} from the stubs."""
    tree = ast.parse(open(STUBS).read())
    classes = {}
    for node in tree.body:
        if isinstance(node, ast.ClassDef):
            members = {}
            for item in node.body:
                if isinstance(item, ast.FunctionDef):
                    args = item.args.args + item.args.kwonlyargs
                    members[item.name] = [a.arg for a in args if a.arg != "self"]
                elif isinstance(item, ast.AnnAssign):
                    members[item.target.id] = None
            classes[node.name] = members
    return classes


def parameters(function):
    """The parameter names pybind11 writes in the first line of a function's docstring."""
    signature = function.__doc__.split("\n", 1)[0]
    inside = signature[signature.index("(") + 1 : signature.rindex(")")]
    names = re.findall(r"(?:^|, )\*?(\w+)(?=:|$|,)", inside)
    return [n for n in names if n != "self"]


def public(cls):
    return {name for name in vars(cls) if not name.startswith("_")}


def test_the_stubs_name_what_the_module_holds():
    stubs = stub_classes()
    module = {n for n in dir(kestrel) if not n.startswith("_") and isinstance(getattr(kestrel, n), type)}
    assert set(stubs) == module
    for name, members in stubs.items():
        cls = getattr(kestrel, name)
        if issubclass(cls, Exception):
            continue  # their attributes are set when raised
        assert {m for m in members if not m.startswith("_")} == public(cls), name
        for member, names in members.items():
            function = getattr(cls, member)
            if names is not None and callable(function) and not member.startswith("__"):
                assert parameters(function) == names, f"{name}.{member}"


def test_everything_public_has_a_docstring():
    for name in dir(kestrel):
        if name.startswith("_") or not isinstance(getattr(kestrel, name), type):
            continue
        cls = getattr(kestrel, name)
        assert cls.__doc__, name
        for member in public(cls):
            attribute = vars(cls)[member]
            doc = (attribute.__doc__ or "").strip()
            if not isinstance(attribute, property):
                # pybind11 starts a method's docstring with its signature: more than that is asked.
                doc = doc.partition("\n")[2].strip()
            assert doc, f"{name}.{member}"

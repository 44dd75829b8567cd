#!/usr/bin/env python3
"""Compares the declarations of the installed headers with the DLL's export table.

    sdk-declarations.py INCLUDE_DIR DLL

Parses every header under INCLUDE_DIR with clang for the DLL's target and collects the
functions and variables they declare without defining (what a program that includes
them links against). Each must be exported by DLL; and each name DLL exports must be
declared by the headers, or belong to a class they declare. Prints what is wrong; exit
code 1 then. Needs clang++, the mingw-w64 headers and the target's objdump and c++filt.
"""
import glob
import json
import os
import subprocess
import sys
import tempfile

TARGET = "x86_64-w64-mingw32"
GCC_ROOT = os.environ.get("PALLAWICK_MINGW_GCC", "/usr/lib/gcc/x86_64-w64-mingw32/12-posix")


def run(command, **kwargs):
    return subprocess.run(command, check=True, capture_output=True, text=True, **kwargs).stdout


def demangle(names):
    if not names:
        return {}
    out = run([f"{TARGET}-c++filt"], input="\n".join(names) + "\n").splitlines()
    return dict(zip(names, out))


def exported_names(dll):
    dump = run([f"{TARGET}-objdump", "-p", dll])
    names, inside = [], False
    for line in dump.splitlines():
        if line.startswith("[Ordinal/Name Pointer] Table"):
            inside = True
            continue
        if inside and not line.strip():
            break
        if inside:
            names.append(line.split()[-1])
    return names


class Collector:
    """Walks clang's JSON AST in order, following the file of each location."""

    def __init__(self, include_dir):
        self.include_dir = os.path.realpath(include_dir)
        self.file = ""
        self.needed = {}     # mangled name -> where declared, for out-of-line declarations
        self.declared = set()  # every declared function or variable name, inline included
        self.classes = set()

    def follow(self, location):
        if isinstance(location, dict):
            if "file" in location:
                self.file = location["file"]
            for key, value in location.items():
                # includedFrom names the including file without moving clang's "last file".
                if isinstance(value, dict) and key != "includedFrom":
                    self.follow(value)

    def ours(self, path):
        return os.path.realpath(path).startswith(self.include_dir + os.sep)

    def walk(self, node, scope):
        self.follow(node.get("loc", {}))
        here = self.file
        self.follow(node.get("range", {}))
        kind = node.get("kind", "")
        name = node.get("name", "")
        inner_scope = scope
        if kind in ("CXXRecordDecl", "ClassTemplateDecl") and name:
            inner_scope = scope + [name]
            if self.ours(here) and node.get("completeDefinition"):
                self.classes.add("::".join(inner_scope))
        elif kind == "NamespaceDecl":
            inner_scope = scope + [name]
        elif kind in ("FunctionTemplateDecl", "ClassTemplateSpecializationDecl",
                      "ClassTemplatePartialSpecializationDecl"):
            return
        elif self.ours(here):
            self.classify(node, kind, scope)
        for child in node.get("inner", []):
            if isinstance(child, dict):
                self.walk(child, inner_scope)

    def classify(self, node, kind, scope):
        mangled = node.get("mangledName")
        if not mangled or node.get("isImplicit"):
            return
        functions = ("FunctionDecl", "CXXMethodDecl", "CXXConstructorDecl",
                     "CXXDestructorDecl", "CXXConversionDecl")
        if kind in functions:
            self.declared.add(mangled)
            has_body = any(c.get("kind") == "CompoundStmt" for c in node.get("inner", []))
            if (has_body or node.get("inline") or node.get("constexpr") or node.get("pure")
                    or node.get("explicitlyDefaulted") or node.get("explicitlyDeleted")):
                return
            self.needed[mangled] = self.file
        elif kind == "VarDecl":
            self.declared.add(mangled)
            member = bool(scope) and node.get("storageClass") == "static"
            extern = node.get("storageClass") == "extern"
            if (member or extern) and not node.get("constexpr") and not node.get("inline"):
                if not any(c.get("kind", "").endswith("Expr") for c in node.get("inner", [])):
                    self.needed[mangled] = self.file


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    include_dir, dll = sys.argv[1], sys.argv[2]
    # Every header but the umbrella, which adds only the system headers' declarations.
    headers = sorted(glob.glob(os.path.join(include_dir, "*", "*.h")) +
                     [h for h in glob.glob(os.path.join(include_dir, "*.h"))
                      if os.path.basename(h) != "PallawickHook.h"])
    with tempfile.TemporaryDirectory() as scratch:
        unit = os.path.join(scratch, "all_headers.cpp")
        with open(unit, "w") as file:
            for header in headers:
                file.write(f'#include <PallawickHook/{os.path.relpath(header, include_dir)}>\n')
        command = ["clang++", f"--target={TARGET}", "-std=c++20", "-fsyntax-only",
                   "-nostdinc++", "-isystem", f"{GCC_ROOT}/include/c++",
                   "-isystem", f"{GCC_ROOT}/include/c++/{TARGET}",
                   "-isystem", f"{GCC_ROOT}/include/c++/backward",
                   "-DUNICODE", "-D_UNICODE", "-I", os.path.dirname(include_dir),
                   "-Xclang", "-ast-dump=json", unit]
        ast = json.loads(run(command))
    collector = Collector(include_dir)
    collector.walk(ast, [])

    exports = exported_names(dll)
    names = demangle(sorted(set(exports) | set(collector.needed) | collector.declared))
    exported = {names[name] for name in exports}
    status = 0

    missing = sorted(names[m] for m in collector.needed if names[m] not in exported)
    for name in missing:
        print(f"declared by the headers but not exported: {name}")

    declared = {names[name] for name in collector.declared}
    for name in exports:
        readable = names[name]
        if readable in declared:
            continue
        # Vtables, type information and members the compiler made for an exported class.
        owner = readable
        for prefix in ("vtable for ", "typeinfo for ", "typeinfo name for "):
            if owner.startswith(prefix):
                owner = owner[len(prefix):] + "::"
        owner = owner.split("(")[0].rsplit("::", 1)[0]
        if name.startswith("_Z") and owner in collector.classes:
            continue
        print(f"exported but declared by no header: {readable}")
        status = 1
    if missing:
        status = 1
    if status == 0:
        print(f"sdk-declarations: {len(collector.needed)} declarations of {len(headers)} headers "
              f"all exported; all {len(exports)} exports declared")
    return status


if __name__ == "__main__":
    sys.exit(main())

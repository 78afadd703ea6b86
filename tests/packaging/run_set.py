#!/usr/bin/python3
"""Checks that the [run] set of scripts/packages.txt brings in every Debian package whose files
building and starting the program use.

The files: the CMake files read by a configure without the tests (as scripts/run.sh configures),
the headers in the compiler's dependency files of the program's target and the libraries it is
built from, the libraries it links, the tools (compiler, CMake, build tool, moc, rcc), the shared
libraries the program loads, its X11 and Wayland platform plugins and the font files of the faces
the windows draw with. Each file's package must be in the set or among the packages the set
depends on, as apt-get install --no-install-recommends would bring them in.

  run_set.py --source DIR --build DIR --generator NAME --program FILE --platforms DIR TOOL...
"""

import argparse
import glob
import json
import os
import re
import subprocess
import sys
import tempfile

# The faces the windows draw with (runtime/style.cpp), as fontconfig names them.
FONTS = ["Liberation Serif:bold", "Dancing Script"]
# The platform plugins the program loads on X11 and on Wayland.
PLATFORM_PLUGINS = ["libqxcb.so", "libqwayland-generic.so"]


def run(command, **kwargs):
    return subprocess.run(command, check=True, capture_output=True, text=True, **kwargs).stdout


def run_set(source):
    command = 'source scripts/common.sh && list_packages run'
    return set(run(["bash", "-c", command], cwd=source).split())


def installed_packages():
    """Returns {package: [dependency groups]} and {virtual name: [providers]} of the installed
    packages."""
    fields = "${db:Status-Abbrev}\t${Package}\t${Pre-Depends}, ${Depends}\t${Provides}\n"
    depends, providers = {}, {}
    for line in run(["dpkg-query", "-W", "-f", fields]).splitlines():
        status, package, relations, provides = line.split("\t")
        if not status.startswith("ii"):
            continue
        groups = depends.setdefault(package, [])
        for group in relations.split(","):
            names = [re.sub(r"[\s(:].*", "", name.strip()) for name in group.split("|")]
            if any(names):
                groups.append([name for name in names if name])
        for provided in provides.split(","):
            name = re.sub(r"[\s(:].*", "", provided.strip())
            if name:
                providers.setdefault(name, []).append(package)
    return depends, providers


def closure(roots, depends, providers):
    """Returns the packages apt would install for roots, given what this machine has installed:
    each dependency satisfied by its first alternative that is installed here."""
    seen, todo = set(), list(roots)
    while todo:
        package = todo.pop()
        if package in seen:
            continue
        seen.add(package)
        for group in depends.get(package, []):
            for name in group:
                chosen = [name] if name in depends else providers.get(name, [])
                if chosen:
                    todo.extend(chosen)
                    break
    return seen


def path_variants(path):
    """Returns the names dpkg may know a file by: as given, resolved, with and without /usr."""
    variants = []
    for candidate in (path, os.path.realpath(path)):
        variants.append(candidate)
        if re.match(r"/usr/(lib|lib64|bin|sbin)/", candidate):
            variants.append(candidate[len("/usr"):])
        elif re.match(r"/(lib|lib64|bin|sbin)/", candidate):
            variants.append("/usr" + candidate)
    return list(dict.fromkeys(variants))


def owners(paths):
    """Returns {path: set of packages owning it} for the paths dpkg knows."""
    variants = {path: path_variants(path) for path in paths}
    names = sorted({variant for path in paths for variant in variants[path]})
    owned = {}
    # dpkg-query -S exits non-zero when a name is owned by no package; the others still print.
    for start in range(0, len(names), 500):
        result = subprocess.run(["dpkg-query", "-S", *names[start:start + 500]],
                                capture_output=True, text=True)
        for line in result.stdout.splitlines():
            if line.startswith("diversion ") or ": " not in line:
                continue
            packages, name = line.split(": ", 1)
            owned.setdefault(name, set()).update(
                package.strip().split(":")[0] for package in packages.split(","))
    return {path: set().union(*(owned.get(variant, set()) for variant in variants[path]))
            for path in paths}


def configure_without_tests(source, generator, work):
    """Configures the program as scripts/run.sh does and returns the file API's replies."""
    query = os.path.join(work, ".cmake", "api", "v1", "query")
    os.makedirs(query)
    for kind in ("codemodel-v2", "cmakeFiles-v1"):
        open(os.path.join(query, kind), "w").close()
    run(["cmake", "-S", source, "-B", work, "-G", generator, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
         "-DBUILD_TESTING=OFF"])
    reply = os.path.join(work, ".cmake", "api", "v1", "reply")
    index = json.load(open(glob.glob(os.path.join(reply, "index-*.json"))[0]))
    files = {}
    for entry in index["objects"]:
        files[entry["kind"]] = json.load(open(os.path.join(reply, entry["jsonFile"])))
    return reply, files["codemodel"], files["cmakeFiles"]


def program_targets(reply, codemodel):
    """Returns the program's target and every target it is built from, as file API objects."""
    configuration = codemodel["configurations"][0]
    by_id = {target["id"]: target for target in configuration["targets"]}
    details = {}
    todo = [t["id"] for t in configuration["targets"]
            if t["name"] == "helmira-geometric-calculator"]
    while todo:
        target_id = todo.pop()
        if target_id in details:
            continue
        details[target_id] = json.load(open(os.path.join(reply, by_id[target_id]["jsonFile"])))
        todo.extend(d["id"] for d in details[target_id].get("dependencies", []))
    return list(details.values())


def ninja_dependencies(build):
    """Returns {object file: [its headers and sources]} from ninja's record: ninja reads the
    compiler's dependency files into it and deletes them."""
    record, output = {}, None
    for line in run(["ninja", "-C", build, "-t", "deps"]).splitlines():
        if not line.strip():
            output = None
        elif line.startswith(" "):
            record[output].append(line.strip())
        else:
            output = line.split(": #deps")[0]
            record[output] = []
    return record


def dependency_file_paths(build, targets):
    """Returns the headers and sources in the compiler's dependency files of the targets' objects
    in the build directory."""
    paths = set()
    ninja = ninja_dependencies(build) if os.path.exists(os.path.join(build, "build.ninja")) else {}
    for target in targets:
        if target["type"] not in ("EXECUTABLE", "STATIC_LIBRARY", "SHARED_LIBRARY"):
            continue
        objects = os.path.normpath(os.path.join(target["paths"]["build"], "CMakeFiles",
                                                target["name"] + ".dir"))
        found = [deps for output, deps in ninja.items() if output.startswith(objects + "/")]
        for depfile in glob.glob(os.path.join(build, objects, "**", "*.o.d"), recursive=True):
            text = open(depfile).read().replace("\\\n", " ")
            found.append([])
            for rule in text.split("\n"):
                _, _, prerequisites = rule.partition(": ")
                found[-1] += re.split(r"(?<!\\)\s+", prerequisites.strip())
        if not found:
            sys.exit(f"run_set.py: no dependency files of {objects}: build the program first")
        paths.update(path.replace("\\ ", " ") for deps in found for path in deps if path)
    return paths


def linked_libraries(targets):
    paths = set()
    for target in targets:
        for fragment in target.get("link", {}).get("commandFragments", []):
            if fragment["role"] == "libraries" and fragment["fragment"].startswith("/"):
                paths.add(fragment["fragment"])
    return paths


def loaded_libraries(program):
    return set(re.findall(r"=> (/\S+)", run(["ldd", program])))


def font_files():
    paths = set()
    for font in FONTS:
        family, path = run(["fc-match", "-f", "%{family[0]}\t%{file}", font]).split("\t")
        if family.lower() != font.split(":")[0].lower():
            sys.exit(f"run_set.py: fontconfig has no {font} (it offers {family}); "
                     "install the [run] set of scripts/packages.txt")
        paths.add(path)
    return paths


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--generator", required=True)
    parser.add_argument("--program", required=True)
    parser.add_argument("--platforms", required=True)
    parser.add_argument("tools", nargs="+")
    args = parser.parse_args()
    source, build = os.path.realpath(args.source), os.path.realpath(args.build)

    wanted = run_set(source)
    depends, providers = installed_packages()
    not_installed = sorted(wanted - depends.keys())
    if not_installed:
        sys.exit(f"run_set.py: not installed, so not checked: {' '.join(not_installed)}")
    brought_in = closure(wanted, depends, providers)

    with tempfile.TemporaryDirectory(prefix="helmira-run-set.") as work:
        reply, codemodel, cmake_files = configure_without_tests(source, args.generator, work)
        targets = program_targets(reply, codemodel)
        used = {os.path.join(source, entry["path"]) if not os.path.isabs(entry["path"])
                else entry["path"] for entry in cmake_files["inputs"]}
    used |= dependency_file_paths(build, targets)
    used |= linked_libraries(targets)
    used |= loaded_libraries(args.program)
    used |= {os.path.join(args.platforms, plugin) for plugin in PLATFORM_PLUGINS}
    used |= font_files()
    used |= {os.path.realpath(tool) for tool in args.tools}
    # Files of this repository and of the build are the program's own.
    used = {os.path.normpath(os.path.join(build, p)) for p in used}
    used = {p for p in used if not p.startswith((source + "/", build + "/", work + "/"))}

    failures = []
    for path, packages in sorted(owners(used).items()):
        if not os.path.exists(path):
            failures.append(f"{path}: not on this machine")
        elif not packages:
            failures.append(f"{path}: no Debian package has it")
        elif not packages & brought_in:
            failures.append(f"{path}: from {', '.join(sorted(packages))}, "
                            "which the [run] set does not bring in")
    print(f"{len(used)} files used by the program's build and start, from {len(wanted)} "
          f"packages of the [run] set and {len(brought_in) - len(wanted)} they bring in")
    if failures:
        print("The [run] set of scripts/packages.txt misses what these need:", *failures,
              sep="\n  ", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

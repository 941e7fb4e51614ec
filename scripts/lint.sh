#!/usr/bin/env bash
# Static analysis of the project's own code: clang-tidy over the compile commands of
# both builds (the Windows one through clang's MinGW target), then cppcheck.
# Exits non-zero on any finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" lint
"$root/scripts/build.sh" native >/dev/null
"$root/scripts/build.sh" win >/dev/null
jobs=$(nproc)
# The release's default clang, whatever its version.
clangxx=$(command -v clang++) || { echo "lint: no clang++ on the PATH" >&2; exit 1; }
clang_tidy=$(command -v clang-tidy) || { echo "lint: no clang-tidy on the PATH" >&2; exit 1; }
gcc_cxx=/usr/lib/gcc/x86_64-w64-mingw32/$(x86_64-w64-mingw32-g++-posix -dumpversion)/include/c++

# clang knows neither code page 936 for literals nor g++'s sanitizer spellings; the
# Windows build's compiler becomes clang with the MinGW target and g++'s C++ headers.
python3 - "$root" "$gcc_cxx" "$clangxx" <<'PY'
import json, os, shlex, sys
root, gcc_cxx, clangxx = sys.argv[1], sys.argv[2], sys.argv[3]
drop = ("-fexec-charset=", "-finput-charset=", "-fsanitize", "-fno-sanitize")
for kind in ("native", "win"):
    entries = json.load(open(f"{root}/build/{kind}/compile_commands.json"))
    kept = []
    for e in entries:
        f = os.path.realpath(e["file"])
        if not f.startswith(root + "/") or f.startswith(root + "/build/") or "/tests/fuzz/" in f:
            continue
        args = [a for a in shlex.split(e["command"])[1:] if not a.startswith(drop)]
        if kind == "win":
            args = ["--target=x86_64-w64-mingw32", "-isystem", gcc_cxx,
                    "-isystem", gcc_cxx + "/x86_64-w64-mingw32"] + args
        e["command"] = " ".join([clangxx] + [shlex.quote(a) for a in args])
        kept.append(e)
    os.makedirs(f"{root}/build/lint/{kind}", exist_ok=True)
    json.dump(kept, open(f"{root}/build/lint/{kind}/compile_commands.json", "w"), indent=1)
    open(f"{root}/build/lint/{kind}/files", "w").write("\n".join(sorted({e["file"] for e in kept})))
PY

status=0
for kind in native win; do
  log="$root/build/lint/$kind/clang-tidy.log"
  echo "clang-tidy: $kind build, $(wc -l < "$root/build/lint/$kind/files") files"
  if ! xargs -P "$jobs" -n 4 "$clang_tidy" --quiet -p "$root/build/lint/$kind" \
       < "$root/build/lint/$kind/files" > "$log" 2>&1; then
    status=1
    grep -E -A3 '(warning|error): ' "$log" | head -300
  fi
done

# The tests are clang-tidy's alone: cppcheck does not know GoogleTest's macros. Newer
# cppchecks (Debian 13's) also note, as information, where they limit their branch
# analysis as older ones do silently; that notice is no finding.
echo "cppcheck"
if ! cppcheck --quiet --std=c++17 --language=c++ --enable=warning,performance,portability \
       --inline-suppr --error-exitcode=1 --suppress=missingIncludeSystem --suppress=normalCheckLevelMaxBranches \
       --suppress=*:/usr/* -I "$root" -D_WIN32 -D_WIN64 -D__MINGW32__ \
       "$root/app" "$root/classlib" "$root/controls" "$root/fees" "$root/harness" "$root/tools"; then
  status=1
fi
[ $status -eq 0 ] && echo "static analysis: clean"
exit $status

#!/bin/bash
# Rewrites the sample chore files with the program's own save code.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-$here/../build/native}"
cmake --build "$build" --target make_sample
"$build/sample/make_sample" "$here"
echo "wrote $here/_TolvaneChores.xml and $here/_TolvaneChoreLists.xml"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a model-layer source that includes a header of the object kinds and
# passes only when that build fails because the header cannot be found.
set -uo pipefail
if output=$(cmake --build "$1" --target wrong_layer_include 2>&1); then
    echo "the model layer could include objects/ObjektLambert.h" >&2
    exit 1
fi
if ! grep -q 'objects/ObjektLambert.h: No such file' <<<"$output"; then
    echo "the build failed for another reason:" >&2
    echo "$output" >&2
    exit 1
fi
echo "the wrong include fails to build, as it should"

// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property is a finding: report it and abort, so that libFuzzer
// keeps the input.
inline void check(bool holds, const char *property)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

#pragma once

// Ends the fuzz run with the broken invariant named, so that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>
#include <string>

inline void RequireConsistent(const std::string& problem)
{
    if (problem.empty()) return;
    std::fprintf(stderr, "inconsistent record: %s\n", problem.c_str());
    std::abort();
}

inline void Require(bool condition, const char* what)
{
    RequireConsistent(condition ? std::string() : std::string(what));
}

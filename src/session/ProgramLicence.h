#pragma once

// What both programs print for --version beneath their name and version: the copyright
// holder and the licence, as the package's copyright file names them.

#include <string>
#include <string_view>

inline constexpr std::string_view LicenceLines = "Copyright (C) 2026 The Vesko3 developers\n"
                                                 "License GPL-3.0-or-later: GNU GPL version 3 or later "
                                                 "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                                                 "This is free software: you are free to change and redistribute it.\n"
                                                 "There is NO WARRANTY, to the extent permitted by law.\n";

// "program version" and the licence lines, each ending in "\n".
inline std::string VersionText(std::string_view program, std::string_view version)
{
    return std::string(program) + " " + std::string(version) + "\n" + std::string(LicenceLines);
}

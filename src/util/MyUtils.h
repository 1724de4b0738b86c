#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The program's folder followed by a file or folder name. The folder is passed in, not
// looked up, so that tests can stand a temporary folder in for the program's own.
std::filesystem::path ExeFolderPath(const std::filesystem::path& programFolder, std::u16string_view name);

// The value of the leading decimal digits of the text after trimming codes 0 to 32 at both
// ends: "" and "abc" give 0, "12ab" gives 12, "-3" and "+3" give 0. A run too large for
// 32 bits gives 2147483647, so that callers clamping to a maximum clamp it too.
std::int32_t LeadingNumber(std::u16string_view text);

constexpr std::int32_t MaxOf(std::int32_t a, std::int32_t b)
{
    return a > b ? a : b;
}

// Decimal text of value right-aligned in width with the leading blanks turned into zeros:
// (1, 2) gives "01", (2007, 4) gives "2007", (123, 2) gives "123".
std::u16string ZeroPad(std::int32_t value, int width);

// Plain decimal text of a number, as lists and counts show it.
std::u16string DecimalText(std::int64_t value);

// Removes characters with codes 0 to 32 at both ends, as the settings and the lists trim.
std::u16string_view TrimControlAndBlank(std::u16string_view text);

// Whether a font named name is among the installed faces, both trimmed of blanks and
// control characters at their ends; exact and case-sensitive. The window passes the
// platform's list, tests their own.
bool IsFontInstalled(const std::vector<std::u16string>& installedFaces, std::u16string_view name);

// The installed faces that stand in for the Windows face "한컴바탕", "바탕" or "굴림" where it
// is missing, best first; empty for other names. For the serif names the first covers the
// texts and the later ones hold what it lacks.
std::vector<std::u16string> FaceSubstitutes(std::u16string_view face);

// The face of the text editors: "한컴바탕" if installed, else "바탕" if it or its first
// substitute is installed, else "굴림".
std::u16string ChooseTextFont(const std::vector<std::u16string>& installedFaces);

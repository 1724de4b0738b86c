#pragma once

// The language the tool speaks: its help, usage and messages are Korean under a Korean
// locale and English under any other, from one table of the tool's phrases in both
// languages. What the tool prints as data never passes through here, so it is the same
// under every locale.

#include <string>
#include <string_view>

// Whether the locale asks for Korean: the first set of LC_ALL, LC_MESSAGES and LANG starts
// with "ko" (on Windows, the user's locale is Korean). Decided once per run.
bool ToolSpeaksKorean();

// text in the locale's language. text is a phrase of the table in either language, where a
// "%1" to "%9" of the phrase stands for anything (a path, a number, an option, a phrase of
// the table in its turn); a text the table lacks is returned as it is.
std::u16string Localized(std::u16string_view text);
std::string Localized(std::string_view utf8);
std::string Localized(const char* utf8);

// For tests: the same with the language given.
std::u16string LocalizedIn(bool korean, std::u16string_view text);

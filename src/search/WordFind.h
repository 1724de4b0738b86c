#pragma once

// Finding one word in a shown text by the search's own rules: the matcher steps over the
// characters it skips for the text's family, and a Chinese text may match variant forms.

#include "search/Matcher.h"
#include "search/SearchHit.h"

#include <string_view>
#include <vector>

// Every occurrence of word in text, from its first character to one past its last, in text
// order. family: 0 Korean, 1 고려대장경, 2 신수대장경. The word is cleaned as a memo line of
// that canon first; an empty word finds nothing.
std::vector<THighlightRun> FindWordInText(const TVariantFiles& variants, std::u16string_view text,
                                          std::u16string_view word, int family, bool sameCharacter);

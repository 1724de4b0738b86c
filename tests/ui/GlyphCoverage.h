#pragma once

// Which face draws each character of a set of texts, as the window's editors lay them out:
// the primary face of a font, one of the faces the platform falls back to, or none (an
// empty box).

#include <QFont>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <map>

// Character -> number of occurrences.
using TCharacterCounts = std::map<char32_t, std::int64_t>;

struct TGlyphCoverage
{
    QString PrimaryFace;
    TCharacterCounts Missing;                   // drawn by no face
    std::map<QString, TCharacterCounts> Fallen; // drawn by a face other than the primary one
};

// Every character of the corpus's texts (Korean translation, its subject and summary, and
// both Chinese editions), without line breaks and other control characters.
TCharacterCounts CorpusCharacters(const std::filesystem::path& corpus);

TGlyphCoverage MeasureGlyphCoverage(const QFont& font, const TCharacterCounts& characters);

std::int64_t Occurrences(const TCharacterCounts& characters);

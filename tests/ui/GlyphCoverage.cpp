#include "GlyphCoverage.h"

#include <QFile>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <numeric>

namespace {

void CountText(const QString& text, TCharacterCounts& counts)
{
    for (char32_t c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category != QChar::Other_Control && category != QChar::Separator_Line &&
            category != QChar::Separator_Paragraph)
            ++counts[c];
    }
}

} // namespace

TCharacterCounts CorpusCharacters(const std::filesystem::path& corpus)
{
    TCharacterCounts counts;
    for (const char* folder : {"han", "han-subject", "han-summary", "kor", "sinsu"}) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(corpus / folder, error)) {
            QFile file(QString::fromStdU16String(entry.path().u16string()));
            if (file.open(QIODevice::ReadOnly)) CountText(QString::fromUtf8(file.readAll()), counts);
        }
    }
    return counts;
}

TGlyphCoverage MeasureGlyphCoverage(const QFont& font, const TCharacterCounts& characters)
{
    TGlyphCoverage coverage;
    coverage.PrimaryFace = QFontInfo(font).family();
    for (const auto& [c, count] : characters) {
        // One layout per character: the glyph runs tell the face of each glyph but not, in
        // this Qt, which character it came from.
        QTextLayout layout(QString::fromUcs4(&c, 1), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        bool missing = false;
        QString face = coverage.PrimaryFace;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const QList<quint32> glyphs = run.glyphIndexes();
            missing = missing || glyphs.isEmpty() || glyphs.contains(0u);
            // The face's own name table may spell the family in another case.
            if (run.rawFont().familyName().compare(coverage.PrimaryFace, Qt::CaseInsensitive) != 0)
                face = run.rawFont().familyName();
        }
        if (missing)
            coverage.Missing[c] = count;
        else if (face != coverage.PrimaryFace)
            coverage.Fallen[face][c] = count;
    }
    return coverage;
}

std::int64_t Occurrences(const TCharacterCounts& characters)
{
    return std::accumulate(characters.begin(), characters.end(), std::int64_t(0),
                           [](std::int64_t sum, const auto& entry) { return sum + entry.second; });
}

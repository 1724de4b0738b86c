// The editors' face over the shared corpus's characters, with the platform's real fonts.

#include "GlyphCoverage.h"

#include "util/MyUtils.h"
#include "util/TextCodec.h"
#include "window/TextFonts.h"

#include <gtest/gtest.h>

namespace {

std::string Listed(const TCharacterCounts& characters)
{
    QString list;
    for (const auto& [c, count] : characters)
        list += QString::fromUcs4(&c, 1) + QString(" U+%1, ").arg(c, 4, 16, QChar('0'));
    return list.toStdString();
}

} // namespace

TEST(TextFonts, DrawEveryCorpusCharacterAndTheBasicPlaneFromTheChosenFace)
{
    const std::filesystem::path corpus = VESKO3_CORPUS_DIR;
    if (!std::filesystem::is_directory(corpus / "kor")) GTEST_SKIP() << "no corpus at " << corpus;
    const std::vector<std::u16string> faces = InstalledFontFaces();
    for (const std::u16string& face : FaceSubstitutes(u"바탕"))
        if (!IsFontInstalled(faces, face)) GTEST_SKIP() << Utf16ToUtf8(face) << " is not installed";

    RegisterFontSubstitutions();
    QFont font(ToQString(ChooseTextFont(faces)));
    font.setPixelSize(16);
    const TGlyphCoverage coverage = MeasureGlyphCoverage(font, CorpusCharacters(corpus));

    EXPECT_TRUE(coverage.Missing.empty()) << "no glyph for " << Listed(coverage.Missing);
    // A basic-plane character from another face changes style and line height mid-text.
    for (const auto& [face, characters] : coverage.Fallen) {
        TCharacterCounts basic(characters.begin(), characters.lower_bound(0x10000));
        EXPECT_TRUE(basic.empty()) << face.toStdString() << " draws " << Listed(basic);
    }
}

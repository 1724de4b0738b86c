// font_coverage [--face NAME] [CORPUS]: how the editors' face draws the corpus's characters.
// Without --face it takes the face the window chooses; the corpus defaults to the shared one.

#include "GlyphCoverage.h"

#include "util/MyUtils.h"
#include "util/TextCodec.h"
#include "window/TextFonts.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

QString CharacterList(const TCharacterCounts& characters, std::size_t limit)
{
    QString list;
    for (const auto& [c, count] : characters) {
        if (limit-- == 0) return list + " ...";
        list += QString::fromUcs4(&c, 1) + QString(" U+%1 (%2)  ").arg(c, 4, 16, QChar('0')).toUpper().arg(count);
    }
    return list;
}

void Print(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    RegisterFontSubstitutions();

    QString face = ToQString(ChooseTextFont(InstalledFontFaces()));
    std::filesystem::path corpus = VESKO3_CORPUS_DIR;
    QStringList arguments = QGuiApplication::arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--face" && i + 1 < arguments.size())
            face = arguments[++i];
        else
            corpus = arguments[i].toStdU16String();
    }

    const TCharacterCounts characters = CorpusCharacters(corpus);
    if (characters.empty()) {
        Print("no texts in " + QString::fromStdU16String(corpus.u16string()));
        return 1;
    }
    QFont font(face);
    font.setPixelSize(16);
    const TGlyphCoverage coverage = MeasureGlyphCoverage(font, characters);
    Print(QString("face: %1, drawn by %2").arg(face, coverage.PrimaryFace));
    Print(QString("characters: %1 distinct, %2 occurrences").arg(characters.size()).arg(Occurrences(characters)));
    Print(QString("no glyph: %1 distinct, %2 occurrences  %3")
              .arg(coverage.Missing.size())
              .arg(Occurrences(coverage.Missing))
              .arg(CharacterList(coverage.Missing, 20)));
    for (const auto& [fallen, fallenCharacters] : coverage.Fallen)
        Print(QString("from the fall-back %1: %2 distinct, %3 occurrences  %4")
                  .arg(fallen)
                  .arg(fallenCharacters.size())
                  .arg(Occurrences(fallenCharacters))
                  .arg(CharacterList(fallenCharacters, 8)));
    return 0;
}

#include "window/TextFonts.h"

#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void RegisterFontSubstitutions()
{
    static const bool registered = [] {
        for (std::u16string_view face : {u"한컴바탕", u"바탕", u"굴림"}) {
            QStringList substitutes;
            for (const std::u16string& substitute : FaceSubstitutes(face))
                substitutes.push_back(ToQString(substitute));
            QFont::insertSubstitutions(ToQString(face), substitutes);
        }
        return true;
    }();
    (void)registered;
}

std::vector<std::u16string> InstalledFontFaces()
{
    std::vector<std::u16string> faces;
    for (const QString& family : QFontDatabase::families())
        faces.push_back(family.toStdU16String());
    return faces;
}

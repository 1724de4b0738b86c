#include "util/MyUtils.h"

#include <algorithm>

std::vector<std::u16string> FaceSubstitutes(std::u16string_view face)
{
    // Noto Serif CJK KR covers every Hangul syllable and the CJK Unified Ideographs;
    // HanaMinB holds the rarer hanja outside the basic plane that no such face has, so it
    // serves only as the fall-back. "굴림" is the window's own face too, whose lists and
    // labels are laid out for UnDotum's metrics.
    if (face == u"한컴바탕" || face == u"바탕") return {u"Noto Serif CJK KR", u"HanaMinB"};
    if (face == u"굴림") return {u"UnDotum", u"은 돋움", u"Noto Sans CJK KR", u"HanaMinB"};
    return {};
}

bool IsFontInstalled(const std::vector<std::u16string>& installedFaces, std::u16string_view name)
{
    const std::u16string_view wanted = TrimControlAndBlank(name);
    return std::any_of(installedFaces.begin(), installedFaces.end(),
                       [wanted](const std::u16string& face) { return TrimControlAndBlank(face) == wanted; });
}

std::u16string ChooseTextFont(const std::vector<std::u16string>& installedFaces)
{
    if (IsFontInstalled(installedFaces, u"한컴바탕")) return u"한컴바탕";
    // Where "바탕" is missing, its first substitute stands in for it; the fall-back faces
    // after it cannot, as they lack the common characters.
    if (IsFontInstalled(installedFaces, u"바탕") || IsFontInstalled(installedFaces, FaceSubstitutes(u"바탕").front()))
        return u"바탕";
    return u"굴림";
}

#include "util/MyUtils.h"

#include <algorithm>

bool IsFontInstalled(const std::vector<std::u16string>& installedFaces, std::u16string_view name)
{
    const std::u16string_view wanted = TrimControlAndBlank(name);
    return std::any_of(installedFaces.begin(), installedFaces.end(),
                       [wanted](const std::u16string& face) { return TrimControlAndBlank(face) == wanted; });
}

std::u16string ChooseTextFont(const std::vector<std::u16string>& installedFaces)
{
    if (IsFontInstalled(installedFaces, u"한컴바탕"))
        return u"한컴바탕";
    if (IsFontInstalled(installedFaces, u"바탕"))
        return u"바탕";
    return u"굴림";
}

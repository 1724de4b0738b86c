#include "browse/SutraTexts.h"

#include "browse/HanmoonText.h"
#include "util/MyWideString.h"

std::u16string TitleLine(const TVesko_File& catalogue, std::int32_t n)
{
    const TSuttaEntry& e = catalogue.SuttaTable.Items[n];
    return u"#제목:" + std::u16string(FieldText(e.Title)) + u"  " + std::u16string(FieldText(e.Name)) + u"\r\n\r\n";
}

TSutraViewTexts BuildSutraViewTexts(const TLoadedData& data, std::int32_t n)
{
    const TVesko_File& han = data.TextFiles[0];
    const TSuttaEntry& e = han.SuttaTable.Items[n];
    const std::u16string title = TitleLine(han, n);

    auto chinese = [&](int fileIndex) {
        const TVesko_File& file = data.TextFiles[fileIndex];
        const TSuttaEntry& entry = file.SuttaTable.Items[n];
        return title + CopyHanmoonText(file.Text, file.TextLength(), entry.BodyStart, entry.BodyLength) + u"\r\n";
    };

    TSutraViewTexts texts;
    texts.TotalHan = title + CopyWideChars(han.Text, e.BodyStart, e.BodyLength) + u"\r\n";
    texts.HanSubject = CopyWideChars(han.Text, e.SubjectStart, e.SubjectLength) + u"\r\n";
    texts.HanSummary = CopyWideChars(han.Text, e.SummaryStart, e.SummaryLength) + u"\r\n";
    texts.TotalKor = chinese(1);
    texts.TotalSinsu = chinese(2);
    return texts;
}

#include "TestDataSet.h"

#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::u16string KorLine(int line, const std::u16string& text)
{
    // "K" + 16 units + ";" as the 고려대장경 heads stand, then the line's text.
    std::u16string head = u"K01n0001_p0001a";
    head += static_cast<char16_t>(u'0' + line / 10);
    head += static_cast<char16_t>(u'0' + line % 10);
    return head + u";" + text;
}

std::u16string SinsuLine(int line, const std::u16string& text)
{
    std::u16string head = u"T01n0001_p0001a";
    head += static_cast<char16_t>(u'0' + line / 10);
    head += static_cast<char16_t>(u'0' + line % 10);
    return head + u"║" + text;
}

} // namespace

TDataSetSource SmallDataSetSource()
{
    TDataSetSource source;
    auto add = [&](std::int32_t kind, std::u16string title, std::u16string name, std::u16string han,
                   std::u16string chinese) {
        TSourceSutta s;
        s.Kind = kind;
        s.Title = std::move(title);
        s.Name = std::move(name);
        s.HanBody = han;
        s.HanSubject = u"주제 " + s.Name;
        s.HanSummary = u"요약 " + s.Name;
        s.KorBody = KorLine(1, chinese.substr(0, 4)) + u"\r\n" + KorLine(2, chinese.substr(4));
        s.SinsuBody = SinsuLine(1, chinese.substr(0, 4)) + u"\r\n" + SinsuLine(2, chinese.substr(4));
        source.Suttas.push_back(std::move(s));
    };
    add(1, u"장아함 0001", u"대본경", u"여시아문 일시불\r\n재사위국", u"如是我聞一時佛在舍衛國");
    add(2, u"중아함 0001", u"선법경", u"사리불 목건련\r\n대비구중", u"舍利弗目揵連大比丘衆");
    add(3, u"잡아함 0001", u"무상경", u"색무상\r\n무상즉고", u"色無常無常卽苦");
    add(4, u"증일아함 0001", u"대본경", u"비바시불\r\n출현어세", u"毘婆尸佛出現於世");
    source.Subjects = {{u"제일분", {0, 1}}, {u"빈 주제", {}}, {u"제이분", {2, 3}}};

    source.Readings.assign(65536, u'\0');
    const std::u16string hanja = u"如是我聞一時佛在舍衛國利弗目揵連大比丘衆色無常卽苦毘婆尸出現於世";
    const std::u16string hangul = u"여시아문일시불재사위국리불목건련대비구중색무상즉고비바시출현어세";
    for (std::size_t i = 0; i < hanja.size(); ++i)
        source.Readings[hanja[i]] = hangul[i];
    source.VariantGroups[0] = {u"衆眾", u"卽即"};
    source.VariantGroups[1] = {u"聞闻", u"國国"};
    return source;
}

TDataSetSource LongTextDataSetSource()
{
    TDataSetSource source = SmallDataSetSource();
    const std::u16string chinese[] = {u"如是我聞", u"舍利弗目", u"色無常卽", u"毘婆尸佛"};
    for (std::size_t s = 0; s < source.Suttas.size(); ++s) {
        TSourceSutta& sutta = source.Suttas[s];
        std::u16string han, kor, sinsu;
        for (int line = 1; line <= 90; ++line) {
            const std::u16string number = DecimalText(line);
            const std::u16string separator = line > 1 ? u"\r\n" : u"";
            han += separator + sutta.Name + u" 본문 " + number;
            kor += separator + KorLine(line % 100, chinese[s % 4] + number);
            sinsu += separator + SinsuLine(line % 100, chinese[s % 4] + number);
        }
        sutta.HanBody = han;
        sutta.KorBody = kor;
        sutta.SinsuBody = sinsu;
    }
    return source;
}

TTemporaryFolder::TTemporaryFolder()
{
    std::random_device random;
    Folder = std::filesystem::temp_directory_path() / ("vesko3-test-" + std::to_string(random()));
    std::filesystem::create_directories(Folder);
}

TTemporaryFolder::~TTemporaryFolder()
{
    std::error_code error;
    std::filesystem::remove_all(Folder, error);
}

void WriteTestDataSet(const TDataSetSource& source, const std::filesystem::path& folder)
{
    TCreationDate date{2007, 11, 5, 9, 30, 0};
    const std::u16string error = WriteDataSet(source, date, folder).Message();
    ASSERT_TRUE(error.empty()) << Utf16ToUtf8(error);
}

std::filesystem::path CorpusFolder()
{
    const std::filesystem::path folder(VESKO3_CORPUS_DIR);
    std::error_code error;
    return std::filesystem::is_regular_file(folder / "catalogue.tsv", error) ? folder : std::filesystem::path();
}

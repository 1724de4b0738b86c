// Writes valid files of each family into BUILD/corpus-fuzz_text_file, -fuzz_variant_file
// and -fuzz_reading_file: the fuzzers start from them and mutate towards the edges.

#include "data/DataWriter.h"
#include "data/Vesko3Common.h"
#include "util/Files.h"

#include <cstdio>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

bool WriteSeed(const fs::path& folder, const char* name, const std::vector<std::uint8_t>& bytes)
{
    std::error_code error;
    fs::create_directories(folder, error);
    return WriteWholeFile(folder / name, bytes);
}

TDataSetSource SeedSource()
{
    TDataSetSource source;
    auto add = [&](std::int32_t kind, std::u16string name, std::u16string han, std::u16string chinese) {
        TSourceSutta s;
        s.Kind = kind;
        s.Title = u"경 " + name;
        s.Name = std::move(name);
        s.HanBody = std::move(han);
        s.HanSubject = u"주제";
        s.HanSummary = u"요약\r\n";
        s.KorBody = u"K01n0001_p0001a01;" + chinese;
        s.SinsuBody = u"T01n0001_p0001a01║" + chinese;
        source.Suttas.push_back(std::move(s));
    };
    add(1, u"대본경", u"여시아문\r\n일시", u"如是我聞");
    add(2, u"Abc é", u"사리불", u"舍利弗");
    add(4, u"대본경", u"", u"");
    source.Subjects = {{u"제일분", {0, 2}}, {u"빈 주제", {}}, {u"셋", {1}}};
    source.Readings.assign(400, u'\0');
    source.Readings[u'A'] = u'에';
    source.VariantGroups[0] = {u"甲乙", u"乙丙", u"衆眾"};
    return source;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds BUILD_FOLDER\n");
        return 2;
    }
    const fs::path build(argv[1]);
    const TDataSetSource source = SeedSource();
    const TCreationDate date;
    bool ok = true;
    for (int n = 0; n < TextFileCount; ++n)
        ok &= WriteSeed(build / "corpus-fuzz_text_file", ("seed-a" + std::to_string(n)).c_str(),
                        SerializeTextFile(source, n, date));
    ok &= WriteSeed(build / "corpus-fuzz_text_file", "seed-empty", SerializeTextFile(TDataSetSource{}, 0, date));
    ok &= WriteSeed(build / "corpus-fuzz_variant_file", "seed-h0", SerializeVariantFile(source.VariantGroups[0]));
    ok &= WriteSeed(build / "corpus-fuzz_variant_file", "seed-empty", SerializeVariantFile({}));
    ok &= WriteSeed(build / "corpus-fuzz_reading_file", "seed-c0", SerializeReadingFile(source.Readings));
    return ok ? 0 : 1;
}

// Writes valid inputs for every fuzzer into BUILD/corpus-fuzz_NAME: files of each data family,
// settings files, a packed source folder, memo text and a reading table with text. The
// fuzzers start from them and mutate towards the edges.

#include "SourceContainer.h"
#include "data/DataSetSource.h"
#include "data/CharacterFile.h"
#include "data/DataWriter.h"
#include "data/Vesko3Common.h"
#include "util/Files.h"

#include <cstdio>
#include <string>
#include <string_view>
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

bool WriteTextSeed(const fs::path& folder, const char* name, std::string_view bytes)
{
    std::error_code error;
    fs::create_directories(folder, error);
    return WriteWholeFile(folder / name, bytes);
}

// UTF-16 little-endian units after the given prefix bytes.
std::string Units(std::string prefix, std::u16string_view text)
{
    for (char16_t c : text) {
        prefix += static_cast<char>(c & 0xFF);
        prefix += static_cast<char>(c >> 8);
    }
    return prefix;
}

// The seed source cut to the two sutras a packed folder holds, written out and packed.
bool WriteSourceSeed(const fs::path& build, TDataSetSource source)
{
    source.Suttas.resize(2);
    source.Subjects = {{u"제일분", {0, 1}}, {u"빈 주제", {}}};
    const fs::path folder = build / "fuzz-source-seed";
    std::error_code error;
    fs::remove_all(folder, error);
    if (!WriteSourceFolder(source, folder)) return false;
    const std::string packed = PackSourceFolder(folder);
    fs::remove_all(folder, error);
    return WriteTextSeed(build / "corpus-fuzz_source_reader", "seed-two-sutras", packed);
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
    ok &= WriteSeed(build / "corpus-fuzz_character_file", "seed-j0",
                    SerializeCharacterFile({{U'佛', u"불", 0, u"부처 불", u"Buddha", u"9.5", 7},
                                            {U'樂', u"낙락악요", 1, u"즐길 낙", u"happy", u"75.11", 15},
                                            {U'\U00020000', u"", -1, u"", u"", u"1.1", 2}},
                                           date));
    ok &= WriteSeed(build / "corpus-fuzz_parallel_file", "seed-p0",
                    SerializeParallelFile({{0, TParallelRelation::Full, -1, u"dn14", u"DN 14"},
                                           {0, TParallelRelation::Resembling, 1, u"ma1", u"MA 1"},
                                           {2, TParallelRelation::Partial, -1, u"sn22.15", u"SN 22.15"}}));
    const fs::path settings = build / "corpus-fuzz_settings";
    ok &= WriteTextSeed(settings, "seed-keys", "HangeulFontSize=1\r\nColorIndex=10\r\n[Other]\r\nFullScreen=1\r\n");
    ok &= WriteTextSeed(settings, "seed-mixed", "colorindex = 3\n; note\rTransparent=2x\n\nCopyTarget=99\n");
    ok &= WriteSourceSeed(build, source);
    ok &=
        WriteTextSeed(build / "corpus-fuzz_search_words", "seed-chinese", Units("\x01", u"如是 我聞\n 佛\r\n\t舍利弗"));
    ok &= WriteTextSeed(build / "corpus-fuzz_search_words", "seed-korean",
                        Units(std::string(1, '\0'), u" 사리불 \n\n목건련"));
    std::u16string table(400, u'\0');
    table[u'A'] = u'에';
    table[300] = u'가';
    ok &= WriteTextSeed(build / "corpus-fuzz_reading_conversion", "seed-table",
                        Units(Units("", std::u16string{char16_t(table.size()), char16_t(table.size())}), table) +
                            Units("", u"Ĭ A\r\nĬĬ\n"));
    return ok ? 0 : 1;
}

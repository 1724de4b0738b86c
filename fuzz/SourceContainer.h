#pragma once

// The source-reader fuzzer's input: the files of a source folder, one after another, each
// ended by the byte 0xFF (which no UTF-8 text holds). Files past the input's last part are
// absent, so missing files are tried too.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::array<const char*, 15> ContainerFileNames = {
    "catalogue.tsv", "subjects.tsv",         "readings.tsv",         "variants0.txt", "variants1.txt",
    "han/0001.txt",  "han-subject/0001.txt", "han-summary/0001.txt", "kor/0001.txt",  "sinsu/0001.txt",
    "han/0002.txt",  "han-subject/0002.txt", "han-summary/0002.txt", "kor/0002.txt",  "sinsu/0002.txt"};

inline constexpr char ContainerSeparator = '\xFF';

// Writes the parts of bytes into folder, which is emptied first.
inline void UnpackSourceContainer(std::string_view bytes, const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    for (const char* sub : {"han", "han-subject", "han-summary", "kor", "sinsu"})
        std::filesystem::create_directories(folder / sub, error);
    std::size_t start = 0;
    for (const char* name : ContainerFileNames) {
        if (start > bytes.size()) return;
        const std::size_t end = std::min(bytes.find(ContainerSeparator, start), bytes.size());
        std::ofstream(folder / name, std::ios::binary).write(bytes.data() + start, std::streamsize(end - start));
        start = end + 1;
    }
}

// The files of a source folder packed the same way; a missing file ends the packing.
inline std::string PackSourceFolder(const std::filesystem::path& folder)
{
    std::string packed;
    for (const char* name : ContainerFileNames) {
        std::ifstream in(folder / name, std::ios::binary);
        if (!in) break;
        packed.append(std::istreambuf_iterator<char>(in), {});
        packed += ContainerSeparator;
    }
    return packed;
}

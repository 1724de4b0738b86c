#include "data/TableFiles.h"

#include "data/DataFile.h"
#include "util/Files.h"

#include <bzlib.h>

#include <vector>

bool DecompressBzip2(const std::string& compressed, std::string& text)
{
    text.clear();
    std::vector<char> buffer(1 << 20);
    std::size_t consumed = 0;
    while (consumed < compressed.size()) {
        bz_stream stream{};
        if (BZ2_bzDecompressInit(&stream, 0, 0) != BZ_OK) return false;
        stream.next_in = const_cast<char*>(compressed.data() + consumed);
        stream.avail_in = static_cast<unsigned>(compressed.size() - consumed);
        int status = BZ_OK;
        while (status != BZ_STREAM_END) {
            stream.next_out = buffer.data();
            stream.avail_out = static_cast<unsigned>(buffer.size());
            status = BZ2_bzDecompress(&stream);
            const bool stalled = status == BZ_OK && stream.avail_in == 0 && stream.avail_out != 0;
            if ((status != BZ_OK && status != BZ_STREAM_END) || stalled) {
                BZ2_bzDecompressEnd(&stream);
                return false;
            }
            text.append(buffer.data(), buffer.size() - stream.avail_out);
        }
        consumed = compressed.size() - stream.avail_in;
        BZ2_bzDecompressEnd(&stream);
    }
    return true;
}

TResult ReadTableFile(const std::filesystem::path& path, std::u16string_view package, std::string& text)
{
    std::string bytes;
    if (ReadWholeFile(path, bytes) != TFileRead::Ok)
        return TResult::Failure(PathText(path) + u": 파일을 읽을 수 없습니다. " + std::u16string(package) +
                                u" 꾸러미가 있어야 합니다.");
    if (path.extension() != ".bz2") {
        text = std::move(bytes);
        return TResult::Success();
    }
    if (!DecompressBzip2(bytes, text)) return TResult::Failure(PathText(path) + u": bzip2 압축을 풀 수 없습니다.");
    return TResult::Success();
}

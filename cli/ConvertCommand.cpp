// vesko3-tool convert: the reading conversion of the "한자음변환" page over standard input.

#include "ToolCommon.h"

#include "tools/ReadingConversion.h"
#include "util/TextCodec.h"

#include <QStringDecoder>

#include <cstdio>
#include <string>

namespace {

// Writes text and a line break as UTF-8 in pieces, so that a line of any length never needs
// a second copy in full. A piece never ends between the halves of a surrogate pair, which
// keeps the bytes those of the whole line encoded at once.
void WriteLine(std::u16string_view text, const TReadingFile* convertWith)
{
    constexpr std::size_t Piece = 1 << 16;
    while (!text.empty()) {
        std::size_t length = std::min(Piece, text.size());
        if (length < text.size() && QChar::isHighSurrogate(text[length - 1])) ++length;
        const std::u16string_view piece = text.substr(0, length);
        WriteOutput(convertWith ? Utf16ToUtf8(ConvertReadingLine(piece, *convertWith)) : Utf16ToUtf8(piece));
        text.remove_prefix(length);
    }
    WriteOutput("\n");
}

// What the page shows for one source line: the line, its readings and an empty line.
void WriteConverted(std::u16string_view line, const TReadingFile& readings)
{
    WriteLine(line, nullptr);
    WriteLine(line, &readings);
    WriteOutput("\n");
}

// Cuts the decoded input into lines as it arrives, with the breaks SplitLines knows: CR LF,
// a lone CR and a lone LF. Only the line being read is held.
class TLineStream
{
public:
    explicit TLineStream(const TReadingFile& readings) : Readings(readings) {}

    void Add(std::u16string_view text)
    {
        if (AfterCr && !text.empty() && text.front() == u'\n') text.remove_prefix(1);
        AfterCr = false;
        while (!text.empty()) {
            const std::size_t end = text.find_first_of(u"\r\n");
            if (end == std::u16string_view::npos) {
                Line.append(text);
                return;
            }
            Line.append(text.substr(0, end));
            WriteConverted(Line, Readings);
            Line.clear();
            // The LF of a CR LF may come with the next piece of input.
            if (text[end] == u'\r') {
                if (end + 1 == text.size())
                    AfterCr = true;
                else if (text[end + 1] == u'\n')
                    text.remove_prefix(1);
            }
            text.remove_prefix(end + 1);
        }
    }

    // A break at the very end opens no further line.
    void Finish()
    {
        if (!Line.empty()) WriteConverted(Line, Readings);
        Line.clear();
    }

private:
    const TReadingFile& Readings;
    std::u16string Line;
    bool AfterCr = false;
};

int Run(TToolArguments& arguments)
{
    TVesko3Session session;
    if (const int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;

    QStringDecoder decoder(QStringDecoder::Utf8);
    TLineStream lines(session.Data.ReadingFile);
    char buffer[65536];
    while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, stdin)) {
        const QString text = decoder.decode(QByteArrayView(buffer, static_cast<qsizetype>(count)));
        if (decoder.hasError()) return InputError(arguments, u"표준 입력이 UTF-8 텍스트가 아닙니다.");
        lines.Add(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
    }
    if (std::ferror(stdin)) return InputError(arguments, u"표준 입력을 읽을 수 없습니다.");
    // The bytes of a character cut off by the end wait in the decoder, which reports them
    // only once something follows them.
    // decode() only decodes once its result is taken as a string.
    [[maybe_unused]] const QString tail = decoder.decode(QByteArrayView("\n", 1));
    if (decoder.hasError()) return InputError(arguments, u"표준 입력이 UTF-8 텍스트가 아닙니다.");
    lines.Finish();
    return ExitSuccess;
}

const TToolCommand Command{
    {"convert",
     "convert [--data DIR] < SOURCE.txt",
     "print the Korean readings of the classical Chinese on standard input",
     {DataOption()},
     0,
     "Reads UTF-8 text on standard input; for each of its lines prints the line, the line with\n"
     "each character replaced by its reading, and an empty line. CR LF, a lone CR and a lone LF\n"
     "each end a line.",
     &Run}};

} // namespace

#include "util/TextCodec.h"

#include "util/MyWideString.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#ifdef _WIN32
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <bit>
#include <iconv.h>
#endif

namespace {

// How many units the character at text[i] takes: a surrogate pair is one character.
std::size_t CharacterLength(std::u16string_view text, std::size_t i)
{
    const bool paired = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
    return paired ? 2 : 1;
}

// Each character of text through convert, which gives what one character reads as after
// the trip.
template <class TConvert> std::u16string EachCharacter(std::u16string_view text, TConvert convert)
{
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        result += convert(text.substr(i, length));
        i += length;
    }
    return result;
}

#ifdef _WIN32

constexpr UINT KoreanCodePage = 949;

// One character in code page 949, or "?" when the code page lacks it. Best-fit mapping is
// off, so that a lacking character is never written as a look-alike.
std::string EncodeCharacter(std::u16string_view character)
{
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(KoreanCodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(character.data()),
                            static_cast<int>(character.size()), bytes, sizeof bytes, "?", &usedDefault);
    if (length <= 0 || usedDefault) return "?";
    return std::string(bytes, static_cast<std::size_t>(length));
}

std::u16string Decode(const std::string& bytes)
{
    if (bytes.empty()) return {};
    const int length = MultiByteToWideChar(KoreanCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(KoreanCodePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<LPWSTR>(text.data()), length);
    return text;
}

#else

const char* const NativeUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// An iconv conversion that lives as long as the object.
class TConversion
{
public:
    TConversion(const char* to, const char* from) : Handle(iconv_open(to, from)) {}
    ~TConversion()
    {
        if (Valid()) iconv_close(Handle);
    }
    TConversion(const TConversion&) = delete;
    TConversion& operator=(const TConversion&) = delete;

    bool Valid() const { return Handle != reinterpret_cast<iconv_t>(-1); }

    // The whole input converted, or nothing when some of it cannot be.
    std::optional<std::string> Convert(const char* input, std::size_t size)
    {
        std::string output(size * 2 + 8, '\0');
        char* in = const_cast<char*>(input);
        char* out = output.data();
        std::size_t inLeft = size;
        std::size_t outLeft = output.size();
        iconv(Handle, nullptr, nullptr, nullptr, nullptr);
        if (iconv(Handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(Handle, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        output.resize(output.size() - outLeft);
        return output;
    }

private:
    iconv_t Handle;
};

#endif

} // namespace

struct TCp949Trip::TImpl
{
    // Qt has the Windows table only when it was built with ICU.
    // Stateless, so that a lone surrogate is settled at once instead of with the next character.
    QStringEncoder Encoder{"windows-949", QStringConverter::Flag::Stateless};
    QStringDecoder Decoder{"windows-949", QStringConverter::Flag::Stateless};
    std::unordered_map<char16_t, std::u16string> Units; // single-unit characters already sent
};

TCp949Trip::TCp949Trip() : Impl(std::make_unique<TImpl>()) {}

TCp949Trip::~TCp949Trip() = default;

std::u16string TCp949Trip::Through(std::u16string_view text)
{
    TImpl& impl = *Impl;
    if (!impl.Encoder.isValid() || !impl.Decoder.isValid()) return PlatformThroughCp949(text);
    auto trip = [&](std::u16string_view character) {
        const QByteArray bytes = impl.Encoder.encode(ToQString(character));
        // ICU leaves out the invisible format characters the table lacks, where Windows
        // writes "?" as for any other.
        if (bytes.isEmpty()) return std::u16string(1, u'?');
        const QString back = impl.Decoder.decode(bytes);
        return std::u16string(reinterpret_cast<const char16_t*>(back.utf16()), static_cast<std::size_t>(back.size()));
    };
    return EachCharacter(text, [&](std::u16string_view character) {
        if (character.size() != 1) return trip(character);
        auto [at, added] = impl.Units.try_emplace(character[0]);
        if (added) at->second = trip(character);
        return at->second;
    });
}

std::u16string ThroughCp949(std::u16string_view text)
{
    return TCp949Trip().Through(text);
}

#ifdef _WIN32

std::u16string PlatformThroughCp949(std::u16string_view text)
{
    return EachCharacter(text, [](std::u16string_view character) { return Decode(EncodeCharacter(character)); });
}

#else

std::u16string PlatformThroughCp949(std::u16string_view text)
{
    TConversion encoder("CP949", NativeUtf16);
    TConversion decoder(NativeUtf16, "CP949");
    if (!encoder.Valid() || !decoder.Valid()) return std::u16string(text.size(), u'?');
    return EachCharacter(text, [&](std::u16string_view character) {
        // Windows' table also has the byte 0x80, the byte 0xFF and the two user-defined rows
        // 0xC9 and 0xFE, read as U+0080, U+F8F7 and U+E000 to U+E0BB; iconv's lacks them.
        const char16_t unit = character[0];
        if (character.size() == 1 && (unit == 0x80 || unit == 0xF8F7 || (unit >= 0xE000 && unit <= 0xE0BB)))
            return std::u16string(character);
        const std::optional<std::string> bytes =
            encoder.Convert(reinterpret_cast<const char*>(character.data()), character.size() * sizeof(char16_t));
        const std::optional<std::string> back = bytes ? decoder.Convert(bytes->data(), bytes->size()) : std::nullopt;
        if (!back || back->empty()) return std::u16string(1, u'?');
        std::u16string result(back->size() / sizeof(char16_t), u'\0');
        std::memcpy(result.data(), back->data(), result.size() * sizeof(char16_t));
        return result;
    });
}

#endif

#include "util/TextCodec.h"

#include <QCollator>
#include <QLocale>
#include <QString>

QString ToQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

namespace {

std::u16string FromQString(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    return FromQString(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string utf8;
    AppendUtf8(utf8, utf16);
    return utf8;
}

void AppendUtf8(std::string& out, std::u16string_view utf16)
{
    const std::size_t from = out.size();
    out.resize(from + 3 * utf16.size()); // a unit never takes more, a pair four for its two
    char* o = out.data() + from;
    auto put = [&o](char32_t byte) { *o++ = static_cast<char>(byte); };
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char32_t c = utf16[i];
        if (c < 0x80) {
            put(c);
        } else if (c < 0x800) {
            put(0xC0 | c >> 6);
            put(0x80 | (c & 0x3F));
        } else if (c < 0xD800 || c > 0xDFFF) {
            put(0xE0 | c >> 12);
            put(0x80 | (c >> 6 & 0x3F));
            put(0x80 | (c & 0x3F));
        } else if (c < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            const char32_t full = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
            put(0xF0 | full >> 18);
            put(0x80 | (full >> 12 & 0x3F));
            put(0x80 | (full >> 6 & 0x3F));
            put(0x80 | (full & 0x3F));
        } else {
            // A half of a pair standing alone is written as Qt writes it.
            out.resize(from);
            out += ToQString(utf16).toUtf8().toStdString();
            return;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

struct TKoreanCollator::TImpl
{
    QCollator Collator{QLocale(QLocale::Korean, QLocale::SouthKorea)};
};

TKoreanCollator::TKoreanCollator() : Impl(std::make_unique<TImpl>())
{
    Impl->Collator.setCaseSensitivity(Qt::CaseInsensitive);
}

TKoreanCollator::~TKoreanCollator() = default;

int TKoreanCollator::Compare(std::u16string_view a, std::u16string_view b) const
{
    return Impl->Collator.compare(ToQString(a), ToQString(b));
}

QCollatorSortKey TKoreanCollator::SortKey(std::u16string_view text) const
{
    return Impl->Collator.sortKey(ToQString(text));
}

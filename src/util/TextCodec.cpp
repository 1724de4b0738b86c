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
    return ToQString(utf16).toUtf8().toStdString();
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

#pragma once

#include <QCollator>
#include <QString>

#include <memory>
#include <string>
#include <string_view>

// Conversions between the program's UTF-16 text and the outside world: UTF-8 for source
// files and the command line, the Korean Windows code page 949 for list keys.

// The same UTF-16 units as a QString, for the widgets and Qt Core services.
QString ToQString(std::u16string_view text);

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
// The same appended to out, for a caller writing many texts into one buffer.
void AppendUtf8(std::string& out, std::u16string_view utf16);

// The text as it reads after a trip through code page 949: every character the code page
// lacks becomes "?". Uses the Windows table ("windows-949"); IBM's 949, which Qt names
// "CP949", lacks syllables such as 똠.
std::u16string ThroughCp949(std::u16string_view text);

// ThroughCp949 for many texts: the converters are made once, and each character's trip is
// remembered, as names repeat the same few thousand characters.
class TCp949Trip
{
public:
    TCp949Trip();
    ~TCp949Trip();
    TCp949Trip(const TCp949Trip&) = delete;
    TCp949Trip& operator=(const TCp949Trip&) = delete;

    std::u16string Through(std::u16string_view text);

private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl;
};

// The same through the platform's own table (iconv's "CP949", Windows' code page 949), which
// ThroughCp949 takes when Qt has no "windows-949".
std::u16string PlatformThroughCp949(std::u16string_view text);

// Korean-locale, case-insensitive comparison of UTF-16 strings: negative, zero or positive.
class TKoreanCollator
{
public:
    TKoreanCollator();
    ~TKoreanCollator();
    TKoreanCollator(const TKoreanCollator&) = delete;
    TKoreanCollator& operator=(const TKoreanCollator&) = delete;

    int Compare(std::u16string_view a, std::u16string_view b) const;

    // A key whose compare() orders as Compare does: many texts sorted once each are keyed
    // once rather than compared over and over.
    QCollatorSortKey SortKey(std::u16string_view text) const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl;
};

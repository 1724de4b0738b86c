#pragma once

// The 프로그램 정보 sheet: notes on the texts and the loaders' information lines. It also
// holds the hidden template whose font the editors are made in.

#include <QWidget>

#include <string>

class QFont;
class QLabel;
class QPlainTextEdit;
struct TColorScheme;

class TProgramInfoTab : public QWidget
{
    Q_OBJECT
public:
    // The sheet ProgramInfoTabSheet.
    explicit TProgramInfoTab(QWidget* parent = nullptr);

    void ApplyDesignedColors();
    void ApplyColors(const TColorScheme& scheme);

    void ClearInfo();
    void AppendInfoLine(const std::u16string& line);
    // The editors' font: the template's, in face.
    QFont EditorFont(const QString& face);

private:
    QPlainTextEdit *ReadmeMemo = nullptr, *InfoMemo = nullptr, *TempFontMemo = nullptr;
    QLabel* Panel40 = nullptr;
};

#pragma once

// The 한자음변환 sheet: Chinese text pasted above is shown below line by line, each line
// followed by its Korean reading and an empty line.

#include "session/ReaderState.h"

#include <QSize>
#include <QWidget>

#include <vector>

class QFont;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class TPaneKeeper;
class TPlainMemo;
struct TColorScheme;
struct TReadingFile;

class TConvertTab : public QWidget
{
    Q_OBJECT
public:
    // The sheet ConvertTabSheet, reading the characters' Korean readings from readings.
    explicit TConvertTab(const TReadingFile& readings, QWidget* parent = nullptr);

    // ConvertSrcMemo and ConvertDestMemo, in editorFont.
    void BuildEditors(const QFont& editorFont);
    void ApplyColors(const TColorScheme& scheme);
    void SetHanmoonFont(const QString& family, int pointSize);

    // The splitter's first pane once laid out, and putting it back (TPaneKeeper).
    std::vector<TSplitterPane> Panes() const;
    void RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow);
    std::vector<QWidget*> FocusOrder() const;
    // The memo of the Chinese text to convert.
    QPlainTextEdit* InputMemo() const { return ConvertSrcMemo; }

    void ConvertButtonClick();

private:
    const TReadingFile& Readings;

    QWidget *ConvertPanel1 = nullptr, *ConvertPanel2 = nullptr, *ConvertButtonPanel = nullptr;
    QSplitter* ConvertSplitter = nullptr;
    TPaneKeeper* ConvertPanes = nullptr;
    QPushButton* ConvertButton = nullptr;
    QLabel* Panel1 = nullptr;
    QWidget *ConvertSrcMemoPanel = nullptr, *ConvertDestMemoPanel = nullptr;
    QPlainTextEdit* ConvertSrcMemo = nullptr;
    TPlainMemo* ConvertDestMemo = nullptr;
};

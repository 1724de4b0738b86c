#pragma once

// The 검색하기 sheet: the words one a line, the canon and collection to search, the result
// list; a chosen result is told to the window, which shows it.

#include "window/pages/SearchInputs.h"

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class IMessages;
class QCheckBox;
class QComboBox;
class QFont;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TGrid;
struct TColorScheme;
struct TLoadedData;
struct TSearchInfo;

class TSearchTab : public QWidget
{
    Q_OBJECT
public:
    // The sheet SearchTabSheet, searching data; each search is left in searchInfo, rejected
    // words are reported through messages.
    TSearchTab(const TLoadedData& data, TSearchInfo& searchInfo, IMessages& messages, QWidget* parent = nullptr);

    // SearchMemo, in editorFont, holding a sample of words.
    void BuildEditors(const QFont& editorFont);
    void ApplyDesignedColors();
    void ApplyColors(const TColorScheme& scheme);
    void SetSearchFont(const QString& family, int pointSize);

    TSearchInputs Inputs() const;
    // Puts the inputs back and, when they had been searched, searches them again.
    void RestoreInputs(const TSearchInputs& inputs);
    // The focus in the words, all of them selected.
    void FocusWords();
    // The controls in the order Tab moves through them.
    std::vector<QWidget*> FocusOrder() const;
    // The focus in the result list while it lists hits, else in the words, as a search leaves it.
    void FocusList();

    // Makes the result row of catalogue position n current, without showing it again, as the
    // hit on show; nothing when the list does not hold it.
    void MarkShownHit(std::int32_t n);

    void SearchButtonClick();
    void TitleComboSelect();
    void SearchGridClick();
    bool SameCharacterChecked() const;
    // The words replaced by the one character c and searched in the Chinese editions, unless
    // a Chinese edition is chosen already.
    void SearchCharacter(const QString& c);
    // The words memo, whose characters the character panel explains.
    QPlainTextEdit* WordsMemo() const { return SearchMemo; }

signals:
    // The search ended or its words were rejected.
    void SearchEnded();
    // SameCharacterCB was checked or cleared.
    void SameCharacterChanged(bool checked);
    // The reader chose the result row of catalogue position n.
    void HitChosen(std::int32_t n);

private:
    const TLoadedData& Data;
    TSearchInfo& SearchInfo;
    IMessages& Messages;

    QLabel *Panel5 = nullptr, *Panel6 = nullptr, *Panel7 = nullptr;
    QComboBox *TitleCombo = nullptr, *KindCombo = nullptr;
    QCheckBox* SameCharacterCB = nullptr;
    QCheckBox* ReadingCB = nullptr; // beside the search time, over the part of its panel a time never reaches
    QWidget *SearchMemoPanel = nullptr, *Panel8 = nullptr;
    QPlainTextEdit* SearchMemo = nullptr;
    QRadioButton *SearchRadio0 = nullptr, *SearchRadio1 = nullptr;
    QPushButton* SearchButton = nullptr;
    QLabel *SearchTimePanel = nullptr, *SearchCountPanel = nullptr, *SearchMsgPanel = nullptr;
    TGrid* SearchGrid = nullptr;
    QProgressBar* SearchProgress = nullptr;
    std::vector<std::u16string> SearchedLines; // the memo as the last accepted search left it
};

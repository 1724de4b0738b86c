#pragma once

// A small panel that tells the reader about one Han character: the character large, its
// readings with the conversion's in bold, gloss, meaning, radical and strokes, the other
// members of its variant groups, how often each Chinese edition has it, and a button that
// searches it. It floats over the window, so that showing it moves no other control.

#include <QFrame>
#include <QString>

class QLabel;
class QPushButton;
struct TCharacterCard;

// The card as rich text, the character large in face, for the panel and the tooltips alike;
// characterData says whether the data set has a character file (without one only the
// variants and counts are known).
QString CharacterCardHtml(const TCharacterCard& card, bool characterData, const QString& face);

class TCharacterPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TCharacterPanel(QWidget* window);

    // Shows card under the rectangle at (in window coordinates), or above it when there is no
    // room below, with the character in face.
    void ShowCard(const TCharacterCard& card, bool characterData, const QRect& at, const QString& face);

    // The character shown, as text.
    QString Character() const { return Shown; }

signals:
    // "이 글자 검색" was pressed for c.
    void SearchRequested(const QString& c);

private:
    QLabel* Body = nullptr;
    QPushButton* Search = nullptr;
    QString Shown;
};

#pragma once

// A character at a glance: pointing at a Han character in a watched text (a Chinese view, the
// conversion's input, the search words) shows its card as a tooltip; clicking it, without
// selecting anything, shows the card in the character panel, which stays until it is closed,
// Esc is pressed, another place is clicked or the text is hidden. The panel's button asks for
// a search of the character.

#include "window/widgets/CharacterPanel.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

class QAbstractScrollArea;
struct TLoadedData;

class TCharacterGlance : public QObject
{
    Q_OBJECT
public:
    // The panel floats over window; data gives the cards.
    TCharacterGlance(QWidget* window, const TLoadedData& data);

    // Watches a QTextEdit or QPlainTextEdit.
    void Watch(QAbstractScrollArea* text);

    // The Han character at point of text's viewport and its rectangle there, if any.
    struct TFound
    {
        char32_t Character = 0;
        QRect Rect;
    };
    static std::optional<TFound> HanCharacterAt(const QAbstractScrollArea* text, QPoint point);

    // Shows the card of the character at point of text's viewport in the panel; false, with
    // the panel hidden, when no Han character is there.
    bool ShowPanelAt(QAbstractScrollArea* text, QPoint point);

    TCharacterPanel& Panel() { return *CardPanel; }

signals:
    void SearchRequested(const QString& c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractScrollArea* WatchedOf(QObject* object) const;
    bool ShowToolTip(QAbstractScrollArea* text, QPoint point, QPoint global);

    QWidget* Window;
    const TLoadedData& Data;
    TCharacterPanel* CardPanel;
    std::vector<QAbstractScrollArea*> Texts;
    QAbstractScrollArea* PanelSource = nullptr; // the text the panel's character was clicked in
    QPoint PressedAt;
    bool Pressed = false;
};

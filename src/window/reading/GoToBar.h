#pragma once

// Ctrl+G: a small bar over the bottom of the text views that takes a line reference
// ("T01n0001_p0011a08", "T01, no. 1, p. 11a08", "K01n0001_p0011a08") or a catalogue title
// ("중아함 30"). Enter goes there when the data hold it and closes the bar; otherwise the bar
// says "찾을 수 없습니다" and nothing moves. Esc closes the bar and gives the focus back.

#include "browse/LineIndex.h"

#include <QFrame>
#include <QPointer>

#include <functional>
#include <optional>
#include <string_view>

class QLabel;
class QLineEdit;
class QTabWidget;

class TGoToBar : public QFrame
{
    Q_OBJECT
public:
    // Where the text of the box leads, as the core reads it.
    using TFind = std::function<std::optional<TLinePlace>(std::u16string_view text)>;
    // Ctrl+G belongs to window; the bar stands over the sheets of pages.
    TGoToBar(QWidget* window, QTabWidget* pages, TFind find);

    // Over the bottom of the sheet on show, the box focused and its text selected.
    void Open();
    void Close();
    // Goes where the box's text leads; false, with "찾을 수 없습니다" shown, when it leads nowhere.
    bool GoTo();

signals:
    void PlaceChosen(const TLinePlace& place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    TFind Find;
    QTabWidget* Pages = nullptr;
    QLineEdit* Where = nullptr;
    QLabel* Status = nullptr;
    QPointer<QWidget> FocusBefore; // given the focus back when the bar closes unused
};

#pragma once

// The reader's record: the sutras shown in this run, gone back and forward through, and the
// state file that the next start restores after loading. It talks to the window only through
// IReaderWindow, and to its geometry through the widget.

#include "window/ReaderWindow.h"
#include "session/ReaderState.h"

#include <QSize>

#include <cstdint>
#include <filesystem>
#include <optional>

class QWidget;

// Where the state file is; an empty path keeps no state (the tests' windows), and
// IgnoreSaved starts as without the file but still writes it at close.
struct TReaderStateFile
{
    std::filesystem::path Path;
    bool IgnoreSaved = false;
};

class TReaderRecord
{
public:
    // catalogue names the places; form is the window whose geometry is restored and kept.
    TReaderRecord(QWidget& form, IReaderWindow& window, const TVesko_File& catalogue, TReaderStateFile file);

    // Reads the state file and puts the window's normal geometry back, before the window shows.
    void LoadBeforeShow();
    // Puts back the rest once the data are loaded: tabs, splitters, search, the sutras.
    void RestoreAfterLoad();
    // Writes the state file; a failure costs the state, nothing more.
    void Save();

    // A list row, result row or concordance row: the place on show keeps its tab and
    // scrolling, place is shown and becomes the newest place of the way back.
    void Open(const TPlace& place);
    // Back (-1) or forward (+1) through the sutras shown; nothing at either end.
    void Go(int step);

    const TReadingHistory& History() const { return Places; }

private:
    // The place on show as the reader has left it: its tab and scrolling.
    void UpdateCurrentPlace();
    // The place of the reading history that the views now show.
    TReadingPlace PlaceOnShow(std::int32_t sutra, bool hit) const;
    static TPlace ToShow(const TReadingPlace& place);

    QWidget& Form;
    IReaderWindow& Window;
    const TVesko_File& Catalogue;
    TReaderStateFile File;
    TReadingHistory Places;
    std::optional<TReaderState> Saved;
    QSize SavedWindow; // the normal size the saved state was left at; invalid when unknown
};

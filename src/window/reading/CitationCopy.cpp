#include "window/reading/CitationCopy.h"

#include "window/widgets/RichEdit.h"
#include "window/widgets/SelectionText.h"
#include "browse/Citation.h"
#include "util/TextCodec.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextCursor>

bool CopyWithCitation(const TLoadedData& data, std::int32_t n, int family, const TRichEdit& view)
{
    const QTextCursor selection = view.textCursor();
    if (!selection.hasSelection()) return false;
    const std::optional<TCitation> citation =
        family == HanFamily ? CiteSutra(data, n)
                            : CiteViewRange(data, n, family, selection.selectionStart(), selection.selectionEnd());
    if (!citation) return false;
    const std::u16string selected = PlainSelectionText(selection).toStdU16String();
    QGuiApplication::clipboard()->setText(ToQString(QuoteWithCitation(selected, family, *citation)));
    return true;
}

#include "window/widgets/PlainMemo.h"

#include "window/widgets/SelectionText.h"

#include <QMimeData>

QString TPlainMemo::Text() const
{
    return PlainDocumentText(document());
}

QMimeData* TPlainMemo::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(PlainSelectionText(textCursor()));
    return data;
}

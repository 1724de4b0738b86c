#include "window/widgets/PlainMemo.h"

#include <QMimeData>
#include <QTextDocumentFragment>

QMimeData* TPlainMemo::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}

#include "window/widgets/TextFit.h"

#include <QTextBoundaryFinder>

QString FittingHead(const QString& text, const QFontMetrics& metrics, int width)
{
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    qsizetype fits = 0;
    for (qsizetype end = characters.toNextBoundary(); end > 0; end = characters.toNextBoundary()) {
        if (metrics.horizontalAdvance(text.left(end)) > width) break;
        fits = end;
    }
    return text.left(fits);
}

QString FittingTail(const QString& text, const QFontMetrics& metrics, int width)
{
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    characters.toEnd();
    qsizetype fits = text.size();
    for (qsizetype start = characters.toPreviousBoundary(); start >= 0 && start < text.size();
         start = characters.toPreviousBoundary()) {
        if (metrics.horizontalAdvance(text.mid(start)) > width) break;
        fits = start;
    }
    return text.mid(fits);
}

// The reader as shipped, plus what tests and benchmarks drive from the environment; the
// shipped program reads none of it.
//   VESKO3_TEST_CLOSE_MS=N  closes the window normally N ms after the data are loaded, so
//                           that a test can run the program twice and read what it kept;
//   VESKO3_TEST_SEARCH=W    with it, words separated by blanks, searched as typed into the
//                           search sheet once the data are in, so that a benchmark sees
//                           what a search costs the whole program.

#include "window/ProgramEntry.h"
#include "window/Unit1.h"
#include "window/pages/SearchTab.h"

#include <QPlainTextEdit>
#include <QTimer>

namespace {

void CloseAfterLoading(TMainForm& form)
{
    bool ok = false;
    const int delay = qEnvironmentVariableIntValue("VESKO3_TEST_CLOSE_MS", &ok);
    if (!ok || delay < 0) return;
    const QString words = qEnvironmentVariable("VESKO3_TEST_SEARCH").simplified();
    auto* poll = new QTimer(&form);
    QObject::connect(poll, &QTimer::timeout, &form, [&form, poll, delay, words] {
        if (!form.DataLoaded()) return;
        poll->stop();
        auto* memo = form.findChild<QPlainTextEdit*>("SearchMemo");
        if (!words.isEmpty() && memo != nullptr) {
            memo->setPlainText(QString(words).replace(u' ', u'\n'));
            form.findChild<TSearchTab*>("SearchTabSheet")->SearchButtonClick();
        }
        QTimer::singleShot(delay, &form, &QWidget::close);
    });
    poll->start(20);
}

} // namespace

int main(int argc, char** argv)
{
    return RunReaderProgram(argc, argv, {.WindowShown = CloseAfterLoading});
}

// vesko3-tool info: loads the six files as the window does and prints what they hold.

#include "DataSetOptions.h"
#include "ToolCommon.h"

#include "util/MyUtils.h"

#include <vector>

namespace {

// Collects the program-information lines the loaders would append to InfoMemo.
class TInfoLines : public ILoadListener
{
public:
    void AppendInfoLine(const std::u16string& line) override { Lines.push_back(line); }
    void CatalogueLoaded() override {}
    std::vector<std::u16string> Lines;
};

int RunInfo(TToolArguments& arguments)
{
    TVesko3Session session;
    TInfoLines info;
    if (int status = LoadToolData(arguments, session, &info); status != ExitSuccess) return status;

    for (const std::u16string& line : info.Lines)
        PrintLine(line);
    const TLoadedData& data = session.Data;
    const TVesko_File& catalogue = data.TextFiles[0];
    PrintLine(u"sutras: " + DecimalText(catalogue.SuttaTable.Count));
    for (int k = 0; k < KindSlots; ++k)
        PrintLine(u"kind " + DecimalText(k) + u": " + DecimalText(catalogue.Header.KindCounts[k]));
    PrintLine(u"subjects: " + DecimalText(catalogue.JoojeTable.Count));
    PrintLine(u"text units: " + DecimalText(data.TextFiles[HanFamily].Header.TextLength) + u" " +
              DecimalText(data.TextFiles[KorFamily].Header.TextLength) + u" " +
              DecimalText(data.TextFiles[SinsuFamily].Header.TextLength));
    PrintLine(u"variant units: " + DecimalText(data.VariantFiles[0].Header.DataLength) + u" " +
              DecimalText(data.VariantFiles[1].Header.DataLength));
    PrintLine(u"reading units: " + DecimalText(data.ReadingFile.Header.DataLength));
    PrintLine(u"work size: " + DecimalText(session.SearchInfo.Work.WorkSize));
    return ExitSuccess;
}

const TToolCommand InfoCommand{{"info",
                                "info [--data DIR]",
                                "load the data set as the reader does and print what it holds",
                                {DataOption()},
                                0,
                                "",
                                &RunInfo}};

} // namespace

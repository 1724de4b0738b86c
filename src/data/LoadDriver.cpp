#include "data/LoadDriver.h"

#include "data/ReadingFile.h"
#include "data/TextFile.h"
#include "data/VariantFile.h"
#include "util/Files.h"
#include "util/Messages.h"

#include <algorithm>
#include <filesystem>

namespace {

// A data folder that is a file, or one that cannot be listed, is told once by its own name
// rather than as six missing files. A folder that does not exist is left to the files, whose
// messages then say where the data belong.
bool DataFolderCanBeRead(TLoadContext& context)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(context.DataPath, error);
    if (!std::filesystem::exists(status)) return true;
    std::u16string problem;
    if (!std::filesystem::is_directory(status)) {
        problem = u"데이터 폴더가 아닙니다.\r\n\r\n";
    } else {
        std::filesystem::directory_iterator listing(context.DataPath, error);
        if (error) problem = u"데이터 폴더를 읽을 수 없습니다.\r\n\r\n";
    }
    if (problem.empty()) return true;
    context.Messages.Show(problem + PathText(context.DataPath), std::u16string(DataErrorCaption));
    context.LoadError = true;
    return false;
}

} // namespace

bool LoadAllDataFiles(TLoadContext& context, TLoadedData& data)
{
    // A replacement of the set killed between its two moves left the old set aside.
    RestoreInterruptedFolder(context.DataPath);
    if (!DataFolderCanBeRead(context)) return false;
    for (int n = 0; n < TextFileCount; ++n)
        LoadTextFile(context, data, n);
    for (int n = 0; n < VariantFileCount; ++n)
        LoadVariantFile(context, data, n);
    LoadReadingFile(context, data);
    // A text used in place from a file that changed while the others were read is not the
    // text that was checked.
    if (context.Options.MapTexts)
        if (const std::optional<std::filesystem::path> changed = TakeChangedMappedFile())
            ReportDataFileFailure(context, TDataFileStatus::Unreadable, *changed);
    return !context.LoadError;
}

std::int32_t LargestTextSize(const TLoadedData& data)
{
    std::int32_t largest = 0;
    for (const TVesko_File& file : data.TextFiles)
        for (int i = 0; i < file.SuttaTable.Count; ++i)
            largest = std::max(largest, file.SuttaTable.Items[i].TextSize);
    return largest;
}

#pragma once

// The first start of a reader that finds no data folder anywhere it looks. Instead of one
// box per missing file it says where it looked and offers to make the demo data set in the
// user's own data folder, to choose a folder (kept for later starts), or to quit. A data
// folder that exists but lacks files is not a first start: the missing-file boxes tell it.

#include "session/ProgramPaths.h"

#include <QDialog>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

class TFirstStartDialog : public QDialog
{
    Q_OBJECT

public:
    // lookedIn: the folders looked in, in order; demoFolder: where the demo set is made.
    TFirstStartDialog(const std::vector<std::filesystem::path>& lookedIn, std::filesystem::path demoFolder,
                      std::int32_t demoSutras = -1, QWidget* parent = nullptr);
    ~TFirstStartDialog() override;

    // The folder to start with once the dialog is accepted.
    const std::filesystem::path& DataFolder() const { return Chosen; }

private:
    void MakeDemoData();
    void DemoDataMade(const QString& failure);
    void ChooseFolder();
    void reject() override;

    std::filesystem::path DemoFolder;
    std::int32_t DemoSutras;
    std::filesystem::path Chosen;
    QLabel* Status = nullptr;
    QProgressBar* Progress = nullptr;
    QPushButton* MakeButton = nullptr;
    QPushButton* ChooseButton = nullptr;
    QPushButton* QuitButton = nullptr;
    QThread* Worker = nullptr;
};

// When no data folder exists where the program looks, asks for one and puts it in paths,
// keeping a chosen folder in the user's configuration folder; false when the user quits.
// With a data folder anywhere it asks nothing and returns true.
bool SettleFirstStart(TProgramPaths& paths, const std::filesystem::path& programFolder);

#include "window/FirstStartDialog.h"

#include "window/AppShell.h"
#include "data/DataFile.h"
#include "data/DataSetSource.h"
#include "data/DemoDataSet.h"
#include "data/Vesko3Common.h"
#include "util/TextCodec.h"
#include "util/MyUtils.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString FolderText(const std::filesystem::path& folder)
{
    return QString::fromStdU16String(PathText(folder));
}

// Makes the demo set and writes it into folder; the message of what failed, or nothing.
QString MakeDemoDataSetIn(const std::filesystem::path& folder, std::int32_t sutras)
{
    TDemoOptions options;
    if (sutras > 0) options.SuttaCount = sutras;
    TDataSetSource source;
    TResult made = MakeDemoDataSet(options, source);
    if (made) made = WriteDataSet(source, TCreationDate{}, folder);
    return made ? QString() : QString::fromStdU16String(made.Message());
}

// Whether folder holds a file of every data file's name.
bool HoldsDataFiles(const std::filesystem::path& folder)
{
    std::vector<std::u16string_view> names(std::begin(TextFileNames), std::end(TextFileNames));
    names.insert(names.end(), std::begin(VariantFileNames), std::end(VariantFileNames));
    names.push_back(ReadingFileName);
    std::error_code error;
    return std::all_of(names.begin(), names.end(), [&](std::u16string_view name) {
        return std::filesystem::is_regular_file(folder / std::filesystem::path(std::u16string(name)), error);
    });
}

} // namespace

TFirstStartDialog::TFirstStartDialog(const std::vector<std::filesystem::path>& lookedIn,
                                     std::filesystem::path demoFolder, std::int32_t demoSutras, QWidget* parent)
    : QDialog(parent), DemoFolder(std::move(demoFolder)), DemoSutras(demoSutras)
{
    setObjectName("FirstStartDialog");
    // It comes before the reader's own window, so its title names the program.
    setWindowTitle("데이터 폴더가 없습니다 — " + ToQString(AppTitle));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel("읽을 데이터 폴더가 없습니다. 다음 폴더를 차례로 찾아보았습니다:", this);
    layout->addWidget(intro);
    QStringList folders;
    for (const std::filesystem::path& folder : lookedIn)
        folders << FolderText(folder);
    auto* list = new QLabel(folders.join('\n'), this);
    list->setObjectName("LookedInList");
    list->setAccessibleName("찾아본 폴더");
    list->setTextInteractionFlags(Qt::TextSelectableByMouse);
    list->setContentsMargins(16, 4, 4, 8);
    layout->addWidget(list);
    auto* offer = new QLabel("예제 데이터를 " + FolderText(DemoFolder) +
                                 " 폴더에 만들어 시작하거나, 데이터 파일이 있는 폴더를 고르십시오.",
                             this);
    offer->setWordWrap(true);
    layout->addWidget(offer);
    Status = new QLabel(this);
    Status->setObjectName("FirstStartStatus");
    Status->hide();
    layout->addWidget(Status);
    Progress = new QProgressBar(this);
    Progress->setObjectName("DemoProgress");
    Progress->setAccessibleName("예제 데이터 만들기 진행");
    Progress->hide();
    layout->addWidget(Progress);

    auto* buttons = new QHBoxLayout;
    MakeButton = new QPushButton("예제 데이터 만들기(&M)", this);
    MakeButton->setObjectName("MakeDemoButton");
    MakeButton->setDefault(true);
    ChooseButton = new QPushButton("폴더 선택(&F)...", this);
    ChooseButton->setObjectName("ChooseFolderButton");
    QuitButton = new QPushButton("끝내기(&Q)", this);
    QuitButton->setObjectName("QuitButton");
    buttons->addStretch();
    buttons->addWidget(MakeButton);
    buttons->addWidget(ChooseButton);
    buttons->addWidget(QuitButton);
    layout->addLayout(buttons);
    connect(MakeButton, &QPushButton::clicked, this, &TFirstStartDialog::MakeDemoData);
    connect(ChooseButton, &QPushButton::clicked, this, &TFirstStartDialog::ChooseFolder);
    connect(QuitButton, &QPushButton::clicked, this, &TFirstStartDialog::reject);
    MakeButton->setFocus();
}

TFirstStartDialog::~TFirstStartDialog()
{
    if (Worker) Worker->wait();
}

void TFirstStartDialog::MakeDemoData()
{
    MakeButton->setEnabled(false);
    ChooseButton->setEnabled(false);
    QuitButton->setEnabled(false);
    Status->setText("예제 데이터를 만드는 중입니다 . . .");
    Status->show();
    // The generator reports no steps: the bar shows that work goes on.
    Progress->setRange(0, 0);
    Progress->show();
    // The set takes seconds to make; the window keeps painting meanwhile.
    const std::filesystem::path folder = DemoFolder;
    const std::int32_t sutras = DemoSutras;
    Worker = QThread::create([this, folder, sutras] {
        const QString failure = MakeDemoDataSetIn(folder, sutras);
        QMetaObject::invokeMethod(
            this, [this, failure] { DemoDataMade(failure); }, Qt::QueuedConnection);
    });
    Worker->start();
}

void TFirstStartDialog::DemoDataMade(const QString& failure)
{
    Worker->wait();
    delete Worker;
    Worker = nullptr;
    Progress->setRange(0, 1);
    Progress->setValue(failure.isEmpty() ? 1 : 0);
    if (failure.isEmpty()) {
        Chosen = DemoFolder;
        accept();
        return;
    }
    Status->setText("예제 데이터를 만들지 못했습니다.");
    QMessageBox box(QMessageBox::NoIcon, windowTitle(), failure, QMessageBox::Ok, this);
    box.exec();
    MakeButton->setEnabled(true);
    ChooseButton->setEnabled(true);
    QuitButton->setEnabled(true);
}

void TFirstStartDialog::ChooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, "데이터 폴더 선택");
    if (folder.isEmpty()) return;
    Chosen = std::filesystem::path(folder.toStdU16String());
    accept();
}

void TFirstStartDialog::reject()
{
    // Esc and the title bar's close button wait for a demo set being written.
    if (!Worker) QDialog::reject();
}

bool SettleFirstStart(TProgramPaths& paths, const std::filesystem::path& programFolder)
{
    const std::vector<std::filesystem::path> lookedIn = DefaultDataFolderCandidates(programFolder);
    if (FirstExistingFolder(lookedIn)) return true;
    TFirstStartDialog dialog(lookedIn, paths.DataFolder);
    if (dialog.exec() != QDialog::Accepted) return false;
    // A folder without the data files is not kept: its boxes end this run, and the next
    // start asks again instead of ending the same way. One that cannot be kept still serves
    // this run.
    if (dialog.DataFolder() != paths.DataFolder && HoldsDataFiles(dialog.DataFolder()))
        (void)SaveChosenDataFolder(AppConfigFolder(), dialog.DataFolder());
    paths.DataFolder = dialog.DataFolder();
    return true;
}

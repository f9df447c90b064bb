// Restores a 1 GiB image onto a 1 GiB loop disk through the main window
// (offscreen, Warning 6 answered Yes by the bench) and with the engine
// alone, alternating, and prints the median wall time of each and their
// ratio window/engine: what the window's hand-off of the engine's messages
// costs a restore. Both start with the image evicted from the page cache.
//
//   build/bench/restore_bench [folder] [rounds]
//
// The folder (default: the system's temporary folder) holds the image and
// the disk's backing file. Needs root for the loop disk.
#include "CallEngineJob.h"
#include "Command.h"
#include "DragEdit.h"
#include "LoopDisk.h"
#include "MainFrm.h"
#include "MessageService.h"
#include "PageCache.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLocale>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr uint64_t kSize = 1ull << 30;

// Answers Yes to every question; windows are not waited for.
class YesToAll : public MessageService {
  public:
    void Information(QWidget*, const QString& text) override { lastText = text; }
    Answer Confirm(QWidget*, const QString&) override { return Answer::Yes; }
    void Error(QWidget*, const QString& text) override { lastText = text; }
    Answer ConfirmBatch(QWidget*, const QString&) override { return Answer::Yes; }
    void ShowModal(QDialog*) override {}

    QString lastText;
};

void WriteImage(const fs::path& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::vector<char> chunk(1 << 20);
    for (uint64_t done = 0; done < kSize; done += chunk.size()) {
        for (size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<char>((done + i) * 2654435761u >> 13);
        out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    }
}

int32_t VORLIK_CALL NeverStop(uintptr_t, uintptr_t, uintptr_t) {
    return 0;
}

template <typename Restore> double Measure(const fs::path& image, Restore restore) {
    testsupport::EvictFromCache(image);
    const auto start = Clock::now();
    restore();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const fs::path folder =
        args.size() > 1 ? fs::path(args[1].toStdString()) : fs::temp_directory_path();
    const int rounds = args.size() > 2 ? std::max(1, args[2].toInt()) : 5;
    if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
        Fail(("restore_bench needs a loop disk: " + why).c_str());

    const fs::path image = folder / "restore_bench_image.img";
    WriteImage(image);
    double windowMedian = 0, engineMedian = 0;
    {
        testsupport::LoopDisk disk(folder / "restore_bench_disk.bin", kSize, "");
        YesToAll messages;
        TMainForm form(messages);
        form.show();
        form.btnDriveRefreshClick();
        const qsizetype index =
            form.DriveList().InternalNames.indexOf(QString::fromStdString(disk.Device()));
        if (index < 0)
            Fail("the loop disk is not listed");
        auto* target = form.findChild<QComboBox*>("cmbRestoreDstDrives");
        target->setCurrentIndex(target->findText(form.DriveList().DisplayNames[index]));
        form.findChild<TDragEdit*>("txtRestoreSrcFile")
            ->setText(QString::fromStdString(image.string()));

        std::vector<double> windowTimes, engineTimes;
        for (int round = 0; round < rounds; ++round) {
            const double window = Measure(image, [&] { form.btnRestoreClick(); });
            if (!form.LogLines().last().endsWith("successfully!"))
                Fail(("the window's restore failed: " + messages.lastText.toStdString() + "\n" +
                      form.LogLines().join('\n').toStdString())
                         .c_str());
            const double engine = Measure(image, [&] {
                const std::u16string src = image.u16string();
                const std::u16string dst = fs::path(disk.Device()).u16string();
                const TOptionsStruct options{0};
                if (CallEngineJob(src.c_str(), &options, dst.c_str(), &NeverStop, 0) != 1)
                    Fail("the engine's restore failed");
            });
            std::printf("round %d: window %.3f s, engine %.3f s\n", round + 1, window, engine);
            std::fflush(stdout);
            windowTimes.push_back(window);
            engineTimes.push_back(engine);
        }
        windowMedian = Median(windowTimes);
        engineMedian = Median(engineTimes);
    }
    fs::remove(image);
    std::printf("1 GiB image onto a loop disk: median window %.3f s, engine %.3f s, "
                "ratio window/engine %.3f\n",
                windowMedian, engineMedian, windowMedian / engineMedian);
    return 0;
}

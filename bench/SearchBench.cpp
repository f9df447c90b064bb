// Walks a tree of 100,000 files in 10,000 folders (1,000 of them *.img)
// with the search window and with `find DIR -name '*.img'`, alternating,
// after one warm-up run of each, and prints the median wall time of each,
// the median of the per-round ratios search/find, how often the window
// heard of the walk's progress, and the peak memory of the process.
//
//   QT_QPA_PLATFORM=offscreen build/bench/search_bench [base folder] [rounds]
//
// The tree is made in the base folder (default /dev/shm, where it is made
// quickly; put it on the file system you want to measure) and removed at
// the end. The search runs in the real window, shown, with its list and
// labels updated while it walks.
#include "FileSearch.h"
#include "MessageService.h"
#include "SearchFrm.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTopFolders = 100;
constexpr int kSubFolders = 99; // 100 + 100 x 99 = 10,000 folders
constexpr int kFilesPerFolder = 10;

class SilentMessages : public MessageService {
  public:
    void Information(QWidget*, const QString& text) override { last = text; }
    Answer Confirm(QWidget*, const QString&) override { return Answer::Yes; }
    void Error(QWidget*, const QString& text) override { last = text; }
    Answer ConfirmBatch(QWidget*, const QString&) override { return Answer::Yes; }
    void ShowModal(QDialog*) override {}
    QString last;
};

void MakeFiles(const std::string& folder, int& counter) {
    for (int i = 0; i < kFilesPerFolder; ++i, ++counter) {
        const std::string name =
            folder + "/file" + std::to_string(counter) + (counter % 100 == 0 ? ".img" : ".dat");
        ::close(::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
}

void MakeTree(const std::string& root) {
    int counter = 0;
    for (int top = 0; top < kTopFolders; ++top) {
        const std::string folder = root + "/top" + std::to_string(top);
        ::mkdir(folder.c_str(), 0755);
        MakeFiles(folder, counter);
        for (int sub = 0; sub < kSubFolders; ++sub) {
            const std::string inner = folder + "/sub" + std::to_string(sub);
            ::mkdir(inner.c_str(), 0755);
            MakeFiles(inner, counter);
        }
    }
}

double TimeFind(const std::string& root) {
    const char* argv[] = {"find", root.c_str(), "-name", "*.img", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "find", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
        std::perror("find");
        std::exit(1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct SearchRun {
    double seconds = 0;
    int rows = 0;
    int folderUpdates = 0;
};

SearchRun TimeSearch(TSearchForm& form, const QString& root) {
    int folderUpdates = 0;
    auto* search = form.findChild<TFileSearch*>("lf");
    const auto connection = QObject::connect(search, &TFileSearch::OnDirChange, &form,
                                             [&folderUpdates] { ++folderUpdates; });
    form.findChild<QComboBox*>("cmbDirectory")->setEditText(root);
    const auto start = Clock::now();
    form.btnSearchClick();
    while (form.IsSearching())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    SearchRun run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    QObject::disconnect(connection);
    run.rows = form.fl->topLevelItemCount();
    run.folderUpdates = folderUpdates;
    QCoreApplication::processEvents(); // paints what the last delivery changed
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long StatusKiB(const char* field) {
    FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long value = -1;
    while (status && std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, std::strlen(field)) == 0)
            value = std::atol(line + std::strlen(field));
    }
    if (status)
        std::fclose(status);
    return value;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString base = argc > 1 ? argv[1] : QStringLiteral("/dev/shm");
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 11;

    QTemporaryDir dir(base + "/search-bench-XXXXXX");
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a folder in %s\n", qPrintable(base));
        return 1;
    }
    const std::string root = dir.path().toStdString();
    std::printf("Making 100,000 files in 10,000 folders under %s ...\n", root.c_str());
    MakeTree(root);

    SilentMessages messages;
    TSearchForm form(messages);
    form.show();
    QCoreApplication::processEvents();
    const long rssBefore = StatusKiB("VmRSS:");

    TimeFind(root); // warm-up: both walks start from a warm cache
    const SearchRun warm = TimeSearch(form, dir.path());
    std::printf("Search found %d rows; window says: %s\n", warm.rows, qPrintable(messages.last));

    std::vector<double> finds, searches, ratios;
    int minUpdates = INT32_MAX;
    for (int round = 0; round < rounds; ++round) {
        double find = 0;
        SearchRun search;
        if (round % 2 == 0) {
            find = TimeFind(root);
            search = TimeSearch(form, dir.path());
        } else {
            search = TimeSearch(form, dir.path());
            find = TimeFind(root);
        }
        finds.push_back(find);
        searches.push_back(search.seconds);
        ratios.push_back(search.seconds / find);
        minUpdates = std::min(minUpdates, search.folderUpdates);
        std::printf("round %2d: find %.3f s, search %.3f s, ratio %.3f, folder updates %d\n",
                    round + 1, find, search.seconds, search.seconds / find, search.folderUpdates);
    }
    std::printf("median find %.3f s, median search %.3f s, median ratio search/find %.3f\n",
                Median(finds), Median(searches), Median(ratios));
    std::printf("window updates per walk: at least %d folder changes shown\n", minUpdates);
    std::printf("memory: resident before the walks %ld KiB, peak of the process %ld KiB "
                "(%.1f MiB)\n",
                rssBefore, StatusKiB("VmHWM:"), StatusKiB("VmHWM:") / 1024.0);
    return 0;
}

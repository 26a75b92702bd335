// Times the installer's copy against `cp -r` on trees it builds itself, with the real progress
// window on screen: after one untimed round each, five rounds each, alternating which goes
// first. Prints one line per workload with the medians, then the largest pause of the event
// loop while the installer copied (single large files left out: one file is one call) and the
// peak memory of this process.
//
// With --sequence it times the whole installation instead: Modul1::Kopieren from a delivery
// folder into a bare X-Plane folder, flush included, against `cp -r` of the same files and
// `sync -f`. The event-loop gap is left out there, as the flush is one call by design.
//
//   copy-bench [--sequence] [small|flat|large|reinstall ...]   (all four when none is named)

#include "install/modul1.h"
#include "platform/app_control.h"
#include "platform/dialogs.h"
#include "platform/folder_item.h"
#include "platform/progress.h"
#include "ui/windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int rounds = 5;

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "copy-bench: %s\n", what.c_str());
    std::exit(1);
}

// Incompressible contents, so that no file system or tool can take a shortcut.
const std::vector<char>& noise(std::size_t size) {
    static std::vector<char> bytes;
    if (bytes.size() < size) {
        std::mt19937_64 random(42);
        bytes.resize(size);
        for (std::size_t i = 0; i + 8 <= size; i += 8) {
            const auto value = random();
            std::copy_n(reinterpret_cast<const char*>(&value), 8, bytes.data() + i);
        }
    }
    return bytes;
}

void writeFile(const fs::path& path, std::size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        die("cannot create " + path.string());
    const std::size_t chunk = std::min<std::size_t>(size, 1 << 20);
    const std::vector<char>& bytes = noise(chunk);
    for (std::size_t done = 0; done < size;) {
        const ssize_t put = ::write(fd, bytes.data(), std::min(chunk, size - done));
        if (put <= 0)
            die("cannot write " + path.string());
        done += static_cast<std::size_t>(put);
    }
    ::close(fd);
}

void buildSmall(const fs::path& root) {
    for (int a = 0; a < 20; ++a) {
        for (int b = 0; b < 20; ++b) {
            const fs::path folder =
                root / ("gebiet" + std::to_string(a)) / ("kachel" + std::to_string(b));
            fs::create_directories(folder);
            for (int f = 0; f < 50; ++f)
                writeFile(folder / ("textur" + std::to_string(f) + ".dds"), 4096);
        }
    }
}

void buildFlat(const fs::path& root) {
    fs::create_directories(root);
    for (int f = 0; f < 50'000; ++f)
        writeFile(root / ("objekt" + std::to_string(f) + ".obj"), 1024);
}

void buildLarge(const fs::path& root) {
    fs::create_directories(root);
    for (int f = 0; f < 4; ++f)
        writeFile(root / ("gelaende" + std::to_string(f) + ".dsf"), 256u << 20);
}

// The largest time between two turns of the event loop while it is being watched.
class GapWatch {
  public:
    GapWatch() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(2);
        QObject::connect(&timer_, &QTimer::timeout, [this] { turn(); });
    }
    void start() {
        since_.start();
        timer_.start();
    }
    void stop() {
        timer_.stop();
        since_.invalidate();
    }
    double maxMs() const { return max_ / 1e6; }

  private:
    void turn() {
        if (!since_.isValid())
            return;
        max_ = std::max(max_, since_.nsecsElapsed());
        since_.restart();
    }
    QTimer timer_;
    QElapsedTimer since_;
    qint64 max_ = 0;
};

void flushDisks() {
    ::sync();
}

double timeMs(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e6;
}

void run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        die("cannot start " + args[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        die(args[0] + " " + args[1] + " failed");
}

void runCp(const fs::path& source, const fs::path& destination) {
    run({"cp", "-r", source.string(), destination.string() + "/"});
}

void runInstaller(const fs::path& source, const fs::path& destination) {
    const Modul1::CopyReport report =
        Modul1::CopyFileOrFolder(platform::FolderItem(source), platform::FolderItem(destination));
    if (!report.ok()) {
        const Modul1::CopyFailure& first = report.firstFailures().front();
        die(std::to_string(report.failureCount()) + " entries not copied, first " +
            first.path.string() + ": " + first.reason.message());
    }
}

std::vector<fs::path> roadFolders(const fs::path& xplane) {
    const fs::path defaultScenery = xplane / "Resources" / "default scenery";
    return {defaultScenery / "x-plane legacy roads", defaultScenery / "700 roads"};
}

void layOutXPlane(const fs::path& xplane) {
    fs::create_directories(xplane / "Custom Scenery");
    for (const fs::path& folder : roadFolders(xplane))
        fs::create_directories(folder);
}

void runSequence(const fs::path& xplane) {
    platform::testing::DialogSeam seam;
    Modul1::zielordner = platform::FolderItem(xplane);
    Modul1::Kopieren();
    platform::testing::resetQuit();
    if (seam.messages != QStringList{QStringLiteral("Installation beendet")})
        die("the installation said: " + seam.messages.join(QStringLiteral(" | ")).toStdString());
}

void runCpSequence(const fs::path& delivery, const fs::path& xplane) {
    runCp(delivery / "velmora1", xplane / "Custom Scenery");
    for (const fs::path& folder : roadFolders(xplane))
        runCp(delivery / "roads_legacy.png", folder);
    run({"sync", "-f", xplane.string()});
}

std::size_t countFiles(const fs::path& root) {
    std::size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            ++count;
    }
    return count;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Workload {
    std::string name;
    std::function<void(const fs::path&)> build;
    bool overExisting = false; // copies onto the copy of the round before
    bool watchGaps = true;     // a single large file is one call that cannot yield
};

void runWorkload(const Workload& workload, bool sequence, const fs::path& scratch, GapWatch& gaps) {
    // Laid out as delivered, so that both modes copy the same tree from the same place.
    const fs::path delivery = scratch / "quelle" / "Scenery-Zusatzdateien";
    const fs::path source = delivery / "velmora1";
    workload.build(source);
    const std::size_t files = countFiles(source);
    const fs::path installerTarget = scratch / "installer";
    const fs::path cpTarget = scratch / "cp";
    const fs::path packageIn = sequence ? "Custom Scenery" : "";
    if (sequence) {
        writeFile(delivery / "roads_legacy.png", 64 << 10);
        platform::testing::setProgramFolder(scratch / "quelle");
    }

    auto prepare = [&](const fs::path& target, const std::function<void()>& copy) {
        if (!workload.overExisting)
            fs::remove_all(target);
        if (!fs::exists(target)) {
            if (sequence)
                layOutXPlane(target);
            else
                fs::create_directories(target);
            if (workload.overExisting)
                copy(); // the earlier installation that this one goes over
        }
        flushDisks();
    };
    auto installer = [&] {
        if (sequence)
            runSequence(installerTarget);
        else
            runInstaller(source, installerTarget);
    };
    auto cp = [&] {
        if (sequence)
            runCpSequence(delivery, cpTarget);
        else
            runCp(source, cpTarget);
    };
    auto complete = [&](const fs::path& target) {
        return countFiles(target / packageIn / "velmora1") == files &&
               (!sequence || std::ranges::all_of(roadFolders(target), [](const fs::path& f) {
                   return fs::is_regular_file(f / "roads_legacy.png");
               }));
    };

    // One untimed round each first: the first touch of the page cache and of the progress
    // window's fonts is not what a user waits for twice.
    prepare(installerTarget, installer);
    installer();
    prepare(cpTarget, cp);
    cp();

    std::vector<double> installerMs;
    std::vector<double> cpMs;
    for (int round = 0; round < rounds; ++round) {
        auto timeInstaller = [&] {
            prepare(installerTarget, installer);
            if (workload.watchGaps && !sequence)
                gaps.start();
            installerMs.push_back(timeMs(installer));
            gaps.stop();
        };
        auto timeCp = [&] {
            prepare(cpTarget, cp);
            cpMs.push_back(timeMs(cp));
        };
        // Alternate, so that neither side always runs on the disk state the other one left.
        if (round % 2 == 0) {
            timeInstaller();
            timeCp();
        } else {
            timeCp();
            timeInstaller();
        }
    }
    if (!complete(installerTarget) || !complete(cpTarget))
        die("workload " + workload.name + ": the copies are incomplete");
    fs::remove_all(scratch / "quelle");
    fs::remove_all(installerTarget);
    fs::remove_all(cpTarget);
    flushDisks();

    const double mine = median(installerMs);
    const double theirs = median(cpMs);
    std::printf("workload %s%s: installer %.0f ms, cp %.0f ms, ratio %.2f\n", workload.name.c_str(),
                sequence ? "-sequence" : "", mine, theirs, mine / theirs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bindWindows();
    platform::showProgressWindow();
    QApplication::processEvents();

    const std::vector<Workload> workloads = {
        {"small", buildSmall},
        {"flat", buildFlat},
        {"large", buildLarge, false, false},
        {"reinstall", buildSmall, true},
    };
    std::vector<std::string> chosen(argv + 1, argv + argc);
    const auto sequenceFlag = std::find(chosen.begin(), chosen.end(), "--sequence");
    const bool sequence = sequenceFlag != chosen.end();
    if (sequence)
        chosen.erase(sequenceFlag);
    for (const std::string& name : chosen) {
        if (std::none_of(workloads.begin(), workloads.end(),
                         [&](const Workload& w) { return w.name == name; }))
            die("unknown workload " + name + " (small, flat, large, reinstall)");
    }

    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/copy-bench-XXXXXX"));
    if (!scratch.isValid())
        die("cannot make a temporary folder");
    GapWatch gaps;
    for (const Workload& workload : workloads) {
        if (chosen.empty() ||
            std::find(chosen.begin(), chosen.end(), workload.name) != chosen.end())
            runWorkload(workload, sequence, fs::path(scratch.path().toStdString()), gaps);
    }

    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    if (!sequence)
        std::printf("max event-loop gap %.0f ms\n", gaps.maxMs());
    std::printf("peak RSS %.0f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}

// Receive benchmark: pumps a stream through a pseudo-terminal into the real main
// window (hexadecimal display) and reports the rate shown, CPU seconds per MB of
// the GUI thread, the longest stall of the event loop, peak memory, and the time
// to select and copy a 3 MB log. The raw pty read rate of the same machine is
// measured first as the ceiling.
//
//   build/tavlo-receivebench [MEGABYTES]   (default 10; QT_QPA_PLATFORM=offscreen by default)

#include "app/logview.h"
#include "app/mainwindow.h"
#include "app/sharedstate.h"
#include "serial/seriallink.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

const qint64 MB = 1000 * 1000;
const int STALL_PROBE_MS = 10;

struct Pty
{
    int master = -1, slave = -1;
    QString device;
    Pty()
    {
        char name[128] = {};
        openpty(&master, &slave, name, nullptr, nullptr);
        termios raw = {};
        tcgetattr(master, &raw);
        cfmakeraw(&raw);
        tcsetattr(master, TCSANOW, &raw);
        tcgetattr(slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
        device = QString::fromLocal8Bit(name);
    }
    ~Pty()
    {
        close(master);
        close(slave);
    }
};

std::vector<char> pattern(qint64 size)
{
    std::vector<char> data(static_cast<size_t>(size));
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return data;
}

void pump(int fd, const std::vector<char> &data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, std::min<size_t>(data.size() - done, 65536));
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
}

double threadCpuSeconds()
{
    rusage u = {};
    getrusage(RUSAGE_THREAD, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double peakMegabytes()
{
    rusage u = {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

double rawPtyRate(qint64 bytes)
{
    Pty pty;
    const std::vector<char> data = pattern(bytes);
    QElapsedTimer t;
    t.start();
    std::thread writer(pump, pty.master, std::cref(data));
    std::vector<char> buffer(65536);
    qint64 got = 0;
    while (got < bytes) {
        const ssize_t n = read(pty.slave, buffer.data(), buffer.size());
        if (n <= 0)
            break;
        got += n;
    }
    writer.join();
    return bytes / (t.nsecsElapsed() / 1e9) / MB;
}

void receiveRun(const char *label, qint64 bytes, bool autoBreak)
{
    Pty pty;
    qputenv("TAVLO_PORTS", QStringLiteral("COM250=%1").arg(pty.device).toLocal8Bit());
    SharedState state;
    MainWindow window(state);
    Ui::MainWindow &ui = *window.form();
    window.show();
    ui.组合框_端口->setCurrentText(QStringLiteral("COM250"));
    ui.编辑框1->setText(QStringLiteral("50"));
    ui.选择框_自动换行->setChecked(autoBreak);
    ui.按钮_打开串口->click();
    if (!window.端口1().isOpen()) {
        std::printf("%s: the port did not open\n", label);
        return;
    }

    QElapsedTimer sinceTick;
    qint64 worstStallMs = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        worstStallMs = std::max(worstStallMs, sinceTick.restart() - STALL_PROBE_MS);
    });

    const std::vector<char> data = pattern(bytes);
    const double cpuBefore = threadCpuSeconds();
    QElapsedTimer elapsed;
    elapsed.start();
    sinceTick.start();
    probe.start(STALL_PROBE_MS);
    std::thread writer(pump, pty.master, std::cref(data));
    while (state.rxCount < bytes)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const double seconds = elapsed.nsecsElapsed() / 1e9;
    const double cpu = threadCpuSeconds() - cpuBefore;
    writer.join();
    probe.stop();

    std::printf("%-28s %7.2f MB/s shown   %5.3f CPU s/MB   worst stall %4lld ms   peak memory %6.1f MB   %d blocks\n",
                label, bytes / seconds / MB, cpu / (bytes / double(MB)), static_cast<long long>(worstStallMs),
                peakMegabytes(), ui.超级编辑框1->document()->blockCount());
}

void copyRun(qint64 textBytes)
{
    SharedState state;
    MainWindow window(state);
    LogView &log = *window.form()->超级编辑框1;
    std::string text;
    while (static_cast<qint64>(text.size()) < textBytes)
        text += "01 03 14 00 0A 00 14 00 1E 00 28 00 32 00 3C 00 46 00 50 00 5A 00 64 3B F2 \r\n";
    log.insertAtCaret(text);
    QElapsedTimer t;
    t.start();
    log.selectAll();
    log.copy();
    const qint64 ms = t.elapsed();
    const bool whole = QApplication::clipboard()->text() == QString::fromLatin1(text.c_str());
    std::printf("%-28s %lld ms for %.1f MB of log text%s\n", "select all + copy", static_cast<long long>(ms),
                textBytes / double(MB), whole ? "" : " (the copy differs from the log!)");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("TMPDIR", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const qint64 bytes = megabytes * MB;

    std::printf("%-28s %7.2f MB/s (ceiling)\n", "raw pty read", rawPtyRate(bytes));
    receiveRun("hex, line break 50 ms", bytes, true);
    receiveRun("hex, no line break", bytes, false);
    copyRun(3 * MB);
    return 0;
}

// tavlo-devsim: a Modbus RTU device on a pseudo-terminal, for trying and testing
// the terminal without serial hardware. See --help and README.md.

#include "modbusserver.h"
#include "options.h"
#include "pseudoterminal.h"

#include <csignal>
#include <cstdio>

#include <sys/signalfd.h>
#include <unistd.h>

namespace {

const int EXIT_USAGE = 2;

// Blocks the stop signals and returns a descriptor that becomes readable when
// one arrives, so the server loop can wait for requests and signals together.
int stopSignalFd()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &stopSignals, nullptr) != 0)
        return -1;
    return signalfd(-1, &stopSignals, SFD_CLOEXEC);
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    std::string error;
    switch (parseOptions(argc, argv, options, error)) {
    case ParseResult::Help:
        std::fputs(usageText(), stdout);
        return 0;
    case ParseResult::Invalid:
        std::fprintf(stderr, "tavlo-devsim: %s (see --help)\n", error.c_str());
        return EXIT_USAGE;
    case ParseResult::Run:
        break;
    }

    // Set up before anything needs cleaning up, so an early ^C still removes the link.
    std::signal(SIGPIPE, SIG_IGN);
    const int stopFd = stopSignalFd();
    if (stopFd < 0) {
        std::perror("tavlo-devsim: signals");
        return 1;
    }

    PseudoTerminal terminal;
    if (!terminal.open(error) || (!options.linkPath.empty() && !terminal.linkAt(options.linkPath, error))) {
        std::fprintf(stderr, "tavlo-devsim: %s\n", error.c_str());
        return 1;
    }
    ModbusServer server(options, terminal.masterFd(), terminal.devicePath());
    if (!server.start(error)) {
        std::fprintf(stderr, "tavlo-devsim: %s\n", error.c_str());
        return 1;
    }

    std::printf("%s\n", terminal.devicePath().c_str());
    std::fflush(stdout);
    const int exitCode = server.run(stopFd);
    close(stopFd);
    return exitCode;
}

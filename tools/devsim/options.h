#pragma once

#include <string>

// Command line of the device simulator.
struct Options {
    int slave = 1;
    std::string linkPath;
    bool acceptSwappedCrc = false;
    bool verbose = false;
};

enum class ParseResult { Run, Help, Invalid };

// Fills options from argv; on Invalid, error says what is wrong.
ParseResult parseOptions(int argc, char **argv, Options &options, std::string &error);

const char *usageText();

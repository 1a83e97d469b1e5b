#pragma once

#include <cstdint>
#include <string>

// The program file of a running process (/proc/PID/exe); empty when the process is
// gone, belongs to someone we may not look at, or `pid` is 0.
std::string ProgramPath(uint32_t pid);

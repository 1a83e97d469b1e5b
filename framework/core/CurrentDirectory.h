#pragma once

#include <string>

// The process's current directory, which the log scan moves as the document always has.

// Makes `folder` current; false (current directory unchanged) when it cannot.
bool SetCurrentDirectory(const std::string& folder);

// Absolute path of the current directory, ending with '/'; empty when unknown.
std::string GetCurrentDirectory();

#pragma once

#include <string>

// What an installer leaves in the options folder: preferences with the defaults, an
// empty group tree (so that the very first load scans the logs) and a small catalogue
// of predefined groups.
std::string FirstStartViewOptionsText();

enum class FirstStartResult {
  AlreadySetUp,  // the folder exists: nothing is touched, even if files are missing
  Created,       // the folder and the three files were made
  Failed,        // the folder or a file could not be made
};

// Creates `optionsFolder` with the three files when the folder is missing. The
// catalogue is a copy of `shippedCatalogue` when that file can be read (an installed
// program ships one), else the built-in one.
FirstStartResult PrepareOptionsFolder(const std::string& optionsFolder, std::string& error,
                                      const std::string& shippedCatalogue = {});

// The catalogue an installed program ships, found relative to the program's folder.
std::string ShippedCataloguePath();

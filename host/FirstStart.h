#pragma once

#include <string>

// What an installer leaves in the options folder: preferences with the defaults, an
// empty group tree (so that the very first load scans the logs) and a small catalogue
// of predefined groups.
std::string FirstStartViewOptionsText();

enum class FirstStartResult {
  AlreadySetUp,  // the folder and the three files were there: nothing is touched
  Created,       // the folder or a file that was missing was made
  Failed,        // the folder or a missing file could not be made
};

// Creates `optionsFolder` and whichever of the three files is missing, at every start:
// a start that failed half way (a full disk) is made good by the next. Nothing that
// exists is replaced, be it a file, a folder or a link. The catalogue is a copy of
// `shippedCatalogue` when that file can be read (an installed program ships one), else
// the built-in one.
FirstStartResult PrepareOptionsFolder(const std::string& optionsFolder, std::string& error,
                                      const std::string& shippedCatalogue = {});

// The catalogue an installed program ships, found relative to the program's folder.
std::string ShippedCataloguePath();

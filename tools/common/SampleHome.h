#pragma once

#include <string>

// The options of a demonstration home: a group tree that divides the editor, the
// browser and the office programs between two projects by their window captions,
// with sub-groups, a communication group and a breaks group; preferences whose data
// folder is `dataFolder`; and a small catalogue of predefined groups.

// The files' exact bytes, as the program itself writes them (CR LF line ends). The
// catalogue is the one shipped as packaging/predefgroups.xml.
std::string SampleViewOptionsText();
std::string SamplePredefinedGroupsText();
std::string SampleMainPrefsText(const std::string& dataFolder);

// Writes the three files into `home`/options/ (created when missing). Without
// `overwrite` nothing is written when any of them exists. False with `error` set on
// failure.
bool WriteSampleOptions(const std::string& home, const std::string& dataFolder, bool overwrite,
                        std::string& error);

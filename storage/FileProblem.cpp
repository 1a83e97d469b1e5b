#include "storage/FileProblem.h"

std::string DescribeFileProblem(const FileProblem& problem) {
  const bool groups = problem.file == OptionsFile::Groups;
  const std::string what = groups ? "the groups" : "the settings";
  switch (problem.code) {
    case FileProblemCode::None:
      return {};
    case FileProblemCode::Unreadable:
      return "Cannot read " + problem.path + ". It was left as it is; " +
             (groups ? "changes to the groups are not saved until it can be read."
                     : "the default settings are used.");
    case FileProblemCode::NotATree:
      return problem.path + " is a link to " + problem.other +
             ", which holds no groups. Both were left as they are; changes to the groups "
             "are not saved.";
    case FileProblemCode::SetAside:
      return "The groups in " + problem.path + " could not be read. The file was kept as " +
             problem.other + ", and the groups start anew.";
    case FileProblemCode::NotSaved:
      return "Cannot save " + what + " to " + problem.path +
             ". The file keeps what it held before, so changes made since are not in it.";
  }
  return {};
}

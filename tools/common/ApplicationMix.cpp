#include "tools/common/ApplicationMix.h"

namespace {

std::vector<Application> MakeMix() {
  std::vector<Application> mix;
  mix.push_back({"Text Editor",
                 "editor",
                 "/usr/bin/editor",
                 30,
                 {{"main.cpp - apollo - Text Editor", "Scheduler.cpp - apollo - Text Editor",
                   "CMakeLists.txt - apollo - Text Editor"},
                  {"renderer.cpp - zephyr - Text Editor", "Shader.h - zephyr - Text Editor"},
                  {"notes.txt - Text Editor", "todo.md - Text Editor"}}});
  mix.push_back(
      {"Web Browser",
       "browser",
       "/usr/bin/browser",
       22,
       {{"Apollo issue 1432 - Tracker - Web Browser", "Apollo wiki - Web Browser"},
        {"Zephyr design notes - Web Browser", "Zephyr build status - Web Browser"},
        {"News - Web Browser", "Search results - Web Browser", "Weather - Web Browser"}}});
  mix.push_back({"Terminal",
                 "terminal",
                 "/usr/bin/terminal",
                 14,
                 {{"dev@workstation: ~/src/apollo"},
                  {"dev@workstation: ~/src/zephyr"},
                  {"dev@workstation: ~"}}});
  mix.push_back({"Mail",
                 "mail",
                 "/usr/bin/mail",
                 10,
                 {{"Re: Apollo release plan - Mail"},
                  {"Zephyr review invitation - Mail"},
                  {"Inbox (3) - Mail", "Inbox - Mail"}}});
  mix.push_back(
      {"Chat",
       "chat",
       "/usr/bin/chat",
       10,
       {{"#apollo - Chat"}, {"#zephyr - Chat"}, {"#general - Chat", "Direct messages - Chat"}}});
  mix.push_back({"Writer",
                 "writer",
                 "/usr/bin/writer",
                 6,
                 {{"Apollo proposal.odt - Writer"},
                  {"Zephyr report.odt - Writer"},
                  {"Letter.odt - Writer"}}});
  mix.push_back({"Spreadsheet",
                 "spreadsheet",
                 "/usr/bin/spreadsheet",
                 5,
                 {{"Apollo budget.ods - Spreadsheet"},
                  {"Zephyr timeline.ods - Spreadsheet"},
                  {"Expenses.ods - Spreadsheet"}}});
  mix.push_back({"Files",
                 "files",
                 "/usr/bin/files",
                 3,
                 {{"apollo - Files"}, {"zephyr - Files"}, {"Home - Files"}}});
  return mix;
}

}  // namespace

const std::vector<Application>& ApplicationMix() {
  static const std::vector<Application> mix = MakeMix();
  return mix;
}

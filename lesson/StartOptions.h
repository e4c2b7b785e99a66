// The program's command line: a verb list to start on, help and version, and the file
// name the framework has always taken.
#pragma once

#include <string>
#include <vector>

struct StartOptions
{
    enum class Action
    {
        Run,
        Help,    // print Usage() and exit 0
        Version, // print VersionText() and exit 0
        Fail     // print m_strError and exit 2
    };
    Action m_nAction = Action::Run;
    std::string m_strList;     // --list FILE: the lesson's verb list
    std::string m_strDocument; // a plain FILE: the document is named after it, as File > Open does
    bool m_bEdit = false;      // --edit [FILE]: the verb list editor opens at start
    std::string m_strEdit;     // its FILE; empty for the list in use
    std::string m_strExport;   // --export-progress FILE: the review record, with no window
    std::string m_strError;    // one line, naming the program
};

// The arguments after the program's name. Options: --list FILE (or --list=FILE), --lists
// [FILE] (the desktop entry's form: the name that follows, if any, is a verb list),
// --edit [FILE] (or --edit=FILE; the name that follows, if any, is the list to edit),
// --export-progress FILE (or --export-progress=FILE), --help, --version; "--" ends them.
StartOptions ParseStartOptions(const std::vector<std::string>& args);

// In the interface language; valid until the next call.
const char* Usage();
const char* VersionText();

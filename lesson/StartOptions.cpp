#include "lesson/StartOptions.h"

#include "framework/Translation.h"

namespace
{

// TRANSLATORS: taldrin --help. The option names, FILE, file names, paths, program names and
// menu paths (as the menus are translated) stay; keep each line under 80 columns.
const char kUsage[] = TR_NOOP(
    "Usage: taldrin [--list FILE] [--edit [FILE]] [FILE]\n"
    "Drills the irregular verbs of English in a window.\n"
    "\n"
    "  --list FILE    start on the verb list FILE (checked first, as Lesson > Verb List...\n"
    "                 does) and keep it for the runs that follow\n"
    "  --lists [FILE] the same for the desktop's \"Open With\": without FILE nothing changes\n"
    "  --edit [FILE]  open the verb list FILE in the verb list editor (without FILE, the\n"
    "                 list in use, as Lesson > Edit Verb List... does)\n"
    "  --export-progress FILE\n"
    "                 write what Lesson > Progress... shows of each question of the\n"
    "                 list in use (its box, answers and due date) to FILE as CSV, and exit\n"
    "  --help         print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "A plain FILE only names the lesson, as File > Open does; nothing is read from it.\n"
    "Without --list the lessons read the list chosen last, or else irregu.ver (or\n"
    "irrtes.ver) from the working directory, ~/.local/share/taldrin or the installed lists.\n"
    "Use taldrin-check to see what a lesson makes of a list.\n");

const char kVersion[] = "taldrin 1.0\n";

} // namespace

StartOptions ParseStartOptions(const std::vector<std::string>& args)
{
    StartOptions options;
    const auto fail = [&options](const std::string& strError) {
        options.m_nAction = StartOptions::Action::Fail;
        // TRANSLATORS: a wrong command line; {1} says what is wrong. The command stays.
        options.m_strError = "taldrin: " + FillIn(Tr("{1} (try 'taldrin --help')"), {strError});
        return options;
    };
    bool bOptions = true, bListFollows = false, bEditFollows = false;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& strArg = args[i];
        if (bOptions && strArg == "--")
            bOptions = false;
        else if (bOptions && strArg == "--help")
            options.m_nAction = StartOptions::Action::Help;
        else if (bOptions && strArg == "--version")
            options.m_nAction = StartOptions::Action::Version;
        else if (bOptions && strArg == "--lists")
            bListFollows = true;
        else if (bOptions && strArg == "--edit")
            options.m_bEdit = bEditFollows = true;
        else if (bOptions && strArg.rfind("--edit=", 0) == 0)
        {
            if (strArg.size() == 7)
                return fail(FillIn(Tr("option '{1}' needs a file"), {"--edit="}));
            options.m_bEdit = true;
            options.m_strEdit = strArg.substr(7);
        }
        else if (bOptions && (strArg == "--export-progress" || strArg.rfind("--export-progress=", 0) == 0))
        {
            const bool bJoined = strArg.size() > 17;
            if (bJoined ? strArg.size() == 18 : i + 1 == args.size() || args[i + 1].empty())
                return fail(FillIn(Tr("option '{1}' needs a file"), {"--export-progress"}));
            options.m_strExport = bJoined ? strArg.substr(18) : args[++i];
        }
        else if (bOptions && strArg == "--list")
        {
            if (i + 1 == args.size() || args[i + 1].empty())
                return fail(FillIn(Tr("option '{1}' needs a file"), {"--list"}));
            options.m_strList = args[++i];
        }
        else if (bOptions && strArg.rfind("--list=", 0) == 0)
        {
            if (strArg.size() == 7)
                return fail(FillIn(Tr("option '{1}' needs a file"), {"--list"}));
            options.m_strList = strArg.substr(7);
        }
        else if (bOptions && strArg.size() > 1 && strArg[0] == '-')
            return fail(FillIn(Tr("unknown option '{1}'"), {strArg}));
        else if (bListFollows && options.m_strList.empty())
            options.m_strList = strArg;
        else if (bEditFollows && options.m_strEdit.empty())
            options.m_strEdit = strArg;
        else if (options.m_strDocument.empty())
            options.m_strDocument = strArg;
        else
            return fail(FillIn(Tr("more than one file: '{1}'"), {strArg}));
        if (options.m_nAction != StartOptions::Action::Run)
            return options;
    }
    return options;
}

const char* Usage()
{
    static std::string strUsage;
    strUsage = Tr(kUsage);
    return strUsage.c_str();
}

const char* VersionText()
{
    return kVersion;
}

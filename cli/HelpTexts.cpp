#include "cli/HelpTexts.h"

#include <algorithm>
#include <string>

#include "cli/ToolCommand.h"

namespace {

constexpr std::string_view kToolHelp =
    R"(usage: tarnek-levels [-C DIR] COMMAND [ARGUMENTS]

Edits the level tables of the VLOX Tarnek MOD without a desktop. Works like the
level editor on the current directory: the settings database
TarnekChangeLevelDatabase/TarnekChangeLevel.mdb (created from the carried copy
when missing) and the plugin sources tarnek/base.h and tarnek/skills.inl. The
directory must hold the plugin's tarnek folder.

Commands:
)";

constexpr std::string_view kToolHelpEnd = R"(  help [COMMAND]               this text, or a command's

Options:
  -C DIR        work in DIR instead of the current directory; a relative
                FILE is then taken from DIR too
  -h, --help    show help; after a command, that command's help
  --version     print the tool's version

Names are the editor's field names (xpLevelSaved, vampiricIncrement,
devotionValue, orbMaxChance, ...); "tarnek-levels show" lists them all.

Exit status: 0 done, 1 refused or failed, 2 wrong command line.
)";

}  // namespace

constexpr std::string_view kShowHelp =
    R"(usage: tarnek-levels [-C DIR] show [--json]

Prints the whole configuration: the level count, the 31 value lists with their
lengths, devotionValue and the 46 parameter texts, grouped by the window that
edits them. Texts that are empty or hold spaces or quotes are shown quoted.

  --json    print the same JSON as "export"
)";

constexpr std::string_view kLevelsHelp =
    R"(usage: tarnek-levels [-C DIR] levels N [--yes]

Does what "Создать уровни" does: sets the level count to N, recomputes all 31
lists from their parameters (every hand-edited value is replaced; devotionValue
and the maximum chances stay) and saves everything, which also rewrites
tarnek/base.h and tarnek/skills.inl.

N is one of the counts the editor offers: 10, 13, 16, ..., 100. Below 10 and
above 100 the change is refused. On a terminal the editor's question is asked;
otherwise nothing changes unless --yes is given.

  -y, --yes    recompute without asking
)";

constexpr std::string_view kFillHelp =
    R"(usage: tarnek-levels [-C DIR] fill LIST [NAME=VALUE ...]

Does what LIST's fill button does: sets the given parameter texts, regenerates
LIST with its own fill rule and saves as the window that owns LIST saves:
  XP lists       the whole configuration (with the level count and the eight
                 XP parameters)
  skill lists    the skill tier (its table and its parameters; for tier 2 also
                 devotionValue), then both plugin sources

Each NAME must belong to the same window as LIST. A fill keeps the level count:
change it with "levels N", which recomputes every list. Example:
  tarnek-levels fill xpLevelSaved xpLevelSavedMultiplier=3 xpLevelSavedInitial=500
)";

constexpr std::string_view kSetHelp =
    R"(usage: tarnek-levels [-C DIR] set NAME VALUE

Sets one text exactly as given and saves as the window that owns it:
  a parameter text      e.g. set vampiricIncrement 0.05
  devotionValue         set devotionValue 20
  one value of a list   set xpLevelSaved[3] 9000   (index from 0)
XP values and XP parameters are saved with the whole configuration; skill values
and parameters with their tier, followed by both plugin sources. To change the
level count use "levels".
)";

constexpr std::string_view kGenerateHelp =
    R"(usage: tarnek-levels [-C DIR] generate

Rewrites tarnek/base.h and tarnek/skills.inl from the database, as every save
does. The tarnek folder must exist.
)";

constexpr std::string_view kCompileHelp =
    R"help(usage: tarnek-levels [-C DIR] compile [--json | --detach]

Does what "Компилировать плагин" does: saves the whole configuration (which
rewrites both plugin sources), deletes compiled/vloxTarnekMod.amxx, runs the
plugin compiler of the directory (compile.sh; compile.exe on Windows) and waits
for it. Its output goes to standard output as it comes, then one line says what
came of it, "compiled: compiled/vloxTarnekMod.amxx (815 bytes)" or
"compile failed: 2 errors", followed by each error line with the list and level
(as "show" names them) that a line of base.h or skills.inl holds.

Succeeds only when the compiler wrote a new compiled/vloxTarnekMod.amxx and
printed no error line: the compiler's own exit status says nothing. Ctrl+C
stops the compiler and everything it started.

Options:
  --json      print the result as one JSON object instead: outcome, compiled,
              headline, exitStatus, pluginSize, errors, warnings, diagnostics
              (kind, file, line, code, text, list, level) and output
  --detach    start the compiler and return without waiting for it, as the
              editor once did; fails only when it could not be started
)help";

constexpr std::string_view kExportHelp =
    R"(usage: tarnek-levels [-C DIR] export [FILE]

Writes the whole configuration as JSON (UTF-8) to FILE, or to standard output
without FILE or with "-": levelCountText, the 31 lists, devotionValue and the 46
parameter texts, in that order, every value as its exact text.
)";

constexpr std::string_view kImportHelp =
    R"(usage: tarnek-levels [-C DIR] import [FILE]

Replaces the whole configuration with the JSON in FILE, or on standard input
without FILE or with "-". The JSON must have exactly the shape "export" writes:
every key, no other key, strings and arrays of strings, a level count from 1
to 10000 and every list as long as that count makes it, at most 4 MB. A value
with a character no number holds (brackets, ';', '#', quotes, ...) or longer
than 64 characters is refused too. Anything else is refused with the offending
key named, and nothing is changed. Everything is written in one transaction; then both plugin
sources are rewritten.
)";

constexpr std::string_view kProgressionHelp =
    R"(usage: tarnek-levels [-C DIR] progression [--json]

Prints how many kills the climb takes, counting every kill against an opponent
of the player's own level: for each level above 0, the kills of the step that
reaches it and the kills from level 0, for short-term XP (kq4_save_xp 0) and
saved XP (kq4_save_xp 1) side by side. The step from level L to L+1 takes

  (XP needed for L+1 - XP needed for L) / XP a kill of level L gives

kills, rounded up. A step is undefined ("-") where a cell is not a whole number,
where a kill gives 0 XP or less, or where the needed XP falls; each such step is
named after the table with its cell, and the total stops at the first of them.

  --json    the same as JSON: per mode its steps with level, kills and total
            (null where undefined), an undefined step also with its gap
            ("not-a-number", "no-xp-per-kill", "falling-needed-xp"), cell and
            reason
)";

constexpr std::string_view kAdoptHelp =
    R"(usage: tarnek-levels [-C DIR] adopt [--dry-run]

Reads the plugin's own tarnek/base.h and tarnek/skills.inl (as the editor wrote
them or as edited by hand) and takes their level count, the 31 lists,
devotionValue and the ten maximum chances over into the configuration; the fill
parameters stay. Prints how many lists and cells changed, and the level count
when it changed. Then saves like "import": everything in one transaction, then
both sources. Sources that would come out different from what they hold now are
first copied to base.h.orig and skills.inl.orig (an existing copy is kept).
A source that cannot be read, a value with a character no number holds, or a
definition inside #if/#ifdef/#ifndef ... #endif is reported with its file and
line, and nothing is changed.

  -n, --dry-run   only report what would change; save nothing
)";

constexpr std::string_view kFitHelp =
    R"(usage: tarnek-levels [-C DIR] fit MODE (--hours H --kills-per-hour K | --kills N)
                             [--level N] [--parameter NAME] [--dry-run] [--json]

Chooses the value of one fill parameter of MODE's lists (shortTerm: kq4_save_xp 0,
saved: kq4_save_xp 1) whose fill makes the climb from level 0 to level N take
as close to the target as any value makes it, counted as "progression" counts
(against opponents of the same level). Then sets the parameter and fills its
list, as the fill button does, in one save of the whole configuration. Prints
the value, the climb it gives and the table of "progression" after the fill.

Values for which a value of the list would pass the 32-bit range of the
plugin's integers, or a step up to level N would be undefined, are not
considered; a target outside what the other values give is refused, naming
the nearest climb, and nothing is changed.

  --hours H, --kills-per-hour K   the target as hours of play (decimals allowed)
  --kills N                       the target as a number of kills instead
  --level N                       the level of the target (default: the top level)
  --parameter NAME                shortTerm: xpLevelShortTermIncrement (default),
                                  xpLevelShortTermInitial, xpGivenShortTermIncrement,
                                  xpGivenShortTermInitial; saved:
                                  xpLevelSavedMultiplier (default),
                                  xpLevelSavedInitial, xpGivenSavedIncrement,
                                  xpGivenSavedInitial
  -n, --dry-run                   only show what the fill would give; save nothing
  --json                          the same as JSON: mode, parameter, value, list,
                                  level, total, target, difference, saved, hours
                                  (with --hours) and the mode's steps as
                                  "progression --json" lists them
)";

std::string_view ToolHelp()
{
    static const std::string text = [] {
        constexpr std::size_t synopsisWidth = 29;
        std::string all(kToolHelp);
        for (const ToolCommand& command : ToolCommands()) {
            all += "  ";
            all += command.synopsis;
            all.append(synopsisWidth - std::min(synopsisWidth, command.synopsis.size()), ' ');
            all += command.summary;
            all += '\n';
        }
        return all + std::string(kToolHelpEnd);
    }();
    return text;
}

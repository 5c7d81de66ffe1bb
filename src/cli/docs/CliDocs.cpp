// tessivar-cli-docs: writes tessivar-cli's manual page and its bash completion from the
// command table, at build time, so that neither can drift from the tool's own help.
//
//   tessivar-cli-docs man OUT.1
//   tessivar-cli-docs bash-completion OUT

#include "cli/CommandTable.h"

#include "core/files/AtomicFile.h"

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

using namespace tessivar::cli;

// Text as roff reads it: minus signs and backslashes escaped, and no line taken for a
// request because it starts with a dot or a quote.
std::string Roff(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '-' || c == '\\')
            out += '\\';
        out += c;
    }
    std::string lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines += (line.starts_with('.') || line.starts_with('\'') ? "\\&" : "") + line + "\n";
    return lines;
}

std::string ManOption(const OptionSpec& option) {
    std::string head = "\\fB" + Roff(option.Name);
    head.pop_back();
    if (option.Alias) {
        head += "\\fR, \\fB" + Roff(option.Alias);
        head.pop_back();
    }
    head += "\\fR";
    if (option.Value) {
        head += " \\fI" + Roff(option.Value);
        head.pop_back();
        head += "\\fR";
    }
    return ".TP\n" + head + "\n" + Roff(option.Help);
}

std::string ManPage() {
    std::string page = ".TH TESSIVAR\\-CLI 1 \"\" \"" + Roff(VersionLine());
    page.pop_back();
    page += "\" \"User Commands\"\n"
            ".SH NAME\n"
            "tessivar\\-cli \\- read, convert and export Tessivar tile sets and maps\n"
            ".SH SYNOPSIS\n"
            ".B tessivar\\-cli\n"
            ".I COMMAND\n"
            "[\\fIOPTIONS\\fR] [\\fB\\-\\-\\fR] \\fIOPERANDS\\fR\n"
            ".br\n"
            ".B tessivar\\-cli help\n"
            ".I COMMAND\n"
            ".br\n"
            ".B tessivar\\-cli\n"
            "\\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR\n"
            ".SH DESCRIPTION\n"
            "\\fBtessivar\\-cli\\fR is the headless tool of the \\fBtessivar\\fR(1) tile "
            "editor, for Makefiles and build pipelines. It describes, upgrades, renders and "
            "exports the editor's tile sets (\\fI.vxt\\fR) and maps (\\fI.vxm\\fR) as "
            "assembler source or binaries, and cuts pictures into Tiles.\n";
    for (const std::string& note : ConventionNotes())
        page += ".PP\n" + Roff(note);
    page += ".SH COMMANDS\n";
    for (const CommandSpec& command : Commands()) {
        page += ".SS \"" + Roff(std::string(command.Name) + " " + command.Operands);
        page.pop_back();
        page += "\"\n" + Roff(command.Summary);
        for (const OptionSpec& option : command.Options)
            page += ManOption(option);
    }
    page += ".SH OPTIONS\n";
    for (const OptionSpec& option : ProgramOptions())
        page += ManOption(option);
    page += ".SH \"EXIT STATUS\"\n"
            ".TP\n.B 0\nSuccess, including \\fB\\-\\-help\\fR and \\fB\\-\\-version\\fR.\n"
            ".TP\n.B 1\nA file was refused or could not be read or written. The reason is "
            "printed on standard error, and no half\\-written output is left behind.\n"
            ".TP\n.B 2\nThe command line was mistyped: an unknown command or option, a "
            "missing value or operand, or a value out of range. The command's usage is "
            "printed on standard error.\n"
            ".SH FILES\n"
            ".TP\n.I *.vxt\nTile sets, written as \"VX03\"; \"VX01\" and \"VX02\" are read.\n"
            ".TP\n.I *.vxm\nMaps, written as \"VX02\"; \"VX01\" is read.\n"
            ".TP\n.I FORMAT.json\nExport formats, saved by the editor's \"Save format...\" "
            "button.\n"
            ".SH EXAMPLES\n"
            "Describe a tile set as JSON:\n"
            ".PP\n.RS\n.nf\ntessivar\\-cli info tiles.vxt \\-\\-json\n.fi\n.RE\n"
            ".PP\nWrite the Blocks 0 to 15 of a tile set as 68000 source:\n"
            ".PP\n.RS\n.nf\ntessivar\\-cli export\\-tiles tiles.vxt \\-o tiles.s "
            "\\-\\-dialect 68k \\-\\-blocks 0\\-0x0F\n.fi\n.RE\n"
            ".PP\nA Makefile rule that rebuilds a level's source whenever its map, tile set "
            "or format changes:\n"
            ".PP\n.RS\n.nf\n"
            "level1.asm: level1.vxm tiles.vxt format.json\n"
            "\ttessivar\\-cli export\\-map $< \\-o $@ \\-\\-format format.json "
            "\\-\\-tileset tiles.vxt\n"
            ".fi\n.RE\n"
            ".SH \"SEE ALSO\"\n"
            ".BR tessivar (1)\n";
    return page;
}

// How the value of an option completes: the words of "a|b|c", the files of
// "OUT.bmp|OUT.png", the files of the command's operands for "OUT", or nothing for
// numbers and sizes.
std::string CompleteValue(const std::string& value) {
    if (value == "OUT")
        return "_tessivar_cli_files $files";
    std::string words;
    std::string extensions;
    std::istringstream parts(value);
    for (std::string part; std::getline(parts, part, '|');) {
        const auto dot = part.rfind('.');
        if (dot != std::string::npos)
            extensions += " " + part.substr(dot + 1);
        else
            words += " " + part;
    }
    if (!extensions.empty())
        return "_tessivar_cli_files" + extensions;
    if (value.find('|') != std::string::npos)
        return "COMPREPLY=($(compgen -W \"" + words.substr(1) + "\" -- \"$cur\"))";
    return ":";
}

std::string BashCompletion() {
    std::string commands;
    for (const CommandSpec& command : Commands())
        commands += std::string(commands.empty() ? "" : " ") + command.Name;
    std::string perCommand;
    std::string values;
    for (const CommandSpec& command : Commands()) {
        std::string options = "--help";
        for (const OptionSpec& option : command.Options) {
            options += std::string(" ") + option.Name;
            if (option.Alias)
                options += std::string(" ") + option.Alias;
            if (!option.Value)
                continue;
            std::string labels = std::string("\"") + command.Name + " " + option.Name + "\"";
            if (option.Alias)
                labels += std::string("|\"") + command.Name + " " + option.Alias + "\"";
            values += "    " + labels + ")\n        " + CompleteValue(option.Value) +
                      "\n        return ;;\n";
        }
        perCommand += std::string("    ") + command.Name + ")\n        options=\"" + options +
                      "\"\n        files=\"" + command.OperandFiles + "\" ;;\n";
    }
    return "# bash completion for tessivar-cli, written from the tool's command table.\n"
           "\n"
           "# Directories and the files whose names end in one of the extensions given.\n"
           "_tessivar_cli_files() {\n"
           "    local ext\n"
           "    compopt -o filenames 2>/dev/null\n"
           "    COMPREPLY+=($(compgen -d -- \"$cur\"))\n"
           "    for ext in \"$@\"; do\n"
           "        COMPREPLY+=($(compgen -f -X \"!*.$ext\" -- \"$cur\"))\n"
           "        COMPREPLY+=($(compgen -f -X \"!*.${ext^^}\" -- \"$cur\"))\n"
           "    done\n"
           "}\n"
           "\n"
           "_tessivar_cli() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
           "    local commands=\"" +
           commands +
           "\"\n"
           "    local options files i\n"
           "    COMPREPLY=()\n"
           "    if ((COMP_CWORD == 1)); then\n"
           "        COMPREPLY=($(compgen -W \"$commands help --help --version\" -- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    local command=${COMP_WORDS[1]}\n"
           "    if [[ $command == help ]]; then\n"
           "        ((COMP_CWORD == 2)) && COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    case $command in\n" +
           perCommand +
           "    *) return ;;\n"
           "    esac\n"
           "    # After --, every argument is a file.\n"
           "    for ((i = 2; i < COMP_CWORD; i++)); do\n"
           "        if [[ ${COMP_WORDS[i]} == -- ]]; then\n"
           "            _tessivar_cli_files $files\n"
           "            return\n"
           "        fi\n"
           "    done\n"
           "    # --name=value: bash splits the word at the equals sign.\n"
           "    if [[ $cur == = ]]; then\n"
           "        cur=\n"
           "    elif [[ $prev == = ]] && ((COMP_CWORD > 2)); then\n"
           "        prev=${COMP_WORDS[COMP_CWORD - 2]}\n"
           "    fi\n"
           "    case \"$command $prev\" in\n" +
           values +
           "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "    else\n"
           "        _tessivar_cli_files $files\n"
           "    fi\n"
           "}\n"
           "complete -F _tessivar_cli tessivar-cli\n";
}

} // namespace

int main(int argc, char** argv) {
    const std::string what = argc == 3 ? argv[1] : "";
    if (what != "man" && what != "bash-completion") {
        std::fputs("usage: tessivar-cli-docs man|bash-completion OUT\n", stderr);
        return 2;
    }
    const std::string text = what == "man" ? ManPage() : BashCompletion();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const tessivar::Status saved = tessivar::SaveFileAtomically(argv[2], {bytes, text.size()});
    if (!saved) {
        std::fprintf(stderr, "tessivar-cli-docs: cannot write %s: %s\n", argv[2],
                     saved.error().c_str());
        return 1;
    }
    return 0;
}

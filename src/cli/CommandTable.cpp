#include "cli/CommandTable.h"

#include "cli/CliCommands.h"

namespace tessivar::cli {

namespace {

OptionSpec Output(const char* value, const char* help = "the file to write") {
    return {"-o", value, help, "--output", true};
}

const OptionSpec kKind = {"--kind", "tileset|map",
                          "read the input as this kind, whatever its name or contents"};
const OptionSpec kBlock = {"--block", "WxH", "Block size in pixels (default 8x8)"};
const OptionSpec kDialect = {"--dialect", "z80|68k",
                             "\" .db \" lines for Z80 assemblers (default) or \" dc.b \" "
                             "lines for 68000 ones"};
const OptionSpec kFormat = {"--format", "FORMAT.json", "the export format saved by the editor"};
const OptionSpec kJson = {"--json", nullptr, "print the result as one JSON object"};
const OptionSpec kDepFile = {"--depfile", "FILE",
                             "also write a Make rule: the files written depend on every file "
                             "read"};
const OptionSpec kDepFilePhony = {"--depfile-phony", nullptr,
                                  "with --depfile, add an empty rule for each file read"};

constexpr int kHelpColumn = 28;

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> split;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto space = text.find(' ', start);
        const auto end = space == std::string::npos ? text.size() : space;
        if (end > start)
            split.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return split;
}

// "  LEFT   TEXT", the text starting at the help column (on the next line when the left
// part reaches it) and wrapped there.
std::string Row(const std::string& left, const std::string& text) {
    std::string line = "  " + left;
    if (line.size() + 2 > kHelpColumn)
        line += "\n" + std::string(kHelpColumn, ' ');
    else
        line.resize(kHelpColumn, ' ');
    return line + WrapWords(Words(text), kHelpColumn, kHelpColumn) + "\n";
}

std::string OptionLeft(const OptionSpec& option) {
    std::string left = option.Name;
    if (option.Alias)
        left += std::string(", ") + option.Alias;
    if (option.Value)
        left += std::string(" ") + option.Value;
    return left;
}

} // namespace

const std::vector<CommandSpec>& Commands() {
    static const std::vector<CommandSpec> commands = {
        {"info",
         "FILE",
         "describe a tile set (.vxt) or map (.vxm) file",
         "vxt vxm",
         {{"--json", nullptr, "print one JSON object"},
          {"--tiles", nullptr, "with --json, also list each Tile's palettes and information"},
          kKind},
         RunInfo},
        {"upgrade",
         "IN [OUT]",
         "rewrite an older tile set or map in the current version",
         "vxt vxm",
         {Output("OUT", "the file to write, instead of the second operand"), kKind, kDepFile,
          kDepFilePhony},
         RunUpgrade},
        {"decode",
         "IN.jpg",
         "decode a JPEG picture into a 24-bit bitmap",
         "jpg jpeg",
         {Output("OUT.bmp"), kDepFile, kDepFilePhony},
         RunDecode},
        {"render-map",
         "MAP.vxm",
         "write the map as a picture, 8 x 8 pixels a cell (.png names give a PNG)",
         "vxm",
         {Output("OUT.bmp|OUT.png"),
          {"--tileset", "SET.vxt", "draw with this tile set instead of the one the map names"},
          kKind,
          kDepFile,
          kDepFilePhony},
         RunRenderMap},
        {"export-tiles",
         "SET.vxt",
         "write the Blocks of a tile set as assembler source",
         "vxt",
         {Output("OUT.asm"),
          kDialect,
          {"--preset", "bw|gray|bw-anim|gray-anim",
           "a built-in format: black and white or grey levels, with or without animation"},
          kFormat,
          kBlock,
          {"--blocks", "FROM-TO", "only the Blocks FROM to TO (one number: just that Block)"},
          kKind,
          kDepFile,
          kDepFilePhony},
         RunExportTiles},
        {"export-map",
         "MAP.vxm",
         "write a map as assembler source",
         "vxm",
         {Output("OUT.asm"),
          kDialect,
          kFormat,
          {"--offset", "N", "add N to every Tile number written"},
          kBlock,
          {"--tileset", "SET.vxt",
           "read the information categories from this tile set instead of the one the map "
           "names"},
          {"--binary", nullptr,
           "write the bytes assembling the source would give, for INCBIN, instead of source"},
          kKind,
          kDepFile,
          kDepFilePhony},
         RunExportMap},
        {"export-binary",
         "SET.vxt",
         "write the Blocks as raw bit planes, 16 bytes a Tile",
         "vxt",
         {Output("OUT.bin"), kBlock, kKind, kDepFile, kDepFilePhony},
         RunExportBinary},
        {"import-binary",
         "SET.vxt IN.bin",
         "read 16-byte Tiles into a copy of a tile set",
         "vxt bin",
         {Output("OUT.vxt"),
          {"--at", "TILE", "store the Tiles from this slot on (default 0)"},
          {"--grow", nullptr, "raise the tile count to keep Tiles stored past it"},
          kKind,
          kDepFile,
          kDepFilePhony},
         RunImportBinary},
        {"import",
         "PICTURE",
         "cut a picture (.bmp, .png or .jpg) into Tiles, and into a map with --map-out",
         "bmp png jpg jpeg",
         {Output("OUT.vxt"),
          {"--into", "SET.vxt", "add the Tiles to this tile set instead of a new one"},
          {"--at", "TILE", "store the Tiles from this slot on (default 0)"},
          {"--insert", nullptr, "insert the Tiles before the slot instead of overwriting"},
          {"--reuse", nullptr,
           "with --into, show Tiles the set already has through them instead of storing "
           "them again"},
          {"--map-out", "OUT.vxm", "also write the map of the picture", "--map"},
          {"--size", "WxH", "scale the picture to this size in pixels first"},
          {"--dither", "PCT", "dithering strength in percent (default 20)"},
          {"--bw", nullptr, "black and white instead of four greys"},
          {"--mode", "full|duplicates|none",
           "remove duplicate and flipped duplicate Tiles (full), duplicates only, or none"},
          {"--kind", "tileset|map", "read the --into file as this kind"},
          kJson,
          kDepFile,
          kDepFilePhony},
         RunImport},
        {"optimize",
         "SET.vxt",
         "remove duplicate Tiles, renumbering a map to match",
         "vxt",
         {Output("OUT.vxt"),
          {"--map", "MAP.vxm", "the map to renumber (with --map-out)"},
          {"--map-out", "OUT.vxm", "where the renumbered map goes"},
          kKind,
          kJson,
          kDepFile,
          kDepFilePhony},
         RunOptimize},
        {"export-sheet",
         "SET.vxt",
         "write the Blocks as an indexed PNG tile sheet for pixel editors",
         "vxt",
         {Output("SHEET.png"),
          kBlock,
          {"--columns", "N", "Blocks a row (default: as many as fill 16 Tiles' width)"},
          {"--palette", "P", "the colours of palette P of the first Tile's set (default 0)"},
          {"--grey", nullptr, "four greys instead of the palette"},
          kKind,
          kDepFile,
          kDepFilePhony},
         RunExportSheet},
        {"export-tmx",
         "MAP.vxm",
         "write a map for the general tile map editor, with a tile sheet "
         "LEVEL-paletteP.png for each palette the map uses",
         "vxm",
         {Output("LEVEL.tmx"),
          {"--tileset", "SET.vxt", "draw with this tile set instead of the one the map names"},
          kKind,
          kDepFile,
          kDepFilePhony},
         RunExportTmx},
        {"import-tmx",
         "LEVEL.tmx",
         "read a map written by export-tmx back, also after the general tile map editor "
         "saved it (layer data as CSV, or base64 plain, zlib or gzip)",
         "tmx",
         {Output("OUT.vxm"),
          {"--tileset", "SET.vxt", "the tile set the map names instead of the one it kept"},
          kDepFile,
          kDepFilePhony},
         RunImportTmx},
        {"import-sheet",
         "SHEET.png",
         "read the Tiles of a tile sheet back exactly, without scaling or dithering",
         "png",
         {Output("OUT.vxt"),
          {"--into", "SET.vxt", "add the Tiles to this tile set instead of a new one"},
          {"--at", "TILE", "store the Tiles from this slot on (default 0)"},
          {"--insert", nullptr, "insert the Tiles before the slot instead of overwriting"},
          {"--block", "WxH", "cut the sheet into Blocks of this size (default 8x8)"},
          {"--map-out", "OUT.vxm", "also write the map of the sheet (8x8 Blocks)", "--map"},
          {"--mode", "none|duplicates|full",
           "remove no duplicate Tiles (default), duplicates only, or also flipped ones"},
          {"--kind", "tileset|map", "read the --into file as this kind"},
          kDepFile,
          kDepFilePhony},
         RunImportSheet},
    };
    return commands;
}

const CommandSpec* FindCommand(const std::string& name) {
    for (const CommandSpec& command : Commands())
        if (name == command.Name)
            return &command;
    return nullptr;
}

const std::vector<OptionSpec>& ProgramOptions() {
    static const std::vector<OptionSpec> options = {
        {"-h", nullptr, "print the help; with a command, that command's usage and options",
         "--help"},
        {"--version", nullptr, "show the program's version"},
    };
    return options;
}

const std::vector<std::string>& ConventionNotes() {
    static const std::vector<std::string> notes = {
        "Every command takes --help. An option's value follows it as the next argument "
        "or after an equals sign (--output=OUT.asm); -- ends the options, so later "
        "arguments starting with - are file names.",
        "Numbers (--at, --offset, --blocks) are decimal, or hexadecimal as 0x10 or $10, "
        "or binary as %1010.",
        "A file named neither .vxt nor .vxm is recognised by its contents; where it could "
        "be either kind, --kind tileset or --kind map says which.",
    };
    return notes;
}

std::string ProgramHelp() {
    std::string text = "Usage: tessivar-cli COMMAND [OPTIONS] [--] OPERANDS\n"
                       "       tessivar-cli help COMMAND\n"
                       "Reads, converts and exports the tile sets (.vxt) and maps (.vxm) of\n"
                       "the Tessivar editor.\n\nCommands:\n";
    for (const CommandSpec& command : Commands())
        text += Row(std::string(command.Name) + " " + command.Operands, command.Summary);
    text += "\nOptions:\n";
    for (const OptionSpec& option : ProgramOptions())
        text += Row(OptionLeft(option), option.Help);
    for (const std::string& note : ConventionNotes())
        text += "\n" + WrapWords(Words(note), 0, 0) + "\n";
    return text + "\nRun \"tessivar-cli help COMMAND\" for the options of a command.\n";
}

std::string CommandHelp(const CommandSpec& command) {
    std::string text = UsageLine(command) + "\n\n" + command.Summary + "\n\nOptions:\n";
    for (const OptionSpec& option : command.Options)
        text += Row(OptionLeft(option), option.Help);
    return text + Row("-h, --help", "show this text");
}

std::string VersionLine() {
    return "tessivar-cli " TESSIVAR_VERSION;
}

} // namespace tessivar::cli

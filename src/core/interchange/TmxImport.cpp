#include "core/interchange/TmxImport.h"

#include "core/interchange/TmxMap.h"
#include "core/model/TileSet.h"

#include <pugixml.hpp>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>

namespace tessivar {

namespace {

std::optional<std::uint64_t> WholeNumber(std::string_view text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// An attribute that must hold a whole number in [least, most].
Result<int> NumberAttribute(pugi::xml_node node, const char* name, int least, int most) {
    const pugi::xml_attribute attribute = node.attribute(name);
    const auto value = WholeNumber(attribute.value());
    if (!attribute || !value || *value < static_cast<std::uint64_t>(least) ||
        *value > static_cast<std::uint64_t>(most))
        return Fail(std::string("the ") + node.name() + " element's " + name +
                    " must be a number from " + std::to_string(least) + " to " +
                    std::to_string(most) + ", not \"" + attribute.value() + "\"");
    return static_cast<int>(*value);
}

struct DepthCheck : pugi::xml_tree_walker {
    bool TooDeep = false;
    bool for_each(pugi::xml_node&) override {
        TooDeep = depth() >= kDeepestTmxNesting;
        return !TooDeep;
    }
};

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text) {
    std::array<int, 256> values;
    values.fill(-1);
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        values[static_cast<unsigned char>(alphabet[i])] = i;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t bits = 0;
    int count = 0;
    int padding = 0;
    for (const char c : text) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t')
            continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        const int value = values[static_cast<unsigned char>(c)];
        if (value < 0 || padding > 0)
            return std::nullopt;
        bits = bits << 6 | static_cast<std::uint32_t>(value);
        if (++count == 4) {
            bytes.push_back(static_cast<std::uint8_t>(bits >> 16));
            bytes.push_back(static_cast<std::uint8_t>(bits >> 8));
            bytes.push_back(static_cast<std::uint8_t>(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 1 || (count == 0 && padding > 0) || (padding > 0 && count + padding != 4))
        return std::nullopt;
    if (count >= 2)
        bytes.push_back(static_cast<std::uint8_t>(bits >> (count == 2 ? 4 : 10)));
    if (count == 3)
        bytes.push_back(static_cast<std::uint8_t>(bits >> 2));
    return bytes;
}

// Unpacks a zlib or gzip stream that must give exactly `expected` bytes; the output
// grows with what the stream holds, never past `expected`.
Result<std::vector<std::uint8_t>> InflateExactly(const std::vector<std::uint8_t>& packed,
                                                 std::size_t expected, bool gzip) {
    z_stream stream{};
    if (inflateInit2(&stream, gzip ? 15 + 16 : 15) != Z_OK)
        return Fail("cannot unpack the layer data");
    std::vector<std::uint8_t> bytes;
    std::array<std::uint8_t, 1 << 16> chunk;
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    int result = Z_OK;
    while (result == Z_OK && bytes.size() <= expected) {
        stream.next_out = chunk.data();
        stream.avail_out = static_cast<uInt>(chunk.size());
        result = inflate(&stream, Z_NO_FLUSH);
        bytes.insert(bytes.end(), chunk.data(), stream.next_out);
    }
    inflateEnd(&stream);
    if (bytes.size() > expected)
        return Fail("the layer data unpacks to more than the map's cells");
    if (result != Z_STREAM_END)
        return Fail(std::string("the layer data does not unpack (") + (gzip ? "gzip" : "zlib") +
                    " stream damaged or cut short)");
    return bytes;
}

Result<std::vector<std::uint32_t>> CsvNumbers(std::string_view text, std::size_t cells) {
    std::vector<std::uint32_t> numbers;
    numbers.reserve(std::min(cells, text.size() / 2 + 1)); // at least "1," a cell
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        std::string_view item = text.substr(at, comma - at);
        while (!item.empty() && std::strchr(" \t\r\n", item.front()))
            item.remove_prefix(1);
        while (!item.empty() && std::strchr(" \t\r\n", item.back()))
            item.remove_suffix(1);
        at = comma + 1;
        if (item.empty() && comma == text.size() && numbers.size() == cells)
            break; // only blanks after the last number
        const auto value = WholeNumber(item);
        if (!value || *value > 0xFFFFFFFFu)
            return Fail("the layer data holds \"" + std::string(item.substr(0, 20)) +
                        "\" where a tile number belongs");
        if (numbers.size() == cells)
            return Fail("the layer data holds more tile numbers than the map's cells");
        numbers.push_back(static_cast<std::uint32_t>(*value));
    }
    if (numbers.size() != cells)
        return Fail("the layer data holds " + std::to_string(numbers.size()) +
                    " tile numbers for " + std::to_string(cells) + " cells");
    return numbers;
}

Result<std::vector<std::uint32_t>> LayerNumbers(pugi::xml_node data, std::size_t cells) {
    const std::string encoding = data.attribute("encoding").value();
    const std::string compression = data.attribute("compression").value();
    if (data.child("chunk"))
        return Fail("endless maps (layer data in chunks) are not read");
    if (encoding == "csv" && compression.empty())
        return CsvNumbers(data.child_value(), cells);
    if (encoding != "base64")
        return Fail("layer data " +
                    (encoding.empty() ? std::string("as XML elements") : "encoded as " + encoding) +
                    " is not read; save the layer as CSV or base64");
    const bool packed = compression == "zlib" || compression == "gzip";
    if (!packed && !compression.empty())
        return Fail(compression + " compressed layer data is not read; use zlib, gzip or none");
    auto bytes = DecodeBase64(data.child_value());
    if (!bytes)
        return Fail("the layer data is not valid base64");
    if (packed) {
        auto unpacked = InflateExactly(*bytes, cells * 4, compression == "gzip");
        if (!unpacked)
            return Fail(unpacked.error());
        bytes = std::move(*unpacked);
    }
    if (bytes->size() != cells * 4)
        return Fail("the layer data holds " + std::to_string(bytes->size() / 4) +
                    " tile numbers for " + std::to_string(cells) + " cells");
    std::vector<std::uint32_t> numbers(cells);
    for (std::size_t i = 0; i < cells; ++i) {
        const std::uint8_t* b = bytes->data() + 4 * i;
        numbers[i] = b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    }
    return numbers;
}

// The tile numbers of one palette's tileset: first .. first + count - 1.
struct TilesetRange {
    std::uint32_t First = 0;
    std::uint32_t Count = 0;
    int Palette = 0;
};

// The export's own tilesets, by name, wherever their numbers start; anything else is
// refused.
Result<std::vector<TilesetRange>> ReadTilesets(pugi::xml_node map) {
    std::vector<TilesetRange> ranges;
    for (pugi::xml_node tileset : map.children("tileset")) {
        const std::string name = tileset.attribute("name").value();
        if (tileset.attribute("source"))
            return Fail(std::string("the external tileset ") + tileset.attribute("source").value() +
                        " is not one the TMX export writes");
        int palette = 0;
        while (palette < kTmxPalettes && name != TmxTilesetName(palette))
            ++palette;
        if (palette == kTmxPalettes)
            return Fail("the tileset \"" + name +
                        "\" is not one the TMX export writes (\"palette 0\" to \"palette 7\")");
        const auto first = NumberAttribute(tileset, "firstgid", 1, kTmxTileBits);
        const auto count = NumberAttribute(tileset, "tilecount", 1, kTmxTileBits);
        if (!first || !count)
            return Fail(!first ? first.error() : count.error());
        const auto width = NumberAttribute(tileset, "tilewidth", kTileSide, kTileSide);
        const auto height = NumberAttribute(tileset, "tileheight", kTileSide, kTileSide);
        if (!width || !height)
            return Fail("the tileset \"" + name + "\" must have tiles of 8 x 8 pixels");
        const TilesetRange range{static_cast<std::uint32_t>(*first),
                                 static_cast<std::uint32_t>(*count), palette};
        for (const TilesetRange& other : ranges) {
            if (other.Palette == palette)
                return Fail("the tileset \"" + name + "\" appears twice");
            if (other.First < std::uint64_t{range.First} + range.Count &&
                range.First < std::uint64_t{other.First} + other.Count)
                return Fail("the tileset \"" + name + "\" shares tile numbers with \"" +
                            TmxTilesetName(other.Palette) + "\"");
        }
        ranges.push_back(range);
    }
    return ranges;
}

} // namespace

Result<MapFileContents> ParseTmx(std::span<const std::uint8_t> text) {
    if (text.size() > kLargestTmxFileBytes)
        return Fail("the TMX file is larger than " + std::to_string(kLargestTmxFileBytes >> 20) +
                    " MiB");
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(
        text.data(), text.size(), pugi::parse_default | pugi::parse_doctype, pugi::encoding_utf8);
    if (!parsed)
        return Fail(std::string("not a valid XML file: ") + parsed.description() + " at byte " +
                    std::to_string(parsed.offset));
    for (pugi::xml_node node : doc.children())
        if (node.type() == pugi::node_doctype)
            return Fail("a document type declaration is not read in a TMX file");
    DepthCheck depth;
    doc.traverse(depth);
    if (depth.TooDeep)
        return Fail("the elements nest deeper than " + std::to_string(kDeepestTmxNesting) +
                    " levels");

    const pugi::xml_node map = doc.document_element();
    if (std::strcmp(map.name(), "map") != 0)
        return Fail("not a TMX map (the document is a \"" + std::string(map.name()) + "\")");
    if (std::string_view(map.attribute("orientation").value()) != "orthogonal")
        return Fail(std::string("the map is ") + map.attribute("orientation").value() +
                    "; only orthogonal maps are read");
    if (!NumberAttribute(map, "tilewidth", kTileSide, kTileSide) ||
        !NumberAttribute(map, "tileheight", kTileSide, kTileSide))
        return Fail("the map's tiles must be 8 x 8 pixels");
    if (map.attribute("infinite").as_int() != 0)
        return Fail("endless maps are not read");
    const auto width = NumberAttribute(map, "width", 1, kMaxMapSide);
    const auto height = NumberAttribute(map, "height", 1, kMaxMapSide);
    if (!width || !height)
        return Fail(!width ? width.error() : height.error());

    const auto tilesets = ReadTilesets(map);
    if (!tilesets)
        return Fail(tilesets.error());

    pugi::xml_node layer;
    for (pugi::xml_node child : map.children()) {
        const std::string_view kind = child.name();
        if (kind == "objectgroup" || kind == "imagelayer" || kind == "group")
            return Fail("the map holds a layer of another kind (" + std::string(kind) +
                        "); only one tile layer is read");
        if (kind != "layer")
            continue;
        if (layer)
            return Fail("the map holds several tile layers; only one is read");
        layer = child;
    }
    if (!layer)
        return Fail("the map holds no tile layer");
    const auto layerWidth = NumberAttribute(layer, "width", *width, *width);
    const auto layerHeight = NumberAttribute(layer, "height", *height, *height);
    if (!layerWidth || !layerHeight)
        return Fail("the tile layer is not the size of the map");

    const std::size_t cells = static_cast<std::size_t>(*width) * *height;
    const auto numbers = LayerNumbers(layer.child("data"), cells);
    if (!numbers)
        return Fail(numbers.error());

    MapFileContents contents;
    contents.Version = "VX02";
    for (pugi::xml_node property : map.child("properties").children("property"))
        if (std::string_view(property.attribute("name").value()) == kTmxTileSetProperty)
            contents.TileSetPath = property.attribute("value").value();
    contents.Grid = MapGrid(*width, *height);
    for (std::size_t i = 0; i < cells; ++i) {
        const std::uint32_t number = (*numbers)[i];
        const auto where = [&] {
            return "the cell at row " + std::to_string(i / *width) + ", column " +
                   std::to_string(i % *width);
        };
        const std::uint32_t tile = number & kTmxTileBits;
        if (tile == 0)
            return Fail(where() + " is empty; every cell must show a Tile");
        if (number & kTmxOtherFlagBits)
            return Fail(where() + " is rotated; cells can only be flipped");
        const auto range =
            std::find_if(tilesets->begin(), tilesets->end(), [tile](const TilesetRange& r) {
                return r.First <= tile && tile - r.First < r.Count;
            });
        if (range == tilesets->end())
            return Fail(where() + " shows tile number " + std::to_string(tile) +
                        ", which belongs to no tileset of the map");
        if (tile - range->First >= kMaxTiles)
            return Fail(where() + " shows Tile " + std::to_string(tile - range->First) +
                        ", past the last Tile slot (767)");
        MapCell& cell = contents.Grid.Cells[i];
        cell.Tile = static_cast<std::uint16_t>(tile - range->First);
        cell.Palette = static_cast<std::uint8_t>(range->Palette);
        cell.HFlip = (number & kTmxHFlipBit) ? 1 : 0;
        cell.VFlip = (number & kTmxVFlipBit) ? 1 : 0;
    }
    return contents;
}

} // namespace tessivar

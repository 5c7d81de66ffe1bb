#include "core/export/FormatJson.h"

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/model/TileSet.h"
#include "core/util/JsonText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <limits>
#include <utility>
#include <vector>

namespace tessivar {

namespace {

constexpr std::array<std::pair<PropertyKind, const char*>, 8> kKindNames = {{
    {PropertyKind::BwTileData, "bw"},
    {PropertyKind::GrayTileData, "gray"},
    {PropertyKind::ZeroFiller, "zero"},
    {PropertyKind::OneFiller, "one"},
    {PropertyKind::TileNumber, "tile"},
    {PropertyKind::HorizontalFlip, "hflip"},
    {PropertyKind::VerticalFlip, "vflip"},
    {PropertyKind::Category, "category"},
}};

// A reader for exactly the shape above: objects, arrays, strings and integers.
class Reader {
public:
    explicit Reader(std::string_view text)
        : text_(text) {}

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

    void fail(const std::string& what) {
        if (error_.empty())
            error_ = what + " at offset " + std::to_string(pos_);
    }
    void skipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }
    bool take(char c) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    void expect(char c) {
        if (!take(c))
            fail(std::string("expected '") + c + "'");
    }
    bool atEnd() {
        skipBlanks();
        return pos_ >= text_.size();
    }
    // A string with its escapes decoded exactly; a bare control character, an unknown
    // escape or a lone surrogate is refused.
    std::string string() {
        std::string out;
        if (!take('"')) {
            fail("expected a string");
            return out;
        }
        while (!failed()) {
            if (pos_ >= text_.size()) {
                fail("unterminated string");
                break;
            }
            const char c = text_[pos_++];
            if (c == '"')
                break;
            if (static_cast<unsigned char>(c) < 0x20) {
                fail("a control character in a string");
            } else if (c != '\\') {
                out += c;
            } else if (pos_ >= text_.size()) {
                fail("unterminated string");
            } else {
                escape(text_[pos_++], out);
            }
        }
        return out;
    }
    std::int32_t integer() {
        skipBlanks();
        std::int64_t value = 0;
        const auto [end, ec] =
            std::from_chars(text_.data() + pos_, text_.data() + text_.size(), value);
        if (ec != std::errc() || value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max()) {
            fail("expected a 32-bit integer");
            return 0;
        }
        pos_ = static_cast<std::size_t>(end - text_.data());
        return static_cast<std::int32_t>(value);
    }
    // Calls `member(name)` for each member of an object.
    template <typename F> void object(F member) {
        expect('{');
        if (take('}'))
            return;
        std::vector<std::string> seen;
        do {
            const std::string name = string();
            expect(':');
            if (!failed() && std::find(seen.begin(), seen.end(), name) != seen.end())
                fail("a second member \"" + name + "\"");
            if (failed())
                return;
            seen.push_back(name);
            member(name);
        } while (!failed() && take(','));
        expect('}');
    }
    template <typename F> void array(F element) {
        expect('[');
        if (take(']'))
            return;
        do
            element();
        while (!failed() && take(','));
        expect(']');
    }

private:
    void escape(char escaped, std::string& out) {
        static constexpr std::string_view kFrom = "\"\\/bfnrt";
        static constexpr std::string_view kTo = "\"\\/\b\f\n\r\t";
        if (const auto at = kFrom.find(escaped); at != std::string_view::npos) {
            out += kTo[at];
            return;
        }
        if (escaped != 'u') {
            fail(std::string("an invalid escape \\") + escaped);
            return;
        }
        std::uint32_t code = hex4();
        if (code >= 0xDC00 && code <= 0xDFFF) {
            fail("a lone surrogate");
        } else if (code >= 0xD800 && code <= 0xDBFF) {
            if (text_.substr(pos_, 2) != "\\u") {
                fail("a lone surrogate");
                return;
            }
            pos_ += 2;
            const std::uint32_t low = hex4();
            if (low < 0xDC00 || low > 0xDFFF)
                fail("a lone surrogate");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        if (!failed())
            appendUtf8(code, out);
    }
    std::uint32_t hex4() {
        std::uint32_t code = 0;
        for (int i = 0; i < 4; ++i, ++pos_) {
            const char c = pos_ < text_.size() ? text_[pos_] : '\0';
            const int digit = (c >= '0' && c <= '9')   ? c - '0'
                              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                       : -1;
            if (digit < 0) {
                fail("an escape \\u without four hex digits");
                return 0;
            }
            code = code * 16 + static_cast<std::uint32_t>(digit);
        }
        return code;
    }
    static void appendUtf8(std::uint32_t code, std::string& out) {
        const auto put = [&](std::uint32_t byte) { out += static_cast<char>(byte); };
        if (code < 0x80) {
            put(code);
        } else if (code < 0x800) {
            put(0xC0 | (code >> 6));
            put(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            put(0xE0 | (code >> 12));
            put(0x80 | ((code >> 6) & 0x3F));
            put(0x80 | (code & 0x3F));
        } else {
            put(0xF0 | (code >> 18));
            put(0x80 | ((code >> 12) & 0x3F));
            put(0x80 | ((code >> 6) & 0x3F));
            put(0x80 | (code & 0x3F));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string error_;
};

bool kindAllowed(PropertyKind kind, bool forMap) {
    switch (kind) {
    case PropertyKind::BwTileData:
    case PropertyKind::GrayTileData:
        return !forMap;
    case PropertyKind::TileNumber:
    case PropertyKind::HorizontalFlip:
    case PropertyKind::VerticalFlip:
        return forMap;
    default:
        return true;
    }
}

} // namespace

std::string FormatToJson(const ExportFormat& format) {
    std::string out = "{\"properties\":[";
    for (int i = 0; i < format.propertyCount; ++i) {
        const ExportProperty& property = format.properties[static_cast<std::size_t>(i)];
        const char* kind = "zero";
        for (const auto& [k, name] : kKindNames)
            if (k == property.kind)
                kind = name;
        out += std::string(i ? ",\n  " : "\n  ") + "{\"kind\":\"" + kind +
               "\",\"category\":" + std::to_string(property.category) +
               ",\"bits\":" + std::to_string(property.width) +
               ",\"section\":" + std::to_string(property.section) + "}";
    }
    out += "],\n\"sections\":[";
    for (int s = 1; s <= format.sectionCount; ++s)
        out += (s > 1 ? "," : "") + JsonQuoted(format.label(s));
    return out + "]}\n";
}

Result<ExportFormat> ParseFormatJson(std::string_view text, bool forMap) {
    Reader in(text);
    ExportFormat format;
    in.object([&](const std::string& name) {
        if (name == "properties") {
            in.array([&] {
                ExportProperty property;
                bool hasKind = false;
                in.object([&](const std::string& field) {
                    if (field == "kind") {
                        const std::string kind = in.string();
                        for (const auto& [k, kindName] : kKindNames)
                            if (kind == kindName) {
                                property.kind = k;
                                hasKind = true;
                            }
                        if (!hasKind || !kindAllowed(property.kind, forMap))
                            in.fail("kind \"" + kind + "\" is not a " + (forMap ? "map" : "tile") +
                                    " property");
                    } else if (field == "category") {
                        property.category = in.integer();
                    } else if (field == "bits") {
                        property.width = in.integer();
                    } else if (field == "section") {
                        property.section = in.integer();
                    } else {
                        in.fail("unknown property field \"" + field + "\"");
                    }
                });
                if (!hasKind)
                    in.fail("a property without a kind");
                else if (property.width < 0)
                    in.fail("a negative width");
                else if (property.width > kMaxFieldBits && !property.isTileData())
                    in.fail("property " + std::to_string(format.propertyCount + 1) + " is " +
                            std::to_string(property.width) +
                            " bits wide; a field holds at most 65,536 bits");
                else if (property.kind == PropertyKind::Category &&
                         (property.category < 0 || property.category >= kMaxCategories))
                    in.fail("a category outside 0..63");
                else if (!format.appendProperty(property))
                    in.fail("more than 32 properties");
            });
        } else if (name == "sections") {
            in.array([&] {
                const std::string label = in.string();
                if (label.size() > kMaxLabelChars)
                    in.fail("a label longer than 31 characters");
                else if (!IsValidLabel(label))
                    in.fail("a label holding a control character");
                else if (!in.failed() && !format.appendSection(label))
                    in.fail("more than 32 sections");
            });
        } else {
            in.fail("unknown member \"" + name + "\"");
        }
    });
    if (!in.failed() && !in.atEnd())
        in.fail("text after the format");
    if (in.failed())
        return Fail("Not an export format: " + in.error());
    return format;
}

Result<ExportFormat> ReadFormatFile(const std::string& path, bool forMap) {
    const auto data = ReadWholeFile(path, 1 << 20);
    if (!data)
        return Fail("Cannot read \"" + path + "\": " + data.error());
    auto format = ParseFormatJson(std::string(data->begin(), data->end()), forMap);
    if (!format)
        return Fail(path + ": " + format.error());
    return format;
}

Status WriteFormatFile(const std::string& path, const ExportFormat& format) {
    const std::string text = FormatToJson(format);
    const Status saved = SaveFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    if (!saved)
        return Fail("Cannot write \"" + path + "\": " + saved.error());
    return Ok();
}

} // namespace tessivar

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

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

    void Refuse(const std::string& what) {
        if (error_.empty())
            error_ = what + " at offset " + std::to_string(pos_);
    }
    void SkipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }
    bool Take(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    void Expect(char c) {
        if (!Take(c))
            Refuse(std::string("expected '") + c + "'");
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }
    // A string with its escapes decoded exactly; a bare control character, an unknown
    // escape or a lone surrogate is refused.
    std::string String() {
        std::string out;
        if (!Take('"')) {
            Refuse("expected a string");
            return out;
        }
        while (!Failed()) {
            if (pos_ >= text_.size()) {
                Refuse("unterminated string");
                break;
            }
            const char c = text_[pos_++];
            if (c == '"')
                break;
            if (static_cast<unsigned char>(c) < 0x20) {
                Refuse("a control character in a string");
            } else if (c != '\\') {
                out += c;
            } else if (pos_ >= text_.size()) {
                Refuse("unterminated string");
            } else {
                Escape(text_[pos_++], out);
            }
        }
        return out;
    }
    std::int32_t Integer() {
        SkipBlanks();
        std::int64_t value = 0;
        const auto [end, ec] =
            std::from_chars(text_.data() + pos_, text_.data() + text_.size(), value);
        if (ec != std::errc() || value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max()) {
            Refuse("expected a 32-bit integer");
            return 0;
        }
        pos_ = static_cast<std::size_t>(end - text_.data());
        return static_cast<std::int32_t>(value);
    }
    // Calls `member(name)` for each member of an object.
    template <typename F> void Object(F member) {
        Expect('{');
        if (Take('}'))
            return;
        std::vector<std::string> seen;
        do {
            const std::string name = String();
            Expect(':');
            if (!Failed() && std::find(seen.begin(), seen.end(), name) != seen.end())
                Refuse("a second member \"" + name + "\"");
            if (Failed())
                return;
            seen.push_back(name);
            member(name);
        } while (!Failed() && Take(','));
        Expect('}');
    }
    template <typename F> void Array(F element) {
        Expect('[');
        if (Take(']'))
            return;
        do
            element();
        while (!Failed() && Take(','));
        Expect(']');
    }

private:
    void Escape(char escaped, std::string& out) {
        static constexpr std::string_view kFrom = "\"\\/bfnrt";
        static constexpr std::string_view kTo = "\"\\/\b\f\n\r\t";
        if (const auto at = kFrom.find(escaped); at != std::string_view::npos) {
            out += kTo[at];
            return;
        }
        if (escaped != 'u') {
            Refuse(std::string("an invalid escape \\") + escaped);
            return;
        }
        std::uint32_t code = Hex4();
        if (code >= 0xDC00 && code <= 0xDFFF) {
            Refuse("a lone surrogate");
        } else if (code >= 0xD800 && code <= 0xDBFF) {
            if (text_.substr(pos_, 2) != "\\u") {
                Refuse("a lone surrogate");
                return;
            }
            pos_ += 2;
            const std::uint32_t low = Hex4();
            if (low < 0xDC00 || low > 0xDFFF)
                Refuse("a lone surrogate");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        if (!Failed())
            AppendUtf8(code, out);
    }
    std::uint32_t Hex4() {
        std::uint32_t code = 0;
        for (int i = 0; i < 4; ++i, ++pos_) {
            const char c = pos_ < text_.size() ? text_[pos_] : '\0';
            const int digit = (c >= '0' && c <= '9')   ? c - '0'
                              : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                              : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                       : -1;
            if (digit < 0) {
                Refuse("an escape \\u without four hex digits");
                return 0;
            }
            code = code * 16 + static_cast<std::uint32_t>(digit);
        }
        return code;
    }
    static void AppendUtf8(std::uint32_t code, std::string& out) {
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

bool KindAllowed(PropertyKind kind, bool forMap) {
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
    for (int i = 0; i < format.PropertyCount; ++i) {
        const ExportProperty& property = format.Properties[static_cast<std::size_t>(i)];
        const char* kind = "zero";
        for (const auto& [k, name] : kKindNames)
            if (k == property.Kind)
                kind = name;
        out += std::string(i ? ",\n  " : "\n  ") + "{\"kind\":\"" + kind +
               "\",\"category\":" + std::to_string(property.Category) +
               ",\"bits\":" + std::to_string(property.Width) +
               ",\"section\":" + std::to_string(property.Section) + "}";
    }
    out += "],\n\"sections\":[";
    for (int s = 1; s <= format.SectionCount; ++s)
        out += (s > 1 ? "," : "") + JsonQuoted(format.Label(s));
    return out + "]}\n";
}

Result<ExportFormat> ParseFormatJson(std::string_view text, bool forMap) {
    Reader in(text);
    ExportFormat format;
    in.Object([&](const std::string& name) {
        if (name == "properties") {
            in.Array([&] {
                ExportProperty property;
                bool hasKind = false;
                in.Object([&](const std::string& field) {
                    if (field == "kind") {
                        const std::string kind = in.String();
                        for (const auto& [k, kindName] : kKindNames)
                            if (kind == kindName) {
                                property.Kind = k;
                                hasKind = true;
                            }
                        if (!hasKind || !KindAllowed(property.Kind, forMap))
                            in.Refuse("kind \"" + kind + "\" is not a " +
                                      (forMap ? "map" : "tile") + " property");
                    } else if (field == "category") {
                        property.Category = in.Integer();
                    } else if (field == "bits") {
                        property.Width = in.Integer();
                    } else if (field == "section") {
                        property.Section = in.Integer();
                    } else {
                        in.Refuse("unknown property field \"" + field + "\"");
                    }
                });
                if (!hasKind)
                    in.Refuse("a property without a kind");
                else if (property.Width < 0)
                    in.Refuse("a negative width");
                else if (property.Width > kMaxFieldBits && !property.IsTileData())
                    in.Refuse("property " + std::to_string(format.PropertyCount + 1) + " is " +
                              std::to_string(property.Width) +
                              " bits wide; a field holds at most 65,536 bits");
                else if (property.Kind == PropertyKind::Category &&
                         (property.Category < 0 || property.Category >= kMaxCategories))
                    in.Refuse("a category outside 0..63");
                else if (!format.AppendProperty(property))
                    in.Refuse("more than 32 properties");
            });
        } else if (name == "sections") {
            in.Array([&] {
                const std::string label = in.String();
                if (label.size() > kMaxLabelChars)
                    in.Refuse("a label longer than 31 characters");
                else if (!IsValidLabel(label))
                    in.Refuse("a label holding a control character");
                else if (!in.Failed() && !format.AppendSection(label))
                    in.Refuse("more than 32 sections");
            });
        } else {
            in.Refuse("unknown member \"" + name + "\"");
        }
    });
    if (!in.Failed() && !in.AtEnd())
        in.Refuse("text after the format");
    if (in.Failed())
        return Fail("Not an export format: " + in.Error());
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

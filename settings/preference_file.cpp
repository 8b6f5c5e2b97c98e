#include "settings/preference_file.h"

#include "platform/files.h"

#include <limits>
#include <span>

namespace lumidor {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Latin1ToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

PreferenceLine ParseLine(std::string_view line) {
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    if (line.starts_with(';')) {
        line.remove_prefix(1);
        if (line.starts_with(' '))
            line.remove_prefix(1);
        return {PreferenceLineKind::Comment, std::string(line), {}};
    }
    if (line.starts_with('[')) {
        line.remove_prefix(1);
        return {PreferenceLineKind::Group, std::string(line.substr(0, line.find(']'))), {}};
    }
    const std::size_t equals = line.find('=');
    PreferenceLine key{
        PreferenceLineKind::Key, std::string(TrimTrailingBlanks(line.substr(0, equals))), {}};
    if (equals != std::string_view::npos) {
        std::string_view value = line.substr(equals + 1);
        while (!value.empty() && IsBlank(value.front()))
            value.remove_prefix(1);
        key.value = value;
    }
    return key;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

// Like strtol, but saturating at the ends of the signed 32-bit range.
std::int32_t DecimalPrefix(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (IsBlank(text[at]) || text[at] == '\v' || text[at] == '\f'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::string PreferenceText(const std::vector<PreferenceLine>& lines) {
    std::string text;
    for (const PreferenceLine& line : lines) {
        // Only key lines are ever written.
        if (line.kind == PreferenceLineKind::Key)
            text += line.name + " = " + line.value + "\r\n";
    }
    return text;
}

} // namespace

std::vector<PreferenceLine> ParsePreferenceText(std::string_view bytes) {
    std::string text;
    if (bytes.starts_with(ByteOrderMark))
        text = bytes.substr(ByteOrderMark.size());
    else
        text = Latin1ToUtf8(bytes);

    std::vector<PreferenceLine> lines;
    std::string_view rest = text;
    for (;;) {
        while (!rest.empty() && IsLineEnd(rest.front()))
            rest.remove_prefix(1);
        if (rest.empty())
            break;
        std::size_t end = 0;
        while (end < rest.size() && !IsLineEnd(rest[end]))
            ++end;
        lines.push_back(ParseLine(rest.substr(0, end)));
        rest.remove_prefix(end);
    }
    return lines;
}

bool OpenPreferenceFile(PreferenceFile& file, const std::filesystem::path& path) {
    file = PreferenceFile{};
    file.path = path;
    platform::OpenFile* opened = platform::OpenForReading(path);
    if (opened == nullptr)
        return false;
    std::string bytes;
    char block[4096];
    while (const std::size_t got = platform::ReadBytes(opened, block, sizeof block))
        bytes.append(block, got);
    platform::CloseFile(opened);
    file.lines = ParsePreferenceText(bytes);
    return true;
}

std::int32_t ReadPreferenceNumber(const PreferenceFile& file, std::string_view key,
                                  std::int32_t defaultValue) {
    for (const PreferenceLine& line : file.lines) {
        // The program never selects a group, so only the lines before the first count.
        if (line.kind == PreferenceLineKind::Group)
            break;
        if (line.kind == PreferenceLineKind::Key && EqualIgnoringAsciiCase(line.name, key))
            return DecimalPrefix(line.value);
    }
    return defaultValue;
}

bool CreatePreferenceFile(PreferenceFile& file, const std::filesystem::path& path) {
    file = PreferenceFile{};
    file.path = path;
    const platform::PathInfo folder = platform::QueryPath(path.parent_path());
    const platform::PathInfo target = platform::QueryPath(path);
    if (path.filename().empty() || !folder.exists || !folder.isFolder || target.isFolder)
        return false;
    file.created = true;
    return true;
}

void WritePreferenceNumber(PreferenceFile& file, std::string_view key, std::int32_t value) {
    file.lines.push_back({PreferenceLineKind::Key, std::string(key), std::to_string(value)});
}

bool ClosePreferenceFile(PreferenceFile& file) {
    bool written = true;
    if (file.created) {
        const std::string text = PreferenceText(file.lines);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        written = platform::ReplaceFileAtomically(
            file.path, std::span<const std::uint8_t>(bytes, text.size()));
    }
    file = PreferenceFile{};
    return written;
}

} // namespace lumidor

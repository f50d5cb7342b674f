#include "settings/initext.h"

#include "text/textrules.h"

#include <algorithm>

namespace ini {

namespace {

const char COMMENT = ';';
const char SECTION_OPEN = '[';
const char SECTION_CLOSE = ']';
const char EQUALS = '=';
const char DOUBLE_QUOTE = '"';
const char SINGLE_QUOTE = '\'';
const char CR = '\r';
const char LF = '\n';
const char CRLF[] = "\r\n";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == CR; }

struct Span {
    size_t begin = 0;
    size_t end = 0;
};

enum class LineKind { Other, Section, Entry };

struct Line {
    size_t end = 0;  // the LF that ends the line, or the end of the content
    size_t next = 0; // first byte of the following line
    LineKind kind = LineKind::Other;
    Span name;       // section or key name without surrounding blanks
    Span value;      // entry value without surrounding blanks, quotes kept
};

Span trimmed(const std::string &s, Span span)
{
    while (span.begin < span.end && isBlank(s[span.begin]))
        ++span.begin;
    while (span.end > span.begin && isBlank(s[span.end - 1]))
        --span.end;
    return span;
}

std::string trimmed(const std::string &s)
{
    const Span span = trimmed(s, {0, s.size()});
    return s.substr(span.begin, span.end - span.begin);
}

// The last "]" of a line that starts with "[", stepping over double-byte
// characters so that a trail byte 0x5D is not taken for the bracket.
size_t sectionClose(const std::string &s, Span body)
{
    size_t close = std::string::npos;
    for (size_t i = body.begin + 1; i < body.end;) {
        if (s[i] == SECTION_CLOSE)
            close = i;
        i += text::isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < body.end ? 2 : 1;
    }
    return close;
}

Line parseLine(const std::string &s, size_t begin)
{
    Line line;
    const size_t lf = s.find(LF, begin);
    line.end = lf == std::string::npos ? s.size() : lf;
    line.next = lf == std::string::npos ? s.size() : lf + 1;

    const Span body = trimmed(s, {begin, line.end});
    if (body.begin == body.end || s[body.begin] == COMMENT)
        return line;
    if (s[body.begin] == SECTION_OPEN) {
        const size_t close = sectionClose(s, body);
        if (close != std::string::npos) {
            line.kind = LineKind::Section;
            line.name = trimmed(s, {body.begin + 1, close});
            return line;
        }
    }
    const auto first = s.begin() + static_cast<std::ptrdiff_t>(body.begin);
    const auto last = s.begin() + static_cast<std::ptrdiff_t>(body.end);
    const auto equals = std::find(first, last, EQUALS);
    if (equals == last)
        return line;
    const size_t at = static_cast<size_t>(equals - s.begin());
    line.kind = LineKind::Entry;
    line.name = trimmed(s, {body.begin, at});
    line.value = trimmed(s, {at + 1, body.end});
    return line;
}

std::string slice(const std::string &s, Span span) { return s.substr(span.begin, span.end - span.begin); }

// Names compare with ASCII letters folded; trail bytes of double-byte characters are not letters.
bool sameName(const std::string &s, Span span, const std::string &foldedName)
{
    return span.end - span.begin == foldedName.size()
           && text::toUpperAscii(slice(s, span)) == foldedName;
}

struct Location {
    std::optional<Line> section;   // the first section of that name
    std::optional<Line> entry;     // the first entry of that key in it
    std::optional<Line> lastEntry; // the section's last entry, when the key is missing
};

Location locate(const std::string &s, const std::string &section, const std::string &key)
{
    const std::string foldedSection = text::toUpperAscii(section);
    const std::string foldedKey = text::toUpperAscii(key);
    Location where;
    for (size_t pos = 0; pos < s.size();) {
        const Line line = parseLine(s, pos);
        pos = line.next;
        if (line.kind == LineKind::Section) {
            if (where.section)
                break;
            if (sameName(s, line.name, foldedSection))
                where.section = line;
        } else if (line.kind == LineKind::Entry && where.section) {
            if (sameName(s, line.name, foldedKey)) {
                where.entry = line;
                break;
            }
            where.lastEntry = line;
        }
    }
    return where;
}

bool isQuoted(const std::string &v)
{
    return v.size() >= 2 && (v.front() == DOUBLE_QUOTE || v.front() == SINGLE_QUOTE) && v.back() == v.front();
}

// The value as it goes into the file: on one line, and quoted where reading the
// plain form would drop its blanks or its own enclosing quotes.
std::string encodeValue(const std::string &value)
{
    std::string v;
    v.reserve(value.size() + 2);
    for (char c : value) {
        if (c != CR && c != LF)
            v.push_back(c);
    }
    if (!v.empty() && (isBlank(v.front()) || isBlank(v.back()) || isQuoted(v)))
        return DOUBLE_QUOTE + v + DOUBLE_QUOTE;
    return v;
}

std::string lineBreakOf(const std::string &s)
{
    const size_t lf = s.find(LF);
    if (lf != std::string::npos && (lf == 0 || s[lf - 1] != CR))
        return std::string(1, LF);
    return CRLF;
}

} // namespace

std::optional<std::string> readValue(const std::string &content, const std::string &section,
                                     const std::string &key)
{
    const Location where = locate(content, trimmed(section), trimmed(key));
    if (!where.entry)
        return std::nullopt;
    std::string v = slice(content, where.entry->value);
    if (isQuoted(v))
        v = v.substr(1, v.size() - 2);
    if (v.size() > VALUE_MAX_BYTES)
        v.resize(VALUE_MAX_BYTES);
    return v;
}

bool isWritable(const std::string &section, const std::string &key)
{
    const std::string s = trimmed(section);
    const std::string k = trimmed(key);
    if (k.empty() || s.find(LF) != std::string::npos || k.find(LF) != std::string::npos)
        return false;
    // A key that starts with "[" could turn its line into a section line once
    // a value with "]" is written; keep such keys out.
    if (k.front() == SECTION_OPEN)
        return false;
    const std::string sectionLine = SECTION_OPEN + s + SECTION_CLOSE;
    const Line sl = parseLine(sectionLine, 0);
    const std::string entryLine = k + EQUALS;
    const Line el = parseLine(entryLine, 0);
    return sl.kind == LineKind::Section && slice(sectionLine, sl.name) == s
           && el.kind == LineKind::Entry && slice(entryLine, el.name) == k;
}

std::string writeValue(const std::string &content, const std::string &section,
                       const std::string &key, const std::string &value)
{
    if (!isWritable(section, key))
        return content;
    const std::string s = trimmed(section);
    const std::string k = trimmed(key);
    const std::string encoded = encodeValue(value);
    const Location where = locate(content, s, k);

    std::string out = content;
    if (where.entry) {
        const Span v = where.entry->value;
        out.replace(v.begin, v.end - v.begin, encoded);
        return out;
    }

    const std::string lineBreak = lineBreakOf(content);
    const std::string entryLine = k + EQUALS + encoded;
    if (where.section) {
        const Line &after = where.lastEntry ? *where.lastEntry : *where.section;
        if (after.next == after.end) // the content's last line, without a line break
            out.insert(after.end, lineBreak + entryLine);
        else
            out.insert(after.next, entryLine + lineBreak);
        return out;
    }

    if (!out.empty() && out.back() != LF)
        out += lineBreak;
    out += SECTION_OPEN + s + SECTION_CLOSE + lineBreak + entryLine + lineBreak;
    return out;
}

} // namespace ini

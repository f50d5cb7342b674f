#pragma once
// INI text as the Windows private-profile functions read and write it, on the
// file's bytes (GBK). A section line is "[name]", an entry line "key=value".
// Section and key names match without regard to ASCII case; spaces, tabs and
// CRs around names and values do not count; lines starting with ";" and lines
// without "=" are skipped; a line break is LF or CR LF and the last line may
// lack one. Of two sections or two keys with the same name the first counts.

#include <cstddef>
#include <optional>
#include <string>

namespace ini {

// Values read are cut to this many bytes.
constexpr size_t VALUE_MAX_BYTES = 10239;

// The value of key in section with one pair of enclosing quotes (" or ')
// removed, cut to VALUE_MAX_BYTES; nothing when the section or key is missing.
std::optional<std::string> readValue(const std::string &content, const std::string &section,
                                     const std::string &key);

// True when an entry written under these names is found again by readValue:
// the key is not empty and holds no "=" or line break, does not start a
// comment or a section line, and the section name holds no line break.
bool isWritable(const std::string &section, const std::string &key);

// content with key in section set to value: the value is replaced in place
// when the key exists, else the entry is added after the section's last entry,
// else the section is appended at the end of the content. Nothing is removed.
// The value's CR and LF bytes are dropped, so it stays on one line; it is
// written in double quotes where the plain form would not read back the same.
// New line breaks follow the content's first one (CR LF for new content).
// Names that are not writable leave the content unchanged.
std::string writeValue(const std::string &content, const std::string &section,
                       const std::string &key, const std::string &value);

} // namespace ini

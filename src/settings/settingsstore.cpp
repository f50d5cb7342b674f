#include "settings/settingsstore.h"

#include "platform/ansicodec.h"
#include "platform/safefile.h"
#include "settings/initext.h"
#include "settings/settingskeys.h"
#include "text/textrules.h"

namespace {

const char SETTINGS_FILE_NAME[] = "peizhi.ini";
const char MULTI_LINE_BREAK = '#';
const char CRLF[] = "\r\n";

QString loopFileName() { return QStringLiteral("循环数据.BAT"); }

} // namespace

SettingsStore::SettingsStore(const QString &directory)
    : m_settingsPath(QDir(directory).filePath(QString::fromLatin1(SETTINGS_FILE_NAME)))
    , m_loopFilePath(QDir(directory).filePath(loopFileName()))
{
}

std::optional<std::string> SettingsStore::readBytes(const QString &section, const QString &key) const
{
    const std::optional<std::string> content = safefile::readAll(m_settingsPath);
    if (!content)
        return std::nullopt;
    return ini::readValue(*content, ansi::fromQString(section), ansi::fromQString(key));
}

void SettingsStore::writeBytes(const QString &section, const QString &key, const std::string &value) const
{
    // A file that exists but cannot be read is left alone rather than replaced
    // by one holding only this key.
    const std::optional<std::string> content = safefile::readAll(m_settingsPath);
    if (!content)
        return;
    const std::string updated =
        ini::writeValue(*content, ansi::fromQString(section), ansi::fromQString(key), value);
    if (updated != *content)
        safefile::writeAll(m_settingsPath, updated);
}

QString SettingsStore::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::optional<std::string> value = readBytes(section, key);
    return value ? ansi::toQString(*value) : defaultValue;
}

QString SettingsStore::read(const QString &section, const QString &key) const
{
    return read(section, key, QString());
}

int32_t SettingsStore::readInt(const QString &section, const QString &key, int32_t defaultValue) const
{
    const std::optional<std::string> value = readBytes(section, key);
    return value ? text::textToInt(*value) : defaultValue;
}

bool SettingsStore::readFlag(const QString &section, const QString &key, bool defaultValue) const
{
    const std::optional<std::string> value = readBytes(section, key);
    return value ? *value == ansi::fromQString(settingskeys::flagChecked()) : defaultValue;
}

QString SettingsStore::readMultiLine(const QString &section, const QString &key) const
{
    const std::optional<std::string> value = readBytes(section, key);
    if (!value)
        return QString();
    // "#" is never the trail byte of a double-byte character, so bytes can be replaced as they come.
    std::string lines;
    lines.reserve(value->size());
    for (char c : *value) {
        if (c == MULTI_LINE_BREAK)
            lines += CRLF;
        else
            lines.push_back(c);
    }
    return ansi::toQString(lines);
}

void SettingsStore::write(const QString &section, const QString &key, const QString &value) const
{
    writeBytes(section, key, ansi::fromQString(value));
}

void SettingsStore::writeInt(const QString &section, const QString &key, int32_t value) const
{
    writeBytes(section, key, std::to_string(value));
}

void SettingsStore::writeFlag(const QString &section, const QString &key, bool checked) const
{
    write(section, key, checked ? settingskeys::flagChecked() : settingskeys::flagUnchecked());
}

void SettingsStore::writeMultiLine(const QString &section, const QString &key, const QString &value) const
{
    const std::string bytes = ansi::fromQString(value);
    std::string joined;
    joined.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            joined.push_back(MULTI_LINE_BREAK);
        } else {
            joined.push_back(bytes[i]);
        }
    }
    writeBytes(section, key, joined);
}

std::string SettingsStore::readLoopFile() const
{
    const std::string bytes = safefile::readAll(m_loopFilePath).value_or(std::string());
    return bytes.substr(0, bytes.find('\0'));
}

void SettingsStore::writeLoopFile(const std::string &bytes) const
{
    safefile::writeAll(m_loopFilePath, bytes);
}

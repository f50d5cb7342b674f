#pragma once

#include <QDir>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

// The settings file "peizhi.ini" and the loop-data file "循环数据.BAT" in the
// temporary directory. Each call opens, reads or writes, and closes its file:
// nothing is cached, so a value written by another window or another running
// copy is seen by the next read, and the last writer of a key wins. Failures
// are silent: a read gives the default, a write leaves the file as it was.
class SettingsStore
{
public:
    explicit SettingsStore(const QString &directory = QDir::tempPath());

    QString settingsPath() const { return m_settingsPath; }
    QString loopFilePath() const { return m_loopFilePath; }

    // A missing key gives the default; a key present with an empty value gives
    // the empty text.
    QString read(const QString &section, const QString &key, const QString &defaultValue) const;
    QString read(const QString &section, const QString &key) const;
    // The value read as an integer (leading blanks, sign, decimal digits; full-width
    // forms count as ASCII; no digits give 0).
    int32_t readInt(const QString &section, const QString &key, int32_t defaultValue = 0) const;
    // True only for the value "真".
    bool readFlag(const QString &section, const QString &key, bool defaultValue) const;
    // Every "#" of the value comes back as "\r\n".
    QString readMultiLine(const QString &section, const QString &key) const;

    void write(const QString &section, const QString &key, const QString &value) const;
    void writeInt(const QString &section, const QString &key, int32_t value) const;
    void writeFlag(const QString &section, const QString &key, bool checked) const;
    // Each line break ("\r\n", or a lone "\n" or "\r") is stored as "#".
    void writeMultiLine(const QString &section, const QString &key, const QString &value) const;

    // The loop-data file's bytes up to the first zero byte; empty when the file
    // is missing or unreadable.
    std::string readLoopFile() const;
    void writeLoopFile(const std::string &bytes) const;

private:
    std::optional<std::string> readBytes(const QString &section, const QString &key) const;
    void writeBytes(const QString &section, const QString &key, const std::string &value) const;

    QString m_settingsPath;
    QString m_loopFilePath;
};

#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// The one conversion between widget text (QString) and the program's byte text
// in the ANSI code page: GBK here, the system's ANSI code page on Windows.
namespace ansi {

std::string fromQString(const QString &s);
QString toQString(const std::string &bytes);
QString toQString(const char *bytes, qsizetype size);

} // namespace ansi

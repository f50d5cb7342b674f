#include "platform/ansicodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {

#ifdef Q_OS_WIN
QStringEncoder makeEncoder() { return QStringEncoder(QStringConverter::System); }
QStringDecoder makeDecoder() { return QStringDecoder(QStringConverter::System); }
#else
const char CODEC_NAME[] = "GBK";
QStringEncoder makeEncoder() { return QStringEncoder(CODEC_NAME); }
QStringDecoder makeDecoder() { return QStringDecoder(CODEC_NAME); }
#endif

} // namespace

namespace ansi {

std::string fromQString(const QString &s)
{
    QStringEncoder encoder = makeEncoder();
    const QByteArray bytes = encoder.encode(s);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString toQString(const char *bytes, qsizetype size)
{
    // Received hex text is plain ASCII, the same in every ANSI code page.
    if (std::all_of(bytes, bytes + size, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(bytes, size);
    QStringDecoder decoder = makeDecoder();
    return decoder.decode(QByteArrayView(bytes, size));
}

QString toQString(const std::string &bytes)
{
    return toQString(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace ansi
